// The job settings sheet: its own buttons, what "実行" sends, cancel and the close
// box, keys, the usage line and "全設定クリア".
#include "sheet_fixture.h"

#include "jobsheet/sheet/usage_line.h"
#include "platform/ui/menu.h"
#include "res/command_prop_page.h"
#include "res/main_propty_page.h"
#include "res/tab_dlgs.h"
#include "support/screenshot.h"

namespace {

TEST_F(SheetTest, OpensWithItsOwnButtonsInPlaceOfOk) {
  Job(u"TypeTX");
  const int result = Run(0, [&](CEditPropSheet& s) {
    EXPECT_EQ(s.GetWindowText(), CString(u"/data/売上.csv"));
    EXPECT_FALSE(ui::IsShown(s, IDOK));
    EXPECT_EQ(ui::TextOf(s, IDC_SHEET_EXECUTE), CString(u"実行"));
    EXPECT_EQ(ui::TextOf(s, IDC_SHEET_TESTRUN), CString(u"テスト実行"));
    EXPECT_EQ(ui::TextOf(s, IDC_SHEET_CLEARALL), CString(u"全設定クリア"));
    EXPECT_TRUE(ui::IsShown(s, IDCANCEL));
    EXPECT_FALSE(ui::IsShown(s, ID_APPLY_NOW));
    // A minimise box, and 最小化 once in the system menu.
    EXPECT_TRUE(s.GetStyle() & WS_MINIMIZEBOX);
    CMenu* sys = s.GetSystemMenu(FALSE);
    int minimise = 0;
    for (int i = 0; i < sys->GetMenuItemCount(); ++i) minimise += sys->GetMenuItemID(i) == SC_MINIMIZE;
    EXPECT_EQ(minimise, 1);
    EXPECT_EQ(s.m_ToolTip.GetToolText(&s.m_TestRunButton), CString(u"クレジットを消費せず、1ページのみ表示します。"));
    CRect execute, cancel, clear, test;
    s.GetDlgItem(IDC_SHEET_EXECUTE)->GetWindowRect(&execute);
    s.GetDlgItem(IDCANCEL)->GetWindowRect(&cancel);
    s.GetDlgItem(IDC_SHEET_CLEARALL)->GetWindowRect(&clear);
    s.GetDlgItem(IDC_SHEET_TESTRUN)->GetWindowRect(&test);
    EXPECT_LT(test.right, clear.left);
    EXPECT_LT(clear.right, execute.left);
    EXPECT_LT(execute.right, cancel.left);
    CTabCtrl* tabs = s.GetTabControl();
    ASSERT_EQ(tabs->GetItemCount(), 3);
    EXPECT_EQ(tabs->GetItemText(0), CString(u"基本設定"));
    EXPECT_EQ(tabs->GetItemText(1), CString(u"カスタマイズ1(CSV編集)"));
    EXPECT_EQ(tabs->GetItemText(2), CString(u"カスタマイズ2(詳細設定)"));
    KeepPicture(s, "sheet_main_page_472");
    ClickSheetTab(s, 2);
    KeepPicture(s, "sheet_command_page_473");
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(SheetTest, ExecuteSendsTheCommandThePagesShowAndEndsWithOne) {
  Job(u"TypeTX;Sum=金額");
  csv.m_Data.m_ColumnCodes[1] = 2;   // a count on 数量, set on the CSV page
  CString shown;
  const int result = Run(0, [&](CEditPropSheet& s) {
    ui::Click(*s.m_MainPage, res::IDC_MAIN_EXCEL);
    ClickSheetTab(s, 1);
    ClickSheetTab(s, 2);
    CCommandPropPage& page = *s.m_CommandPage;
    ui::Click(*page.m_TabDlg1, res::IDC_TAB1_GRAYBAND);
    ClickSheetTab(s, 0);
    shown = ui::TextOf(*s.m_MainPage, res::IDC_MAIN_COMMAND);
    ui::Click(s, IDC_SHEET_EXECUTE);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_JobSetting.m_OutputFormat, OutputFormat::kExcel);
  EXPECT_EQ(dlg.m_JobSetting.m_Grayband, 1);
  EXPECT_NE(shown.Find(u"Grayband"), -1) << shown.ToUtf8();
  EXPECT_NE(shown.Find(u"Counts=数量"), -1) << shown.ToUtf8();
  EXPECT_EQ(SentName(), "売上(#" + dlg.BuildCommandText().ToUtf8() + ").csv");
  EXPECT_EQ(SentName(), "売上(#" + shown.ToUtf8() + ").csv");
}

TEST_F(SheetTest, AFailedSendKeepsTheSheetOpenAndCancelStillStoresThePages) {
  Job(u"TypeTX");
  server.Script("/csvTabro/webapi/document/v1_0/csvTabroDoc/", standin::Reply{500, "{}"});
  const int result = Run(2, [&](CEditPropSheet& s) {
    ui::Click(*s.m_CommandPage->m_TabDlg1, res::IDC_TAB1_GRAYBAND);
    ui::Click(s, IDC_SHEET_EXECUTE);
    EXPECT_FALSE(s.HasEnded());
    ui::Click(*s.m_CommandPage->m_TabDlg1, res::IDC_TAB1_NUMBERING);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.m_JobSetting.m_Grayband, 1);
  EXPECT_EQ(dlg.m_JobSetting.m_Numbering, 1);
}

TEST_F(SheetTest, EnterAndEscStayWithTheControlAndTheCloseBoxStoresThePages) {
  Job(u"TypeT");
  const int result = Run(2, [&](CEditPropSheet& s) {
    CTabDlg2& header = *s.m_CommandPage->m_TabDlg2;
    ClickSheetTab(s, 2);
    s.m_CommandPage->m_Tab.SelectAsUser(1);
    ui::Click(header, res::IDC_TAB2_TITLE_SPECIFIED);
    ui::Type(header, res::IDC_TAB2_TITLE, u"月次売上");
    ui::PressKey(header, res::IDC_TAB2_TITLE, VK_RETURN);
    ui::PressKey(header, res::IDC_TAB2_TITLE, VK_ESCAPE);
    EXPECT_FALSE(s.HasEnded());
    EXPECT_TRUE(SentName().empty());
    ui::FocusThenLeave(header, res::IDC_TAB2_TITLE);
    ui::CloseBox(s);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.m_JobSetting.m_Tytl, CString(u"月次売上"));
}

TEST_F(SheetTest, CsvOutputTakesAwayTheTestRunAndPdfGivesItBack) {
  Job(u"TypeTX");
  dlg.m_JobSetting.m_OutputFormat = OutputFormat::kCsv;
  Run(0, [&](CEditPropSheet& s) {
    EXPECT_FALSE(ui::IsEnabled(s, IDC_SHEET_TESTRUN));
    ui::Click(*s.m_MainPage, res::IDC_MAIN_PDF);
    EXPECT_TRUE(ui::IsEnabled(s, IDC_SHEET_TESTRUN));
    ui::Click(*s.m_MainPage, res::IDC_MAIN_CSV);
    EXPECT_FALSE(ui::IsEnabled(s, IDC_SHEET_TESTRUN));
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, ATestRunKeepsTheSheetOpenAndSendsOnePageUnderTheDollarPrefix) {
  Job(u"TypeTX");
  Run(0, [&](CEditPropSheet& s) {
    ui::Click(s, IDC_SHEET_TESTRUN);
    EXPECT_FALSE(s.HasEnded());
    EXPECT_TRUE(ui::IsEnabled(s, IDC_SHEET_TESTRUN));
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(SentName(), "売上($" + dlg.BuildCommandText().ToUtf8() + ").csv");
}

TEST_F(SheetTest, AnExhaustedContractShowsTheUsageLineAndTheNoticeOnce) {
  Job(u"TypeTX");
  theApp.m_PrintCountKnown = 1;
  server.Script("/csvTabro/webapi/document/v1_0/getTabroPrtCnt/", standin::Reply{200, R"({"prcnt":"100/100"})"});
  modal.QueueBox(IDOK, kUsageExceededText);
  Run(0, [&](CEditPropSheet& s) {
    EXPECT_EQ(ui::TextOf(s, IDC_SHEET_USAGE), CString(u"使用回数[100] 契約数[100] 残数[0] 使用率[100.0％]"));
    EXPECT_EQ(ui::TextOf(s, IDC_SHEET_USAGE_TITLE), CString(u"使用状況"));
    KeepPicture(s, "sheet_usage_line");
    ui::Click(s, IDCANCEL);
  });
  const auto t = modal.Transcript();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].kind, ScriptedModalDriver::Entry::Kind::Box);   // shown as the sheet opens
  EXPECT_EQ(t[0].caption, CString(u"お知らせ"));
  EXPECT_EQ(t[0].type & MB_ICONMASK, unsigned(MB_ICONEXCLAMATION));
}

TEST(UsageLine, AContractOfZeroShowsARateOfZero) {
  EXPECT_EQ(UsageLineText(0, 0), CString(u"使用回数[0] 契約数[0] 残数[0] 使用率[0.0％]"));
  EXPECT_EQ(UsageLineText(3, 8), CString(u"使用回数[3] 契約数[8] 残数[5] 使用率[37.5％]"));
  EXPECT_EQ(UsageLineText(9, 8), CString(u"使用回数[9] 契約数[8] 残数[-1] 使用率[112.5％]"));
}

struct ClearCase {
  const char* name;
  const char16_t* defaultCommand;
  int kind, subKind;
};

class SheetClearAll : public SheetTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(SheetClearAll, ClearsEveryPageToTheDefaultKind) {
  const ClearCase& c = GetParam();
  theApp.m_DefaultCommand = c.defaultCommand;
  Job(u"TypeL;Grayband;Tytl=月報;UserPasswd=ab");
  dlg.m_JobSetting.m_OutputFormat = OutputFormat::kExcel;
  Run(2, [&](CEditPropSheet& s) {
    ui::Click(s, IDC_SHEET_CLEARALL);
    EXPECT_EQ(s.m_DocKind, c.kind);
    EXPECT_EQ(s.m_OutputFormat, OutputFormat::kPdf);
    EXPECT_EQ(s.m_CommandPage->m_TabDlg2->m_Title, CString());
    EXPECT_EQ(s.m_CommandPage->m_TabDlg1->m_Grayband, 0);
    ClickSheetTab(s, 0);
    EXPECT_EQ(s.m_MainPage->IsDlgButtonChecked(res::IDC_MAIN_PDF), unsigned(BST_CHECKED));
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(csv.m_Resets, 1);
  EXPECT_EQ(dlg.m_JobSetting.m_DocKind, c.kind);
  EXPECT_EQ(dlg.m_JobSetting.m_SubKind, c.subKind);
  EXPECT_EQ(dlg.m_JobSetting.m_OutputFormat, OutputFormat::kPdf);
  EXPECT_TRUE(dlg.m_JobSetting.m_Tytl.IsEmpty());
  EXPECT_TRUE(dlg.m_JobSetting.m_UserPasswd.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, SheetClearAll,
                         ::testing::Values(ClearCase{"TypeTX", u"TypeTX", 1, 2},
                                           ClearCase{"TypeTXWithMore", u"TypeTX;ListDoc", 0, 0},
                                           ClearCase{"Empty", u"", 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetTest, ACrossTableHidesClearAllAndClipboardInputStartsOnTheCsvPage) {
  Job(u"TypeCross");
  dlg.m_JobSetting.m_DocKind = DOC_KIND_TOOL_CROSS;
  theApp.m_InputKind = INPUT_CLIPBOARD;
  Run(2, [&](CEditPropSheet& s) {
    EXPECT_FALSE(ui::IsShown(s, IDC_SHEET_CLEARALL));
    EXPECT_EQ(s.GetActiveIndex(), 1);
    ui::Click(s, IDCANCEL);
  });
}

}  // namespace
