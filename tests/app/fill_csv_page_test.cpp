// CTabroClientDlg::FillCsvPage on the application's grids: the record's column
// order and codes on a freshly loaded file, and clipboard input.
#include <gtest/gtest.h>

#include "app/csv_page_grids.h"
#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/command/command_parser.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {

class FillCsvPage : public ::testing::Test {
 protected:
  void SetUp() override {
    const char16_t* cells[3][4] = {{u"品名", u"数量", u"金額", u"備考"},
                                   {u"りんご", u"3", u"300", u""},
                                   {u"みかん", u"5", u"250", u"特売"}};
    theApp.m_DataGrid.Clear();
    theApp.m_EditGrid.Clear();
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) theApp.m_DataGrid.SetAt(r, c, cells[r][c]);
    theApp.m_DataRows = theApp.m_EditRows = 3;
    theApp.m_DataCols = theApp.m_EditCols = 4;
    theApp.m_SendRows = theApp.m_SendCols = 0;
    theApp.m_TitleRow = 0;
    theApp.m_EditModeEntered = 0;
    theApp.m_InputKind = INPUT_DROPPED;
    theApp.m_JoinDef.AddCsvCnt = 0;
  }
  void TearDown() override {
    theApp.m_DataGrid.Clear();
    theApp.m_EditGrid.Clear();
    theApp.m_DataRows = theApp.m_EditRows = theApp.m_DataCols = theApp.m_EditCols = 0;
    theApp.m_SendRows = theApp.m_SendCols = 0;
    theApp.m_InputKind = INPUT_NONE;
  }
  CTabroClientDlg dlg;
  CCsvPropPage page;
};

TEST_F(FillCsvPage, TheRecordsOrderCodesAndGroupLandOnTheirColumns) {
  ParseCommandText(dlg.m_JobSetting, u"Select=3,1;Sum=金額;Grp=品名");
  ASSERT_EQ(dlg.FillCsvPage(u"/data/売上.csv", &page, RUN_NEW_INPUT), 1);
  EXPECT_EQ(page.m_ColCount, 2);
  EXPECT_EQ(page.m_ColumnMap[0], 3);
  EXPECT_EQ(page.m_ColumnMap[1], 1);
  EXPECT_EQ(page.GetColumnName(0), CString(u"金額"));
  EXPECT_EQ(page.m_ColumnCodes[0], 1);
  EXPECT_EQ(page.m_GroupCol, 2);
  ASSERT_EQ(page.m_OmittedColumns.size(), 2u);
  EXPECT_EQ(page.m_OmittedColumns[0].m_SourceColumn, 2);
  EXPECT_EQ(page.m_OmittedColumns[1].m_SourceColumn, 4);
  EXPECT_TRUE(page.m_OmittedColumns[1].m_Name.IsEmpty());
  // Read back unchanged, the page gives the record it came from.
  const JOBSETTING before = dlg.m_JobSetting;
  dlg.ReadCsvPage(&page);
  EXPECT_EQ(dlg.m_JobSetting.m_Select, before.m_Select);
  EXPECT_EQ(dlg.m_JobSetting.m_Sum[0], CString(u"金額"));
  EXPECT_EQ(dlg.m_JobSetting.m_Grp, CString(u"品名"));
  EXPECT_EQ(theApp.m_SendCols, 2);
}

TEST_F(FillCsvPage, ClipboardInputTakenOverEmptiesTheClipboardAndARefusedOneStopsTheSheet) {
  theApp.m_InputKind = INPUT_CLIPBOARD;
  theApp.m_DataGrid.Clear();
  theApp.m_DataRows = theApp.m_DataCols = theApp.m_EditRows = theApp.m_EditCols = 0;
  RecordingUiHooks hooks;
  hooks.SetClipboard(u"品名\t数量\r\nりんご\t3\r\n");
  EXPECT_EQ(dlg.FillCsvPage(u"クリップボード", &page, RUN_NEW_INPUT), 1);
  EXPECT_TRUE(hooks.GetClipboardText().IsEmpty());
  CString wide;
  for (int i = 0; i < 257; ++i) wide += u"x\t";
  hooks.SetClipboard(wide);
  CCsvPropPage other;
  EXPECT_EQ(dlg.FillCsvPage(u"クリップボード", &other, RUN_NEW_INPUT), 0);
  EXPECT_FALSE(hooks.GetClipboardText().IsEmpty());
}

TEST_F(FillCsvPage, ClearingInALaterOpeningBringsBackTheTitleRowAsLoaded) {
  theApp.m_DataGrid.Clear();
  const char16_t* cells[4][2] = {{u"売上一覧", u""}, {u"品名", u"数量"}, {u"りんご", u"3"}, {u"みかん", u"5"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 2; ++c) theApp.m_DataGrid.SetAt(r, c, cells[r][c]);
  theApp.m_DataRows = theApp.m_EditRows = 4;
  theApp.m_DataCols = theApp.m_EditCols = 2;
  theApp.m_TitleRow = 1;
  ASSERT_EQ(dlg.FillCsvPage(u"/data/売上.csv", &page, 1), 1);
  // Edit mode: the heading line above the title row is deleted.
  page.m_EditMode = theApp.m_EditModeEntered = 1;
  CsvGrids g = AppCsvGrids();
  page.ClickRow(0, false, false);
  page.OnEditDelete(g);
  ASSERT_EQ(theApp.m_TitleRow, 0);
  dlg.ReadCsvPage(&page);
  // The sheet opens again on the same input, then "設定クリア".
  ASSERT_EQ(dlg.FillCsvPage(u"/data/売上.csv", &page, 1), 1);
  CsvGrids again = AppCsvGrids();
  page.ClearSettings(again);
  EXPECT_EQ(theApp.m_TitleRow, 1);
  EXPECT_EQ(page.m_PageTitleRow, 1);
  EXPECT_EQ(page.m_HeaderNames[0], CString(u"品名"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(1, 0), CString(u"品名"));
  EXPECT_EQ(theApp.m_EditModeEntered, 0);
}

}  // namespace
