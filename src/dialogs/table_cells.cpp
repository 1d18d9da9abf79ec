#include "dialogs/table_cells.h"

#include <cctype>
#include <utility>

#include "numeric/number_text.h"

namespace {

const std::string kNoText;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

CellPosition TableCells::IndexToCell(int index) { return {index % kColumns, 2 * (index / kColumns) + 1}; }

int TableCells::CellToIndex(int column, int row) { return column + kColumns * ((row - 1) / 2); }

bool TableCells::IsInside(int column, int row) { return column >= 0 && column < kColumns && row >= 0 && row < kRows; }

std::optional<double> TableCells::ReadNumber(const std::string& text) {
  // A number ends in a digit: "5," and "-" are unfinished typing, not 5 and 0.
  const std::size_t last = text.find_last_not_of(' ');
  if (last == std::string::npos || !IsDigit(text[last])) return std::nullopt;
  double value = 0;
  if (!TextToDouble(text, value)) return std::nullopt;
  return value;
}

std::size_t TableCells::TextSlot(int index) {
  const CellPosition cell = IndexToCell(index);
  return static_cast<std::size_t>(cell.row * kColumns + cell.column);
}

const std::string& TableCells::Text(int column, int row) const {
  return IsInside(column, row) ? texts_[static_cast<std::size_t>(row * kColumns + column)] : kNoText;
}

const std::string& TableCells::ValueText(int index) const {
  return IsValueIndex(index) ? texts_[TextSlot(index)] : kNoText;
}

void TableCells::SetValueText(int index, std::string text) { SetCell(index, {std::move(text), std::nullopt}); }

void TableCells::SetValue(int index, std::string text, double exact) { SetCell(index, {std::move(text), exact}); }

ValueCell TableCells::Cell(int index) const {
  if (!IsValueIndex(index)) return {};
  return {texts_[TextSlot(index)], exact_[static_cast<std::size_t>(index)]};
}

void TableCells::SetCell(int index, ValueCell cell) {
  if (!IsValueIndex(index)) return;
  texts_[TextSlot(index)] = std::move(cell.text);
  exact_[static_cast<std::size_t>(index)] = cell.exact;
}

bool TableCells::IsUnreadable(int index) const {
  if (IsValueEmpty(index) || exact_[static_cast<std::size_t>(index)]) return false;
  return !ReadNumber(ValueText(index));
}

void TableCells::WriteHeaders(const std::string& name, int first_index) {
  for (int index = 0; index < kValueCells; ++index) {
    const long long shown = static_cast<long long>(first_index) + index;
    texts_[TextSlot(index) - kColumns] = name + "(" + std::to_string(shown) + ")";
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
    ValueCell cell_a = Cell(a);
    SetCell(a, Cell(b));
    SetCell(b, std::move(cell_a));
  }
}

int TableCells::Collect(double* work) {
  int last = 0;
  for (int index = 0; index < kValueCells; ++index) {
    if (!IsValueEmpty(index)) last = index;
  }
  for (int index = 0; index <= last; ++index) {
    if (IsValueEmpty(index)) SetValue(index, "0", 0.0);
    const std::optional<double> exact = exact_[static_cast<std::size_t>(index)];
    work[index] = exact ? *exact : ReadNumber(ValueText(index)).value_or(0.0);
  }
  return last + 1;
}
