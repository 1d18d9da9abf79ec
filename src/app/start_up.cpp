#include "app/start_up.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "app/analysis_window.h"
#include "app/exception_display.h"
#include "app/fft_window.h"
#include "app/input_dialogs.h"
#include "app/main_window.h"
#include "diagram/ui/diagram_increase.h"
#include "dialogs/ui/arbitrary_filter_dialog.h"
#include "dialogs/ui/bgs_form.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/measure_form.h"
#include "session/session.h"

std::vector<QWidget*> CreateApplicationWindows(Session& session) {
  std::vector<QWidget*> created;
  auto& main = *new TRYNForm(session);
  created.push_back(&main);
  created.push_back(main.DiagramIncrease = new TDiagramIncrease(&main));
  created.push_back(main.CalcForm = new TCalcForm(*session.run, &main));
  created.push_back(main.InputForm = new TInputForm(session.input_form, &main));
  created.push_back(main.LibForm = CreateLibForm(session.library_fields, &main));
  created.push_back(main.FFT0Form = new TFFT0Form(session.fft, &main));
  created.push_back(main.BGSForm = CreateBGSForm(session.biharmonic_fields, &main));
  created.push_back(main.MeasureForm = CreateMeasureForm(*session.run, session.measurement, session.library, &main));
  return created;
}

int RunApplication(const std::string& project_file) {
  // Outside the handlers: the windows may still paint while an exception is shown.
  std::unique_ptr<Session> session;
  try {
    session = std::make_unique<Session>();
    // The main window goes with every other window, before the session they show.
    const std::unique_ptr<QWidget> main_window(CreateApplicationWindows(*session).front());
    if (!project_file.empty()) static_cast<TRYNForm*>(main_window.get())->OpenProjectAfterStartUp(project_file);
    main_window->showMaximized();
    QApplication::exec();
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowUnknownException();
  }
  return 0;
}
