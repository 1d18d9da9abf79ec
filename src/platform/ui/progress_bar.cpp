#include "platform/ui/progress_bar.h"

#include <QProgressBar>

QtProgressBar::QtProgressBar(QProgressBar* bar, FramePacer* pacer) : bar_(bar), pacer_(pacer) { Changed(); }

void QtProgressBar::Changed() {
  if (pacer_ != nullptr) {
    pacer_->Changed(this);
  } else {
    CopyToWidget();
  }
}

QWidget* QtProgressBar::Widget() const { return bar_; }

void QtProgressBar::Present() {
  // The bar would repaint itself at once; the pacer repaints the window's changes together.
  bar_->setUpdatesEnabled(false);
  CopyToWidget();
  bar_->setUpdatesEnabled(true);
}

void QtProgressBar::CopyToWidget() {
  // QProgressBar turns an empty range into a busy indicator; an empty range is simply done here.
  if (Maximum() > Minimum()) {
    bar_->setRange(Minimum(), Maximum());
    bar_->setValue(Position());
  } else {
    bar_->setRange(0, 1);
    bar_->setValue(0);
  }
}
