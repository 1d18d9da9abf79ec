#pragma once
// The ways a series is drawn: a line sampled once per pixel column, stems, a symmetric envelope,
// bars, markers at points and a circle. Each draws nothing for a hidden series; values that are
// not finite are skipped.

#include "diagram/canvas.h"
#include "diagram/keeper.h"
#include "diagram/plot_geometry.h"

// Where and how the series of one diagram are drawn.
struct TSeriesArea {
  TNetLayout layout;
  TPlotMap map;
  bool print_mode = false;     // series in black
  TColor net_color = clWhite;  // the net's background, which hollow markers are filled with
};

void DrawAnalog(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper);
void DrawDiscret(Canvas& canvas, const TSeriesArea& area, TKeeper& keeper);
void DrawRadio(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper);
void DrawHistogram(Canvas& canvas, const TSeriesArea& area, TKeeper& keeper);

// Hollow circles or crosses at the points, each wholly inside the net: a point beyond the view at
// its edge, with an arrow pointing its way. A point standing for several gets their number beside
// it, in the canvas's current font.
void DrawMarkers(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper);
// The circle around the origin as a fine polygon, cut where it leaves the net.
void DrawCircle(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper);
