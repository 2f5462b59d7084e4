// The main dialog's intake: start-up, a dropped or chosen file, the clipboard,
// the command-line file, and the return to the empty drop zone.
#include <filesystem>
#include <memory>

#include "grid/csv_file_kind.h"
#include "app/app_startup.h"
#include "app/command_line.h"
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "app/user_settings.h"
#include "app/ui/excel_list_type_select_dlg.h"
#include "app/ui/name_dlg.h"
#include "edittools/chain/edit_settings_path.h"
#include "grid/csv_split.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/usage_line.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "res/main_dlg.h"

namespace {

constexpr char16_t kDemoServerMessage[] = u"検証用としてデモ環境に接続します。";
constexpr char16_t kClipboardTitle[] = u"クリップボード";

// Where ":" or a double separator starts, counted over the path: more than one
// means the drop named two files.
int DriveOrShareMarks(const CString& path) {
  int marks = 0;
  for (int i = 0; i < path.GetLength(); ++i) {
    if (path[i] == u':') ++marks;
    if (i + 1 < path.GetLength() && path[i] == u'\\' && path[i + 1] == u'\\') ++marks;
  }
  return marks;
}

void ReloadReuseJobs() {
  theApp.ClearReuseCommands();
  theApp.LoadReuseCommands();
}

bool IsRegularInput(const CString& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(ToFsPath(path), ec);
}

// A temporary file this old is no live save of another instance.
constexpr int kStaleWriterSeconds = 60;

}  // namespace

void CTabroClientDlg::OnInitDialog() {
  theApp.LoadWatchSettings();
  theApp.LoadUserSettings();
  // A save killed mid-write leaves its temporary file beside the documents.
  RemoveStaleWriterFiles(DocumentFolder(theApp.m_SaveDirectory), kStaleWriterSeconds);
  // ... and beside the job list and the jobs' settings files.
  RemoveStaleWriterFiles(theApp.m_ProgramFolder, kStaleWriterSeconds);
  RemoveStaleWriterFiles(EditSettingsFolder(theApp.m_ProgramFolder), kStaleWriterSeconds);
  CTabroOperation& op = theApp.m_Operation;
  op.LoadOnpremisesIni();
  op.LoadSystemIni();
  op.m_Initialized = 1;
  op.QueryPrintCount();
  if (theApp.m_PrintCountKnown && theApp.m_PrintContract - theApp.m_PrintUsed < 1) {
    GetUiHooks().MessageBox(CString(kUsageExceededText), CString(u"お知らせ"), MB_ICONWARNING);
  }
  if (op.m_Server.m_AltServerBaseUrl.IsEmpty()) {
    theApp.m_ServerConnectMode = 0;
  } else if (theApp.m_ServerConnectMode == 1) {
    theApp.DoMessageBox(CString(kDemoServerMessage));
  }
  theApp.LoadReuseCommands();
  if (theApp.m_InputKind == INPUT_COMMAND_LINE || theApp.m_InputKind == INPUT_DROPPED) {
    theApp.m_WatchingMode = 0;
    if (!m_InputPath.IsEmpty() && m_View) m_View->StartTimer(res::IDT_COMMAND_LINE_START, 500);
  } else {
    StartWatchThread();
  }
  op.m_ShowMessages = 1;
}

namespace {

// A direct send goes out with the file's data, so the file is read first and
// laid out as the CSV page would show it.
bool LoadForDirectSend(CTabroClientDlg& dlg) {
  auto scratch = std::make_unique<CCsvPropPage>();
  if (dlg.LoadCsv(dlg.m_InputPath, scratch.get(), LOAD_FILE) != 1) return false;
  return dlg.FillCsvPage(dlg.m_InputPath, scratch.get(), RUN_NEW_INPUT) == 1;
}

}  // namespace

bool CTabroClientDlg::SendWithHeldKey(bool commandLine) {
  UiHooks& hooks = GetUiHooks();
  const bool shift = hooks.IsKeyDown(UiKey::Shift);
  const bool ctrl = !shift && hooks.IsKeyDown(UiKey::Control);
  if (!shift && !ctrl) return false;
  if (shift) {
    theApp.m_RunVariant = 1;
    m_JobSetting.m_DocKind = DOC_KIND_TABULATION;
    m_JobSetting.m_SubKind = TAB_SUBKIND_TYPETX;
    if (commandLine) {
      m_JobSetting.m_OutputFormat = OutputFormat::kExcel;
      const int type = theApp.m_ShiftStartExcelListType;
      if (type == 1) {
        m_JobSetting.m_ListDoc = 2;
      } else if (type != 0) {
        m_JobSetting.m_ListDoc = 3;
      } else {
        CExcelListTypeSelectDlg dlg;
        dlg.DoModal();
        // Closed without a choice: the grouped list, the dialog's first offer.
        m_JobSetting.m_ListDoc = static_cast<uint8_t>(
            dlg.m_ListType == CExcelListTypeSelectDlg::kNoListType ? CExcelListTypeSelectDlg::kGrouped
                                                                   : dlg.m_ListType);
      }
    }
    if (LoadForDirectSend(*this)) {
      SendJob(SEND_DOCUMENT, SEND_DATA_GRID, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
    }
    ResetJobSettings(RESET_JOB_AND_GRIDS);
    return true;
  }
  theApp.m_RunVariant = 2;
  if (!commandLine) {
    if (LoadForDirectSend(*this)) {
      SendJob(SEND_DOCUMENT, SEND_DATA_GRID, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
    }
    return true;
  }
  // Ctrl at a command-line start: the file's reusable job, sent as stored. A
  // cancelled choice sends nothing.
  if (GetUpCalls().selectReuseJob(*this) == -1) return true;
  if (!theApp.m_LastToolText.IsEmpty()) {
    theApp.ResetToolSettings(TOOL_RESET_ALL);
    theApp.LoadEditSettings(m_BaseName, m_OutputName);
  }
  if (!LoadForDirectSend(*this)) return true;
  if (theApp.m_JoinDef.AddCsvCnt > 0) {
    GetUpCalls().replayJoin(*this);
  }
  SendJob(SEND_DOCUMENT, SEND_REUSE_JOB, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
  return true;
}

namespace {

// While a window input is being chosen or checked (its dialogs run their own
// loops), the watch folder waits: no watched job may start in between.
class InputBusyScope {
 public:
  explicit InputBusyScope(std::atomic<int>& busy) : m_busy(busy) { m_busy = 1; }
  ~InputBusyScope() { m_busy = 0; }
  InputBusyScope(const InputBusyScope&) = delete;
  InputBusyScope& operator=(const InputBusyScope&) = delete;

 private:
  std::atomic<int>& m_busy;
};

}  // namespace

void CTabroClientDlg::OnTimer(unsigned id) {
  if (id != res::IDT_COMMAND_LINE_START || !m_View) return;
  m_View->KillTimer(id);
  InputBusyScope busy(m_InputBusy);
  ShowButton(res::IDC_MAIN_SELECT_FILE, true);
  SetDropZoneText(FileNameOf(m_InputPath));
  ResetInputState();
  if (CheckFileName(m_InputPath) == 0) {
    ResetDropZone();
    return;
  }
  if (SendWithHeldKey(true)) {
    EndMainDialog(IDOK);
    return;
  }
  StartInput(RUN_NEW_INPUT);
}

void CTabroClientDlg::OnDropFiles(const std::vector<CString>& paths) {
  if (paths.empty() || m_InputBusy) return;
  InputBusyScope busy(m_InputBusy);
  ReloadReuseJobs();
  const CString path = paths.front();
  if (DriveOrShareMarks(path) > 1) {
    theApp.DoMessageBox(CString(kTwoFilesMessage));
    return;
  }
  if (CsvFileKindOf(path) == CsvFileKind::kNone) return;
  // A pipe or a device would block the window while it is read.
  if (!IsRegularInput(path)) {
    theApp.DoMessageBox(CString(kNoAccessMessage));
    return;
  }
  ResetJobSettings(RESET_JOB_AND_GRIDS);
  m_InputPath = path;
  theApp.m_CsvPath = path;
  ShowButton(res::IDC_MAIN_SELECT_FILE, true);
  SetDropZoneText(FileNameOf(path));
  theApp.m_InputKind = INPUT_DROPPED;
  theApp.m_RunVariant = 0;
  ResetInputState();
  if (CheckFileName(m_InputPath) == 0) {
    ResetDropZone();
    return;
  }
  if (!SendWithHeldKey(false)) StartInput(RUN_NEW_INPUT);
  SetDropZoneText(CString(res::kDropZoneText));
}

int CTabroClientDlg::SelectInputFile(CString& path) {
  CString initial = m_LastFolder;
  if (initial.IsEmpty()) {
    // The desktop's own Desktop folder (デスクトップ on a Japanese desktop), or
    // the home folder where there is none.
    initial = GetUserFolder(UserFolder::kDesktop);
    std::error_code ec;
    if (!std::filesystem::is_directory(ToFsPath(initial), ec)) initial = GetUserFolder(UserFolder::kHome);
  }
  path = GetUiHooks().ChooseOpenFile(CString(kDataFileChooserTitle), CString(kDataFileFilter), initial);
  if (path.IsEmpty()) return IDCANCEL;
  CString folder, name;
  SplitPath(folder, name, path);
  m_LastFolder = JoinPath(folder, CString());
  return IDOK;
}

void CTabroClientDlg::OnSelectFile() {
  if (m_InputBusy) return;
  InputBusyScope busy(m_InputBusy);
  ReloadReuseJobs();
  ResetJobSettings(RESET_JOB_AND_GRIDS);
  CString chosen;
  const bool confirmed = SelectInputFile(chosen) == IDOK;
  if (!confirmed && m_InputPath.IsEmpty()) {
    ShowButton(res::IDC_MAIN_FROM_CLIPBOARD, true);
    SetDropZoneText(CString(res::kDropZoneText));
    return;
  }
  if (confirmed && !IsRegularInput(chosen)) {
    theApp.DoMessageBox(CString(kNoAccessMessage));
    return;
  }
  theApp.m_InputKind = INPUT_FILE_DIALOG;
  if (confirmed) {
    m_InputPath = chosen;
    theApp.m_CsvPath = chosen;
  }
  SetDropZoneText(FileNameOf(m_InputPath));
  ResetInputState();
  if (CheckFileName(m_InputPath) == 0) {
    ResetDropZone();
    return;
  }
  theApp.m_RunVariant = 0;
  if (confirmed && !SendWithHeldKey(false)) StartInput(RUN_NEW_INPUT);
  SetDropZoneText(CString(res::kDropZoneText));
}

void CTabroClientDlg::OnFromClipboard() {
  if (m_InputBusy) return;
  InputBusyScope busy(m_InputBusy);
  ResetJobSettings(RESET_JOB_AND_GRIDS);
  m_InputPath = kClipboardTitle;
  CNameDlg dlg;
  dlg.m_Name = m_InputPath;
  if (dlg.DoModal() != IDOK) {
    ResetDropZone();
    return;
  }
  m_InputPath = dlg.m_Name;
  SetDropZoneText(m_InputPath);
  ResetInputState();
  CheckFileName(m_InputPath);
  theApp.m_InputKind = INPUT_CLIPBOARD;
  theApp.m_RunVariant = 0;
  StartInput(RUN_NEW_INPUT);
}

void CTabroClientDlg::OnLaunch() {
  if (m_InputBusy) return;
  StartInput(RUN_AGAIN);
}

void CTabroClientDlg::ResetDropZone() {
  m_InputPath.Empty();
  ResetJobSettings(RESET_JOB_AND_GRIDS);
  ResetInputState();
  ShowButton(res::IDC_MAIN_SELECT_FILE, true);
  ShowButton(res::IDC_MAIN_FROM_CLIPBOARD, true);
  ShowButton(res::IDC_MAIN_LAUNCH, false);
  SetDropZoneText(CString(res::kDropZoneText));
  theApp.m_InputKind = INPUT_NONE;
  theApp.m_RunVariant = 0;
}
