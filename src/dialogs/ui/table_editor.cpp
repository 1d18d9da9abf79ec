#include "dialogs/ui/table_editor.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "diagram/axis_range.h"
#include "diagram/keeper.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"
#include "dialogs/table_files.h"
#include "dialogs/ui/table_grid.h"
#include "dialogs/ui/table_tool_glyphs.h"
#include "platform/questions.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/key_press.h"
#include "platform/ui/modal.h"

namespace {

const char kOpenFilter[] =
    "Таблицы (*.tbl, *.inp)|*.tbl; *.inp|Таблицы (*.tbl)|*.tbl|Таблицы программы Tabrix (*.inp)|*.inp";
const char kSaveFilter[] = "Таблицы (*.tbl)|*.tbl";
const char kExportFilter[] = "Книга Microsoft Exel (*.xls)|*.xls";

// The grid leaves a margin inside its page; its ten columns share the width less room for a scroll bar.
constexpr int kGridMargin = 10;
constexpr int kScrollBarRoom = 30;

}  // namespace

TTabEditorForm::TTabEditorForm(TableModel& model, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      model_(model) {
  setWindowTitle(QString::fromStdString(model_.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildMenu();
  BuildToolBar();
  layout->addWidget(ToolBar1);

  PageControl1 = new QTabWidget(this);
  TabSheetTable = new QWidget;
  TabSheetDiagram = new QWidget;
  PageControl1->addTab(TabSheetTable, "Таблица");
  PageControl1->addTab(TabSheetDiagram, "Диаграмма");
  layout->addWidget(PageControl1, 1);
  StringGrid1 = new TableGrid(model_, TabSheetTable);
  auto* table_layout = new QVBoxLayout(TabSheetTable);
  table_layout->setContentsMargins(kGridMargin / 2, kGridMargin / 2, kGridMargin / 2, kGridMargin / 2);
  table_layout->addWidget(StringGrid1);
  PageControl1->installEventFilter(this);
  DiagramFrame1 = new TDiagramFrame(TabSheetDiagram);
  auto* diagram_layout = new QVBoxLayout(TabSheetDiagram);
  diagram_layout->setContentsMargins(0, 0, 0, 0);
  diagram_layout->addWidget(DiagramFrame1);
  StyleDiagram();
  // Moving over anything but the diagram puts its tools away.
  for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(ToolBar1),
                          static_cast<QWidget*>(PageControl1), TabSheetTable, TabSheetDiagram}) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
  }
  for (QToolButton* button : ToolBar1->findChildren<QToolButton*>()) button->installEventFilter(this);
  connect(PageControl1, &QTabWidget::currentChanged, this, &TTabEditorForm::PageControl1Change);
  connect(&StringGrid1->Delegate(), &TableCellDelegate::EnterPressed, this, &TTabEditorForm::StringGrid1EnterPressed);
}

void TTabEditorForm::BuildMenu() {
  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu("Файл");
  file->addAction("Обработать данные", this, &TTabEditorForm::SpeedButton1Click);
  file->addAction("Открыть...", this, &TTabEditorForm::SpeedButton5Click);
  file->addSeparator();
  file->addAction("Сохранить...", this, &TTabEditorForm::SpeedButton6Click);
  file->addAction("Сохранить в формате Exel...", this, &TTabEditorForm::SpeedButton7Click);
  file->addSeparator();
  QMenu* table = bar->addMenu("Таблица");
  table->addAction("Новая таблица", this, &TTabEditorForm::SpeedButton2Click);
  table->addAction("Вставить столбец", this, &TTabEditorForm::SpeedButton3Click);
  table->addAction("Удалить столбец", this, &TTabEditorForm::SpeedButton4Click);
  table->addSeparator();
  QMenu* control = table->addMenu("Управление");
  N16 = control->addAction("Курсор", this, &TTabEditorForm::N16Click);
  N17 = control->addAction("Рамка", this, &TTabEditorForm::N17Click);
  N19 = control->addAction("Последовательный ввод", this, &TTabEditorForm::N19Click);
  Enter1 = control->addAction("Переход по <Enter>", this, &TTabEditorForm::Enter1Click);
  for (QAction* action : {N16, N17, N19, Enter1}) action->setCheckable(true);
  N16->setChecked(true);
  N19->setChecked(model_.IsSequentialInput());
  Enter1->setChecked(model_.IsEnterMovesOn());
  QMenu* close = bar->addMenu("Закрыть");
  close->addAction("Отменить последнее редактирование и закрыть окно", this, &TTabEditorForm::SpeedButton8Click);
  layout()->setMenuBar(bar);
}

QToolButton* TTabEditorForm::AddToolButton(const char* hint, int glyph, void (TTabEditorForm::*handler)()) {
  auto* button = new QToolButton(ToolBar1);
  button->setAutoRaise(true);
  button->setFixedSize(23, 22);
  button->setToolTip(hint);
  button->setIcon(TableToolGlyph(static_cast<TableGlyph>(glyph)));
  connect(button, &QToolButton::clicked, this, handler);
  ToolBar1->addWidget(button);
  return button;
}

void TTabEditorForm::BuildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->addSeparator();
  SpeedButton1 = AddToolButton("Обработать данные", int(TableGlyph::Process), &TTabEditorForm::SpeedButton1Click);
  ToolBar1->addSeparator();
  SpeedButton5 = AddToolButton("Открыть", int(TableGlyph::Open), &TTabEditorForm::SpeedButton5Click);
  SpeedButton6 = AddToolButton("Сохранить", int(TableGlyph::Save), &TTabEditorForm::SpeedButton6Click);
  SpeedButton7 = AddToolButton("Сохранить в формате Exel", int(TableGlyph::Export), &TTabEditorForm::SpeedButton7Click);
  ToolBar1->addSeparator();
  SpeedButton2 = AddToolButton("Новая таблица", int(TableGlyph::NewTable), &TTabEditorForm::SpeedButton2Click);
  SpeedButton3 = AddToolButton("Вставить столбец", int(TableGlyph::InsertCell), &TTabEditorForm::SpeedButton3Click);
  SpeedButton4 = AddToolButton("Удалить столбец", int(TableGlyph::DeleteCell), &TTabEditorForm::SpeedButton4Click);
  ToolBar1->addSeparator();
  SpeedButton8 = AddToolButton("Закрыть", int(TableGlyph::Close), &TTabEditorForm::SpeedButton8Click);
}

// ---- operations for the windows that use the table ----

void TTabEditorForm::SetTitle(const std::string& title) {
  model_.SetTitle(title);
  setWindowTitle(QString::fromStdString(title));
}

void TTabEditorForm::SetTableName(const std::string& name) {
  model_.SetTableName(name);
  DiagramFrame1->Diagram->SetNameY(model_.DiagramNameY());
  StringGrid1->Refresh();
}

void TTabEditorForm::SetFirstIndex(int index) {
  model_.SetFirstIndex(index);
  StringGrid1->Refresh();
}

void TTabEditorForm::SetDiagramVisible(bool visible) {
  model_.SetDiagramVisible(visible);
  PageControl1->setTabVisible(PageControl1->indexOf(TabSheetDiagram), visible);
}

void TTabEditorForm::SetValues(const double* values, int n) {
  model_.SetValues(values, n);
  StringGrid1->Refresh();
  StringGrid1->SyncCursor();  // the values start at the first cell, and so does the cursor
}

void TTabEditorForm::ShowModal() {
  // The model may have been given a title or a page state by a user of the bare model.
  setWindowTitle(QString::fromStdString(model_.Title()));
  PageControl1->setTabVisible(PageControl1->indexOf(TabSheetDiagram), model_.IsDiagramVisible());
  StringGrid1->Refresh();
  RunModal(*this);
}

void TTabEditorForm::setVisible(bool visible) {
  // Maximised when first opened: setting the state makes the platform window, which the three
  // tables made at start-up need only then.
  if (visible && !opened_before_) {
    opened_before_ = true;
    setWindowState(windowState() | Qt::WindowMaximized);
  }
  QDialog::setVisible(visible);
}

// ---- window events ----

void TTabEditorForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TTabEditorForm::FormShow() {
  PageControl1->setCurrentWidget(TabSheetTable);
  model_.Show();
  // The grid takes the focus before its editor opens, which then holds it: focusing the grid
  // after would leave the editor open without the keys.
  StringGrid1->setFocus();
  StringGrid1->SyncCursor();
}

void TTabEditorForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  FormPaint();
}

bool TTabEditorForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) DiagramFrame1->HideTools();
  // The pages cover the window: their first drawing is the window's first drawing.
  if (watched == PageControl1 && event->type() == QEvent::Paint) FormPaint();
  return QDialog::eventFilter(watched, event);
}

void TTabEditorForm::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the editor: only "Закрыть" and the close box discard the table.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TTabEditorForm::FormPaint() {
  if (!layout_pending_) return;
  layout_pending_ = false;
  setMinimumSize(width() - 5, height() - 5);
  DiagramFrame1->resize(TabSheetTable->size());
  const int grid_width = TabSheetTable->width() - kGridMargin;
  StringGrid1->horizontalHeader()->setDefaultSectionSize(std::max(1, (grid_width - kScrollBarRoom) / 10));
  SetTableName(model_.TableName());
}

void TTabEditorForm::reject() {
  if (model_.HasUnacceptedEdits()) {
    switch (Ask({{}, kProcessEditsQuestion, QuestionButtons::kYesNoCancel, Answer::kNo})) {
      case Answer::kYes:
        SpeedButton1Click();  // stays open on a cell that holds no number
        return;
      case Answer::kCancel: return;
      case Answer::kNo: break;
    }
  }
  QDialog::reject();
}

void TTabEditorForm::done(int result) {
  // Every way of closing ends here: accept what "Обработать данные" collected, or refill the grid.
  StringGrid1->CloseOpenEditor();
  model_.Close();
  StringGrid1->Refresh();
  QDialog::done(result);
}

// ---- commands ----

void TTabEditorForm::SpeedButton1Click() {
  if (!CheckCellsReadable()) return;
  model_.Accept();
  accept();
}

void TTabEditorForm::SpeedButton8Click() { reject(); }

void TTabEditorForm::SpeedButton2Click() {
  if (model_.HasValues() && Ask({{}, kClearTableQuestion, QuestionButtons::kYesNo, Answer::kYes}) != Answer::kYes) {
    return;
  }
  model_.NewTable();
  StringGrid1->Refresh();
  StringGrid1->SyncCursor();
}

void TTabEditorForm::SpeedButton3Click() {
  model_.InsertCell();
  StringGrid1->Refresh();
}

void TTabEditorForm::SpeedButton4Click() {
  model_.DeleteCell();
  StringGrid1->Refresh();
}

void TTabEditorForm::SpeedButton5Click() {
  const std::optional<std::string> name = ChooseTableOpenName([this](bool clear_name) {
    if (clear_name) open_name_.clear();
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::kOpen;
    request.filter = kOpenFilter;
    request.file_name = open_name_;
    std::optional<std::string> chosen = AskFileName(this, request);
    if (chosen) open_name_ = *chosen;
    return chosen;
  });
  if (!name) return;
  // Painted once the message about the file is up, so that the loaded values show behind it.
  StringGrid1->viewport()->update();
  model_.LoadFile(*name);
  StringGrid1->Refresh();
  StringGrid1->SyncCursor();
}

void TTabEditorForm::SpeedButton6Click() {
  if (!CheckCellsReadable()) return;
  const std::optional<std::string> name = ChooseTableSaveName([this](const std::string& proposed) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::kSave;
    request.title = "Сохранить";
    request.filter = kSaveFilter;
    request.default_extension = "tbl";
    request.file_name = proposed;
    request.confirm_overwrite = true;
    return AskFileName(this, request);
  });
  if (!name) return;
  model_.SaveFile(*name);
  StringGrid1->Refresh();
}

void TTabEditorForm::SpeedButton7Click() {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.title = "Сохранение в формате Microsoft Exel";
  request.filter = kExportFilter;
  request.default_extension = "xls";
  request.file_name = "Таблица";
  request.confirm_overwrite = true;
  const std::optional<std::string> name = AskFileName(this, request);
  if (!name) return;
  model_.ExportSpreadsheet(WithExtension(*name, ".xls"));
  StringGrid1->Refresh();
}

void TTabEditorForm::N16Click() {
  N16->setChecked(true);
  if (StringGrid1->IsAlwaysShowEditor()) return;
  N17->setChecked(false);
  StringGrid1->SetAlwaysShowEditor(true);
  // A space opens the editor at once; the key filter drops the space itself.
  StringGrid1->setFocus();
  SendKeyPress(StringGrid1, Qt::Key_Space, " ");
}

void TTabEditorForm::N17Click() {
  N17->setChecked(true);
  if (!StringGrid1->IsAlwaysShowEditor()) return;
  N16->setChecked(false);
  StringGrid1->SetAlwaysShowEditor(false);
  StringGrid1->CloseOpenEditor();
}

void TTabEditorForm::N19Click() {
  model_.SetSequentialInput(!model_.IsSequentialInput());
  N19->setChecked(model_.IsSequentialInput());
  StringGrid1->Refresh();
  StringGrid1->SyncCursor();
}

void TTabEditorForm::Enter1Click() {
  model_.SetEnterMovesOn(!model_.IsEnterMovesOn());
  Enter1->setChecked(model_.IsEnterMovesOn());
}

void TTabEditorForm::StringGrid1EnterPressed(bool* used) {
  *used = true;
  if (model_.Cells().IsUnreadable(model_.CursorIndex())) {
    StringGrid1->ReportUnreadableCell();
    return;
  }
  const int row = model_.CursorRow();
  const int column = model_.CursorColumn();
  const bool moved = model_.PressEnter();
  // The cell left behind may have become "0".
  emit StringGrid1->GridModel().dataChanged(StringGrid1->GridModel().index(row, column),
                                            StringGrid1->GridModel().index(row, column));
  if (moved) {
    StringGrid1->SyncCursor();
    return;
  }
  // Enter stays on the cell and commits it. The always-shown editor stays open on it, its text
  // selected so that typing starts a new value rather than append to this one; the editor
  // opened by typing closes, as the grid does with Enter.
  model_.CommitCellEdit();
  *used = StringGrid1->IsAlwaysShowEditor();
  if (CellEditor* editor = StringGrid1->OpenEditor(); *used && editor != nullptr) editor->selectAll();
}

bool TTabEditorForm::CheckCellsReadable() {
  const int index = model_.FirstUnreadableIndex();
  if (index < 0) return true;
  PageControl1->setCurrentWidget(TabSheetTable);
  const CellPosition cell = TableCells::IndexToCell(index);
  model_.SelectCell(cell.column, cell.row);
  StringGrid1->ReportUnreadableCell();
  return false;
}

void TTabEditorForm::StyleDiagram() {
  TFont font;
  font.Name = "Liberation Serif";
  font.Size = 16;
  font.Bold = true;
  font.Italic = true;
  TDiagram* diagram = DiagramFrame1->Diagram;
  diagram->SetFontName(font);
  diagram->SetFontNameX(font);
  diagram->SetFontNameY(font);
  diagram->SetFontNet(font);
  diagram->SetNameDiagram(" ");
  diagram->SetNameX("n");
  diagram->SetNameY(model_.DiagramNameY());
  diagram->SetWholeNumberAxisX(true);  // sample numbers: no fractional ticks
}

void TTabEditorForm::PageControl1Change(int page) {
  if (PageControl1->widget(page) != TabSheetDiagram) return;
  const TableDiagramData plotted = model_.PrepareDiagram();
  TDiagram* diagram = DiagramFrame1->Diagram;
  TKeeper* keeper = diagram->GetKeeper(0);
  keeper->SetArray(plotted.values, plotted.count, plotted.first_argument, plotted.first_argument + plotted.count - 1);
  keeper->SetDiscret();
  // The series' own range, which gives a flat sequence some height, with the zero line in it.
  double y_min = keeper->GetYmin();
  double y_max = keeper->GetYmax();
  IncludeZero(y_min, y_max);
  diagram->EnableLine(false);
  diagram->AutoRangeX();
  diagram->EnableLine(true);
  diagram->SetRangeY(y_min, y_max);
  DiagramFrame1->SaveRange();
}
