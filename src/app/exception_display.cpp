#include "app/exception_display.h"

#include <string>

#include "platform/messages.h"

void ShowException(const std::exception& error) { ShowMessage(error.what()); }

void ShowUnknownException() { ShowMessage("Неизвестная ошибка."); }

VelmarApplication::VelmarApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VelmarApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowUnknownException();
  }
  return false;
}
