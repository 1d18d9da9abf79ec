#include "numeric/wide_number.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "numeric/number_text.h"

namespace {

// digits·10^exponent, the digits most significant first without leading zeros.
struct Decimal {
  std::string digits;
  long long exponent = 0;
};

// A non-negative integer in limbs of nine decimal digits, the least significant first.
class DecimalInteger {
 public:
  explicit DecimalInteger(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value != 0);
  }

  // factor < 2^32: a limb times it stays below 2^64.
  void Multiply(std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = limb * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    for (; carry != 0; carry /= kBase) limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
  }

  std::string Digits() const {
    std::string text = std::to_string(limbs_.back());
    for (auto limb = limbs_.rbegin() + 1; limb != limbs_.rend(); ++limb) {
      const std::string part = std::to_string(*limb);
      text += std::string(9 - part.size(), '0') + part;
    }
    return text;
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs_;
};

// n·2^shift written out in full: an integer times a power of two is a finite decimal.
Decimal ExactDecimal(std::uint64_t n, long long shift) {
  DecimalInteger value(n);
  long long exponent = 0;
  if (shift >= 0) {
    for (; shift >= 31; shift -= 31) value.Multiply(std::uint64_t{1} << 31);
    value.Multiply(std::uint64_t{1} << shift);
  } else {
    // 2^−k = 5^k·10^−k.
    exponent = shift;
    long long k = -shift;
    for (; k >= 13; k -= 13) value.Multiply(1'220'703'125);  // 5^13
    std::uint64_t power = 1;
    for (; k > 0; --k) power *= 5;
    value.Multiply(power);
  }
  Decimal decimal{value.Digits(), exponent};
  // Trailing zeros belong in the exponent.
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
    decimal.digits.pop_back();
    ++decimal.exponent;
  }
  return decimal;
}

// The power of ten of the leading digit.
long long LeadingPower(const Decimal& d) { return d.exponent + static_cast<long long>(d.digits.size()) - 1; }

bool Less(const Decimal& a, const Decimal& b) {
  if (LeadingPower(a) != LeadingPower(b)) return LeadingPower(a) < LeadingPower(b);
  const std::size_t size = std::max(a.digits.size(), b.digits.size());
  std::string x = a.digits, y = b.digits;
  x.resize(size, '0');
  y.resize(size, '0');
  return x < y;
}

// The decimal rounded to its first `count` digits (halves up).
Decimal Rounded(const Decimal& d, std::size_t count) {
  if (d.digits.size() <= count) return d;
  Decimal r{d.digits.substr(0, count), d.exponent + static_cast<long long>(d.digits.size() - count)};
  if (d.digits[count] < '5') return r;
  std::size_t i = count;
  while (i > 0 && r.digits[i - 1] == '9') r.digits[--i] = '0';
  if (i == 0) {
    r.digits.insert(r.digits.begin(), '1');
  } else {
    ++r.digits[i - 1];
  }
  while (r.digits.size() > 1 && r.digits.back() == '0') {
    r.digits.pop_back();
    ++r.exponent;
  }
  return r;
}

std::string Scientific(const Decimal& d) {
  std::string text = d.digits.substr(0, 1);
  if (d.digits.size() > 1) text.append(".").append(d.digits, 1);
  const long long power = LeadingPower(d);
  const std::string digits = std::to_string(power < 0 ? -power : power);
  text += power < 0 ? "e-" : "e+";
  if (digits.size() < 2) text += '0';
  text += digits;
  return text;
}

}  // namespace

WideNumber::WideNumber(double value) {
  int exponent = 0;
  mantissa_ = std::frexp(value, &exponent);
  exponent_ = std::isfinite(value) ? exponent : 0;
}

WideNumber& WideNumber::operator*=(double factor) {
  int factor_exponent = 0, product_exponent = 0;
  // Both mantissas lie in [0.5, 1): their product can neither overflow nor underflow.
  const double factor_mantissa = std::frexp(factor, &factor_exponent);
  mantissa_ = std::frexp(mantissa_ * factor_mantissa, &product_exponent);
  exponent_ = mantissa_ == 0 || !std::isfinite(mantissa_) ? 0 : exponent_ + factor_exponent + product_exponent;
  return *this;
}

double WideNumber::Value() const {
  constexpr long long kBeyond = 1 << 12;  // further than any double's exponent
  return std::ldexp(mantissa_, static_cast<int>(std::clamp(exponent_, -kBeyond, kBeyond)));
}

bool WideNumber::FitsDouble() const { return WideNumber(Value()) == *this; }

std::string ExactNumberText(const WideNumber& value) {
  if (value.FitsDouble()) return ExactNumberText(value.Value());
  // |value| = m·2^e with m an integer of 53 bits; it reads back from any decimal strictly between
  // the midpoints to its neighbours, which lies closer below a power of two.
  const auto m = static_cast<std::uint64_t>(std::ldexp(std::fabs(value.Mantissa()), 53));
  const long long e = value.Exponent() - 53;
  const Decimal exact = ExactDecimal(m, e);
  const Decimal low = ExactDecimal(4 * m - (m == std::uint64_t{1} << 52 ? 1 : 2), e - 2);
  const Decimal high = ExactDecimal(4 * m + 2, e - 2);
  Decimal shortest = exact;
  for (std::size_t count = 1; count < exact.digits.size(); ++count) {
    const Decimal candidate = Rounded(exact, count);
    if (Less(low, candidate) && Less(candidate, high)) {
      shortest = candidate;
      break;
    }
  }
  std::string text = value.Mantissa() < 0 ? "-" : "";
  text += Scientific(shortest);
  return text;
}
