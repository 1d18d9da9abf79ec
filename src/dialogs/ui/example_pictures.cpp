#include "dialogs/ui/example_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "dialogs/ui/formula.h"
#include "filter/band_frequencies.h"
#include "filter/fr_sampling.h"
#include "filter/weighing.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLabelSize = 14;
const QColor kCurveColour(0, 90, 200);
const QColor kBandColour(226, 236, 250);
const QColor kGuideColour(120, 120, 120);

// The example responses: a 4th-order Butterworth and a 3rd-order Chebyshev with a ripple of
// 0.15, both with the edges of their flat part at the frequencies below, drawn at levels that keep
// the marks apart.
constexpr int kButterworthOrder = 4;
constexpr int kChebyshevOrder = 3;
constexpr double kRipple = 0.15;
constexpr double kStopLevel = 0.1;

double ChebyshevEpsilon2() { return 1 / ((1 - kRipple) * (1 - kRipple)) - 1; }

// The edges of the flat part (rad): one for low-pass and high-pass, two for the others.
std::pair<double, double> FlatEdges(BandType band) {
  switch (band) {
    case BandType::kLowPass: return {1.2, 0};
    case BandType::kHighPass: return {1.9, 0};
    case BandType::kBandPass: return {1.1, 2.1};
    case BandType::kBandStop: return {0.8, 2.3};
  }
  return {1.2, 0};
}

// The example's band transformation: |X| = 1 at the flat edges.
BandFrequencies ExampleBand(BandType band) {
  const auto [first, second] = FlatEdges(band);
  return BandFrequencies(band, first, second);
}

// The frequencies at which |X| = x, ascending.
std::vector<double> FrequenciesAt(const BandFrequencies& band, double x) {
  std::vector<double> omegas = band.PrewarpedAt(x);
  for (double& w : omegas) w = 2 * std::atan(w);
  return omegas;
}

double ChebyshevPolynomial(int n, double x) {
  return std::fabs(x) <= 1 ? std::cos(n * std::acos(x)) : std::cosh(n * std::acosh(std::fabs(x)));
}

double ExampleAmplitude(AmplitudeExample::Kind kind, double x) {
  x = std::fabs(x);
  if (kind == AmplitudeExample::Kind::kButterworth) return 1 / std::sqrt(1 + std::pow(x, 2 * kButterworthOrder));
  const double t = ChebyshevPolynomial(kChebyshevOrder, x);
  return 1 / std::sqrt(1 + ChebyshevEpsilon2() * t * t);
}

// The prototype frequency at which the example falls to a level below its flat part.
double PrototypeAtLevel(AmplitudeExample::Kind kind, double level) {
  const double factor = 1 / (level * level) - 1;
  if (kind == AmplitudeExample::Kind::kButterworth) return std::pow(factor, 0.5 / kButterworthOrder);
  return std::cosh(std::acosh(std::sqrt(factor / ChebyshevEpsilon2())) / kChebyshevOrder);
}

double PassLevel(AmplitudeExample::Kind kind) { return kind == AmplitudeExample::Kind::kButterworth ? 0.7071 : 0.6; }

// Where the ripple span is marked: in a stop band, clear of the response.
double RippleMarkAt(BandType band) {
  switch (band) {
    case BandType::kLowPass: return 2.3;
    case BandType::kBandStop: {
      const auto [first, second] = FlatEdges(band);
      return 2 * std::atan(std::sqrt(std::tan(first / 2) * std::tan(second / 2)));
    }
    default: return 0.45;
  }
}

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

void AmplitudeExample::SetBand(BandType band) {
  band_ = band;
  update();
}

void AmplitudeExample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter, *this);
  const PlotMap map(QRectF(44, 52, width() - 44 - 34, height() - 52 - 44), 0, 1.1 * kPi, 0, 1.22);
  const double lp = PassLevel(kind_);
  // Pass and stop edges pair up in order: each transition band lies between the two of a pair.
  const BandFrequencies band = ExampleBand(band_);
  const std::vector<double> pass = FrequenciesAt(band, PrototypeAtLevel(kind_, lp));
  const std::vector<double> stop = FrequenciesAt(band, PrototypeAtLevel(kind_, kStopLevel));
  const QPointF origin = map(0, 0);

  // The transition bands, with their widths above the response.
  for (std::size_t i = 0; i < pass.size(); ++i) {
    const double left = std::min(pass[i], stop[i]);
    const double right = std::max(pass[i], stop[i]);
    painter.fillRect(QRectF(map(left, 1.22), map(right, 0)), kBandColour);
    painter.setPen(QPen(Qt::black, 1));
    DrawDoubleArrow(painter, map(left, 1.1), map(right, 1.1));
    DrawFormula(painter, Formula().Plain("Δ").Var("ω"), kLabelSize,
                (map(left, 1.1) + map(right, 1.1)) / 2 + QPointF(0, -10));
  }

  DrawGuide(painter, map(0, 1), map(1.1 * kPi, 1));
  DrawGuide(painter, map(0, lp), map(pass.back(), lp));
  DrawGuide(painter, map(0, kStopLevel), map(stop.back(), kStopLevel));
  for (const double edge : pass) DrawGuide(painter, map(edge, lp), map(edge, 0));
  for (const double edge : stop) DrawGuide(painter, map(edge, kStopLevel), map(edge, 0));
  if (kind_ == Kind::kChebyshev) {
    // The ripple span r between 1 and 1 − r, marked clear of the response; the guide reaches
    // across the pass bands.
    const double mark_at = RippleMarkAt(band_);
    const double guide_end = band_ == BandType::kLowPass ? mark_at + 0.15 : kPi;
    DrawGuide(painter, map(0, 1 - kRipple), map(guide_end, 1 - kRipple));
    painter.setPen(QPen(Qt::black, 1));
    DrawDoubleArrow(painter, map(mark_at, 1), map(mark_at, 1 - kRipple));
    DrawFormula(painter, Formula().Var("r"), kLabelSize,
                (map(mark_at, 1) + map(mark_at, 1 - kRipple)) / 2 + QPointF(10, 0));
  }

  QPolygonF curve;
  for (int i = 0; i <= 400; ++i) {
    const double w = kPi * i / 400;
    curve << map(w, ExampleAmplitude(kind_, band.XAt(w)));
  }
  DrawCurve(painter, curve);

  DrawAxes(painter, map, origin, Formula().Var("ω").Var("T"),
           Formula().Plain("|").Var("H").Plain("(").Var("e").Sup("jωT", true).Plain(")|"));
  painter.setPen(Qt::black);
  LabelLeft(painter, Formula().Plain("1"), map(0, 1));
  LabelLeft(painter, Formula().Var("L").Sub("p"), map(0, lp));
  LabelLeft(painter, Formula().Var("L").Sub("s"), map(0, kStopLevel));
  LabelLeft(painter, Formula().Plain("0"), origin + QPointF(0, 9));
  // Each edge's name leans away from the other edge of its transition band; with two bands the
  // stop edges' names go a line lower, clear of the pass edges' ones.
  const double stop_drop = pass.size() > 1 ? 16 : 0;
  for (std::size_t i = 0; i < pass.size(); ++i) {
    const double lean = pass[i] < stop[i] ? -8 : 8;
    const QString second = i == 0 ? "" : "2";
    LabelBelow(painter, Formula().Var("ω").Sub("p" + second).Var("T"), map(pass[i], 0) + QPointF(lean, 0));
    LabelBelow(painter, Formula().Var("ω").Sub("s" + second).Var("T"), map(stop[i], 0) + QPointF(-lean, stop_drop));
  }
  LabelBelow(painter, Formula().Var("π"), map(kPi, 0));
  painter.drawLine(map(kPi, 0), map(kPi, 0) + QPointF(0, 4));
}

namespace {

// The example taps: order 20, cut-offs π/4 and π/2 (π/2 alone for high-pass), Kaiser's β = 5,
// designed as the page's own design does.
constexpr int kExampleOrder = 20;
constexpr double kExampleBeta = 5;
constexpr double kFormulaSize = 13;

template <class Design>
std::vector<double> ExampleTaps(BandType band, FirWindow window) {
  Design design;
  const bool high_pass = band == BandType::kHighPass;
  design.SetWc2(kPi / 2);
  design.SetWc(high_pass ? kPi / 2 : kPi / 4);
  design.SetBand(band);
  design.SetOrder(kExampleOrder);
  design.SetWindow(window);
  design.SetKaiserBeta(kExampleBeta);
  design.Design();
  std::vector<double> taps;
  for (int n = 0; n <= kExampleOrder; ++n) taps.push_back(design.ACoef(n));
  return taps;
}

// The window at a (fractional) offset m from the centre, for the outline.
double ExampleWindow(FirWindow window, double m) {
  const double angle = 2 * kPi * m / kExampleOrder;
  switch (window) {
    case FirWindow::kRectangular: return 1;
    case FirWindow::kHamming: return 0.54 + 0.46 * std::cos(angle);
    case FirWindow::kHann: return 0.5 + 0.5 * std::cos(angle);
    case FirWindow::kBlackman: return 0.42 + 0.5 * std::cos(angle) + 0.08 * std::cos(2 * angle);
    case FirWindow::kKaiser: {
      const double r = 2 * m / kExampleOrder;
      return std::cyl_bessel_i(0.0, kExampleBeta * std::sqrt(std::max(0.0, 1 - r * r))) /
             std::cyl_bessel_i(0.0, kExampleBeta);
    }
  }
  return 1;
}

// w(m) as the windowed design writes it.
Formula WindowFormula(FirWindow window) {
  Formula w;
  w.Var("w").Plain("(").Var("m").Plain(") = ");
  const auto cosine = [&](const QString& factor, const QString& multiple) {
    w.Plain(factor + "cos(" + multiple + "π").Var("m").Plain("/").Var("N").Plain(")");
  };
  switch (window) {
    case FirWindow::kRectangular: w.Plain("1"); break;
    case FirWindow::kHamming: cosine("0,54 + 0,46 ", "2"); break;
    case FirWindow::kHann: cosine("0,5 + 0,5 ", "2"); break;
    case FirWindow::kBlackman:
      cosine("0,42 + 0,5 ", "2");
      cosine(" + 0,08 ", "4");
      break;
    case FirWindow::kKaiser:
      w.Var("I").Sub("0", false).Plain("(").Var("β").Plain("√(1 − (2").Var("m").Plain("/").Var("N").Plain(")");
      w.Sup("2").Plain(")) / ").Var("I").Sub("0", false).Plain("(").Var("β").Plain(")");
      break;
  }
  return w;
}

}  // namespace

ImpulseExample::ImpulseExample(Kind kind, QWidget* parent)
    : ExamplePicture(kind == Kind::kWindowed ? "Пример импульсной характеристики фильтра со взвешиванием"
                                             : "Пример импульсной характеристики фильтра частотной выборки",
                     parent),
      kind_(kind) {}

void ImpulseExample::SetBand(BandType band) {
  band_ = band;
  update();
}

void ImpulseExample::SetWindow(FirWindow window) {
  window_ = window;
  update();
}

void ImpulseExample::paintEvent(QPaintEvent*) {
  constexpr int kCentre = kExampleOrder / 2;
  const std::vector<double> taps = kind_ == Kind::kWindowed ? ExampleTaps<CWeighingFilter>(band_, window_)
                                                            : ExampleTaps<CFrSamplingFilter>(band_, window_);
  const auto [low, high] = std::minmax_element(taps.begin(), taps.end());
  const double top = std::max(*high, 0.05);
  const double bottom = std::min(*low, 0.0);
  const double margin = 0.15 * (top - bottom);

  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter, *this);
  const Formula formula = WindowFormula(window_);
  const double formula_height = FormulaSize(formula, kFormulaSize).height() + 10;
  const PlotMap map(QRectF(30, 52, width() - 30 - 34, height() - 52 - 24 - formula_height), -1, kExampleOrder + 2.5,
                    bottom - margin, top + margin / 2);
  const QPointF origin = map(0, 0);

  if (window_ != FirWindow::kRectangular) {
    // The window's outline, scaled to the largest tap.
    const double scale = std::max(*high, -*low);
    QPolygonF outline;
    for (int i = 0; i <= 200; ++i) {
      const double n = kExampleOrder * i / 200.0;
      outline << map(n, scale * ExampleWindow(window_, n - kCentre));
    }
    painter.setPen(QPen(kGuideColour, 1, Qt::DashLine));
    painter.drawPolyline(outline);
  }

  DrawAxes(painter, map, origin, Formula().Var("n"), Formula().Var("h").Plain("(").Var("n").Plain(")"));
  for (int n = 0; n <= kExampleOrder; ++n) {
    const QPointF tip = map(n, taps[static_cast<std::size_t>(n)]);
    painter.setPen(QPen(kCurveColour, 1.6));
    painter.drawLine(map(n, 0), tip);
    painter.setBrush(Qt::white);
    painter.drawEllipse(tip, 2.8, 2.8);
    painter.setBrush(Qt::NoBrush);
  }
  painter.setPen(Qt::black);
  for (const auto& [n, label] :
       {std::pair{kCentre, Formula().Var("N").Plain("/2")}, {kExampleOrder, Formula().Var("N")}}) {
    painter.drawLine(map(n, 0), map(n, 0) + QPointF(0, 4));
    LabelBelow(painter, label, map(n, 0) + QPointF(0, 2));
  }
  LabelBelow(painter, Formula().Plain("0"), origin + QPointF(-8, 2));
  DrawFormula(painter, formula, kFormulaSize, QPointF(width() / 2.0, height() - formula_height / 2 - 4));
}
