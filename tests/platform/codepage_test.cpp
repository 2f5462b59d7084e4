#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct RoundTripCase {
  const char* name;
  int codePage;
  std::u16string text;
  std::string bytes;
};

class CodePageRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CodePageRoundTrip, BothWaysStrict) {
  const RoundTripCase& c = GetParam();
  auto bytes = EncodeText(c.text, c.codePage, ConvMode::kStrict);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, c.bytes);
  auto text = DecodeBytes(c.bytes, c.codePage, ConvMode::kStrict);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, CString(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageRoundTrip,
    ::testing::Values(
        RoundTripCase{"SjisKanaKanji", CP_SJIS, u"あ漢ｱ", "\x82\xA0\x8A\xBF\xB1"},
        RoundTripCase{"SjisBackslashIsAscii", CP_SJIS, u"a\\b", "a\\b"},
        RoundTripCase{"SjisWaveDashAndVendorRows", CP_SJIS, u"～①髙", "\x81\x60\x87\x40\xFB\xFC"},
        RoundTripCase{"EucKanaKanji", CP_EUCJP, u"あ漢ｱ", "\xA4\xA2\xB4\xC1\x8E\xB1"},
        RoundTripCase{"EucWaveDashAndNecRowAsWindows", CP_EUCJP, u"～①", "\xA1\xC1\xAD\xA1"},
        RoundTripCase{"SjisControlCodesAsThemselves", CP_SJIS, u"\x1A\x1C\x7F", "\x1A\x1C\x7F"},
        RoundTripCase{"EucControlCodesAsThemselves", CP_EUCJP, u"a\x1A\x1C\x7F", "a\x1A\x1C\x7F"},
        RoundTripCase{"Utf8FourBytes", CP_UTF8, u"a\U0001F600", "a\xF0\x9F\x98\x80"},
        RoundTripCase{"Empty", CP_UTF8, u"", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
  const char* name;
  int codePage;
  std::string bytes;
  std::u16string lenient;
};

class CodePageInvalidInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(CodePageInvalidInput, StrictFailsLenientReplaces) {
  const BadCase& c = GetParam();
  EXPECT_FALSE(DecodeBytes(c.bytes, c.codePage, ConvMode::kStrict).has_value());
  auto text = DecodeBytes(c.bytes, c.codePage, ConvMode::kLenient);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, CString(c.lenient));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CodePageInvalidInput,
    ::testing::Values(BadCase{"Utf8StrayContinuation", CP_UTF8, "a\x80z", u"a\uFFFDz"},
                      BadCase{"Utf8Overlong", CP_UTF8, "\xC0\xAFz", u"\uFFFD\uFFFDz"},
                      BadCase{"Utf8Surrogate", CP_UTF8, "\xED\xA0\x80z", u"\uFFFD\uFFFD\uFFFDz"},
                      BadCase{"Utf8CutAtEnd", CP_UTF8, "a\xE3\x81", u"a\uFFFD"},
                      BadCase{"SjisBadTrail", CP_SJIS, "\x82\x20z", u"\uFFFD z"},
                      BadCase{"SjisLeadAtEnd", CP_SJIS, "a\x82", u"a\uFFFD"},
                      BadCase{"EucBadSecondByte", CP_EUCJP, "\xA4\x41z", u"\uFFFDAz"},
                      BadCase{"EucSs3NotSupported", CP_EUCJP, "\x8F\xB0\xA1z", u"\uFFFDz"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodePageTest, ReadUtf8CharByTheWellFormedTable) {
  struct Case {
    const char* name;
    std::string bytes;
    Utf8Step::Kind kind;
    int length;
    char32_t codePoint;
  };
  const Case cases[] = {
      {"Ascii", "a", Utf8Step::kChar, 1, U'a'},
      {"TwoBytes", "\xC3\xA9x", Utf8Step::kChar, 2, U'\u00E9'},
      {"ThreeBytes", "\xE6\xBC\xA2", Utf8Step::kChar, 3, U'\u6F22'},
      {"FourBytes", "\xF0\x9F\x98\x80", Utf8Step::kChar, 4, U'\U0001F600'},
      {"LowestOfE0", "\xE0\xA0\x80", Utf8Step::kChar, 3, U'\u0800'},
      {"HighestOfF4", "\xF4\x8F\xBF\xBF", Utf8Step::kChar, 4, char32_t{0x10FFFF}},
      {"StrayContinuation", "\x80", Utf8Step::kInvalid, 1, 0},
      {"OverlongLead", "\xC1\xBF", Utf8Step::kInvalid, 1, 0},
      {"LeadAboveF4", "\xF5\x80\x80\x80", Utf8Step::kInvalid, 1, 0},
      {"OverlongThreeBytes", "\xE0\x9F\x80", Utf8Step::kInvalid, 1, 0},
      {"Surrogate", "\xED\xA0\x80", Utf8Step::kInvalid, 1, 0},
      {"BeyondUnicode", "\xF4\x90\x80\x80", Utf8Step::kInvalid, 1, 0},
      {"WrongThirdByte", "\xE6\xBC\x41", Utf8Step::kInvalid, 2, 0},
      {"CutByTheEnd", "\xE6\xBC", Utf8Step::kCut, 2, 0},
  };
  for (const Case& c : cases) {
    const Utf8Step step = ReadUtf8Char(c.bytes);
    EXPECT_EQ(step.kind, c.kind) << c.name;
    EXPECT_EQ(step.length, c.length) << c.name;
    if (c.kind == Utf8Step::kChar) {
      EXPECT_EQ(step.codePoint, c.codePoint) << c.name;
    }
  }
}

TEST(CodePageTest, UnmappableCharactersStrictFailLenientQuestionMark) {
  EXPECT_FALSE(EncodeText(u"a\U0001F600", CP_SJIS, ConvMode::kStrict).has_value());
  EXPECT_EQ(TextToBytes(u"a\U0001F600b", CP_SJIS), "a?b");
  // Lenient writing uses the best-fit forms the platform writes: yen sign, dashes.
  EXPECT_FALSE(EncodeText(u"¥", CP_SJIS, ConvMode::kStrict).has_value());
  EXPECT_EQ(TextToBytes(u"¥100〜", CP_SJIS), "\\100\x81\x60");
  EXPECT_FALSE(EncodeText(u"髙", CP_EUCJP, ConvMode::kStrict).has_value());  // vendor row
  EXPECT_EQ(TextToBytes(u"x髙", CP_EUCJP), "x?");
  EXPECT_FALSE(EncodeText(std::u16string(1, u'\xD800'), CP_UTF8, ConvMode::kStrict).has_value());
}

// Invisible characters the code pages lack are unmappable like any other: none
// of them may vanish on the way out.
TEST(CodePageTest, InvisibleCharactersDoNotVanish) {
  const char16_t kInvisible[] = {u'\uFEFF', u'\u200B', u'\u2060', u'\u00AD', u'\uFE0F'};
  for (const int codePage : {CP_SJIS, CP_EUCJP}) {
    for (const char16_t c : kInvisible) {
      const std::u16string text = std::u16string(u"a") + c + u"b";
      SCOPED_TRACE(testing::Message() << codePage << " U+" << std::hex << static_cast<int>(c));
      EXPECT_FALSE(EncodeText(text, codePage, ConvMode::kStrict).has_value());
      EXPECT_EQ(TextToBytes(text, codePage), "a?b");
    }
  }
}

// The buffer decoder reads every code as BytesToText does: every Shift_JIS byte
// and pair (the table path), invalid and cut sequences (the converter's path),
// UTF-8 and EUC-JP.
TEST(CodePageTest, DecodeIntoReadsAsBytesToText) {
  std::u16string out = u"stale";
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; b += (a >= 0x80 ? 1 : 64)) {
      const std::string bytes = {static_cast<char>(a), static_cast<char>(b), 'x'};
      ASSERT_TRUE(DecodeInto(bytes, CP_SJIS, out));
      ASSERT_EQ(out, BytesToText(bytes, CP_SJIS).View()) << std::hex << a << " " << b;
    }
  }
  const std::string texts[] = {"", "\x82\xa0", "abc\x82", "\xe3\x81\x82\xff\xe3", "\xa4\xa2\x8e\xb1"};
  for (const std::string& t : texts) {
    for (const int codePage : {CP_SJIS, CP_UTF8, CP_EUCJP}) {
      ASSERT_TRUE(DecodeInto(t, codePage, out));
      EXPECT_EQ(out, BytesToText(t, codePage).View()) << codePage;
    }
  }
  EXPECT_FALSE(DecodeInto("abc", 1252, out));
  EXPECT_TRUE(out.empty());
}

// The buffer decoder counts each invalid sequence it replaces, on every road: the
// Shift_JIS table (which settles valid text only) and converter, UTF-8, EUC-JP. A
// clean text after a faulty one counts nothing.
TEST(CodePageTest, DecodeIntoCountsTheSequencesItReplaces) {
  struct Case {
    const char* name;
    int codePage;
    std::string bytes;
    size_t errors;
  };
  const Case cases[] = {
      {"clean Shift_JIS", CP_SJIS, "\x82\xa0" "abc", 0},
      {"Shift_JIS lead byte before a space", CP_SJIS, "x\x81\x20y", 1},
      {"Shift_JIS two broken pairs", CP_SJIS, "\x81\x20\x82\x20", 2},
      {"clean Shift_JIS after faulty", CP_SJIS, "\x82\xa0", 0},
      {"clean UTF-8", CP_UTF8, "\xe3\x81\x82", 0},
      {"UTF-8 two stray bytes", CP_UTF8, "a\xff" "b\xc0", 2},
      {"UTF-8 character cut at the end", CP_UTF8, "a\xe3\x81", 1},
      {"clean EUC-JP", CP_EUCJP, "\xa4\xa2\x8e\xb1", 0},
      {"EUC-JP JIS X 0212 and a bad lead", CP_EUCJP, "\x8f\xb0\xa1" "a\xff", 2},
  };
  std::u16string out;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<size_t> errors = DecodeInto(c.bytes, c.codePage, out);
    ASSERT_TRUE(errors.has_value());
    EXPECT_EQ(*errors, c.errors);
    EXPECT_EQ(out, BytesToText(c.bytes, c.codePage).View());
  }
  EXPECT_EQ(DecodeInto("abc", 1252, out), std::nullopt);
}

TEST(CodePageTest, UnknownCodePageAlwaysFails) {
  EXPECT_FALSE(IsKnownCodePage(1252));
  EXPECT_FALSE(DecodeBytes("abc", 1252, ConvMode::kLenient).has_value());
  EXPECT_FALSE(EncodeText(u"abc", 1252, ConvMode::kLenient).has_value());
  EXPECT_EQ(BytesToText("abc", 1252), CString());
}

TEST(CodePageTest, JisShiftJisMapping) {
  struct Case {
    int jis, sjis;
  };
  const Case cases[] = {{0x2121, 0x8140}, {0x2422, 0x82A0}, {0x2160, 0x8180}, {0x3441, 0x8ABF},
                        {0x7E7E, 0xEFFC}, {0x5D21, 0x9F40}, {0x5F21, 0xE040}, {0x6021, 0xE09F}};
  for (const Case& c : cases) {
    EXPECT_EQ(JisToShiftJis(c.jis), c.sjis) << std::hex << c.jis;
    EXPECT_EQ(ShiftJisToJis(c.sjis), c.jis) << std::hex << c.sjis;
  }
  EXPECT_EQ(JisToShiftJis(0x0121), 0);
  EXPECT_EQ(JisToShiftJis(0x217F), 0);
  EXPECT_EQ(ShiftJisToJis(0xF040), 0);  // user-defined area
  EXPECT_EQ(ShiftJisToJis(0x817F), 0);
}

}  // namespace

namespace {

std::string Repeat(const std::string& bytes, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += bytes;
  return out;
}

// Every UTF-8 conversion of the program is the same one: CString's, the file
// stream's and the web client's give the same bytes and the same text.
TEST(CodePageTest, EveryUtf8ConversionAgrees) {
  struct Case {
    const char* name;
    std::u16string text;
    std::string bytes;
  };
  const Case encodes[] = {
      {"LoneHighSurrogate", u"a\xD800z", "a\xEF\xBF\xBDz"},
      {"LoneLowSurrogate", u"\xDC00", "\xEF\xBF\xBD"},
      {"ReversedPair", u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"Pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"TwoAndThreeBytes", u"\u00E9\u3042", "\xC3\xA9\xE3\x81\x82"},
      // Texts of up to 64 units are written through a buffer, longer ones in place.
      {"SixtyFourThreeByteUnits", std::u16string(64, u'\u3042'), Repeat("\xE3\x81\x82", 64)},
      {"SixtyFiveThreeByteUnits", std::u16string(65, u'\u3042'), Repeat("\xE3\x81\x82", 65)},
      {"PairAcrossTheBufferEnd", std::u16string(63, u'a') + u"\U0001F600",
       std::string(63, 'a') + "\xF0\x9F\x98\x80"},
  };
  for (const Case& c : encodes) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16ToUtf8(c.text), c.bytes);
    std::string appended = "x";
    AppendUtf8(appended, c.text);
    EXPECT_EQ(appended, "x" + c.bytes);
    EXPECT_EQ(CString(c.text).ToUtf8(), c.bytes);
    EXPECT_EQ(EncodeText(c.text, CP_UTF8, ConvMode::kLenient), c.bytes);
    EXPECT_EQ(EncodeText(c.text, CP_UTF8, ConvMode::kStrict).has_value(), c.bytes.find("\xEF\xBF\xBD") == std::string::npos);
  }
  // One U+FFFD per maximal ill-formed subsequence.
  const Case decodes[] = {
      {"OverlongE0", u"\uFFFD\uFFFD\uFFFD", "\xE0\x80\x80"},
      {"CutThreeByteSequence", u"\uFFFDz", "\xE6\xBCz"},
      {"EncodedSurrogate", u"\uFFFD\uFFFD\uFFFD", "\xED\xA0\x80"},
      {"BeyondUnicode", u"\uFFFD\uFFFD\uFFFD\uFFFD", "\xF4\x90\x80\x80"},
  };
  for (const Case& c : decodes) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToUtf16(c.bytes), c.text);
    EXPECT_EQ(CString::FromUtf8(c.bytes), CString(c.text));
    EXPECT_EQ(BytesToText(c.bytes, CP_UTF8), CString(c.text));
  }
}

}  // namespace
