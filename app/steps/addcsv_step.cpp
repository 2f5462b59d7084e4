// The join step: hands the application's data grid and join definition to the join
// engine.

#include <filesystem>

#include "app/app_grids.h"
#include "app/steps/join_replay.h"
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "edittools/join/addcsv_join.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kNoTitleRow[] = u"CSVにフィールド名の行がありません。";
constexpr char16_t kAddCsvMissing[] = u"追加CSVが存在しません。処理を中止します。\n[%s]";
constexpr char16_t kSubNotAFolder[] =
    u"監視フォルダのSubがリンクまたはフォルダ以外のため、追加CSVを読み込めません。処理を中止します。\n[%s]";
constexpr char16_t kAddCsvNotAFile[] =
    u"追加CSVがリンクまたは通常のファイル以外のため、読み込めません。処理を中止します。\n[%s]";

// The message for an additional CSV that cannot be used; empty when it can.
// From the watch folder, "Sub" and the file in it are taken only as they are,
// never through a link: the files there are deleted after the job.
CString AddCsvRefusal(const CString& path) {
  if (path.IsEmpty()) return CString::Build(kAddCsvMissing, path);
  if (theApp.m_InputKind == INPUT_WATCH_FOLDER) {
    switch (CheckWatchSubFile(theApp.m_WatchFolder, FileNameOf(path))) {
      case WatchSubFile::kUsable: return CString();
      case WatchSubFile::kMissing: return CString::Build(kAddCsvMissing, path);
      case WatchSubFile::kSubNotAFolder: return CString::Build(kSubNotAFolder, FolderOf(path));
      case WatchSubFile::kNotARegularFile: return CString::Build(kAddCsvNotAFile, path);
    }
  }
  std::error_code ec;
  return std::filesystem::is_regular_file(ToFsPath(path), ec) ? CString() : CString::Build(kAddCsvMissing, path);
}

// False, with the message and the abort flag, when an additional CSV is not there.
// emptyIsMissing: a path that was never set counts as missing too.
bool AddCsvFilesExist(bool emptyIsMissing) {
  const int count = std::clamp(theApp.m_JoinDef.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  for (int i = 0; i < count; ++i) {
    const CString path = GetAddCsvPath(i);
    if (path.IsEmpty() && !emptyIsMissing) continue;
    const CString refusal = AddCsvRefusal(path);
    if (!refusal.IsEmpty()) {
      theApp.DoMessageBox(refusal);
      theApp.m_ToolAbort = 1;
      return false;
    }
  }
  return true;
}

// The join editor's outcome as a step result.
int AddCsvWithEditor(int inChain) {
  CTabroClientApp& app = theApp;
  if (!AddCsvFilesExist(true)) return -1;
  const int updateFg = app.m_JoinDef.AddCsvUpdateFg;
  AddCsvDialogIo io;
  io.inChain = inChain;
  io.csvPath = app.m_CsvPath;
  io.csvTitle = StemOf(app.m_CsvPath);
  if (GetUpCalls().addCsv(io) != IDOK) return -1;
  if (io.removedAll) {
    // Nothing left to join: the data go on unchanged, and the running job forgets
    // its stored tool settings.
    CopyDataGridToStepGrid(app.m_DataGrid, app.m_StepGrid, app.m_DataRows, app.m_DataCols);
    if (app.m_ReuseJobNo > 0 && app.m_ReuseJobNo <= static_cast<int>(app.m_ReuseCommands.size())) {
      app.m_ReuseCommands[static_cast<size_t>(app.m_ReuseJobNo - 1)].toolLines.clear();
    }
    app.m_CurrentReuse.toolLines.clear();
    return 0;
  }
  if (io.skipped) return 1;
  app.m_JoinDef.AddCsvUpdateFg = updateFg;
  return 0;
}

}  // namespace

void PrepareJoinReplay(CAddcsvJoin& join) {
  CTabroClientApp& app = theApp;
  const JOINDEF& def = app.m_JoinDef;
  join.SetGrids(app.m_DataGrid, app.m_StepGrid, app.m_DataRows, app.m_DataCols, app.m_TitleRow);
  const CString paths[JOIN_MAX_ADDCSV] = {GetAddCsvPath(0), GetAddCsvPath(1)};
  join.RestoreJoinSettings(def, paths, app.m_JoinAddNames);
  join.ClassifyColumns(0);
  join.LoadMainColumnNames();
  for (int i = 0; i < std::clamp(def.AddCsvCnt, 0, JOIN_MAX_ADDCSV); ++i) {
    join.LoadAddCsvPreview(i, paths[i]);
  }
}

int CTabroClientDlg::RunAddCsvStep(int show, int inChain) {
  CTabroClientApp& app = theApp;
  if (app.m_TitleRow == -1) {
    app.DoMessageBox(CString(kNoTitleRow));
    return -1;
  }
  if (!AddCsvFilesExist(false)) return -1;
  if (show) return AddCsvWithEditor(inChain);

  // Replay from the stored definition.
  const JOINDEF& def = app.m_JoinDef;
  CAddcsvJoin join;
  PrepareJoinReplay(join);
  int joined = 0;
  {
    CWaitCursor wait;
    joined = def.SerealFg ? join.AppendSerial() : join.JoinByKeys();
  }
  join.SaveColumnNames(app.m_JoinMainNames, app.m_JoinAddNames, app.m_JoinKinds);
  // A join that failed or added nothing has said why and left the data as it was.
  return joined == 1 ? 0 : -1;
}
