#include "grid/csv_split.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct SplitCase {
  const char* name;
  std::u16string line;
  bool tsv;
  std::vector<std::u16string> fields;
};

class SplitCsvLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCsvLineTest, Fields) {
  const SplitCase& c = GetParam();
  CString line(c.line);
  std::vector<CString> fields;
  CsvSplitOverflow overflow;
  int n = SplitCsvLine(fields, line, c.tsv, &overflow);
  ASSERT_EQ(n, static_cast<int>(c.fields.size()));
  ASSERT_EQ(fields.size(), c.fields.size());
  for (size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(fields[i], CString(c.fields[i])) << i;
  EXPECT_FALSE(overflow.tooManyFields);
  EXPECT_FALSE(overflow.fieldTooLong);
  // A reader of many lines splits the text as read, its fields made in an arena.
  CStringArena arena;
  std::vector<CString> made;
  ASSERT_EQ(SplitCsvLine(made, std::u16string_view(c.line), c.tsv, &overflow, &arena), n);
  EXPECT_EQ(made, fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCsvLineTest,
    ::testing::Values(
        SplitCase{"QuotedFieldHoldsSeparator", u"a,\"b,c\",d", false, {u"a", u"b,c", u"d"}},
        SplitCase{"DoubledQuotesStayDoubled", u"\"x\"\"y\",z", false, {u"x\"\"y", u"z"}},
        SplitCase{"TrailingBlanksOfFieldsCut", u"a, ,b   \r\n", false, {u"a", u"", u"b"}},
        SplitCase{"IdeographicSpaceCut", u"あ\u3000,い", false, {u"あ", u"い"}},
        SplitCase{"LeadingBlanksStayAndUnquote", u"a, \"b,c\"", false, {u"a", u" \"b", u"c\""}},
        SplitCase{"TsvQuotedTab", u"a\t\"b\tc\"", true, {u"a", u"b\tc"}},
        SplitCase{"SameTextAsCsvIsOneField", u"a\t\"b\tc\"", false, {u"a\t\"b\tc\""}},
        SplitCase{"LastQuotedFieldTurnsEscapes", u"a,\"x\\ny\"", false, {u"a", u"x\ny"}},
        SplitCase{"MiddleQuotedFieldKeepsEscapes", u"\"x\\ny\",b", false, {u"x\\ny", u"b"}},
        SplitCase{"TsvLastFieldTurnsTabEscape", u"a\t\"x\\ty\"", true, {u"a", u"x\ty"}},
        SplitCase{"CsvLastFieldKeepsTabEscape", u"\"x\\ty\"", false, {u"x\\ty"}},
        SplitCase{"EmptyQuotedField", u"\"\",b", false, {u"", u"b"}},
        SplitCase{"TrailingSeparatorGivesEmptyLast", u"a,b,", false, {u"a", u"b", u""}},
        SplitCase{"QuoteInsideFieldIsText", u"a\"b,c", false, {u"a\"b", u"c"}},
        SplitCase{"UnclosedQuoteRunsToEnd", u"\"a,b", false, {u"\"a,b"}},
        SplitCase{"LoneQuoteStays", u"a,\"", false, {u"a", u"\""}},
        SplitCase{"BlankLineHasNoFields", u"  \r\n", false, {}},
        SplitCase{"EmptyLine", u"", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SplitCsvLineTest, TrimsTheCallersLine) {
  CString line(u"a, ,b   \r\n");
  std::vector<CString> fields;
  SplitCsvLine(fields, line, false);
  EXPECT_EQ(line, CString(u"a, ,b"));
}

TEST(SplitCsvLineTest, MoreThanThousandFieldsAreReported) {
  CString line(std::u16string(1200, u','));
  std::vector<CString> fields;
  CsvSplitOverflow overflow;
  EXPECT_EQ(SplitCsvLine(fields, line, false, &overflow), 1000);
  EXPECT_EQ(fields.size(), 1000u);
  EXPECT_TRUE(overflow.tooManyFields);

  // Exactly 1000 fields is no overflow.
  CString exact(std::u16string(999, u','));
  EXPECT_EQ(SplitCsvLine(fields, exact, false, &overflow), 1000);
  EXPECT_FALSE(overflow.tooManyFields);
}

TEST(SplitCsvLineTest, LongFieldKeepsItsFirstTenThousandAndIsReported) {
  CString line(u"a," + std::u16string(12000, u'x') + u",b");
  std::vector<CString> fields;
  CsvSplitOverflow overflow;
  ASSERT_EQ(SplitCsvLine(fields, line, false, &overflow), 3);
  EXPECT_EQ(fields[1].GetLength(), 10000);
  EXPECT_EQ(fields[2], CString(u"b"));
  EXPECT_TRUE(overflow.fieldTooLong);
  EXPECT_FALSE(overflow.tooManyFields);
}

struct PathCase {
  const char* name;
  std::u16string path;
  int result;
  std::u16string folder;
  std::u16string file;
};

class SplitPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(SplitPathTest, FolderAndName) {
  const PathCase& c = GetParam();
  CString folder(u"old"), name(u"old");
  EXPECT_EQ(SplitPath(folder, name, CString(c.path)), c.result);
  EXPECT_EQ(folder, CString(c.folder));
  EXPECT_EQ(name, CString(c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitPathTest,
    ::testing::Values(
        PathCase{"DrivePath", u"C:\\data\\in\\list.csv", 0, u"C:\\data\\in", u"list.csv"},
        PathCase{"DriveRoot", u"C:\\list.csv", 0, u"C:", u"list.csv"},
        PathCase{"BareName", u"list.csv", 0, u"", u"list.csv"},
        PathCase{"Url", u"https://example.test/docs/a.pdf", 1, u"https://example.test/docs",
                 u"a.pdf"},
        PathCase{"AbsolutePath", u"/home/u/in/list.csv", 1, u"/home/u/in", u"list.csv"},
        PathCase{"RootFile", u"/list.csv", 1, u"", u"list.csv"},
        PathCase{"LongPathAccepted", u"/" + std::u16string(2100, u'a'), 1, u"",
                 std::u16string(2100, u'a')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExpandLeadingEnvVarTest, ExpandsOnlyALeadingSetName) {
  ::setenv("TABRO_TEST_DIR", "/srv/watch", 1);
  ::unsetenv("TABRO_TEST_UNSET");
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"%TABRO_TEST_DIR%/in", u"/srv/watch/in"},
      {u"%TABRO_TEST_DIR%", u"/srv/watch"},
      {u"%TABRO_TEST_UNSET%/in", u"%TABRO_TEST_UNSET%/in"},
      {u"x%TABRO_TEST_DIR%", u"x%TABRO_TEST_DIR%"},
      {u"%TABRO_TEST_DIR", u"%TABRO_TEST_DIR"},
      {u"%%rest", u"%%rest"},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandLeadingEnvVar(c.text), CString(c.expected)) << CString(c.text);
  ::unsetenv("TABRO_TEST_DIR");
}

TEST(ExpandLeadingEnvVarTest, UserProfileFallsBackToHome) {
  const char* saved = std::getenv("USERPROFILE");
  std::string keep = saved ? saved : "";
  ::unsetenv("USERPROFILE");
  ::setenv("HOME", ::getenv("HOME") ? ::getenv("HOME") : "/home/test", 1);
  CString home = CString::FromUtf8(std::getenv("HOME"));
  EXPECT_EQ(ExpandLeadingEnvVar(u"%USERPROFILE%/Desktop"), home + u"/Desktop");
  if (saved) ::setenv("USERPROFILE", keep.c_str(), 1);
}

}  // namespace
