#pragma once
// The small "БПФ" tool window: shows the session's transform's progress when nobody hands it a bar.

#include <QDialog>
#include <memory>
#include <string>

#include "analysis/fft.h"
#include "platform/ui/progress_bar.h"

class QProgressBar;

class TFFT0Form : public QDialog, public FftWindow {
  Q_OBJECT

 public:
  explicit TFFT0Form(FastFourierTransform& fft, QWidget* parent = nullptr);
  ~TFFT0Form() override;

  // FftWindow.
  ProgressBar& Bar() override { return *bar_; }
  void ShowWithCaption(const std::string& caption) override;
  void CloseWindow() override;

  QProgressBar* ProgressBar1;

 private:
  std::unique_ptr<QtProgressBar> bar_;
  FastFourierTransform& fft_;
};
