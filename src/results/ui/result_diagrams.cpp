#include "results/ui/result_diagrams.h"

#include "diagram/diagram_core.h"
#include "results/ui/formula_pictures.h"

namespace {

enum class Axes {
  kSamples,    // n: named axes, whole numbers across
  kFrequency,  // ωT or fT: formula pictures instead of names
  kPlane,      // Re z, Im z: named axes on equal scales
};

struct DiagramTexts {
  const char* name;
  Axes axes;
  const char* name_y;  // the named axes; the frequency diagrams show formula pictures
  const char* name_x;
  Formula picture_y;
};

const DiagramTexts kTexts[kResultDiagramCount] = {
    {"Импульсная характеристика", Axes::kSamples, "h(n)", "n", Formula::kAmplitudeResponse},
    {"Переходная характеристика", Axes::kSamples, "g(n)", "n", Formula::kAmplitudeResponse},
    {"Амплитудно-частотная характеристика", Axes::kFrequency, nullptr, nullptr, Formula::kAmplitudeResponse},
    {"Фазо-частотная характеристика", Axes::kFrequency, nullptr, nullptr, Formula::kPhaseResponse},
    {"Сигнал на входе ЦФ", Axes::kSamples, "x(n)", "n", Formula::kAmplitudeResponse},
    {"Сигнал на выходе ЦФ", Axes::kSamples, "y(n)", "n", Formula::kAmplitudeResponse},
    {"Амплитудный спектр сигнала на входе ЦФ", Axes::kFrequency, nullptr, nullptr, Formula::kInputSpectrum},
    {"Амплитудный спектр сигнала на выходе ЦФ", Axes::kFrequency, nullptr, nullptr, Formula::kOutputSpectrum},
    {"Нули и полюсы на плоскости z", Axes::kPlane, "Im z", "Re z", Formula::kAmplitudeResponse},
    {"Групповое время задержки", Axes::kFrequency, nullptr, nullptr, Formula::kGroupDelay},
};

TFont DiagramFont(bool name) {
  TFont font;
  font.Name = "Liberation Serif";  // Times New Roman's metric twin, with Cyrillic
  font.Size = 16;
  font.Bold = name;
  font.Italic = name;
  return font;
}

}  // namespace

bool IsFrequencyDiagram(ResultDiagram which) { return kTexts[which].axes == Axes::kFrequency; }

const TBitmap& FrequencyAxisPicture(bool cyclic_frequency) {
  static const TBitmap angular = FormulaPicture(Formula::kAngularFrequency);
  static const TBitmap cyclic = FormulaPicture(Formula::kCyclicFrequency);
  return cyclic_frequency ? cyclic : angular;
}

const char* AmplitudeResponseName(int afc_mode) {
  switch (afc_mode) {
    case 2: return "Нормированная АЧХ";
    case 3: return "Нормированная АЧХ в [дБ]";
    default: return "Амплитудно-частотная характеристика";
  }
}

void StyleResultDiagram(TDiagramCore& diagram, ResultDiagram which, bool cyclic_frequency) {
  const DiagramTexts& texts = kTexts[which];
  diagram.SetFontName(DiagramFont(true));
  diagram.SetFontNameX(DiagramFont(true));
  diagram.SetFontNameY(DiagramFont(true));
  diagram.SetFontNet(DiagramFont(false));
  diagram.SetNameDiagram(texts.name);
  // The time diagrams count samples; the z-plane keeps circles round.
  diagram.SetWholeNumberAxisX(texts.axes == Axes::kSamples);
  diagram.SetEqualScale(texts.axes == Axes::kPlane);
  if (!IsFrequencyDiagram(which)) {
    diagram.SetNameY(texts.name_y);
    diagram.SetNameX(texts.name_x);
    return;
  }
  // Blank names: the formula pictures name these axes.
  diagram.SetNameY(" ");
  diagram.SetNameX(" ");
  const TBitmap picture_y = FormulaPicture(texts.picture_y);
  diagram.SetBitmapY(&picture_y);
  diagram.SetBitmapX(&FrequencyAxisPicture(cyclic_frequency));
}
