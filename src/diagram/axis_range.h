#pragma once
// One axis of a diagram: the view range, the limits it may not leave and the decimals of its
// labels, with the rules that keep them sound. The diagram owns one for X and one for Y.

// The outermost limits any axis may have.
constexpr double kAxisLimit = 100000;
// Narrower view ranges are refused.
constexpr double kMinRangeWidth = 1e-6;

class TAxisRange {
 public:
  double Min() const { return min_; }
  double Max() const { return max_; }
  double LimitMin() const { return limit_min_; }
  double LimitMax() const { return limit_max_; }
  int Precision() const { return precision_; }
  double Width() const { return max_ - min_; }

  // Orders the ends, clips them into the limits and stores them; false (nothing changed) for a
  // range narrower than kMinRangeWidth, before or after clipping, or with a non-finite end.
  bool SetRange(double min, double max);
  // Stores |p| capped at 7.
  void SetPrecision(int p);
  // Label decimals may be raised to 8 while drawing, when 7 still makes two labels alike.
  void RaisePrecision(int p) { precision_ = p; }
  // An axis of whole numbers (sample indices): labels without decimals, whole grid and zoom steps.
  void SetWholeNumbers(bool on) { whole_numbers_ = on; }
  bool WholeNumbers() const { return whole_numbers_; }
  // Label decimals that suit the present range.
  int RangePrecision() const;
  // Orders and stores new limits within ±kAxisLimit (equal ends are refused). Returns the view
  // range clipped into them through `min`, `max` and whether that differs from the current one.
  bool SetLimit(double lo, double hi, double& min, double& max);

  // Distance one click of a spin button moves an end.
  double ZoomStep() const;

 private:
  double limit_min_ = -kAxisLimit;
  double limit_max_ = kAxisLimit;
  double min_ = -1;
  double max_ = 1;
  int precision_ = 1;
  bool whole_numbers_ = false;
};

// Widens [ymin, ymax] to hold 0, so that a one-sided series is seen against its zero line.
void IncludeZero(double& ymin, double& ymax);

// Label decimals that suit a range this wide.
int PrecisionForWidth(double width);
// Spin button step for a range of this width shown with p decimals.
double ZoomStepFor(double width, int precision);
