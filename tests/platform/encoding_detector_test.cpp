#include "platform/encoding_detector.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace {

std::string Encode(const char16_t* text, int codePage) {
  auto bytes = EncodeText(text, codePage, ConvMode::kStrict);
  EXPECT_TRUE(bytes.has_value());
  return bytes.value_or("");
}

struct TextCase {
  const char* name;
  const char16_t* text;
};

// Short Japanese texts: a header and a few lines, as small CSV files are.
const TextCase kTexts[] = {
    {"HeaderAndRowsCrLf", u"氏名,住所,電話\r\n山田,東京都港区,03-1234\r\n佐藤,大阪市,06-9876\r\n"},
    {"HeaderAndRowsLf", u"氏名,住所,電話\n山田,東京都港区,03-1234\n佐藤,大阪市,06-9876\n"},
    {"KanaOnly", u"コード,なまえ\r\nA1,テスト\r\n"},
    {"OneWord", u"あいうえお\n"},
    {"KanjiOnly", u"東京\n"},
    {"SecondLevelKanji", u"品番,摘要\n1,鼈甲\n"},
    {"MostlyAscii", u"id,name,price\r\n1,apple,100\r\n2,banana,200\r\n3,みかん,300\r\n"},
    {"FullWidthDigits", u"数量\r\n１２３\r\n"},
    {"HalfAndFullKana", u"ｶﾅ,カナ\r\nｱｲｳ,アイウ\r\n"},
    {"HalfWidthKanaOnly", u"ﾌﾘｶﾞﾅ,ｼﾒｲ\r\nﾔﾏﾀﾞ ﾀﾛｳ,ﾃｽﾄ\r\n"},
    {"KanjiAndDigits", u"長123,分\n"},
};

struct CodeCase {
  const char* name;
  int codePage;
};
const CodeCase kCodes[] = {{"Utf8", CP_UTF8}, {"Sjis", CP_SJIS}, {"EucJp", CP_EUCJP}};

class DetectShortText
    : public ::testing::TestWithParam<std::tuple<TextCase, CodeCase>> {};

TEST_P(DetectShortText, BestCandidateIsTheTrueCode) {
  const auto& [text, code] = GetParam();
  std::string bytes = Encode(text.text, code.codePage);
  auto candidates = DetectEncodingCandidates(bytes);
  ASSERT_FALSE(candidates.empty());
  EXPECT_EQ(candidates.front().codePage, code.codePage);
  EXPECT_EQ(DetectEncoding(bytes), code.codePage);  // the short road agrees
  for (size_t i = 1; i < candidates.size(); ++i)
    EXPECT_GE(candidates[i - 1].confidence, candidates[i].confidence);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DetectShortText,
    ::testing::Combine(::testing::ValuesIn(kTexts), ::testing::ValuesIn(kCodes)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

TEST(EncodingDetectorTest, AccentedLatinUtf8IsUtf8) {
  // Two-byte characters only, which Shift_JIS could read as half-width kana.
  EXPECT_EQ(DetectEncoding(Encode(u"name,city\nMüller,Genève\nCafé,Zürich\n", CP_UTF8)),
            CP_UTF8);
}

TEST(EncodingDetectorTest, AsciiGivesNoCandidates) {
  EXPECT_TRUE(DetectEncodingCandidates("a,b,c\r\n1,2,3\r\n").empty());
  EXPECT_TRUE(DetectEncodingCandidates("").empty());
  EXPECT_EQ(DetectEncoding("abc"), 0);
}

TEST(EncodingDetectorTest, SequenceCutByTheEndStillCounts) {
  std::string bytes = Encode(u"名前,値\r\n東京,1\r\n", CP_UTF8);
  bytes += "\xE3\x81";  // the first two bytes of a third character
  EXPECT_EQ(DetectEncoding(bytes), CP_UTF8);
}

// Regression: one damaged byte in a small UTF-8 file made it EUC-JP.
TEST(EncodingDetectorTest, OneStrayByteLeavesUtf8First) {
  std::string bytes = Encode(u"品名,数量\r\nりんご,1\r\n", CP_UTF8) + "\xFF" + Encode(u"みかん,2\r\n", CP_UTF8);
  EXPECT_EQ(DetectEncoding(bytes), CP_UTF8);
}

TEST(EncodingDetectorTest, BinaryNoiseIsNoJapaneseText) {
  std::string noise;
  for (int i = 0; i < 200; ++i) noise.push_back(static_cast<char>(0x80 + (i * 37) % 128));
  for (const EncodingCandidate& c : DetectEncodingCandidates(noise)) EXPECT_NE(c.codePage, CP_UTF8);
}

}  // namespace
