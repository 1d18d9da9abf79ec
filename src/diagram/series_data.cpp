#include "diagram/series_data.h"

#include <algorithm>
#include <vector>

#include "diagram/keeper.h"
#include "numeric/number_text.h"

namespace {

// Every double reads back exactly, with the decimal point or comma asked for.
void AppendNumber(std::string& text, double value, char decimal) {
  const std::string number = ExactNumberText(value);
  text += decimal == ',' ? DotToComma(number) : number;
}

// The rows a series gives: its samples, or for markers each point as often as it coincides (a
// double root is two roots); a circle is a drawing aid and gives none.
int RowCount(const TKeeper& k) {
  if (k.GetKind() == gkCircle) return 0;
  if (k.GetKind() != gkMarkers) return k.GetCount();
  int rows = 0;
  for (int i = 0; i < k.GetCount(); ++i) rows += std::max(1, k.GetPoints()[i].count);
  return rows;
}

// Row `row` of a marker series: the point it falls in.
const TMarkedPoint& MarkerRow(const TKeeper& k, int row) {
  int i = 0;
  while (row >= std::max(1, k.GetPoints()[i].count)) row -= std::max(1, k.GetPoints()[i++].count);
  return k.GetPoints()[i];
}

}  // namespace

std::string SeriesDataText(const TKeeper& first, TSeriesDataText kind) {
  const char separator = kind == TSeriesDataText::kCsv ? ',' : '\t';
  const char decimal = kind == TSeriesDataText::kCsv ? '.' : ',';
  std::vector<const TKeeper*> series;
  std::vector<int> lengths;
  int rows = 0;
  for (const TKeeper* k = &first; k != nullptr; k = k->GetNext()) {
    const int length = k->IsVisible() ? RowCount(*k) : 0;
    if (length <= 0) continue;
    series.push_back(k);
    lengths.push_back(length);
    rows = std::max(rows, length);
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
      if (i < lengths[s] && k.GetKind() == gkMarkers) {
        const TMarkedPoint& point = MarkerRow(k, i);
        AppendNumber(text, point.x, decimal);
        text += separator;
        AppendNumber(text, point.y, decimal);
      } else if (i < lengths[s]) {
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
