#include "filter/paired_products.h"

#include <algorithm>
#include <cmath>

namespace {

// The sections about s = kShifts[i].
constexpr double kShifts[2] = {1.0, -1.0};

int ShiftIndex(const SectionAngles& angles) { return angles.shift > 0 ? 0 : 1; }

constexpr double kUnit = 0x1p-53;

}  // namespace

void PairedProducts::DelayTable::Add(double b0, double b1, double b2, double s, double w) {
  const ShiftedFactor factor(b0, b1, b2, s);
  root_delay += 0.5 * factor.roots * w;
  if (factor.rest.d1 == 0 && factor.rest.d2 == 0) return;
  // Over every |v| ≤ √2 (the nearer of z = ±1 is never further), with the rounding of these sums.
  const ShiftedQuadratic<double>& e = factor.rest;
  const ShiftedErrors& errors = factor.errors;
  const double largest_v = std::sqrt(2.0), size = std::fabs(w) * (1 + 0x1p-40);
  const double p_error = errors.p0 + errors.p1 * largest_v + errors.p2 * 2, q_error = errors.q0 + errors.q1 * largest_v;
  const double moment = std::fabs(e.d1) + 2 * std::fabs(e.d2) * largest_v + q_error;
  p_errors += size * p_error;
  q_errors += size * q_error;
  moments += size * moment;
  moment_p_errors += size * moment * p_error;
  // Butterworth and Chebyshev sections share one numerator: its delay is summed once.
  for (std::size_t i = 0; i < c0.size(); ++i) {
    if (c0[i] == b0 && c1[i] == b1 && c2[i] == b2 && (weight[i] > 0) == (w > 0)) {
      weight[i] += w;
      return;
    }
  }
  for (auto [column, value] : {std::pair{&c0, b0},
                               {&c1, b1},
                               {&c2, b2},
                               {&e0, e.d0},
                               {&e1, e.d1},
                               {&e2, e.d2},
                               {&twice_e2, e.d2 + e.d2},
                               {&p0, errors.p0},
                               {&p1, errors.p1},
                               {&p2, errors.p2},
                               {&q0, errors.q0},
                               {&q1, errors.q1},
                               {&weight, w}})
    column->push_back(value);
}

void PairedProducts::Append(double b0, double b1, double b2, double a1, double a2) {
  for (int i = 0; i < 2; ++i) {
    const double s = kShifts[i];
    const ShiftedQuadratic<double> n = ShiftedAbout(b0, b1, b2, s), d = ShiftedAbout(1, -a1, -a2, s);
    sections_[i].push_back({{simd::Lanes{n.d0, d.d0}, simd::Lanes{n.d1, d.d1}, simd::Lanes{n.d2, d.d2}},
                            simd::Lanes{-n.d1, -d.d1},
                            simd::Lanes{-n.d2, -d.d2}});
    if (!for_delay_) continue;
    delays_[i].Add(b0, b1, b2, s, 1);
    delays_[i].Add(1, -a1, -a2, s, -1);
  }
}

bool PairedProducts::Sum(const SectionAngles& angles, AngleSum& numerator, AngleSum& denominator) const {
  const simd::Lanes largest = simd::BothLanes(AngleSum::kLargestSize);
  const simd::Lanes smallest = simd::BothLanes(AngleSum::kSmallestSize);
  const simd::Lanes v_re = simd::BothLanes(angles.v_re), v_im = simd::BothLanes(angles.v_im);
  const simd::Lanes v2_re = simd::BothLanes(angles.v2_re), v2_im = simd::BothLanes(angles.v2_im);
  simd::Lanes re = {1, 1}, im = {0, 0};
  simd::LaneInts turns = {0, 0}, exponent = {0, 0};
  for (const Section& s : sections_[ShiftIndex(angles)]) {
    // The value at e^{−jθ}: the conjugate of the one at e^{jθ}.
    simd::Lanes x, y;
    ShiftedConjugate(s.terms, s.minus_d1, s.minus_d2, v_re, v_im, v2_re, v2_im, x, y);
    const simd::Lanes new_re = re * x - im * y;
    const simd::Lanes new_im = re * y + im * x;
    // AngleSum's count of whole turns, without branches: ((old ^ term) − 1) & (new − old) is
    // new − old where the two factors lie in the same half-plane, else 0.
    const simd::LaneInts lower_old = simd::SignBits(im), lower_term = simd::SignBits(y);
    const simd::LaneInts lower_new = simd::SignBits(new_im);
    turns += ((lower_old ^ lower_term) - 1) & (lower_new - lower_old);
    re = new_re;
    im = new_im;
    // One test for the rare cases: a term AngleSum would scale or skip, or a product to scale.
    const simd::Lanes term_size = simd::Larger(simd::Magnitude(x), simd::Magnitude(y));
    const simd::Lanes size = simd::Larger(simd::Magnitude(re), simd::Magnitude(im));
    if ((simd::GreaterLanes(simd::Larger(term_size, size), largest) |
         simd::GreaterLanes(smallest, simd::Smaller(term_size, size))) != 0) {
      if ((simd::GreaterLanes(term_size, largest) | simd::GreaterLanes(smallest, term_size)) != 0) return false;
      // The power of two frexp would give (the size is a normal number here), taken off exactly.
      const simd::LaneInts out = (size > largest) | (size < smallest);
      const simd::LaneInts taken = (((simd::LaneInts)((simd::LaneBits)size >> 52) & 0x7ff) - 1022) & out;
      const simd::Lanes scale = (simd::Lanes)((1023 - taken) << 52);
      re *= scale;
      im *= scale;
      exponent += taken;
    }
  }
  const auto lane = [&](AngleSum& sum, int l) {
    sum.re_ = re[l];
    sum.im_ = im[l];
    sum.turns_ = static_cast<int>(turns[l]);
    sum.exponent_ = exponent[l];
  };
  lane(numerator, 0);
  lane(denominator, 1);
  return true;
}

DelayTerm<double> PairedProducts::Delay(const SectionAngles& angles) const {
  const DelayTable& table = delays_[ShiftIndex(angles)];
  const DelayTerm<double> quick = Delay<false>(table, angles);
  return KnownWithin(quick, kDelayTolerance) ? quick : Delay<true>(table, angles);
}

template <bool kEachOwn>
DelayTerm<double> PairedProducts::Delay(const DelayTable& t, const SectionAngles& angles) const {
  const simd::Lanes x_re = simd::BothLanes(angles.x_re), x_im = simd::BothLanes(angles.x_im);
  const simd::Lanes v_re = simd::BothLanes(angles.v_re), v_im = simd::BothLanes(angles.v_im);
  const simd::Lanes v2_re = simd::BothLanes(angles.v2_re), v2_im = simd::BothLanes(angles.v2_im);
  const simd::Lanes xv_re = simd::BothLanes(angles.xv_re), xv_im = simd::BothLanes(angles.xv_im);
  const double v_size = std::sqrt(angles.v_re * angles.v_re + angles.v_im * angles.v_im) * (1 + 0x1p-50);
  const simd::Lanes r = simd::BothLanes(v_size), r2 = simd::BothLanes(v_size * v_size), unit = simd::BothLanes(kUnit);
  DelaySum<simd::Lanes> sum;
  simd::Lanes largest_reach = {0, 0}, reaches = {0, 0};
  // load(column, pad) gives the column's pair; an odd one out goes beside a constant with
  // weight 0, which adds nothing.
  const auto add = [&](auto load) {
    const ShiftedQuadratic<simd::Lanes> e = {load(t.e0, 0x1p+500), load(t.e1, 0), load(t.e2, 0)};
    simd::Lanes p_re, p_im, q_re, q_im;
    ShiftedValue(e, v_re, v_im, v2_re, v2_im, p_re, p_im);
    ShiftedMoment(e.d1, load(t.twice_e2, 0), x_re, x_im, xv_re, xv_im, q_re, q_im);
    const simd::Lanes weight = load(t.weight, 0);
    if constexpr (kEachOwn) {
      const simd::Lanes p_error = (load(t.p0, 0) + load(t.p1, 0) * r) + load(t.p2, 0) * r2;
      const simd::Lanes q_error = load(t.q0, 0) + load(t.q1, 0) * r;
      sum.Add(DelayOf(p_re, p_im, q_re, q_im, p_error, q_error, unit), weight);
    } else {
      // The values alone (the compiler drops what is not used of the rest).
      const DelayTerm<simd::Lanes> term = DelayOf(p_re, p_im, q_re, q_im, unit, unit, unit);
      sum.value += weight * term.value;
      largest_reach = simd::Larger(largest_reach, term.reach);
      reaches += term.reach;  // NaN from any term
    }
  };
  std::size_t i = 0;
  const std::size_t count = t.e0.size();
  for (; i + 2 <= count; i += 2) add([i](const std::vector<double>& c, double) { return simd::LoadLanes(&c[i]); });
  if (i < count) add([i](const std::vector<double>& c, double pad) { return simd::Lanes{c[i], pad}; });

  DelaySum<double> total;
  total.value = sum.value[0] + sum.value[1];
  total.terms = static_cast<int>(count) + 1;
  if constexpr (kEachOwn) {
    total.bound = sum.bound[0] + sum.bound[1];
    total.ratio = sum.ratio[0] + sum.ratio[1];
    total.magnitude = sum.magnitude[0] + sum.magnitude[1];
  } else {
    // With R ≥ every 1/|P̂|: e_P/|P̂| ≤ R·e_P, |Q̂|/|P̂| ≤ R·|Q̂| (times √2 for the sum of the parts),
    // and each term's bound as DelayOf gives it.
    const double reach = std::max(largest_reach[0], largest_reach[1]) + 0 * (reaches[0] + reaches[1]);
    const double spreads = std::sqrt(2.0) * reach * t.moments;
    total.ratio = reach * t.p_errors;
    total.bound =
        reach * t.q_errors + std::sqrt(2.0) * reach * reach * t.moment_p_errors + kQuotientRounding * kUnit * spreads;
    total.magnitude = spreads;
  }
  DelayTerm<double> delay = total.Total(kUnit);
  // The roots at s, exactly: they add only the rounding of this sum to the bound.
  delay.value += t.root_delay;
  delay.bound += 2 * kUnit * std::fabs(delay.value);
  return delay;
}
