// Repainting a full-width diagram, as the main window and the spin buttons do it: the picture
// is drawn with the Qt canvas on an image of 1600 × 450.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "bench_application.h"
#include "diagram/diagram_core.h"
#include "diagram/ui/qt_canvas.h"

namespace {

class BenchDiagram : public TDiagramCore {
 public:
  BenchDiagram() : TDiagramCore(std::make_unique<TQtCanvas>()) {
    SetSize(1600, 450);
    const TFont names{"Liberation Serif", 16, true, true, clBlack};
    SetFontName(names);
    SetFontNameX(names);
    SetFontNameY(names);
    SetFontNet(TFont{"Liberation Serif", 16, false, false, clBlack});
  }
};

void BM_ShowDiagramContinuous4096(benchmark::State& state) {
  EnsureApplication();
  std::vector<double> response(4096);
  for (std::size_t k = 0; k < response.size(); ++k) {
    const double w = -std::numbers::pi + k * 2 * std::numbers::pi / 4095;
    response[k] = std::fabs(std::sin(5 * w) / (5 * std::sin(w / 2) + 1e-9));
  }
  BenchDiagram d;
  d.Base().SetArray(response.data(), 4096, -std::numbers::pi, std::numbers::pi);
  d.Base().SetColor(clRed);
  d.SetRangeX(-std::numbers::pi, std::numbers::pi);
  d.AutoRangeY();
  for (auto _ : state) d.ShowDiagram();
}
BENCHMARK(BM_ShowDiagramContinuous4096)->Unit(benchmark::kMillisecond);

void BM_ShowDiagramDiscrete4000(benchmark::State& state) {
  EnsureApplication();
  std::vector<double> signal(4000);
  for (std::size_t n = 0; n < signal.size(); ++n) signal[n] = std::cos(0.05 * n) + 0.5 * std::cos(0.8 * n);
  BenchDiagram d;
  d.Base().SetArray(signal.data(), 4000, 0, 3999);
  d.Base().SetDiscret();
  d.Base().SetColor(clBlue);
  d.SetRangeX(0, 3999);
  d.SetRangeY(-1.6, 1.6);
  for (auto _ : state) d.ShowDiagram();
}
BENCHMARK(BM_ShowDiagramDiscrete4000)->Unit(benchmark::kMillisecond);

}  // namespace
