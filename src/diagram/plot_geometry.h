#pragma once
// Where a diagram draws: the net rectangle (frame and grid) and, inside it, the plot rectangle onto
// which the view ranges are mapped; the mapping itself; and the layout arithmetic that places both.

#include "diagram/truncation.h"

struct TNetLayout {
  int xb_net = 0;  // left of the net
  int yb_net = 0;  // top of the net
  int net_width = 0;
  int net_height = 0;
  int x0_out = 0;  // left of the plot rectangle (Xmin)
  int y0_out = 0;  // top of the plot rectangle (Ymax)
  int w_out = 0;
  int h_out = 0;

  int xe_net() const { return xb_net + net_width; }
  int ye_net() const { return yb_net + net_height; }
  bool operator==(const TNetLayout&) const = default;
};

// What the layout depends on, measured with the diagram's fonts.
struct TLayoutMetrics {
  int width = 0;          // of the control
  int height = 0;         // of the control
  int text_height = 0;    // H: of "0" in the larger name font
  int name_x_width = 0;   // of NameX in its font
  int zero_width = 0;     // z: of "0" in the label font
  int label_width_x = 0;  // LX
  int label_width_y = 0;  // LY
};

// Whether there is room for tick labels: four labels across and four text heights down.
bool LabelsFit(const TLayoutMetrics& m);
TNetLayout ComputeNetLayout(const TLayoutMetrics& m, bool show_labels);

// Values to pixels and back for one plot rectangle and view range (extended precision).
class TPlotMap {
 public:
  TPlotMap(const TNetLayout& layout, double xmin, double xmax, double ymin, double ymax)
      : x0_(layout.x0_out),
        y0_(layout.y0_out),
        w_(layout.w_out),
        h_(layout.h_out),
        xmin_(xmin),
        xmax_(xmax),
        ymin_(ymin),
        ymax_(ymax) {}

  // Truncated toward zero; values far outside the range stop at ±kPixelLimit instead of overflowing.
  int MathToPhisX(double x) const { return TruncSaturated(w_ * (x - xmin_) / (xmax_ - xmin_) + x0_, kPixelLimit); }
  // Ymax maps to the top of the plot rectangle, Ymin to its bottom.
  int MathToPhisY(double y) const { return TruncSaturated(h_ * (y - ymax_) / (ymin_ - ymax_) + y0_, kPixelLimit); }
  // An empty plot rectangle maps every pixel to the range's start.
  double PhisToMathX(int px) const {
    return w_ == 0 ? xmin_ : static_cast<double>((xmax_ - xmin_) * (px - x0_) / w_ + xmin_);
  }
  double PhisToMathY(int py) const {
    return h_ == 0 ? ymax_ : static_cast<double>((ymin_ - ymax_) * (py - y0_) / h_ + ymax_);
  }

 private:
  long double x0_, y0_, w_, h_;
  long double xmin_, xmax_, ymin_, ymax_;
};

// The four ends of a view.
struct TViewRanges {
  double xmin = -1;
  double xmax = 1;
  double ymin = -1;
  double ymax = 1;
  bool operator==(const TViewRanges&) const = default;
};

// The smallest view holding `wanted`, centred on it, on which one unit is as many pixels across
// (of `w`) as down (of `h`): the axis with more pixels per unit widens. Without pixels, `wanted`.
TViewRanges EqualScaleView(const TViewRanges& wanted, int w, int h);
