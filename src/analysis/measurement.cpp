#include "analysis/measurement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "numeric/number_text.h"
#include "platform/messages.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

const std::string kStopLevelChanged =
    "Заданный уровень подавления не обеспечивается фильтром.\n" + std::string(30, ' ') +
    "Уровень подавления изменён.";

std::string WithUncertainty(double value, double percent) {
  return FormatNumber(4, value) + "±" + FormatNumber(2, percent) + "%";
}

std::vector<double> LevelValues(const LevelList& list) {
  std::vector<double> values;
  for (const std::string& item : list.items) values.push_back(LevelValue(item));
  return values;
}

}  // namespace

const LevelList& PassBandLevels(LevelScale scale) {
  static const LevelList linear{{"0,95", "0,9", "0,85", "0,8", "0,75", "0,707", "0,7", "0,65", "0,6", "0,55", "0,5"}, 5};
  static const LevelList decibel{{"-0,5", "-1,0", "-1,5", "-2,0", "-2,5", "-3,0", "-3,5", "-4,0", "-4,5", "-5,0",
                                  "-5,5", "-6,0", "-6,5", "-7,0", "-7,5", "-8,0", "-8,5", "-9,0", "-9,5"},
                                 5};
  return scale == LevelScale::kDecibel ? decibel : linear;
}

const LevelList& StopBandLevels(LevelScale scale) {
  static const LevelList linear{{"0,45", "0,4", "0,35", "0,3", "0,25", "0,2", "0,15", "0,1", "0,05", "0,01", "0,005",
                                 "0,001", "0,0005", "0,0001", "0,00005", "0,00001"},
                                9};
  static const LevelList decibel{{"-10,0", "-15,0", "-20,0", "-25,0", "-30,0", "-35,0", "-40,0", "-45,0", "-50,0",
                                  "-55,0", "-60,0", "-65,0", "-70,0", "-75,0", "-80,0", "-85,0", "-90,0", "-95,0",
                                  "-100,0", "-110,0", "-120,0", "-130,0", "-140,0", "-150,0", "-200,0", "-250,0",
                                  "-300,0"},
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

MeasurementResult MeasureAmplitudeResponse(const double* response, int count, double pass_level,
                                           const std::vector<double>& stop_levels, int stop_index) {
  MeasurementResult result;
  if (response == nullptr || count < 2 || stop_levels.empty()) return result;
  const int chosen = std::clamp(stop_index, 0, static_cast<int>(stop_levels.size()) - 1);
  const int half = count / 2;

  // Walk up the list while the response stays above the level even at ω = π.
  int b = chosen;
  for (;;) {
    const double stop_level = stop_levels[static_cast<std::size_t>(b)];
    result.pass = result.stop = half;
    for (int i = half; i < count; ++i) {
      if (response[i] >= pass_level) result.pass = i;
      if (response[i] > stop_level) result.stop = i;
    }
    if (result.stop != count - 1 || b == 0) break;
    --b;
  }
  result.stop_index = b;
  if (b != chosen) ShowMessage(kStopLevelChanged);

  const double step = kTwoPi / (count - 1);
  const double half_step = step / 2;
  const double wp = result.pass * step - std::numbers::pi;
  const double ws = (result.stop + 1) * step - std::numbers::pi;  // first point at or below the level
  const double width = ws - wp;
  result.omega_pass = wp;
  result.omega_stop = ws;
  result.width = width;
  result.relative_width = width / wp * 100;
  result.valid = true;

  result.wvT = WithUncertainty(wp, half_step / wp * 100);
  result.fvT = WithUncertainty(wp / kTwoPi, half_step / wp * 100);
  result.wpT = WithUncertainty(ws, half_step / ws * 100);
  result.fpT = WithUncertainty(ws / kTwoPi, half_step / ws * 100);
  result.dwT = WithUncertainty(width, step / width * 100);
  result.dfT = WithUncertainty(width / kTwoPi, step / width * 100);
  // A negative bound means the grid says nothing useful about the relative width: value alone.
  const double q = width * (wp + half_step) / (wp * (width + step));
  result.dw = 1 - q < 0 ? FormatNumber(4, result.relative_width)
                        : WithUncertainty(result.relative_width, (1 - q) * 100);
  return result;
}

MeasurementResult MeasureAmplitudeResponse(const double* response, int count, LevelScale scale,
                                           int pass_index, int stop_index) {
  const LevelList& pass_list = PassBandLevels(scale);
  const int pass = std::clamp(pass_index, 0, static_cast<int>(pass_list.items.size()) - 1);
  return MeasureAmplitudeResponse(response, count, LevelValue(pass_list.items[static_cast<std::size_t>(pass)]),
                                  LevelValues(StopBandLevels(scale)), stop_index);
}
