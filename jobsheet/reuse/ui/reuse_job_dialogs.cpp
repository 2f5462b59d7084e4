// The main dialog's side of the reusable jobs that asks the user: choosing a job at
// intake, offering to keep a run, and the editor. Window code, so it lives beside
// the dialogs it opens.

#include "app/tabro_client_dlg.h"
#include "jobsheet/reuse/reuse_store.h"
#include "app/ui/new_file_dlg.h"
#include "jobsheet/reuse/reuse_rules.h"
#include "jobsheet/reuse/ui/overlap_list.h"
#include "jobsheet/reuse/ui/reuse_edit_dlg.h"
#include "jobsheet/reuse/ui/reuse_mode.h"

namespace {

// -2 when the new-file dialog was confirmed with its tool box ticked, else -1.
int AskNewFile() {
  CNewFileDlg dlg;
  return dlg.DoModal() == IDOK && dlg.m_RunTools ? NEW_FILE_WITH_TOOLS : NEW_FILE_NORMAL;
}

}  // namespace

int CTabroClientDlg::SelectReuseJob() {
  CollectSameCsvJobs();
  const int n = static_cast<int>(m_SameCsvJobs.size());
  const bool watched = theApp.m_InputKind == INPUT_WATCH_FOLDER;
  if (n == 0) {
    if (watched) {
      m_ReuseChoice = AskNewFile();
      theApp.m_InputKind = INPUT_REUSE_NEWFILE;
      return 0;
    }
    m_ReuseChoice = theApp.m_InputKind == INPUT_CLIPBOARD ? NEW_FILE_NORMAL : AskNewFile();
    theApp.m_LastToolText.Empty();
    m_OutputName = m_BaseName;
    m_ReuseNewOnly = 0;
    return 0;
  }

  int chosen = 0;
  if (!(watched && n == 1)) {
    COverlapList dlg;
    dlg.m_CsvName = m_BaseName;
    dlg.m_Jobs = &m_SameCsvJobs;
    dlg.m_JobCount = n;
    if (dlg.DoModal() != IDOK) return -1;
    if (dlg.m_NewRequested) {
      m_ReuseChoice = AskNewFile();
      theApp.m_LastToolText.Empty();
      m_OutputName = m_BaseName;
      return 0;
    }
    chosen = dlg.m_Selected;
  }
  m_ReuseChoice = chosen;
  if (chosen < 0 || chosen >= n) return 0;

  const REUSECOMMAND_SAMECSVFILE& e = m_SameCsvJobs[chosen];
  m_Command = e.command;
  theApp.m_LastCommand = e.command;
  m_OutputName = e.jobName;
  m_JobSetting.m_OutputFormat = e.outputFormat;
  m_JobSetting.m_CharCode = e.charCode;
  m_ReuseNewOnly = 0;
  theApp.m_ReuseJobNo = e.jobNo;
  if (e.jobNo >= 1 && e.jobNo <= static_cast<int>(theApp.m_ReuseCommands.size())) {
    theApp.m_CurrentReuse = theApp.m_ReuseCommands[e.jobNo - 1];
  }
  theApp.m_LastToolText = e.toolOrder;
  return 1;
}

int CTabroClientDlg::OfferReuseJob(int runType) {
  if (theApp.m_NoReusePrompt) return 0;
  if (theApp.m_InputKind == INPUT_WATCH_FOLDER || theApp.m_InputKind == INPUT_REUSE_NEWFILE) return 0;
  const CString tools = theApp.FormatToolOrder();
  if (tools.IsEmpty() && theApp.m_LastCommand.IsEmpty() && m_Command.IsEmpty() &&
      theApp.m_JoinDef.AddCsvUpdateFg == 0) {
    return -1;
  }
  std::vector<CString> last, now;
  const int a = SplitCommandTokens(last, theApp.m_LastCommand);
  const int b = SplitCommandTokens(now, m_Command);

  int c = 0;
  if (theApp.m_LastToolText != tools) {
    c = theApp.m_LastToolText.IsEmpty() ? 1 : 2;
  } else if (!tools.IsEmpty()) {
    c = theApp.IsEditSettingsChanged() == 1 ? 2 : 0;
  }
  const bool onlyTypeTx = b == 1 && now[0] == u"TypeTX" && m_JobSetting.m_SubKind == TAB_SUBKIND_TYPETX;
  if (a == 0 && c == 0 && (b == 0 || onlyTypeTx)) return 0;

  int d = (c != 0 || CommandTokensDiffer(theApp.m_LastCommand, m_Command)) ? 1 : 0;
  int s = 0;
  if (c == 1) {
    for (const REUSECOMMAND_SAMECSVFILE& e : m_SameCsvJobs) {
      if (e.toolOrder == tools) {
        d = 0;
        s = 1;
        break;
      }
    }
  }
  if (d == 0 && s == 0) return 0;

  const CString base = m_JobSetting.m_Tytl.IsEmpty() ? m_BaseName : m_JobSetting.m_Tytl;
  const CString proposal = ProposeJobName(base, [this](const CString& name) { return IsJobNameTaken(name) != 0; });
  // Overwriting needs a job the input came from; without one only a new job is offered.
  if (theApp.m_ReuseJobNo < 1) {
    m_ReuseNewOnly = 1;
  } else if (s == 0 && runType == RUN_AGAIN) {
    m_ReuseNewOnly = 0;
  }

  CReuseMode dlg;
  dlg.SetJobNames(m_OutputName, proposal, m_ReuseNewOnly, theApp.m_CurrentReuse.locked, m_SameCsvJobs);
  dlg.m_BaseName = m_BaseName;
  for (const REUSECOMMAND& job : theApp.m_ReuseCommands) {
    if (!job.deleted) dlg.m_StoredJobs.emplace_back(job.csvFile, job.jobName);
  }
  if (dlg.DoModal() != IDOK) return 0;
  switch (dlg.m_Mode) {
    case 0:
      return 3;
    case 1:
      m_OutputName = dlg.m_NewName;
      return 2;
    default:
      return 0;
  }
}

void CTabroClientDlg::SaveReuseJob(const CString& command, OutputFormat outputFormat, int charCode,
                                   const CString& toolText, int runType) {
  const int r = OfferReuseJob(runType);
  m_ReuseSaveResult = r;
  if (r == -1 || r == 0) return;
  const int jobNo = theApp.m_ReuseJobNo;
  if (r == 3 && jobNo >= 1 && jobNo <= static_cast<int>(theApp.m_ReuseCommands.size())) {
    REUSECOMMAND& job = theApp.m_ReuseCommands[jobNo - 1];
    if (ReuseTextBreaksLine(command) || ReuseTextBreaksLine(toolText)) {
      theApp.DoMessageBox(u"コマンドに「\",」か改行が含まれているため、再利用ジョブに保存しませんでした。");
      m_ReuseSaveResult = 0;
      return;
    }
    job.command = command;
    if (const char16_t* kind = OutputKindText(outputFormat, charCode)) job.outputKind = kind;
    job.toolOrder = toolText;
  } else if (r == 2) {
    if (AddReuseCommand(command, outputFormat, charCode, m_OutputName) == 0) {
      m_ReuseSaveResult = 0;
      return;
    }
    theApp.m_ReuseJobNo = static_cast<int>(theApp.m_ReuseCommands.size());
    CollectSameCsvJobs();
  }
  theApp.SaveDataEditToolFiles();
  theApp.SaveReuseCommandFile();
  // A job that was not saved gets no settings file from the pipeline either.
  if (theApp.m_ReuseSaveFailed) m_ReuseSaveResult = 0;
  theApp.ClearReuseCommands();
  theApp.LoadReuseCommands();
}

void CTabroClientDlg::OnEditReuseJobs() {
  theApp.ClearReuseCommands();
  theApp.LoadReuseCommands();
  CReuseEditDlg dlg;
  dlg.DoModal();
}
