#pragma once
// The dialogs' models wired to one analysis run, the way the program wires its windows: the
// three tables, the arbitrary-filter request, the filter library and the biharmonic signal.

#include <memory>

#include "analysis/analysis.h"
#include "dialogs/arbitrary_filter_request.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/table_model.h"

struct ModelSet {
  TableModel a;       // TabAKoef: a(0), a(1), …
  TableModel b;       // TabBKoef: b(1), b(2), …
  TableModel signal;  // TabSignal
  ArbitraryFilterRequest input_form;
  FilterLibraryModel library;
  BiharmonicModel biharmonic;
  std::unique_ptr<AnalysisRun> run = std::make_unique<AnalysisRun>();

  ModelSet() {
    run->SetSources({.input_form = &input_form,
                     .library = &library,
                     .a_coefficients = &a,
                     .b_coefficients = &b,
                     .signal_table = &signal,
                     .biharmonic = &biharmonic});
    b.SetFirstIndex(1);
  }
  ModelSet(const ModelSet&) = delete;
  ModelSet& operator=(const ModelSet&) = delete;
};
