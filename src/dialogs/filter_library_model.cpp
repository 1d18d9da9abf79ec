#include "dialogs/filter_library_model.h"

void FilterLibraryModel::SetPage(int page) {
  if (page >= kButterworthKind && page <= kFrSamplingKind) page_ = page;
}

void FilterLibraryModel::DesignFilter(int kind) {
  switch (kind) {
    case kButterworthKind: butterworth_.Design(); break;
    case kChebyshevKind: chebyshev_.Design(); break;
    case kWeighingKind: weighing_.Design(); break;
    case kFrSamplingKind: fr_sampling_.Design(); break;
    default: break;
  }
}
