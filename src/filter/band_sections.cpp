#include "filter/band_sections.h"

#include <cmath>

#include "filter/bilinear_sections.h"

namespace {

using Complex = std::complex<double>;

// The roots of s² − β·s + c = 0 with c > 0: the larger from the quadratic formula with the sign
// that adds, the other as c over it, so that neither cancels.
void QuadraticRoots(Complex beta, double c, Complex& larger, Complex& smaller) {
  Complex root = std::sqrt(beta * beta - 4 * c);
  if (std::real(std::conj(beta) * root) < 0) root = -root;
  larger = 0.5 * (beta + root);
  smaller = c / larger;
}

// numerator·N(s)/(s² − t·s + e) for a pair of poles r, r̄ with t = 2·Re r, e = |r|².
struct AnalogPair {
  double numerator, t, e;
};

AnalogPair PairOf(double numerator, Complex r) { return {numerator, 2 * r.real(), std::norm(r)}; }

// The sections of one prototype pole (both of a conjugate pair) into the chain.
class BandSectionWriter {
 public:
  BandSectionWriter(CCascadFilter2& cascade, const BandFrequencies& band, double gain)
      : chain_(cascade), band_(band), gain_(gain) {}

  // False when memory ran out.
  bool Add(Complex p) {
    switch (band_.Band()) {
      case BandType::kLowPass: return false;
      case BandType::kHighPass: return AddHighPass(p);
      case BandType::kBandPass: return AddBandPass(p);
      case BandType::kBandStop: return AddBandStop(p);
    }
    return false;
  }

 private:
  bool AddHighPass(Complex p) {
    const Complex q = band_.Edge() / p;
    if (p.imag() == 0) {
      // s/(s − q): (1 − z⁻¹)/((1 − q) − (1 + q)·z⁻¹).
      CDigitalFilter2* section = Next();
      if (section == nullptr) return false;
      SetFirstOrder(*section, TakeGain() / (1 - q.real()), -1, (1 + q.real()) / (1 - q.real()));
      return true;
    }
    return Write(PairOf(1, q), -2, 1);  // s²: (1 − z⁻¹)²
  }

  bool AddBandPass(Complex p) {
    const double b = band_.Width(), c = band_.CentreSquared();
    // s: (1 − z⁻¹)(1 + z⁻¹) = 1 − z⁻².
    if (p.imag() == 0) return Write({-p.real() * b, p.real() * b, c}, 0, -1);
    Complex r1, r2;
    QuadraticRoots(p * b, c, r1, r2);
    const double k = std::abs(p) * b;  // |p·B| shared by the two pairs of the conjugate poles
    return Write(PairOf(k, r1), 0, -1) && Write(PairOf(k, r2), 0, -1);
  }

  bool AddBandStop(Complex p) {
    const double c = band_.CentreSquared();
    // s² + Ω0²: (1 + Ω0²)·(1 − 2·cos ω0·z⁻¹ + z⁻²).
    const double numerator = 1 + c, b1 = -2 * band_.CosCentre();
    if (p.imag() == 0) return Write({numerator, band_.Width() / p.real(), c}, b1, 1);
    Complex r1, r2;
    QuadraticRoots(band_.Width() / p, c, r1, r2);
    return Write(PairOf(numerator, r1), b1, 1) && Write(PairOf(numerator, r2), b1, 1);
  }

  bool Write(AnalogPair pair, double b1, double b2) {
    CDigitalFilter2* section = Next();
    if (section == nullptr) return false;
    SetBilinearPair(*section, TakeGain() * pair.numerator, pair.t, pair.e, b1, b2);
    return true;
  }

  CDigitalFilter2* Next() { return chain_.Next(); }
  // The prototype's own gain rides on the first section.
  double TakeGain() {
    const double g = gain_;
    gain_ = 1;
    return g;
  }

  SectionChain chain_;
  const BandFrequencies& band_;
  double gain_;
};

}  // namespace

void DesignBandSections(CCascadFilter2& cascade, const BandFrequencies& band, const std::vector<Complex>& poles,
                        double gain) {
  BandSectionWriter writer(cascade, band, gain);
  for (Complex p : poles) {
    if (!writer.Add(p)) return;
  }
}
