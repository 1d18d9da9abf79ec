#include "cli_session.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "analysis/analysed_response.h"
#include "cli_outputs.h"
#include "cli_pictures.h"
#include "dialogs/measurement_dialog_model.h"
#include "dialogs/table_files.h"
#include "numeric/number_text.h"
#include "results/coefficient_export.h"
#include "results/filter_coefficients.h"
#include "session/project_file.h"
#include "session/session.h"
#include "session/session_settings.h"

namespace {

std::string Number(double value) { return ExactNumberText(value); }

std::string TimeCsv(const AnalysisRun& run) {
  std::string text = "n,h,g,x,y\n";
  for (int n = 0; n < run.IntervalLength(); ++n)
    text += std::to_string(n) + "," + Number(run.ImpulseResponse()[n]) + "," + Number(run.StepResponse()[n]) + "," +
            Number(run.InputSignal()[n]) + "," + Number(run.OutputSignal()[n]) + "\n";
  return text;
}

std::string FrequencyCsv(const AnalysisRun& run) {
  std::string text = "k,omega,amplitude,phase,input_spectrum,output_spectrum,group_delay\n";
  const int m = run.FrequencyPoints();
  for (int k = 0; k < m; ++k) {
    // An undefined group delay (NaN) leaves its field empty.
    const double tau = run.GroupDelay()[k];
    text += std::to_string(k) + "," + Number(run.GridOmega(k)) + "," + Number(run.AmplitudeResponse()[k]) + "," +
            Number(run.PhaseResponse()[k]) + "," + Number(run.InputSpectrum()[k]) + "," +
            Number(run.OutputSpectrum()[k]) + "," + (std::isnan(tau) ? "" : Number(tau)) + "\n";
  }
  return text;
}

std::string ZeroPoleCsv(const ZeroPoleSet& set) {
  std::string text = "kind,re,im,multiplicity\n";
  const auto rows = [&](const char* kind, const std::vector<ZeroPoleRoot>& roots) {
    for (const ZeroPoleRoot& r : roots)
      text += std::string(kind) + "," + Number(r.value.real()) + "," + Number(r.value.imag()) + "," +
              std::to_string(r.multiplicity) + "\n";
  };
  rows("zero", set.zeros);
  rows("pole", set.poles);
  return text + "gain," + ExactNumberText(set.gain) + ",0,1\n";
}

std::string PicturePath(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::vector<NamedFile> OutputTargets(const CliOptions& o) {
  std::vector<NamedFile> targets;
  const std::pair<const char*, const std::string*> files[] = {
      {"--time-csv", &o.time_csv}, {"--freq-csv", &o.freq_csv}, {"--coefficients-csv", &o.coefficients_csv},
      {"--c-header", &o.c_header}, {"--zpk-csv", &o.zpk_csv},   {"--save-project", &o.save_project}};
  for (const auto& [option, file] : files)
    if (!file->empty()) targets.push_back({option, *file});
  if (!o.pictures_dir.empty())
    for (const std::string& name : ResultPictureNames(o.picture_format.value_or(TPictureFormat::kBmp)))
      targets.push_back({"--pictures", PicturePath(o.pictures_dir, name)});
  return targets;
}

std::vector<NamedFile> InputFiles(const CliOptions& o) {
  std::vector<NamedFile> inputs;
  if (o.signal == SignalChoice::kTableFile) inputs.push_back({"--table", o.table_file});
  if (!o.project_file.empty()) inputs.push_back({"--project", o.project_file});
  return inputs;
}

// The settings of the run as a project. A table file's samples are saved as read: the project
// keeps its work when the file is moved or gone.
std::string ProjectText(const CliOptions& o, const Session& s) {
  ProjectSettings settings = o;
  if (settings.signal == SignalChoice::kTableFile) {
    settings.signal = SignalChoice::kSamples;
    settings.table_file.clear();
    settings.samples.assign(s.signal.Values().begin(), s.signal.Values().end());
  }
  return WriteProject(settings);
}

// The reason a table file could not be read, for the user.
std::string TableFileFailure(const std::string& path, const TableFileRead& read) {
  const std::string reason =
      read.error == ENODEV ? "it is not a regular file but a device, a pipe or a socket" : std::strerror(read.error);
  return "cannot read the table file '" + path + "': " + reason;
}

// The coefficient files in the layout asked for, or the filter's own.
bool CollectCoefficients(Session& s, const CliOptions& o, CliOutputs& outputs, std::FILE* err) {
  if (o.coefficients_csv.empty() && o.c_header.empty()) return true;
  FollowAnalysedFilter(s.coefficients, *s.run, s.library);
  const FilterCoefficients& filter = s.coefficients;
  const CoefficientLayout layout =
      o.coefficients_layout == "direct" || (o.coefficients_layout.empty() && !filter.IsCascade())
          ? CoefficientLayout::kDirect
          : CoefficientLayout::kSections;
  const OfferedLayouts offered = LayoutsOf(filter);
  if (std::find(offered.layouts.begin(), offered.layouts.end(), layout) == offered.layouts.end()) {
    std::fputs(offered.direct_fault == DirectFormFault::kUnfaithful
                   ? "velmar-cli: the direct form of this filter, rounded to doubles, is not the filter "
                     "(its response differs from the sections' by more than 1e-6); "
                     "write it as sections (--coefficients-layout sos)\n"
                   : "velmar-cli: the direct form of this filter does not fit in doubles; "
                     "write it as sections (--coefficients-layout sos)\n",
               err);
    return false;
  }
  if (!o.coefficients_csv.empty()) outputs.Add(o.coefficients_csv, CoefficientsCsv(filter, layout));
  if (!o.c_header.empty())
    outputs.Add(o.c_header,
                CoefficientsHeader(filter, layout, o.c_prefix.empty() ? HeaderPrefix(o.c_header) : o.c_prefix));
  return true;
}

// Everything the run writes, complete before any of it is written.
bool CollectOutputs(Session& s, const CliOptions& o, CliOutputs& outputs, std::FILE* err) {
  if (!o.time_csv.empty()) outputs.Add(o.time_csv, TimeCsv(*s.run));
  if (!o.freq_csv.empty()) outputs.Add(o.freq_csv, FrequencyCsv(*s.run));
  if (!CollectCoefficients(s, o, outputs, err)) return false;
  if (!o.zpk_csv.empty()) outputs.Add(o.zpk_csv, ZeroPoleCsv(s.run->ZeroPoles()));
  if (!o.save_project.empty()) outputs.Add(o.save_project, ProjectText(o, s));
  if (o.pictures_dir.empty()) return true;
  const ResultSettings settings = SettingsOf(s.signal, s.biharmonic, false);
  s.plan.Plan(*s.run, settings);
  auto pictures = DrawResultPictures(*s.run, s.plan, settings, o.picture_format.value_or(TPictureFormat::kBmp), err);
  if (!pictures) return false;
  for (PictureFile& picture : *pictures) outputs.AddToFolder(o.pictures_dir, picture.name, std::move(picture.bytes));
  return true;
}

// The measurement at the levels the session's measurement has chosen, as its dialog states it.
std::string MeasurementText(Session& s) {
  const AnalysisRun& run = *s.run;
  const std::optional<ContinuousResponse> between = AnalysedResponse(run);
  s.measurement.Show(run.GetAfcMode(), AnalysedBand(run, s.library));
  s.measurement.Measure(run.AmplitudeResponse(), run.FrequencyPoints(), between ? &*between : nullptr);
  std::string text;
  for (const auto& [hint, value] : HintedResults(s.measurement.LastResult())) text += hint + ": " + value + "\n";
  return text;
}

const char* StabilityWord(Stability stability) {
  return stability == Stability::kStable ? "yes" : stability == Stability::kUnstable ? "no" : "unknown";
}

std::string Summary(Session& s, const CliOptions& o) {
  const AnalysisRun& run = *s.run;
  std::string kind, size;
  int order = 0;
  if (const CCascadFilter2* cascade = run.CascadeFilter()) {
    const bool butterworth = o.filter == FilterChoice::kButterworth;
    kind = butterworth ? "butterworth" : "chebyshev";
    order = butterworth ? s.library.ButterworthDesign().FilterOrder() : s.library.ChebyshevDesign().FilterOrder();
    size = "sections: " + std::to_string(cascade->SectionCount());
  } else if (const CBaseDigitalFilter* direct = run.DirectFilter()) {
    kind = o.filter == FilterChoice::kWindow       ? "window"
           : o.filter == FilterChoice::kFrSampling ? "fsampling"
                                                   : "arbitrary";
    order = direct->Order();
    size = "taps: " + std::to_string(direct->FAOrder() + 1);
  }
  char radius[32];
  std::snprintf(radius, sizeof radius, "%.6g", run.ZeroPoles().max_pole_radius);
  return "filter: " + kind + "\norder: " + std::to_string(order) + "\n" + size +
         "\ntransient length: " + std::to_string(run.TransientLength()) +
         "\noverflow: " + (run.Overflowed() ? "yes" : "no") + "\nstable: " + StabilityWord(run.ZeroPoles().stability) +
         "\nmax pole radius: " + radius + "\n";
}

}  // namespace

int RunCliSession(const CliOptions& o, std::FILE* out, std::FILE* err) {
  try {
    CheckDistinctFiles(InputFiles(o), OutputTargets(o));
    if (o.signal == SignalChoice::kTableFile) {
      if (const TableFileRead read = ReadTableFile(o.table_file, kTableCapacity); !read)
        throw UsageError(TableFileFailure(o.table_file, read));
    }

    Session s;
    s.run->ShowWindow();  // the first analysis, as the main window's first paint runs it
    ApplySettings(s, o, err);
    s.run->RunAnalysis(o.filter == FilterChoice::kArbitrary ? 0 : 1);

    bool csv_on_standard_output = false;
    for (const std::string* file :
         {&o.time_csv, &o.freq_csv, &o.coefficients_csv, &o.c_header, &o.zpk_csv, &o.save_project})
      csv_on_standard_output = csv_on_standard_output || (!file->empty() && IsStandardOutput(*file));
    std::FILE* report = csv_on_standard_output ? err : out;
    CliOutputs outputs;
    if (!CollectOutputs(s, o, outputs, err)) return 1;
    outputs.Report((o.measure ? MeasurementText(s) : "") + Summary(s, o), report);
    return outputs.WriteAll(out, err);
  } catch (const UsageError& error) {
    std::fprintf(err, "velmar-cli: %s\n", error.what());
    return 2;
  }
}
