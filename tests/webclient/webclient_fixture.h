#pragma once
// Common ground of the web-client tests: a fresh program folder, recorded message
// boxes, a stand-in service on 127.0.0.1 and a client pointed at it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui_hooks.h"
#include "support/temp_dir.h"
#include "tests/webclient/fake_operation_host.h"
#include "tools/standin/standin_server.h"
#include "webclient/tabro_operation.h"

class WebClientTest : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(server.IsListening());
    host.programFolder = CString(dir.path().string());
    host.testModeOutTemp = CString((dir.path() / "TestModeOutTemp").string());
    host.saveDirectory = CString((dir.path() / "out").string());
    std::filesystem::create_directories(dir.path() / "TestModeOutTemp");
    std::filesystem::create_directories(dir.path() / "out");
    host.clientIdentificationNumber = u"CID-7";
    op.SetHost(&host);

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
      for (const char16_t* cell : row) grids().m_DataGrid[r][c++] = cell;
      cols = std::max(cols, c);
      ++r;
    }
    grids().m_EditRows = r;
    grids().m_EditCols = cols;
  }

  std::vector<CString> Messages() const { return ui.Messages(); }
  // The grids the client uploads from.
  CGridSet& grids() { return *host.grids; }

  testsupport::TempDir dir;
  RecordingUiHooks ui;
  standin::Server server;
  FakeOperationHost host;
  CTabroOperation op;
};

// A JSON answer.
inline standin::Reply JsonReply(int status, std::string body) {
  standin::Reply r;
  r.status = status;
  r.body = std::move(body);
  return r;
}
