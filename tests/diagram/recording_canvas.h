#pragma once
// A canvas that remembers every call, with fixed text metrics: each character (code point) is
// kCharWidth pixels wide and a text is as high as its font's size.

#include <memory>
#include <string>
#include <vector>

#include "diagram/canvas.h"
#include "diagram/diagram_core.h"

struct CanvasCall {
  enum Kind { kReset, kFillRect, kRectangle, kLine, kMove, kEllipse, kPixel, kText, kBitmap };
  Kind kind = kReset;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string text;
  TColor pen_color = 0;
  TPenStyle pen_style = psSolid;
  int pen_width = 1;
  TPenMode pen_mode = pmCopy;
  TColor brush = 0;
  TFont font;
};

class RecordingCanvas : public Canvas {
 public:
  static constexpr int kCharWidth = 6;

  void Reset(int width, int height) override {
    calls.clear();
    Record(CanvasCall::kReset, 0, 0, width, height);
    ++resets;
  }
  void SetPen(TColor color, TPenStyle style, int width, TPenMode mode) override {
    pen_color_ = color;
    pen_style_ = style;
    pen_width_ = width;
    pen_mode_ = mode;
  }
  void SetBrushColor(TColor color) override { brush_ = color; }
  void SetFont(const TFont& font) override { font_ = font; }
  void FillRect(const TRect& r) override { Record(CanvasCall::kFillRect, r.Left, r.Top, r.Right, r.Bottom); }
  void Rectangle(const TRect& r) override { Record(CanvasCall::kRectangle, r.Left, r.Top, r.Right, r.Bottom); }
  void MoveTo(int x, int y) override {
    x_ = x;
    y_ = y;
    Record(CanvasCall::kMove, x, y, x, y);
  }
  void LineTo(int x, int y) override {
    Record(CanvasCall::kLine, x_, y_, x, y);
    x_ = x;
    y_ = y;
  }
  void Ellipse(const TRect& r) override { Record(CanvasCall::kEllipse, r.Left, r.Top, r.Right, r.Bottom); }
  void SetPixel(int x, int y, TColor color) override {
    Record(CanvasCall::kPixel, x, y, x, y);
    calls.back().pen_color = color;
  }
  void TextOut(int x, int y, const std::string& text) override {
    Record(CanvasCall::kText, x, y, x + TextWidth(text), y + TextHeight(text), text);
  }
  int TextWidth(const std::string& text) override { return kCharWidth * CodePoints(text); }
  int TextHeight(const std::string&) override { return font_.Size; }
  void DrawBitmap(int x, int y, const TBitmap& b) override {
    Record(CanvasCall::kBitmap, x, y, x + b.Width, y + b.Height);
  }

  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : calls) {
      if (call.kind == kind) found.push_back(call);
    }
    return found;
  }

  std::vector<CanvasCall> calls;
  int resets = 0;

 private:
  static int CodePoints(const std::string& text) {
    int n = 0;
    for (unsigned char ch : text) n += (ch & 0xC0) != 0x80;
    return n;
  }
  void Record(CanvasCall::Kind kind, int x1, int y1, int x2, int y2, const std::string& text = "") {
    CanvasCall call;
    call.kind = kind;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.text = text;
    call.pen_color = pen_color_;
    call.pen_style = pen_style_;
    call.pen_width = pen_width_;
    call.pen_mode = pen_mode_;
    call.brush = brush_;
    call.font = font_;
    calls.push_back(std::move(call));
  }

  TColor pen_color_ = 0;
  TPenStyle pen_style_ = psSolid;
  int pen_width_ = 1;
  TPenMode pen_mode_ = pmCopy;
  TColor brush_ = 0;
  TFont font_;
  int x_ = 0;
  int y_ = 0;
};

// A diagram drawing on a RecordingCanvas, at a size given up front.
class RecordedDiagram : public TDiagramCore {
 public:
  explicit RecordedDiagram(int width = 300, int height = 180) : TDiagramCore(std::make_unique<RecordingCanvas>()) {
    SetSize(width, height);
    ShowDiagram();
  }
  RecordingCanvas& Recorded() { return static_cast<RecordingCanvas&>(GetCanvas()); }
  int pictures_changed = 0;
  int cursor_changes = 0;

 protected:
  void PictureChanged() override { ++pictures_changed; }
  void CursorChanged() override { ++cursor_changes; }
};
