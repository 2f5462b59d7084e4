#pragma once
// The step routine of each tool kind: one table, read by the chain driver and
// the replay command.

#include "app/tabro_client_dlg.h"
#include "edittools/chain/tool_order_records.h"

using RunToolStepFn = int (CTabroClientDlg::*)(int show, int inChain);

struct ToolStepEntry {
  ToolKind kind;
  RunToolStepFn step;
};

inline constexpr ToolStepEntry kToolSteps[] = {
    {ToolKind::kPivot, &CTabroClientDlg::RunPivotStep},
    {ToolKind::kAddCsv, &CTabroClientDlg::RunAddCsvStep},
    {ToolKind::kFilter, &CTabroClientDlg::RunFilterStep},
    {ToolKind::kSort, &CTabroClientDlg::RunSortStep},
    {ToolKind::kMacro, &CTabroClientDlg::RunMacroStep},
};
static_assert(sizeof(kToolSteps) / sizeof(kToolSteps[0]) == TOOL_KIND_COUNT);

// The step of a kind; null for a kind without one.
RunToolStepFn FindToolStep(ToolKind kind);
