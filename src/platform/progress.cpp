#include "platform/progress.h"

#include <algorithm>

void ProgressBar::SetMinimum(int value) {
  minimum_ = value;
  maximum_ = std::max(maximum_, minimum_);
  position_ = std::clamp(position_, minimum_, maximum_);
  Changed();
}

void ProgressBar::SetMaximum(int value) {
  maximum_ = value;
  minimum_ = std::min(minimum_, maximum_);
  position_ = std::clamp(position_, minimum_, maximum_);
  Changed();
}

void ProgressBar::SetPosition(int value) {
  position_ = std::clamp(value, minimum_, maximum_);
  Changed();
}

void ProgressBar::SetStep(int value) { step_ = value; }

void ProgressBar::StepIt() {
  const long long next = static_cast<long long>(position_) + step_;
  position_ = static_cast<int>(std::clamp<long long>(next, minimum_, maximum_));
  Changed();
}

void ProgressBar::Reset() {
  position_ = minimum_;
  Changed();
}
