#include "dialogs/table_model.h"

#include <algorithm>
#include <cstdlib>

#include "dialogs/table_files.h"
#include "dialogs/table_load_report.h"
#include "filter/digital_filter.h"
#include "numeric/general_format.h"
#include "numeric/number_text.h"
#include "platform/atomic_file.h"
#include "platform/file_failure.h"
#include "platform/messages.h"

TableModel::TableModel() { cells_.WriteHeaders(table_name_, first_index_); }

void TableModel::SetTableName(std::string name) {
  table_name_ = std::move(name);
  cells_.WriteHeaders(table_name_, first_index_);
}

void TableModel::SetFirstIndex(int index) {
  first_index_ = index;
  SetTableName(table_name_);
}

void TableModel::SetValues(const double* values, int n) {
  const long long requested = values == nullptr ? 0 : std::llabs(static_cast<long long>(n));
  value_count_ = static_cast<int>(std::min<long long>(kCapacity, requested));
  std::copy(values, values + value_count_, values_.begin());
  FillCells(values_.data(), value_count_, [](double value) { return FormatNumber(kDecimals, value); });
}

bool TableModel::SetCellText(int column, int row, std::string text) {
  if (!TableCells::IsInside(column, row) || !TableCells::IsValueRow(row)) return false;
  const int index = TableCells::CellToIndex(column, row);
  if (cells_.ValueText(index) != text) cells_.SetValueText(index, std::move(text));
  return true;
}

int TableModel::FirstUnreadableIndex() const {
  for (int index = 0; index < kCapacity; ++index) {
    if (cells_.IsUnreadable(index)) return index;
  }
  return -1;
}

bool TableModel::HasValues() const {
  for (int index = 0; index < kCapacity; ++index) {
    if (!cells_.IsValueEmpty(index)) return true;
  }
  return false;
}

bool TableModel::HasUnacceptedEdits() const {
  for (int index = 0; index < kCapacity; ++index) {
    const ValueCell cell = cells_.Cell(index);
    const bool accepted = index < value_count_;
    if (cell.text.empty() || !accepted) {
      if (cell.text.empty() != !accepted) return true;
      continue;
    }
    const std::optional<double> shown = cell.exact ? cell.exact : TableCells::ReadNumber(cell.text);
    if (!shown || *shown != values_[static_cast<std::size_t>(index)]) return true;
  }
  return false;
}

void TableModel::CollectValues() { work_count_ = cells_.Collect(work_values_.data()); }

bool TableModel::SelectCell(int column, int row) {
  if (!TableCells::IsInside(column, row)) return false;
  if (!TableCells::IsValueRow(row)) {
    const bool up = std::exchange(moving_up_, false);
    const int target = up ? row - 1 : row + 1;
    return target > 0 && target < TableCells::kRows && SelectCell(column, target);
  }
  const bool first_cell = column == 0 && row == 1;
  if (sequential_input_ && !first_cell) {
    // Values are typed without gaps: at most one cell past the data.
    CollectValues();
    if (TableCells::CellToIndex(column, row) > work_count_) return false;
  }
  cursor_ = {column, row};
  CommitCellEdit();
  return true;
}

bool TableModel::PressEnter() {
  if (!enter_moves_on_) return false;
  const int index = CursorIndex();
  if (cells_.IsValueEmpty(index)) cells_.SetValueText(index, "0");
  // On to the next cell, empty or not: Enter after a value goes on as Tab does, so that what is
  // typed next never lands behind that value. Only the last cell keeps the cursor.
  const int next = std::min(index + 1, kCapacity - 1);
  if (next == index) return false;
  const CellPosition cell = TableCells::IndexToCell(next);
  return SelectCell(cell.column, cell.row);
}

void TableModel::CommitCellEdit() { edit_start_ = cells_.Cell(CursorIndex()); }

void TableModel::RevertCellEdit() { cells_.SetCell(CursorIndex(), edit_start_); }

void TableModel::SetSequentialInput(bool on) {
  const bool becomes_on = on && !sequential_input_;
  sequential_input_ = on;
  if (!becomes_on) return;
  CollectValues();
  MoveCursorTo(work_count_ - 1);
}

void TableModel::Show() {
  MoveCursorTo(0);
  processed_ = false;
  restore_on_close_ = true;
}

void TableModel::Accept() {
  CollectValues();
  restore_on_close_ = false;
  processed_ = true;
}

void TableModel::Close() {
  if (processed_) {
    std::copy(work_values_.begin(), work_values_.begin() + work_count_, values_.begin());
    value_count_ = work_count_;
  }
  if (restore_on_close_) FillFromValues();
}

void TableModel::NewTable() {
  cells_.ClearValues();
  MoveCursorTo(0);
}

void TableModel::InsertCell() {
  CollectValues();
  const int at = CursorIndex();
  for (int i = work_count_; i >= at; --i) cells_.SwapCells(i + 1, i);
  CommitCellEdit();
}

void TableModel::DeleteCell() {
  CollectValues();
  const int at = CursorIndex();
  cells_.SetValueText(at, std::string());
  for (int i = at; i < work_count_; ++i) cells_.SwapCells(i, i + 1);
  CommitCellEdit();
}

TableDiagramData TableModel::PrepareDiagram() {
  CollectValues();
  TableDiagramData data;
  if (work_count_ > 1) {
    data.values = work_values_.data();
    data.count = work_count_;
  } else {
    single_value_points_ = {work_values_[0], 0.0, 0.0};
    data.values = single_value_points_.data();
    data.count = static_cast<int>(single_value_points_.size());
  }
  data.first_argument = first_index_;
  return data;
}

bool TableModel::LoadFile(const std::string& path) {
  TableFileRead read = ReadTableFile(path, kCapacity);
  if (!read) {
    ShowMessage(FileFailureMessage(kCannotOpenFileMessage, path, read.error));
    return false;
  }
  const std::vector<ReplacedValue> replaced = ReplaceUnusableValues(read.values, kFilterLimit);
  FillCells(read.values.data(), static_cast<int>(read.values.size()), FormatGeneral);
  CollectValues();
  const std::string report = TableLoadReport(path, read, replaced, kCapacity, [this](int index) {
    const CellPosition cell = TableCells::IndexToCell(index);
    return cells_.Text(cell.column, cell.row - 1);  // the header above names the value
  });
  if (!report.empty()) ShowMessage(report);
  return true;
}

bool TableModel::SaveFile(const std::string& path) {
  return WriteCollected(path, [this] { return EncodeTableFile(work_values_.data(), work_count_); });
}

bool TableModel::ExportSpreadsheet(const std::string& path) {
  return WriteCollected(path, [this] { return SpreadsheetText(cells_, work_count_); });
}

bool TableModel::WriteCollected(const std::string& path, const std::function<std::string()>& content) {
  AtomicFileWriter file(path);
  if (!file.IsOpen()) {
    ShowMessage(file.FailureMessage(kCannotCreateFileMessage));
    return false;
  }
  CollectValues();
  file.Write(content());
  if (!file.Commit()) {
    ShowMessage(file.FailureMessage(kCannotCreateFileMessage));
    return false;
  }
  return true;
}

void TableModel::MoveCursorTo(int index) {
  cursor_ = TableCells::IndexToCell(std::clamp(index, 0, kCapacity - 1));
  CommitCellEdit();
}

void TableModel::FillCells(const double* values, int count, const std::function<std::string(double)>& format) {
  cells_.ClearValues();
  for (int i = 0; i < count; ++i) cells_.SetValue(i, format(values[i]), values[i]);
  MoveCursorTo(0);
}

void TableModel::FillFromValues() { FillCells(values_.data(), value_count_, FormatGeneral); }
