#include "platform/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "platform/messages.h"
#include "platform/questions.h"
#include "platform/ui/modal.h"

void InstallMessageBoxHandler() {
  SetMessageHandler([](const std::string& text) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  });
}

void InstallQuestionBoxHandler() {
  SetQuestionHandler([](const Question& question) {
    const QString caption =
        question.caption.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(question.caption);
    QMessageBox box(QMessageBox::Question, caption, QString::fromStdString(question.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton("Да", QMessageBox::YesRole);
    QPushButton* no = box.addButton("Нет", QMessageBox::NoRole);
    QPushButton* cancel =
        question.buttons == QuestionButtons::kYesNoCancel ? box.addButton("Отмена", QMessageBox::RejectRole) : nullptr;
    // Enter keeps what was typed; Escape and the close box change nothing, or say "Нет" where
    // there is no "Отмена".
    box.setDefaultButton(cancel != nullptr ? yes : no);
    box.setEscapeButton(cancel != nullptr ? cancel : no);
    RunModal(box);
    if (box.clickedButton() == yes) return Answer::kYes;
    if (box.clickedButton() == no || cancel == nullptr) return Answer::kNo;
    return Answer::kCancel;
  });
}
