#pragma once
// The sum of the principal angles atan2(y, x) of many complex numbers (a zero counting as angle
// 0), as a cascade's phase needs it: with one atan2 at the end instead of one per term.
//
// The product of the numbers carries the sum modulo 2π; the whole turns are counted from the
// half-planes of the two factors and of the product (exact sign tests: a product of numbers
// from one closed half-plane cannot round into the other unless the angle sum is ±π, where
// either count gives the same sum). Signed zeros are honoured as atan2 honours them.
//
// The powers of two taken off on the way are counted, so the product's magnitude is known too.

#include <cmath>
#include <numbers>

class AngleSum {
 public:
  // A term or product whose larger part lies beyond these is brought back near 1.
  static constexpr double kLargestSize = 0x1p+256, kSmallestSize = 0x1p-256;

  void Add(double x, double y) {
    if (x == 0 && y == 0) {
      zero_term_ = true;
      return;
    }
    Normalise(x, y, exponent_);
    const double re = re_ * x - im_ * y;
    const double im = re_ * y + im_ * x;
    // Two angles in [0, π] that passed π add a turn; two in [−π, −0] that passed −π take one
    // away. Counted without branches: the signs of random angles are not predictable.
    const int lower_old = std::signbit(im_), lower_term = std::signbit(y), lower_new = std::signbit(im);
    turns_ += ((1 - lower_old) & (1 - lower_term) & lower_new) - (lower_old & lower_term & (1 - lower_new));
    re_ = re;
    im_ = im;
    Normalise(re_, im_, exponent_);
  }
  double Value() const { return std::atan2(im_, re_) + 2 * std::numbers::pi * turns_; }
  // |product of the terms| = Magnitude()·2^Exponent(); 0 once a term was 0.
  double Magnitude() const { return zero_term_ ? 0.0 : std::sqrt(re_ * re_ + im_ * im_); }
  long long Exponent() const { return exponent_; }

 private:
  // Keeps a magnitude near 1 by an exact power of two (angle and signs unchanged), so that the
  // product neither overflows nor underflows; the power taken off is added to exponent.
  static void Normalise(double& re, double& im, long long& exponent) {
    const double size = std::fabs(re) > std::fabs(im) ? std::fabs(re) : std::fabs(im);
    if (size > kLargestSize || size < kSmallestSize) {
      int taken = 0;
      std::frexp(size, &taken);
      re = std::ldexp(re, -taken);
      im = std::ldexp(im, -taken);
      exponent += taken;
    }
  }

  friend class PairedProducts;  // carries on the same arithmetic for two sums at once

  double re_ = 1, im_ = 0;
  int turns_ = 0;
  long long exponent_ = 0;
  bool zero_term_ = false;
};
