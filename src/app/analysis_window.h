#pragma once
// The analysis window: a small modal dialog with one progress bar per computation. Its timer
// starts the work once the window is on the screen; the run closes the window when it is done,
// and nothing else may close it meanwhile. The run is the session's: the window only shows it.

#include <QDialog>
#include <QElapsedTimer>
#include <array>
#include <memory>

#include "analysis/analysis.h"
#include "platform/ui/frame_pacer.h"
#include "platform/ui/progress_bar.h"

class QProgressBar;
class QPushButton;
class QTimer;

class TCalcForm : public QDialog, public AnalysisWindow {
  Q_OBJECT

 public:
  static constexpr int kStartDelayMs = 100;

  explicit TCalcForm(AnalysisRun& run, QWidget* parent = nullptr);
  ~TCalcForm() override;

  const FramePacer& Pacer() const { return pacer_; }

  // AnalysisWindow: shown modally by the run's entry points, closed by the run.
  void ShowModal() override;
  void Close() override;
  // A long pre-roll: the button "Прервать" (and Escape) stops it; between its blocks the window
  // takes the user's events, a few times a second.
  void OfferCancel(bool offered) override;
  bool CancelRequested() override;

  QProgressBar* PBPuls;
  QProgressBar* PBStep;
  QProgressBar* PBH;
  QProgressBar* PBPsi;
  QProgressBar* PBSignal;
  QProgressBar* PBInSpectr;
  QProgressBar* PBOutSpectr;
  QPushButton* ButtonCancel;  // shown only while a long computation can be stopped
  QTimer* Timer1;

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormShow();
  void Timer1Timer();
  void FormClose();

  AnalysisRun& run_;
  // The bars are stepped at every sample; the screen sees them once a frame.
  FramePacer pacer_;
  std::array<std::unique_ptr<QtProgressBar>, kAnalysisBarCount> bars_;
  bool closed_by_run_ = false;
  bool cancel_offered_ = false;
  bool cancel_requested_ = false;
  QElapsedTimer since_events_;  // since the user's events were last taken
};
