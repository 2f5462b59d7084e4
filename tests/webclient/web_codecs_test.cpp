#include "webclient/web_codecs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeCase {
  const char* name;
  const char16_t* text;
  const char16_t* decoded;
};

class PercentDecodeCases : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PercentDecodeCases, Decodes) {
  EXPECT_EQ(PercentDecode(GetParam().text), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentDecodeCases,
    ::testing::Values(
        DecodeCase{"Utf8Bytes", u"%E3%81%82", u"あ"},
        DecodeCase{"ShiftJisFallback", u"%82%A0", u"あ"},
        DecodeCase{"LowerCaseDigits", u"%e3%81%82x", u"あx"},
        DecodeCase{"PlainTextUnchanged", u"12/100", u"12/100"},
        DecodeCase{"PrintCountForm", u"%31%32/%31%30%30", u"12/100"},
        DecodeCase{"WideModeMakesLatin1", u"漢%41%E3", u"漢A\u00E3"},
        DecodeCase{"StopsAtFirstZero", u"%00abc", u""},
        DecodeCase{"StopsAtZeroInWideMode", u"漢%00abc", u"漢"},
        DecodeCase{"NeitherUtf8NorShiftJis", u"%FF%FF", u""},
        DecodeCase{"PercentAtEndStaysLiteral", u"ab%", u"ab%"},
        DecodeCase{"PercentWithOneCharLeftStaysLiteral", u"ab%4", u"ab%4"},
        DecodeCase{"PercentWithNonHexStaysLiteral", u"%zz%41", u"%zzA"},
        DecodeCase{"PercentOfPercent", u"%%41", u"%A"},
        DecodeCase{"Empty", u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PercentEncodeBytes, EncodesEverythingButLettersAndDigits) {
  const std::string bytes = std::string("a b-c") + ".~_+\xE3\x81\x82" + std::string(1, '\0') + "Z9";
  EXPECT_EQ(PercentEncodeBytes(bytes.data(), 5), u"a%20b%2Dc");
  EXPECT_EQ(PercentEncodeBytes(bytes.data(), bytes.size()), u"a%20b%2Dc%2E%7E%5F%2B%E3%81%82%00Z9");
}

struct DetectCase {
  const char* name;
  std::string bytes;
  int code;
};

class DetectTextEncodingCases : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectTextEncodingCases, Detects) {
  const std::string& b = GetParam().bytes;
  EXPECT_EQ(DetectTextEncoding(b.data(), b.size()), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectTextEncodingCases,
    ::testing::Values(DetectCase{"Empty", "", TEXTENC_UNKNOWN},
                      DetectCase{"Ascii", "a,b\r\n", TEXTENC_UTF8},
                      DetectCase{"Utf8", "\xE5\x93\x81", TEXTENC_UTF8},
                      DetectCase{"BomAloneByStrictTest", "\xEF\xBB\xBF", TEXTENC_UTF8},
                      DetectCase{"BomAndText", "\xEF\xBB\xBF" "a", TEXTENC_UTF8},
                      DetectCase{"Utf16Bom", std::string("\xFF\xFE" "a\0", 4), TEXTENC_UTF16LE},
                      DetectCase{"TwoByteUtf16BomIsNot", "\xFF\xFE", TEXTENC_UNKNOWN},
                      DetectCase{"ShiftJis", "\x95\x69\x96\xBC", TEXTENC_ANSI},
                      DetectCase{"Neither", "\xFF\xFF\xFF", TEXTENC_UNKNOWN}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppendAsUtf8, ConvertsBySniffedEncodingAndKeepsBoms) {
  struct Row {
    std::string in;
    bool ok;
    std::string out;
  };
  const Row rows[] = {
      {"\x95\x69\x96\xBC", true, "pre\xE5\x93\x81\xE5\x90\x8D"},          // Shift_JIS 品名
      {std::string("\xFF\xFE\x41\x00", 4), true, "pre\xEF\xBB\xBF" "A"},  // UTF-16 BOM becomes UTF-8 BOM
      {"\xEF\xBB\xBF" "ab", true, "pre\xEF\xBB\xBF" "ab"},
      {"\xFF\xFF\xFF", false, "pre"},
      {"", false, "pre"},
  };
  for (const Row& r : rows) {
    std::string out = "pre";
    EXPECT_EQ(AppendAsUtf8(r.in.data(), r.in.size(), out), r.ok) << r.out;
    EXPECT_EQ(out, r.out);
  }
}

TEST(WideToUtf8, AppendsNothingForEmptyText) {
  std::string out = "x";
  EXPECT_FALSE(WideToUtf8(u"", out));
  EXPECT_EQ(out, "x");
  EXPECT_TRUE(WideToUtf8(u"品", out));
  EXPECT_EQ(out, "x\xE5\x93\x81");
}

TEST(Utf8ToAnsiAlloc, ConvertsOrGivesNothing) {
  const std::string utf8 = "{\"t\":\"\xE5\x93\x81\"}";
  EXPECT_EQ(Utf8ToAnsiAlloc(utf8.data(), utf8.size()), std::optional<std::string>("{\"t\":\"\x95\x69\"}"));
  EXPECT_EQ(Utf8ToAnsiAlloc("", 0), std::nullopt);
  // A character Shift_JIS lacks becomes its default character.
  const std::string emoji = "\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8ToAnsiAlloc(emoji.data(), emoji.size()), std::optional<std::string>("?"));
}

TEST(WideToAnsi, AddsTheTerminatorAndOneMoreZero) {
  std::string out;
  EXPECT_TRUE(WideToAnsi(u"a=品", out));
  EXPECT_EQ(out, std::string("a=\x95\x69\0\0", 6));
}

TEST(Base64Encode, UsesTheStandardAlphabetAndPadding) {
  struct Row {
    std::string in;
    const char16_t* out;
  };
  const Row rows[] = {{"", u""},
                      {"f", u"Zg=="},
                      {"fo", u"Zm8="},
                      {"foo", u"Zm9v"},
                      {"user:pass", u"dXNlcjpwYXNz"},
                      {"\xFB\xFF\xBF", u"+/+/"}};
  for (const Row& r : rows) {
    CString out = u"old";
    EXPECT_EQ(Base64Encode(r.in.data(), r.in.size(), out), 1);
    EXPECT_EQ(out, r.out) << r.in;
  }
}

}  // namespace
