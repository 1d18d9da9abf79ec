#pragma once
// The work of one sitting, without a screen: the three tables, the arbitrary-filter request, the
// filter library and its dialog's fields, the biharmonic signal, the measurement's levels, the
// transform and the analysis run that reads them, and what the last run gave the diagrams and the
// coefficients window. The window, velmar-cli and the
// tests each work on one; the windows are views of it.

#include <memory>

#include "analysis/analysis.h"
#include "analysis/fft.h"
#include "dialogs/arbitrary_filter_request.h"
#include "dialogs/biharmonic_fields.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_fields.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/measurement_dialog_model.h"
#include "dialogs/table_model.h"
#include "results/filter_coefficients.h"
#include "results/result_plan.h"

struct Session {
  TableModel a;       // TabAKoef: a(0), a(1), …
  TableModel b;       // TabBKoef: b(1), b(2), …
  TableModel signal;  // TabSignal
  ArbitraryFilterRequest input_form;
  FilterLibraryModel library;
  // The library dialog's fields with their level display and entry mode, which a project keeps.
  FilterLibraryFields library_fields{library};
  BiharmonicModel biharmonic;
  BiharmonicFields biharmonic_fields{biharmonic};  // the signal dialog's fields
  // The levels chosen in the measurement dialog.
  MeasurementDialogModel measurement;
  // The table spectra's transform; the "БПФ" window, where there is one, shows its progress.
  FastFourierTransform fft;
  std::unique_ptr<AnalysisRun> run = std::make_unique<AnalysisRun>();
  // Which series each diagram shows after the last run.
  ResultPlan plan;
  // The filter of the last analysis, as the coefficients window shows it.
  FilterCoefficients coefficients;

  Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};
