#pragma once
// The band types of the library designs, and the windows of the windowed FIR design. Low-pass and
// the rectangular window are the defaults and design exactly what the low-pass pages always did.

enum class BandType { kLowPass, kHighPass, kBandPass, kBandStop };

enum class FirWindow { kRectangular, kHamming, kHann, kBlackman, kKaiser };

// Band-pass and band-stop have a second cut-off (pass-band edge) above the first.
inline bool HasTwoCutoffs(BandType band) { return band == BandType::kBandPass || band == BandType::kBandStop; }
