#include "app/start_up.h"

#include <QApplication>
#include <exception>

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

std::vector<QWidget*> CreateApplicationWindows() {
  std::vector<QWidget*> created;
  created.push_back(RYNForm = new TRYNForm);
  created.push_back(DiagramIncrease = new TDiagramIncrease(RYNForm));
  created.push_back(CalcForm = new TCalcForm(RYNForm));
  created.push_back(InputForm = new TInputForm(RYNForm));
  created.push_back(CreateLibForm(RYNForm));
  created.push_back(FFT0Form = new TFFT0Form(RYNForm));
  created.push_back(CreateBGSForm(RYNForm));
  created.push_back(CreateMeasureForm(RYNForm));
  // The table spectra go through the transform that owns the "БПФ" window.
  CalcForm->Run().SetTransform(&FFT0Form->Transform());
  return created;
}

int RunApplication() {
  try {
    CreateApplicationWindows();
    RYNForm->showMaximized();
    QApplication::exec();
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowUnknownException();
  }
  return 0;
}
