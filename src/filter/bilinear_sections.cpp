#include "filter/bilinear_sections.h"

SectionChain::SectionChain(CCascadFilter2& cascade) : cascade_(cascade) { cascade_.RemoveSections(); }

CDigitalFilter2* SectionChain::Next() {
  if (first_taken_) return cascade_.AppendSection();
  first_taken_ = true;
  return cascade_.FirstSection();
}

void SetBilinearPair(CDigitalFilter2& section, double numerator, double t, double e, double b1, double b2) {
  const double g = 1 - t + e;
  section.SetGain(numerator / g);
  section.SetB(0, 1);
  section.SetB(1, b1);
  section.SetB(2, b2);
  section.SetA(1, 2 * (1 - e) / g);
  section.SetA(2, -(1 + t + e) / g);
}

void SetLowPassPair(CDigitalFilter2& section, double numerator, double t, double e) {
  SetBilinearPair(section, numerator, t, e, 2, 1);
}

void SetFirstOrder(CDigitalFilter2& section, double gain, double b1, double a1) {
  section.SetGain(gain);
  section.SetB(0, 1);
  section.SetB(1, b1);
  section.SetB(2, 0);
  section.SetA(1, a1);
  section.SetA(2, 0);
}

void SetLowPassSingle(CDigitalFilter2& section, double gain, double a1) { SetFirstOrder(section, gain, 1, a1); }
