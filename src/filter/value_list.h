#pragma once
// A growable list of doubles addressed like the coefficient vector of a polynomial:
// its degree is its count minus one, reading past the end gives 0, writing past the end extends it.
// Growth is all-or-nothing: a call that runs out of memory leaves the list as it was and returns false.

#include <vector>

class CDoubleList {
 public:
  int Degree() const { return static_cast<int>(values_.size()) - 1; }
  int Count() const { return static_cast<int>(values_.size()); }
  double GetAt(int i) const { return (i < 0 || i > Degree()) ? 0.0 : values_[i]; }
  // i < 0 does nothing; past the end the list grows with zeros up to degree i.
  bool SetAt(int i, double value);
  bool SetDegree(int degree) { return SetCount(degree + 1); }
  // Appends zeros or removes from the end; n <= 0 empties the list.
  bool SetCount(int n);
  // False for a missing array or n < 1; otherwise the list becomes a copy of the n values.
  bool Assign(const double* values, int n);
  void Fill0();
  // Every element takes its predecessor's value, element 0 becomes 0, the last value is dropped.
  void ShiftUp();
  // Removes trailing zeros; returns whether the last element was 0 before any removal.
  bool TrimZeros();
  void Clear() { values_.clear(); }

  // Contiguous storage for the filters' inner loops.
  double* Data() { return values_.data(); }
  const double* Data() const { return values_.data(); }

 private:
  std::vector<double> values_;
};
