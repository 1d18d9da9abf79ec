#pragma once
// The result diagrams as pictures: laid out, styled and ranged as the main window shows
// them, drawn in print mode and encoded as BMP files in memory.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "results/result_plan.h"

class AnalysisRun;

constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 400;
// The z-plane is square-ish: its scales are equal.
constexpr int kPlanePictureWidth = 640;
constexpr int kPlanePictureHeight = 600;

struct PictureFile {
  std::string name;   // "DFh.bmp" … "DFGroupDelay.bmp"
  std::string bytes;  // the whole BMP file
};

// The names of the picture files, in the order of the diagrams.
std::vector<std::string> ResultPictureNames();

// Draws and encodes the pictures; nothing (after saying why on err) when one cannot be
// encoded.
std::optional<std::vector<PictureFile>> DrawResultPictures(const AnalysisRun& run, const ResultSettings& settings,
                                                           std::FILE* err);
