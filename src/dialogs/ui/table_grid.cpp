#include "dialogs/ui/table_grid.h"

#include <QColor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "dialogs/field_texts.h"
#include "dialogs/table_cell_input.h"
#include "dialogs/table_model.h"
#include "numeric/key_filters.h"
#include "platform/messages.h"
#include "platform/ui/key_press.h"

namespace {

// A Qt key as the table model knows it.
GridKey GridKeyOf(int qt_key) { return qt_key == Qt::Key_Up ? GridKey::kUpArrow : GridKey::kOther; }

constexpr int kHeaderTextIndent = 5;
// A cell whose text is no number stays marked after the message about it.
const QColor kUnreadableCellColour(255, 170, 170);

bool IsValueCell(const QModelIndex& index) { return index.isValid() && TableCells::IsValueRow(index.row()); }

bool HasMisplacedMinus(const QLineEdit& edit) {
  const CellEdit before{edit.text().toStdString(), edit.cursorPosition()};
  return RemoveMisplacedMinus(before).text != before.text;
}

}  // namespace

// ---- TableGridModel ----

TableGridModel::TableGridModel(TableModel& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int TableGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : TableCells::kRows; }

int TableGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : TableCells::kColumns; }

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::BackgroundRole && IsValueCell(index) &&
      table_.Cells().IsUnreadable(TableCells::CellToIndex(index.column(), index.row()))) {
    return kUnreadableCellColour;
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return QString::fromStdString(table_.CellText(index.column(), index.row()));
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
  if (!IsValueCell(index)) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TableGridModel::Refresh() { emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1)); }

// ---- CellEditor ----

CellEditor::CellEditor(QWidget* parent, int max_chars) : FilteredLineEdit(parent), max_chars_(max_chars) {
  // A frame in the highlight colour shows which cell is being typed into.
  setStyleSheet("CellEditor { border: 2px solid palette(highlight); padding: 0px; }");
  connect(this, &QLineEdit::textEdited, this, &CellEditor::SetEditText);
}

char32_t CellEditor::FilterTypedKey(char32_t key, const EditFieldState& edit) const {
  return FilterTypedCellKey(key, edit, max_chars_);
}

char32_t CellEditor::FilterPastedKey(char32_t key, const EditFieldState& edit) const {
  return FilterPastedCellKey(key, edit, max_chars_);
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
  // At the ends of the text the arrows leave the cell, as the grid's own arrows do.
  const bool leaves_left = event->key() == Qt::Key_Left && cursorPosition() == 0 && !hasSelectedText();
  const bool leaves_right = event->key() == Qt::Key_Right && cursorPosition() == text().size() && !hasSelectedText();
  if (leaves_left || leaves_right) {
    event->ignore();
    return;
  }
  FilteredLineEdit::keyPressEvent(event);
}

void CellEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  // The whole number, not the digits on one side of the comma.
  selectAll();
  event->accept();
}

void CellEditor::SetEditText() {
  // The Backspace press is queued, as a key press from the system would be, so that the line
  // edit finishes the present change first. Each press edits the text again and comes back here
  // until the minus is gone.
  if (!HasMisplacedMinus(*this)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (HasMisplacedMinus(*this)) SendKeyPress(this, Qt::Key_Backspace);
      },
      Qt::QueuedConnection);
}

// ---- TableCellDelegate ----

TableCellDelegate::TableCellDelegate(TableModel& table, QObject* parent) : QStyledItemDelegate(parent), table_(table) {}

void TableCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (IsValueCell(index)) {
    // The mark of a text that is no number shows through the cursor's highlight.
    QStyleOptionViewItem shown = option;
    if (index.data(Qt::BackgroundRole).isValid()) shown.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, shown, index);
    return;
  }
  painter->save();
  painter->fillRect(option.rect, option.palette.color(QPalette::Window));
  painter->setFont(option.font);
  painter->setPen(option.palette.color(QPalette::WindowText));
  const QFontMetrics metrics(option.font);
  const int text_height = metrics.boundingRect(QString::fromStdString(table_.TableName() + "()")).height();
  const int top = option.rect.top() + option.rect.height() / 2 - text_height / 2 - 2;
  painter->drawText(
      QRect(option.rect.left() + kHeaderTextIndent, top, option.rect.width() - kHeaderTextIndent, text_height + 4),
      Qt::AlignLeft | Qt::AlignTop, index.data().toString());
  painter->restore();
}

QWidget* TableCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* editor = new CellEditor(parent, TableModel::kMaxChars);
  connect(editor, &QLineEdit::textChanged, this,
          [this, index](const QString& text) { emit EditTextChanged(index, text); });
  return editor;
}

void TableCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (line->text() != text) line->setText(text);
}

bool TableCellDelegate::eventFilter(QObject* object, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    emit KeyPressed(key);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      bool used = false;
      emit EnterPressed(&used);
      if (used) return true;
    }
    if (key == Qt::Key_Escape) {
      emit EscapePressed();
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

// ---- TableGrid ----

TableGrid::TableGrid(TableModel& table, QWidget* parent)
    : QTableView(parent), table_(table), grid_model_(table), delegate_(table) {
  setModel(&grid_model_);
  setItemDelegate(&delegate_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  QFont font("Liberation Sans");
  font.setPixelSize(13);
  font.setBold(true);
  setFont(font);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 10);
  SetAlwaysShowEditor(true);
  connect(&delegate_, &TableCellDelegate::EditTextChanged, this, &TableGrid::EditTextChanged);
  connect(&delegate_, &TableCellDelegate::EscapePressed, this, &TableGrid::RevertEdit);
  connect(&delegate_, &TableCellDelegate::KeyPressed, this, [this](int key) { table_.NoteKeyDown(GridKeyOf(key)); });
}

void TableGrid::Refresh() {
  grid_model_.Refresh();
  RefreshCurrentCell();
}

void TableGrid::RefreshCurrentCell() {
  // A range change does not reach an open editor; a change of its own cell does.
  if (currentIndex().isValid()) emit grid_model_.dataChanged(currentIndex(), currentIndex());
}

void TableGrid::SyncCursor() {
  const QModelIndex target = grid_model_.index(table_.CursorRow(), table_.CursorColumn());
  if (target != currentIndex()) setCurrentIndex(target);
  if (always_show_editor_ && !OpenEditor()) edit(target);
}

void TableGrid::SetAlwaysShowEditor(bool on) {
  always_show_editor_ = on;
  EditTriggers triggers = QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked;
  if (on) triggers |= QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked;
  setEditTriggers(triggers);
}

CellEditor* TableGrid::OpenEditor() const {
  return currentIndex().isValid() ? qobject_cast<CellEditor*>(indexWidget(currentIndex())) : nullptr;
}

void TableGrid::CloseOpenEditor() {
  if (CellEditor* editor = OpenEditor()) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TableGrid::ReportUnreadableCell() {
  SyncCursor();
  // The editor steps aside while the message is up, so that the cell shows its red mark.
  CloseOpenEditor();
  ShowMessage(kInvalidCharactersMessage);
  setFocus();
  edit(currentIndex());
  if (CellEditor* editor = OpenEditor()) {
    editor->setFocus();
    editor->selectAll();
  }
}

QModelIndex TableGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex wanted = QTableView::moveCursor(action, modifiers);
  if (!wanted.isValid() || !table_.SelectCell(wanted.column(), wanted.row())) return currentIndex();
  return grid_model_.index(table_.CursorRow(), table_.CursorColumn());
}

void TableGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex clicked = indexAt(event->position().toPoint());
  if (!clicked.isValid() || event->button() != Qt::LeftButton) return;
  if (!table_.SelectCell(clicked.column(), clicked.row())) return;
  // Focus first: taking it from an open editor would close that editor again.
  setFocus();
  SyncCursor();
}

void TableGrid::mouseMoveEvent(QMouseEvent* event) {
  // No frame selections by dragging: one cell is current at a time.
  event->accept();
}

void TableGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex clicked = indexAt(event->position().toPoint());
  if (clicked != currentIndex() || !IsValueCell(clicked)) return;
  if (!OpenEditor()) edit(clicked);
  if (CellEditor* editor = OpenEditor()) editor->selectAll();
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
  table_.NoteKeyDown(GridKeyOf(event->key()));
  QTableView::keyPressEvent(event);
}

void TableGrid::wheelEvent(QWheelEvent* event) {
  table_.NoteWheel(event->angleDelta().y() > 0);
  QTableView::wheelEvent(event);
}

void TableGrid::EditTextChanged(const QModelIndex& index, const QString& text) {
  table_.SetCellText(index.column(), index.row(), text.toStdString());
  // The mark of a text that is no number shows once the editor has moved on.
  emit grid_model_.dataChanged(index, index, {Qt::BackgroundRole});
}

void TableGrid::RevertEdit() {
  table_.RevertCellEdit();
  RefreshCurrentCell();
  if (!always_show_editor_) CloseOpenEditor();
}
