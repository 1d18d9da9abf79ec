#pragma once
// "Измерение параметров АЧХ": measures the pass-band edge, the stop-band edge and the transition
// width of the amplitude response the analysis run last computed, at levels picked from lists in
// ratios (normalised response) or decibels (response in dB). A high-pass, band-pass or band-stop
// library filter gets a table of its bands' edges and transition widths in order of ω instead of
// the seven fields. Show it with exec().

#include <QDialog>
#include <array>

#include "dialogs/measurement_dialog_model.h"
#include "dialogs/ui/dialog_frame.h"

class AnalysisRun;
class FilterLibraryModel;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TMeasureForm : public QDialog {
  Q_OBJECT

 public:
  // A view of model, the levels the user chose, which outlives it; the library tells the band type
  // of a designed filter.
  TMeasureForm(const AnalysisRun& run, MeasurementDialogModel& model, const FilterLibraryModel& library,
               QWidget* parent = nullptr);

  const MeasurementDialogModel& Model() const { return model_; }
  // Gives the buttons their pictures when first shown.
  void setVisible(bool visible) override;

 protected:
  // Shows the lists of the run's amplitude-response mode and the results of its filter's band
  // type, empty.
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildLevels();
  QWidget* BuildResults();
  QTableWidget* BuildBandTable();
  QWidget* BuildButtons();
  // A list of pass-band or stop-band levels that empties the results when the user picks one.
  QComboBox* AddLevelList(const char* name, bool pass_band, LevelScale scale);

  void BitBtn1Click();
  void ComboBoxH0dBChange();
  // The lists and result fields as the model has them.
  void ShowModel();
  void ShowBandReport();

  const AnalysisRun& run_;
  MeasurementDialogModel& model_;
  const FilterLibraryModel& library_;
  QComboBox* ComboBoxH0 = nullptr;
  QComboBox* ComboBoxH0dB = nullptr;
  QComboBox* ComboBoxHp = nullptr;
  QComboBox* ComboBoxHpdB = nullptr;
  QPushButton* BitBtn1 = nullptr;
  std::array<QLineEdit*, kMeasurementFieldCount> results_{};
  QWidget* low_pass_results_ = nullptr;
  QTableWidget* GridBands = nullptr;
  StyleIcons style_icons_;
};
