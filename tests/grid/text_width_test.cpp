#include "grid/text_width.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextWidthTest, TrimRightBlanks) {
  struct Case {
    const char16_t* text;
    const char16_t* trimmed;
  };
  const Case cases[] = {
      {u"ab \t\u3000", u"ab"},
      {u"a\tb", u"a\tb"},
      {u"\u3000", u""},
      {u"a b\r\n", u"a b"},
      {u"x\x0E", u"x\x0E"},  // U+000E is not a blank
      {u"", u""},
  };
  for (const Case& c : cases) {
    CString t(c.text);
    EXPECT_EQ(TrimRightBlanks(t), WideLength(c.trimmed)) << CString(c.text);
    EXPECT_EQ(t, CString(c.trimmed));
  }
}

TEST(TextWidthTest, DisplayWidth) {
  struct Case {
    const char16_t* text;
    int width;
  };
  const Case cases[] = {
      {u"ｱいA", 4}, {u"", 0}, {u"abc", 3}, {u"全角", 4}, {u"\U0001F600", 2}, {u"é", 2},
      {u"\t", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(GetDisplayWidth(c.text), c.width) << CString(c.text);
}

TEST(TextWidthTest, FillBlanks) {
  EXPECT_EQ(FillBlanks(3), CString(u"   "));
  EXPECT_EQ(FillBlanks(0), CString());
  EXPECT_EQ(FillBlanks(-2), CString());
}

TEST(TextWidthTest, CopyColumns) {
  struct Case {
    const char* name;
    const char16_t* source;
    int n;
    int mode;
    const char16_t* expected;
    int position;
  };
  const Case cases[] = {
      {"WideCharOnLastColumnDropped", u"あいう", 3, 1, u"あ ", 1},
      {"FilledToWidth", u"abc", 5, 1, u"abc  ", 3},
      {"EmptySourceGivesBlanks", u"", 2, 1, u"  ", 0},
      {"NoColumns", u"abc", 0, 1, u"", 0},
      {"SurrogatePairNotCut", u"\U0001F600x", 1, 1, u" ", 0},
      {"CharactersMode", u"abcdef", 4, 0, u"abcd", 4},
      {"CharactersBeyondLength", u"ab", 5, 0, u"ab", 2},
      {"NegativeCount", u"ab", -1, 0, u"", 0},
      {"OtherModeLeavesDest", u"abc", 2, 7, u"keep", 0},
  };
  for (const Case& c : cases) {
    CString dest(u"keep");
    EXPECT_EQ(CopyColumns(dest, c.source, c.n, c.mode), c.position) << c.name;
    EXPECT_EQ(dest, CString(c.expected)) << c.name;
    CString dest2(u"keep");
    CopyTextColumns(dest2, c.source, c.n, c.mode);
    EXPECT_EQ(dest2, dest) << c.name;
  }
}

TEST(TextWidthTest, AlignRightColumns) {
  struct Case {
    const char16_t* source;
    int n;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"12", 5, u"   12"},  {u"123456", 5, u"23456"}, {u"あいう", 3, u" う"},
      {u"あ", 1, u" "},      {u"12  ", 4, u"  12"},    {u"x", 0, u""},
      {u"", 3, u"   "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlignRightColumns(c.source, c.n), CString(c.expected)) << CString(c.source) << c.n;
  // Any length is accepted.
  CString wide(std::u16string(3000, u'9'));
  EXPECT_EQ(AlignRightColumns(wide, 10), CString(u"9999999999"));
}

TEST(TextWidthTest, AlignInColumns) {
  struct Case {
    const char16_t* source;
    int n;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"あいう", 3, u"う"}, {u"ab  ", 4, u"  ab"}, {u"abcdef", 3, u"def"},
      {u"aあ", 3, u"aあ"},   {u"x", -1, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlignInColumns(c.source, c.n), CString(c.expected)) << CString(c.source) << c.n;
}

TEST(TextWidthTest, MidColumns) {
  struct Case {
    const char16_t* source;
    int start;
    int limit;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"abcde", 1, 3, u"bcd"},  {u"あいう", 1, 3, u"い"}, {u"あいう", 1, 2, u""},
      {u"aあい", 1, 2, u"あ"},   {u"abc", 3, -1, u""},     {u"abc", 7, -1, u""},
      {u"abcde", 2, -1, u"cde"}, {u"あいう", 2, -1, u"いう"}, {u"", 0, -1, u""},
      {u"ab\U000E0000cd", 0, -1, u"ab"},  // the walk stops at an unassigned character
  };
  for (const Case& c : cases)
    EXPECT_EQ(MidColumns(c.source, c.start, c.limit), CString(c.expected))
        << CString(c.source) << " " << c.start << " " << c.limit;
}

TEST(TextWidthTest, InsertAtColumn) {
  struct Case {
    const char16_t* text;
    char16_t c;
    int column;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"123", u'0', 0, u"0123"}, {u"あい", u'x', 3, u"あxい"}, {u"ab", u'x', 5, u"ab"},
      {u"ab", u'x', 2, u"abx"},   {u"あい", u'x', 2, u"あxい"}, {u"", u'x', 0, u"x"},
  };
  for (const Case& c : cases) {
    CString t(c.text);
    InsertAtColumn(t, c.c, c.column);
    EXPECT_EQ(t, CString(c.expected)) << CString(c.text) << " " << c.column;
  }
}

TEST(TextWidthTest, WidthConversions) {
  struct Case {
    const char* name;
    const char16_t* source;
    const char16_t* full;
    const char16_t* half;
  };
  const Case cases[] = {
      {"Ascii", u"Ab1 !~", u"Ａｂ１\u3000！～", u"Ab1 !~"},
      {"HalfKanaComposes", u"ｶﾞｯｺｳ ﾊﾟﾝ", u"ガッコウ\u3000パン", u"ｶﾞｯｺｳ ﾊﾟﾝ"},
      {"HiraganaToHalfKatakana", u"がっこう", u"がっこう", u"ｶﾞｯｺｳ"},
      {"VoicedInARow", u"ガガ", u"ガガ", u"ｶﾞｶﾞ"},
      {"EveryFixRow", u"パピプペポガギグゲゴザジズゼゾダヂヅデドバビブベボ",
       u"パピプペポガギグゲゴザジズゼゾダヂヅデドバビブベボ",
       u"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"},
      {"KanaPunctuation", u"「テスト」、。ー", u"「テスト」、。ー", u"｢ﾃｽﾄ｣､｡ｰ"},
      {"FullWidthDigitsAndSigns", u"１２３￥", u"１２３￥", u"123¥"},
      {"KanjiStay", u"漢字", u"漢字", u"漢字"},
      {"VoicedWithoutFixRow", u"ヴヷヺ", u"ヴヷヺ", u"ｳﾞﾜﾞｦﾞ"},
      {"EveryVoicedHiragana", u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽゔ",
       u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽゔ",
       u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ"},
      {"KatakanaWithoutHalfFormStays", u"ヸヹヶ", u"ヸヹヶ", u"ヸヹヶ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToFullWidth(c.source), CString(c.full)) << c.name;
    CString t(c.source);
    EXPECT_EQ(ToHalfWidthKana(t), CString(c.half)) << c.name;
    EXPECT_EQ(t, CString(c.half)) << c.name;
  }
}

}  // namespace
