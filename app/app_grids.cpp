// The application object's grid operations: thin members over the grid engines.

#include "app/app_grids.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/tabro_client_app.h"
#include "grid/column_types.h"
#include "grid/csv_split.h"
#include "grid/grid_set.h"
#include "platform/paths.h"

void CTabroClientApp::CopyGridSet(int direction) {
  if (direction == 0) {
    SaveGridBackup(*this);
  } else if (direction == 1) {
    RestoreGridBackup(*this);
    ResetToolSettings(TOOL_RESET_NAME_LISTS);
  }
}

int CTabroClientApp::DetectColumnTypes(int source) { return ScanColumnTypes(*this, source); }

CString GetAddCsvPath(int index) {
  if (index < 0 || index >= JOIN_MAX_ADDCSV) return CString();
  const CString& stored = theApp.m_JoinDef.AddCsvPath[index];
  if (theApp.m_InputKind != INPUT_WATCH_FOLDER) return stored;
  CString folder, name;
  if (!stored.IsEmpty()) SplitPath(folder, name, stored);
  return CString::Build(u"%s/Sub/%s", theApp.m_WatchFolder, name);
}

namespace {

// The watch folder's "Sub" opened as a folder, a link refused; -1 when it is
// not a real folder (errno ENOENT when it is missing).
int OpenWatchSub(const CString& watchFolder) {
  return ::open(ToFsPath(JoinPath(watchFolder, CString(u"Sub"))).c_str(),
                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

WatchSubFile CheckInSub(int sub, const CString& name) {
  if (name.IsEmpty() || name.Find(u'/') >= 0) return WatchSubFile::kMissing;
  struct stat st {};
  if (::fstatat(sub, name.ToUtf8().c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return WatchSubFile::kMissing;
  return S_ISREG(st.st_mode) ? WatchSubFile::kUsable : WatchSubFile::kNotARegularFile;
}

}  // namespace

WatchSubFile CheckWatchSubFile(const CString& watchFolder, const CString& name) {
  const int sub = OpenWatchSub(watchFolder);
  if (sub < 0) return errno == ENOENT ? WatchSubFile::kMissing : WatchSubFile::kSubNotAFolder;
  const WatchSubFile state = CheckInSub(sub, name);
  ::close(sub);
  return state;
}

void RemoveWatchSubFile(const CString& watchFolder, const CString& name) {
  // Removed through the folder that was opened, so a link put in place of
  // "Sub" meanwhile leads nowhere.
  const int sub = OpenWatchSub(watchFolder);
  if (sub < 0) return;
  if (CheckInSub(sub, name) == WatchSubFile::kUsable) ::unlinkat(sub, name.ToUtf8().c_str(), 0);
  ::close(sub);
}
