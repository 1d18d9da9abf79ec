#include "dialogs/ui/bgs_form.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/ui/dialog_frame.h"
#include "dialogs/ui/formula.h"
#include "dialogs/ui/numeric_field.h"

namespace {

bool AskWithMessageBox(QWidget* parent, const std::string& caption, const std::string& question) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(question),
                  QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton("Да", QMessageBox::YesRole);
  box.setDefaultButton(box.addButton("Нет", QMessageBox::NoRole));
  box.exec();
  return box.clickedButton() == yes;
}

QString Index(int k) { return QString::number(k); }

// The field's symbol, its control name and its hint.
struct FieldLook {
  Formula symbol;
  QString name;
  QString hint;
};

FieldLook LookOf(int k, SignalField field) {
  const bool first = k == 1;
  switch (field) {
    case SignalField::kOmega:
      return {Formula().Var("ω").Sub(Index(k), false).Var("T"), first ? "Edit1" : "Edit6",
              "Круговая нормированная частота"};
    case SignalField::kFrequency:
      return {Formula().Var("f").Sub(Index(k), false).Var("T"), first ? "Edit2" : "Edit7",
              "Циклическая нормированная частота"};
    case SignalField::kPeriod:
      return {Formula().Var("T").Sub(Index(k), false).Plain("/").Var("T"), first ? "Edit3" : "Edit8",
              "Нормированный период повторения"};
    case SignalField::kAmplitude:
      return {Formula().Var("A").Sub(Index(k), false), first ? "Edit5" : "Edit9", "Амплитуда"};
    case SignalField::kPhase:
      return {Formula().Var("φ").Sub(Index(k), false), first ? "Edit4" : "Edit10", "Начальная фаза"};
  }
  return {};
}

}  // namespace

TBGSForm::TBGSForm(BiharmonicFields& fields, QWidget* parent)
    : QDialog(parent), model_(fields.Model()), fields_(fields) {
  setFont(DialogFont());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(6);
  auto* menu = new QMenuBar;
  layout->setMenuBar(menu);
  auto* pair = new QHBoxLayout;
  pair->setSpacing(8);
  pair->addWidget(BuildOscillation(1));
  pair->addWidget(BuildOscillation(2));
  layout->addLayout(pair);
  layout->addWidget(BuildBottomRow());
  BuildMenu(menu);
  ShowRewrittenFields();
  for (const int k : {1, 2}) ApplyComposition(k);
  SetUpFixedDialog(*this, "Бигармонический сигнал");
}

void TBGSForm::BuildMenu(QMenuBar* menu) {
  QMenu* signal = menu->addMenu("Сигнал");
  signal->addAction("Анализ", this, &TBGSForm::N4Click)->setObjectName("N4");
  signal->addSeparator();
  QAction* stationary = stationary_ = signal->addAction("Стационарный", this, [this] { model_.SetStationary(true); });
  QAction* switched_on = switched_on_ =
      signal->addAction("Подключать при  n=0", this, [this] { model_.SetStationary(false); });
  stationary->setObjectName("N2");
  switched_on->setObjectName("N10");
  auto* kinds = new QActionGroup(this);
  for (QAction* item : {stationary, switched_on}) {
    item->setCheckable(true);
    kinds->addAction(item);
  }
  (model_.IsStationary() ? stationary : switched_on)->setChecked(true);
  signal->addSeparator();
  QMenu* table = signal->addMenu("Сформировать таблицу");
  for (int samples = 50; samples <= BiharmonicModel::kMaxTableSamples; samples += 50) {
    QAction* item =
        table->addAction(QString("%1 отсчётов").arg(samples), this, [this, samples] { FormTable(samples); });
    item->setObjectName(QString("N%1").arg(samples == 50 ? 501 : samples * 10 + 1));
  }
  signal->addSeparator();
  signal->addAction("Закрыть", this, &QDialog::reject)->setObjectName("N9");
}

QGroupBox* TBGSForm::BuildOscillation(int k) {
  OscillationControls& osc = oscillations_[static_cast<std::size_t>(k - 1)];
  osc.group = new QGroupBox(QString("Колебание %1").arg(k));
  auto* column = new QVBoxLayout(osc.group);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(4);
  const auto sub_group = [&](const QString& title, std::initializer_list<SignalField> fields) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = GridGroup(title, grid);
    int row = 0;
    for (const SignalField field : fields) {
      const FieldLook look = LookOf(k, field);
      grid->addWidget(new FormulaLabel(look.symbol, look.hint), row, 0, Qt::AlignRight | Qt::AlignVCenter);
      grid->addWidget(AddField(k, field, look.name, look.hint), row, 1);
      ++row;
    }
    grid->setColumnStretch(0, 1);
    column->addWidget(group);
    return grid;
  };
  sub_group("Частота", {SignalField::kOmega, SignalField::kFrequency});
  sub_group("Период", {SignalField::kPeriod});
  sub_group("Амплитуда (В)", {SignalField::kAmplitude});
  QGridLayout* phase = sub_group("Начальная фаза", {SignalField::kPhase});
  osc.degrees = new QRadioButton("градус");
  osc.radians = new QRadioButton("радиан");
  osc.degrees->setObjectName(k == 1 ? "RadioButton1" : "RadioButton3");
  osc.radians->setObjectName(k == 1 ? "RadioButton2" : "RadioButton4");
  (model_.GetOscillation(k).IsPhaseInDegrees() ? osc.degrees : osc.radians)->setChecked(true);
  auto* units = new QHBoxLayout;
  units->addWidget(osc.degrees);
  units->addWidget(osc.radians);
  phase->addLayout(units, 1, 0, 1, 2, Qt::AlignRight);
  for (QRadioButton* unit : {osc.degrees, osc.radians}) {
    connect(unit, &QRadioButton::clicked, this, [this, k] { PhaseUnitClick(k); });
  }
  return osc.group;
}

NumericField* TBGSForm::AddField(int k, SignalField field, const QString& name, const QString& hint) {
  auto* edit = new NumericField;
  edit->setObjectName(name);
  edit->setToolTip(hint);
  edit->SetKeys(BiharmonicFields::KeysOf(field));
  edit->SetMaxChars(BiharmonicFields::kMaxChars);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString::fromUtf8(Oscillation::kInfinityText)) + 14);
  connect(edit, &NumericField::Left, this, [this, k, field] { EditExit({k, field}); });
  oscillations_[static_cast<std::size_t>(k - 1)].edits[static_cast<std::size_t>(field)] = edit;
  return edit;
}

QWidget* TBGSForm::BuildBottomRow() {
  QGridLayout* grid = nullptr;
  QGroupBox* decimation = GridGroup("Коэффициент прореживания", grid);
  ComboBox1 = new QComboBox;
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setMaxVisibleItems(12);
  ShowDecimationList();
  connect(ComboBox1, &QComboBox::activated, this, &TBGSForm::ComboBox1Change);
  grid->addWidget(ComboBox1, 0, 0);
  QGroupBox* composition = GridGroup("Состав сигнала", grid);
  for (const int k : {1, 2}) {
    auto* check = new QCheckBox(QString("Колебание %1").arg(k));
    check->setObjectName(QString("CheckBox%1").arg(k));
    check->setChecked(model_.IsOscillationEnabled(k));
    connect(check, &QCheckBox::clicked, this, [this, k] { CheckBoxClick(k); });
    grid->addWidget(check, 0, k - 1);
    oscillations_[static_cast<std::size_t>(k - 1)].check = check;
  }
  return RowOf({decimation, composition});
}

void TBGSForm::showEvent(QShowEvent* event) {
  model_.Show();
  if (first_show_) {
    first_show_ = false;
    ShowDecimationList();
  }
  ShowSignal();
  QDialog::showEvent(event);
}

void TBGSForm::ShowSignal() {
  ShowRewrittenFields();
  for (const int k : {1, 2}) {
    OscillationControls& osc = oscillations_[static_cast<std::size_t>(k - 1)];
    osc.check->setChecked(model_.IsOscillationEnabled(k));
    ApplyComposition(k);
    (model_.GetOscillation(k).IsPhaseInDegrees() ? osc.degrees : osc.radians)->setChecked(true);
  }
  (model_.IsStationary() ? stationary_ : switched_on_)->setChecked(true);
  ShowDecimationList();
}

void TBGSForm::done(int result) {
  CommitEditInProgress();
  // An unreadable entry does not outlive the showing: the next one shows the values in effect.
  fields_.RestoreRefused();
  ShowRewrittenFields();
  QDialog::done(result);
}

void TBGSForm::N4Click() {
  if (!CommitEditInProgress()) return;
  model_.RequestAnalysis();
  accept();
}

void TBGSForm::FormTable(int samples) {
  if (signal_table_ == nullptr || !CommitEditInProgress()) return;
  const bool go_on = ask_ ? ask_(kFormTableCaption, kFormTableQuestion)
                          : AskWithMessageBox(this, kFormTableCaption, kFormTableQuestion);
  if (!go_on) return;
  const std::vector<double> values = model_.TableValues(samples);
  signal_table_->SetValues(values.data(), static_cast<int>(values.size()));
  if (show_signal_table_) show_signal_table_();
  if (signal_table_->IsProcessed()) accept();
}

void TBGSForm::CheckBoxClick(int k) {
  model_.SetOscillationEnabled(k, oscillations_[static_cast<std::size_t>(k - 1)].check->isChecked());
  ApplyComposition(k);
  ShowDecimationList();
}

void TBGSForm::ComboBox1Change(int index) { model_.SelectDecimation(index); }

void TBGSForm::PhaseUnitClick(int k) {
  fields_.SetPhaseInDegrees(k, oscillations_[static_cast<std::size_t>(k - 1)].degrees->isChecked());
  ShowRewrittenFields();
}

void TBGSForm::EditExit(SignalFieldId id) {
  NumericField* edit =
      oscillations_[static_cast<std::size_t>(id.oscillation - 1)].edits[static_cast<std::size_t>(id.field)];
  const CommitResult result = fields_.Commit(id, edit->Text());
  entry_invalid_ = result == CommitResult::kInvalid;
  if (entry_invalid_) edit->ReportInvalid();
  ShowRewrittenFields();
  ShowDecimationList();
}

bool TBGSForm::CommitEditInProgress() {
  entry_invalid_ = false;
  oscillations_[0].check->setFocus(Qt::OtherFocusReason);
  return !entry_invalid_;
}

void TBGSForm::ShowRewrittenFields() {
  for (const SignalFieldId id : fields_.TakeRewritten()) {
    oscillations_[static_cast<std::size_t>(id.oscillation - 1)].edits[static_cast<std::size_t>(id.field)]->ShowText(
        fields_.Text(id));
  }
}

void TBGSForm::ShowDecimationList() {
  const std::vector<std::string>& items = model_.DecimationList();
  bool same = ComboBox1->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < ComboBox1->count(); ++i)
    same = ComboBox1->itemText(i).toStdString() == items[static_cast<std::size_t>(i)];
  if (!same) {
    ComboBox1->clear();
    for (const std::string& item : items) ComboBox1->addItem(QString::fromStdString(item));
  }
  ComboBox1->setCurrentIndex(model_.Decimation() - 1);
}

void TBGSForm::ApplyComposition(int k) {
  OscillationControls& osc = oscillations_[static_cast<std::size_t>(k - 1)];
  const bool enabled = model_.IsOscillationEnabled(k);
  osc.group->setEnabled(enabled);
  for (NumericField* edit : osc.edits) edit->SetEnabledLook(enabled);
}
