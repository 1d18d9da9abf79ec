#pragma once
// The interval a measurement text "value±p%" states: value·(1 ± p/100), read with either separator.

#include <cmath>
#include <string>

#include "numeric/number_text.h"

struct StatedInterval {
  double low = 0, high = 0;
  bool read = false;  // whether the text had that form at all

  explicit StatedInterval(const std::string& text) {
    const std::size_t plus_minus = text.find("±");
    if (plus_minus == std::string::npos || text.empty() || text.back() != '%') return;
    const std::size_t after = plus_minus + std::string("±").size();
    double value = 0, percent = 0;
    if (!TextToDouble(text.substr(0, plus_minus), value) ||
        !TextToDouble(text.substr(after, text.size() - after - 1), percent))
      return;
    const double reach = std::fabs(value) * percent / 100;
    low = value - reach;
    high = value + reach;
    read = true;
  }
  bool Holds(double x) const { return read && low <= x && x <= high; }
};
