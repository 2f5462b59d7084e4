// The token request and the print-count query.

#include <cstring>

#include "platform/codepage.h"
#include "platform/int_text.h"
#include "platform/ui_hooks.h"
#include "webclient/json.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

// The largest print count believed from the service.
constexpr int kMaxPrintCount = 999999999;

// A count as the service writes it: read as the runtime reads it, then kept only
// within 0..kMaxPrintCount (a longer run of digits is out of range too).
bool ReadCount(const CString& text, int& out) {
  const int value = TextToInt(text.View());
  int digits = 0;
  for (char16_t c : text.View()) digits += (c >= u'0' && c <= u'9');
  if (value < 0 || value > kMaxPrintCount || digits > 9) return false;
  out = value;
  return true;
}

}  // namespace

bool CTabroOperation::ParseAnswer(const std::string& body, json::CJson& value) {
  const std::optional<std::string> ansi = Utf8ToAnsiAlloc(body.data(), body.size());
  if (!ansi) return false;
  std::string error;
  json::CJson::Parse(value, *ansi, error);
  return error.empty();
}

CString CTabroOperation::BaseUrl() const {
  // Mode 1: the server the user typed into the system settings, taken afresh for
  // every request so that a change in the dialog applies to the next one.
  if (m_Server.m_OperationMode == 1) return m_Server.m_OnpremisesServer;
  return m_Host->UseAltServer() ? m_Server.m_AltServerBaseUrl : m_Server.m_ServerBaseUrl;
}

CString CTabroOperation::GetAccessToken() {
  CString token;
  const std::string credentials =
      TextToBytes((m_Server.m_UserId + u":" + m_Server.m_Password).View(), CP_ACP);
  CString authorization;
  Base64Encode(credentials.data(), credentials.size(), authorization);

  const CString text = CString::Build(
      u"authorization=%s&csvtabroconnectaccesskey=%s&csvtabroconnectclientidentificationnumberkey=%s"
      u"&requestapp=2",
      authorization, m_Server.m_AccessKey, m_Host->ClientIdentificationNumber());
  std::string body;
  WideToAnsi(text, body);
  uint32_t length = 0;
  int status = 0;
  int errorCode = 0;
  const std::optional<std::string> answer =
      PostForm(BaseUrl() + u"/csvTabro/webapi/oauth2/v1_0/token", body.c_str(), std::strlen(body.c_str()),
               length, status, REQKIND_TOKEN, errorCode);
  // Any answer is read; only a 200 one gives the token.
  json::CJson value;
  if (answer && ParseAnswer(*answer, value) && status == 200) token = AnsiToWide(value["token"].GetString());
  return token;
}

void CTabroOperation::QueryPrintCount() {
  const CString token = GetAccessToken();
  if (token.IsEmpty()) {
    ShowError(u"認証エラー", MB_OK | MB_ICONSTOP);
    return;
  }
  std::string body;
  WideToAnsi(u"accesstoken=" + token, body);
  uint32_t length = 0;
  int status = 0;
  int errorCode = 0;
  const std::optional<std::string> answer =
      PostForm(BaseUrl() + u"/csvTabro/webapi/document/v1_0/getTabroPrtCnt/", body.c_str(),
               std::strlen(body.c_str()), length, status, REQKIND_DOCUMENT, errorCode);
  json::CJson value;
  if (!answer || status != 200 || !ParseAnswer(*answer, value)) return;
  CString counts = PercentDecode(AnsiToWide(value["prcnt"].GetString()));
  counts.Remove(u'\u3000');
  counts.Remove(u'回');
  // No half-width "/" leaves the used count empty and the whole text as the contract.
  const int slash = counts.Find(u'/');
  int used = 0, contract = 0;
  // Counts outside their range (a negative or huge number) are not believed.
  if (!ReadCount(counts.Left(slash), used) || !ReadCount(counts.Mid(slash + 1), contract)) return;
  m_Host->SetPrintCounts(used, contract);
}
