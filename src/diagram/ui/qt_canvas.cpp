#include "diagram/ui/qt_canvas.h"

#include <algorithm>
#include <cstdlib>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QString>

namespace {

QString Text(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

void SetPenStyle(QPen& pen, TPenStyle style) {
  switch (style) {
    case psSolid:
      pen.setStyle(Qt::SolidLine);
      break;
    case psDash:
      pen.setDashPattern({6, 3});
      break;
    case psDot:
      pen.setDashPattern({1, 2});
      break;
    case psDashDot:
      pen.setDashPattern({6, 2, 1, 2});
      break;
    case psDashDotDot:
      pen.setDashPattern({6, 2, 1, 2, 1, 2});
      break;
    case psClear:
      pen.setStyle(Qt::NoPen);
      break;
  }
}

}  // namespace

QColor ToQColor(TColor color) {
  if (IsSystemColor(color)) {
    const QPalette palette = QGuiApplication::palette();
    switch (color) {
      case clWindow:
        return palette.color(QPalette::Base);
      case clWindowText:
        return palette.color(QPalette::Text);
      default:
        return palette.color(QPalette::Window);
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
    case crCross:
      return QCursor(Qt::CrossCursor);
    case crIBeam:
      return QCursor(Qt::IBeamCursor);
    case crHourGlass:
      return QCursor(Qt::WaitCursor);
    case crAppStart:
      return QCursor(Qt::BusyCursor);
    case crHandPoint:
      return QCursor(Qt::PointingHandCursor);
    case crSizeAll:
      return QCursor(Qt::SizeAllCursor);
    default:
      return QCursor(Qt::ArrowCursor);
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

TQtCanvas::~TQtCanvas() {
  if (painter_.isActive()) painter_.end();
}

void TQtCanvas::Reset(int width, int height) {
  if (painter_.isActive()) painter_.end();
  if (image_.width() != width || image_.height() != height) {
    image_ = width > 0 && height > 0 ? QImage(width, height, QImage::Format_RGB32) : QImage();
  }
  if (!image_.isNull()) image_.fill(Qt::white);
}

QPainter* TQtCanvas::Painter() {
  if (image_.isNull()) return nullptr;
  if (!painter_.isActive()) {
    painter_.begin(&image_);
    ApplyPen();
  }
  return &painter_;
}

void TQtCanvas::ApplyPen() {
  if (!painter_.isActive()) return;
  painter_.setPen(pen_);
  painter_.setCompositionMode(mode_ == pmNotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                : QPainter::CompositionMode_SourceOver);
}

const QImage& TQtCanvas::Image() {
  if (painter_.isActive()) painter_.end();
  return image_;
}

void TQtCanvas::SetPen(TColor color, TPenStyle style, int width, TPenMode mode) {
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

void TQtCanvas::SetBrushColor(TColor color) { brush_ = ToQColor(color); }

void TQtCanvas::SetFont(const TFont& font) {
  font_ = ToQFont(font);
  font_color_ = ToQColor(font.Color);
}

void TQtCanvas::FillRect(const TRect& rect) {
  if (QPainter* p = Painter()) p->fillRect(ToQRect(rect), brush_);
}

void TQtCanvas::Rectangle(const TRect& rect) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->fillRect(ToQRect(rect), brush_);
  p->setBrush(Qt::NoBrush);
  // The outline runs on the rectangle's outermost pixels.
  p->drawRect(rect.Left, rect.Top, rect.Right - rect.Left - 1, rect.Bottom - rect.Top - 1);
}

void TQtCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void TQtCanvas::LineTo(int x, int y) {
  const QPoint end(x, y);
  QPainter* p = Painter();
  if (p != nullptr) {
    const bool straight = end.x() == position_.x() || end.y() == position_.y();
    if (straight && mode_ == pmCopy && pen_.style() == Qt::SolidLine) {
      // Stems, ticks and frame lines: the same pixels a square-ended pen covers, filled at once.
      const int w = pen_.width();
      const int left = std::min(x, position_.x());
      const int top = std::min(y, position_.y());
      p->fillRect(left - w / 2, top - w / 2, std::abs(x - position_.x()) + w, std::abs(y - position_.y()) + w,
                  pen_.color());
    } else {
      p->drawLine(position_, end);
    }
  }
  position_ = end;
}

void TQtCanvas::Ellipse(const TRect& rect) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->setBrush(brush_);
  p->drawEllipse(rect.Left, rect.Top, rect.Right - rect.Left - 1, rect.Bottom - rect.Top - 1);
  p->setBrush(Qt::NoBrush);
}

void TQtCanvas::SetPixel(int x, int y, TColor color) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->setPen(ToQColor(color));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawPoint(x, y);
  ApplyPen();
}

void TQtCanvas::TextOut(int x, int y, const std::string& text) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  const QString s = Text(text);
  const QFontMetrics metrics(font_);
  p->fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), brush_);
  p->setFont(font_);
  p->setPen(font_color_);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawText(x, y + metrics.ascent(), s);
  ApplyPen();
}

int TQtCanvas::TextWidth(const std::string& text) { return QFontMetrics(font_).horizontalAdvance(Text(text)); }

int TQtCanvas::TextHeight(const std::string&) { return QFontMetrics(font_).height(); }

void TQtCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty() || bitmap.Pixels.size() < static_cast<std::size_t>(bitmap.Width) * bitmap.Height) return;
  QPainter* p = Painter();
  if (p == nullptr) return;
  const QImage picture(reinterpret_cast<const uchar*>(bitmap.Pixels.data()), bitmap.Width, bitmap.Height,
                       bitmap.Width * 4, QImage::Format_ARGB32);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(x, y, picture);
  ApplyPen();
}
