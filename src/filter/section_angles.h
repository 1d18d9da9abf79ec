#pragma once
// The angles a second-order section is evaluated at, computed once per frequency and shared by
// every section of a cascade and by the paired products.

#include "filter/shifted_section.h"

// What every section of a cascade needs at one frequency: e^{jθ}, and e^{jθ} − s for the one of
// s = ±1 nearer to it, about which the sections are evaluated.
struct SectionAngles : ShiftedPhasor {
  explicit SectionAngles(double t) : ShiftedPhasor(t), theta(t) {}
  double theta;
};
