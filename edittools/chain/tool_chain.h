#pragma once
// The driver of the data-edit chain: runs the steps of the tool order one after
// another and decides, from each step's result, whether the input goes on.
//
// Step contract: a step takes (show, inChain) and returns a STEP_* result; a
// step that finds the whole input unusable shows its own message, sets the abort
// flag and returns STEP_CANCELLED.

#include "edittools/chain/tool_order_records.h"
#include "platform/cstring.h"

// Results of a data-edit step.
enum : int {
  STEP_CANCELLED = -1,  // cancelled or failed; the data unchanged
  STEP_RAN = 0,         // the tool ran
  STEP_SKIPPED = 1,     // "スキップ" (the filter: also narrowed further)
};
// A step's show argument.
enum : int {
  STEP_FROM_SETTINGS = 0,  // runs from the stored settings, no dialog
  STEP_WITH_DIALOG = 1,    // opens the tool's dialog
};
// A step's inChain argument.
enum : int {
  STEP_ALONE = 0,     // called on its own: a fresh dialog, no "スキップ"
  STEP_IN_CHAIN = 1,  // preset from the stored settings, with "スキップ"
};

// How the steps are called.
enum class ToolChainRun {
  kReplay,     // a new input: each step shows its dialog as its slot's flag says
  kRestart,    // the current input started again: every dialog, preset from the settings
  kSilent,     // every step from its stored settings, no dialog at all
};

// What the driver needs from the program around it.
class CToolChainHost {
 public:
  virtual ~CToolChainHost() = default;
  // Runs the step of a tool kind (not kNone) with the contract above.
  virtual int RunToolStep(ToolKind kind, int show, int inChain) = 0;
  // Shows the order dialog: restart form, or the resume form when resumeOrder is
  // given (with the slot whose step failed). On OK the dialog has stored the order;
  // returns false on cancel.
  virtual bool ShowOrderDialog(bool restart, const TOOLORDER* resumeOrder, int resumeIndex) = 0;
  // Shows a message of the driver itself.
  virtual void ShowMessage(const CString& text) = 0;
  // Called before a step runs and after it returned (cross-table switch, macro list).
  virtual void BeforeToolStep(ToolKind kind) {}
  virtual void AfterToolStep(ToolKind kind, int result) {}
};

inline constexpr char16_t kNoTitleRowMessage[] = u"CSVにフィールド行が無いのでデータ編集はできません。";

// Runs the chain held in order (which the order dialog may change) on data whose
// title row is titleRow. abort is the flag the steps set. setUp: the user asked
// to set the tools up, so the order dialog comes first (its restart form with
// kRestart), a new input's dialogs start for a first set-up, and a failed step
// brings the order dialog back to resume from that slot. Returns 1 when the
// input goes on, 0 when it is abandoned.
int RunToolChain(TOOLORDER& order, int& abort, int titleRow, ToolChainRun run, bool setUp,
                 CToolChainHost& host);
