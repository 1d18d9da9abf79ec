// Drawing of a whole diagram: layout, background, grid with labels, names, series and pictures.

#include <algorithm>
#include <cmath>

#include "diagram/axis_grid.h"
#include "diagram/diagram_core.h"
#include "diagram/series_renderers.h"
#include "diagram/shared_margin.h"

namespace {

// Every spacing is measured on this character.
const char kMeasureChar[] = "0";

double LargestMagnitude(double a, double b) { return std::max(std::fabs(a), std::fabs(b)); }

}  // namespace

void TDiagramCore::SelectFont(const TFont& font) {
  canvas_font_ = font;
  canvas_->SetFont(font);
}

void TDiagramCore::FullSize() { canvas_->Reset(width_, height_); }

TNetLayout TDiagramCore::LayoutAt(int width, int height) {
  const int kept_width = width_, kept_height = height_;
  SetSize(width, height);
  const TLayoutMetrics m = MeasureLayout(false);
  width_ = kept_width;
  height_ = kept_height;
  return ComputeNetLayout(m, LabelsFit(m));
}

TLayoutMetrics TDiagramCore::MeasureLayout(bool drawing) {
  Canvas& c = *canvas_;
  TLayoutMetrics m;
  m.width = width_;
  m.height = height_;
  SelectFont(font_name_y_.Size > font_name_.Size ? font_name_y_ : font_name_);
  m.text_height = c.TextHeight(kMeasureChar);
  SelectFont(font_name_x_);
  m.name_x_width = c.TextWidth(name_x_);
  SelectFont(font_net_);
  m.zero_width = c.TextWidth(kMeasureChar);
  m.label_width_x = m.zero_width * LabelChars(LargestMagnitude(x_.Min(), x_.Max()), x_.Precision(), false);
  m.label_width_y = m.zero_width * LabelChars(LargestMagnitude(y_.Min(), y_.Max()), y_.Precision(), true);
  if (shared_margin_) {
    // A picture drawn for a file keeps the screen's column and moves no one.
    const bool asked = !drawing || canvas_ != own_canvas_.get();
    m.label_width_y = shared_margin_->LabelWidth(this, MarginOrigin(), m.label_width_y, asked);
  }
  return m;
}

void TDiagramCore::ShowDiagram() {
  const bool own = canvas_ == own_canvas_.get();
  if (own && PaintsLater()) {
    LayOut();
    picture_outdated_ = true;
    PictureOutdated();
  } else {
    FullSize();
    LayOut();
    Paint();
  }
  // Its labels may have moved the margin it shares: the others follow.
  if (shared_margin_ && own) shared_margin_->RedrawStale();
}

void TDiagramCore::PaintIfOutdated() {
  if (!picture_outdated_) return;
  // At the size it was laid out for, should the control have been resized since.
  canvas_->Reset(plan_.width, plan_.height);
  Paint();
}

void TDiagramCore::LayOut() {
  feeler_drawn_ = false;
  TLayoutMetrics m;
  bool show = false;
  // Equal scales change the ranges, the ranges the label widths, and those the layout: a few
  // passes settle it.
  for (int pass = 0;; ++pass) {
    m = MeasureLayout(true);
    show = LabelsFit(m);
    layout_ = ComputeNetLayout(m, show);
    if (!equal_scale_ || pass == 3 || !FitEqualScale()) break;
  }
  long double step_x = GridStep(layout_.w_out, m.label_width_x * 1.2, x_.Width());
  long double step_y = GridStep(layout_.h_out, m.text_height * 1.3, y_.Width());
  if (x_.WholeNumbers()) step_x = WholeStep(step_x);
  if (y_.WholeNumbers()) step_y = WholeStep(step_y);
  // Square grid cells on equal scales.
  if (equal_scale_) step_x = step_y = std::max(step_x, step_y);
  // Labels that would repeat get more decimals, which the layout above has not yet seen.
  if (show) {
    x_.RaisePrecision(
        DistinctLabelPrecision(GridLineWalk(x_.Min(), x_.Max(), step_x), x_.Width() * 0.001, x_.Precision()));
    y_.RaisePrecision(
        DistinctLabelPrecision(GridLineWalk(y_.Min(), y_.Max(), step_y), y_.Width() * 0.001, y_.Precision()));
  }
  plan_ = {width_, height_, show, step_x, step_y, line_drawing_};
}

void TDiagramCore::Paint() {
  const bool own = canvas_ == own_canvas_.get();
  if (own) {
    picture_outdated_ = false;
    ++pictures_painted_;
  }
  DrawBackground();
  DrawGrid(GridAxis::kX, plan_.step_x, plan_.show_labels);
  DrawGrid(GridAxis::kY, plan_.step_y, plan_.show_labels);
  DrawNames(plan_.show_labels);
  if (plan_.line_drawing) DrawSeries();
  ShowBitmap();
  PictureChanged();
}

void TDiagramCore::DrawBackground() {
  Canvas& c = *canvas_;
  c.SetBrushColor(ExportColor(color_back_diagram_, clWhite));
  c.FillRect({0, 0, plan_.width, plan_.height});
  c.SetBrushColor(ExportColor(color_back_net_, clWhite));
  c.SetPen(ExportColor(color_net_line_, clBlack), psSolid, 1, pmCopy);
  c.Rectangle({layout_.xb_net, layout_.yb_net, layout_.xe_net(), layout_.ye_net()});
}

void TDiagramCore::DrawGrid(GridAxis axis, long double step, bool show_labels) {
  Canvas& c = *canvas_;
  const bool is_x = axis == GridAxis::kX;
  TAxisRange& range = is_x ? x_ : y_;
  const TPlotMap map = Map();
  // A value's pixel along the axis, and a segment across it from `from` to `to`.
  const auto along = [&](long double v) {
    return is_x ? map.MathToPhisX(static_cast<double>(v)) : map.MathToPhisY(static_cast<double>(v));
  };
  const auto across = [&](int at, int from, int to) {
    c.MoveTo(is_x ? at : from, is_x ? from : at);
    c.LineTo(is_x ? at : to, is_x ? to : at);
  };
  // The X axis' ticks and labels hang below the net, the Y axis' stand left of it.
  const int net_from = is_x ? layout_.yb_net : layout_.xb_net;
  const int net_to = is_x ? layout_.ye_net() : layout_.xe_net();
  const int tick_from = is_x ? net_to : net_from - 4, tick_to = tick_from + 4;
  const double tol = range.Width() * 0.001;
  const TGridWalk walk = GridLineWalk(range.Min(), range.Max(), step);
  const TColor line = ExportColor(color_net_line_, clBlack);
  SelectFont(font_net_);
  for (int i = 0; i < walk.count; ++i) {
    const long double v = walk.At(i);
    const int p = along(v);
    // The line at zero is solid. A value exactly at the tolerance is zero to the X axis (as its
    // label says) but not to the Y axis; the grid's steps keep every value but 0 far from it.
    const bool zero = is_x ? IsGridZero(v, tol) : std::fabs(v) < tol;
    c.SetPen(line, zero ? psSolid : pen_style_net_line_, 1, pmCopy);
    across(p, net_from, net_to);
    if (!show_labels) continue;
    c.SetPen(line, psSolid, 1, pmCopy);
    across(p, tick_from, tick_to);
    const std::string label = GridLabel(v, tol, range.Precision());
    c.SetBrushColor(ExportColor(color_back_diagram_, clWhite));
    if (is_x) c.TextOut(p - c.TextWidth(label) / 2, tick_to + 1, label);
    else c.TextOut(tick_from - c.TextWidth(label) - 1, p - c.TextHeight(label) / 2, label);
  }
  if (!show_labels) return;
  // The X axis' minor ticks start one further left; the walk may start outside the net.
  const TGridWalk minor =
      MinorTickWalk(range.Min(), range.Max(), step, is_x, MinorTicksPerStep(step, range.WholeNumbers()));
  const int first = is_x ? layout_.xb_net : layout_.yb_net, last = is_x ? layout_.xe_net() : layout_.ye_net();
  const int minor_from = is_x ? net_to : net_from - 2;
  c.SetPen(line, psSolid, 1, pmCopy);
  for (int i = 0; i < minor.count; ++i) {
    const int p = along(minor.At(i));
    if (p >= first && p <= last) across(p, minor_from, minor_from + 2);
  }
}

void TDiagramCore::DrawNames(bool show_labels) {
  Canvas& c = *canvas_;
  // The text cells take the colour of what lies under them.
  c.SetBrushColor(show_labels ? ExportColor(color_back_diagram_, clWhite) : ExportColor(color_back_net_, clWhite));
  SelectFont(font_name_);
  c.TextOut(layout_.w_out / 2 + layout_.x0_out - c.TextWidth(name_diagram_) / 2, 0, name_diagram_);
  SelectFont(font_name_x_);
  const int zero_width = c.TextWidth(kMeasureChar);
  c.TextOut(zero_width + layout_.xe_net(), layout_.ye_net() - c.TextHeight(name_x_) / 2, name_x_);
  SelectFont(font_name_y_);
  c.TextOut(layout_.xb_net, 0, name_y_);
}

void TDiagramCore::DrawSeries() {
  bool any_shown = false, all_beyond = true;
  for (TKeeper* k = &Base(); k != nullptr; k = k->GetNext()) {
    if (k->IsVisible() && k->GetCount() > 0) {
      any_shown = true;
      if (!(k->GetYmin() > y_.LimitMax() || k->GetYmax() < y_.LimitMin())) all_beyond = false;
    }
    switch (k->GetKind()) {
      case gkAnalog:
      case gkAnalogPeriodic: ShowAnalog(k); break;
      case gkDiscret:
      case gkDiscretPeriodic: ShowDiscret(k); break;
      case gkRadio:
      case gkRadioPeriodic: ShowRadio(k); break;
      case gkHistogram: ShowHistogram(k); break;
      case gkMarkers: ShowMarkers(k); break;
      case gkCircle: ShowCircle(k); break;
    }
  }
  // No view range can bring such values in: say so rather than leave the net silently empty.
  if (any_shown && all_beyond) ShowBeyondLimitsNote();
}

void TDiagramCore::ShowBeyondLimitsNote() {
  Canvas& c = *canvas_;
  SelectFont(font_net_);
  c.SetBrushColor(ExportColor(color_back_net_, clWhite));
  const int x = layout_.x0_out + (layout_.w_out - c.TextWidth(kBeyondLimitsNote)) / 2;
  const int y = layout_.y0_out + (layout_.h_out - c.TextHeight(kBeyondLimitsNote)) / 2;
  c.TextOut(x, y, kBeyondLimitsNote);
}

void TDiagramCore::ShowAnalog(TKeeper* keeper) { DrawAnalog(*canvas_, {layout_, Map(), print_mode_}, *keeper); }

void TDiagramCore::ShowMarkers(TKeeper* keeper) {
  // The multiplicities in a smaller cut of the label font, in the series' colour.
  TFont font = font_net_;
  font.Size = std::max(9, font_net_.Size * 3 / 4);
  font.Color = print_mode_ ? clBlack : keeper->GetColor();
  SelectFont(font);
  DrawMarkers(*canvas_, {layout_, Map(), print_mode_, ExportColor(color_back_net_, clWhite)}, *keeper);
}

void TDiagramCore::ShowCircle(TKeeper* keeper) { DrawCircle(*canvas_, {layout_, Map(), print_mode_}, *keeper); }

void TDiagramCore::ShowDiscret(TKeeper* keeper) { DrawDiscret(*canvas_, {layout_, Map(), print_mode_}, *keeper); }

void TDiagramCore::ShowRadio(TKeeper* keeper) { DrawRadio(*canvas_, {layout_, Map(), print_mode_}, *keeper); }

void TDiagramCore::ShowHistogram(TKeeper* keeper) { DrawHistogram(*canvas_, {layout_, Map(), print_mode_}, *keeper); }

TRect TDiagramCore::BitmapYRect() const {
  const int left = layout_.xb_net + 3;
  const int top = layout_.yb_net + 3;
  return {left, top, left + bitmap_y_.Width, top + bitmap_y_.Height};
}

TRect TDiagramCore::BitmapXRect() const {
  const int right = layout_.xe_net() - 3;
  const int bottom = layout_.ye_net() - 3;
  return {right - bitmap_x_.Width, bottom - bitmap_x_.Height, right, bottom};
}

void TDiagramCore::DrawOpaqueBitmap(const TRect& place, const TBitmap& bitmap) {
  // The ground stays inside the frame.
  const TRect ground{std::max(place.Left, layout_.xb_net + 1), std::max(place.Top, layout_.yb_net + 1),
                     std::min(place.Right, layout_.xe_net()), std::min(place.Bottom, layout_.ye_net())};
  if (ground.Left < ground.Right && ground.Top < ground.Bottom) {
    canvas_->SetBrushColor(ExportColor(color_back_net_, clWhite));
    canvas_->FillRect(ground);
  }
  canvas_->DrawBitmap(place.Left, place.Top, bitmap);
}

void TDiagramCore::ShowBitmap() {
  if (!bitmap_y_.Empty()) DrawOpaqueBitmap(BitmapYRect(), bitmap_y_);
  if (!bitmap_x_.Empty()) DrawOpaqueBitmap(BitmapXRect(), bitmap_x_);
}

void TDiagramCore::ShowPoint(double x, double y, TColor color) {
  if (!(x >= x_.Min() && x <= x_.Max() && y >= y_.Min() && y <= y_.Max())) return;
  const int px = MathToPhisX(x);
  const int py = MathToPhisY(y);
  if (px < 0 || py < 0) return;
  PaintIfOutdated();
  canvas_->SetPixel(px, py, color);
  PictureChanged();
}
