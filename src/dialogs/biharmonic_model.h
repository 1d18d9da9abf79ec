#pragma once
// The biharmonic test signal: the sum of two switchable cosine oscillations, keeping every D-th
// sample, either stationary (present for all n) or switched on at n = 0. Holds everything of the
// signal dialog that is not drawing; the analysis run reads the signal and its spectrum here.
//
// Oscillations are numbered 1 and 2 as in the dialog (any other number means 1).

#include <string>
#include <vector>

#include "analysis/analysis_sources.h"
#include "dialogs/oscillation.h"

inline const std::string kFormTableCaption = "Формирование таблицы";
inline const std::string kFormTableQuestion = "Все имеющиеся в таблице сигнала данные  будут потеряны. Продолжить?";

class BiharmonicModel : public BiharmonicSource {
 public:
  static constexpr int kMaxDecimationItems = 30;
  static constexpr int kDefaultTableSamples = 50;
  static constexpr int kMaxTableSamples = kTableCapacity;

  BiharmonicModel();

  // --- The signal, as the analysis run and the main window read it ---
  // x(n) for n ≥ 0: 0 unless D divides n, else the sum of the switched-on oscillations.
  double SignalAt(int n) const override;
  OscillationSum Oscillations() const override;
  // The amplitude spectrum at ω on a grid of the given step: lines of height A/(2D) (A/D at
  // ω = 0) where ω lies within half a step of an oscillation's frequency when stationary, the
  // closed form of the signal switched on at n = 0 otherwise.
  double SpectrumAt(double omega, double step) const override;
  double GetPeriod1() const { return first_.Period(); }
  double GetPeriod2() const { return second_.Period(); }
  bool IsStationary() const override { return stationary_; }
  void SetStationary(bool stationary) { stationary_ = stationary; }
  bool IsOscillationEnabled(int k) const;
  void SetOscillationEnabled(int k, bool enabled);
  const Oscillation& GetOscillation(int k) const { return At(k); }

  // --- Entry of the fields; false (after "Введены некорректные символы.") for unreadable
  //     text, which changes nothing. Frequencies and periods rebuild the decimation list. ---
  bool EnterOmega(int k, const std::string& text);
  bool EnterFrequency(int k, const std::string& text);
  // "Бесконечность" sets a zero frequency.
  bool EnterPeriod(int k, const std::string& text);
  bool EnterAmplitude(int k, const std::string& text);
  // The phase in the unit of the field (degrees unless radians are chosen).
  bool EnterPhase(int k, const std::string& text);
  void SetPhaseInDegrees(int k, bool degrees) { At(k).SetPhaseInDegrees(degrees); }

  // The same for numbers, with the same corrections and messages; each returns what it stored.
  double SetOmega(int k, double omega);
  double SetFrequency(int k, double frequency);
  double SetPeriod(int k, double period);
  double SetAmplitude(int k, double amplitude) { return At(k).SetAmplitude(amplitude); }
  void SetPhase(int k, double radians) { At(k).SetPhase(radians); }

  // --- Decimation ---
  // Items "D=1" … "D=m", m = trunc(π / (1.2·w)) for the highest switched-on frequency w (π/20
  // when none), at least 1 and at most 30. A list of the same length is kept with its D; a new
  // one starts at D = 1.
  void FillDecimationList();
  const std::vector<std::string>& DecimationList() const { return decimation_list_; }
  int Decimation() const { return decimation_; }
  // Chooses item index (D = index + 1); false for an index outside the list.
  bool SelectDecimation(int index);

  // --- Dialog flow ---
  // Each showing clears the analysis request; the first also builds the decimation list for the
  // oscillations switched on and selects D = 1.
  void Show();
  // "Анализ": the signal is to become the analysis input.
  void RequestAnalysis() { signal_selected_ = true; }
  bool IsSignalSelected() const override { return signal_selected_; }
  void ClearSignalSelected() override { signal_selected_ = false; }
  // "Сформировать таблицу": the samples x(0) … x(N − 1) for the signal table, with N ≤ 0 taken
  // as 50 and N above 500 as 500.
  std::vector<double> TableValues(int n) const;

 private:
  Oscillation& At(int k) { return k == 2 ? second_ : first_; }
  const Oscillation& At(int k) const { return k == 2 ? second_ : first_; }
  bool& EnabledFlag(int k) { return k == 2 ? second_enabled_ : first_enabled_; }

  Oscillation first_{1.0, 1.0};
  Oscillation second_{2.0, 0.2};
  bool first_enabled_ = true;
  bool second_enabled_ = false;
  bool stationary_ = true;
  int decimation_ = 1;
  std::vector<std::string> decimation_list_;
  bool signal_selected_ = false;
  bool first_show_ = true;
};
