#pragma once
// The filter library, biharmonic-signal and measurement dialogs as the rest of the application
// reaches them. Until their own windows exist, an empty dialog stands in for each, and their
// models keep the defaults; plugging the windows in changes only this file and its .cpp.

#include <QDialog>

#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_model.h"

// An empty modal window in place of a dialog that is still to come.
class PlaceholderDialog : public QDialog {
  Q_OBJECT

 public:
  PlaceholderDialog(const char* object_name, const char* caption, QWidget* parent = nullptr);
};

extern QDialog* LibForm;
extern QDialog* BGSForm;
extern QDialog* MeasureForm;

// Created at start-up in their places of the creation order.
QDialog* CreateLibForm(QWidget* parent);
QDialog* CreateBGSForm(QWidget* parent);
QDialog* CreateMeasureForm(QWidget* parent);

// What the analysis run and the main window read of them.
FilterLibraryModel& LibraryModel();
BiharmonicModel& BiharmonicSignal();

// Shown modally by the main window's commands.
void ShowLibForm();
void ShowBGSForm();
void ShowMeasureForm();
