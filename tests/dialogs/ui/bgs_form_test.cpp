#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <cmath>
#include <numbers>

#include "dialogs/biharmonic_model.h"
#include "dialogs/table_model.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/dialog_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;
const std::string kOmegaMessage =
    "Круговая нормированная частота должна быть не более 3.1415...\n Произведена коррекция.";
const std::string kPositivePeriod = "Период должен быть положительным\n Произведена коррекция.";
const std::string kShortPeriod = "Период должен быть не менее 2.\n Произведена коррекция.";
const std::string kAmplitudeMessage = "Амплитуда должна быть менее 10 В.\n Произведена коррекция.";

struct SignalDialog {
  BiharmonicModel model;
  BiharmonicFields fields{model};
  TableModel table;
  TBGSForm form{fields};
  SignalDialog() { ShowActive(form); }
  QLineEdit* Field(int n) const { return Edit(form, ("Edit" + std::to_string(n)).c_str()); }
  QComboBox* List() const { return Child<QComboBox>(form, "ComboBox1"); }
  QStringList Items() const {
    QStringList items;
    for (int i = 0; i < List()->count(); ++i) items << List()->itemText(i);
    return items;
  }
  void Enter(int field, const QString& text) const {
    TypeInto(Field(field), text);
    PressTab(Field(field));
  }
};

QStringList DecimationItems(int count) {
  QStringList items;
  for (int d = 1; d <= count; ++d) items << QString("D=%1").arg(d);
  return items;
}

TEST(BgsFormTest, DefaultsShowCosNWithTwoDecimationItems) {
  SignalDialog d;
  EXPECT_EQ(d.form.windowTitle(), "Бигармонический сигнал");
  EXPECT_EQ(d.Field(1)->text(), "1,000");
  EXPECT_EQ(d.Field(2)->text(), "0,159");
  EXPECT_EQ(d.Field(3)->text(), "6,283");
  EXPECT_EQ(d.Field(5)->text(), "1,000");
  EXPECT_EQ(d.Field(4)->text(), "0,000");
  EXPECT_EQ(d.Field(6)->text(), "2,000");
  EXPECT_EQ(d.Field(9)->text(), "0,200");
  EXPECT_EQ(d.Items(), DecimationItems(2));  // trunc(π/1,2) = 2
  EXPECT_EQ(d.List()->currentIndex(), 0);
  EXPECT_FALSE(d.Field(6)->isEnabled());
  EXPECT_TRUE(Child<QCheckBox>(d.form, "CheckBox1")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(d.form, "CheckBox2")->isChecked());
  EXPECT_TRUE(Child<QAction>(d.form, "N2")->isChecked());
  for (int n : {0, 1, 7, 100}) EXPECT_NEAR(d.model.SignalAt(n), std::cos(n), 1e-12) << n;
  EXPECT_DOUBLE_EQ(d.form.GetPeriod1(), 2 * kPi);
  // Leaving f1 = 0,159 untouched does not turn ω1 into 2π·0,159.
  d.Field(2)->setFocus(Qt::TabFocusReason);
  PressTab(d.Field(2));
  EXPECT_DOUBLE_EQ(d.model.GetOscillation(1).Omega(), 1.0);
}

TEST(BgsFormTest, CheckBoxesSwitchOscillationsAndRebuildTheList) {
  SignalDialog d;
  ClickButton(Child<QCheckBox>(d.form, "CheckBox1"));
  EXPECT_FALSE(d.form.IsOscillationEnabled(1));
  EXPECT_FALSE(d.Field(1)->isEnabled());
  EXPECT_EQ(d.Field(1)->palette().color(QPalette::Base), d.Field(1)->parentWidget()->palette().color(QPalette::Window));
  for (int n : {0, 1, 5}) EXPECT_EQ(d.model.SignalAt(n), 0) << n;
  EXPECT_EQ(d.Items(), DecimationItems(16));  // w = π/20: trunc(20/1,2) = 16

  ClickButton(Child<QCheckBox>(d.form, "CheckBox2"));
  EXPECT_TRUE(d.Field(6)->isEnabled());
  EXPECT_TRUE(Child<QRadioButton>(d.form, "RadioButton3")->isEnabled());
  EXPECT_EQ(d.Field(6)->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
  EXPECT_EQ(d.Items(), DecimationItems(1));  // trunc(π/2,4) = 1
  EXPECT_NEAR(d.model.SignalAt(3), 0.2 * std::cos(6.0), 1e-12);
}

TEST(BgsFormTest, ZeroFrequencyHasAnInfinitePeriod) {
  SignalDialog d;
  MessageSpy spy;
  d.Enter(4, "60");  // φ1 = π/3
  d.Enter(1, "0");
  EXPECT_EQ(d.Field(2)->text(), "0,000");
  EXPECT_EQ(d.Field(3)->text(), "Бесконечность");
  EXPECT_EQ(d.form.GetPeriod1(), 1e10);
  for (int n : {0, 1, 9}) EXPECT_NEAR(d.model.SignalAt(n), 0.5, 1e-12) << n;
  EXPECT_EQ(d.Items(), DecimationItems(16));
  // Leaving the period field as it stands keeps the zero frequency.
  d.Field(3)->setFocus(Qt::TabFocusReason);
  PressTab(d.Field(3));
  EXPECT_EQ(d.Field(1)->text(), "0,000");
  EXPECT_TRUE(spy.Messages().empty());
}

TEST(BgsFormTest, FrequencyPeriodAndAmplitudeCorrections) {
  SignalDialog d;
  MessageSpy spy;
  d.Enter(1, "3.5");  // the point is typed as a comma
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kOmegaMessage});
  EXPECT_EQ(d.Field(1)->text(), "3,000");
  EXPECT_EQ(d.Field(2)->text(), "0,477");  // 3/2π
  EXPECT_EQ(d.Field(3)->text(), "2,094");  // 2π/3

  spy.Clear();
  d.Enter(3, "0");
  EXPECT_EQ(spy.Messages(), (std::vector<std::string>{kPositivePeriod, kShortPeriod}));
  EXPECT_EQ(d.Field(3)->text(), "2,000");
  EXPECT_EQ(d.Field(2)->text(), "0,500");
  EXPECT_EQ(d.Field(1)->text(), "3,142");

  spy.Clear();
  d.Enter(5, "10");
  EXPECT_TRUE(spy.Messages().empty());
  EXPECT_EQ(d.Field(5)->text(), "10,000");
  d.Enter(5, "10,5");
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kAmplitudeMessage});
  EXPECT_EQ(d.Field(5)->text(), "10,000");

  // Six characters at most, and no minus in a frequency.
  TypeInto(d.Field(2), "-0,12345");
  EXPECT_EQ(d.Field(2)->text(), "0,1234");
}

TEST(BgsFormTest, PhaseInDegreesAndRadiansForBothOscillations) {
  SignalDialog d;
  ClickButton(Child<QCheckBox>(d.form, "CheckBox2"));
  for (const auto& [phase, degrees, radians] :
       {std::tuple{4, "RadioButton1", "RadioButton2"}, std::tuple{10, "RadioButton3", "RadioButton4"}}) {
    const int k = phase == 4 ? 1 : 2;
    d.Enter(phase, "90");
    EXPECT_NEAR(d.model.GetOscillation(k).Phase(), kPi / 2, 1e-15);
    ClickButton(Child<QRadioButton>(d.form, radians));
    EXPECT_EQ(d.Field(phase)->text(), "1,571");
    EXPECT_NEAR(d.model.GetOscillation(k).Phase(), kPi / 2, 1e-15);
    ClickButton(Child<QRadioButton>(d.form, degrees));
    EXPECT_EQ(d.Field(phase)->text(), "90,000");
    d.Enter(phase, "-45");
    EXPECT_NEAR(d.model.GetOscillation(k).Phase(), -kPi / 4, 1e-15);
    EXPECT_EQ(d.Field(phase)->text(), "-45");  // the phase is not rewritten
    d.Enter(phase, "-1,8e2");                  // … unless typed with an exponent: then as every field shows a value
    EXPECT_NEAR(d.model.GetOscillation(k).Phase(), -kPi, 1e-15);
    EXPECT_EQ(d.Field(phase)->text(), "-180,000");
  }
}

TEST(BgsFormTest, DecimationByThreeKeepsEveryThirdSample) {
  SignalDialog d;
  d.Enter(1, "0,5");
  EXPECT_EQ(d.Items(), DecimationItems(5));  // trunc(π/0,6) = 5
  d.List()->setFocus();
  QTest::keyClick(d.List(), Qt::Key_Down);
  QTest::keyClick(d.List(), Qt::Key_Down);
  EXPECT_EQ(d.model.Decimation(), 3);
  EXPECT_EQ(d.model.SignalAt(1), 0);
  EXPECT_EQ(d.model.SignalAt(2), 0);
  EXPECT_NEAR(d.model.SignalAt(3), std::cos(1.5), 1e-12);
  EXPECT_NEAR(d.model.SignalAt(6), std::cos(3.0), 1e-12);
  // A new highest frequency with a list of the same length keeps D.
  d.Enter(1, "0,45");  // trunc(π/0,54) = 5
  EXPECT_EQ(d.model.Decimation(), 3);
  EXPECT_EQ(d.List()->currentIndex(), 2);
}

TEST(BgsFormTest, TableFormingAskedAndProcessedClosesTheDialog) {
  SignalDialog d;
  std::vector<std::pair<std::string, std::string>> questions;
  bool answer = false;
  d.form.SetQuestionPort([&](const std::string& caption, const std::string& question) {
    questions.emplace_back(caption, question);
    return answer;
  });
  bool process = false;
  int shown = 0;
  QAction* fifty = Child<QAction>(d.form, "N501");
  fifty->trigger();  // no table yet: nothing is asked or written
  EXPECT_TRUE(questions.empty());
  d.form.SetSignalTable(&d.table, [&] {
    ++shown;
    if (process) d.table.Accept();
    d.table.Close();
  });
  EXPECT_EQ(fifty->text(), "50 отсчётов");
  EXPECT_EQ(Child<QAction>(d.form, "N5001")->text(), "500 отсчётов");

  fifty->trigger();  // "Нет"
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].first, "Формирование таблицы");
  EXPECT_EQ(questions[0].second, "Все имеющиеся в таблице сигнала данные  будут потеряны. Продолжить?");
  EXPECT_EQ(d.table.ValueCount(), 0);
  EXPECT_EQ(shown, 0);

  answer = true;  // "Да", then the table closed without processing
  fifty->trigger();
  EXPECT_EQ(d.table.ValueCount(), 50);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(d.form.isVisible());

  process = true;  // "Да", then "Обработать данные"
  Child<QAction>(d.form, "N1001")->trigger();
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_TRUE(d.table.IsProcessed());
  EXPECT_FALSE(d.form.IsSignalSelected());
  ASSERT_EQ(d.table.ValueCount(), 100);
  for (int n = 0; n < 100; ++n) ASSERT_NEAR(d.table.Values()[n], std::cos(n), 5e-5) << n;  // four decimals
}

TEST(BgsFormTest, AnalysisRequestClosesAndTheNextShowingClearsIt) {
  SignalDialog d;
  Child<QAction>(d.form, "N10")->trigger();
  EXPECT_FALSE(d.form.IsStationary());
  TypeInto(d.Field(5), "2");
  Child<QAction>(d.form, "N4")->trigger();  // the amplitude still being typed is committed
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_TRUE(d.form.IsSignalSelected());
  EXPECT_DOUBLE_EQ(d.model.GetOscillation(1).Amplitude(), 2.0);
  ShowActive(d.form);
  EXPECT_FALSE(d.form.IsSignalSelected());
  EXPECT_EQ(d.Field(5)->text(), "2,000");  // the fields persist between showings
  EXPECT_FALSE(Child<QAction>(d.form, "N2")->isChecked());
}

TEST(BgsFormTest, AnUnreadableEntryIsReportedOnceAndNeverHoldsTheDialog) {
  SignalDialog d;
  MessageSpy spy;
  const auto empty = [&](int field) {
    TypeInto(d.Field(field), "");
    QTest::keyClick(d.Field(field), Qt::Key_Backspace);
  };
  empty(1);
  PressTab(d.Field(1));
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{"Введены некорректные символы."});
  EXPECT_EQ(QApplication::focusWidget(), d.Field(1));
  EXPECT_EQ(d.Field(1)->text(), "");  // left as typed, to be mended
  EXPECT_EQ(d.Items(), DecimationItems(2));
  EXPECT_EQ(d.List()->currentText(), "D=1");

  // Left again unchanged: no second message; the field shows the value in effect.
  PressTab(d.Field(1));
  EXPECT_EQ(spy.Messages().size(), 1u);
  EXPECT_EQ(d.Field(1)->text(), "1,000");
  EXPECT_NE(QApplication::focusWidget(), d.Field(1));
  EXPECT_EQ(d.model.GetOscillation(1).Omega(), 1.0);

  // The list opens at a click even while a field is emptied a second time.
  empty(3);
  PressTab(d.Field(3));
  QTest::mouseClick(d.List(), Qt::LeftButton);
  EXPECT_TRUE(d.List()->view()->isVisible());
  EXPECT_EQ(spy.Messages().size(), 2u);
  EXPECT_EQ(d.Field(3)->text(), "6,283");
  d.List()->hidePopup();

  // Escape closes after the one report; the next showing shows the values in effect.
  empty(5);
  QTest::keyClick(d.Field(5), Qt::Key_Escape);
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_EQ(spy.Messages().size(), 3u);
  ShowActive(d.form);
  EXPECT_EQ(d.Field(5)->text(), "1,000");
  empty(2);
  PressTab(d.Field(2));
  Child<QAction>(d.form, "N9")->trigger();  // "Закрыть"
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_EQ(spy.Messages().size(), 4u);

  // Above π/1,2 no decimation would do, and the list still shows the D the run uses.
  ShowActive(d.form);
  d.Enter(1, "3");
  EXPECT_EQ(d.Items(), DecimationItems(1));
  EXPECT_EQ(d.List()->currentText(), "D=1");
}

TEST(BgsFormTest, AnalysisWithAnUnreadableEntryStaysOpen) {
  SignalDialog d;
  MessageSpy spy;
  TypeInto(d.Field(3), "");
  QTest::keyClick(d.Field(3), Qt::Key_Backspace);
  Child<QAction>(d.form, "N4")->trigger();
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{"Введены некорректные символы."});
  EXPECT_TRUE(d.form.isVisible());
  EXPECT_FALSE(d.form.IsSignalSelected());
  EXPECT_EQ(QApplication::focusWidget(), d.Field(3));
  EXPECT_DOUBLE_EQ(d.form.GetPeriod1(), 2 * kPi);
}

}  // namespace
