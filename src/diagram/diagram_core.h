#pragma once
// A diagram without a window: its series, view ranges and limits, label decimals, layout, the
// stepwise zoom, the automatic ranges, the measurement cursor ("feeler") and the drawing of all of
// it on a Canvas. The desktop widget TDiagram adds the window; tests use it as it is.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "diagram/axis_range.h"
#include "diagram/canvas.h"
#include "diagram/graphics.h"
#include "diagram/keeper_chain.h"
#include "diagram/plot_geometry.h"

// Shown in the net when every series lies wholly beyond the Y limits (|y| > 100000 by default).
inline const std::string kBeyondLimitsNote = "Значения лежат за пределами диаграммы";

class TSharedMargin;

class TDiagramCore : public TKeeperChain {
 public:
  using MouseMoveHandler = std::function<void(TDiagramCore* sender, TShiftState shift, int x, int y)>;

  // Draws the empty diagram once, at the size the control has then (none yet, usually).
  explicit TDiagramCore(std::unique_ptr<Canvas> canvas);
  virtual ~TDiagramCore();

  // Diagrams stacked over one x axis: their nets begin in one column, where the one with the
  // widest y labels needs it, so that equal x values line up in all of them; a diagram whose
  // labels widen later takes the others along. Draws them.
  static void ShareLeftMargin(const std::vector<TDiagramCore*>& diagrams);

  // Transforms between values and pixels of the plot rectangle.
  int MathToPhisX(double x) const { return Map().MathToPhisX(x); }
  int MathToPhisY(double y) const { return Map().MathToPhisY(y); }
  double PhisToMathX(int px) const { return Map().PhisToMathX(px); }
  double PhisToMathY(int py) const { return Map().PhisToMathY(py); }
  TPlotMap Map() const { return TPlotMap(layout_, x_.Min(), x_.Max(), y_.Min(), y_.Max()); }

  // Layout of the last drawing.
  int Get_x0_out() const { return layout_.x0_out; }
  int Get_y0_out() const { return layout_.y0_out; }
  int Get_w_out() const { return layout_.w_out; }
  int Get_h_out() const { return layout_.h_out; }
  int Get_xb_net() const { return layout_.xb_net; }
  int Get_yb_net() const { return layout_.yb_net; }
  int Get_xe_net() const { return layout_.xe_net(); }
  int Get_ye_net() const { return layout_.ye_net(); }
  const TNetLayout& Layout() const { return layout_; }
  // The layout a drawing at this size would have, with the present fonts and ranges; nothing is
  // drawn or changed.
  TNetLayout LayoutAt(int width, int height);
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  // The control's size, taken by the next drawing.
  void SetSize(int width, int height);

  // View ranges: ordered, clipped into the limits; narrower than 1e-6 is ignored. Redraw.
  void SetRangeX(double min, double max);
  void SetRangeY(double min, double max);
  void SetXmin(double x) { SetRangeX(x, x_.Max()); }
  void SetXmax(double x) { SetRangeX(x_.Min(), x); }
  void SetYmin(double y) { SetRangeY(y, y_.Max()); }
  void SetYmax(double y) { SetRangeY(y_.Min(), y); }
  double GetXmin() const { return x_.Min(); }
  double GetXmax() const { return x_.Max(); }
  double GetYmin() const { return y_.Min(); }
  double GetYmax() const { return y_.Max(); }
  void SetPrecisionX(int p);
  void SetPrecisionY(int p);
  int GetPrecisionX() const { return x_.Precision(); }
  int GetPrecisionY() const { return y_.Precision(); }
  // An X axis of sample indices: whole-number grid steps, labels and spin steps. Redraws.
  void SetWholeNumberAxisX(bool on);
  bool IsWholeNumberAxisX() const { return x_.WholeNumbers(); }

  // Equal scales: one unit spans as many pixels across as down, so that a circle stays round at
  // every size. The view then holds the ranges last set, the axis with pixels to spare widened
  // about its centre; a spin button's step on one axis takes the other along at the same scale.
  // Redraws.
  void SetEqualScale(bool on);
  bool IsEqualScale() const { return equal_scale_; }
  // The ranges last set, which the view holds (without equal scales, the view itself).
  const TViewRanges& GetWantedRanges() const { return wanted_; }

  // Limits within ±100000; a view range outside them is pulled in (and redrawn).
  void SetLimitX(double min, double max);
  void SetLimitY(double min, double max);
  void SetLimitXmin(double x) { SetLimitX(x, x_.LimitMax()); }
  void SetLimitXmax(double x) { SetLimitX(x_.LimitMin(), x); }
  void SetLimitYmin(double y) { SetLimitY(y, y_.LimitMax()); }
  void SetLimitYmax(double y) { SetLimitY(y_.LimitMin(), y); }
  double GetLimitXmin() const { return x_.LimitMin(); }
  double GetLimitXmax() const { return x_.LimitMax(); }
  double GetLimitYmin() const { return y_.LimitMin(); }
  double GetLimitYmax() const { return y_.LimitMax(); }

  // Stepwise zoom of one end, as the spin buttons do it.
  void IncrementXmin(double d) { ZoomX(x_.Min() + d, x_.Max()); }
  void IncrementXmax(double d) { ZoomX(x_.Min(), x_.Max() + d); }
  void IncrementYmin(double d) { ZoomY(y_.Min() + d, y_.Max()); }
  void IncrementYmax(double d) { ZoomY(y_.Min(), y_.Max() + d); }
  void IncreaseXmin() { IncrementXmin(x_.ZoomStep()); }
  void ReduceXmin() { IncrementXmin(-x_.ZoomStep()); }
  void IncreaseXmax() { IncrementXmax(x_.ZoomStep()); }
  void ReduceXmax() { IncrementXmax(-x_.ZoomStep()); }
  void IncreaseYmin() { IncrementYmin(y_.ZoomStep()); }
  void ReduceYmin() { IncrementYmin(-y_.ZoomStep()); }
  void IncreaseYmax() { IncrementYmax(y_.ZoomStep()); }
  void ReduceYmax() { IncrementYmax(-y_.ZoomStep()); }

  // Ranges from the series of the chain, hidden ones included: the widest, or the mean ends.
  void AutoRangeX();
  void AutoRangeY();
  void AutoRangeXAverage();
  void AutoRangeYAverage();

  // Measurement cursor.
  void SetShowFeeler(bool on);
  bool GetShowFeeler() const { return show_feeler_; }
  bool IsFeelerDrawn() const { return feeler_drawn_; }
  void SetPenStyleFeeler(TPenStyle style) { feeler_style_ = style; }
  TPenStyle GetPenStyleFeeler() const { return feeler_style_; }
  void SetPenWidthFeeler(int width) { feeler_width_ = width; }
  int GetPenWidthFeeler() const { return feeler_width_; }
  void SetColorFeeler(TColor color) { feeler_color_ = color; }
  TColor GetColorFeeler() const { return feeler_color_; }
  void SetNetCursor(TCursor cursor) { net_cursor_ = cursor; }
  TCursor GetNetCursor() const { return net_cursor_; }
  // The control's cursor as the diagram last chose it (or as the window set it).
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // Every mouse move over the control: cursor, feeler, then the OnMouseMove handler.
  void MouseMove(TShiftState shift, int x, int y);
  void SetOnMouseMove(MouseMoveHandler handler) { on_mouse_move_ = std::move(handler); }
  // Whether (x, y) lies strictly inside the net.
  bool InsideNet(int x, int y) const;

  void SetLeftTopX(int) { ShowDiagram(); }

  // Look. Each setter redraws.
  void SetColorBackDiagram(TColor color);
  void SetColorBackNet(TColor color);
  void SetColorNetLine(TColor color);
  void SetPenStyleNetLine(TPenStyle style);
  void SetNameY(const std::string& name);
  void SetNameX(const std::string& name);
  void SetNameDiagram(const std::string& name);
  void SetFontNameX(const TFont& font);
  void SetFontNameY(const TFont& font);
  void SetFontName(const TFont& font);
  void SetFontNet(const TFont& font);
  // Copies the picture, or empties the diagram's own when given none.
  void SetBitmapX(const TBitmap* bitmap);
  void SetBitmapY(const TBitmap* bitmap);
  TColor GetColorBackDiagram() const { return color_back_diagram_; }
  TColor GetColorBackNet() const { return color_back_net_; }
  TColor GetColorNetLine() const { return color_net_line_; }
  TPenStyle GetPenStyleNetLine() const { return pen_style_net_line_; }
  std::string GetNameY() const { return name_y_; }
  std::string GetNameX() const { return name_x_; }
  std::string GetNameDiagram() const { return name_diagram_; }
  const TFont& GetFontNameX() const { return font_name_x_; }
  const TFont& GetFontNameY() const { return font_name_y_; }
  const TFont& GetFontName() const { return font_name_; }
  const TFont& GetFontNet() const { return font_net_; }
  const TBitmap& GetBitmapX() const { return bitmap_x_; }
  const TBitmap& GetBitmapY() const { return bitmap_y_; }
  // The font last selected on the drawing canvas.
  const TFont& GetFont() const { return canvas_font_; }

  // Drawing. Lays the diagram out for its size, fonts and ranges (the layout, the label decimals)
  // and paints the picture; a control that paints later gets the layout now and the picture when
  // it is needed, once for all the changes made meanwhile.
  void ShowDiagram();
  // Paints the picture that the last ShowDiagram laid out, if that is still to be done.
  void PaintIfOutdated();
  bool IsPictureOutdated() const { return picture_outdated_; }
  // Pictures painted on the own canvas so far; each is a full drawing.
  long PicturesPainted() const { return pictures_painted_; }
  // Draws the diagram once on another canvas (a picture file's), then again on its own.
  void ShowDiagramOn(Canvas& canvas);
  // A blank picture of the control's size.
  void FullSize();
  void SetPrintMode();
  void ResetPrintMode();
  bool IsPrintMode() const { return print_mode_; }
  // Whether series are drawn; does not redraw.
  void EnableLine(bool on) { line_drawing_ = on; }
  bool IsLineEnabled() const { return line_drawing_; }
  void ShowAnalog(TKeeper* keeper);
  void ShowDiscret(TKeeper* keeper);
  void ShowRadio(TKeeper* keeper);
  void ShowHistogram(TKeeper* keeper);
  // Points as markers, with the number of coincident points beside a marker standing for several.
  void ShowMarkers(TKeeper* keeper);
  void ShowCircle(TKeeper* keeper);
  void ShowBitmap();
  // One pixel at a value inside the view ranges; no redraw.
  void ShowPoint(double x, double y, TColor color);

 protected:
  Canvas& GetCanvas() { return *own_canvas_; }
  // Whether ShowDiagram may leave the painting to PaintIfOutdated.
  virtual bool PaintsLater() const { return false; }
  // Where the control's left edge lies in the coordinates shared with the diagrams it shares its
  // left margin with.
  virtual int MarginOrigin() const { return 0; }
  // The picture has changed and should reach the screen.
  virtual void PictureChanged() {}
  // The layout has changed and the picture waits to be painted.
  virtual void PictureOutdated() {}
  // The control's cursor has been chosen anew.
  virtual void CursorChanged() {}

 private:
  // What one ShowDiagram laid out, for painting it.
  struct TPaintPlan {
    int width = 0;
    int height = 0;
    bool show_labels = false;
    long double step_x = 1;
    long double step_y = 1;
    bool line_drawing = true;
  };

  void SelectFont(const TFont& font);
  // The layout, grid steps and label decimals of the present size, fonts and ranges.
  void LayOut();
  // The picture of the plan, on the canvas in use.
  void Paint();
  // One end of an axis moved by a spin button; with equal scales the other axis follows.
  void ZoomX(double min, double max);
  void ZoomY(double min, double max);
  // Sets `moved` and gives `other` the same scale about its centre (its pixels being
  // `other_per_moved` times as many); false when the range is refused.
  bool ZoomEqually(TAxisRange& moved, TAxisRange& other, double min, double max, long double other_per_moved);
  // Widens the view of the wanted ranges to equal scales on the present layout; whether it changed.
  bool FitEqualScale();
  TViewRanges ShownRanges() const { return {x_.Min(), x_.Max(), y_.Min(), y_.Max()}; }
  TColor ExportColor(TColor color, TColor print_color) const { return print_mode_ ? print_color : color; }
  // Text and label sizes the layout depends on, for the current size, fonts and ranges; for a
  // drawing on the own canvas (`drawing`) the margin shared with other diagrams follows them.
  TLayoutMetrics MeasureLayout(bool drawing);
  void DrawBackground();
  enum class GridAxis { kX, kY };
  // The grid lines across one axis with their ticks, labels and minor ticks.
  void DrawGrid(GridAxis axis, long double step, bool show_labels);
  // Where the corner pictures go: BitmapY at the net's top left, BitmapX at its bottom right.
  TRect BitmapYRect() const;
  TRect BitmapXRect() const;
  // A corner picture on the net's own background, so that no grid line or curve runs through it.
  void DrawOpaqueBitmap(const TRect& place, const TBitmap& bitmap);
  void DrawNames(bool show_labels);
  void DrawSeries();
  // A line in the middle of the net telling that every series lies beyond the Y limits.
  void ShowBeyondLimitsNote();
  void DrawFeelerLines(int x, int y);
  void EraseFeeler();
  void ChooseCursor(bool inside);

  std::unique_ptr<Canvas> own_canvas_;
  Canvas* canvas_;  // the canvas being drawn on: the own one but within ShowDiagramOn
  int width_ = 0;
  int height_ = 0;
  TNetLayout layout_;
  TPaintPlan plan_;
  bool picture_outdated_ = false;
  long pictures_painted_ = 0;
  TColor color_back_diagram_ = clBtnFace;
  TColor color_back_net_ = clWhite;
  TColor color_net_line_ = clBlack;
  TPenStyle pen_style_net_line_ = psDot;
  std::string name_y_ = "y";
  std::string name_x_ = "x";
  std::string name_diagram_ = "График";
  TFont font_name_x_;
  TFont font_name_y_;
  TFont font_name_;
  TFont font_net_;
  TFont canvas_font_;
  bool print_mode_ = false;
  TBitmap bitmap_x_;
  TBitmap bitmap_y_;
  bool line_drawing_ = true;
  bool show_feeler_ = true;
  bool feeler_drawn_ = false;
  bool cursor_saved_ = false;
  int feeler_x_ = 0;
  int feeler_y_ = 0;
  TCursor net_cursor_ = crCross;
  TCursor saved_cursor_ = crDefault;
  TCursor cursor_ = crDefault;
  TPenStyle feeler_style_ = psSolid;
  int feeler_width_ = 1;
  TColor feeler_color_ = clBlack;
  MouseMoveHandler on_mouse_move_;
  TAxisRange x_;
  TAxisRange y_;
  bool equal_scale_ = false;
  // The ranges last set; with equal scales the view holds them.
  TViewRanges wanted_;
  std::shared_ptr<TSharedMargin> shared_margin_;
};
