#pragma once
// Trigonometric sums of a coefficient list, shared by the direct-form responses.

#include <cmath>
#include <type_traits>

#include "filter/lanes.h"

struct PolySums {
  double cos_sum = 0;  // Σ ck·cos(kθ)
  double sin_sum = 0;  // Σ ck·sin(kθ)
};

// One value in every lane of T: a plain number, or two doubles side by side.
template <class T>
inline T Splat(double value) {
  if constexpr (std::is_floating_point_v<T>) {
    return value;
  } else {
    return simd::BothLanes(value);
  }
}

// Lane `lane` of a value of T (a plain number has only the one).
template <class T>
inline auto LaneOf(const T& value, int lane) {
  if constexpr (std::is_floating_point_v<T>) {
    return value;
  } else {
    return value[lane];
  }
}

// N Horner chains of Σ ck·z^k side by side, each lane of T one phasor z = zr + j·zi; with the
// moment, also of the derivative's chain (d, its sum being Σ k·ck·z^(k−1)). Lane for lane the
// arithmetic is the same whatever T, so two lanes in a vector register give the plain results.
template <class T, int N, bool kMoment>
inline void PhasorHorner(const double* c, int degree, const T* zr, const T* zi, T* re, T* im, T* dre, T* dim) {
  for (int l = 0; l < N; ++l) {
    re[l] = Splat<T>(c[degree]);
    im[l] = Splat<T>(0);
    if constexpr (kMoment) dre[l] = dim[l] = Splat<T>(0);
  }
  for (int k = degree - 1; k >= 0; --k) {
    const T ck = Splat<T>(c[k]);
    for (int l = 0; l < N; ++l) {
      if constexpr (kMoment) {
        const T next_dre = dre[l] * zr[l] - dim[l] * zi[l] + re[l];
        dim[l] = dre[l] * zi[l] + dim[l] * zr[l] + im[l];
        dre[l] = next_dre;
      }
      const T next_re = re[l] * zr[l] - im[l] * zi[l] + ck;
      im[l] = re[l] * zi[l] + im[l] * zr[l];
      re[l] = next_re;
    }
  }
}

// The unit phasors e^{jθ} of Count angles: their cosines and sines.
template <int Count>
inline void UnitPhasors(const double* theta, double* cosines, double* sines) {
  for (int i = 0; i < Count; ++i) {
    cosines[i] = std::cos(theta[i]);
    sines[i] = std::sin(theta[i]);
  }
}

// Σ ck·e^{jkθ} for k = 0 … degree at Count angles at once, given their phasors, by Horner's rule
// on the unit phasor: one cos/sin pair per angle instead of one per coefficient (and one for all
// the polynomials of a filter), with an error that grows only linearly in the degree. With moment
// (not null) also Σ k·ck·e^{jkθ} = e^{jθ}·P′. The chains of different angles are independent, so
// interleaving them, two to a vector register where Count is even, keeps the processor busy; each
// angle's sums are the same however many go together.
template <int Count>
inline void PhasorSums(const double* c, int degree, const double* cosines, const double* sines, PolySums* sums,
                       PolySums* moment = nullptr) {
  if (degree < 0) {
    for (int i = 0; i < Count; ++i) {
      sums[i] = PolySums{};
      if (moment != nullptr) moment[i] = PolySums{};
    }
    return;
  }
  using T = std::conditional_t<Count % 2 == 0, simd::Lanes, double>;
  constexpr int kWidth = Count % 2 == 0 ? 2 : 1, kChains = Count / kWidth;
  T zr[kChains], zi[kChains], re[kChains], im[kChains], dre[kChains], dim[kChains];
  for (int l = 0; l < kChains; ++l) {
    if constexpr (kWidth == 1) {
      zr[l] = cosines[l];
      zi[l] = sines[l];
    } else {
      zr[l] = simd::LoadLanes(cosines + 2 * l);
      zi[l] = simd::LoadLanes(sines + 2 * l);
    }
  }
  if (moment == nullptr) {
    PhasorHorner<T, kChains, false>(c, degree, zr, zi, re, im, dre, dim);
  } else {
    PhasorHorner<T, kChains, true>(c, degree, zr, zi, re, im, dre, dim);
  }
  for (int l = 0; l < kChains; ++l)
    for (int w = 0; w < kWidth; ++w) {
      const int i = l * kWidth + w;
      sums[i] = PolySums{LaneOf(re[l], w), LaneOf(im[l], w)};
      if (moment == nullptr) continue;
      const double d_re = LaneOf(dre[l], w), d_im = LaneOf(dim[l], w), z_re = LaneOf(zr[l], w), z_im = LaneOf(zi[l], w);
      moment[i] = PolySums{d_re * z_re - d_im * z_im, d_re * z_im + d_im * z_re};
    }
}

// PhasorSums at Count angles.
template <int Count>
inline void SumCosSinLanes(const double* c, int degree, const double* theta, PolySums* sums,
                           PolySums* moment = nullptr) {
  double cosines[Count], sines[Count];
  UnitPhasors<Count>(theta, cosines, sines);
  PhasorSums<Count>(c, degree, cosines, sines, sums, moment);
}

// SumCosSinLanes at one angle.
inline PolySums SumCosSin(const double* c, int degree, double theta) {
  PolySums sums;
  SumCosSinLanes<1>(c, degree, &theta, &sums);
  return sums;
}

// How often a vanishing denominator moves the frequency before giving up (it never needs more
// than one or two moves: a non-zero polynomial has finitely many zeros on the unit circle).
constexpr int kMaxNudges = 1000;

// θ moved up by step; where the step is lost in θ's rounding it moves by one ulp at least.
inline double NudgedAngle(double theta, double step) {
  const double moved = theta + step;
  return moved != theta ? moved : std::nextafter(theta, INFINITY);
}
