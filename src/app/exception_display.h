#pragma once
// The application's standard display of an exception that escaped a command.

#include <QApplication>
#include <exception>

void ShowException(const std::exception& error);
void ShowUnknownException();

// The application object: an exception thrown by any event handler is shown, not fatal.
class VelmarApplication : public QApplication {
 public:
  VelmarApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
