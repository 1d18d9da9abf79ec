#include "cli_pictures.h"

#include <QApplication>
#include <cstdio>

#include "analysis/analysis.h"
#include "diagram/ui/diagram_widget.h"
#include "results/show_results.h"
#include "results/ui/result_diagrams.h"

namespace {

// Standard error is for the program's own messages: Qt's notes about its environment (such as
// "XDG_RUNTIME_DIR not set" under cron) are no concern of the user's; its failures still show.
void KeepQtNotesQuiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "velmar-cli: Qt: %s\n", text.toLocal8Bit().constData());
}

// The diagrams need fonts and pictures, hence an application object; no screen is needed.
void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qInstallMessageHandler(KeepQtNotesQuiet);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velmar-cli";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
}

}  // namespace

std::vector<std::string> ResultPictureNames(TPictureFormat format) {
  std::vector<std::string> names;
  for (int d = 0; d < kResultDiagramCount; ++d)
    names.push_back(ResultDiagramName(static_cast<ResultDiagram>(d)) + PictureExtension(format));
  return names;
}

std::optional<std::vector<PictureFile>> DrawResultPictures(const AnalysisRun& run, const ResultPlan& plan,
                                                           const ResultSettings& settings, TPictureFormat format,
                                                           std::FILE* err) {
  EnsureApplication();
  const std::vector<std::string> names = ResultPictureNames(format);
  std::vector<PictureFile> pictures;
  for (int d = 0; d < kResultDiagramCount; ++d) {
    const auto which = static_cast<ResultDiagram>(d);
    TDiagram diagram;
    const int width = which == DFZeroPole ? kPlanePictureWidth : kPictureWidth;
    const int height = which == DFZeroPole ? kPlanePictureHeight : kPictureHeight;
    diagram.resize(width, height);
    diagram.SetSize(width, height);
    StyleResultDiagram(diagram, which, settings.cyclic_frequency);
    if (which == DFMag) diagram.SetNameDiagram(AmplitudeResponseName(run.GetAfcMode()));
    ShowPlannedResult(diagram, plan[which]);
    QString problem;
    // No screen: a PNG has one pixel per pixel of the diagram.
    std::optional<std::string> bytes = diagram.PrintModePicture(format, 1, problem);
    if (!bytes) {
      std::fprintf(err, "velmar-cli: cannot draw the picture %s: %s\n", names[d].c_str(), problem.toUtf8().constData());
      return std::nullopt;
    }
    pictures.push_back({names[d], std::move(*bytes)});
  }
  return pictures;
}
