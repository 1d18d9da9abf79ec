#include "dialogs/ui/table_editor.h"

#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "diagram/keeper.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"
#include "platform/messages.h"
#include "support/modal_answers.h"
#include "support/table_typing.h"

namespace {

// A table editor on the screen as a modal showing puts it there.
struct ShownEditor {
  TTabEditorForm form;
  MessageRecorder messages;

  ShownEditor() {
    form.SetTableName("a");
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
};

std::filesystem::path TempDir() {
  const auto dir = std::filesystem::temp_directory_path() / ("velmar_table_editor_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(TableEditorTest, SequentialInputEnterWalkingAndHeaderRows) {
  ShownEditor e;
  TypeValues(e.form, {"1", "2", "3"});
  EXPECT_EQ(CellText(e.form, 0), "1");
  EXPECT_EQ(CellText(e.form, 2), "3");
  EXPECT_EQ(e.form.Model().CursorIndex(), 3);

  // Beyond the first empty cell after the data a click is refused; up to it, allowed.
  ClickCell(e.form, 5, 1);
  EXPECT_EQ(e.form.Model().CursorIndex(), 3);
  ClickCell(e.form, 1, 1);
  EXPECT_EQ(e.form.Model().CursorIndex(), 1);
  // A click on a header cell selects the value below it.
  ClickCell(e.form, 0, 0);
  EXPECT_EQ(e.form.Model().CursorRow(), 1);
  EXPECT_EQ(e.form.Model().CursorColumn(), 0);

  // Enter in an empty cell writes 0 and goes on; from column 9 it wraps to the next value row.
  ClickCell(e.form, 3, 1);
  PressEnter(e.form);
  EXPECT_EQ(CellText(e.form, 3), "0");
  EXPECT_EQ(e.form.Model().CursorIndex(), 4);
  TypeValues(e.form, {"4", "5", "6", "7", "8", "9"});
  EXPECT_EQ(e.form.Model().CursorRow(), 3);
  EXPECT_EQ(e.form.Model().CursorColumn(), 0);
  // Arrow keys pass over the header row in their direction.
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Up);
  EXPECT_EQ(e.form.Model().CursorRow(), 1);
  EXPECT_EQ(e.form.Model().CursorColumn(), 0);
  EXPECT_TRUE(e.messages.Messages().empty());
}

TEST(TableEditorTest, KeyFilterLetsOnlyANumberIn) {
  ShownEditor e;
  TypeText(e.form, "-1.5");
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->text().toStdString(), "-1,5");
  TypeText(e.form, ",-x");
  EXPECT_EQ(CellText(e.form, 0), "-1,5");
  PressEnter(e.form);

  // A minus typed after a digit is taken back by a Backspace press.
  TypeText(e.form, "12");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Home);
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Right);
  QTest::keyClicks(e.form.StringGrid1->OpenEditor(), "-");
  QCoreApplication::processEvents();  // the Backspace press is queued
  EXPECT_EQ(CellText(e.form, 1), "12");
  PressEnter(e.form);

  // Eight characters at most.
  TypeText(e.form, "12345678");
  TypeText(e.form, "9");
  EXPECT_EQ(CellText(e.form, 2), "12345678");
}

TEST(TableEditorTest, ProcessedEditsAreAcceptedOtherClosesDiscardThem) {
  ShownEditor e;
  e.form.SpeedButton1->click();  // an empty grid: one value 0
  EXPECT_FALSE(e.form.isVisible());
  EXPECT_TRUE(e.form.IsProcessed());
  ASSERT_EQ(e.form.Model().ValueCount(), 1);
  EXPECT_EQ(e.form.Model().Values()[0], 0.0);
  EXPECT_EQ(CellText(e.form, 0), "0");

  e.form.show();
  EXPECT_FALSE(e.form.IsProcessed());  // each showing starts unprocessed
  TypeValues(e.form, {"2,5", "-1"});
  e.form.SpeedButton1->click();
  ASSERT_EQ(e.form.Model().ValueCount(), 2);
  EXPECT_EQ(e.form.Model().Values()[1], -1.0);

  e.form.show();
  ClickCell(e.form, 2, 1);
  TypeValues(e.form, {"7"});
  e.form.SpeedButton8->click();  // "Закрыть": the 7 is gone, the accepted values come back
  EXPECT_FALSE(e.form.IsProcessed());
  EXPECT_EQ(e.form.Model().ValueCount(), 2);
  EXPECT_EQ(CellText(e.form, 0), "2,5");
  EXPECT_EQ(CellText(e.form, 2), "");

  e.form.show();
  TypeValues(e.form, {"9"});
  e.form.close();  // the window's close box discards as well
  EXPECT_EQ(CellText(e.form, 0), "2,5");
}

TEST(TableEditorTest, OpenAndSaveDialogsWithTheirLoopsAndMessages) {
  ShownEditor e;
  const auto dir = TempDir();
  const std::string table = (dir / "двадцать.tbl").string();
  {
    const double values[2] = {1.5, -2};
    std::ofstream file(table, std::ios::binary);
    file.write(reinterpret_cast<const char*>(values), sizeof values);
    file.write("tail", 4);  // 20 bytes: the last 4 are no value
  }
  {
    ScriptedFileDialogs dialogs({(dir / "x.txt").string(), table});
    e.form.SpeedButton5->click();
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[0].filter,
              "Таблицы (*.tbl, *.inp)|*.tbl; *.inp|Таблицы (*.tbl)|*.tbl|Таблицы программы Tabrix (*.inp)|*.inp");
    EXPECT_EQ(dialogs.Requests()[1].file_name, "");  // emptied on the second pass
  }
  EXPECT_EQ(e.messages.Messages(), std::vector<std::string>{"Формат файлов с указанным расширением не поддерживатеся."});
  EXPECT_EQ(CellText(e.form, 0), "1,5");
  EXPECT_EQ(CellText(e.form, 1), "-2");
  EXPECT_EQ(CellText(e.form, 2), "");
  EXPECT_EQ(e.form.Model().ValueCount(), 0);  // loaded, not yet accepted

  e.messages.Clear();
  {
    ScriptedFileDialogs dialogs({(dir / "копия.txt").string(), (dir / "копия.tbl").string()});
    e.form.SpeedButton6->click();
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[0].file_name, "Таблица.tbl");
    EXPECT_EQ(dialogs.Requests()[0].title, "Сохранить");
    EXPECT_EQ(dialogs.Requests()[0].default_extension, "tbl");
    EXPECT_TRUE(dialogs.Requests()[0].confirm_overwrite);
    EXPECT_EQ(dialogs.Requests()[1].file_name, (dir / "копия.tbl").string());
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "копия.tbl"), 16u);

  e.messages.Clear();
  const std::string unreachable = (dir / "нет такой папки" / "t.tbl").string();
  {
    ScriptedFileDialogs dialogs({unreachable});
    e.form.SpeedButton6->click();
  }
  EXPECT_EQ(e.messages.Messages(),
            std::vector<std::string>{"Не удаётся создать файл\n" + unreachable + "\nНет такого файла или папки"});

  e.messages.Clear();
  {
    ScriptedFileDialogs dialogs({(dir / "нет.tbl").string()});
    e.form.SpeedButton5->click();
  }
  EXPECT_EQ(e.messages.Messages(), std::vector<std::string>{"Не удаётся открыть файл" + (dir / "нет.tbl").string()});
  EXPECT_EQ(CellText(e.form, 0), "1,5");  // the table is unchanged
  std::filesystem::remove_all(dir);
}

TEST(TableEditorTest, SpreadsheetExportWritesTheGridAsTabSeparatedText) {
  ShownEditor e;
  TypeValues(e.form, {"1", "0", "0"});
  const auto dir = TempDir();
  {
    ScriptedFileDialogs dialogs({(dir / "книга.txt").string()});
    e.form.SpeedButton7->click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].title, "Сохранение в формате Microsoft Exel");
    EXPECT_EQ(dialogs.Requests()[0].filter, "Книга Microsoft Exel (*.xls)|*.xls");
    EXPECT_EQ(dialogs.Requests()[0].file_name, "Таблица");
  }
  std::ifstream file(dir / "книга.xls", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "a(0)\ta(1)\ta(2)\ta(3)\ta(4)\ta(5)\ta(6)\ta(7)\ta(8)\ta(9)\t\r\n1\t0\t0\t");
  std::filesystem::remove_all(dir);
}

TEST(TableEditorTest, DiagramPageShowsASingleValueAsThreePoints) {
  ShownEditor e;
  e.form.SetFirstIndex(1);
  TypeValues(e.form, {"2,5"});
  e.form.PageControl1->setCurrentWidget(e.form.TabSheetDiagram);
  TDiagram* diagram = e.form.DiagramFrame1->Diagram;
  TKeeper* series = diagram->GetKeeper(0);
  EXPECT_EQ(series->GetKind(), gkDiscret);
  ASSERT_EQ(series->GetCount(), 3);
  EXPECT_EQ(series->SampleAt(0), 2.5);
  EXPECT_EQ(series->SampleAt(1), 0.0);
  EXPECT_EQ(series->GetXmin(), 1);
  EXPECT_EQ(series->GetXmax(), 3);
  EXPECT_EQ(diagram->GetYmin(), 0);
  EXPECT_EQ(diagram->GetYmax(), 2.5);
  EXPECT_EQ(diagram->GetNameY(), "a(n)");

  // The page can be hidden for the coefficient tables.
  e.form.SetDiagramVisible(false);
  EXPECT_FALSE(e.form.PageControl1->isTabVisible(e.form.PageControl1->indexOf(e.form.TabSheetDiagram)));
}

TEST(TableEditorTest, FrameModeOpensTheEditorOnlyWhenTyping) {
  ShownEditor e;
  EXPECT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  e.form.N17->trigger();  // "Рамка"
  EXPECT_TRUE(e.form.N17->isChecked());
  EXPECT_FALSE(e.form.N16->isChecked());
  EXPECT_EQ(e.form.StringGrid1->OpenEditor(), nullptr);
  e.form.N16->trigger();  // "Курсор": a Space opens the editor at once and is itself dropped
  EXPECT_TRUE(e.form.N16->isChecked());
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->text(), "");
}

}  // namespace
