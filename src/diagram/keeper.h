#pragma once
// One data series of a diagram: equally spaced samples over an argument interval, read at any
// argument (continuous, weighted between neighbouring samples) or at any sample number (discrete,
// optionally periodic or mirrored). Array sources are borrowed unless their kind says "own".

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "diagram/graphics.h"

enum TSourceKind : std::uint8_t {
  skConstant,
  skFunction,
  skOwnFloats,
  skOwnDoubles,
  skFloats,
  skDoubles,
  skFileFloats,
  skFileDoubles,  // and every value above
};

enum TGraphKind : std::uint8_t {
  gkAnalog,
  gkDiscret,
  gkRadio,
  gkAnalogPeriodic,
  gkDiscretPeriodic,
  gkRadioPeriodic,
  gkHistogram,
  gkMarkers,  // points drawn as markers, not samples
  gkCircle,   // a circle around the origin, radius Xmax
};

// One point of a marker series and how many coincide there.
struct TMarkedPoint {
  double x = 0;
  double y = 0;
  int count = 1;
};

enum TMarkerShape : std::uint8_t { msCircle, msCross };

class TKeeper {
 public:
  using Function = double (*)(double);

  TKeeper();
  ~TKeeper();
  TKeeper(const TKeeper&) = delete;
  TKeeper& operator=(const TKeeper&) = delete;

  // Releases what the series owns and returns to an empty constant series; look and chain stay.
  void Clear();
  // Count samples from xmin to xmax (either order). Refuses, with a message, a count below 1 and
  // equal or non-finite bounds, leaving the series as it was.
  bool Init(int count, double xmin, double xmax);
  // Shows the caller's array, which must outlive the series' use of it.
  void SetArray(const double* values, int count, double xmin, double xmax);
  // The other sources; the array forms borrow, the own forms and the file are released by Clear.
  bool SetFloats(const float* values, int count, double xmin, double xmax);
  bool SetOwnFloats(std::unique_ptr<float[]> values, int count, double xmin, double xmax);
  bool SetOwnDoubles(std::unique_ptr<double[]> values, int count, double xmin, double xmax);
  bool SetFunction(Function function, int count, double xmin, double xmax);
  // Takes over an open file of raw little-endian floats (skFileFloats) or doubles (skFileDoubles).
  bool SetFile(std::FILE* file, TSourceKind kind, int count, double xmin, double xmax);

  // Draws the caller's points as markers of one shape; they must outlive the series' use of them.
  // The value ranges are the points' own. No points is a valid, empty series.
  void SetPoints(const TMarkedPoint* points, int count, TMarkerShape shape);
  // A circle of this radius around the origin; its ranges are ±radius.
  void SetCircle(double radius);
  const TMarkedPoint* GetPoints() const { return Points; }
  TMarkerShape GetMarkerShape() const { return MarkerShape; }

  void SetDiscret();
  void SetPeriodAnalog(double period);
  void SetPeriodDiscret(int period);

  void Show() { Visible = true; }
  void Hide() { Visible = false; }
  bool IsVisible() const { return Visible; }

  void SetColor(TColor color) { Color = color; }
  TColor GetColor() const { return Color; }
  void SetPenWidth(int width) { PenWidth = width; }
  int GetPenWidth() const { return PenWidth; }
  void SetName(const std::string& name) { Name = name; }
  const std::string& GetName() const { return Name; }
  TGraphKind GetKind() const { return Kind; }
  TSourceKind GetSource() const { return Source; }
  int GetCount() const { return Count; }
  double GetXmin() const { return Xmin; }
  double GetXmax() const { return Xmax; }
  double GetYmin() const { return Ymin; }
  double GetYmax() const { return Ymax; }
  double GetStep() const { return Step; }
  double GetPeriod() const { return Period; }

  // How values are read and marked; nothing in the program changes them from their defaults yet.
  void SetConstant(double value) { Constant = value; }
  void SetScale(double scale) { Scale = scale; }
  void SetKernel(std::uint8_t kernel) { Kernel = kernel; }
  // 0 none, 1 even, 2 odd mirror image to the left of Xmin.
  void SetSymmetry(std::uint8_t symmetry) { Symmetry = symmetry; }
  void SetMarkers(bool on) { Markers = on; }
  void SetNoMarkerOutOfRange(bool on) { NoMarkerOutOfRange = on; }
  bool IsOutOfRange() const { return OutOfRange; }
  // Whether the sample read last gets a circle at its tip.
  bool UseMarker() const;

  void SetNext(TKeeper* next) { Next = next; }
  TKeeper* GetNext() const { return Next; }
  void ClearNext() { Next = nullptr; }
  void SetNumber(std::uint8_t number) { Number = number; }
  std::uint8_t GetNumber() const { return Number; }

  // The stored value i; 0 outside 0..Count-1.
  double Sample(int i) const;
  // The continuous value at argument x (continuous kinds only).
  double ValueAt(double x) const;
  // The value of sample n (discrete kinds only); sets the out-of-range mark.
  double SampleAt(int n);

 private:
  // Init and the common part of every source setter; the value range is scanned afterwards.
  bool StartSource(TSourceKind source, int count, double xmin, double xmax);
  void ScanValueRange();
  long long FoldIntoPeriod(long long n) const;

  TSourceKind Source = skConstant;
  const float* Floats = nullptr;
  const double* Doubles = nullptr;
  Function Func = nullptr;
  std::FILE* File = nullptr;
  std::unique_ptr<float[]> OwnFloats;
  std::unique_ptr<double[]> OwnDoubles;
  const TMarkedPoint* Points = nullptr;
  TMarkerShape MarkerShape = msCircle;
  double Constant = 0;
  int Count = 0;
  double Xmin = -1;
  double Xmax = 1;
  double Ymin = -1;
  double Ymax = 1;
  double Period = 0;
  double Step = 0.1;
  double Scale = 1;
  TColor Color = clBlack;
  int PenWidth = 2;
  std::string Name = "Diagram";
  TGraphKind Kind = gkAnalog;
  std::uint8_t Kernel = 0;
  bool Visible = true;
  std::uint8_t Symmetry = 0;
  bool Markers = false;
  bool OutOfRange = false;
  bool NoMarkerOutOfRange = false;
  TKeeper* Next = nullptr;
  std::uint8_t Number = 0;
};

// Weighting kernel number `kernel` at distance a from a sample, for samples h apart.
long double KeeperKernel(int kernel, long double a, long double h);
