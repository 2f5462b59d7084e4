#include "grid/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <string_view>
#include <thread>
#include <vector>

namespace {

struct DoubleCase {
  const char* name;
  double value;
  const char16_t* expected;
};

TEST(FormatDoubleTest, WritesAtMostFifteenDigitsAndTenDecimals) {
  const DoubleCase cases[] = {
      {"whole number", 100, u"100"},
      {"zero", 0, u"0"},
      {"tiny negative is zero, not minus zero", -0.00000000001, u"0"},
      {"negative zero", -0.0, u"0"},
      {"plain decimals", 1234567.891, u"1234567.891"},
      {"binary error hidden", 0.1 + 0.2, u"0.3"},
      {"ten decimals", 1.0 / 3, u"0.3333333333"},
      {"fifteen significant digits", 123456789.123456789, u"123456789.123457"},
      {"beyond fifteen digits zeros follow", 1.5e16, u"15000000000000000"},
      {"small with leading zeros", 0.00125, u"0.00125"},
      {"negative", -2.5, u"-2.5"},
      {"rounded at the tenth decimal", 2.99999999999, u"3"},
      {"not finite", std::numeric_limits<double>::infinity(), u"inf"},
      {"negative not finite", -std::numeric_limits<double>::infinity(), u"-inf"},
      {"fifteen digits from 10000 on", 12345.67890123456, u"12345.6789012346"},
      {"product off the short decimal", 761.22 * 404, u"307532.88"},
      {"rounding carries into a new digit", 99999.99999999999, u"100000"},
      {"carry past fifteen digits", 999999999999999.9, u"1000000000000000"},
      {"half of the tenth decimal", 5e-11, u"0.0000000001"},
      {"exact half rounds to even", 100000000000000.5, u"100000000000000"},
      {"exact half rounds to even, upwards", 100000000000001.5, u"100000000000002"},
      {"far below the tenth decimal", 3e-300, u"0"},
      {"largest: fifteen digits, then zeros", -std::numeric_limits<double>::max(),
       u"-179769313486232000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       u"0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       u"0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
       u"0000000000"},
  };
  for (const DoubleCase& c : cases) {
    EXPECT_EQ(FormatDouble(c.value), CString(c.expected)) << c.name;
    // The buffer form writes the same text.
    char16_t text[kMaxDoubleText];
    const int length = FormatDoubleInto(c.value, text);
    EXPECT_EQ(std::u16string_view(text, static_cast<size_t>(length)), std::u16string_view(c.expected)) << c.name;
  }
}

TEST(FormatDoubleTest, NudgedMovesAwayFromZero) {
  const DoubleCase cases[] = {
      {"half stays", 1234.5, u"1234.5"},
      {"just below half lifted over it", 2.000000000045, u"2.0000000001"},
      {"negative lifted the other way", -4.5e-11, u"-0.0000000001"},
      {"negative", -0.25, u"-0.25"},
      {"zero untouched", 0, u"0"},
  };
  for (const DoubleCase& c : cases) {
    EXPECT_EQ(FormatDoubleNudged(c.value), CString(c.expected)) << c.name;
  }
}

TEST(GuardedFcvtTest, SplitsDigitsPointAndSign) {
  struct Case {
    const char* name;
    double value;
    const char16_t* digits;
    int point;
    bool negative;
  } cases[] = {
      {"below one", 0.001234, u"12340000", -2, false},
      {"whole and decimals", -12.5, u"125000000000", 2, true},
      {"limited to fifteen digits", 123456.5, u"123456500000000", 6, false},
      {"zero", 0, u"", 0, false},
  };
  for (const Case& c : cases) {
    CString digits(u"junk");
    int point = 99;
    bool negative = !c.negative;
    EXPECT_TRUE(GuardedFcvt(digits, c.value, 10, point, negative)) << c.name;
    EXPECT_EQ(digits, CString(c.digits)) << c.name;
    EXPECT_EQ(point, c.point) << c.name;
    EXPECT_EQ(negative, c.negative) << c.name;
  }
  CString digits;
  int point = 0;
  bool negative = false;
  EXPECT_FALSE(GuardedFcvt(digits, std::nan(""), 10, point, negative));
  EXPECT_TRUE(digits.IsEmpty());
}

TEST(NumberTextHelpersTest, BuildStripPadAndIntegerParts) {
  EXPECT_EQ(BuildDecimalText(-0.05, u"5", -1), CString(u"-0.05"));
  EXPECT_EQ(BuildDecimalText(150, u"15", 3), CString(u"150"));
  EXPECT_EQ(BuildDecimalText(1.5, u"15", 1), CString(u"1.5"));

  struct StripCase {
    const char* name;
    const char16_t* text;
    const char16_t* expected;
  } strips[] = {
      {"zeros after point", u"12.5000", u"12.5"},
      {"point goes too", u"12.000", u"12"},
      {"no point keeps zeros", u"1200", u"1200"},
      {"trailing blanks first", u"3.10 \x3000\r", u"3.1"},
  };
  for (const StripCase& c : strips) {
    CString text(c.text);
    EXPECT_EQ(StripTrailingZeros(text), WideLength(c.expected)) << c.name;
    EXPECT_EQ(text, CString(c.expected)) << c.name;
  }

  EXPECT_EQ(FormatZeroPadded(42, 5), CString(u"00042"));
  EXPECT_EQ(FormatZeroPadded(-42, 5), CString(u"00-42"));
  EXPECT_EQ(FormatZeroPadded(123456, 3), CString(u"456"));
  EXPECT_EQ(FormatZeroPadded(7, 0), CString(u""));

  EXPECT_EQ(DigitsIntegerPart(2.99999999999), 3);
  EXPECT_EQ(DigitsIntegerPart(-41.7), 41);
  EXPECT_EQ(DigitsIntegerPart(0.9), 0);
  EXPECT_EQ(TruncNudged(2.9999999999999996), 3);
  EXPECT_EQ(TruncNudged(-7.9), -7);
  EXPECT_EQ(TruncNudged(1e300), std::numeric_limits<int64_t>::max());
}

TEST(ParseNumberTextTest, ReadsBusinessNumbers) {
  struct Case {
    const char* name;
    const char16_t* text;
    double expected;
  } cases[] = {
      {"grouping", u"1,234", 1234},
      {"yen sign", u"\\1,234", 1234},
      {"blank ends the number", u"12 34", 12},
      {"leading blanks", u"   56.5", 56.5},
      {"word", u"abc", 0},
      {"empty", u"", 0},
      {"minus", u"-8", -8},
      {"black triangle before digits", u"▲100", -100},
      {"white triangle before digits", u"△2.5", -2.5},
      {"triangle and blank", u"▲ 100", -100},
      {"triangle and ideographic blank", u"▲\x3000" u"100", -100},
      {"unit ends the number", u"300円", 300},
      {"stray minus ends conversion", u"12-3", 12},
      {"thirty characters", u"000000000000000000000000000012", 12},
      {"thirty-one characters", u"0000000000000000000000000000012", 0},
      {"second point ends the number", u"1.2.3", 1.2},
      {"decimal rounded to the nearest double", u"0.1", 0.1},
      {"many decimals", u"3.14159265358979323846", 3.14159265358979323846},
      {"beyond 2^53 rounds to even", u"9007199254740993", 9007199254740992.0},
      {"nineteen digits", u"1234567890123456789", 1234567890123456789.0},
      {"point alone", u".", 0},
      {"minus alone", u"-", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseNumberText(c.text), c.expected) << c.name;
  }
  EXPECT_TRUE(std::signbit(ParseNumberText(u"-0"))) << "minus zero keeps its sign";
}

struct ClassCase {
  const char* name;
  const char16_t* text;
  int expected;
};

TEST(IsNumberTextTest, AcceptsNumberForms) {
  const ClassCase cases[] = {
      {"percent", u"50%", 1},
      {"percent after grouping", u"1,000%", 0},
      {"percent after blank", u" 50%", 0},
      {"percent not last", u"5%0", 0},
      {"leading minus", u"-5", 1},
      {"trailing minus", u"5-", 0},
      {"yen first", u"\\1,200", 1},
      {"two points", u"1.2.3", 0},
      {"empty", u"", 1},
      {"letters", u"12a", 0},
      {"grouping anywhere", u"1,2,3", 1},
  };
  for (const ClassCase& c : cases) {
    EXPECT_EQ(IsNumberText(c.text) ? 1 : 0, c.expected) << c.name;
  }
}

TEST(IsNumberOrDateTextTest, SeparatesTextFromNumbersAndDates) {
  const ClassCase cases[] = {
      {"date", u"2024/01/05", 1},
      {"time", u"12:30", 1},
      {"percent after point", u"1.5%", 0},
      {"percent", u"15%", 1},
      {"empty", u"", -1},
      {"blanks only", u"   ", 1},
      {"leading minus", u" -3", 1},
      {"inner minus", u"2024-01-05", 0},
      {"second point", u"1.2.3", 0},
      {"kanji", u"1月", 0},
  };
  for (const ClassCase& c : cases) {
    EXPECT_EQ(IsNumberOrDateText(c.text), c.expected) << c.name;
  }
}

TEST(RoundValueTest, RoundsAtPosition) {
  struct Case {
    const char* name;
    int digit;
    double value;
    int position;
    double expected;
  } cases[] = {
      {"half up at first decimal", 5, 2.25, -1, 2.3},
      {"half up negative", 5, -2.25, -1, -2.3},
      {"half up despite binary error", 5, 1.005, -2, 1.01},
      {"cut at units", 0, 2.9, 0, 2},
      {"up at units", 9, 2.1, 0, 3},
      {"up leaves whole value", 9, 2.0, 0, 2},
      {"half up at hundreds", 5, 1250, 2, 1300},
      {"half up at tens", 5, 1249, 1, 1250},
      {"cut keeps ...9 values", 0, 12345.68, -2, 12345.68},
      {"large value", 5, 123456789012.5, 0, 123456789013},
      {"regression: scale past the double range kept the value, not NaN", 5, 2.5, -400, 2.5},
      {"regression: huge value at many decimals kept, not NaN", 5, 1e300, -10, 1e300},
  };
  for (const Case& c : cases) {
    double value = c.value;
    const double result = RoundValue(c.digit, value, c.position);
    EXPECT_NEAR(result, c.expected, 1e-9 * std::max(1.0, std::fabs(c.expected))) << c.name;
    EXPECT_EQ(value, result) << c.name << ": stored back";
  }
}

TEST(RoundingEpsilonTest, OnlyForFifteenthDigitNine) {
  EXPECT_EQ(RoundingEpsilon(1234.5), 0);
  EXPECT_EQ(RoundingEpsilon(0), 0);
  EXPECT_EQ(RoundingEpsilon(12345.6789012349), 1e-10);
  EXPECT_EQ(RoundingEpsilon(-12345.6789012349), -1e-10);
  EXPECT_EQ(RoundingEpsilon(12345.6789012341), 0);
}

struct FormatCase {
  const char* name;
  double value;
  const char16_t* pattern;
  const char16_t* expected;
};

TEST(FormatNumberCoreTest, FillsDigitPlaces) {
  const FormatCase cases[] = {
      {"groups with blanks in front", 1234567, u"###,###,###", u"  1,234,567"},
      {"minus takes a place", -1234, u"###,###", u" -1,234"},
      {"decimals cut not rounded", 1234.5678, u"#,###.##", u"1,234.56"},
      {"literal zero is no place", 1234567, u"#,##0", u"5,670"},
      {"zero with Z", 0, u"ZZZ", u"   "},
      {"zero with B", 0, u"ZZB", u"  -"},
      {"zero with P", 0, u"ZZP", u"  \xFF65"},
      {"unused comma blank", 12, u"#,###", u"   12"},
      {"minus on a comma place", -123, u",###", u"-123"},
      {"decimals of small value", 0.05, u"#.###", u"0.050"},
      {"decimal places beyond ten", 0.5, u"#.############", u"0.500000000000"},
      {"whole unit within 1e-9", 2.9999999999, u"###", u"  3"},
      {"beyond 32-bit integers", 12345678901.0, u"###,###,###,###", u" 12,345,678,901"},
      {"negative below one", -0.5, u"##.#", u"-0.5"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatNumberCore(c.value, c.pattern), CString(c.expected)) << c.name;
  }
}

TEST(FormatNumberTest, AppliesDisplayPatterns) {
  const FormatCase cases[] = {
      {"black triangle sign", -1234, u"▲###,###", u"▲1,234"},
      {"white triangle sign", -1234, u"△###,###", u"△1,234"},
      {"sign option positive", 1234, u"▲###,###", u"  1,234"},
      {"parentheses for negatives", -1234, u"(-)###,###", u"(1,234)"},
      {"parentheses always", 1234, u"(*)###,###", u"(1,234)"},
      {"parentheses before yen", -1234, u"(-)\\###,###", u"(\\1,234)"},
      {"yen draws the number", 1234, u"\\###,###", u"\\1,234"},
      {"text after last place", 1234, u"###,###円", u"  1,234円"},
      {"zero with Z is empty", 0, u"##Z", u""},
      {"lone Z", 7, u"Z", u"7"},
      {"zero padded", 5, u"0#3", u"005"},
      {"zero padded negative", -5, u"0#3", u"-005"},
      {"zero padded by digits", 42, u"05", u"00042"},
      {"zero padded cuts toward zero", -7.9, u"03", u"-07"},
      {"percentage", 0.256, u"%", u"25.6%"},
      {"percentage decimals", 0.256, u"%.1", u"25.6%"},
      {"percentage padded decimals", 0.5, u"%.2", u"50.00%"},
      {"percentage cut decimals", 0.12345, u"%.1", u"12.3%"},
      {"grouping with decimals", 1234.5, u",.2", u"1,234.50"},
      {"grouping prefix and minus", -1234567, u"\\,", u"\\-1,234,567"},
      {"decimals without grouping", 2.5, u".3", u"2.500"},
      {"decimals cut", 2.56789, u".2", u"2.56"},
      {"blank style b fills blanks", 2.5, u".b3", u"2.5  "},
      {"blank style b whole value", 2, u".b2", u"2   "},
      {"blank style B trailing zeros", 2.503, u".B2", u"2.5 "},
      {"blank style B whole value", 2, u".B2", u"2  "},
      {"prefix only", 12.5, u"No.", u"No12.5"},
      {"prefix text final", -3, u"合計", u"合計-3"},
      {"prefix text with sign", -3, u"▲合計", u"合計▲3"},
      {"empty pattern", 12.5, u"", u"12.5"},
      {"blank pattern", 12.5, u"   ", u"12.5"},
      {"yen alone", 12.5, u"\\", u"\\12.5"},
      {"thirty-one characters", 1, u"###############################", u""},
      {"huge padding stays bounded", 1, u"0#999999999", nullptr},
  };
  for (const FormatCase& c : cases) {
    const CString result = FormatNumber(c.value, c.pattern);
    if (c.expected) {
      EXPECT_EQ(result, CString(c.expected)) << c.name;
    } else {
      EXPECT_LE(result.GetLength(), 101) << c.name;
    }
  }
}

TEST(FormatNumberTest, IsReentrantAcrossThreads) {
  // No shared digit buffer: concurrent callers each get their own result.
  std::vector<std::thread> threads;
  std::atomic<int> wrong{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      for (int i = 0; i < 2000; ++i) {
        const double v = t * 1000 + i + 0.25;
        if (FormatDouble(v) != CString::Build(u"%d.25", t * 1000 + i)) ++wrong;
      }
    });
  }
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
