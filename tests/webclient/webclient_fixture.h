#pragma once
// Common ground of the web-client tests: a fresh program folder, recorded message
// boxes, a stand-in service on 127.0.0.1 and a client pointed at it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/tabro_client_app.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"
#include "tools/standin/standin_server.h"
#include "webclient/tabro_operation.h"

class WebClientTest : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(server.IsListening());
    theApp.m_ProgramFolder = CString(dir.path().string());
    theApp.m_TestModeOutTemp = CString((dir.path() / "TestModeOutTemp").string());
    theApp.m_SaveDirectory = CString((dir.path() / "out").string());
    std::filesystem::create_directories(dir.path() / "TestModeOutTemp");
    std::filesystem::create_directories(dir.path() / "out");
    theApp.m_ServerConnectMode = 0;
    theApp.m_ClientIdentificationNumber = u"CID-7";
    theApp.m_PrintCountKnown = 0;
    theApp.m_PrintUsed = -1;
    theApp.m_PrintContract = -1;
    theApp.m_InputKind = INPUT_DROPPED;
    theApp.m_SourceCodeType = 0;
    theApp.m_EditRows = theApp.m_EditCols = theApp.m_SendRows = theApp.m_SendCols = 0;
    theApp.m_DataGrid.Clear();
    theApp.m_EditGrid.Clear();
    theApp.m_UploadGrid.Clear();
    theApp.m_JoinDef.AddCSVFg = 0;
    theApp.m_JoinDef.AddCsvCnt = 0;

    op.m_Server.m_ServerBaseUrl = CString(server.BaseUrl());
    op.m_Server.m_AltServerBaseUrl = u"http://127.0.0.1:1";  // never used unless asked
    op.m_Server.m_UserId = u"user";
    op.m_Server.m_Password = u"pass";
    op.m_Server.m_AccessKey = u"KEY";
    op.m_Server.m_ProxyType = 1;  // direct: a proxy in the environment must not interfere
    op.m_Server.m_Timeout = 0;
    op.m_ShowMessages = 1;
    op.m_Initialized = 1;
  }

  // Fills the data grid and the edit counts.
  void SetData(std::initializer_list<std::initializer_list<const char16_t*>> rows) {
    int r = 0, cols = 0;
    for (const auto& row : rows) {
      int c = 0;
      for (const char16_t* cell : row) theApp.m_DataGrid[r][c++] = cell;
      cols = std::max(cols, c);
      ++r;
    }
    theApp.m_EditRows = r;
    theApp.m_EditCols = cols;
  }

  std::vector<CString> Messages() const { return ui.Messages(); }

  testsupport::TempDir dir;
  RecordingUiHooks ui;
  standin::Server server;
  CTabroOperation op;
};

// A JSON answer.
inline standin::Reply JsonReply(int status, std::string body) {
  standin::Reply r;
  r.status = status;
  r.body = std::move(body);
  return r;
}
