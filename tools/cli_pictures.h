#pragma once
// The eight result diagrams as pictures: laid out, styled and ranged as the main window shows
// them, drawn in print mode.

#include <cstdio>
#include <string>

#include "results/result_plan.h"

class AnalysisRun;

constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 400;

// Writes DIR/DFh.bmp … DIR/DFOutSpectr.bmp, creating DIR if needed. Returns false (after saying
// why on err) when a picture cannot be written.
bool WriteResultPictures(const AnalysisRun& run, const ResultSettings& settings, const std::string& dir,
                         std::FILE* err);
