#include "edittools/chain/tool_chain.h"

#include "edittools/chain/tool_kinds.h"

int RunToolChain(TOOLORDER& order, int& abort, int titleRow, ToolChainRun run, bool setUp,
                 CToolChainHost& host) {
  if (titleRow < 0) {
    host.ShowMessage(kNoTitleRowMessage);
    return 0;
  }
  // A replay takes the dialog flags from the order as it stood at the start.
  const TOOLORDER started = order;
  if (setUp && !host.ShowOrderDialog(run == ToolChainRun::kRestart, nullptr, 0)) return 0;
  abort = 0;
  for (int j = 0; j < TOOL_SLOT_COUNT;) {
    const ToolKind kind = order[static_cast<size_t>(j)].toolKind;
    if (kind == ToolKind::kNone) break;
    if (!FindToolKind(kind)) {
      ++j;
      continue;
    }
    int show = STEP_FROM_SETTINGS;
    int inChain = STEP_IN_CHAIN;
    if (run == ToolChainRun::kRestart) {
      show = STEP_WITH_DIALOG;
    } else if (run == ToolChainRun::kSilent) {
      show = STEP_FROM_SETTINGS;
    } else if (setUp) {
      show = STEP_WITH_DIALOG, inChain = STEP_ALONE;
    } else {
      show = started[static_cast<size_t>(j)].openSettingsNextTime;
    }
    host.BeforeToolStep(kind);
    const int result = host.RunToolStep(kind, show, inChain);
    host.AfterToolStep(kind, result);
    if (result != STEP_CANCELLED) {
      ++j;
      continue;
    }
    if (abort != 0 || !setUp) return 0;
    // The user may change or remove the tool that failed and go on from here.
    const TOOLORDER current = order;
    if (!host.ShowOrderDialog(false, &current, j)) return 0;
  }
  return 1;
}
