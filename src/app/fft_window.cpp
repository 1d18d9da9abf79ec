#include "app/fft_window.h"

#include <QProgressBar>
#include <QVBoxLayout>

TFFT0Form::TFFT0Form(FastFourierTransform& fft, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint), fft_(fft) {
  setObjectName("FFT0Form");
  setWindowTitle("БПФ");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setMaximum(100);
  layout->addWidget(ProgressBar1);
  setFixedSize(260, 40);
  bar_ = std::make_unique<QtProgressBar>(ProgressBar1);
  fft_.SetOwnWindow(this);
}

// The transform outlives the window.
TFFT0Form::~TFFT0Form() { fft_.SetOwnWindow(nullptr); }

void TFFT0Form::ShowWithCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
  show();
  repaint();
}

void TFFT0Form::CloseWindow() { close(); }
