#include "filter/section_group.h"

#include <cmath>

#include "filter/digital_filter.h"

namespace {

// Two sections' coefficients, lane by lane.
SectionCoefficientsOf<simd::Lanes> Paired(const SectionCoefficients& a, const SectionCoefficients& b) {
  return {simd::Lanes{a.gain, b.gain}, simd::Lanes{a.b0, b.b0}, simd::Lanes{a.b1, b.b1},
          simd::Lanes{a.b2, b.b2},     simd::Lanes{a.a1, b.a1}, simd::Lanes{a.a2, b.a2}};
}

}  // namespace

void SectionGroup::Step(double* samples, int count, int first_checked) {
  for (int j = 0; j < size_; ++j) states_[j].first = count;
  // The samples before the whole chunks go through the sections one after the other.
  const int head = count % kChunk, chunks = count / kChunk;
  for (int j = 0; j < size_; ++j) {
    for (int n = 0; n < head; ++n) samples[n] = StepHeld(j, samples[n], n, first_checked);
  }
  alignas(16) Rows rows[2] = {};  // what the sections still waiting for a chunk step meanwhile
  for (int pass = 0; pass < chunks + size_ - 1; ++pass) {
    Rows& in = rows[pass % 2];
    Rows& out = rows[(pass + 1) % 2];
    // The chunk entering the first section is read where it stands; the held steps take it in
    // their rows.
    const double* entering = pass < chunks ? samples + head + pass * kChunk : kNoChunk;
    if (size_ < kMost || !SteppedUnheld(pass, chunks, entering, in, out)) {
      for (int t = 0; t < kChunk; ++t) in[t][0] = entering[t];
      StepHeld(pass, chunks, head, in, out, first_checked);
    }
    if (const int leaving = pass - size_ + 1; leaving >= 0) {
      for (int t = 0; t < kChunk; ++t) samples[head + leaving * kChunk + t] = out[t][size_];
    }
  }
}

double SectionGroup::StepHeld(int j, double x, int n, int first_checked) {
  SectionState& s = states_[j];
  s.flag = false;
  const double y = DifferenceStep(coefficients_[j], x, s.w1, s.w2, [&](double v) { return HoldAtLimit(v, s.flag); });
  if (s.flag && n >= first_checked && s.first > n) s.first = n;
  return y;
}

void SectionGroup::StepHeld(int pass, int chunks, int first_sample, const Rows& in, Rows& out, int first_checked) {
  for (int t = 0; t < kChunk; ++t) {
    for (int j = 0; j < size_; ++j) {
      const int chunk = pass - j;
      if (chunk >= 0 && chunk < chunks)
        out[t][j + 1] = StepHeld(j, in[t][j], first_sample + chunk * kChunk + t, first_checked);
    }
  }
}

bool SectionGroup::SteppedUnheld(int pass, int chunks, const double* entering, const Rows& in, Rows& out) {
  constexpr int kPairs = kMost / 2;
  SectionCoefficientsOf<simd::Lanes> c[kPairs];
  simd::Lanes w1[kPairs], w2[kPairs], peak[kPairs], sum[kPairs];
  for (int p = 0; p < kPairs; ++p) {
    c[p] = Paired(coefficients_[2 * p], coefficients_[2 * p + 1]);
    w1[p] = simd::Lanes{states_[2 * p].w1, states_[2 * p + 1].w1};
    w2[p] = simd::Lanes{states_[2 * p].w2, states_[2 * p + 1].w2};
    peak[p] = sum[p] = simd::Lanes{0, 0};
  }
  // The largest magnitude of every w and y; and the sum of the outputs, which a NaN anywhere
  // reaches (every value takes part in its section's output with a factor, and NaN·0 is NaN).
  // Holding would change nothing where that magnitude stays within the limit and no NaN arose.
  for (int t = 0; t < kChunk; ++t) {
    for (int p = 0; p < kPairs; ++p) {
      const auto track = [&peak = peak[p]](simd::Lanes v) {
        peak = simd::Larger(peak, simd::Magnitude(v));
        return v;
      };
      const simd::Lanes x = p == 0 ? simd::Lanes{entering[t], in[t][1]} : simd::LoadLanes(&in[t][2 * p]);
      const simd::Lanes y = DifferenceStep(c[p], x, w1[p], w2[p], track);
      sum[p] += y;
      simd::StoreLanes(&out[t][2 * p + 1], y);
    }
  }
  simd::Lanes largest = peak[0], total = sum[0];
  for (int p = 1; p < kPairs; ++p) {
    largest = simd::Larger(largest, peak[p]);
    total += sum[p];
  }
  if (simd::GreaterLanes(largest, simd::BothLanes(kFilterLimit)) != 0 || std::isnan(total[0] + total[1])) {
    return false;
  }
  for (int j = 0; j < kMost; ++j) {
    if (pass - j < 0 || pass - j >= chunks) continue;  // no chunk: what it stepped is forgotten
    states_[j].w1 = w1[j / 2][j % 2];
    states_[j].w2 = w2[j / 2][j % 2];
    states_[j].flag = false;
  }
  return true;
}
