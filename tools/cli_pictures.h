#pragma once
// The eight result diagrams as pictures: laid out, styled and ranged as the main window shows
// them, drawn in print mode and encoded as BMP files in memory.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "results/result_plan.h"

class AnalysisRun;

constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 400;

struct PictureFile {
  std::string name;   // "DFh.bmp" … "DFOutSpectr.bmp"
  std::string bytes;  // the whole BMP file
};

// The names of the eight picture files, in the order of the diagrams.
std::vector<std::string> ResultPictureNames();

// Draws and encodes the eight pictures; nothing (after saying why on err) when one cannot be
// encoded.
std::optional<std::vector<PictureFile>> DrawResultPictures(const AnalysisRun& run, const ResultSettings& settings,
                                                           std::FILE* err);
