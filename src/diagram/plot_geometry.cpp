#include "diagram/plot_geometry.h"

#include <algorithm>

bool LabelsFit(const TLayoutMetrics& m) {
  return 4 * m.label_width_x < m.width - m.name_x_width && 4 * m.text_height < m.height - m.text_height / 2;
}

TNetLayout ComputeNetLayout(const TLayoutMetrics& m, bool show_labels) {
  const int show = show_labels ? 1 : 0;
  const int H = m.text_height;
  const int A = m.width - m.name_x_width;  // room left of the X name
  const int B = m.height - H / 2;
  TNetLayout l;
  l.xb_net = (m.label_width_y + 5) * show + 2;
  l.yb_net = static_cast<int>(0.5 * H * show + H / 2 + 1);
  l.net_width = static_cast<int>((A - l.xb_net) - 0.5 * m.label_width_x * show - 1);
  l.net_height = H / 2 + B - l.yb_net - (H + 5) * show - 2;
  l.x0_out = m.zero_width * show + l.xb_net;
  l.y0_out = H * show + l.yb_net;
  l.w_out = l.xb_net + l.net_width - l.x0_out - m.zero_width * show;
  l.h_out = l.yb_net + l.net_height - l.y0_out - H * show;
  return l;
}

TViewRanges EqualScaleView(const TViewRanges& wanted, int w, int h) {
  if (w <= 0 || h <= 0) return wanted;
  const long double wx = static_cast<long double>(wanted.xmax) - wanted.xmin;
  const long double wy = static_cast<long double>(wanted.ymax) - wanted.ymin;
  // Units per pixel: the coarser axis sets the scale of both.
  const long double unit = std::max(wx / w, wy / h);
  const long double cx = (static_cast<long double>(wanted.xmin) + wanted.xmax) / 2;
  const long double cy = (static_cast<long double>(wanted.ymin) + wanted.ymax) / 2;
  const long double half_x = unit * w / 2;
  const long double half_y = unit * h / 2;
  // The binding axis keeps its ends exactly.
  TViewRanges view = wanted;
  if (wx / w < unit) {
    view.xmin = static_cast<double>(cx - half_x);
    view.xmax = static_cast<double>(cx + half_x);
  }
  if (wy / h < unit) {
    view.ymin = static_cast<double>(cy - half_y);
    view.ymax = static_cast<double>(cy + half_y);
  }
  return view;
}
