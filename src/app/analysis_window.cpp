#include "app/analysis_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ui/modal.h"
#include "platform/ui/screen_cursor.h"

namespace {

struct BarRow {
  AnalysisBar bar;
  const char* label;
};

// Top to bottom, as the computations usually run.
constexpr BarRow kRows[] = {
    {PBPuls, "Анализ импульсной характеристики"},
    {PBStep, "Анализ переходной характеристики"},
    {PBH, "Анализ АЧХ"},
    {PBPsi, "Анализ ФЧХ"},
    {PBSignal, "Расчёт сигнала на выходе"},
    {PBInSpectr, "Расчёт спектра сигнала на входе"},
    {PBOutSpectr, "Расчёт спектра сигнала на выходе"},
};

}  // namespace

TCalcForm::TCalcForm(AnalysisRun& run, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), run_(run) {
  setObjectName("CalcForm");
  setWindowTitle("Анализ");
  setCursor(Qt::WaitCursor);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 16);
  layout->setSpacing(2);
  QProgressBar** widgets[kAnalysisBarCount] = {&PBPuls, &PBStep, &PBH, &PBPsi, &PBSignal, &PBInSpectr, &PBOutSpectr};
  for (const BarRow& row : kRows) {
    auto* label = new QLabel(row.label, this);
    auto* bar = new QProgressBar(this);
    bar->setTextVisible(false);
    bar->setFixedHeight(14);
    layout->addSpacing(6);
    layout->addWidget(label);
    layout->addWidget(bar);
    *widgets[row.bar] = bar;
    bars_[row.bar] = std::make_unique<QtProgressBar>(bar, &pacer_);
    // The run's own bars already hold the initial maxima; the window's take them over.
    const ProgressBar& own = run_.Bar(row.bar);
    bars_[row.bar]->SetMinimum(own.Minimum());
    bars_[row.bar]->SetMaximum(own.Maximum());
    bars_[row.bar]->SetStep(own.StepSize());
    run_.SetBar(row.bar, bars_[row.bar].get());
  }
  ButtonCancel = new QPushButton("Прервать", this);
  ButtonCancel->setObjectName("ButtonCancel");
  ButtonCancel->setVisible(false);
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { cancel_requested_ = true; });
  layout->addSpacing(10);
  layout->addWidget(ButtonCancel, 0, Qt::AlignHCenter);
  setFixedWidth(360);
  setFixedHeight(sizeHint().height());
  Timer1 = new QTimer(this);
  Timer1->setSingleShot(true);
  // To the millisecond: a coarse timer may fire 5 % late, adding 5 ms to every command.
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(kStartDelayMs);
  connect(Timer1, &QTimer::timeout, this, &TCalcForm::Timer1Timer);
  run_.SetWindow(this);
}

TCalcForm::~TCalcForm() {
  // The bars die with the window, which the run outlives: it must keep neither.
  for (int i = 0; i < kAnalysisBarCount; ++i) run_.SetBar(static_cast<AnalysisBar>(i), nullptr);
  run_.SetWindow(nullptr);
}

void TCalcForm::ShowModal() { RunModal(*this); }

void TCalcForm::Close() {
  closed_by_run_ = true;
  done(Accepted);
  // The bars' widgets end on the run's last state, which no longer needs painting.
  pacer_.Flush();
}

void TCalcForm::OfferCancel(bool offered) {
  cancel_offered_ = offered;
  cancel_requested_ = false;
  ButtonCancel->setVisible(offered);
  setFixedHeight(sizeHint().height());
  since_events_.start();
}

bool TCalcForm::CancelRequested() {
  constexpr int kEventsEveryMs = 50;
  if (since_events_.elapsed() >= kEventsEveryMs) {
    // The window is modal: only its own button and keys reach it meanwhile.
    QCoreApplication::processEvents();
    since_events_.start();
  }
  return cancel_requested_;
}

void TCalcForm::done(int result) {
  // Escape and the like end up here too; only the run may close the window. While a long
  // computation can be stopped, Escape stops it, as the button does.
  if (!closed_by_run_) {
    if (cancel_offered_) cancel_requested_ = true;
    return;
  }
  closed_by_run_ = false;
  QDialog::done(result);
  FormClose();
}

void TCalcForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TCalcForm::closeEvent(QCloseEvent* event) {
  if (!closed_by_run_) event->ignore();
}

void TCalcForm::FormShow() {
  ShowHourglassCursor();
  Timer1->start();
}

void TCalcForm::Timer1Timer() {
  Timer1->stop();
  run_.Timer1Timer();
}

void TCalcForm::FormClose() {
  run_.FormClose();
  RestoreScreenCursor();
}
