// The job pipeline on one input: which dialogs a user meets on the way to the
// sheet, which command the job gets, and the narrowing of large inputs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"
#include "platform/ui/dialog.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/csv_prop_page.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kSheet = 0, kNewFileDlg = 302, kChoiceDlg = 270, kOrderDlg = 274;
constexpr int kRunToolsCheck = 1250, kChoiceList = 1205;

class JobPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.m_ProgramFolder = FromFsPath(dir.path());
    theApp.ClearReuseCommands();
    theApp.m_CommandReUse = 0;
    theApp.m_NoReusePrompt = 0;
    theApp.m_DefaultCommand = u"TypeTX";
    theApp.m_SyokikidoGamen = 0;
    theApp.m_Operation.m_ShowMessages = 0;
    theApp.m_PrintCountKnown = 0;
  }
  void TearDown() override {
    theApp.m_InputKind = INPUT_NONE;
    theApp.m_DefaultCommand.Empty();
    theApp.m_CommandReUse = 0;
    theApp.ClearReuseCommands();
    theApp.ResetToolSettings(TOOL_RESET_ALL);
  }
  // Names the input as the intake does and runs it.
  int Run(const CString& path, int16_t kind) {
    dlg.ResetInputState();
    dlg.m_InputPath = path;
    dlg.CheckFileName(path);
    theApp.m_InputKind = kind;
    return dlg.ProcessCsv(path, RUN_NEW_INPUT);
  }
  CString Csv(const std::string& name, int dataRows) {
    std::string text = "品名,数量\r\n";
    for (int i = 0; i < dataRows; ++i) text += "品" + std::to_string(i) + "," + std::to_string(i) + "\r\n";
    return FromFsPath(dir.Write(name, text));
  }

  testsupport::TempDir dir;
  RecordingUiHooks hooks;
  ScriptedModalDriver modal;
  CTabroClientDlg dlg;
};

struct CommandCase {
  const char* name;
  const char* file;
  int16_t kind;
  int reuse;
  bool newFileDialog;
  const char16_t* command;
  int docKind;
};

const CommandCase kCommandCases[] = {
    {"command in the name, jobs off", "売上(#TypeL).csv", INPUT_DROPPED, 0, false, u"TypeL", 2},
    {"command in the name, jobs on", "売上(#TypeL).csv", INPUT_FILE_DIALOG, 1, false, u"TypeL", 2},
    {"no command, jobs off: new file, default command", "売上.csv", INPUT_DROPPED, 0, true, u"TypeTX", 1},
    {"no command, jobs on, none stored: new file", "売上.csv", INPUT_DROPPED, 1, true, u"TypeTX", 1},
};

TEST_F(JobPipelineTest, TheCommandComesFromTheNameOrTheDefaultAfterTheNewFileDialog) {
  for (const CommandCase& c : kCommandCases) {
    SCOPED_TRACE(c.name);
    theApp.m_CommandReUse = c.reuse;
    const CString path = Csv(c.file, 2);
    if (c.newFileDialog) modal.Queue(kNewFileDlg, [](CDialog& d) { ui::Click(d, IDOK); });
    modal.QueueCancel(kSheet);
    EXPECT_EQ(Run(path, c.kind), IDCANCEL);
    EXPECT_EQ(dlg.m_Command, CString(c.command));
    EXPECT_EQ(dlg.m_JobSetting.m_DocKind, c.docKind);
    EXPECT_EQ(dlg.m_BaseName, CString(u"売上"));
    EXPECT_EQ(theApp.m_DataRows, 3);
  }
}

// Regression: with reusable jobs on, the output name of one input stayed for
// the next, which was then uploaded and saved under the first one's name.
TEST_F(JobPipelineTest, EachInputStartsWithItsOwnOutputName) {
  theApp.m_CommandReUse = 1;
  dlg.m_OutputName = u"月次A";   // left by the previous input
  modal.QueueCancel(kSheet);
  EXPECT_EQ(Run(Csv("在庫一覧(#TypeL).csv", 2), INPUT_DROPPED), IDCANCEL);
  EXPECT_EQ(dlg.m_OutputName, CString(u"在庫一覧"));
}

TEST_F(JobPipelineTest, ClipboardInputNeverAsksForANewFile) {
  hooks.SetClipboard(u"品名\t数量\r\nりんご\t3\r\n");
  modal.QueueCancel(kSheet);
  EXPECT_EQ(Run(CString(u"貼り付け"), INPUT_CLIPBOARD), IDCANCEL);
  EXPECT_EQ(dlg.m_NewFileMode, -1);
}

TEST_F(JobPipelineTest, ClipboardInputOpensTheCsvPageInEditModeWithoutTheTotalRows) {
  hooks.SetClipboard(u"品名\t数量\r\nりんご\t3\r\n");
  CString count;
  modal.Queue(kSheet, [&](CDialog& d) {
    auto& sheet = static_cast<CPropertySheet&>(d);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    if (CPropertyPage* page = sheet.GetActivePage()) count = ui::TextOf(*page, res::IDC_CSV_COUNTTEXT);
    ui::Click(sheet, IDCANCEL);
  });
  EXPECT_EQ(Run(CString(u"貼り付け"), INPUT_CLIPBOARD), IDCANCEL);
  EXPECT_EQ(count, CString(u" 表示 最大列数 256 最大行数 3000"));
  EXPECT_EQ(theApp.m_EditModeEntered, 1);
}

TEST_F(JobPipelineTest, MoreThanThreeThousandRowsAskToNarrow) {
  // 3000 rows with the field-name row go straight to the sheet.
  modal.QueueCancel(kSheet);
  EXPECT_EQ(Run(Csv("ok(#TypeL).csv", 2999), INPUT_DROPPED), IDCANCEL);
  // One more asks; declining ends the run without the sheet.
  modal.QueueBox(IDCANCEL,
                 u"行数が 3001 で所定の行数を超えています。絞り込みますか？\n「OK」：絞り込み　「キャンセル」：終了");
  EXPECT_EQ(Run(Csv("big(#TypeL).csv", 3000), INPUT_DROPPED), -1);
}

TEST_F(JobPipelineTest, ToolsAskedForOnDataWithoutFieldNamesStopBeforeTheSheet) {
  const CString path = FromFsPath(dir.Write("数値.csv", "1,2\r\n3,4\r\n"));
  modal.Queue(kNewFileDlg, [](CDialog& d) {
    ui::Click(d, 1250);  // "データ加工・集計ツールを起動"
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, u"CSVにフィールド行が無いのでデータ編集はできません。");
  EXPECT_EQ(Run(path, INPUT_DROPPED), 0);
  EXPECT_EQ(dlg.m_NewFileMode, -2);
}

// Regression: a job chosen after an earlier input had ticked the new-file
// dialog's box opened the order dialog and every tool blank, as for a new
// set-up, and its stored settings were overwritten on saving.
TEST_F(JobPipelineTest, AJobChosenAfterAnInputThatSetUpToolsIsReplayedAsStored) {
  theApp.m_CommandReUse = 1;
  // The job 売上/月次 sorts by 数量, descending, without showing the sort.
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kSort, 0};
  theApp.m_SortSetting = SORTKEYS{1, {1}, {SORT_AS_NUMBER}, {1}};
  theApp.SaveEditSettings(u"売上", u"月次", SETTINGSMODE_FILE);
  REUSECOMMAND job;
  job.csvFile = u"売上";
  job.jobName = u"月次";
  job.command = u"TypeL";
  job.outputKind = u"PDF";
  job.toolOrder = theApp.FormatToolOrder();
  theApp.m_ReuseCommands.push_back(job);
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  const fs::path stored = dir.path() / "DataEditTool";
  ASSERT_TRUE(fs::is_directory(stored));
  const fs::path file = fs::directory_iterator(stored)->path();
  const std::string storedText = testsupport::TempDir::Read(file);

  // First input: a new file whose tools are to be set up; the user leaves at the order.
  modal.Queue(kNewFileDlg, [](CDialog& d) {
    ui::Click(d, kRunToolsCheck);
    ui::Click(d, IDOK);
  });
  modal.QueueCancel(kOrderDlg);
  EXPECT_EQ(Run(Csv("仕入.csv", 2), INPUT_DROPPED), 0);

  // Second input: the stored job is chosen; the sort runs silently, as stored.
  modal.Queue(kChoiceDlg, [](CDialog& d) { ui::PressKey(d, kChoiceList, VK_RETURN); });
  modal.QueueCancel(kSheet);
  EXPECT_EQ(Run(Csv("売上.csv", 3), INPUT_DROPPED), IDCANCEL);
  EXPECT_EQ(dlg.m_NewFileMode, -1);
  EXPECT_EQ(dlg.m_OutputName, CString(u"月次"));
  EXPECT_EQ(theApp.m_ToolOrder[0].toolKind, ToolKind::kSort);
  EXPECT_EQ(theApp.m_SortSetting.sortCnt, 1);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(1, 1), CString(u"2"));
  EXPECT_EQ(theApp.m_DataGrid.GetAt(3, 1), CString(u"0"));
  EXPECT_EQ(testsupport::TempDir::Read(file), storedText);
}

TEST_F(JobPipelineTest, AnInputThatCannotBeReadStopsBeforeTheSheet) {
  modal.QueueBox(IDOK);
  EXPECT_EQ(Run(FromFsPath(dir.path() / "gone(#TypeL).csv"), INPUT_DROPPED), 0);
}

constexpr char16_t kDecodeErrorMessage[] =
    u"文字コードを正しく読み取れない文字があります。\n内容を確認してから実行してください。";
// UTF-8 with one byte that starts no character.
constexpr char kBadUtf8[] = "品名,数量\nり\xFFんご,3\n";

TEST_F(JobPipelineTest, AnInputWithUnreadableBytesWarnsOnceAndStillOpensTheSheet) {
  const CString path = FromFsPath(dir.Write("売上(#TypeL).csv", kBadUtf8));
  for (const int16_t kind : {INPUT_DROPPED, INPUT_FILE_DIALOG, INPUT_COMMAND_LINE}) {
    SCOPED_TRACE(kind);
    const size_t before = modal.Messages().size();
    modal.QueueBox(IDOK, kDecodeErrorMessage);
    modal.QueueCancel(kSheet);
    EXPECT_EQ(Run(path, kind), IDCANCEL);
    EXPECT_EQ(modal.Messages().size(), before + 1);
    EXPECT_EQ(theApp.m_DataRows, 2);
  }
  modal.QueueCancel(kSheet);  // a clean input shows no box
  EXPECT_EQ(Run(Csv("clean(#TypeL).csv", 2), INPUT_DROPPED), IDCANCEL);
}

TEST_F(JobPipelineTest, AWatchedInputWithUnreadableBytesStaysUnsentAndWarnsOnce) {
  theApp.m_WatchFolder = FromFsPath(dir.path());
  const fs::path watched = dir.Write("売上(#TypeL).csv", kBadUtf8);
  long long nowMs = 1000000;
  dlg.m_WatchNow = [&nowMs] { return nowMs; };
  auto scanTwice = [&] {
    for (int i = 0; i < 2; ++i) {
      nowMs += CTabroClientDlg::kWatchStillMs;
      dlg.ScanWatchFolder();
    }
    return dlg.m_WatchPending;
  };
  dlg.m_WatchRun = 1;
  ASSERT_EQ(scanTwice(), CString(u"売上(#TypeL).csv"));
  modal.QueueBox(IDOK, kDecodeErrorMessage);  // and no sheet, no send
  dlg.ProcessWatchFile(dlg.m_WatchPending);
  dlg.m_WatchPending.Empty();
  EXPECT_NE(dlg.m_WatchLastResult, 0u);
  EXPECT_EQ(dlg.m_LastSendResult, 1u);
  EXPECT_EQ(dlg.m_WatchDeleted, 0);
  EXPECT_TRUE(fs::exists(watched));
  EXPECT_EQ(modal.Messages().size(), 1u);
  // The unchanged file is not taken again, so it warns no more.
  EXPECT_TRUE(scanTwice().IsEmpty());
  dlg.m_WatchRun = 0;
  theApp.m_WatchFolder.Empty();
}

}  // namespace
