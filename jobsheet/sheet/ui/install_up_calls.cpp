#include "jobsheet/sheet/ui/install_up_calls.h"

#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "edittools/chain/ui/tool_dialogs_install.h"
#include "jobsheet/sheet/ui/pipeline_dialogs.h"

void InstallUpCalls() {
  InstallToolDialogs();
  UpCalls& calls = GetUpCalls();
  calls.settingsSheet = &RunSettingsSheet;
  calls.replayJoin = &ReplayJoin;
  calls.selectReuseJob = [](CTabroClientDlg& dlg) { return dlg.SelectReuseJob(); };
  calls.saveReuseJob = [](CTabroClientDlg& dlg, const CString& command, OutputFormat outputFormat, int charCode,
                          const CString& toolText, int runType) {
    dlg.SaveReuseJob(command, outputFormat, charCode, toolText, runType);
  };
  calls.editReuseJobs = [](CTabroClientDlg& dlg) { dlg.OnEditReuseJobs(); };
  RequireUpCalls(calls);
}
