#pragma once
// The amplitude-response measurement dialog without its widgets: the level chosen in each of the
// four lists, which pair of lists the main window's amplitude-response mode shows, and the result
// texts, emptied whenever a level changes or the dialog is shown: a low-pass response's seven, or
// the edges of every band of the other band types.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/measurement.h"
#include "filter/band_type.h"

class AnalysisRun;
class FilterLibraryModel;

// The band type of the run's filter: its library design's, low-pass for typed coefficients.
BandType AnalysedBand(const AnalysisRun& run, const FilterLibraryModel& library);

// What an edge's texts state: "Нормированная круговая частота верхней границы полосы пропускания".
std::string EdgeHint(const EdgeOf& edge, bool cyclic);
// "Верхняя граница полосы подавления".
std::string EdgeTitle(const EdgeOf& edge);

// The results as (hint, text) lines: for each transition band its lower edge in ωT and fT, its
// upper edge, its width in ωT and fT and its relative width. For a low-pass response, the seven
// fields in their order.
std::vector<std::pair<std::string, std::string>> HintedResults(const MeasurementResult& result);

// A line of the band report: an edge in ωT and fT, or a transition band's width in ωT and fT and
// relative to its pass-band edge.
struct BandReportRow {
  std::string title;
  std::array<std::string, 3> texts;
  std::array<std::string, 3> hints;  // empty where there is no text
};

// The result fields in their order on the dialog.
enum class MeasurementField { kWvT, kFvT, kWpT, kFpT, kDwT, kDfT, kDw };
constexpr int kMeasurementFieldCount = 7;

class MeasurementDialogModel {
 public:
  // The main window's amplitude-response modes.
  static constexpr int kPlainMode = 1;
  static constexpr int kNormalisedMode = 2;
  static constexpr int kDecibelMode = 3;

  // The scale of the lists an amplitude-response mode shows: none for the un-normalised response.
  static std::optional<LevelScale> ScaleOf(int afc_mode);

  // Every list at its default level.
  MeasurementDialogModel();

  // A showing under the given mode, for a response of the band type: ratios when normalised,
  // decibels in dB, no levels at all for the un-normalised response. Empties the results.
  void Show(int afc_mode, BandType band = BandType::kLowPass);
  std::optional<LevelScale> Scale() const { return scale_; }
  BandType Band() const { return band_; }

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
  const std::string& Result(MeasurementField field) const;
  // The last measurement since the results were emptied; not valid when there is none.
  const MeasurementResult& LastResult() const { return result_; }
  // The band type's edges and transition bands in order of ω, with the last measurement's texts.
  std::vector<BandReportRow> BandReport() const;

 private:
  static std::size_t Slot(LevelScale scale) { return scale == LevelScale::kDecibel ? 1 : 0; }
  void ClearResults();

  std::optional<LevelScale> scale_;
  BandType band_ = BandType::kLowPass;
  std::array<int, 2> pass_{};
  std::array<int, 2> stop_{};
  MeasurementResult result_;
};
