#pragma once
// The coefficients of the filter the last analysis used, taken out of the run as a value: what the
// coefficients window shows and what is exported. A copy, so that a design edited afterwards
// (but not analysed yet) never shows through.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "filter/band_type.h"
#include "filter/coefficient_conventions.h"

class AnalysisRun;
class FilterLibraryModel;

enum class CoefficientOrigin { kTyped, kButterworth, kChebyshev, kWeighing, kFrSampling };

// How coefficients are laid out in a file.
enum class CoefficientLayout {
  kDirect,    // H(z) = Σ numerator_k·z⁻ᵏ / Σ denominator_k·z⁻ᵏ, denominator_0 = 1
  kSections,  // Π (b0 + b1·z⁻¹ + b2·z⁻²) / (1 + a1·z⁻¹ + a2·z⁻²), the gains folded into b
};

// One section g·(b0 + b1·z⁻¹ + b2·z⁻²) / (1 − a1·z⁻¹ − a2·z⁻²), in the program's own signs.
struct CoefficientSection {
  double g = 1, b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  bool operator==(const CoefficientSection&) const = default;
  SectionRatio Ratio() const { return SectionFormRatio(g, b0, b1, b2, a1, a2); }
};

struct FilterCoefficients {
  CoefficientOrigin origin = CoefficientOrigin::kTyped;
  int order = 0;
  // Direct form: a0 … aN and b1 … bM of y(n) = Σ ak·x(n−k) + Σ bi·y(n−i).
  std::vector<double> a = {1};
  std::vector<double> b;
  // Applied to the input: the direct form's gain, or the cascade's ahead of its first section.
  double gain = 1;
  // A windowed or frequency-sampling design's window and band type.
  FirWindow window = FirWindow::kRectangular;
  BandType band = BandType::kLowPass;
  // A cascade's sections in chain order; empty for a direct form.
  std::vector<CoefficientSection> sections;
  // The design and its parameters in plain ASCII with a decimal point, for a file's comment.
  std::string design = "Filter typed as the coefficients of its difference equation, order 0";

  bool IsCascade() const { return !sections.empty(); }
  // The same coefficients (the design's description aside).
  bool SameFilter(const FilterCoefficients& other) const {
    return origin == other.origin && window == other.window && band == other.band && a == other.a && b == other.b &&
           gain == other.gain && sections == other.sections;
  }
};

// The run's current filter; the library's designs tell which one it is and give its parameters.
FilterCoefficients CoefficientsOf(const AnalysisRun& run, FilterLibraryModel& library);

// Replaces kept with the run's current filter when that has other coefficients; returns whether
// it did. A design whose fields were edited but not analysed keeps its analysed description.
bool FollowAnalysedFilter(FilterCoefficients& kept, const AnalysisRun& run, FilterLibraryModel& library);

// The filter as one numerator and one denominator, denominator[0] = 1.
using DirectForm = PolynomialRatio;

// The direct form: a cascade multiplied out (exact products of the sections' polynomials, rounded
// once). Nothing when a coefficient lies beyond what a double holds in full precision.
std::optional<DirectForm> DirectFormOf(const FilterCoefficients& filter);

// Rows {b0, b1, b2, a0, a1, a2} of a cascade: each section's gain (and the input gain, in the
// first section) folded into b, the denominator 1 + a1·z⁻¹ + a2·z⁻².
std::vector<std::array<double, 6>> SectionRowsOf(const FilterCoefficients& filter);

// Why a cascade's direct form is left out, if it is.
enum class DirectFormFault {
  kNone,
  kBeyondRange,  // a coefficient lies beyond what a double holds in full precision
  kUnfaithful,   // rounded to doubles, its response is not the sections' (DirectFormIsTheFilter)
};

struct OfferedLayouts {
  std::vector<CoefficientLayout> layouts;
  DirectFormFault direct_fault = DirectFormFault::kNone;
};

// The layouts a filter can be written in, the natural one first: sections, then the direct form,
// for a cascade; the direct form alone otherwise. A cascade's direct form is left out when it
// lies beyond a double's range or is not the filter.
OfferedLayouts LayoutsOf(const FilterCoefficients& filter);
std::vector<CoefficientLayout> AvailableLayouts(const FilterCoefficients& filter);
