#pragma once
// "Измерение параметров АЧХ": measures the pass-band edge, the stop-band edge and the transition
// width of the amplitude response the analysis run last computed, at levels picked from lists in
// ratios (normalised response) or decibels (response in dB). Show it with exec().

#include <QDialog>
#include <array>

#include "dialogs/measurement_dialog_model.h"
#include "dialogs/ui/dialog_frame.h"

class AnalysisRun;
class QComboBox;
class QLineEdit;
class QPushButton;

class TMeasureForm : public QDialog {
  Q_OBJECT

 public:
  // A view of model, the levels the user chose, which outlives it.
  TMeasureForm(const AnalysisRun& run, MeasurementDialogModel& model, QWidget* parent = nullptr);

  const MeasurementDialogModel& Model() const { return model_; }
  // Gives the buttons their pictures when first shown.
  void setVisible(bool visible) override;

 protected:
  // Shows the lists of the run's amplitude-response mode and empties the results.
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildLevels();
  QWidget* BuildResults();
  QWidget* BuildButtons();
  // A list of pass-band or stop-band levels that empties the results when the user picks one.
  QComboBox* AddLevelList(const char* name, bool pass_band, LevelScale scale);

  void BitBtn1Click();
  void ComboBoxH0dBChange();
  // The lists and result fields as the model has them.
  void ShowModel();

  const AnalysisRun& run_;
  MeasurementDialogModel& model_;
  QComboBox* ComboBoxH0 = nullptr;
  QComboBox* ComboBoxH0dB = nullptr;
  QComboBox* ComboBoxHp = nullptr;
  QComboBox* ComboBoxHpdB = nullptr;
  QPushButton* BitBtn1 = nullptr;
  std::array<QLineEdit*, kMeasurementFieldCount> results_{};
  StyleIcons style_icons_;
};
