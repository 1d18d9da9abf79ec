#include "platform/ui/frame_pacer.h"

#include <QRegion>
#include <QWidget>

FramePacer::FramePacer(QObject* parent) : QObject(parent) {
  next_frame_.setSingleShot(true);
  connect(&next_frame_, &QTimer::timeout, this, &FramePacer::Paint);
}

void FramePacer::Changed(View* view) {
  if (!view->queued_) {
    view->queued_ = true;
    pending_.push_back(view);
  }
  const qint64 elapsed = since_paint_.isValid() ? since_paint_.elapsed() : kFrameMs;
  if (elapsed >= kFrameMs) {
    Paint();
  } else if (!next_frame_.isActive()) {
    next_frame_.start(static_cast<int>(kFrameMs - elapsed));
  }
}

void FramePacer::Flush() { Paint(); }

void FramePacer::Paint() {
  next_frame_.stop();
  if (pending_.empty()) return;
  // All the changes of the frame in one repaint of their window.
  QWidget* window = nullptr;
  QRegion region;
  for (View* view : pending_) {
    view->queued_ = false;
    view->Present();
    QWidget* widget = view->Widget();
    if (!widget->isVisible()) continue;
    window = widget->window();
    region += QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
  }
  pending_.clear();
  if (window == nullptr) return;
  window->repaint(region);
  ++repaints_;
  since_paint_.start();
}
