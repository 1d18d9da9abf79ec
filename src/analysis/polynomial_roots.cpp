#include "analysis/polynomial_roots.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

using Complex = std::complex<double>;
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

// A computed m-fold root comes out as m roots spread by about ε^(1/m) around it, far more than
// kCoincidentRoots. Roots this close to a neighbour are looked at as such a spread.
constexpr double kClusterReach = 0.05;
// A spread of m is taken for an m-fold root where it is a root of the polynomial and of its first
// m − 1 derivatives to within this, relative to their terms: two distinct roots a apart leave about
// a²/4 in the polynomial there, so only roots within some 1e−6 pass as one.
constexpr double kMultipleRootResidual = 1e-12;
// Newton's steps from a spread's mean: two take an error of 1e−7 below rounding.
constexpr int kPolishingSteps = 4;

// |q(z)| / Σ |qk|·|z|^(n−k) for q(z) = Σ qk·z^(n−k): 0 at an exact root, rounding-sized at a good one.
double RelativeValue(const std::vector<double>& q, Complex z) {
  Complex value = 0;
  double bound = 0;
  const double size = std::abs(z);
  for (double qk : q) {
    value = value * z + qk;
    bound = bound * size + std::fabs(qk);
  }
  return std::abs(value) / bound;
}

// The coefficients of the j-th derivative of Σ ck·z^(n−k), highest power first.
std::vector<double> Derivative(const double* c, int n, int j) {
  std::vector<double> d(c, c + n + 1);
  for (int step = 0; step < j; ++step) {
    const int degree = static_cast<int>(d.size()) - 1;
    for (int k = 0; k < degree; ++k) d[static_cast<std::size_t>(k)] *= degree - k;
    d.pop_back();
  }
  return d;
}

// The m-fold root a spread of m stands for is a simple root of p^(m−1), which Newton's method finds
// from the spread's mean to the last bits. The mean itself is that close only when the spread is
// symmetric about the root, as eigenvalues spread; the iteration's need not be.
Complex Polished(const std::vector<double>& q, Complex z) {
  for (int step = 0; step < kPolishingSteps; ++step) {
    Complex value = 0, slope = 0;
    for (double qk : q) {
      slope = slope * z + value;
      value = value * z + qk;
    }
    const Complex next = z - value / slope;
    if (!std::isfinite(next.real()) || !std::isfinite(next.imag())) break;
    z = next;
  }
  return z;
}

// Puts each spread of computed roots that is one multiple root onto its mean, so that merging
// counts it once with its multiplicity.
void GatherMultipleRoots(const double* c, int n, std::vector<Complex>& roots, std::size_t first) {
  const std::size_t count = roots.size();
  std::vector<std::size_t> cluster_of(count);
  for (std::size_t i = first; i < count; ++i) cluster_of[i] = i;
  // Single linkage: a root joins the cluster of any neighbour within reach.
  const auto find = [&](std::size_t i) {
    while (cluster_of[i] != i) i = cluster_of[i] = cluster_of[cluster_of[i]];
    return i;
  };
  for (std::size_t i = first; i < count; ++i) {
    const double reach = kClusterReach * std::max(1.0, std::abs(roots[i]));
    for (std::size_t j = first; j < i; ++j)
      if (Within(roots[i] - roots[j], reach)) cluster_of[find(i)] = find(j);
  }
  for (std::size_t head = first; head < count; ++head) {
    if (find(head) != head) continue;
    Complex sum = 0;
    int members = 0;
    for (std::size_t i = first; i < count; ++i)
      if (find(i) == head) {
        sum += roots[i];
        ++members;
      }
    if (members < 2) continue;
    const Complex root = Polished(Derivative(c, n, members - 1), sum / static_cast<double>(members));
    bool multiple = true;
    for (int j = 0; j < members && multiple; ++j)
      multiple = RelativeValue(Derivative(c, n, j), root) <= kMultipleRootResidual;
    if (!multiple) continue;
    for (std::size_t i = first; i < count; ++i)
      if (find(i) == head) roots[i] = root;
  }
}

// A computed root that leaves more than this of the polynomial's terms (half the digits) is plainly
// no root of it.
constexpr double kPlainlyNoRoot = 1.5e-8;

// Ehrlich–Aberth: each sweep moves every root not yet found by its Newton step p/p′, deflected by
// the others' pull Σ 1/(zi − zj); the roots converge together, cubically where they are simple.
// Near a root of multiplicity m its m members spread by about ε^(1/m), as eigenvalues would.
class AberthIteration {
 public:
  // c highest power first, c[0] ≠ 0 and c[n] ≠ 0.
  AberthIteration(const double* c, int n) : n_(n), a_(static_cast<std::size_t>(n) + 1), size_(a_.size()) {
    // Ascending powers, scaled so that the largest is 1: no term can overflow on the way.
    double largest = 0;
    for (int k = 0; k <= n; ++k) largest = std::max(largest, std::fabs(c[k]));
    for (int k = 0; k <= n; ++k) {
      a_[Index(k)] = c[n - k] / largest;
      size_[Index(k)] = std::fabs(a_[Index(k)]);
    }
  }

  bool Run(std::vector<Complex>& roots) {
    if (a_[0] == 0 || a_[Index(n_)] == 0) return false;  // a coefficient lost below the range
    std::vector<Complex> z = Start();
    std::vector<char> found(z.size(), 0);
    int left = n_;
    for (int sweep = 0; sweep < kMostSweeps && left > 0; ++sweep) {
      for (std::size_t i = 0; i < z.size(); ++i) {
        if (found[i]) continue;
        const Evaluation at = Evaluate(z[i]);
        const Complex step = at.newton / (1.0 - at.newton * Pull(z, i));
        const bool finite = std::isfinite(step.real()) && std::isfinite(step.imag());
        if (at.residual > kFoundResidual * n_) {
          if (!finite) return false;
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
    if (left > 0 || !PairConjugates(z)) return false;
    roots.insert(roots.end(), z.begin(), z.end());
    return true;
  }

  // |p(z)| / Σ |ak|·|z|^k: 0 at an exact root, a few ε at a good one, 1 far from every root.
  double Residual(Complex z) const { return Evaluate(z).residual; }

 private:
  // A root is found when |p(z)| is within this times the degree of rounding in Σ |ak|·|z|^k.
  static constexpr double kFoundResidual = 4 * std::numeric_limits<double>::epsilon();
  // Simple roots take a dozen sweeps at degree 500, a spread multiple root some fifty.
  static constexpr int kMostSweeps = 100;

  static std::size_t Index(int k) { return static_cast<std::size_t>(k); }

  // The starting points: for each edge of the upper convex hull of (k, log|ak|), as many points as
  // the edge is long on a circle of the radius the edge's slope gives, so that roots of very
  // different sizes each start near their own.
  std::vector<Complex> Start() const {
    std::vector<int> hull;
    const auto height = [&](int k) { return std::log(size_[Index(k)]); };
    for (int k = 0; k <= n_; ++k) {
      if (a_[Index(k)] == 0) continue;
      while (hull.size() >= 2) {
        const int i = hull[hull.size() - 2], j = hull.back();
        if ((height(j) - height(i)) * (k - i) > (height(k) - height(i)) * (j - i)) break;
        hull.pop_back();
      }
      hull.push_back(k);
    }
    // A turn off the axes, so that no start is real or mirrors another.
    constexpr double kOffset = 0.7;
    std::vector<Complex> z;
    for (std::size_t e = 1; e < hull.size(); ++e) {
      const int from = hull[e - 1], to = hull[e], count = to - from;
      const double radius = std::exp((height(from) - height(to)) / count);
      for (int q = 0; q < count; ++q) {
        const double turn = static_cast<double>(q) / count + static_cast<double>(from) / n_;
        z.push_back(std::polar(radius, 2 * std::numbers::pi * turn + kOffset));
      }
    }
    return z;
  }

  struct Evaluation {
    Complex newton;   // p(z)/p′(z)
    double residual;  // |p(z)| / Σ |ak|·|z|^k
  };

  // Horner's rule in z inside the unit circle; outside it on the reversed polynomial in w = 1/z,
  // q(w) = w^n·p(z), so that no power of z grows: p/p′ = z·q / (n·q − w·q′).
  Evaluation Evaluate(Complex z) const {
    const bool outside = std::abs(z) > 1;
    const Complex w = outside ? 1.0 / z : z;
    const double r = std::abs(w);
    const std::size_t last = Index(n_);
    const auto coefficient = [&](std::size_t k) { return outside ? k : last - k; };
    Complex p = a_[coefficient(0)], derivative = 0;
    double bound = size_[coefficient(0)];
    for (std::size_t k = 1; k <= last; ++k) {
      derivative = derivative * w + p;
      p = p * w + a_[coefficient(k)];
      bound = bound * r + size_[coefficient(k)];
    }
    const Complex newton = outside ? z * p / (static_cast<double>(n_) * p - w * derivative) : p / derivative;
    return {newton, std::abs(p) / bound};
  }

  // Σ 1/(zi − zj) over the other roots.
  static Complex Pull(const std::vector<Complex>& z, std::size_t i) {
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

  bool Found(Complex z) const { return Residual(z) <= kFoundResidual * n_; }

  // The roots of a real polynomial are real or conjugate pairs; the iteration finds each on its
  // own, off by rounding. A root nearer its own mirror image than any other root's is real; any
  // other is paired with the root nearest its mirror image, both put on the pair's mean. The pairs
  // are listed as the real Schur form lists them, the upper member first, so that gathering a
  // multiple root sums the members of a mirrored spread in mirrored order and keeps it exact.
  // False when pairing would leave no root there: the roots of a polynomial so ill-conditioned that
  // those found are not symmetric (a spread multiple root of high order) are left to the eigenvalues.
  bool PairConjugates(std::vector<Complex>& z) const {
    std::vector<std::size_t> order(z.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return std::fabs(z[a].imag()) > std::fabs(z[b].imag()); });
    std::vector<char> settled(z.size(), 0);
    std::vector<Complex> paired;
    paired.reserve(z.size());
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
        if (!Found(paired.back())) return false;
        continue;
      }
      settled[partner] = 1;
      const Complex mean = 0.5 * (z[i] + std::conj(z[partner]));
      if (!Found(mean)) return false;
      paired.emplace_back(mean.real(), std::fabs(mean.imag()));
      paired.push_back(std::conj(paired.back()));
    }
    z.swap(paired);
    return true;
  }

  const int n_;
  std::vector<double> a_;     // ascending powers
  std::vector<double> size_;  // their magnitudes
};

// The eigenvalues where they are cheap, the iteration beyond; each takes over where the other
// fails. Eigenvalues fail too when one of them is plainly no root, as happens when the terms span
// the range of a double: z² − 1e308·z + 1e308 has the eigenvalues 0 and 1e308, the roots 1 and 1e308.
bool FindRoots(const double* c, int n, std::vector<Complex>& roots) {
  AberthIteration iteration(c, n);
  if (n > kLargestCompanionDegree) return iteration.Run(roots) || CompanionRoots(c, n, roots);
  const std::size_t first = roots.size();
  const bool eigenvalues = CompanionRoots(c, n, roots);
  if (eigenvalues && std::all_of(roots.begin() + static_cast<std::ptrdiff_t>(first), roots.end(),
                                 [&](Complex z) { return iteration.Residual(z) <= kPlainlyNoRoot; }))
    return true;
  std::vector<Complex> iterated;
  if (!iteration.Run(iterated)) return eigenvalues;
  roots.resize(first);
  roots.insert(roots.end(), iterated.begin(), iterated.end());
  return true;
}

}  // namespace

bool PolynomialRoots(const double* c, int n, std::vector<Complex>& roots) {
  roots.clear();
  int first = 0, last = n;
  while (first <= n && c[first] == 0) ++first;
  if (first > n) return true;  // the zero polynomial: no roots to show
  while (c[last] == 0) {
    roots.emplace_back(0.0, 0.0);
    --last;
  }
  const int degree = last - first;
  if (degree == 0) return true;
  if (degree == 1) {
    roots.emplace_back(-c[last] / c[first], 0.0);
    return std::isfinite(roots.back().real());
  }
  const std::size_t first_root = roots.size();
  if (!FindRoots(c + first, degree, roots)) return false;
  GatherMultipleRoots(c + first, degree, roots, first_root);
  return true;
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
