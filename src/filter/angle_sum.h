#pragma once
// The sum of the principal angles atan2(y, x) of many complex numbers (a zero counting as angle
// 0), as a cascade's phase needs it: with one atan2 at the end instead of one per term.
//
// The product of the numbers carries the sum modulo 2π; the whole turns are counted from the
// half-planes of the two factors and of the product (exact sign tests: a product of numbers
// from one closed half-plane cannot round into the other unless the angle sum is ±π, where
// either count gives the same sum). Signed zeros are honoured as atan2 honours them.

#include <cmath>
#include <numbers>

class AngleSum {
 public:
  void Add(double x, double y) {
    if (x == 0 && y == 0) return;
    Normalise(x, y);
    const double re = re_ * x - im_ * y;
    const double im = re_ * y + im_ * x;
    const bool lower_old = std::signbit(im_), lower_term = std::signbit(y), lower_new = std::signbit(im);
    if (!lower_old && !lower_term && lower_new) ++turns_;   // two angles in [0, π] passed π
    else if (lower_old && lower_term && !lower_new) --turns_;  // two in [−π, −0] passed −π
    re_ = re;
    im_ = im;
    Normalise(re_, im_);
  }
  double Value() const { return std::atan2(im_, re_) + 2 * std::numbers::pi * turns_; }

 private:
  // Keeps a magnitude near 1 by an exact power of two (angle and signs unchanged), so that the
  // product neither overflows nor underflows.
  static void Normalise(double& re, double& im) {
    const double size = std::fabs(re) > std::fabs(im) ? std::fabs(re) : std::fabs(im);
    if (size > 0x1p+256 || size < 0x1p-256) {
      int exponent = 0;
      std::frexp(size, &exponent);
      re = std::ldexp(re, -exponent);
      im = std::ldexp(im, -exponent);
    }
  }

  double re_ = 1, im_ = 0;
  int turns_ = 0;
};
