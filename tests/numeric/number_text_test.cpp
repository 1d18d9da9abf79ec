#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "numeric/key_filters.h"
#include "numeric/number_text.h"
#include "numeric/wide_number.h"

namespace {

TEST(NumberTextTest, FormatNumberAlwaysWritesADecimalComma) {
  EXPECT_EQ(FormatNumber(2, 3.14159), "3,14");
  EXPECT_EQ(FormatNumber(0, 2.5), "2");  // printf rounds half to even
  EXPECT_EQ(FormatNumber(0, 3.5), "4");
  EXPECT_EQ(FormatNumber(7, -0.5), "-0,5000000");
  EXPECT_EQ(FormatNumber(8, 1234.5), "1,234500e+03");
  EXPECT_EQ(FormatNumber(100, -1e-10), "-1,000000e-10");
  EXPECT_EQ(FormatNumber(3, 1e20), "100000000000000000000,000");
}

TEST(NumberTextTest, FormatNumberIgnoresTheProcessLocale) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr && std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "no comma locale installed";
  }
  EXPECT_EQ(FormatNumber(1, 1.25), "1,2");
  double value = 0;
  EXPECT_TRUE(TextToDouble("0.5", value));
  EXPECT_EQ(value, 0.5);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberTextTest, TextToDoubleAcceptsWholeNumbersWithEitherSeparator) {
  struct Case {
    const char* text;
    double value;
  };
  const Case accepted[] = {{"0.5", 0.5},   {"0,5", 0.5},   {"-1,5", -1.5},   {"1e-3", 1e-3}, {"1E-3", 1e-3},
                           {"2,5e2", 250}, {"2.5e2", 250}, {"-2,5E2", -250}, {"1e+2", 100},  {"1,5E-7", 1.5e-7},
                           {"42", 42},     {" 7 ", 7},     {"+2,25", 2.25}};
  for (const Case& c : accepted) {
    double value = -99;
    EXPECT_TRUE(TextToDouble(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  const char* refused[] = {"abc", "1abc", "1,2,3", "1.2.3", "1.2,3", "",    " ",   "inf",
                           "nan", "-",    ",",     "1e400", "--1",   "+-1", "0x10"};
  for (const char* text : refused) {
    double value = -99;
    EXPECT_FALSE(TextToDouble(text, value)) << text;
    EXPECT_EQ(value, 0) << text;
  }
  // However far into a long text the separator stands, a comma and a point read alike.
  const std::string zeros(30005, '0');
  for (const std::string& text : {zeros + ",5", zeros + ".5", "   " + zeros.substr(0, 29999) + ".5"}) {
    double value = -99;
    EXPECT_TRUE(TextToDouble(text, value)) << text.size();
    EXPECT_EQ(value, 0.5) << text.size();
  }
}

TEST(NumberTextTest, SeparatorSwapsTouchOnlyTheFirstOne) {
  EXPECT_EQ(DotToComma("1.5.6"), "1,5.6");
  EXPECT_EQ(CommaToDot("1,5,6"), "1.5,6");
  EXPECT_EQ(DotToComma("15"), "15");
  std::string beyond(30001, '1');
  beyond += '.';
  EXPECT_EQ(DotToComma(beyond), beyond);  // the scan stops after 30001 characters
}

// Beyond a double's range the shortest decimal that rounds back to the same 53 bits, as
// arbitrary-precision arithmetic finds it; within it, a double's own shortest text.
TEST(NumberTextTest, ExactTextOfANumberBeyondADoublesRange) {
  EXPECT_EQ(ExactNumberText(WideNumber(0.5)), "0.5");
  EXPECT_EQ(ExactNumberText(WideNumber(1e-5)), "1e-05");
  EXPECT_EQ(ExactNumberText(WideNumber()), "0");
  WideNumber product(1e-200);
  product *= 1e-200;
  EXPECT_FALSE(product.FitsDouble());
  EXPECT_EQ(product.Value(), 0);
  EXPECT_EQ(ExactNumberText(product), "1e-400");
  WideNumber power(1);  // 2^−1100: a power of two, whose lower neighbour lies half as far
  power *= std::ldexp(1, -550);
  power *= std::ldexp(1, -550);
  EXPECT_EQ(ExactNumberText(power), "7.362151829022863e-332");
  WideNumber large(-(1 + std::ldexp(1, -52)));  // −(1 + 2^−52)·2^2000
  for (int i = 0; i < 4; ++i) large *= std::ldexp(1, 500);
  EXPECT_EQ(ExactNumberText(large), "-1.1481306952742548e+602");
  EXPECT_EQ(large.Value(), -INFINITY);
}

char32_t Filtered(void (*filter)(char32_t&, const EditFieldState&), char32_t key, const std::string& text,
                  int start = 0, int length = 0) {
  filter(key, EditFieldState{text, start, length});
  return key;
}

TEST(KeyFilterTest, DecimalKeyAllowsDigitsAndOneComma) {
  EXPECT_EQ(Filtered(FilterDecimalKey, U'.', "15", 2), U',');
  EXPECT_EQ(Filtered(FilterDecimalKey, U'.', "1,5", 3), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U',', "1,5", 3), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'7', "1,5", 3), U'7');
  EXPECT_EQ(Filtered(FilterDecimalKey, kBackspaceKey, "1,5", 3), kBackspaceKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'a', "", 0), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'-', "", 0), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'ж', "", 0), kNullKey);

  // One exponent after a digit, its sign right after the mark, then digits.
  EXPECT_EQ(Filtered(FilterDecimalKey, U'e', "1", 1), U'e');
  EXPECT_EQ(Filtered(FilterDecimalKey, U'E', "2,5", 3), U'E');
  EXPECT_EQ(Filtered(FilterDecimalKey, U'-', "1e", 2), U'-');  // an unsigned field takes a small value
  EXPECT_EQ(Filtered(FilterDecimalKey, U'+', "1e", 2), U'+');
  EXPECT_EQ(Filtered(FilterDecimalKey, U'3', "1e-", 3), U'3');
  EXPECT_EQ(Filtered(FilterDecimalKey, U'e', "1,", 2), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'e', "1e2", 3), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'E', "1,5", 1), kNullKey);  // the comma would follow it
  EXPECT_EQ(Filtered(FilterDecimalKey, U'e', "12,5", 1, 3), U'e');  // over a selection holding the comma
  EXPECT_EQ(Filtered(FilterDecimalKey, U'-', "1e-", 3), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'.', "1e3", 3), kNullKey);
  EXPECT_EQ(Filtered(FilterDecimalKey, U'4', "1e-3", 2), kNullKey);  // between the mark and its sign
}

TEST(KeyFilterTest, SignedDecimalKeyAllowsOneLeadingMinus) {
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "5", 0), U'-');
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "5", 1), kNullKey);
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "-5", 0), kNullKey);
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "-5", 0, 2), U'-');  // replaces the selection
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "-5", 1, 1), kNullKey);
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'.', "-5", 2), U',');
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'x', "-5", 2), kNullKey);
  // The exponent's sign is its own: it neither counts as the leading minus nor needs position 0.
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "-2,5E", 5), U'-');
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "2,5E-2", 0), U'-');
  EXPECT_EQ(Filtered(FilterSignedDecimalKey, U'-', "-2,5E-2", 0), kNullKey);
}

TEST(KeyFilterTest, DigitKey) {
  char32_t key = U'9';
  EXPECT_TRUE(FilterDigitKey(key));
  EXPECT_EQ(key, U'9');
  key = kBackspaceKey;
  EXPECT_TRUE(FilterDigitKey(key));
  key = U',';
  EXPECT_FALSE(FilterDigitKey(key));
  EXPECT_EQ(key, kNullKey);
}

}  // namespace
