#include "dialogs/ui/formula.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

constexpr double kScriptScale = 0.7;
constexpr double kSubDrop = 0.25;  // of the base size
constexpr double kSupRise = 0.4;
constexpr double kItalicGap = 0.06;  // an italic letter leans into what follows

QFont RunFont(const Formula::Run& run, double pixel_size) {
  QFont font("Liberation Serif");
  font.setPixelSize(std::max(
      1, static_cast<int>(std::lround(run.place == Formula::Place::kBase ? pixel_size : pixel_size * kScriptScale))));
  font.setItalic(run.italic);
  return font;
}

double RunWidth(const Formula::Run& run, double pixel_size) {
  const double width = QFontMetricsF(RunFont(run, pixel_size)).horizontalAdvance(run.text);
  return width + (run.italic ? kItalicGap * pixel_size : 0);
}

double RunShift(const Formula::Run& run, double pixel_size) {
  switch (run.place) {
    case Formula::Place::kSub: return kSubDrop * pixel_size;
    case Formula::Place::kSup: return -kSupRise * pixel_size;
    case Formula::Place::kBase: break;
  }
  return 0;
}

}  // namespace

Formula& Formula::Add(const QString& text, bool italic, Place place) {
  runs_.push_back({text, italic, place});
  return *this;
}

QSizeF FormulaSize(const Formula& formula, double pixel_size) {
  double width = 0;
  for (const Formula::Run& run : formula.Runs()) width += RunWidth(run, pixel_size);
  const QFontMetricsF base(RunFont({}, pixel_size));
  return {width, base.height() + (kSubDrop + kSupRise) * pixel_size * 0.6};
}

void DrawFormula(QPainter& painter, const Formula& formula, double pixel_size, QPointF centre) {
  const QSizeF size = FormulaSize(formula, pixel_size);
  const QFontMetricsF base(RunFont({}, pixel_size));
  double x = centre.x() - size.width() / 2;
  const double baseline = centre.y() + (base.ascent() - base.descent()) / 2;
  for (const Formula::Run& run : formula.Runs()) {
    painter.setFont(RunFont(run, pixel_size));
    painter.drawText(QPointF(x, baseline + RunShift(run, pixel_size)), run.text);
    x += RunWidth(run, pixel_size);
  }
}

FormulaLabel::FormulaLabel(Formula formula, const QString& hint, QWidget* parent, double pixel_size)
    : QWidget(parent), formula_(std::move(formula)), pixel_size_(pixel_size) {
  setToolTip(hint);
}

QSize FormulaLabel::sizeHint() const {
  const QSizeF size = FormulaSize(formula_, pixel_size_);
  return {static_cast<int>(std::ceil(size.width())) + 4, static_cast<int>(std::ceil(size.height())) + 2};
}

void FormulaLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  DrawFormula(painter, formula_, pixel_size_, rect().center() + QPointF(0.5, 0.5));
}
