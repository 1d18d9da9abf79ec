#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "diagram/axis_grid.h"
#include "diagram/diagram_core.h"
#include "diagram/plot_geometry.h"
#include "diagram/recording_canvas.h"

namespace {

std::vector<int> Box(const CanvasCall& c) { return {c.x1, c.y1, c.x2, c.y2}; }

std::vector<std::string> Texts(const RecordingCanvas& c) {
  std::vector<std::string> texts;
  for (const CanvasCall& call : c.Of(CanvasCall::kText)) texts.push_back(call.text);
  return texts;
}

// Lines drawn with the given pen colour.
std::vector<CanvasCall> LinesOf(const RecordingCanvas& c, TColor color) {
  std::vector<CanvasCall> lines;
  for (const CanvasCall& call : c.Of(CanvasCall::kLine)) {
    if (call.pen_color == color) lines.push_back(call);
  }
  return lines;
}

// A 300 × 180 diagram, ranges -1..1, fonts of 11 px, characters 6 px wide:
// H = 11, "x" is 6 wide, z = 6, labels of 4 characters (LX = LY = 24), so labels fit;
// xb = 24 + 5 + 2 = 31, yb = trunc(5,5 + 5 + 1) = 11, net 250 × 151 (to 281, 162);
// plot rectangle 37, 22, 238 × 129. X steps: 238 / 28,8 = 8,26 intervals fit 2 / 0,5 = 4, not
// 2 / 0,2 = 10: step 0,5. Y: 129 / 14,3 = 9,02: step 0,5 likewise.
TEST(DiagramRenderTest, KnownDiagramHasItsRectanglesGridAndLabels) {
  RecordedDiagram d;
  const TNetLayout& l = d.Layout();
  EXPECT_EQ((std::vector<int>{l.xb_net, l.yb_net, l.net_width, l.net_height}), (std::vector<int>{31, 11, 250, 151}));
  EXPECT_EQ((std::vector<int>{l.x0_out, l.y0_out, l.w_out, l.h_out}), (std::vector<int>{37, 22, 238, 129}));

  const RecordingCanvas& c = d.Recorded();
  ASSERT_EQ(c.calls[0].kind, CanvasCall::kReset);
  EXPECT_EQ(Box(c.calls[0]), (std::vector<int>{0, 0, 300, 180}));
  const auto fills = c.Of(CanvasCall::kFillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].brush, clBtnFace);
  const auto frames = c.Of(CanvasCall::kRectangle);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(Box(frames[0]), (std::vector<int>{31, 11, 281, 162}));
  EXPECT_EQ(frames[0].brush, clWhite);

  // Grid lines span the net; X at trunc(238·(v + 1)/2 + 37), Y at trunc(129·(1 − v)/2 + 22).
  std::vector<int> vertical, horizontal;
  std::vector<TPenStyle> vertical_styles, horizontal_styles;
  for (const CanvasCall& line : c.Of(CanvasCall::kLine)) {
    if (line.x1 == line.x2 && line.y1 == 11 && line.y2 == 162) {
      vertical.push_back(line.x1);
      vertical_styles.push_back(line.pen_style);
    }
    if (line.y1 == line.y2 && line.x1 == 31 && line.x2 == 281) {
      horizontal.push_back(line.y1);
      horizontal_styles.push_back(line.pen_style);
    }
  }
  EXPECT_EQ(vertical, (std::vector<int>{37, 96, 156, 215, 275}));
  EXPECT_EQ(vertical_styles, (std::vector<TPenStyle>{psDot, psDot, psSolid, psDot, psDot}));
  EXPECT_EQ(horizontal, (std::vector<int>{151, 118, 86, 54, 22}));
  EXPECT_EQ(horizontal_styles, (std::vector<TPenStyle>{psDot, psDot, psSolid, psDot, psDot}));

  const auto texts = c.Of(CanvasCall::kText);
  ASSERT_EQ(texts.size(), 13u);
  const std::vector<std::string> labels = {"-1,0", "-0,5", "0,0", "0,5", "1,0"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(texts[i].text, labels[i]);
    EXPECT_EQ(texts[i].y1, 167);  // below the tick
    EXPECT_EQ(texts[i].x1, vertical[i] - 6 * static_cast<int>(labels[i].size()) / 2);
    EXPECT_EQ(texts[5 + i].text, labels[i]);
    EXPECT_EQ(texts[5 + i].x1, 31 - 6 * static_cast<int>(labels[i].size()) - 5);
    EXPECT_EQ(texts[5 + i].y1, horizontal[i] - 5);
  }
  // Title centred over the plot rectangle, X name right of the net, Y name at the top.
  EXPECT_EQ(texts[10].text, "График");
  EXPECT_EQ(texts[10].x1, 238 / 2 + 37 - 36 / 2);
  EXPECT_EQ(texts[10].y1, 0);
  EXPECT_EQ(Box(texts[11]), (std::vector<int>{6 + 281, 162 - 5, 6 + 281 + 6, 162 - 5 + 11}));
  EXPECT_EQ(texts[12].text, "y");
  EXPECT_EQ(texts[12].x1, 31);
  EXPECT_EQ(texts[12].brush, clBtnFace);

  // Minor ticks every 0,1 from -1,0 on both axes; the one the X walk starts with, at -1,1, would
  // stand below the Y axis outside the net and is left out.
  int x_minor = 0, y_minor = 0;
  for (const CanvasCall& line : c.Of(CanvasCall::kLine)) {
    if (line.y1 == 162 && line.y2 == 164) {
      ++x_minor;
      EXPECT_GE(line.x1, 31);
      EXPECT_LE(line.x1, 281);
    }
    y_minor += line.x1 == 29 && line.x2 == 31;
  }
  EXPECT_GE(x_minor, 20);
  EXPECT_LE(x_minor, 21);
  EXPECT_GE(y_minor, 20);
  EXPECT_LE(y_minor, 21);
}

TEST(DiagramRenderTest, RepeatedLabelsRaiseTheDecimals) {
  // 200 wide: the plot is 141 wide; labels of 3 characters fit 141 / 21,6 = 6,5 intervals,
  // so the range 0..0,4 gets the step 0,1. With 0 decimals every label reads "0".
  RecordedDiagram d(200, 180);
  d.SetRangeX(0, 0.4);
  d.SetPrecisionX(0);
  EXPECT_EQ(d.GetPrecisionX(), 1);
  const auto texts = Texts(d.Recorded());
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 5),
            (std::vector<std::string>{"0,0", "0,1", "0,2", "0,3", "0,4"}));

  // A range 1e-6 wide gets a step of 5e-8, which 7 decimals cannot tell apart: "%e" labels.
  RecordedDiagram wide(1600, 450);
  wide.SetRangeX(0, 1e-6);
  EXPECT_EQ(wide.GetPrecisionX(), 8);
  EXPECT_EQ(Texts(wide.Recorded())[1], "5,000000e-08");
}

TEST(DiagramRenderTest, LabelWalksAndStepsAreBounded) {
  EXPECT_EQ(GridStep(238, 28.8, 2), 0.5L);
  EXPECT_NEAR(static_cast<double>(GridStep(238, 28.8, 0.04)), 0.005, 1e-18);  // 0,04 in 8 steps
  EXPECT_EQ(GridStep(5, 28.8, 2), 5);                                         // nothing fits: the coarsest
  EXPECT_EQ(GridStep(5, 28.8, 700), 500);
  const TGridWalk walk = GridLineWalk(-1, 1, 0.5L);
  EXPECT_EQ(walk.count, 5);
  EXPECT_EQ(walk.At(0), -1);
  EXPECT_EQ(GridLineWalk(0.3, 2, 0.5L).At(0), 0.5);  // the first multiple right of a positive start
  EXPECT_EQ(GridLineWalk(-100000, 100000, 0).count, 0);
  EXPECT_EQ(GridLabel(1e-9, 0.002, 3), "0,0");
  EXPECT_EQ(GridLabel(-1e-9, 0.002, 0), "0");
  EXPECT_EQ(GridLabel(-0.25, 0.002, 2), "-0,25");
  // log10 of 0 and of tiny magnitudes must not shrink a label below its shortest text.
  EXPECT_EQ(LabelChars(0, 2, false), 5);
  EXPECT_EQ(LabelChars(1e-300, 0, true), 303);
  EXPECT_EQ(LabelChars(1e-30, 3, false), 5);
  EXPECT_EQ(LabelChars(12345, 0, false), 7);

  // No grid value lies near the tolerance that tells the zero line: each is 0 up to the sums'
  // rounding or several tolerances away, so the solid zero line never hangs on > against >=.
  for (double width = 1e-6; width < 2e5; width *= 1.37) {
    for (const double pixels : {5.0, 100.0, 700.0, 20000.0}) {
      for (const double min : {-width, -0.3 * width, -0.7 * width - 1e-3 * width, 0.1 * width}) {
        const double tol = width * 0.001;
        for (const long double step : {GridStep(pixels, 10, width), WholeStep(GridStep(pixels, 10, width))}) {
          const TGridWalk lines = GridLineWalk(min, min + width, step);
          for (int i = 0; i < lines.count; ++i) {
            const double v = std::fabs(static_cast<double>(lines.At(i)));
            EXPECT_TRUE(v < 1e-9 * tol || v > 4 * tol) << width << " " << pixels << " " << min << " " << i;
          }
        }
      }
    }
  }

  // Extreme ranges draw a bounded grid.
  for (const auto& range : {std::pair{-100000.0, 100000.0}, std::pair{99999.999998, 100000.0}, std::pair{-1e-6, 0.0},
                            std::pair{1e-3, 1e-3 + 2e-6}}) {
    RecordedDiagram d(1600, 450);
    d.SetRangeX(range.first, range.second);
    d.SetRangeY(range.first, range.second);
    EXPECT_EQ(d.GetXmin(), range.first);
    EXPECT_LT(d.Recorded().calls.size(), 3000u) << range.first;
    EXPECT_GE(d.Recorded().Of(CanvasCall::kText).size(), 5u) << range.first;
  }
}

TEST(DiagramRenderTest, TooSmallDiagramHasNoLabelsAndEnds) {
  RecordedDiagram d(60, 40);  // 4 · 24 ≥ 60 − 6
  const TNetLayout& l = d.Layout();
  EXPECT_EQ((std::vector<int>{l.xb_net, l.yb_net, l.net_width, l.net_height}),
            (std::vector<int>{2, 6, 60 - 6 - 2 - 1, 40 - 6 - 2}));
  EXPECT_EQ(l.x0_out, l.xb_net);
  EXPECT_EQ(l.w_out, l.net_width);
  EXPECT_EQ(l.h_out, l.net_height);
  EXPECT_EQ(Texts(d.Recorded()), (std::vector<std::string>{"График", "x", "y"}));
  EXPECT_EQ(d.Recorded().Of(CanvasCall::kText)[0].brush, clWhite);  // still the net's brush
  for (const CanvasCall& line : d.Recorded().Of(CanvasCall::kLine)) {
    EXPECT_TRUE(line.y2 <= l.ye_net() && line.x1 >= l.xb_net);  // no ticks outside the net
  }

  const double values[] = {1, -1, 1, -1};
  for (int size : {0, 1, 3, 9}) {
    RecordedDiagram tiny(size, size);
    tiny.Base().SetArray(values, 4, -1, 1);
    tiny.ShowDiagram();
    tiny.Base().SetDiscret();
    tiny.ShowDiagram();
    tiny.MouseMove(0, 1, 1);
    EXPECT_FALSE(tiny.IsFeelerDrawn());
  }
}

TEST(DiagramRenderTest, PrintModeDrawsWhiteBackgroundsAndBlackLines) {
  RecordedDiagram d;
  const double values[] = {0, 0.5, -0.5, 0};
  d.Base().SetArray(values, 4, -1, 1);
  d.Base().SetColor(clRed);
  d.SetColorBackNet(RGBColor(255, 255, 200));
  d.SetColorNetLine(clNavy);
  TFont red_title = d.GetFontName();
  red_title.Color = clMaroon;
  d.SetFontName(red_title);
  EXPECT_FALSE(LinesOf(d.Recorded(), clRed).empty());

  d.SetPrintMode();
  const RecordingCanvas& c = d.Recorded();
  EXPECT_EQ(c.Of(CanvasCall::kFillRect)[0].brush, clWhite);
  EXPECT_EQ(c.Of(CanvasCall::kRectangle)[0].brush, clWhite);
  EXPECT_EQ(c.Of(CanvasCall::kRectangle)[0].pen_color, clBlack);
  EXPECT_TRUE(LinesOf(c, clRed).empty());
  EXPECT_TRUE(LinesOf(c, clNavy).empty());
  EXPECT_GT(LinesOf(c, clBlack).size(), 200u);  // the curve is one segment per column
  for (const CanvasCall& text : c.Of(CanvasCall::kText)) EXPECT_EQ(text.brush, clWhite);
  EXPECT_EQ(c.Of(CanvasCall::kText)[10].font.Color, clMaroon);  // the fonts keep their colours

  d.ResetPrintMode();
  EXPECT_FALSE(LinesOf(d.Recorded(), clRed).empty());
  EXPECT_EQ(d.Recorded().Of(CanvasCall::kRectangle)[0].brush, RGBColor(255, 255, 200));
}

TEST(DiagramRenderTest, StemsStopAtTheBandAndSkipNonFiniteSamples) {
  RecordedDiagram d;  // net rows 11..162, band 12..160; zero at row 86
  const double values[] = {0.5, 1e11, std::numeric_limits<double>::quiet_NaN(), -1e11, 0.25};
  d.Base().SetArray(values, 5, -1, 1);
  d.Base().SetDiscret();
  d.Base().SetColor(clBlue);
  d.Base().SetMarkers(true);
  d.SetRangeY(-1, 1);
  const RecordingCanvas& c = d.Recorded();
  std::vector<std::vector<int>> stems;
  for (const CanvasCall& line : LinesOf(c, clBlue)) {
    if (line.x1 == line.x2) stems.push_back(Box(line));
  }
  // x = -1, -0,5, 0, 0,5, 1 at columns 37, 96, 156, 215, 275; sample 0 comes twice.
  EXPECT_EQ(stems, (std::vector<std::vector<int>>{
                       {37, 86, 37, 54}, {96, 86, 96, 12}, {215, 86, 215, 160}, {275, 86, 275, 70}, {37, 86, 37, 54}}));
  const auto markers = c.Of(CanvasCall::kEllipse);
  ASSERT_EQ(markers.size(), 3u);  // none on the clamped stems
  EXPECT_EQ(Box(markers[0]), (std::vector<int>{34, 51, 40, 57}));
  EXPECT_EQ(d.Base().GetYmax(), 1e11);  // the NaN took no part in the range
  EXPECT_EQ(d.Base().GetYmin(), -1e11);
}

TEST(DiagramRenderTest, CurvesBreakAtTheNetEdgesAndAtNonFiniteValues) {
  RecordedDiagram d;
  const double values[] = {3, 0, std::numeric_limits<double>::infinity(), 0, 0.5};
  d.Base().SetArray(values, 5, -1, 1);
  d.Base().SetColor(clGreen);
  d.ShowDiagram();
  const auto lines = LinesOf(d.Recorded(), clGreen);
  ASSERT_FALSE(lines.empty());
  for (const CanvasCall& line : lines) {
    EXPECT_GE(std::min(line.y1, line.y2), 12);  // never above the band
    EXPECT_LE(std::max(line.y1, line.y2), 161);
    EXPECT_GE(line.x1, 31);
    // Nothing drawn where the infinite sample weighs in (x strictly between -0,5 and 0,5).
    EXPECT_FALSE(line.x2 > 96 && line.x1 < 215) << line.x1 << ".." << line.x2;
  }
  // 0,5 at x = 1 (column 275), then 0 right of the series.
  const std::vector<int> drop = {275, 54, 276, 86};
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const CanvasCall& l) { return Box(l) == drop; }));

  // Nothing in reach of the limits: the net says so in its middle, instead of staying empty.
  const auto NoteCount = [&] {
    const std::vector<std::string> texts = Texts(d.Recorded());
    return std::count(texts.begin(), texts.end(), kBeyondLimitsNote);
  };
  EXPECT_EQ(NoteCount(), 0);
  const double huge[] = {1e292, 1e308};
  d.Base().SetArray(huge, 2, -1, 1);
  d.ShowDiagram();
  EXPECT_EQ(NoteCount(), 1);

  // A curve above the net at its left edge and inside one column later starts at the band's top.
  const double steep[] = {3, 0};
  d.Base().SetArray(steep, 2, d.PhisToMathX(31), d.PhisToMathX(32));
  d.ShowDiagram();
  EXPECT_EQ(Box(LinesOf(d.Recorded(), clGreen).front()), (std::vector<int>{31, 12, 32, 86}));
}

TEST(DiagramRenderTest, WholeNumberAxisHasWholeStepsLabelsAndTicks) {
  RecordedDiagram d;
  d.SetRangeX(0, 2);
  EXPECT_EQ(d.GetPrecisionX(), 1);  // an ordinary axis: 0,0 0,5 1,0 1,5 2,0
  EXPECT_EQ(Texts(d.Recorded())[1], "0,5");

  struct XAxis {
    std::vector<std::string> labels;
    std::vector<int> grid, minor;
  };
  const auto x_axis = [&d] {
    XAxis axis;
    for (const CanvasCall& call : d.Recorded().calls) {
      if (call.kind == CanvasCall::kText && call.y1 == d.Get_ye_net() + 5) axis.labels.push_back(call.text);
      if (call.kind != CanvasCall::kLine || call.x1 != call.x2) continue;
      if (call.y1 == d.Get_yb_net() && call.y2 == d.Get_ye_net()) axis.grid.push_back(call.x1);
      if (call.y1 == d.Get_ye_net() && call.y2 == d.Get_ye_net() + 2) axis.minor.push_back(call.x1);
    }
    return axis;
  };
  // Samples: labels of 3 characters (LX = 18) fit 238 / 21,6 = 11 intervals, so the step 0,2
  // would do; a sample axis takes 1, and its minor ticks fall on samples only, inside the net.
  d.SetWholeNumberAxisX(true);
  EXPECT_EQ(d.GetPrecisionX(), 0);
  XAxis axis = x_axis();
  EXPECT_EQ(axis.labels, (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(axis.grid, (std::vector<int>{d.MathToPhisX(0), d.MathToPhisX(1), d.MathToPhisX(2)}));
  EXPECT_EQ(axis.minor, (std::vector<int>{d.MathToPhisX(0), d.MathToPhisX(1), d.MathToPhisX(2)}));

  // 0..200: labels of 5 characters fit 6,6 intervals, the step is 50 and a minor tick stands
  // every 10 samples; none at -10, which would stand below the y axis, outside the net.
  d.SetRangeX(0, 200);
  axis = x_axis();
  EXPECT_EQ(axis.labels, (std::vector<std::string>{"0", "50", "100", "150", "200"}));
  ASSERT_EQ(axis.minor.size(), 21u);
  for (int k = 0; k < 21; ++k) EXPECT_EQ(axis.minor[k], d.MathToPhisX(10 * k)) << k;

  // The spin buttons move a sample at a time.
  d.SetRangeX(0, 2);
  d.IncreaseXmax();
  EXPECT_EQ(d.GetXmax(), 3);
}

TEST(DiagramRenderTest, PicturesSitInTheNetCornersAndPointsInsideTheRanges) {
  RecordedDiagram d;
  TBitmap picture{20, 10, std::vector<std::uint32_t>(200, 0xFF000000u)};
  d.SetBitmapY(&picture);
  d.SetBitmapX(&picture);
  auto bitmaps = d.Recorded().Of(CanvasCall::kBitmap);
  ASSERT_EQ(bitmaps.size(), 2u);
  EXPECT_EQ(Box(bitmaps[0]), (std::vector<int>{34, 14, 54, 24}));
  EXPECT_EQ(Box(bitmaps[1]), (std::vector<int>{281 - 23, 162 - 13, 281 - 3, 162 - 3}));

  d.SetBitmapX(nullptr);
  EXPECT_EQ(d.Recorded().Of(CanvasCall::kBitmap).size(), 1u);

  d.Recorded().calls.clear();
  d.ShowPoint(0, 0, clRed);
  d.ShowPoint(1.5, 0, clRed);
  const auto pixels = d.Recorded().Of(CanvasCall::kPixel);
  ASSERT_EQ(pixels.size(), 1u);
  EXPECT_EQ(Box(pixels[0]), (std::vector<int>{156, 86, 156, 86}));
  EXPECT_EQ(pixels[0].pen_color, clRed);

  // In decibels the 0 line is the solid top grid line, at the height of the Y picture, and a
  // response reaching 0 dB runs there too: the picture is laid on the net's background after both.
  d.SetRangeY(-60, 0);
  const RecordingCanvas& c = d.Recorded();
  const auto at = [&](const CanvasCall& wanted) {
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
      if (c.calls[i].kind == wanted.kind && Box(c.calls[i]) == Box(wanted)) return i;
    }
    return c.calls.size();
  };
  const CanvasCall picture_y = c.Of(CanvasCall::kBitmap)[0];
  std::size_t zero_line = c.calls.size();
  for (const CanvasCall& line : c.Of(CanvasCall::kLine)) {
    const bool across_the_net = line.x1 == d.Get_xb_net() && line.x2 == d.Get_xe_net();
    if (across_the_net && line.y1 == line.y2 && line.y1 == d.MathToPhisY(0)) zero_line = at(line);
  }
  ASSERT_LT(zero_line, c.calls.size());
  EXPECT_EQ(c.calls[zero_line].pen_style, psSolid);
  EXPECT_GT(c.calls[zero_line].y1, picture_y.y1);  // it would run through the picture
  EXPECT_LT(c.calls[zero_line].y1, picture_y.y2);
  std::size_t ground = c.calls.size();
  for (const CanvasCall& fill : c.Of(CanvasCall::kFillRect)) {
    if (fill.brush == clWhite && Box(fill) == Box(picture_y)) ground = at(fill);
  }
  EXPECT_GT(ground, zero_line);
  EXPECT_EQ(ground + 1, at(picture_y));
  std::size_t last_crossing = 0;  // of the grid line or the base series, all 0
  for (std::size_t i = 0; i < c.calls.size(); ++i) {
    const CanvasCall& line = c.calls[i];
    const bool under_picture = line.x1 >= picture_y.x1 && line.x1 < picture_y.x2;
    if (line.kind == CanvasCall::kLine && line.y1 == d.MathToPhisY(0) && under_picture) last_crossing = i;
  }
  EXPECT_GT(last_crossing, zero_line);
  EXPECT_LT(last_crossing, ground);
}

TEST(DiagramRenderTest, EnvelopeIsSymmetricAboutZeroAndClamped) {
  RecordedDiagram d;  // rows: 1 at 22, 0 at 86 (86,5), -1 at 151; band 12..160
  const double values[] = {0.5, 0.5, 3};
  d.Base().SetArray(values, 3, -1, 1);
  d.Base().SetColor(clBlue);
  d.Recorded().calls.clear();
  d.ShowRadio(&d.Base());
  const auto lines = LinesOf(d.Recorded(), clBlue);
  ASSERT_EQ(lines.size(), 250u);                                       // one per column right of the net's left edge
  EXPECT_EQ(Box(lines[60]), (std::vector<int>{92, 54, 92, 118}));      // x ≈ -0,53: ±0,5
  EXPECT_EQ(Box(lines[243]), (std::vector<int>{275, 12, 275, 160}));   // ±3 at x = 1: clamped
  EXPECT_EQ(Box(lines.back()), (std::vector<int>{281, 86, 281, 86}));  // 0 right of the series
}

TEST(DiagramRenderTest, HistogramBarsAreCutAtTheNetEdges) {
  RecordedDiagram d;
  const double values[] = {0.5, 0.5, 0.5};  // bars 1 wide centred on -1, 0, 1
  d.Base().SetArray(values, 3, -1, 1);
  d.Base().SetColor(clBlue);
  d.Base().SetDiscret();
  d.Recorded().calls.clear();
  d.ShowHistogram(&d.Base());
  // Rows: 0,5 at 54, zero at 86. Bar 0 spans -1,5..-0,5: its left edge lies left of the net.
  std::vector<std::vector<int>> lines;
  for (const CanvasCall& line : LinesOf(d.Recorded(), clBlue)) lines.push_back(Box(line));
  const std::vector<int> zero_line = {31, 86, 281, 86};
  const std::vector<int> bar0_top = {31, 54, 96, 54};
  const std::vector<int> bar0_right = {96, 54, 96, 86};
  EXPECT_EQ(lines[0], zero_line);
  EXPECT_NE(std::find(lines.begin(), lines.end(), bar0_top), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), bar0_right), lines.end());
  for (const auto& line : lines) EXPECT_GE(line[0], 31);
}

// Plot rectangle 37, 22, 238 × 129 over -1..1: x → trunc(119·(x + 1) + 37), y → trunc(64,5·(1 − y) + 22).
TEST(DiagramRenderTest, MarkersStandAtTheirPointsWithTheirMultiplicities) {
  RecordedDiagram d;
  const TMarkedPoint zeros[] = {{0, 0, 1}, {0.5, -0.5, 3}, {0.98, 0, 2}, {1.05, 0.5, 1}};
  const TMarkedPoint poles[] = {{-0.5, 0.5, 1}, {std::nan(""), 0, 1}};
  d.Base().SetPoints(zeros, 4, msCircle);
  d.Base().SetColor(clBlue);
  TKeeper* crosses = d.PNewKeeper();
  crosses->SetPoints(poles, 2, msCross);
  crosses->SetColor(clRed);
  EXPECT_EQ(d.Base().GetXmax(), 1.05);  // the points' own ranges, for the automatic ranges
  EXPECT_EQ(d.Base().GetYmin(), -0.5);
  d.ShowDiagram();
  const RecordingCanvas& c = d.Recorded();

  // Hollow circles 9 pixels across, filled with the net's white. (1,05; 0,5), at 280, 54, would
  // cross the frame (281): it stays at the edge, at 275.
  const auto ellipses = c.Of(CanvasCall::kEllipse);
  ASSERT_EQ(ellipses.size(), 4u);
  EXPECT_EQ(Box(ellipses[0]), (std::vector<int>{152, 82, 161, 91}));    // (0; 0) at 156, 86
  EXPECT_EQ(Box(ellipses[1]), (std::vector<int>{211, 114, 220, 123}));  // (0,5; -0,5) at 215, 118
  EXPECT_EQ(Box(ellipses[2]), (std::vector<int>{268, 82, 277, 91}));    // (0,98; 0) at 272, 86
  EXPECT_EQ(Box(ellipses[3]), (std::vector<int>{271, 50, 280, 59}));
  for (const CanvasCall& e : ellipses) {
    EXPECT_EQ(e.pen_color, clBlue);
    EXPECT_EQ(e.brush, clWhite);
  }
  // A cross at (-0,5; 0,5), pixel 96, 54; the NaN pole is left out.
  const auto cross = LinesOf(c, clRed);
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(Box(cross[0]), (std::vector<int>{92, 50, 100, 58}));
  EXPECT_EQ(Box(cross[1]), (std::vector<int>{92, 58, 100, 50}));

  // The multiplicity above right of its marker, clear of it, in a smaller font of the series'
  // colour (11 · 3/4 → at least 9 px); at the net's right edge it moves to the left.
  std::vector<CanvasCall> numbers;
  for (const CanvasCall& t : c.Of(CanvasCall::kText)) {
    if (t.text == "3" || t.text == "2" || t.text == "→") numbers.push_back(t);
  }
  ASSERT_EQ(numbers.size(), 3u);
  EXPECT_EQ(Box(numbers[0]), (std::vector<int>{221, 108, 227, 117}));
  EXPECT_GT(numbers[0].x1, 219);  // right of the marker
  EXPECT_EQ(numbers[0].font.Color, clBlue);
  EXPECT_EQ(numbers[0].brush, clWhite);
  EXPECT_EQ(Box(numbers[1]), (std::vector<int>{260, 76, 266, 85}));
  EXPECT_LT(numbers[1].x2, 268);                                     // left of the marker
  EXPECT_EQ(Box(numbers[2]), (std::vector<int>{263, 44, 269, 53}));  // the way to the point beyond

  d.SetPrintMode();
  for (const CanvasCall& e : d.Recorded().Of(CanvasCall::kEllipse)) EXPECT_EQ(e.pen_color, clBlack);
  for (const CanvasCall& t : d.Recorded().Of(CanvasCall::kText)) {
    if (t.text == "3") {
      EXPECT_EQ(t.font.Color, clBlack);
    }
  }
}

TEST(DiagramRenderTest, CircleIsAClosedPolygonOnItsRadiusCutAtTheNet) {
  RecordedDiagram d;
  d.Base().SetCircle(0.5);
  d.Base().SetColor(clGray);
  EXPECT_EQ(d.Base().GetXmin(), -0.5);
  EXPECT_EQ(d.Base().GetYmax(), 0.5);
  d.ShowDiagram();
  const auto sides = LinesOf(d.Recorded(), clGray);
  ASSERT_GE(sides.size(), 24u);
  // Pixel radii 59,5 across and 32,25 down: every corner within a pixel of the ellipse.
  for (const CanvasCall& side : sides) {
    const double u = (side.x2 - 156.0) / 59.5;
    const double v = (side.y2 - 86.5) / 32.25;
    EXPECT_NEAR(std::hypot(u, v), 1.0, 1.5 / 32.25);
    EXPECT_LE(std::hypot(side.x2 - side.x1, side.y2 - side.y1), 4);  // fine enough to look round
  }
  EXPECT_EQ(sides.front().x1, sides.back().x2);  // closed
  EXPECT_EQ(sides.front().y1, sides.back().y2);

  // Zoomed in on its right edge, only the part inside the net is drawn.
  d.SetRangeX(0.4, 0.6);
  d.SetRangeY(-0.2, 0.2);
  const auto arc = LinesOf(d.Recorded(), clGray);
  ASSERT_FALSE(arc.empty());
  for (const CanvasCall& side : arc) {
    for (int x : {side.x1, side.x2}) EXPECT_TRUE(x > d.Get_xb_net() && x < d.Get_xe_net());
    for (int y : {side.y1, side.y2}) EXPECT_TRUE(y > d.Get_yb_net() && y < d.Get_ye_net());
  }
}

}  // namespace
