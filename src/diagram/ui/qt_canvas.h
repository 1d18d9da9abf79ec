#pragma once
// The diagram's canvas on a QImage: what the widget shows, saves and copies.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include "diagram/canvas.h"

class TQtCanvas : public Canvas {
 public:
  TQtCanvas() = default;
  ~TQtCanvas() override;
  TQtCanvas(const TQtCanvas&) = delete;
  TQtCanvas& operator=(const TQtCanvas&) = delete;

  void Reset(int width, int height) override;
  void SetPen(TColor color, TPenStyle style, int width, TPenMode mode) override;
  void SetBrushColor(TColor color) override;
  void SetFont(const TFont& font) override;
  void FillRect(const TRect& rect) override;
  void Rectangle(const TRect& rect) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(const TRect& rect) override;
  void SetPixel(int x, int y, TColor color) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void DrawBitmap(int x, int y, const TBitmap& bitmap) override;

  // The picture as drawn so far (drawing resumes with the next call).
  const QImage& Image();

 private:
  // The painter on the image, begun with the current pen, brush and mode; null for an empty image.
  QPainter* Painter();
  void ApplyPen();
  // Straight solid lines wait here to be filled together with the next one in their column.
  void FillStraight(const QRect& rect);
  void FlushStraight();

  QImage image_;
  QPainter painter_;
  QPen pen_;
  TPenMode mode_ = pmCopy;
  QColor brush_ = Qt::white;
  QFont font_;
  QColor font_color_ = Qt::black;
  QPoint position_;
  QRect pending_;
  QColor pending_colour_;
};

// A colour of the diagram as Qt shows it; system colours come from the application's palette.
QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);
QCursor ToQCursor(TCursor cursor);
TBitmap BitmapFromImage(const QImage& image);
