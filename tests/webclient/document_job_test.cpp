#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <chrono>
#include <ctime>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

#include "platform/paths.h"
#include "tests/webclient/webclient_fixture.h"

namespace {

using standin::kCommandPath;
using standin::kDocumentPath;
using standin::kTokenPath;

namespace fs = std::filesystem;

class DocumentJob : public WebClientTest {
 public:
  void SetUp() override {
    WebClientTest::SetUp();
    SetData({{u"a", u"b"}, {u"1", u"2"}});
    op.m_Request = DOCREQUEST{};
    op.m_Request.m_DocType = DocType::kPdf;
    op.m_Request.m_DefaultName = u"report";
    op.m_SaveNameMode = SAVENAME_NUMBERED;
    op.m_TimestampMode = TIMESTAMP_NONE;
    op.m_OpenAfterSave = 1;
  }
  fs::path Out(const char* name) const { return dir.path() / "out" / name; }
  standin::Reply Document(std::string body, const char* name = "report") {
    standin::Reply r = JsonReply(200, std::move(body));
    if (name) r.headers.emplace_back("AttchFileName", name);
    return r;
  }
};

TEST_F(DocumentJob, PdfJobSendsTheseBodiesAndOpensTheSavedDocument) {
  SetData({{u"a", u"b"}, {u"1,2", u"x\"y"}});
  op.m_Request.m_NameSuffix = u"#A";
  server.Script(kDocumentPath, Document("%PDF-1.4 body"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].target, kTokenPath);
  EXPECT_EQ(requests[1].target, kDocumentPath);
  EXPECT_EQ(requests[1].body,
            "accesstoken=standin-token&csvdata=a%2Cb%0D%0A%221%2C2%22%2Cx%22y%0D%0A&doctype=1"
            "&csvname=report%28%23A%29%2Ecsv&csvencode=UTF-8");
  EXPECT_EQ(testsupport::TempDir::Read(Out("report.pdf")), "%PDF-1.4 body");
  EXPECT_EQ(ui.OpenedDocuments(), std::vector<CString>{CString(Out("report.pdf").string())});
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

TEST_F(DocumentJob, UploadNameRules) {
  struct Row {
    const char16_t* explicitName;
    const char16_t* suffix;
    const char* sent;
  };
  const Row rows[] = {{u"", u"", "report.csv"},
                      {u"", u"$", "report($).csv"},
                      {u"", u"#PDF;品", "report(#PDF;\xE5\x93\x81).csv"},
                      {u"given.csv", u"#X", "given.csv"}};
  for (const Row& r : rows) {
    op.m_Request.m_ExplicitName = r.explicitName;
    op.m_Request.m_NameSuffix = r.suffix;
    server.Script(kDocumentPath, Document("%PDF-x"));
    op.SendDocumentJob();
    EXPECT_EQ(server.Requests().back().Field("csvname"), r.sent);
  }
}

TEST_F(DocumentJob, SavedDocumentIsNotOpenedBeforeInitialisationOrWhenNotAsked) {
  for (const auto& [initialized, open] : {std::pair{0, 1}, std::pair{1, 0}}) {
    op.m_Initialized = initialized;
    op.m_OpenAfterSave = open;
    server.Script(kDocumentPath, Document("%PDF-x"));
    EXPECT_EQ(op.SendDocumentJob(), 0);
  }
  EXPECT_TRUE(ui.OpenedDocuments().empty());
}

struct CharCodeCase {
  const char* name;
  int16_t inputKind;
  int sourceCodeType;
  const char16_t* requested;
  const char* sent;
};

class CsvJobCharCode : public DocumentJob, public ::testing::WithParamInterface<CharCodeCase> {};

TEST_P(CsvJobCharCode, CommandRequestCarriesTheCharacterCode) {
  const CharCodeCase& c = GetParam();
  host.inputKind = c.inputKind;
  grids().m_SourceCodeType = c.sourceCodeType;
  op.m_Request.m_DocType = DocType::kCsv;
  op.m_Request.m_CharCode = c.requested;
  server.Script(kDocumentPath, Document("a,b\r\n"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].target, kCommandPath);
  EXPECT_EQ(requests[1].body, std::string("authorization=standin-token&command=[#CharCode]&prm1=") + c.sent +
                                  "&prm2=&prm1=&prm4=&prm5=");
  EXPECT_EQ(requests[2].Field("doctype"), "4");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvJobCharCode,
    ::testing::Values(CharCodeCase{"DroppedShiftJis", INPUT_DROPPED, 1, u"", "SJIS"},
                      CharCodeCase{"DroppedUtf8", INPUT_DROPPED, 0, u"", "UTF8"},
                      CharCodeCase{"FileDialogShiftJis", INPUT_FILE_DIALOG, 1, u"", "SJIS"},
                      CharCodeCase{"WatchFolderShiftJis", INPUT_WATCH_FOLDER, 1, u"", "SJIS"},
                      CharCodeCase{"ReuseNewFileShiftJis", INPUT_REUSE_NEWFILE, 1, u"", "SJIS"},
                      CharCodeCase{"ClipboardIsAlwaysUtf8", INPUT_CLIPBOARD, 1, u"", "UTF8"},
                      CharCodeCase{"NoInputKindIsEmpty", INPUT_NONE, 1, u"", ""},
                      CharCodeCase{"RequestedCodeWins", INPUT_DROPPED, 1, u"UTF8", "UTF8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentJob, CsvJobSavesAndAnnouncesEvenWhenTheCommandRequestFails) {
  op.m_Request.m_DocType = DocType::kCsv;
  standin::Reply dropped;
  dropped.drop = true;
  server.Script(kCommandPath, dropped);
  server.Script(kDocumentPath, Document("a,b\r\n1,2\r\n"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_EQ(testsupport::TempDir::Read(Out("report.csv")), "a,b\r\n1,2\r\n");
  EXPECT_EQ(Messages(), (std::vector<CString>{u"サービスに接続できません。(3-5)", u"CSVファイルを出力しました。"}));
  EXPECT_EQ(ui.Boxes().back().type & MB_ICONMASK, unsigned(MB_ICONINFORMATION));
  for (const auto& box : ui.Boxes()) EXPECT_EQ(box.caption, u"タブロコネクト");
  EXPECT_TRUE(ui.OpenedDocuments().empty());
}

struct ResultCase {
  const char* name;
  std::function<void(DocumentJob&, standin::Server&)> arrange;
  int result;
  std::vector<CString> messages;
  size_t requests;
};

class DocumentJobResultCodes : public DocumentJob, public ::testing::WithParamInterface<ResultCase> {};

standin::Reply Reply(int status, std::string body, standin::Reply::Length length = standin::Reply::Length::kExact,
                     unsigned long long announced = 0) {
  standin::Reply r = JsonReply(status, std::move(body));
  r.length = length;
  r.announced = announced;
  return r;
}

TEST_P(DocumentJobResultCodes, GiveTheResultAndMessages) {
  const ResultCase& c = GetParam();
  c.arrange(*this, server);
  EXPECT_EQ(op.SendDocumentJob(), c.result);
  EXPECT_EQ(Messages(), c.messages);
  EXPECT_EQ(server.Requests().size(), c.requests);
  EXPECT_FALSE(fs::exists(Out("report.pdf")));
  EXPECT_TRUE(ui.OpenedDocuments().empty());
  EXPECT_EQ(ui.WaitCursorDepth(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentJobResultCodes,
    ::testing::Values(
        ResultCase{"UploadNameOf200CharactersIsRefused",
                   [](DocumentJob& t, standin::Server&) {
                     t.op.m_Request.m_DefaultName = CString(std::string(196, 'n'));
                   },
                   2, {u"ファイル名が長すぎます。"}, 0},
        ResultCase{"UploadNameOf199CharactersIsSent",
                   [](DocumentJob& t, standin::Server& s) {
                     t.op.m_Request.m_DefaultName = CString(std::string(195, 'n'));
                     s.Script(kDocumentPath, Reply(500, "{}"));
                   },
                   14, {u"ドキュメントの取得に失敗しました"}, 2},
        ResultCase{"EmptyGridIsNoData",
                   [](DocumentJob& t, standin::Server&) { t.SetData({{u""}, {u""}}); },
                   17, {u"CSVの取得に失敗しました"}, 1},
        ResultCase{"NoContentLength",
                   [](DocumentJob&, standin::Server& s) {
                     s.Script(kDocumentPath, Reply(200, "%PDF", standin::Reply::Length::kAbsent));
                   },
                   16, {u"ドキュメントの作成に失敗しました"}, 2},
        ResultCase{"BodyShorterThanItsLength",
                   [](DocumentJob&, standin::Server& s) {
                     s.Script(kDocumentPath, Reply(200, "%PDF", standin::Reply::Length::kAnnounce, 100));
                   },
                   16, {u"ドキュメントの作成に失敗しました"}, 2},
        ResultCase{"DroppedConnection",
                   [](DocumentJob&, standin::Server& s) {
                     standin::Reply r;
                     r.drop = true;
                     s.Script(kDocumentPath, r);
                   },
                   16, {u"サービスに接続できません。(2-5)", u"ドキュメントの作成に失敗しました"}, 2},
        ResultCase{"Non200WithJson",
                   [](DocumentJob&, standin::Server& s) { s.Script(kDocumentPath, Reply(400, "{\"e\":1}")); },
                   14, {u"ドキュメントの取得に失敗しました"}, 2},
        ResultCase{"Non200WithoutJson",
                   [](DocumentJob&, standin::Server& s) { s.Script(kDocumentPath, Reply(502, "<html>")); },
                   15, {u"ドキュメントの取得に失敗しました"}, 2},
        ResultCase{"NoTokenGoesOnAndTheServiceRefuses",
                   [](DocumentJob&, standin::Server& s) { s.Script(kTokenPath, Reply(401, "{}")); },
                   14, {u"認証エラー", u"ドキュメントの取得に失敗しました"}, 2},
        ResultCase{"SaveFolderCannotBeMade",
                   [](DocumentJob& t, standin::Server&) {
                     t.dir.Write("a-file", "x");
                     t.host.saveDirectory = CString((t.dir.path() / "a-file" / "out").string());
                   },
                   12, {u"ドキュメントを保存できませんでした"}, 2},
        ResultCase{"FailuresAreSilentBeforeMessagesAreOn",
                   [](DocumentJob& t, standin::Server& s) {
                     t.op.m_ShowMessages = 0;
                     s.Script(kDocumentPath, Reply(502, "<html>"));
                   },
                   15, {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentJob, CsvJobThatCannotSaveDoesNotAnnounce) {
  op.m_Request.m_DocType = DocType::kCsv;
  dir.Write("a-file", "x");   // a folder cannot be made below a file
  host.saveDirectory = CString((dir.path() / "a-file" / "out").string());
  server.Script(kDocumentPath, Document("a\r\n"));
  EXPECT_EQ(op.SendDocumentJob(), 12);
  EXPECT_EQ(Messages(), std::vector<CString>{u"ドキュメントを保存できませんでした"});
}

// Regression: when no program could open the saved document, only stderr said so.
TEST_F(DocumentJob, ADocumentNoProgramOpensIsNamedInAMessage) {
  op.m_Initialized = 1;
  op.m_OpenAfterSave = 1;
  ui.SetOpenDocumentResult(false);
  server.Script(kDocumentPath, Document("%PDF-1.4 x"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_TRUE(op.m_DocumentSaved);
  EXPECT_EQ(Messages(), std::vector<CString>{CString::Build(
                            u"ドキュメントを保存しましたが、開くプログラムが見つかりませんでした。\n%s",
                            CString(Out("report.pdf").string()))});
}

// Regression: each watched document that no program could open raised a modal
// box, and the next watched file waited until someone answered it.
TEST_F(DocumentJob, AWatchedDocumentNoProgramOpensIsNamedOnceWithoutWaiting) {
  op.m_Initialized = 1;
  op.m_OpenAfterSave = 1;
  host.inputKind = INPUT_WATCH_FOLDER;
  ui.SetOpenDocumentResult(false);
  for (const char* name : {"first", "second"}) {
    server.Script(kDocumentPath, Document("%PDF-1.4 x", name));
    op.m_Request.m_DefaultName = CString::FromUtf8(name);
    EXPECT_EQ(op.SendDocumentJob(), 0) << name;
    EXPECT_TRUE(op.m_DocumentSaved) << name;
  }
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_TRUE(ui.Boxes()[0].modeless);
  EXPECT_EQ(ui.Boxes()[0].text,
            CString::Build(u"ドキュメントを保存しましたが、開くプログラムが見つかりませんでした。\n%s",
                           CString(Out("first.pdf").string())));
}

// Regression: the first save of a run without a Desktop folder failed.
TEST_F(DocumentJob, AMissingOutputFolderIsCreated) {
  host.saveDirectory = CString((dir.path() / "new" / "Desktop").string());
  server.Script(kDocumentPath, Document("%PDF-1.4 first"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_EQ(testsupport::TempDir::Read(dir.path() / "new" / "Desktop" / "report.pdf"), "%PDF-1.4 first");
}

// The job sent while this process may write no more than 100 bytes to a file,
// standing for a full disk.
int SendWithFilesCappedAt100Bytes(CTabroOperation& op) {
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  const int result = op.SendDocumentJob();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  return result;
}

// Regression: a failed write used to leave a partial document behind.
TEST_F(DocumentJob, PartialDocumentIsRemovedWhenTheWriteFails) {
  server.Script(kDocumentPath, Document("%PDF-" + std::string(4096, 'P')));
  const int result = SendWithFilesCappedAt100Bytes(op);
  EXPECT_EQ(result, 12);
  EXPECT_FALSE(fs::exists(Out("report.pdf")));
  EXPECT_EQ(Messages(), std::vector<CString>{u"ドキュメントを保存できませんでした"});
  EXPECT_TRUE(ui.OpenedDocuments().empty());
}

// Another program holds the document open for writing: only then does the
// overwrite ask to try again.
TEST_F(DocumentJob, FileInUseIsRetriedOnceThenGivenUp) {
  op.m_SaveNameMode = SAVENAME_OVERWRITE;
  op.m_ShowMessages = 0;  // the in-use question and the final message are shown regardless
  const fs::path held = dir.Write("out/report.pdf", "%PDF-1.4 open elsewhere");
  const int writer = ::open(held.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  struct Row {
    int answer;
    int result;
    std::vector<CString> messages;
  };
  const Row rows[] = {
      {IDRETRY, 11,
       {u"このファイルは他のアプリケーションまたはユーザーによって使用中です。",
        u"ドキュメントを保存できませんでした。保存を中止しました。"}},
      {IDCANCEL, 0, {u"このファイルは他のアプリケーションまたはユーザーによって使用中です。"}},
  };
  for (const Row& r : rows) {
    ui.Clear();
    ui.QueueAnswer(r.answer);
    server.Script(kDocumentPath, Document("%PDF-x"));
    EXPECT_EQ(op.SendDocumentJob(), r.result);
    EXPECT_EQ(Messages(), r.messages);
    EXPECT_EQ(ui.Boxes().at(0).type & MB_TYPEMASK, unsigned(MB_RETRYCANCEL));
    EXPECT_FALSE(op.m_DocumentSaved);
    EXPECT_EQ(testsupport::TempDir::Read(held), "%PDF-1.4 open elsewhere");
  }
  ::close(writer);
  ui.Clear();
  server.Script(kDocumentPath, Document("%PDF-x"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(testsupport::TempDir::Read(held), "%PDF-x");
}

// Regression: a full disk in overwrite mode said the file was in use. A write
// that fails for any other reason than a file in use is a failed save.
TEST_F(DocumentJob, AnOverwriteThatFailsForAnotherReasonIsAFailedSave) {
  op.m_SaveNameMode = SAVENAME_OVERWRITE;
  enum class Fault { kFullDisk, kReadOnlyFile, kFolderInPlace };
  struct Row {
    const char* name;
    Fault fault;
  };
  const Row rows[] = {{"full disk", Fault::kFullDisk},
                      {"read-only file", Fault::kReadOnlyFile},
                      {"a folder in its place", Fault::kFolderInPlace}};
  for (const Row& r : rows) {
    fs::remove_all(Out("report.pdf"));
    if (r.fault == Fault::kFolderInPlace) {
      fs::create_directories(Out("report.pdf"));
    } else {
      dir.Write("out/report.pdf", "%PDF-1.4 the good one");
    }
    if (r.fault == Fault::kReadOnlyFile) fs::permissions(Out("report.pdf"), fs::perms::owner_read);
    if (r.fault == Fault::kFullDisk) {
      SetFileFaultHook([](FileOp fop, const fs::path&) { return fop == FileOp::kWrite ? ENOSPC : 0; });
    }
    ui.Clear();
    server.Script(kDocumentPath, Document("%PDF-new"));
    EXPECT_EQ(op.SendDocumentJob(), 12) << r.name;
    SetFileFaultHook({});
    EXPECT_EQ(Messages(), std::vector<CString>{u"ドキュメントを保存できませんでした"}) << r.name;
    EXPECT_FALSE(op.m_DocumentSaved) << r.name;
    if (r.fault != Fault::kFolderInPlace) {
      EXPECT_EQ(testsupport::TempDir::Read(Out("report.pdf")), "%PDF-1.4 the good one") << r.name;
    }
    fs::permissions(Out("report.pdf"), fs::perms::owner_all);
  }
}

// The files of the output folder but the given one.
std::vector<std::string> OtherFiles(const fs::path& folder, const std::string& keep) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename() != keep) names.push_back(entry.path().filename().string());
  return names;
}

// Regression: an overwrite truncated the old document in place, so a full disk
// (or a kill mid-write) left junk where a good document was.
TEST_F(DocumentJob, AFailedOverwriteKeepsTheOldDocumentWhole) {
  op.m_SaveNameMode = SAVENAME_OVERWRITE;
  dir.Write("out/report.pdf", "%PDF-1.4 the good one");
  server.Script(kDocumentPath, Document("%PDF-" + std::string(4096, 'N')));
  const int result = SendWithFilesCappedAt100Bytes(op);
  EXPECT_NE(result, 0);
  EXPECT_FALSE(op.m_DocumentSaved);
  EXPECT_EQ(testsupport::TempDir::Read(Out("report.pdf")), "%PDF-1.4 the good one");
  EXPECT_TRUE(OtherFiles(Out("report.pdf").parent_path(), "report.pdf").empty());
}

// A save killed midway (SIGKILL of the process writing) leaves the old document as
// it was; the temporary file it leaves is cleared at the next start.
TEST_F(DocumentJob, AKillDuringTheSaveLeavesTheOldDocumentAndNoStrayFileAfterCleanUp) {
  op.m_SaveNameMode = SAVENAME_OVERWRITE;
  op.m_OpenAfterSave = 0;
  const std::string oldDoc = "%PDF-1.4 the good one";
  const std::string newDoc = "%PDF-" + std::string(96 << 20, 'N');
  const fs::path folder = dir.path() / "out";
  bool killedMidSave = false;
  for (int attempt = 0; attempt < 5 && !killedMidSave; ++attempt) {
    dir.Write("out/report.pdf", oldDoc);
    server.Script(kDocumentPath, Document(newDoc));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      op.SendDocumentJob();
      ::_exit(0);
    }
    int status = 0;
    for (;;) {
      if (!OtherFiles(folder, "report.pdf").empty()) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        killedMidSave = WIFSIGNALED(status);
        break;
      }
      if (::waitpid(child, &status, WNOHANG) == child) break;
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const std::string now = testsupport::TempDir::Read(Out("report.pdf"));
    EXPECT_TRUE(now == oldDoc || now == newDoc) << now.size();
    if (killedMidSave) {
      EXPECT_EQ(now, oldDoc);
    }
    RemoveStaleWriterFiles(CString(folder.string()), 0);
    EXPECT_TRUE(OtherFiles(folder, "report.pdf").empty());
  }
  EXPECT_TRUE(killedMidSave);
}

// Regression: a 200 answer holding a proxy's or a maintenance page was saved as
// the document and replaced the previous good one.
TEST_F(DocumentJob, AnAnswerThatIsNotTheAskedDocumentIsAFailedJob) {
  struct Row {
    const char* name;
    int docType;
    const char16_t* charCode;
    std::string body;
    const char* file;
  };
  const Row rows[] = {
      {"html as pdf", 0, u"", "<!DOCTYPE html><html><body>maintenance</body></html>", "report.pdf"},
      {"html as workbook", 1, u"", "<html>proxy</html>", "report.xlsx"},
      {"html as csv", 3, u"UTF8", "\r\n  <html><body>503</body></html>", "report.csv"},
      {"shift_jis bytes as utf-8 csv", 3, u"UTF8", "\x94\x84\x8F\xE3,1\r\n", "report.csv"},
      // No answer is the document of a type the program does not know.
      {"any answer to an unknown type", 2, u"", "%PDF-1.4\n", "report.pdf"},
  };
  op.m_SaveNameMode = SAVENAME_OVERWRITE;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ui.Clear();
    op.m_Request.m_DocType = static_cast<DocType>(r.docType);
    op.m_Request.m_CharCode = r.charCode;
    dir.Write(std::string("out/") + r.file, "the good one");
    server.Script(kDocumentPath, Document(r.body));
    EXPECT_EQ(op.SendDocumentJob(), DOCJOB_NOT_A_DOCUMENT);
    EXPECT_FALSE(op.m_DocumentSaved);
    EXPECT_EQ(Messages(), std::vector<CString>{u"ドキュメントの作成に失敗しました"});
    EXPECT_EQ(testsupport::TempDir::Read(Out(r.file)), "the good one");
  }
}

TEST_F(DocumentJob, CsvOverwriteIsAskedFirst) {
  op.m_Request.m_DocType = DocType::kCsv;
  op.m_SaveNameMode = SAVENAME_OVERWRITE;
  dir.Write("out/report.csv", "old");
  const CString question =
      CString::Build(u"’%s’\nが既に存在します。\n上書きしますか？", CString(Out("report.csv").string()));

  ui.QueueAnswer(IDNO);
  server.Script(kDocumentPath, Document("new"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_FALSE(op.m_DocumentSaved);   // declined: the input must stay
  EXPECT_EQ(Messages(), std::vector<CString>{question});
  EXPECT_EQ(ui.Boxes().at(0).type, unsigned(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(testsupport::TempDir::Read(Out("report.csv")), "old");

  ui.Clear();
  ui.QueueAnswer(IDYES);
  server.Script(kDocumentPath, Document("new"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_EQ(Messages(), (std::vector<CString>{question, u"CSVファイルを出力しました。"}));
  EXPECT_EQ(testsupport::TempDir::Read(Out("report.csv")), "new");
  EXPECT_TRUE(op.m_DocumentSaved);
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y%m%d", &t);
  return buf;
}

TEST_F(DocumentJob, SaveNames) {
  struct Row {
    const char* name;
    int mode;
    int stamp;
    bool outputFolder;
    std::vector<std::string> existing;  // relative to the program folder
    const char* header;                 // AttchFileName; null: none
    const char16_t* baseName;
    std::string expected;               // a regular expression, relative to the program folder
  };
  const std::string today = Today();
  const Row rows[] = {
      {"NumberedFirst", 0, 0, false, {}, "report", u"", "out/report\\.pdf"},
      {"NumberedSecond", 0, 0, false, {"out/report.pdf"}, "report", u"", "out/report\\(2\\)\\.pdf"},
      {"NumberedThird", 0, 0, false, {"out/report.pdf", "out/report(2).pdf"}, "report", u"",
       "out/report\\(3\\)\\.pdf"},
      {"NoStampWithoutOutputFolder", 0, 11, false, {}, "report", u"", "out/report\\.pdf"},
      {"OutputFolderWithDate", 1, 10, true, {"dest/report" + today + ".pdf"}, "report", u"",
       "dest/report" + today + "\\.pdf"},
      {"OutputFolderWithTimeNumbered", 0, 1, true, {}, "report", u"", "dest/report[0-9]{6}\\.pdf"},
      {"OutputFolderWithDateTime", 0, 11, true, {}, "report", u"", "dest/report[0-9]{14}\\.pdf"},
      {"UnknownStampModeIsNone", 0, 5, true, {}, "report", u"", "dest/report\\.pdf"},
      {"TestRunNeverOverwritesNorStamps", 2, 11, true, {"TestModeOutTemp/report.pdf"}, "report", u"",
       "TestModeOutTemp/report\\(2\\)\\.pdf"},
      {"NoHeaderUsesDefaultName", 0, 0, false, {}, nullptr, u"", "out/report\\.pdf"},
      {"HeaderNameIsUsed", 0, 0, false, {}, "%E5%A0%B1%E5%91%8A", u"", "out/報告\\.pdf"},
      {"BaseNameWins", 0, 0, false, {}, "other", u"mine", "out/mine\\.pdf"},
      {"ServerPathStaysInsideTheFolder", 0, 0, false, {}, "..%2F..%2Fevil", u"", "out/evil\\.pdf"},
      {"UnknownModeNeverOverwrites", 7, 0, false, {"out/report.pdf"}, "report", u"", "out/report\\(2\\)\\.pdf"},
  };
  fs::create_directories(dir.path() / "dest");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    for (const char* sub : {"out", "dest", "TestModeOutTemp"}) {
      fs::remove_all(dir.path() / sub);
      fs::create_directories(dir.path() / sub);
    }
    for (const std::string& e : r.existing) dir.Write(e, "old");
    op.m_SaveNameMode = r.mode;
    op.m_TimestampMode = r.stamp;
    op.m_OutputFolder = r.outputFolder ? CString((dir.path() / "dest").string()) : CString();
    op.m_Request.m_BaseName = r.baseName;
    server.Script(kDocumentPath, Document("%PDF-new", r.header));
    EXPECT_EQ(op.SendDocumentJob(), 0);
    std::vector<std::string> written;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      if (entry.is_regular_file() && testsupport::TempDir::Read(entry.path()) == "%PDF-new")
        written.push_back(fs::relative(entry.path(), dir.path()).string());
    }
    ASSERT_EQ(written.size(), 1u);
    EXPECT_TRUE(std::regex_match(written[0], std::regex(r.expected))) << written[0];
    for (const std::string& e : r.existing) {
      if (e != written[0]) {
        EXPECT_EQ(testsupport::TempDir::Read(dir.path() / e), "old") << e;
      }
    }
  }
}

// Regression: a name that did not exist as a file but as a dangling link was
// written through the link, outside the folder, in the modes that never overwrite.
TEST_F(DocumentJob, NeverOverwritingModesSkipANameHeldByALink) {
  struct Row {
    int mode;
    const char* folder;
  };
  for (const Row& r : {Row{SAVENAME_NUMBERED, "out"}, Row{SAVENAME_TESTRUN, "TestModeOutTemp"}}) {
    SCOPED_TRACE(r.folder);
    const fs::path outside = dir.path() / "outside.pdf";
    fs::create_symlink(outside, dir.path() / r.folder / "report.pdf");
    op.m_SaveNameMode = r.mode;
    server.Script(kDocumentPath, Document("%PDF-new"));
    EXPECT_EQ(op.SendDocumentJob(), 0);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_EQ(testsupport::TempDir::Read(dir.path() / r.folder / "report(2).pdf"), "%PDF-new");
    EXPECT_TRUE(Messages().empty());
  }
}

TEST_F(DocumentJob, TestRunDocumentIsHandedToTheHostForRemovalAtExit) {
  const fs::path temp = dir.path() / "TestModeOutTemp";
  op.m_SaveNameMode = 2;
  server.Script(kDocumentPath, Document("%PDF-mine", "report"));
  ASSERT_EQ(op.SendDocumentJob(), 0);
  ASSERT_TRUE(fs::exists(temp / "report.pdf"));
  ASSERT_EQ(host.testModeOutFiles.size(), 1u);
  EXPECT_EQ(host.testModeOutFiles[0], CString((temp / "report.pdf").string()));
}

TEST_F(DocumentJob, WorkbookJobAsksForDocTypeTwo) {
  op.m_Request.m_DocType = DocType::kExcel;
  server.Script(kDocumentPath, Document("PK"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_EQ(server.Requests().back().Field("doctype"), "2");
  EXPECT_TRUE(fs::exists(Out("report.xlsx")));
  EXPECT_EQ(ui.OpenedDocuments().size(), 1u);
}

// ---- the uploaded data ----

struct SourceCase {
  const char* name;
  int dataSource;
  const char* csv;
};

class UploadedData : public DocumentJob, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(UploadedData, ComesFromTheGridTheSourceNames) {
  const SourceCase& c = GetParam();
  SetData({{u"d1", u"d2", u"d3"}});
  grids().m_EditGrid[0][0] = u"e1";
  grids().m_EditGrid[0][1] = u"e2";
  grids().m_EditGrid[0][2] = u"e3";
  grids().m_SendRows = 1;
  grids().m_SendCols = 2;
  grids().m_UploadGrid[0][0] = u"never";
  op.m_DataSource = c.dataSource;
  server.Script(kDocumentPath, Document("%PDF-x"));
  EXPECT_EQ(op.SendDocumentJob(), 0);
  EXPECT_EQ(server.Requests().back().Field("csvdata"), c.csv);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UploadedData,
    ::testing::Values(SourceCase{"DataGrid", 0, "d1,d2,d3\r\n"},
                      SourceCase{"EditGridOverSendCounts", 1, "e1,e2\r\n"},
                      SourceCase{"DataGridForOtherSource", 4, "d1,d2,d3\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SerializeCase {
  const char* name;
  std::vector<std::vector<std::u16string>> rows;
  int cols;
  std::string csv;
};

class Serialize : public WebClientTest, public ::testing::WithParamInterface<SerializeCase> {};

TEST_P(Serialize, WritesCsvText) {
  const SerializeCase& c = GetParam();
  for (size_t r = 0; r < c.rows.size(); ++r)
    for (size_t col = 0; col < c.rows[r].size(); ++col)
      grids().m_DataGrid[int(r)][int(col)] = CString(c.rows[r][col]);
  grids().m_EditRows = int(c.rows.size());
  grids().m_EditCols = c.cols;
  EXPECT_EQ(op.SerializeDataGrid(), c.csv);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Serialize,
    ::testing::Values(
        SerializeCase{"CommaIsQuoted", {{u"a,b", u"c"}}, 2, "\"a,b\",c\r\n"},
        SerializeCase{"QuoteAloneIsSentAsIs", {{u"a\"b"}}, 1, "a\"b\r\n"},
        SerializeCase{"LineBreakIsQuoted", {{u"a\r\nb", u"c\nd"}}, 2, "\"a\r\nb\",\"c\nd\"\r\n"},
        SerializeCase{"QuoteInsideQuotedCellIsDoubled", {{u"say \"1,2\""}}, 1, "\"say \"\"1,2\"\"\"\r\n"},
        SerializeCase{"EmptyLineOfOneColumnIsLeftOut", {{u"a"}, {u""}, {u"b"}}, 1, "a\r\nb\r\n"},
        SerializeCase{"EmptyCellsOfManyColumnsKeepTheirCommas", {{u"", u"", u""}}, 3, ",,\r\n"},
        SerializeCase{"Utf8WithoutBom", {{u"品名"}}, 1, "\xE5\x93\x81\xE5\x90\x8D\r\n"},
        SerializeCase{"CountsBeyondTheGridAreClamped", {{u"a"}}, 9999, "a" + std::string(255, ',') + "\r\n"},
        // Regression: a zero character in a cell used to end the upload there.
        SerializeCase{"ZeroCharacterInACellKeepsTheRowsAfterIt",
                      {{u"a"}, {std::u16string(u"b\0c", 3)}, {u"d"}},
                      1,
                      std::string("a\r\nb\0c\r\nd\r\n", 11)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebClientTest, EditGridUploadHasSendColsMinusOneCommas) {
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 5; ++c) grids().m_EditGrid[r][c] = CString::Build(u"%d%d", r, c);
  grids().m_EditRows = 3;
  grids().m_EditCols = 5;
  grids().m_SendRows = 2;
  grids().m_SendCols = 3;
  EXPECT_EQ(op.SerializeEditGrid(), "00,01,02\r\n10,11,12\r\n");
}

TEST_F(WebClientTest, UploadGridSerialisesOverTheEditCounts) {
  grids().m_UploadGrid[0][1] = u"u";
  grids().m_EditRows = 2;
  grids().m_EditCols = 2;
  EXPECT_EQ(op.SerializeUploadGrid(), ",u\r\n,\r\n");
}

}  // namespace
