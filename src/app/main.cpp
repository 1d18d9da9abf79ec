// Вельмар: the desktop application for studying linear digital filters.

#include <QIcon>

#include "app/exception_display.h"
#include "app/russian_language.h"
#include "app/start_up.h"
#include "platform/ui/message_box.h"

int main(int argc, char** argv) {
  VelmarApplication application(argc, argv);
  // Not the display name: the platform would append that to every window caption.
  QApplication::setApplicationName("Вельмар");
  QApplication::setWindowIcon(QIcon(":/velmar.png"));
  // The platform's own dialogs (files, overwrite questions) speak the program's language.
  InstallRussianLanguage();
  InstallMessageBoxHandler();
  InstallQuestionBoxHandler();
  return RunApplication();
}
