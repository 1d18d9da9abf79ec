#pragma once
// Two doubles side by side in one vector register, for loops whose two strands do the same
// arithmetic: lane for lane the operations are those of plain doubles, so the results are too.

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The speed kernels' own names, kept apart from the program's (Magnitude, Larger, … would
// otherwise read as general-purpose helpers).
namespace simd {

using Lanes = double __attribute__((vector_size(16)));
using LaneInts = std::int64_t __attribute__((vector_size(16)));
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

// Bit l set where lane l of a is greater than lane l of b (never for a NaN).
inline int GreaterLanes(Lanes a, Lanes b) {
#if defined(__SSE2__)
  return _mm_movemask_pd(_mm_cmpgt_pd(a, b));
#else
  return (a[0] > b[0] ? 1 : 0) | (a[1] > b[1] ? 2 : 0);
#endif
}

// Bit l set where lane l of a is at most lane l of b (never for a NaN).
inline int AtMostLanes(Lanes a, Lanes b) {
#if defined(__SSE2__)
  return _mm_movemask_pd(_mm_cmple_pd(a, b));
#else
  return (a[0] <= b[0] ? 1 : 0) | (a[1] <= b[1] ? 2 : 0);
#endif
}

}  // namespace simd
