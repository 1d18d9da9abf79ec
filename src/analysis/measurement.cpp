#include "analysis/measurement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/number_text.h"
#include "platform/messages.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

const std::string kStopLevelChanged =
    "Заданный уровень подавления не обеспечивается фильтром.\n" + std::string(30, ' ') + "Уровень подавления изменён.";
const std::string kNoStopLevelReached =
    "Ни один уровень подавления не обеспечивается фильтром.\n Граница полосы подавления не определена.";

// Where a quantity lies: [low, high].
struct Interval {
  double low = 0, high = 0;
  double Middle() const { return (low + high) / 2; }
};

// The value and the uncertainty, printed so that the printed interval holds the whole of the
// given one: the uncertainty is rounded up, and measured from the printed value. Neither is ever
// written with a minus before a zero.
std::string WithUncertainty(const Interval& interval, double scale = 1) {
  const Interval scaled{interval.low * scale, interval.high * scale};
  const double middle = scaled.Middle();
  const std::string value = FormatNumber(4, std::fabs(middle) < 5e-5 ? 0.0 : middle);
  double shown = 0;
  TextToDouble(value, shown);
  const double reach = std::max(shown - scaled.low, scaled.high - shown);
  if (shown == 0 || !std::isfinite(reach)) return value;
  const double percent = std::max(0.0, std::ceil(reach / std::fabs(shown) * 100 * 100 - 1e-9) / 100);
  return value + "±" + FormatNumber(2, percent) + "%";
}

std::vector<double> LevelValues(const LevelList& list) {
  std::vector<double> values;
  for (const std::string& item : list.items) values.push_back(LevelValue(item));
  return values;
}

// The last grid point of the upper half (from half on) at which the response passes the test, or
// half − 1 when none does.
template <class Passes>
int LastGridPoint(const double* response, int half, int count, Passes passes) {
  int last = half - 1;
  for (int i = half; i < count; ++i)
    if (passes(response[i])) last = i;
  return last;
}

// A level as the response is compared with it: passed (at or above the pass-band level, above the
// stop-band one), and near enough for a lobe peaking between samples to pass it (a quarter of it,
// or 12 dB below).
struct LevelTest {
  double level = 0;
  bool inclusive = false;
  LevelScale scale = LevelScale::kLinear;

  bool Passes(double a) const { return inclusive ? a >= level : a > level; }
  bool Near(double a) const { return scale == LevelScale::kDecibel ? a > level - 12 : a > level / 4; }
};

}  // namespace

const LevelList& PassBandLevels(LevelScale scale) {
  static const LevelList linear{{"0,95", "0,9", "0,85", "0,8", "0,75", "0,707", "0,7", "0,65", "0,6", "0,55", "0,5"},
                                5};
  static const LevelList decibel{{"-0,5", "-1,0", "-1,5", "-2,0", "-2,5", "-3,0", "-3,5", "-4,0", "-4,5", "-5,0",
                                  "-5,5", "-6,0", "-6,5", "-7,0", "-7,5", "-8,0", "-8,5", "-9,0", "-9,5"},
                                 5};
  return scale == LevelScale::kDecibel ? decibel : linear;
}

const LevelList& StopBandLevels(LevelScale scale) {
  static const LevelList linear{{"0,45", "0,4", "0,35", "0,3", "0,25", "0,2", "0,15", "0,1", "0,05", "0,01", "0,005",
                                 "0,001", "0,0005", "0,0001", "0,00005", "0,00001"},
                                9};
  static const LevelList decibel{
      {"-10,0",  "-15,0",  "-20,0",  "-25,0",  "-30,0",  "-35,0",  "-40,0",  "-45,0",  "-50,0",
       "-55,0",  "-60,0",  "-65,0",  "-70,0",  "-75,0",  "-80,0",  "-85,0",  "-90,0",  "-95,0",
       "-100,0", "-110,0", "-120,0", "-130,0", "-140,0", "-150,0", "-200,0", "-250,0", "-300,0"},
      6};
  return scale == LevelScale::kDecibel ? decibel : linear;
}

double LevelValue(const std::string& item) {
  double value = 0;
  TextToDouble(item, value);
  return value;
}

int FindLevel(const LevelList& list, double value) {
  for (std::size_t i = 0; i < list.items.size(); ++i) {
    if (std::fabs(LevelValue(list.items[i]) - value) <= 1e-9) return static_cast<int>(i);
  }
  return -1;
}

namespace {

MeasurementResult Measure(const double* response, int count, LevelScale scale, double pass_level,
                          const std::vector<double>& stop_levels, int stop_index, const ContinuousResponse* between) {
  MeasurementResult result;
  if (response == nullptr || count < 2 || stop_levels.empty()) return result;
  const int chosen = std::clamp(stop_index, 0, static_cast<int>(stop_levels.size()) - 1);
  const int half = count / 2;
  const double step = kTwoPi / (count - 1);
  const auto omega = [&](int i) { return i * step - std::numbers::pi; };

  // Walk up the list while the response stays above the level even at ω = π.
  const LevelTest pass_test{pass_level, true, scale};
  const int pass = LastGridPoint(response, half, count, [&](double a) { return pass_test.Passes(a); });
  int b = chosen;
  int stop = 0;
  for (;; --b) {
    const LevelTest stop_test{stop_levels[static_cast<std::size_t>(b)], false, scale};
    stop = LastGridPoint(response, half, count, [&](double a) { return stop_test.Passes(a); });
    if (stop != count - 1 || b == 0) break;
  }
  result.valid = true;
  result.stop_reached = stop != count - 1;
  result.pass = std::max(pass, half);
  result.stop = std::max(stop, half);
  // No level of the list is reached: the chosen one stays, and nothing is said beyond π.
  result.stop_index = result.stop_reached ? b : chosen;
  if (!result.stop_reached) ShowMessage(kNoStopLevelReached);
  else if (b != chosen) ShowMessage(kStopLevelChanged);

  // An edge lies between its last grid point and the next; before the first point of the upper
  // half when no point passes, and at π when the last one does (the band reaches π). Between the
  // grid's points the response itself may pin it closer, or find it further on.
  const auto edge = [&](int last, const LevelTest& test) -> Interval {
    if (last == count - 1) return {std::numbers::pi, std::numbers::pi};
    const Interval grid = last < half ? Interval{0, omega(half)} : Interval{omega(last), omega(last + 1)};
    if (between == nullptr) return grid;
    const std::optional<FrequencyBracket> found = LastPassing(
        *between, grid.low, std::numbers::pi, step, [&](double a) { return test.Passes(a); },
        [&](double a) { return test.Near(a); });
    return found ? Interval{found->low, found->high} : grid;
  };
  const Interval wp = edge(pass, pass_test);
  result.omega_pass = wp.Middle();
  result.wvT = WithUncertainty(wp);
  result.fvT = WithUncertainty(wp, 1 / kTwoPi);
  if (!result.stop_reached) return result;

  const Interval ws = edge(stop, {stop_levels[static_cast<std::size_t>(b)], false, scale});
  const Interval width{std::max(ws.low - wp.high, 0.0), ws.high - wp.low};
  // The relative width has no upper bound when the pass edge may be 0.
  const Interval relative{width.low / wp.high * 100,
                          wp.low > 0 ? width.high / wp.low * 100 : std::numeric_limits<double>::infinity()};
  result.omega_stop = ws.Middle();
  result.width = width.Middle();
  result.relative_width = std::isfinite(relative.high) ? relative.Middle() : width.Middle() / wp.Middle() * 100;
  result.wpT = WithUncertainty(ws);
  result.fpT = WithUncertainty(ws, 1 / kTwoPi);
  result.dwT = WithUncertainty(width);
  result.dfT = WithUncertainty(width, 1 / kTwoPi);
  result.dw = std::isfinite(relative.high) ? WithUncertainty(relative) : FormatNumber(4, result.relative_width);
  return result;
}

}  // namespace

MeasurementResult MeasureAmplitudeResponse(const double* response, int count, LevelScale scale, int pass_index,
                                           int stop_index, const ContinuousResponse* between) {
  const LevelList& pass_list = PassBandLevels(scale);
  const int pass = std::clamp(pass_index, 0, static_cast<int>(pass_list.items.size()) - 1);
  return Measure(response, count, scale, LevelValue(pass_list.items[static_cast<std::size_t>(pass)]),
                 LevelValues(StopBandLevels(scale)), stop_index, between);
}
