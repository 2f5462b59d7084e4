// The reusable-job dialogs driven offscreen: the choice list, the save dialog and
// the editor.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/tabro_client_app.h"
#include "jobsheet/reuse/ui/overlap_list.h"
#include "jobsheet/reuse/ui/reuse_edit_dlg.h"
#include "jobsheet/reuse/ui/reuse_mode.h"
#include "platform/paths.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "support/temp_dir.h"
#include "support/look.h"

namespace {

constexpr int kChoiceList = 1205, kChoiceOk = 1319, kChoiceNew = 1314, kChoiceName = 1204;
constexpr int kModeOverwrite = 1199, kModeNew = 1200, kModeNone = 1201, kModeNewName = 1151,
              kModeCurName = 1152, kModeNames = 1211;
constexpr int kEditName = 1151, kEditLock = 1162, kEditByFile = 1209, kEditByCreation = 1210,
              kEditList = 1207, kEditDelete = 1074;

// A user's click on a row of a list: the mouse at the middle of the row's cell.
void ClickRow(CListCtrl& list, int row, int column = 1) {
  CRect cell;
  ASSERT_TRUE(list.GetSubItemRect(row, column, LVIR_BOUNDS, cell));
  ui::ClickAt(list, cell.CenterPoint());
}

std::vector<REUSECOMMAND_SAMECSVFILE> TwoJobs() {
  std::vector<REUSECOMMAND_SAMECSVFILE> jobs(2);
  jobs[0].jobName = CString(u"sales");
  jobs[0].command = CString(u"TypeT");
  jobs[0].outputFormat = OutputFormat::kPdf;
  jobs[1].jobName = CString(u"monthly");
  jobs[1].command = CString(u"TypeL");
  jobs[1].outputFormat = OutputFormat::kCsv;
  jobs[1].charCode = 1;
  jobs[1].toolOrder = CString(u"01-01/02-04");
  return jobs;
}

struct ChoiceCase {
  const char* name;
  std::function<void(COverlapList&)> act;
  int selected;
  int newRequested;
};

TEST(OverlapList, ChoosesWhatTheUserClicked) {
  const auto jobs = TwoJobs();
  const ChoiceCase cases[] = {
      {"click a row then OK", [](COverlapList& d) { ClickRow(d.m_List, 1); ui::Click(d, kChoiceOk); }, 1, 0},
      {"Enter before any click takes the first row", [](COverlapList& d) { ui::PressKey(d, kChoiceList, VK_RETURN); }, 0, 0},
      {"a click below the rows chooses none",
       [](COverlapList& d) {
         CRect last;
         d.m_List.GetItemRect(1, &last, LVIR_BOUNDS);
         ui::ClickAt(d.m_List, CPoint(last.left + 20, last.bottom + 30));
         ui::Click(d, kChoiceOk);
       },
       -1, 0},
      {"new job", [](COverlapList& d) { ui::Click(d, kChoiceNew); }, 0, 1},
  };
  for (const ChoiceCase& c : cases) {
    ScriptedModalDriver modal;
    COverlapList dlg;
    dlg.m_CsvName = CString(u"売上");
    dlg.m_Jobs = &jobs;
    dlg.m_JobCount = 2;
    modal.Queue(270, [&](CDialog& d) {
      auto& o = static_cast<COverlapList&>(d);
      EXPECT_EQ(d.GetWindowText(), CString(u"再利用ジョブ選択"));
      EXPECT_EQ(ui::TextOf(d, kChoiceName), CString(u"売上"));
      EXPECT_FALSE(ui::IsEnabled(d, kChoiceOk));
      EXPECT_EQ(o.m_List.GetItemText(1, 1), CString(u"monthly"));
      EXPECT_EQ(o.m_List.GetItemText(1, 2), CString(u"集,追"));
      EXPECT_EQ(o.m_List.GetItemText(1, 3), CString(u"TypeL"));
      EXPECT_EQ(o.m_FormatTexts, (std::vector<CString>{CString(u"PDF"), CString(u"CSV")}));
      KeepPicture(d, "overlap_list");
      c.act(o);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK) << c.name;
    EXPECT_EQ(dlg.m_Selected, c.selected) << c.name;
    EXPECT_EQ(dlg.m_NewRequested, c.newRequested) << c.name;
  }
}

// The command column was 100 pixels wide in a list of 650 and cut every
// command of some length with "…".
TEST(OverlapList, TheCommandTakesTheFreeWidth) {
  auto jobs = TwoJobs();
  jobs[0].command = CString(u"TypeL;Sort1=2;Title=月次売上表");
  ScriptedModalDriver modal;
  COverlapList dlg;
  dlg.m_Jobs = &jobs;
  dlg.m_JobCount = 2;
  modal.Queue(270, [&](CDialog& d) {
    auto& o = static_cast<COverlapList&>(d);
    CRect client;
    o.m_List.GetClientRect(&client);
    int widths = 0;
    for (int c = 0; c < 4; ++c) widths += o.m_List.GetColumnWidth(c);
    EXPECT_EQ(widths, client.Width());
    CClientDC dc(&o.m_List);
    dc.SelectObject(o.m_List.GetFont());
    EXPECT_LT(dc.GetTextExtent(jobs[0].command).cx + 12, o.m_List.GetColumnWidth(3));
    KeepPicture(d, "overlap_list_long_command");
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

TEST(OverlapList, CancelEndsWithTwo) {
  const auto jobs = TwoJobs();
  ScriptedModalDriver modal;
  COverlapList dlg;
  dlg.m_Jobs = &jobs;
  dlg.m_JobCount = 2;
  modal.Queue(270, [](CDialog& d) { ui::Click(d, IDCANCEL); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(ReuseMode, NewOnlyHidesOverwrite) {
  ScriptedModalDriver modal;
  CReuseMode dlg;
  dlg.SetJobNames(CString(u"sales"), CString(u"sales_2"), 1, 0, TwoJobs());
  modal.Queue(269, [](CDialog& d) {
    EXPECT_FALSE(ui::IsShown(d, kModeOverwrite));
    EXPECT_FALSE(ui::IsShown(d, kModeCurName));
    EXPECT_TRUE(ui::IsEnabled(d, kModeNewName));
    EXPECT_EQ(ui::TextOf(d, kModeNewName), CString(u"sales_2"));
    KeepPicture(d, "reuse_mode_new_only");
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Mode, 1);
  EXPECT_EQ(dlg.m_NewName, CString(u"sales_2"));
}

TEST(ReuseMode, OverwriteIsTheDefaultAndKeepsTheNameFieldOff) {
  ScriptedModalDriver modal;
  CReuseMode dlg;
  dlg.SetJobNames(CString(u"sales"), CString(u"sales_2"), 0, 0, TwoJobs());
  modal.Queue(269, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, kModeCurName), CString(u"sales"));
    EXPECT_FALSE(ui::IsEnabled(d, kModeNewName));
    EXPECT_FALSE(ui::IsEnabled(d, kModeNames));
    KeepPicture(d, "reuse_mode_overwrite");
    ui::Click(d, kModeNew);
    EXPECT_TRUE(ui::IsEnabled(d, kModeNewName));
    ui::Click(d, kModeOverwrite);
    EXPECT_FALSE(ui::IsEnabled(d, kModeNewName));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Mode, 0);
}

TEST(ReuseMode, LockedJobStartsOnANewJob) {
  ScriptedModalDriver modal;
  CReuseMode dlg;
  dlg.SetJobNames(CString(u"sales"), CString(u"sales_2"), 0, 1, TwoJobs());
  modal.Queue(269, [](CDialog& d) {
    EXPECT_TRUE(ui::IsEnabled(d, kModeNewName));
    EXPECT_TRUE(ui::IsShown(d, kModeOverwrite));
    ui::Click(d, kModeNone);  // "登録しない" ends the dialog at once
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_Mode, 2);
}

TEST(ReuseMode, RefusesNamesItCannotStore) {
  struct Case {
    const char16_t* typed;
    const char16_t* message;
  };
  const Case cases[] = {
      {u"", u"ジョブ名を登録してください。"},
      {u"monthly", u"ジョブ名が重複しています。修正して下さい"},
      {u"4/1", u"ジョブ名に次の文字は使用できません。\n/ \\ : * ? \" < > |"},
      // 85 kanji: "sales_" and ".txt" make 265 bytes, past the system's 255 for a file name.
      {u"漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢"
       u"漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢",
       u"ジョブ名が長すぎます。CSVファイル名とジョブ名を合わせて短くしてください。"},
      // "sales" + "x_y" and the stored "sales_x" + "y" both make sales_x_y.txt.
      {u"x_y", u"CSVファイル[sales]のジョブ名[x_y]は、CSVファイル[sales_x]のジョブ名[y]と同じ設定ファイルになります。"
               u"ジョブ名を変えてください"},
  };
  for (const Case& c : cases) {
    ScriptedModalDriver modal;
    CReuseMode dlg;
    dlg.SetJobNames(CString(u"sales"), CString(u"x"), 1, 0, TwoJobs());
    dlg.m_BaseName = CString(u"sales");
    dlg.m_StoredJobs = {{CString(u"sales"), CString(u"sales")}, {CString(u"sales_x"), CString(u"y")}};
    modal.Queue(269, [&](CDialog& d) {
      ui::Type(d, kModeNewName, CString(c.typed));
      ui::Click(d, IDOK);
      ui::Type(d, kModeNewName, CString(u"weekly"));
      ui::Click(d, IDOK);
    });
    modal.QueueBox(IDOK, CString(c.message));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_NewName, CString(u"weekly"));
  }
}

TEST(ReuseMode, ListsTheNamesInUse) {
  ScriptedModalDriver modal;
  CReuseMode dlg;
  dlg.SetJobNames(CString(u"sales"), CString(u"x"), 0, 0, TwoJobs());
  modal.Queue(269, [](CDialog& d) {
    ui::Click(d, kModeNew);
    ui::Click(d, kModeNames);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, CString(u"sales\nmonthly"));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// The editor over a real job list in a temporary program folder.
class ReuseEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.ClearReuseCommands();
    theApp.m_ProgramFolder = FromFsPath(dir_.path());
    theApp.m_CommandReUse = 1;
    std::filesystem::create_directories(dir_.path() / "DataEditTool");
    dir_.Write("DataEditTool/sales_b.txt", "@Header\n");
    dir_.Write("ReuseCommandFile.txt",
               "\"sales\",\"TypeT\",\"PDF\",\"b\"\n"
               "\"Sales\",\"TypeL\",\"EXCEL\",\"a\"\n"
               "\"sales\",\"TypeS\",\"CSV\",\"B\"\n");
    theApp.LoadReuseCommands();
  }
  void TearDown() override {
    theApp.ClearReuseCommands();
    theApp.m_CommandReUse = 0;
  }
  std::string List() const { return testsupport::TempDir::Read(dir_ / "ReuseCommandFile.txt"); }

  testsupport::TempDir dir_;
};

std::vector<CString> Names(CListCtrl& list) {
  std::vector<CString> names;
  for (int r = 0; r < list.GetItemCount(); ++r) names.push_back(list.GetItemText(r, 2));
  return names;
}

TEST_F(ReuseEditTest, RenameLockAndDeleteAreKeptOnOk) {
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    // Base name first, upper case first: Sales/a, sales/B, sales/b.
    EXPECT_EQ(Names(e.m_List), (std::vector<CString>{CString(u"a"), CString(u"B"), CString(u"b")}));
    EXPECT_FALSE(ui::IsEnabled(d, kEditName));
    EXPECT_FALSE(ui::IsEnabled(d, kEditDelete));
    KeepPicture(d, "reuse_edit");
    ClickRow(e.m_List, 2);
    EXPECT_EQ(ui::TextOf(d, kEditName), CString(u"b"));
    ui::Type(d, kEditName, CString(u"weekly"));
    ui::Click(d, kEditLock);
    EXPECT_EQ(e.m_List.GetItemText(2, 5), CString(u"X"));
    ClickRow(e.m_List, 0);
    ui::Click(d, kEditDelete);
    // Deleting the first row selects the new first row.
    EXPECT_EQ(ui::TextOf(d, kEditName), CString(u"B"));
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(List(),
            "\"sales\",\"TypeT\",\"PDF\",\"weekly\",0,1,0,\"\"\n"
            "\"sales\",\"TypeS\",\"CSV\",\"B\",0,0,0,\"\"\n");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "DataEditTool/sales_weekly.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "DataEditTool/sales_b.txt"));
}

TEST_F(ReuseEditTest, DuplicateNameIsRefusedAndNothingWritten) {
  const std::string before = List();
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    ClickRow(e.m_List, 1);
    ui::Type(d, kEditName, CString(u"b"));
    ui::Click(d, IDOK);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, CString(u"CSVファイル[sales]でジョブ名[b]が重複しています"));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(List(), before);
}

// Two inputs' jobs must not keep their tools in one settings file: saving one
// would overwrite the other's.
TEST_F(ReuseEditTest, ANameSharingAnotherJobsSettingsFileIsRefused) {
  dir_.Write("ReuseCommandFile.txt", "\"a_b\",\"TypeT\",\"PDF\",\"c\"\n\"a\",\"TypeL\",\"PDF\",\"x\"\n");
  dir_.Write("DataEditTool/a_b_c.txt", "@Header\n");
  theApp.ClearReuseCommands();
  theApp.LoadReuseCommands();
  const std::string before = List();
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    ClickRow(e.m_List, 0);   // a/x
    ui::Type(d, kEditName, CString(u"b_c"));
    ui::Click(d, IDOK);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, CString(u"CSVファイル[a]のジョブ名[b_c]は、CSVファイル[a_b]のジョブ名[c]と同じ設定ファイルになります。"
                               u"ジョブ名を変えてください"));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(List(), before);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "DataEditTool/a_b_c.txt"), "@Header\n");
}

TEST_F(ReuseEditTest, OrderSwitchShowsStoredNamesAndKeepsDeletedRowsHidden) {
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    ClickRow(e.m_List, 0);
    ui::Type(d, kEditName, CString(u"typed"));
    ClickRow(e.m_List, 1);
    ui::Click(d, kEditDelete);  // sales/B
    ui::Click(d, kEditByCreation);
    EXPECT_EQ(Names(e.m_List), (std::vector<CString>{CString(u"b"), CString(u"a")}));
    EXPECT_FALSE(ui::IsEnabled(d, kEditName));
    ui::Click(d, kEditByFile);
    EXPECT_EQ(Names(e.m_List), (std::vector<CString>{CString(u"a"), CString(u"b")}));
    ui::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// Regression: the name edit's change handler read the check box back while a
// selection filled the controls, so a locked job showed the previous job's box.
TEST_F(ReuseEditTest, TheLockBoxShowsTheSelectedJob) {
  dir_.Write("ReuseCommandFile.txt",
             "\"sales\",\"TypeT\",\"PDF\",\"a\",0,1,0,\"\"\n"
             "\"sales\",\"TypeL\",\"PDF\",\"b\",0,0,0,\"\"\n");
  theApp.ClearReuseCommands();
  theApp.LoadReuseCommands();
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    const int order[] = {1, 0, 1, 0};  // b (open), a (locked), and again
    for (int row : order) {
      ClickRow(e.m_List, row);
      EXPECT_EQ(d.IsDlgButtonChecked(kEditLock), row == 0 ? unsigned(BST_CHECKED) : unsigned(BST_UNCHECKED)) << row;
    }
    ui::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(List(),
            "\"sales\",\"TypeT\",\"PDF\",\"a\",0,1,0,\"\"\n"
            "\"sales\",\"TypeL\",\"PDF\",\"b\",0,0,0,\"\"\n");
}

// A job name whose settings file name would pass the system's limit is refused
// where it is typed, before anything is written.
TEST_F(ReuseEditTest, ANameTooLongForItsSettingsFileIsRefused) {
  const std::string before = List();
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    ClickRow(e.m_List, 2);
    CString name;
    for (int i = 0; i < 83; ++i) name += u"漢";  // "sales_" + 249 bytes + ".txt" = 259
    ui::Type(d, kEditName, name);
    ui::Click(d, IDOK);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, CString(u"ジョブ名が長すぎます。CSVファイル名とジョブ名を合わせて短くしてください。"));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(List(), before);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "DataEditTool/sales_b.txt"));
}

// Regression: with a job list that could not be replaced, OK had already moved the
// settings files and closed without a word.
TEST_F(ReuseEditTest, AListThatCannotBeWrittenMovesNoSettingsFileAndSaysSo) {
  const std::string before = List();
  std::filesystem::permissions(dir_ / "ReuseCommandFile.txt", std::filesystem::perms::owner_read);
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    ClickRow(e.m_List, 2);  // sales/b, the job with a settings file
    ui::Type(d, kEditName, CString(u"weekly"));
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, CString(u"再利用ジョブを保存できなかったため、変更内容は保存前の状態に戻しました。"));
  dlg.DoModal();
  std::filesystem::permissions(dir_ / "ReuseCommandFile.txt", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(List(), before);
  EXPECT_EQ(testsupport::TempDir::Read(dir_ / "DataEditTool/sales_b.txt"), "@Header\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "DataEditTool/sales_weekly.txt"));
  // The reload shows the jobs as they are on disk.
  ASSERT_EQ(theApp.m_ReuseCommands.size(), 3u);
  EXPECT_EQ(theApp.m_ReuseCommands[0].jobName, CString(u"b"));
}

TEST_F(ReuseEditTest, SaysSoWhenReuseIsOff) {
  theApp.m_CommandReUse = 0;
  const std::string before = List();
  ScriptedModalDriver modal;
  CReuseEditDlg dlg;
  modal.Queue(271, [](CDialog& d) {
    auto& e = static_cast<CReuseEditDlg&>(d);
    ClickRow(e.m_List, 0);
    ui::Click(d, kEditDelete);
    ui::Click(d, IDOK);
  });
  modal.QueueBox(IDOK, CString(u"再利用ジョブが無効に設定されているため、変更内容は保存できません。"));
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(List(), before);
}

}  // namespace
