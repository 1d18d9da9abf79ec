#include "dialogs/ui/lib_form.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/ui/dialog_frame.h"
#include "dialogs/ui/example_pictures.h"
#include "dialogs/ui/formula.h"
#include "dialogs/ui/numeric_field.h"

using enum LibraryField;

namespace {

const QString kPassEdgeHint = "Нормированная верхняя граница полосы пропускания";
const QString kPassLevelHint = "Уровень верхней границы полосы пропускания";
const QString kStopLevelHint = "Уровень границы полосы подавления";
const QString kWidthHint = "Относительная ширина переходной полосы";
const QString kRequestedWidthHint = "Расчётная относительная ширина переходной полосы";
const QString kAchievedWidthHint = "Фактическая относительная ширина переходной полосы";
const QString kCutoffHint = "Расчётная нормированная частота среза";
const QString kPassEdge2Hint = "Нормированная вторая граница полосы пропускания (полосовой и режекторный фильтры)";

// What the two pass-band edges are for each band type.
std::pair<QString, QString> PassEdgeHints(BandType band) {
  switch (band) {
    case BandType::kLowPass: break;
    case BandType::kHighPass: return {"Нормированная нижняя граница полосы пропускания", kPassEdge2Hint};
    case BandType::kBandPass:
      return {"Нормированная нижняя граница полосы пропускания", "Нормированная верхняя граница полосы пропускания"};
    case BandType::kBandStop:
      return {"Нормированная верхняя граница нижней полосы пропускания",
              "Нормированная нижняя граница верхней полосы пропускания"};
  }
  return {kPassEdgeHint, kPassEdge2Hint};
}
const QString kCutoff2Hint = "Вторая расчётная нормированная частота среза (полосовой и режекторный фильтры)";

Formula Angular(const QString& index) { return Formula().Var("ω").Sub(index).Var("T"); }
Formula Cyclic(const QString& index) { return Formula().Var("f").Sub(index).Var("T"); }
Formula Level(const QString& index) { return Formula().Var("L").Sub(index); }
Formula LevelDecibel(const QString& index) { return Formula().Var("L").Sub(index).Plain(", дБ"); }
Formula RequestedWidth() { return Formula().Var("δ").Plain(", %"); }
Formula AchievedWidth() { return Formula().Var("δ").Sub("ф", false).Plain(", %"); }
Formula Order() { return Formula().Var("N"); }

// The order of a recursive design is its low-pass prototype's: band-pass and band-stop double it.
QString OrderHint(bool chebyshev, BandType band) {
  const QString hint = chebyshev ? "Порядок фильтра (не более 60)" : "Порядок фильтра (не более 200)";
  if (HasTwoCutoffs(band)) return hint + "; порядок полосового и режекторного фильтров вдвое больше";
  return hint;
}

// The band types in the order of BandType, with their hints.
const std::pair<const char*, const char*> kBands[] = {{"ФНЧ", "Фильтр нижних частот"},
                                                      {"ФВЧ", "Фильтр верхних частот"},
                                                      {"Полосовой", "Полосовой фильтр"},
                                                      {"Режекторный", "Режекторный фильтр"}};

// The windows of the windowed page in the order of FirWindow, with their radio buttons' names.
const std::pair<const char*, const char*> kWindows[] = {{"Прямоугольное окно", "RadioButton1"},
                                                        {"Окно Хэмминга", "RadioButton2"},
                                                        {"Окно Ханна", "RadioButton5"},
                                                        {"Окно Блэкмана", "RadioButton6"},
                                                        {"Окно Кайзера", "RadioButton7"}};

QWidget* PageWith(std::initializer_list<QWidget*> groups, QWidget* picture) {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(8, 8, 8, 8);
  row->setSpacing(10);
  auto* column = new QVBoxLayout;
  column->setSpacing(6);
  for (QWidget* group : groups) column->addWidget(group);
  column->addStretch(1);
  row->addLayout(column);
  row->addWidget(picture);
  return page;
}

}  // namespace

TLibForm::TLibForm(FilterLibraryFields& fields, QWidget* parent) : QDialog(parent), fields_(fields) {
  setFont(DialogFont());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 6);
  layout->setSpacing(0);
  auto* menu = new QMenuBar;
  layout->setMenuBar(menu);
  layout->addWidget(BuildToolBar());

  PageControl1 = new QTabWidget;
  PageControl1->setObjectName("PageControl1");
  PageControl1->addTab(BuildLowPassPage(false), "Фильтр Баттерворта");
  PageControl1->addTab(BuildLowPassPage(true), "Фильтр Чебышева");
  PageControl1->addTab(BuildFirPage(true), "Фильтр со взвешиванием");
  PageControl1->addTab(BuildFirPage(false), "Фильтр частотной выборки");
  auto* pages = new QVBoxLayout;
  pages->setContentsMargins(6, 4, 6, 0);
  pages->addWidget(PageControl1);
  layout->addLayout(pages);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) { fields_.Library().SetPage(page); });
  BuildMenu(menu);

  ShowDesigns();
  SetUpFixedDialog(*this, "Вельмар: Библиотека фильтров");
}

void TLibForm::BuildMenu(QMenuBar* menu) {
  QMenu* filter = menu->addMenu("Фильтр");
  filter->addAction("Выбрать", this, &TLibForm::SpeedButton1Click)->setObjectName("N2");
  filter->addSeparator();
  const char* const pages[] = {"Фильтр Баттерворта", "Фильтр Чебышева", "Фильтр со взвешиванием",
                               "Фильтр частотной выборки"};
  for (int page = 0; page < 4; ++page) {
    QAction* item = filter->addAction(pages[page], this, [this, page] { PageControl1->setCurrentIndex(page); });
    item->setObjectName(QString("N%1").arg(page + 4));
  }
  filter->addSeparator();
  filter->addAction("Закрыть", this, &TLibForm::SpeedButton3Click)->setObjectName("N8");

  QMenu* entry = menu->addMenu("Параметры ввода");
  N11 = entry->addAction("Измерять уровни в [дБ]", this, &TLibForm::N11Click);
  N11->setObjectName("N11");
  N11->setCheckable(true);
  entry->addSeparator();
  N13 = entry->addAction("Вводить порядок ЦФ Баттерворта и Чебышева", this, &TLibForm::N13Click);
  N13->setObjectName("N13");
  N14 = entry->addAction("Вводить ширину переходной полосы ЦФ Баттерворта и Чебышева", this, &TLibForm::N14Click);
  N14->setObjectName("N14");
  auto* modes = new QActionGroup(this);
  for (QAction* item : {N13, N14}) {
    item->setCheckable(true);
    modes->addAction(item);
  }
  N14->setChecked(true);
}

QToolBar* TLibForm::BuildToolBar() {
  auto* bar = new QToolBar;
  bar->setIconSize(QSize(20, 20));
  const auto button = [&](const char* name, const QString& hint) {
    auto* tool = new QToolButton;
    tool->setObjectName(name);
    tool->setToolTip(hint);
    tool->setAutoRaise(true);
    tool->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(tool);
    return tool;
  };
  QToolButton* choose = button("SpeedButton1", "Выбрать фильтр");
  connect(choose, &QToolButton::clicked, this, &TLibForm::SpeedButton1Click);
  SpeedButton2 = button("SpeedButton2", "Измерять уровни АЧХ в децибелах");
  SpeedButton2->setText("дБ");
  SpeedButton2->setCheckable(true);
  QFont bold = SpeedButton2->font();
  bold.setBold(true);
  SpeedButton2->setFont(bold);
  connect(SpeedButton2, &QToolButton::clicked, this, &TLibForm::N11Click);
  QToolButton* close = button("SpeedButton3", "Закрыть (не выбирать фильтр)");
  connect(close, &QToolButton::clicked, this, &TLibForm::SpeedButton3Click);
  style_icons_.Add(choose, QStyle::SP_DialogApplyButton);
  style_icons_.Add(close, QStyle::SP_DialogCloseButton);
  return bar;
}

QWidget* TLibForm::BuildLowPassPage(bool chebyshev) {
  const int page = chebyshev ? kChebyshevKind : kButterworthKind;
  QGroupBox* band = BuildBandGroup(page);
  QGridLayout* grid = nullptr;
  QGroupBox* pass = GridGroup("Полоса пропускания", grid);
  AddField(chebyshev ? Edit8 : Edit1, grid, {0, 0}, Angular("p"), kPassEdgeHint);
  AddField(chebyshev ? Edit9 : Edit2, grid, {0, 1}, Cyclic("p"), kPassEdgeHint);
  AddField(chebyshev ? Edit25 : Edit23, grid, {0, 2}, Angular("p2"), kPassEdge2Hint);
  AddField(chebyshev ? Edit26 : Edit24, grid, {0, 3}, Cyclic("p2"), kPassEdge2Hint);
  // Butterworth's level fits beside the edges; Chebyshev's goes under them, with the ripple.
  AddLevelField(chebyshev ? Edit10 : Edit3, grid, chebyshev ? Cell{1, 0} : Cell{0, 4}, Level("p"), LevelDecibel("p"),
                kPassLevelHint, kPassLevelHint);
  if (chebyshev) {
    AddField(Edit14, grid, {1, 1}, Formula().Var("r").Plain(", %"), "Относительная допустимая неравномерность АЧХ");
    AddLevelField(Edit15, grid, {1, 2}, Formula().Var("r"), Formula().Var("r").Plain(", дБ"),
                  "Допустимая неравномерность АЧХ", "Допустимая неравномернсть АЧХ");
  }
  QGroupBox* transition = GridGroup("Переходная полоса", grid);
  AddField(chebyshev ? Edit11 : Edit4, grid, {0, 0}, RequestedWidth(), kWidthHint, kRequestedWidthHint);
  AddField(chebyshev ? Edit13 : Edit5, grid, {0, 1}, AchievedWidth(), kAchievedWidthHint, kAchievedWidthHint);
  AddLevelField(chebyshev ? Edit12 : Edit6, grid, {0, 2}, Level("s"), LevelDecibel("s"), kStopLevelHint,
                kStopLevelHint);
  QGroupBox* order = GridGroup("Порядок фильтра", grid);
  AddField(chebyshev ? Edit17 : Edit7, grid, {0, 0}, Order(), OrderHint(chebyshev, BandType::kLowPass));
  const auto kind = chebyshev ? AmplitudeExample::Kind::kChebyshev : AmplitudeExample::Kind::kButterworth;
  auto* example = new AmplitudeExample(kind);
  amplitude_examples_[static_cast<std::size_t>(page)] = example;
  return PageWith({band, pass, transition, order}, example);
}

QWidget* TLibForm::BuildFirPage(bool weighing) {
  const int page = weighing ? kWeighingKind : kFrSamplingKind;
  QGroupBox* band = BuildBandGroup(page);
  QGridLayout* grid = nullptr;
  QGroupBox* cutoff = GridGroup("Расчётная частота среза", grid);
  AddField(weighing ? Edit19 : Edit16, grid, {0, 0}, Angular("c"), kCutoffHint);
  AddField(weighing ? Edit20 : Edit22, grid, {0, 1}, Cyclic("c"), kCutoffHint);
  AddField(weighing ? Edit27 : Edit29, grid, {0, 2}, Angular("c2"), kCutoff2Hint);
  AddField(weighing ? Edit28 : Edit30, grid, {0, 3}, Cyclic("c2"), kCutoff2Hint);
  QGroupBox* order = GridGroup("Порядок фильтра", grid);
  AddField(weighing ? Edit18 : Edit21, grid, {0, 0}, Order(), "Порядок фильтра (не более 500)");
  QGroupBox* window = BuildWindowGroup(weighing);

  const auto kind = weighing ? ImpulseExample::Kind::kWindowed : ImpulseExample::Kind::kFrequencySampling;
  auto* example = new ImpulseExample(kind);
  impulse_examples_[weighing ? 0 : 1] = example;
  return PageWith({band, cutoff, order, window}, example);
}

QGroupBox* TLibForm::BuildBandGroup(int page) {
  auto* group = new QGroupBox("Тип фильтра");
  auto* row = new QHBoxLayout(group);
  row->setSpacing(14);
  for (int index = 0; index < 4; ++index) {
    const auto band = static_cast<BandType>(index);
    auto* button = new QRadioButton(kBands[index].first);
    button->setObjectName(QString("Band%1_%2").arg(page).arg(index));
    button->setToolTip(kBands[index].second);
    connect(button, &QRadioButton::clicked, this, [this, page, band] { BandClick(page, band); });
    row->addWidget(button);
    band_buttons_[static_cast<std::size_t>(page)][static_cast<std::size_t>(index)] = button;
  }
  row->addStretch(1);
  return group;
}

QGroupBox* TLibForm::BuildWindowGroup(bool weighing) {
  auto* group = new QGroupBox("Взвешивание");
  auto* row = new QHBoxLayout(group);
  auto* choices = new QVBoxLayout;
  row->addLayout(choices);
  if (!weighing) {
    auto* rectangular = new QRadioButton(kWindows[0].first);
    RadioButton4 = new QRadioButton(kWindows[1].first);
    rectangular->setObjectName("RadioButton3");
    RadioButton4->setObjectName("RadioButton4");
    for (QRadioButton* button : {rectangular, RadioButton4}) {
      choices->addWidget(button);
      connect(button, &QRadioButton::clicked, this, &TLibForm::RadioButton3Click);
    }
    RadioButton3 = rectangular;
    return group;
  }
  for (const auto& [caption, name] : kWindows) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(name);
    choices->addWidget(button);
    connect(button, &QRadioButton::clicked, this, &TLibForm::RadioButton1Click);
    weighing_windows_.push_back(button);
  }

  // Kaiser's fields beside its button.
  auto* kaiser = new QGridLayout;
  kaiser->setHorizontalSpacing(8);
  kaiser->setVerticalSpacing(3);
  AddField(Edit31, kaiser, {0, 0}, Formula().Var("β"), "Параметр β окна Кайзера");
  AddField(Edit32, kaiser, {0, 1}, Formula().Plain("Подавление, дБ"), "Подавление в полосе задерживания, дБ");
  AddField(Edit33, kaiser, {0, 2}, Formula().Plain("Δ").Var("ω").Plain(", %"),
           "Ширина переходной полосы для оценки порядка, % от частоты среза");
  auto* kaiser_column = new QVBoxLayout;
  kaiser_column->addStretch(1);
  kaiser_column->addLayout(kaiser);
  row->addSpacing(10);
  row->addLayout(kaiser_column);
  row->addStretch(1);
  return group;
}

NumericField* TLibForm::AddField(LibraryField id, QGridLayout* grid, Cell cell, const Formula& symbol,
                                 const QString& symbol_hint, const QString& field_hint) {
  symbols_[static_cast<std::size_t>(id)] = AddSymbol(grid, cell, symbol, symbol_hint);
  return AddEdit(id, grid, cell, field_hint);
}

NumericField* TLibForm::AddLevelField(LibraryField id, QGridLayout* grid, Cell cell, const Formula& symbol,
                                      const Formula& decibel_symbol, const QString& symbol_hint,
                                      const QString& decibel_hint) {
  linear_symbols_.push_back(AddSymbol(grid, cell, symbol, symbol_hint));
  decibel_symbols_.push_back(AddSymbol(grid, cell, decibel_symbol, decibel_hint));
  return AddEdit(id, grid, cell, {});
}

FormulaLabel* TLibForm::AddSymbol(QGridLayout* grid, Cell cell, const Formula& symbol, const QString& hint) {
  auto* label = new FormulaLabel(symbol, hint);
  grid->addWidget(label, 2 * cell.line, cell.column, Qt::AlignHCenter | Qt::AlignBottom);
  return label;
}

NumericField* TLibForm::AddEdit(LibraryField id, QGridLayout* grid, Cell cell, const QString& hint) {
  auto* edit = new NumericField;
  edit->setObjectName(QString("Edit%1").arg(static_cast<int>(id)));
  edit->setToolTip(hint);
  edit->SetMaxChars(FilterLibraryFields::MaxChars(id));
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("0,00000000") + 10);
  // The achieved widths are shown only: not in the tab order.
  if (id == Edit5 || id == Edit13) edit->setFocusPolicy(Qt::ClickFocus);
  grid->addWidget(edit, 2 * cell.line + 1, cell.column);
  connect(edit, &NumericField::Left, this, [this, id] { EditExit(id); });
  edits_[static_cast<std::size_t>(id)] = edit;
  return edit;
}

void TLibForm::setVisible(bool visible) {
  if (visible) style_icons_.Set();
  QDialog::setVisible(visible);
}

void TLibForm::showEvent(QShowEvent* event) {
  fields_.Library().Show();
  ShowDesigns();
  QDialog::showEvent(event);
}

void TLibForm::SpeedButton1Click() {
  if (!CommitEditInProgress()) return;
  fields_.Library().SelectFilter();
  accept();
}

void TLibForm::SpeedButton3Click() { reject(); }

void TLibForm::N11Click() {
  CommitEditInProgress();
  fields_.SwitchDecibel();
  ShowDesigns();
}

void TLibForm::N13Click() {
  // A width still being typed belongs to the old mode: it goes to the design first.
  CommitEditInProgress();
  N13->setChecked(true);
  fields_.SetOrderEntry(true);
  ApplyFieldModes();
}

void TLibForm::N14Click() {
  CommitEditInProgress();
  N14->setChecked(true);
  fields_.SetOrderEntry(false);
  ApplyFieldModes();
}

void TLibForm::RadioButton1Click() {
  const auto checked = std::find_if(weighing_windows_.begin(), weighing_windows_.end(),
                                    [](const QRadioButton* button) { return button->isChecked(); });
  fields_.SetWindow(kWeighingKind, static_cast<FirWindow>(checked - weighing_windows_.begin()));
  ShowRewrittenFields();
  ShowChoices();
}

void TLibForm::RadioButton3Click() {
  fields_.SetWindow(kFrSamplingKind, RadioButton4->isChecked() ? FirWindow::kHamming : FirWindow::kRectangular);
  ShowChoices();
}

void TLibForm::BandClick(int page, BandType band) {
  fields_.SetBand(page, band);
  ShowRewrittenFields();
  ShowChoices();
}

void TLibForm::EditExit(LibraryField id) {
  NumericField* edit = edits_[static_cast<std::size_t>(id)];
  const CommitResult result = fields_.Commit(id, edit->Text());
  entry_invalid_ = result == CommitResult::kInvalid;
  if (entry_invalid_) edit->ReportInvalid();
  ShowRewrittenFields();
}

bool TLibForm::CommitEditInProgress() {
  entry_invalid_ = false;
  PageControl1->currentWidget()->setFocus(Qt::OtherFocusReason);
  return !entry_invalid_;
}

void TLibForm::ShowChoices() {
  for (int page = kButterworthKind; page <= kFrSamplingKind; ++page) {
    const BandType band = fields_.Band(page);
    band_buttons_[static_cast<std::size_t>(page)][static_cast<std::size_t>(band)]->setChecked(true);
    if (page <= kChebyshevKind) amplitude_examples_[static_cast<std::size_t>(page)]->SetBand(band);
    else impulse_examples_[static_cast<std::size_t>(page - kWeighingKind)]->SetBand(band);
  }
  for (const bool chebyshev : {false, true}) {
    const auto [first, second] = PassEdgeHints(fields_.Band(chebyshev ? kChebyshevKind : kButterworthKind));
    for (const LibraryField id : chebyshev ? std::array{Edit8, Edit9} : std::array{Edit1, Edit2})
      symbols_[static_cast<std::size_t>(id)]->setToolTip(first);
    for (const LibraryField id : chebyshev ? std::array{Edit25, Edit26} : std::array{Edit23, Edit24})
      symbols_[static_cast<std::size_t>(id)]->setToolTip(second);
    symbols_[static_cast<std::size_t>(chebyshev ? Edit17 : Edit7)]->setToolTip(
        OrderHint(chebyshev, fields_.Band(chebyshev ? kChebyshevKind : kButterworthKind)));
  }
  const FirWindow weighing = fields_.Window(kWeighingKind);
  weighing_windows_[static_cast<std::size_t>(weighing)]->setChecked(true);
  impulse_examples_[0]->SetWindow(weighing);
  // A project may give this page a window it does not offer: then neither button is checked.
  const FirWindow fr_sampling = fields_.Window(kFrSamplingKind);
  for (QRadioButton* button : {RadioButton3, RadioButton4}) {
    button->setAutoExclusive(false);
    button->setChecked(fr_sampling == (button == RadioButton4 ? FirWindow::kHamming : FirWindow::kRectangular));
    button->setAutoExclusive(true);
  }
  impulse_examples_[1]->SetWindow(fr_sampling);
  ApplyFieldModes();
}

void TLibForm::ShowRewrittenFields() {
  for (const LibraryField id : fields_.TakeRewritten())
    edits_[static_cast<std::size_t>(id)]->ShowText(fields_.Text(id));
}

void TLibForm::ShowDesigns() {
  const bool decibel = fields_.IsDecibel();
  N11->setChecked(decibel);
  SpeedButton2->setChecked(decibel);
  for (FormulaLabel* symbol : decibel_symbols_) symbol->setVisible(decibel);
  for (FormulaLabel* symbol : linear_symbols_) symbol->setVisible(!decibel);
  (fields_.IsOrderEntry() ? N13 : N14)->setChecked(true);
  PageControl1->setCurrentIndex(fields_.Library().GetFilterKind());
  ShowRewrittenFields();
  ShowChoices();
}

void TLibForm::ApplyFieldModes() {
  for (int id = kFirstLibraryField; id <= kLastLibraryField; ++id) {
    const auto field = static_cast<LibraryField>(id);
    NumericField* edit = edits_[static_cast<std::size_t>(id)];
    edit->SetKeys(fields_.KeysOf(field));
    // A field that does not apply to the chosen band type or window is greyed out.
    if (fields_.IsApplicable(field)) {
      edit->SetEnabledLook(true);
      edit->SetReadOnlyLook(!fields_.IsEditable(field));
    } else {
      edit->SetEnabledLook(false);
    }
  }
}
