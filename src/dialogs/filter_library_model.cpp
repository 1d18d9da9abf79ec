#include "dialogs/filter_library_model.h"

void FilterLibraryModel::SetPage(int page) {
  if (page >= kButterworthKind && page <= kFrSamplingKind) page_ = page;
}

void FilterLibraryModel::DesignFilter(int kind) {
  const auto design = [this](auto& filter) {
    filter.Design();
    designed_band_ = filter.GetBand();
  };
  designed_band_ = BandType::kLowPass;
  switch (kind) {
    case kButterworthKind: design(butterworth_); break;
    case kChebyshevKind: design(chebyshev_); break;
    case kWeighingKind: design(weighing_); break;
    case kFrSamplingKind: design(fr_sampling_); break;
    default: break;
  }
}
