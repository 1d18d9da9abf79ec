#include "app/input_dialogs.h"

#include "app/analysis_window.h"
#include "app/yes_no_dialog.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "dialogs/ui/table_editor.h"
#include "platform/ui/modal.h"

TLibForm* LibForm = nullptr;
TBGSForm* BGSForm = nullptr;
TMeasureForm* MeasureForm = nullptr;

FilterLibraryModel& LibraryModel() {
  static FilterLibraryModel model;
  return model;
}

BiharmonicModel& BiharmonicSignal() {
  static BiharmonicModel model;
  return model;
}

TLibForm* CreateLibForm(QWidget* parent) { return LibForm = new TLibForm(LibraryModel(), parent); }

TBGSForm* CreateBGSForm(QWidget* parent) {
  BGSForm = new TBGSForm(BiharmonicSignal(), parent);
  BGSForm->SetQuestionPort(YesNoDialog);
  return BGSForm;
}

TMeasureForm* CreateMeasureForm(QWidget* parent) { return MeasureForm = new TMeasureForm(CalcForm->Run(), parent); }

void ConnectSignalTable() {
  if (BGSForm != nullptr && TabSignal != nullptr)
    BGSForm->SetSignalTable(&TabSignal->Model(), [] { TabSignal->ShowModal(); });
}

// The models are shown explicitly too, so that a showing answered without a window (tests)
// still starts as a showing does.
void ShowLibForm() {
  LibraryModel().Show();
  RunModal(*LibForm);
}

void ShowBGSForm() {
  BiharmonicSignal().Show();
  RunModal(*BGSForm);
}

void ShowMeasureForm() { RunModal(*MeasureForm); }
