#pragma once
// The read-out of the pointer's coordinates that the enlarged view shows beside its tool bar.

#include <string>

class TDiagramCore;

// "(X; Y)" for a pointer at pixel (x, y) at least 2 pixels inside the net, "" elsewhere. X and Y
// have 5 significant digits and two decimals more than the axis labels.
std::string PointerReadout(const TDiagramCore& diagram, int x, int y);

// A value rounded to `significant` digits and written with `decimals` decimals and a comma; values
// with more integer digits than that are written in exponent form.
std::string FixedSignificant(double value, int significant, int decimals);
