#include "dialogs/ui/measure_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/analysed_response.h"
#include "analysis/analysis.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/ui/dialog_frame.h"
#include "dialogs/ui/formula.h"

namespace {

const QString kPassListHint = "Уровень полосы пропускания можно выбрать из списка";
const QString kStopListHint = "Уровень полосы подавления можно выбрать из списка";

struct ResultLook {
  MeasurementField field;
  const char* name;
  Formula symbol;
  QString hint;
};

Formula Edge(const QString& letter, const QString& index) { return Formula().Var(letter).Sub(index, false).Var("T"); }
Formula Width(const QString& letter) { return Formula().Plain("Δ").Var(letter).Var("T"); }

// The widest text of a result: a value with its uncertainty.
const QString kWidestResult = "-000,0000±000,00%";

}  // namespace

TMeasureForm::TMeasureForm(const AnalysisRun& run, MeasurementDialogModel& model, const FilterLibraryModel& library,
                           QWidget* parent)
    : QDialog(parent), run_(run), model_(model), library_(library) {
  setFont(DialogFont());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(8);
  layout->addWidget(BuildLevels());
  layout->addWidget(BuildResults());
  layout->addWidget(BuildButtons());
  ShowModel();
  SetUpFixedDialog(*this, "Измерение параметров АЧХ");
}

QWidget* TMeasureForm::BuildLevels() {
  ComboBoxH0 = AddLevelList("ComboBoxH0", true, LevelScale::kLinear);
  ComboBoxH0dB = AddLevelList("ComboBoxH0dB", true, LevelScale::kDecibel);
  ComboBoxHp = AddLevelList("ComboBoxHp", false, LevelScale::kLinear);
  ComboBoxHpdB = AddLevelList("ComboBoxHpdB", false, LevelScale::kDecibel);
  // Both lists of a band share one place: only the one of the present mode is shown.
  const auto band = [](const QString& title, QComboBox* linear, QComboBox* decibel) {
    QGridLayout* grid = nullptr;
    QGroupBox* group = GridGroup(title, grid);
    grid->addWidget(linear, 0, 0);
    grid->addWidget(decibel, 0, 0);
    return group;
  };
  return RowOf({band("Уровень полосы пропускания", ComboBoxH0, ComboBoxH0dB),
                band("Уровень полосы подавления", ComboBoxHp, ComboBoxHpdB)});
}

QComboBox* TMeasureForm::AddLevelList(const char* name, bool pass_band, LevelScale scale) {
  const LevelList& levels = pass_band ? PassBandLevels(scale) : StopBandLevels(scale);
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->setToolTip(pass_band ? kPassListHint : kStopListHint);
  list->setMaxVisibleItems(16);
  for (const std::string& item : levels.items) list->addItem(QString::fromStdString(item));
  QFont bold = list->font();
  bold.setBold(true);
  list->setItemData(levels.default_index, bold, Qt::FontRole);
  connect(list, &QComboBox::activated, this, [this, pass_band, scale](int index) {
    if (pass_band) model_.SelectPass(scale, index);
    else model_.SelectStop(scale, index);
    ComboBoxH0dBChange();
  });
  return list;
}

QWidget* TMeasureForm::BuildResults() {
  const std::array<ResultLook, kMeasurementFieldCount> looks{{
      {MeasurementField::kWvT, "EditwvT", Edge("ω", "в"),
       "Нормированная круговая частота верхней границы полосы пропускания"},
      {MeasurementField::kFvT, "EditfvT", Edge("f", "в"),
       "Нормированная циклическая частота верхней границы полосы пропускания"},
      {MeasurementField::kWpT, "EditwpT", Edge("ω", "п"),
       "Нормированная круговая частота нижней границы полосы подавления"},
      {MeasurementField::kFpT, "EditfpT", Edge("f", "п"),
       "Нормированная циклическая частота нижней границы полосы подавления"},
      {MeasurementField::kDwT, "EditdwT", Width("ω"),
       "Ширина переходной полосы в единицах нормированной круговой частоты"},
      {MeasurementField::kDfT, "EditdfT", Width("f"),
       "Ширина переходной полосы в единицах циклической нормированной частоты"},
      {MeasurementField::kDw, "Editdw", Formula().Plain("Δ").Var("ω").Plain("/").Var("ω").Sub("в", false).Plain(", %"),
       "Относительная ширина переходной полосы"},
  }};
  auto* group = new QGroupBox("Параметры АЧХ");
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(8, 6, 8, 8);
  low_pass_results_ = new QWidget;
  auto* row = new QHBoxLayout(low_pass_results_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(8);
  const auto sub_group = [&](const QString& title, int first, int last) {
    QGridLayout* grid = nullptr;
    QGroupBox* sub = GridGroup(title, grid);
    for (int i = first; i <= last; ++i) {
      const ResultLook& look = looks[static_cast<std::size_t>(i)];
      auto* edit = new QLineEdit;
      edit->setObjectName(look.name);
      edit->setToolTip(look.hint);
      edit->setReadOnly(true);
      edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(kWidestResult) + 10);
      grid->addWidget(new FormulaLabel(look.symbol, look.hint), i - first, 0, Qt::AlignRight | Qt::AlignVCenter);
      grid->addWidget(edit, i - first, 1);
      results_[static_cast<std::size_t>(look.field)] = edit;
    }
    grid->setRowStretch(3, 1);
    row->addWidget(sub, 0, Qt::AlignTop);
  };
  sub_group("Граница полосы пропускания", 0, 1);
  sub_group("Граница полосы подавления", 2, 3);
  sub_group("Переходная полоса", 4, 6);
  column->addWidget(low_pass_results_);
  column->addWidget(BuildBandTable());
  return group;
}

QTableWidget* TMeasureForm::BuildBandTable() {
  GridBands = new QTableWidget(0, 4);
  GridBands->setObjectName("GridBands");
  GridBands->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GridBands->setSelectionMode(QAbstractItemView::NoSelection);
  GridBands->setFocusPolicy(Qt::NoFocus);
  GridBands->verticalHeader()->hide();
  GridBands->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  GridBands->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  GridBands->setHorizontalHeaderLabels({"Граница или полоса", "ωT", "fT", "Отн. ширина, %"});
  GridBands->horizontalHeaderItem(3)->setToolTip("Ширина переходной полосы относительно границы полосы пропускания");
  QHeaderView* header = GridBands->horizontalHeader();
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignCenter);
  const QFontMetrics metrics = GridBands->fontMetrics();
  GridBands->setColumnWidth(0, metrics.horizontalAdvance("Нижняя граница полосы пропускания") + 16);
  for (int c = 1; c <= 3; ++c) GridBands->setColumnWidth(c, metrics.horizontalAdvance(kWidestResult) + 16);
  GridBands->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
  return GridBands;
}

QWidget* TMeasureForm::BuildButtons() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  BitBtn1 = new QPushButton("Измерить параметры АЧХ");
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setToolTip(
      "Нажмите, чтобы начать измерение параметров АЧХ после ввода уровней полосы пропускания и подавления");
  BitBtn1->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &TMeasureForm::BitBtn1Click);
  auto* close = new QPushButton("Закрыть");
  close->setObjectName("BitBtn2");
  close->setToolTip("Закончить измерения");
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  style_icons_.Add(BitBtn1, QStyle::SP_DialogApplyButton);
  style_icons_.Add(close, QStyle::SP_DialogCloseButton);
  layout->addStretch(1);
  layout->addWidget(BitBtn1);
  layout->addWidget(close);
  return row;
}

void TMeasureForm::setVisible(bool visible) {
  if (visible) style_icons_.Set();
  QDialog::setVisible(visible);
}

void TMeasureForm::showEvent(QShowEvent* event) {
  model_.Show(run_.GetAfcMode(), AnalysedBand(run_, library_));
  ShowModel();
  QDialog::showEvent(event);
}

void TMeasureForm::BitBtn1Click() {
  const std::optional<ContinuousResponse> between = AnalysedResponse(run_);
  model_.Measure(run_.AmplitudeResponse(), run_.FrequencyPoints(), between ? &*between : nullptr);
  ShowModel();
}

void TMeasureForm::ComboBoxH0dBChange() { ShowModel(); }

void TMeasureForm::ShowModel() {
  const std::optional<LevelScale> scale = model_.Scale();
  const bool linear = scale == LevelScale::kLinear;
  const bool decibel = scale == LevelScale::kDecibel;
  ComboBoxH0->setVisible(linear);
  ComboBoxHp->setVisible(linear);
  ComboBoxH0dB->setVisible(decibel);
  ComboBoxHpdB->setVisible(decibel);
  BitBtn1->setEnabled(scale.has_value());
  for (const LevelScale s : {LevelScale::kLinear, LevelScale::kDecibel}) {
    (s == LevelScale::kLinear ? ComboBoxH0 : ComboBoxH0dB)->setCurrentIndex(model_.PassIndex(s));
    (s == LevelScale::kLinear ? ComboBoxHp : ComboBoxHpdB)->setCurrentIndex(model_.StopIndex(s));
  }
  for (int i = 0; i < kMeasurementFieldCount; ++i) {
    results_[static_cast<std::size_t>(i)]->setText(
        QString::fromStdString(model_.Result(static_cast<MeasurementField>(i))));
  }
  const bool low_pass = model_.Band() == BandType::kLowPass;
  low_pass_results_->setVisible(low_pass);
  GridBands->setVisible(!low_pass);
  if (!low_pass) ShowBandReport();
}

void TMeasureForm::ShowBandReport() {
  const std::vector<BandReportRow> rows = model_.BandReport();
  GridBands->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < GridBands->rowCount(); ++r) {
    const BandReportRow& row = rows[static_cast<std::size_t>(r)];
    // A transition band lies between the edges that bound it: centred and shaded.
    const bool transition = !row.hints[2].empty();
    const QBrush shade = transition ? palette().alternateBase() : palette().base();
    auto* title = new QTableWidgetItem(QString::fromStdString(row.title));
    title->setTextAlignment(Qt::AlignVCenter | (transition ? Qt::AlignHCenter : Qt::AlignLeft));
    title->setBackground(shade);
    GridBands->setItem(r, 0, title);
    for (int c = 1; c <= 3; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(row.texts[static_cast<std::size_t>(c - 1)]));
      item->setToolTip(QString::fromStdString(row.hints[static_cast<std::size_t>(c - 1)]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      item->setBackground(shade);
      GridBands->setItem(r, c, item);
    }
  }
  // Every row in sight without scrolling, and no empty space below them.
  int width = 2 * GridBands->frameWidth();
  int height = 2 * GridBands->frameWidth() + GridBands->horizontalHeader()->sizeHint().height();
  for (int c = 0; c < GridBands->columnCount(); ++c) width += GridBands->columnWidth(c);
  for (int r = 0; r < GridBands->rowCount(); ++r) height += GridBands->rowHeight(r);
  GridBands->setFixedSize(width, height);
}
