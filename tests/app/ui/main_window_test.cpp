#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "app/analysis_window.h"
#include "app/fft_window.h"
#include "app/input_dialogs.h"
#include "app/ui/app_windows.h"
#include "diagram/keeper.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_increase.h"
#include "diagram/ui/diagram_widget.h"
#include "dialogs/ui/arbitrary_filter_dialog.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/block_diagram_picture.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "platform/messages.h"
#include "results/ui/result_diagrams.h"
#include "support/modal_answers.h"
#include "support/table_typing.h"

namespace {

TKeeper& Series(TDiagramFrame* frame) { return *frame->Diagram->GetKeeper(0); }

// Counts the analysis windows shown (letting each run) and answers the tables and the
// arbitrary-filter dialog with the given script.
struct Answers {
  int analyses = 0;
  std::vector<const char*> a_values, b_values, signal_values;
  bool request_filter = true;
  ScopedModalAnswerer answerer{[this](QDialog& dialog) -> std::optional<int> {
    if (qobject_cast<TCalcForm*>(&dialog) != nullptr) {
      ++analyses;
      return std::nullopt;
    }
    if (auto* table = qobject_cast<TTabEditorForm*>(&dialog)) {
      const std::string& name = table->Model().TableName();
      const auto& values = name == "a" ? a_values : name == "b" ? b_values : signal_values;
      table->show();
      table->SpeedButton2->click();
      for (const char* value : values) TypeValues(*table, {value});
      table->SpeedButton1->click();
      return table->result();
    }
    if (auto* input = qobject_cast<TInputForm*>(&dialog)) {
      input->show();
      QTest::mouseClick(input->Image1, Qt::LeftButton);
      QTest::mouseClick(input->Image2, Qt::LeftButton);
      if (request_filter) {
        input->Button1->click();
      } else {
        input->close();
      }
      return input->result();
    }
    return QDialog::Rejected;  // the placeholders
  }};
};

TEST(MainWindowTest, StartUpOrderAndFirstPaint) {
  MessageRecorder messages;
  Answers answers;
  AppWindows app;
  const std::vector<QWidget*> expected = {
      app.RYNForm,          app.RYNForm->DiagramIncrease, app.RYNForm->CalcForm, app.RYNForm->InputForm,
      app.RYNForm->LibForm, app.RYNForm->FFT0Form,        app.RYNForm->BGSForm,  app.RYNForm->MeasureForm};
  EXPECT_EQ(app.created, expected);
  EXPECT_EQ(app.RYNForm->windowTitle(), "Вельмар");
  EXPECT_EQ(app.RYNForm->TabAKoef, nullptr);  // made on the first paint
  ASSERT_TRUE(app.ShowMainWindow());

  EXPECT_EQ(answers.analyses, 1);
  EXPECT_EQ(app.RYNForm->TabBKoef->Model().FirstIndex(), 1);
  EXPECT_EQ(app.RYNForm->TabSignal->Model().Title(), "Сигнал на входе цифрового фильтра");
  EXPECT_EQ(app.RYNForm->TabSignal->Model().TableName(), "x");
  // "Увеличить" on a page's diagram and on a table's opens the main window's one enlarged view.
  int enlarged = 0;
  app.RYNForm->DiagramIncrease->SetModalRunner([&] { return ++enlarged, 0; });
  app.RYNForm->DFh->SpeedButtonIncrease->click();
  app.RYNForm->TabSignal->DiagramFrame1->SpeedButtonIncrease->click();
  EXPECT_EQ(enlarged, 2);
  // The identity filter of the empty tables: h = δ, L = 1.
  EXPECT_EQ(Series(app.RYNForm->DFh).GetCount(), 2000);
  EXPECT_EQ(Series(app.RYNForm->DFh).GetKind(), gkDiscret);
  EXPECT_EQ(app.RYNForm->DFh->Diagram->GetXmax(), 2);
  // Sample axes count in whole numbers: 0, 1, 2 rather than 0,0 … 2,0 by 0,1.
  for (TDiagramFrame* frame : {app.RYNForm->DFh, app.RYNForm->DFg, app.RYNForm->DFInput, app.RYNForm->DFOut}) {
    EXPECT_TRUE(frame->Diagram->IsWholeNumberAxisX());
    EXPECT_EQ(frame->Diagram->GetPrecisionX(), 0);
  }
  EXPECT_FALSE(app.RYNForm->DFMag->Diagram->IsWholeNumberAxisX());
  EXPECT_EQ(Series(app.RYNForm->DFg).SampleAt(1500), 1.0);
  EXPECT_EQ(Series(app.RYNForm->DFMag).GetCount(), 2048);
  EXPECT_EQ(Series(app.RYNForm->DFMag).GetKind(), gkAnalogPeriodic);
  EXPECT_EQ(Series(app.RYNForm->DFPh).GetCount(), 2048);
  EXPECT_EQ(Series(app.RYNForm->DFInput).GetCount(), 2);
  EXPECT_EQ(Series(app.RYNForm->DFOut).GetCount(), 2000);
  EXPECT_EQ(Series(app.RYNForm->DFInSpectr).GetCount(), 2048);
  EXPECT_EQ(Series(app.RYNForm->DFOutSpectr).GetColor(), 0xFF00FFu);
  EXPECT_EQ(app.RYNForm->DFMag->Diagram->GetXmin(), -M_PI);
  // The fifth page: the z-plane on equal scales and the group delay on the frequency axis.
  ASSERT_EQ(app.RYNForm->PageControl1->count(), 5);
  EXPECT_EQ(app.RYNForm->PageControl1->tabText(4).toStdString(), "Нули и полюсы");
  for (TDiagramFrame* frame : {app.RYNForm->DFZeroPole, app.RYNForm->DFGroupDelay}) {
    EXPECT_EQ(frame->parentWidget(), app.RYNForm->TabSheets[4]);
  }
  const TDiagram& plane = *app.RYNForm->DFZeroPole->Diagram;
  EXPECT_TRUE(plane.IsEqualScale());
  EXPECT_NEAR((plane.Get_w_out() / (plane.GetXmax() - plane.GetXmin())) /
                  (plane.Get_h_out() / (plane.GetYmax() - plane.GetYmin())),
              1, 1e-12);
  EXPECT_EQ(app.RYNForm->DFGroupDelay->Diagram->GetXmax(), M_PI);
  EXPECT_FALSE(app.RYNForm->DFGroupDelay->Diagram->IsWholeNumberAxisX());
  // Each frame's "Исходные пределы" returns to what was shown.
  app.RYNForm->DFh->Diagram->SetRangeX(0, 50);
  app.RYNForm->DFh->SpeedButtonRetLim->click();
  EXPECT_EQ(app.RYNForm->DFh->Diagram->GetXmax(), 2);

  for (QAction* item : {app.RYNForm->N20001, app.RYNForm->N20002, app.RYNForm->N15, app.RYNForm->N19}) {
    EXPECT_TRUE(item->isChecked()) << item->text().toStdString();
  }
  EXPECT_FALSE(app.RYNForm->N24->isEnabled());

  // An item already checked does nothing, not even a recomputation.
  app.RYNForm->N20001->trigger();
  app.RYNForm->N15->trigger();
  app.RYNForm->N19->trigger();
  EXPECT_EQ(answers.analyses, 1);
  EXPECT_TRUE(app.RYNForm->N20001->isChecked());
  EXPECT_TRUE(app.RYNForm->N19->isChecked());
  // The two diagrams of a page over one axis have equal x values in one pixel column of the
  // window, whatever their y labels (the flat phase has long ones; zoomed, g(n) gets long ones).
  const auto column = [&](TDiagramFrame* frame, double x) {
    return frame->Diagram->mapTo(app.RYNForm, QPoint(frame->Diagram->MathToPhisX(x), 0)).x();
  };
  app.RYNForm->resize(1024, 768);
  app.RYNForm->N7->trigger();
  app.RYNForm->DFMag->Diagram->SetRangeY(-10000, 10000);
  app.RYNForm->DFg->Diagram->SetRangeY(-10000, 10000);
  for (const auto& [upper, lower] :
       {std::pair{app.RYNForm->DFh, app.RYNForm->DFg}, std::pair{app.RYNForm->DFMag, app.RYNForm->DFPh}}) {
    for (double x : {upper->Diagram->GetXmin(), 0.0, upper->Diagram->GetXmax()}) {
      EXPECT_EQ(column(upper, x), column(lower, x)) << upper->objectName().toStdString() << " " << x;
    }
  }
  app.RYNForm->N8->trigger();
  EXPECT_EQ(app.RYNForm->PageControl1->currentIndex(), 2);
  // The roots are found when their page is shown.
  EXPECT_TRUE(app.RYNForm->LabelStability->text().isEmpty());
  app.RYNForm->NZeroPole->trigger();
  EXPECT_EQ(app.RYNForm->PageControl1->currentIndex(), 4);
  EXPECT_EQ(app.RYNForm->LabelStability->text().toStdString(), "Устойчив: полюсов нет");  // the identity
  // The z-plane beside the group delay: half the page at 1024 × 768, square where the page is
  // more than twice as wide as high.
  TDiagramFrame* z_plane = app.RYNForm->DFZeroPole;
  TDiagramFrame* delay = app.RYNForm->DFGroupDelay;
  EXPECT_EQ(delay->y(), z_plane->y());
  EXPECT_EQ(delay->x(), z_plane->x() + z_plane->width());
  EXPECT_EQ(z_plane->width(), (app.RYNForm->PageControl1->width() - 20) / 2);
  EXPECT_LT(z_plane->Diagram->Get_w_out(), z_plane->Diagram->Get_h_out());
  app.RYNForm->resize(2400, 1080);
  EXPECT_NEAR(z_plane->Diagram->Get_w_out(), z_plane->Diagram->Get_h_out(), 0.02 * z_plane->Diagram->Get_h_out());
  EXPECT_EQ(delay->x() + delay->width(), app.RYNForm->PageControl1->width() - 12);
  EXPECT_GT(delay->width(), z_plane->width());
  EXPECT_GE(app.RYNForm->LabelStability->y(), z_plane->y() + z_plane->height());
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(MainWindowTest, TableEditorsThatCannotBeMadeEndTheStartUpWithTheMessage) {
  MessageRecorder messages;
  Answers answers;
  int made = 0;
  const TableEditorFactory previous = SetTableEditorFactory([&](TableModel& model, QWidget* parent) -> TTabEditorForm* {
    if (++made == 2) throw std::runtime_error("Редактор таблиц: недостаточно памяти.");
    return new TTabEditorForm(model, parent);
  });
  {
    AppWindows app;
    app.RYNForm->show();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !app.RYNForm->IsFirstPaintPending() && !app.RYNForm->isVisible(); }, 10000));
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Редактор таблиц: недостаточно памяти."});
    EXPECT_EQ(made, 2);
    EXPECT_EQ(answers.analyses, 0);  // nothing runs on a missing table
  }
  SetTableEditorFactory(previous);
}

TEST(MainWindowTest, TypedFilterTableSignalAndSettings) {
  MessageRecorder messages;
  Answers answers;
  answers.a_values = {"0,5"};
  answers.b_values = {"0,5"};
  answers.signal_values = {"1", "2", "3"};
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());

  // y(n) = 0.5·x(n) + 0.5·y(n − 1): h(n) = 0.5^(n+1). On the z-plane's page its roots follow.
  app.RYNForm->NZeroPole->trigger();
  app.RYNForm->N4->trigger();
  EXPECT_EQ(answers.analyses, 2);
  for (int n = 0; n < 20; ++n) EXPECT_DOUBLE_EQ(Series(app.RYNForm->DFh).SampleAt(n), std::pow(0.5, n + 1)) << n;
  // Its one pole, at 0,5, inside the unit circle.
  EXPECT_EQ(app.RYNForm->LabelStability->text().toStdString(), "Устойчив: наибольший радиус полюса 0,5");
  const TKeeper* poles = app.RYNForm->DFZeroPole->Diagram->GetKeeper(2);
  ASSERT_NE(poles, nullptr);
  ASSERT_EQ(poles->GetCount(), 1);
  EXPECT_NEAR(poles->GetPoints()[0].x, 0.5, 1e-12);
  EXPECT_EQ(poles->GetMarkerShape(), msCross);

  app.RYNForm->N21->trigger();
  EXPECT_EQ(answers.analyses, 3);
  TKeeper& input = Series(app.RYNForm->DFInput);
  ASSERT_EQ(input.GetCount(), 3);
  EXPECT_EQ(input.SampleAt(2), 3.0);
  EXPECT_DOUBLE_EQ(Series(app.RYNForm->DFOut).SampleAt(1), 0.5 * 2 + 0.25 * 1);
  EXPECT_DOUBLE_EQ(Series(app.RYNForm->DFOut).SampleAt(2), 0.5 * 3 + 0.25 * 2 + 0.125);
  const int transient = app.session.run->TransientLength();
  EXPECT_EQ(app.RYNForm->DFInput->Diagram->GetXmax(), 3 + transient);
  EXPECT_EQ(app.RYNForm->DFOut->Diagram->GetXmax(), 3 + transient);

  // The interval changes the time diagrams only.
  const double magnitude_at_0 = Series(app.RYNForm->DFMag).Sample(0);
  app.RYNForm->N10001->trigger();
  EXPECT_EQ(answers.analyses, 4);
  EXPECT_EQ(Series(app.RYNForm->DFh).GetCount(), 1000);
  EXPECT_EQ(app.RYNForm->DFh->Diagram->GetLimitXmax(), 1000);
  EXPECT_EQ(Series(app.RYNForm->DFMag).GetCount(), 2048);
  EXPECT_EQ(Series(app.RYNForm->DFMag).Sample(0), magnitude_at_0);

  // The resolution changes the frequency diagrams only.
  app.RYNForm->N40002->trigger();
  EXPECT_EQ(Series(app.RYNForm->DFMag).GetCount(), 4096);
  EXPECT_EQ(Series(app.RYNForm->DFOutSpectr).GetCount(), 4096);
  EXPECT_EQ(Series(app.RYNForm->DFh).GetCount(), 1000);
  EXPECT_FALSE(app.RYNForm->N20002->isChecked());

  // Normalised, then dB: the name follows; an arbitrary filter leaves the measurement off.
  app.RYNForm->N16->trigger();
  EXPECT_EQ(app.RYNForm->DFMag->Diagram->GetNameDiagram(), "Нормированная АЧХ");
  EXPECT_EQ(app.RYNForm->DFMag->Diagram->GetYmin(), 0);
  EXPECT_DOUBLE_EQ(app.RYNForm->DFMag->Diagram->GetYmax(), 1);
  EXPECT_FALSE(app.RYNForm->N24->isEnabled());
  app.RYNForm->N17->trigger();
  EXPECT_EQ(app.RYNForm->DFMag->Diagram->GetNameDiagram(), "Нормированная АЧХ в [дБ]");
  EXPECT_EQ(app.RYNForm->DFMag->Diagram->GetYmax(), 0);
  EXPECT_GE(app.RYNForm->DFMag->Diagram->GetYmin(), -100);
  EXPECT_FALSE(app.RYNForm->N24->isEnabled());

  // The cyclic unit: the same values over [−0.5, 0.5], with fT under the axis.
  const std::vector<TDiagramFrame*> frequency = {app.RYNForm->DFMag, app.RYNForm->DFPh, app.RYNForm->DFInSpectr,
                                                 app.RYNForm->DFOutSpectr, app.RYNForm->DFGroupDelay};
  const auto x_pictures_are = [&](bool cyclic) {
    const TBitmap& wanted = FrequencyAxisPicture(cyclic);
    return std::all_of(frequency.begin(), frequency.end(), [&](TDiagramFrame* frame) {
      const TBitmap& shown = frame->Diagram->GetBitmapX();
      return shown.Width == wanted.Width && shown.Height == wanted.Height && shown.Pixels == wanted.Pixels;
    });
  };
  ASSERT_NE(FrequencyAxisPicture(true).Pixels, FrequencyAxisPicture(false).Pixels);
  EXPECT_TRUE(x_pictures_are(false));
  const double stored = Series(app.RYNForm->DFPh).Sample(100);
  app.RYNForm->N20->trigger();
  EXPECT_TRUE(x_pictures_are(true));
  EXPECT_EQ(app.RYNForm->DFMag->Diagram->GetXmin(), -0.5);
  EXPECT_EQ(app.RYNForm->DFOutSpectr->Diagram->GetXmax(), 0.5);
  EXPECT_EQ(app.RYNForm->DFGroupDelay->Diagram->GetXmin(), -0.5);
  EXPECT_EQ(Series(app.RYNForm->DFPh).Sample(100), stored);
  EXPECT_FALSE(app.RYNForm->N19->isChecked());
  EXPECT_EQ(answers.analyses, 7);  // the unit needs no computation
  app.RYNForm->N19->trigger();
  EXPECT_TRUE(x_pictures_are(false));
  EXPECT_EQ(app.RYNForm->DFPh->Diagram->GetXmax(), M_PI);

  // The dialog closed without "Анализ" changes nothing.
  answers.request_filter = false;
  answers.a_values = {"2"};
  app.RYNForm->N4->trigger();
  EXPECT_EQ(answers.analyses, 7);
  EXPECT_DOUBLE_EQ(Series(app.RYNForm->DFh).SampleAt(0), 0.5);
  EXPECT_TRUE(messages.Messages().empty());

  // b1 = 1,5: a pole outside the unit circle.
  answers.request_filter = true;
  answers.a_values = {"1"};
  answers.b_values = {"1,5"};
  app.RYNForm->N6->trigger();
  app.RYNForm->N4->trigger();
  // Another page is shown: the roots wait for their own.
  EXPECT_EQ(app.RYNForm->LabelStability->text().toStdString(), "Устойчив: наибольший радиус полюса 0,5");
  app.RYNForm->NZeroPole->trigger();
  EXPECT_EQ(app.RYNForm->LabelStability->text().toStdString(), "Неустойчив: наибольший радиус полюса 1,5");
}

TEST(MainWindowTest, ThePageShownIsPaintedOnceAndTheOthersWhileIdle) {
  Answers answers;
  AppWindows app;
  app.RYNForm->resize(1200, 800);
  ASSERT_TRUE(app.ShowMainWindow());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(app.RYNForm));
  QTest::qWait(100);
  std::array<long, kResultDiagramCount> seen{};
  // Pictures painted per diagram since the last call.
  const auto painted = [&] {
    std::array<long, kResultDiagramCount> now{};
    for (int d = 0; d < kResultDiagramCount; ++d) {
      const long count = app.RYNForm->Frame(static_cast<ResultDiagram>(d))->Diagram->PicturesPainted();
      now[d] = count - seen[d];
      seen[d] = count;
    }
    return now;
  };
  const auto on_page = [](int page, long shown, long others) {
    std::array<long, kResultDiagramCount> expected{};
    for (int d = 0; d < kResultDiagramCount; ++d) expected[d] = d / 2 == page ? shown : others;
    return expected;
  };
  app.RYNForm->PageControl1->setCurrentIndex(4);  // the roots of the filter are found
  QTest::qWait(50);
  app.RYNForm->PageControl1->setCurrentIndex(1);
  QTest::qWait(50);
  painted();
  app.RYNForm->N40001->trigger();          // an analysis of the same filter
  EXPECT_EQ(painted(), on_page(1, 0, 0));  // laid out, painted when the window paints
  app.RYNForm->repaint();
  EXPECT_EQ(painted(), on_page(1, 1, 0));
  QTest::qWait(200);  // idle: the hidden pages, the z-plane with its roots known
  EXPECT_EQ(painted(), on_page(1, 0, 1));
  // A page shown then only copies its pictures.
  app.RYNForm->PageControl1->setCurrentIndex(2);
  QTest::qWait(50);
  EXPECT_EQ(painted(), on_page(2, 0, 0));

  // A resize lays out and paints each diagram once: the page shown at once, the others while idle.
  app.RYNForm->resize(1000, 700);
  QTest::qWait(200);
  EXPECT_EQ(painted(), on_page(2, 1, 1));
  app.RYNForm->PageControl1->setCurrentIndex(0);
  QTest::qWait(50);
  EXPECT_EQ(painted(), on_page(0, 0, 0));
  EXPECT_EQ(app.RYNForm->DFh->Diagram->Picture().size(), app.RYNForm->DFh->Diagram->size());
}

TEST(MainWindowTest, MovingOverADiagramShowsItsToolsAndHidesTheOthers) {
  Answers answers;
  AppWindows app;
  ASSERT_TRUE(app.ShowMainWindow());
  TDiagramFrame* upper = app.RYNForm->DFMag;
  TDiagramFrame* lower = app.RYNForm->DFPh;
  app.RYNForm->PageControl1->setCurrentIndex(1);
  QTest::mouseMove(lower->Diagram, lower->Diagram->rect().center());
  EXPECT_TRUE(lower->Panel->isVisibleTo(lower));
  QTest::mouseMove(upper->Diagram, upper->Diagram->rect().center());
  EXPECT_TRUE(upper->Panel->isVisibleTo(upper));
  EXPECT_FALSE(lower->Panel->isVisibleTo(lower));
  QTest::mouseMove(app.RYNForm->TabSheets[1], QPoint(2, 2));
  EXPECT_FALSE(upper->Panel->isVisibleTo(upper));
}

}  // namespace
