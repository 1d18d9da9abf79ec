#include "analysis/zero_pole.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <limits>

#include "filter/cascade_filter.h"
#include "filter/digital_filter.h"

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
// kCoincidentRoots, while their mean stays as accurate as a simple root. Roots this close to a
// neighbour are looked at as such a spread.
constexpr double kClusterReach = 0.05;
// The mean of a spread of m is taken for an m-fold root when it is a root of the polynomial and
// of its first m − 1 derivatives to within this, relative to their terms: two distinct roots a
// apart leave about a²/4 in the polynomial there, so only roots within some 1e−6 pass as one.
constexpr double kMultipleRootResidual = 1e-12;

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
  for (std::size_t i = first; i < count; ++i)
    for (std::size_t j = first; j < i; ++j)
      if (std::abs(roots[i] - roots[j]) < kClusterReach * std::max(1.0, std::abs(roots[i])))
        cluster_of[find(i)] = find(j);
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
    const Complex mean = sum / static_cast<double>(members);
    bool multiple = true;
    for (int j = 0; j < members && multiple; ++j)
      multiple = RelativeValue(Derivative(c, n, j), mean) <= kMultipleRootResidual;
    if (!multiple) continue;
    for (std::size_t i = first; i < count; ++i)
      if (find(i) == head) roots[i] = mean;
  }
}

// The roots of a·z² + b·z + c (a ≠ 0) without cancellation: the larger root from q, the other as
// c/q; complex ones as an exact conjugate pair.
void QuadraticRoots(double a, double b, double c, std::vector<Complex>& roots) {
  if (c == 0) {
    roots.emplace_back(0.0, 0.0);
    roots.emplace_back(-b / a, 0.0);
    return;
  }
  const double discriminant = b * b - 4 * a * c;
  if (discriminant >= 0) {
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    roots.emplace_back(q / a, 0.0);
    roots.emplace_back(c / q, 0.0);
    return;
  }
  const double re = -b / (2 * a), im = std::fabs(std::sqrt(-discriminant) / (2 * a));
  roots.emplace_back(re, im);
  roots.emplace_back(re, -im);
}

// A root as the lists keep it: no −0 in either part, so that −1 has the angle π and not −π, and
// the origin is written as 0.
Complex Tidy(Complex root) { return {root.real() + 0.0, root.imag() + 0.0}; }

bool SortedBefore(const ZeroPoleRoot& a, const ZeroPoleRoot& b) {
  const double angle_a = std::arg(a.value), angle_b = std::arg(b.value);
  if (angle_a != angle_b) return angle_a < angle_b;
  return std::abs(a.value) < std::abs(b.value);
}

int CountAtZero(const std::vector<Complex>& roots) {
  return static_cast<int>(std::count(roots.begin(), roots.end(), Complex(0.0, 0.0)));
}

// Takes count roots at 0 off the list.
void RemoveAtZero(std::vector<Complex>& roots, int count) {
  for (auto it = roots.begin(); it != roots.end() && count > 0;) {
    if (*it == Complex(0.0, 0.0)) {
      it = roots.erase(it);
      --count;
    } else {
      ++it;
    }
  }
}

// The set from the roots of both sides written over one power of z. Poles that could not be found
// leave the filter unknown to be stable: it is called unstable, with an infinite radius.
ZeroPoleSet Finish(std::vector<Complex> zeros, std::vector<Complex> poles, double gain, bool poles_found) {
  const int common = std::min(CountAtZero(zeros), CountAtZero(poles));
  RemoveAtZero(zeros, common);
  RemoveAtZero(poles, common);
  ZeroPoleSet set;
  set.gain = gain;
  set.zeros = MergeRoots(zeros);
  set.poles = MergeRoots(poles);
  for (const Complex& p : poles) set.max_pole_radius = std::max(set.max_pole_radius, std::abs(p));
  if (!poles_found) set.max_pole_radius = std::numeric_limits<double>::infinity();
  set.stable = set.max_pole_radius < 1;
  return set;
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
  // The companion matrix of the monic polynomial: its first row −c[k]/c[first], ones below the
  // diagonal. It is already of Hessenberg form, so the Schur form starts from it directly.
  Matrix companion = Matrix::Zero(degree, degree);
  for (int k = 1; k <= degree; ++k) companion(0, k - 1) = -c[first + k] / c[first];
  for (int i = 1; i < degree; ++i) companion(i, i - 1) = 1;
  if (!companion.row(0).allFinite()) return false;
  Balance(companion);
  Eigen::RealSchur<Matrix> schur(degree);
  schur.computeFromHessenberg(companion, Matrix(), false);
  if (schur.info() != Eigen::Success) return false;
  const std::size_t first_eigenvalue = roots.size();
  SchurEigenvalues(schur.matrixT(), roots);
  GatherMultipleRoots(c + first, degree, roots, first_eigenvalue);
  return true;
}

std::vector<ZeroPoleRoot> MergeRoots(const std::vector<Complex>& roots) {
  std::vector<ZeroPoleRoot> merged;
  std::vector<Complex> sums;  // of each merged root's members, for their mean
  for (const Complex& root : roots) {
    if (!std::isfinite(root.real()) || !std::isfinite(root.imag())) continue;
    auto near = std::find_if(merged.begin(), merged.end(),
                             [&](const ZeroPoleRoot& m) { return std::abs(m.value - root) < kCoincidentRoots; });
    if (near == merged.end()) {
      merged.push_back({Tidy(root), 1});
      sums.push_back(root);
      continue;
    }
    Complex& sum = sums[static_cast<std::size_t>(near - merged.begin())];
    sum += root;
    ++near->multiplicity;
    near->value = Tidy(sum / static_cast<double>(near->multiplicity));
  }
  std::sort(merged.begin(), merged.end(), SortedBefore);
  return merged;
}

ZeroPoleSet DirectZeroPoles(const CBaseDigitalFilter& filter) {
  // H(z) = Σ ak·z^−k / (1 − Σ bi·z^−i); both sides times z^D, D the larger degree.
  std::vector<double> a, d = {1.0};
  for (int k = 0; k <= filter.FAOrder(); ++k) a.push_back(filter.ACoef(k));
  while (!a.empty() && a.back() == 0) a.pop_back();
  for (int i = 1; i <= filter.FBOrder(); ++i) d.push_back(-filter.BCoef(i));
  while (d.size() > 1 && d.back() == 0) d.pop_back();
  const int degree = std::max(static_cast<int>(a.size()), static_cast<int>(d.size())) - 1;

  std::vector<Complex> zeros, poles;
  double gain = 0;
  const auto leading = std::find_if(a.begin(), a.end(), [](double value) { return value != 0; });
  bool found = true;
  if (leading != a.end()) {
    gain = *leading;
    found = PolynomialRoots(a.data(), static_cast<int>(a.size()) - 1, zeros);
    zeros.insert(zeros.end(), static_cast<std::size_t>(degree + 1) - a.size(), Complex(0.0, 0.0));
  }
  const bool poles_found = PolynomialRoots(d.data(), static_cast<int>(d.size()) - 1, poles);
  poles.insert(poles.end(), static_cast<std::size_t>(degree + 1) - d.size(), Complex(0.0, 0.0));
  if (!found) zeros.clear();
  return Finish(std::move(zeros), std::move(poles), gain, poles_found);
}

ZeroPoleSet CascadeZeroPoles(const CCascadFilter2& filter) {
  // Each section g·(b0 + b1·z^−1 + b2·z^−2) / (1 − a1·z^−1 − a2·z^−2) over z²: its numerator's
  // roots (fewer when b0, then b1, is 0) and the two of z² − a1·z − a2.
  std::vector<Complex> zeros, poles;
  double gain = 1;
  for (const CDigitalFilter2* s = filter.FirstSection(); s != nullptr; s = s->Next()) {
    const double b0 = s->B(0), b1 = s->B(1), b2 = s->B(2);
    if (b0 != 0) {
      QuadraticRoots(b0, b1, b2, zeros);
      gain *= s->Gain() * b0;
    } else if (b1 != 0) {
      zeros.emplace_back(-b2 / b1, 0.0);
      gain *= s->Gain() * b1;
    } else {
      gain *= s->Gain() * b2;
    }
    QuadraticRoots(1, -s->A(1), -s->A(2), poles);
  }
  if (gain == 0) zeros.clear();  // no zeros to show of a filter that gives 0
  return Finish(std::move(zeros), std::move(poles), gain, true);
}
