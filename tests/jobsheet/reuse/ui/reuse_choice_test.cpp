// The main dialog's reusable-job decisions: which dialog a user meets at intake and
// after a run, and what a choice loads.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "app/tabro_client_dlg.h"
#include "platform/ui/dialog.h"
#include "platform/paths.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "support/temp_dir.h"

namespace {

constexpr unsigned kNewFileDlg = 302, kChoiceDlg = 270, kSaveDlg = 269;
constexpr int kRunToolsCheck = 1250, kChoiceNew = 1314, kModeNewName = 1151;

class ReuseChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.ClearReuseCommands();
    theApp.m_ProgramFolder = FromFsPath(dir_.path());
    theApp.m_CommandReUse = 1;
    theApp.m_ReuseJobNo = -1;
    theApp.m_LastCommand.Empty();
    theApp.m_LastToolText = CString(u"stale");
    theApp.m_NoReusePrompt = 0;
    theApp.ResetToolSettings(TOOL_RESET_ALL);
    dlg_.m_BaseName = CString(u"sales");
  }
  void TearDown() override {
    theApp.ClearReuseCommands();
    theApp.m_CommandReUse = 0;
    theApp.m_InputKind = INPUT_NONE;
    theApp.m_LastToolText.Empty();
    theApp.m_LastCommand.Empty();
  }
  void AddJob(const char16_t* csv, const char16_t* name, const char16_t* command, const char16_t* kind,
              const char16_t* tools = u"") {
    REUSECOMMAND job;
    job.csvFile = CString(csv);
    job.jobName = CString(name);
    job.command = CString(command);
    job.outputKind = CString(kind);
    job.toolOrder = CString(tools);
    theApp.m_ReuseCommands.push_back(job);
  }

  testsupport::TempDir dir_;
  CTabroClientDlg dlg_;
};

TEST_F(ReuseChoiceTest, NoJobsDroppedAsksWhetherToolsStart) {
  theApp.m_InputKind = INPUT_DROPPED;
  ScriptedModalDriver modal;
  modal.Queue(kNewFileDlg, [](CDialog& d) {
    ui::Click(d, kRunToolsCheck);
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg_.SelectReuseJob(), 0);
  EXPECT_EQ(dlg_.m_ReuseChoice, -2);
  EXPECT_EQ(dlg_.m_OutputName, CString(u"sales"));
  EXPECT_TRUE(theApp.m_LastToolText.IsEmpty());
}

TEST_F(ReuseChoiceTest, NoJobsPastedAsksNothing) {
  theApp.m_InputKind = INPUT_CLIPBOARD;
  ScriptedModalDriver modal;  // any dialog would fail the test
  EXPECT_EQ(dlg_.SelectReuseJob(), 0);
  EXPECT_EQ(dlg_.m_ReuseChoice, -1);
}

TEST_F(ReuseChoiceTest, WatchedFileWithoutJobsBecomesKindSeven) {
  theApp.m_InputKind = INPUT_WATCH_FOLDER;
  ScriptedModalDriver modal;
  modal.Queue(kNewFileDlg, [](CDialog& d) { ui::Click(d, IDOK); });
  EXPECT_EQ(dlg_.SelectReuseJob(), 0);
  EXPECT_EQ(dlg_.m_ReuseChoice, -1);
  EXPECT_EQ(theApp.m_InputKind, INPUT_REUSE_NEWFILE);
}

TEST_F(ReuseChoiceTest, WatchedFileWithOneJobTakesItSilently) {
  AddJob(u"Sales", u"other", u"TypeL", u"PDF");  // another base name by case only
  AddJob(u"sales", u"monthly", u"TypeT;Sum=3", u"CSV-SJIS", u"01-04");
  theApp.m_ReuseCommands.back().toolLines = {CString(u"@Header\n")};
  theApp.m_InputKind = INPUT_WATCH_FOLDER;
  ScriptedModalDriver modal;
  EXPECT_EQ(dlg_.SelectReuseJob(), 1);
  EXPECT_EQ(dlg_.m_Command, CString(u"TypeT;Sum=3"));
  EXPECT_EQ(theApp.m_LastCommand, CString(u"TypeT;Sum=3"));
  EXPECT_EQ(dlg_.m_OutputName, CString(u"monthly"));
  EXPECT_EQ(dlg_.m_JobSetting.m_OutputFormat, OutputFormat::kCsv);
  EXPECT_EQ(dlg_.m_JobSetting.m_CharCode, 1);
  EXPECT_EQ(theApp.m_ReuseJobNo, 2);
  EXPECT_EQ(theApp.m_CurrentReuse.toolLines.size(), 1u);
  EXPECT_EQ(theApp.m_LastToolText, CString(u"01-04"));
}

TEST_F(ReuseChoiceTest, ChosenPdfJobLeavesTheCodeAtNone) {
  AddJob(u"sales", u"a", u"TypeT", u"PDF");
  AddJob(u"sales", u"b", u"TypeL", u"EXCEL");
  theApp.m_InputKind = INPUT_DROPPED;
  dlg_.m_JobSetting.m_CharCode = 0;
  ScriptedModalDriver modal;
  modal.Queue(kChoiceDlg, [](CDialog& d) { ui::PressKey(d, 1205, VK_RETURN); });
  EXPECT_EQ(dlg_.SelectReuseJob(), 1);
  EXPECT_EQ(dlg_.m_OutputName, CString(u"a"));
  EXPECT_EQ(dlg_.m_JobSetting.m_CharCode, 2);
}

TEST_F(ReuseChoiceTest, CancelledChoiceChangesNothing) {
  AddJob(u"sales", u"a", u"TypeT", u"PDF");
  theApp.m_InputKind = INPUT_DROPPED;
  dlg_.m_OutputName = CString(u"before");
  ScriptedModalDriver modal;
  modal.QueueCancel(kChoiceDlg);
  EXPECT_EQ(dlg_.SelectReuseJob(), -1);
  EXPECT_EQ(dlg_.m_OutputName, CString(u"before"));
  EXPECT_EQ(theApp.m_ReuseJobNo, -1);
}

TEST_F(ReuseChoiceTest, NewJobInsteadOfAStoredOne) {
  AddJob(u"sales", u"a", u"TypeT", u"PDF");
  theApp.m_InputKind = INPUT_DROPPED;
  ScriptedModalDriver modal;
  modal.Queue(kChoiceDlg, [](CDialog& d) { ui::Click(d, kChoiceNew); });
  modal.Queue(kNewFileDlg, [](CDialog& d) { ui::Click(d, IDOK); });
  EXPECT_EQ(dlg_.SelectReuseJob(), 0);
  EXPECT_EQ(dlg_.m_ReuseChoice, -1);
  EXPECT_EQ(dlg_.m_OutputName, CString(u"sales"));
}

struct OfferCase {
  const char* name;
  const char16_t* last;
  const char16_t* now;
  int inputKind;
  int noPrompt;
  bool offered;
  int result;  // without a dialog
};

TEST_F(ReuseChoiceTest, WhenARunIsOffered) {
  const OfferCase cases[] = {
      {"same tokens in another order", u"Sum=3;TypeT", u"TypeT;Sum=3", INPUT_DROPPED, 0, false, 0},
      {"nothing at all", u"", u"", INPUT_DROPPED, 0, false, -1},
      {"watched input", u"TypeT", u"TypeL", INPUT_WATCH_FOLDER, 0, false, 0},
      {"LPEX or FGX", u"TypeT", u"TypeL", INPUT_COMMAND_LINE, 1, false, 0},
      {"a repeated token", u"Sum=3;TypeT", u"Sum=3;Sum=3", INPUT_DROPPED, 0, true, 0},
  };
  for (const OfferCase& c : cases) {
    theApp.m_LastCommand = CString(c.last);
    theApp.m_LastToolText.Empty();
    theApp.m_InputKind = static_cast<int16_t>(c.inputKind);
    theApp.m_NoReusePrompt = c.noPrompt;
    dlg_.m_Command = CString(c.now);
    ScriptedModalDriver modal;
    if (c.offered) modal.QueueCancel(kSaveDlg);
    EXPECT_EQ(dlg_.OfferReuseJob(1), c.result) << c.name;
  }
}

TEST_F(ReuseChoiceTest, NewJobIsProposedFreeAndSaved) {
  AddJob(u"sales", u"sales", u"TypeT", u"PDF");
  AddJob(u"sales", u"sales_1", u"TypeT", u"PDF");
  // Another input's job keeps its tools in sales_sales_2.txt, the file of "sales_2".
  AddJob(u"sales_sales", u"2", u"TypeT", u"PDF");
  theApp.m_InputKind = INPUT_DROPPED;
  dlg_.CollectSameCsvJobs();
  dlg_.m_Command = CString(u"TypeL");
  ScriptedModalDriver modal;
  modal.Queue(kSaveDlg, [](CDialog& d) {
    // No job was chosen for this input: only a new job can be registered.
    EXPECT_FALSE(ui::IsShown(d, 1199));
    EXPECT_EQ(ui::TextOf(d, kModeNewName), CString(u"sales_3"));
    ui::Click(d, IDOK);
  });
  dlg_.SaveReuseJob(CString(u"TypeL"), OutputFormat::kCsv, 0, CString(), 1);
  EXPECT_EQ(dlg_.m_ReuseSaveResult, 2);
  EXPECT_EQ(dlg_.m_OutputName, CString(u"sales_3"));
  EXPECT_EQ(theApp.m_ReuseJobNo, 4);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "ReuseCommandFile.txt"),
            "\"sales\",\"TypeT\",\"PDF\",\"sales\",0,0,0,\"\"\n"
            "\"sales\",\"TypeT\",\"PDF\",\"sales_1\",0,0,0,\"\"\n"
            "\"sales_sales\",\"TypeT\",\"PDF\",\"2\",0,0,0,\"\"\n"
            "\"sales\",\"TypeL\",\"CSV-UTF8\",\"sales_3\",0,0,0,\"\"\n");
}

TEST_F(ReuseChoiceTest, OverwriteChangesTheChosenJob) {
  AddJob(u"sales", u"sales", u"TypeT", u"PDF");
  theApp.m_InputKind = INPUT_DROPPED;
  theApp.m_ReuseJobNo = 1;
  theApp.m_LastCommand = CString(u"TypeT");
  dlg_.m_OutputName = CString(u"sales");
  dlg_.CollectSameCsvJobs();
  dlg_.m_Command = CString(u"TypeT;Sum=2");
  ScriptedModalDriver modal;
  modal.Queue(kSaveDlg, [](CDialog& d) { ui::Click(d, IDOK); });
  dlg_.SaveReuseJob(CString(u"TypeT;Sum=2"), OutputFormat::kExcel, 0, CString(), 1);
  EXPECT_EQ(dlg_.m_ReuseSaveResult, 3);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "ReuseCommandFile.txt"),
            "\"sales\",\"TypeT;Sum=2\",\"EXCEL\",\"sales\",0,0,0,\"\"\n");
}

// The job list cannot be written: the user is told, and the run counts as not
// kept, so the pipeline writes no settings file for a job the list does not have.
TEST_F(ReuseChoiceTest, AJobThatCouldNotBeSavedIsNotKept) {
  dir_.Write("ReuseCommandFile.txt", "\"sales\",\"TypeT\",\"PDF\",\"sales\"\n");
  theApp.LoadReuseCommands();
  theApp.m_InputKind = INPUT_DROPPED;
  dlg_.CollectSameCsvJobs();
  dlg_.m_Command = CString(u"TypeL");
  SetFileFaultHook([](FileOp op, const std::filesystem::path& path) {
    return op == FileOp::kCreate && path.filename() == "ReuseCommandFile.txt" ? EACCES : 0;
  });
  ScriptedModalDriver modal;
  modal.Queue(kSaveDlg, [](CDialog& d) { ui::Click(d, IDOK); });
  modal.QueueBox(IDOK, CString(u"再利用ジョブを保存できなかったため、変更内容は保存前の状態に戻しました。"));
  dlg_.SaveReuseJob(CString(u"TypeL"), OutputFormat::kPdf, 0, CString(), 1);
  SetFileFaultHook(nullptr);
  EXPECT_EQ(dlg_.m_ReuseSaveResult, 0);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "ReuseCommandFile.txt"), "\"sales\",\"TypeT\",\"PDF\",\"sales\"\n");
  EXPECT_EQ(theApp.m_ReuseCommands.size(), 1u);
}

}  // namespace
