#pragma once
// The result diagrams as pictures: laid out, styled and ranged as the main window shows them,
// drawn in print mode and encoded as BMP, PNG or SVG files in memory.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "diagram/picture_file.h"
#include "results/result_plan.h"

class AnalysisRun;

constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 400;
// The z-plane is square-ish: its scales are equal.
constexpr int kPlanePictureWidth = 640;
constexpr int kPlanePictureHeight = 600;

struct PictureFile {
  std::string name;   // "DFh.bmp" … "DFGroupDelay.bmp", with the format's extension
  std::string bytes;  // the whole file
};

// The names of the picture files, in the order of the diagrams.
std::vector<std::string> ResultPictureNames(TPictureFormat format);

// Draws the diagrams of the plan, made with settings from the run's results, and encodes them;
// nothing (after saying why on err) when one cannot be encoded.
std::optional<std::vector<PictureFile>> DrawResultPictures(const AnalysisRun& run, const ResultPlan& plan,
                                                           const ResultSettings& settings, TPictureFormat format,
                                                           std::FILE* err);
