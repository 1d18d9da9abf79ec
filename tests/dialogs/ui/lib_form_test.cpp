#include <gtest/gtest.h>

#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>
#include <numbers>

#include "dialogs/ui/dialog_test_support.h"
#include "dialogs/ui/lib_form.h"
#include "session/session.h"

namespace {

constexpr double kPi = std::numbers::pi;
const std::string kInvalid = "Введены некорректные символы.";
const std::string kAngularAbovePi =
    "Круговая нормированная частота не должна превышать 3.1415...\n Произведена коррекция.";

// The dialog on the library of the program's models, whose run starts with the identity filter.
struct LibraryDialog {
  Session models;
  FilterLibraryModel& library = models.library;
  AnalysisRun& run = *models.run;
  TLibForm form{models.library_fields};
  LibraryDialog() {
    models.input_form.Show(models.a, models.b);
    models.biharmonic.Show();
    run.RunAnalysis(0);
    ShowActive(form);
  }
  QLineEdit* Field(int n) const { return Edit(form, ("Edit" + std::to_string(n)).c_str()); }
  QAction* Item(const char* name) const { return Child<QAction>(form, name); }
  QToolButton* Button(int n) const { return Child<QToolButton>(form, ("SpeedButton" + std::to_string(n)).c_str()); }
};

TEST(LibFormTest, OpensWithTheDesignDefaultsAsRatios) {
  LibraryDialog d;
  EXPECT_EQ(d.form.windowTitle(), "Вельмар: Библиотека фильтров");
  EXPECT_EQ(d.Field(1)->text(), "1,00");
  EXPECT_EQ(d.Field(2)->text(), "0,16");  // as few decimals as ωp at the start
  EXPECT_EQ(d.Field(3)->text(), "0,7079");
  EXPECT_EQ(d.Field(6)->text(), "0,0316228");
  EXPECT_EQ(d.Field(4)->text(), "10,00");
  EXPECT_EQ(d.Field(15)->text(), "0,10");
  // Order 30: trunc(½·log10((10³ − 1)/(10^0,3 − 1)) / log10(tan 0,55 / tan 0,5)) + 1.
  EXPECT_EQ(d.Field(7)->text(), "30");
  EXPECT_TRUE(d.Field(5)->isReadOnly());
  EXPECT_EQ(d.Field(5)->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(d.Field(5)->palette().color(QPalette::Base), d.form.palette().color(QPalette::Window));
  EXPECT_FALSE(d.Item("N11")->isChecked());
  EXPECT_TRUE(d.Item("N14")->isChecked());
  EXPECT_EQ(d.Button(1)->toolTip(), "Выбрать фильтр");
  EXPECT_EQ(d.Button(2)->toolTip(), "Измерять уровни АЧХ в децибелах");
  EXPECT_EQ(d.Button(3)->toolTip(), "Закрыть (не выбирать фильтр)");
}

TEST(LibFormTest, FourTypedIntoEdit1IsCorrectedToPi) {
  LibraryDialog d;
  MessageSpy spy;
  TypeInto(d.Field(1), "4");
  PressTab(d.Field(1));
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kAngularAbovePi});
  EXPECT_EQ(d.Field(1)->text(), "3,14");
  EXPECT_EQ(d.Field(2)->text(), "0,500");  // one decimal more once edited
  EXPECT_DOUBLE_EQ(d.library.ButterworthDesign().GetWp(), kPi);
  EXPECT_EQ(QApplication::focusWidget(), d.Field(2));
}

TEST(LibFormTest, AnExponentIsTheValueAndTheFieldKeepsItsDecimals) {
  LibraryDialog d;
  MessageSpy spy;
  TypeInto(d.Field(6), "1e-3");  // Ls = −60 dB
  EXPECT_EQ(d.Field(6)->text(), "1e-3");
  PressTab(d.Field(6));
  EXPECT_TRUE(spy.Messages().empty());
  EXPECT_EQ(d.library.ButterworthDesign().GetLs(), 1e-3);
  EXPECT_EQ(d.Field(6)->text(), "0,0010000");
  // trunc(½·log10((10⁶ − 1)/(10^0,3 − 1)) / log10(tan 0,55 / tan 0,5)) + 1
  EXPECT_EQ(d.Field(7)->text(), "60");

  d.Item("N11")->trigger();  // levels in decibels: a signed field
  TypeInto(d.Field(6), "-8E1");
  PressTab(d.Field(6));
  EXPECT_NEAR(d.library.ButterworthDesign().GetLs(), 1e-4, 1e-16);
  EXPECT_EQ(d.Field(6)->text(), "-80,00");
  // Still corrected as typed in any other form: ωp above π.
  TypeInto(d.Field(1), "4e0");
  PressTab(d.Field(1));
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kAngularAbovePi});
  EXPECT_EQ(d.Field(1)->text(), "3,14");
}

TEST(LibFormTest, EmptiedFieldTurnsRedKeepsTheFocusAndTheDesign) {
  LibraryDialog d;
  QColor colour_during_message;
  MessageSpy spy([&] { colour_during_message = d.Field(2)->palette().color(QPalette::Base); });
  const QColor normal = d.Field(2)->palette().color(QPalette::Base);
  TypeInto(d.Field(2), "");
  QTest::keyClick(d.Field(2), Qt::Key_Backspace);
  PressTab(d.Field(2));
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kInvalid});
  EXPECT_EQ(colour_during_message, QColor(Qt::red));
  EXPECT_EQ(d.Field(2)->palette().color(QPalette::Base), normal);
  EXPECT_EQ(QApplication::focusWidget(), d.Field(2));
  EXPECT_EQ(d.Field(2)->text(), "");
  EXPECT_NEAR(d.library.ButterworthDesign().GetFp(), 1 / (2 * kPi), 1e-15);
  EXPECT_EQ(d.Field(1)->text(), "1,00");

  // Leaving again without typing is still refused; a number is then taken.
  PressTab(d.Field(2));
  EXPECT_EQ(spy.Messages().size(), 2u);
  EXPECT_EQ(QApplication::focusWidget(), d.Field(2));
  QTest::keyClicks(d.Field(2), "0.1");  // the point is typed as a comma
  PressTab(d.Field(2));
  EXPECT_EQ(spy.Messages().size(), 2u);
  EXPECT_EQ(d.Field(2)->text(), "0,100");
  EXPECT_EQ(d.Field(1)->text(), "0,63");  // 2π·0,1
}

TEST(LibFormTest, LeavingAnUntouchedFieldKeepsTheUnroundedValue) {
  LibraryDialog d;
  MessageSpy spy;
  d.Field(2)->setFocus(Qt::TabFocusReason);  // shows 0,16 for fp = 1/2π
  PressTab(d.Field(2));
  EXPECT_DOUBLE_EQ(d.library.ButterworthDesign().GetWp(), 1.0);
  EXPECT_EQ(d.Field(7)->text(), "30");
  EXPECT_TRUE(spy.Messages().empty());
}

TEST(LibFormTest, DecibelRoundTripAndTheDecimalsOfTheRippleAndStopLevel) {
  LibraryDialog d;
  MessageSpy spy;
  QTest::mouseClick(d.Button(2), Qt::LeftButton);
  EXPECT_TRUE(d.Item("N11")->isChecked());
  EXPECT_TRUE(d.Button(2)->isChecked());
  EXPECT_EQ(d.Field(3)->text(), "-3,00");
  EXPECT_EQ(d.Field(6)->text(), "-30,00");
  EXPECT_EQ(d.Field(10)->text(), "-3,00");
  EXPECT_EQ(d.Field(12)->text(), "-30,00");
  EXPECT_EQ(d.Field(15)->text(), "0,915");  // |20·log10(0,9)| = 0,9151

  // A minus may lead a level, but not the ripple, and never stand second.
  TypeInto(d.Field(3), "-");
  EXPECT_EQ(d.Field(3)->text(), "-");
  QTest::keyClicks(d.Field(3), "-6");
  EXPECT_EQ(d.Field(3)->text(), "-6");
  TypeInto(d.Field(3), "-3");
  PressTab(d.Field(3));
  EXPECT_EQ(d.Field(3)->text(), "-3,00");
  d.Item("N5")->trigger();
  TypeInto(d.Field(15), "-");
  EXPECT_EQ(d.Field(15)->text(), "0,915");

  // Back to ratios without edits: the levels as before, the ripple with two decimals.
  d.Item("N11")->trigger();
  EXPECT_FALSE(d.Button(2)->isChecked());
  EXPECT_EQ(d.Field(3)->text(), "0,7079");
  EXPECT_EQ(d.Field(6)->text(), "0,0316228");
  EXPECT_EQ(d.Field(10)->text(), "0,7079");
  EXPECT_EQ(d.Field(12)->text(), "0,0316228");
  EXPECT_EQ(d.Field(15)->text(), "0,10");
  TypeInto(d.Field(10), "-");
  EXPECT_EQ(d.Field(10)->text(), "0,7079");  // no minus among ratios

  // A committed ripple shows four decimals; a stop level typed in dB shows one, until another
  // field rewrites it with two.
  TypeInto(d.Field(15), "0,2");
  PressTab(d.Field(15));
  EXPECT_EQ(d.Field(15)->text(), "0,2000");
  EXPECT_EQ(d.Field(14)->text(), "20,00");
  d.Item("N11")->trigger();
  TypeInto(d.Field(12), "45");
  PressTab(d.Field(12));
  EXPECT_EQ(d.Field(12)->text(), "-45,0");
  EXPECT_NEAR(d.library.ChebyshevDesign().GetLs(), std::pow(10, -45.0 / 20), 1e-12);
  TypeInto(d.Field(14), "10");
  PressTab(d.Field(14));
  EXPECT_EQ(d.Field(12)->text(), "-45,00");
  EXPECT_EQ(d.Field(15)->text(), "0,915");
  EXPECT_TRUE(spy.Messages().empty());
}

TEST(LibFormTest, WidthModeAndOrderMode) {
  LibraryDialog d;
  MessageSpy spy;
  // Width mode: the order follows the width and cannot be typed.
  EXPECT_TRUE(d.Field(7)->isReadOnly());
  TypeInto(d.Field(7), "5");
  EXPECT_EQ(d.Field(7)->text(), "30");
  // A width still being typed reaches the design before the mode changes.
  TypeInto(d.Field(4), "20");
  d.Item("N13")->trigger();
  // trunc(½·log10(999/0,99526) / log10(tan 0,6 / tan 0,5)) + 1 = trunc(15,36) + 1.
  EXPECT_EQ(d.Field(7)->text(), "16");

  // Order mode: the order is typed and both widths show what it achieves.
  EXPECT_TRUE(d.Item("N13")->isChecked());
  EXPECT_FALSE(d.Item("N14")->isChecked());
  EXPECT_TRUE(d.Field(4)->isReadOnly());
  EXPECT_EQ(d.Field(4)->palette().color(QPalette::Base), d.form.palette().color(QPalette::Window));
  EXPECT_FALSE(d.Field(7)->isReadOnly());
  EXPECT_TRUE(d.Field(11)->isReadOnly());
  EXPECT_FALSE(d.Field(17)->isReadOnly());
  // Too high an order is corrected by the design.
  TypeInto(d.Field(7), "250");
  PressTab(d.Field(7));
  EXPECT_EQ(d.Field(7)->text(), "200");
  EXPECT_EQ(spy.Messages(),
            std::vector<std::string>{"Порядок фильтра должен быть меньше 200\n Произведена коррекция."});

  // An order still being typed reaches the design before width mode returns.
  TypeInto(d.Field(7), "10");
  d.Item("N14")->trigger();
  EXPECT_EQ(d.Field(7)->text(), "10");
  // ωc = tan 0,5 / (10^0,3 − 1)^(1/20), ωs = 999^(1/20)·ωc, δ = 2·atan ωs − 1.
  const double wc = std::tan(0.5) / std::pow(std::pow(10, 0.3) - 1, 1.0 / 20);
  const double width = (2 * std::atan(std::pow(999.0, 1.0 / 20) * wc) - 1) * 100;
  EXPECT_NEAR(width, 31.46, 0.005);
  EXPECT_EQ(d.Field(4)->text(), "31,46");
  EXPECT_EQ(d.Field(5)->text(), "31,46");
  EXPECT_FALSE(d.Field(4)->isReadOnly());
  EXPECT_TRUE(d.Field(7)->isReadOnly());
  EXPECT_TRUE(d.library.ButterworthDesign().IsAutoOrder());
}

TEST(LibFormTest, EnterCommitsAtOnceAndKeepsTheFocus) {
  LibraryDialog d;
  MessageSpy spy;
  TypeInto(d.Field(8), "5");
  PressEnter(d.Field(8));
  EXPECT_EQ(spy.Messages(),
            std::vector<std::string>{
                "Верхняя граница полосы пропускания не должна превышать 3.1415...\n Произведена коррекция."});
  EXPECT_EQ(d.Field(8)->text(), "3,14");
  EXPECT_EQ(d.Field(9)->text(), "0,500");
  EXPECT_EQ(QApplication::focusWidget(), d.Field(8));
  EXPECT_DOUBLE_EQ(d.library.ChebyshevDesign().GetWp(), kPi);
}

TEST(LibFormTest, ChosenFrequencySamplingFilterReachesTheAnalysisRun) {
  LibraryDialog d;
  AnalysisRun& run = d.run;
  MessageSpy spy;
  d.Item("N7")->trigger();
  EXPECT_EQ(d.form.GetFilterKind(), kFrSamplingKind);
  ClickButton(Child<QRadioButton>(d.form, "RadioButton4"));
  EXPECT_TRUE(d.library.FrSamplingDesign().IsHamming());
  EXPECT_FALSE(d.library.WeighingDesign().IsHamming());
  // The order is still being typed when the filter is chosen: choosing commits it.
  TypeInto(d.Field(21), "21");
  QTest::mouseClick(d.Button(1), Qt::LeftButton);
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_EQ(d.form.result(), QDialog::Accepted);
  EXPECT_TRUE(d.form.IsFilterSelected());

  run.RunAnalysis(1);
  EXPECT_FALSE(d.form.IsFilterSelected());
  ASSERT_EQ(run.DirectFilter(), &d.library.FrSampling());
  // Taps 0 … 20 around the centre 10, whose tap is ωc/π with ωc = 1; then nothing.
  EXPECT_NEAR(run.ImpulseResponse()[10], 1 / kPi, 1e-12);
  EXPECT_NE(run.ImpulseResponse()[20], 0);
  for (int n = 21; n < run.IntervalLength(); ++n) ASSERT_EQ(run.ImpulseResponse()[n], 0) << n;
  EXPECT_TRUE(spy.Messages().empty());

  // Showing again starts unchosen.
  d.form.ClearFilterSelected();
  d.library.SelectFilter();
  ShowActive(d.form);
  EXPECT_FALSE(d.form.IsFilterSelected());
}

TEST(LibFormTest, ClosingWithoutChoosingKeepsTheEditsForLater) {
  LibraryDialog d;
  AnalysisRun& run = d.run;
  const double first = run.AmplitudeResponse()[100];
  d.Item("N5")->trigger();
  TypeInto(d.Field(8), "0,5");
  PressTab(d.Field(8));
  QTest::mouseClick(d.Button(3), Qt::LeftButton);
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_FALSE(d.form.IsFilterSelected());
  run.RunAnalysis(1);
  EXPECT_EQ(run.CascadeFilter(), nullptr);  // still the identity filter typed in the tables
  EXPECT_EQ(run.AmplitudeResponse()[100], first);
  EXPECT_DOUBLE_EQ(d.library.ChebyshevDesign().GetWp(), 0.5);
}

TEST(LibFormTest, ChoosingWithAnUnreadableEntryStaysOpen) {
  LibraryDialog d;
  MessageSpy spy;
  TypeInto(d.Field(1), "");
  QTest::keyClick(d.Field(1), Qt::Key_Backspace);
  QTest::mouseClick(d.Button(1), Qt::LeftButton);
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kInvalid});
  EXPECT_TRUE(d.form.isVisible());
  EXPECT_FALSE(d.form.IsFilterSelected());
  EXPECT_EQ(QApplication::focusWidget(), d.Field(1));
}

TEST(LibFormTest, BandTypesAndWindowsAreChosenWithTheirRadioButtons) {
  LibraryDialog d;
  MessageSpy spy;
  const auto radio = [&](const char* name) { return Child<QRadioButton>(d.form, name); };
  EXPECT_TRUE(radio("Band0_0")->isChecked());
  EXPECT_FALSE(d.Field(23)->isEnabled());
  ClickButton(radio("Band0_2"));
  EXPECT_EQ(d.library.ButterworthDesign().GetBand(), BandType::kBandPass);
  EXPECT_EQ(d.library.ChebyshevDesign().GetBand(), BandType::kLowPass);
  ASSERT_TRUE(d.Field(23)->isEnabled());
  TypeInto(d.Field(23), "2,5");
  PressTab(d.Field(23));
  EXPECT_DOUBLE_EQ(d.library.ButterworthDesign().GetWp2(), 2.5);
  EXPECT_EQ(d.Field(24)->text(), "0,398");
  ClickButton(radio("Band0_1"));
  EXPECT_EQ(d.library.ButterworthDesign().GetBand(), BandType::kHighPass);
  EXPECT_FALSE(d.Field(23)->isEnabled());

  // The windowed page's windows; Kaiser's fields only with Kaiser's window.
  d.Item("N6")->trigger();
  EXPECT_FALSE(d.Field(32)->isEnabled());
  ClickButton(radio("RadioButton7"));
  EXPECT_EQ(d.library.WeighingDesign().GetWindow(), FirWindow::kKaiser);
  EXPECT_EQ(d.Field(18)->text(), "229");  // the order A = 60 dB needs: ⌈52/0,2285⌉ + 1
  ASSERT_TRUE(d.Field(32)->isEnabled());
  TypeInto(d.Field(32), "40");
  PressTab(d.Field(32));
  EXPECT_EQ(d.Field(31)->text(), "3,40");
  EXPECT_EQ(d.Field(18)->text(), "142");
  for (const auto& [name, window] : {std::pair{"RadioButton5", FirWindow::kHann},
                                     {"RadioButton6", FirWindow::kBlackman},
                                     {"RadioButton2", FirWindow::kHamming},
                                     {"RadioButton1", FirWindow::kRectangular}}) {
    ClickButton(radio(name));
    EXPECT_EQ(d.library.WeighingDesign().GetWindow(), window) << name;
  }
  EXPECT_FALSE(d.Field(32)->isEnabled());
  EXPECT_EQ(d.library.FrSamplingDesign().GetWindow(), FirWindow::kRectangular);

  // Designs set elsewhere (a project): the band type shows, and a window the page does not offer
  // checks neither of its buttons.
  d.library.ChebyshevDesign().SetBand(BandType::kBandStop);
  d.library.FrSamplingDesign().SetWindow(FirWindow::kHann);
  d.form.ShowDesigns();
  EXPECT_TRUE(radio("Band1_3")->isChecked());
  EXPECT_TRUE(d.Field(25)->isEnabled());
  EXPECT_FALSE(radio("RadioButton3")->isChecked() || radio("RadioButton4")->isChecked());
  EXPECT_TRUE(spy.Messages().empty());
}

}  // namespace
