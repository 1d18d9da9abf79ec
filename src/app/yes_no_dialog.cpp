#include "app/yes_no_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <memory>
#include <new>

#include "platform/messages.h"
#include "platform/ui/modal.h"

TYesNoDialogForm::TYesNoDialogForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setFixedSize(281, 147);
  StaticText1 = new QLabel(this);
  StaticText1->setGeometry(8, 0, 265, 73);
  StaticText1->setAlignment(Qt::AlignCenter);
  StaticText1->setWordWrap(true);
  ButtonYes = new QPushButton("Да", this);
  ButtonYes->setGeometry(16, 88, 75, 25);
  ButtonNo = new QPushButton("Нет", this);
  ButtonNo->setGeometry(192, 88, 75, 25);
  CheckBox1 = new QCheckBox("Не показывать больше это сообщение", this);
  // Wide enough for its text in the fonts of this platform.
  CheckBox1->setGeometry(12, 120, 265, 17);
  CheckBox1->setEnabled(false);
  connect(ButtonYes, &QPushButton::clicked, this, &TYesNoDialogForm::ButtonYesClick);
  connect(ButtonNo, &QPushButton::clicked, this, &TYesNoDialogForm::ButtonNoClick);
}

void TYesNoDialogForm::ButtonYesClick() {
  answer_ = 1;
  close();
}

void TYesNoDialogForm::ButtonNoClick() {
  answer_ = 0;
  close();
}

bool YesNoDialog(const std::string& caption, const std::string& question) {
  std::unique_ptr<TYesNoDialogForm> form;
  try {
    form = std::make_unique<TYesNoDialogForm>(QApplication::activeWindow());
  } catch (const std::bad_alloc&) {
    ShowMessage("YesNoDialog: Недостаточно памяти.");
    return false;
  }
  form->setWindowTitle(QString::fromStdString(caption));
  form->StaticText1->setText(QString::fromStdString(question));
  if (form->isVisible()) form->hide();
  RunModal(*form);
  return form->Answer() == 1;
}
