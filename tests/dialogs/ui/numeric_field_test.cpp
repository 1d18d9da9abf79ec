#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "dialogs/biharmonic_model.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/dialog_test_support.h"
#include "dialogs/ui/lib_form.h"
#include "session/session.h"

namespace {

// Ctrl+V over the field's whole text, as a user replacing a value would paste.
QString PasteOver(QLineEdit* field, const char* text) {
  field->setFocus(Qt::MouseFocusReason);
  field->selectAll();
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  return field->text();
}

TEST(NumericFieldTest, PasteIntoTheDialogsFieldsPassesTheirKeyFiltersWholeOrNotAtAll) {
  MessageSpy messages;
  Session models;
  TLibForm library{models.library_fields};
  ShowActive(library);
  QLineEdit* omega = Edit(library, "Edit1");  // ωp: digits and one comma, at most 4 characters
  EXPECT_EQ(PasteOver(omega, "0,5x"), "1,00");
  EXPECT_EQ(PasteOver(omega, "0,125"), "1,00");  // five characters
  EXPECT_EQ(PasteOver(omega, "0.75\n"), "0,75");
  PressTab(omega);
  EXPECT_EQ(omega->text(), "0,75");
  library.close();

  TBGSForm signal{models.biharmonic_fields};
  ShowActive(signal);
  QLineEdit* omega1 = Edit(signal, "Edit1");  // ω1: unsigned, at most 6 characters
  EXPECT_EQ(PasteOver(omega1, "-1"), "1,000");
  EXPECT_EQ(PasteOver(omega1, "2.5"), "2,5");
  PressTab(omega1);
  EXPECT_EQ(omega1->text(), "2,500");
  EXPECT_EQ(PasteOver(omega1, "1e-1e"), "2,500");  // a second exponent
  EXPECT_EQ(PasteOver(omega1, "2.5E-1"), "2,5E-1");
  PressTab(omega1);
  EXPECT_EQ(omega1->text(), "0,250");
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
