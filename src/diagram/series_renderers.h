#pragma once
// The four ways a series is drawn: a line sampled once per pixel column, stems, a symmetric
// envelope and bars. Each draws nothing for a hidden series; values that are not finite are skipped.

#include "diagram/canvas.h"
#include "diagram/keeper.h"
#include "diagram/plot_geometry.h"

// Where and how the series of one diagram are drawn.
struct TSeriesArea {
  TNetLayout layout;
  TPlotMap map;
  bool print_mode = false;  // series in black
};

void DrawAnalog(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper);
void DrawDiscret(Canvas& canvas, const TSeriesArea& area, TKeeper& keeper);
void DrawRadio(Canvas& canvas, const TSeriesArea& area, const TKeeper& keeper);
void DrawHistogram(Canvas& canvas, const TSeriesArea& area, TKeeper& keeper);
