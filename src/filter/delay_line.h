#pragma once
// The delay line of a direct-form filter: element i ≥ 1 holds w(n−i), element 0 is 0 after a
// step. It behaves as a value list that is shifted by one place per step, but the shift costs
// nothing: the elements live twice in a buffer of double length, and a step only moves the
// window's start, so the elements stay contiguous for the filter's sums.

#include <vector>

class DelayLine {
 public:
  int Degree() const { return length_ - 1; }
  double GetAt(int i) const { return (i < 0 || i >= length_) ? 0.0 : buffer_[head_ + i]; }
  // Elements 0 … Degree(), contiguous.
  const double* Data() const { return buffer_.data() + head_; }
  void Fill0();
  // Makes the count exactly n (n ≤ 0 empties the line), all elements 0; false when memory ran out.
  bool SetCount(int n);
  void Clear() { SetCount(0); }
  // Shifts every element one place up (the last is dropped, element 0 becomes 0) and puts w into
  // element 1; a line of fewer than two elements grows to two.
  void Push(double w);
  // Puts elements 0 … Degree() in place (a list of another length is ignored).
  void SetElements(const std::vector<double>& elements);

 private:
  void Put(int i, double value);

  std::vector<double> buffer_;  // 2·length: element i at head_ + i and, mirrored, head_ + i ± length
  int length_ = 0;
  int head_ = 0;  // in [0, length)
};
