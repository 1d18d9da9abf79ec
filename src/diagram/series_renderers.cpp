#include "diagram/series_renderers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace {

// Half the side of a marker's square, in pixels.
constexpr int kMarkerRadius = 4;

// More stems than any real series shows; a pathological step cannot keep a walk going for long.
constexpr long long kMaxStemsPerWalk = 1 << 21;

void SelectSeriesPen(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper) {
  canvas.SetPen(area.print_mode ? clBlack : keeper.GetColor(), psSolid, keeper.GetPenWidth(), pmCopy);
}

int Clamp(int value, int lo, int hi) { return std::min(std::max(value, lo), hi); }

// The pixel row of the series' value at pixel column `column`, when that value is finite.
bool RowAt(const TSeriesArea& area, const TKeeper& keeper, int column, int& row) {
  const double v = keeper.ValueAt(area.map.PhisToMathX(column));
  if (!std::isfinite(v)) return false;
  row = area.map.MathToPhisY(v);
  return true;
}

// Calls draw(n, x) for every sample n at argument x whose reach [x - reach, x + reach] meets
// [left, right]: first from sample 0 rightwards, then from sample 0 leftwards, so sample 0 comes
// twice. Negative n reach the mirrored or periodic extension of the series.
template <class Draw>
void WalkVisibleSamples(const TKeeper& keeper, long double left, long double right, long double reach, Draw draw) {
  const long double step = keeper.GetStep();
  const long double xmin = keeper.GetXmin();
  if (!(step > 0) || !std::isfinite(static_cast<double>(step)) || !(left <= right)) return;
  const auto at = [&](long long n) { return xmin + n * step; };
  const auto visible = [&](long long n) { return at(n) - reach <= right && at(n) + reach >= left; };
  // Jump straight to the visible samples instead of stepping there from sample 0.
  const long double limit = INT_MAX - 1;
  long long lo = static_cast<long long>(std::clamp(std::ceil((left - reach - xmin) / step), -limit, limit));
  long long hi = static_cast<long long>(std::clamp(std::floor((right + reach - xmin) / step), -limit, limit));
  while (visible(lo - 1) && lo > -limit) --lo;
  while (lo <= hi && !visible(lo)) ++lo;
  while (visible(hi + 1) && hi < limit) ++hi;
  while (hi >= lo && !visible(hi)) --hi;
  if (lo > hi) return;
  const long long forward_end = std::min(hi, std::max(lo, 0LL) + kMaxStemsPerWalk - 1);
  for (long long n = std::max(lo, 0LL); n <= forward_end; ++n) draw(static_cast<int>(n), at(n));
  const long long backward_end = std::max(lo, std::min(hi, 0LL) - kMaxStemsPerWalk + 1);
  for (long long n = std::min(hi, 0LL); n >= backward_end; --n) draw(static_cast<int>(n), at(n));
}

// What stems and bars share: the pen, the zero line, the clamp band and the net's argument span.
struct TSampleFrame {
  int top;  // the band
  int bottom;
  int y0;  // the zero row, clamped into the band
  long double left;
  long double right;
};

TSampleFrame BeginSamples(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper) {
  SelectSeriesPen(canvas, area, keeper);
  const TNetLayout& l = area.layout;
  TSampleFrame f{l.yb_net + 1, l.ye_net() - 2, area.map.MathToPhisY(0), area.map.PhisToMathX(l.xb_net),
                 area.map.PhisToMathX(l.xe_net())};
  // The zero line only where it lies inside the net.
  if (l.yb_net < f.y0 && f.y0 < l.ye_net()) {
    canvas.MoveTo(l.xb_net, f.y0);
    canvas.LineTo(l.xe_net(), f.y0);
  }
  f.y0 = Clamp(f.y0, f.top, f.bottom);
  return f;
}

}  // namespace

void DrawAnalog(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper) {
  if (!keeper.IsVisible()) return;
  SelectSeriesPen(canvas, area, keeper);
  const TNetLayout& l = area.layout;
  const int top = l.yb_net + 1;
  const int bottom = l.ye_net() - 1;
  // Whether the pen stands on the curve, so that the next point may be joined to it.
  bool on_curve = false;
  int y = 0;
  if (RowAt(area, keeper, l.xb_net, y)) {
    // Clamped like every other column, so a curve entering from outside starts at the net's edge.
    canvas.MoveTo(l.xb_net, Clamp(y, top, bottom));
    on_curve = true;
  }
  for (int i = l.xb_net + 1; i <= l.xe_net(); ++i) {
    if (!RowAt(area, keeper, i, y)) {
      on_curve = false;
      continue;
    }
    if (y < top) {
      canvas.MoveTo(i, top);
    } else if (y > bottom) {
      canvas.MoveTo(i, bottom);
    } else if (on_curve) {
      canvas.LineTo(i, y);
    } else {
      canvas.MoveTo(i, y);
    }
    on_curve = true;
  }
}

void DrawDiscret(Canvas& canvas, const TSeriesArea& area, TKeeper& keeper) {
  if (!keeper.IsVisible()) return;
  const TSampleFrame f = BeginSamples(canvas, area, keeper);
  WalkVisibleSamples(keeper, f.left, f.right, 0, [&](int n, long double x) {
    const double v = keeper.SampleAt(n);
    if (!std::isfinite(v)) return;
    const int raw = area.map.MathToPhisY(v);
    const int y = Clamp(raw, f.top, f.bottom);
    const int px = area.map.MathToPhisX(static_cast<double>(x));
    canvas.MoveTo(px, f.y0);
    canvas.LineTo(px, y);
    if (keeper.UseMarker() && f.top < raw && raw < f.bottom) canvas.Ellipse({px - 3, y - 3, px + 3, y + 3});
  });
}

void DrawRadio(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper) {
  if (!keeper.IsVisible()) return;
  SelectSeriesPen(canvas, area, keeper);
  const TNetLayout& l = area.layout;
  const int top = l.yb_net + 1;
  const int bottom = l.ye_net() - 2;
  for (int i = l.xb_net + 1; i <= l.xe_net(); ++i) {
    const double v = keeper.ValueAt(area.map.PhisToMathX(i));
    if (!std::isfinite(v)) continue;
    canvas.MoveTo(i, Clamp(area.map.MathToPhisY(v), top, bottom));
    canvas.LineTo(i, Clamp(area.map.MathToPhisY(-v), top, bottom));
  }
}

void DrawHistogram(Canvas& canvas, const TSeriesArea& area, TKeeper& keeper) {
  if (!keeper.IsVisible()) return;
  const TSampleFrame f = BeginSamples(canvas, area, keeper);
  const long double half = static_cast<long double>(keeper.GetStep()) / 2;
  const int L = area.layout.xb_net;
  const int R = area.layout.xe_net();
  const int y0 = f.y0;
  WalkVisibleSamples(keeper, f.left, f.right, half, [&](int n, long double x) {
    const double v = keeper.SampleAt(n);
    if (!std::isfinite(v)) return;
    const int raw = area.map.MathToPhisY(v);
    const int y = Clamp(raw, f.top, f.bottom);
    const bool clamped = y != raw;
    const int pl = area.map.MathToPhisX(static_cast<double>(x - half));
    const int pr = area.map.MathToPhisX(static_cast<double>(x + half));
    const auto line = [&](int x1, int y1, int x2, int y2) {
      canvas.MoveTo(x1, y1);
      canvas.LineTo(x2, y2);
    };
    // Sides only where the bar's edge is inside the net; the top cut at the net's edges.
    if (pl >= L) line(pl, y0, pl, y);
    if (!clamped) line(std::max(pl, L), y, std::min(pr, R), y);
    if (pr <= R) line(pr, y, pr, y0);
  });
}

void DrawMarkers(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper) {
  const TMarkedPoint* points = keeper.GetPoints();
  if (!keeper.IsVisible() || points == nullptr) return;
  SelectSeriesPen(canvas, area, keeper);
  canvas.SetBrushColor(area.net_color);
  const TNetLayout& l = area.layout;
  const int r = kMarkerRadius;
  // Marker centres that leave the whole marker clear of the frame.
  const int left = l.xb_net + r + 1, right = l.xe_net() - r - 2;
  const int top = l.yb_net + r + 1, bottom = l.ye_net() - r - 2;
  if (left > right || top > bottom) return;
  const auto fits = [&](int x1, int y1, int x2, int y2) {
    return l.xb_net < x1 && x2 < l.xe_net() && l.yb_net < y1 && y2 < l.ye_net();
  };
  for (int i = 0; i < keeper.GetCount(); ++i) {
    const TMarkedPoint& p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    const int px = area.map.MathToPhisX(p.x);
    const int py = area.map.MathToPhisY(p.y);
    // A point beyond the view stays in sight at the edge, an arrow beside it pointing its way.
    const int x = Clamp(px, left, right);
    const int y = Clamp(py, top, bottom);
    if (keeper.GetMarkerShape() == msCircle) {
      canvas.Ellipse({x - r, y - r, x + r + 1, y + r + 1});
    } else {
      canvas.MoveTo(x - r, y - r);
      canvas.LineTo(x + r, y + r);
      canvas.MoveTo(x - r, y + r);
      canvas.LineTo(x + r, y - r);
    }
    std::string label = p.count > 1 ? std::to_string(p.count) : "";
    if (x != px || y != py) {
      const int dx = px - x, dy = py - y;
      const char* arrow = std::abs(dx) >= std::abs(dy) ? (dx < 0 ? "←" : "→") : (dy < 0 ? "↑" : "↓");
      label = arrow + label;
    }
    if (label.empty()) continue;
    // Above and to the right of the marker, clear of it; else wherever the net leaves room.
    const int width = canvas.TextWidth(label);
    const int height = canvas.TextHeight(label);
    const int beside[2] = {x + r + 2, x - r - 2 - width};
    const int level[2] = {y - r - height + 3, y + r - 3};
    for (int k = 0; k < 4; ++k) {
      const int lx = beside[k % 2], ly = level[k / 2];
      if (!fits(lx, ly, lx + width, ly + height)) continue;
      canvas.TextOut(lx, ly, label);
      break;
    }
  }
}

void DrawCircle(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper) {
  const long double radius = keeper.GetXmax();
  if (!keeper.IsVisible() || !(radius > 0)) return;
  SelectSeriesPen(canvas, area, keeper);
  const TNetLayout& l = area.layout;
  const TPlotMap& map = area.map;
  // Enough corners that no side is longer than about three pixels.
  const long double across = std::fabs(static_cast<long double>(map.MathToPhisX(static_cast<double>(radius))) -
                                       map.MathToPhisX(static_cast<double>(-radius)));
  const long double down = std::fabs(static_cast<long double>(map.MathToPhisY(static_cast<double>(radius))) -
                                     map.MathToPhisY(static_cast<double>(-radius)));
  const int corners =
      static_cast<int>(std::clamp(std::numbers::pi_v<long double> * std::max(across, down) / 3, 24.0L, 4096.0L));
  const auto inside = [&](int x, int y) { return l.xb_net < x && x < l.xe_net() && l.yb_net < y && y < l.ye_net(); };
  bool on_circle = false;
  for (int k = 0; k <= corners; ++k) {
    const long double t = 2 * std::numbers::pi_v<long double> * k / corners;
    const int x = map.MathToPhisX(static_cast<double>(radius * std::cos(t)));
    const int y = map.MathToPhisY(static_cast<double>(radius * std::sin(t)));
    if (!inside(x, y)) {
      on_circle = false;
      continue;
    }
    if (on_circle) {
      canvas.LineTo(x, y);
    } else {
      canvas.MoveTo(x, y);
    }
    on_circle = true;
  }
}
