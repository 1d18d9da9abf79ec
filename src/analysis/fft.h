#pragma once
// Radix-2 FFT of a real sequence (decimation in time, in place in the caller's arrays),
// giving magnitudes and phases. The twiddle factor has a positive exponent, so the phases are
// the negated phases of the usual forward transform; there is no scaling.

#include <string>

#include "platform/progress.h"

// The small window that shows the transform's own progress bar when nobody hands one over.
class FftWindow {
 public:
  virtual ~FftWindow() = default;
  virtual ProgressBar& Bar() = 0;
  virtual void ShowWithCaption(const std::string& caption) = 0;
  virtual void CloseWindow() = 0;
};

class FastFourierTransform {
 public:
  // The window whose bar is used (and which is shown) when no outside bar is set; may be null.
  void SetOwnWindow(FftWindow* window);
  // A non-null bar is used from now on and no window is shown; null goes back to the own bar.
  void SetProgressBar(ProgressBar* bar);
  // Sets the length, correcting 0 to 2, a negative n to |n|, and a non-power of two to the
  // power of two below it, each with its message.
  void SetSize(int n);
  int Size() const { return FSize; }
  bool HasOwnWindow() const { return FOwnWindow; }

  // The n-point transform of count values of data, zero-padded, into magnitude and phase
  // (n values each). Refused with a message when n < count. A magnitude beyond the range of a
  // double is infinite; no other is.
  void Transform(const double* data, int count, int n, double* magnitude, double* phase);

 private:
  ProgressBar& Bar();
  // The power of two by which data too large for the transform's sums are scaled down first.
  int ScaleExponent(const double* data, int count) const;
  void RunTransform();

  ProgressBar own_bar_;          // used when there is no window
  FftWindow* window_ = nullptr;  // not owned
  ProgressBar* FBar = nullptr;   // outside bar, not owned
  bool FOwnWindow = true;
  double* FRe = nullptr;
  double* FIm = nullptr;
  int FSize = 0;
};
