#include "numeric/general_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kSmallestFixedExponent = -5;

// The digits of the rounded value written as d.dddddddddddddde±XX, trailing zeros removed,
// and its decimal exponent. Rounding can carry into the exponent (9,99…95 becomes 1E1),
// so both come from the same rounded text.
void SignificantDigits(double magnitude, std::string& digits, int& exponent) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, kSignificantDigits - 1);
  const std::string text(buffer, result.ptr);
  const std::size_t e = text.find('e');
  digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : std::string());
  exponent = std::atoi(text.c_str() + e + 1);
  const std::size_t last = digits.find_last_not_of('0');
  digits.erase(last == std::string::npos ? 1 : last + 1);
}

std::string ExponentForm(const std::string& digits, int exponent) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text.append(",").append(digits, 1);
  return text.append("E").append(std::to_string(exponent));
}

std::string FixedForm(const std::string& digits, int exponent) {
  if (exponent < 0) return std::string("0,").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integer_digits) return digits + std::string(integer_digits - digits.size(), '0');
  return digits.substr(0, integer_digits).append(",").append(digits, integer_digits);
}

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  std::string digits;
  int exponent = 0;
  SignificantDigits(std::fabs(value), digits, exponent);
  const bool exponent_form = exponent < kSmallestFixedExponent || exponent >= kSignificantDigits;
  const std::string text = exponent_form ? ExponentForm(digits, exponent) : FixedForm(digits, exponent);
  return value < 0 ? std::string("-").append(text) : text;
}
