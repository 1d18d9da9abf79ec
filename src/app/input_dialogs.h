#pragma once
// The filter library, biharmonic-signal and measurement dialogs as the rest of the application
// reaches them: created at start-up in their places of the creation order, shown modally by the
// main window's commands.

#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_model.h"

class TLibForm;
class TBGSForm;
class TMeasureForm;
class QWidget;

extern TLibForm* LibForm;
extern TBGSForm* BGSForm;
extern TMeasureForm* MeasureForm;

TLibForm* CreateLibForm(QWidget* parent);
TBGSForm* CreateBGSForm(QWidget* parent);
// Needs the analysis window, whose amplitude response it measures.
TMeasureForm* CreateMeasureForm(QWidget* parent);
// "Сформировать таблицу" writes into the signal table, which exists only from the first paint on.
void ConnectSignalTable();

// What the analysis run and the main window read of them.
FilterLibraryModel& LibraryModel();
BiharmonicModel& BiharmonicSignal();

void ShowLibForm();
void ShowBGSForm();
void ShowMeasureForm();
