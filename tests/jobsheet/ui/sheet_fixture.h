#pragma once
// A settings sheet on a loaded file, the way the job pipeline prepares it: the
// main dialog's record parsed from a command, the three pages, the stand-in
// service behind the web client. The CSV page's window is a plain page here; its
// data is the real CCsvPropPage.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/command/command_parser.h"
#include "jobsheet/sheet/csv_page_exchange.h"
#include "jobsheet/sheet/ui/command_prop_page.h"
#include "jobsheet/sheet/ui/csv_sheet_page.h"
#include "jobsheet/sheet/ui/edit_prop_sheet.h"
#include "jobsheet/sheet/ui/main_propty_page.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"
#include "tools/standin/standin_server.h"

inline constexpr ControlTemplate kCsvStandInControls[] = {
    {CtlKind::Static, IDC_STATIC, u"CSV", 10, 10, 60, 8},
    {CtlKind::Edit, 1687, nullptr, 10, 24, 120, 14},
};
inline constexpr DialogTemplate kCsvStandInPage{9470, u"カスタマイズ1(CSV編集)", 200, 80, kCsvStandInControls,
                                                tpl::kChild};

class CCsvStandInPage : public CCsvSheetPage {
 public:
  CCsvStandInPage() : CCsvSheetPage(kCsvStandInPage) {}
  CCsvPropPage& Page() override { return m_Data; }
  // As the CSV page does when it is left: its settings into the record.
  BOOL OnKillActive() override {
    if (auto* sheet = dynamic_cast<CEditPropSheet*>(GetSheet()); sheet && sheet->m_MainDlg) {
      sheet->m_MainDlg->ReadCsvPage(&m_Data);
    }
    return TRUE;
  }
  void ResetToSource() override {
    ++m_Resets;
    m_Data.m_ColumnCodes[0] = 0;
  }
  CCsvPropPage m_Data;
  int m_Resets = 0;
};

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.IsListening());
    theApp.m_ProgramFolder = CString(dir.path().string());
    theApp.m_TestModeOutTemp = CString((dir.path() / "TestModeOutTemp").string());
    theApp.m_SaveDirectory = CString((dir.path() / "out").string());
    std::filesystem::create_directories(dir.path() / "TestModeOutTemp");
    std::filesystem::create_directories(dir.path() / "out");
    CTabroOperation& op = theApp.m_Operation;
    op.m_Server.m_ServerBaseUrl = CString(server.BaseUrl());
    op.m_Server.m_UserId = u"user";
    op.m_Server.m_Password = u"pass";
    op.m_Server.m_AccessKey = u"KEY";
    op.m_Server.m_ProxyType = 1;
    op.m_Initialized = 1;
    op.m_ShowMessages = 0;
    theApp.m_PrintCountKnown = 0;
    theApp.m_InputKind = INPUT_DROPPED;
    theApp.m_EditModeEntered = 0;
    theApp.m_DefaultCommand.Empty();
    theApp.m_ToolOrder = TOOLORDER{};
    const char16_t* cells[3][3] = {{u"品名", u"数量", u"金額"}, {u"りんご", u"3", u"300"}, {u"みかん", u"5", u"250"}};
    theApp.m_DataGrid.Clear();
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) theApp.m_DataGrid.SetAt(r, c, cells[r][c]);
    theApp.m_EditCols = theApp.m_DataCols = 3;
    theApp.m_EditRows = theApp.m_DataRows = 3;
    theApp.m_SendRows = theApp.m_SendCols = 0;
    theApp.m_TitleRow = 0;
    CCsvPropPage& data = csv.m_Data;
    for (int c = 0; c < 3; ++c) {
      data.m_HeaderNames[c] = cells[0][c];
      data.m_ColumnMap[c] = c + 1;
    }
    data.m_ColCount = 3;
    data.m_RowCount = 3;
    dlg.m_InputPath = CString((dir.path() / "売上.csv").string());
    dlg.m_BaseName = u"売上";
  }

  void TearDown() override {
    theApp.m_EditCols = theApp.m_DataCols = theApp.m_EditRows = theApp.m_DataRows = 0;
    theApp.m_DataGrid.Clear();
    theApp.m_PrintCountKnown = 0;
    theApp.m_InputKind = INPUT_NONE;
  }

  // Parses the command into the record and fills the detailed page from it.
  void Job(const char16_t* command) {
    dlg.m_JobSetting.Reset();
    ParseCommandText(dlg.m_JobSetting, command);
    MatchJobToCsvPage(dlg.m_JobSetting, csv.m_Data, theApp.m_EditCols);
    dlg.FillCommandPage(&command_);
  }

  // Opens the sheet on startPage and runs script in it; DoModal's result.
  int Run(int startPage, std::function<void(CEditPropSheet&)> script) {
    sheet.Prepare(&dlg, &main, &csv, &command_, startPage);
    modal.Queue(0, [&](CDialog& d) { script(static_cast<CEditPropSheet&>(d)); });
    return static_cast<int>(sheet.DoModal());
  }

  // The command the service received with the last document, from its upload name.
  std::string SentName() const {
    std::string name;
    for (const standin::Request& r : server.Requests()) {
      if (r.Path() == "/csvTabro/webapi/document/v1_0/csvTabroDoc/") name = r.Field("csvname");
    }
    return name;
  }

  testsupport::TempDir dir;
  RecordingUiHooks hooks;
  standin::Server server;
  ScriptedModalDriver modal;
  CTabroClientDlg dlg;
  CMainProptyPage main;
  CCsvStandInPage csv;
  CCommandPropPage command_;
  CEditPropSheet sheet{CString(u"/data/売上.csv")};
};

// Clicks a tab of the sheet as a user would.
inline void ClickSheetTab(CEditPropSheet& s, int index) { s.GetTabControl()->SelectAsUser(index); }
