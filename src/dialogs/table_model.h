#pragma once
// Everything of a table editor window that is not drawing: the grid's texts, the accepted
// values that the rest of the program reads, the working values collected from the grid, the
// cursor and its rules, and the editor's commands and files. The window shows this model and
// forwards its events to it.
//
// Two copies of the values: edits become the accepted values only when the window is closed
// with "Обработать данные" (Accept, then Close); any other close refills the grid from the
// accepted values.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <utility>

#include "analysis/analysis_sources.h"
#include "dialogs/table_cells.h"

// Asked before the grid's edits would be lost: closing without "Обработать данные", and
// "Новая таблица" on a filled table.
inline const std::string kProcessEditsQuestion = "Обработать введённые данные?";
inline const std::string kClearTableQuestion = "Очистить таблицу?";

// What the "Диаграмма" page plots: count values at arguments first_argument ….
struct TableDiagramData {
  const double* values = nullptr;  // owned by the model; valid until the next command
  int count = 0;
  int first_argument = 0;
};

// The keys of the grid that matter to the model: the up arrow, which moves the cursor upward, and
// any other.
enum class GridKey { kUpArrow, kOther };

class TableModel : public TableSource {
 public:
  static constexpr int kCapacity = TableCells::kValueCells;
  static constexpr int kMaxChars = 8;  // characters a cell may hold while typing
  static constexpr int kDecimals = 4;  // decimals of the values written by SetValues

  TableModel();

  // --- Set up by the windows that use the table ---
  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& Title() const { return title_; }
  // Renames the sequence: every header cell and the diagram's y name follow.
  void SetTableName(std::string name);
  const std::string& TableName() const { return table_name_; }
  std::string DiagramNameY() const { return table_name_ + "(n)"; }
  void SetFirstIndex(int index);
  int FirstIndex() const { return first_index_; }
  void SetDiagramVisible(bool visible) { diagram_visible_ = visible; }
  bool IsDiagramVisible() const { return diagram_visible_; }

  // --- Accepted values ---
  // Accepts |n| values (at most 500) and shows them in a fresh grid with 4 decimals. Neither
  // the working values nor the processed flag change. A null array counts as no values.
  void SetValues(const double* values, int n);
  std::span<const double> Values() const { return {values_.data(), static_cast<std::size_t>(value_count_)}; }
  int ValueCount() const { return value_count_; }
  void GetValues(const double*& values, int& count) const override {
    values = values_.data();
    count = value_count_;
  }
  // Whether the window was last closed with "Обработать данные" (until ClearProcessed).
  bool IsProcessed() const override { return processed_; }
  void ClearProcessed() override { processed_ = false; }

  // --- The grid ---
  const TableCells& Cells() const { return cells_; }
  const std::string& CellText(int column, int row) const { return cells_.Text(column, row); }
  // The in-place editor's text of a value cell; header cells are not editable (false). The
  // same text again changes nothing, so the cell keeps an exact value it holds.
  bool SetCellText(int column, int row, std::string text);
  void SetValueText(int index, std::string text) { cells_.SetValueText(index, std::move(text)); }
  // The first value cell whose text is not a number, or -1.
  int FirstUnreadableIndex() const;
  // Whether any value cell holds text.
  bool HasValues() const;
  // Whether the grid differs from what closing without "Обработать данные" would bring back:
  // a cell emptied, filled or holding another number than the accepted value at its place.
  bool HasUnacceptedEdits() const;
  // Reads the grid into the working values (see TableCells::Collect).
  void CollectValues();
  std::span<const double> WorkValues() const { return {work_values_.data(), static_cast<std::size_t>(work_count_)}; }
  int WorkCount() const { return work_count_; }
  void SwapCells(int a, int b) { cells_.SwapCells(a, b); }

  // --- Cursor ---
  int CursorColumn() const { return cursor_.column; }
  int CursorRow() const { return cursor_.row; }
  int CursorIndex() const { return TableCells::CellToIndex(cursor_.column, cursor_.row); }
  // The user (click or arrow key) wants the cursor on a cell. A header row passes the cursor on
  // to the value row in the direction of travel; with sequential input a value cell beyond the
  // first empty one after the data is refused. Returns whether the cursor moved.
  bool SelectCell(int column, int row);
  // Keys and wheel turns tell which way the cursor last travelled.
  void NoteKeyDown(GridKey key) { moving_up_ = key == GridKey::kUpArrow; }
  void NoteWheel(bool up) { moving_up_ = up; }
  // Enter in the open editor, when "Переход по <Enter>" is on: an empty cell becomes "0" and
  // the cursor goes on to the next cell, the last one excepted. Returns whether the key was used.
  bool PressEnter();
  // The cell under the cursor as it was when editing it began: when the cursor came to it, when
  // a command rewrote the grid, or when Enter committed it. Escape brings it back (RevertCellEdit)
  // with its exact value; CommitCellEdit makes the present text the one to come back to.
  void CommitCellEdit();
  void RevertCellEdit();

  // --- Menu check marks ---
  void SetSequentialInput(bool on);
  bool IsSequentialInput() const { return sequential_input_; }
  void SetEnterMovesOn(bool on) { enter_moves_on_ = on; }
  bool IsEnterMovesOn() const { return enter_moves_on_; }

  // --- Window events and commands ---
  void Show();
  // "Обработать данные": collect and mark the grid to be accepted when the window closes.
  void Accept();
  // Any close: accepts the collected values after Accept, otherwise refills the grid from the
  // accepted values.
  void Close();
  // "Новая таблица": empties every value cell and puts the cursor on the first one.
  void NewTable();
  // "Вставить столбец": opens an empty cell at the cursor; a value pushed past 500 is lost.
  void InsertCell();
  // "Удалить столбец": removes the value at the cursor, closing the gap.
  void DeleteCell();
  // The "Диаграмма" page: collects and gives what to plot (a single value shows as v, 0, 0).
  TableDiagramData PrepareDiagram();

  // --- Files; each shows its own failure message and returns whether it succeeded ---
  // Fills the grid with the first 500 values of a table file (not yet accepted), each keeping
  // its exact double. Values the analysis cannot take (NaN, infinities, magnitudes beyond the
  // filters' limit) are replaced; what did not go in as stored is told in one message.
  bool LoadFile(const std::string& path);
  // Writes what the grid shows (not accepting it); the old file stays whole if writing fails.
  bool SaveFile(const std::string& path);
  // Writes the grid as spreadsheet text.
  bool ExportSpreadsheet(const std::string& path);

 private:
  void MoveCursorTo(int index);
  // Writes values with their exact doubles behind the shown texts, from cell 0 on.
  void FillCells(const double* values, int count, const std::function<std::string(double)>& format);
  void FillFromValues();
  // Creates the file, collects the grid and writes content(); the grid is not collected when
  // the file cannot be created.
  bool WriteCollected(const std::string& path, const std::function<std::string()>& content);

  TableCells cells_;
  std::string title_ = "Редактор таблиц";
  std::string table_name_ = "s";
  int first_index_ = 0;
  bool diagram_visible_ = true;
  std::array<double, kCapacity> values_{};
  int value_count_ = 0;
  std::array<double, kCapacity> work_values_{};
  int work_count_ = 0;
  std::array<double, 3> single_value_points_{};  // what the diagram shows for one value
  CellPosition cursor_;
  ValueCell edit_start_;  // the cursor cell when editing it began
  bool moving_up_ = false;
  bool processed_ = false;
  bool restore_on_close_ = false;
  bool sequential_input_ = true;
  bool enter_moves_on_ = true;
};
