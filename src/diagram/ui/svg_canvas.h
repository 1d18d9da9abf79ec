#pragma once
// The diagram's canvas as an SVG document: lines, text and the series' curves stay vector shapes.
// Lines drawn one after another with one pen become one path, so a curve is one path element.

#include <QBuffer>
#include <QByteArray>
#include <QPainterPath>
#include <QString>
#include <memory>

#include "diagram/ui/qt_canvas.h"

class QSvgGenerator;

class TSvgCanvas : public TPainterCanvas {
 public:
  // `title` names the document (the diagram's name).
  explicit TSvgCanvas(QString title = {});
  ~TSvgCanvas() override;

  void Reset(int width, int height) override;
  void SetPen(TColor color, TPenStyle style, int width, TPenMode mode) override;
  void LineTo(int x, int y) override;

  // The document as drawn since the last Reset; empty when nothing was drawn.
  QByteArray Document();

 protected:
  QPaintDevice* Device() override;
  void FlushHeld() override;
  QPointF StrokeShift() const override;

 private:
  QString title_;
  QBuffer buffer_;
  std::unique_ptr<QSvgGenerator> generator_;
  QPainterPath held_;
};
