#pragma once
// The surface a diagram draws on. The desktop program paints into an image; tests record the calls.
// Coordinates are pixels of the picture; rectangles exclude their right and bottom edges.

#include <string>

#include "diagram/graphics.h"

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Starts a blank picture of this size (the former picture is gone).
  virtual void Reset(int width, int height) = 0;

  virtual void SetPen(TColor color, TPenStyle style, int width, TPenMode mode) = 0;
  virtual void SetBrushColor(TColor color) = 0;
  virtual void SetFont(const TFont& font) = 0;

  // Fills with the brush, no outline.
  virtual void FillRect(const TRect& rect) = 0;
  // Fills with the brush and outlines with the pen.
  virtual void Rectangle(const TRect& rect) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // A line with the pen from the current position; the end becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  // The ellipse inscribed in the rectangle, filled with the brush and outlined with the pen.
  virtual void Ellipse(const TRect& rect) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  // The text in the current font with (x, y) its top-left corner; its cell is filled with the brush.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual void DrawBitmap(int x, int y, const TBitmap& bitmap) = 0;
};
