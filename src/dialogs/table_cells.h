#pragma once
// The texts of a table editor's grid: 100 rows of 10 cells, header rows (0, 2, …, 98) naming
// the value below them, value rows (1, 3, …, 99) holding what the user typed. Value i lies in
// column i mod 10 of row 2·(i div 10) + 1.
//
// A value the program wrote into a cell (loaded from a file, given by another window) keeps its
// exact double behind the rounded text, until the user types into that cell: collecting the
// grid gives the exact value back, so that a table read and written again is the same table.

#include <array>
#include <optional>
#include <string>

#include "analysis/analysis_sources.h"

struct CellPosition {
  int column = 0;
  int row = 1;
};

// Everything a value cell holds: its text and, for a value the program wrote, the exact double.
struct ValueCell {
  std::string text;
  std::optional<double> exact;
};

class TableCells {
 public:
  static constexpr int kColumns = 10;
  static constexpr int kValueCells = kTableCapacity;
  static constexpr int kRows = 2 * kValueCells / kColumns;  // a header row above each value row
  static_assert(kValueCells % kColumns == 0, "the value rows are full");

  static CellPosition IndexToCell(int index);
  static int CellToIndex(int column, int row);
  static bool IsInside(int column, int row);
  static bool IsValueRow(int row) { return row % 2 == 1; }
  static bool IsValueIndex(int index) { return index >= 0 && index < kValueCells; }
  // A cell's number, if its text is one: digits with one comma (or point) and a leading minus,
  // or the exponent form of the general format. Texts that stop short of a number ("-", ",",
  // "0,") are not numbers, though the platform's conversion would take some of them.
  static std::optional<double> ReadNumber(const std::string& text);

  // Any cell; "" outside the grid.
  const std::string& Text(int column, int row) const;
  // Value cells by index; "" outside 0 … 499, and writes there are ignored.
  const std::string& ValueText(int index) const;
  // A text the user typed: it is the cell's value from now on.
  void SetValueText(int index, std::string text);
  // A value the program writes: text shown, exact value kept.
  void SetValue(int index, std::string text, double exact);
  ValueCell Cell(int index) const;
  void SetCell(int index, ValueCell cell);
  bool IsValueEmpty(int index) const { return ValueText(index).empty(); }
  // A non-empty text that is not a number: it counts as 0, and the window says so.
  bool IsUnreadable(int index) const;

  // Every header cell becomes name(index), the indices running from first_index.
  void WriteHeaders(const std::string& name, int first_index);
  // Empties every value cell; headers stay.
  void ClearValues();
  // Exchanges two value cells; with one index outside the table the other cell is emptied
  // (the value pushed off the end is lost), with both outside nothing happens.
  void SwapCells(int a, int b);
  // Reads the value cells up to the last non-empty one into work (at least one value: an
  // all-empty table reads as a single 0). Empty cells on the way become "0"; a cell gives its
  // exact value if it kept one, else its text's number, and 0 for a text that is none.
  // Returns the count.
  int Collect(double* work);

 private:
  static std::size_t TextSlot(int index);

  std::array<std::string, kColumns * kRows> texts_;
  std::array<std::optional<double>, kValueCells> exact_;
};
