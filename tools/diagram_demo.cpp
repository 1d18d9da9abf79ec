// Shows two diagram frames with sample series, as the main window will: an impulse response as
// stems and an amplitude response as a line. With --tools the upper frame's tool panel and spin
// buttons are out; with --increase the enlarged view opens on the lower diagram.

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <numbers>

#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_increase.h"
#include "diagram/ui/diagram_widget.h"
#include "platform/ui/message_box.h"

namespace {

constexpr int kSamples = 60;
constexpr int kPoints = 1024;
double impulse[kSamples];
double amplitude[kPoints];

void FillSeries() {
  // A decaying oscillation and the magnitude of a two-pole resonator.
  for (int n = 0; n < kSamples; ++n) impulse[n] = std::pow(0.9, n) * std::cos(0.45 * n);
  for (int k = 0; k < kPoints; ++k) {
    const double w = -std::numbers::pi + k * 2 * std::numbers::pi / (kPoints - 1);
    const double re = 1 - 1.6 * std::cos(w) + 0.81 * std::cos(2 * w);
    const double im = 1.6 * std::sin(w) - 0.81 * std::sin(2 * w);
    amplitude[k] = 0.2 / std::sqrt(re * re + im * im);
  }
}

void UseMainWindowFonts(TDiagram* d) {
  const TFont names{"Liberation Serif", 16, true, true, clBlack};
  d->SetFontName(names);
  d->SetFontNameX(names);
  d->SetFontNameY(names);
  d->SetFontNet(TFont{"Liberation Serif", 16, false, false, clBlack});
}

void MoveMouseOver(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Вельмар");
  InstallMessageBoxHandler();
  FillSeries();
  const bool tools = argc > 1 && std::strcmp(argv[1], "--tools") == 0;
  const bool increase = argc > 1 && std::strcmp(argv[1], "--increase") == 0;

  QWidget window;
  window.setWindowTitle("Диаграммы");
  auto* layout = new QVBoxLayout(&window);
  auto* upper = new TDiagramFrame(&window);
  auto* lower = new TDiagramFrame(&window);
  layout->addWidget(upper);
  layout->addWidget(lower);
  TDiagramIncrease enlarged;
  upper->SetEnlargedView(&enlarged);
  lower->SetEnlargedView(&enlarged);

  TDiagram* h = upper->Diagram;  // keeps the frame's own small fonts
  h->SetNameDiagram("Импульсная характеристика");
  h->SetNameY("h(n)");
  h->SetNameX("n");
  h->GetKeeper(0)->SetArray(impulse, kSamples, 0, kSamples - 1);
  h->GetKeeper(0)->SetDiscret();
  h->GetKeeper(0)->SetColor(clBlue);
  h->SetRangeX(-2, kSamples);
  h->SetRangeY(-1, 1);
  upper->SaveRange();

  TDiagram* mag = lower->Diagram;
  UseMainWindowFonts(mag);
  mag->SetNameDiagram("Амплитудно-частотная характеристика");
  mag->SetNameY("|H|");
  mag->SetNameX("ωT");
  mag->GetKeeper(0)->SetArray(amplitude, kPoints, -std::numbers::pi, std::numbers::pi);
  mag->GetKeeper(0)->SetColor(clRed);
  mag->SetLimitX(-std::numbers::pi, std::numbers::pi);
  mag->SetRangeX(-std::numbers::pi, std::numbers::pi);
  mag->AutoRangeY();
  lower->SaveRange();

  window.resize(1500, 820);
  window.show();

  if (tools) {
    QTimer::singleShot(500, [&] {
      MoveMouseOver(h, QPoint(h->Get_xe_net() - 300, h->Get_yb_net() + 80));
      upper->SpeedButtonLim->click();
      upper->SpeedButtonMeasure->click();
      MoveMouseOver(h, QPoint(h->Get_xe_net() - 300, h->Get_yb_net() + 80));
    });
  }
  if (increase) {
    QTimer::singleShot(500, [&] {
      enlarged.SetModalRunner([&] {
        enlarged.show();
        return 0;
      });
      enlarged.ShowFor(mag);
      enlarged.SpeedButtonLimit->click();
      QTimer::singleShot(700, [&] {
        TDiagram* big = enlarged.Diagram1;
        MoveMouseOver(big, QPoint(big->Get_xb_net() + 500, big->Get_yb_net() + 200));
      });
    });
  }
  return app.exec();
}
