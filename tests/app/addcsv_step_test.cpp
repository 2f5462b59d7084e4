#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

class AddCsvStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.ResetToolSettings(TOOL_RESET_ALL);
    theApp.m_DataGrid.Clear();
    theApp.m_StepGrid.Clear();
    const char16_t* cells[3][2] = {{u"コード", u"数量"}, {u"A01", u"3"}, {u"A02", u"5"}};
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 2; ++c) theApp.m_DataGrid[r][c] = cells[r][c];
    }
    theApp.m_DataRows = 3;
    theApp.m_DataCols = 2;
    theApp.m_TitleRow = 0;
    theApp.m_ToolAbort = 0;
    theApp.m_InputKind = INPUT_DROPPED;
    JOINDEF& def = theApp.m_JoinDef;
    def.AddCsvCnt = 1;
    def.AddCsvCols[0] = 2;
    def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  }
  void TearDown() override {
    theApp.m_InputKind = INPUT_NONE;
    theApp.m_WatchFolder.Empty();
    theApp.ResetToolSettings(TOOL_RESET_ALL);
  }

  testsupport::TempDir dir_;
  RecordingUiHooks hooks_;
  CTabroClientDlg dlg_;
};

TEST_F(AddCsvStepTest, MissingAdditionalCsvAbandonsTheInput) {
  const CString path = FromFsPath(dir_ / "gone.csv");
  theApp.m_JoinDef.AddCsvPath[0] = path;
  EXPECT_EQ(dlg_.RunAddCsvStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(theApp.m_ToolAbort, 1);
  ASSERT_EQ(hooks_.Messages().size(), 1u);
  EXPECT_EQ(hooks_.Messages()[0], CString::Build(u"追加CSVが存在しません。処理を中止します。\n[%s]", path));
  EXPECT_EQ(theApp.m_DataCols, 2);
}

TEST_F(AddCsvStepTest, WatchFolderInputTakesTheFileFromSub) {
  std::filesystem::create_directories(dir_ / "Sub");
  dir_.Write("Sub/price.csv", "コード,単価\nA01,100\nA02,80\n");
  theApp.m_InputKind = INPUT_WATCH_FOLDER;
  theApp.m_WatchFolder = FromFsPath(dir_.path());
  theApp.m_JoinDef.AddCsvPath[0] = u"/elsewhere/price.csv";
  EXPECT_EQ(dlg_.RunAddCsvStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_RAN);
  EXPECT_TRUE(hooks_.Messages().empty());
  EXPECT_EQ(theApp.m_DataCols, 3);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(2, 2), CString(u"80"));
  // The names of the join are kept for the next replay.
  ASSERT_EQ(theApp.m_JoinAddNames[0].size(), 2u);
  EXPECT_EQ(theApp.m_JoinAddNames[0][1], CString(u"単価"));

  theApp.m_JoinDef.AddCsvPath[0] = u"/elsewhere/other.csv";
  EXPECT_EQ(dlg_.RunAddCsvStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(theApp.m_ToolAbort, 1);
}

// A watched job whose "Sub" is a link (master data linked instead of copied),
// or whose additional CSV in "Sub" is a link or not a file, is refused with a
// message: nothing is read, and the job ends before anything could be deleted.
TEST_F(AddCsvStepTest, WatchFolderInputRefusesLinksInSubAndFilesThatAreNotRegular) {
  namespace fs = std::filesystem;
  enum class Place { kSubIsLink, kFileIsLink, kFileIsFolder, kFileIsPipe };
  struct Row {
    const char* name;
    Place place;
    const char16_t* message;
  };
  const Row rows[] = {
      {"Sub a link", Place::kSubIsLink,
       u"監視フォルダのSubがリンクまたはフォルダ以外のため、追加CSVを読み込めません。処理を中止します。\n[%s]"},
      {"file a link", Place::kFileIsLink,
       u"追加CSVがリンクまたは通常のファイル以外のため、読み込めません。処理を中止します。\n[%s]"},
      {"file a folder", Place::kFileIsFolder,
       u"追加CSVがリンクまたは通常のファイル以外のため、読み込めません。処理を中止します。\n[%s]"},
      {"file a pipe", Place::kFileIsPipe,
       u"追加CSVがリンクまたは通常のファイル以外のため、読み込めません。処理を中止します。\n[%s]"},
  };
  for (const Row& r : rows) {
    testsupport::TempDir watch, master;
    const fs::path kept = master.Write("price.csv", "コード,単価\nA01,100\n");
    const fs::path sub = watch.path() / "Sub";
    if (r.place == Place::kSubIsLink) {
      fs::create_directory_symlink(master.path(), sub);
    } else {
      fs::create_directories(sub);
      if (r.place == Place::kFileIsLink) fs::create_symlink(kept, sub / "price.csv");
      if (r.place == Place::kFileIsFolder) fs::create_directories(sub / "price.csv");
      if (r.place == Place::kFileIsPipe) {
        ASSERT_EQ(::mkfifo((sub / "price.csv").c_str(), 0600), 0);
      }
    }
    hooks_.Clear();
    theApp.m_ToolAbort = 0;
    theApp.m_InputKind = INPUT_WATCH_FOLDER;
    theApp.m_WatchFolder = FromFsPath(watch.path());
    theApp.m_JoinDef.AddCsvPath[0] = u"/elsewhere/price.csv";
    EXPECT_EQ(dlg_.RunAddCsvStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED) << r.name;
    EXPECT_EQ(theApp.m_ToolAbort, 1) << r.name;
    const CString named = FromFsPath(r.place == Place::kSubIsLink ? sub : sub / "price.csv");
    EXPECT_EQ(hooks_.Messages(), std::vector<CString>{CString::Build(r.message, named)}) << r.name;
    EXPECT_EQ(theApp.m_DataCols, 2) << r.name;
    EXPECT_EQ(testsupport::TempDir::Read(kept), "コード,単価\nA01,100\n") << r.name;
  }
}

TEST_F(AddCsvStepTest, NoFieldNameRowIsRefused) {
  theApp.m_TitleRow = -1;
  EXPECT_EQ(dlg_.RunAddCsvStep(STEP_FROM_SETTINGS, STEP_IN_CHAIN), STEP_CANCELLED);
  EXPECT_EQ(theApp.m_ToolAbort, 0);
  ASSERT_EQ(hooks_.Messages().size(), 1u);
  EXPECT_EQ(hooks_.Messages()[0], CString(u"CSVにフィールド名の行がありません。"));
}

// What the editor stand-in does when the step opens it.
struct EditorScript {
  int answer = IDOK;
  int skipped = 0;
  int removedAll = 0;
  int calls = 0;
  AddCsvDialogIo seen;
};
EditorScript g_editor;

int ScriptedEditor(AddCsvDialogIo& io) {
  ++g_editor.calls;
  g_editor.seen = io;
  io.skipped = g_editor.skipped;
  io.removedAll = g_editor.removedAll;
  theApp.m_JoinDef.AddCsvUpdateFg = 0;   // the editor clears it when it stores
  return g_editor.answer;
}

TEST_F(AddCsvStepTest, EditorOutcomesBecomeStepResults) {
  dir_.Write("price.csv", "コード,単価\nA01,100\n");
  theApp.m_JoinDef.AddCsvPath[0] = FromFsPath(dir_ / "price.csv");
  theApp.m_CsvPath = u"/data/sales.csv";
  GetUpCalls().addCsv = &ScriptedEditor;
  struct Case {
    const char* name;
    int answer, skipped, removedAll;
    int result;
  };
  constexpr Case kCases[] = {
      {"cancel", IDCANCEL, 0, 0, -1},
      {"skip", IDOK, 1, 0, 1},
      {"all additional CSVs removed, even with skip", IDOK, 1, 1, 0},
      {"joined", IDOK, 0, 0, 0},
  };
  for (const Case& c : kCases) {
    g_editor = EditorScript{c.answer, c.skipped, c.removedAll};
    theApp.m_JoinDef.AddCsvUpdateFg = 7;
    theApp.m_CurrentReuse.toolLines = {CString(u"@Header\n")};
    EXPECT_EQ(dlg_.RunAddCsvStep(STEP_WITH_DIALOG, STEP_IN_CHAIN), c.result) << c.name;
    EXPECT_EQ(g_editor.seen.inChain, 1) << c.name;
    EXPECT_EQ(g_editor.seen.csvTitle, CString(u"sales")) << c.name;
    EXPECT_EQ(theApp.m_CurrentReuse.toolLines.empty(), c.removedAll == 1) << c.name;
    if (c.result == 0 && !c.removedAll) {
      EXPECT_EQ(theApp.m_JoinDef.AddCsvUpdateFg, 7) << c.name;
    }
  }
  EXPECT_TRUE(hooks_.Messages().empty());

  // With the editor an additional CSV without a path counts as missing.
  g_editor = EditorScript{};
  theApp.m_JoinDef.AddCsvPath[0].Empty();
  EXPECT_EQ(dlg_.RunAddCsvStep(STEP_WITH_DIALOG, STEP_ALONE), STEP_CANCELLED);
  EXPECT_EQ(g_editor.calls, 0);
  EXPECT_EQ(theApp.m_ToolAbort, 1);
  GetUpCalls().addCsv = nullptr;
}

}  // namespace
