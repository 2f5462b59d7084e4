// The document job: token, optional CSV command, upload of the data, and saving,
// opening or announcing the returned document.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string_view>

#include "grid/input_kind.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "webclient/json.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

constexpr char16_t kNotCreated[] = u"ドキュメントの作成に失敗しました";
constexpr char16_t kNotSaved[] = u"ドキュメントを保存できませんでした";

// Upload names of this many characters or more are refused.
constexpr int kMaxUploadName = 200;
// Numbered names are tried up to this number; beyond it the save fails.
constexpr int kMaxNumberedName = 100000;

struct DocFormat {
  DocType docType;
  const char16_t* formValue;
  const char16_t* extension;
};
constexpr DocFormat kDocFormats[] = {
    {DocType::kPdf, u"1", u"pdf"},
    {DocType::kExcel, u"2", u"xlsx"},
    {DocType::kCsv, u"4", u"csv"},
};
static_assert(std::size(kDocFormats) == 3);

// Grid as CSV text: a cell holding a comma, CR or LF is quoted (its quotes doubled);
// a comma after every column below bound - 1; empty lines are left out.
std::string SerializeGrid(const CTextGrid& grid, int rows, int cols, int bound) {
  rows = std::clamp(rows, 0, grid.Rows());
  cols = std::clamp(cols, 0, grid.Cols());
  bound = std::min(bound, cols);  // a count beyond the grid adds no columns
  std::u16string text;
  std::u16string line;
  for (int r = 0; r < rows; ++r) {
    line.clear();
    for (int c = 0; c < cols; ++c) {
      const std::u16string_view cell = grid.GetAt(r, c).View();
      if (cell.find_first_of(u",\r\n") != std::u16string_view::npos) {
        line.push_back(u'"');
        for (char16_t ch : cell) {
          if (ch == u'"') line.push_back(u'"');
          line.push_back(ch);
        }
        line.push_back(u'"');
      } else {
        line.append(cell);
      }
      if (c < bound - 1) line.push_back(u',');
    }
    if (!line.empty()) {
      text += line;
      text += u"\r\n";
    }
  }
  // The whole text, a zero character in a cell included: stopping there would drop
  // every row after it without a word.
  return Utf16ToUtf8(text);
}

bool PathExists(const CString& path) {
  std::error_code ec;
  return std::filesystem::exists(ToFsPath(path), ec);
}

CString TimeStamp(int mode) {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  switch (mode) {
    case TIMESTAMP_TIME: return CString::Build(u"%02d%02d%02d", t.tm_hour, t.tm_min, t.tm_sec);
    case TIMESTAMP_DATE: return CString::Build(u"%04d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    case TIMESTAMP_DATETIME:
      return CString::Build(u"%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                            t.tm_hour, t.tm_min, t.tm_sec);
    default: return CString();
  }
}

// Writes the document into a temporary file beside path and puts it in place
// only once it is whole: replacing the old file (overwrite) or under a name no
// file has (errno EEXIST when one took it). On any failure the old file stays
// and no temporary file is left.
bool WriteDocumentFile(const CString& path, bool overwrite, std::string_view bytes) {
  AtomicFileWriter writer;
  if (!writer.Begin(path)) return false;
  if (!writer.Write(bytes)) return false;
  return overwrite ? writer.Commit() : writer.CommitNew();
}

// A file another program holds open for writing is in use: writing over it
// would take the file from under that program.
bool IsHeldOpenForWriting(const CString& path) {
  const int fd = ::open(ToFsPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = IsHeldForWriting(fd) == true;
  ::close(fd);
  return held;
}

// Writes a document as WriteDocumentFile does, but never over a file in use
// (false with errno EBUSY).
bool WriteDocumentUnlessInUse(const CString& path, bool overwrite, std::string_view bytes) {
  if (overwrite && IsHeldOpenForWriting(path)) {
    errno = EBUSY;
    return false;
  }
  errno = 0;  // a refusal that sets no errno is no file in use
  return WriteDocumentFile(path, overwrite, bytes);
}

// Whether a failed write met a file in use, rather than a full disk, a
// read-only folder or file, or any other failure.
bool FailedOnFileInUse(int error) { return error == EBUSY || error == ETXTBSY; }

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Whether an answer is the document the job asked for: a PDF starts with its
// signature, an Excel book is a ZIP, and a CSV is text in the asked code (an
// HTML page from a proxy or a maintenance page is none of them). No answer is
// the document of a type outside DocType.
bool IsAskedDocument(std::string_view body, DocType docType, const CString& charCode) {
  switch (docType) {
    case DocType::kPdf: return StartsWith(body, "%PDF-");
    case DocType::kExcel: return StartsWith(body, "PK");
    case DocType::kCsv: {
      std::string_view rest = body;
      if (StartsWith(rest, "\xEF\xBB\xBF")) rest.remove_prefix(3);
      const size_t first = rest.find_first_not_of(" \t\r\n");
      if (first != std::string_view::npos && rest[first] == '<') return false;
      const int code = DetectTextEncoding(body.data(), body.size());
      return charCode == u"UTF8" ? code == 3 : (code == 1 || code == 3);
    }
  }
  return false;
}

}  // namespace

std::string CTabroOperation::SerializeDataGrid() {
  const CGridSet& g = m_Host->Grids();
  return SerializeGrid(g.m_DataGrid, g.m_EditRows, g.m_EditCols, g.m_EditCols);
}

std::string CTabroOperation::SerializeEditGrid() {
  const CGridSet& g = m_Host->Grids();
  return SerializeGrid(g.m_EditGrid, g.m_SendRows, g.m_SendCols, g.m_SendCols);
}

std::string CTabroOperation::SerializeUploadGrid() {
  const CGridSet& g = m_Host->Grids();
  return SerializeGrid(g.m_UploadGrid, g.m_EditRows, g.m_EditCols, g.m_EditCols);
}

CString CTabroOperation::UploadName() const {
  const DOCREQUEST& req = m_Request;
  if (!req.m_ExplicitName.IsEmpty()) return req.m_ExplicitName;
  if (!req.m_NameSuffix.IsEmpty()) return CString::Build(u"%s(%s).csv", req.m_DefaultName, req.m_NameSuffix);
  return CString::Build(u"%s.csv", req.m_DefaultName);
}

CString CTabroOperation::CsvCharCode() const {
  if (!m_Request.m_CharCode.IsEmpty()) return m_Request.m_CharCode;
  switch (m_Host->InputKind()) {
    case INPUT_FILE_DIALOG:
    case INPUT_COMMAND_LINE:
    case INPUT_DROPPED:
    case INPUT_WATCH_FOLDER:
    case INPUT_REUSE_NEWFILE:
      return m_Host->Grids().m_SourceCodeType == 1 ? CString(u"SJIS") : CString(u"UTF8");
    case INPUT_CLIPBOARD:
      return CString(u"UTF8");
    default:
      return CString();
  }
}

void CTabroOperation::PostCsvCommand(const CString& token, const CString& charCode) {
  std::string body;
  WideToAnsi(CString::Build(u"authorization=%s&command=%s&prm1=%s&prm2=%s&prm1=%s&prm4=%s&prm5=%s", token,
                            u"[#CharCode]", charCode, u"", u"", u"", u""),
             body);
  uint32_t length = 0;
  int status = 0;
  int errorCode = 0;
  const std::optional<std::string> answer =
      PostForm(BaseUrl() + u"/csvTabro/webapi/document/v1_0/CsvCmd/", body.c_str(), std::strlen(body.c_str()),
               length, status, REQKIND_COMMAND, errorCode);
  json::CJson dropped;
  if (answer) ParseAnswer(*answer, dropped);
}

int CTabroOperation::SendDocumentJob() {
  m_DocumentSaved = false;
  const DOCREQUEST& req = m_Request;
  const CString uploadName = UploadName();
  if (uploadName.GetLength() >= kMaxUploadName) {
    ShowError(u"ファイル名が長すぎます。", MB_OK | MB_ICONWARNING);
    return DOCJOB_NAME_TOO_LONG;
  }
  CWaitCursor wait;  // until the job ends

  CString extension;
  CString formValue;
  for (const DocFormat& f : kDocFormats) {
    if (f.docType == req.m_DocType) {
      extension = f.extension;
      formValue = f.formValue;
    }
  }
  const bool csvOutput = req.m_DocType == DocType::kCsv;

  // Without a token the job goes on: the service's answer decides.
  const CString token = GetAccessToken();
  if (token.IsEmpty()) ShowError(u"認証エラー", MB_OK | MB_ICONWARNING);

  // A job with a join uploads the joined data grid: it is where the join leaves its result.
  const std::string csv = m_DataSource == 1 ? SerializeEditGrid() : SerializeDataGrid();
  if (csv.empty()) {
    ShowError(u"CSVの取得に失敗しました", MB_OK | MB_ICONWARNING);
    return DOCJOB_NO_DATA;
  }
  std::string data;
  if (!AppendAsUtf8(csv.data(), csv.size(), data)) {
    ShowError(u"データをUTF8に変換できませんでした", MB_OK | MB_ICONWARNING);
    return DOCJOB_DATA_NOT_UTF8;
  }
  std::string name;
  if (!WideToUtf8(uploadName, name)) return DOCJOB_NAME_NOT_UTF8;

  std::string documentBody;
  WideToAnsi(CString::Build(u"accesstoken=%s&csvdata=%s&doctype=%s&csvname=%s&csvencode=UTF-8", token,
                            PercentEncodeBytes(data.data(), data.size()), formValue,
                            PercentEncodeBytes(name.data(), name.size())),
             documentBody);

  // The CSV command's answer is read and dropped; its failure stops nothing.
  if (csvOutput) PostCsvCommand(token, CsvCharCode());

  uint32_t length = 0;
  int status = 0;
  int errorCode = 0;
  const std::optional<std::string> document =
      PostForm(BaseUrl() + u"/csvTabro/webapi/document/v1_0/csvTabroDoc/", documentBody.c_str(),
               std::strlen(documentBody.c_str()), length, status, REQKIND_DOCUMENT, errorCode);
  if (!document) {
    ShowError(kNotCreated, MB_OK | MB_ICONWARNING);
    return DOCJOB_NO_DOCUMENT;
  }
  if (status != 200) {
    json::CJson refusal;
    const bool parsed = ParseAnswer(*document, refusal);
    ShowError(u"ドキュメントの取得に失敗しました", MB_OK | MB_ICONWARNING);
    return parsed ? DOCJOB_REFUSED : DOCJOB_BAD_REFUSAL;
  }
  if (!IsAskedDocument(*document, req.m_DocType, CsvCharCode())) {
    ShowError(kNotCreated, MB_OK | MB_ICONWARNING);
    return DOCJOB_NOT_A_DOCUMENT;
  }
  return SaveDocument(*document, extension, csvOutput);
}

CString CTabroOperation::SavePath(const CString& extension, bool& overwrite, int& mode) const {
  const DOCREQUEST& req = m_Request;
  mode = (m_SaveNameMode == SAVENAME_OVERWRITE || m_SaveNameMode == SAVENAME_TESTRUN) ? m_SaveNameMode
                                                                                      : SAVENAME_NUMBERED;
  overwrite = mode == SAVENAME_OVERWRITE;  // unknown modes never overwrite
  const CString stem = req.m_BaseName.IsEmpty() ? m_DownloadName : req.m_BaseName;
  const bool inOutputFolder = mode != SAVENAME_TESTRUN && !m_OutputFolder.IsEmpty();
  if (!inOutputFolder && !m_SaveFolder.IsEmpty()) {
    std::error_code ec;
    std::filesystem::create_directories(ToFsPath(m_SaveFolder), ec);
  }
  const CString folder = mode == SAVENAME_TESTRUN ? m_Host->TestModeOutTemp()
                         : inOutputFolder         ? m_OutputFolder
                                                  : m_Host->SaveDirectory();
  // The chosen folder may not exist yet (a first run without a Desktop folder).
  if (!folder.IsEmpty()) {
    std::error_code ec;
    std::filesystem::create_directories(ToFsPath(folder), ec);
  }
  const CString first = inOutputFolder ? stem + TimeStamp(m_TimestampMode) : stem;
  return JoinPath(folder, CString::Build(u"%s.%s", first, extension));
}

int CTabroOperation::SaveDocument(const std::string& document, const CString& extension, bool csvOutput) {
  bool overwrite = false;
  int mode = SAVENAME_NUMBERED;
  CString path = SavePath(extension, overwrite, mode);
  // The modes that never overwrite move on to the next free number, "name(2).pdf"
  // and on; false when the numbers ran out.
  const CString firstPath = path;
  const CString numberedStem = firstPath.Left(firstPath.GetLength() - extension.GetLength() - 1);
  int number = 1;
  auto nextFreeName = [&]() {
    do {
      if (++number > kMaxNumberedName) return false;
      path = CString::Build(u"%s(%d).%s", numberedStem, number, extension);
    } while (PathExists(path));
    return true;
  };
  if (!overwrite && PathExists(path) && !nextFreeName()) {
    ShowError(kNotSaved, MB_OK | MB_ICONWARNING);
    return DOCJOB_NOT_SAVED;
  }

  // A CSV document asks before it overwrites; declining ends the job as done.
  if (csvOutput && PathExists(path)) {
    const int answer = GetUiHooks().MessageBox(
        CString::Build(u"’%s’\nが既に存在します。\n上書きしますか？", path), kAppCaption,
        MB_YESNO | MB_ICONWARNING);
    if (answer != IDYES) return DOCJOB_DONE;
  }

  // A name taken since it was checked gives way to the next.
  bool written = WriteDocumentUnlessInUse(path, overwrite, document);
  while (!written && !overwrite && errno == EEXIST && nextFreeName())
    written = WriteDocumentFile(path, false, document);
  if (!written) {
    // Only an overwrite meets an existing file here: the other modes create new
    // names. Only a file in use asks to try again; a full disk or a read-only
    // file is a failed save.
    if (overwrite && FailedOnFileInUse(errno) && PathExists(path)) {
      const int answer = GetUiHooks().MessageBox(
          u"このファイルは他のアプリケーションまたはユーザーによって使用中です。", kAppCaption, MB_RETRYCANCEL);
      if (answer != IDRETRY) return DOCJOB_DONE;
      if (!WriteDocumentUnlessInUse(path, overwrite, document)) {
        GetUiHooks().MessageBox(u"ドキュメントを保存できませんでした。保存を中止しました。", kAppCaption,
                                MB_OK | MB_ICONWARNING);
        return DOCJOB_IN_USE;
      }
    } else {
      ShowError(kNotSaved, MB_OK | MB_ICONWARNING);
      return DOCJOB_NOT_SAVED;
    }
  }
  m_DocumentSaved = true;
  // Only the documents this instance made are removed at exit.
  if (mode == SAVENAME_TESTRUN) m_Host->RememberTestModeOutFile(path);

  const DocType type = m_Request.m_DocType;
  if (type == DocType::kPdf || type == DocType::kExcel) {
    // The document is saved either way; the user learns where when no program opens it.
    if (m_OpenAfterSave && m_Initialized && !GetUiHooks().OpenDocument(path)) {
      const CString notice =
          CString::Build(u"ドキュメントを保存しましたが、開くプログラムが見つかりませんでした。\n%s", path);
      if (m_Host->InputKind() != INPUT_WATCH_FOLDER) {
        GetUiHooks().MessageBox(notice, kAppCaption, MB_OK | MB_ICONINFORMATION);
      } else if (!m_NoViewerNoticeShown) {
        // Nobody may be at the desk: said once a session, and the folder's next
        // file does not wait for an answer.
        m_NoViewerNoticeShown = true;
        GetUiHooks().ShowModelessBox(notice, kAppCaption, MB_OK | MB_ICONINFORMATION);
      }
    }
  } else if (csvOutput) {
    GetUiHooks().MessageBox(u"CSVファイルを出力しました。", kAppCaption, MB_OK | MB_ICONINFORMATION);
  }
  return DOCJOB_DONE;
}
