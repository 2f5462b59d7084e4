#pragma once
// CTabroOperation: the program's one client of the document web service
// (theApp.m_Operation). It holds the service settings, the document request the
// main dialog fills before each job, the saving options and the state of the last
// request. What it needs of the application comes through its host (SetHost).
// Every operation is synchronous on the calling thread.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/cstring.h"
#include "webclient/operation_host.h"

namespace json {
class CJson;
}

// Service settings ("TabroSystem.ini", "TabroSystemOnpremises.ini" and the
// deployment file "TabroDeployment.ini").
struct SERVERSETTING {
  int m_OperationMode = 0;      // 0 cloud, 1 on-premises server named in the file, 101 on-premises file
  int m_Timeout = 0;            // receive time-out in seconds; 0 none
  int16_t m_ProxyType = 0;      // -1 leave alone; 1 direct; 0, 3, 4 and others: environment proxy
  CString m_ServerBaseUrl;      // scheme, host and optional port; request paths are appended
  CString m_AltServerBaseUrl;   // used while the host asks for the alternative server
  CString m_UserId;
  CString m_Password;
  CString m_AccessKey;
  CString m_OnpremisesServer;   // key "OnpremisesServer"
};

// Document types of a request, with the numbers of the job's output format.
enum class DocType : int16_t {
  kPdf = 0,
  kExcel = 1,
  kCsv = 3,
};

// The document request of the next job.
struct DOCREQUEST {
  DocType m_DocType = DocType::kPdf;
  CString m_SourcePath;         // full path of the input file
  CString m_DefaultName;        // document name stem; the download name when the answer names none
  CString m_BaseName;           // stem of the saved file when set
  CString m_NameSuffix;         // "#" + command, "$" + command or "$", or empty
  CString m_ExplicitName;       // the upload name verbatim, when set
  CString m_CharCode;           // "UTF8", "SJIS" or empty
};

// Results of SendDocumentJob.
enum : int {
  DOCJOB_DONE = 0,            // saved, or the user declined to overwrite
  DOCJOB_NAME_TOO_LONG = 2,   // the upload name has 200 characters or more
  DOCJOB_DATA_NOT_UTF8 = 3,   // the data could not be converted to UTF-8
  DOCJOB_NAME_NOT_UTF8 = 4,   // the upload name could not be converted to UTF-8
  DOCJOB_IN_USE = 11,         // the file to overwrite stayed in use after a retry
  DOCJOB_NOT_SAVED = 12,      // the document could not be written
  DOCJOB_REFUSED = 14,        // the service refused with a JSON answer
  DOCJOB_BAD_REFUSAL = 15,    // the service refused with something that is not JSON
  DOCJOB_NO_DOCUMENT = 16,    // the document request failed
  DOCJOB_NO_DATA = 17,        // the grid gave no CSV text
  DOCJOB_NOT_A_DOCUMENT = 18, // the answer is not the kind of document asked for
};

// Where a form POST stopped: the second number of its failure messages.
enum : int {
  POSTSTEP_URL = 1,       // splitting the URL
  POSTSTEP_SESSION = 2,   // opening the session
  POSTSTEP_PROXY = 3,     // the proxy setting
  POSTSTEP_TIMEOUT = 4,   // the receive time-out
  POSTSTEP_SEND = 5,      // connecting and sending (every transfer error)
};

// Request kinds of PostForm (also the first number of its failure messages).
enum : int { REQKIND_TOKEN = 1, REQKIND_DOCUMENT = 2, REQKIND_COMMAND = 3 };

// Save-name modes and time-stamp modes of a document job.
enum : int { SAVENAME_NUMBERED = 0, SAVENAME_OVERWRITE = 1, SAVENAME_TESTRUN = 2 };
enum : int { TIMESTAMP_NONE = 0, TIMESTAMP_TIME = 1, TIMESTAMP_DATE = 10, TIMESTAMP_DATETIME = 11 };

// File names in the program folder.
inline constexpr const char16_t* kSystemIniName = u"TabroSystem.ini";
inline constexpr const char16_t* kOnpremisesIniName = u"TabroSystemOnpremises.ini";
inline constexpr const char16_t* kDeploymentIniName = u"TabroDeployment.ini";

class CTabroOperation {
 public:
  CTabroOperation();
  // The application the client serves; it must outlive the client's use. Until
  // one is set, a host with no folders, no settings and empty grids answers.
  void SetHost(COperationHost* host);
  COperationHost& Host() const { return *m_Host; }

  SERVERSETTING m_Server;
  int m_Initialized = 0;        // 1 once the settings files were read; saved documents open only then
  bool m_NoDeploymentFile = false;  // the last read found no deployment file
  CString m_SaveFolder;         // created before saving when set (nothing sets it)
  DOCREQUEST m_Request;
  uint32_t m_LastError = 0;     // libcurl code of the last failed transport step; 0 at each start
  CString m_DownloadName;       // stem of the last returned document
  int m_DataSource = 0;         // which data the next job uploads: 0, 1 or other
  CString m_OutputFolder;       // folder of the saved document; empty: the host's save directory
  int m_OpenAfterSave = 0;      // open a saved PDF or Excel document
  // The last document job wrote its document and closed it. A job that ended
  // otherwise (declined overwrite, file in use, refused answer) saved nothing.
  bool m_DocumentSaved = false;
  // A watched document found no program to open it, and the user was told so
  // (once a session).
  bool m_NoViewerNoticeShown = false;
  int m_TimestampMode = 0;      // TIMESTAMP_*
  int m_SaveNameMode = 0;       // SAVENAME_*
  int m_ShowMessages = 0;       // failures shown in message boxes

  // ---- settings files (in the host's program folder) ----
  // Reads "TabroSystemOnpremises.ini" when present: mode 101, base URL, user and
  // password from it. Sets m_Initialized.
  void LoadOnpremisesIni();
  // Reads "TabroSystem.ini" (proxy -1 and time-out 600 when it is missing), then the
  // deployment values. Sets m_Initialized. A mode 101 that comes from this file (the
  // on-premises file is gone) reads as mode 0, and a message box says so.
  void LoadSystemIni();
  // Reads "TabroDeployment.ini": base URLs, user, password, access key and client
  // identification number. In mode 101 the base URL, user and password of the
  // on-premises file are kept. A missing file changes nothing but
  // m_NoDeploymentFile, which lets a failed request say where the address belongs.
  void LoadDeploymentIni();
  // Writes "TabroSystem.ini" from m_Server; a failure to write is silent. In mode 1
  // a server that would not read back as written (a line over 999 bytes, that is
  // over 981 bytes of value; a control character; a trailing blank; a character
  // Shift_JIS lacks) is left out, the other settings are written, and a message
  // box says the server was not saved.
  void SaveSystemIni();
  // Whether SaveSystemIni can store this on-premises server so that it reads
  // back as written.
  static bool IsStorableServer(const CString& server);

  // ---- transport ----
  // One form POST. Returns the answer body (exactly contentLength bytes), or nullopt
  // when a step failed, the answer had no or a zero Content-Length, or the body
  // could not be read whole. status and contentLength are set once the answer's
  // headers arrived; errorCode gets "csvTabro-Error-Code" of a non-200 answer that
  // carries it; otherwise the out values are left untouched. Failed steps 1 to 5
  // show "サービスに接続できません。(kind-step)" while m_ShowMessages is set;
  // when there is no service address because the deployment file is missing,
  // the message goes on to say so and names that file.
  std::optional<std::string> PostForm(const CString& url, const char* body, size_t bodyLength,
                                      uint32_t& contentLength, int& status, int kind,
                                      int& errorCode);

  // ---- service requests ----
  // A fresh access token; empty when none was obtained.
  CString GetAccessToken();
  // Asks for the print counts and hands them to the host on success.
  void QueryPrintCount();
  // The document job: DOCJOB_DONE when saved (or declined by the user), else
  // another DOCJOB_* result.
  int SendDocumentJob();

  // ---- grid serialisers: UTF-8 CSV text, CR LF after each non-empty line ----
  std::string SerializeDataGrid();    // the host's m_DataGrid over the edit counts
  std::string SerializeEditGrid();    // the host's m_EditGrid over the send counts
  std::string SerializeUploadGrid();  // the host's m_UploadGrid over the edit counts

  // The base URL of requests: in mode 1 the on-premises server of the system
  // settings; otherwise the alternative one while the host asks for it, else m_ServerBaseUrl (the deployment's, or in mode 101 the on-premises file's).
  CString BaseUrl() const;
  // A file name from the service as a bare name inside a folder; empty when unusable.
  static CString SafeFileName(const CString& name);

 private:
  COperationHost* m_Host;
  // Shows a failure in a message box while m_ShowMessages is set.
  void ShowError(const CString& text, unsigned type);
  // The name the data is uploaded under.
  CString UploadName() const;
  // The character code a CSV document is asked for in: the request's own, else by
  // how the input came in and the code it was read in.
  CString CsvCharCode() const;
  // The CSV command request; its answer is read and dropped.
  void PostCsvCommand(const CString& token, const CString& charCode);
  // The first path a document is saved under by the saving options; mode gets the
  // save-name mode in force and overwrite whether it replaces a file.
  CString SavePath(const CString& extension, bool& overwrite, int& mode) const;
  // Saves the returned document by the saving options (name, number, the overwrite
  // and in-use questions), then opens or announces it. The job's result (DOCJOB_*).
  int SaveDocument(const std::string& document, const CString& extension, bool csvOutput);
  // Reads a service answer (UTF-8) as JSON into value; false when it is not JSON.
  static bool ParseAnswer(const std::string& body, json::CJson& value);
};
