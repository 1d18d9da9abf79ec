#include "dialogs/ui/example_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "dialogs/ui/formula.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLabelSize = 14;
const QColor kCurveColour(0, 90, 200);
const QColor kBandColour(226, 236, 250);
const QColor kGuideColour(120, 120, 120);

// The example responses: a 4th-order Butterworth and a 3rd-order Chebyshev with a ripple of
// 0.15, both with the edge of their flat part at 1.2 rad, drawn at levels that keep the marks apart.
constexpr int kButterworthOrder = 4;
constexpr int kChebyshevOrder = 3;
constexpr double kFlatEdge = 1.2;
constexpr double kRipple = 0.15;
constexpr double kStopLevel = 0.1;

double ChebyshevEpsilon2() { return 1 / ((1 - kRipple) * (1 - kRipple)) - 1; }

// Frequency ratio tan(ω/2)/tan(ω0/2) of the prewarped prototypes.
double Ratio(double omega) { return std::tan(omega / 2) / std::tan(kFlatEdge / 2); }
double FromRatio(double x) { return 2 * std::atan(x * std::tan(kFlatEdge / 2)); }

double ChebyshevPolynomial(int n, double x) {
  return std::fabs(x) <= 1 ? std::cos(n * std::acos(x)) : std::cosh(n * std::acosh(std::fabs(x)));
}

double ExampleAmplitude(AmplitudeExample::Kind kind, double omega) {
  const double x = Ratio(omega);
  if (kind == AmplitudeExample::Kind::kButterworth) return 1 / std::sqrt(1 + std::pow(x, 2 * kButterworthOrder));
  const double t = ChebyshevPolynomial(kChebyshevOrder, x);
  return 1 / std::sqrt(1 + ChebyshevEpsilon2() * t * t);
}

// The frequency at which the example falls to a level below its flat part.
double ExampleEdge(AmplitudeExample::Kind kind, double level) {
  const double factor = 1 / (level * level) - 1;
  if (kind == AmplitudeExample::Kind::kButterworth) return FromRatio(std::pow(factor, 0.5 / kButterworthOrder));
  return FromRatio(std::cosh(std::acosh(std::sqrt(factor / ChebyshevEpsilon2())) / kChebyshevOrder));
}

double PassLevel(AmplitudeExample::Kind kind) { return kind == AmplitudeExample::Kind::kButterworth ? 0.7071 : 0.6; }

void DrawArrowHead(QPainter& painter, QPointF tip, QPointF direction) {
  const double length = std::hypot(direction.x(), direction.y());
  const QPointF u = direction / length;
  const QPointF n(-u.y(), u.x());
  const double size = 7;
  QPolygonF head;
  head << tip << tip - u * size + n * size * 0.38 << tip - u * size - n * size * 0.38;
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(head);
  painter.setBrush(Qt::NoBrush);
}

void DrawArrow(QPainter& painter, QPointF from, QPointF to) {
  painter.drawLine(from, to);
  DrawArrowHead(painter, to, to - from);
}

void DrawDoubleArrow(QPainter& painter, QPointF a, QPointF b) {
  painter.drawLine(a, b);
  DrawArrowHead(painter, a, a - b);
  DrawArrowHead(painter, b, b - a);
}

void DrawBackground(QPainter& painter, const QWidget& widget) {
  painter.fillRect(widget.rect(), Qt::white);
  painter.setPen(QPen(widget.palette().color(QPalette::Mid), 1));
  painter.drawRect(QRectF(widget.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

// Axes from the map's origin with arrows, the y name above the y arrow and the x name under the
// end of the x arrow.
void DrawAxes(QPainter& painter, const PlotMap& map, QPointF origin, const Formula& x_name, const Formula& y_name) {
  const QRectF& r = map.Pixels();
  painter.setPen(QPen(Qt::black, 1.2));
  DrawArrow(painter, QPointF(r.left() - 6, origin.y()), QPointF(r.right() + 14, origin.y()));
  DrawArrow(painter, QPointF(origin.x(), r.bottom() + 6), QPointF(origin.x(), r.top() - 16));
  const QSizeF x_size = FormulaSize(x_name, kLabelSize);
  DrawFormula(painter, x_name, kLabelSize, QPointF(r.right() + 14 - x_size.width() / 2, origin.y() + 14));
  const QSizeF y_size = FormulaSize(y_name, kLabelSize);
  DrawFormula(painter, y_name, kLabelSize, QPointF(origin.x() + y_size.width() / 2 - 4, r.top() - 26));
}

void DrawGuide(QPainter& painter, QPointF a, QPointF b) {
  painter.setPen(QPen(kGuideColour, 1, Qt::DashLine));
  painter.drawLine(a, b);
}

void DrawCurve(QPainter& painter, const QPolygonF& points) {
  painter.setPen(QPen(kCurveColour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(points);
}

void LabelLeft(QPainter& painter, const Formula& label, QPointF point) {
  const QSizeF size = FormulaSize(label, kLabelSize);
  DrawFormula(painter, label, kLabelSize, QPointF(point.x() - 6 - size.width() / 2, point.y()));
}

void LabelBelow(QPainter& painter, const Formula& label, QPointF point) {
  DrawFormula(painter, label, kLabelSize, QPointF(point.x(), point.y() + 13));
}

}  // namespace

ExamplePicture::ExamplePicture(const QString& hint, QWidget* parent) : QWidget(parent) { setToolTip(hint); }

AmplitudeExample::AmplitudeExample(Kind kind, QWidget* parent)
    : ExamplePicture(kind == Kind::kButterworth ? "Пример АЧХ фильтра Баттерворта и обозначения"
                                                : "Пример АЧХ фильтра Чебышева и обозначения",
                     parent),
      kind_(kind) {}

void AmplitudeExample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter, *this);
  const PlotMap map(QRectF(44, 52, width() - 44 - 34, height() - 52 - 44), 0, 1.1 * kPi, 0, 1.22);
  const double lp = PassLevel(kind_);
  const double wp = ExampleEdge(kind_, lp);
  const double ws = ExampleEdge(kind_, kStopLevel);
  const QPointF origin = map(0, 0);

  // The transition band, with its width above the response.
  painter.fillRect(QRectF(map(wp, 1.22), map(ws, 0)), kBandColour);
  painter.setPen(QPen(Qt::black, 1));
  DrawDoubleArrow(painter, map(wp, 1.1), map(ws, 1.1));
  DrawFormula(painter, Formula().Plain("Δ").Var("ω"), kLabelSize, (map(wp, 1.1) + map(ws, 1.1)) / 2 + QPointF(0, -10));

  DrawGuide(painter, map(0, 1), map(1.1 * kPi, 1));
  DrawGuide(painter, map(0, lp), map(wp, lp));
  DrawGuide(painter, map(wp, lp), map(wp, 0));
  DrawGuide(painter, map(0, kStopLevel), map(ws, kStopLevel));
  DrawGuide(painter, map(ws, kStopLevel), map(ws, 0));
  if (kind_ == Kind::kChebyshev) {
    // The ripple span r between 1 and 1 − r.
    // The ripple span r between 1 and 1 − r, marked clear of the response.
    constexpr double kMarkAt = 2.3;
    DrawGuide(painter, map(0, 1 - kRipple), map(kMarkAt + 0.15, 1 - kRipple));
    painter.setPen(QPen(Qt::black, 1));
    DrawDoubleArrow(painter, map(kMarkAt, 1), map(kMarkAt, 1 - kRipple));
    DrawFormula(painter, Formula().Var("r"), kLabelSize,
                (map(kMarkAt, 1) + map(kMarkAt, 1 - kRipple)) / 2 + QPointF(10, 0));
  }

  QPolygonF curve;
  for (int i = 0; i <= 400; ++i) {
    const double w = kPi * i / 400;
    curve << map(w, ExampleAmplitude(kind_, w));
  }
  DrawCurve(painter, curve);

  DrawAxes(painter, map, origin, Formula().Var("ω").Var("T"),
           Formula().Plain("|").Var("H").Plain("(").Var("e").Sup("jωT", true).Plain(")|"));
  painter.setPen(Qt::black);
  LabelLeft(painter, Formula().Plain("1"), map(0, 1));
  LabelLeft(painter, Formula().Var("L").Sub("p"), map(0, lp));
  LabelLeft(painter, Formula().Var("L").Sub("s"), map(0, kStopLevel));
  LabelLeft(painter, Formula().Plain("0"), origin + QPointF(0, 9));
  LabelBelow(painter, Formula().Var("ω").Sub("p").Var("T"), map(wp, 0) + QPointF(-8, 0));
  LabelBelow(painter, Formula().Var("ω").Sub("s").Var("T"), map(ws, 0) + QPointF(8, 0));
  LabelBelow(painter, Formula().Var("π"), map(kPi, 0));
  painter.drawLine(map(kPi, 0), map(kPi, 0) + QPointF(0, 4));
}

ImpulseExample::ImpulseExample(Kind kind, QWidget* parent)
    : ExamplePicture(kind == Kind::kWindowed ? "Пример импульсной характеристики фильтра со взвешиванием"
                                             : "Пример импульсной характеристики фильтра частотной выборки",
                     parent),
      kind_(kind) {}

void ImpulseExample::paintEvent(QPaintEvent*) {
  // Taps of order N = 20 with the cut-off π/4 and their centre at N/2, the last tap being 0.
  constexpr int kOrder = 20;
  constexpr int kCentre = kOrder / 2;
  constexpr double kCutoff = kPi / 4;
  const auto hamming = [](double m) { return 0.54 + 0.46 * std::cos(2 * kPi * m / kOrder); };
  const auto tap = [&](int n) {
    if (n >= kOrder) return 0.0;
    const int m = n - kCentre;
    if (m == 0) return kCutoff / kPi;
    if (kind_ == Kind::kWindowed) return std::sin(m * kCutoff) / (kPi * m) * hamming(m);
    return std::sin(m * kCutoff) / (kOrder * std::sin(kPi * m / kOrder));
  };

  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter, *this);
  const PlotMap map(QRectF(30, 52, width() - 30 - 34, height() - 52 - 24), -1, kOrder + 2.5, -0.08, 0.3);
  const QPointF origin = map(0, 0);

  if (kind_ == Kind::kWindowed) {
    // The Hamming window, scaled to the centre tap.
    QPolygonF window;
    for (int i = 0; i <= 200; ++i) {
      const double n = kOrder * i / 200.0;
      window << map(n, kCutoff / kPi * hamming(n - kCentre));
    }
    painter.setPen(QPen(kGuideColour, 1, Qt::DashLine));
    painter.drawPolyline(window);
  }

  DrawAxes(painter, map, origin, Formula().Var("n"), Formula().Var("h").Plain("(").Var("n").Plain(")"));
  for (int n = 0; n <= kOrder; ++n) {
    const QPointF top = map(n, tap(n));
    painter.setPen(QPen(kCurveColour, 1.6));
    painter.drawLine(map(n, 0), top);
    painter.setBrush(Qt::white);
    painter.drawEllipse(top, 2.8, 2.8);
    painter.setBrush(Qt::NoBrush);
  }
  painter.setPen(Qt::black);
  for (const auto& [n, label] : {std::pair{kCentre, Formula().Var("N").Plain("/2")}, {kOrder, Formula().Var("N")}}) {
    painter.drawLine(map(n, 0), map(n, 0) + QPointF(0, 4));
    LabelBelow(painter, label, map(n, 0) + QPointF(0, 2));
  }
  LabelBelow(painter, Formula().Plain("0"), origin + QPointF(-8, 2));
}
