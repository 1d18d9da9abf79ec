#pragma once
// The filter library as the analysis run sees it: the four design objects, which page is active,
// and whether the user chose its filter in the present showing.

#include "analysis/analysis_sources.h"
#include "filter/band_type.h"
#include "filter/butterworth.h"
#include "filter/chebyshev.h"
#include "filter/fr_sampling.h"
#include "filter/weighing.h"

class FilterLibraryModel : public FilterLibrarySource {
 public:
  // The design objects with their own types, for the dialog's fields.
  CBatterwortFilter& ButterworthDesign() { return butterworth_; }
  CChebishevFilter& ChebyshevDesign() { return chebyshev_; }
  CWeighingFilter& WeighingDesign() { return weighing_; }
  CFrSamplingFilter& FrSamplingDesign() { return fr_sampling_; }

  // The active page: 0 Butterworth, 1 Chebyshev, 2 windowed, 3 frequency sampling.
  void SetPage(int page);
  int GetFilterKind() const override { return page_; }

  // Each showing starts unchosen; "Выбрать фильтр" chooses the active page's filter.
  void Show() { selected_ = false; }
  void SelectFilter() { selected_ = true; }
  bool IsFilterSelected() const override { return selected_; }
  void ClearFilterSelected() override { selected_ = false; }

  CCascadFilter2& Butterworth() override { return butterworth_; }
  CCascadFilter2& Chebyshev() override { return chebyshev_; }
  CBaseDigitalFilter& Weighing() override { return weighing_; }
  CBaseDigitalFilter& FrSampling() override { return fr_sampling_; }
  void DesignFilter(int kind) override;
  // The band type of the filter last designed: the design's own may have changed since, in a
  // showing that chose no filter.
  BandType DesignedBand() const { return designed_band_; }

 private:
  CBatterwortFilter butterworth_;
  CChebishevFilter chebyshev_;
  CWeighingFilter weighing_;
  CFrSamplingFilter fr_sampling_;
  int page_ = 0;
  bool selected_ = false;
  BandType designed_band_ = BandType::kLowPass;
};
