// The job pipeline: one input from its command to the sheet or a direct send.
#include <memory>

#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "app/ui/new_file_dlg.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"
#include "res/main_dlg.h"

namespace {

constexpr int kLaunchButton = res::IDC_MAIN_LAUNCH;
constexpr int kSelectButton = res::IDC_MAIN_SELECT_FILE;
constexpr int kClipboardButton = res::IDC_MAIN_FROM_CLIPBOARD;
constexpr int kJobRowLimit = 3000;
using res::kDropZoneText;
constexpr char16_t kNoTitleForFilterMessage[] = u"フィールド行が無いのでフィルタはできません。";
constexpr char16_t kNarrowedToNothingMessage[] =
    u"絞り込みで明細数が０になりました。もう一度ファイルを選択してください";

// Whether the tools run on the loaded data, and with their dialogs.
struct ToolPlan {
  bool run = false;
  bool withDialogs = false;
};

// A fresh input is named after its file until a reusable job names it.
void StartFreshInput(CTabroClientDlg& dlg) {
  dlg.m_OutputName = dlg.m_BaseName;
  theApp.m_ReuseJobNo = -1;
  dlg.ShowButton(kLaunchButton, false);
  theApp.ResetToolSettings(TOOL_RESET_ALL);
}

// The user picks one of the input's reusable jobs, or a new job. False when
// the pick was cancelled; chosen: a stored job was picked.
bool PickReuseJob(CTabroClientDlg& dlg, bool& chosen) {
  const int r = GetUpCalls().selectReuseJob(dlg);
  if (r == -1) return false;
  chosen = r == 1;
  if (!chosen) dlg.m_NewFileMode = dlg.m_ReuseChoice < 0 ? dlg.m_ReuseChoice : NEW_FILE_NORMAL;
  return true;
}

// Without reusable jobs a new file asks whether its tools run with their
// dialogs; clipboard input never does.
void AskNewFileMode(CTabroClientDlg& dlg) {
  if (theApp.m_InputKind == INPUT_CLIPBOARD) {
    dlg.m_NewFileMode = NEW_FILE_NORMAL;
    return;
  }
  CNewFileDlg ask;
  dlg.m_NewFileMode = ask.DoModal() == IDOK && ask.m_RunTools ? NEW_FILE_WITH_TOOLS : NEW_FILE_NORMAL;
}

// The command of a new input: the one its name carries, a reusable job, or the
// default. False when the user cancelled the choice of a reusable job; chosen:
// a stored job was picked.
bool ChooseCommand(CTabroClientDlg& dlg, bool& chosen) {
  if (theApp.m_CommandReUse) {
    if (dlg.m_Command.IsEmpty() && !PickReuseJob(dlg, chosen)) return false;
  } else {
    if (dlg.m_Command.IsEmpty()) AskNewFileMode(dlg);
    theApp.m_LastToolText.Empty();
    dlg.m_OutputName = dlg.m_BaseName;
  }
  if (dlg.m_Command.IsEmpty() && !chosen) dlg.m_Command = theApp.m_DefaultCommand;
  return true;
}

// A fresh input's tools come from its job's stored settings; its command goes
// into the record.
ToolPlan TakeJob(CTabroClientDlg& dlg, bool chosen) {
  ToolPlan tools;
  theApp.ResetToolSettings(TOOL_RESET_ALL);
  if (!theApp.m_LastToolText.IsEmpty()) theApp.LoadEditSettings(dlg.m_BaseName, dlg.m_OutputName);
  tools.run = theApp.m_ToolOrder[0].toolKind != ToolKind::kNone;
  if (dlg.m_NewFileMode == NEW_FILE_WITH_TOOLS) tools.run = tools.withDialogs = true;
  if (!chosen) dlg.ResetJobSettings(RESET_JOB_AND_GRIDS);
  dlg.ParseCommandText(dlg.m_Command);
  return tools;
}

// How the narrowing of a job of more than 3000 rows ended.
enum class Narrowing {
  kFits,       // the rows fit (or never were too many)
  kReload,     // the user asked to start again from the file
  kNoTitle,    // no title row to filter by
  kCancelled,  // cancelled, or narrowed to nothing
};

Narrowing NarrowLargeJob(CTabroClientDlg& dlg) {
  while (theApp.m_DataRows > kJobRowLimit) {
    if (theApp.m_TitleRow < 0) {
      theApp.DoMessageBox(CString(kNoTitleForFilterMessage));
      return Narrowing::kNoTitle;
    }
    const CString ask = CString::Build(
        u"行数が %d で所定の行数を超えています。絞り込みますか？\n「OK」：絞り込み　「キャンセル」：終了",
        theApp.m_DataRows);
    if (theApp.DoMessageBox(ask, MB_OKCANCEL) != IDOK) return Narrowing::kCancelled;
    const int r = dlg.RunFilterStep(STEP_WITH_DIALOG, STEP_ALONE);
    if (r == STEP_CANCELLED) return Narrowing::kCancelled;
    if (r == STEP_SKIPPED) {
      if (theApp.m_DataRows > theApp.m_TitleRow + 1) continue;
      theApp.DoMessageBox(CString(kNarrowedToNothingMessage));
      return Narrowing::kCancelled;
    }
    if (theApp.m_DataRows <= kJobRowLimit) break;
    const CString again = CString::Build(
        u"行数が %d で所定の行数を超えています。　%d行以内に減らために更に絞り込みますか？\n「はい」：更に絞り込み　「いいえ」：再実行",
        theApp.m_DataRows, kJobRowLimit);
    const int a = theApp.DoMessageBox(again, MB_YESNOCANCEL);
    if (a == IDYES) continue;
    if (a == IDNO) return Narrowing::kReload;
    return Narrowing::kCancelled;
  }
  return Narrowing::kFits;
}

// Loads the input, runs the tools and narrows a large job, again from the file
// when the user asks. 1 when the data is ready for the sheet, else the result
// of ProcessCsv (0 stopped, -1 cancelled). crossTable: the tools left a cross table.
int LoadForSheet(CTabroClientDlg& dlg, const CString& path, bool rerun, const ToolPlan& tools,
                 CCsvPropPage* csvData, bool& crossTable) {
  for (;;) {
    {
      CWaitCursor wait;
      if (dlg.LoadCsv(path, csvData, rerun ? LOAD_RESTORE : LOAD_FILE) == 0) return 0;
    }
    theApp.m_TitleRow = dlg.AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
    theApp.m_ShapeResult = theApp.m_TitleRow;

    if (tools.run) {
      theApp.m_ToolAbort = 0;
      const ToolChainRun run = rerun ? ToolChainRun::kRestart : ToolChainRun::kReplay;
      if (dlg.RunToolChain(run, tools.withDialogs) == 0) return 0;
      crossTable = dlg.m_JobSetting.m_DocKind == DOC_KIND_CROSS && theApp.m_PivotSetting.SumType == PIVOT_CROSS;
    }

    switch (NarrowLargeJob(dlg)) {
      case Narrowing::kFits: return 1;
      case Narrowing::kReload: continue;
      case Narrowing::kNoTitle: return 0;
      case Narrowing::kCancelled: return -1;
    }
  }
}

// After "実行" on a file the user picked, dropped or named to be set up, the job
// is offered for reuse, with the tools' settings beside it.
void KeepReuseJob(CTabroClientDlg& dlg, int runType) {
  const int kind = theApp.m_InputKind;
  const bool keepsJob = kind == INPUT_FILE_DIALOG || kind == INPUT_DROPPED ||
                        (kind == INPUT_COMMAND_LINE && theApp.m_RunVariant == 0);
  if (!keepsJob || !theApp.m_CommandReUse) return;
  const CString toolText = theApp.FormatToolOrder();
  GetUpCalls().saveReuseJob(dlg, dlg.m_Command, dlg.m_JobSetting.m_OutputFormat, dlg.m_JobSetting.m_CharCode,
                            toolText, runType);
  if (theApp.m_ToolOrder[0].toolKind != ToolKind::kNone && dlg.m_ReuseSaveResult > 0) {
    theApp.SaveEditSettings(dlg.m_BaseName, dlg.m_OutputName, 0);
  }
  theApp.m_LastCommand = dlg.m_Command;
  theApp.m_LastToolText = toolText;
}

// The settings sheet on the prepared data; a watched file is sent without it.
int RunSheet(CTabroClientDlg& dlg, int runType, CCsvPropPage* csvData, bool crossTable) {
  const bool watched = theApp.m_InputKind == INPUT_WATCH_FOLDER;
  const int result = GetUpCalls().settingsSheet(dlg, runType, !watched, csvData, crossTable);
  if (result == SHEET_STOPPED || result == SHEET_TOO_MANY_COLUMNS) {
    if (result == SHEET_TOO_MANY_COLUMNS) {
      theApp.DoMessageBox(CString::Build(u"CSVデータの列数は%d以内にして下さい。", GRID_COLS));
    }
    dlg.ResetDropZone();
    return -1;
  }
  if (watched) {
    // Sets m_LastSendResult: 0 only when saved.
    dlg.SendJob(SEND_DOCUMENT, SEND_AS_LOADED, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
    return 1;
  }
  if (result == IDOK) KeepReuseJob(dlg, runType);
  return result;
}

}  // namespace

int CTabroClientDlg::ProcessCsv(const CString& path, int runType) {
  const bool rerun = runType == RUN_AGAIN;
  theApp.m_CurrentReuse.Clear();
  if (!rerun) StartFreshInput(*this);
  m_PivotRun = PIVOTRUN{};

  bool chosen = false;
  if (runType == RUN_NEW_INPUT && !ChooseCommand(*this, chosen)) return 0;
  const ToolPlan tools = rerun ? ToolPlan{true, true} : TakeJob(*this, chosen);

  // A locked job named on the command line goes out without the sheet.
  if (theApp.m_InputKind == INPUT_COMMAND_LINE && theApp.m_NoReusePrompt && chosen &&
      theApp.m_CurrentReuse.locked == 1) {
    SendJob(SEND_DOCUMENT, SEND_DATA_GRID, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
    return 1;
  }

  // The CSV page's data lives for one run; the clipboard's rows land in it.
  auto csvData = std::make_unique<CCsvPropPage>();
  bool crossTable = false;
  const int prepared = LoadForSheet(*this, path, rerun, tools, csvData.get(), crossTable);
  if (prepared != 1) return prepared;
  return RunSheet(*this, runType, csvData.get(), crossTable);
}

void CTabroClientDlg::StartInput(int runType) {
  if (m_InputPath.IsEmpty()) return;
  m_InputBusy = 1;
  const int r = ProcessCsv(m_InputPath, runType);
  const bool commandLine = theApp.m_InputKind == INPUT_COMMAND_LINE;
  // The input is gone only when its document was saved and the file deleted.
  if (r == 1 && m_DeleteAfterSend && m_InputPath.IsEmpty()) {
    ResetJobSettings(RESET_JOB_AND_GRIDS);
    ResetInputState();
    ShowButton(kSelectButton, true);
    ShowButton(kClipboardButton, true);
    ShowButton(kLaunchButton, false);
    SetDropZoneText(CString(kDropZoneText));
    if (commandLine) EndMainDialog(1);
    theApp.m_InputKind = INPUT_NONE;
    m_DeleteAfterSend = 0;
    ++m_RunCount;
  } else if (r == 1) {
    ShowButton(kLaunchButton, m_NewFileMode < 0);
  } else if (runType != RUN_AGAIN) {
    ResetDropZone();
    ShowButton(kLaunchButton, false);
  }
  if (commandLine) EndMainDialog(1);
  m_InputBusy = 0;
}
