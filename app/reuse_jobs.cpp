// The application object's side of the reusable jobs: the job list it owns, handed
// to the store routines.

#include "app/app_startup.h"
#include "app/tabro_client_app.h"
#include "jobsheet/reuse/reuse_store.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kListNotWholeMessage[] =
    u"再利用ジョブファイルを最後まで読み込めなかったため、再利用ジョブを保存しませんでした。";
constexpr char16_t kBackupFailedMessage[] =
    u"再利用ジョブのバックアップができなかったため、保存情報はクリアしませんでした。";
constexpr char16_t kClearFailedMessage[] =
    u"保存情報の一部を削除できませんでした。";
constexpr char16_t kSaveFailedMessage[] =
    u"再利用ジョブを保存できなかったため、変更内容は保存前の状態に戻しました。";
constexpr char16_t kSaveFailedPartlyMessage[] =
    u"再利用ジョブを保存できませんでした。一部のファイルは保存前の状態に戻せませんでした。";
constexpr char16_t kNameRefusedMessage[] =
    u"ジョブ名が長すぎるか使えない文字を含むジョブがあるため、再利用ジョブを保存しませんでした。";
constexpr char16_t kChangedElsewhereMessage[] =
    u"再利用ジョブが別のタブロコネクトで更新されていたため、変更内容は保存しませんでした。";

}  // namespace

void CTabroClientApp::LoadReuseCommands() {
  const ReuseListRead read = LoadReuseList(m_ProgramFolder, m_ReuseCommands, &m_ReuseListStamp);
  m_ReuseListWhole = read != ReuseListRead::kPartial;
  m_ReuseListAsLoaded = FormatReuseList(m_ReuseCommands);
}

// The settings files are saved with the list by SaveReuseCommandFile, after the new
// list is in place: a list that cannot be written then costs no settings file.
void CTabroClientApp::SaveDataEditToolFiles() {}

void CTabroClientApp::SaveReuseCommandFile() {
  m_ReuseSaveFailed = false;
  if (m_CommandReUse == 0) return;
  if (!m_ReuseListWhole) {
    // Told once per load; the file on disk keeps every job it had.
    m_ReuseSaveFailed = ReuseCommandsChanged();
    if (m_ReuseSaveFailed) DoMessageBox(CString(kListNotWholeMessage), MB_ICONWARNING);
    m_ReuseListAsLoaded = FormatReuseList(m_ReuseCommands);
    return;
  }
  // Nothing to write: a list another program changed meanwhile stays as it is.
  if (!ReuseCommandsChanged()) return;
  const ReuseSave result = SaveReuseStore(m_ProgramFolder, m_ReuseCommands, m_ReuseListStamp);
  m_ReuseSaveFailed = result != ReuseSave::kSaved;
  switch (result) {
    case ReuseSave::kSaved: m_ReuseListAsLoaded = FormatReuseList(m_ReuseCommands); break;
    case ReuseSave::kChangedElsewhere: DoMessageBox(CString(kChangedElsewhereMessage), MB_ICONWARNING); break;
    case ReuseSave::kFailed: DoMessageBox(CString(kSaveFailedMessage), MB_ICONWARNING); break;
    case ReuseSave::kFailedPartly: DoMessageBox(CString(kSaveFailedPartlyMessage), MB_ICONWARNING); break;
    case ReuseSave::kNameRefused: DoMessageBox(CString(kNameRefusedMessage), MB_ICONWARNING); break;
  }
}

void CTabroClientApp::ClearReuseCommands() {
  for (REUSECOMMAND& job : m_ReuseCommands) job.Clear();
  m_ReuseCommands.clear();
  m_ReuseListAsLoaded.Empty();
  m_ReuseListStamp.reset();
  m_ReuseListWhole = true;
}

void CTabroClientApp::ResetReuseCommands() {
  switch (ResetReuseStore(m_ProgramFolder)) {
    case ReuseReset::kDone: break;
    case ReuseReset::kBackupFailed: DoMessageBox(CString(kBackupFailedMessage), MB_ICONWARNING); break;
    case ReuseReset::kClearFailed: DoMessageBox(CString(kClearFailedMessage), MB_ICONWARNING); break;
  }
}

bool CTabroClientApp::ReuseCommandsChanged() const {
  for (const REUSECOMMAND& job : m_ReuseCommands) {
    if (job.deleted || job.nameChanged || job.toolLinesChanged) return true;
  }
  return FormatReuseList(m_ReuseCommands) != m_ReuseListAsLoaded;
}
