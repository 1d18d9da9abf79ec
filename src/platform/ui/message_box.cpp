#include "platform/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "platform/messages.h"

void InstallMessageBoxHandler() {
  SetMessageHandler([](const std::string& text) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  });
}
