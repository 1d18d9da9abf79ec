// The C headers velmar-cli wrote at build time, with the CSVs of the same run beside them: the
// headers compile as C (c_header_check.c) and as C++ (here), and their arrays are the CSVs' values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Filter.h"
#include "chebyshev10.h"
#include "filter.h"
#include "support/coefficient_csv.h"
#include "support/temporary_folder.h"
#include "typed.h"

extern "C" {
const double* chebyshev10_sos_from_c(void);
int chebyshev10_sections_from_c(void);
const double* typed_numerator_from_c(void);
const double* typed_denominator_from_c(void);
int typed_numerator_length_from_c(void);
int typed_denominator_length_from_c(void);
int filter_sections_from_c(void);
}

namespace {

CoefficientCsv ReadGenerated(const char* name) {
  return ReadCoefficientCsv(ReadFile(std::string(VELMAR_GENERATED_HEADERS) + "/" + name));
}

TEST(CHeaderTest, CompilesAsCAndCxxAndHoldsTheCsvValues) {
  const CoefficientCsv sections = ReadGenerated("chebyshev10.csv");
  ASSERT_EQ(sections.columns, "section,b0,b1,b2,a0,a1,a2");
  ASSERT_EQ(sections.rows.size(), 5u);
  ASSERT_EQ(cheb10_SECTION_COUNT, 5);
  ASSERT_EQ(chebyshev10_sections_from_c(), 5);
  for (int s = 0; s < 5; ++s) {
    for (int j = 0; j < 6; ++j) {
      EXPECT_EQ(cheb10_sos[s][j], sections.rows[s][j]) << s << "," << j;
      EXPECT_EQ(chebyshev10_sos_from_c()[6 * s + j], sections.rows[s][j]) << s << "," << j;
    }
  }

  const CoefficientCsv direct = ReadGenerated("typed.csv");
  ASSERT_EQ(direct.columns, "k,numerator,denominator");
  ASSERT_EQ(typed_NUMERATOR_LENGTH, 3);
  ASSERT_EQ(typed_DENOMINATOR_LENGTH, 3);
  ASSERT_EQ(typed_numerator_length_from_c(), 3);
  ASSERT_EQ(typed_denominator_length_from_c(), 3);
  ASSERT_EQ(direct.rows.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(typed_numerator[k], direct.rows[k][0]) << k;
    EXPECT_EQ(typed_denominator[k], direct.rows[k][1]) << k;
    EXPECT_EQ(typed_numerator_from_c()[k], direct.rows[k][0]) << k;
    EXPECT_EQ(typed_denominator_from_c()[k], direct.rows[k][1]) << k;
  }
  // The value typed on the command line, exactly.
  EXPECT_EQ(typed_numerator[1], -0.33333333333333331);

  // Filter.h and filter.h: the same filter, both included, each under its own names.
  ASSERT_EQ(Filter_SECTION_COUNT, 2);
  ASSERT_EQ(filter_sections_from_c(), 4);
  for (int s = 0; s < 2; ++s)
    for (int j = 0; j < 6; ++j) EXPECT_EQ(Filter_sos[s][j], filter_sos[s][j]) << s << "," << j;
}

}  // namespace
