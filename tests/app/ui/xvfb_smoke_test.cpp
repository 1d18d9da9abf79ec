// The real program on a real (virtual) screen: started under Xvfb, it shows its main window
// with the caption and quits cleanly from "Выход".

#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <string>

#include "app/ui/app_windows.h"
#include "support/modal_answers.h"

namespace {

bool HaveXvfb() { return std::system("command -v xvfb-run >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1") == 0; }

// Run by the test below inside Xvfb; skipped anywhere else.
TEST(XvfbSmokeTest, InsideXvfbMainWindowStartsAndQuits) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "runs only on an X screen, started by the test below";
  AppWindows app;
  app.RYNForm->showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(app.RYNForm));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !app.RYNForm->IsFirstPaintPending() && app.RYNForm->TabSignal != nullptr; }, 20000));
  EXPECT_EQ(app.RYNForm->windowHandle()->title(), "Вельмар");
  EXPECT_TRUE(app.RYNForm->isVisible());
  QTimer::singleShot(0, app.RYNForm->N1, &QAction::trigger);  // "Выход" from within the event loop
  EXPECT_EQ(QApplication::exec(), 0);
}

TEST(XvfbSmokeTest, StartsShowsTheCaptionAndQuitsFromExit) {
  if (!HaveXvfb()) GTEST_SKIP() << "Xvfb is not installed (package xvfb): the real-window smoke run is skipped";
  const std::string command =
      "QT_QPA_PLATFORM=xcb timeout 120 xvfb-run -a -s '-screen 0 1280x800x24' /proc/" + std::to_string(::getpid()) +
      "/exe --gtest_filter=XvfbSmokeTest.InsideXvfbMainWindowStartsAndQuits > xvfb_smoke.log 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_EQ(status, 0) << "see xvfb_smoke.log";
  EXPECT_EQ(std::system("grep -q '\\[  PASSED  \\] 1 test' xvfb_smoke.log"), 0) << "see xvfb_smoke.log";
}

}  // namespace
