#include <gtest/gtest.h>
#include <sys/stat.h>

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
const std::string kOnePointFive("\x00\x00\x00\x00\x00\x00\xF8\x3F", 8);          // 1.5
const std::string kMinusTwoPointTwentyFive("\x00\x00\x00\x00\x00\x00\x02\xC0", 8);  // -2.25
const std::string kOneTenth("\x9A\x99\x99\x99\x99\x99\xB9\x3F", 8);             // 0.1
const std::string kPositiveInfinity("\x00\x00\x00\x00\x00\x00\xF0\x7F", 8);
const std::string kNegativeInfinity("\x00\x00\x00\x00\x00\x00\xF0\xFF", 8);
const std::string kQuietNaN("\x00\x00\x00\x00\x00\x00\xF8\x7F", 8);

std::vector<double> Working(const TableModel& table) {
  return {table.WorkValues().begin(), table.WorkValues().end()};
}

TEST_F(TableFilesTest, ReadsWholeValuesAndIgnoresAShortTail) {
  TableModel table;
  const double accepted = 9;
  table.SetValues(&accepted, 1);
  MessageRecorder messages;
  ASSERT_TRUE(table.LoadFile(WriteBytes("twenty.tbl", kOnePointFive + kMinusTwoPointTwentyFive + "abcd")));
  EXPECT_EQ(table.Cells().ValueText(0), "1,5");
  EXPECT_EQ(table.Cells().ValueText(1), "-2,25");
  EXPECT_EQ(table.Cells().ValueText(2), "");
  EXPECT_EQ(Working(table), (std::vector<double>{1.5, -2.25}));
  EXPECT_EQ(table.Values()[0], 9);  // loading does not accept

  for (const std::string& bytes : {std::string(), std::string("xyz")}) {
    ASSERT_TRUE(table.LoadFile(WriteBytes("short.inp", bytes)));
    EXPECT_EQ(Working(table), std::vector<double>{0.0});
    EXPECT_EQ(table.Cells().ValueText(0), "0");
    EXPECT_EQ(table.Cells().ValueText(1), "");
  }
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(TableFilesTest, NonFiniteValuesLoadAsTextsThatCountAsZero) {
  TableModel table;
  ASSERT_TRUE(table.LoadFile(WriteBytes(
      "odd.tbl", kOneTenth + kPositiveInfinity + kNegativeInfinity + kQuietNaN + kOnePointFive)));
  EXPECT_EQ(table.Cells().ValueText(0), "0,1");
  EXPECT_EQ(table.Cells().ValueText(1), "INF");
  EXPECT_EQ(table.Cells().ValueText(2), "-INF");
  EXPECT_EQ(table.Cells().ValueText(3), "NAN");
  EXPECT_EQ(Working(table), (std::vector<double>{0.1, 0, 0, 0, 1.5}));
}

TEST_F(TableFilesTest, AHugeFileGivesItsFirst500Values) {
  std::string bytes;
  bytes.reserve(10u << 20);
  while (bytes.size() + 8 <= (10u << 20)) bytes += bytes.size() / 8 % 2 == 0 ? kOnePointFive : kOneTenth;
  TableModel table;
  ASSERT_TRUE(table.LoadFile(WriteBytes("big.tbl", bytes)));
  EXPECT_EQ(table.WorkCount(), 500);
  EXPECT_EQ(table.WorkValues()[498], 1.5);
  EXPECT_EQ(table.WorkValues()[499], 0.1);
}

TEST_F(TableFilesTest, WhatCannotBeOpenedIsReportedWithItsNameAndChangesNothing) {
  TableModel table;
  table.SetValueText(0, "7");
  const std::string fifo = PathOf("pipe.tbl");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(PathOf("folder.tbl"));
  for (const std::string& path : {PathOf("folder.tbl"), PathOf("missing.tbl"), fifo}) {
    MessageRecorder messages;
    EXPECT_FALSE(table.LoadFile(path));
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Не удаётся открыть файл" + path});
    EXPECT_EQ(table.Cells().ValueText(0), "7");
  }
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
  const std::pair<std::string, std::string> cases[] = {
      {PathOf("no/such/folder/a.tbl"), "Нет такого файла или папки"},
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
