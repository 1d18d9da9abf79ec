#pragma once
// Two doubles side by side in one vector register, for loops whose two strands do the same
// arithmetic: lane for lane the operations are those of plain doubles, so the results are too.

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using Lanes = double __attribute__((vector_size(16)));
using LaneInts = std::int64_t __attribute__((vector_size(16)));  // a comparison gives −1 or 0 per lane
using LaneBits = std::uint64_t __attribute__((vector_size(16)));

inline Lanes BothLanes(double value) { return Lanes{value, value}; }

inline Lanes LoadLanes(const double* from) {
  Lanes value;
  std::memcpy(&value, from, sizeof value);
  return value;
}

inline void StoreLanes(double* to, Lanes value) { std::memcpy(to, &value, sizeof value); }

inline Lanes Magnitude(Lanes v) { return (Lanes)((LaneBits)v & LaneBits{~0ULL >> 1, ~0ULL >> 1}); }

// As the scalar a > b ? a : b (a NaN in either gives b).
inline Lanes Larger(Lanes a, Lanes b) { return a > b ? a : b; }
inline Lanes Smaller(Lanes a, Lanes b) { return a < b ? a : b; }

// 1 in a lane whose sign bit is set, else 0.
inline LaneInts SignBits(Lanes v) { return (LaneInts)((LaneBits)v >> 63); }

inline bool AnyLane(LaneInts mask) {
#if defined(__SSE2__)
  return _mm_movemask_pd((__m128d)mask) != 0;
#else
  return (mask[0] | mask[1]) != 0;
#endif
}
