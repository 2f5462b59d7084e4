#pragma once
// CDataMacroInsert: the column layout of the macro-column step. The input
// columns stand as list columns with preview rows; the user reorders them by cut
// and paste, deletes the unwanted ones and adds up to three macro columns (each
// defined in CMacroDlg) at picked positions. OK stores the layout in
// theApp.m_MacroSetting; the read-only view shows the stored layout.

#include <vector>

#include "app/ui/list_ctrl_ex.h"
#include "macro/macro_setting.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

struct MacroDialogIo;

class CDataMacroInsert : public CDialogEx {
 public:
  explicit CDataMacroInsert(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  void OnOK() override;

  void FillMacroSlots();
  void CheckUsedSlots();
  void LoadColumnNames();
  void RestoreSettings();
  void SetCloseCaption();
  void ShowCrossTabNotes();
  void RefreshColumnList();
  void UpdateSlotEnable();
  void StoreSettings();
  // The proposed name of a new macro column of slot (1-based).
  CString MakeUniqueName(CString name, int slot) const;

  int m_Skip = 0;
  int m_InChain = 0;
  CCheckListBox m_SlotList;
  CListCtrlEx m_ColumnList;
  int m_DataColumns = 0;
  int m_Picked = -1;
  int m_RangeEnd = -1;
  int m_ColumnMap[GRID_COLS] = {};
  int m_ColumnCount = 0;
  int m_PreviewLimit = 0;
  std::vector<int> m_Selection;
  int m_CutState = 0;
  int m_ClickSeen = 0;
  int m_PickKind = 0;
  std::vector<MACROCOL> m_Layout;
  int m_ReadOnly = 0;
  std::vector<MACROCOL> m_CutBuffer;
  std::vector<CString> m_FieldNames;
  int m_CrossColumnGroups = 0;
  int m_PivotGroupCount = 0;
  int m_StructureChanged = 0;
  int m_ValueItems = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnSkip();
  afx_msg void OnMacroSlot();
  afx_msg void OnSlotCheck();
  void HandleSlot(int slot);
  void SetSlotTick(int slot, bool on);
  bool m_SettingTick = false;
  afx_msg void OnColumnClick(NMHDR* hdr, LRESULT* result);
  afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
  afx_msg void OnCutColumn();
  afx_msg void OnPasteColumn();
  afx_msg void OnDeleteColumn();
  afx_msg void OnDeselect();
  // Index in m_Layout of the macro record of slot (1-based), -1 none.
  int FindSlotRecord(int slot) const;
  void ClearPick();
  void AddInputColumns();
};

// The step's hand-over: runs the dialog for the macro-column step.
int RunMacroColumnDialog(MacroDialogIo& io);
