#include "dialogs/ui/table_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "diagram/keeper.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"
#include "dialogs/ui/dialog_test_support.h"
#include "platform/messages.h"
#include "support/modal_answers.h"
#include "support/table_typing.h"

namespace {

// A table editor on the screen as a modal showing puts it there.
struct ShownEditor {
  TableModel model;
  TTabEditorForm form{model};
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

TEST(TableEditorTest, OpensMaximisedMakingItsPlatformWindowOnlyThen) {
  TableModel model;
  TTabEditorForm form{model};  // the program makes three of them while it starts
  EXPECT_FALSE(form.testAttribute(Qt::WA_WState_Created));
  form.show();
  EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
  form.hide();
  form.setWindowState(Qt::WindowNoState);
  form.show();  // as the user left it
  EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
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
  PressEnter(e.form);

  // Exponents are the numbers they say, their sign kept where it belongs.
  TypeValues(e.form, {"1e-3", "-2,5E2", "1e-e3"});
  EXPECT_EQ(CellText(e.form, 3), "1e-3");
  EXPECT_EQ(CellText(e.form, 4), "-2,5E2");
  EXPECT_EQ(CellText(e.form, 5), "1e-3");
  e.form.SpeedButton1->click();
  EXPECT_EQ(std::vector<double>(e.form.Model().Values().begin(), e.form.Model().Values().end()),
            (std::vector<double>{-1.5, 12, 12345678, 1e-3, -250, 1e-3}));
}

TEST(TableEditorTest, ClosingAsksBeforeEditsAreLostAndOnlyProcessingAcceptsThem) {
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

  // Nothing edited, or only a number rewritten as the same number: closed without a question.
  {
    ScriptedAnswers answers({});
    e.form.show();
    e.form.SpeedButton8->click();
    e.form.show();
    TypeText(e.form, "2,50");
    e.form.close();
    EXPECT_FALSE(e.form.isVisible());
    EXPECT_TRUE(answers.Questions().empty());
  }

  // "Закрыть" with edits: "Отмена" stays, "Нет" discards them, the accepted values come back.
  e.form.show();
  ClickCell(e.form, 2, 1);
  TypeValues(e.form, {"7"});
  {
    ScriptedAnswers answers({Answer::kCancel, Answer::kNo});
    e.form.SpeedButton8->click();
    EXPECT_TRUE(e.form.isVisible());
    EXPECT_EQ(CellText(e.form, 2), "7");
    e.form.SpeedButton8->click();
    ASSERT_EQ(answers.Questions().size(), 2u);
    EXPECT_EQ(answers.Questions()[0].text, "Обработать введённые данные?");
    EXPECT_EQ(answers.Questions()[0].buttons, QuestionButtons::kYesNoCancel);
  }
  EXPECT_FALSE(e.form.isVisible());
  EXPECT_FALSE(e.form.IsProcessed());
  EXPECT_EQ(e.form.Model().ValueCount(), 2);
  EXPECT_EQ(CellText(e.form, 0), "2,5");
  EXPECT_EQ(CellText(e.form, 2), "");

  // The close box with edits, "Да": processed as by "Обработать данные" — once every cell holds
  // a number; until then the editor stays on the cell that does not.
  e.form.show();
  TypeValues(e.form, {"9"});
  TypeText(e.form, "-");
  {
    ScriptedAnswers answers({Answer::kYes, Answer::kYes});
    e.form.close();
    EXPECT_TRUE(e.form.isVisible());
    EXPECT_EQ(e.messages.Messages(), std::vector<std::string>{"Введены некорректные символы."});
    TypeText(e.form, "-4");  // over the selected "-"
    e.form.close();
    EXPECT_EQ(answers.Questions().size(), 2u);
  }
  EXPECT_FALSE(e.form.isVisible());
  EXPECT_TRUE(e.form.IsProcessed());
  EXPECT_EQ(std::vector<double>(e.form.Model().Values().begin(), e.form.Model().Values().end()),
            (std::vector<double>{9, -4}));

  // "Новая таблица" asks before it empties a filled table, never an empty one.
  e.form.show();
  {
    ScriptedAnswers answers({Answer::kNo, Answer::kYes});
    e.form.SpeedButton2->click();
    EXPECT_EQ(CellText(e.form, 0), "9");
    e.form.SpeedButton2->click();
    EXPECT_EQ(CellText(e.form, 0), "");
    e.form.SpeedButton2->click();
    ASSERT_EQ(answers.Questions().size(), 2u);
    EXPECT_EQ(answers.Questions()[1].text, "Очистить таблицу?");
    EXPECT_EQ(answers.Questions()[1].buttons, QuestionButtons::kYesNo);
  }
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
  EXPECT_EQ(e.messages.Messages(),
            (std::vector<std::string>{"Формат файлов с указанным расширением не поддерживатеся.",
                                      "Файл прочитан с изменениями\n" + table +
                                          "\nОстаток в конце файла короче одного значения и пропущен (байт: 4)."}));
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
  EXPECT_EQ(e.messages.Messages(), std::vector<std::string>{"Не удаётся открыть файл\n" + (dir / "нет.tbl").string() +
                                                            "\nНет такого файла или папки"});
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
  EXPECT_TRUE(diagram->IsWholeNumberAxisX());  // sample numbers get whole ticks

  // The y range is the series' own with the zero line in it: an all-zero table gets the height
  // the series gives a flat sequence, not 0 … 0 (which the diagram refuses, keeping the last).
  e.form.PageControl1->setCurrentWidget(e.form.TabSheetTable);
  e.form.SpeedButton2->click();
  TypeValues(e.form, {"0", "0", "0"});
  e.form.PageControl1->setCurrentWidget(e.form.TabSheetDiagram);
  EXPECT_EQ(diagram->GetYmin(), 0);
  EXPECT_DOUBLE_EQ(diagram->GetYmax(), 0.00001);
  e.form.PageControl1->setCurrentWidget(e.form.TabSheetTable);
  e.form.SpeedButton2->click();
  TypeValues(e.form, {"-3", "-1"});
  e.form.PageControl1->setCurrentWidget(e.form.TabSheetDiagram);
  EXPECT_EQ(diagram->GetYmin(), -3);
  EXPECT_EQ(diagram->GetYmax(), 0);

  // The page can be hidden for the coefficient tables.
  e.form.SetDiagramVisible(false);
  EXPECT_FALSE(e.form.PageControl1->isTabVisible(e.form.PageControl1->indexOf(e.form.TabSheetDiagram)));
}

TEST(TableEditorTest, FrameModeOpensTheEditorOnlyWhenTyping) {
  ShownEditor e;
  // Once the window is active, keys reach the editor open on x(0).
  e.form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&e.form));
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_EQ(QApplication::focusWidget(), e.form.StringGrid1->OpenEditor());
  QTest::keyClicks(QApplication::focusWidget(), "5");
  EXPECT_EQ(CellText(e.form, 0), "5");
  e.form.N17->trigger();  // "Рамка"
  EXPECT_TRUE(e.form.N17->isChecked());
  EXPECT_FALSE(e.form.N16->isChecked());
  EXPECT_EQ(e.form.StringGrid1->OpenEditor(), nullptr);
  e.form.N16->trigger();  // "Курсор": a Space opens the editor at once and is itself dropped
  EXPECT_TRUE(e.form.N16->isChecked());
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->text(), "5");
}

TEST(TableEditorTest, EscapeRestoresTheCellAndNeverClosesTheWindow) {
  ShownEditor e;
  TypeText(e.form, "5");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Escape);
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Escape);
  EXPECT_TRUE(e.form.isVisible());
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);  // the always-shown editor stays
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->text(), "");
  EXPECT_EQ(CellText(e.form, 0), "");

  // Only the cell being edited goes back, to what it held when the cursor came to it.
  TypeValues(e.form, {"1", "2"});
  ClickCell(e.form, 0, 1);
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_End);  // the cell came with its text selected
  TypeText(e.form, "7");
  EXPECT_EQ(CellText(e.form, 0), "17");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Escape);
  EXPECT_EQ(CellText(e.form, 0), "1");
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->text(), "1");

  // Enter goes on to the next cell even when that holds a value, as Tab does, so that what is
  // typed after it never lands behind the value just entered: 3, Ctrl+A, 9, Enter, 5.
  TypeText(e.form, "3");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_A, Qt::ControlModifier);
  TypeText(e.form, "9");
  PressEnter(e.form);
  EXPECT_EQ(e.form.Model().CursorIndex(), 1);
  TypeText(e.form, "5");
  EXPECT_EQ(CellText(e.form, 0), "9");
  EXPECT_EQ(CellText(e.form, 1), "5");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Escape);
  EXPECT_EQ(CellText(e.form, 1), "2");
  // Without "Переход по <Enter>" the cursor stays, and the next typing replaces the value.
  e.form.Enter1->trigger();
  TypeText(e.form, "6");
  PressEnter(e.form);
  TypeText(e.form, "8");
  EXPECT_EQ(e.form.Model().CursorIndex(), 1);
  EXPECT_EQ(CellText(e.form, 1), "8");
  e.form.Enter1->trigger();

  // An untouched value the program wrote keeps its exact double through an edit taken back.
  const double sum = 0.1 + 0.2;  // 0,30000000000000004
  e.form.SetValues(&sum, 1);
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->text(), "0,3000");
  TypeText(e.form, "5");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Escape);

  // "Рамка": Escape takes back the typing and closes the editor; on the bare grid it does nothing.
  e.form.N17->trigger();
  QTest::keyClick(e.form.StringGrid1, Qt::Key_4);
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_NE(CellText(e.form, 0), "0,3000");
  QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_Escape);
  EXPECT_EQ(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_EQ(CellText(e.form, 0), "0,3000");
  QTest::keyClick(e.form.StringGrid1, Qt::Key_Escape);
  QTest::keyClick(e.form.StringGrid1, Qt::Key_Escape);
  EXPECT_TRUE(e.form.isVisible());

  e.form.SpeedButton1->click();
  ASSERT_EQ(e.form.Model().ValueCount(), 1);
  EXPECT_EQ(e.form.Model().Values()[0], sum);
  EXPECT_TRUE(e.messages.Messages().empty());
}

TEST(TableEditorTest, CtrlAAndDoubleClickSelectTheWholeNumber) {
  ShownEditor e;
  const double values[] = {1, 0.25};
  e.form.SetValues(values, 2);
  CellEditor* editor = e.form.StringGrid1->OpenEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "1,0000");
  QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(editor->width() - 4, editor->height() / 2));
  EXPECT_FALSE(editor->hasSelectedText());  // a click places the caret
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(editor->selectedText(), "1,0000");
  TypeText(e.form, "0,5");
  EXPECT_EQ(CellText(e.form, 0), "0,5");

  // A double click takes the digits on both sides of the comma, and typing over them works
  // even where the text is longer than a cell lets one type.
  e.form.Model().SetValueText(1, "0,54030230586814");
  e.form.StringGrid1->Refresh();
  ClickCell(e.form, 1, 1);
  editor = e.form.StringGrid1->OpenEditor();
  ASSERT_NE(editor, nullptr);
  QTest::mouseDClick(editor, Qt::LeftButton, {}, QPoint(4, editor->height() / 2));
  EXPECT_EQ(editor->selectedText(), "0,54030230586814");
  TypeText(e.form, "2,5");
  EXPECT_EQ(CellText(e.form, 1), "2,5");

  // In "Рамка" a double click opens the editor with the whole number selected.
  e.form.N17->trigger();
  ClickCell(e.form, 0, 1);
  QTest::mouseDClick(e.form.StringGrid1->viewport(), Qt::LeftButton, {},
                     e.form.StringGrid1->visualRect(CellOf(e.form, 0)).center());
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->selectedText(), "0,5");

  e.form.SpeedButton1->click();
  EXPECT_EQ(std::vector<double>(e.form.Model().Values().begin(), e.form.Model().Values().end()),
            (std::vector<double>{0.5, 2.5}));
}

TEST(TableEditorTest, PastePassesTheCellFilterWholeOrNotAtAll) {
  ShownEditor e;
  CellEditor* editor = e.form.StringGrid1->OpenEditor();
  ASSERT_NE(editor, nullptr);
  QClipboard* clipboard = QGuiApplication::clipboard();
  const auto paste = [&](const char* text) {
    clipboard->setText(QString::fromUtf8(text));
    QTest::keyClick(e.form.StringGrid1->OpenEditor(), Qt::Key_V, Qt::ControlModifier);
    return CellText(e.form, 0);
  };
  EXPECT_EQ(paste("1x"), "");  // refused whole, not "1"
  EXPECT_EQ(paste("1.5"), "1,5");
  EXPECT_EQ(paste("-2"), "1,5");      // a minus that is not first
  EXPECT_EQ(paste("123456"), "1,5");  // past 8 characters
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(paste(" -2,25\r\n"), "-2,25");  // a copied spreadsheet cell, over the selection

  // Shift+Insert and the context menu paste through the same filter.
  clipboard->setText("x");
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(CellText(e.form, 0), "-2,25");
  std::unique_ptr<QMenu> menu(editor->CreateContextMenu());
  auto* paste_action = menu->findChild<QAction*>(kPasteActionName);
  ASSERT_NE(paste_action, nullptr);
  paste_action->trigger();
  EXPECT_EQ(CellText(e.form, 0), "-2,25");
  clipboard->setText("7");
  paste_action->trigger();
  EXPECT_EQ(CellText(e.form, 0), "-2,257");

  // So does text dropped on the cell.
  const auto drop = [&](const char* text) {
    QMimeData data;
    data.setText(text);
    QDropEvent event(QPointF(editor->width() - 2, editor->height() / 2), Qt::CopyAction, &data, Qt::LeftButton, {});
    // Straight to the widget: the application hands a drop only to the target of a running drag.
    static_cast<QObject*>(editor)->event(&event);
    return CellText(e.form, 0);
  };
  EXPECT_EQ(drop("x"), "-2,257");
  EXPECT_EQ(drop("1"), "-2,2571");
}

TEST(TableEditorTest, ACellThatHoldsNoNumberIsReportedAndNotAccepted) {
  ShownEditor e;
  // While the message is up the editor stands aside and the cell shows its red mark.
  int marked_while_told = 0;
  MessageSpy told([&] {
    marked_while_told += e.form.StringGrid1->OpenEditor() == nullptr &&
                         CellOf(e.form, e.form.Model().CursorIndex()).data(Qt::BackgroundRole).isValid();
  });
  const std::vector<std::string> invalid = {"Введены некорректные символы."};
  TypeValues(e.form, {"1"});
  TypeText(e.form, "-");
  PressEnter(e.form);  // "-" is no number: the cursor stays and the text is selected for typing over
  EXPECT_EQ(told.Messages(), invalid);
  EXPECT_EQ(e.form.Model().CursorIndex(), 1);
  ASSERT_NE(e.form.StringGrid1->OpenEditor(), nullptr);
  EXPECT_EQ(e.form.StringGrid1->OpenEditor()->selectedText(), "-");

  // Left behind, the cell keeps the mark; "Обработать данные" goes back to it instead of closing.
  TypeText(e.form, "0,");
  ClickCell(e.form, 0, 1);
  EXPECT_TRUE(CellOf(e.form, 1).data(Qt::BackgroundRole).isValid());
  EXPECT_FALSE(CellOf(e.form, 0).data(Qt::BackgroundRole).isValid());
  told.Clear();
  e.form.SpeedButton1->click();
  EXPECT_EQ(told.Messages(), invalid);
  EXPECT_TRUE(e.form.isVisible());
  EXPECT_FALSE(e.form.IsProcessed());
  EXPECT_EQ(e.form.Model().CursorIndex(), 1);
  EXPECT_EQ(marked_while_told, 2);
  TypeText(e.form, "5");
  e.form.SpeedButton1->click();
  EXPECT_FALSE(e.form.isVisible());
  EXPECT_EQ(std::vector<double>(e.form.Model().Values().begin(), e.form.Model().Values().end()),
            (std::vector<double>{1, 5}));
}

}  // namespace
