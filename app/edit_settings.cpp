// The application's data-edit settings file: loading, saving, the two text
// snapshots and the change test.

#include <filesystem>
#include <system_error>

#include "app/tabro_client_app.h"
#include "edittools/chain/edit_settings_path.h"
#include "edittools/chain/tool_order_text.h"
#include "platform/paths.h"

namespace {

// Routes the engine's pieces through the application's line router.
class AppLineSink : public CSettingsLineSink {
 public:
  explicit AppLineSink(CCsvTextFile& file) : file_(file) {}
  void WriteSettingsLine(const CString& piece) override { theApp.WriteSettingsLine(file_, piece); }

 private:
  CCsvTextFile& file_;
};

// The job's file; an empty output name names the base name's own file.
CString JobSettingsPath(const CString& baseName, const CString& outputName) {
  return EditSettingsFilePath(theApp.m_ProgramFolder, baseName,
                              outputName.IsEmpty() ? baseName : outputName);
}

bool FileExists(const CString& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(ToFsPath(path), ec);
}

bool IsEmptyFile(const CString& path) {
  std::error_code ec;
  return std::filesystem::file_size(ToFsPath(path), ec) == 0 && !ec;
}

}  // namespace

EditSettingsRecords CTabroClientApp::EditRecords() {
  return EditSettingsRecords{m_ToolOrder, m_PivotSetting, m_JoinDef,
                             m_FilterConds, m_SortSetting, m_MacroSetting};
}

void CTabroClientApp::LoadEditSettings(CString baseName, CString outputName) {
  m_ToolTextSlot = 0;
  if (outputName.Find(u'*') >= 0) return;
  const CString path = JobSettingsPath(baseName, outputName);
  if (!FileExists(path)) return;
  // An empty file reads as no settings; any other failure keeps the file from
  // being written over with settings it never gave.
  if (!ReadEditSettingsFile(path, EditRecords()) && !IsEmptyFile(path)) {
    m_UnreadableEditSettings = path;
  }
  SaveEditSettings(baseName, outputName, SETTINGSMODE_SNAPSHOT1);
  m_ToolTextSlot = 0;
}

void CTabroClientApp::SaveEditSettings(CString baseName, CString outputName, int mode) {
  std::error_code ec;
  std::filesystem::create_directories(ToFsPath(EditSettingsFolder(m_ProgramFolder)), ec);
  CCsvTextFile file;
  if (mode == SETTINGSMODE_FILE) {
    const CString path = JobSettingsPath(baseName, outputName);
    if (path == m_UnreadableEditSettings) return;
    if (!file.Open(path, u"w", CCsvTextFile::CODETYPE_UTF8)) return;
  } else if (mode == SETTINGSMODE_SNAPSHOT1 || mode == SETTINGSMODE_SNAPSHOT2) {
    m_ToolTextLines[mode - 1].clear();
  } else {
    return;
  }
  m_ToolTextSlot = mode;
  AppLineSink sink(file);
  WriteEditSettings(sink, EditRecords());
  if (mode == SETTINGSMODE_FILE) file.Close();
  m_ToolTextSlot = 0;
}

void CTabroClientApp::WriteSettingsLine(CCsvTextFile& file, const CString& piece) {
  if (m_ToolTextSlot == 0) {
    file.WriteLine(piece);
  } else if (m_ToolTextSlot == 1 || m_ToolTextSlot == 2) {
    m_ToolTextLines[m_ToolTextSlot - 1].push_back(piece);
  }
}

CString CTabroClientApp::FormatToolOrder() { return ::FormatToolOrder(m_ToolOrder); }

int CTabroClientApp::IsEditSettingsChanged() {
  SaveEditSettings(CString(), CString(), SETTINGSMODE_SNAPSHOT2);
  const int changed = m_ToolTextLines[0] == m_ToolTextLines[1] ? 0 : 1;
  m_ToolTextLines[0].clear();
  m_ToolTextLines[1].clear();
  return changed;
}

