#include "app/input_dialogs.h"

#include "platform/ui/modal.h"

QDialog* LibForm = nullptr;
QDialog* BGSForm = nullptr;
QDialog* MeasureForm = nullptr;

PlaceholderDialog::PlaceholderDialog(const char* object_name, const char* caption, QWidget* parent)
    : QDialog(parent) {
  setObjectName(object_name);
  setWindowTitle(caption);
  resize(420, 260);
}

QDialog* CreateLibForm(QWidget* parent) {
  return LibForm = new PlaceholderDialog("LibForm", "Вельмар: Библиотека фильтров", parent);
}

QDialog* CreateBGSForm(QWidget* parent) {
  return BGSForm = new PlaceholderDialog("BGSForm", "Бигармонический сигнал", parent);
}

QDialog* CreateMeasureForm(QWidget* parent) {
  return MeasureForm = new PlaceholderDialog("MeasureForm", "Измерение параметров АЧХ", parent);
}

FilterLibraryModel& LibraryModel() {
  static FilterLibraryModel model;
  return model;
}

BiharmonicModel& BiharmonicSignal() {
  static BiharmonicModel model;
  return model;
}

void ShowLibForm() {
  LibraryModel().Show();
  RunModal(*LibForm);
}

void ShowBGSForm() {
  BiharmonicSignal().Show();
  RunModal(*BGSForm);
}

void ShowMeasureForm() { RunModal(*MeasureForm); }
