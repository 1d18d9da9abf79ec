#include "analysis/polynomial_roots.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/accurate_horner.h"
#include "analysis/multiple_roots.h"
#include "analysis/root_multiplicities.h"
#include "analysis/root_polishing.h"

namespace {

using Complex = std::complex<double>;

constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;  // the unit roundoff
// Row by row in memory: the Schur iteration's reflections from the left, most of its work, then
// run along contiguous rows (twice as fast as along columns at degree 500).
using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

// Balancing sweeps beyond this change nothing worth having (it converges in a handful).
constexpr int kMostBalancingSweeps = 100;

// Scales rows and columns by powers of two (exactly, eigenvalues unchanged) until each row and its
// column weigh about the same: the eigenvalues of a companion matrix, whose entries can span many
// orders of magnitude, then come out with errors relative to the roots' own scale.
void Balance(Matrix& a) {
  const Eigen::Index n = a.rows();
  for (int sweep = 0; sweep < kMostBalancingSweeps; ++sweep) {
    bool changed = false;
    for (Eigen::Index i = 0; i < n; ++i) {
      const double column = a.col(i).cwiseAbs().sum() - std::fabs(a(i, i));
      const double row = a.row(i).cwiseAbs().sum() - std::fabs(a(i, i));
      if (column == 0 || row == 0) continue;
      double f = 1, c = column;
      while (c < row / 2) {
        f *= 2;
        c *= 4;
      }
      while (c > row * 2) {
        f /= 2;
        c /= 4;
      }
      if ((c + row) / f < 0.95 * (column + row)) {
        a.row(i) /= f;
        a.col(i) *= f;
        changed = true;
      }
    }
    if (!changed) break;
  }
}

// The eigenvalues of a real quasi-triangular Schur form: its 1×1 blocks, and a conjugate pair from
// each 2×2 block (as Eigen's own solver reads them).
void SchurEigenvalues(const Matrix& t, std::vector<Complex>& values) {
  const Eigen::Index n = t.rows();
  for (Eigen::Index i = 0; i < n; ++i) {
    if (i == n - 1 || t(i + 1, i) == 0) {
      values.emplace_back(t(i, i), 0.0);
      continue;
    }
    const double p = 0.5 * (t(i, i) - t(i + 1, i + 1));
    const double largest = std::max({std::fabs(p), std::fabs(t(i + 1, i)), std::fabs(t(i, i + 1))});
    const double p0 = p / largest, t0 = t(i + 1, i) / largest, t1 = t(i, i + 1) / largest;
    const double z = largest * std::sqrt(std::fabs(p0 * p0 + t0 * t1));
    values.emplace_back(t(i + 1, i + 1) + p, z);
    values.emplace_back(t(i + 1, i + 1) + p, -z);
    ++i;
  }
}

// A computed root that leaves more than this of the polynomial's terms (half the digits) is plainly
// no root of it.
constexpr double kPlainlyNoRoot = 1.5e-8;

// Ehrlich–Aberth: each sweep moves every root not yet found by its Newton step p/p′, deflected by
// the others' pull Σ 1/(zi − zj); the roots converge together, cubically where they are simple.
// Near a root of multiplicity m its m members spread by about ε^(1/m), as eigenvalues would.
// Coefficients whose sizes span more than a double can hold at once are kept as mantissas and
// exponents and summed with a running exponent of their own; roots whose size lies beyond a
// double's range are then not sought, and counted.
class AberthIteration {
 public:
  // c highest power first, c[0] ≠ 0 and c[n] ≠ 0.
  AberthIteration(const double* c, int n)
      : n_(n), a_(Index(n) + 1), size_(a_.size()), mantissa_(a_.size()), exponent_(a_.size()) {
    int largest = INT_MIN, smallest = INT_MAX;
    for (int k = 0; k <= n; ++k) {
      // Ascending powers.
      mantissa_[Index(k)] = std::frexp(c[n - k], &exponent_[Index(k)]);
      if (c[n - k] == 0) continue;
      largest = std::max(largest, exponent_[Index(k)]);
      smallest = std::min(smallest, exponent_[Index(k)]);
    }
    wide_ = largest - smallest > kWidestSpan;
    // Scaled by a power of two so that the largest is about 1: no term can overflow on the way.
    for (int k = 0; k <= n; ++k) {
      a_[Index(k)] = std::ldexp(c[n - k], -largest);
      size_[Index(k)] = std::fabs(a_[Index(k)]);
    }
  }

  // Coefficients too far apart in size for one scale: the roots come from this iteration alone.
  bool Wide() const { return wide_; }
  // The roots left out as beyond a double's range.
  int Unreachable() const { return unreachable_; }

  // An estimate of every root (but those out of reach) appended to roots; false where some have
  // not settled. Starting points turned by one angle can trap the iteration in a cycle that another
  // angle avoids (z^394 − z^393 + 5.6e112), so it tries three; the last gives what it has even
  // where some estimates have not settled (a cluster of many roots converges only slowly), which
  // the sharpening that follows takes on.
  bool Run(std::vector<Complex>& roots) {
    return RunFrom(0.7, false, roots) || RunFrom(0.3, false, roots) || RunFrom(1.1, true, roots);
  }

  // |p(z)| / Σ |ak|·|z|^k: 0 at an exact root, a few ε at a good one, 1 far from every root.
  double Residual(Complex z) const { return Evaluate(z).residual; }
  // n·|p(z)/p′(z)| with the rounding of both on the side of caution: a disc of this radius around z
  // holds a root.
  double Reach(Complex z) const { return Evaluate(z).reach; }

 private:
  bool RunFrom(double offset, bool unsettled_too, std::vector<Complex>& roots) {
    std::vector<Complex> z = Start(offset);
    std::vector<char> found(z.size(), 0);
    int left = static_cast<int>(z.size());
    for (int sweep = 0; sweep < kMostSweeps && left > 0; ++sweep) {
      for (std::size_t i = 0; i < z.size(); ++i) {
        if (found[i]) continue;
        const Evaluation at = Evaluate(z[i]);
        // Roots too small to be sought still pull, as roots at 0.
        const Complex pull = Pull(z, i) + static_cast<double>(tiny_) / z[i];
        const Complex step = at.newton / (1.0 - at.newton * pull);
        const bool finite = std::isfinite(step.real()) && std::isfinite(step.imag());
        if (at.residual > kFoundResidual * n_) {
          if (!finite && !wide_) {
            // Where p′ all but vanishes away from a root (within a tight cluster), a nudge off it.
            z[i] += std::polar(kNudge * std::abs(z[i]), 1.0 + static_cast<double>(i));
            continue;
          }
          if (!finite || !Reachable(z[i] - step)) {
            // A wide polynomial's root heading beyond the range sought: given up, and counted; one
            // heading for 0 pulls the others as a root at 0 from now on.
            if (std::abs(z[i]) < 1) ++tiny_;
            z.erase(z.begin() + static_cast<std::ptrdiff_t>(i));
            found.erase(found.begin() + static_cast<std::ptrdiff_t>(i));
            --i;
            --left;
            ++unreachable_;
            continue;
          }
          z[i] -= step;
          continue;
        }
        // Found: the last step sharpens a simple root to the last bits, but near a multiple root
        // it can wander off; it is kept only where it leaves less of the polynomial.
        if (finite && Evaluate(z[i] - step).residual < at.residual) z[i] -= step;
        found[i] = 1;
        --left;
      }
    }
    if (left > 0 && !unsettled_too) return false;
    std::vector<double> no_reach;
    PairConjugates(z, no_reach);
    roots.insert(roots.end(), z.begin(), z.end());
    return left == 0;
  }

  // A root is found when |p(z)| is within this times the degree of rounding in Σ |ak|·|z|^k.
  static constexpr double kFoundResidual = 4 * std::numeric_limits<double>::epsilon();
  // Simple roots take a dozen sweeps at degree 500, a spread multiple root some fifty.
  static constexpr int kMostSweeps = 100;
  // How far (relative) an estimate is moved off a point where its Newton step is lost.
  static constexpr double kNudge = 1e-6;
  // Sizes of coefficients (as powers of two) that one scale holds with every one a normal double.
  static constexpr int kWidestSpan = 1000;
  // Roots are sought among the normal doubles; where the hull puts them further out than this
  // (as powers of two), they are not sought at all.
  static constexpr double kFarthest = 1100;

  static bool Reachable(Complex z) {
    const double size = std::abs(z);
    return std::isfinite(size) && size >= std::numeric_limits<double>::min();
  }

  static std::size_t Index(int k) { return static_cast<std::size_t>(k); }

  // The starting points: for each edge of the upper convex hull of (k, log2|ak|), as many points as
  // the edge is long on a circle of the radius the edge's slope gives, so that roots of very
  // different sizes each start near their own; none where that radius is beyond the range sought.
  // They are turned by offset off the axes, so that no start is real or mirrors another.
  std::vector<Complex> Start(double offset) {
    std::vector<int> hull;
    const auto height = [&](int k) { return std::log2(std::fabs(mantissa_[Index(k)])) + exponent_[Index(k)]; };
    for (int k = 0; k <= n_; ++k) {
      if (mantissa_[Index(k)] == 0) continue;
      while (hull.size() >= 2) {
        const int i = hull[hull.size() - 2], j = hull.back();
        if ((height(j) - height(i)) * (k - i) > (height(k) - height(i)) * (j - i)) break;
        hull.pop_back();
      }
      hull.push_back(k);
    }
    std::vector<Complex> z;
    tiny_ = unreachable_ = 0;
    for (std::size_t e = 1; e < hull.size(); ++e) {
      const int from = hull[e - 1], to = hull[e], count = to - from;
      const double size = (height(from) - height(to)) / count;
      if (std::fabs(size) > kFarthest) {
        unreachable_ += count;
        if (size < 0) tiny_ += count;
        continue;
      }
      const double radius = std::exp2(std::clamp(size, -1022.0, 1022.0));
      for (int q = 0; q < count; ++q) {
        const double turn = static_cast<double>(q) / count + static_cast<double>(from) / n_;
        z.push_back(std::polar(radius, 2 * std::numbers::pi * turn + offset));
      }
    }
    return z;
  }

  struct Evaluation {
    Complex newton;   // p(z)/p′(z)
    double residual;  // |p(z)| / Σ |ak|·|z|^k
    double reach;     // see Reach
  };

  Evaluation Evaluate(Complex z) const { return wide_ ? EvaluateAs<true>(z) : EvaluateAs<false>(z); }

  // Horner's rule in z inside the unit circle; outside it on the reversed polynomial in w = 1/z,
  // q(w) = w^n·p(z), so that no power of z grows: p/p′ = z·q / (n·q − w·q′). In a wide polynomial
  // the sums carry the exponent `scale`, raised to each larger coefficient's (the sums' smaller
  // terms then drop below rounding) and lowered as powers of w shrink them; and only there is the
  // reach wanted.
  template <bool kWide>
  Evaluation EvaluateAs(Complex z) const {
    const bool outside = std::abs(z) > 1;
    const Complex w = outside ? 1.0 / z : z;
    const double r = std::abs(w);
    const std::size_t last = Index(n_);
    Complex p = 0, derivative = 0;
    double bound = 0, slope_bound = 0;
    long long scale = LLONG_MIN;
    // The sums times 2^by (by ≥ −2·kLongestShift: anything smaller leaves them below rounding).
    const auto rescale = [&](long long by) {
      const int shift = static_cast<int>(std::max(by, -2LL * kLongestShift));
      p = {std::ldexp(p.real(), shift), std::ldexp(p.imag(), shift)};
      derivative = {std::ldexp(derivative.real(), shift), std::ldexp(derivative.imag(), shift)};
      bound = std::ldexp(bound, shift);
      slope_bound = std::ldexp(slope_bound, shift);
    };
    for (std::size_t k = 0; k <= last; ++k) {
      derivative = derivative * w + p;
      p *= w;
      bound *= r;
      const std::size_t at = outside ? k : last - k;
      double term = a_[at];
      if constexpr (kWide) {
        slope_bound = slope_bound * r + bound;
        if (mantissa_[at] != 0) {
          if (scale == LLONG_MIN) scale = exponent_[at];
          if (exponent_[at] > scale) {
            rescale(scale - exponent_[at]);
            scale = exponent_[at];
          }
          term = std::ldexp(mantissa_[at], static_cast<int>(std::max(exponent_[at] - scale, -2LL * kLongestShift)));
        }
      }
      p += term;
      bound += std::fabs(term);
      if constexpr (kWide) {
        if (bound != 0 && bound < kShrunk) {
          rescale(kLongestShift);
          scale -= kLongestShift;
        }
      }
    }
    const double n = n_;
    const Complex slope = outside ? n * p - w * derivative : derivative;
    double reach = std::numeric_limits<double>::infinity();
    if constexpr (kWide) {
      // Plain Horner's rounding: within 2n units of the terms.
      const double error = 2.02 * (n + 1) * kUnit,
                   slope_error = error * (outside ? n * bound + r * slope_bound : slope_bound);
      const double below = std::abs(slope) - slope_error;
      if (below > 0) reach = n * (outside ? std::abs(z) : 1.0) * (std::abs(p) + error * bound) / below;
    }
    return {(outside ? z * p : p) / slope, std::abs(p) / bound, reach};
  }

  // How far a wide polynomial's sums are rescaled at once: they stay within 2^±600 of 1.
  static constexpr int kLongestShift = 600;
  static constexpr double kShrunk = 0x1p-500;

  const int n_;
  std::vector<double> a_;         // ascending powers, scaled
  std::vector<double> size_;      // their magnitudes
  std::vector<double> mantissa_;  // the coefficients unscaled, as frexp gives them
  std::vector<int> exponent_;
  bool wide_ = false;
  int tiny_ = 0, unreachable_ = 0;  // roots too small, and too small or too large, to be sought
};

// The eigenvalues where they are cheap, the iteration beyond. The iteration takes over where
// eigenvalues fail or are plainly no root, as happens when the terms span the range of a double:
// z² − 1e308·z + 1e308 has the eigenvalues 0 and 1e308, the roots 1 and 1e308.
void FindRoots(AberthIteration& iteration, const double* c, int n, std::vector<Complex>& roots) {
  if (n <= kLargestCompanionDegree) {
    const std::size_t first = roots.size();
    if (CompanionRoots(c, n, roots) && std::all_of(roots.begin() + static_cast<std::ptrdiff_t>(first), roots.end(),
                                                   [&](Complex z) { return iteration.Residual(z) <= kPlainlyNoRoot; }))
      return;
    roots.resize(first);
  }
  iteration.Run(roots);
}

// The roots of a polynomial whose coefficients no one scale holds: those the iteration can reach,
// each as it found it; the others missing.
void WideRoots(AberthIteration& iteration, PolynomialRootSet& set) {
  std::vector<Complex> found;
  iteration.Run(found);
  for (const Complex& z : found) set.roots.push_back({z, 1, iteration.Reach(z)});
  set.missing += iteration.Unreachable();
}

// The roots of c[0]·z^n + … + c[n]; `apart` is left empty where it is `roots` itself.
PolynomialRootSet Roots(const double* c, int n) {
  PolynomialRootSet set;
  int first = 0, last = n;
  while (first <= n && c[first] == 0) ++first;
  if (first > n) return set;  // the zero polynomial: no roots to show
  while (c[last] == 0) --last;
  if (last < n) set.roots.push_back({0.0, n - last, 0.0});
  const int degree = last - first;
  if (degree == 0) return set;
  if (!std::all_of(c + first, c + last + 1, [](double value) { return std::isfinite(value); })) {
    set.missing = degree;  // no polynomial of numbers
    return set;
  }
  if (degree == 1) {
    const double root = -c[last] / c[first];
    if (std::isfinite(root) && root != 0) {  // else beyond a double's range
      set.roots.push_back({root, 1, kUnit * std::fabs(root)});
    } else {
      set.missing = 1;
    }
    return set;
  }
  AberthIteration iteration(c + first, degree);
  if (iteration.Wide()) {
    WideRoots(iteration, set);
    return set;
  }
  std::vector<Complex> found;
  FindRoots(iteration, c + first, degree, found);
  const ScaledPolynomial p(c + first, degree);
  const std::vector<PolynomialRoot> multiple = GatherMultipleRoots(p, RootMultiplicities(c + first, degree), found);
  std::vector<PolynomialRoot> simple = PolishedRoots(p, std::move(found), multiple);
  set.roots.insert(set.roots.end(), multiple.begin(), multiple.end());
  set.apart = set.roots;
  set.apart.insert(set.apart.end(), simple.begin(), simple.end());
  const std::vector<PolynomialRoot> nearly_multiple = GatherNearlyMultipleRoots(p, simple);
  set.roots.insert(set.roots.end(), nearly_multiple.begin(), nearly_multiple.end());
  set.roots.insert(set.roots.end(), simple.begin(), simple.end());
  return set;
}

}  // namespace

PolynomialRootSet PolynomialRoots(const double* c, int n) {
  PolynomialRootSet set = Roots(c, n);
  if (set.apart.empty()) set.apart = set.roots;
  return set;
}

void PairConjugates(std::vector<Complex>& z, std::vector<double>& reach) {
  std::vector<std::size_t> order(z.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return std::fabs(z[a].imag()) > std::fabs(z[b].imag()); });
  const bool reaches = reach.size() == z.size();
  std::vector<char> settled(z.size(), 0);
  std::vector<Complex> paired;
  std::vector<double> paired_reach;
  for (std::size_t i : order) {
    if (settled[i]) continue;
    settled[i] = 1;
    const Complex mirror = std::conj(z[i]);
    std::size_t partner = i;
    double nearest = std::norm(z[i] - mirror);  // squared distances: no square roots in n² tries
    for (std::size_t j = 0; j < z.size(); ++j)
      if (!settled[j] && std::norm(z[j] - mirror) < nearest) {
        nearest = std::norm(z[j] - mirror);
        partner = j;
      }
    if (partner == i) {
      paired.emplace_back(z[i].real(), 0.0);
      if (reaches) paired_reach.push_back(reach[i] + std::fabs(z[i].imag()));
      continue;
    }
    settled[partner] = 1;
    const Complex mean = 0.5 * (z[i] + std::conj(z[partner]));
    paired.emplace_back(mean.real(), std::fabs(mean.imag()));
    paired.push_back(std::conj(paired.back()));
    if (reaches)
      paired_reach.insert(paired_reach.end(), 2,
                          std::max(reach[i], reach[partner]) + 0.5 * std::abs(z[i] - std::conj(z[partner])));
  }
  z.swap(paired);
  reach.swap(paired_reach);
}

// Pull term by term, each |zi − zj|² checked against the range of a double.
Complex CarefulPull(const std::vector<Complex>& z, std::size_t i) {
  double re = 0, im = 0;
  for (std::size_t j = 0; j < z.size(); ++j) {
    const double dx = z[i].real() - z[j].real(), dy = z[i].imag() - z[j].imag();
    const double d = dx * dx + dy * dy;
    if (j == i || (dx == 0 && dy == 0)) continue;
    if (d >= std::numeric_limits<double>::min() && d <= std::numeric_limits<double>::max()) {
      const double inverse = 1 / d;
      re += dx * inverse;
      im -= dy * inverse;
      continue;
    }
    // |zi − zj|² beyond the range of a double (roots of 1e300 and of 1 together): Smith's way.
    const bool wide = std::fabs(dx) >= std::fabs(dy);
    const double ratio = wide ? dy / dx : dx / dy, scale = 1 / ((wide ? dx : dy) + (wide ? dy : dx) * ratio);
    re += wide ? scale : ratio * scale;
    im -= wide ? ratio * scale : scale;
  }
  return {re, im};
}

Complex Pull(const std::vector<Complex>& z, std::size_t i) {
  // Two sums apart, so that each division need not wait for the one before; the careful way only
  // where a squared distance left the range of a double (or two estimates coincide).
  const double x = z[i].real(), y = z[i].imag();
  double re0 = 0, re1 = 0, im0 = 0, im1 = 0;
  double smallest = std::numeric_limits<double>::max(), largest = 0;
  const auto add = [&](std::size_t from, std::size_t to) {
    std::size_t j = from;
    for (; j + 1 < to; j += 2) {
      const double dx0 = x - z[j].real(), dy0 = y - z[j].imag();
      const double dx1 = x - z[j + 1].real(), dy1 = y - z[j + 1].imag();
      const double d0 = dx0 * dx0 + dy0 * dy0, d1 = dx1 * dx1 + dy1 * dy1;
      smallest = std::min({smallest, d0, d1});
      largest = std::max({largest, d0, d1});
      const double inverse0 = 1 / d0, inverse1 = 1 / d1;
      re0 += dx0 * inverse0;
      im0 -= dy0 * inverse0;
      re1 += dx1 * inverse1;
      im1 -= dy1 * inverse1;
    }
    if (j < to) {
      const double dx = x - z[j].real(), dy = y - z[j].imag(), d = dx * dx + dy * dy;
      smallest = std::min(smallest, d);
      largest = std::max(largest, d);
      re0 += dx / d;
      im0 -= dy / d;
    }
  };
  add(0, i);
  add(i + 1, z.size());
  if (smallest < std::numeric_limits<double>::min() || largest > std::numeric_limits<double>::max())
    return CarefulPull(z, i);
  return {re0 + re1, im0 + im1};
}

bool CompanionRoots(const double* c, int n, std::vector<Complex>& roots) {
  // The companion matrix of the monic polynomial: its first row −c[k]/c[0], ones below the
  // diagonal. It is already of Hessenberg form, so the Schur form starts from it directly.
  Matrix companion = Matrix::Zero(n, n);
  for (int k = 1; k <= n; ++k) companion(0, k - 1) = -c[k] / c[0];
  for (int i = 1; i < n; ++i) companion(i, i - 1) = 1;
  if (!companion.row(0).allFinite()) return false;
  Balance(companion);
  Eigen::RealSchur<Matrix> schur(n);
  schur.computeFromHessenberg(companion, Matrix(), false);
  if (schur.info() != Eigen::Success) return false;
  SchurEigenvalues(schur.matrixT(), roots);
  return true;
}

bool AberthRoots(const double* c, int n, std::vector<Complex>& roots) { return AberthIteration(c, n).Run(roots); }
