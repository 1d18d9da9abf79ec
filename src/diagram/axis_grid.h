#pragma once
// Choosing the grid of one axis: the step, the values the grid lines and minor ticks stand at,
// the tick label texts and the decimals that keep neighbouring labels apart.

#include <cmath>
#include <string>

// The finest step whose intervals leave `label_span` pixels (a label with its spacing) each on
// `pixels`; when none does, the coarsest.
long double GridStep(double pixels, double label_span, double width);
// The step of a whole-number axis: the step rounded to a whole number, at least 1.
long double WholeStep(long double step);

// Equally spaced values start, start + step, ... (count of them); computed, not accumulated.
struct TGridWalk {
  long double start = 0;
  long double step = 1;
  int count = 0;

  long double At(int i) const { return start + i * step; }
};

// Grid lines of a range with this step: from the first multiple of the step at or just inside
// `min` up to `max` plus a tolerance of a thousandth of the range.
TGridWalk GridLineWalk(double min, double max, long double step);
// Minor ticks, `per_step` per grid step, up to `max`. The X axis starts one tick further left
// (`one_before`) than the Y axis does.
TGridWalk MinorTickWalk(double min, double max, long double step, bool one_before, int per_step = 5);
// Five minor ticks per grid step; on a whole-number axis no more than fall on whole numbers.
int MinorTicksPerStep(long double step, bool whole_numbers);

// Whether a grid value stands for 0: within the tolerance, a thousandth of the range, that the
// sums of steps leave.
inline bool IsGridZero(long double value, double tolerance) { return !(std::fabs(value) > tolerance); }
// The label at a grid value: the number with `precision` decimals, "0" or "0,0" within the tolerance.
std::string GridLabel(long double value, double tolerance, int precision);
// Formats with "%.0f" ... "%.7f" for p 0..7, "%e" otherwise; a decimal comma as everywhere.
std::string num2char(double value, int p);
// The precision raised (up to 8) until no label of the walk repeats or begins its predecessor.
int DistinctLabelPrecision(const TGridWalk& walk, double tolerance, int precision);

// Characters reserved for a label of a range reaching `largest` in magnitude: the digits before the
// point (the logarithm's magnitude when `magnitude_of_log`), the decimals and three more; never
// fewer than the shortest label with these decimals.
int LabelChars(double largest, int precision, bool magnitude_of_log);
