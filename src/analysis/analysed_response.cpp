#include "analysis/analysed_response.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis.h"

namespace {

// As the run stores |H| in dB: the floor below 1e−300, and where there is nothing to normalise by.
constexpr double kDecibelFloorAmplitude = 1e-300;
constexpr double kZeroAmplitudeDecibels = -10000;

std::vector<std::complex<double>> Positions(const std::vector<ZeroPoleRoot>& roots) {
  std::vector<std::complex<double>> positions;
  for (const ZeroPoleRoot& root : roots) positions.push_back(root.value);
  return positions;
}

}  // namespace

std::optional<ContinuousResponse> AnalysedResponse(const AnalysisRun& run) {
  std::function<double(double)> amplitude;
  ContinuousResponse response;
  if (CBaseDigitalFilter* direct = run.DirectFilter()) {
    amplitude = [direct](double omega) {
      double a = 0, phase = 0;
      direct->Response(omega, a, phase);
      return a;
    };
    response.order = direct->Order();
  } else if (const CCascadFilter2* cascade = run.CascadeFilter()) {
    amplitude = [cascade](double omega) { return cascade->Amplitude(omega); };
    response.order = 2 * cascade->SectionCount();
  } else {
    return std::nullopt;
  }
  const double* raw = run.RawAmplitudeResponse();
  const double largest = *std::max_element(raw, raw + run.FrequencyPoints());
  const bool normalisable = largest > 0 && std::isfinite(largest);
  const int mode = run.GetAfcMode();
  response.at = [amplitude, mode, largest, normalisable](double omega) {
    const double a = amplitude(omega);
    if (mode == 1) return a;
    const double ratio = normalisable ? a / largest : a;
    if (mode == 2) return ratio;
    return a > kDecibelFloorAmplitude && normalisable && ratio > 0 ? 20 * std::log10(ratio) : kZeroAmplitudeDecibels;
  };
  const ZeroPoleSet& roots = run.ZeroPoles();
  response.zeros = Positions(roots.zeros);
  response.poles = Positions(roots.poles);
  return response;
}
