#include "app/input_dialogs.h"

#include "app/yes_no_dialog.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "dialogs/ui/table_editor.h"
#include "platform/ui/modal.h"

TLibForm* LibForm = nullptr;
TBGSForm* BGSForm = nullptr;
TMeasureForm* MeasureForm = nullptr;

TLibForm* CreateLibForm(FilterLibraryModel& library, QWidget* parent) {
  return LibForm = new TLibForm(library, parent);
}

TBGSForm* CreateBGSForm(BiharmonicModel& biharmonic, QWidget* parent) {
  BGSForm = new TBGSForm(biharmonic, parent);
  BGSForm->SetQuestionPort(YesNoDialog);
  return BGSForm;
}

TMeasureForm* CreateMeasureForm(AnalysisRun& run, QWidget* parent) {
  return MeasureForm = new TMeasureForm(run, parent);
}

void ConnectSignalTable() {
  if (BGSForm != nullptr && TabSignal != nullptr)
    BGSForm->SetSignalTable(&TabSignal->Model(), [] { TabSignal->ShowModal(); });
}

// The models are shown explicitly too, so that a showing answered without a window (tests)
// still starts as a showing does.
void ShowLibForm(FilterLibraryModel& library) {
  library.Show();
  RunModal(*LibForm);
}

void ShowBGSForm(BiharmonicModel& biharmonic) {
  biharmonic.Show();
  RunModal(*BGSForm);
}

void ShowMeasureForm() { RunModal(*MeasureForm); }
