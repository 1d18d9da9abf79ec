#include "results/ui/coefficients_form.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/replaceable.h"
#include "platform/ui/file_dialogs.h"
#include "results/coefficient_export.h"
#include "results/ui/header_prefix_dialog.h"

namespace {

std::string LayoutName(CoefficientLayout layout) {
  return layout == CoefficientLayout::kSections ? "секции второго порядка" : "прямая форма";
}

std::optional<CoefficientFileChoice> AskWithSaveDialog(const CoefficientFileRequest& r, QWidget* parent) {
  if (r.layouts.empty()) return std::nullopt;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.title = r.header ? "Экспорт в C" : "Сохранить коэффициенты";
  for (CoefficientLayout layout : r.layouts) {
    if (!request.filter.empty()) request.filter += '|';
    request.filter += (r.header ? "Заголовок C, " : "CSV, ") + LayoutName(layout) + (r.header ? "|*.h" : "|*.csv");
  }
  request.default_extension = r.header ? "h" : "csv";
  request.file_name = r.initial_name;
  request.confirm_overwrite = true;
  const std::optional<FileDialogChoice> choice = AskFileAndFilter(parent, request);
  if (!choice) return std::nullopt;
  const int last = static_cast<int>(r.layouts.size()) - 1;
  return CoefficientFileChoice{choice->name, r.layouts[std::clamp(choice->filter, 0, last)]};
}

// Why the direct form is not offered.
QString DirectFormNote(DirectFormFault fault) {
  if (fault == DirectFormFault::kUnfaithful)
    return "Прямая форма этого фильтра в числах двойной точности искажает его характеристику: "
           "он сохраняется только секциями.";
  return "Прямая форма этого фильтра не помещается в числа двойной точности: он сохраняется только секциями.";
}

Replaceable<CoefficientFileChooser>& CurrentChooser() {
  static Replaceable<CoefficientFileChooser> chooser(AskWithSaveDialog);
  return chooser;
}

}  // namespace

CoefficientFileChooser SetCoefficientFileChooser(CoefficientFileChooser chooser) {
  return CurrentChooser().Set(std::move(chooser));
}

TCoefficientsForm::TCoefficientsForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("CoefficientsForm");
  setWindowTitle("Коэффициенты фильтра");
  LabelCaption = new QLabel;
  QFont bold = LabelCaption->font();
  bold.setBold(true);
  LabelCaption->setFont(bold);
  LabelEquation = new QLabel;
  LabelEquation->setTextInteractionFlags(Qt::TextSelectableByMouse);
  LabelNote = new QLabel;
  LabelNote->setWordWrap(true);
  LabelNote->hide();

  Grid = new QTableWidget;
  Grid->setObjectName("Grid");
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Grid->verticalHeader()->hide();
  Grid->setAlternatingRowColors(true);

  ButtonCopy = new QPushButton("Копировать");
  ButtonSave = new QPushButton("Сохранить...");
  ButtonExport = new QPushButton("Экспорт в C...");
  ButtonClose = new QPushButton("Закрыть");
  ButtonCopy->setToolTip("Копировать выделенные ячейки (или всю таблицу) в буфер обмена");
  ButtonSave->setToolTip("Сохранить коэффициенты в файле CSV");
  ButtonExport->setToolTip("Сохранить коэффициенты как заголовочный файл языка C");
  connect(ButtonCopy, &QPushButton::clicked, this, &TCoefficientsForm::CopyClick);
  connect(ButtonSave, &QPushButton::clicked, this, &TCoefficientsForm::SaveClick);
  connect(ButtonExport, &QPushButton::clicked, this, &TCoefficientsForm::ExportClick);
  connect(ButtonClose, &QPushButton::clicked, this, &QWidget::close);
  auto* copy = new QShortcut(QKeySequence::Copy, Grid);
  connect(copy, &QShortcut::activated, this, &TCoefficientsForm::CopyClick);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {ButtonCopy, ButtonSave, ButtonExport}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(ButtonClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabelCaption);
  layout->addWidget(LabelEquation);
  layout->addWidget(Grid, 1);
  layout->addWidget(LabelNote);
  layout->addLayout(buttons);
}

void TCoefficientsForm::ShowCoefficients(const FilterCoefficients& filter) {
  if (filled_ && filter.SameFilter(filter_)) return;
  filter_ = filter;
  table_ = TableOf(filter_);
  Fill();
}

void TCoefficientsForm::Fill() {
  filled_ = true;
  LabelCaption->setText(QString::fromStdString(table_.caption));
  LabelEquation->setText(QString::fromStdString(table_.equation));
  offered_ = LayoutsOf(filter_);
  LabelNote->setText(DirectFormNote(offered_.direct_fault));
  LabelNote->setVisible(offered_.direct_fault != DirectFormFault::kNone);

  Grid->clear();
  Grid->setColumnCount(static_cast<int>(table_.headers.size()));
  Grid->setRowCount(static_cast<int>(table_.cells.size()));
  QStringList headers;
  for (const std::string& header : table_.headers) headers << QString::fromStdString(header);
  Grid->setHorizontalHeaderLabels(headers);
  for (int r = 0; r < Grid->rowCount(); ++r) {
    for (int c = 0; c < Grid->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(table_.cells[r][c]));
      item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
      Grid->setItem(r, c, item);
    }
  }
  Grid->resizeColumnsToContents();
  // A column of short numbers (b = 1, 2, 1) as wide as a number with a few digits.
  const int narrowest = Grid->fontMetrics().horizontalAdvance("-0,0000000");
  for (int c = 1; c < Grid->columnCount(); ++c) Grid->setColumnWidth(c, std::max(Grid->columnWidth(c), narrowest));
  FitToTable();
}

void TCoefficientsForm::FitToTable() {
  // Wide enough for every column without scrolling sideways, high enough for a short table
  // without empty space, within the screen.
  int columns = 0;
  for (int c = 0; c < Grid->columnCount(); ++c) columns += Grid->columnWidth(c);
  int rows = Grid->horizontalHeader()->sizeHint().height();
  for (int r = 0; r < Grid->rowCount() && rows < kTallestGrid; ++r) rows += Grid->rowHeight(r);
  const int frame = 2 * Grid->frameWidth();
  const QMargins margins = layout()->contentsMargins();
  const int others = layout()->sizeHint().height() - Grid->sizeHint().height();
  const int scroll = rows >= kTallestGrid ? Grid->verticalScrollBar()->sizeHint().width() : 0;
  int width = std::max(columns + frame + scroll + margins.left() + margins.right(), layout()->minimumSize().width());
  int height = others + std::min(rows, kTallestGrid) + frame;
  if (const QScreen* display = screen()) {
    width = std::min(width, display->availableGeometry().width() - 40);
    height = std::min(height, display->availableGeometry().height() - 80);
  }
  resize(width, height);
}

void TCoefficientsForm::CopyClick() {
  const QItemSelectionModel* selection = Grid->selectionModel();
  std::function<bool(int, int)> selected;
  if (selection != nullptr && selection->hasSelection())
    selected = [this, selection](int r, int c) { return selection->isSelected(Grid->model()->index(r, c)); };
  QGuiApplication::clipboard()->setText(QString::fromStdString(TableText(table_, selected)));
}

void TCoefficientsForm::SaveClick() { Save(false); }

void TCoefficientsForm::ExportClick() { Save(true); }

void TCoefficientsForm::Save(bool header) {
  const std::vector<CoefficientLayout>& layouts = offered_.layouts;
  const std::optional<CoefficientFileChoice> choice =
      (*CurrentChooser())({header, layouts, header ? "Коэффициенты.h" : "Коэффициенты.csv"}, this);
  if (!choice || std::find(layouts.begin(), layouts.end(), choice->layout) == layouts.end()) return;
  std::optional<std::string> prefix;
  if (header && !(prefix = AskHeaderPrefix(HeaderPrefix(choice->name), choice->layout, this))) return;
  AtomicFileWriter file(choice->name);
  file.Write(header ? CoefficientsHeader(filter_, choice->layout, *prefix) : CoefficientsCsv(filter_, choice->layout));
  if (!file.Commit()) ShowMessage(file.FailureMessage(kCannotSaveCoefficientsMessage));
}
