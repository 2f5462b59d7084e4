#pragma once
// CDataEdit: the tool-order dialog. The user picks which data-edit tools run and
// in which order, and ticks per tool whether its settings dialog opens when the
// job is replayed. It edits a copy of theApp.m_ToolOrder and stores it on OK.
//
// Forms, chosen by the opener before DoModal (at most one of them):
// - selection (default): a new input's set-up;
// - resume: m_ResumeOrder and m_ResumeIndex, after a step of the set-up was
//   cancelled; the tools before that slot stay locked;
// - restart: m_RestartMode, the chain started again; only the last tool can be
//   removed, and OK resets the settings of the tools taken off the end;
// - confirmation: m_ConfirmMode, a read-only review; the slot buttons open the
//   tools' own dialogs read-only, only the ticks can change.

#include "edittools/chain/tool_order_records.h"
#include "platform/ui/dialog.h"

class CDataEdit : public CDialogEx {
 public:
  explicit CDataEdit(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  void OnOK() override;

  TOOLORDER m_Order{};
  int m_OrderCount = 0;
  int m_ConfirmMode = 0;
  int m_RestartMode = 0;
  TOOLORDER m_ResumeOrder{};
  int m_ResumeIndex = -1;
  int m_ToolChecked[TOOL_KIND_COUNT] = {};    // by ToolKindIndex: the kind is in the order
  int m_ToolLocked[TOOL_KIND_COUNT] = {};     // by ToolKindIndex: its button stays disabled
  int m_NextTimeCheck[TOOL_SLOT_COUNT] = {};  // per slot: "次回設定画面起動"
  CString m_RowCountText;
  CToolTipCtrl m_ToolTips;   // tips of the tool buttons and of the used order slots

  // The row-count text for a number of data rows.
  static CString RowCountText(int rows);
  // Where the white panel behind the order column is drawn, in client pixels.
  CRect PanelRect();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnPivotTool();
  afx_msg void OnAddCsvTool();
  afx_msg void OnFilterTool();
  afx_msg void OnSortTool();
  afx_msg void OnMacroTool();
  afx_msg void OnOrderSlot(UINT id);
  afx_msg void OnNextTimeCheck(UINT id);
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

  void ToggleTool(ToolKind kind, int pressed);
  void EnableToolButtons();
  void ShowOrderSlots();
  void ShowOrderBitmaps();
  void ShowOrderForRestart();
  void ApplyStoppedOrder();
  void UpdateModeButtons();
  void StoreToolOrder();
  void OpenToolReadOnly(ToolKind kind);

 private:
  void OnToolButton(ToolKind kind);
  CBrush m_WhiteBrush;
};

// Runs the order dialog for the chain driver: restart form, or resume form when
// resumeOrder is given. IDOK or IDCANCEL.
int RunOrderDialog(int restart, const TOOLORDER* resumeOrder, int resumeIndex);
// Runs the order dialog in its confirmation form.
void RunOrderConfirmation();
