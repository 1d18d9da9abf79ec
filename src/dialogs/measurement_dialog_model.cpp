#include "dialogs/measurement_dialog_model.h"

namespace {

bool InList(const LevelList& list, int index) { return index >= 0 && index < static_cast<int>(list.items.size()); }

}  // namespace

MeasurementDialogModel::MeasurementDialogModel() {
  for (const LevelScale scale : {LevelScale::kLinear, LevelScale::kDecibel}) {
    pass_[Slot(scale)] = PassBandLevels(scale).default_index;
    stop_[Slot(scale)] = StopBandLevels(scale).default_index;
  }
}

void MeasurementDialogModel::Show(int afc_mode) {
  if (afc_mode == kNormalisedMode) scale_ = LevelScale::kLinear;
  else if (afc_mode == kDecibelMode) scale_ = LevelScale::kDecibel;
  else scale_.reset();
  ClearResults();
}

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
      MeasureAmplitudeResponse(response, count, scale, PassIndex(scale), StopIndex(scale), between);
  if (!r.valid) return false;
  stop_[Slot(scale)] = r.stop_index;
  results_ = {r.wvT, r.fvT, r.wpT, r.fpT, r.dwT, r.dfT, r.dw};
  return true;
}
