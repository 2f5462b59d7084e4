#pragma once
// The one registry of up-calls: the dialogs of the window layers that code of a
// lower layer opens (the tools' dialogs for the step routines; the settings
// sheet, the reusable-job dialogs and the join replay for the job pipeline).
// The program's start-up (InstallUpCalls, jobsheet/sheet/ui/install_up_calls.h)
// fills every entry and stops on one left empty, so a caller calls its entry
// without looking.

#include <vector>

#include "app/tool_dialogs.h"
#include "jobsheet/command/job_setting.h"
#include "platform/cstring.h"

class CTabroClientDlg;
class CCsvPropPage;

// Fills the three pages on the loaded input and, when show, runs the sheet: its
// result (1 after "実行"); -1 when the CSV page could not be filled, -2 when it
// cannot take the columns. crossTable: the tools left a cross table.
using SettingsSheetFn = int (*)(CTabroClientDlg& dlg, int runType, bool show, CCsvPropPage* data,
                                bool crossTable);
// Replays the job's join on the loaded data; 1 joined.
using ReplayJoinFn = int (*)(CTabroClientDlg& dlg);
// CTabroClientDlg::SelectReuseJob, SaveReuseJob and OnEditReuseJobs.
using SelectReuseJobFn = int (*)(CTabroClientDlg& dlg);
using SaveReuseJobFn = void (*)(CTabroClientDlg& dlg, const CString& command, OutputFormat outputFormat,
                                int charCode, const CString& toolText, int runType);
using EditReuseJobsFn = void (*)(CTabroClientDlg& dlg);

struct UpCalls {
  // The tools' dialogs (app/tool_dialogs.h), by tool kind.
  OrderDialogFn order = nullptr;      // the tool-order dialog
  PivotDialogFn pivot = nullptr;      // kind 1
  AddCsvDialogFn addCsv = nullptr;    // kind 2
  FilterDialogFn filter = nullptr;    // kind 3
  SortDialogFn sort = nullptr;        // kind 4
  MacroDialogFn macro = nullptr;      // kind 5
  // What the job pipeline opens above the main window.
  SettingsSheetFn settingsSheet = nullptr;
  ReplayJoinFn replayJoin = nullptr;
  SelectReuseJobFn selectReuseJob = nullptr;
  SaveReuseJobFn saveReuseJob = nullptr;
  EditReuseJobsFn editReuseJobs = nullptr;
};

// The one registry.
UpCalls& GetUpCalls();

// The names of the entries of calls left empty, in the order of the struct.
std::vector<const char*> EmptyUpCalls(const UpCalls& calls);

// Stops the process, naming the first empty entry, unless every entry of calls
// is filled.
void RequireUpCalls(const UpCalls& calls);
