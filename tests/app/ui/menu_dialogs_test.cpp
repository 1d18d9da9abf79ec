// The library, biharmonic and measurement commands of the main menu, end to end.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

#include "app/analysis_window.h"
#include "app/input_dialogs.h"
#include "app/main_window.h"
#include "app/ui/app_windows.h"
#include "diagram/keeper.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"
#include "dialogs/ui/arbitrary_filter_dialog.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/dialog_test_support.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "numeric/number_text.h"
#include "platform/messages.h"
#include "results/coefficient_export.h"
#include "results/ui/coefficients_form.h"
#include "results/ui/header_prefix_dialog.h"
#include "support/modal_answers.h"
#include "support/temporary_folder.h"

namespace {

// Chooses the Chebyshev page in the library, measures with the lists' defaults, and lets the
// analysis window run by itself.
struct DialogScript {
  std::string pass_edge_text;
  int measurements = 0;
  int analyses = 0;
  ScopedModalAnswerer answerer{[this](QDialog& dialog) -> std::optional<int> {
    if (qobject_cast<TCalcForm*>(&dialog) != nullptr) {
      ++analyses;
      return std::nullopt;
    }
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
  EXPECT_FALSE(app.RYNForm->N24->isEnabled());

  app.RYNForm->N3->trigger();  // "Библиотека": the Chebyshev filter becomes the current cascade
  EXPECT_EQ(app.session.run->CascadeFilter(), &app.session.library.Chebyshev());
  EXPECT_FALSE(app.RYNForm->N24->isEnabled());  // still un-normalised

  app.RYNForm->N17->trigger();  // "Нормированная в [дБ]"
  ASSERT_TRUE(app.RYNForm->N24->isEnabled());
  app.RYNForm->N24->trigger();  // "Измерение параметров..."
  ASSERT_EQ(script.measurements, 1);

  // "1,0005±0,15%": the value before "±" lies within a grid step of the designed edge.
  const std::size_t plus_minus = script.pass_edge_text.find("±");
  ASSERT_NE(plus_minus, std::string::npos) << script.pass_edge_text;
  double edge = 0;
  ASSERT_TRUE(TextToDouble(script.pass_edge_text.substr(0, plus_minus), edge)) << script.pass_edge_text;
  EXPECT_NEAR(edge, app.session.library.ChebyshevDesign().GetWp(), 2 * std::numbers::pi / 2047);

  app.RYNForm->N4->trigger();  // an arbitrary filter leaves the item's state alone
  EXPECT_FALSE(app.session.run->IsLibraryFilter());
  EXPECT_TRUE(app.RYNForm->N24->isEnabled());
  app.RYNForm->N15->trigger();  // "Ненормированная" disables the measurement again
  EXPECT_FALSE(app.RYNForm->N24->isEnabled());
}

TEST(MenuDialogsTest, BiharmonicSignalThroughTheIdentityFilter) {
  MessageRecorder messages;
  DialogScript script;
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());

  app.RYNForm->N22->trigger();  // "Бигармонический": ω1 = 0,5, "Анализ"
  ASSERT_TRUE(app.session.biharmonic.IsStationary());
  EXPECT_EQ(app.session.biharmonic.GetOscillation(1).Omega(), 0.5);
  TKeeper& input = *app.RYNForm->DFInput->Diagram->GetKeeper(0);
  TKeeper& output = *app.RYNForm->DFOut->Diagram->GetKeeper(0);
  ASSERT_EQ(input.GetCount(), 2000);
  for (int n : {0, 1, 7, 1999}) {
    EXPECT_NEAR(input.SampleAt(n), std::cos(0.5 * n), 1e-12) << n;
    EXPECT_NEAR(output.SampleAt(n), std::cos(0.5 * n), 1e-12) << n;  // h = δ
  }
  // Ten periods after the transient: trunc(2π/0,5) = 12 samples a period, L = 1.
  EXPECT_EQ(app.session.run->TransientLength(), 1);
  EXPECT_EQ(app.RYNForm->DFInput->Diagram->GetXmax(), 121);
  EXPECT_EQ(app.RYNForm->DFOut->Diagram->GetXmax(), 121);
  // A stationary signal: lines of A/2 at ±0,5 in the input spectrum, discrete and periodic.
  TKeeper& spectrum = *app.RYNForm->DFInSpectr->Diagram->GetKeeper(0);
  EXPECT_EQ(spectrum.GetKind(), gkDiscretPeriodic);
  double highest = 0;
  for (int k = 0; k < spectrum.GetCount(); ++k) highest = std::max(highest, spectrum.Sample(k));
  EXPECT_EQ(highest, 0.5);
  EXPECT_TRUE(messages.Messages().empty());
}

// "Проект": a hand-written lab opened, changed, saved and the changes asked about on leaving.
TEST(MenuDialogsTest, ProjectOpenedChangedSavedAndAskedAboutOnLeaving) {
  MessageRecorder messages;
  DialogScript script;
  TemporaryFolder folder;
  const std::string lab = folder.PathOf("lab.velmar"), bad = folder.PathOf("bad.velmar");
  const std::string levels = folder.PathOf("levels.velmar");
  std::ofstream(lab)
      << "format = 1\n[filter]\nchebyshev = true\nwp = 1.0\nlp-db = -1.0\norder = 6\n"
         "[signal]\nbiharmonic = true\nw1 = 0.3\noscillations = \"12\"\n"
         "[analysis]\ninterval = 1000\nafc = 3\nfrequency = \"cyclic\"\n[measure]\nmeasure = [-1, -60]\n";
  std::ofstream(bad) << "format = 1\n[filter]\norder = \"six\"\n";
  std::ofstream(levels) << "[analysis]\nafc = 2\n[measure]\nmeasure = [0.71, 0.01]\n";
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());
  TRYNForm& form = *app.RYNForm;
  ScriptedFileDialogs files({lab, bad, levels});
  script.analyses = 0;
  form.NProjectOpen->trigger();
  EXPECT_EQ(script.analyses, 1);
  ASSERT_TRUE(app.session.run->IsLibraryFilter());
  EXPECT_EQ(app.session.run->CascadeFilter(), &app.session.library.Chebyshev());
  EXPECT_EQ(app.session.library.ChebyshevDesign().GetOrder(), 6);
  // The library dialog shows the project's design on its page, the order typed.
  EXPECT_EQ(form.LibForm->GetFilterKind(), kChebyshevKind);
  EXPECT_EQ(Child<QTabWidget>(*form.LibForm, "PageControl1")->currentIndex(), kChebyshevKind);
  EXPECT_EQ(Child<QLineEdit>(*form.LibForm, "Edit17")->text(), "6");
  EXPECT_FALSE(Child<QLineEdit>(*form.LibForm, "Edit17")->isReadOnly());
  EXPECT_EQ(app.session.run->IntervalLength(), 1000);
  EXPECT_TRUE(form.N10001->isChecked() && form.N17->isChecked() && form.N20->isChecked());
  EXPECT_FALSE(form.N20001->isChecked() || form.N15->isChecked() || form.N19->isChecked());
  EXPECT_TRUE(form.N24->isEnabled());
  EXPECT_EQ(form.windowTitle(), "Вельмар — lab.velmar");
  // The dialogs show the project: its levels in dB, the order typed, the measurement's levels.
  TLibForm& library = *form.LibForm;
  library.show();
  EXPECT_EQ(Child<QTabWidget>(library, "PageControl1")->currentIndex(), 1);
  EXPECT_TRUE(Child<QAction>(library, "N11")->isChecked());
  EXPECT_TRUE(Child<QAction>(library, "N13")->isChecked());
  EXPECT_EQ(Edit(library, "Edit10")->text(), "-1,00");
  EXPECT_EQ(Edit(library, "Edit17")->text(), "6");
  Child<QAction>(library, "N11")->trigger();  // back to ratios
  library.hide();
  TBGSForm& signal = *form.BGSForm;
  signal.show();
  EXPECT_EQ(Edit(signal, "Edit1")->text(), "0,300");
  EXPECT_TRUE(Child<QCheckBox>(signal, "CheckBox2")->isChecked());
  signal.hide();
  TMeasureForm& measure = *form.MeasureForm;
  measure.show();
  EXPECT_EQ(Child<QComboBox>(measure, "ComboBoxH0dB")->currentText(), "-1,0");
  QComboBox* stop = Child<QComboBox>(measure, "ComboBoxHpdB");
  EXPECT_EQ(stop->currentText(), "-60,0");
  emit stop->activated(stop->findText("-70,0"));
  measure.hide();
  // The first of the recent projects' items, after a separator, opens it again.
  ASSERT_GE(form.RecentProjectItems().size(), 2u);
  EXPECT_TRUE(form.RecentProjectItems()[0]->isSeparator());
  EXPECT_EQ(form.RecentProjectItems()[1]->text(), "&1 lab.velmar");
  EXPECT_LE(form.RecentProjectItems().size(), 6u);

  form.N40001->trigger();  // "4000 тактов"
  EXPECT_EQ(form.windowTitle(), "Вельмар — lab.velmar *");
  // A bad file, and levels not in the lists: the message says in Russian where and what is wrong;
  // the work stays as it was.
  form.NProjectOpen->trigger();
  form.NProjectOpen->trigger();
  ASSERT_EQ(messages.Messages().size(), 2u);
  EXPECT_EQ(messages.Messages()[0],
            "Проект не открыт.\nФайл «" + bad + "», строка 3, столбец 9: order: нужно целое число");
  EXPECT_EQ(messages.Messages()[1].rfind("Проект не открыт.\nФайл «" + levels +
                                             "»: measure: такого уровня полосы пропускания нет в списке: 0,95 0,9",
                                         0),
            0u)
      << messages.Messages()[1];
  EXPECT_EQ(app.session.run->IntervalLength(), 4000);
  EXPECT_EQ(app.session.run->GetAfcMode(), 3);
  EXPECT_EQ(form.windowTitle(), "Вельмар — lab.velmar *");

  form.NProjectSave->trigger();
  EXPECT_EQ(form.windowTitle(), "Вельмар — lab.velmar");
  const std::string saved = ReadFile(lab);
  for (const char* line : {"interval = 4000\n", "\nlp = 0.891250938133", "\norder = 6\n", "measure = [-1.0, -70.0]\n"})
    EXPECT_NE(saved.find(line), std::string::npos) << line << "\n" << saved;

  form.N15->trigger();  // "Ненормированная"
  {
    ScriptedAnswers answers({Answer::kCancel, Answer::kCancel});
    form.N1->trigger();  // "Выход", cancelled
    form.close();        // closing the window, cancelled too
    ASSERT_EQ(answers.Questions().size(), 2u);
    EXPECT_EQ(answers.Questions()[0].text, "Сохранить изменения в проекте?");
    EXPECT_EQ(answers.Questions()[0].buttons, QuestionButtons::kYesNoCancel);
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(ReadFile(lab).find("afc = 3"), std::string::npos);
  }
  {
    ScriptedAnswers answers({Answer::kYes});
    form.N1->trigger();  // "Да" saves before leaving
    EXPECT_EQ(answers.Questions().size(), 1u);
    EXPECT_NE(ReadFile(lab).find("afc = 1"), std::string::npos) << ReadFile(lab);
    EXPECT_FALSE(form.Project().HasUnsavedChanges("cyclic"));
  }

  // Reopened in a fresh window ("velmar lab.velmar"), the saved work comes back after the start-up.
  AppWindows again;
  again.RYNForm->OpenProjectAfterStartUp(lab);
  ASSERT_TRUE(again.ShowMainWindow());
  ASSERT_TRUE(QTest::qWaitFor([&] { return again.session.run->IntervalLength() == 4000; }, 10000));
  EXPECT_EQ(again.session.run->IntervalLength(), 4000);
  EXPECT_EQ(again.session.run->GetAfcMode(), 1);
  EXPECT_EQ(again.session.library.ChebyshevDesign().GetOrder(), 6);
  EXPECT_TRUE(again.RYNForm->N20->isChecked());
  EXPECT_FALSE(again.session.library_fields.IsDecibel());
  EXPECT_TRUE(again.session.library_fields.IsOrderEntry());
  EXPECT_EQ(again.RYNForm->windowTitle(), "Вельмар — lab.velmar");
  again.RYNForm->N10001->trigger();
  again.RYNForm->RecentProjectItems()[1]->trigger();  // "Нет" by default: the changes are dropped
  EXPECT_EQ(again.session.run->IntervalLength(), 4000);
  // The first project dropped on the window opens too.
  again.RYNForm->N10001->trigger();
  QMimeData dragged;
  dragged.setUrls({QUrl::fromLocalFile(QString::fromStdString(lab))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(again.RYNForm, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(again.RYNForm, &drop);
  EXPECT_EQ(again.session.run->IntervalLength(), 4000);
  EXPECT_EQ(messages.Messages().size(), 2u) << messages.Messages().back();

  // "Новый", the changes dropped, starts from what a fresh start has.
  again.RYNForm->N10001->trigger();
  again.RYNForm->NProjectNew->trigger();
  Session fresh;
  EXPECT_TRUE(again.session.library.ChebyshevDesign().IsAutoOrder());
  EXPECT_EQ(again.session.library.ChebyshevDesign().GetOrder(), fresh.library.ChebyshevDesign().GetOrder());
  EXPECT_FALSE(again.session.library_fields.IsOrderEntry());
  EXPECT_FALSE(again.session.run->IsLibraryFilter());
  EXPECT_EQ(again.session.run->IntervalLength(), 2000);
  EXPECT_TRUE(again.RYNForm->N19->isChecked());
  EXPECT_EQ(again.RYNForm->windowTitle(), "Вельмар");
}

// The coefficients window: what the last analysis took, copied for a spreadsheet, saved.
TEST(MenuDialogsTest, CoefficientsWindowShowsTheAnalysedFilter) {
  MessageRecorder messages;
  DialogScript script;
  TemporaryFolder folder;
  std::vector<CoefficientFileRequest> requests;
  std::optional<CoefficientFileChoice> answer;
  struct ScopedChooser {
    CoefficientFileChooser previous;
    ~ScopedChooser() { SetCoefficientFileChooser(std::move(previous)); }
  } chooser{SetCoefficientFileChooser(
      [&](const CoefficientFileRequest& request, QWidget*) { return requests.push_back(request), answer; })};
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());
  const auto texts = [](QTableWidget* grid) {
    std::vector<std::string> cells;
    for (int c = 0; c < grid->columnCount(); ++c) cells.push_back(grid->horizontalHeaderItem(c)->text().toStdString());
    for (int r = 0; r < grid->rowCount(); ++r)
      for (int c = 0; c < grid->columnCount(); ++c) cells.push_back(grid->item(r, c)->text().toStdString());
    return cells;
  };

  app.RYNForm->N4->trigger();  // the typed identity filter, a(0) = 1
  app.RYNForm->NCoefficients->trigger();
  TCoefficientsForm* form = app.RYNForm->CoefficientsForm();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->isModal());
  EXPECT_EQ(texts(form->Grid), (std::vector<std::string>{"i", "a(i)", "b(i)", "0", "1", ""}));

  // New coefficients typed but not analysed yet: another analysis keeps showing the analysed ones.
  // A typed b(1) = 0,9 shows and copies as 0,9, not as the 17 digits of its double.
  const double a[] = {0.5, 0.1}, b[] = {0.9};
  app.RYNForm->TabAKoef->Model().SetValues(a, 2);
  app.RYNForm->TabBKoef->Model().SetValues(b, 1);
  app.RYNForm->N10001->trigger();  // "1000 тактов"
  EXPECT_EQ(texts(form->Grid), (std::vector<std::string>{"i", "a(i)", "b(i)", "0", "1", ""}));
  app.RYNForm->N4->trigger();  // "Анализ" takes them
  EXPECT_EQ(texts(form->Grid), (std::vector<std::string>{"i", "a(i)", "b(i)", "0", "0,5", "", "1", "0,1", "0,9"}));
  EXPECT_EQ(form->LabelEquation->text().toStdString(), "y(n) = a(0)·x(n) + a(1)·x(n−1) + b(1)·y(n−1)");

  // "Копировать": everything with the header, or the selection.
  form->ButtonCopy->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "i\ta(i)\tb(i)\n0\t0,5\t\n1\t0,1\t0,9\n");
  form->Grid->setRangeSelected(QTableWidgetSelectionRange(1, 1, 1, 2), true);
  form->ButtonCopy->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "0,1\t0,9\n");

  // The library's Chebyshev filter of order 10: five sections.
  app.RYNForm->N3->trigger();
  EXPECT_EQ(form->LabelCaption->text().toStdString(), "Фильтр Чебышева, порядок 10: 5 секций");
  ASSERT_EQ(form->Grid->rowCount(), 5);
  ASSERT_EQ(form->Grid->columnCount(), 7);
  EXPECT_EQ(form->Grid->horizontalHeaderItem(6)->text().toStdString(), "a2");

  // Saved through the careful writer in the layout chosen; a file that cannot be written is told.
  const std::string csv = (folder.Path() / "cheb.csv").string(), header = (folder.Path() / "cheb.h").string();
  answer = CoefficientFileChoice{csv, CoefficientLayout::kSections};
  form->ButtonSave->click();
  EXPECT_EQ(requests.back().layouts,
            (std::vector<CoefficientLayout>{CoefficientLayout::kSections, CoefficientLayout::kDirect}));
  EXPECT_EQ(ReadFile(csv), CoefficientsCsv(form->Coefficients(), CoefficientLayout::kSections));
  // "Экспорт в C..." asks for the prefix of the header's names, the file's name proposed.
  answer = CoefficientFileChoice{header, CoefficientLayout::kDirect};
  std::vector<std::string> proposed;
  std::string typed = "lowpass";
  {
    const ScopedModalAnswerer prefix([&](QDialog& dialog) -> std::optional<int> {
      auto* asked = qobject_cast<THeaderPrefixDialog*>(&dialog);
      if (asked == nullptr) return std::nullopt;
      proposed.push_back(asked->EditPrefix->text().toStdString());
      asked->EditPrefix->setText(QString::fromStdString(typed));
      return asked->ButtonOk->isEnabled() ? QDialog::Accepted : QDialog::Rejected;
    });
    form->ButtonExport->click();
    typed = "2x";  // no C identifier: nothing is saved
    form->ButtonExport->click();
  }
  EXPECT_TRUE(requests.back().header);
  EXPECT_EQ(proposed, (std::vector<std::string>{"cheb", "cheb"}));
  EXPECT_EQ(ReadFile(header), CoefficientsHeader(form->Coefficients(), CoefficientLayout::kDirect, "lowpass"));
  EXPECT_NE(ReadFile(header).find("static const double lowpass_numerator[lowpass_NUMERATOR_LENGTH]"),
            std::string::npos);
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_FALSE(form->LabelNote->isVisible());
  const std::string missing = (folder.Path() / "missing" / "c.csv").string();
  answer = CoefficientFileChoice{missing, CoefficientLayout::kSections};
  form->ButtonSave->click();
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0].rfind("Не удаётся сохранить файл\n" + missing + "\n", 0), 0u)
      << messages.Messages()[0];

  // Order 60: its direct form rounded to doubles is another filter, so both commands offer only
  // sections and the window says why; a direct form asked for anyway is not written.
  app.session.library.ChebyshevDesign().SetAutoOrder(false);
  app.session.library.ChebyshevDesign().SetOrder(60);
  app.RYNForm->N3->trigger();
  ASSERT_EQ(form->Grid->rowCount(), 30);
  EXPECT_TRUE(form->LabelNote->isVisible());
  EXPECT_EQ(form->LabelNote->text().toStdString(),
            "Прямая форма этого фильтра в числах двойной точности искажает его характеристику: "
            "он сохраняется только секциями.");
  const std::string direct = (folder.Path() / "direct.h").string();
  answer = CoefficientFileChoice{direct, CoefficientLayout::kDirect};
  for (QPushButton* button : {form->ButtonSave, form->ButtonExport}) {
    button->click();
    EXPECT_EQ(requests.back().layouts, std::vector<CoefficientLayout>{CoefficientLayout::kSections});
  }
  EXPECT_FALSE(std::filesystem::exists(direct));
}

}  // namespace
