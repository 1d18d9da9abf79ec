#include "diagram/keeper.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "diagram/truncation.h"
#include "platform/messages.h"

namespace {

constexpr long double kPi = 3.141592653589793L;
constexpr long double kInvPi = 0.3183098861837907L;

bool IsDiscreteKind(TGraphKind kind) { return kind == gkDiscret || kind == gkDiscretPeriodic; }

}  // namespace

long double KeeperKernel(int kernel, long double a, long double h) {
  if (h == 0) return 0;
  const long double u = std::fabs(a / h);
  switch (kernel) {
    case 0: return std::fabs(a) < std::fabs(h) ? 1 - std::fabs(a) / std::fabs(h) : 0;
    case 1:
      if (u <= 0.5L) return 1 - 3 * u * u + 4 * u * u * u * u;
      if (u <= 1.5L) return 4.5L * u - 10.5L * u * u + 8 * u * u * u - 2 * u * u * u * u;
      return 0;
    case 2:
      if (u <= 1) return 1 - u * u - 4.5L * u * u * u + 7.5L * u * u * u * u - 3 * u * u * u * u * u;
      if (u <= 2) {
        return 18 * u - 4 - 29 * u * u + 21.5L * u * u * u - 7.5L * u * u * u * u + u * u * u * u * u;
      }
      return 0;
    case 3: {
      if (a == 0) return 1;
      const long double t = a * kPi / h;
      return std::sin(t) / t;
    }
    case 4: return std::fabs(a) < 0.5L * std::fabs(h) ? 1 : 0;
    case 5: return a < std::fabs(h) ? 1 : 0;
    case 6: return std::fabs(a) <= 0.5L * (0.99L * std::fabs(h)) ? 1 : 0;
    default: return 0;
  }
}

TKeeper::TKeeper() = default;

TKeeper::~TKeeper() { Clear(); }

void TKeeper::Clear() {
  OwnFloats.reset();
  OwnDoubles.reset();
  if (File != nullptr) std::fclose(File);
  Floats = nullptr;
  Doubles = nullptr;
  Func = nullptr;
  File = nullptr;
  Points = nullptr;
  MarkerShape = msCircle;
  Count = 0;
  Xmin = -1;
  Xmax = 1;
  Ymin = -1;
  Ymax = 1;
  Constant = 0;
  Source = skConstant;
  Kind = gkAnalog;
  Period = 0;
  Step = 0.1;
  Scale = 1;
}

bool TKeeper::Init(int count, double xmin, double xmax) {
  if (count <= 0) {
    ShowMessage(
        "Keeper: Hулевое значение числа отсчётов при инициализации графика. Инициализация не "
        "выполнена.");
    return false;
  }
  if (xmin > xmax) std::swap(xmin, xmax);
  if (xmin == xmax || !std::isfinite(xmin) || !std::isfinite(xmax)) {
    ShowMessage(
        "DiagramKeeper: Неверно заданы минимальное и максимальное \n значения аргумента при "
        "инициализации графика.");
    return false;
  }
  Clear();
  Count = count;
  Xmin = xmin;
  Xmax = xmax;
  // A single sample spans the whole interval instead of dividing by zero.
  const long double width = static_cast<long double>(xmax) - xmin;
  Step = static_cast<double>(count > 1 ? width / (count - 1) : width);
  return true;
}

bool TKeeper::StartSource(TSourceKind source, int count, double xmin, double xmax) {
  if (!Init(count, xmin, xmax)) return false;
  Source = source;
  return true;
}

void TKeeper::SetPoints(const TMarkedPoint* points, int count, TMarkerShape shape) {
  Clear();
  Kind = gkMarkers;
  MarkerShape = shape;
  if (points == nullptr || count <= 0) return;
  Points = points;
  Count = count;
  bool any = false;
  for (int i = 0; i < count; ++i) {
    const TMarkedPoint& p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    Xmin = any ? std::min(Xmin, p.x) : p.x;
    Xmax = any ? std::max(Xmax, p.x) : p.x;
    Ymin = any ? std::min(Ymin, p.y) : p.y;
    Ymax = any ? std::max(Ymax, p.y) : p.y;
    any = true;
  }
  if (!any) {
    Xmin = Ymin = -1;
    Xmax = Ymax = 1;
  }
}

void TKeeper::SetCircle(double radius) {
  Clear();
  Kind = gkCircle;
  const double r = std::isfinite(radius) ? std::fabs(radius) : 0;
  Xmin = Ymin = -r;
  Xmax = Ymax = r;
}

void TKeeper::SetArray(const double* values, int count, double xmin, double xmax) {
  if (!StartSource(skDoubles, count, xmin, xmax)) return;
  Doubles = values;
  ScanValueRange();
}

bool TKeeper::SetFloats(const float* values, int count, double xmin, double xmax) {
  if (!StartSource(skFloats, count, xmin, xmax)) return false;
  Floats = values;
  ScanValueRange();
  return true;
}

bool TKeeper::SetOwnFloats(std::unique_ptr<float[]> values, int count, double xmin, double xmax) {
  if (!StartSource(skOwnFloats, count, xmin, xmax)) return false;
  OwnFloats = std::move(values);
  Floats = OwnFloats.get();
  ScanValueRange();
  return true;
}

bool TKeeper::SetOwnDoubles(std::unique_ptr<double[]> values, int count, double xmin, double xmax) {
  if (!StartSource(skOwnDoubles, count, xmin, xmax)) return false;
  OwnDoubles = std::move(values);
  Doubles = OwnDoubles.get();
  ScanValueRange();
  return true;
}

bool TKeeper::SetFunction(Function function, int count, double xmin, double xmax) {
  if (!StartSource(skFunction, count, xmin, xmax)) return false;
  Func = function;
  ScanValueRange();
  return true;
}

bool TKeeper::SetFile(std::FILE* file, TSourceKind kind, int count, double xmin, double xmax) {
  if (!StartSource(kind == skFileFloats ? skFileFloats : skFileDoubles, count, xmin, xmax)) {
    if (file != nullptr) std::fclose(file);
    return false;
  }
  File = file;
  ScanValueRange();
  return true;
}

// Least and greatest sample; samples that are not finite take no part, so they cannot turn the
// range (and with it the diagram's automatic range) into NaN or infinity.
void TKeeper::ScanValueRange() {
  bool found = false;
  double lo = 0;
  double hi = 0;
  for (int i = 0; i < Count; ++i) {
    const double v = Sample(i);
    if (!std::isfinite(v)) continue;
    if (!found || v < lo) lo = v;
    if (!found || v > hi) hi = v;
    found = true;
  }
  Ymin = lo;
  Ymax = hi;
  if (Ymax - Ymin < 1e-6) Ymax = Ymin + 0.00001;
}

void TKeeper::SetDiscret() { Kind = gkDiscret; }

void TKeeper::SetPeriodAnalog(double period) {
  Kind = gkAnalogPeriodic;
  Period = std::fabs(period);
  const double width = Xmax - Xmin;
  if (width > Period) Period = width;
}

void TKeeper::SetPeriodDiscret(int period) {
  Kind = gkDiscretPeriodic;
  Period = std::fabs(static_cast<double>(period));
  if (Count > Period) Period = Count;
}

bool TKeeper::UseMarker() const {
  if (NoMarkerOutOfRange && OutOfRange) return false;
  return Markers;
}

double TKeeper::Sample(int i) const {
  if (i < 0 || i >= Count) return 0;
  switch (Source) {
    case skConstant: return Constant;
    case skFunction: return Func != nullptr ? Func(static_cast<double>(static_cast<long double>(i) * Step + Xmin)) : 0;
    case skOwnFloats:
    case skFloats: return Floats != nullptr ? Floats[i] : 0;
    case skOwnDoubles:
    case skDoubles: return Doubles != nullptr ? Doubles[i] : 0;
    case skFileFloats: {
      float value = 0;
      if (File == nullptr || std::fseek(File, static_cast<long>(i) * 4, SEEK_SET) != 0 ||
          std::fread(&value, sizeof value, 1, File) != 1) {
        return 0;
      }
      return value;
    }
    default: {
      double value = 0;
      if (File == nullptr || std::fseek(File, static_cast<long>(i) * 8, SEEK_SET) != 0 ||
          std::fread(&value, sizeof value, 1, File) != 1) {
        return 0;
      }
      return value;
    }
  }
}

double TKeeper::ValueAt(double argument) const {
  if (IsDiscreteKind(Kind)) {
    ShowMessage("Keeper:Попытка считать дискретный график как непрерывный");
    return 0;
  }
  if (!std::isfinite(argument)) return 0;
  long double x = argument;
  long double sign = 1;
  if (Symmetry == 1 && x <= Xmin) {
    x = 2.0L * Xmin - x;
  } else if (Symmetry == 2 && x <= Xmin) {
    x = 2.0L * Xmin - x;
    sign = -1;
  }
  if ((Kind == gkAnalogPeriodic || Kind == gkRadioPeriodic) && Period > 0) {
    if (x == Period) {
      x = Xmin;
    } else {
      x = (std::atan(std::tan(((x - Xmin) / Period - 0.5L) * kPi)) * kInvPi + 0.5L) * Period + Xmin;
    }
    if (x < Xmin) x = Xmin;
    if (x > Xmax) x = Xmax;
  }
  if (!(x >= Xmin && x <= Xmax)) return 0;
  if (Source == skConstant) return static_cast<double>(Scale * Constant * sign);
  if (Source == skFunction) {
    return Func != nullptr ? static_cast<double>(Func(static_cast<double>(x)) * (sign * Scale)) : 0;
  }
  const long double r = x - Xmin;
  const int k = TruncSaturated(r / Step, INT_MAX / 2);
  long double sum = 0;
  for (int i = k - 1; i <= k + 1; ++i) {
    // A sample without weight is not read: a non-finite one must not spoil its neighbours.
    const long double weight = KeeperKernel(Kernel, r - static_cast<long double>(i) * Step, Step);
    if (weight != 0) sum += weight * Sample(i);
  }
  if (Scale != 1) sum *= Scale;
  if (sign < 0) sum = -sum;
  return static_cast<double>(sum);
}

// Brings n into [Period - P, Period) and then above zero, P being the whole part of the period,
// as repeated subtraction and addition would, without walking there step by step.
long long TKeeper::FoldIntoPeriod(long long n) const {
  const long long whole = static_cast<long long>(Period);
  if (whole < 1) return n;  // a period below one sample would never leave the fold
  if (n >= Period) {
    n -= (static_cast<long long>((n - Period) / whole) + 1) * whole;
    while (n >= Period) n -= whole;
  }
  if (n < 0) n += ((-n + whole - 1) / whole) * whole;
  return n;
}

double TKeeper::SampleAt(int number) {
  if (!IsDiscreteKind(Kind) && Kind != gkHistogram) {
    ShowMessage("Keeper:Попытка считать непрерывный график как дискретный");
    return 0;
  }
  long long n = number;
  long double sign = 1;
  if (Symmetry == 1 && n < 0) {
    n = -n;
  } else if (Symmetry == 2 && n < 0) {
    n = -n;
    sign = -1;
  }
  if (Kind == gkDiscretPeriodic) n = FoldIntoPeriod(n);
  OutOfRange = false;
  if (n < 0 || n > Count - 1) {
    OutOfRange = true;
    return 0;
  }
  // Sample reads every source, a function at the sample's argument.
  return static_cast<double>(Sample(static_cast<int>(n)) * (sign * Scale));
}
