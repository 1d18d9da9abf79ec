#pragma once
// A progress bar as the computations see it. The base class keeps the state and draws nothing,
// so it is also the do-nothing bar; a window's bar overrides Changed() to show the state.

class ProgressBar {
 public:
  virtual ~ProgressBar() = default;

  void SetMinimum(int value);
  void SetMaximum(int value);
  void SetPosition(int value);
  void SetStep(int value);
  // Advances by the step; the position stays within [minimum, maximum].
  void StepIt();
  // Back to the minimum.
  void Reset();

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  int StepSize() const { return step_; }

 protected:
  virtual void Changed() {}

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  int step_ = 10;
};
