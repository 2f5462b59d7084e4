// The join step: hands the application's data grid and join definition to the join
// engine.

#include <filesystem>

#include "app/tabro_client_dlg.h"
#include "edittools/join/addcsv_join.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kNoTitleRow[] = u"CSVにフィールド名の行がありません。";
constexpr char16_t kAddCsvMissing[] = u"追加CSVが存在しません。処理を中止します。\n[%s]";

// False, with the message and the abort flag, when an additional CSV is not there.
// emptyIsMissing: a path that was never set counts as missing too.
bool AddCsvFilesExist(bool emptyIsMissing) {
  const int count = std::clamp(theApp.m_JoinDef.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  for (int i = 0; i < count; ++i) {
    const CString path = GetAddCsvPath(i);
    if (path.IsEmpty() && !emptyIsMissing) continue;
    std::error_code ec;
    if (path.IsEmpty() || !std::filesystem::is_regular_file(ToFsPath(path), ec)) {
      theApp.DoMessageBox(CString::Build(kAddCsvMissing, path));
      theApp.m_ToolAbort = 1;
      return false;
    }
  }
  return true;
}

}  // namespace

int CTabroClientDlg::RunAddCsvStep(int show, int inChain) {
  CTabroClientApp& app = theApp;
  if (app.m_TitleRow == -1) {
    app.DoMessageBox(CString(kNoTitleRow));
    return -1;
  }
  if (!AddCsvFilesExist(false)) return -1;

  // Replay from the stored definition.
  const JOINDEF& def = app.m_JoinDef;
  CAddcsvJoin join;
  join.SetGrids(app.m_DataGrid, app.m_StepGrid, app.m_DataRows, app.m_DataCols, app.m_TitleRow);
  const CString paths[JOIN_MAX_ADDCSV] = {GetAddCsvPath(0), GetAddCsvPath(1)};
  join.RestoreJoinSettings(def, paths, app.m_JoinAddNames);
  join.ClassifyColumns(0);
  join.LoadMainColumnNames();
  for (int i = 0; i < std::clamp(def.AddCsvCnt, 0, JOIN_MAX_ADDCSV); ++i) {
    join.LoadAddCsvPreview(i, paths[i]);
  }
  int joined = 0;
  {
    CWaitCursor wait;
    joined = def.SerealFg ? join.AppendSerial() : join.JoinByKeys();
  }
  join.SaveColumnNames(app.m_JoinMainNames, app.m_JoinAddNames, app.m_JoinKinds);
  // A join that failed or added nothing has said why and left the data as it was.
  return joined == 1 ? 0 : -1;
}
