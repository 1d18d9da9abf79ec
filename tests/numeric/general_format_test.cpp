#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "numeric/general_format.h"
#include "numeric/number_text.h"

namespace {

TEST(GeneralFormatTest, FifteenSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(FormatGeneral(0.0), "0");
  EXPECT_EQ(FormatGeneral(-0.0), "0");
  EXPECT_EQ(FormatGeneral(1.0), "1");
  EXPECT_EQ(FormatGeneral(-2.5), "-2,5");
  EXPECT_EQ(FormatGeneral(0.1), "0,1");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0,3");  // 0,30000000000000004 rounds away at 15 digits
  EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0,333333333333333");
  EXPECT_EQ(FormatGeneral(-2.0 / 3.0), "-0,666666666666667");
  EXPECT_EQ(FormatGeneral(1000.0), "1000");
  EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatGeneral(99999.999999999999), "100000");  // rounding carries into a new digit
}

TEST(GeneralFormatTest, ExponentBelowTheFifthDecimalAndBeyondFifteenIntegerDigits) {
  EXPECT_EQ(FormatGeneral(0.00001), "0,00001");
  EXPECT_EQ(FormatGeneral(0.000012), "0,000012");
  EXPECT_EQ(FormatGeneral(0.000009), "9E-6");
  EXPECT_EQ(FormatGeneral(-1.5e-7), "-1,5E-7");
  EXPECT_EQ(FormatGeneral(1e15), "1E15");
  EXPECT_EQ(FormatGeneral(1234567890123456.0), "1,23456789012346E15");
  EXPECT_EQ(FormatGeneral(1e300), "1E300");
  EXPECT_EQ(FormatGeneral(DBL_MIN), "2,2250738585072E-308");
  EXPECT_EQ(FormatGeneral(DBL_MAX), "1,79769313486232E308");
}

TEST(GeneralFormatTest, TextReadsBackAndNonFiniteValuesDoNot) {
  for (const double value : {0.1, -3.0, 1.5e-7, 123.456, 1e20, -9.87654321e-12}) {
    double back = 0;
    ASSERT_TRUE(TextToDouble(FormatGeneral(value), back)) << value;
    EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << value;
  }
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatGeneral(inf), "INF");
  EXPECT_EQ(FormatGeneral(-inf), "-INF");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::quiet_NaN()), "NAN");
  double back = 7;
  EXPECT_FALSE(TextToDouble("INF", back));
  EXPECT_FALSE(TextToDouble("NAN", back));
}

}  // namespace
