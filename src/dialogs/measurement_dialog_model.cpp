#include "dialogs/measurement_dialog_model.h"

#include "analysis/analysis.h"
#include "dialogs/filter_library_model.h"

namespace {

bool InList(const LevelList& list, int index) { return index >= 0 && index < static_cast<int>(list.items.size()); }

const std::string kWidthHint = "Ширина переходной полосы в единицах нормированной круговой частоты";
const std::string kCyclicWidthHint = "Ширина переходной полосы в единицах циклической нормированной частоты";
const std::string kRelativeWidthHint = "Относительная ширина переходной полосы";

}  // namespace

BandType AnalysedBand(const AnalysisRun& run, const FilterLibraryModel& library) {
  return run.IsLibraryFilter() ? library.DesignedBand() : BandType::kLowPass;
}

std::string EdgeHint(const EdgeOf& edge, bool cyclic) {
  return std::string("Нормированная ") + (cyclic ? "циклическая" : "круговая") + " частота " +
         (edge.upper ? "верхней" : "нижней") + " границы полосы " +
         (edge.band == BandKind::kPass ? "пропускания" : "подавления");
}

std::string EdgeTitle(const EdgeOf& edge) {
  return std::string(edge.upper ? "Верхняя" : "Нижняя") + " граница полосы " +
         (edge.band == BandKind::kPass ? "пропускания" : "подавления");
}

std::vector<std::pair<std::string, std::string>> HintedResults(const MeasurementResult& result) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (std::size_t k = 0; k < result.transitions.size() && 2 * k + 1 < result.edges.size(); ++k) {
    for (const MeasuredEdge* edge : {&result.edges[2 * k], &result.edges[2 * k + 1]}) {
      lines.emplace_back(EdgeHint(edge->of, false), edge->wT);
      lines.emplace_back(EdgeHint(edge->of, true), edge->fT);
    }
    const MeasuredTransition& t = result.transitions[k];
    lines.emplace_back(kWidthHint, t.dwT);
    lines.emplace_back(kCyclicWidthHint, t.dfT);
    lines.emplace_back(kRelativeWidthHint, t.dw);
  }
  return lines;
}

std::optional<LevelScale> MeasurementDialogModel::ScaleOf(int afc_mode) {
  if (afc_mode == kNormalisedMode) return LevelScale::kLinear;
  if (afc_mode == kDecibelMode) return LevelScale::kDecibel;
  return std::nullopt;
}

MeasurementDialogModel::MeasurementDialogModel() {
  for (const LevelScale scale : {LevelScale::kLinear, LevelScale::kDecibel}) {
    pass_[Slot(scale)] = PassBandLevels(scale).default_index;
    stop_[Slot(scale)] = StopBandLevels(scale).default_index;
  }
}

void MeasurementDialogModel::Show(int afc_mode, BandType band) {
  scale_ = ScaleOf(afc_mode);
  band_ = band;
  ClearResults();
}

void MeasurementDialogModel::ClearResults() { result_ = {}; }

void MeasurementDialogModel::SelectPass(LevelScale scale, int index) {
  if (InList(PassBandLevels(scale), index)) pass_[Slot(scale)] = index;
  ClearResults();
}

void MeasurementDialogModel::SelectStop(LevelScale scale, int index) {
  if (InList(StopBandLevels(scale), index)) stop_[Slot(scale)] = index;
  ClearResults();
}

bool MeasurementDialogModel::Measure(const double* response, int count, const ContinuousResponse* between) {
  if (!scale_) return false;
  const LevelScale scale = *scale_;
  const MeasurementResult r =
      MeasureAmplitudeResponse(response, count, scale, PassIndex(scale), StopIndex(scale), between, band_);
  if (!r.valid) return false;
  stop_[Slot(scale)] = r.stop_index;
  result_ = r;
  return true;
}

const std::string& MeasurementDialogModel::Result(MeasurementField field) const {
  switch (field) {
    case MeasurementField::kWvT: return result_.wvT;
    case MeasurementField::kFvT: return result_.fvT;
    case MeasurementField::kWpT: return result_.wpT;
    case MeasurementField::kFpT: return result_.fpT;
    case MeasurementField::kDwT: return result_.dwT;
    case MeasurementField::kDfT: return result_.dfT;
    case MeasurementField::kDw: break;
  }
  return result_.dw;
}

std::vector<BandReportRow> MeasurementDialogModel::BandReport() const {
  const std::vector<EdgeOf> layout = BandEdges(band_);
  std::vector<BandReportRow> rows;
  for (std::size_t i = 0; i < layout.size(); ++i) {
    BandReportRow& edge = rows.emplace_back();
    edge.title = EdgeTitle(layout[i]);
    edge.hints = {EdgeHint(layout[i], false), EdgeHint(layout[i], true), ""};
    if (i < result_.edges.size()) edge.texts = {result_.edges[i].wT, result_.edges[i].fT, ""};
    // Each pair of edges bounds a transition band, shown between them.
    if (i % 2 == 1) continue;
    BandReportRow& transition = rows.emplace_back();
    transition.title = "Переходная полоса";
    transition.hints = {kWidthHint, kCyclicWidthHint, kRelativeWidthHint};
    if (i / 2 < result_.transitions.size()) {
      const MeasuredTransition& t = result_.transitions[i / 2];
      transition.texts = {t.dwT, t.dfT, t.dw};
    }
  }
  return rows;
}
