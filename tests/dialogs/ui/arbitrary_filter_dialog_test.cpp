#include "dialogs/ui/arbitrary_filter_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "dialogs/ui/block_diagram_picture.h"
#include "platform/messages.h"
#include "support/modal_answers.h"
#include "support/table_typing.h"

namespace {

// The two coefficient tables and the dialog, as start-up and the main window's first paint make them.
struct FilterDialog {
  MessageRecorder messages;
  ArbitraryFilterRequest request;
  TableModel a;
  TableModel b;
  TTabEditorForm a_table{a};
  TTabEditorForm b_table{b};
  TInputForm form{request};

  FilterDialog() {
    b_table.SetFirstIndex(1);
    form.SetTables(&a_table, &b_table);
  }

  // Shows the dialog as the main window does, letting `act` work in it; returns the request.
  bool Run(const std::function<void()>& act) {
    form.show();
    act();
    form.close();
    return form.IsAnalysisRequested();
  }
};

// Answers the table window that a click on a picture opens: types the values, then closes it
// with "Обработать данные" (or with "Закрыть" when process is false).
// The values are copied: the answer runs long after the call's initializer list is gone.
ModalAnswerer TypeIntoTable(std::vector<std::string> values, bool process = true) {
  return [values = std::move(values), process](QDialog& dialog) -> std::optional<int> {
    auto* table = qobject_cast<TTabEditorForm*>(&dialog);
    if (table == nullptr) return std::nullopt;
    table->show();
    table->SpeedButton2->click();  // "Новая таблица"
    TypeValues(*table, values);
    (process ? table->SpeedButton1 : table->SpeedButton8)->click();
    return table->result();
  };
}

void ClickPicture(BlockDiagramPicture* picture) { QTest::mouseClick(picture, Qt::LeftButton); }

TEST(ArbitraryFilterDialogTest, FirstShowingGivesTheIdentityFilter) {
  FilterDialog d;
  EXPECT_TRUE(d.Run([&] {
    EXPECT_EQ(d.a_table.Model().ValueCount(), 1);
    EXPECT_EQ(CellText(d.a_table, 0), "1,0000");
    EXPECT_EQ(d.a_table.Model().Title(), "Коэффициенты нерекурсивной части цифрового фильтра");
    EXPECT_EQ(d.b_table.Model().Title(), "Коэффициенты рекурсивной части цифрового фильтра");
    EXPECT_EQ(d.b_table.Model().CellText(0, 0), "b(1)");
    EXPECT_FALSE(d.a_table.Model().IsDiagramVisible());
    d.form.Button1->click();
    EXPECT_FALSE(d.form.isVisible());
  }));
  EXPECT_TRUE(d.messages.Messages().empty());
}

TEST(ArbitraryFilterDialogTest, BrokenChainIsRefusedAndTheDialogStays) {
  FilterDialog d;
  EXPECT_FALSE(d.Run([&] {
    ScopedModalAnswerer answer(TypeIntoTable({}));  // cleared and processed: a single 0
    ClickPicture(d.form.Image1);
    d.form.Button1->click();
    EXPECT_TRUE(d.form.isVisible());
  }));
  EXPECT_EQ(d.messages.Messages(),
            std::vector<std::string>{"Коэффициенты нерекурсивной части цифрового фильтра заданы некорректно:\n "
                                     "Цифровая цепь содержит разрыв. Повторите ввод."});

  // a(0) = 0, a(1) = 1 is a pure delay, and an empty recursive part is fine.
  d.messages.Clear();
  EXPECT_TRUE(d.Run([&] {
    ScopedModalAnswerer answer(TypeIntoTable({"0", "1"}));
    ClickPicture(d.form.Image1);
    d.form.Button1->click();
  }));
  EXPECT_TRUE(d.messages.Messages().empty());
}

TEST(ArbitraryFilterDialogTest, DiscardedEditsAndCloseLeaveNoRequest) {
  FilterDialog d;
  d.Run([&] {
    ScopedModalAnswerer answer(TypeIntoTable({}));
    ClickPicture(d.form.Image1);  // a single 0 accepted
  });
  // Values typed but the table closed without processing: the check sees the 0 and refuses.
  EXPECT_FALSE(d.Run([&] {
    ScopedModalAnswerer answer(TypeIntoTable({"5"}, false));
    ClickPicture(d.form.Image1);
    d.form.Button1->click();
  }));
  EXPECT_EQ(d.messages.Messages().size(), 1u);

  // An earlier request does not survive a showing closed with "Закрыть".
  EXPECT_TRUE(d.Run([&] {
    ScopedModalAnswerer answer(TypeIntoTable({"1"}));
    ClickPicture(d.form.Image1);
    d.form.Button1->click();
  }));
  EXPECT_FALSE(d.Run([&] {
    const QList<QAction*> items = d.form.findChildren<QAction*>();
    for (QAction* item : items) {
      if (item->text() == "Закрыть") item->trigger();
    }
  }));
}

TEST(ArbitraryFilterDialogTest, PicturesLookPressedWhileTheButtonIsHeld) {
  FilterDialog d;
  d.form.show();
  QTest::mousePress(d.form.Image2, Qt::LeftButton);
  EXPECT_EQ(d.form.Panel2->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(d.form.Panel1->frameShadow(), QFrame::Raised);
  {
    ScopedModalAnswerer answer(TypeIntoTable({"0,5"}));
    QTest::mouseRelease(d.form.Image2, Qt::LeftButton);
  }
  EXPECT_EQ(d.form.Panel2->frameShadow(), QFrame::Raised);
  EXPECT_EQ(d.b_table.Model().Values()[0], 0.5);  // the release was a click: the table opened
  QTest::mousePress(d.form.Image1, Qt::RightButton);
  EXPECT_EQ(d.form.Panel1->frameShadow(), QFrame::Raised);
  d.form.close();
}

}  // namespace
