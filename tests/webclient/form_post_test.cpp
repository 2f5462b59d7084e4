#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/webclient/webclient_fixture.h"

namespace {

constexpr const char* kPath = "/csvTabro/webapi/document/v1_0/csvTabroDoc/";

struct Outcome {
  std::optional<std::string> body;
  uint32_t length = 12345;  // untouched values stay as they were
  int status = -1;
  int errorCode = -5;
};

class FormPost : public WebClientTest {
 protected:
  Outcome Post(const CString& url, int kind, std::string body = "a=1&b=%2D") {
    Outcome o;
    o.body = op.PostForm(url, body.data(), body.size(), o.length, o.status, kind, o.errorCode);
    return o;
  }
  Outcome Post(int kind = REQKIND_DOCUMENT) { return Post(CString(server.BaseUrl() + kPath), kind); }
};

TEST_F(FormPost, SendsExactlyTheseRequestBytes) {
  server.Script(kPath, JsonReply(200, "{}"));
  Post(CString(server.BaseUrl() + kPath + "?dropped=1"), REQKIND_TOKEN);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].head,
            "POST /csvTabro/webapi/document/v1_0/csvTabroDoc/ HTTP/1.1\r\n"
            "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n"
            "User-Agent: Mozilla/5.0 (compatible; TobroConnect/1.0)\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\n"
            "Content-Length: 9\r\n");
  EXPECT_EQ(requests[0].body, "a=1&b=%2D");
}

struct AnswerCase {
  const char* name;
  standin::Reply reply;
  std::optional<std::string> body;
  uint32_t length;
  int status;
  int errorCode;
};

class FormPostAnswers : public FormPost, public ::testing::WithParamInterface<AnswerCase> {};

standin::Reply With(standin::Reply r, standin::Reply::Length length, unsigned long long announced = 0) {
  r.length = length;
  r.announced = announced;
  return r;
}
standin::Reply WithHeader(standin::Reply r, const char* name, const char* value) {
  r.headers.emplace_back(name, value);
  return r;
}

TEST_P(FormPostAnswers, GivesBodyStatusLengthAndErrorCode) {
  const AnswerCase& c = GetParam();
  server.Script(kPath, c.reply);
  const Outcome o = Post();
  EXPECT_EQ(o.body, c.body);
  EXPECT_EQ(o.length, c.length);
  EXPECT_EQ(o.status, c.status);
  EXPECT_EQ(o.errorCode, c.errorCode);
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormPostAnswers,
    ::testing::Values(
        AnswerCase{"Ok", JsonReply(200, "{\"a\":1}"), "{\"a\":1}", 7, 200, -5},
        AnswerCase{"Non200ReturnsBodyAndErrorNumber",
                   WithHeader(JsonReply(500, "{\"e\":1}"), "csvTabro-Error-Code", "42abc"), "{\"e\":1}", 7,
                   500, 42},
        AnswerCase{"ErrorNumberWithoutDigitsIsZero",
                   WithHeader(JsonReply(400, "x"), "csvTabro-Error-Code", "none"), "x", 1, 400, 0},
        AnswerCase{"Non200WithoutErrorHeaderLeavesCode", JsonReply(401, "{}"), "{}", 2, 401, -5},
        AnswerCase{"ErrorHeaderOf200IsNotRead",
                   WithHeader(JsonReply(200, "ok"), "csvTabro-Error-Code", "9"), "ok", 2, 200, -5},
        AnswerCase{"NoContentLengthGivesNothing",
                   With(JsonReply(200, "{\"a\":1}"), standin::Reply::Length::kAbsent), std::nullopt, 12345,
                   200, -5},
        AnswerCase{"ZeroContentLengthGivesNothing", JsonReply(200, ""), std::nullopt, 0, 200, -5},
        AnswerCase{"BodyShorterThanItsLengthIsAFailure",
                   With(JsonReply(200, "abc"), standin::Reply::Length::kAnnounce, 10), std::nullopt, 10, 200,
                   -5},
        AnswerCase{"LengthTooLargeToHoldIsAFailure",
                   With(JsonReply(200, "abc"), standin::Reply::Length::kAnnounce, 99999999999ULL),
                   std::nullopt, 12345, 200, -5}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
  const char* name;
  const char* header;  // null: no header
  const char16_t* downloadName;
};

class FormPostDownloadName : public FormPost, public ::testing::WithParamInterface<NameCase> {};

TEST_P(FormPostDownloadName, IsABareNameOrTheDefault) {
  const NameCase& c = GetParam();
  op.m_Request.m_DefaultName = u"既定";
  standin::Reply r = JsonReply(200, "%PDF");
  if (c.header) r.headers.emplace_back("AttchFileName", c.header);
  server.Script(kPath, r);
  Post(REQKIND_DOCUMENT);
  EXPECT_EQ(op.m_DownloadName, c.downloadName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormPostDownloadName,
    ::testing::Values(
        NameCase{"PercentEncodedUtf8", "%E5%A0%B1%E5%91%8A", u"報告"},
        NameCase{"PlainAscii", "report", u"report"},
        NameCase{"Missing", nullptr, u"既定"},
        NameCase{"PathKeepsLastComponent", "..%2F..%2Fetc%2Fpasswd", u"passwd"},
        NameCase{"BackslashPathKeepsLastComponent", "C%3A%5Cdir%5Cfile", u"file"},
        NameCase{"DotDot", "%2E%2E", u"既定"},
        NameCase{"Colon", "a%3Ab", u"既定"},
        NameCase{"ControlCharacter", "a%0Ab", u"既定"},
        NameCase{"C1ControlCharacter", "a%C2%85b", u"既定"},
        NameCase{"DeleteCharacter", "a%7Fb", u"既定"},
        NameCase{"Wildcard", "a%2Ab", u"既定"},
        NameCase{"EndsInSlash", "dir%2F", u"既定"},
        NameCase{"Empty", "", u"既定"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormPost, DownloadNameOf127CharactersIsTakenAnd128IsNot) {
  op.m_Request.m_DefaultName = u"既定";
  const std::string name127(127, 'n');
  server.Script(kPath, WithHeader(JsonReply(200, "x"), "AttchFileName", name127.c_str()));
  Post(REQKIND_DOCUMENT);
  EXPECT_EQ(op.m_DownloadName, CString(name127));
  const std::string name128(128, 'n');
  server.Script(kPath, WithHeader(JsonReply(200, "x"), "AttchFileName", name128.c_str()));
  Post(REQKIND_DOCUMENT);
  EXPECT_EQ(op.m_DownloadName, u"既定");
}

TEST_F(FormPost, OtherKindsLeaveTheDownloadName) {
  op.m_DownloadName = u"before";
  server.Script(kPath, WithHeader(JsonReply(200, "x"), "AttchFileName", "after"));
  Post(REQKIND_TOKEN);
  EXPECT_EQ(op.m_DownloadName, u"before");
}

struct FailureCase {
  const char* name;
  std::string url;  // "{base}" stands for the stand-in's base URL, "{closed}" for a closed port's
  int kind;
  const char16_t* message;
  uint32_t lastError;
};

class FormPostFailures : public FormPost, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FormPostFailures, ShowTheNumberedMessageAndLeaveTheOutValues) {
  const FailureCase& c = GetParam();
  std::string url = c.url;
  if (url.rfind("{closed}", 0) == 0) {
    int closedPort;
    {
      standin::Server gone;
      closedPort = gone.Port();
    }
    url = "http://127.0.0.1:" + std::to_string(closedPort) + url.substr(8);
  }
  if (url.rfind("{drop}", 0) == 0) {
    standin::Reply r;
    r.drop = true;
    server.Script(kPath, r);
    url = server.BaseUrl() + url.substr(6);
  }
  const Outcome o = Post(CString(url), c.kind);
  EXPECT_EQ(o.body, std::nullopt);
  EXPECT_EQ(o.status, -1);
  EXPECT_EQ(o.length, 12345u);
  EXPECT_EQ(o.errorCode, -5);
  EXPECT_EQ(Messages(), std::vector<CString>{c.message});
  EXPECT_EQ(op.m_LastError, c.lastError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormPostFailures,
    ::testing::Values(
        FailureCase{"NotAUrl", "no url here", REQKIND_COMMAND, u"サービスに接続できません。(3-1)", 0},
        FailureCase{"HostLongerThan255", "http://" + std::string(256, 'h') + "/p", REQKIND_DOCUMENT,
                    u"サービスに接続できません。(2-1)", 0},
        FailureCase{"PathLongerThan255", "http://127.0.0.1/" + std::string(255, 'p'), REQKIND_DOCUMENT,
                    u"サービスに接続できません。(2-1)", 0},
        FailureCase{"RefusedConnection", std::string("{closed}") + kPath, REQKIND_TOKEN,
                    u"サービスに接続できません。(1-5)", 7 /* CURLE_COULDNT_CONNECT */},
        FailureCase{"DroppedConnection", std::string("{drop}") + kPath, REQKIND_DOCUMENT,
                    u"サービスに接続できません。(2-5)", 52 /* CURLE_GOT_NOTHING */}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormPost, FailuresAreSilentBeforeMessagesAreOn) {
  op.m_ShowMessages = 0;
  const Outcome o = Post(u"no url here", REQKIND_TOKEN);
  EXPECT_EQ(o.body, std::nullopt);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FormPost, SlowAnswerEndsAtTheReceiveTimeOut) {
  op.m_Server.m_Timeout = 1;
  standin::Reply slow = JsonReply(200, "{}");
  slow.delayMs = 4000;  // cut short when the server stops
  server.Script(kPath, slow);
  const Outcome o = Post(REQKIND_DOCUMENT);
  server.Stop();
  EXPECT_EQ(o.body, std::nullopt);
  EXPECT_EQ(Messages(), std::vector<CString>{u"サービスに接続できません。(2-5)"});
  EXPECT_EQ(op.m_LastError, 28u /* CURLE_OPERATION_TIMEDOUT */);
}

// Regression: an answer dripping a byte at a time restarted the receive time-out
// with every byte and held the program for as long as the server liked.
TEST_F(FormPost, DrippingAnswerEndsAtTheTimeOut) {
  op.m_Server.m_Timeout = 1;
  standin::Reply drip = JsonReply(200, "{\"token\":\"" + std::string(40, 't') + "\"}");
  drip.dripMs = 300;  // the whole body would take about 16 seconds
  server.Script(kPath, drip);
  const auto start = std::chrono::steady_clock::now();
  const Outcome o = Post(REQKIND_TOKEN);
  const auto waited = std::chrono::steady_clock::now() - start;
  server.Stop();
  EXPECT_EQ(o.body, std::nullopt);
  EXPECT_EQ(Messages(), std::vector<CString>{u"サービスに接続できません。(1-5)"});
  EXPECT_EQ(op.m_LastError, 28u /* CURLE_OPERATION_TIMEDOUT */);
  EXPECT_LT(waited, std::chrono::seconds(20));
}

// The floor rate spares a large answer that arrives at local speed.
TEST_F(FormPost, LargeAnswerWithATimeOutIsReadWhole) {
  op.m_Server.m_Timeout = 3;
  const std::string big(32u << 20, 'x');
  server.Script(kPath, JsonReply(200, big));
  const Outcome o = Post(REQKIND_DOCUMENT);
  ASSERT_TRUE(o.body.has_value()) << op.m_LastError;
  EXPECT_EQ(o.body->size(), big.size());
  EXPECT_TRUE(Messages().empty());
}

// A loopback port whose accept queue is full: the kernel drops further
// connection requests, so a connect to it hangs instead of being refused.
class UnansweredPort {
 public:
  UnansweredPort() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(listener_, 0) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
      return;
    port_ = ntohs(addr.sin_port);
    // Fill the queue with connections nobody accepts.
    for (int i = 0; i < 4; ++i) {
      const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      connect(fd, reinterpret_cast<sockaddr*>(&addr), len);
      fillers_.push_back(fd);
    }
    usleep(200000);
  }
  ~UnansweredPort() {
    for (const int fd : fillers_) close(fd);
    close(listener_);
  }
  int Port() const { return port_; }

 private:
  int listener_ = -1;
  int port_ = 0;
  std::vector<int> fillers_;
};

// A connect that hangs ends at the time-out the user set, not at libcurl's own
// 300 seconds.
TEST_F(FormPost, HangingConnectEndsAtTheTimeOut) {
  UnansweredPort port;
  ASSERT_NE(port.Port(), 0);
  op.m_Server.m_Timeout = 1;
  const auto start = std::chrono::steady_clock::now();
  const Outcome o = Post(CString("http://127.0.0.1:" + std::to_string(port.Port()) + kPath), REQKIND_TOKEN);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(o.body, std::nullopt);
  EXPECT_EQ(Messages(), std::vector<CString>{u"サービスに接続できません。(1-5)"});
  EXPECT_EQ(op.m_LastError, 28u /* CURLE_OPERATION_TIMEDOUT */);
  EXPECT_LT(waited, std::chrono::seconds(30));
}

TEST_F(FormPost, DelayShorterThanTheTimeOutIsWaitedFor) {
  op.m_Server.m_Timeout = 2;
  standin::Reply slow = JsonReply(200, "{}");
  slow.delayMs = 300;
  server.Script(kPath, slow);
  EXPECT_EQ(Post().body, std::optional<std::string>("{}"));
}

// Proxy types: 1 goes direct, every other type follows the environment's proxy.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(FormPost, ProxyTypeOneGoesDirectAndOthersFollowTheEnvironment) {
  standin::Server proxy;
  proxy.Script(std::string(kPath), JsonReply(200, "via proxy"));
  ScopedEnv p1("http_proxy", proxy.BaseUrl().c_str());
  ScopedEnv p2("no_proxy", nullptr);
  ScopedEnv p3("NO_PROXY", nullptr);
  struct Row {
    int16_t type;
    bool viaProxy;
  };
  for (const Row row : {Row{1, false}, Row{0, true}, Row{-1, true}, Row{2, true}, Row{3, true}}) {
    op.m_Server.m_ProxyType = row.type;
    server.Script(kPath, JsonReply(200, "direct"));
    proxy.Script(kPath, JsonReply(200, "via proxy"));
    const Outcome o = Post();
    EXPECT_EQ(o.body, std::optional<std::string>(row.viaProxy ? "via proxy" : "direct")) << row.type;
  }
  // The proxy saw the absolute target of the real server.
  ASSERT_FALSE(proxy.Requests().empty());
  EXPECT_EQ(proxy.Requests()[0].target, server.BaseUrl() + kPath);
}

// Any scheme but "http" is sent as HTTPS: through an environment proxy that shows
// as a CONNECT to the host, never as another protocol (FTP, telnet). A proxy that
// refuses the CONNECT is a failed send.
TEST_F(FormPost, OtherSchemesAreSentAsHttpsOnly) {
  standin::Server proxy;
  ScopedEnv p1("https_proxy", proxy.BaseUrl().c_str());
  ScopedEnv p2("HTTPS_PROXY", nullptr);
  ScopedEnv p3("no_proxy", nullptr);
  ScopedEnv p4("NO_PROXY", nullptr);
  op.m_Server.m_ProxyType = -1;
  struct Row {
    std::string url;
    const char* connect;  // request line the proxy sees
  };
  const Row rows[] = {
      {"https://127.0.0.1:9/p", "CONNECT 127.0.0.1:9 HTTP/1.1"},
      {"ftp://127.0.0.1:9/p", "CONNECT 127.0.0.1:9 HTTP/1.1"},
      {"telnet://127.0.0.1:9/p", "CONNECT 127.0.0.1:9 HTTP/1.1"},
      {"gopher://127.0.0.1/p", "CONNECT 127.0.0.1:443 HTTP/1.1"},
  };
  for (const Row& row : rows) {
    ui.Clear();
    const size_t before = proxy.Requests().size();
    const Outcome o = Post(CString(row.url), REQKIND_DOCUMENT);
    EXPECT_EQ(o.body, std::nullopt) << row.url;
    EXPECT_EQ(Messages(), std::vector<CString>{u"サービスに接続できません。(2-5)"}) << row.url;
    const auto requests = proxy.Requests();
    ASSERT_EQ(requests.size(), before + 1) << row.url;
    EXPECT_EQ(requests.back().head.substr(0, requests.back().head.find("\r\n")), row.connect);
  }
}

}  // namespace
