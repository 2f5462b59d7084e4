// The main dialog's LoadCsv: the branches it takes before the loader reads a file.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_reset.h"
#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

CString PathText(const std::filesystem::path& p) { return CString::FromUtf8(p.string()); }

class CsvLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::ResetTheApp(); }
  void TearDown() override { apptest::ResetTheApp(); }

  int Load(const std::string& name, const std::string& bytes) {
    path_ = PathText(dir_.Write(name, bytes));
    return dlg_.LoadCsv(path_, nullptr, LOAD_FILE);
  }

  TempDir dir_;
  CString path_;
  CTabroClientDlg dlg_;
  RecordingUiHooks hooks_;
};

TEST_F(CsvLoaderTest, AFileLoadNotesTheFolderOfTheInput) {
  ASSERT_EQ(Load("in.csv", "a,b\r\n1,2\r\n"), 1);
  EXPECT_EQ(theApp.m_CsvFolder, PathText(dir_.path()));
  EXPECT_EQ(theApp.m_DataRows, 2);
  EXPECT_EQ(theApp.m_Backup.DataRows, 2);
}

TEST_F(CsvLoaderTest, RestoreBringsBackTheLoadedDataWithoutReading) {
  ASSERT_EQ(Load("in.csv", "a,b\r\n1,2\r\n"), 1);
  theApp.m_DataGrid[1][1] = u"changed";
  theApp.m_DataRows = 1;
  std::filesystem::remove(dir_ / "in.csv");
  EXPECT_EQ(dlg_.LoadCsv(path_, nullptr, LOAD_RESTORE), 1);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(1, 1), u"2");
  EXPECT_EQ(theApp.m_DataRows, 2);
  EXPECT_TRUE(hooks_.Messages().empty());
}

TEST_F(CsvLoaderTest, AJobWithASendRegionIsNotReadAgain) {
  theApp.m_SendRows = 3;
  theApp.m_SendCols = 2;
  theApp.m_DataGrid[0][0] = u"kept";
  EXPECT_EQ(Load("in.csv", "a,b\r\n"), 1);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(0, 0), u"kept");
}

TEST_F(CsvLoaderTest, AClipboardInputIsReadFromTheClipboard) {
  struct Case {
    const char* name;
    const char16_t* clipboard;
    const char16_t* left;  // the clipboard afterwards
    int rows;
  };
  const Case cases[] = {
      {"rows taken, clipboard emptied", u"品名\t金額\r\nりんご\t100\r\n", u"", 2},
      {"one column is not taken", u"a\r\nb\r\n", u"a\r\nb\r\n", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    apptest::ResetTheApp();
    theApp.m_InputKind = INPUT_CLIPBOARD;
    hooks_.SetClipboard(c.clipboard);
    CCsvPropPage page;
    EXPECT_EQ(dlg_.LoadCsv(u"クリップボード", &page, LOAD_FILE), 1);
    EXPECT_EQ(hooks_.GetClipboardText(), c.left);
    EXPECT_EQ(theApp.m_EditRows, c.rows);
  }
}

}  // namespace
