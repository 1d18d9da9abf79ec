#include "results/coefficient_table.h"

#include <algorithm>

#include "numeric/number_text.h"

namespace {

// Russian nouns after a number: 1 секция, 2 секции, 5 секций, 21 секция.
std::string Counted(std::size_t n, const char* one, const char* few, const char* many) {
  const std::size_t last = n % 10, tens = n % 100;
  const char* noun = (last == 1 && tens != 11)                              ? one
                     : (last >= 2 && last <= 4 && (tens < 12 || tens > 14)) ? few
                                                                            : many;
  return std::to_string(n) + " " + noun;
}

// "a(1)·x(n−1)"; the term of k = 0 is "a(0)·x(n)".
std::string Term(const char* coefficient, const char* signal, int k) {
  const std::string delay = k == 0 ? "n" : "n−" + std::to_string(k);
  return std::string(coefficient) + "(" + std::to_string(k) + ")·" + signal + "(" + delay + ")";
}

// The terms first … last, the middle ones elided when there are more than three.
std::string Terms(const char* coefficient, const char* signal, int first, int last) {
  std::string text;
  for (int k = first; k <= last; ++k) {
    if (last - first > 2 && k == first + 2) {
      text += " + …";
      k = last;
    }
    if (!text.empty()) text += " + ";
    text += Term(coefficient, signal, k);
  }
  return text;
}

std::string DirectEquation(const FilterCoefficients& f) {
  std::string text = "y(n) = ";
  const int n = static_cast<int>(f.a.size()) - 1, m = static_cast<int>(f.b.size());
  text += n >= 0 ? Terms("a", "x", 0, n) : "0";
  if (m > 0) text += " + " + Terms("b", "y", 1, m);
  if (f.gain != 1) text += ",  x(n) умножено на " + CoefficientText(f.gain);
  return text;
}

std::string CascadeEquation(const FilterCoefficients& f) {
  const int count = static_cast<int>(f.sections.size());
  std::string product;
  for (int s = 1; s <= count; ++s) {
    if (count > 3 && s == 3) {
      product += "·…";
      s = count;
    }
    if (s > 1) product += "·";
    product += 'H';
    product += std::to_string(s);
    product += "(z)";
  }
  std::string text = "H(z) = " + product + ",  Hs(z) = g·(b0 + b1·z⁻¹ + b2·z⁻²) / (1 − a1·z⁻¹ − a2·z⁻²)\n" +
                     "Секция s:  w(n) = g·x(n) + a1·w(n−1) + a2·w(n−2),  y(n) = b0·w(n) + b1·w(n−1) + b2·w(n−2)";
  if (f.gain != 1) text += "\nНа входе каскада множитель " + CoefficientText(f.gain);
  return text;
}

// The taps of a non-recursive design. Its last one is 0 by design, and said so, lest the
// student look for a symmetry about the middle of all of them.
std::string TapCount(const std::vector<double>& a) {
  if (a.size() < 2 || a.back() != 0) return Counted(a.size(), "коэффициент", "коэффициента", "коэффициентов");
  const auto nonzero = static_cast<std::size_t>(std::count_if(a.begin(), a.end(), [](double v) { return v != 0; }));
  return Counted(nonzero, "ненулевой коэффициент", "ненулевых коэффициента", "ненулевых коэффициентов") + ", a(" +
         std::to_string(a.size() - 1) + ") = 0";
}

// ", ФВЧ, окно Ханна": the band type where it is not low-pass, and the window.
std::string FirKind(const FilterCoefficients& f) {
  std::string text;
  switch (f.band) {
    case BandType::kLowPass: break;
    case BandType::kHighPass: text = ", ФВЧ"; break;
    case BandType::kBandPass: text = ", полосовой"; break;
    case BandType::kBandStop: text = ", режекторный"; break;
  }
  switch (f.window) {
    case FirWindow::kRectangular: return text + ", прямоугольное окно";
    case FirWindow::kHamming: return text + ", окно Хэмминга";
    case FirWindow::kHann: return text + ", окно Ханна";
    case FirWindow::kBlackman: return text + ", окно Блэкмана";
    case FirWindow::kKaiser: return text + ", окно Кайзера";
  }
  return text;
}

std::string Caption(const FilterCoefficients& f) {
  const std::string order = ", порядок " + std::to_string(f.order);
  const std::string window = FirKind(f);
  const std::string taps = TapCount(f.a);
  const std::string sections = Counted(f.sections.size(), "секция", "секции", "секций");
  switch (f.origin) {
    case CoefficientOrigin::kButterworth: return "Фильтр Баттерворта" + order + ": " + sections;
    case CoefficientOrigin::kChebyshev: return "Фильтр Чебышева" + order + ": " + sections;
    case CoefficientOrigin::kWeighing: return "Фильтр со взвешиванием" + window + order + ": " + taps;
    case CoefficientOrigin::kFrSampling: return "Фильтр частотной выборки" + window + order + ": " + taps;
    case CoefficientOrigin::kTyped: break;
  }
  return "Произвольный фильтр" + order;
}

}  // namespace

std::string CoefficientText(double value) { return DotToComma(ExactNumberText(value)); }

CoefficientTable TableOf(const FilterCoefficients& f) {
  CoefficientTable table;
  table.caption = Caption(f);
  if (f.IsCascade()) {
    table.equation = CascadeEquation(f);
    table.headers = {"Секция", "g", "b0", "b1", "b2", "a1", "a2"};
    int number = 0;
    for (const CoefficientSection& s : f.sections)
      table.cells.push_back({std::to_string(++number), CoefficientText(s.g), CoefficientText(s.b0),
                             CoefficientText(s.b1), CoefficientText(s.b2), CoefficientText(s.a1),
                             CoefficientText(s.a2)});
    return table;
  }
  table.equation = DirectEquation(f);
  const bool typed = f.origin == CoefficientOrigin::kTyped;
  table.headers = typed ? std::vector<std::string>{"i", "a(i)", "b(i)"} : std::vector<std::string>{"i", "a(i)"};
  const std::size_t rows = std::max(f.a.size(), f.b.size() + 1);
  for (std::size_t i = 0; i < rows; ++i) {
    std::vector<std::string> row = {std::to_string(i), i < f.a.size() ? CoefficientText(f.a[i]) : ""};
    if (typed) row.push_back(i >= 1 && i <= f.b.size() ? CoefficientText(f.b[i - 1]) : "");
    table.cells.push_back(std::move(row));
  }
  return table;
}

std::string TableText(const CoefficientTable& table, const std::function<bool(int, int)>& selected) {
  const int rows = static_cast<int>(table.cells.size()), columns = static_cast<int>(table.headers.size());
  const auto chosen = [&](int r, int c) { return !selected || selected(r, c); };
  std::vector<int> used_columns;
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < rows; ++r)
      if (chosen(r, c)) {
        used_columns.push_back(c);
        break;
      }
  const auto line = [&](const std::vector<std::string>& texts, int r) {
    std::string text;
    for (std::size_t j = 0; j < used_columns.size(); ++j) {
      if (j) text += '\t';
      if (r < 0 || chosen(r, used_columns[j])) text += texts[used_columns[j]];
    }
    return text + "\n";
  };
  std::string text = selected ? "" : line(table.headers, -1);
  for (int r = 0; r < rows; ++r)
    if (std::any_of(used_columns.begin(), used_columns.end(), [&](int c) { return chosen(r, c); }))
      text += line(table.cells[r], r);
  return text;
}
