#pragma once
// The drawing vocabulary of the diagrams, free of any window system: colours, pens, fonts,
// small pictures, cursors and mouse states, as the diagram code and its canvases share them.

#include <cstdint>
#include <string>
#include <vector>

// 0x00BBGGRR; a value with the top byte 0xFF names a system colour (its low byte says which).
using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0xFF000000u;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGray = 0x808080;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;

constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == clSystemColor; }
constexpr TColor RGBColor(int red, int green, int blue) {
  return static_cast<TColor>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// pmNotXor draws the inverse of (pen xor picture): drawing the same line twice restores the picture.
enum TPenMode : std::uint8_t { pmCopy, pmNotXor };

// Cursor ids of the control; negative values are the stock cursors.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crAppStart = -19;

// Keys and buttons held during a mouse event.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

struct TFont {
  std::string Name = "Liberation Sans";
  int Size = 11;  // pixel height of the font
  bool Bold = false;
  bool Italic = false;
  TColor Color = clBlack;

  bool operator==(const TFont&) const = default;
};

// A small picture drawn at a point (the formula images at the axis ends); 0xAARRGGBB pixels, row by row.
struct TBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;

  bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Right and bottom are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};
