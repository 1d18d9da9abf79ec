#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "diagram/axis_range.h"
#include "diagram/diagram_core.h"
#include "diagram/plot_geometry.h"
#include "diagram/recording_canvas.h"
#include "platform/messages.h"

namespace {

// 300 × 180 with the recording canvas' metrics: plot rectangle 37, 22, 238 × 129 (see the
// rendering test for the arithmetic).
TEST(DiagramGeometryTest, TransformsMapTheRangesOntoThePlotRectangle) {
  RecordedDiagram d;
  ASSERT_EQ(d.Get_x0_out(), 37);
  ASSERT_EQ(d.Get_w_out(), 238);
  ASSERT_EQ(d.Get_y0_out(), 22);
  ASSERT_EQ(d.Get_h_out(), 129);
  EXPECT_EQ(d.MathToPhisX(-1), 37);
  EXPECT_EQ(d.MathToPhisX(1), 37 + 238);
  EXPECT_EQ(d.MathToPhisX(0), 37 + 119);
  EXPECT_EQ(d.MathToPhisY(1), 22);
  EXPECT_EQ(d.MathToPhisY(-1), 22 + 129);
  EXPECT_EQ(d.MathToPhisY(0), 86);  // 86,5 truncated
  const double pixel = 2.0 / 238;
  EXPECT_EQ(d.MathToPhisX(-1 - pixel / 2), 36);    // 36,5 truncated
  EXPECT_EQ(d.MathToPhisX(-1 - 37.5 * pixel), 0);  // -0,5 truncates toward zero, not down
  EXPECT_DOUBLE_EQ(d.PhisToMathX(37), -1);
  EXPECT_DOUBLE_EQ(d.PhisToMathX(37 + 238), 1);
  EXPECT_DOUBLE_EQ(d.PhisToMathY(22), 1);
  EXPECT_DOUBLE_EQ(d.PhisToMathY(22 + 129), -1);
  EXPECT_NEAR(d.PhisToMathX(156), 119 * pixel - 1, 1e-15);
}

TEST(DiagramGeometryTest, PixelsSaturateInsteadOfOverflowing) {
  RecordedDiagram d;
  d.SetRangeY(-1e-6, 1e-6);
  EXPECT_EQ(d.MathToPhisY(1e11), -kPixelLimit);
  EXPECT_EQ(d.MathToPhisY(-1e11), kPixelLimit);
  EXPECT_EQ(d.MathToPhisX(1e300), kPixelLimit);
  EXPECT_EQ(d.MathToPhisX(-std::numeric_limits<double>::infinity()), -kPixelLimit);
  EXPECT_EQ(d.MathToPhisX(std::numeric_limits<double>::quiet_NaN()), -kPixelLimit);
}

TEST(DiagramGeometryTest, RangesAreOrderedClippedAndRefusedWhenTooNarrow) {
  RecordedDiagram d;
  d.SetRangeX(5, 2);
  EXPECT_EQ(d.GetXmin(), 2);
  EXPECT_EQ(d.GetXmax(), 5);
  EXPECT_EQ(d.GetPrecisionX(), 1);
  const int resets = d.Recorded().resets;
  d.SetRangeX(0, 5e-7);
  d.SetRangeX(std::nan(""), 1);
  d.SetRangeX(1, std::numeric_limits<double>::infinity());
  EXPECT_EQ(d.GetXmin(), 2);
  EXPECT_EQ(d.GetXmax(), 5);
  EXPECT_EQ(d.Recorded().resets, resets);  // refused ranges do not redraw

  d.SetRangeX(-200000, 0);
  EXPECT_EQ(d.GetXmin(), -100000);
  EXPECT_EQ(d.GetXmax(), 0);
  EXPECT_EQ(d.GetPrecisionX(), 0);
  // Wholly beyond a limit: both ends would land on it, which leaves no range.
  d.SetRangeX(200000, 300000);
  EXPECT_EQ(d.GetXmin(), -100000);
  EXPECT_EQ(d.GetXmax(), 0);
  d.SetRangeX(50000, 300000);
  EXPECT_EQ(d.GetXmin(), 50000);
  EXPECT_EQ(d.GetXmax(), 100000);
}

TEST(DiagramGeometryTest, IncludeZeroWidensOnlyOneSidedRanges) {
  double lo = 2, hi = 5;
  IncludeZero(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 5);
  lo = -5, hi = -2;
  IncludeZero(lo, hi);
  EXPECT_EQ(lo, -5);
  EXPECT_EQ(hi, 0);
  lo = -1, hi = 3;
  IncludeZero(lo, hi);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 3);
}

TEST(DiagramGeometryTest, LabelDecimalsFollowTheRangeWidth) {
  RecordedDiagram d;
  const struct {
    double width;
    int decimals;
  } cases[] = {{10, 0}, {9.99, 1}, {1, 1}, {0.5, 2}, {0.05, 3}, {0.005, 4}, {0.0005, 5}, {0.00005, 6}, {0.000005, 7}};
  for (const auto& c : cases) {
    d.SetRangeY(3, 3 + c.width);
    EXPECT_EQ(d.GetPrecisionY(), c.decimals) << c.width;
  }
  d.SetPrecisionX(-12);
  EXPECT_EQ(d.GetPrecisionX(), 7);
}

TEST(DiagramGeometryTest, LimitsPullTheViewInside) {
  RecordedDiagram d;
  d.SetRangeX(-5, 5);
  d.SetRangeY(-5, 5);
  int resets = d.Recorded().resets;
  d.SetLimitX(-1, 1);
  EXPECT_EQ(d.GetXmin(), -1);
  EXPECT_EQ(d.GetXmax(), 1);
  EXPECT_GT(d.Recorded().resets, resets);
  d.SetLimitY(1, -1);
  EXPECT_EQ(d.GetYmin(), -1);
  EXPECT_EQ(d.GetYmax(), 1);
  EXPECT_EQ(d.GetLimitYmin(), -1);

  resets = d.Recorded().resets;
  d.SetLimitX(-3, 3);  // the view is inside: nothing to redraw
  EXPECT_EQ(d.Recorded().resets, resets);
  d.SetLimitX(2, 2);  // equal ends are refused
  EXPECT_EQ(d.GetLimitXmin(), -3);
  d.SetLimitXmin(-1e9);
  d.SetLimitXmax(1e9);
  EXPECT_EQ(d.GetLimitXmin(), -100000);
  EXPECT_EQ(d.GetLimitXmax(), 100000);
  // Limits wholly beyond ±100000 would come out reversed or empty.
  d.SetLimitX(200000, 300000);
  EXPECT_EQ(d.GetLimitXmin(), -100000);
  EXPECT_EQ(d.GetLimitXmax(), 100000);

  // A view wholly outside the new limits shows all they allow instead of collapsing.
  d.SetRangeX(5, 10);
  d.SetLimitX(-2, 1);
  EXPECT_EQ(d.GetXmin(), -2);
  EXPECT_EQ(d.GetXmax(), 1);
}

TEST(DiagramGeometryTest, SpinStepsDependOnWidthAndDecimals) {
  RecordedDiagram d;
  d.SetRangeX(0, 500);
  d.SetPrecisionX(3);
  d.IncreaseXmax();
  EXPECT_EQ(d.GetXmax(), 510);
  d.SetRangeX(0, 5);
  d.IncreaseXmax();
  EXPECT_DOUBLE_EQ(d.GetXmax(), 5.1);
  d.ReduceXmin();
  EXPECT_DOUBLE_EQ(d.GetXmin(), -0.1);
  d.SetRangeX(0, 100);
  d.IncreaseXmax();
  EXPECT_EQ(d.GetXmax(), 101);  // exactly 100 keeps 1/10^p
  d.SetRangeY(0, 2000);
  d.ReduceYmax();
  EXPECT_EQ(d.GetYmax(), 1900);
  d.SetRangeY(0, 50000);
  d.IncreaseYmin();
  EXPECT_EQ(d.GetYmin(), 1000);
  d.SetRangeY(-100000, 100000);
  d.ReduceYmax();
  EXPECT_EQ(d.GetYmax(), 90000);

  d.SetRangeX(0, 2);
  d.IncrementXmin(3);  // crosses the other end: the ends swap
  EXPECT_EQ(d.GetXmin(), 2);
  EXPECT_EQ(d.GetXmax(), 3);
  d.IncrementXmax(-1 + 5e-7);  // would leave less than 1e-6
  EXPECT_EQ(d.GetXmax(), 3);
}

TEST(DiagramGeometryTest, AutomaticRangesSpanTheChain) {
  RecordedDiagram d;
  const double a[] = {0, 4, 2};
  const double b[] = {-3, 1};
  d.Base().SetArray(a, 3, 0, 10);
  TKeeper* second = d.PNewKeeper();
  second->SetArray(b, 2, -5, 3);
  second->Hide();  // hidden series count too
  d.AutoRangeX();
  EXPECT_EQ(d.GetXmin(), -5);
  EXPECT_EQ(d.GetXmax(), 10);
  d.AutoRangeXAverage();
  EXPECT_EQ(d.GetXmin(), -2.5);
  EXPECT_EQ(d.GetXmax(), 6.5);
  d.AutoRangeY();
  EXPECT_EQ(d.GetYmin(), -3);
  EXPECT_EQ(d.GetYmax(), 4);
  d.AutoRangeYAverage();
  EXPECT_EQ(d.GetYmin(), -1.5);
  EXPECT_EQ(d.GetYmax(), 2.5);
}

// A diagram placed `origin` pixels to the right in the window it shares with others.
class PlacedDiagram : public RecordedDiagram {
 public:
  PlacedDiagram(int width, double y_max) : RecordedDiagram(width, 180) { SetRangeY(-y_max, y_max); }
  int origin = 0;

 protected:
  int MarginOrigin() const override { return origin; }
};

TEST(DiagramGeometryTest, StackedDiagramsShareTheirLeftMarginSoThatXValuesLineUp) {
  const int wide_labels = PlacedDiagram(300, 1000).Get_xb_net();  // "-1000" needs more room than "-1,0"
  const int narrow_labels = PlacedDiagram(300, 1).Get_xb_net();
  ASSERT_GT(wide_labels, narrow_labels);
  PlacedDiagram upper(300, 1000), lower(300, 1);
  TDiagramCore::ShareLeftMargin({&upper, &lower});
  EXPECT_EQ(lower.Get_xb_net(), wide_labels);
  EXPECT_EQ(upper.Layout(), lower.Layout());
  for (double x : {-1.0, -0.37, 0.0, 0.5, 1.0}) EXPECT_EQ(upper.MathToPhisX(x), lower.MathToPhisX(x)) << x;

  // Labels widening on one of them later take the other along at once, and back.
  lower.SetRangeY(-100000, 100000);
  EXPECT_GT(lower.Get_xb_net(), wide_labels);
  EXPECT_EQ(upper.Get_xb_net(), lower.Get_xb_net());
  lower.SetRangeY(-1, 1);
  EXPECT_EQ(upper.Get_xb_net(), wide_labels);
  EXPECT_EQ(lower.Get_xb_net(), wide_labels);

  // A picture for a file keeps the column and moves no one.
  RecordingCanvas file;
  lower.ShowDiagramOn(file);
  ASSERT_EQ(file.Of(CanvasCall::kRectangle).size(), 1u);
  EXPECT_EQ(file.Of(CanvasCall::kRectangle)[0].x1, wide_labels);
  EXPECT_EQ(upper.Get_xb_net(), wide_labels);

  // Set 20 pixels further right and as much narrower (spin buttons beside it), the lower one
  // still has its x values under the upper one's.
  lower.origin = 20;
  lower.SetSize(280, 180);
  lower.ShowDiagram();
  for (double x : {-1.0, 0.0, 1.0}) EXPECT_EQ(upper.MathToPhisX(x), lower.MathToPhisX(x) + 20) << x;

  // A member gone leaves the other to its own labels.
  {
    PlacedDiagram wider(300, 100000);
    TDiagramCore::ShareLeftMargin({&upper, &wider});
    EXPECT_GT(upper.Get_xb_net(), wide_labels);
  }
  upper.ShowDiagram();
  EXPECT_EQ(upper.Get_xb_net(), wide_labels);
}

TEST(DiagramGeometryTest, EqualScalesWidenTheAxisWithPixelsToSpare) {
  // 400 × 200 pixels for 2 × 2 units: X doubles about its centre; 100 × 200: Y does.
  EXPECT_EQ(EqualScaleView({-1, 1, -1, 1}, 400, 200), (TViewRanges{-2, 2, -1, 1}));
  EXPECT_EQ(EqualScaleView({-1, 1, -1, 1}, 100, 200), (TViewRanges{-1, 1, -2, 2}));
  EXPECT_EQ(EqualScaleView({3, 5, 10, 11}, 200, 100), (TViewRanges{3, 5, 10, 11}));  // already equal
  EXPECT_EQ(EqualScaleView({0, 1, 0, 4}, 300, 300), (TViewRanges{-1.5, 2.5, 0, 4}));
  EXPECT_EQ(EqualScaleView({-1, 1, -1, 1}, 0, 200), (TViewRanges{-1, 1, -1, 1}));  // no pixels yet
}

// The pixels one unit spans across and down, and the circle's box in pixels.
struct Roundness {
  long double across, down;
  int width, height;
};

Roundness MeasureRoundness(RecordedDiagram& d) {
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const CanvasCall& line : d.Recorded().Of(CanvasCall::kLine)) {
    if (line.pen_color != clGray) continue;
    left = std::min({left, line.x1, line.x2});
    right = std::max({right, line.x1, line.x2});
    top = std::min({top, line.y1, line.y2});
    bottom = std::max({bottom, line.y1, line.y2});
  }
  return {d.Get_w_out() / (static_cast<long double>(d.GetXmax()) - d.GetXmin()),
          d.Get_h_out() / (static_cast<long double>(d.GetYmax()) - d.GetYmin()), right - left, bottom - top};
}

TEST(DiagramGeometryTest, EqualScalesKeepTheCircleRoundThroughResizesAndZooms) {
  RecordedDiagram d;  // 300 × 180: wider than high
  d.Base().SetCircle(1);
  d.Base().SetColor(clGray);
  d.SetEqualScale(true);
  d.SetRangeX(-1.2, 1.2);
  d.SetRangeY(-1.2, 1.2);
  const auto expect_round = [&](const char* when) {
    const Roundness r = MeasureRoundness(d);
    EXPECT_NEAR(static_cast<double>(r.across / r.down), 1.0, 1e-12) << when;
    EXPECT_LE(std::abs(r.width - r.height), 1) << when << ": " << r.width << " × " << r.height;
    EXPECT_GT(r.width, 50) << when;
  };
  expect_round("wide");
  // The height binds: Y holds the range asked for, X widens about 0.
  EXPECT_EQ(d.GetYmin(), -1.2);
  EXPECT_EQ(d.GetYmax(), 1.2);
  EXPECT_NEAR(d.GetXmin(), -d.GetXmax(), 1e-12);
  EXPECT_GT(d.GetXmax(), 1.2);

  // Tall, then wide again: the range asked for comes back, nothing creeps wider.
  d.SetSize(180, 300);
  d.ShowDiagram();
  expect_round("tall");
  EXPECT_EQ(d.GetXmin(), -1.2);
  EXPECT_EQ(d.GetXmax(), 1.2);
  EXPECT_GT(d.GetYmax(), 1.2);
  d.SetSize(300, 180);
  d.ShowDiagram();
  expect_round("wide again");
  EXPECT_EQ(d.GetYmax(), 1.2);

  // A spin step on one end takes the other axis along: out and back in.
  const double width_y = d.GetYmax() - d.GetYmin();
  for (int i = 0; i < 5; ++i) d.IncreaseXmax();
  expect_round("zoomed out");
  EXPECT_GT(d.GetYmax() - d.GetYmin(), width_y);
  for (int i = 0; i < 3; ++i) {
    d.ReduceYmax();
    d.IncreaseYmin();
  }
  expect_round("zoomed in");
  EXPECT_LT(d.GetYmax() - d.GetYmin(), width_y);

  // The automatic ranges hold the circle, and it stays round.
  d.AutoRangeX();
  d.AutoRangeY();
  expect_round("automatic");
  EXPECT_EQ(d.GetYmin(), -1);
  EXPECT_EQ(d.GetYmax(), 1);

  // Off again, the axes go their own ways.
  d.SetEqualScale(false);
  d.SetRangeX(-1, 1);
  d.SetRangeY(-1, 1);
  EXPECT_GT(MeasureRoundness(d).width, MeasureRoundness(d).height + 50);
}

// The feeler of a diagram whose net is 31..281 × 11..162.
TEST(DiagramGeometryTest, FeelerFollowsTheMouseInsideTheNetOnly) {
  RecordedDiagram d;
  ASSERT_EQ(d.Get_xb_net(), 31);
  ASSERT_EQ(d.Get_ye_net(), 162);
  d.SetCursor(crIBeam);  // the control's own cursor before the first move
  int moves = 0;
  d.SetOnMouseMove([&](TDiagramCore* sender, TShiftState shift, int x, int y) {
    EXPECT_EQ(sender, &d);
    EXPECT_EQ(shift, ssShift);
    EXPECT_EQ(x * 1000 + y, moves == 0 ? 100050 : 31050);
    ++moves;
  });
  RecordingCanvas& c = d.Recorded();
  c.calls.clear();
  d.MouseMove(ssShift, 100, 50);
  EXPECT_EQ(d.GetCursor(), crCross);
  auto lines = c.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].pen_mode, pmNotXor);
  EXPECT_EQ((std::vector<int>{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::vector<int>{100, 61, 100, 162}));
  EXPECT_EQ((std::vector<int>{lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}), (std::vector<int>{89, 50, 31, 50}));
  EXPECT_TRUE(d.IsFeelerDrawn());

  c.calls.clear();
  d.MouseMove(ssShift, 31, 50);  // on the net's edge line: outside
  EXPECT_EQ(d.GetCursor(), crIBeam);
  lines = c.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 2u);  // only the erase, at the old place
  EXPECT_EQ(lines[0].x1, 100);
  EXPECT_FALSE(d.IsFeelerDrawn());
  EXPECT_EQ(moves, 2);

  d.SetOnMouseMove(nullptr);
  d.SetNetCursor(crHandPoint);
  d.MouseMove(0, 120, 80);
  c.calls.clear();
  d.SetShowFeeler(false);  // erases the drawn feeler
  lines = c.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].y1, 80);
  EXPECT_FALSE(d.IsFeelerDrawn());
  c.calls.clear();
  d.MouseMove(0, 120, 80);
  EXPECT_EQ(d.GetCursor(), crHandPoint);
  EXPECT_TRUE(c.calls.empty());
  d.MouseMove(0, 5, 5);
  EXPECT_EQ(d.GetCursor(), crIBeam);

  d.SetShowFeeler(true);
  d.MouseMove(0, 120, 80);
  d.ShowDiagram();  // a redraw removes the feeler without erasing it
  EXPECT_FALSE(d.IsFeelerDrawn());
  EXPECT_TRUE(c.Of(CanvasCall::kLine).size() > 0 && c.Of(CanvasCall::kLine)[0].pen_mode == pmCopy);
}

}  // namespace
