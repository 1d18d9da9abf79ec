#include "dialogs/ui/table_tool_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 16;
const QColor kInk(50, 50, 50);
const QColor kPaper(252, 252, 245);
const QColor kGreen(30, 140, 60);
const QColor kRed(200, 50, 40);
const QColor kBlue(40, 90, 180);

void Sheet(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(2.5, 1.5, 11, 13));
}

// A row of three cells with the middle one marked.
void Cells(QPainter& p, const QColor& middle) {
  p.setPen(QPen(kInk, 1));
  for (int i = 0; i < 3; ++i) {
    p.setBrush(i == 1 ? middle : kPaper);
    p.drawRect(QRectF(0.5 + i * 5, 9.5, 5, 5));
  }
}

void Draw(QPainter& p, TableGlyph glyph) {
  switch (glyph) {
    case TableGlyph::Process: {
      p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath tick;
      tick.moveTo(2.5, 8.5);
      tick.lineTo(6.5, 12.5);
      tick.lineTo(13.5, 3.5);
      p.drawPath(tick);
      break;
    }
    case TableGlyph::Open:
      p.setPen(QPen(QColor(150, 110, 30), 1));
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(QRectF(1.5, 4.5, 12, 9));
      p.setBrush(QColor(250, 220, 120));
      p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
      break;
    case TableGlyph::Save:
      p.setPen(QPen(kBlue.darker(130), 1));
      p.setBrush(kBlue);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(200, 210, 230));
      p.drawRect(QRectF(3.5, 9.5, 9, 5));
      break;
    case TableGlyph::Export:
      Sheet(p);
      p.setPen(QPen(kGreen, 1));
      for (double y : {5.5, 8.5, 11.5}) p.drawLine(QPointF(4, y), QPointF(12, y));
      p.drawLine(QPointF(8, 3), QPointF(8, 13));
      break;
    case TableGlyph::NewTable:
      Sheet(p);
      p.setPen(QPen(QColor(180, 180, 170), 1));
      for (double y : {5.5, 8.5, 11.5}) p.drawLine(QPointF(4, y), QPointF(12, y));
      break;
    case TableGlyph::InsertCell:
      Cells(p, QColor(200, 235, 200));
      p.setPen(QPen(kGreen, 2));
      p.drawLine(QPointF(8, 1), QPointF(8, 7));
      p.drawLine(QPointF(5, 4), QPointF(11, 4));
      break;
    case TableGlyph::DeleteCell:
      Cells(p, QColor(245, 200, 195));
      p.setPen(QPen(kRed, 2));
      p.drawLine(QPointF(5, 4), QPointF(11, 4));
      break;
    case TableGlyph::Close:
      p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
      break;
  }
}

}  // namespace

QIcon TableToolGlyph(TableGlyph glyph) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  Draw(p, glyph);
  return QIcon(pixmap);
}
