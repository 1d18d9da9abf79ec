#include "app/input_dialogs.h"

#include "app/yes_no_dialog.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "dialogs/ui/table_editor.h"
#include "platform/ui/modal.h"

TLibForm* CreateLibForm(FilterLibraryFields& library, QWidget* parent) { return new TLibForm(library, parent); }

TBGSForm* CreateBGSForm(BiharmonicFields& biharmonic, QWidget* parent) {
  auto* form = new TBGSForm(biharmonic, parent);
  form->SetQuestionPort(YesNoDialog);
  return form;
}

TMeasureForm* CreateMeasureForm(AnalysisRun& run, MeasurementDialogModel& model, const FilterLibraryModel& library,
                                QWidget* parent) {
  return new TMeasureForm(run, model, library, parent);
}

void ConnectSignalTable(TBGSForm& form, TTabEditorForm& signal_table) {
  form.SetSignalTable(&signal_table.Model(), [&signal_table] { signal_table.ShowModal(); });
}

// The models are shown explicitly too, so that a showing answered without a window (tests)
// still starts as a showing does.
void ShowLibForm(TLibForm& form, FilterLibraryModel& library) {
  library.Show();
  RunModal(form);
}

void ShowBGSForm(TBGSForm& form, BiharmonicModel& biharmonic) {
  biharmonic.Show();
  RunModal(form);
}

void ShowMeasureForm(TMeasureForm& form) { RunModal(form); }
