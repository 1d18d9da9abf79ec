#pragma once
// "Бигармонический сигнал": the two oscillations of the test signal with their fields, the
// decimation factor and the signal's composition; its menu requests the analysis of the signal,
// chooses a stationary or switched-on signal, and writes samples into the signal table. Show it
// with exec(); the analysis run reads the signal from the model.
//
// Two hooks reach windows this dialog does not own: the yes/no question before the signal table
// is overwritten, and the signal table itself with the way to show it (the table editors come
// to life after this dialog). Unset, the question is a message box, and without a table the
// table items do nothing.

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "dialogs/biharmonic_fields.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/table_model.h"

class NumericField;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QMenuBar;
class QRadioButton;

class TBGSForm : public QDialog {
  Q_OBJECT

 public:
  // Asks a yes/no question under a caption; true for "Да".
  using QuestionPort = std::function<bool(const std::string& caption, const std::string& question)>;

  // A view of the fields and their signal, which outlive it.
  explicit TBGSForm(BiharmonicFields& fields, QWidget* parent = nullptr);

  void SetQuestionPort(QuestionPort ask) { ask_ = std::move(ask); }
  // The table that "Сформировать таблицу" fills, and how to show it modally; once it is
  // closed, its processed flag tells whether this dialog closes too.
  void SetSignalTable(TableModel* table, std::function<void()> show) {
    signal_table_ = table;
    show_signal_table_ = std::move(show);
  }

  BiharmonicModel& Model() { return fields_.Model(); }
  double GetPeriod1() const { return model_.GetPeriod1(); }
  double GetPeriod2() const { return model_.GetPeriod2(); }
  bool IsSignalSelected() const { return model_.IsSignalSelected(); }
  void ClearSignalSelected() { model_.ClearSignalSelected(); }
  bool IsStationary() const { return model_.IsStationary(); }
  bool IsOscillationEnabled(int oscillation) const { return model_.IsOscillationEnabled(oscillation); }

  // Closing by any way commits an edit in progress first.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct OscillationControls {
    QGroupBox* group = nullptr;
    std::array<NumericField*, kSignalFieldCount> edits{};
    QRadioButton* degrees = nullptr;
    QRadioButton* radians = nullptr;
    QCheckBox* check = nullptr;
  };

  void BuildMenu(QMenuBar* menu);
  QGroupBox* BuildOscillation(int k);
  NumericField* AddField(int k, SignalField field, const QString& name, const QString& hint);
  QWidget* BuildBottomRow();

  void N4Click();
  void FormTable(int samples);
  void CheckBoxClick(int k);
  void ComboBox1Change(int index);
  void PhaseUnitClick(int k);
  // The leave handler of every field.
  void EditExit(SignalFieldId id);

  // "Колебание 1" takes the focus, committing an edit in progress; false if that entry could
  // not be read.
  bool CommitEditInProgress();
  void ShowRewrittenFields();
  void ShowDecimationList();
  void ApplyComposition(int k);
  // The fields, the composition, the phase units and the kind of signal as the model holds them:
  // a project opened since the last showing may have changed them.
  void ShowSignal();

  BiharmonicModel& model_;
  BiharmonicFields& fields_;
  QAction* stationary_ = nullptr;
  QAction* switched_on_ = nullptr;
  TableModel* signal_table_ = nullptr;
  QuestionPort ask_;
  std::function<void()> show_signal_table_;
  std::array<OscillationControls, 2> oscillations_;
  QComboBox* ComboBox1 = nullptr;
  bool first_show_ = true;
  bool entry_invalid_ = false;
};
