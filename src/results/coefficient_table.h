#pragma once
// What the coefficients window shows of a filter: a caption, the equation the coefficients enter,
// and a table of texts with a decimal comma, each the shortest that reads back as its double. A typed filter has the
// columns i, a(i), b(i); a cascade one row per section; a non-recursive design its taps.

#include <functional>
#include <string>
#include <vector>

#include "results/filter_coefficients.h"

struct CoefficientTable {
  std::string caption;   // the filter and its size
  std::string equation;  // one or two lines
  std::vector<std::string> headers;
  std::vector<std::vector<std::string>> cells;  // each row as long as headers; "" where no coefficient is
};

CoefficientTable TableOf(const FilterCoefficients& filter);

// A coefficient as the window shows it: every digit a double needs, with a decimal comma.
std::string CoefficientText(double value);

// Tab-separated lines for a spreadsheet: the cells for which selected(row, column) holds, rows and
// columns without any left out and the others' gaps empty; with no predicate, the header line and
// every cell.
std::string TableText(const CoefficientTable& table, const std::function<bool(int, int)>& selected = {});
