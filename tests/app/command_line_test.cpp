#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct ScanCase {
  const char* name;
  const char16_t* line;
  int pathCount;
  const char16_t* firstPath;
  int noReusePrompt;
};

// Each row: a command line as the program receives it and what it asks for.
const ScanCase kScanCases[] = {
    {"NoArguments", u"", 0, u"", 0},
    {"OnePlainPath", u"/data/a.csv", 1, u"/data/a.csv", 0},
    {"TwoPlainPaths", u"/data/a.csv /data/b.csv", 2, u"/data/a.csv", 0},
    {"TwoQuotedPaths", u"\"/data/a b.csv\" \"/data/c d.csv\"", 2, u"/data/a b.csv", 0},
    {"QuotedPathWithBlankIsWhole", u"\"/my data/a b.csv\"", 1, u"/my data/a b.csv", 0},
    {"UnquotedPathIsCutAtBlank", u"/my data/a b.csv", 1, u"/my", 0},
    {"QuotedPathNeverClosedIsDropped", u"\"/data/a.csv", 0, u"", 0},
    {"SlashInsideAWordIsNoPath", u"x/data/a.csv", 0, u"", 0},
    {"UpperCaseLpex", u"/data/a.csv CMD(LPEX)", 1, u"/data/a.csv", 1},
    {"LowerCaseFgx", u"cmd(fgx)", 0, u"", 1},
    {"LpexWithSecondCommand", u"CMD(LPEX;OTHER)", 0, u"", 1},
    {"SecondCommandIsFgx", u"CMD(OTHER;FGX)", 0, u"", 1},
    {"TrailingBlanksOfACommandAreCut", u"CMD(LPEX  )", 0, u"", 1},
    {"OnlyLpexNeverClosed", u"CMD(LPEX", 0, u"", 0},
    {"UnclosedListLosesOnlyItsLastCommand", u"CMD(FGX;OTHER", 0, u"", 1},
    {"FirstCharacterIsNeverASeparator", u"CMD()LPEX)", 0, u"", 0},
    {"OtherCommandsAreIgnored", u"CMD(LPEXX;FG)", 0, u"", 0},
    {"CommandListBeforePath", u"CMD(FGX) \"/d/a b.tsv\"", 1, u"/d/a b.tsv", 1},
    {"PathInsideCommandListIsACommand", u"CMD(/data/a.csv)", 0, u"", 0},
};

class ScanCommandLineTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanCommandLineTest, FindsPathsAndCommands) {
  const ScanCase& c = GetParam();
  const COMMANDLINEINFO info = ReadCommandLineItems(ScanCommandLine(CString(c.line)));
  EXPECT_EQ(info.pathCount, c.pathCount);
  EXPECT_EQ(info.path, CString(c.firstPath));
  EXPECT_EQ(info.noReusePrompt, c.noReusePrompt);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanCommandLineTest, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScanCommandLine, KeepsItemsInOrderWithTheirKinds) {
  const auto items = ScanCommandLine(CString(u"CMD(A; B ) /x/y.csv"));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].kind, CMDLINE_COMMAND);
  EXPECT_EQ(items[0].text, CString(u"A"));
  EXPECT_EQ(items[1].text, CString(u" B"));
  EXPECT_EQ(items[2].kind, CMDLINE_PATH);
  EXPECT_EQ(items[2].text, CString(u"/x/y.csv"));
}

TEST(ScanCommandLine, LongPathIsKeptWhole) {
  const CString path = CString(u"/") + CString(u'd', 600) + CString(u"/a.csv");
  const COMMANDLINEINFO info = ReadCommandLineItems(ScanCommandLine(path));
  EXPECT_EQ(info.path, path);
}

TEST(JoinCommandLine, QuotesArgumentsWithBlanksSoTheyScanWhole) {
  const CString line = JoinCommandLine({"/my data/a b.csv", "CMD(LPEX)"});
  EXPECT_EQ(line, CString(u"\"/my data/a b.csv\" CMD(LPEX)"));
  const COMMANDLINEINFO info = ReadCommandLineItems(ScanCommandLine(line));
  EXPECT_EQ(info.pathCount, 1);
  EXPECT_EQ(info.path, CString(u"/my data/a b.csv"));
  EXPECT_EQ(info.noReusePrompt, 1);
}

}  // namespace
