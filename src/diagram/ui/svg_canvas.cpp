#include "diagram/ui/svg_canvas.h"

#include <QSvgGenerator>
#include <utility>

TSvgCanvas::TSvgCanvas(QString title) : title_(std::move(title)) {}

TSvgCanvas::~TSvgCanvas() { EndPainting(); }

void TSvgCanvas::Reset(int width, int height) {
  held_.clear();
  EndPainting();
  generator_.reset();
  buffer_.close();
  buffer_.setData(QByteArray());
  if (width <= 0 || height <= 0) return;
  buffer_.open(QIODevice::WriteOnly);
  generator_ = std::make_unique<QSvgGenerator>();
  generator_->setOutputDevice(&buffer_);
  generator_->setSize(QSize(width, height));
  generator_->setViewBox(QRect(0, 0, width, height));
  generator_->setTitle(title_);
}

QPaintDevice* TSvgCanvas::Device() { return generator_.get(); }

void TSvgCanvas::SetPen(TColor color, TPenStyle style, int width, TPenMode mode) {
  FlushHeld();  // the held lines keep the pen they were drawn with
  TPainterCanvas::SetPen(color, style, width, mode);
}

void TSvgCanvas::LineTo(int x, int y) {
  const QPoint start = Position();
  SetPosition(QPoint(x, y));
  if (generator_ == nullptr) return;
  const QPointF shift = StrokeShift();
  if (held_.elementCount() == 0 || held_.currentPosition() != QPointF(start) + shift)
    held_.moveTo(QPointF(start) + shift);
  held_.lineTo(QPointF(x, y) + shift);
}

void TSvgCanvas::FlushHeld() {
  if (held_.elementCount() == 0) return;
  const QPainterPath path = std::exchange(held_, QPainterPath());
  if (QPainter* p = Painter()) {
    p->setBrush(Qt::NoBrush);
    p->drawPath(path);
  }
}

QPointF TSvgCanvas::StrokeShift() const { return Pen().width() % 2 == 1 ? QPointF(0.5, 0.5) : QPointF(); }

QByteArray TSvgCanvas::Document() {
  EndPainting();
  QByteArray document = buffer_.data();
  // The generator gives the size in rounded millimetres, which a viewer turns into a pixel more;
  // the picture's own pixels say it exactly.
  const qsizetype svg = document.indexOf("<svg width=\"");
  const qsizetype end = svg < 0 ? -1 : document.indexOf('\n', svg);
  if (end > 0 && generator_ != nullptr) {
    const QSize size = generator_->size();
    document.replace(
        svg, end - svg,
        "<svg width=\"" + QByteArray::number(size.width()) + "\" height=\"" + QByteArray::number(size.height()) + "\"");
  }
  return document;
}
