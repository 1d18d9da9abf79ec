#pragma once
// The application's windows for a window test: created as start-up creates them, the main
// window shown and its first paint done; everything destroyed again at the end.

#include <QApplication>
#include <QTest>
#include <vector>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/start_up.h"
#include "dialogs/ui/table_editor.h"
#include "session/session.h"

struct AppWindows {
  Session session;
  std::vector<QWidget*> created = CreateApplicationWindows(session);
  TRYNForm* RYNForm = static_cast<TRYNForm*>(created.front());  // owns every other window

  // Shows the main window and waits for its first paint (layout, tables, first analysis).
  bool ShowMainWindow() {
    RYNForm->show();
    return QTest::qWaitFor([this] { return !RYNForm->IsFirstPaintPending() && RYNForm->TabSignal != nullptr; }, 10000);
  }

  ~AppWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<THelloForm*>(widget) != nullptr) delete widget;
    }
    delete RYNForm;
  }
};
