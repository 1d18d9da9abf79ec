// The library, biharmonic and measurement commands of the main menu, end to end.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "app/analysis_window.h"
#include "app/input_dialogs.h"
#include "app/main_window.h"
#include "diagram/keeper.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"
#include "app/ui/app_windows.h"
#include "dialogs/ui/arbitrary_filter_dialog.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "dialogs/ui/dialog_test_support.h"
#include "numeric/number_text.h"
#include "platform/messages.h"
#include "support/modal_answers.h"

namespace {

// Chooses the Chebyshev page in the library, measures with the lists' defaults, and lets the
// analysis window run by itself.
struct DialogScript {
  std::string pass_edge_text;
  int measurements = 0;
  ScopedModalAnswerer answerer{[this](QDialog& dialog) -> std::optional<int> {
    if (qobject_cast<TLibForm*>(&dialog) != nullptr) {
      dialog.show();
      Child<QAction>(dialog, "N5")->trigger();  // "Фильтр Чебышева"
      Child<QAction>(dialog, "N2")->trigger();  // "Выбрать"
      return dialog.result();
    }
    if (qobject_cast<TMeasureForm*>(&dialog) != nullptr) {
      dialog.show();
      EXPECT_TRUE(Child<QComboBox>(dialog, "ComboBoxH0dB")->isVisible());
      EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxH0dB")->currentText(), "-3,0");
      EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxHpdB")->currentText(), "-40,0");
      Child<QPushButton>(dialog, "BitBtn1")->click();
      pass_edge_text = Child<QLineEdit>(dialog, "EditwvT")->text().toStdString();
      ++measurements;
      dialog.close();
      return 0;
    }
    if (auto* input = qobject_cast<TInputForm*>(&dialog)) {
      input->show();
      input->Button1->click();  // "Анализ" on the table filter, a0 = 1
      return input->result();
    }
    if (qobject_cast<TBGSForm*>(&dialog) != nullptr) {
      ShowActive(dialog);
      QLineEdit* omega = Child<QLineEdit>(dialog, "Edit1");
      omega->setFocus(Qt::MouseFocusReason);
      omega->selectAll();
      QTest::keyClicks(omega, "0,5");
      Child<QAction>(dialog, "N4")->trigger();  // "Анализ", the frequency still being typed
      return dialog.result();
    }
    return std::nullopt;
  }};
};

TEST(MenuDialogsTest, ChebyshevFromTheLibraryMeasuredInDecibels) {
  MessageRecorder messages;
  DialogScript script;
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());
  EXPECT_FALSE(RYNForm->N24->isEnabled());

  RYNForm->N3->trigger();  // "Библиотека": the Chebyshev filter becomes the current cascade
  EXPECT_EQ(CalcForm->Run().CascadeFilter(), &LibraryModel().Chebyshev());
  EXPECT_FALSE(RYNForm->N24->isEnabled());  // still un-normalised

  RYNForm->N17->trigger();  // "Нормированная в [дБ]"
  ASSERT_TRUE(RYNForm->N24->isEnabled());
  RYNForm->N24->trigger();  // "Измерение параметров..."
  ASSERT_EQ(script.measurements, 1);

  // "1,0005±0,15%": the value before "±" lies within a grid step of the designed edge.
  const std::size_t plus_minus = script.pass_edge_text.find("±");
  ASSERT_NE(plus_minus, std::string::npos) << script.pass_edge_text;
  double edge = 0;
  ASSERT_TRUE(TextToDouble(script.pass_edge_text.substr(0, plus_minus), edge)) << script.pass_edge_text;
  EXPECT_NEAR(edge, LibraryModel().ChebyshevDesign().GetWp(), 2 * std::numbers::pi / 2047);

  RYNForm->N4->trigger();  // an arbitrary filter leaves the item's state alone
  EXPECT_FALSE(CalcForm->Run().IsLibraryFilter());
  EXPECT_TRUE(RYNForm->N24->isEnabled());
  RYNForm->N15->trigger();  // "Ненормированная" disables the measurement again
  EXPECT_FALSE(RYNForm->N24->isEnabled());
}

TEST(MenuDialogsTest, BiharmonicSignalThroughTheIdentityFilter) {
  MessageRecorder messages;
  DialogScript script;
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());

  RYNForm->N22->trigger();  // "Бигармонический": ω1 = 0,5, "Анализ"
  ASSERT_TRUE(BiharmonicSignal().IsStationary());
  EXPECT_EQ(BiharmonicSignal().GetOscillation(1).Omega(), 0.5);
  TKeeper& input = *RYNForm->DFInput->Diagram->GetKeeper(0);
  TKeeper& output = *RYNForm->DFOut->Diagram->GetKeeper(0);
  ASSERT_EQ(input.GetCount(), 2000);
  for (int n : {0, 1, 7, 1999}) {
    EXPECT_NEAR(input.SampleAt(n), std::cos(0.5 * n), 1e-12) << n;
    EXPECT_NEAR(output.SampleAt(n), std::cos(0.5 * n), 1e-12) << n;  // h = δ
  }
  // Ten periods after the transient: trunc(2π/0,5) = 12 samples a period, L = 1.
  EXPECT_EQ(CalcForm->Run().TransientLength(), 1);
  EXPECT_EQ(RYNForm->DFInput->Diagram->GetXmax(), 121);
  EXPECT_EQ(RYNForm->DFOut->Diagram->GetXmax(), 121);
  // A stationary signal: lines of A/2 at ±0,5 in the input spectrum, discrete and periodic.
  TKeeper& spectrum = *RYNForm->DFInSpectr->Diagram->GetKeeper(0);
  EXPECT_EQ(spectrum.GetKind(), gkDiscretPeriodic);
  double highest = 0;
  for (int k = 0; k < spectrum.GetCount(); ++k) highest = std::max(highest, spectrum.Sample(k));
  EXPECT_EQ(highest, 0.5);
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
