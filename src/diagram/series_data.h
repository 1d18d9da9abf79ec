#pragma once
// The samples of a diagram's series as text, for a spreadsheet or a script.

#include <string>

class TKeeper;

enum class TSeriesDataText {
  kCsv,     // commas between the cells, a decimal point: for files
  kTabbed,  // tabs between the cells, a decimal comma: for pasting into a Russian spreadsheet
};

// x and y of every stored sample of every visible series along the chain from `first`, with 17
// significant digits. Series k (1, 2, …) fills the columns xk and yk, which the header line names;
// a series shorter than the longest leaves its cells empty below its last sample.
std::string SeriesDataText(const TKeeper& first, TSeriesDataText kind);
