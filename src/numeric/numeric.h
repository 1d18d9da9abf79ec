#pragma once
// Elementary mathematics shared by the designs, the analysis and the diagrams.

double MaxOf(double a, double b);
void SwapValues(double& a, double& b);
// Puts lo <= hi. Returns false (and changes nothing) for an empty range lo == hi.
bool OrderRange(double& lo, double& hi);
// Raises target to value when it is below; returns whether it changed.
bool RaiseTo(double value, double& target);
bool RaiseTo(int value, int& target);
// Lowers target to value when it is above; returns whether it changed.
bool LowerTo(double value, double& target);
bool LowerTo(int value, int& target);
// Minimum and maximum of the first |count| values; min and max are left alone for count 0.
void MinMax(const double* values, int count, double& min, double& max);
double DegToRad(double x);
double RadToDeg(double x);
// 20·log10(x); a non-positive (or NaN) x is reported and corrected to -300 dB.
double ToDecibel(double x);
double FromDecibel(double x);
double Sinc(double x);
// Inverse hyperbolic cosine; below 1 it is reported and 1 is returned.
double ArcCosh(double x);
double ArcSinh(double x);
// -1 for odd n, 1 for even n.
int SignAlternation(int n);
