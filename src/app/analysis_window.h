#pragma once
// The analysis window: a small modal dialog with one progress bar per computation. Its timer
// starts the work once the window is on the screen; the run closes the window when it is done,
// and nothing else may close it meanwhile.

#include <QDialog>
#include <array>
#include <memory>

#include "analysis/analysis.h"
#include "platform/ui/progress_bar.h"

class QProgressBar;
class QTimer;

class TCalcForm : public QDialog, public AnalysisWindow {
  Q_OBJECT

 public:
  static constexpr int kStartDelayMs = 100;

  explicit TCalcForm(QWidget* parent = nullptr);
  ~TCalcForm() override;

  AnalysisRun& Run() { return run_; }

  // AnalysisWindow: shown modally by the run's entry points, closed by the run.
  void ShowModal() override;
  void Close() override;

  QProgressBar* PBPuls;
  QProgressBar* PBStep;
  QProgressBar* PBH;
  QProgressBar* PBPsi;
  QProgressBar* PBSignal;
  QProgressBar* PBInSpectr;
  QProgressBar* PBOutSpectr;
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

  AnalysisRun run_;
  std::array<std::unique_ptr<QtProgressBar>, kAnalysisBarCount> bars_;
  bool closed_by_run_ = false;
};

extern TCalcForm* CalcForm;
