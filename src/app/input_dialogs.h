#pragma once
// The filter library, biharmonic-signal and measurement dialogs as the main window makes and
// shows them: created at start-up in their places of the creation order, shown modally by the
// main window's commands.

class AnalysisRun;
class BiharmonicFields;
class BiharmonicModel;
class FilterLibraryFields;
class FilterLibraryModel;
class MeasurementDialogModel;
class TBGSForm;
class TLibForm;
class TMeasureForm;
class TTabEditorForm;
class QWidget;

TLibForm* CreateLibForm(FilterLibraryFields& library, QWidget* parent);
TBGSForm* CreateBGSForm(BiharmonicFields& biharmonic, QWidget* parent);
// Measures the amplitude response of the run at the levels of model; the library tells the band
// type of a designed filter.
TMeasureForm* CreateMeasureForm(AnalysisRun& run, MeasurementDialogModel& model, const FilterLibraryModel& library,
                                QWidget* parent);
// "Сформировать таблицу" writes into the signal table, which exists only from the first paint on.
void ConnectSignalTable(TBGSForm& form, TTabEditorForm& signal_table);

void ShowLibForm(TLibForm& form, FilterLibraryModel& library);
void ShowBGSForm(TBGSForm& form, BiharmonicModel& biharmonic);
void ShowMeasureForm(TMeasureForm& form);
