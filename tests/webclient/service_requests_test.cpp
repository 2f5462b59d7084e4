#include <string>

#include "tests/webclient/webclient_fixture.h"

namespace {

using standin::kPrintCountPath;
using standin::kTokenPath;

class TokenRequest : public WebClientTest {};

TEST_F(TokenRequest, PostsTheCredentialsAndReadsTheToken) {
  op.m_Server.m_UserId = u"id";
  op.m_Server.m_Password = u"a:>ab?a";  // a colon stays inside; Base64 gives "+", "/" and "="
  server.Script(kTokenPath, JsonReply(200, "{\"token\":\"T-1\"}"));
  EXPECT_EQ(op.GetAccessToken(), u"T-1");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, kTokenPath);
  EXPECT_EQ(requests[0].body,
            "authorization=aWQ6YTo+YWI/YQ==&csvtabroconnectaccesskey=KEY"
            "&csvtabroconnectclientidentificationnumberkey=CID-7&requestapp=2");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TokenRequest, ShiftJisCredentialsAreEncodedAsAnsiBytes) {
  op.m_Server.m_UserId = u"品";
  op.m_Server.m_Password = u"";
  server.Script(kTokenPath, JsonReply(200, "{\"token\":\"T\"}"));
  op.GetAccessToken();
  // 品 is 95 69 in Shift_JIS, then ":"
  EXPECT_EQ(server.Requests().at(0).Field("authorization"), "lWk6");
}

TEST_F(TokenRequest, AlternativeServerWhileConnectModeIsSet) {
  op.m_Server.m_AltServerBaseUrl = CString(server.BaseUrl());
  op.m_Server.m_ServerBaseUrl = u"http://127.0.0.1:1";
  host.altServer = true;
  server.Script(kTokenPath, JsonReply(200, "{\"token\":\"alt\"}"));
  EXPECT_EQ(op.GetAccessToken(), u"alt");
}

// Regression: in mode 1 the requests went to the deployment's base URL and the
// server typed into the system settings had no effect.
TEST_F(TokenRequest, Mode1GoesToTheOnpremisesServer) {
  op.m_Server.m_OperationMode = 1;
  op.m_Server.m_OnpremisesServer = CString(server.BaseUrl());
  op.m_Server.m_ServerBaseUrl = u"http://127.0.0.1:1";
  op.m_Server.m_AltServerBaseUrl = u"http://127.0.0.1:1";
  server.Script(kTokenPath, JsonReply(200, "{\"token\":\"op\"}"));
  EXPECT_EQ(op.GetAccessToken(), u"op");
  host.altServer = true;
  server.Script(kTokenPath, JsonReply(200, "{\"token\":\"op2\"}"));
  EXPECT_EQ(op.GetAccessToken(), u"op2");
  EXPECT_TRUE(Messages().empty());
}

struct TokenCase {
  const char* name;
  standin::Reply reply;
  const char16_t* token;
};

class TokenAnswers : public WebClientTest, public ::testing::WithParamInterface<TokenCase> {};

TEST_P(TokenAnswers, GiveTheTokenOrNothing) {
  server.Script(kTokenPath, GetParam().reply);
  EXPECT_EQ(op.GetAccessToken(), GetParam().token);
  EXPECT_TRUE(Messages().empty());
}

standin::Reply NoLength(standin::Reply r) {
  r.length = standin::Reply::Length::kAbsent;
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenAnswers,
    ::testing::Values(TokenCase{"Ok", JsonReply(200, "{\"token\":\"abc\"}"), u"abc"},
                      TokenCase{"Utf8TokenTurnsWide", JsonReply(200, "{\"token\":\"\xE5\x93\x81\"}"), u"品"},
                      TokenCase{"EscapesElsewhereInTheAnswer",
                                JsonReply(200, "{\"msg\":\"\\u3042 \\\"ok\\\"\",\"exp\":3.6e3,\"token\":\"abc\"}"), u"abc"},
                      TokenCase{"EscapedToken", JsonReply(200, "{\"token\":\"a\\/b\\u54c1\"}"), u"a/b品"},
                      TokenCase{"Non200", JsonReply(401, "{\"token\":\"abc\"}"), u""},
                      TokenCase{"NotJson", JsonReply(200, "<html>"), u""},
                      TokenCase{"MissingMember", JsonReply(200, "{\"tok\":\"abc\"}"), u""},
                      TokenCase{"NumberMember", JsonReply(200, "{\"token\":12 }"), u""},
                      TokenCase{"NoContentLength", NoLength(JsonReply(200, "{\"token\":\"abc\"}")), u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TokenRequest, RefusedConnectionShowsTheTransportMessage) {
  server.Stop();
  op.m_Server.m_ServerBaseUrl = u"http://127.0.0.1:1";
  EXPECT_EQ(op.GetAccessToken(), u"");
  EXPECT_EQ(Messages(), std::vector<CString>{u"サービスに接続できません。(1-5)"});
}

struct CountCase {
  const char* name;
  std::string prcnt;
  int used;
  int contract;
};

class PrintCount : public WebClientTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(PrintCount, ReadsTheCountForms) {
  const CountCase& c = GetParam();
  server.Script(kTokenPath, JsonReply(200, "{\"token\":\"T9\"}"));
  server.Script(kPrintCountPath, JsonReply(200, "{\"prcnt\":\"" + c.prcnt + "\"}"));
  op.QueryPrintCount();
  EXPECT_EQ(host.printCountKnown, 1);
  EXPECT_EQ(host.printUsed, c.used);
  EXPECT_EQ(host.printContract, c.contract);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].target, kPrintCountPath);
  EXPECT_EQ(requests[1].body, "accesstoken=T9");
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintCount,
    ::testing::Values(CountCase{"Plain", "12/100", 12, 100},
                      CountCase{"PercentEncoded", "%31%32/%31%30%30", 12, 100},
                      CountCase{"FullWidthSlashHasNoSplit", "12\xE5\x9B\x9E\xEF\xBC\x8F" "100\xE5\x9B\x9E", 0, 12},
                      CountCase{"CountersAndIdeographicSpacesRemoved",
                                "\xE3\x80\x80" "12\xE5\x9B\x9E/100\xE5\x9B\x9E", 12, 100},
                      CountCase{"BlanksAroundSlash", "12 / 100", 12, 100},
                      CountCase{"Empty", "", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebClientTest, PrintCountFailuresLeaveTheCounts) {
  struct Row {
    const char* name;
    standin::Reply token;
    std::optional<standin::Reply> count;  // not asked for without a token
    bool messages;
    std::vector<CString> shown;
  };
  const Row rows[] = {
      {"NoTokenShowsAuthError", JsonReply(401, "{}"), std::nullopt, true, {u"認証エラー"}},
      {"NoTokenAtStartUpIsSilent", JsonReply(401, "{}"), std::nullopt, false, {}},
      {"Non200", JsonReply(200, "{\"token\":\"T\"}"), JsonReply(500, "{\"prcnt\":\"1/2\"}"), true, {}},
      {"NotJson", JsonReply(200, "{\"token\":\"T\"}"), JsonReply(200, "prcnt=1/2"), true, {}},
      // Regression: counts beyond the int range overflowed at start-up.
      {"CountBeyondTheRange", JsonReply(200, "{\"token\":\"T\"}"),
       JsonReply(200, "{\"prcnt\":\"-99999999999/100\"}"), true, {}},
      {"NegativeCount", JsonReply(200, "{\"token\":\"T\"}"), JsonReply(200, "{\"prcnt\":\"5/-1\"}"), true, {}},
      {"TenDigits", JsonReply(200, "{\"token\":\"T\"}"), JsonReply(200, "{\"prcnt\":\"1/1000000000\"}"), true, {}},
  };
  for (const Row& row : rows) {
    ui.Clear();
    op.m_ShowMessages = row.messages;
    server.Script(kTokenPath, row.token);
    if (row.count) server.Script(kPrintCountPath, *row.count);
    op.QueryPrintCount();
    EXPECT_EQ(host.printCountKnown, 0) << row.name;
    EXPECT_EQ(host.printUsed, -1) << row.name;
    EXPECT_EQ(Messages(), row.shown) << row.name;
  }
  EXPECT_EQ(server.Requests().size(), 12u);  // two without a token, five with
  ui.Clear();
  op.m_ShowMessages = 1;
  server.Script(kTokenPath, JsonReply(401, "{}"));
  op.QueryPrintCount();
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].type & MB_ICONMASK, unsigned(MB_ICONSTOP));
}

}  // namespace
