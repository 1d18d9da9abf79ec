#include "analysis/fft.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "platform/messages.h"

void FastFourierTransform::SetOwnWindow(FftWindow* window) { window_ = window; }

void FastFourierTransform::SetProgressBar(ProgressBar* bar) {
  FBar = bar;
  FOwnWindow = bar == nullptr;
}

ProgressBar& FastFourierTransform::Bar() {
  if (!FOwnWindow && FBar != nullptr) return *FBar;
  return window_ != nullptr ? window_->Bar() : own_bar_;
}

void FastFourierTransform::SetSize(int n) {
  if (n == 0) {
    ShowMessage("Модуль БПФ: Попытка установить нулевой объем преобразования.");
    n = 2;
  }
  // |INT_MIN| does not fit an int; it is not a valid length either way.
  long long length = std::llabs(static_cast<long long>(n));
  if ((length & (length - 1)) == 0 && length <= (1LL << 30)) {
    FSize = static_cast<int>(length);
    return;
  }
  ShowMessage("Установлен неправильный объем БПФ: " + std::to_string(length));
  long long power = 1;
  while (power < length) power *= 2;
  FSize = static_cast<int>(power / 2);
}

void FastFourierTransform::Transform(const double* data, int count, int n, double* magnitude, double* phase) {
  if (n < count) {
    ShowMessage("Объём БПФ меньше длины сигнала.");
    return;
  }
  SetSize(n);
  // Only a length of 0 or below is corrected upward; the caller's arrays then hold no values
  // at all, so nothing may be written into them.
  if (FSize > n) return;
  FRe = magnitude;
  FIm = phase;
  for (int i = 0; i < FSize; ++i) FRe[i] = FIm[i] = 0;
  const int copied = count < FSize ? count : FSize;
  // Data so large that the sums of the transform could leave the range of a double are scaled
  // down by a power of two first (exactly), and the magnitudes back up at the end.
  const int exponent = ScaleExponent(data, copied);
  for (int i = 0; i < copied; ++i) FRe[i] = std::ldexp(data[i], -exponent);

  RunTransform();

  for (int k = 0; k < FSize; ++k) {
    const double re = FRe[k];
    const double im = FIm[k];
    FIm[k] = (re == 0 && im == 0) ? 0.0 : std::atan2(im, re);
    FRe[k] = std::ldexp(std::hypot(re, im), exponent);
  }
  if (FOwnWindow && window_ != nullptr) window_->CloseWindow();
}

int FastFourierTransform::ScaleExponent(const double* data, int count) const {
  // A butterfly at most doubles a magnitude and the three-multiplication product adds at most
  // another factor 2, so every value of the transform stays below 4·FSize times the largest datum.
  double largest = 0;
  for (int i = 0; i < count; ++i) largest = std::max(largest, std::fabs(data[i]));
  if (largest == 0 || !std::isfinite(largest)) return 0;
  int exponent = 0;
  std::frexp(largest, &exponent);                                       // largest < 2^exponent
  const int growth = 2 + std::bit_width(static_cast<unsigned>(FSize));  // 4·FSize < 2^growth
  constexpr int kKeepBelow = 1000;                                      // every value of the transform below 2^1000
  return std::max(0, exponent + growth - kKeepBelow);
}

void FastFourierTransform::RunTransform() {
  const int n = FSize;
  int m = 0;
  while (((n >> m) & 1) == 0) ++m;

  ProgressBar& bar = Bar();
  bar.SetMinimum(0);
  bar.SetMaximum(m - 1);
  bar.SetStep(1);
  bar.SetPosition(0);
  if (FOwnWindow && window_ != nullptr) window_->ShowWithCaption("БПФ: " + std::to_string(n));

  // Indices count from 1 as in the textbook algorithm: x(k) is array element k − 1.
  double* const re0 = FRe;
  double* const im0 = FIm;
  auto re = [re0](int k) -> double& { return re0[k - 1]; };
  auto im = [im0](int k) -> double& { return im0[k - 1]; };

  // Bit-reversal permutation; the imaginary parts are still all zero.
  int j = 1;
  for (int i = 1; i <= n - 1; ++i) {
    if (i < j) std::swap(re(i), re(j));
    int k = n / 2;
    while (k < j) {
      j -= k;
      k /= 2;
    }
    j += k;
  }

  for (int l = 1; l <= m; ++l) {
    const int le = 1 << l;
    const int le1 = le / 2;
    double ur = 1, ui = 0;
    const double wr = std::cos(std::numbers::pi / le1);
    const double wi = std::sin(std::numbers::pi / le1);
    for (int jj = 1; jj <= le1; ++jj) {
      for (int i = jj; i <= n; i += le) {
        const int ip = i + le1;
        // (c + jd)(ur + j·ui) with three real multiplications.
        const double c = re(ip), d = im(ip);
        const double k1 = (c + d) * ur;
        const double k2 = (ur + ui) * d;
        const double k3 = (ui - ur) * c;
        const double tr = k1 - k2;
        const double ti = k1 + k3;
        re(ip) = re(i) - tr;
        im(ip) = im(i) - ti;
        re(i) += tr;
        im(i) += ti;
      }
      const double next_ur = ur * wr - ui * wi;
      ui = ui * wr + ur * wi;
      ur = next_ur;
    }
    bar.StepIt();
  }
}
