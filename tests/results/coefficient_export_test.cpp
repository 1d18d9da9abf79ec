#include "results/coefficient_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "filter/digital_filter.h"
#include "platform/messages.h"
#include "results/coefficient_table.h"
#include "results/filter_coefficients.h"
#include "session/session.h"
#include "support/coefficient_csv.h"

namespace {

using Complex = std::complex<double>;

// The dialogs' models and a run after the first analysis, as the main window has them.
struct Models {
  Session s;
  MessageRecorder messages;

  Models() { s.run->ShowWindow(); }

  // A library design of a given order, chosen and analysed.
  void Design(int kind, int order) {
    if (kind == kButterworthKind) {
      s.library.ButterworthDesign().SetAutoOrder(false);
      s.library.ButterworthDesign().SetOrder(order);
    } else if (kind == kChebyshevKind) {
      s.library.ChebyshevDesign().SetAutoOrder(false);
      s.library.ChebyshevDesign().SetOrder(order);
    }
    s.library.Show();
    s.library.SetPage(kind);
    s.library.SelectFilter();
    s.run->RunAnalysis(1);
  }

  void Type(const std::vector<double>& a, const std::vector<double>& b) {
    s.input_form.Show(s.a, s.b);
    s.a.SetValues(a.data(), static_cast<int>(a.size()));
    s.b.SetValues(b.data(), static_cast<int>(b.size()));
    ASSERT_TRUE(s.input_form.RequestAnalysis(s.a));
    s.run->RunAnalysis(0);
  }

  FilterCoefficients Coefficients() { return CoefficientsOf(*s.run, s.library); }
};

// c0 + c1·z⁻¹ + c2·z⁻² + … at z⁻¹ = e^{−jω}.
Complex Polynomial(const double* c, int count, double omega) {
  Complex sum = 0;
  for (int k = 0; k < count; ++k) sum += c[k] * std::polar(1.0, -k * omega);
  return sum;
}

TEST(CoefficientExportTest, SectionsReadBackGiveTheProgramsAmplitudeAndPhase) {
  const std::pair<int, int> designs[] = {
      {kButterworthKind, 7}, {kButterworthKind, 30}, {kChebyshevKind, 10}, {kChebyshevKind, 5}};
  for (const auto& [kind, order] : designs) {
    Models m;
    m.Design(kind, order);
    const FilterCoefficients filter = m.Coefficients();
    EXPECT_EQ(AvailableLayouts(filter).front(), CoefficientLayout::kSections);
    const CoefficientCsv csv = ReadCoefficientCsv(CoefficientsCsv(filter, CoefficientLayout::kSections));
    ASSERT_EQ(csv.comments.size(), 1u);
    EXPECT_EQ(csv.comments[0].rfind("# H(z) = product over the sections of (b0 + b1*z^-1 + b2*z^-2) / "
                                    "(a0 + a1*z^-1 + a2*z^-2), a0 = 1",
                                    0),
              0u);
    EXPECT_EQ(csv.columns, "section,b0,b1,b2,a0,a1,a2");
    ASSERT_EQ(static_cast<int>(csv.rows.size()), (order + 1) / 2) << order;

    // Π (b0 + b1·z⁻¹ + b2·z⁻²)/(1 + a1·z⁻¹ + a2·z⁻²) on the first half of the grid, which the run
    // evaluates (and mirrors), ω stepped from −π as the run steps it.
    const AnalysisRun& run = *m.s.run;
    double omega = -std::numbers::pi;
    for (int k = 0; k < run.FrequencyPoints() / 2; ++k, omega += run.GridStep()) {
      double amplitude = 1, phase = 0;
      for (const std::vector<double>& row : csv.rows) {
        ASSERT_EQ(row.size(), 6u);
        ASSERT_EQ(row[3], 1.0);
        const Complex numerator = Polynomial(&row[0], 3, omega), denominator = Polynomial(&row[3], 3, omega);
        amplitude *= std::abs(numerator) / std::abs(denominator);
        phase += std::arg(numerator) - std::arg(denominator);
      }
      ASSERT_NEAR(amplitude, run.AmplitudeResponse()[k], 1e-12) << order << " at " << k;
      // The phase of a zero (ω = −π) is no number to compare.
      if (amplitude > 1e-9) {
        ASSERT_NEAR(phase, run.PhaseResponse()[k], 1e-12) << order << " at " << k;
      }
    }
  }
}

TEST(CoefficientExportTest, DirectLayoutOfATypedFilterReadsBackAsTheSameFilter) {
  Models m;
  const std::vector<double> a = {0.1, -1.0 / 3, 2.5e-7, 0, 123456.789};
  const std::vector<double> b = {0.5, -0.25, 1.0 / 7};
  m.Type(a, b);
  const FilterCoefficients filter = m.Coefficients();
  EXPECT_EQ(AvailableLayouts(filter), std::vector<CoefficientLayout>{CoefficientLayout::kDirect});
  const CoefficientCsv csv = ReadCoefficientCsv(CoefficientsCsv(filter, CoefficientLayout::kDirect));
  ASSERT_EQ(csv.comments.size(), 1u);
  EXPECT_EQ(csv.comments[0].rfind("# H(z) = sum(numerator[k]*z^-k) / sum(denominator[k]*z^-k), denominator[0] = 1", 0),
            0u);
  EXPECT_EQ(csv.columns, "k,numerator,denominator");
  ASSERT_EQ(csv.rows.size(), 5u);

  // Typed into a filter again as the program reads its tables: every coefficient the same double.
  std::vector<double> numerator, recursive;
  for (const std::vector<double>& row : csv.rows) numerator.push_back(row[0]);
  EXPECT_EQ(csv.rows[0][1], 1.0);
  CDigitalFilter again;
  again.SetACoef(numerator.data(), static_cast<int>(numerator.size()));
  for (int i = 1; i < 5; ++i) again.SetBCoef(i, -csv.rows[i][1]);
  const CBaseDigitalFilter& analysed = *m.s.run->DirectFilter();
  ASSERT_EQ(again.FAOrder(), 4);
  ASSERT_EQ(again.FBOrder(), 3);
  for (int k = 0; k <= 4; ++k) EXPECT_EQ(again.ACoef(k), analysed.ACoef(k)) << k;
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(again.BCoef(i), b[i - 1]) << i;
}

TEST(CoefficientExportTest, DirectLayoutOfACascadeIsTheProductOfItsSections) {
  // Butterworth of order 4: the numerator K·(1 + z⁻¹)⁴ and a gain of 1 at ω = 0.
  Models butterworth;
  butterworth.Design(kButterworthKind, 4);
  const std::optional<DirectForm> form = DirectFormOf(butterworth.Coefficients());
  ASSERT_TRUE(form.has_value());
  ASSERT_EQ(form->numerator.size(), 5u);
  const double binomial[] = {1, 4, 6, 4, 1};
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(form->numerator[k] / form->numerator[0], binomial[k], 1e-12) << k;
  EXPECT_EQ(form->denominator[0], 1.0);
  double num = 0, den = 0;
  for (int k = 0; k < 5; ++k) num += form->numerator[k], den += form->denominator[k];
  EXPECT_NEAR(num / den, 1.0, 1e-9);

  // Chebyshev of order 10 multiplied out has the program's amplitude on the grid.
  Models chebyshev;
  chebyshev.Design(kChebyshevKind, 10);
  const FilterCoefficients filter = chebyshev.Coefficients();
  EXPECT_EQ(AvailableLayouts(filter),
            (std::vector<CoefficientLayout>{CoefficientLayout::kSections, CoefficientLayout::kDirect}));
  const CoefficientCsv csv = ReadCoefficientCsv(CoefficientsCsv(filter, CoefficientLayout::kDirect));
  ASSERT_EQ(csv.rows.size(), 11u);
  std::vector<double> numerator, denominator;
  for (const std::vector<double>& row : csv.rows) numerator.push_back(row[0]), denominator.push_back(row[1]);
  const AnalysisRun& run = *chebyshev.s.run;
  double omega = -std::numbers::pi;
  for (int k = 0; k < run.FrequencyPoints() / 2; ++k, omega += run.GridStep()) {
    const double amplitude =
        std::abs(Polynomial(numerator.data(), 11, omega) / Polynomial(denominator.data(), 11, omega));
    ASSERT_NEAR(amplitude, run.AmplitudeResponse()[k], 1e-9) << k;
  }

  // Order 60 multiplied out fits in doubles, but rounded it is another filter: summed at z = 1 in
  // quadruple precision, its gain is nowhere near the sections' product there (about 0,9).
  Models wide;
  wide.Design(kChebyshevKind, 60);
  const FilterCoefficients sixty = wide.Coefficients();
  const std::optional<DirectForm> rounded = DirectFormOf(sixty);
  ASSERT_TRUE(rounded.has_value());
  __float128 num60 = 0, den60 = 0;
  for (double c : rounded->numerator) num60 += c;
  for (double c : rounded->denominator) den60 += c;
  long double sections_gain = sixty.gain;
  for (const CoefficientSection& s : sixty.sections)
    sections_gain *= s.g * (static_cast<long double>(s.b0) + s.b1 + s.b2) / (1.0L - s.a1 - s.a2);
  EXPECT_GT(std::fabs(static_cast<double>(num60 / den60) / static_cast<double>(sections_gain) - 1), 0.5);
  EXPECT_NEAR(static_cast<double>(sections_gain), 1, 0.2);
  const OfferedLayouts offered = LayoutsOf(sixty);
  EXPECT_EQ(offered.layouts, std::vector<CoefficientLayout>{CoefficientLayout::kSections});
  EXPECT_EQ(offered.direct_fault, DirectFormFault::kUnfaithful);
  EXPECT_EQ(LayoutsOf(filter).direct_fault, DirectFormFault::kNone);

  // Order 200 far down the band: its direct form lies below what a double holds, so only the
  // sections are offered.
  Models narrow;
  narrow.s.library.ButterworthDesign().SetWp(0.01);
  narrow.Design(kButterworthKind, 200);
  const FilterCoefficients sections = narrow.Coefficients();
  EXPECT_EQ(sections.sections.size(), 100u);
  EXPECT_FALSE(DirectFormOf(sections).has_value());
  EXPECT_EQ(AvailableLayouts(sections), std::vector<CoefficientLayout>{CoefficientLayout::kSections});
  EXPECT_EQ(LayoutsOf(sections).direct_fault, DirectFormFault::kBeyondRange);
}

TEST(CoefficientExportTest, HeaderIdentifiersComeFromTheFileName) {
  EXPECT_EQ(HeaderPrefix("out/lowpass.h"), "lowpass");
  EXPECT_EQ(HeaderPrefix("2nd-order filter.h"), "f_2nd_order_filter");
  EXPECT_EQ(HeaderPrefix("/tmp/Коэффициенты.h"), "velmar_filter");
  EXPECT_EQ(HeaderPrefix("-"), "velmar_filter");
  EXPECT_EQ(HeaderPrefix("_Reserved__name.h"), "f_Reserved_name");
  EXPECT_EQ(HeaderPrefix(".h"), "f_h");
  for (const char* name : {"lowpass", "f_2nd_order_filter", "Filter", "a1_b2_"})
    EXPECT_TRUE(IsHeaderPrefix(name)) << name;
  for (const char* name : {"", "2nd", "_Reserved", "double__under", "low-pass", "Коэф", "a b"})
    EXPECT_FALSE(IsHeaderPrefix(name)) << name;

  // Every name comes from the prefix as given, the guard from it upper-cased and the content's
  // hash: Filter.h and filter.h of one filter share neither names nor guard.
  FilterCoefficients typed;
  typed.a = {1, 0.5};
  typed.order = 1;
  const std::string upper = CoefficientsHeader(typed, CoefficientLayout::kDirect, "Filter");
  const std::string lower = CoefficientsHeader(typed, CoefficientLayout::kDirect, "filter");
  EXPECT_NE(upper.find("#define Filter_NUMERATOR_LENGTH 2\n"), std::string::npos) << upper;
  EXPECT_NE(upper.find("static const double Filter_numerator[Filter_NUMERATOR_LENGTH] = {"), std::string::npos);
  const auto guard = [](const std::string& header) { return header.substr(header.find("#ifndef "), 40); };
  EXPECT_EQ(guard(upper).rfind("#ifndef FILTER_COEFFICIENTS_", 0), 0u) << guard(upper);
  EXPECT_NE(guard(upper), guard(lower));
  typed.a = {1, 0.25};
  EXPECT_NE(guard(CoefficientsHeader(typed, CoefficientLayout::kDirect, "filter")), guard(lower));
}

TEST(CoefficientTableTest, ColumnsEquationsAndSpreadsheetText) {
  FilterCoefficients typed;
  typed.a = {1, 0.5};
  typed.b = {0.25};
  typed.order = 1;
  const CoefficientTable table = TableOf(typed);
  EXPECT_EQ(table.caption, "Произвольный фильтр, порядок 1");
  EXPECT_EQ(table.equation, "y(n) = a(0)·x(n) + a(1)·x(n−1) + b(1)·y(n−1)");
  EXPECT_EQ(table.headers, (std::vector<std::string>{"i", "a(i)", "b(i)"}));
  EXPECT_EQ(TableText(table), "i\ta(i)\tb(i)\n0\t1\t\n1\t0,5\t0,25\n");
  // A selection: only its rows and columns, the gaps empty.
  EXPECT_EQ(TableText(table, [](int r, int c) { return r == 1 && c >= 1; }), "0,5\t0,25\n");
  EXPECT_EQ(TableText(table, [](int r, int c) { return (r == 0 && c == 1) || (r == 1 && c == 2); }), "1\t\n\t0,25\n");

  // The shortest text that reads back as the same double, with a decimal comma: a typed 0,9 stays
  // 0,9, and a value that needs 17 digits gets them.
  EXPECT_EQ(CoefficientText(0.1), "0,1");
  EXPECT_EQ(CoefficientText(0.9), "0,9");
  EXPECT_EQ(CoefficientText(1e-5), "1e-05");
  EXPECT_EQ(CoefficientText(0.1 + 0.2), "0,30000000000000004");
  EXPECT_EQ(CoefficientText(-1.0 / 3), "-0,3333333333333333");
  EXPECT_EQ(CoefficientText(std::ldexp(1.0, -30)), "9,313225746154785e-10");

  Models m;
  m.Design(kButterworthKind, 5);
  const CoefficientTable sections = TableOf(m.Coefficients());
  EXPECT_EQ(sections.caption, "Фильтр Баттерворта, порядок 5: 3 секции");
  EXPECT_EQ(sections.headers, (std::vector<std::string>{"Секция", "g", "b0", "b1", "b2", "a1", "a2"}));
  ASSERT_EQ(sections.cells.size(), 3u);
  // The first-order section first: b = (1, 1, 0), a2 = 0.
  EXPECT_EQ(sections.cells[0][4], "0");
  EXPECT_EQ(sections.cells[0][6], "0");
  EXPECT_EQ(
      sections.equation.rfind("H(z) = H1(z)·H2(z)·H3(z),  Hs(z) = g·(b0 + b1·z⁻¹ + b2·z⁻²) / (1 − a1·z⁻¹ − a2·z⁻²)", 0),
      0u);

  m.Design(kWeighingKind, 0);
  const CoefficientTable taps = TableOf(m.Coefficients());
  // Order 10: taps a(0) … a(9) and a last one that is 0 by design.
  EXPECT_EQ(taps.caption,
            "Фильтр со взвешиванием, прямоугольное окно, порядок 10: 10 ненулевых коэффициентов, a(10) = 0");
  EXPECT_EQ(taps.headers, (std::vector<std::string>{"i", "a(i)"}));
  EXPECT_EQ(taps.equation, "y(n) = a(0)·x(n) + a(1)·x(n−1) + … + a(10)·x(n−10)");
  ASSERT_EQ(taps.cells.size(), 11u);
  EXPECT_EQ(taps.cells[5][1], CoefficientText(1 / std::numbers::pi));  // h(5) = ωc/π
  FilterCoefficients delay;                                            // a full band: only the middle tap is left
  delay.origin = CoefficientOrigin::kFrSampling;
  delay.order = 2;
  delay.a = {0, 1, 0};
  EXPECT_EQ(TableOf(delay).caption,
            "Фильтр частотной выборки, прямоугольное окно, порядок 2: 1 ненулевой коэффициент, a(2) = 0");
  delay.band = BandType::kBandStop;
  delay.window = FirWindow::kKaiser;
  EXPECT_EQ(TableOf(delay).caption,
            "Фильтр частотной выборки, режекторный, окно Кайзера, порядок 2: 1 ненулевой коэффициент, a(2) = 0");
}

}  // namespace
