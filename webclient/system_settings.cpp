// The system settings files: "TabroSystem.ini" (read and written),
// "TabroSystemOnpremises.ini" (read only) and the deployment file (read only).

#include <fstream>
#include <functional>
#include <iterator>

#include "app/tabro_client_app.h"
#include "grid/text_width.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

// A line is read in pieces of at most this many characters, each taken as a line.
constexpr size_t kLinePiece = 999;

// Calls onLine for every line of the file, its trailing blanks cut. False when the
// file cannot be opened.
bool ForEachSettingsLine(const CString& path, const std::function<void(const CString&)>& onLine) {
  std::ifstream in(ToFsPath(path), std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Text mode: CR LF reads as one line end.
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && end - pos < kLinePiece) {
      if (text[end++] == '\n') break;  // the line end counts toward the piece
    }
    CString line = BytesToText(std::string_view(text).substr(pos, end - pos), CP_ACP);
    TrimRightBlanks(line);
    onLine(line);
    pos = end;
  }
  return true;
}

// The value after key when the line starts with it.
bool TakeValue(const CString& line, const char16_t* key, CString& value) {
  const int keyLength = WideLength(key);
  if (line.Left(keyLength) != key) return false;
  value = line.Mid(keyLength);
  return true;
}

}  // namespace

void CTabroOperation::LoadOnpremisesIni() {
  const CString path = JoinPath(theApp.m_ProgramFolder, kOnpremisesIniName);
  if (std::ifstream(ToFsPath(path), std::ios::binary)) {
    m_Server.m_OperationMode = 101;
    m_Server.m_UserId.Empty();
    m_Server.m_Password.Empty();
    ForEachSettingsLine(path, [this](const CString& line) {
      CString value;
      if (TakeValue(line, u"OnpremisesServer=", value)) {
        m_Server.m_OnpremisesServer = value;
        m_Server.m_ServerBaseUrl = value;
      } else if (TakeValue(line, u"ID=", value)) {
        m_Server.m_UserId = value;
      } else if (TakeValue(line, u"PW=", value)) {
        m_Server.m_Password = value;
      }
    });
  }
  m_Initialized = 1;
}

void CTabroOperation::LoadSystemIni() {
  const CString path = JoinPath(theApp.m_ProgramFolder, kSystemIniName);
  const bool read = ForEachSettingsLine(path, [this](const CString& line) {
    CString value;
    if (TakeValue(line, u"OperationMode=", value)) {
      if (static_cast<unsigned>(m_Server.m_OperationMode) <= 100) m_Server.m_OperationMode = TextToInt(value);
    } else if (TakeValue(line, u"ProxyType=", value)) {
      m_Server.m_ProxyType = static_cast<int16_t>(TextToInt(value));
    } else if (TakeValue(line, u"Timeout=", value)) {
      m_Server.m_Timeout = TextToInt(value);
    } else if (TakeValue(line, u"OnpremisesServer=", value)) {
      if (m_Server.m_OperationMode == 1) m_Server.m_OnpremisesServer = value;
    }
  });
  if (!read) {
    m_Server.m_ProxyType = -1;
    m_Server.m_Timeout = 600;
  }
  LoadDeploymentIni();
  m_Initialized = 1;
}

void CTabroOperation::LoadDeploymentIni() {
  const CString path = JoinPath(theApp.m_ProgramFolder, kDeploymentIniName);
  const bool onpremisesFile = m_Server.m_OperationMode == 101;
  ForEachSettingsLine(path, [this, onpremisesFile](const CString& line) {
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
      theApp.m_ClientIdentificationNumber = value;
    }
  });
}

void CTabroOperation::SaveSystemIni() {
  CString text = CString::Build(u"OperationMode=%d\r\nProxyType=%d\r\nTimeout=%d\r\n",
                                m_Server.m_OperationMode, static_cast<int>(m_Server.m_ProxyType),
                                m_Server.m_Timeout);
  if (m_Server.m_OperationMode == 1) text += CString::Build(u"OnpremisesServer=%s\r\n", m_Server.m_OnpremisesServer);
  WriteFileAtomic(JoinPath(theApp.m_ProgramFolder, kSystemIniName), TextToBytes(text.View(), CP_ACP));
}
