#include "filter/design_corrections.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/numeric.h"

const char kAngularAbovePiMessage[] =
    "Круговая нормированная частота не должна превышать 3.1415...\n Произведена коррекция.";
const char kCyclicAboveHalfMessage[] =
    "Циклическая нормированная частота не должна превышать 0.5\n Произведена коррекция.";
const char kStopEdgesCrossMessage[] =
    "Переходные полосы режекторного фильтра не должны перекрываться: ширина переходной полосы уменьшена.\n "
    "Произведена коррекция.";

namespace {

const char kPassEdgePositiveMessage[] =
    "Верхняя граница полосы пропускания должна быть положительна.\n Произведена коррекция";
const char kSecondEdgeMessage[] =
    "Вторая граница полосы пропускания должна быть больше первой.\n Произведена коррекция.";
const char kPassLevelLowMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не менее 0.5 (-6дБ) \n Произведена коррекция.";
const char kPassLevelHighMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не более 0.9 (-1дБ)\n Произведена коррекция.";
const char kStopLevelPositiveMessage[] =
    "Уровень нижней границы полосы подавления должен быть положительным.\n Произведена коррекция.";
const char kStopLevelHighMessage[] =
    "Уровень нижней границы полосы подавления должен быть не более 0.3 (-10дБ)\n Произведена коррекция.";
const char kStopLevelDecibelMessage[] =
    "Уровень нижней границы полосы подавления должен быть не меньше -400дБ)\n Произведена коррекция.";
const char kTransitionMessage[] =
    "Относительная ширина переходной полосы не может быть меньше или равной нулю.\n Произведена коррекция.";
const char kOrderPositiveMessage[] = "Порядок фильтра должен быть положительным\n Произведена коррекция.";

}  // namespace

double CorrectPassEdge(double omega, const char* above_pi_message) {
  if (omega > std::numbers::pi) Correct(omega, std::numbers::pi, above_pi_message);
  if (!(omega > 0)) Correct(omega, 0.01, kPassEdgePositiveMessage);
  return omega;
}

double CorrectPassEdgeCyclic(double f) {
  if (f > 0.5) Correct(f, 0.5, kCyclicAboveHalfMessage);
  if (!(f > 0)) Correct(f, 0.01, kPassEdgePositiveMessage);
  return f;
}

EdgePair OrderedEdges(double first, double second) {
  if (second > first) return {first, second};
  ShowMessage(kSecondEdgeMessage);
  if (!(first < std::numbers::pi)) first = 0.9 * std::numbers::pi;
  const double middle = 0.5 * (first + std::numbers::pi);
  return {first, middle > first ? middle : std::numbers::pi};
}

double CorrectPassLevel(double level) {
  if (!(level >= 0.5)) Correct(level, 0.5, kPassLevelLowMessage);
  if (level > 0.9) Correct(level, 0.9, kPassLevelHighMessage);
  return level;
}

double PassLevelFromDecibel(double x) {
  if (x > 0) x = -x;
  if (x < -7) x = -7;
  return FromDecibel(x);
}

double CorrectStopLevel(double level) {
  if (!(level > 0)) Correct(level, 0.01, kStopLevelPositiveMessage);
  if (level > 0.3) Correct(level, 0.3, kStopLevelHighMessage);
  return level;
}

double StopLevelFromDecibel(double x) {
  if (x > 0) x = -x;
  if (x < -400) Correct(x, -400, kStopLevelDecibelMessage);
  return FromDecibel(x);
}

double CorrectTransitionPercent(double percent) {
  if (!(percent > 0)) Correct(percent, 10, kTransitionMessage);
  return percent;
}

int CorrectOrder(int n, int max_order, const char* above_max_message) {
  if (n < 1) Correct(n, 1, kOrderPositiveMessage);
  if (n > max_order) Correct(n, max_order, above_max_message);
  return n;
}

double LevelFactor(double level) {
  const double factor = 1 / (level * level) - 1;
  return std::isinf(factor) ? std::numeric_limits<double>::max() : factor;
}

double RelativeTransition(double ws_analog, double wp) { return 2 * std::atan(ws_analog) / wp - 1; }
