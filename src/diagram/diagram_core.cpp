#include "diagram/diagram_core.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "diagram/shared_margin.h"

namespace {

// The feeler leaves this gap at the pointer.
constexpr int kFeelerGap = 11;

struct TChainSpan {
  double lo;
  double hi;
};
using KeeperBound = double (TKeeper::*)() const;

// The least start and the greatest end over the chain from `base`.
TChainSpan WidestSpan(const TKeeper& base, KeeperBound start, KeeperBound end) {
  TChainSpan span{(base.*start)(), (base.*end)()};
  for (const TKeeper* k = base.GetNext(); k != nullptr; k = k->GetNext()) {
    span.lo = std::min(span.lo, (k->*start)());
    span.hi = std::max(span.hi, (k->*end)());
  }
  return span;
}

// The mean start and the mean end over the chain from `base`.
TChainSpan MeanSpan(const TKeeper& base, KeeperBound start, KeeperBound end) {
  long double lo = 0;
  long double hi = 0;
  int n = 0;
  for (const TKeeper* k = &base; k != nullptr; k = k->GetNext(), ++n) {
    lo += (k->*start)();
    hi += (k->*end)();
  }
  return {static_cast<double>(lo / n), static_cast<double>(hi / n)};
}

}  // namespace

TDiagramCore::TDiagramCore(std::unique_ptr<Canvas> canvas)
    : own_canvas_(std::move(canvas)), canvas_(own_canvas_.get()) {
  ShowDiagram();
}

TDiagramCore::~TDiagramCore() {
  if (shared_margin_) shared_margin_->Leave(this);
}

void TDiagramCore::ShareLeftMargin(const std::vector<TDiagramCore*>& diagrams) {
  const auto margin = std::make_shared<TSharedMargin>();
  for (TDiagramCore* diagram : diagrams) {
    if (diagram->shared_margin_) diagram->shared_margin_->Leave(diagram);
    diagram->shared_margin_ = margin;
    margin->Join(diagram);
  }
  for (TDiagramCore* diagram : diagrams) diagram->ShowDiagram();
}

void TDiagramCore::ShowDiagramOn(Canvas& canvas) {
  struct OwnCanvasBack {
    TDiagramCore& d;
    ~OwnCanvasBack() { d.canvas_ = d.own_canvas_.get(); }
  };
  {
    const OwnCanvasBack back{*this};
    canvas_ = &canvas;
    ShowDiagram();
  }
  // The layout and the picture follow the own canvas again.
  ShowDiagram();
}

void TDiagramCore::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void TDiagramCore::SetRangeX(double min, double max) {
  if (!x_.SetRange(min, max)) return;
  wanted_.xmin = x_.Min();
  wanted_.xmax = x_.Max();
  SetPrecisionX(x_.RangePrecision());
}

void TDiagramCore::SetRangeY(double min, double max) {
  if (!y_.SetRange(min, max)) return;
  wanted_.ymin = y_.Min();
  wanted_.ymax = y_.Max();
  SetPrecisionY(y_.RangePrecision());
}

void TDiagramCore::ZoomX(double min, double max) {
  if (!equal_scale_ || layout_.w_out <= 0 || layout_.h_out <= 0) {
    SetRangeX(min, max);
  } else if (ZoomEqually(x_, y_, min, max, static_cast<long double>(layout_.h_out) / layout_.w_out)) {
    SetPrecisionX(x_.RangePrecision());
  }
}

void TDiagramCore::ZoomY(double min, double max) {
  if (!equal_scale_ || layout_.w_out <= 0 || layout_.h_out <= 0) {
    SetRangeY(min, max);
  } else if (ZoomEqually(y_, x_, min, max, static_cast<long double>(layout_.w_out) / layout_.h_out)) {
    SetPrecisionY(y_.RangePrecision());
  }
}

bool TDiagramCore::ZoomEqually(TAxisRange& moved, TAxisRange& other, double min, double max,
                               long double other_per_moved) {
  if (!moved.SetRange(min, max)) return false;
  // The other axis keeps its centre and takes the new scale, so that the step zooms rather than
  // stretches.
  const long double half = moved.Width() * other_per_moved / 2;
  const long double centre = (static_cast<long double>(other.Min()) + other.Max()) / 2;
  if (other.SetRange(static_cast<double>(centre - half), static_cast<double>(centre + half))) {
    other.SetPrecision(other.RangePrecision());
  }
  wanted_ = ShownRanges();
  return true;
}

void TDiagramCore::SetEqualScale(bool on) {
  if (on == equal_scale_) return;
  equal_scale_ = on;
  // Either way the view starts from what is shown now.
  wanted_ = ShownRanges();
  ShowDiagram();
}

bool TDiagramCore::FitEqualScale() {
  const TViewRanges shown = ShownRanges();
  const TViewRanges view = EqualScaleView(wanted_, layout_.w_out, layout_.h_out);
  if (view == shown) return false;
  if (x_.SetRange(view.xmin, view.xmax)) x_.SetPrecision(x_.RangePrecision());
  if (y_.SetRange(view.ymin, view.ymax)) y_.SetPrecision(y_.RangePrecision());
  return !(ShownRanges() == shown);
}

void TDiagramCore::SetWholeNumberAxisX(bool on) {
  x_.SetWholeNumbers(on);
  SetPrecisionX(x_.RangePrecision());
}

void TDiagramCore::SetPrecisionX(int p) {
  x_.SetPrecision(p);
  ShowDiagram();
}

void TDiagramCore::SetPrecisionY(int p) {
  y_.SetPrecision(p);
  ShowDiagram();
}

void TDiagramCore::SetLimitX(double min, double max) {
  double view_min = 0;
  double view_max = 0;
  if (x_.SetLimit(min, max, view_min, view_max)) SetRangeX(view_min, view_max);
}

void TDiagramCore::SetLimitY(double min, double max) {
  double view_min = 0;
  double view_max = 0;
  if (y_.SetLimit(min, max, view_min, view_max)) SetRangeY(view_min, view_max);
}

void TDiagramCore::AutoRangeX() {
  const TChainSpan span = WidestSpan(Base(), &TKeeper::GetXmin, &TKeeper::GetXmax);
  SetRangeX(span.lo, span.hi);
}

void TDiagramCore::AutoRangeY() {
  const TChainSpan span = WidestSpan(Base(), &TKeeper::GetYmin, &TKeeper::GetYmax);
  SetRangeY(span.lo, span.hi);
}

void TDiagramCore::AutoRangeXAverage() {
  const TChainSpan span = MeanSpan(Base(), &TKeeper::GetXmin, &TKeeper::GetXmax);
  SetRangeX(span.lo, span.hi);
}

void TDiagramCore::AutoRangeYAverage() {
  const TChainSpan span = MeanSpan(Base(), &TKeeper::GetYmin, &TKeeper::GetYmax);
  SetRangeY(span.lo, span.hi);
}

// ---- Measurement cursor and mouse ----

bool TDiagramCore::InsideNet(int x, int y) const {
  return layout_.xb_net < x && x < layout_.xe_net() && layout_.yb_net < y && y < layout_.ye_net();
}

void TDiagramCore::SetCursor(TCursor cursor) {
  if (cursor_ == cursor) return;
  cursor_ = cursor;
  CursorChanged();
}

void TDiagramCore::ChooseCursor(bool inside) {
  if (!inside) {
    SetCursor(saved_cursor_);
  } else {
    SetCursor(show_feeler_ ? crCross : net_cursor_);
  }
}

void TDiagramCore::DrawFeelerLines(int x, int y) {
  Canvas& c = *canvas_;
  c.SetPen(feeler_color_, feeler_style_, feeler_width_, pmNotXor);
  c.MoveTo(x, y + kFeelerGap);
  c.LineTo(x, layout_.ye_net());
  c.MoveTo(x - kFeelerGap, y);
  c.LineTo(layout_.xb_net, y);
}

// Not-xor twice restores the picture.
void TDiagramCore::EraseFeeler() {
  DrawFeelerLines(feeler_x_, feeler_y_);
  feeler_drawn_ = false;
}

void TDiagramCore::SetShowFeeler(bool on) {
  if (on == show_feeler_) return;
  show_feeler_ = on;
  if (!on && feeler_drawn_) {
    EraseFeeler();
    PictureChanged();
  }
}

void TDiagramCore::MouseMove(TShiftState shift, int x, int y) {
  if (!cursor_saved_) {
    saved_cursor_ = cursor_;
    cursor_saved_ = true;
  }
  const bool inside = InsideNet(x, y);
  ChooseCursor(inside);
  if (show_feeler_) {
    // The feeler is drawn on the picture as it stands.
    PaintIfOutdated();
    if (feeler_drawn_) EraseFeeler();
    if (inside) {
      DrawFeelerLines(x, y);
      feeler_x_ = x;
      feeler_y_ = y;
      feeler_drawn_ = true;
    }
    PictureChanged();
  }
  if (on_mouse_move_) on_mouse_move_(this, shift, x, y);
}

// ---- Look ----

void TDiagramCore::SetColorBackDiagram(TColor color) {
  color_back_diagram_ = color;
  ShowDiagram();
}

void TDiagramCore::SetColorBackNet(TColor color) {
  color_back_net_ = color;
  ShowDiagram();
}

void TDiagramCore::SetColorNetLine(TColor color) {
  color_net_line_ = color;
  ShowDiagram();
}

void TDiagramCore::SetPenStyleNetLine(TPenStyle style) {
  pen_style_net_line_ = style;
  ShowDiagram();
}

void TDiagramCore::SetNameY(const std::string& name) {
  name_y_ = name;
  ShowDiagram();
}

void TDiagramCore::SetNameX(const std::string& name) {
  name_x_ = name;
  ShowDiagram();
}

void TDiagramCore::SetNameDiagram(const std::string& name) {
  name_diagram_ = name;
  ShowDiagram();
}

void TDiagramCore::SetFontNameX(const TFont& font) {
  font_name_x_ = font;
  ShowDiagram();
}

void TDiagramCore::SetFontNameY(const TFont& font) {
  font_name_y_ = font;
  ShowDiagram();
}

void TDiagramCore::SetFontName(const TFont& font) {
  font_name_ = font;
  ShowDiagram();
}

void TDiagramCore::SetFontNet(const TFont& font) {
  font_net_ = font;
  ShowDiagram();
}

void TDiagramCore::SetBitmapX(const TBitmap* bitmap) {
  bitmap_x_ = bitmap != nullptr ? *bitmap : TBitmap{};
  ShowDiagram();
}

void TDiagramCore::SetBitmapY(const TBitmap* bitmap) {
  bitmap_y_ = bitmap != nullptr ? *bitmap : TBitmap{};
  ShowDiagram();
}

void TDiagramCore::SetPrintMode() {
  print_mode_ = true;
  ShowDiagram();
}

void TDiagramCore::ResetPrintMode() {
  print_mode_ = false;
  ShowDiagram();
}
