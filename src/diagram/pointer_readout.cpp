#include "diagram/pointer_readout.h"

#include <charconv>
#include <cmath>

#include "diagram/diagram_core.h"
#include "numeric/number_text.h"

namespace {

// The read-out stays empty this close to the net's edges.
constexpr int kReadoutMargin = 2;

}  // namespace

std::string FixedSignificant(double value, int significant, int decimals) {
  char buffer[400];
  if (value != 0 && std::isfinite(value)) {
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    if (exponent + 1 > significant) {
      const auto written =
          std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1);
      std::string text(buffer, written.ptr);
      for (char& ch : text) ch = ch == 'e' ? 'E' : ch;
      return DotToComma(text);
    }
    const long double scale = std::pow(10.0L, significant - 1 - exponent);
    value = static_cast<double>(std::round(value * scale) / scale);
  }
  // Written without the locale, like every number of the program.
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return DotToComma(std::string(buffer, written.ptr));
}

std::string PointerReadout(const TDiagramCore& d, int x, int y) {
  const bool inside = d.Get_xb_net() + kReadoutMargin <= x && x <= d.Get_xe_net() - kReadoutMargin &&
                      d.Get_yb_net() + kReadoutMargin <= y && y <= d.Get_ye_net() - kReadoutMargin;
  if (!inside) return "";
  std::string text = "(";
  text += FixedSignificant(d.PhisToMathX(x), 5, d.GetPrecisionX() + 2);
  text += "; ";
  text += FixedSignificant(d.PhisToMathY(y), 5, d.GetPrecisionY() + 2);
  text += ")";
  return text;
}
