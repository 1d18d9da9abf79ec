// The library, biharmonic and measurement commands of the main menu, end to end.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <numbers>
#include <string>

#include "app/analysis_window.h"
#include "app/input_dialogs.h"
#include "app/main_window.h"
#include "app/ui/app_windows.h"
#include "dialogs/ui/arbitrary_filter_dialog.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "numeric/number_text.h"
#include "platform/messages.h"
#include "support/modal_answers.h"

namespace {

template <class T>
T* Child(QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

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
    if (qobject_cast<TInputForm*>(&dialog) != nullptr) return 0;  // closed without "Анализ"
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

  RYNForm->N15->trigger();  // "Ненормированная" disables the measurement again
  EXPECT_FALSE(RYNForm->N24->isEnabled());
  RYNForm->N4->trigger();  // an arbitrary filter leaves the item's state alone
  EXPECT_FALSE(RYNForm->N24->isEnabled());
}

}  // namespace
