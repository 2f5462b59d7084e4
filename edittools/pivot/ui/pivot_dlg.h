#pragma once
// CPivotDlg: the aggregation tool's dialog. A simple aggregation (up to three
// row groups) or a cross tabulation (row and column groups), the value items
// (sums or counts), subtotals per level and the grouping of date and time
// levels. OK tests the set-up and stores it in theApp.m_PivotSetting; the
// previews, level labels and the sample layout show what the result will look
// like while the user sets it up.

#include <cstdint>
#include <vector>

#include "app/ui/static_ex.h"
#include "edittools/pivot/pivot_records.h"
#include "edittools/pivot/ui/check_list_box_ex.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"

class CPivotDlg : public CDialogEx {
 public:
  explicit CPivotDlg(CWnd* parent = nullptr);

  static constexpr int kLevels = 5;

  int m_Skip = 0;
  int m_InChain = 0;
  int m_ConfirmMode = 0;
  CToolTipCtrl m_ToolTips;   // what the mode buttons and the 計表示 toggle do
  int m_SumType = -1;     // -1 none chosen, 0 simple, 1 cross
  int m_ValueKind = 0;    // 0 sum list shown, 1 count list shown
  int m_GroupSide = 0;    // side of the next group item: 0 row, 1 column
  int m_TotalFg = 0;
  int m_SumStyl = 0;
  int m_NendMonth = 1;
  int m_TotalOffered = 0;
  std::vector<SUMCLM> m_SumClmArry;
  std::vector<GRPCLM> m_GrpClmArry;
  int m_ShowSubtotals = 0;
  int m_LevelSubtotal[kLevels] = {};
  int m_ShowSteps = 0;
  uint8_t m_TypeTable[GRID_COLS] = {};
  int m_ColumnCount = 0;
  int m_ValueCount = 0;
  int m_GroupCount = 0;
  int m_ColumnSideCount = 0;
  uint8_t m_EntryState[GRID_COLS] = {};
  CString m_StoredNames[GRID_COLS];
  CString m_StoredSamples[GRID_COLS];
  // Feedback texts.
  CString m_LayoutText;
  CString m_Level4Name, m_Level5Name;
  CString m_Level4Text, m_Level5Text;
  int m_PrevValueCount = 0;
  int m_PrevGroupCount = 0;

  void StorePivotSettings();
  void RestorePivotSettings();
  void StoreTitleRows();
  void ShowGroupingDialog(int level);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  // Set-up (pivot_dlg.cpp).
  void FillColumnLists();
  void TickRestoredItems();
  void UpdateModeControls();
  void ApplyModeButtonRule();
  void ModeChosen();
  void ClearColumnLevelTexts();
  void OnSimple();
  void OnCross();
  void OnValueKind();
  void OnValueListChange(int kind);
  void OnSumList() { OnValueListChange(1); }
  void OnCountList() { OnValueListChange(2); }
  void OnGroupListChange();
  void OnSide();
  void OnSubtotalToggle();
  void OnLevelCheck(int level);
  void OnLevel1() { OnLevelCheck(1); }
  void OnLevel2() { OnLevelCheck(2); }
  void OnLevel3() { OnLevelCheck(3); }
  void OnLevel4() { OnLevelCheck(4); }
  void OnLevel5() { OnLevelCheck(5); }
  void OnDay(int level);
  void OnDay1() { OnDay(1); }
  void OnDay2() { OnDay(2); }
  void OnDay3() { OnDay(3); }
  void OnDay4() { OnDay(4); }
  void OnDay5() { OnDay(5); }
  void OnSumStyle();
  void OnClear();
  void OnShowCsv();
  void OnSteps();
  void OnSkip();
  void RefreshLevelControls();
  void UpdateTotalRules();
  const GRPCLM* ItemOfLevel(int level) const;
  void Show(int id, bool show);

  // Feedback (pivot_dlg_feedback.cpp).
  void ShowCrossControls();
  void DrawSampleLayout();
  void BuildPreview();
  void BuildValuePreview();
  void BuildLevelLabels(int side);
  void SetModeButtonLooks();
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  CRect ControlRect(int id);
  CString ColumnName(int column) const;
  CString SampleCell(int column) const;

  CCheckListBoxEx m_GroupList;
  CCheckListBoxEx m_SumList;
  CCheckListBoxEx m_CountList;
  CListCtrl m_RowPreview;
  CListCtrl m_ValuePreview;
  CStaticEx m_ViewFrame;   // the empty framed static under the viewing notices
  CBrush m_WhiteBrush{RGB(255, 255, 255)};
  CBitmap m_ButtonImages[3];   // 単純集計, クロス集計, 計表示
  bool m_LooksLoaded = false;

  DECLARE_MESSAGE_MAP()
};

struct PivotDialogIo;
// The aggregation step's entry into the dialog (the up-calls' pivot entry).
int RunPivotDialog(PivotDialogIo& io);
