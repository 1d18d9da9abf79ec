#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dialogs/table_cell_input.h"
#include "dialogs/table_model.h"
#include "numeric/key_filters.h"
#include "platform/messages.h"

namespace {

std::vector<double> Accepted(const TableModel& table) { return {table.Values().begin(), table.Values().end()}; }

std::vector<double> Working(const TableModel& table) { return {table.WorkValues().begin(), table.WorkValues().end()}; }

// The value cell texts 0 … count − 1.
std::vector<std::string> Texts(const TableModel& table, int count) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(table.Cells().ValueText(i));
  return texts;
}

void Type(TableModel& table, std::vector<std::string> texts) {
  for (int i = 0; i < static_cast<int>(texts.size()); ++i) table.SetValueText(i, texts[i]);
}

TEST(TableModelTest, CellLayoutAndHeaderTexts) {
  EXPECT_EQ(TableCells::IndexToCell(0).row, 1);
  EXPECT_EQ(TableCells::IndexToCell(13).column, 3);
  EXPECT_EQ(TableCells::IndexToCell(13).row, 3);
  EXPECT_EQ(TableCells::IndexToCell(499).row, 99);
  EXPECT_EQ(TableCells::CellToIndex(9, 99), 499);
  EXPECT_EQ(TableCells::CellToIndex(4, 5), 24);

  TableModel table;
  EXPECT_EQ(table.Title(), "Редактор таблиц");
  EXPECT_EQ(table.CellText(0, 0), "s(0)");
  table.SetTableName("b");
  table.SetFirstIndex(1);
  EXPECT_EQ(table.CellText(0, 0), "b(1)");
  EXPECT_EQ(table.CellText(3, 2), "b(14)");
  EXPECT_EQ(table.CellText(9, 98), "b(500)");
  EXPECT_EQ(table.DiagramNameY(), "b(n)");
  EXPECT_FALSE(table.SetCellText(0, 0, "5"));  // headers are not editable
  EXPECT_EQ(table.CellText(0, 0), "b(1)");
  EXPECT_EQ(table.CellText(10, 1), "");  // outside the grid
  EXPECT_EQ(table.CellText(0, 100), "");
}

TEST(TableModelTest, EmptyGridAcceptedAsSingleZero) {
  TableModel table;
  table.Show();
  table.Accept();
  table.Close();
  EXPECT_TRUE(table.IsProcessed());
  EXPECT_EQ(Accepted(table), std::vector<double>{0.0});
  EXPECT_EQ(table.Cells().ValueText(0), "0");
  table.ClearProcessed();
  EXPECT_FALSE(table.IsProcessed());
}

TEST(TableModelTest, CollectingFillsGapsAndReadsUnreadableTextAsZero) {
  TableModel table;
  table.SetValueText(0, "1,5");
  table.SetValueText(3, "-2.25");  // a point is read too
  table.CollectValues();
  EXPECT_EQ(table.WorkCount(), 4);
  EXPECT_EQ(Texts(table, 4), (std::vector<std::string>{"1,5", "0", "0", "-2.25"}));
  EXPECT_EQ(Working(table), (std::vector<double>{1.5, 0, 0, -2.25}));

  table.SetValueText(1, "abc");
  table.SetValueText(2, std::string(100000, '9'));  // far too long for a number
  table.SetValueText(4, "-");
  table.CollectValues();
  EXPECT_EQ(Working(table), (std::vector<double>{1.5, 0, 0, -2.25, 0}));
  EXPECT_EQ(table.FirstUnreadableIndex(), 1);

  // Typing stopped short of a number: no digit, or a comma with none after it. Each counts as 0
  // and is marked, though the platform's conversion reads "0," and "5,".
  Type(table, {"-", ",", "0,", "5,", "-,", ",5", "-0,25", "1E-7", "7"});
  table.CollectValues();
  EXPECT_EQ(Working(table), (std::vector<double>{0, 0, 0, 0, 0, 0.5, -0.25, 1e-7, 7}));
  for (int index = 0; index < 9; ++index) EXPECT_EQ(table.Cells().IsUnreadable(index), index < 5) << index;
  EXPECT_EQ(table.FirstUnreadableIndex(), 0);
  Type(table, {"1", "2", "3", "4", "5"});
  EXPECT_EQ(table.FirstUnreadableIndex(), -1);
  EXPECT_FALSE(table.Cells().IsUnreadable(20));  // an empty cell holds no value, not a bad one
}

TEST(TableModelTest, AcceptingTakesTheGridAndAnyOtherCloseRestoresIt) {
  TableModel table;
  const double values[] = {std::cos(1.0), -2.0, 1e-7};
  table.SetValues(values, 3);
  EXPECT_EQ(Texts(table, 4), (std::vector<std::string>{"0,5403", "-2,0000", "0,0000", ""}));
  EXPECT_EQ(Accepted(table), (std::vector<double>{std::cos(1.0), -2.0, 1e-7}));

  // Edits closed without "Обработать данные" are dropped; the grid shows the accepted values
  // in the general format.
  table.Show();
  table.SetValueText(0, "7");
  table.SetValueText(5, "8");
  table.Close();
  EXPECT_FALSE(table.IsProcessed());
  EXPECT_EQ(Accepted(table), (std::vector<double>{std::cos(1.0), -2.0, 1e-7}));
  EXPECT_EQ(Texts(table, 6), (std::vector<std::string>{"0,54030230586814", "-2", "1E-7", "", "", ""}));

  // The texts are rounded, the values behind them are not: accepting untouched cells gives the
  // exact values back, after SetValues as after a refill. Only a typed cell takes its text.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) table.SetValues(values, 3);
    table.Show();
    table.Accept();
    table.Close();
    EXPECT_TRUE(table.IsProcessed());
    EXPECT_EQ(Accepted(table), (std::vector<double>{std::cos(1.0), -2.0, 1e-7}));
  }
  table.Show();
  EXPECT_TRUE(table.SetCellText(0, 1, "0,5403"));  // the same text: still untouched
  EXPECT_TRUE(table.SetCellText(2, 1, "0,0000"));
  EXPECT_TRUE(table.SetCellText(1, 1, "-2,5"));
  table.Accept();
  table.Close();
  EXPECT_EQ(Accepted(table), (std::vector<double>{std::cos(1.0), -2.5, 1e-7}));
}

TEST(TableModelTest, SetValuesTakesTheMagnitudeOfTheCountAndAtMost500) {
  TableModel table;
  table.Show();
  table.Accept();  // processed, with one working value
  std::vector<double> many(600);
  for (int i = 0; i < 600; ++i) many[static_cast<std::size_t>(i)] = i;
  table.SetValues(many.data(), -3);
  EXPECT_EQ(Accepted(table), (std::vector<double>{0, 1, 2}));
  table.SetValues(many.data(), 600);
  EXPECT_EQ(table.ValueCount(), 500);
  EXPECT_EQ(table.Values()[499], 499.0);
  EXPECT_EQ(table.Cells().ValueText(499), "499,0000");
  EXPECT_TRUE(table.IsProcessed());  // untouched, as are the working values
  EXPECT_EQ(table.WorkCount(), 1);
  table.SetValues(nullptr, 5);
  EXPECT_EQ(table.ValueCount(), 0);
}

TEST(TableModelTest, InsertAndDeleteMoveTheFollowingValues) {
  TableModel table;
  table.SetSequentialInput(false);
  Type(table, {"1", "2", "3", "4", "5"});
  ASSERT_TRUE(table.SelectCell(2, 1));
  table.InsertCell();
  EXPECT_EQ(Texts(table, 7), (std::vector<std::string>{"1", "2", "", "3", "4", "5", ""}));
  table.DeleteCell();
  EXPECT_EQ(Texts(table, 6), (std::vector<std::string>{"1", "2", "3", "4", "5", ""}));
  ASSERT_TRUE(table.SelectCell(0, 1));
  table.DeleteCell();
  EXPECT_EQ(Texts(table, 5), (std::vector<std::string>{"2", "3", "4", "5", ""}));

  // A full table loses its last value on insert and empties its last cell on delete.
  for (int i = 0; i < 500; ++i) table.SetValueText(i, std::to_string(i));
  table.NewTable();
  for (int i = 0; i < 500; ++i) table.SetValueText(i, std::to_string(i));
  table.InsertCell();  // the cursor is on cell 0 after "Новая таблица"
  EXPECT_EQ(table.Cells().ValueText(0), "");
  EXPECT_EQ(table.Cells().ValueText(1), "0");
  EXPECT_EQ(table.Cells().ValueText(499), "498");
  ASSERT_TRUE(table.SelectCell(9, 99));
  table.DeleteCell();
  EXPECT_EQ(table.Cells().ValueText(498), "497");
  EXPECT_EQ(table.Cells().ValueText(499), "");
}

TEST(TableModelTest, SwapCellsNeverReachesOutsideTheTable) {
  TableModel table;
  Type(table, {"1", "2", "3", "4"});
  table.SwapCells(-1, 500);
  table.SwapCells(600, -7);
  EXPECT_EQ(Texts(table, 4), (std::vector<std::string>{"1", "2", "3", "4"}));
  table.SwapCells(-1, 3);
  table.SwapCells(1, 500);
  EXPECT_EQ(Texts(table, 4), (std::vector<std::string>{"1", "", "3", ""}));
  table.SwapCells(0, 2);
  EXPECT_EQ(Texts(table, 4), (std::vector<std::string>{"3", "", "1", ""}));
}

TEST(TableModelTest, SequentialInputRefusesCellsPastTheFirstEmptyOne) {
  TableModel table;
  table.Show();
  Type(table, {"1", "2", "3"});
  EXPECT_FALSE(table.SelectCell(5, 1));
  EXPECT_EQ(table.CursorIndex(), 0);
  EXPECT_TRUE(table.SelectCell(3, 1));
  EXPECT_EQ(table.CursorIndex(), 3);
  EXPECT_FALSE(table.SelectCell(0, 3));  // index 10

  // Header rows pass the cursor on in the direction of travel.
  EXPECT_TRUE(table.SelectCell(1, 0));
  EXPECT_EQ(table.CursorRow(), 1);
  EXPECT_EQ(table.CursorColumn(), 1);
  table.NoteKeyDown(GridKey::kUpArrow);
  EXPECT_FALSE(table.SelectCell(1, 0));  // nothing above the first header row
  table.NoteKeyDown(GridKey::kUpArrow);
  EXPECT_TRUE(table.SelectCell(2, 2));  // upward: the value row above
  EXPECT_EQ(table.CursorRow(), 1);
  EXPECT_FALSE(table.SelectCell(2, 2));  // the mark was used up: downward to index 12, refused

  table.SetSequentialInput(false);
  EXPECT_TRUE(table.SelectCell(5, 9));
  EXPECT_EQ(table.CursorIndex(), 45);
  // Turning it on again puts the cursor on the last value.
  table.SetSequentialInput(true);
  EXPECT_EQ(table.CursorIndex(), 2);
}

TEST(TableModelTest, EnterWritesZeroAndWalksOnThroughEmptyCells) {
  TableModel table;
  table.Show();
  EXPECT_TRUE(table.PressEnter());
  EXPECT_EQ(table.Cells().ValueText(0), "0");
  EXPECT_EQ(table.CursorIndex(), 1);
  table.SetValueText(1, "5");
  EXPECT_FALSE(table.SelectCell(9, 1));  // past the data
  table.SetSequentialInput(false);
  ASSERT_TRUE(table.SelectCell(9, 1));
  EXPECT_TRUE(table.PressEnter());  // wraps to the next value row
  EXPECT_EQ(table.CursorRow(), 3);
  EXPECT_EQ(table.CursorColumn(), 0);

  ASSERT_TRUE(table.SelectCell(0, 1));
  EXPECT_TRUE(table.PressEnter());  // on over a value too, as Tab goes
  EXPECT_EQ(table.CursorIndex(), 1);
  table.SetValueText(TableModel::kCapacity - 1, "7");
  const CellPosition last = TableCells::IndexToCell(TableModel::kCapacity - 1);
  ASSERT_TRUE(table.SelectCell(last.column, last.row));
  EXPECT_FALSE(table.PressEnter());  // the last cell keeps the cursor
  EXPECT_EQ(table.CursorIndex(), TableModel::kCapacity - 1);
  table.SetEnterMovesOn(false);
  ASSERT_TRUE(table.SelectCell(5, 1));
  EXPECT_FALSE(table.PressEnter());
  EXPECT_EQ(table.Cells().ValueText(5), "");
}

TEST(TableModelTest, CellKeysAllowOnlyASignedDecimalNumber) {
  const auto at_end = [](const std::string& text) { return EditFieldState{text, CharacterCount(text)}; };
  std::string text;
  for (char32_t key : {U'-', U'1', U'.', U'5'}) {
    FilterCellKey(key, at_end(text), TableModel::kMaxChars);
    ASSERT_NE(key, kNullKey);
    text += static_cast<char>(key);
  }
  EXPECT_EQ(text, "-1,5");
  for (char32_t key : {U',', U'.', U'-', U'+', U'a', U' ', U'б'}) {
    FilterCellKey(key, at_end(text), TableModel::kMaxChars);
    EXPECT_EQ(key, kNullKey);
  }
  char32_t ninth = U'9';
  FilterCellKey(ninth, at_end("12345678"), TableModel::kMaxChars);
  EXPECT_EQ(ninth, kNullKey);
  for (char32_t key : {char32_t{8}, char32_t{9}, char32_t{13}}) {
    FilterCellKey(key, at_end("12345678"), TableModel::kMaxChars);
    EXPECT_NE(key, kNullKey);
  }
  // An exponent: one E after a digit, its own sign, digits; no comma in it.
  text = "-2,5";
  for (char32_t key : {U'E', U'-', U'2'}) {
    FilterCellKey(key, at_end(text), TableModel::kMaxChars);
    ASSERT_NE(key, kNullKey);
    text += static_cast<char>(key);
  }
  EXPECT_EQ(text, "-2,5E-2");
  for (char32_t key : {U'e', U'-', U','}) {
    FilterCellKey(key, at_end(text), TableModel::kMaxChars);
    EXPECT_EQ(key, kNullKey);
  }
  char32_t leading = U'-';
  FilterCellKey(leading, {"1e-3", 0}, TableModel::kMaxChars);
  EXPECT_EQ(leading, U'-');  // the exponent's sign is not the number's
  EXPECT_EQ(RemoveMisplacedMinus({"1e-3", 3}).text, "1e-3");

  // A minus that is not first is taken back: typed after a digit, or pasted inside.
  EXPECT_EQ(RemoveMisplacedMinus({"1-", 2}).text, "1");
  EXPECT_EQ(RemoveMisplacedMinus({"-5", 1}).text, "-5");
  const CellEdit pasted = RemoveMisplacedMinus({"1-2", 3});
  EXPECT_EQ(pasted.text, "1");
  EXPECT_EQ(pasted.caret, 1);
  EXPECT_EQ(RemoveMisplacedMinus({"5-", 0}).text, "5-");  // no Backspace at the start
  EXPECT_EQ(RemoveMisplacedMinus({"5-", 99}).text, "5");

  // The editor types over its selection: the filter sees the text without it.
  EXPECT_EQ(FilterTypedCellKey(U'2', {"0,54030230586814", 0, 16}, TableModel::kMaxChars), U'2');
  EXPECT_EQ(FilterTypedCellKey(U',', {"1,5", 0, 3}, TableModel::kMaxChars), U',');
  EXPECT_EQ(FilterTypedCellKey(U',', {"1,5", 3, 0}, TableModel::kMaxChars), kNullKey);
  // Typing puts a minus anywhere and takes it back; a paste holding one there is refused.
  EXPECT_EQ(FilterTypedCellKey(U'-', {"12", 1, 0}, TableModel::kMaxChars), U'-');
  EXPECT_EQ(FilterPastedCellKey(U'-', {"12", 1, 0}, TableModel::kMaxChars), kNullKey);
  EXPECT_EQ(FilterPastedCellKey(U'-', {"12", 0, 0}, TableModel::kMaxChars), U'-');
  EXPECT_EQ(FilterPastedCellKey(U'-', {"1e", 2, 0}, TableModel::kMaxChars), U'-');
}

TEST(TableModelTest, NewTableEmptiesOnlyTheValueCells) {
  TableModel table;
  table.SetTableName("x");
  const double values[] = {4, 5};
  table.SetValues(values, 2);
  table.SetSequentialInput(false);
  ASSERT_TRUE(table.SelectCell(7, 5));
  table.NewTable();
  EXPECT_EQ(Texts(table, 2), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(table.CellText(1, 0), "x(1)");
  EXPECT_EQ(Accepted(table), (std::vector<double>{4, 5}));
  EXPECT_EQ(table.CursorIndex(), 0);
  EXPECT_FALSE(table.IsSequentialInput());
}

TEST(TableModelTest, DiagramShowsASingleValueAsThreePoints) {
  TableModel table;
  table.SetFirstIndex(1);
  table.SetValueText(0, "5");
  TableDiagramData single = table.PrepareDiagram();
  ASSERT_EQ(single.count, 3);
  EXPECT_EQ(std::vector<double>(single.values, single.values + 3), (std::vector<double>{5, 0, 0}));
  EXPECT_EQ(single.first_argument, 1);

  table.SetValueText(1, "-3");
  TableDiagramData two = table.PrepareDiagram();
  ASSERT_EQ(two.count, 2);
  EXPECT_EQ(two.values[1], -3);
}

}  // namespace
