#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "dialogs/table_files.h"
#include "dialogs/table_model.h"
#include "platform/messages.h"
#include "support/file_size_limit.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

class TableFilesTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }

  std::string WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
    return PathOf(name);
  }

  static std::string ReadBytes(const std::string& path) { return ReadFile(path); }

  int FilesInDir() const { return static_cast<int>(std::distance(fs::directory_iterator(dir_), {})); }

  TemporaryFolder folder_;
  const fs::path& dir_ = folder_.Path();
};

// Little-endian bytes written out by hand.
const std::string kOnePointFive("\x00\x00\x00\x00\x00\x00\xF8\x3F", 8);             // 1.5
const std::string kMinusTwoPointTwentyFive("\x00\x00\x00\x00\x00\x00\x02\xC0", 8);  // -2.25
const std::string kOneTenth("\x9A\x99\x99\x99\x99\x99\xB9\x3F", 8);                 // 0.1
const std::string kPositiveInfinity("\x00\x00\x00\x00\x00\x00\xF0\x7F", 8);
const std::string kNegativeInfinity("\x00\x00\x00\x00\x00\x00\xF0\xFF", 8);
const std::string kQuietNaN("\x00\x00\x00\x00\x00\x00\xF8\x7F", 8);

std::vector<double> Working(const TableModel& table) { return {table.WorkValues().begin(), table.WorkValues().end()}; }

TEST_F(TableFilesTest, ReadsWholeValuesAndTellsOfAShortTail) {
  TableModel table;
  const double accepted = 9;
  table.SetValues(&accepted, 1);
  MessageRecorder messages;
  const std::string twenty = WriteBytes("twenty.tbl", kOnePointFive + kMinusTwoPointTwentyFive + "abcd");
  ASSERT_TRUE(table.LoadFile(twenty));
  EXPECT_EQ(table.Cells().ValueText(0), "1,5");
  EXPECT_EQ(table.Cells().ValueText(1), "-2,25");
  EXPECT_EQ(table.Cells().ValueText(2), "");
  EXPECT_EQ(Working(table), (std::vector<double>{1.5, -2.25}));
  EXPECT_EQ(table.Values()[0], 9);  // loading does not accept
  EXPECT_EQ(messages.Messages(),
            std::vector<std::string>{"Файл прочитан с изменениями\n" + twenty +
                                     "\nОстаток в конце файла короче одного значения и пропущен (байт: 4)."});

  messages.Clear();
  for (const std::string& bytes : {std::string(), std::string("xyz")}) {
    ASSERT_TRUE(table.LoadFile(WriteBytes("short.inp", bytes)));
    EXPECT_EQ(Working(table), std::vector<double>{0.0});
    EXPECT_EQ(table.Cells().ValueText(0), "0");
    EXPECT_EQ(table.Cells().ValueText(1), "");
  }
  EXPECT_EQ(messages.Messages().size(), 1u);  // the 3-byte tail; the empty file is whole
}

TEST_F(TableFilesTest, ValuesTheAnalysisCannotTakeAreReplacedAndNamed) {
  TableModel table;
  table.SetTableName("x");
  table.SetFirstIndex(1);
  const std::string limit("\x00\x00\x00\xE8\x76\x48\x37\x42", 8);      // 1E11 itself stays
  const std::string huge("\x00\x00\x00\x00\x00\x00\x30\x7F", 8);       // 2^1012 ≈ 4,4E304
  const std::string minus_big("\x00\x00\x00\xA2\x94\x1A\x6D\xC2", 8);  // -1E12
  MessageRecorder messages;
  const std::string path = WriteBytes("odd.tbl", kOneTenth + kPositiveInfinity + kNegativeInfinity + kQuietNaN + limit +
                                                     huge + minus_big + kOnePointFive + "z");
  ASSERT_TRUE(table.LoadFile(path));
  EXPECT_EQ(Working(table), (std::vector<double>{0.1, 1e11, -1e11, 0, 1e11, 1e11, -1e11, 1.5}));
  EXPECT_EQ(table.Cells().ValueText(1), "100000000000");
  EXPECT_EQ(table.FirstUnreadableIndex(), -1);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Файл прочитан с изменениями\n" + path +
                                                          "\nЗначения, непригодные для расчёта, заменены:"
                                                          "\nx(2): +∞ → 100000000000"
                                                          "\nx(3): −∞ → -100000000000"
                                                          "\nx(4): не число (NaN) → 0"
                                                          "\nx(6): 4,38889925503495E304 → 100000000000"
                                                          "\nx(7): -1000000000000 → -100000000000"
                                                          "\nОстаток в конце файла короче одного значения и "
                                                          "пропущен (байт: 1)."});

  // Past ten replaced entries the rest is counted.
  messages.Clear();
  std::string many;
  for (int i = 0; i < 25; ++i) many += kQuietNaN;
  ASSERT_TRUE(table.LoadFile(WriteBytes("nan.tbl", many)));
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_NE(messages.Messages()[0].find("\nx(10): не число (NaN) → 0\n… и ещё 15"), std::string::npos);
  EXPECT_EQ(messages.Messages()[0].find("x(11)"), std::string::npos);
}

TEST_F(TableFilesTest, AHugeFileGivesItsFirst500ValuesAndSaysSo) {
  std::string bytes;
  bytes.reserve(10u << 20);
  while (bytes.size() + 8 <= (10u << 20)) bytes += bytes.size() / 8 % 2 == 0 ? kOnePointFive : kOneTenth;
  TableModel table;
  MessageRecorder messages;
  const std::string path = WriteBytes("big.tbl", bytes);
  ASSERT_TRUE(table.LoadFile(path));
  EXPECT_EQ(table.WorkCount(), 500);
  EXPECT_EQ(table.WorkValues()[498], 1.5);
  EXPECT_EQ(table.WorkValues()[499], 0.1);
  // 10 MiB of 8-byte values: 1310720 of them.
  EXPECT_EQ(messages.Messages(),
            std::vector<std::string>{"Файл прочитан с изменениями\n" + path +
                                     "\nЗначений в файле: 1310720; таблица вмещает 500, прочитаны первые 500."});
}

TEST_F(TableFilesTest, WhatCannotBeOpenedIsReportedWithItsNameAndReasonAndChangesNothing) {
  TableModel table;
  table.SetValueText(0, "7");
  const std::string fifo = PathOf("pipe.tbl");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(PathOf("folder.tbl"));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {PathOf("folder.tbl"), "Это папка, а не файл"},
      {PathOf("missing.tbl"), "Нет такого файла или папки"},
      {fifo, "Это не обычный файл, а устройство или канал"},
  };
  for (const auto& [path, reason] : cases) {
    MessageRecorder messages;
    EXPECT_FALSE(table.LoadFile(path));
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Не удаётся открыть файл\n" + path + "\n" + reason});
    EXPECT_EQ(table.Cells().ValueText(0), "7");
  }
  const TableFileRead missing = ReadTableFile(PathOf("missing.tbl"), 500);
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.error, ENOENT);
}

TEST_F(TableFilesTest, OpenThenSaveWritesBackTheSameFile) {
  // Values whose 15-digit texts are not the values: 0,1 + 0,2, one third, π, a subnormal,
  // minus zero, and 17 digits just under the filters' limit.
  const std::string original = std::string("\x34\x33\x33\x33\x33\x33\xD3\x3F", 8) +  // 0.30000000000000004
                               std::string("\x55\x55\x55\x55\x55\x55\xD5\x3F", 8) +  // 1/3
                               std::string("\x18\x2D\x44\x54\xFB\x21\x09\x40", 8) +  // π
                               std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8) +  // 4,9E-324
                               std::string("\x00\x00\x00\x00\x00\x00\x00\x80", 8) +  // -0
                               std::string("\x65\xE0\x2D\xE5\xE0\xFE\x36\x42", 8);   // 98765432109.87654
  const std::string path = WriteBytes("exact.tbl", original);
  TableModel table;
  table.SetSequentialInput(false);
  MessageRecorder messages;
  ASSERT_TRUE(table.LoadFile(path));
  EXPECT_EQ(table.Cells().ValueText(0), "0,3");
  ASSERT_TRUE(table.SaveFile(PathOf("copy.tbl")));
  EXPECT_EQ(ReadBytes(PathOf("copy.tbl")), original);

  // Cells moved by insert and delete carry their values along; a typed cell takes its text's.
  ASSERT_TRUE(table.SelectCell(1, 1));
  table.InsertCell();
  table.DeleteCell();
  table.SetCellText(2, 1, "3,14");
  ASSERT_TRUE(table.SaveFile(PathOf("edited.tbl")));
  std::string expected = original;
  expected.replace(16, 8, "\x1F\x85\xEB\x51\xB8\x1E\x09\x40", 8);  // 3.14
  EXPECT_EQ(ReadBytes(PathOf("edited.tbl")), expected);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(TableFilesTest, SavingWritesTheGridAsLittleEndianDoubles) {
  TableModel table;
  table.SetValueText(0, "0,1");
  table.SetValueText(2, "-2,25");
  const std::string path = PathOf("Таблица.tbl");
  ASSERT_TRUE(table.SaveFile(path));
  EXPECT_EQ(ReadBytes(path), kOneTenth + std::string(8, '\0') + kMinusTwoPointTwentyFive);
  EXPECT_EQ(table.ValueCount(), 0);  // saving does not accept
  EXPECT_EQ(FilesInDir(), 1);

  TableModel loaded;
  ASSERT_TRUE(loaded.LoadFile(path));
  EXPECT_EQ(Working(loaded), (std::vector<double>{0.1, 0, -2.25}));
}

TEST_F(TableFilesTest, AFileThatCannotBeCreatedIsReportedAndTheGridStaysAsItWas) {
  TableModel table;
  table.SetValueText(0, "1");
  table.SetValueText(2, "3");
  fs::create_directory(PathOf("folder.tbl"));
  const std::string read_only = WriteBytes("read-only.tbl", kOnePointFive);
  chmod(read_only.c_str(), 0444);
  const std::pair<std::string, std::string> cases[] = {{PathOf("no/such/folder/a.tbl"), "Нет такого файла или папки"},
                                                       {PathOf("folder.tbl"), "Это папка, а не файл"},
                                                       {read_only, "Файл доступен только для чтения"}};
  for (const auto& [path, reason] : cases) {
    MessageRecorder messages;
    EXPECT_FALSE(table.SaveFile(path));
    EXPECT_FALSE(table.ExportSpreadsheet(path));
    const std::string message = "Не удаётся создать файл\n" + path + "\n" + reason;
    EXPECT_EQ(messages.Messages(), (std::vector<std::string>{message, message}));
  }
  EXPECT_TRUE(fs::is_directory(PathOf("folder.tbl")));
  EXPECT_EQ(ReadBytes(read_only), kOnePointFive);
  EXPECT_EQ(FilesInDir(), 2);  // no temporary left behind
}

TEST_F(TableFilesTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
  const std::string path = WriteBytes("old.tbl", kOnePointFive + kOneTenth);
  TableModel table;
  for (int i = 0; i < 500; ++i) table.SetValueText(i, std::to_string(i));

  // Files may not grow past 1 KiB for a moment: the 4000-byte table cannot be written.
  std::vector<std::string> shown;
  {
    const FileSizeLimit full_disk(1024);
    ASSERT_TRUE(full_disk.IsApplied());
    MessageRecorder messages;
    EXPECT_FALSE(table.SaveFile(path));
    shown = messages.Messages();
  }
  EXPECT_EQ(shown, std::vector<std::string>{"Не удаётся создать файл\n" + path + "\nФайл слишком велик"});
  EXPECT_EQ(ReadBytes(path), kOnePointFive + kOneTenth);
  EXPECT_EQ(FilesInDir(), 1);
}

TEST_F(TableFilesTest, SpreadsheetExportIsTabSeparatedWithoutAFinalLineBreak) {
  TableModel table;
  table.SetTableName("a");
  table.SetValueText(0, "1");
  table.SetValueText(1, "0");
  table.SetValueText(2, "0");
  const std::string path = PathOf("Таблица.xls");
  ASSERT_TRUE(table.ExportSpreadsheet(path));
  EXPECT_EQ(ReadBytes(path),
            "a(0)\ta(1)\ta(2)\ta(3)\ta(4)\ta(5)\ta(6)\ta(7)\ta(8)\ta(9)\t\r\n"
            "1\t0\t0\t");

  // Twelve values: a whole value row, the next header row, and two values.
  table.SetValueText(11, "-1,5");
  ASSERT_TRUE(table.ExportSpreadsheet(path));
  EXPECT_EQ(ReadBytes(path),
            "a(0)\ta(1)\ta(2)\ta(3)\ta(4)\ta(5)\ta(6)\ta(7)\ta(8)\ta(9)\t\r\n"
            "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\r\n"
            "a(10)\ta(11)\ta(12)\ta(13)\ta(14)\ta(15)\ta(16)\ta(17)\ta(18)\ta(19)\t\r\n"
            "0\t-1,5\t");
}

TEST_F(TableFilesTest, FileNamesAndTheirExtensions) {
  EXPECT_EQ(LowerCaseExtension("/tmp/Данные.TBL"), ".tbl");
  EXPECT_EQ(LowerCaseExtension("/tmp/x.d/name"), "");
  EXPECT_EQ(WithExtension("Таблица", ".xls"), "Таблица.xls");
  EXPECT_EQ(WithExtension("/a.b/c.txt", ".tbl"), "/a.b/c.tbl");

  // Save: a .txt answer is refused with the message and proposed again as .tbl.
  std::vector<std::string> proposals;
  std::vector<std::string> answers = {"/d/data.txt", "/d/data.TBL"};
  MessageRecorder messages;
  const auto chosen = ChooseTableSaveName([&](const std::string& proposed) -> std::optional<std::string> {
    proposals.push_back(proposed);
    const std::string answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  });
  EXPECT_EQ(chosen, std::optional<std::string>("/d/data.TBL"));
  EXPECT_EQ(proposals, (std::vector<std::string>{"Таблица.tbl", "/d/data.tbl"}));
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{kUnsupportedFormatMessage});
  EXPECT_EQ(ChooseTableSaveName([](const std::string&) { return std::optional<std::string>(); }), std::nullopt);

  // Open: .tbl and .inp are taken; the dialog's name is emptied after a refusal.
  messages.Clear();
  std::vector<bool> cleared;
  int pass = 0;
  const auto opened = ChooseTableOpenName([&](bool clear_name) -> std::optional<std::string> {
    cleared.push_back(clear_name);
    return ++pass == 1 ? "x.doc" : "y.INP";
  });
  EXPECT_EQ(opened, std::optional<std::string>("y.INP"));
  EXPECT_EQ(cleared, (std::vector<bool>{false, true}));
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Формат файлов с указанным расширением не поддерживатеся."});
}

}  // namespace
