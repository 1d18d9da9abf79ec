#pragma once
// The diagram's canvases on Qt painters: TQtCanvas paints on a QImage (what the widget shows,
// saves as BMP or PNG and copies); TSvgCanvas (svg_canvas.h) draws the same calls as vector shapes.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <optional>

#include "diagram/canvas.h"

// Everything a canvas does through a QPainter, whatever the painter paints on.
class TPainterCanvas : public Canvas {
 public:
  TPainterCanvas() = default;
  ~TPainterCanvas() override;
  TPainterCanvas(const TPainterCanvas&) = delete;
  TPainterCanvas& operator=(const TPainterCanvas&) = delete;

  void SetPen(TColor color, TPenStyle style, int width, TPenMode mode) override;
  void SetBrushColor(TColor color) override;
  void SetFont(const TFont& font) override;
  void FillRect(const TRect& rect) override;
  void Rectangle(const TRect& rect) override;
  void MoveTo(int x, int y) override;
  void Ellipse(const TRect& rect) override;
  void SetPixel(int x, int y, TColor color) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void DrawBitmap(int x, int y, const TBitmap& bitmap) override;

 protected:
  // What the painter paints on; null while there is nothing to paint on.
  virtual QPaintDevice* Device() = 0;
  // Draws the lines a canvas holds back to draw them together.
  virtual void FlushHeld() {}
  // Fills the rectangle with an opaque colour straight in the device's pixels, as the painter
  // would in the copy mode; false when it cannot, and the painter fills.
  virtual bool FillPixels(const QRect&, const QColor&) { return false; }
  // The rectangle is about to be covered with an opaque colour in the copy mode.
  virtual void WillCover(const QRect&) {}
  // Where a stroke of the pen lies from the pixel coordinates it is given: nothing on an image,
  // where the painter covers the pixel right and below the point; half a pixel on a vector
  // surface, so that an odd-width line covers the same pixels there.
  virtual QPointF StrokeShift() const { return {}; }

  // The painter on the device, begun with the current pen and mode, after the held lines; null
  // when there is no device.
  QPainter* Painter();
  // Ends the painting, held lines included, so that the device is complete.
  void EndPainting();
  // Fills with the brush's colour.
  void FillWithBrush(const QRect& rect);
  void ApplyPen();

  const QPen& Pen() const { return pen_; }
  TPenMode Mode() const { return mode_; }
  QPoint Position() const { return position_; }
  void SetPosition(QPoint position) { position_ = position; }

 private:
  // The width of a text in the current font; every drawing measures the same few labels again.
  int CachedWidth(const QString& text);

  QPainter painter_;
  QPen pen_;
  TPenMode mode_ = pmCopy;
  QColor brush_ = Qt::white;
  QFont font_;
  QString font_key_;
  std::optional<QFontMetrics> metrics_;
  QHash<QString, int> widths_;  // by font key and text
  QColor font_color_ = Qt::black;
  QPoint position_;
};

// The canvas on a QImage. A pixel ratio above 1 paints the same picture on more pixels (the
// image carries the ratio), so that it is sharp on a HiDPI screen.
class TQtCanvas : public TPainterCanvas {
 public:
  explicit TQtCanvas(qreal pixel_ratio = 1);
  ~TQtCanvas() override;

  void Reset(int width, int height) override;
  void LineTo(int x, int y) override;

  // The picture as drawn so far (drawing resumes with the next call).
  const QImage& Image();

 protected:
  QPaintDevice* Device() override;
  void FlushHeld() override;
  void WillCover(const QRect& rect) override;

 private:
  // Straight solid lines wait here to be filled together with the next one in their column.
  void FillStraight(const QRect& rect);
  // Not for another pixel ratio, a translucent colour, another mode or a picture shared with a
  // copy handed out (which the painter copies first).
  bool FillPixels(const QRect& rect, const QColor& colour) override;

  // The white of a blank picture, left out while nothing has been drawn: a drawing that starts by
  // covering the whole picture needs none.
  void MakeBlank();

  qreal pixel_ratio_;
  QImage image_;
  bool blank_pending_ = false;
  QRect pending_;
  QColor pending_colour_;
};

// A colour of the diagram as Qt shows it; system colours come from the application's palette.
QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);
QCursor ToQCursor(TCursor cursor);
TBitmap BitmapFromImage(const QImage& image);
