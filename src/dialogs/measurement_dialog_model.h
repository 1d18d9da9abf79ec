#pragma once
// The amplitude-response measurement dialog without its widgets: the level chosen in each of the
// four lists, which pair of lists the main window's amplitude-response mode shows, and the seven
// result texts, emptied whenever a level changes or the dialog is shown.

#include <array>
#include <optional>
#include <string>

#include "analysis/measurement.h"

// The result fields in their order on the dialog.
enum class MeasurementField { kWvT, kFvT, kWpT, kFpT, kDwT, kDfT, kDw };
constexpr int kMeasurementFieldCount = 7;

class MeasurementDialogModel {
 public:
  // The main window's amplitude-response modes.
  static constexpr int kPlainMode = 1;
  static constexpr int kNormalisedMode = 2;
  static constexpr int kDecibelMode = 3;

  // Every list at its default level.
  MeasurementDialogModel();

  // A showing under the given mode: ratios when normalised, decibels in dB, no levels at all
  // for the un-normalised response. Empties the results.
  void Show(int afc_mode);
  std::optional<LevelScale> Scale() const { return scale_; }

  int PassIndex(LevelScale scale) const { return pass_[Slot(scale)]; }
  int StopIndex(LevelScale scale) const { return stop_[Slot(scale)]; }
  // A level chosen in a list; out-of-list indices are ignored. Empties the results.
  void SelectPass(LevelScale scale, int index);
  void SelectStop(LevelScale scale, int index);

  // Measures count points of the response at the shown lists' levels, and the edges again on the
  // response between them when it is given. A stop level the response never reaches is replaced in
  // its list by the one used (with the measurement's message). Returns false, measuring nothing,
  // when no lists are shown.
  bool Measure(const double* response, int count, const ContinuousResponse* between = nullptr);
  const std::string& Result(MeasurementField field) const { return results_[static_cast<std::size_t>(field)]; }

 private:
  static std::size_t Slot(LevelScale scale) { return scale == LevelScale::kDecibel ? 1 : 0; }
  void ClearResults() { results_ = {}; }

  std::optional<LevelScale> scale_;
  std::array<int, 2> pass_{};
  std::array<int, 2> stop_{};
  std::array<std::string, kMeasurementFieldCount> results_;
};
