#pragma once
// CTabroClientDlg: the main dialog. It takes one input at a time and drives it
// through the job pipeline; it owns the current input.
//
// Sections are added by the parts of the program that own them (the window, the
// intake, the job pipeline, the send routine, the data-edit steps).

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "app/tabro_client_app.h"
#include "edittools/chain/tool_chain.h"
#include "edittools/pivot/pivot_records.h"
#include "grid/grid_store.h"
#include "macro/macro_setting.h"
#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/coldata.h"
#include "jobsheet/reuse/reuse_command.h"
#include "platform/cstring.h"

class CCsvPropPage;
class CMainProptyPage;
class CCommandPropPage;

// Load types of LoadCsv.
enum : int {
  LOAD_FILE = 1,      // ordinary load
  LOAD_RESTORE = 2,   // bring back the data as loaded (start again on a loaded input)
};

// Run types of ProcessCsv and StartInput, handed on to FillCsvPage and the
// reusable-job dialogs.
enum : int {
  RUN_NEW_INPUT = 1,  // a new input: its command, its tools, a fresh load
  RUN_AGAIN = 2,      // the current input again ("起動"): restored, tools with their dialogs
};

// Arguments of SendJob.
enum : int {
  SEND_DOCUMENT = 0,  // the test-run flag off: the whole document
  SEND_TEST_RUN = 1,  // a one-page test run
};
enum : int {
  SEND_DATA_GRID = 0,    // the data grid
  SEND_EDIT_GRID = 1,    // the CSV page's grid
  SEND_AS_LOADED = 2,    // the data as loaded
  SEND_REUSE_JOB = 3,    // the data grid with m_Command kept (the reusable job the caller chose)
};
enum : int { SEND_KEEP_CLOSED = 0, SEND_OPEN_AFTER_SAVE = 1 };

// Flags of ResetJobSettings.
enum : int {
  RESET_JOB_ONLY = 0,       // the record and the column codes
  RESET_JOB_AND_GRIDS = 1,  // also the grids and their counts
};

// How a new input without a stored job goes on (m_NewFileMode, m_ReuseChoice).
enum : int {
  NEW_FILE_NORMAL = -1,      // the job's own tools, without their dialogs
  NEW_FILE_WITH_TOOLS = -2,  // the tools run with their dialogs
};

// Results of the settings sheet besides the dialog's own IDOK/IDCANCEL.
enum : int {
  SHEET_STOPPED = -1,           // the CSV page could not be filled
  SHEET_TOO_MANY_COLUMNS = -2,  // the data has more columns than a job sends
  SHEET_NOT_SHOWN = 1,          // asked not to show it (a watched file): ready to send
};

class CTabroClientDlgAutoProxy;
class CTabroClientDlg;

// What the pipeline and the watch thread ask of the main window, which the window
// layer provides; null while no window runs (tests of the pipeline alone).
class CMainDlgView {
 public:
  virtual ~CMainDlgView() = default;
  virtual void ShowButton(int id, bool show) = 0;
  virtual void SetDropZoneText(const CString& text) = 0;
  // Ends the main dialog with result.
  virtual void EndMainDialog(int result) = 0;
  // Runs fn on the user-interface thread and waits for it.
  virtual void RunOnUiThread(const std::function<void()>& fn) = 0;
  // Starts a timer of the window (fires OnTimer).
  virtual void StartTimer(unsigned id, unsigned milliseconds) = 0;
  virtual void KillTimer(unsigned id) = 0;
};


class CTabroClientDlg {
 public:
  CTabroClientDlg();
  ~CTabroClientDlg();
  CTabroClientDlg(const CTabroClientDlg&) = delete;
  CTabroClientDlg& operator=(const CTabroClientDlg&) = delete;

  CMainDlgView* m_View = nullptr;  // the window while it runs

  // ---- Current input ---------------------------------------------------------
  CString m_InputPath;             // the input's path (or the clipboard title)
  CString m_InputFolder;           // folder part of m_InputPath
  CString m_InputExt;              // extension with its dot
  int m_NameGroupIsDollar = 0;     // the name's command group opened with "($"
  int m_NewFileMode = NEW_FILE_NORMAL;  // NEW_FILE_*
  int m_RunCount = 0;              // runs on the current input without reloading
  CString m_LastFolder;            // folder of the last file chosen, with its separator
  int m_ColumnCodes[GRID_COLS] = {};     // per-column command codes of the job
  std::vector<COLDATA> m_UsedColumns;
  // One input at a time: set while an input of the window or of the watch
  // thread is on its way; the other side waits or refuses meanwhile.
  std::atomic<int> m_InputBusy{0};

  // ---- Intake (the window's handlers) ----------------------------------------
  // The settings files, print counts, reusable jobs; then the command-line
  // file's timer or the watch thread.
  void OnInitDialog();
  void OnTimer(unsigned id);
  void OnDropFiles(const std::vector<CString>& paths);
  void OnSelectFile();
  int SelectInputFile(CString& path);
  void OnFromClipboard();
  void OnLaunch();
  void ResetDropZone();
  // Shift or Ctrl at an intake: the send without the sheet. Returns true when a
  // key was held and the input was sent.
  bool SendWithHeldKey(bool commandLine);

  // ---- Job pipeline -----------------------------------------------------------
  // Splits the path and takes the command group out of the file name; 0 when
  // the name is refused (over 200 characters), else 1.
  int CheckFileName(const CString& path);
  // Clears the per-input state before a new input.
  void ResetInputState();
  // Leads one input to the sheet or a direct send. 1 sent or the sheet ended
  // with OK; 0 stopped before the sheet; -1 cancelled or refused later; other
  // values are the sheet's own.
  int ProcessCsv(const CString& path, int runType);
  // Runs ProcessCsv on m_InputPath and puts the window back in order.
  void StartInput(int runType);
  // The command text into the record.
  void ParseCommandText(const CString& text);
  void ShowButton(int id, bool show);
  void SetDropZoneText(const CString& text);
  void EndMainDialog(int result);

  // ---- Watch-folder thread ------------------------------------------------------
  std::thread m_hWatchThread;
  std::atomic<int> m_WatchRun{1};    // 1 while the loop may run
  std::atomic<int> m_WatchEnded{0};  // the loop has ended; no second thread
  std::atomic<int> m_WatchState{0};  // 0 idle, 1 busy, 2 finished, 100 sleeping
  CString m_WatchPending;            // file found by the last scan
  // Starts the thread: 0 started, -1 watching off, ended before, or not started.
  int StartWatchThread();
  // Stops the thread and waits for it.
  void StopWatchThread();
  // Sets m_WatchPending to a file of the folder that is ready: a regular file,
  // not a link, that no process holds open for writing and whose size and time
  // stood still; returns 0.
  int ScanWatchFolder();
  // 1 when the watched file the last job took (m_WatchTakenPath) was deleted
  // with its additional CSVs, or when a new file has taken its name since it was
  // read (that one stays, a new input, and so do the additional CSVs); 0 when
  // the deletion failed. The window's own input is never touched.
  int DeleteProcessedWatchFiles();
  // The file the running or last watch job took, apart from the window's input,
  // and which file that was when it was read.
  CString m_WatchTakenPath;
  FileIdentity m_WatchTakenIdentity;
  // The watched input was deleted by the job that took it.
  std::atomic<int> m_WatchDeleted{0};
  // A file is taken once its size and time stood still this long, in milliseconds.
  static constexpr long long kWatchStillMs = 2000;
  // Milliseconds of a steady clock; tests set their own.
  std::function<long long()> m_WatchNow;
  // Guards the watch folder's text, read by the thread and rewritten by the settings.
  std::mutex m_WatchFolderLock;
  CString WatchFolder();
  void SetWatchFolder(const CString& expanded);
  // One file of the watch folder through the pipeline; the document's result.
  void ProcessWatchFile(const CString& name);
  int m_WatchFailures = 0;
  unsigned m_WatchLastResult = 1;    // result of the last watch file's send
  // Identity, size and time of files seen by the previous scan, and of files
  // whose run failed (not taken again until they change).
  struct FileStamp {
    FileIdentity file;
    long long since = 0;  // when this state was first seen (not compared)
    bool operator==(const FileStamp& o) const { return file == o.file; }
  };
  std::vector<std::pair<CString, FileStamp>> m_WatchSeen;
  std::vector<std::pair<CString, FileStamp>> m_WatchFailed;
  unsigned m_LastSendResult = 1;     // result of the last SendJob

  // ---- Automation --------------------------------------------------------------
  // The proxy of an attached automation client, null when none; while it is set,
  // closing only hides the window.
  CTabroClientDlgAutoProxy* m_pAutoProxy = nullptr;

  // ---- Closing -------------------------------------------------------------------
  int m_WatchNoticeDue = 1;        // the closing notice about watching is still due
  // Whether the dialog may close now: not while an automation client holds it
  // (the window only hides then); with watching on, says once that watching ends.
  bool CanExit();

  // ---- Loading an input -----------------------------------------------------
  // Brings one input into theApp.m_DataGrid: reads the CSV or TSV file at path
  // (TSV when its own extension is ".tsv" or ".TSV") line by line, fills the counts
  // and per-row tables and saves the backup set. A clipboard input
  // (m_InputKind INPUT_CLIPBOARD) is read by page's clipboard reader instead (the
  // clipboard is emptied once its rows were taken). LOAD_RESTORE restores the
  // backup set. When the job already has a send region nothing is read.
  // Returns 1 when the data is in place, 0 when the file cannot be opened, has
  // more than 30002 lines (the first 30002 stay loaded), or is refused: a line with
  // more than 256 fields, a field longer than 10000 characters, a line longer than
  // the stream allows or a failed read refuses the whole file with a message naming
  // the file and the line, and nothing stays loaded. Messages go through the UI hooks.
  // A file with bytes its code cannot read is warned of once per input; a watched
  // one is then not loaded (0), so it is neither sent nor deleted.
  int LoadCsv(const CString& path, CCsvPropPage* page, int loadType);
  // The input whose unreadable bytes were warned of (emptied for each input).
  CString m_DecodeWarnedPath;

  // The row that holds the field names of the freshly loaded data grid, judged from
  // its first 101 rows: the row above the block of numeric cells the numeric columns
  // share; -1 when the data has no field-name row. filledCounts is the loader's
  // table of non-empty cells per row.
  int AnalyseCsvShape(int cols, int rows, const RowIntTable& filledCounts) const;

  // ---- Job settings and the settings sheet -----------------------------------
  JOBSETTING m_JobSetting;         // the job of the current input
  int m_DeleteAfterSend = 0;       // delete the input file after a successful send

  // Record and loaded data into the CSV page before the sheet opens. mode: 1 new
  // input, 2 run again (both alike). 0 when clipboard input was not taken over
  // (the page showed why), else 1.
  int FillCsvPage(CString path, CCsvPropPage* page, int mode);
  // Record into the detailed page's copy (the page hands it to its tabs).
  void FillCommandPage(CCommandPropPage* page);
  // A page into the record; each overwrites only the fields its page owns.
  void ReadMainPage(CMainProptyPage* page);
  void ReadCsvPage(CCsvPropPage* page);
  void ReadCommandPage(CCommandPropPage* page);
  // The command text written from the record.
  CString BuildCommandText();

  // ---- Reusable jobs -----------------------------------------------------------
  std::vector<REUSECOMMAND_SAMECSVFILE> m_SameCsvJobs;  // stored jobs of m_BaseName
  int m_ReuseChoice = NEW_FILE_NORMAL;  // chosen entry, or a new job (or none): NEW_FILE_*
  int m_ReuseNewOnly = 0;      // the save dialog offers only a new job
  int m_ReuseSaveResult = 0;   // result of the last save offer
  // Rebuilds m_SameCsvJobs from theApp's job list for m_BaseName.
  void CollectSameCsvJobs();
  // Lets the user choose a stored job of the input (or a new one) and loads a chosen
  // job: 1 chosen, 0 a new job or none, -1 the choice was cancelled.
  int SelectReuseJob();
  // Offers to keep the run as a job: -1 nothing to keep, 0 nothing registered,
  // 2 a new job named m_OutputName, 3 overwrite the job the input came from.
  int OfferReuseJob(int runType);
  // Offers, then registers or overwrites and saves and reloads the job list.
  void SaveReuseJob(const CString& command, OutputFormat outputFormat, int charCode, const CString& toolText,
                    int runType);
  // 1 when an entry of m_SameCsvJobs has this name (exact), else 0.
  int IsJobNameTaken(const CString& name) const;
  // Appends a new job of m_BaseName; returns 1.
  int AddReuseCommand(const CString& command, OutputFormat outputFormat, int charCode, const CString& jobName);
  // "再利用ジョブ編集": reloads the job list and opens the editor.
  void OnEditReuseJobs();

  // ---- Sending a job -----------------------------------------------------------
  // Turns the job into the web client's request and sends it; deletes the input
  // file afterwards when asked (never for a test run). The document job's result,
  // 0 on success. test: SEND_DOCUMENT or SEND_TEST_RUN; dataSource: SEND_DATA_GRID,
  // SEND_EDIT_GRID, SEND_AS_LOADED or SEND_REUSE_JOB; openAfterSave:
  // SEND_OPEN_AFTER_SAVE or SEND_KEEP_CLOSED; timestampMode: TIMESTAMP_*.
  unsigned SendJob(int test, int dataSource, const CString& outputFolder, int openAfterSave, int timestampMode);
  // Clears the record; flag RESET_JOB_AND_GRIDS also empties the grids and their counts.
  void ResetJobSettings(int flag);
  CString m_Command;               // the command text of the last send
  CString m_BaseName;              // base name of the input, the document's default name
  CString m_OutputName;            // the reusable job's output name, when one was chosen
  // ---- Data-edit steps ------------------------------------------------------
  // Step routines of the tool chain on theApp.m_DataGrid: show 1 opens the tool's
  // dialog (inChain 1: preset from the stored settings and offer "スキップ"),
  // show 0 runs the tool from its stored settings. Results STEP_* (the filter's
  // STEP_SKIPPED: also narrowed further).
  int RunFilterStep(int show, int inChain);
  int RunSortStep(int show, int inChain);
  // The sort with its dialog: -1 no title row or cancelled, 1 "スキップ", 0 sorted
  // (or OK with no key).
  int SortWithDialog(int inChain);
  // Runs theApp.m_ToolOrder over the loaded data (see RunToolChain in
  // edittools/chain/tool_chain.h). Returns 1 when the input goes on, 0 when it
  // is abandoned.
  int RunToolChain(ToolChainRun run, bool setUp);
  // Join with additional CSVs (tool kind 2). show 1 opens the join editor, 0 joins
  // from theApp.m_JoinDef; inChain 1 lets the editor start from the stored
  // definition and offer "スキップ". Returns 0 ran, 1 skipped, -1 cancelled or failed
  // (the data grid unchanged); a missing additional CSV also sets theApp.m_ToolAbort.
  int RunAddCsvStep(int show, int inChain);

  // ---- Data-edit step: aggregation -------------------------------------------
  PIVOTRUN m_PivotRun;             // state of the last aggregation run
  // The aggregation step of the tool chain: with show 1 through the aggregation
  // dialog (inChain presets it and offers "スキップ"), with show 0 from
  // theApp.m_PivotSetting. -1 cancelled or failed (the data unchanged), 1 skipped,
  // 0 the data grid holds the summary or cross table.
  int RunPivotStep(int show, int inChain);
  // What the macro-column step reads of the aggregation of this run: the column
  // items of a cross table (header rows above the title row, 0 none) and the
  // group items. The chain clears both before it runs.
  int m_CrossColumnGroups = 0;
  int m_PivotGroupCount = 0;

  // ---- Data-edit step: macro columns -------------------------------------------
  std::vector<MACROCOL> m_MacroColumns;      // the layout of the last run
  int m_MacroColumnCount = 0;
  std::vector<CString> m_MacroFieldNames;    // field names of the input columns
  // The macro-column step: with show 1 through the macro-column dialog
  // (inChain: start from the stored layout and offer "スキップ"), with show 0
  // from theApp.m_MacroSetting. 0 ran, 1 skipped, -1 cancelled or failed (a macro
  // error is shown once and the data grid stays as it was).
  int RunMacroStep(int show, int inChain);
  // m_MacroFieldNames from the data grid's title row (and a cross table's header rows).
  void PrepareMacroColumns();
  // The layout's output into the data grid; false (message shown, data unchanged)
  // on a macro error or too many columns.
  bool EvaluateMacroColumns();
};
