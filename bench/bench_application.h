#pragma once
// The one application object the drawing and window cases need; the offscreen platform needs no
// screen.

#include <QApplication>

inline void EnsureApplication() {
  static int argc = 1;
  static char name[] = "velmar_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  (void)app;
}
