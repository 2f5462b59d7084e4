// Reserved-character escaping, the column-list codecs and the name-list splitter.

#include <gtest/gtest.h>

#include <algorithm>

#include "jobsheet/command/reserved_chars.h"

namespace {

TEST(ReservedChars, EachReservedCharacterMovesToPrivateUse) {
  const CString plain = u":/*?<>|\\\"()[];,";
  const CString escaped =
      u"\uF83A\uF82F\uF82A\uF83F\uF83C\uF83E\uF87C\uF85C\uF822\uF828\uF829\uF85B\uF85D\uF83B\uF82C";
  EXPECT_EQ(EscapeReservedChars(plain), escaped);
  EXPECT_EQ(UnescapeReservedChars(escaped), plain);
}

struct EscapeCase {
  const char* name;
  const char16_t* text;
  const char16_t* escaped;
};

const EscapeCase kEscapeCases[] = {
    {"separators inside a value", u"a;b,c", u"a\uF83Bb\uF82Cc"},
    {"tilde, equals, blanks and Japanese stay", u"~= 　日本語ｶﾅ", u"~= 　日本語ｶﾅ"},
    {"empty text", u"", u""},
};

TEST(ReservedChars, EscapeTable) {
  for (const EscapeCase& c : kEscapeCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EscapeReservedChars(c.text), CString(c.escaped));
    EXPECT_EQ(UnescapeReservedChars(c.escaped), CString(c.text));
  }
}

// Other private-use characters, and neighbours of the escaped forms, are no escapes.
TEST(ReservedChars, UnescapeTouchesOnlyTheFifteenForms) {
  const CString text = u"\uF800\uF821\uF823\uF841\uF87B\uF87D\uE000\uF8FF";
  EXPECT_EQ(UnescapeReservedChars(text), text);
}

struct ListCase {
  const char* name;
  const char16_t* input;
  const char16_t* output;
};

const ListCase kCompressCases[] = {
    {"empty list", u"", u""},
    {"blank list", u"   ", u""},
    {"single number", u"5", u"5"},
    {"run of two stays", u"1,2", u"1,2"},
    {"run of three", u"1,2,3,5", u"1~3,5"},
    {"two then a gap", u"1,2,5", u"1,2,5"},
    {"descending is no run", u"3,2,1", u"3,2,1"},
    {"repeat breaks a run", u"1,1,2", u"1,1,2"},
    {"two runs", u"4,5,6,7,9,10,11", u"4~7,9~11"},
    {"no number reads as 0 in its place", u"1,x,3", u"1,0,3"},
    {"empty fields read as 0", u",,", u"0,0,0"},
    {"every number keeps its place", u",0,300,3,4,5,257", u"0,0,300,3~5,257"},
    {"numbers beyond the grid form a run", u"300,301,302", u"300~302"},
};

TEST(ColumnList, CompressTable) {
  for (const ListCase& c : kCompressCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompressColumnList(c.input), CString(c.output));
  }
}

// A column list never holds more than the grid's 256 columns.
TEST(ColumnList, CompressReadsAtMost256Numbers) {
  CString list;  // 1,3,...,255 twice, then 1,3,... again
  for (int i = 0; i < 300; ++i) list += CString::Build(u"%s%d", i > 0 ? u"," : u"", (i % 128) * 2 + 1);
  const CString out = CompressColumnList(list);
  EXPECT_EQ(std::count(out.View().begin(), out.View().end(), u','), 255) << out;
  EXPECT_TRUE(out.View().ends_with(u",253,255")) << out;
}

const ListCase kExpandCases[] = {
    {"range and number", u"1~3,5", u"1,2,3,5"},
    {"single number", u"7", u"7"},
    {"range of one", u"2~2", u"2"},
    {"range of three", u"10~12", u"10,11,12"},
    {"empty range keeps its place", u"1,5~3", u"1,"},
    {"empty range first", u"5~3,1", u",1"},
    {"range through 0", u"-2~2", u"-2,-1,0,1,2"},
    {"range beyond the grid", u"300~302,1", u"300,301,302,1"},
    {"numbers are copied", u"0,257,3", u"0,257,3"},
    {"no number is copied", u"a,2", u"a,2"},
    {"empty list", u"", u""},
};

TEST(ColumnList, ExpandTable) {
  for (const ListCase& c : kExpandCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExpandColumnList(c.input), CString(c.output));
  }
}

// A list is shorter than 100,000 characters: a range reaching far ends it there,
// at a whole entry, and costs no more.
TEST(ColumnList, ExpandEndsAHugeRangeAtTheListLimit) {
  const CString out = ExpandColumnList(u"254~2000000000,7");
  EXPECT_LT(out.GetLength(), 100000);
  EXPECT_GT(out.GetLength(), 99990);  // only the entry that did not fit is left off
  EXPECT_TRUE(out.View().starts_with(u"254,255,256,257,")) << out.Left(40);
  EXPECT_FALSE(out.View().ends_with(u","));
}

struct SplitCase {
  const char* name;
  const char16_t* text;
  std::vector<const char16_t*> items;
};

const char16_t kSixty[] = u"123456789012345678901234567890123456789012345678901234567890";
const char16_t kFifty[] = u"12345678901234567890123456789012345678901234567890";

const std::vector<SplitCase> kSplitCases = {
    {"no comma is one whole item", kSixty, {kSixty}},
    {"empty text is one empty item", u"", {u""}},
    {"long item of a list is cut", u"123456789012345678901234567890123456789012345678901234567890,x", {kFifty, u"x"}},
    {"tildes past the cut are kept",
     u"12345678901234567890123456789012345678901234567890ab~c~,y", {u"12345678901234567890123456789012345678901234567890~~", u"y"}},
    {"empty items count", u"a,,b", {u"a", u"", u"b"}},
    {"trailing comma", u"a,", {u"a", u""}},
    {"items after the 20th are dropped", u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22",
     {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13", u"14", u"15", u"16", u"17",
      u"18", u"19", u"20"}},
};

TEST(CommaList, SplitTable) {
  for (const SplitCase& c : kSplitCases) {
    SCOPED_TRACE(c.name);
    std::vector<CString> items{u"stale"};
    const int count = SplitCommaList50(c.text, items);
    ASSERT_EQ(count, static_cast<int>(c.items.size()));
    ASSERT_EQ(items.size(), c.items.size());
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i], CString(c.items[i])) << "item " << i;
  }
}

}  // namespace
