#pragma once
// The small formula pictures the frequency diagrams show at the ends of their axes.

#include "diagram/graphics.h"

enum class Formula {
  kAngularFrequency,   // ωT
  kCyclicFrequency,    // fT
  kAmplitudeResponse,  // |H(e^jωT)|
  kPhaseResponse,      // ψ(ωT), рад
  kInputSpectrum,      // X(e^jωT)
  kOutputSpectrum,     // Y(e^jωT)
  kGroupDelay,         // τ(ωT), тактов
};

// Drawn in the diagrams' name font (serif, 16 pixels, bold italic) on a transparent ground.
TBitmap FormulaPicture(Formula formula);
