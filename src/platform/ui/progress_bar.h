#pragma once
// A progress bar of the computations shown by a QProgressBar. The computations run on the window
// thread and step the bar at every sample: with a pacer the widget shows the state at most once a
// display frame (and always the last state once flushed); without one every change repaints it.

#include "platform/progress.h"
#include "platform/ui/frame_pacer.h"

class QProgressBar;

class QtProgressBar : public ProgressBar, private FramePacer::View {
 public:
  explicit QtProgressBar(QProgressBar* bar, FramePacer* pacer = nullptr);

 protected:
  void Changed() override;

 private:
  QWidget* Widget() const override;
  void Present() override;
  void CopyToWidget();

  QProgressBar* bar_;  // owned by its window
  FramePacer* pacer_;  // the window's, or none
};
