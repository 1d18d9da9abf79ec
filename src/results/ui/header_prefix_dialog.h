#pragma once
// "Экспорт в C": the prefix of the names in a C header (prefix_sos, prefix_SECTION_COUNT), with
// the one made from the file's name proposed. Only a C identifier can be typed.

#include <QDialog>
#include <optional>
#include <string>

#include "results/filter_coefficients.h"

class QLabel;
class QLineEdit;
class QPushButton;

class THeaderPrefixDialog : public QDialog {
  Q_OBJECT

 public:
  THeaderPrefixDialog(const std::string& proposed, CoefficientLayout layout, QWidget* parent = nullptr);

  std::string Prefix() const;

  QLabel* LabelPrefix;
  QLineEdit* EditPrefix;
  QLabel* LabelNames;  // the names the header will hold, as the prefix stands
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

 private:
  void EditPrefixChange();

  CoefficientLayout layout_;
};

// Asks for the prefix; nothing when the user cancels.
std::optional<std::string> AskHeaderPrefix(const std::string& proposed, CoefficientLayout layout, QWidget* parent);
