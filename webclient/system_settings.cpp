// The system settings files: "TabroSystem.ini" (read and written),
// "TabroSystemOnpremises.ini" (read only) and the deployment file (read only).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/text_width.h"
#include "platform/codepage.h"
#include "platform/int_text.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "platform/ui_hooks.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

// Seconds a request may stand idle when the settings name no time-out.
constexpr int kDefaultTimeoutSeconds = 600;

// A line is read in pieces of at most this many characters, each taken as a line.
constexpr size_t kLinePiece = 999;

// Calls onLine for every line of the file, its trailing blanks cut. The state
// tells whether the file was read; an unreadable one is reported by name.
SettingsFileState ForEachSettingsLine(const CString& path, const std::function<void(const CString&)>& onLine) {
  const SettingsFileText file = ReadSettingsFile(path);
  if (file.state == SettingsFileState::kUnreadable) ReportUnreadableSettingsFile(path);
  if (file.state != SettingsFileState::kRead) return file.state;
  ForEachLineOf(file.bytes, [&](std::string_view line, bool ended) {
    // Text mode: CR LF reads as one line end, which counts toward the piece.
    if (ended && line.ends_with('\r')) line.remove_suffix(1);
    std::string text(line);
    if (ended) text.push_back('\n');
    for (size_t pos = 0; pos < text.size(); pos += kLinePiece) {
      CString piece = SettingsLineText(file, std::string_view(text).substr(pos, kLinePiece), CP_ACP);
      TrimRightBlanks(piece);
      onLine(piece);
    }
  });
  return SettingsFileState::kRead;
}

// Whether a line (without its line end) reads back exactly as written: every
// character storable, no control character, no trailing blank to be cut, and the
// line with its line end within one piece.
bool ReadsBackWhole(const CString& line) {
  const std::optional<std::string> bytes = EncodeText(line.View(), CP_ACP, ConvMode::kStrict);
  if (!bytes || bytes->size() + 1 > kLinePiece) return false;
  for (const char c : *bytes) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  CString trimmed = line;
  return TrimRightBlanks(trimmed) == line.GetLength();
}

constexpr const char16_t* kServerNotSaved =
    u"オンプレのサーバーURLを保存できませんでした。長すぎるか、保存できない文字"
    u"（タブなどの制御文字、末尾の空白、Shift_JISにない文字）を含んでいます。"
    u"ほかの設定は保存しました。";

constexpr const char16_t* kOnpremisesFileGone =
    u"オンプレの設定ファイル（TabroSystemOnpremises.ini）が見つからないため、"
    u"csvTabroサイトに接続します。処理方法はシステム設定で変更できます。";

// The value after key when the line starts with it.
bool TakeValue(const CString& line, const char16_t* key, CString& value) {
  const int keyLength = WideLength(key);
  if (line.Left(keyLength) != key) return false;
  value = line.Mid(keyLength);
  return true;
}

}  // namespace

void CTabroOperation::LoadOnpremisesIni() {
  const CString path = JoinPath(m_Host->ProgramFolder(), kOnpremisesIniName);
  // Read first, so an unreadable file counts as none (the message names it).
  std::vector<CString> lines;
  if (ForEachSettingsLine(path, [&lines](const CString& line) { lines.push_back(line); }) ==
      SettingsFileState::kRead) {
    m_Server.m_OperationMode = 101;
    m_Server.m_UserId.Empty();
    m_Server.m_Password.Empty();
    for (const CString& line : lines) {
      CString value;
      if (TakeValue(line, u"OnpremisesServer=", value)) {
        m_Server.m_OnpremisesServer = value;
        m_Server.m_ServerBaseUrl = value;
      } else if (TakeValue(line, u"ID=", value)) {
        m_Server.m_UserId = value;
      } else if (TakeValue(line, u"PW=", value)) {
        m_Server.m_Password = value;
      }
    }
  }
  m_Initialized = 1;
}

void CTabroOperation::LoadSystemIni() {
  const CString path = JoinPath(m_Host->ProgramFolder(), kSystemIniName);
  const bool onpremisesFile = m_Server.m_OperationMode == 101;
  const bool read = SettingsFileState::kRead == ForEachSettingsLine(path, [this](const CString& line) {
    CString value;
    if (TakeValue(line, u"OperationMode=", value)) {
      if (static_cast<unsigned>(m_Server.m_OperationMode) <= 100) m_Server.m_OperationMode = TextToInt(value.View());
    } else if (TakeValue(line, u"ProxyType=", value)) {
      m_Server.m_ProxyType = static_cast<int16_t>(TextToInt(value.View()));
    } else if (TakeValue(line, u"Timeout=", value)) {
      // A negative time-out is no setting (0 alone means none): the default holds.
      const int seconds = TextToInt(value.View());
      m_Server.m_Timeout = seconds < 0 ? kDefaultTimeoutSeconds : seconds;
    } else if (TakeValue(line, u"OnpremisesServer=", value)) {
      if (m_Server.m_OperationMode == 1) m_Server.m_OnpremisesServer = value;
    }
  });
  if (!read) {
    m_Server.m_ProxyType = -1;
    m_Server.m_Timeout = kDefaultTimeoutSeconds;
  }
  // Mode 101 saved while the on-premises file was there: without that file the
  // program would have no server at all, and the mode could not be changed back.
  if (m_Server.m_OperationMode == 101 && !onpremisesFile) {
    m_Server.m_OperationMode = 0;
    GetUiHooks().MessageBox(kOnpremisesFileGone, kAppCaption, MB_OK | MB_ICONWARNING);
  }
  LoadDeploymentIni();
  m_Initialized = 1;
}

void CTabroOperation::LoadDeploymentIni() {
  const CString path = JoinPath(m_Host->ProgramFolder(), kDeploymentIniName);
  const bool onpremisesFile = m_Server.m_OperationMode == 101;
  m_NoDeploymentFile = SettingsFileState::kRead != ForEachSettingsLine(path, [this, onpremisesFile](const CString& line) {
    CString value;
    if (TakeValue(line, u"ServerBaseUrl=", value)) {
      if (!onpremisesFile) m_Server.m_ServerBaseUrl = value;
    } else if (TakeValue(line, u"AltServerBaseUrl=", value)) {
      m_Server.m_AltServerBaseUrl = value;
    } else if (TakeValue(line, u"UserId=", value)) {
      if (!onpremisesFile) m_Server.m_UserId = value;
    } else if (TakeValue(line, u"Password=", value)) {
      if (!onpremisesFile) m_Server.m_Password = value;
    } else if (TakeValue(line, u"AccessKey=", value)) {
      m_Server.m_AccessKey = value;
    } else if (TakeValue(line, u"ClientIdentificationNumber=", value)) {
      m_Host->SetClientIdentificationNumber(value);
    }
  });
}

bool CTabroOperation::IsStorableServer(const CString& server) {
  return ReadsBackWhole(CString::Build(u"OnpremisesServer=%s", server));
}

void CTabroOperation::SaveSystemIni() {
  CString text = CString::Build(u"OperationMode=%d\r\nProxyType=%d\r\nTimeout=%d\r\n",
                                m_Server.m_OperationMode, static_cast<int>(m_Server.m_ProxyType),
                                m_Server.m_Timeout);
  bool serverRefused = false;
  if (m_Server.m_OperationMode == 1) {
    const CString server = CString::Build(u"OnpremisesServer=%s", m_Server.m_OnpremisesServer);
    // A server that would read back otherwise (cut, split into lines, trimmed) is
    // left out; the other settings are still saved and the user is told.
    if (ReadsBackWhole(server)) {
      text += server + u"\r\n";
    } else {
      serverRefused = true;
    }
  }
  WriteFileAtomic(JoinPath(m_Host->ProgramFolder(), kSystemIniName), TextToBytes(text.View(), CP_ACP));
  if (serverRefused) GetUiHooks().MessageBox(kServerNotSaved, kAppCaption, MB_OK | MB_ICONWARNING);
}
