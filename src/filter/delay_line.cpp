#include "filter/delay_line.h"

#include <algorithm>
#include <new>
#include <stdexcept>

void DelayLine::Fill0() { std::fill(buffer_.begin(), buffer_.end(), 0.0); }

bool DelayLine::SetCount(int n) {
  if (n < 0) n = 0;
  try {
    buffer_.assign(2 * static_cast<std::size_t>(n), 0.0);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  length_ = n;
  head_ = 0;
  return true;
}

void DelayLine::Put(int i, double value) {
  const int at = head_ + i;
  buffer_[at] = value;
  buffer_[at < length_ ? at + length_ : at - length_] = value;
}

void DelayLine::Push(double w) {
  if (length_ < 2) {
    if (!SetCount(2)) return;
    Put(1, w);
    return;
  }
  // The old last element falls out of the window, the old element 0 becomes element 1.
  head_ = head_ == 0 ? length_ - 1 : head_ - 1;
  Put(0, 0.0);
  Put(1, w);
}

void DelayLine::SetElements(const std::vector<double>& elements) {
  if (static_cast<int>(elements.size()) != length_) return;
  for (int i = 0; i < length_; ++i) Put(i, elements[i]);
}
