#include "platform/ui/progress_bar.h"

#include <QProgressBar>

QtProgressBar::QtProgressBar(QProgressBar* bar) : bar_(bar) { Changed(); }

void QtProgressBar::Changed() {
  // QProgressBar turns an empty range into a busy indicator; an empty range is simply done here.
  if (Maximum() > Minimum()) {
    bar_->setRange(Minimum(), Maximum());
    bar_->setValue(Position());
  } else {
    bar_->setRange(0, 1);
    bar_->setValue(0);
  }
}
