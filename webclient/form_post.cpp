// The one way the program talks to the document service: a synchronous form POST
// over libcurl. Failing steps keep their numbers in the message: 1 splitting the
// URL, 2 the session, 3 the proxy, 4 the time-out, 5 connecting and sending.

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/int_text.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

constexpr const char* kUserAgent = "Mozilla/5.0 (compatible; TobroConnect/1.0)";
// Host names and URL paths longer than this are refused when the URL is split.
constexpr size_t kMaxUrlPart = 255;
// "AttchFileName" values longer than this count as missing.
constexpr size_t kMaxAttachNameChars = 127;
// The floor rate of a transfer with a time-out: slower than this for the
// time-out's length ends it, so an answer dripping a byte at a time cannot hold
// the program. Any real link is far faster, so a large answer is still read whole.
constexpr long kMinBytesPerSecond = 1024;

struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

void EnsureCurlGlobal() {
  static CurlGlobal once;
}

struct CurlEasyDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct CurlUrlDeleter {
  void operator()(CURLU* u) const { curl_url_cleanup(u); }
};
struct CurlSlistDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// What arrives during one transfer.
struct Answer {
  std::vector<std::pair<std::string, std::string>> headers;  // of the last header block
  bool headersDone = false;
  bool hasLength = false;
  uint64_t length = 0;
  std::string body;
  bool overflow = false;  // the body could not be held

  const std::string* Header(std::string_view name) const {
    for (const auto& [k, v] : headers)
      if (EqualsNoCaseAscii(k, name)) return &v;
    return nullptr;
  }
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  Answer& a = *static_cast<Answer*>(user);
  const size_t n = size * count;
  std::string_view line(data, n);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.substr(0, 5) == "HTTP/") {  // a new header block (after 1xx answers)
    a.headers.clear();
    a.headersDone = false;
    a.hasLength = false;
  } else if (line.empty()) {
    a.headersDone = true;
  } else {
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
      std::string_view value = line.substr(colon + 1);
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
      while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
      a.headers.emplace_back(std::string(line.substr(0, colon)), std::string(value));
      if (EqualsNoCaseAscii(line.substr(0, colon), "Content-Length")) {
        uint64_t v = 0;
        bool ok = !value.empty();
        for (char c : value) {
          if (c < '0' || c > '9' || v > (std::numeric_limits<uint64_t>::max() - 9) / 10) {
            ok = false;
            break;
          }
          v = v * 10 + uint64_t(c - '0');
        }
        a.hasLength = ok;
        a.length = ok ? v : 0;
      }
    }
  }
  return n;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  Answer& a = *static_cast<Answer*>(user);
  const size_t n = size * count;
  // Without a usable Content-Length the body is not kept (the request gives nothing).
  if (!a.hasLength || a.length == 0 || a.length > std::numeric_limits<uint32_t>::max()) return n;
  try {
    const size_t room = size_t(a.length) - std::min(a.body.size(), size_t(a.length));
    a.body.append(data, std::min(n, room));
  } catch (const std::bad_alloc&) {
    a.overflow = true;
    return 0;  // stops the transfer
  }
  return n;
}

// Watches a transfer for the receive time-out: progress in either direction
// restarts the clock.
struct Idle {
  std::chrono::steady_clock::duration limit{};
  std::chrono::steady_clock::time_point last{};
  curl_off_t down = 0;
  curl_off_t up = 0;
  bool expired = false;
};

int OnProgress(void* user, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
  Idle& idle = *static_cast<Idle*>(user);
  const auto now = std::chrono::steady_clock::now();
  if (down != idle.down || up != idle.up) {
    idle.down = down;
    idle.up = up;
    idle.last = now;
    return 0;
  }
  if (now - idle.last >= idle.limit) {
    idle.expired = true;
    return 1;
  }
  return 0;
}

constexpr char16_t kNoServiceAddress[] =
    u"\n\nサービスのアドレスが設定されていません（設定ファイル「%s」がありません）。"
    u"アドレスはこのファイルのServerBaseUrlで設定します。";

}  // namespace

void CTabroOperation::ShowError(const CString& text, unsigned type) {
  if (m_ShowMessages) GetUiHooks().MessageBox(text, kAppCaption, type);
}

CString CTabroOperation::SafeFileName(const CString& name) {
  const std::u16string_view v = name.View();
  const size_t cut = v.find_last_of(u"/\\");
  const std::u16string_view bare = cut == std::u16string_view::npos ? v : v.substr(cut + 1);
  if (bare.empty() || bare == std::u16string_view(u".") || bare == std::u16string_view(u"..")) return CString();
  for (char16_t c : bare) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
        c == u'>' || c == u'|')
      return CString();
  }
  return CString(bare);
}

std::optional<std::string> CTabroOperation::PostForm(const CString& url, const char* body,
                                                      size_t bodyLength, uint32_t& contentLength,
                                                      int& status, int kind, int& errorCode) {
  m_LastError = 0;
  auto fail = [&](int step) {  // POSTSTEP_*
    CString text = CString::Build(u"サービスに接続できません。(%d-%d)", kind, step);
    // Without the deployment file there is no address to connect to: a first
    // start shows where it belongs rather than a bare step number.
    if (m_NoDeploymentFile && m_Server.m_OperationMode != 1 && BaseUrl().IsEmpty())
      text += CString::Build(kNoServiceAddress, JoinPath(m_Host->ProgramFolder(), kDeploymentIniName));
    ShowError(text, MB_OK | MB_ICONWARNING);
    return std::nullopt;
  };
  EnsureCurlGlobal();

  // The URL in its parts; the query, if any, is not sent.
  std::unique_ptr<CURLU, CurlUrlDeleter> parts(curl_url());
  std::string target;
  {
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.ToUtf8().c_str(), 0) != CURLUE_OK) return fail(POSTSTEP_URL);
    char* scheme = nullptr;
    char* host = nullptr;
    char* port = nullptr;
    char* path = nullptr;
    curl_url_get(parts.get(), CURLUPART_SCHEME, &scheme, 0);
    curl_url_get(parts.get(), CURLUPART_HOST, &host, 0);
    curl_url_get(parts.get(), CURLUPART_PORT, &port, 0);
    curl_url_get(parts.get(), CURLUPART_PATH, &path, 0);
    const bool ok = scheme && host && path && std::strlen(host) <= kMaxUrlPart && std::strlen(path) <= kMaxUrlPart;
    if (ok) {
      // Plain HTTP for "http", the secure kind for any other scheme: the request is
      // always HTTP, never another protocol named by the URL.
      const char* wire = std::string_view(scheme) == "http" ? "http" : "https";
      target = std::string(wire) + "://" + host + (port ? std::string(":") + port : std::string()) + path;
    }
    curl_free(scheme);
    curl_free(host);
    curl_free(port);
    curl_free(path);
    if (!ok) return fail(POSTSTEP_URL);
  }

  // The session.
  std::unique_ptr<CURL, CurlEasyDeleter> curl(curl_easy_init());
  if (!curl) {
    m_LastError = CURLE_FAILED_INIT;
    return fail(POSTSTEP_SESSION);
  }
  CURL* h = curl.get();

  // Proxy: type 1 goes direct; every other type keeps the environment's settings.
  if (m_Server.m_ProxyType == 1) {
    const CURLcode rc = curl_easy_setopt(h, CURLOPT_PROXY, "");
    if (rc != CURLE_OK) {
      m_LastError = rc;
      return fail(POSTSTEP_PROXY);
    }
  }
  // The receive time-out: the request ends when nothing moves for that long, or
  // when less than the floor rate moves for that long. It bounds the connect as
  // well, which libcurl would otherwise wait 300 seconds for.
  Idle idle;
  if (m_Server.m_Timeout > 0) {
    idle.limit = std::chrono::seconds(m_Server.m_Timeout);
    idle.last = std::chrono::steady_clock::now();
    CURLcode rc = curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, static_cast<long>(m_Server.m_Timeout));
    if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, kMinBytesPerSecond);
    if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, static_cast<long>(m_Server.m_Timeout));
    if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_XFERINFODATA, &idle);
    if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    if (rc != CURLE_OK) {
      m_LastError = rc;
      return fail(POSTSTEP_TIMEOUT);
    }
  }

  // Connect and send. No Accept header and no "Expect: 100-continue".
  std::unique_ptr<curl_slist, CurlSlistDeleter> headers;
  for (const char* line : {"Content-Type: application/x-www-form-urlencoded", "Accept:", "Expect:"}) {
    curl_slist* next = curl_slist_append(headers.get(), line);
    if (!next) {
      m_LastError = CURLE_OUT_OF_MEMORY;
      return fail(POSTSTEP_SEND);
    }
    headers.release();
    headers.reset(next);
  }
  Answer answer;
  curl_easy_setopt(h, CURLOPT_URL, target.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  // A proxy's answer to CONNECT is not the service's answer.
  curl_easy_setopt(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(h, CURLOPT_POST, 1L);
  curl_easy_setopt(h, CURLOPT_POSTFIELDS, body ? body : "");  // never the read callback (stdin)
  curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body ? bodyLength : 0));
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, &answer);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &answer);
  CURLcode rc = curl_easy_perform(h);
  if (rc == CURLE_ABORTED_BY_CALLBACK && idle.expired) rc = CURLE_OPERATION_TIMEDOUT;
  // A time-out fails the request with its message even while the body arrives:
  // an answer too slow to wait for is the service not answering.
  if (rc != CURLE_OK && (!answer.headersDone || rc == CURLE_OPERATION_TIMEDOUT)) {
    m_LastError = rc;
    return fail(POSTSTEP_SEND);
  }

  // Status and Content-Length.
  long code = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &code);
  status = int(code);
  const bool lengthFits = answer.hasLength && answer.length <= std::numeric_limits<uint32_t>::max();
  if (lengthFits) contentLength = uint32_t(answer.length);

  // The document's name, reduced to a bare file name.
  if (kind == REQKIND_DOCUMENT) {
    CString name;
    if (const std::string* attach = answer.Header("AttchFileName")) {
      const CString raw = AnsiToWide(*attach);
      if (size_t(raw.GetLength()) <= kMaxAttachNameChars) name = SafeFileName(PercentDecode(raw));
    }
    m_DownloadName = name.IsEmpty() ? m_Request.m_DefaultName : name;
  }
  // The service's error number.
  if (status != 200) {
    if (const std::string* number = answer.Header("csvTabro-Error-Code")) errorCode = TextToInt(CString(*number).View());
  }
  // The body: all of it, or nothing. A read that failed or ended short is a
  // failed request, never a document.
  if (rc != CURLE_OK) m_LastError = rc;
  if (!lengthFits || answer.length == 0 || rc != CURLE_OK || answer.overflow ||
      answer.body.size() != answer.length)
    return std::nullopt;
  return std::move(answer.body);
}
