#include "diagram/ui/tool_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygonF>

namespace {

constexpr int kSize = 16;
const QColor kInk(40, 40, 40);
const QColor kAccent(30, 100, 200);
const QColor kWarm(200, 60, 40);

void Arrowhead(QPainter& p, QPointF tip, QPointF direction) {
  const QPointF side(-direction.y(), direction.x());
  p.drawPolygon(QPolygonF({tip, tip - direction * 3 + side * 2.5, tip - direction * 3 - side * 2.5}));
}

void DrawMeasure(QPainter& p) {
  p.setPen(QPen(kInk, 1.2));
  p.drawLine(QPointF(8, 1), QPointF(8, 5.5));
  p.drawLine(QPointF(8, 10.5), QPointF(8, 15));
  p.drawLine(QPointF(1, 8), QPointF(5.5, 8));
  p.drawLine(QPointF(10.5, 8), QPointF(15, 8));
  p.setPen(QPen(kWarm, 1.4));
  p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

void DrawLimits(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.drawRect(QRectF(4.5, 4.5, 7, 7));
  p.setPen(QPen(kAccent, 1.3));
  p.setBrush(kAccent);
  p.drawLine(QPointF(8, 0.8), QPointF(8, 3.2));
  p.drawLine(QPointF(8, 12.8), QPointF(8, 15.2));
  p.drawLine(QPointF(0.8, 8), QPointF(3.2, 8));
  p.drawLine(QPointF(12.8, 8), QPointF(15.2, 8));
  Arrowhead(p, QPointF(8, 0.5), QPointF(0, -1) * 0.7);
  Arrowhead(p, QPointF(8, 15.5), QPointF(0, 1) * 0.7);
  Arrowhead(p, QPointF(0.5, 8), QPointF(-1, 0) * 0.7);
  Arrowhead(p, QPointF(15.5, 8), QPointF(1, 0) * 0.7);
}

void DrawReturnLimits(QPainter& p) {
  p.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap));
  QPainterPath arc;
  arc.moveTo(4, 5);
  arc.lineTo(10, 5);
  arc.cubicTo(16, 5, 16, 14, 10, 14);
  arc.lineTo(5, 14);
  p.drawPath(arc);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawPolygon(QPolygonF({QPointF(0.5, 5), QPointF(5.5, 1), QPointF(5.5, 9)}));
}

void DrawIncrease(QPainter& p) {
  p.setPen(QPen(kInk, 1.6));
  p.setBrush(QColor(225, 238, 255));
  p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
  p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10.3, 10.3), QPointF(14.5, 14.5));
  p.setPen(QPen(kAccent, 1.5));
  p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
  p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void DrawSave(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kAccent);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 1.5, 8, 5));
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(QRectF(3.5, 9.5, 9, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(9, 2.5, 2, 3));
}

void DrawCopy(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(1.5, 1.5, 8, 10));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 4.5, 8, 10));
  p.setPen(QPen(kAccent, 1));
  for (double y : {7.5, 9.5, 11.5}) p.drawLine(QPointF(8.5, y), QPointF(12.5, y));
}

void DrawHideWhileZooming(QPainter& p) {
  p.setPen(QPen(kAccent, 1.5));
  QPainterPath wave;
  wave.moveTo(1, 9);
  wave.cubicTo(4, 1, 6, 1, 8, 8);
  wave.cubicTo(10, 15, 12, 15, 15, 7);
  p.drawPath(wave);
  p.setPen(QPen(kWarm, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(2, 14), QPointF(14, 2));
}

void DrawClose(QPainter& p) {
  p.setPen(QPen(kWarm, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

QPixmap Draw(TToolGlyph glyph, bool disabled) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (disabled) p.setOpacity(0.35);
  switch (glyph) {
    case TToolGlyph::Measure: DrawMeasure(p); break;
    case TToolGlyph::Limits: DrawLimits(p); break;
    case TToolGlyph::ReturnLimits: DrawReturnLimits(p); break;
    case TToolGlyph::Increase: DrawIncrease(p); break;
    case TToolGlyph::Save: DrawSave(p); break;
    case TToolGlyph::Copy: DrawCopy(p); break;
    case TToolGlyph::HideWhileZooming: DrawHideWhileZooming(p); break;
    case TToolGlyph::Close: DrawClose(p); break;
  }
  return pixmap;
}

}  // namespace

QIcon ToolGlyph(TToolGlyph glyph) {
  // Every diagram frame shows the same pictures: each is drawn once and kept in Qt's cache.
  const auto drawn = [glyph](bool disabled) {
    const QString key = QString("velmar-tool-glyph-%1-%2").arg(static_cast<int>(glyph)).arg(disabled);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
      pixmap = Draw(glyph, disabled);
      QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
  };
  QIcon icon(drawn(false));
  icon.addPixmap(drawn(true), QIcon::Disabled);
  return icon;
}
