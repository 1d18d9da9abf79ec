#pragma once
// Corrections of a filter's requirements shared by the designs. Each brings its value into range,
// reports the correction with a modal message and returns the value to store. A value that is not
// a number at all fails every "in range" test and is corrected like an out-of-range one.

#include <type_traits>

#include "platform/messages.h"

// Reports a correction and puts the corrected value in place.
template <class T>
void Correct(T& value, std::type_identity_t<T> corrected, const char* message) {
  ShowMessage(message);
  value = corrected;
}

// Texts shared by several designs.
extern const char kAngularAbovePiMessage[];
extern const char kCyclicAboveHalfMessage[];
extern const char kStopEdgesCrossMessage[];

// Pass-band edge as an angular frequency in (0, π]; above_pi_message is the design's own text.
double CorrectPassEdge(double omega, const char* above_pi_message);
// Pass-band edge as a cyclic frequency in (0, 0.5].
double CorrectPassEdgeCyclic(double f);
// Two pass-band edges of a band-pass or band-stop design, each already in (0, π].
struct EdgePair {
  double first, second;
};
// The second edge must lie above the first: otherwise it moves halfway between the first and π,
// with a message (and a first edge at π itself, with nothing above it, moves down to 0.9·π).
EdgePair OrderedEdges(double first, double second);
// Level at the pass-band edge, [0.5, 0.9].
double CorrectPassLevel(double level);
// A pass-band level typed in dB: the sign is ignored, below -7 dB counts as -7 dB; the linear level.
double PassLevelFromDecibel(double x);
// Level at the stop-band edge, (0, 0.3].
double CorrectStopLevel(double level);
// A stop-band level typed in dB: the sign is ignored, at least -400 dB; the linear level.
double StopLevelFromDecibel(double x);
// Relative transition width in percent, positive.
double CorrectTransitionPercent(double percent);
// Order in [1, max_order]; above_max_message is the design's own text.
int CorrectOrder(int n, int max_order, const char* above_max_message);

// 1/L² − 1, held at the largest double when L is so small that it would overflow, so that a
// vanishing level never turns a later 0·∞ into NaN.
double LevelFactor(double level);
// Relative width (ωs − ωp)/ωp of a transition band whose prewarped analog edge is ws_analog.
// Written with ωp itself rather than atan(tan(ωp/2)): the tangent underflows to 0 for the tiniest
// accepted edges, ωp never does.
double RelativeTransition(double ws_analog, double wp);
