#pragma once
// The grid of a table editor: 10 columns by 100 rows of a TableModel's texts, header rows
// drawn as labels, value cells edited in place through a filter that lets only numbers in.
// Where the cursor may go is the model's decision; the grid asks it before every move.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include "dialogs/ui/filtered_line_edit.h"

class TableModel;

// The model's cell texts as the grid shows them.
class TableGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TableGridModel(TableModel& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Every cell may have changed.
  void Refresh();

 private:
  TableModel& table_;
};

// The in-place editor of a value cell: the key filter for typed and pasted text, a minus sign
// that is not the first character taken back by a Backspace press, and a double click that
// selects the whole number.
class CellEditor : public FilteredLineEdit {
  Q_OBJECT

 public:
  explicit CellEditor(QWidget* parent, int max_chars);

 protected:
  char32_t FilterTypedKey(char32_t key, const EditFieldState& edit) const override;
  char32_t FilterPastedKey(char32_t key, const EditFieldState& edit) const override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SetEditText();
  int max_chars_;
};

// Draws the header cells and makes the editors; Enter and Escape in an editor are offered to the
// grid first.
class TableCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit TableCellDelegate(TableModel& table, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  // The editor writes into the model as the user types; nothing is left to write on closing.
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

 signals:
  // The editor's text has changed: the model's cell follows it at once.
  void EditTextChanged(const QModelIndex& index, const QString& text) const;
  // Enter in an open editor; set *used when the grid has used the key.
  void EnterPressed(bool* used) const;
  void EscapePressed() const;
  void KeyPressed(int key) const;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  TableModel& table_;
};

class TableGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TableGrid(TableModel& table, QWidget* parent = nullptr);

  TableGridModel& GridModel() { return grid_model_; }
  TableCellDelegate& Delegate() { return delegate_; }
  // Shows the model's texts and puts the cursor where the model has it.
  void Refresh();
  // Shows the model's text of the cell under the cursor, in its editor too.
  void RefreshCurrentCell();
  void SyncCursor();
  // "Курсор": the editor opens on every cell reached; "Рамка": only when the user starts typing.
  void SetAlwaysShowEditor(bool on);
  bool IsAlwaysShowEditor() const { return always_show_editor_; }
  // The open in-place editor, if any.
  CellEditor* OpenEditor() const;
  void CloseOpenEditor();
  // The cell under the cursor holds no number: it is shown with its red mark while "Введены
  // некорректные символы." is up, then its editor opens with the text selected for typing over.
  void ReportUnreadableCell();

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void EditTextChanged(const QModelIndex& index, const QString& text);
  // Escape: the cell gets back what it held when editing it began; the always-shown editor stays.
  void RevertEdit();

  TableModel& table_;
  TableGridModel grid_model_;
  TableCellDelegate delegate_;
  bool always_show_editor_ = true;
};
