#include "dialogs/table_cells.h"

#include <utility>

#include "numeric/number_text.h"

namespace {

const std::string kNoText;

}  // namespace

CellPosition TableCells::IndexToCell(int index) { return {index % kColumns, 2 * (index / kColumns) + 1}; }

int TableCells::CellToIndex(int column, int row) { return column + kColumns * ((row - 1) / 2); }

bool TableCells::IsInside(int column, int row) {
  return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

const std::string& TableCells::Text(int column, int row) const {
  return IsInside(column, row) ? texts_[static_cast<std::size_t>(row * kColumns + column)] : kNoText;
}

const std::string& TableCells::ValueText(int index) const {
  if (!IsValueIndex(index)) return kNoText;
  const CellPosition cell = IndexToCell(index);
  return Text(cell.column, cell.row);
}

void TableCells::SetValueText(int index, std::string text) {
  if (!IsValueIndex(index)) return;
  const CellPosition cell = IndexToCell(index);
  texts_[static_cast<std::size_t>(cell.row * kColumns + cell.column)] = std::move(text);
}

void TableCells::WriteHeaders(const std::string& name, int first_index) {
  for (int index = 0; index < kValueCells; ++index) {
    const CellPosition cell = IndexToCell(index);
    const long long shown = static_cast<long long>(first_index) + index;
    texts_[static_cast<std::size_t>((cell.row - 1) * kColumns + cell.column)] =
        name + "(" + std::to_string(shown) + ")";
  }
}

void TableCells::ClearValues() {
  for (int index = 0; index < kValueCells; ++index) SetValueText(index, std::string());
}

void TableCells::SwapCells(int a, int b) {
  const bool a_inside = IsValueIndex(a);
  const bool b_inside = IsValueIndex(b);
  if (!a_inside && !b_inside) return;
  if (a_inside && !b_inside) {
    SetValueText(a, std::string());
  } else if (!a_inside) {
    SetValueText(b, std::string());
  } else {
    std::string text_a = ValueText(a);
    SetValueText(a, ValueText(b));
    SetValueText(b, std::move(text_a));
  }
}

int TableCells::Collect(double* work) {
  int last = 0;
  for (int index = 0; index < kValueCells; ++index) {
    if (!IsValueEmpty(index)) last = index;
  }
  for (int index = 0; index <= last; ++index) {
    if (IsValueEmpty(index)) SetValueText(index, "0");
    TextToDouble(ValueText(index), work[index]);  // unreadable text leaves 0
  }
  return last + 1;
}
