// The driver's run of the data-edit chain over theApp's tool order.

#include "app/steps/tool_steps.h"
#include "app/up_calls.h"
#include "platform/ui_hooks.h"
#include "edittools/chain/tool_chain.h"

RunToolStepFn FindToolStep(ToolKind kind) {
  for (const ToolStepEntry& e : kToolSteps) {
    if (e.kind == kind) return e.step;
  }
  return nullptr;
}

namespace {

class DlgChainHost : public CToolChainHost {
 public:
  explicit DlgChainHost(CTabroClientDlg& dlg) : dlg_(dlg) {}

  int RunToolStep(ToolKind kind, int show, int inChain) override {
    const RunToolStepFn step = FindToolStep(kind);
    return step ? (dlg_.*step)(show, inChain) : STEP_CANCELLED;
  }

  bool ShowOrderDialog(bool restart, const TOOLORDER* resumeOrder, int resumeIndex) override {
    return GetUpCalls().order(restart ? 1 : 0, resumeOrder, resumeIndex) == IDOK;
  }

  void ShowMessage(const CString& text) override { theApp.DoMessageBox(text); }

  // A cross table makes the document a cross table; its header rows and value
  // count stay in m_PivotRun.
  void AfterToolStep(ToolKind kind, int result) override {
    if (kind == ToolKind::kPivot && result == STEP_RAN && theApp.m_PivotSetting.SumType == PIVOT_CROSS) {
      dlg_.m_JobSetting.m_DocKind = DOC_KIND_CROSS;
    }
  }

 private:
  CTabroClientDlg& dlg_;
};

}  // namespace

int CTabroClientDlg::RunToolChain(ToolChainRun run, bool setUp) {
  m_CrossColumnGroups = 0;
  m_PivotGroupCount = 0;
  DlgChainHost host(*this);
  return ::RunToolChain(theApp.m_ToolOrder, theApp.m_ToolAbort, theApp.m_TitleRow, run, setUp, host);
}
