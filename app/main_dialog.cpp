// The main dialog's own state: construction, the name of an input, the reset
// of the per-input state, and what the watch thread does on the file system.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "grid/csv_file_kind.h"
#include "app/app_grids.h"
#include "app/command_line.h"
#include "app/tabro_client_dlg.h"
#include "grid/csv_split.h"
#include "jobsheet/command/command_parser.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"

namespace fs = std::filesystem;

namespace {
constexpr int kMaxBaseNameLength = 200;
constexpr char16_t kNameTooLongMessage[] = u"ファイル名は200文字以内にして下さい。";
constexpr int kClipboardButton = 1118;
}  // namespace

// The record and the grids start empty with the application, so construction
// has nothing to reset.
CTabroClientDlg::CTabroClientDlg() = default;

CTabroClientDlg::~CTabroClientDlg() { StopWatchThread(); }

void CTabroClientDlg::StopWatchThread() {
  m_WatchRun = 0;
  if (m_hWatchThread.joinable()) m_hWatchThread.join();
}

void CTabroClientDlg::ShowButton(int id, bool show) {
  if (m_View) m_View->ShowButton(id, show);
}

void CTabroClientDlg::SetDropZoneText(const CString& text) {
  if (m_View) m_View->SetDropZoneText(text);
}

void CTabroClientDlg::EndMainDialog(int result) {
  if (m_View) m_View->EndMainDialog(result);
}

void CTabroClientDlg::ParseCommandText(const CString& text) { ::ParseCommandText(m_JobSetting, text); }

int CTabroClientDlg::CheckFileName(const CString& path) {
  CString folder, name;
  if (path.IsEmpty()) return 1;
  SplitPath(folder, name, path);
  if (name.IsEmpty()) return 1;
  m_InputFolder = folder;
  const int dot = path.ReverseFind(u'.');
  m_InputExt = dot >= 0 ? path.Mid(dot) : CString();
  const int nameDot = name.ReverseFind(u'.');
  const CString base = nameDot >= 0 ? name.Left(nameDot) : name;
  m_NameGroupIsDollar = 0;
  if (base.GetLength() > kMaxBaseNameLength) {
    theApp.DoMessageBox(CString(kNameTooLongMessage));
    ShowButton(kClipboardButton, true);
    return 0;
  }
  int at = base.Find(u"(#");
  if (at < 0) {
    at = base.Find(u"($");
    if (at >= 0) m_NameGroupIsDollar = 1;
  }
  if (at >= 0) {
    const int close = base.ReverseFind(u')');
    if (close >= 0) m_Command = close >= at + 2 ? base.Mid(at + 2, close - at - 2) : CString();
  }
  CString cut = CString::Build(m_NameGroupIsDollar ? u"($%s)" : u"(#%s)", m_Command);
  CString stripped = base;
  stripped.Replace(cut, u"");
  m_BaseName = stripped;
  return 1;
}

void CTabroClientDlg::ResetInputState() {
  m_InputFolder.Empty();
  m_InputExt.Empty();
  m_BaseName.Empty();
  m_OutputName.Empty();   // every input names its own document
  m_Command.Empty();
  m_NameGroupIsDollar = 0;
  m_RunCount = 0;
  // What the user answered for the previous input (the new-file dialog, the job
  // chosen, the texts a run is compared with) must not steer this one.
  m_NewFileMode = -1;
  m_ReuseChoice = -1;
  m_ReuseNewOnly = 0;
  theApp.m_LastCommand.Empty();
  theApp.m_LastToolText.Empty();
  for (auto& lines : theApp.m_ToolTextLines) lines.clear();
  m_PivotRun = PIVOTRUN{};
  m_CrossColumnGroups = 0;
  m_PivotGroupCount = 0;
  m_MacroColumns.clear();
  m_MacroColumnCount = 0;
  theApp.m_DataGrid.Clear();
  theApp.m_EditGrid.Clear();
  std::fill_n(theApp.m_RowFilledCount.begin(), EDIT_GRID_ROWS, 0);
  std::fill_n(theApp.m_RowTextCount.begin(), EDIT_GRID_ROWS, 0);
  theApp.m_JoinDef.Clear();
  theApp.m_EditCols = theApp.m_EditRows = theApp.m_SendRows = theApp.m_SendCols = 0;
  theApp.m_EditModeEntered = 0;
  theApp.m_SourceCodeType = 0;
  theApp.m_SourceIdentity = FileIdentity{};
  theApp.m_DecodeErrors = false;
  m_DecodeWarnedPath.Empty();
  theApp.m_TotalRows = 0;
  theApp.m_TitleRow = -1;
}

namespace {

bool IsTsvName(const CString& name) { return CsvFileKindOf(name) == CsvFileKind::kTsv; }

}  // namespace

CString CTabroClientDlg::WatchFolder() {
  std::lock_guard<std::mutex> lock(m_WatchFolderLock);
  return theApp.m_WatchFolder;
}

void CTabroClientDlg::SetWatchFolder(const CString& expanded) {
  std::lock_guard<std::mutex> lock(m_WatchFolderLock);
  theApp.m_WatchFolder = expanded;
}

namespace {

long long SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// A file is taken only when no process holds it open for writing (where the
// system can tell) and it opens and reads to its end: a writer that pauses
// with the file open is not cut short, however long it pauses. A link is never
// opened.
bool IsReadyToTake(const CString& path) {
  const int fd = OpenRegularFileNoFollow(path);
  if (fd < 0) return false;
  bool ready = IsHeldForWriting(fd) != true;
  char buffer[65536];
  for (ssize_t n = 1; ready && n != 0;) {
    n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno != EINTR) ready = false;
  }
  ::close(fd);
  return ready;
}

}  // namespace

int CTabroClientDlg::ScanWatchFolder() {
  m_WatchPending.Empty();
  const long long nowMs = m_WatchNow ? m_WatchNow() : SteadyMs();
  const CString folder = WatchFolder();
  std::vector<std::pair<CString, FileStamp>> now;
  std::error_code ec;
  // The folder is listed by its absolute path: the process's folder stays as it is.
  fs::directory_iterator it(ToFsPath(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    // Links are left alone: never read, sent or deleted.
    std::error_code fec;
    if (!fs::is_regular_file(it->symlink_status(fec))) continue;
    const CString name = FromFsPath(it->path().filename());
    if (CsvFileKindOf(name) == CsvFileKind::kNone) continue;
    FileStamp stamp;
    stamp.file = RegularFileIdentity(JoinPath(folder, name));
    if (!stamp.file.IsKnown()) continue;
    stamp.since = nowMs;
    const auto before = std::find_if(m_WatchSeen.begin(), m_WatchSeen.end(),
                                     [&](const auto& p) { return p.first == name; });
    if (before != m_WatchSeen.end() && before->second == stamp) stamp.since = before->second.since;
    now.emplace_back(name, stamp);
  }
  std::sort(now.begin(), now.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  CString lastCsv, lastTsv;
  for (const auto& entry : now) {
    const CString& name = entry.first;
    const FileStamp& stamp = entry.second;
    // Taken only when its size and time stood still for a while of wall time
    // and it reads to its end: a writer that pauses is not cut short. A file
    // whose run failed waits until it changes.
    if (nowMs - stamp.since < kWatchStillMs) continue;
    const auto failed = std::find_if(m_WatchFailed.begin(), m_WatchFailed.end(),
                                     [&](const auto& p) { return p.first == name; });
    if (failed != m_WatchFailed.end() && failed->second == stamp) continue;
    if (!IsReadyToTake(JoinPath(folder, name))) continue;
    (IsTsvName(name) ? lastTsv : lastCsv) = name;
  }
  m_WatchSeen = std::move(now);
  // Names of failed files that are gone are forgotten.
  std::erase_if(m_WatchFailed, [&](const auto& f) {
    return std::none_of(m_WatchSeen.begin(), m_WatchSeen.end(), [&](const auto& p) { return p.first == f.first; });
  });
  m_WatchPending = !lastTsv.IsEmpty() ? lastTsv : lastCsv;
  return 0;
}

int CTabroClientDlg::DeleteProcessedWatchFiles() {
  if (m_WatchTakenPath.IsEmpty()) return 0;
  // Only the very file that was read goes; one renamed over it since is a new
  // input and stays, and so do the additional CSVs it may need. Already gone
  // (the job's own deletion after the save) counts as deleted.
  const RemoveOutcome outcome = RemoveFileIfSame(m_WatchTakenPath, m_WatchTakenIdentity);
  if (outcome == RemoveOutcome::kFailed) return 0;
  if (m_InputPath == m_WatchTakenPath) m_InputPath.Empty();
  m_WatchTakenPath.Empty();
  if (outcome == RemoveOutcome::kReplaced) return 1;
  const CString watchFolder = WatchFolder();
  const int count = std::clamp(static_cast<int>(theApp.m_JoinDef.AddCsvCnt), 0, JOIN_MAX_ADDCSV);
  for (int i = 0; i < count; ++i) {
    const CString name = FileNameOf(theApp.m_JoinDef.AddCsvPath[i]);
    if (name.IsEmpty()) continue;
    RemoveWatchSubFile(watchFolder, name);  // a missing additional CSV is no failure
  }
  return 1;
}
