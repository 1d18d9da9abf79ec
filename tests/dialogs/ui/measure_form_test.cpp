#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "dialogs/ui/dialog_test_support.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "numeric/number_text.h"
#include "session/session.h"
#include "support/fir_edge.h"
#include "support/stated_interval.h"

namespace {

constexpr double kPi = std::numbers::pi;
const std::string kLevelChanged =
    "Заданный уровень подавления не обеспечивается фильтром.\n"
    "                              Уровень подавления изменён.";
const char* const kResultNames[] = {"EditwvT", "EditfvT", "EditwpT", "EditfpT", "EditdwT", "EditdfT", "Editdw"};

// A library filter chosen in the library dialog and analysed, and the measurement dialog on it.
struct MeasuredFilter {
  Session models;
  FilterLibraryModel& library = models.library;
  AnalysisRun& run = *models.run;
  TLibForm library_form{models.library_fields};
  TMeasureForm form{run, models.measurement, models.library};

  // configure sets the design's fields before it is chosen.
  MeasuredFilter(const char* page_item, int afc_mode, const std::function<void(FilterLibraryModel&)>& configure = {}) {
    if (configure) configure(library);
    models.input_form.Show(models.a, models.b);
    models.biharmonic.Show();
    run.RunAnalysis(0);
    ShowActive(library_form);
    Child<QAction>(library_form, page_item)->trigger();
    QTest::mouseClick(Child<QWidget>(library_form, "SpeedButton1"), Qt::LeftButton);
    run.RunAnalysis(1);
    run.SetAfcMode(afc_mode);
    ShowActive(form);
  }
  QComboBox* List(const char* name) const { return Child<QComboBox>(form, name); }
  QString Result(const char* name) const { return Edit(form, name)->text(); }
  void Measure() const { QTest::mouseClick(Child<QPushButton>(form, "BitBtn1"), Qt::LeftButton); }
  double Step() const { return 2 * kPi / (run.FrequencyPoints() - 1); }
};

// The number before "±".
double ValueOf(const QString& text) {
  double value = 0;
  EXPECT_TRUE(TextToDouble(text.section(QChar(0x00B1), 0, 0).toStdString(), value)) << text.toStdString();
  return value;
}

TEST(MeasureFormTest, ListsFollowTheModeWithTheirDefaultsInBold) {
  MeasuredFilter m("N4", 2);
  EXPECT_EQ(m.form.windowTitle(), "Измерение параметров АЧХ");
  EXPECT_TRUE(m.List("ComboBoxH0")->isVisible());
  EXPECT_TRUE(m.List("ComboBoxHp")->isVisible());
  EXPECT_FALSE(m.List("ComboBoxH0dB")->isVisible());
  EXPECT_FALSE(m.List("ComboBoxHpdB")->isVisible());
  EXPECT_EQ(m.List("ComboBoxH0")->currentText(), "0,707");
  EXPECT_EQ(m.List("ComboBoxHp")->currentText(), "0,01");
  EXPECT_EQ(m.List("ComboBoxHp")->count(), 16);
  EXPECT_TRUE(m.List("ComboBoxHp")->itemData(9, Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(m.List("ComboBoxHp")->itemData(8, Qt::FontRole).isValid());
  EXPECT_EQ(m.List("ComboBoxH0")->toolTip(), "Уровень полосы пропускания можно выбрать из списка");
  EXPECT_EQ(m.List("ComboBoxHpdB")->toolTip(), "Уровень полосы подавления можно выбрать из списка");

  m.form.hide();
  m.run.SetAfcMode(3);
  ShowActive(m.form);
  EXPECT_FALSE(m.List("ComboBoxH0")->isVisible());
  EXPECT_TRUE(m.List("ComboBoxH0dB")->isVisible());
  EXPECT_EQ(m.List("ComboBoxH0dB")->currentText(), "-3,0");
  EXPECT_EQ(m.List("ComboBoxHpdB")->currentText(), "-40,0");
  EXPECT_TRUE(m.List("ComboBoxHpdB")->itemData(6, Qt::FontRole).value<QFont>().bold());

  m.form.hide();
  m.run.SetAfcMode(1);
  ShowActive(m.form);
  for (const char* name : {"ComboBoxH0", "ComboBoxHp", "ComboBoxH0dB", "ComboBoxHpdB"}) {
    EXPECT_FALSE(m.List(name)->isVisible()) << name;
  }
  EXPECT_FALSE(Child<QPushButton>(m.form, "BitBtn1")->isEnabled());
}

TEST(MeasureFormTest, DesignedChebyshevEdgesFoundInDecibels) {
  MeasuredFilter m("N5", 3);
  MessageSpy spy;
  const CChebishevFilter& design = m.library.ChebyshevDesign();
  ASSERT_DOUBLE_EQ(design.GetWp(), 1.0);
  ASSERT_DOUBLE_EQ(design.GetLpdB(), -3.0);
  m.Measure();
  EXPECT_TRUE(spy.Messages().empty());
  // The design's −3 dB edge is its ωp = 1, pinned on the response between grid points: stated to
  // the 0,01 % of its four decimals instead of half a grid step (0,16 %).
  const double wp = ValueOf(m.Result("EditwvT"));
  EXPECT_TRUE(StatedInterval(m.Result("EditwvT").toStdString()).Holds(1.0)) << m.Result("EditwvT").toStdString();
  EXPECT_TRUE(StatedInterval(m.Result("EditfvT").toStdString()).Holds(1 / (2 * kPi)));
  EXPECT_TRUE(m.Result("EditwvT").endsWith(QString::fromUtf8("±0,01%"))) << m.Result("EditwvT").toStdString();

  // At the design's own stop level, −30 dB, the stop edge is ωp·(1 + δa) within a step.
  m.List("ComboBoxHpdB")->setFocus();
  QTest::keyClick(m.List("ComboBoxHpdB"), Qt::Key_Up);
  for (const char* name : kResultNames) EXPECT_TRUE(m.Result(name).isEmpty()) << name;  // a change empties them
  QTest::keyClick(m.List("ComboBoxHpdB"), Qt::Key_Up);
  ASSERT_EQ(m.List("ComboBoxHpdB")->currentText(), "-30,0");
  m.Measure();
  const double ws = ValueOf(m.Result("EditwpT"));
  EXPECT_LE(std::fabs(ws - (1 + design.GetActualTransition() / 100)), 2 * m.Step());
  EXPECT_NEAR(ValueOf(m.Result("EditdwT")), ws - wp, 2e-4);
  EXPECT_NEAR(ValueOf(m.Result("Editdw")), (ws - wp) / wp * 100, 0.05);
  EXPECT_TRUE(spy.Messages().empty());

  // Showing again empties the results and keeps the levels.
  m.form.hide();
  ShowActive(m.form);
  for (const char* name : kResultNames) EXPECT_TRUE(m.Result(name).isEmpty()) << name;
  EXPECT_EQ(m.List("ComboBoxHpdB")->currentText(), "-30,0");
}

TEST(MeasureFormTest, UnreachedStopLevelIsRaisedOnAWindowedFilter) {
  // A rectangular window of order 10 leaves ripples in the stop band far above 0,00001.
  MeasuredFilter m("N6", 2);
  MessageSpy spy;
  m.List("ComboBoxHp")->setFocus();
  QTest::keyClick(m.List("ComboBoxHp"), Qt::Key_End);
  ASSERT_EQ(m.List("ComboBoxHp")->currentText(), "0,00001");
  m.Measure();
  EXPECT_EQ(spy.Messages(), std::vector<std::string>{kLevelChanged});
  // The level now shown is the lowest of the list that the response at π does not exceed.
  const int chosen = m.List("ComboBoxHp")->currentIndex();
  ASSERT_LT(chosen, 15);
  const double at_pi = m.run.AmplitudeResponse()[m.run.FrequencyPoints() - 1];
  double level = 0;
  double lower = 0;
  ASSERT_TRUE(TextToDouble(m.List("ComboBoxHp")->itemText(chosen).toStdString(), level));
  ASSERT_TRUE(TextToDouble(m.List("ComboBoxHp")->itemText(chosen + 1).toStdString(), lower));
  EXPECT_LE(at_pi, level);
  EXPECT_GT(at_pi, lower);
  // The pass-band edge of the windowed filter with ωc = 1 lies near 1.
  EXPECT_NEAR(ValueOf(m.Result("EditwvT")), 1.0, 0.3);
  EXPECT_FALSE(m.Result("EditwpT").isEmpty());
}

TEST(MeasureFormTest, ASideLobeBetweenGridPointsMovesTheStopEdge) {
  // Frequency sampling, order 301, ωc = 2,5: a −39,8 dB lobe lies between two grid points beyond
  // the last grid point above −40 dB, at 2,7717. The stated edges hold the crossings of the
  // continuous response, computed here from the taps.
  MeasuredFilter m("N7", 3, [](FilterLibraryModel& library) {
    library.FrSamplingDesign().SetOrder(301);
    library.FrSamplingDesign().SetWc(2.5);
  });
  MessageSpy spy;
  m.List("ComboBoxH0dB")->setFocus();
  QTest::keyClick(m.List("ComboBoxH0dB"), Qt::Key_Home);
  QTest::keyClick(m.List("ComboBoxH0dB"), Qt::Key_Down);
  ASSERT_EQ(m.List("ComboBoxH0dB")->currentText(), "-1,0");
  m.Measure();
  EXPECT_TRUE(spy.Messages().empty());
  const CBaseDigitalFilter& filter = *m.run.DirectFilter();
  ASSERT_EQ(filter.FAOrder(), 301);
  std::vector<double> taps;
  for (int k = 0; k <= filter.FAOrder(); ++k) taps.push_back(filter.ACoef(k) * filter.Gain());
  const long double peak = FirGridPeak(taps, m.run.FrequencyPoints());
  const double stop_edge = LastFirCrossing(taps, peak, -40, 2.5), pass_edge = LastFirCrossing(taps, peak, -1, 2);
  ASSERT_GT(stop_edge, 2.78);
  const auto holds = [&](const char* name, double value) {
    const std::string text = m.Result(name).toStdString();
    EXPECT_TRUE(StatedInterval(text).Holds(value)) << name << " " << text;
  };
  holds("EditwpT", stop_edge);
  holds("EditfpT", stop_edge / (2 * kPi));
  holds("EditwvT", pass_edge);
  holds("EditdwT", stop_edge - pass_edge);
  holds("Editdw", (stop_edge - pass_edge) / pass_edge * 100);
}

TEST(MeasureFormTest, ABandPassFilterGetsItsBandsInOrderOfOmega) {
  // A Hamming band-pass of order 100 passing 1 … 2, measured at −6 dB and −40 dB: a table of its
  // four edges with the transition bands between them instead of the seven fields.
  MeasuredFilter m("N6", 3, [](FilterLibraryModel& library) {
    CWeighingFilter& design = library.WeighingDesign();
    design.SetBand(BandType::kBandPass);
    design.SetWc2(2);
    design.SetOrder(100);
    design.SetHamming(true);
  });
  // The design's band changed afterwards, without choosing the filter: the analysed one counts.
  m.library.WeighingDesign().SetBand(BandType::kLowPass);
  m.form.hide();
  ShowActive(m.form);
  auto* table = Child<QTableWidget>(m.form, "GridBands");
  EXPECT_TRUE(table->isVisible());
  EXPECT_FALSE(Edit(m.form, "EditwvT")->isVisible());
  const QStringList titles = {
      "Верхняя граница полосы подавления",  "Переходная полоса", "Нижняя граница полосы пропускания",
      "Верхняя граница полосы пропускания", "Переходная полоса", "Нижняя граница полосы подавления"};
  ASSERT_EQ(table->rowCount(), titles.size());
  for (int r = 0; r < table->rowCount(); ++r) {
    EXPECT_EQ(table->item(r, 0)->text(), titles[r]) << r;
    EXPECT_TRUE(table->item(r, 1)->text().isEmpty()) << r;
  }
  m.List("ComboBoxH0dB")->setFocus();
  for (int i = 0; i < 6; ++i) QTest::keyClick(m.List("ComboBoxH0dB"), Qt::Key_Down);
  ASSERT_EQ(m.List("ComboBoxH0dB")->currentText(), "-6,0");
  MessageSpy spy;
  m.Measure();
  EXPECT_TRUE(spy.Messages().empty());
  EXPECT_EQ(table->item(3, 1)->toolTip(), "Нормированная круговая частота верхней границы полосы пропускания");
  EXPECT_EQ(table->item(4, 2)->toolTip(), "Ширина переходной полосы в единицах циклической нормированной частоты");
  // The edges rise with ω, the −6 dB edges near the cut-offs; the upper ones hold the crossings of
  // the response computed from the taps.
  double last = 0;
  for (const int r : {0, 2, 3, 5}) {
    const double omega = ValueOf(table->item(r, 1)->text());
    EXPECT_GT(omega, last) << r;
    EXPECT_NEAR(ValueOf(table->item(r, 2)->text()), omega / (2 * kPi), 1e-4) << r;
    last = omega;
  }
  EXPECT_NEAR(ValueOf(table->item(2, 1)->text()), 1, 0.01);
  EXPECT_NEAR(ValueOf(table->item(3, 1)->text()), 2, 0.01);
  const CBaseDigitalFilter& filter = *m.run.DirectFilter();
  std::vector<double> taps;
  for (int k = 0; k <= filter.FAOrder(); ++k) taps.push_back(filter.ACoef(k) * filter.Gain());
  const long double peak = FirGridPeak(taps, m.run.FrequencyPoints());
  const double pass_edge = LastFirCrossing(taps, peak, -6, 1.5), stop_edge = LastFirCrossing(taps, peak, -40, 1.5);
  EXPECT_TRUE(StatedInterval(table->item(3, 1)->text().toStdString()).Holds(pass_edge));
  EXPECT_TRUE(StatedInterval(table->item(5, 1)->text().toStdString()).Holds(stop_edge));
  EXPECT_TRUE(StatedInterval(table->item(4, 1)->text().toStdString()).Holds(stop_edge - pass_edge));
  EXPECT_TRUE(StatedInterval(table->item(4, 3)->text().toStdString()).Holds((stop_edge - pass_edge) / pass_edge * 100));

  // A typed filter is measured as a low-pass again.
  ASSERT_TRUE(m.models.input_form.RequestAnalysis(m.models.a));
  m.run.RunAnalysis(0);
  ASSERT_FALSE(m.run.IsLibraryFilter());
  m.form.hide();
  ShowActive(m.form);
  EXPECT_FALSE(table->isVisible());
  EXPECT_TRUE(Edit(m.form, "EditwvT")->isVisible());
}

// The style's pictures come from the icon themes, slow the first time: not while the program
// starts and makes its dialogs, but when each is first shown.
TEST(MeasureFormTest, TheDialogsButtonPicturesAreSetWhenFirstShown) {
  Session models;
  TLibForm library_form{models.library_fields};
  TMeasureForm form{*models.run, models.measurement, models.library};
  const std::vector<QAbstractButton*> buttons = {
      Child<QAbstractButton>(library_form, "SpeedButton1"), Child<QAbstractButton>(library_form, "SpeedButton3"),
      Child<QAbstractButton>(form, "BitBtn1"), Child<QAbstractButton>(form, "BitBtn2")};
  QCoreApplication::sendPostedEvents();  // the program waits for input, the dialogs still hidden
  for (QAbstractButton* button : buttons) EXPECT_TRUE(button->icon().isNull()) << button->objectName().toStdString();
  ShowActive(library_form);
  ShowActive(form);
  for (QAbstractButton* button : buttons) EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
}

}  // namespace
