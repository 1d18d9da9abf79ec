#include "numeric/subnormal_guard.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace {

#if defined(__x86_64__) || defined(_M_X64)
constexpr unsigned long long kFlushBits = 0x8000 | 0x0040;  // FTZ: results, DAZ: operands
unsigned long long ReadControl() { return _mm_getcsr(); }
void WriteControl(unsigned long long value) { _mm_setcsr(static_cast<unsigned>(value)); }
constexpr bool kSupported = true;
#elif defined(__aarch64__)
constexpr unsigned long long kFlushBits = 1ULL << 24;  // FZ: results and operands
unsigned long long ReadControl() {
  unsigned long long value;
  __asm__ __volatile__("mrs %0, fpcr" : "=r"(value));
  return value;
}
void WriteControl(unsigned long long value) { __asm__ __volatile__("msr fpcr, %0" : : "r"(value)); }
constexpr bool kSupported = true;
#else
constexpr unsigned long long kFlushBits = 0;
unsigned long long ReadControl() { return 0; }
void WriteControl(unsigned long long) {}
constexpr bool kSupported = false;
#endif

}  // namespace

SubnormalGuard::SubnormalGuard(bool flush) : active_(flush && kSupported) {
  if (!active_) return;
  saved_ = ReadControl();
  WriteControl(saved_ | kFlushBits);
}

SubnormalGuard::~SubnormalGuard() {
  if (active_) WriteControl(saved_);
}

bool SubnormalGuard::Supported() { return kSupported; }

bool SubnormalGuard::Flushing() { return kSupported && (ReadControl() & kFlushBits) == kFlushBits; }
