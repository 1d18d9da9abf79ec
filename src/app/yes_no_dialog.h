#pragma once
// The small modal question that other windows ask before a destructive step.

#include <QDialog>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

class TYesNoDialogForm : public QDialog {
  Q_OBJECT

 public:
  explicit TYesNoDialogForm(QWidget* parent = nullptr);

  // 1 after "Да"; 0 after "Нет" or any other way of closing.
  int Answer() const { return answer_; }

  QLabel* StaticText1;
  QPushButton* ButtonYes;
  QPushButton* ButtonNo;
  QCheckBox* CheckBox1;  // never enabled, never read

 private:
  void ButtonYesClick();
  void ButtonNoClick();

  int answer_ = 0;
};

// Asks the question in a fresh dialog with the given caption; true for "Да".
bool YesNoDialog(const std::string& caption, const std::string& question);
