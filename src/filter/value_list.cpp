#include "filter/value_list.h"

#include <algorithm>
#include <new>
#include <stdexcept>

bool CDoubleList::SetAt(int i, double value) {
  if (i < 0) return true;
  if (i > Degree() && !SetCount(i + 1)) return false;
  values_[i] = value;
  return true;
}

bool CDoubleList::SetCount(int n) {
  if (n <= 0) {
    values_.clear();
    return true;
  }
  try {
    values_.resize(static_cast<std::size_t>(n), 0.0);  // strong guarantee: unchanged on failure
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

bool CDoubleList::Assign(const double* values, int n) {
  if (values == nullptr || n < 1) return false;
  if (!SetCount(n)) return false;
  std::copy(values, values + n, values_.begin());
  return true;
}

void CDoubleList::Fill0() { std::fill(values_.begin(), values_.end(), 0.0); }

void CDoubleList::ShiftUp() {
  if (values_.empty()) return;
  std::copy_backward(values_.begin(), values_.end() - 1, values_.end());
  values_[0] = 0.0;
}

bool CDoubleList::TrimZeros() {
  if (values_.empty()) return false;
  const bool last_was_zero = values_.back() == 0.0;
  while (!values_.empty() && values_.back() == 0.0) values_.pop_back();
  return last_was_zero;
}
