#pragma once
// The step routine of each tool kind: one table, read by the chain driver and
// the replay command.

#include "app/tabro_client_dlg.h"
#include "edittools/chain/tool_order_records.h"

using RunToolStepFn = int (CTabroClientDlg::*)(int show, int inChain);

struct ToolStepEntry {
  int kind;
  RunToolStepFn step;
};

inline constexpr ToolStepEntry kToolSteps[] = {
    {TOOL_PIVOT, &CTabroClientDlg::RunPivotStep},
    {TOOL_ADDCSV, &CTabroClientDlg::RunAddCsvStep},
    {TOOL_FILTER, &CTabroClientDlg::RunFilterStep},
    {TOOL_SORT, &CTabroClientDlg::RunSortStep},
    {TOOL_MACRO, &CTabroClientDlg::RunMacroStep},
};
static_assert(sizeof(kToolSteps) / sizeof(kToolSteps[0]) == TOOL_KIND_COUNT);

// The step of a kind; null for a kind without one.
RunToolStepFn FindToolStep(int kind);
