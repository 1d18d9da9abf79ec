#include "numeric/numeric.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "numeric/number_text.h"
#include "platform/messages.h"

double MaxOf(double a, double b) { return a > b ? a : b; }

void SwapValues(double& a, double& b) { std::swap(a, b); }

bool OrderRange(double& lo, double& hi) {
  if (lo > hi) {
    std::swap(lo, hi);
    return true;
  }
  return !(lo == hi);
}

bool RaiseTo(double value, double& target) {
  if (target >= value) return false;
  target = value;
  return true;
}

bool RaiseTo(int value, int& target) {
  if (target >= value) return false;
  target = value;
  return true;
}

bool LowerTo(double value, double& target) {
  if (target > value) {
    target = value;
    return true;
  }
  return false;
}

bool LowerTo(int value, int& target) {
  if (value < target) {
    target = value;
    return true;
  }
  return false;
}

void MinMax(const double* values, int count, double& min, double& max) {
  if (values == nullptr || count == 0) return;
  const long long n = std::llabs(static_cast<long long>(count));
  min = max = values[0];
  for (long long i = 0; i < n; ++i) {
    const double v = values[i];
    if (!(v >= min)) min = v;
    if (max < v) max = v;
  }
}

double DegToRad(double x) { return x * 0.017453292519943295; }

double RadToDeg(double x) { return x * 57.29577951308232; }

double ToDecibel(double x) {
  if (x > 0) return 20.0 * std::log10(x);
  ShowMessage("Нулевая или отрицательная величина на может быть измерена в децибелах.\n Произведена коррекция.");
  return -300.0;
}

double FromDecibel(double x) { return std::pow(10.0, 0.05 * x); }

double Sinc(double x) { return x != 0 ? std::sin(x) / x : 1.0; }

double ArcCosh(double x) {
  // std::acosh is ln(x + sqrt(x² - 1)) without the overflow of x² for huge x.
  if (x >= 1) return std::acosh(x);
  ShowMessage("Значение ареакосинуса при x=" + FormatNumber(3, x) + "не может быть расчитано как действительное.");
  return 1.0;
}

// ln(x + sqrt(x² + 1)), computed without cancellation for large negative x.
double ArcSinh(double x) { return std::asinh(x); }

int SignAlternation(int n) { return (n % 2 != 0) ? -1 : 1; }
