#pragma once
// The analysis run: every characteristic the main window plots, computed for the current filter
// and signal, incrementally — each entry point records what changed and the run recomputes only
// what depends on it. The window that hosts the run shows progress and starts the work from a
// timer; without a window (tests, the command-line tool) the run works synchronously.

#include <array>
#include <vector>

#include "analysis/analysis_sources.h"
#include "analysis/fft.h"
#include "analysis/zero_pole.h"
#include "filter/cascade_filter.h"
#include "filter/digital_filter.h"
#include "platform/progress.h"

// The finest frequency grid of the analysis settings.
constexpr int kMaxFrequencyPoints = 4096;
// Capacities of the result arrays: the interval admits up to 4096 samples, and the frequency
// arrays hold one value per point of the finest grid.
constexpr int kTimeCapacity = 4096;
constexpr int kFrequencyCapacity = kMaxFrequencyPoints;

// Above this many pre-roll steps a stationary signal is taken never to realign.
constexpr long long kPreRollLimit = 100000000;
// A pre-roll longer than this is stepped in blocks with the bar moving and the user free to stop it.
constexpr long long kShortPreRoll = 1 << 16;

// The window that hosts a run: shown modally by every entry point, closed by every analysis.
class AnalysisWindow {
 public:
  virtual ~AnalysisWindow() = default;
  // Returns once the run has closed the window.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
  // A computation that can take seconds begins (true) or ends (false): the window offers the
  // user a way to stop it meanwhile.
  virtual void OfferCancel(bool /*offered*/) {}
  // Asked between blocks of such a computation: whether the user has asked to stop it.
  virtual bool CancelRequested() { return false; }
};

// Told when the user stops a long pre-roll: the output then starts from the state reached.
inline const char kPreRollCancelledMessage[] =
    "Установление стационарного режима прервано.\n Сигнал на выходе может содержать переходный процесс.";

// The seven progress bars of the analysis window, in their order on the window.
enum AnalysisBar { PBPuls, PBStep, PBH, PBPsi, PBSignal, PBInSpectr, PBOutSpectr, kAnalysisBarCount };

class AnalysisRun {
 public:
  AnalysisRun();
  AnalysisRun(const AnalysisRun&) = delete;
  AnalysisRun& operator=(const AnalysisRun&) = delete;

  void SetSources(const AnalysisSources& sources) { sources_ = sources; }
  // Null runs every analysis synchronously without a window.
  void SetWindow(AnalysisWindow* window) { window_ = window; }
  // Replaces one of the bars (not owned); null goes back to the run's own bar.
  void SetBar(AnalysisBar which, ProgressBar* bar);
  ProgressBar& Bar(AnalysisBar which) { return *bars_[which]; }
  // The transform used for table spectra (not owned); null goes back to the run's own.
  void SetTransform(FastFourierTransform* fft) { fft_ = fft ? fft : &own_fft_; }

  // Entry points: each records the change and shows the window, returning when the work is done.
  void RunAnalysis(int source);
  void SetInterval(int n);
  void SetResolution(int m);
  void SetAfcMode(int mode);
  // Shows the window without recording anything: a full analysis.
  void ShowWindow();
  // The three settings at once, without showing the window: the next analysis recomputes
  // everything, so that a project opened costs one analysis, not one for each setting.
  void ChangeSettings(int n, int m, int mode);

  int GetAfcMode() const { return FAfcMode; }
  int GetSignalSource() const { return FSignalSource; }
  bool IsLibraryFilter() const { return FLibraryFilter; }

  // Whether the work flushes subnormal numbers (it does unless told otherwise, for measurements).
  void SetFlushSubnormals(bool flush) { flush_subnormals_ = flush; }

  // Window events. Timer1Timer does the work of whichever analysis is pending.
  void Timer1Timer();
  void FormClose();

  void FullAnalysis();
  void IntervalAnalysis();
  void ResolutionAnalysis();
  void AfcModeAnalysis();

  void CalcImpulseResponse();
  void CalcStepResponse();
  void BuildInputSignal();
  void CalcOutputSignal();
  void CalcFrequencyResponses();
  void CalcInputSpectrum();
  void CalcOutputSpectrum();

  // Settings.
  int IntervalLength() const { return interval_length_; }
  int TransientLength() const { return transient_length_; }
  int FrequencyPoints() const { return frequency_points_; }
  int ValidLength() const { return FValidLength; }
  // The grid step 2π/(M − 1).
  double GridStep() const;
  // The ω at which the responses of grid point k were computed: −π advanced by Δ point by point
  // up to the middle, mirrored beyond it.
  double GridOmega(int k) const;

  // Results.
  const double* ImpulseResponse() const { return impulse_.data(); }
  const double* StepResponse() const { return step_.data(); }
  const double* InputSignal() const { return input_.data(); }
  const double* OutputSignal() const { return output_.data(); }
  const double* AmplitudeResponse() const { return amplitude_.data(); }
  // |H| on the same grid in every mode: what the normalised modes divide by its largest value.
  const double* RawAmplitudeResponse() const { return raw_amplitude_.data(); }
  const double* PhaseResponse() const { return phase_.data(); }
  const double* InputSpectrum() const { return input_spectrum_.data(); }
  const double* OutputSpectrum() const { return output_spectrum_.data(); }
  // The group delay in samples on the same grid as AmplitudeResponse(); NaN where it is undefined
  // (the response vanishes, or a pole lies, on the unit circle at that frequency).
  const double* GroupDelay() const { return group_delay_.data(); }
  // The zeros, poles and gain of the current filter: found at the first call after the filter
  // changed (a polynomial of degree 500 takes a good part of a second), then kept.
  const ZeroPoleSet& ZeroPoles() const;
  // Whether ZeroPoles() has them already, at no cost.
  bool ZeroPolesKnown() const { return zero_poles_known_; }

  // The current filter: the direct form when set, else the cascade.
  CBaseDigitalFilter* DirectFilter() const { return FDirectFilter; }
  CCascadFilter2* CascadeFilter() const { return FCascadeFilter; }
  // Whether the last impulse response or output signal was cut short by an overflow.
  bool Overflowed() const { return impulse_stopped_ || output_stopped_; }
  // How the last output computation of a stationary signal started: in its exact steady state
  // (kSet), with that state beyond the filter's limit (kBeyondLimit: the output overflowed at
  // n = 0), or (kNone) after a pre-roll of LastPreRollSteps() samples, for a filter with a pole on
  // or outside the unit circle, which has no steady state.
  enum class SteadyStart { kNone, kSet, kBeyondLimit };
  SteadyStart LastSteadyStart() const { return steady_start_; }
  long long LastPreRollSteps() const { return last_pre_roll_; }

 private:
  void Show();
  // Ends an analysis: the message about values beyond the range, if any, then the window closes.
  void Finish();
  // Holds values beyond the range of a double at the nearest representable one (one that is no
  // number at 0) and notes the characteristic's name for Finish's message.
  void KeepRepresentable(double* values, int count, const char* name);
  void ResetBars(std::initializer_list<AnalysisBar> which);
  void ResetFilter();
  // Steps the current filter over a block (see CCascadFilter2::StepBlock).
  int StepFilterBlock(const double* x, double* y, int count, int first_checked = 0);
  // Empties the library's four designs and the typed filter; no filter is current afterwards.
  void EmptyFilters();
  void TakeTypedFilter();
  void TakeLibraryFilter();
  void PreRoll();
  // Steps the pre-roll from sample n until the input is back at s0, an overflow, the limit or
  // the sample before end; returns whether the pre-roll is over. With a bar, steps it once a block
  // and asks the window between blocks whether the user stopped it (cancelled is then set).
  bool StepUntilRealigned(long long& n, double s0, long long end, ProgressBar* bar = nullptr,
                          bool* cancelled = nullptr);
  void LongPreRoll(long long& n, double s0);
  // Puts a stable filter into the exact steady state of the stationary signal before n = 0.
  SteadyStart StartInSteadyState();
  // Calls use(filter) with the current filter, direct form or cascade; none gives otherwise.
  template <class Use, class Result>
  Result WithFilter(Use use, Result none) const;
  double SignalSample(int n) const;

  AnalysisSources sources_;
  AnalysisWindow* window_ = nullptr;
  std::array<ProgressBar, kAnalysisBarCount> own_bars_;
  std::array<ProgressBar*, kAnalysisBarCount> bars_{};
  FastFourierTransform own_fft_;
  FastFourierTransform* fft_ = &own_fft_;

  int interval_length_ = 2000;   // N
  int transient_length_ = 2000;  // L
  int frequency_points_ = 2048;  // M

  bool FRecalcFilter = true;
  CDigitalFilter FFilter;
  CBaseDigitalFilter* FDirectFilter = &FFilter;
  CCascadFilter2* FCascadeFilter = nullptr;
  int FFilterSource = 0;
  bool FLibraryFilter = false;
  int FSignalSource = 0;
  int FAfcMode = 1;
  bool FIntervalChanged = false;
  bool FResolutionChanged = false;
  bool FAfcModeChanged = false;
  bool FSettingsChanged = false;
  int FValidLength = 0;
  long long last_pre_roll_ = 0;
  SteadyStart steady_start_ = SteadyStart::kNone;
  bool flush_subnormals_ = true;

  std::vector<double> impulse_, step_, input_, output_;
  std::vector<double> amplitude_, phase_, input_spectrum_, output_spectrum_;
  // |H| on the grid as last computed, so that the output spectrum needs no second evaluation
  // of the filter when the stored amplitude response is normalised.
  std::vector<double> raw_amplitude_;
  std::vector<double> group_delay_;
  mutable ZeroPoleSet zero_poles_;
  mutable bool zero_poles_known_ = false;
  std::vector<double> grid_;               // the first half of the frequency grid
  std::vector<double> scratch_;            // filter input blocks
  std::vector<const char*> beyond_range_;  // characteristics with values held by KeepRepresentable
  bool impulse_stopped_ = false;           // the impulse response ended in an overflow
  bool output_stopped_ = false;            // the output signal ended in an overflow
};
