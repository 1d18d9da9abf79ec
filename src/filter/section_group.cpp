#include "filter/section_group.h"

#include "filter/digital_filter.h"

namespace {

// Two sections' coefficients, lane by lane.
SectionCoefficientsOf<Lanes> Paired(const SectionCoefficients& a, const SectionCoefficients& b) {
  return {Lanes{a.gain, b.gain}, Lanes{a.b0, b.b0}, Lanes{a.b1, b.b1},
          Lanes{a.b2, b.b2},     Lanes{a.a1, b.a1}, Lanes{a.a2, b.a2}};
}

}  // namespace

void SectionGroup::Step(double* samples, int count, int first_checked) {
  const int whole = count / kChunk, rest = count % kChunk;
  const Chunks chunks{whole + (rest > 0 ? 1 : 0), rest > 0 ? rest : kChunk};
  for (int j = 0; j < size_; ++j) states_[j].first = count;
  alignas(16) Links links[2];
  for (int pass = 0; pass < chunks.count + size_ - 1; ++pass) {
    const Links& in = links[pass % 2];
    Links& out = links[(pass + 1) % 2];
    const bool all_busy = size_ == kMost && chunks.Has(pass) && chunks.Has(pass - 3) && chunks.Length(pass - 3) == kChunk;
    if (!all_busy || !SteppedUnheld(pass, chunks, samples, in, out)) StepHeld(pass, chunks, samples, in, out, first_checked);
  }
}

void SectionGroup::StepHeld(int pass, const Chunks& chunks, double* samples, const Links& in, Links& out,
                            int first_checked) {
  for (int t = 0; t < kChunk; ++t) {
    for (int j = 0; j < size_; ++j) {
      const int chunk = pass - j;
      if (!chunks.Has(chunk) || t >= chunks.Length(chunk)) continue;
      const int n = chunks.Begin(chunk) + t;
      const double x = j == 0 ? samples[n] : in[t][j - 1];
      SectionState& s = states_[j];
      s.flag = false;
      const double y = DifferenceStep(coefficients_[j], x, s.w1, s.w2, [&](double v) { return HoldAtLimit(v, s.flag); });
      (j == size_ - 1 ? samples[n] : out[t][j]) = y;
      if (s.flag && n >= first_checked && s.first > n) s.first = n;
    }
  }
}

bool SectionGroup::SteppedUnheld(int pass, const Chunks& chunks, double* samples, const Links& in, Links& out) {
  const SectionCoefficientsOf<Lanes> low = Paired(coefficients_[0], coefficients_[1]);
  const SectionCoefficientsOf<Lanes> high = Paired(coefficients_[2], coefficients_[3]);
  Lanes w1_low = {states_[0].w1, states_[1].w1}, w2_low = {states_[0].w2, states_[1].w2};
  Lanes w1_high = {states_[2].w1, states_[3].w1}, w2_high = {states_[2].w2, states_[3].w2};
  // The largest magnitude of every w and y; and the sum of the outputs, which a NaN anywhere
  // reaches (every value takes part in its section's output with a factor, and NaN·0 is NaN).
  Lanes peak_low = {0, 0}, peak_high = {0, 0}, sum = {0, 0};
  const auto track_low = [&peak_low](Lanes v) {
    peak_low = Larger(peak_low, Magnitude(v));
    return v;
  };
  const auto track_high = [&peak_high](Lanes v) {
    peak_high = Larger(peak_high, Magnitude(v));
    return v;
  };
  double* first_in = samples + chunks.Begin(pass);
  double* last_out = samples + chunks.Begin(pass - 3);
  for (int t = 0; t < kChunk; ++t) {
    const Lanes y_low = DifferenceStep(low, Lanes{first_in[t], in[t][0]}, w1_low, w2_low, track_low);
    const Lanes y_high = DifferenceStep(high, LoadLanes(&in[t][1]), w1_high, w2_high, track_high);
    sum += y_low + y_high;
    StoreLanes(&out[t][0], y_low);
    out[t][2] = y_high[0];
    last_out[t] = y_high[1];
  }
  if (AnyLane((Larger(peak_low, peak_high) > BothLanes(kFilterLimit)) | (sum != sum))) return false;
  states_[0].w1 = w1_low[0], states_[1].w1 = w1_low[1], states_[2].w1 = w1_high[0], states_[3].w1 = w1_high[1];
  states_[0].w2 = w2_low[0], states_[1].w2 = w2_low[1], states_[2].w2 = w2_high[0], states_[3].w2 = w2_high[1];
  for (int j = 0; j < kMost; ++j) states_[j].flag = false;
  return true;
}
