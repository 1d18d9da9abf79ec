#pragma once
// A real number as a double's mantissa and an exponent of two of its own: the product of many
// factors (a cascade's gain) neither overflows nor underflows on the way, and keeps every digit
// of a double even where the product lies beyond a double's range.

#include <string>

class WideNumber {
 public:
  WideNumber() = default;  // 0
  explicit WideNumber(double value);

  WideNumber& operator*=(double factor);

  // 0.5 ≤ |Mantissa()| < 1, or 0 (or a non-finite value); the number is Mantissa()·2^Exponent().
  double Mantissa() const { return mantissa_; }
  long long Exponent() const { return exponent_; }
  // The nearest double: 0 or ±∞ beyond its range.
  double Value() const;
  // Whether Value() is the number itself.
  bool FitsDouble() const;

  bool operator==(const WideNumber&) const = default;

 private:
  double mantissa_ = 0;
  long long exponent_ = 0;
};

// The shortest decimal text that reads back as the same number (rounded to a double's 53
// significant bits, whatever the exponent), with a decimal point: ExactNumberText's text where the
// number fits a double ("0.5", "1e-05"), scientific beyond it ("1.2345678901234567e-412").
std::string ExactNumberText(const WideNumber& value);
