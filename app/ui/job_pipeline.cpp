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

}  // namespace

int CTabroClientDlg::ProcessCsv(const CString& path, int runType) {
  const bool rerun = runType == RUN_AGAIN;
  theApp.m_CurrentReuse.Clear();
  if (!rerun) {
    // A fresh input is named after its file until a reusable job names it.
    m_OutputName = m_BaseName;
    theApp.m_ReuseJobNo = -1;
    ShowButton(kLaunchButton, false);
    theApp.ResetToolSettings(0);
  }
  m_PivotRun = PIVOTRUN{};

  // The command: from the name, a reusable job, or the default.
  bool chosen = false;
  if (runType == RUN_NEW_INPUT) {
    if (theApp.m_CommandReUse) {
      if (m_Command.IsEmpty()) {
        const int r = GetUpCalls().selectReuseJob(*this);
        if (r == -1) return 0;
        chosen = r == 1;
        if (!chosen) m_NewFileMode = m_ReuseChoice < 0 ? m_ReuseChoice : -1;
      }
    } else {
      if (m_Command.IsEmpty()) {
        if (theApp.m_InputKind == INPUT_CLIPBOARD) {
          m_NewFileMode = -1;
        } else {
          CNewFileDlg dlg;
          m_NewFileMode = dlg.DoModal() == IDOK && dlg.m_RunTools ? -2 : -1;
        }
      }
      theApp.m_LastToolText.Empty();
      m_OutputName = m_BaseName;
    }
    if (m_Command.IsEmpty() && !chosen) m_Command = theApp.m_DefaultCommand;
  }

  // Whether the tools run, and the command into the record.
  bool toolsRun = rerun;
  bool withDialogs = rerun;
  if (!rerun) {
    theApp.ResetToolSettings(0);
    if (!theApp.m_LastToolText.IsEmpty()) theApp.LoadEditSettings(m_BaseName, m_OutputName);
    toolsRun = theApp.m_ToolOrder[0].toolKind != TOOL_NONE;
    if (m_NewFileMode == -2) toolsRun = withDialogs = true;
    if (!chosen) ResetJobSettings(1);
    ParseCommandText(m_Command);
  }

  // A locked job named on the command line goes out without the sheet.
  if (theApp.m_InputKind == INPUT_COMMAND_LINE && theApp.m_NoReusePrompt && chosen &&
      theApp.m_CurrentReuse.locked == 1) {
    SendJob(SEND_DOCUMENT, SEND_DATA_GRID, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
    return 1;
  }

  // The CSV page's data lives for one run; the clipboard's rows land in it.
  auto csvData = std::make_unique<CCsvPropPage>();
  bool crossTable = false;
  for (;;) {
    {
      CWaitCursor wait;
      if (LoadCsv(path, csvData.get(), rerun ? LOAD_RESTORE : LOAD_FILE) == 0) return 0;
    }
    theApp.m_TitleRow = AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
    theApp.m_ShapeResult = theApp.m_TitleRow;

    if (toolsRun) {
      theApp.m_ToolAbort = 0;
      const ToolChainRun run = rerun ? ToolChainRun::kRestart : ToolChainRun::kReplay;
      if (RunToolChain(run, withDialogs) == 0) return 0;
      crossTable = m_JobSetting.m_DocKind == 5 && theApp.m_PivotSetting.SumType == PIVOT_CROSS;
    }

    // Narrowing of a job of more than 3000 rows.
    bool reload = false;
    while (theApp.m_DataRows > kJobRowLimit) {
      if (theApp.m_TitleRow < 0) {
        theApp.DoMessageBox(CString(kNoTitleForFilterMessage));
        return 0;
      }
      const CString ask = CString::Build(
          u"行数が %d で所定の行数を超えています。絞り込みますか？\n「OK」：絞り込み　「キャンセル」：終了",
          theApp.m_DataRows);
      if (theApp.DoMessageBox(ask, MB_OKCANCEL) != IDOK) return -1;
      const int r = RunFilterStep(1, 0);
      if (r == -1) return -1;
      if (r == 1) {
        if (theApp.m_DataRows > theApp.m_TitleRow + 1) continue;
        theApp.DoMessageBox(CString(kNarrowedToNothingMessage));
        return -1;
      }
      if (theApp.m_DataRows <= kJobRowLimit) break;
      const CString again = CString::Build(
          u"行数が %d で所定の行数を超えています。　%d行以内に減らために更に絞り込みますか？\n「はい」：更に絞り込み　「いいえ」：再実行",
          theApp.m_DataRows, kJobRowLimit);
      const int a = theApp.DoMessageBox(again, MB_YESNOCANCEL);
      if (a == IDYES) continue;
      if (a == IDNO) {
        reload = true;
        break;
      }
      return -1;
    }
    if (!reload) break;
  }

  const bool watched = theApp.m_InputKind == INPUT_WATCH_FOLDER;
  const int result = GetUpCalls().settingsSheet(*this, runType, !watched, csvData.get(), crossTable);
  if (result == -1 || result == -2) {
    if (result == -2) {
      theApp.DoMessageBox(CString::Build(u"CSVデータの列数は%d以内にして下さい。", 256));
    }
    ResetDropZone();
    return -1;
  }
  if (watched) {
    // Sets m_LastSendResult: 0 only when saved.
    SendJob(SEND_DOCUMENT, SEND_AS_LOADED, CString(), SEND_OPEN_AFTER_SAVE, TIMESTAMP_NONE);
    return 1;
  }

  const int kind = theApp.m_InputKind;
  const bool keepsJob = kind == INPUT_FILE_DIALOG || kind == INPUT_DROPPED ||
                        (kind == INPUT_COMMAND_LINE && theApp.m_RunVariant == 0);
  if (result == IDOK && keepsJob && theApp.m_CommandReUse) {
    const CString toolText = theApp.FormatToolOrder();
    GetUpCalls().saveReuseJob(*this, m_Command, m_JobSetting.m_OutputFormat, m_JobSetting.m_CharCode, toolText,
                              runType);
    if (theApp.m_ToolOrder[0].toolKind != TOOL_NONE && m_ReuseSaveResult > 0) {
      theApp.SaveEditSettings(m_BaseName, m_OutputName, 0);
    }
    theApp.m_LastCommand = m_Command;
    theApp.m_LastToolText = toolText;
  }
  return result;
}

void CTabroClientDlg::StartInput(int runType) {
  if (m_InputPath.IsEmpty()) return;
  m_InputBusy = 1;
  const int r = ProcessCsv(m_InputPath, runType);
  const bool commandLine = theApp.m_InputKind == INPUT_COMMAND_LINE;
  // The input is gone only when its document was saved and the file deleted.
  if (r == 1 && m_DeleteAfterSend && m_InputPath.IsEmpty()) {
    ResetJobSettings(1);
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
