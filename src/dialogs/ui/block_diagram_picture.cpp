#include "dialogs/ui/block_diagram_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// The pictures are drawn on a 300 × 150 sheet scaled to the widget.
constexpr double kSheetWidth = 300;
constexpr double kSheetHeight = 150;

const QColor kLine(30, 30, 30);
const QColor kBox(236, 242, 252);
const QColor kAccent(25, 80, 170);

QFont LabelFont(double size, bool italic = true) {
  QFont font("Liberation Serif");
  font.setPixelSize(static_cast<int>(size));
  font.setItalic(italic);
  return font;
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  if (length <= 0) return;
  d /= length;
  const QPointF side(-d.y(), d.x());
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(QPolygonF({to, to - d * 7 + side * 3, to - d * 7 - side * 3}));
  p.restore();
}

// "z" with the exponent −1, centred on a box.
void DelayBox(QPainter& p, QPointF centre) {
  const QRectF box(centre.x() - 15, centre.y() - 11, 30, 22);
  p.setBrush(kBox);
  p.drawRect(box);
  p.setFont(LabelFont(15));
  p.drawText(QRectF(box.left() + 4, box.top(), 12, box.height()), Qt::AlignVCenter | Qt::AlignRight, "z");
  p.setFont(LabelFont(10, false));
  p.drawText(QRectF(box.left() + 16, box.top() + 1, 14, 10), Qt::AlignLeft | Qt::AlignTop, "−1");
}

// A coefficient multiplier: a triangle pointing along `direction` (down or left) with its name.
void Multiplier(QPainter& p, QPointF centre, bool points_down, const QString& name) {
  p.save();
  p.setBrush(QColor(255, 250, 235));
  p.setPen(QPen(kAccent, 1.3));
  QPolygonF triangle;
  if (points_down) {
    triangle << centre + QPointF(-9, -8) << centre + QPointF(9, -8) << centre + QPointF(0, 9);
  } else {
    triangle << centre + QPointF(8, -9) << centre + QPointF(8, 9) << centre + QPointF(-9, 0);
  }
  p.drawPolygon(triangle);
  p.setFont(LabelFont(13));
  const QRectF label =
      points_down ? QRectF(centre.x() + 10, centre.y() - 10, 40, 18) : QRectF(centre.x() - 20, centre.y() - 26, 40, 16);
  p.drawText(label, points_down ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter, name);
  p.restore();
}

void Adder(QPainter& p, QPointF centre) {
  p.setBrush(Qt::white);
  p.drawEllipse(centre, 9, 9);
  p.drawLine(centre + QPointF(-5, 0), centre + QPointF(5, 0));
  p.drawLine(centre + QPointF(0, -5), centre + QPointF(0, 5));
}

void Node(QPainter& p, QPointF at) {
  p.save();
  p.setBrush(kLine);
  p.drawEllipse(at, 2.5, 2.5);
  p.restore();
}

void Caption(QPainter& p, const QString& text) {
  p.setFont(LabelFont(12, false));
  p.setPen(QColor(90, 90, 90));
  p.drawText(QRectF(0, 2, kSheetWidth - 6, 14), Qt::AlignRight | Qt::AlignTop, text);
  p.setPen(QPen(kLine, 1.3));
}

// y(n) = a(0)x(n) + a(1)x(n−1) + … : taps along a delay line summed into the output.
void DrawNonRecursive(QPainter& p) {
  Caption(p, "Нерекурсивная часть");
  const double line_y = 42;
  const double sum_y = 118;
  const double taps[] = {34, 94, 154, 236};
  const char* names[] = {"a(0)", "a(1)", "a(2)", "a(N)"};
  p.setFont(LabelFont(15));
  p.drawText(QRectF(0, line_y - 22, 40, 16), Qt::AlignLeft, "x(n)");
  p.drawLine(QPointF(6, line_y), QPointF(taps[2], line_y));
  // The delay line is broken between a(2) and a(N): the taps in between are left out.
  p.save();
  p.setPen(QPen(kLine, 1.3, Qt::DotLine));
  p.drawLine(QPointF(taps[2], line_y), QPointF(196, line_y));
  p.restore();
  p.drawLine(QPointF(196, line_y), QPointF(taps[3], line_y));
  DelayBox(p, QPointF(64, line_y));
  DelayBox(p, QPointF(124, line_y));
  DelayBox(p, QPointF(210, line_y));
  for (int k = 0; k < 4; ++k) {
    Node(p, QPointF(taps[k], line_y));
    p.drawLine(QPointF(taps[k], line_y), QPointF(taps[k], 70));
    Multiplier(p, QPointF(taps[k], 79), true, names[k]);
    Arrow(p, QPointF(taps[k], 88), QPointF(taps[k], sum_y));
  }
  p.drawLine(QPointF(taps[0], sum_y), QPointF(taps[2], sum_y));
  p.save();
  p.setPen(QPen(kLine, 1.3, Qt::DotLine));
  p.drawLine(QPointF(taps[2], sum_y), QPointF(taps[3], sum_y));
  p.restore();
  Arrow(p, QPointF(taps[3], sum_y), QPointF(262, sum_y));
  Adder(p, QPointF(271, sum_y));
  Arrow(p, QPointF(271, sum_y + 9), QPointF(271, 142));
  p.setFont(LabelFont(15));
  p.drawText(QRectF(222, 128, 40, 18), Qt::AlignRight | Qt::AlignVCenter, "y(n)");
}

// y(n) = x(n) + b(1)y(n−1) + … + b(M)y(n−M): the delayed output fed back into the adder.
void DrawRecursive(QPainter& p) {
  Caption(p, "Рекурсивная часть");
  const double line_y = 30;
  const double adder_x = 80;
  const double tap_x = 226;
  const double rows[] = {78, 128};
  const char* names[] = {"b(1)", "b(M)"};
  p.setFont(LabelFont(15));
  p.drawText(QRectF(0, line_y - 22, 40, 16), Qt::AlignLeft, "x(n)");
  Arrow(p, QPointF(6, line_y), QPointF(adder_x - 9, line_y));
  Adder(p, QPointF(adder_x, line_y));
  Arrow(p, QPointF(adder_x + 9, line_y), QPointF(290, line_y));
  p.setFont(LabelFont(15));
  p.drawText(QRectF(254, line_y + 2, 40, 18), Qt::AlignLeft, "y(n)");
  Node(p, QPointF(tap_x, line_y));
  p.drawLine(QPointF(tap_x, line_y), QPointF(tap_x, 43));
  DelayBox(p, QPointF(tap_x, 54));
  p.drawLine(QPointF(tap_x, 65), QPointF(tap_x, rows[0]));
  p.save();
  p.setPen(QPen(kLine, 1.3, Qt::DotLine));
  p.drawLine(QPointF(tap_x, rows[0]), QPointF(tap_x, 93));
  p.restore();
  DelayBox(p, QPointF(tap_x, 104));
  p.drawLine(QPointF(tap_x, 115), QPointF(tap_x, rows[1]));
  for (int k = 0; k < 2; ++k) {
    Node(p, QPointF(tap_x, rows[k]));
    p.drawLine(QPointF(tap_x, rows[k]), QPointF(tap_x - 36, rows[k]));
    Multiplier(p, QPointF(tap_x - 45, rows[k]), false, names[k]);
    p.drawLine(QPointF(tap_x - 54, rows[k]), QPointF(adder_x, rows[k]));
  }
  p.drawLine(QPointF(adder_x, rows[1]), QPointF(adder_x, rows[0]));
  Arrow(p, QPointF(adder_x, rows[0]), QPointF(adder_x, line_y + 9));
}

}  // namespace

BlockDiagramPicture::BlockDiagramPicture(FilterStructure structure, QWidget* parent)
    : QWidget(parent), structure_(structure) {
  setCursor(Qt::PointingHandCursor);
}

void BlockDiagramPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  const double scale = std::min(width() / kSheetWidth, height() / kSheetHeight);
  p.translate((width() - kSheetWidth * scale) / 2, (height() - kSheetHeight * scale) / 2);
  p.scale(scale, scale);
  p.setPen(QPen(kLine, 1.3));
  if (structure_ == FilterStructure::kNonRecursive) {
    DrawNonRecursive(p);
  } else {
    DrawRecursive(p);
  }
}

void BlockDiagramPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit MouseDown();
}

void BlockDiagramPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  emit MouseUp();
  if (rect().contains(event->position().toPoint())) emit Clicked();
}
