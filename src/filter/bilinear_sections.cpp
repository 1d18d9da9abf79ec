#include "filter/bilinear_sections.h"

SectionChain::SectionChain(CCascadFilter2& cascade) : cascade_(cascade) { cascade_.RemoveSections(); }

CDigitalFilter2* SectionChain::Next() {
  if (first_taken_) return cascade_.AppendSection();
  first_taken_ = true;
  return cascade_.FirstSection();
}

void SetLowPassPair(CDigitalFilter2& section, double numerator, double t, double e) {
  const double g = 1 - t + e;
  section.SetGain(numerator / g);
  section.SetB(0, 1);
  section.SetB(1, 2);
  section.SetB(2, 1);
  section.SetA(1, 2 * (1 - e) / g);
  section.SetA(2, -(1 + t + e) / g);
}

void SetLowPassSingle(CDigitalFilter2& section, double gain, double a1) {
  section.SetGain(gain);
  section.SetB(0, 1);
  section.SetB(1, 1);
  section.SetB(2, 0);
  section.SetA(1, a1);
  section.SetA(2, 0);
}
