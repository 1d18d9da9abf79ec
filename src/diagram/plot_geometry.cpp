#include "diagram/plot_geometry.h"

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
