#include "diagram/ui/qt_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPalette>
#include <QString>

namespace {

QString Text(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

void SetPenStyle(QPen& pen, TPenStyle style) {
  switch (style) {
    case psSolid: pen.setStyle(Qt::SolidLine); break;
    case psDash: pen.setDashPattern({6, 3}); break;
    case psDot: pen.setDashPattern({1, 2}); break;
    case psDashDot: pen.setDashPattern({6, 2, 1, 2}); break;
    case psDashDotDot: pen.setDashPattern({6, 2, 1, 2, 1, 2}); break;
    case psClear: pen.setStyle(Qt::NoPen); break;
  }
}

}  // namespace

QColor ToQColor(TColor color) {
  if (IsSystemColor(color)) {
    const QPalette palette = QGuiApplication::palette();
    switch (color) {
      case clWindow: return palette.color(QPalette::Base);
      case clWindowText: return palette.color(QPalette::Text);
      default: return palette.color(QPalette::Window);
    }
  }
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QFont ToQFont(const TFont& font) {
  QFont f(Text(font.Name));
  f.setPixelSize(font.Size > 0 ? font.Size : 11);
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  return f;
}

QCursor ToQCursor(TCursor cursor) {
  switch (cursor) {
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crHourGlass: return QCursor(Qt::WaitCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

TBitmap BitmapFromImage(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  TBitmap bitmap{argb.width(), argb.height(), {}};
  bitmap.Pixels.reserve(static_cast<std::size_t>(argb.width()) * argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    bitmap.Pixels.insert(bitmap.Pixels.end(), row, row + argb.width());
  }
  return bitmap;
}

TPainterCanvas::~TPainterCanvas() {
  if (painter_.isActive()) painter_.end();
}

QPainter* TPainterCanvas::Painter() {
  FlushHeld();
  QPaintDevice* device = Device();
  if (device == nullptr) return nullptr;
  if (!painter_.isActive()) {
    painter_.begin(device);
    ApplyPen();
  }
  return &painter_;
}

void TPainterCanvas::EndPainting() {
  FlushHeld();
  if (painter_.isActive()) painter_.end();
}

void TPainterCanvas::ApplyPen() {
  if (!painter_.isActive()) return;
  painter_.setPen(pen_);
  // Vector surfaces know no raster operations; not-xor only ever draws the feeler on the screen.
  const bool not_xor = mode_ == pmNotXor && painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
  painter_.setCompositionMode(not_xor ? QPainter::RasterOp_NotSourceXorDestination
                                      : QPainter::CompositionMode_SourceOver);
}

void TPainterCanvas::SetPen(TColor color, TPenStyle style, int width, TPenMode mode) {
  QPen pen(ToQColor(color));
  pen.setWidth(width > 1 ? width : 1);
  // Square ends keep both end pixels and close the joints of a curve drawn segment by segment;
  // round ones would cost a curve per segment.
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::BevelJoin);
  SetPenStyle(pen, style);
  pen_ = pen;
  mode_ = mode;
  ApplyPen();
}

void TPainterCanvas::SetBrushColor(TColor color) { brush_ = ToQColor(color); }

void TPainterCanvas::SetFont(const TFont& font) {
  font_ = ToQFont(font);
  font_key_ = font_.key();
  metrics_.emplace(font_);
  font_color_ = ToQColor(font.Color);
}

void TPainterCanvas::FillWithBrush(const QRect& rect) {
  FlushHeld();
  if (FillPixels(rect, brush_)) return;
  if (brush_.alpha() == 255 && mode_ == pmCopy) WillCover(rect);
  if (QPainter* p = Painter()) p->fillRect(rect, brush_);
}

void TPainterCanvas::FillRect(const TRect& rect) { FillWithBrush(ToQRect(rect)); }

void TPainterCanvas::Rectangle(const TRect& rect) {
  FillWithBrush(ToQRect(rect));
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->setBrush(Qt::NoBrush);
  // The outline runs on the rectangle's outermost pixels.
  const QRect outline(rect.Left, rect.Top, rect.Right - rect.Left - 1, rect.Bottom - rect.Top - 1);
  if (StrokeShift().isNull()) {
    p->drawRect(outline);
  } else {
    p->drawRect(QRectF(outline).translated(StrokeShift()));
  }
}

void TPainterCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void TPainterCanvas::Ellipse(const TRect& rect) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->setBrush(brush_);
  const QRect box(rect.Left, rect.Top, rect.Right - rect.Left - 1, rect.Bottom - rect.Top - 1);
  if (StrokeShift().isNull()) {
    p->drawEllipse(box);
  } else {
    p->drawEllipse(QRectF(box).translated(StrokeShift()));
  }
  p->setBrush(Qt::NoBrush);
}

void TPainterCanvas::SetPixel(int x, int y, TColor color) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
  ApplyPen();
}

void TPainterCanvas::TextOut(int x, int y, const std::string& text) {
  if (Device() == nullptr) return;
  const QString s = Text(text);
  if (!metrics_) metrics_.emplace(font_);
  FillWithBrush(QRect(x, y, CachedWidth(s), metrics_->height()));
  QPainter* p = Painter();
  p->setFont(font_);
  p->setPen(font_color_);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawText(x, y + metrics_->ascent(), s);
  ApplyPen();
}

int TPainterCanvas::TextWidth(const std::string& text) { return CachedWidth(Text(text)); }

int TPainterCanvas::TextHeight(const std::string&) {
  if (!metrics_) metrics_.emplace(font_);
  return metrics_->height();
}

int TPainterCanvas::CachedWidth(const QString& text) {
  constexpr qsizetype kKept = 4096;
  const QString key = font_key_ + QChar(0x1f) + text;
  const auto found = widths_.constFind(key);
  if (found != widths_.constEnd()) return *found;
  if (!metrics_) metrics_.emplace(font_);
  if (widths_.size() >= kKept) widths_.clear();
  const int width = metrics_->horizontalAdvance(text);
  widths_.insert(key, width);
  return width;
}

void TPainterCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty() || bitmap.Pixels.size() < static_cast<std::size_t>(bitmap.Width) * bitmap.Height) return;
  QPainter* p = Painter();
  if (p == nullptr) return;
  const QImage picture(reinterpret_cast<const uchar*>(bitmap.Pixels.data()), bitmap.Width, bitmap.Height,
                       bitmap.Width * 4, QImage::Format_ARGB32);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(x, y, picture);
  ApplyPen();
}

TQtCanvas::TQtCanvas(qreal pixel_ratio) : pixel_ratio_(pixel_ratio > 0 ? pixel_ratio : 1) {}

TQtCanvas::~TQtCanvas() { EndPainting(); }

void TQtCanvas::Reset(int width, int height) {
  pending_ = QRect();
  EndPainting();
  const QSize size = QSize(width, height) * pixel_ratio_;
  if (width <= 0 || height <= 0) {
    image_ = QImage();
  } else if (image_.size() != size) {
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(pixel_ratio_);
  }
  blank_pending_ = !image_.isNull();
}

const QImage& TQtCanvas::Image() {
  EndPainting();
  MakeBlank();
  return image_;
}

QPaintDevice* TQtCanvas::Device() {
  if (image_.isNull()) return nullptr;
  MakeBlank();
  return &image_;
}

void TQtCanvas::MakeBlank() {
  if (!blank_pending_) return;
  blank_pending_ = false;
  image_.fill(Qt::white);
}

void TQtCanvas::WillCover(const QRect& rect) {
  if (blank_pending_ && pixel_ratio_ == 1 && rect.contains(image_.rect())) blank_pending_ = false;
}

// Stems that share a column are filled together: overlapping rectangles of one colour and one
// width cover the same pixels as their union.
void TQtCanvas::FillStraight(const QRect& rect) {
  const bool joins = !pending_.isEmpty() && pending_colour_ == Pen().color() && rect.left() == pending_.left() &&
                     rect.width() == pending_.width() && rect.top() <= pending_.bottom() + 1 &&
                     rect.bottom() >= pending_.top() - 1;
  if (joins) {
    pending_ = pending_.united(rect);
    return;
  }
  FlushHeld();
  pending_ = rect;
  pending_colour_ = Pen().color();
}

void TQtCanvas::FlushHeld() {
  if (pending_.isEmpty()) return;
  const QRect rect = std::exchange(pending_, QRect());
  if (FillPixels(rect, pending_colour_)) return;
  if (QPainter* p = Painter()) p->fillRect(rect, pending_colour_);
}

bool TQtCanvas::FillPixels(const QRect& rect, const QColor& colour) {
  // The painter fills a stem one pixel wide row by row, at a call per row; an opaque colour on
  // whole pixels is the colour itself in every pixel. Wide areas the painter fills faster.
  constexpr int kNarrow = 8;
  if (rect.width() > kNarrow || pixel_ratio_ != 1 || colour.alpha() != 255 || Mode() != pmCopy || image_.isNull() ||
      !image_.isDetached()) {
    return false;
  }
  const QRect area = rect & image_.rect();
  if (area.isEmpty()) return true;
  MakeBlank();
  const QRgb value = colour.rgba();
  uchar* bits = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + area.left();
    std::fill(row, row + area.width(), value);
  }
  return true;
}

void TQtCanvas::LineTo(int x, int y) {
  const QPoint start = Position();
  SetPosition(QPoint(x, y));
  if (image_.isNull()) return;
  if ((x == start.x() || y == start.y()) && Mode() == pmCopy && Pen().style() == Qt::SolidLine) {
    // Stems, ticks and frame lines: the same pixels a square-ended pen covers, as a rectangle.
    const int w = Pen().width();
    FillStraight(QRect(std::min(x, start.x()) - w / 2, std::min(y, start.y()) - w / 2, std::abs(x - start.x()) + w,
                       std::abs(y - start.y()) + w));
  } else {
    Painter()->drawLine(start, QPoint(x, y));
  }
}
