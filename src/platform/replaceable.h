#pragma once
// A function the program calls through a port: its own by default, replaced by tests (or by the
// desktop program) and restored by installing an empty one.

#include <utility>

template <class Function>
class Replaceable {
 public:
  explicit Replaceable(Function standard) : standard_(standard), current_(std::move(standard)) {}

  // Installs function (an empty one restores the standard) and returns the previous one.
  Function Set(Function function) {
    if (!function) function = standard_;
    return std::exchange(current_, std::move(function));
  }
  const Function& operator*() const { return current_; }

 private:
  Function standard_;
  Function current_;
};
