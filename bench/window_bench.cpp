// The window's side of an analysis command, on a main window of 1920 x 1061: stepping the
// analysis window's bars through a run, and refilling the diagrams and painting the page shown.
// These were the costs of a command besides the computation itself.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "app/analysis_window.h"
#include "app/input_dialogs.h"
#include "app/main_window.h"
#include "app/start_up.h"
#include "bench_application.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/ui/table_editor.h"
#include "session/session.h"

namespace {

// An interval analysis steps three bars through 4000 samples each, with the window on the screen.
void BM_AnalysisWindowBars4000(benchmark::State& state) {
  EnsureApplication();
  AnalysisRun run;
  TCalcForm form{run};
  form.show();
  form.Timer1->stop();  // no run: the bars are stepped here
  QCoreApplication::processEvents();
  for (auto _ : state) {
    for (AnalysisBar which : {PBPuls, PBStep, PBSignal}) {
      ProgressBar& bar = run.Bar(which);
      bar.SetMaximum(4000);
      bar.Reset();
      for (int n = 0; n < 4000; ++n) bar.StepIt();
    }
  }
}
BENCHMARK(BM_AnalysisWindowBars4000)->Unit(benchmark::kMillisecond);

// The main window after a Butterworth filter of order 200 at 4000 samples and 4096 points:
// every diagram refilled and the page shown (h and g, 4000 stems each) painted.
void BM_ShowResultsOnMainWindow(benchmark::State& state) {
  EnsureApplication();
  static TRYNForm* RYNForm = nullptr;
  if (RYNForm == nullptr) {
    static Session session;  // lives as long as the windows, which the process keeps
    RYNForm = static_cast<TRYNForm*>(CreateApplicationWindows(session).front());
    RYNForm->resize(1920, 1061);
    RYNForm->show();
    QElapsedTimer waited;
    waited.start();
    while ((RYNForm->IsFirstPaintPending() || RYNForm->TabSignal == nullptr) && waited.elapsed() < 20000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    session.library.SetPage(0);
    session.library.ButterworthDesign().SetAutoOrder(false);
    session.library.ButterworthDesign().SetOrder(200);
    session.library.SelectFilter();
    session.run->RunAnalysis(1);
    RYNForm->N40001->trigger();
    RYNForm->N40002->trigger();
  }
  for (auto _ : state) {
    RYNForm->ShowResults();
    QCoreApplication::sendPostedEvents();  // the window's update: the page shown
  }
}
BENCHMARK(BM_ShowResultsOnMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
