#include "numeric/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// How far DotToComma and CommaToDot look into a text. Reading a number looks at all of it, so
// that a long text reads the same with either separator.
constexpr std::size_t kScanLimit = 30001;

std::string ReplaceFirst(const std::string& text, char from, char to, std::size_t scan_limit = std::string::npos) {
  std::string result = text;
  const std::size_t end = std::min(result.size(), scan_limit);
  for (std::size_t i = 0; i < end; ++i) {
    if (result[i] == from) {
      result[i] = to;
      break;
    }
  }
  return result;
}

// The platform's conversion as this program uses it: the user's decimal separator is the comma.
// The whole text (blanks around it aside) must be one finite number.
bool ConvertWithComma(const std::string& text, double& value) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return false;
  std::size_t end = text.find_last_not_of(' ') + 1;
  std::string number = text.substr(begin, end - begin);
  if (number.find('.') != std::string::npos) return false;  // not the user's separator
  number = ReplaceFirst(number, ',', '.');
  const char* first = number.data();
  const char* last = first + number.size();
  if (first != last && *first == '+') {
    ++first;
    if (first != last && (*first == '-' || *first == '+')) return false;
  }
  double parsed = 0;
  const auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
  if (ec != std::errc() || ptr != last || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

}  // namespace

std::string FormatNumber(unsigned decimals, double value) {
  char buffer[400];
  const auto result =
      decimals <= 7
          ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, static_cast<int>(decimals))
          : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
  // to_chars writes what printf's "%.Nf" and "%e" write, but never with the locale's separator.
  return DotToComma(std::string(buffer, result.ptr));
}

bool TextToDouble(const std::string& text, double& value) {
  if (ConvertWithComma(text, value)) return true;
  const std::string with_comma = ReplaceFirst(text, '.', ',');
  if (ConvertWithComma(with_comma, value)) return true;
  const std::string with_point = ReplaceFirst(with_comma, ',', '.');
  if (ConvertWithComma(with_point, value)) return true;
  value = 0;
  return false;
}

std::string DotToComma(const std::string& text) { return ReplaceFirst(text, '.', ',', kScanLimit); }

std::string CommaToDot(const std::string& text) { return ReplaceFirst(text, ',', '.', kScanLimit); }

std::string ExactNumberText(double value) {
  // to_chars, unlike printf, ignores the locale the window system may have set.
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
