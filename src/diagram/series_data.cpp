#include "diagram/series_data.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "diagram/keeper.h"

namespace {

// "%.17g" whatever the locale: every double reads back exactly.
void AppendNumber(std::string& text, double value, char decimal) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  std::replace(buffer, written.ptr, '.', decimal);
  text.append(buffer, written.ptr);
}

}  // namespace

std::string SeriesDataText(const TKeeper& first, TSeriesDataText kind) {
  const char separator = kind == TSeriesDataText::kCsv ? ',' : '\t';
  const char decimal = kind == TSeriesDataText::kCsv ? '.' : ',';
  std::vector<const TKeeper*> series;
  int rows = 0;
  for (const TKeeper* k = &first; k != nullptr; k = k->GetNext()) {
    if (!k->IsVisible() || k->GetCount() <= 0) continue;
    series.push_back(k);
    rows = std::max(rows, k->GetCount());
  }
  std::string text;
  for (std::size_t s = 1; s <= series.size(); ++s) {
    const std::string number = std::to_string(s);
    if (s > 1) text += separator;
    text.append(1, 'x').append(number).append(1, separator).append(1, 'y').append(number);
  }
  text += '\n';
  for (int i = 0; i < rows; ++i) {
    for (std::size_t s = 0; s < series.size(); ++s) {
      if (s > 0) text += separator;
      const TKeeper& k = *series[s];
      if (i < k.GetCount()) {
        // The argument as the series itself reckons it for its samples.
        AppendNumber(text, static_cast<double>(static_cast<long double>(i) * k.GetStep() + k.GetXmin()), decimal);
        text += separator;
        AppendNumber(text, k.Sample(i), decimal);
      } else {
        text += separator;
      }
    }
    text += '\n';
  }
  return text;
}
