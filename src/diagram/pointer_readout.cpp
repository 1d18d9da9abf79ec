#include "diagram/pointer_readout.h"

#include <cmath>
#include <cstdio>

#include "diagram/diagram_core.h"
#include "numeric/number_text.h"

namespace {

// The read-out stays empty this close to the net's edges.
constexpr int kReadoutMargin = 2;

}  // namespace

std::string FixedSignificant(double value, int significant, int decimals) {
  char buffer[64];
  if (value != 0 && std::isfinite(value)) {
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    if (exponent + 1 > significant) {
      std::snprintf(buffer, sizeof buffer, "%.*E", significant - 1, value);
      return DotToComma(buffer);
    }
    const long double scale = std::pow(10.0L, significant - 1 - exponent);
    value = static_cast<double>(std::round(value * scale) / scale);
  }
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return DotToComma(buffer);
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
