#pragma once
// Flushes subnormal numbers to zero while it lives, and puts the floating-point control state
// back as it was afterwards. A decaying filter drives its delay lines through the subnormal range,
// where every operation costs some CPUs a hundred cycles; the results lose nothing by it (the
// values are below 2.3e-308). x86-64: MXCSR FTZ and DAZ; aarch64: FPCR.FZ; elsewhere it does nothing.

class SubnormalGuard {
 public:
  // A guard constructed with flush = false leaves the state alone (for measuring what it saves).
  explicit SubnormalGuard(bool flush = true);
  ~SubnormalGuard();
  SubnormalGuard(const SubnormalGuard&) = delete;
  SubnormalGuard& operator=(const SubnormalGuard&) = delete;

  // Whether this build can flush subnormals at all.
  static bool Supported();
  // Whether subnormals are flushed right now.
  static bool Flushing();

 private:
  unsigned long long saved_ = 0;
  bool active_ = false;
};
