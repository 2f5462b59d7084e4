// The name of an input: its command group, its base name, and the length limit.
#include <gtest/gtest.h>

#include "app/tabro_client_dlg.h"
#include "platform/ui_hooks.h"

namespace {

struct NameCase {
  const char* name;
  const char16_t* path;
  const char16_t* command;
  const char16_t* baseName;
  int dollar;
};

const NameCase kNameCases[] = {
    {"hash group", u"/in/Sales(#TypeL;Sort1).csv", u"TypeL;Sort1", u"Sales", 0},
    {"group up to the last parenthesis", u"/in/Report(#TypeS=Label(2x5);Sort2).csv", u"TypeS=Label(2x5);Sort2",
     u"Report", 0},
    {"dollar group", u"/in/A($TypeL).csv", u"TypeL", u"A", 1},
    {"no group", u"/in/売上.tsv", u"", u"売上", 0},
    {"group opened but never closed keeps the command", u"/in/B(#TypeL.csv", u"", u"B(#TypeL", 0},
    {"closing before the group gives an empty command", u"/in/x)y(#.csv", u"", u"x)y(#", 0},
};

TEST(CheckFileName, SplitsTheCommandGroupFromTheBaseName) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.name);
    CTabroClientDlg dlg;
    EXPECT_EQ(dlg.CheckFileName(CString(c.path)), 1);
    EXPECT_EQ(dlg.m_Command, CString(c.command));
    EXPECT_EQ(dlg.m_BaseName, CString(c.baseName));
    EXPECT_EQ(dlg.m_NameGroupIsDollar, c.dollar);
    EXPECT_EQ(dlg.m_InputFolder, CString(u"/in"));
  }
}

TEST(CheckFileName, RefusesABaseNameOverTwoHundredCharacters) {
  RecordingUiHooks hooks;
  CTabroClientDlg dlg;
  const CString ok = CString(u"/in/") + CString(std::u16string(200, u'あ').c_str()) + u".csv";
  EXPECT_EQ(dlg.CheckFileName(ok), 1);
  EXPECT_TRUE(hooks.Messages().empty());
  const CString tooLong = CString(u"/in/") + CString(std::u16string(201, u'あ').c_str()) + u".csv";
  EXPECT_EQ(dlg.CheckFileName(tooLong), 0);
  ASSERT_EQ(hooks.Messages().size(), 1u);
  EXPECT_EQ(hooks.Messages()[0], CString(u"ファイル名は200文字以内にして下さい。"));
}

TEST(ResetInputState, ForgetsTheInputAndItsJoin) {
  CTabroClientDlg dlg;
  dlg.CheckFileName(CString(u"/in/Sales(#TypeL).csv"));
  theApp.m_DataGrid.SetAt(0, 0, u"x");
  theApp.m_JoinDef.AddCsvCnt = 1;
  theApp.m_JoinDef.AddCsvPath[0] = u"/in/Sub/a.csv";
  theApp.m_TitleRow = 0;
  dlg.ResetInputState();
  EXPECT_TRUE(dlg.m_Command.IsEmpty());
  EXPECT_TRUE(dlg.m_BaseName.IsEmpty());
  EXPECT_TRUE(theApp.m_DataGrid.GetAt(0, 0).IsEmpty());
  EXPECT_EQ(theApp.m_JoinDef.AddCsvCnt, 0);
  EXPECT_TRUE(theApp.m_JoinDef.AddCsvPath[0].IsEmpty());
  EXPECT_EQ(theApp.m_TitleRow, -1);
}

}  // namespace
