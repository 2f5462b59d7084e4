#include "app/user_settings.h"

#include <climits>
#include <functional>
#include <string_view>
#include <vector>

#include "app/app_startup.h"
#include "app/tabro_client_app.h"
#include "grid/csv_split.h"
#include "grid/text_width.h"
#include "platform/codepage.h"
#include "platform/int_text.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "platform/ui_hooks.h"

namespace {

// Settings lines are read whole up to this many characters; a longer line is
// skipped, never cut.
constexpr int kSettingsLineMaxChars = 25000;

CString SettingsPath(const char16_t* name) { return JoinPath(theApp.m_ProgramFolder, CString(name)); }

// A message about a settings file; format names the file with its one %s.
void ReportSettingsFile(const char16_t* format, const CString& path, unsigned icon) {
  GetUiHooks().MessageBox(CString::Build(format, path), CString(kAppCaption), MB_OK | icon);
}

constexpr char16_t kWriteFailedMessage[] = u"設定ファイル「%s」を保存できませんでした。";
constexpr char16_t kUnstorableMessage[] =
    u"設定ファイル「%s」に保存できない文字が含まれているため、保存を中止しました。";

// Writes the lines (each without its line end) as one settings file, all or
// nothing: Shift_JIS when it can hold every character, else UTF-8 behind a mark.
bool WriteSettingsFile(const CString& path, const std::vector<CString>& lines) {
  CString text;
  for (const CString& line : lines) {
    if (!IsSettingsFileText(line)) {
      ReportSettingsFile(kUnstorableMessage, path, MB_ICONERROR);
      return false;
    }
    text += line + CString(u"\r\n");
  }
  if (!WriteFileAtomic(path, SettingsFileBytes(text, CP_SJIS))) {
    ReportSettingsFile(kWriteFailedMessage, path, MB_ICONERROR);
    return false;
  }
  return true;
}

// Calls onLine for each line of a settings file, its trailing blanks cut, until
// it returns false; an overlong line is skipped. The file's state: an empty file
// holds nothing and counts as missing; an unreadable file is reported.
SettingsFileState ForEachSettingsLine(const CString& path, const std::function<bool(const CString&)>& onLine) {
  const SettingsFileText file = ReadSettingsFile(path);
  if (file.state == SettingsFileState::kUnreadable) ReportUnreadableSettingsFile(path);
  if (file.state == SettingsFileState::kRead && file.bytes.empty()) return SettingsFileState::kMissing;
  bool more = true;
  ForEachLineOf(file.bytes, [&](std::string_view bytes, bool) {
    if (!more) return;
    CString line = SettingsLineText(file, bytes, CP_SJIS);
    if (line.GetLength() > kSettingsLineMaxChars) return;
    TrimRightBlanks(line);
    more = onLine(line);
  });
  return file.state;
}

bool StartsWith(const CString& line, std::u16string_view key) { return line.View().starts_with(key); }

CString ValueAfter(const CString& line, std::u16string_view key) {
  return line.Mid(static_cast<int>(key.size()));
}


// One line of the user settings file: its key (with the equals sign) and the
// member that holds its value, a number or a text. The lines are written in
// this order, and every line read is tested against the keys in this order.
struct UserSettingKey {
  std::u16string_view key;
  int CTabroClientApp::*number;
  CString CTabroClientApp::*text;
  // Numbers outside this range are not taken (the member keeps its value).
  int low = INT_MIN;
  int high = INT_MAX;
};

constexpr UserSettingKey kUserSettingKeys[] = {
    // The start page is an index of the settings sheet: other values are not trusted.
    {u"SyokikidoGamen=", &CTabroClientApp::m_SyokikidoGamen, nullptr, 0, 2},
    {u"SaveDirectoryidx=", &CTabroClientApp::m_SaveDirectoryIdx, nullptr},
    {u"SaveDirectory=", nullptr, &CTabroClientApp::m_SaveDirectory},
    {u"ServerConnectMode=", &CTabroClientApp::m_ServerConnectMode, nullptr},
    {u"CommandReUse=", &CTabroClientApp::m_CommandReUse, nullptr},
    {u"SameFileNameOverWrite=", &CTabroClientApp::m_SameFileNameOverWrite, nullptr},
    {u"ShiftStartExcelListType=", &CTabroClientApp::m_ShiftStartExcelListType, nullptr},
    {u"DefaultCommand=", nullptr, &CTabroClientApp::m_DefaultCommand},
};
static_assert(std::size(kUserSettingKeys) == 8);

// After this many keys of every line, an index of 1 to 3 puts its profile
// folder in place of the stored folder.
constexpr size_t kKeysBeforeSaveFolderIndex = 6;

}  // namespace

// The profile folder that a save-folder index stands for; empty for other indexes.
CString SaveFolderForIndex(int index) {
  switch (index) {
    case 1: return GetUserFolder(UserFolder::kDownloads);
    case 2: return GetUserFolder(UserFolder::kDesktop);
    case 3: return GetUserFolder(UserFolder::kDocuments);
    default: return CString();
  }
}

CString DocumentFolder(const CString& stored) { return stored.IsEmpty() ? SaveFolderForIndex(2) : stored; }

bool IsSettingsFileText(const CString& text) {
  // A line break would split the value and start a line of its own.
  if (text.View().find_first_of(u"\r\n") != std::u16string_view::npos) return false;
  // A lone surrogate has no form in either code.
  return EncodeText(text.View(), CP_UTF8, ConvMode::kStrict).has_value();
}

bool CheckSettingsFolderText(const CString& folder) {
  // Trailing blanks are cut when the file is read, which would name another folder.
  CString trimmed = folder;
  TrimRightBlanks(trimmed);
  if (IsSettingsFileText(folder) && trimmed.GetLength() == folder.GetLength()) return true;
  GetUiHooks().MessageBox(
      CString::Build(u"フォルダ「%s」には設定ファイルに保存できない文字が含まれています。\n"
                     u"別のフォルダを選択してください。",
                     folder),
      CString(kAppCaption), MB_OK | MB_ICONWARNING);
  return false;
}

// file -> { key '=' value [blanks] EOL }; keys are matched as line prefixes.
void CTabroClientApp::LoadUserSettings() {
  const CString path = SettingsPath(kUserSettingsFileName);
  const auto takeLine = [this](const CString& line) {
    // Every key is tested on every line; a later line with the same key wins.
    for (size_t i = 0; i < std::size(kUserSettingKeys); ++i) {
      if (i == kKeysBeforeSaveFolderIndex && m_SaveDirectoryIdx >= 1 && m_SaveDirectoryIdx <= 3) {
        m_SaveDirectory = SaveFolderForIndex(m_SaveDirectoryIdx);
      }
      const UserSettingKey& k = kUserSettingKeys[i];
      if (!StartsWith(line, k.key)) continue;
      const CString value = ValueAfter(line, k.key);
      if (k.text != nullptr) {
        this->*k.text = value;
      } else {
        const int number = TextToInt(value.View());
        if (number >= k.low && number <= k.high) this->*k.number = number;
      }
    }
    return true;
  };
  const SettingsFileState state = ForEachSettingsLine(path, takeLine);
  if (state == SettingsFileState::kRead) return;
  m_SyokikidoGamen = 0;
  m_ServerConnectMode = 0;
  m_SaveDirectoryIdx = 2;
  m_SaveDirectory = SaveFolderForIndex(2);
  // A file that is there but cannot be read (reported) is never replaced by the defaults.
  if (state != SettingsFileState::kUnreadable) SaveUserSettings();
}

bool CTabroClientApp::SaveUserSettings() {
  std::vector<CString> lines;
  for (const UserSettingKey& k : kUserSettingKeys) {
    lines.push_back(CString(k.key) +
                    (k.text != nullptr ? this->*k.text : CString::Build(u"%d", this->*k.number)));
  }
  return WriteSettingsFile(SettingsPath(kUserSettingsFileName), lines);
}

// file -> head { "WatchingMode=" n | "Watching01=" folder | empty } ...; the head ends
// at the first other line or the second empty one.
void CTabroClientApp::LoadWatchSettings() {
  int emptyLines = 0;
  ForEachSettingsLine(SettingsPath(kWatchSettingsFileName), [&](const CString& line) {
    if (StartsWith(line, u"WatchingMode=")) {
      m_WatchingMode = TextToInt(ValueAfter(line, u"WatchingMode=").View());
    } else if (StartsWith(line, u"Watching01=")) {
      m_WatchFolderRaw = ValueAfter(line, u"Watching01=");
      m_WatchFolder = ExpandLeadingEnvVar(m_WatchFolderRaw);
    } else if (line.IsEmpty()) {
      if (++emptyLines >= 2) return false;
    } else {
      return false;
    }
    return true;
  });
}

bool CTabroClientApp::SaveWatchSettings() {
  return WriteSettingsFile(SettingsPath(kWatchSettingsFileName),
                           {
                               CString::Build(u"WatchingMode=%d", m_WatchingMode),
                               CString::Build(u"Watching01=%s", m_WatchFolderRaw),
                               CString(),
                           });
}
