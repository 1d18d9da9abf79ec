#include "cli_pictures.h"

#include <QApplication>
#include <QDir>
#include <memory>

#include "analysis/analysis.h"
#include "diagram/ui/diagram_widget.h"
#include "results/show_results.h"
#include "results/ui/result_diagrams.h"

namespace {

// The diagrams need fonts and pictures, hence an application object; no screen is needed.
void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velmar-cli";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
}

}  // namespace

bool WriteResultPictures(const AnalysisRun& run, const ResultSettings& settings, const std::string& dir,
                         std::FILE* err) {
  EnsureApplication();
  if (!QDir().mkpath(QString::fromStdString(dir))) {
    std::fprintf(err, "velmar-cli: cannot create the folder '%s'\n", dir.c_str());
    return false;
  }
  ResultPlan plan;
  plan.Plan(run, settings);
  for (int d = 0; d < kResultDiagramCount; ++d) {
    const auto which = static_cast<ResultDiagram>(d);
    TDiagram diagram;
    diagram.resize(kPictureWidth, kPictureHeight);
    diagram.SetSize(kPictureWidth, kPictureHeight);
    StyleResultDiagram(diagram, which, settings.cyclic_frequency);
    if (which == DFMag) diagram.SetNameDiagram(AmplitudeResponseName(run.GetAfcMode()));
    ShowPlannedResult(diagram, plan[which]);
    const std::string path = QDir(QString::fromStdString(dir)).filePath(ResultDiagramName(which)).toStdString() + ".bmp";
    if (!diagram.SaveBmpFile(path)) return false;
  }
  return true;
}
