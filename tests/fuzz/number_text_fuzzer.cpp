// Any text typed into a number field: TextToDouble gives a finite number or false and 0, reads a
// text alike with a decimal comma or point, reads back whatever FormatNumber writes, and reads the
// exact text of every finite double back as that very double.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "numeric/number_text.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  double value = -1;
  const bool read = TextToDouble(text, value);
  Check(read ? std::isfinite(value) : value == 0);

  const std::size_t separator = text.find_first_of(",.");
  if (separator != std::string::npos && text.find_first_of(",.", separator + 1) == std::string::npos) {
    std::string swapped = text;
    swapped[separator] = text[separator] == ',' ? '.' : ',';
    double other = -1;
    Check(TextToDouble(swapped, other) == read && other == value);
  }

  if (size >= sizeof(double) + 1) {
    double number = 0;
    std::memcpy(&number, data, sizeof number);
    double back = -1;
    if (std::isfinite(number)) {
      Check(TextToDouble(FormatNumber(data[sizeof number] % 10, number), back));
      Check(TextToDouble(ExactNumberText(number), back) && back == number);
    }
  }
  return 0;
}
