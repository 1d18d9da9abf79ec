#pragma once
// A progress bar of the computations shown by a QProgressBar: every change of the state is
// copied to the widget, which repaints at once (the computations run on the window thread).

#include "platform/progress.h"

class QProgressBar;

class QtProgressBar : public ProgressBar {
 public:
  explicit QtProgressBar(QProgressBar* bar);

 protected:
  void Changed() override;

 private:
  QProgressBar* bar_;  // owned by its window
};
