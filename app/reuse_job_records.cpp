// The main dialog's list of the stored jobs of the current input, and new jobs.

#include "app/tabro_client_dlg.h"
#include "jobsheet/reuse/reuse_rules.h"
#include "jobsheet/reuse/reuse_store.h"

void CTabroClientDlg::CollectSameCsvJobs() { m_SameCsvJobs = CollectJobsOfFile(theApp.m_ReuseCommands, m_BaseName); }

int CTabroClientDlg::IsJobNameTaken(const CString& name) const {
  for (const REUSECOMMAND_SAMECSVFILE& job : m_SameCsvJobs) {
    if (job.jobName == name) return 1;
  }
  // A name whose settings file another input's job already uses is taken too.
  for (const REUSECOMMAND& job : theApp.m_ReuseCommands) {
    if (!job.deleted && SharesSettingsFile({m_BaseName, name}, {job.csvFile, job.jobName})) return 1;
  }
  return 0;
}

namespace {

constexpr char16_t kUnstorableJobText[] =
    u"名前またはコマンドに「\",」か改行が含まれているため、再利用ジョブに保存しませんでした。";

}  // namespace

int CTabroClientDlg::AddReuseCommand(const CString& command, OutputFormat outputFormat, int charCode,
                                     const CString& jobName) {
  REUSECOMMAND job;
  job.csvFile = m_BaseName;
  job.command = command;
  if (const char16_t* kind = OutputKindText(outputFormat, charCode)) job.outputKind = kind;
  job.jobName = jobName;
  if (theApp.m_JoinDef.AddCsvCnt != 0) {
    // The new job takes over the additional CSVs' lines of the job it came from.
    job.toolLines = theApp.m_CurrentReuse.toolLines;
    job.toolLinesChanged = 1;
  }
  job.toolOrder = theApp.FormatToolOrder();
  // A text that would break its line in the job list would reload with shifted
  // fields: such a job is not stored.
  for (const CString* text : {&job.csvFile, &job.command, &job.outputKind, &job.jobName, &job.toolOrder}) {
    if (ReuseTextBreaksLine(*text)) {
      theApp.DoMessageBox(CString(kUnstorableJobText));
      return 0;
    }
  }
  theApp.m_ReuseCommands.push_back(job);
  return 1;
}
