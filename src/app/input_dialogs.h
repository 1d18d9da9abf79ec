#pragma once
// The filter library, biharmonic-signal and measurement dialogs as the rest of the application
// reaches them: created at start-up in their places of the creation order, shown modally by the
// main window's commands.

class AnalysisRun;
class BiharmonicModel;
class FilterLibraryModel;
class TLibForm;
class TBGSForm;
class TMeasureForm;
class QWidget;

extern TLibForm* LibForm;
extern TBGSForm* BGSForm;
extern TMeasureForm* MeasureForm;

TLibForm* CreateLibForm(FilterLibraryModel& library, QWidget* parent);
TBGSForm* CreateBGSForm(BiharmonicModel& biharmonic, QWidget* parent);
// Measures the amplitude response of the run.
TMeasureForm* CreateMeasureForm(AnalysisRun& run, QWidget* parent);
// "Сформировать таблицу" writes into the signal table, which exists only from the first paint on.
void ConnectSignalTable();

void ShowLibForm(FilterLibraryModel& library);
void ShowBGSForm(BiharmonicModel& biharmonic);
void ShowMeasureForm();
