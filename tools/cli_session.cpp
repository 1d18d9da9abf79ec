#include "cli_session.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "analysis/measurement.h"
#include "cli_outputs.h"
#include "cli_pictures.h"
#include "dialogs/model_set.h"
#include "dialogs/table_files.h"
#include "numeric/number_text.h"
#include "results/coefficient_export.h"
#include "results/filter_coefficients.h"
#include "results/result_plan.h"

namespace {

using Session = ModelSet;

// Level fields take dB or a ratio; the dialog applies whichever is shown.
template <class Design>
void ApplyRecursiveDesign(Design& design, const CliOptions& o) {
  design.SetAutoOrder(!o.order.has_value());
  if (o.wp) design.SetWp(*o.wp);
  if (o.fp) design.SetFp(*o.fp);
  if (o.lp) design.SetLp(*o.lp);
  if (o.lp_db) design.SetLpdB(*o.lp_db);
  if constexpr (requires { design.SetRipple(0.0); }) {
    if (o.ripple_percent) design.SetRipple(*o.ripple_percent * 0.01);
    if (o.ripple_db) design.SetRippledB(*o.ripple_db);
  }
  if (o.transition) design.SetTransition(*o.transition);
  if (o.ls) design.SetLs(*o.ls);
  if (o.ls_db) design.SetLsdB(*o.ls_db);
  if (o.order) design.SetOrder(*o.order);
}

void ApplyFirDesign(CWeighingFilter& design, const CliOptions& o) {
  if (o.wc) design.SetWc(*o.wc);
  if (o.fc) design.SetFc(*o.fc);
  if (o.order) design.SetOrder(*o.order);
  design.SetHamming(o.hamming);
}

int LibraryPage(FilterChoice filter) {
  switch (filter) {
    case FilterChoice::kButterworth: return kButterworthKind;
    case FilterChoice::kChebyshev: return kChebyshevKind;
    case FilterChoice::kWindow: return kWeighingKind;
    default: return kFrSamplingKind;
  }
}

void ChooseFilter(Session& s, const CliOptions& o) {
  FilterLibraryModel& library = s.library;
  switch (o.filter) {
    case FilterChoice::kArbitrary: {
      s.input_form.Show(s.a, s.b);
      s.a.SetValues(o.a.data(), static_cast<int>(o.a.size()));
      s.b.SetValues(o.b.data(), static_cast<int>(o.b.size()));
      if (!s.input_form.RequestAnalysis(s.a)) throw UsageError("the non-recursive coefficients are all 0");
      return;
    }
    case FilterChoice::kButterworth: ApplyRecursiveDesign(library.ButterworthDesign(), o); break;
    case FilterChoice::kChebyshev: ApplyRecursiveDesign(library.ChebyshevDesign(), o); break;
    case FilterChoice::kWindow: ApplyFirDesign(library.WeighingDesign(), o); break;
    case FilterChoice::kFrSampling: ApplyFirDesign(library.FrSamplingDesign(), o); break;
  }
  library.Show();
  library.SetPage(LibraryPage(o.filter));
  library.SelectFilter();
}

void AcceptTable(TableModel& table) {
  table.Accept();
  table.Close();
}

void ChooseSignal(Session& s, const CliOptions& o) {
  switch (o.signal) {
    case SignalChoice::kEmptyTable: return;
    case SignalChoice::kTableFile:
      s.signal.Show();
      if (!s.signal.LoadFile(o.table_file)) throw UsageError("cannot read the table file '" + o.table_file + "'");
      AcceptTable(s.signal);
      return;
    case SignalChoice::kSamples:
      // The table keeps each value exactly behind its rounded text.
      s.signal.SetValues(o.samples.data(), static_cast<int>(o.samples.size()));
      s.signal.Show();
      AcceptTable(s.signal);
      return;
    case SignalChoice::kBiharmonic: {
      BiharmonicModel& signal = s.biharmonic;
      signal.Show();
      signal.SetOscillationEnabled(1, o.oscillations.find('1') != std::string::npos);
      signal.SetOscillationEnabled(2, o.oscillations.find('2') != std::string::npos);
      if (o.w1) signal.SetOmega(1, *o.w1);
      if (o.a1) signal.SetAmplitude(1, *o.a1);
      if (o.phi1) signal.SetPhase(1, *o.phi1);
      if (o.w2) signal.SetOmega(2, *o.w2);
      if (o.a2) signal.SetAmplitude(2, *o.a2);
      if (o.phi2) signal.SetPhase(2, *o.phi2);
      signal.FillDecimationList();
      // D = 1 (every sample) is always there, even with an empty list; another D must be in it.
      if (o.decimation.value_or(1) != 1 && !signal.SelectDecimation(*o.decimation - 1))
        throw UsageError("decimation " + std::to_string(*o.decimation) +
                         " is not offered for these frequencies (at most " +
                         std::to_string(signal.DecimationList().size()) + ")");
      signal.SetStationary(!o.switched_on);
      signal.RequestAnalysis();
      return;
    }
  }
}

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
    text += std::to_string(k) + "," + Number(run.GridOmega(k)) + "," +
            Number(run.AmplitudeResponse()[k]) + "," + Number(run.PhaseResponse()[k]) + "," +
            Number(run.InputSpectrum()[k]) + "," + Number(run.OutputSpectrum()[k]) + "," +
            (std::isnan(tau) ? "" : Number(tau)) + "\n";
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
  return text + "gain," + Number(set.gain) + ",0,1\n";
}

std::string PicturePath(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::vector<std::string> OutputTargets(const CliOptions& o) {
  std::vector<std::string> targets;
  for (const std::string* csv : {&o.time_csv, &o.freq_csv, &o.coefficients_csv, &o.c_header, &o.zpk_csv})
    if (!csv->empty()) targets.push_back(*csv);
  if (!o.pictures_dir.empty())
    for (const std::string& name : ResultPictureNames(o.picture_format.value_or(TPictureFormat::kBmp)))
      targets.push_back(PicturePath(o.pictures_dir, name));
  return targets;
}

// The coefficient files in the layout asked for, or the filter's own.
bool CollectCoefficients(Session& s, const CliOptions& o, CliOutputs& outputs, std::FILE* err) {
  if (o.coefficients_csv.empty() && o.c_header.empty()) return true;
  const FilterCoefficients filter = CoefficientsOf(*s.run, s.library);
  const CoefficientLayout layout =
      o.coefficients_layout == "direct" || (o.coefficients_layout.empty() && !filter.IsCascade())
          ? CoefficientLayout::kDirect
          : CoefficientLayout::kSections;
  const std::vector<CoefficientLayout> available = AvailableLayouts(filter);
  if (std::find(available.begin(), available.end(), layout) == available.end()) {
    std::fputs("velmar-cli: the direct form of this filter does not fit in doubles; "
               "write it as sections (--coefficients-layout sos)\n",
               err);
    return false;
  }
  if (!o.coefficients_csv.empty()) outputs.Add(o.coefficients_csv, CoefficientsCsv(filter, layout));
  if (!o.c_header.empty()) outputs.Add(o.c_header, CoefficientsHeader(filter, layout, o.c_header));
  return true;
}

// Everything the run writes, complete before any of it is written.
bool CollectOutputs(Session& s, const CliOptions& o, CliOutputs& outputs, std::FILE* err) {
  if (!o.time_csv.empty()) outputs.Add(o.time_csv, TimeCsv(*s.run));
  if (!o.freq_csv.empty()) outputs.Add(o.freq_csv, FrequencyCsv(*s.run));
  if (!CollectCoefficients(s, o, outputs, err)) return false;
  if (!o.zpk_csv.empty()) outputs.Add(o.zpk_csv, ZeroPoleCsv(s.run->ZeroPoles()));
  if (o.pictures_dir.empty()) return true;
  auto pictures = DrawResultPictures(*s.run, SettingsOf(s.signal, s.biharmonic, false),
                                     o.picture_format.value_or(TPictureFormat::kBmp), err);
  if (!pictures) return false;
  outputs.AddFolder(o.pictures_dir);
  for (PictureFile& picture : *pictures)
    outputs.Add(PicturePath(o.pictures_dir, picture.name), std::move(picture.bytes));
  return true;
}

struct MeasureRequest {
  LevelScale scale = LevelScale::kLinear;
  int pass_index = 0, stop_index = 0;
};

MeasureRequest FindMeasureLevels(const CliOptions& o) {
  const LevelScale scale = o.afc == 3 ? LevelScale::kDecibel : LevelScale::kLinear;
  const auto find = [&](const LevelList& list, double value, const char* which) {
    const int index = FindLevel(list, value);
    if (index >= 0) return index;
    std::string items;
    for (const std::string& item : list.items) items += " " + item;
    throw UsageError(std::string("--measure: the ") + which + " level is not in its list:" + items);
  };
  return {scale, find(PassBandLevels(scale), o.measure->first, "pass-band"),
          find(StopBandLevels(scale), o.measure->second, "stop-band")};
}

std::string MeasurementText(const AnalysisRun& run, const MeasureRequest& request) {
  const MeasurementResult r = MeasureAmplitudeResponse(run.AmplitudeResponse(), run.FrequencyPoints(), request.scale,
                                                       request.pass_index, request.stop_index);
  const std::pair<const char*, const std::string*> lines[] = {
      {"Нормированная круговая частота верхней границы полосы пропускания", &r.wvT},
      {"Нормированная циклическая частота верхней границы полосы пропускания", &r.fvT},
      {"Нормированная круговая частота нижней границы полосы подавления", &r.wpT},
      {"Нормированная циклическая частота нижней границы полосы подавления", &r.fpT},
      {"Ширина переходной полосы в единицах нормированной круговой частоты", &r.dwT},
      {"Ширина переходной полосы в единицах циклической нормированной частоты", &r.dfT},
      {"Относительная ширина переходной полосы", &r.dw}};
  std::string text;
  for (const auto& [hint, value] : lines) text += std::string(hint) + ": " + *value + "\n";
  return text;
}

std::string Summary(Session& s, const CliOptions& o) {
  const AnalysisRun& run = *s.run;
  std::string kind, size;
  int order = 0;
  if (const CCascadFilter2* cascade = run.CascadeFilter()) {
    const bool butterworth = o.filter == FilterChoice::kButterworth;
    kind = butterworth ? "butterworth" : "chebyshev";
    order = butterworth ? s.library.ButterworthDesign().GetOrder() : s.library.ChebyshevDesign().GetOrder();
    size = "sections: " + std::to_string(cascade->SectionCount());
  } else if (const CBaseDigitalFilter* direct = run.DirectFilter()) {
    kind = o.filter == FilterChoice::kWindow ? "window" : o.filter == FilterChoice::kFrSampling ? "fsampling" : "arbitrary";
    order = direct->Order();
    size = "taps: " + std::to_string(direct->FAOrder() + 1);
  }
  char radius[32];
  std::snprintf(radius, sizeof radius, "%.6g", run.ZeroPoles().max_pole_radius);
  return "filter: " + kind + "\norder: " + std::to_string(order) + "\n" + size +
         "\ntransient length: " + std::to_string(run.TransientLength()) +
         "\noverflow: " + (run.Overflowed() ? "yes" : "no") + "\nstable: " + (run.ZeroPoles().stable ? "yes" : "no") +
         "\nmax pole radius: " + radius + "\n";
}

}  // namespace

int RunCliSession(const CliOptions& o, std::FILE* out, std::FILE* err) {
  try {
    CheckDistinctOutputs(OutputTargets(o));
    MeasureRequest measure;
    if (o.measure) measure = FindMeasureLevels(o);
    if (o.signal == SignalChoice::kTableFile && !ReadTableFile(o.table_file, 500))
      throw UsageError("cannot read the table file '" + o.table_file + "'");

    Session s;
    s.run->ShowWindow();  // the first analysis, as the main window's first paint runs it
    if (o.interval != s.run->IntervalLength()) s.run->SetInterval(o.interval);
    if (o.points != s.run->FrequencyPoints()) s.run->SetResolution(o.points);
    if (o.afc != s.run->GetAfcMode()) s.run->SetAfcMode(o.afc);
    ChooseFilter(s, o);
    ChooseSignal(s, o);
    s.run->RunAnalysis(o.filter == FilterChoice::kArbitrary ? 0 : 1);

    bool csv_on_standard_output = false;
    for (const std::string* file : {&o.time_csv, &o.freq_csv, &o.coefficients_csv, &o.c_header, &o.zpk_csv})
      csv_on_standard_output = csv_on_standard_output || (!file->empty() && IsStandardOutput(*file));
    std::FILE* report = csv_on_standard_output ? err : out;
    CliOutputs outputs;
    if (!CollectOutputs(s, o, outputs, err) || !outputs.WriteAll(out, err)) return 1;
    if (o.measure) std::fputs(MeasurementText(*s.run, measure).c_str(), report);
    std::fputs(Summary(s, o).c_str(), report);
    return FinishStandardOutput(out, err) ? 0 : 1;
  } catch (const UsageError& error) {
    std::fprintf(err, "velmar-cli: %s\n", error.what());
    return 2;
  }
}
