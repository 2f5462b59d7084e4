// The token request and the print-count query.

#include <cstring>

#include "app/tabro_client_app.h"
#include "platform/codepage.h"
#include "platform/ui_hooks.h"
#include "webclient/json.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

// The member of a JSON answer as ANSI bytes; nullopt when the answer is not JSON.
std::optional<std::string> MemberOfAnswer(const std::string& body, const char* member) {
  const std::optional<std::string> ansi = Utf8ToAnsiAlloc(body.data(), body.size());
  if (!ansi) return std::nullopt;
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, *ansi, error);
  if (!error.empty()) return std::nullopt;
  return value[member].GetString();
}

}  // namespace

CString CTabroOperation::BaseUrl() const {
  return theApp.m_ServerConnectMode ? m_Server.m_AltServerBaseUrl : m_Server.m_ServerBaseUrl;
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
      authorization, m_Server.m_AccessKey, theApp.m_ClientIdentificationNumber);
  std::string body;
  WideToAnsi(text, body);
  uint32_t length = 0;
  int status = 0;
  int errorCode = 0;
  const std::optional<std::string> answer =
      PostForm(BaseUrl() + u"/csvTabro/webapi/oauth2/v1_0/token", body.c_str(), std::strlen(body.c_str()),
               length, status, REQKIND_TOKEN, errorCode);
  if (answer) {
    const std::optional<std::string> member = MemberOfAnswer(*answer, "token");
    if (status == 200 && member) token = AnsiToWide(*member);
  }
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
  if (!answer || status != 200) return;
  const std::optional<std::string> member = MemberOfAnswer(*answer, "prcnt");
  if (!member) return;
  CString counts = PercentDecode(AnsiToWide(*member));
  counts.Remove(u'\u3000');
  counts.Remove(u'回');
  // No half-width "/" leaves the used count empty and the whole text as the contract.
  const int slash = counts.Find(u'/');
  theApp.m_PrintUsed = TextToInt(counts.Left(slash));
  theApp.m_PrintContract = TextToInt(counts.Mid(slash + 1));
  theApp.m_PrintCountKnown = 1;
}
