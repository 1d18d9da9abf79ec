// Вельмар: the desktop application for studying linear digital filters.

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/exception_display.h"
#include "app/start_up.h"
#include "platform/ui/message_box.h"

int main(int argc, char** argv) {
  VelmarApplication application(argc, argv);
  // Not the display name: the platform would append that to every window caption.
  QApplication::setApplicationName("Вельмар");
  QApplication::setWindowIcon(QIcon(":/velmar.png"));
  // The platform's own dialogs (files, overwrite questions) speak the program's language.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Russian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
  InstallMessageBoxHandler();
  return RunApplication();
}
