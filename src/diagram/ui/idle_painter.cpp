#include "diagram/ui/idle_painter.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"

TIdlePainter::TIdlePainter(QWidget* window, std::vector<TDiagramFrame*> frames)
    : QObject(window), frames_(std::move(frames)) {
  next_.setSingleShot(true);
  next_.setInterval(0);
  connect(&next_, &QTimer::timeout, this, &TIdlePainter::PaintNext);
  window->installEventFilter(this);
}

bool TIdlePainter::eventFilter(QObject*, QEvent* event) {
  // The timer fires only after this update has been painted and sent to the screen.
  if (event->type() == QEvent::UpdateRequest) next_.start();
  return false;
}

void TIdlePainter::PaintNext() {
  // A modal window (an analysis, a dialog) may be changing what the diagrams show; the window's
  // next update after it comes back here.
  if (QApplication::activeModalWidget() != nullptr) return;
  for (TDiagramFrame* frame : frames_) {
    if (frame->isVisible()) continue;  // painted when the window paints it
    const long painted = frame->Diagram->PicturesPainted();
    frame->PaintAhead();
    if (frame->Diagram->PicturesPainted() != painted) {
      next_.start();
      return;
    }
  }
}
