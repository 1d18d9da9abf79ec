#include "results/filter_coefficients.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "analysis/analysis.h"
#include "dialogs/filter_library_model.h"
#include "numeric/double_double.h"
#include "results/direct_form_check.h"

namespace {

// A parameter for a file's comment: ten digits and a decimal point whatever the locale.
std::string Text(double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  return std::string(buffer, result.ptr);
}

const char* BandWords(BandType band) {
  switch (band) {
    case BandType::kLowPass: return "low-pass";
    case BandType::kHighPass: return "high-pass";
    case BandType::kBandPass: return "band-pass";
    case BandType::kBandStop: return "band-stop";
  }
  return "";
}

// The design's name, its band type and the order of the filter (twice the prototype's for the
// band types with two edges), with its parameters.
template <class Design>
void DescribeRecursive(FilterCoefficients& c, const Design& d, const std::string& name) {
  c.band = d.GetBand();
  c.order = d.FilterOrder();
  std::string edges = "wp = " + Text(d.GetWp()) + " rad/sample (fp = " + Text(d.GetFp()) + ")";
  if (d.HasSecondEdge()) edges += ", wp2 = " + Text(d.GetWp2()) + " rad/sample (fp2 = " + Text(d.GetFp2()) + ")";
  c.design = name + " " + BandWords(c.band) + ", order " + std::to_string(c.order) + ": " + edges +
             ", Lp = " + Text(d.GetLp()) + " (" + Text(d.GetLpdB()) + " dB), Ls = " + Text(d.GetLs()) + " (" +
             Text(d.GetLsdB()) + " dB), transition width " + Text(d.GetTransition()) + " % (" +
             Text(d.GetActualTransition()) + " % achieved)";
}

std::string FirWindowName(const CWeighingFilter& d) {
  switch (d.GetWindow()) {
    case FirWindow::kRectangular: return "rectangular window";
    case FirWindow::kHamming: return "Hamming window";
    case FirWindow::kHann: return "Hann window";
    case FirWindow::kBlackman: return "Blackman window";
    case FirWindow::kKaiser: return "Kaiser window (beta = " + Text(d.GetKaiserBeta()) + ")";
  }
  return "";
}

std::string FirParameters(const CWeighingFilter& d) {
  std::string text = FirWindowName(d) + ", wc = " + Text(d.GetWc()) + " rad/sample (fc = " + Text(d.GetFc()) + ")";
  if (HasTwoCutoffs(d.GetBand()))
    text += ", wc2 = " + Text(d.GetWc2()) + " rad/sample (fc2 = " + Text(d.GetFc2()) + ")";
  return text;
}

void TakeDirect(FilterCoefficients& c, const CBaseDigitalFilter& filter) {
  c.a.clear();
  for (int k = 0; k <= filter.FAOrder(); ++k) c.a.push_back(filter.ACoef(k));
  for (int i = 1; i <= filter.FBOrder(); ++i) c.b.push_back(filter.BCoef(i));
  c.gain = filter.Gain();
  c.order = filter.Order();
}

void TakeCascade(FilterCoefficients& c, const CCascadFilter2& cascade) {
  c.a.clear();
  c.gain = cascade.InputGain();
  for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next())
    c.sections.push_back({s->Gain(), s->B(0), s->B(1), s->B(2), s->A(1), s->A(2)});
}

// A polynomial in z⁻¹ as value·2^exponent, its largest coefficient kept near 1 so that long
// products neither overflow nor underflow on the way.
struct ScaledPolynomial {
  std::vector<Wide> coefficients = {Wide{1, 0}};
  long long exponent = 0;

  // Multiplies by gain·(factor0 + factor1·z⁻¹ + factor2·z⁻²); the exact zeros it leaves at the end
  // (a first-order section's) are dropped.
  void Multiply(const std::array<double, 3>& factor, double gain) {
    std::vector<Wide> product(coefficients.size() + 2);
    for (std::size_t k = 0; k < coefficients.size(); ++k)
      for (std::size_t j = 0; j < 3; ++j)
        if (factor[j] != 0) product[k + j] = Add(product[k + j], Times(coefficients[k], factor[j]));
    for (Wide& c : product) c = Times(c, gain);
    while (product.size() > 1 && product.back().hi == 0 && product.back().lo == 0) product.pop_back();
    coefficients = std::move(product);
    Normalise();
  }

  void Normalise() {
    double largest = 0;
    for (const Wide& c : coefficients) largest = std::max(largest, std::fabs(c.hi));
    if (largest == 0 || !std::isfinite(largest)) return;
    int e = 0;
    std::frexp(largest, &e);
    for (Wide& c : coefficients) c = {std::ldexp(c.hi, -e), std::ldexp(c.lo, -e)};
    exponent += e;
  }

  // The coefficients rounded to doubles; nothing when one is not finite or would lose digits
  // below the normal range.
  std::optional<std::vector<double>> Rounded() const {
    std::vector<double> values;
    for (const Wide& c : coefficients) {
      const double mantissa = c.hi + c.lo;
      if (!std::isfinite(mantissa)) return std::nullopt;
      const int scale = static_cast<int>(std::clamp(exponent, -4000LL, 4000LL));
      const double value = mantissa == 0 ? 0.0 : std::ldexp(mantissa, scale);
      if (mantissa != 0 && (!std::isfinite(value) || std::fabs(value) < DBL_MIN)) return std::nullopt;
      values.push_back(value);
    }
    return values;
  }
};

}  // namespace

FilterCoefficients CoefficientsOf(const AnalysisRun& run, FilterLibraryModel& library) {
  FilterCoefficients c;
  if (const CCascadFilter2* cascade = run.CascadeFilter(); cascade != nullptr && run.DirectFilter() == nullptr) {
    TakeCascade(c, *cascade);
    if (cascade == &library.Chebyshev()) {
      const CChebishevFilter& d = library.ChebyshevDesign();
      c.origin = CoefficientOrigin::kChebyshev;
      DescribeRecursive(c, d, "Chebyshev type I");
      c.design += ", ripple " + Text(d.GetRipple() * 100) + " % (" + Text(d.GetRippledB()) + " dB)";
    } else {
      c.origin = CoefficientOrigin::kButterworth;
      DescribeRecursive(c, library.ButterworthDesign(), "Butterworth");
    }
    return c;
  }
  const CBaseDigitalFilter* direct = run.DirectFilter();
  if (direct == nullptr) return c;
  TakeDirect(c, *direct);
  if (direct == &library.Weighing() || direct == &library.FrSampling()) {
    const bool weighing = direct == &library.Weighing();
    const CWeighingFilter& d = weighing ? library.WeighingDesign() : library.FrSamplingDesign();
    c.origin = weighing ? CoefficientOrigin::kWeighing : CoefficientOrigin::kFrSampling;
    c.order = d.GetOrder();
    c.window = d.GetWindow();
    c.band = d.GetBand();
    c.design = std::string(weighing ? "Windowed" : "Frequency-sampling") + " FIR " + BandWords(c.band) + ", order " +
               std::to_string(c.order) + ": " + FirParameters(d);
  } else {
    c.design = "Filter typed as the coefficients of its difference equation, order " + std::to_string(c.order);
  }
  return c;
}

bool FollowAnalysedFilter(FilterCoefficients& kept, const AnalysisRun& run, FilterLibraryModel& library) {
  FilterCoefficients current = CoefficientsOf(run, library);
  if (current.SameFilter(kept)) return false;
  kept = std::move(current);
  return true;
}

std::optional<DirectForm> DirectFormOf(const FilterCoefficients& filter) {
  if (!filter.IsCascade()) return DirectFormRatio(filter.a, filter.b, filter.gain);
  ScaledPolynomial numerator, denominator;
  bool first = true;
  for (const CoefficientSection& s : filter.sections) {
    const SectionRatio ratio = s.Ratio();
    numerator.Multiply(ratio.numerator, first ? ratio.gain * filter.gain : ratio.gain);
    first = false;
    denominator.Multiply(ratio.denominator, 1);
  }
  auto num = numerator.Rounded();
  auto den = denominator.Rounded();
  if (!num || !den) return std::nullopt;
  return DirectForm{std::move(*num), std::move(*den)};
}

std::vector<std::array<double, 6>> SectionRowsOf(const FilterCoefficients& filter) {
  std::vector<std::array<double, 6>> rows;
  for (const CoefficientSection& s : filter.sections) rows.push_back(SosRow(s.Ratio(), rows.empty() ? filter.gain : 1));
  return rows;
}

OfferedLayouts LayoutsOf(const FilterCoefficients& filter) {
  OfferedLayouts offered;
  if (!filter.IsCascade()) {
    offered.layouts.push_back(CoefficientLayout::kDirect);
    return offered;
  }
  offered.layouts.push_back(CoefficientLayout::kSections);
  const std::optional<DirectForm> direct = DirectFormOf(filter);
  if (!direct) offered.direct_fault = DirectFormFault::kBeyondRange;
  else if (!DirectFormIsTheFilter(filter, *direct)) offered.direct_fault = DirectFormFault::kUnfaithful;
  else offered.layouts.push_back(CoefficientLayout::kDirect);
  return offered;
}

std::vector<CoefficientLayout> AvailableLayouts(const FilterCoefficients& filter) { return LayoutsOf(filter).layouts; }
