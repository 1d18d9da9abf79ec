#include "session/session_settings.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/messages.h"
#include "session/correction_notes.h"

namespace {

// Level fields take dB or a ratio; the dialog applies whichever is shown.
template <class Design>
void ApplyRecursiveDesign(Design& design, const ProjectSettings& o, std::FILE* err) {
  std::vector<CorrectedQuantity> watched = {o.lp_db ? CorrectedQuantity{"--lp-db", [&] { return design.GetLpdB(); }}
                                                    : CorrectedQuantity{"--lp", [&] { return design.GetLp(); }},
                                            {"--order", [&] { return design.GetOrder(); }}};
  if constexpr (requires { design.SetRipple(0.0); })
    watched.push_back(o.ripple_db ? CorrectedQuantity{"--ripple-db", [&] { return design.GetRippledB(); }}
                                  : CorrectedQuantity{"--ripple", [&] { return design.GetRipple() * 100; }});
  // The second edge moves when it is not above the first, the width when a band-stop's stop
  // edges cross.
  watched.push_back(o.fp2 ? CorrectedQuantity{"--fp2", [&] { return design.GetFp2(); }}
                          : CorrectedQuantity{"--wp2", [&] { return design.GetWp2(); }});
  if (o.transition) watched.push_back({"--transition", [&] { return design.GetTransition(); }});
  CorrectionNotes notes(err, std::move(watched));
  design.SetAutoOrder(!o.order.has_value());
  // The edges go in while the design is low-pass, which leaves them unordered, so that the band
  // type then checks the edges given against each other, not against the previous ones.
  if (design.HasSecondEdge()) design.SetBand(BandType::kLowPass);
  if (o.wp) notes.Apply("--wp", *o.wp, [&](double v) { return design.SetWp(v); });
  if (o.fp) notes.Apply("--fp", *o.fp, [&](double v) { return design.SetFp(v); });
  if (o.wp2) notes.Apply("--wp2", *o.wp2, [&](double v) { return design.SetWp2(v); });
  if (o.fp2) notes.Apply("--fp2", *o.fp2, [&](double v) { return design.SetFp2(v); });
  const BandType band = o.band.value_or(BandType::kLowPass);
  notes.Apply("--band", static_cast<double>(band),
              [&](double v) { return static_cast<double>(design.SetBand(static_cast<BandType>(v))); });
  if (o.lp) notes.Apply("--lp", *o.lp, [&](double v) { return design.SetLp(v); });
  if (o.lp_db) notes.Apply("--lp-db", *o.lp_db, [&](double v) { return design.SetLpdB(v); });
  if constexpr (requires { design.SetRipple(0.0); }) {
    if (o.ripple_percent)
      notes.Apply(
          "--ripple", *o.ripple_percent, [&](double v) { return design.SetRipple(v); }, 0.01);
    if (o.ripple_db) notes.Apply("--ripple-db", *o.ripple_db, [&](double v) { return design.SetRippledB(v); });
  }
  if (o.transition) notes.Apply("--transition", *o.transition, [&](double v) { return design.SetTransition(v); });
  if (o.ls) notes.Apply("--ls", *o.ls, [&](double v) { return design.SetLs(v); });
  if (o.ls_db) notes.Apply("--ls-db", *o.ls_db, [&](double v) { return design.SetLsdB(v); });
  if (o.order) notes.Apply("--order", *o.order, [&](double v) { return design.SetOrder(static_cast<int>(v)); });
}

FirWindow WindowOf(const ProjectSettings& o) {
  if (o.kaiser || o.attenuation_db) return FirWindow::kKaiser;
  if (o.hann) return FirWindow::kHann;
  if (o.blackman) return FirWindow::kBlackman;
  return o.hamming ? FirWindow::kHamming : FirWindow::kRectangular;
}

void ApplyFirDesign(CWeighingFilter& design, const ProjectSettings& o, std::FILE* err) {
  CorrectionNotes notes(err, {});
  // The cut-offs as a low-pass design takes them, the second then checked against the new first.
  design.SetBand(BandType::kLowPass);
  if (o.wc) notes.Apply("--wc", *o.wc, [&](double v) { return design.SetWc(v); });
  if (o.fc) notes.Apply("--fc", *o.fc, [&](double v) { return design.SetFc(v); });
  if (o.wc2) notes.Apply("--wc2", *o.wc2, [&](double v) { return design.SetWc2(v); });
  if (o.fc2) notes.Apply("--fc2", *o.fc2, [&](double v) { return design.SetFc2(v); });
  const BandType band = o.band.value_or(BandType::kLowPass);
  // A second cut-off kept from before may lie below the new first.
  if (HasTwoCutoffs(band) && !o.wc2 && !o.fc2)
    notes.Apply("--wc2", design.GetWc2(), [&](double v) { return design.SetWc2(v); });
  design.SetBand(band);
  // A first cut-off of π leaves no room above it: it is corrected below the second.
  if (HasTwoCutoffs(band) && design.GetWc() >= design.GetWc2())
    notes.Apply("--wc", design.GetWc(), [&](double v) { return design.SetWc(v); });
  // The Kaiser values before the window, so that the order follows them once, and not where it is given.
  design.SetWindow(FirWindow::kRectangular);
  if (o.attenuation_db)
    notes.Apply("--attenuation-db", *o.attenuation_db, [&](double v) { return design.SetAttenuationDb(v); });
  if (o.transition) notes.Apply("--transition", *o.transition, [&](double v) { return design.SetTransition(v); });
  if (o.kaiser) notes.Apply("--kaiser", *o.kaiser, [&](double v) { return design.SetKaiserBeta(v); });
  design.SetWindow(WindowOf(o));
  std::optional<int> order = o.order;
  if (!order && design.GetWindow() == FirWindow::kKaiser && (o.attenuation_db || o.transition))
    order = design.EstimateKaiserOrder();
  if (order) notes.Apply("--order", *order, [&](double v) { return design.SetOrder(static_cast<int>(v)); });
}

int LibraryPage(FilterChoice filter) {
  switch (filter) {
    case FilterChoice::kButterworth: return kButterworthKind;
    case FilterChoice::kChebyshev: return kChebyshevKind;
    case FilterChoice::kWindow: return kWeighingKind;
    default: return kFrSamplingKind;
  }
}

void ChooseFilter(Session& s, const ProjectSettings& o, std::FILE* err) {
  FilterLibraryModel& library = s.library;
  const bool recursive = o.filter == FilterChoice::kButterworth || o.filter == FilterChoice::kChebyshev;
  // Order entry for a given order, width entry for a given (or default) transition width.
  s.library_fields.SetOrderEntry(recursive && o.order.has_value());
  switch (o.filter) {
    case FilterChoice::kArbitrary: break;
    case FilterChoice::kButterworth: ApplyRecursiveDesign(library.ButterworthDesign(), o, err); break;
    case FilterChoice::kChebyshev: ApplyRecursiveDesign(library.ChebyshevDesign(), o, err); break;
    case FilterChoice::kWindow: ApplyFirDesign(library.WeighingDesign(), o, err); break;
    case FilterChoice::kFrSampling: ApplyFirDesign(library.FrSamplingDesign(), o, err); break;
  }
  // The library dialog shows the levels as the project gives them.
  s.library_fields.ShowDesigns(o.lp_db || o.ls_db || o.ripple_db);
  // The coefficient tables hold the project's filter, or what the arbitrary-filter dialog shows first.
  s.input_form.Show(s.a, s.b);
  s.a.SetValues(o.a.data(), static_cast<int>(o.a.size()));
  s.b.SetValues(o.b.data(), static_cast<int>(o.b.size()));
  if (o.filter == FilterChoice::kArbitrary) {
    if (!s.input_form.RequestAnalysis(s.a)) throw UsageError("the non-recursive coefficients are all 0");
    return;
  }
  library.Show();
  library.SetPage(LibraryPage(o.filter));
  library.SelectFilter();
}

void AcceptTable(TableModel& table) {
  table.Accept();
  table.Close();
}

void ChooseSignal(Session& s, const ProjectSettings& o, std::FILE* err) {
  switch (o.signal) {
    case SignalChoice::kEmptyTable:
      // A session that had a signal table or the biharmonic signal loses it; a fresh one has none to lose.
      if (!s.signal.Values().empty() || s.run->GetSignalSource() != 0) {
        s.signal.SetValues(nullptr, 0);
        s.signal.Show();
        AcceptTable(s.signal);
        // Accepted, an empty grid reads as a single 0; the table of a fresh start holds none.
        s.signal.SetValues(nullptr, 0);
      }
      return;
    case SignalChoice::kTableFile:
      s.signal.Show();
      // Read once before the run; read again here, it can only fail if the file changed meanwhile.
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
      CorrectionNotes notes(err, {});
      if (o.w1) notes.Apply("--w1", *o.w1, [&](double v) { return signal.SetOmega(1, v); });
      if (o.a1) notes.Apply("--a1", *o.a1, [&](double v) { return signal.SetAmplitude(1, v); });
      if (o.phi1) signal.SetPhase(1, *o.phi1);
      if (o.w2) notes.Apply("--w2", *o.w2, [&](double v) { return signal.SetOmega(2, v); });
      if (o.a2) notes.Apply("--a2", *o.a2, [&](double v) { return signal.SetAmplitude(2, v); });
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

// The measurement's levels must be items of the lists of the scale the amplitude-response mode shows.
void ChooseMeasureLevels(MeasurementDialogModel& measurement, const ProjectSettings& o) {
  if (!o.measure) return;
  const std::optional<LevelScale> shown = MeasurementDialogModel::ScaleOf(o.afc);
  if (!shown) throw UsageError("--measure needs --afc 2 or --afc 3");
  const LevelScale scale = *shown;
  const auto find = [&](const LevelList& list, double value, const char* which) {
    const int index = FindLevel(list, value);
    if (index >= 0) return index;
    std::string items;
    for (const std::string& item : list.items) items += " " + item;
    throw UsageError(std::string("--measure: the ") + which + " level is not in its list:" + items);
  };
  const int pass = find(PassBandLevels(scale), o.measure->first, "pass-band");
  const int stop = find(StopBandLevels(scale), o.measure->second, "stop-band");
  measurement.SelectPass(scale, pass);
  measurement.SelectStop(scale, stop);
}

// Puts a new object in place of object, at the address the analysis run and the dialogs hold.
template <class T>
void Renew(T& object) noexcept {
  std::destroy_at(&object);
  std::construct_at(&object);
}

// What a project does not give is what a fresh start of the program has.
void StartFromDefaults(Session& s) {
  Renew(s.library);
  s.biharmonic = BiharmonicModel();
  s.measurement = MeasurementDialogModel();
}

FilterChoice LibraryChoice(int page) {
  switch (page) {
    case kButterworthKind: return FilterChoice::kButterworth;
    case kChebyshevKind: return FilterChoice::kChebyshev;
    case kWeighingKind: return FilterChoice::kWindow;
    default: return FilterChoice::kFrSampling;
  }
}

// Every field of a recursive design's page, the levels in dB or as ratios as the page shows them.
template <class Design>
void TakeRecursiveDesign(Design& design, bool decibel, ProjectSettings& o) {
  o.wp = design.GetWp();
  if (design.GetBand() != BandType::kLowPass) o.band = design.GetBand();
  if (design.HasSecondEdge()) o.wp2 = design.GetWp2();
  if (decibel) {
    o.lp_db = design.GetLpdB();
    if constexpr (requires { design.GetRippledB(); }) o.ripple_db = design.GetRippledB();
    o.ls_db = design.GetLsdB();
  } else {
    o.lp = design.GetLp();
    if constexpr (requires { design.GetRipple(); }) o.ripple_percent = design.GetRipple() * 100;
    o.ls = design.GetLs();
  }
  // The transition band decides the order only when the order is automatic.
  if (design.IsAutoOrder()) o.transition = design.GetTransition();
  else o.order = design.GetOrder();
}

void TakeFirDesign(CWeighingFilter& design, ProjectSettings& o) {
  o.wc = design.GetWc();
  o.order = design.GetOrder();
  if (design.GetBand() != BandType::kLowPass) o.band = design.GetBand();
  if (HasTwoCutoffs(design.GetBand())) o.wc2 = design.GetWc2();
  const FirWindow window = design.GetWindow();
  o.hamming = window == FirWindow::kHamming;
  o.hann = window == FirWindow::kHann;
  o.blackman = window == FirWindow::kBlackman;
  // The order is saved as it stands; A and the width are what the page shows beside it.
  if (window == FirWindow::kKaiser) {
    o.attenuation_db = design.GetAttenuationDb();
    o.transition = design.GetTransition();
    o.kaiser = design.GetKaiserBeta();
  }
}

std::vector<double> ValuesOf(const TableModel& table) { return {table.Values().begin(), table.Values().end()}; }

}  // namespace

void ApplySettings(Session& s, const ProjectSettings& o, std::FILE* notes) {
  StartFromDefaults(s);
  ChooseMeasureLevels(s.measurement, o);
  s.run->ChangeSettings(o.interval, o.points, o.afc);
  ChooseFilter(s, o, notes);
  ChooseSignal(s, o, notes);
  s.biharmonic_fields.ShowSignal();
}

void CheckSettings(const ProjectSettings& settings) {
  MessageHandler previous = SetMessageHandler([](const std::string&) {});
  try {
    Session scratch;
    ApplySettings(scratch, settings, nullptr);
  } catch (...) {
    SetMessageHandler(std::move(previous));
    throw;
  }
  SetMessageHandler(std::move(previous));
}

ProjectSettings ProjectSettingsOf(Session& s) {
  ProjectSettings o;
  o.interval = s.run->IntervalLength();
  o.points = s.run->FrequencyPoints();
  o.afc = s.run->GetAfcMode();
  FilterLibraryModel& library = s.library;
  if (s.run->IsLibraryFilter()) {
    o.filter = LibraryChoice(library.GetFilterKind());
    switch (o.filter) {
      case FilterChoice::kButterworth:
        TakeRecursiveDesign(library.ButterworthDesign(), s.library_fields.IsDecibel(), o);
        break;
      case FilterChoice::kChebyshev:
        TakeRecursiveDesign(library.ChebyshevDesign(), s.library_fields.IsDecibel(), o);
        break;
      case FilterChoice::kWindow: TakeFirDesign(library.WeighingDesign(), o); break;
      default: TakeFirDesign(library.FrSamplingDesign(), o); break;
    }
  } else {
    o.filter = FilterChoice::kArbitrary;
    if (!s.a.Values().empty()) o.a = ValuesOf(s.a);
    o.b = ValuesOf(s.b);
  }
  if (s.run->GetSignalSource() == 1) {
    const BiharmonicModel& signal = s.biharmonic;
    o.signal = SignalChoice::kBiharmonic;
    o.oscillations =
        std::string(signal.IsOscillationEnabled(1) ? "1" : "") + (signal.IsOscillationEnabled(2) ? "2" : "");
    o.w1 = signal.GetOscillation(1).Omega();
    o.a1 = signal.GetOscillation(1).Amplitude();
    o.phi1 = signal.GetOscillation(1).Phase();
    o.w2 = signal.GetOscillation(2).Omega();
    o.a2 = signal.GetOscillation(2).Amplitude();
    o.phi2 = signal.GetOscillation(2).Phase();
    o.decimation = signal.Decimation();
    o.switched_on = !signal.IsStationary();
  } else if (!s.signal.Values().empty()) {
    o.signal = SignalChoice::kSamples;
    o.samples = ValuesOf(s.signal);
  }
  if (const std::optional<LevelScale> shown = MeasurementDialogModel::ScaleOf(o.afc)) {
    const LevelScale scale = *shown;
    o.measure = std::make_pair(LevelValue(PassBandLevels(scale).items.at(s.measurement.PassIndex(scale))),
                               LevelValue(StopBandLevels(scale).items.at(s.measurement.StopIndex(scale))));
  }
  return o;
}
