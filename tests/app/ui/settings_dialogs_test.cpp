// The user and system settings dialogs: what OK, Cancel and a refusal change.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/tabro_client_app.h"
#include "app/ui/system_setting_dlg.h"
#include "app/ui/user_setting_dlg.h"
#include "platform/paths.h"
#include "platform/ui/dialog.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/system_setting_dlg.h"
#include "res/user_setting_dlg.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class UserSettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.m_SaveDirectoryIdx = 0;
    theApp.m_SaveDirectory = FromFsPath(dir.path());
    theApp.m_SameFileNameOverWrite = 0;
    theApp.m_ShiftStartExcelListType = 1;
    theApp.m_DefaultCommand = u"TypeL;Sort1";
  }
  testsupport::TempDir dir;
  ScriptedModalDriver modal;
};

TEST_F(UserSettingTest, CancelLeavesEverySettingAsItWas) {
  CUserSetting dlg;
  modal.Queue(res::IDD_USER_SETTING, [](CDialog& d) {
    ui::Choose(d, res::IDC_US_OUT_COMBO, 2);
    ui::Choose(d, res::IDC_US_NAME_COMBO, 1);
    ui::Click(d, res::IDC_US_SHIFT_ASK);
    ui::Click(d, res::IDC_US_TYPE_TABLE);
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(theApp.m_SaveDirectoryIdx, 0);
  EXPECT_EQ(theApp.m_SaveDirectory, FromFsPath(dir.path()));
  EXPECT_EQ(theApp.m_SameFileNameOverWrite, 0);
  EXPECT_EQ(theApp.m_ShiftStartExcelListType, 1);
  EXPECT_EQ(theApp.m_DefaultCommand, CString(u"TypeL;Sort1"));
}

TEST_F(UserSettingTest, OkRefusesMissingFoldersThenHandsTheChoicesOver) {
  CUserSetting dlg;
  dlg.m_WatchMode = 1;
  dlg.m_WatchFolderText = FromFsPath(dir.path() / "nowhere");
  modal.Queue(res::IDD_USER_SETTING, [&](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, res::IDC_US_OUT_FOLDER), FromFsPath(dir.path()));
    ui::Type(d, res::IDC_US_OUT_FOLDER, u"");
    ui::Click(d, IDOK);
    ui::Type(d, res::IDC_US_OUT_FOLDER, FromFsPath(dir.path() / "gone"));
    ui::Click(d, IDOK);
    ui::Choose(d, res::IDC_US_OUT_COMBO, 3);
    EXPECT_FALSE(ui::IsEnabled(d, res::IDC_US_OUT_FOLDER));
    ui::Click(d, IDOK);
    ui::Type(d, res::IDC_US_WATCH_FOLDER, FromFsPath(dir.path()));
    ui::Click(d, res::IDC_US_SHIFT_UNGROUPED);
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, u"任意の【出力ドキュメント】のフォルダを指定して下さい。");
  modal.QueueBox(IDOK, u"指定した【出力ドキュメント】のフォルダは存在しません。");
  modal.QueueBox(IDOK, u"指定した【監視フォルダ】のフォルダは存在しません。");
  EXPECT_EQ(dlg.DoModal(), IDOK);
  dlg.ApplyToApp();
  EXPECT_EQ(theApp.m_SaveDirectoryIdx, 3);
  EXPECT_EQ(theApp.m_SaveDirectory, GetUserFolder(UserFolder::kDocuments));
  EXPECT_EQ(theApp.m_ShiftStartExcelListType, 2);
  // A default command of other tokens stays unless a type was clicked.
  EXPECT_EQ(theApp.m_DefaultCommand, CString(u"TypeL;Sort1"));
  EXPECT_EQ(dlg.m_WatchFolderText, FromFsPath(dir.path()));
}

class SystemSettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.m_ProgramFolder = FromFsPath(dir.path());
    SERVERSETTING& s = theApp.m_Operation.m_Server;
    s.m_OperationMode = 1;
    s.m_OnpremisesServer = u"http://tabro.local";
    s.m_ProxyType = 1;
    s.m_Timeout = 60;
  }
  fs::path Ini() const { return dir.path() / "TabroSystem.ini"; }
  testsupport::TempDir dir;
  ScriptedModalDriver modal;
};

TEST_F(SystemSettingTest, OkWithoutChangesWritesNoFile) {
  CSystemSettingDlg dlg;
  modal.Queue(res::IDD_SYSTEM_SETTING, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, res::IDC_SS_SERVER), CString(u"http://tabro.local"));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(SystemSettingTest, AServerThatCannotBeStoredIsRefusedBeforeAnythingChanges) {
  CSystemSettingDlg dlg;
  modal.Queue(res::IDD_SYSTEM_SETTING, [](CDialog& d) {
    ui::Choose(d, res::IDC_SS_PROXY, 0);
    ui::Type(d, res::IDC_SS_SERVER, u"http://tabro.local ");
    ui::Click(d, IDOK);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(theApp.m_Operation.m_Server.m_ProxyType, 1);
  EXPECT_EQ(theApp.m_Operation.m_Server.m_OnpremisesServer, CString(u"http://tabro.local"));
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(SystemSettingTest, SwitchingToTheSiteEmptiesTheServerAndWritesTheFile) {
  CSystemSettingDlg dlg;
  modal.Queue(res::IDD_SYSTEM_SETTING, [](CDialog& d) {
    ui::Click(d, res::IDC_SS_SITE);
    EXPECT_FALSE(ui::IsEnabled(d, res::IDC_SS_SERVER));
    ui::Choose(d, res::IDC_SS_PROXY, 0);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  const SERVERSETTING& s = theApp.m_Operation.m_Server;
  EXPECT_EQ(s.m_OperationMode, 0);
  EXPECT_TRUE(s.m_OnpremisesServer.IsEmpty());
  EXPECT_EQ(s.m_ProxyType, -1);
  EXPECT_EQ(testsupport::TempDir::Read(Ini()), "OperationMode=0\r\nProxyType=-1\r\nTimeout=60\r\n");
}

}  // namespace
