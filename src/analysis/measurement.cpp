#include "analysis/measurement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

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

std::vector<EdgeOf> BandEdges(BandType type) {
  constexpr EdgeOf kPassUpper{BandKind::kPass, true}, kPassLower{BandKind::kPass, false};
  constexpr EdgeOf kStopUpper{BandKind::kStop, true}, kStopLower{BandKind::kStop, false};
  switch (type) {
    case BandType::kHighPass: return {kStopUpper, kPassLower};
    case BandType::kBandPass: return {kStopUpper, kPassLower, kPassUpper, kStopLower};
    case BandType::kBandStop: return {kPassUpper, kStopLower, kStopUpper, kPassLower};
    default: return {kPassUpper, kStopLower};
  }
}

namespace {

// The upper half of the grid, i = half … count − 1, and the response between its points when it is
// known: where a band's edge lies.
class HalfGrid {
 public:
  HalfGrid(const double* response, int count, const ContinuousResponse* between)
      : response_(response), count_(count), half_(count / 2), step_(kTwoPi / (count - 1)), between_(between) {}

  int Half() const { return half_; }
  int Last() const { return count_ - 1; }
  double At(int i) const { return response_[i]; }

  // The last point of [half, last] that passes the test, or half − 1.
  int LastPassing(int last, const LevelTest& test) const {
    int found = half_ - 1;
    for (int i = half_; i <= last; ++i)
      if (test.Passes(response_[i])) found = i;
    return found;
  }
  // The first point of [first, count − 1] that passes the test, or count.
  int FirstPassing(int first, const LevelTest& test) const {
    for (int i = first; i <= Last(); ++i)
      if (test.Passes(response_[i])) return i;
    return count_;
  }

  // The edge above the last point of [half, last] that passes the test: between it and the next,
  // before the first point of the half when none passes, and at π when π passes. Between the
  // grid's points the response itself may pin it closer, or find it further on: it is looked for
  // again from the point last down.
  Interval EdgeAbove(int last, const LevelTest& test) const {
    const int found = LastPassing(last, test);
    if (found == Last()) return {std::numbers::pi, std::numbers::pi};
    const Interval grid = found < half_ ? Interval{0, Omega(half_)} : Interval{Omega(found), Omega(found + 1)};
    if (between_ == nullptr) return grid;
    const std::optional<FrequencyBracket> crossing = ::LastPassing(
        *between_, grid.low, Bound(last), step_, [&](double a) { return test.Passes(a); },
        [&](double a) { return test.Near(a); });
    return crossing ? Interval{crossing->low, crossing->high} : grid;
  }
  // The mirror image: the edge below the first point of [first, count − 1] that passes, between 0
  // and the half's first point when that passes, at π when none does; looked for again on the
  // response from the point first (or 0) up.
  Interval EdgeBelow(int first, const LevelTest& test) const {
    const int found = FirstPassing(first, test);
    const Interval grid = found > Last()   ? Interval{std::numbers::pi, std::numbers::pi}
                          : found <= half_ ? Interval{0, Omega(half_)}
                                           : Interval{Omega(found - 1), Omega(found)};
    if (between_ == nullptr) return grid;
    const std::optional<FrequencyBracket> crossing = ::FirstPassing(
        *between_, first <= half_ ? 0.0 : Omega(first), grid.high, step_, [&](double a) { return test.Passes(a); },
        [&](double a) { return test.Near(a); });
    return crossing ? Interval{crossing->low, crossing->high} : grid;
  }

  // The deepest point of the widest run of points at or below the stop level (the first of equal
  // ones); of the whole half when there is none.
  int StopAnchor(const LevelTest& above_stop) const {
    int best_first = half_, best_width = 0;
    for (int i = half_; i <= Last();) {
      if (above_stop.Passes(response_[i])) {
        ++i;
        continue;
      }
      int end = i;
      while (end <= Last() && !above_stop.Passes(response_[end])) ++end;
      if (end - i > best_width) {
        best_first = i;
        best_width = end - i;
      }
      i = end;
    }
    const double* from = response_ + (best_width > 0 ? best_first : half_);
    const double* to = best_width > 0 ? from + best_width : response_ + count_;
    return static_cast<int>(std::min_element(from, to) - response_);
  }

 private:
  double Omega(int i) const { return i * step_ - std::numbers::pi; }
  // The grid's frequency, and π exactly at its last point.
  double Bound(int i) const { return i == Last() ? std::numbers::pi : Omega(i); }

  const double* response_;
  int count_, half_;
  double step_;
  const ContinuousResponse* between_;
};

// Whether the response reaches the stop level where the band type's stop bands lie: at π for a
// low-pass, at the half's first point for a high-pass, at both for a band-pass, anywhere for a
// band-stop.
bool StopLevelReached(const HalfGrid& grid, BandType type, const LevelTest& above_stop) {
  const bool at_zero = !above_stop.Passes(grid.At(grid.Half()));
  const bool at_pi = !above_stop.Passes(grid.At(grid.Last()));
  switch (type) {
    case BandType::kHighPass: return at_zero;
    case BandType::kBandPass: return at_zero && at_pi;
    case BandType::kBandStop:
      for (int i = grid.Half(); i <= grid.Last(); ++i)
        if (!above_stop.Passes(grid.At(i))) return true;
      return false;
    default: return at_pi;
  }
}

// Where each of the band type's edges lies; nothing for a stop band's when the level is not reached.
std::vector<std::optional<Interval>> FindEdges(const HalfGrid& grid, BandType type, const LevelTest& pass,
                                               const LevelTest& above_stop, bool stop_reached) {
  // A band-stop's edges are looked for outwards from its stop band; the others' from 0 and from π.
  const int anchor = type == BandType::kBandStop ? grid.StopAnchor(above_stop) : -1;
  std::vector<std::optional<Interval>> found;
  for (const EdgeOf& edge : BandEdges(type)) {
    const bool stop = edge.band == BandKind::kStop;
    if (stop && !stop_reached) {
      found.emplace_back();
      continue;
    }
    const LevelTest& test = stop ? above_stop : pass;
    // A pass band's upper edge and a stop band's lower one lie above the last point that passes.
    if (edge.upper != stop) found.emplace_back(grid.EdgeAbove(anchor < 0 ? grid.Last() : anchor, test));
    else found.emplace_back(grid.EdgeBelow(anchor < 0 ? grid.Half() : anchor, test));
  }
  return found;
}

// The transition band between a pair of edges, its relative width in percent of the pair's pass
// edge.
MeasuredTransition Transition(const Interval& below, const Interval& above, const Interval& pass_edge) {
  const Interval width{std::max(above.low - below.high, 0.0), above.high - below.low};
  // The relative width has no upper bound when the pass edge may be 0.
  const Interval relative{width.low / pass_edge.high * 100, pass_edge.low > 0
                                                                ? width.high / pass_edge.low * 100
                                                                : std::numeric_limits<double>::infinity()};
  MeasuredTransition t;
  t.width = width.Middle();
  t.relative_width = std::isfinite(relative.high) ? relative.Middle() : width.Middle() / pass_edge.Middle() * 100;
  t.dwT = WithUncertainty(width);
  t.dfT = WithUncertainty(width, 1 / kTwoPi);
  t.dw = std::isfinite(relative.high) ? WithUncertainty(relative) : FormatNumber(4, t.relative_width);
  return t;
}

MeasurementResult Measure(const double* response, int count, LevelScale scale, double pass_level,
                          const std::vector<double>& stop_levels, int stop_index, const ContinuousResponse* between,
                          BandType band) {
  MeasurementResult result;
  if (response == nullptr || count < 2 || stop_levels.empty()) return result;
  const int chosen = std::clamp(stop_index, 0, static_cast<int>(stop_levels.size()) - 1);
  const HalfGrid grid(response, count, between);
  const LevelTest pass_test{pass_level, true, scale};
  const auto above_stop = [&](int b) { return LevelTest{stop_levels[static_cast<std::size_t>(b)], false, scale}; };

  // Walk up the list while the response stays above the level where a stop band should be.
  int b = chosen;
  while (b > 0 && !StopLevelReached(grid, band, above_stop(b))) --b;
  const LevelTest stop_test = above_stop(b);
  result.valid = true;
  result.stop_reached = StopLevelReached(grid, band, stop_test);
  result.pass = std::max(grid.LastPassing(grid.Last(), pass_test), grid.Half());
  result.stop = std::max(grid.LastPassing(grid.Last(), stop_test), grid.Half());
  // No level of the list is reached: the chosen one stays, and no stop band is stated.
  result.stop_index = result.stop_reached ? b : chosen;
  if (!result.stop_reached) ShowMessage(kNoStopLevelReached);
  else if (b != chosen) ShowMessage(kStopLevelChanged);

  const std::vector<EdgeOf> layout = BandEdges(band);
  const std::vector<std::optional<Interval>> where = FindEdges(grid, band, pass_test, stop_test, result.stop_reached);
  for (std::size_t i = 0; i < layout.size(); ++i) {
    MeasuredEdge& edge = result.edges.emplace_back();
    edge.of = layout[i];
    if (!where[i]) continue;
    edge.omega = where[i]->Middle();
    edge.wT = WithUncertainty(*where[i]);
    edge.fT = WithUncertainty(*where[i], 1 / kTwoPi);
  }
  for (std::size_t i = 0; i + 1 < layout.size(); i += 2) {
    MeasuredTransition& t = result.transitions.emplace_back();
    if (!where[i] || !where[i + 1]) continue;
    t = Transition(*where[i], *where[i + 1], layout[i].band == BandKind::kPass ? *where[i] : *where[i + 1]);
  }

  if (band != BandType::kLowPass) return result;
  // A low-pass response's own fields: its pass edge, its stop edge, the transition between them.
  const MeasuredEdge &pass = result.edges[0], &stop = result.edges[1];
  const MeasuredTransition& transition = result.transitions[0];
  result.omega_pass = pass.omega;
  result.omega_stop = stop.omega;
  result.width = transition.width;
  result.relative_width = transition.relative_width;
  result.wvT = pass.wT;
  result.fvT = pass.fT;
  result.wpT = stop.wT;
  result.fpT = stop.fT;
  result.dwT = transition.dwT;
  result.dfT = transition.dfT;
  result.dw = transition.dw;
  return result;
}

}  // namespace

MeasurementResult MeasureAmplitudeResponse(const double* response, int count, LevelScale scale, int pass_index,
                                           int stop_index, const ContinuousResponse* between, BandType band) {
  const LevelList& pass_list = PassBandLevels(scale);
  const int pass = std::clamp(pass_index, 0, static_cast<int>(pass_list.items.size()) - 1);
  return Measure(response, count, scale, LevelValue(pass_list.items[static_cast<std::size_t>(pass)]),
                 LevelValues(StopBandLevels(scale)), stop_index, between, band);
}
