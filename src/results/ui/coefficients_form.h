#pragma once
// "Коэффициенты фильтра": a window beside the main window with the coefficients of the filter the
// last analysis used, read-only, and the commands that copy them for a spreadsheet and save them
// as CSV or as a C header.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "results/coefficient_table.h"
#include "results/filter_coefficients.h"

class QLabel;
class QPushButton;
class QTableWidget;

// What the save dialog for coefficients asks: a CSV or a C header, in one of the offered layouts.
struct CoefficientFileRequest {
  bool header = false;                     // a C header rather than a CSV
  std::vector<CoefficientLayout> layouts;  // offered, the first proposed
  std::string initial_name;
};

struct CoefficientFileChoice {
  std::string name;
  CoefficientLayout layout = CoefficientLayout::kDirect;
};

// A port: the desktop program asks with its save dialog, one filter per layout; tests answer.
using CoefficientFileChooser =
    std::function<std::optional<CoefficientFileChoice>(const CoefficientFileRequest&, QWidget* parent)>;
// Installs a chooser and returns the previous one; an empty chooser restores the save dialog.
CoefficientFileChooser SetCoefficientFileChooser(CoefficientFileChooser chooser);

inline const std::string kCannotSaveCoefficientsMessage = "Не удаётся сохранить файл";

class TCoefficientsForm : public QWidget {
  Q_OBJECT

 public:
  explicit TCoefficientsForm(QWidget* parent = nullptr);

  // Shows these coefficients; the filter already shown changes nothing (the selection stays).
  void ShowCoefficients(const FilterCoefficients& filter);
  const FilterCoefficients& Coefficients() const { return filter_; }

  // "Копировать": the selected cells, or all of them with the header when none is selected.
  void CopyClick();
  // "Сохранить...": CSV; "Экспорт в C...": a header.
  void SaveClick();
  void ExportClick();

  QLabel* LabelCaption;
  QLabel* LabelEquation;
  QLabel* LabelNote;  // why a layout is not offered, when one is not
  QTableWidget* Grid;
  QPushButton* ButtonCopy;
  QPushButton* ButtonSave;
  QPushButton* ButtonExport;
  QPushButton* ButtonClose;

 private:
  void Save(bool header);
  void Fill();
  void FitToTable();

  static constexpr int kTallestGrid = 560;  // pixels; a longer table scrolls

  FilterCoefficients filter_;
  OfferedLayouts offered_;  // the check of the direct form is done once per filter
  CoefficientTable table_;
  bool filled_ = false;
};
