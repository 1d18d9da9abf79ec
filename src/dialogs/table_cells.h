#pragma once
// The texts of a table editor's grid: 100 rows of 10 cells, header rows (0, 2, …, 98) naming
// the value below them, value rows (1, 3, …, 99) holding what the user typed. Value i lies in
// column i mod 10 of row 2·(i div 10) + 1.

#include <array>
#include <string>

struct CellPosition {
  int column = 0;
  int row = 1;
};

class TableCells {
 public:
  static constexpr int kColumns = 10;
  static constexpr int kRows = 100;
  static constexpr int kValueCells = kColumns * kRows / 2;

  static CellPosition IndexToCell(int index);
  static int CellToIndex(int column, int row);
  static bool IsInside(int column, int row);
  static bool IsValueRow(int row) { return row % 2 == 1; }
  static bool IsValueIndex(int index) { return index >= 0 && index < kValueCells; }

  // Any cell; "" outside the grid.
  const std::string& Text(int column, int row) const;
  // Value cells by index; "" outside 0 … 499, and writes there are ignored.
  const std::string& ValueText(int index) const;
  void SetValueText(int index, std::string text);
  bool IsValueEmpty(int index) const { return ValueText(index).empty(); }

  // Every header cell becomes name(index), the indices running from first_index.
  void WriteHeaders(const std::string& name, int first_index);
  // Empties every value cell; headers stay.
  void ClearValues();
  // Exchanges two value cells; with one index outside the table the other cell is emptied
  // (the value pushed off the end is lost), with both outside nothing happens.
  void SwapCells(int a, int b);
  // Reads the value cells up to the last non-empty one into work (at least one value: an
  // all-empty table reads as a single 0). Empty cells on the way become "0"; a text that is
  // not a number reads as 0. Returns the count.
  int Collect(double* work);

 private:
  std::array<std::string, kColumns * kRows> texts_;
};
