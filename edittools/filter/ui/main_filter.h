#pragma once
// CMainFilter: the filter tool's dialog. Up to three fields from left to right,
// each a check list of a column's values or a number, date or time range.
// "フィルタ実行" builds the conditions into m_Conds and stores them with the
// fields' state in theApp; the caller applies them. m_InChain presets the
// stored fields and offers "スキップ"; m_ReadOnly (with m_InChain) only shows
// what is stored.

#include "edittools/filter/filter_fields.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CMainFilter : public CDialogEx {
 public:
  explicit CMainFilter(CWnd* parent = nullptr);

  FILTERDAT m_Conds[FILTER_MAX_CONDS];
  int m_CondCount = 0;
  int m_InChain = 0;
  int m_ReadOnly = 0;
  int m_Skip = 0;
  int m_NarrowFurther = 0;
  int m_NoCandidate = 0;
  FilterFields m_Fields;  // m_Fields.style is the radio pair: 0 "解除式", 1 "追加式"

  void SaveFilterSettings();
  void RestoreFilterSettings();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  FilterSource Source() const;
  void FindCandidateFields();
  void ResetValueStates();
  void FillCheckList(int field);
  std::vector<bool> LineChecks(int field);
  void CountMatches(int field);
  void ApplySavedFields();
  void ApplyViewMode();
  void ShowFieldName(int field);
  void SetupListField(int field, int column);
  void SetupRangeField(int field, int column, int kind);
  void ShowRangeControls(int field, bool fromStored);
  void ShowStyleControls(bool show);
  void Show(int id, bool show);

  void OnFieldChange(int combo);
  void OnField1() { OnFieldChange(0); }
  void OnField2() { OnFieldChange(1); }
  void OnField3() { OnFieldChange(2); }
  void OnList1() { CountMatches(0); }
  void OnList2() { CountMatches(1); }
  void OnList3() { CountMatches(2); }
  void OnMode1() { ShowRangeControls(0, false); }
  void OnMode2() { ShowRangeControls(1, false); }
  void OnMode3() { ShowRangeControls(2, false); }
  void OnModeRadio();
  void OnReset();
  void OnNarrowFurther();
  void OnSkip();

  CCheckListBox m_Lists[FILTER_MAX_CONDS];
  CComboBox m_FieldCombos[FILTER_MAX_CONDS];
  CComboBox m_ModeCombos[FILTER_MAX_CONDS];
  CString m_Names[FILTER_MAX_CONDS];
  CString m_Upper[FILTER_MAX_CONDS];
  CString m_Lower[FILTER_MAX_CONDS];
  CString m_UpperWord[FILTER_MAX_CONDS];
  CString m_LowerWord[FILTER_MAX_CONDS];
  CString m_UpperHint[FILTER_MAX_CONDS];
  CString m_LowerHint[FILTER_MAX_CONDS];
  CString m_CondLabel[FILTER_MAX_CONDS];
  CString m_RowCountText;
  CString m_CountText;
  CString m_Message;
  bool m_Ready = false;  // set once OnInitDialog has written the controls

  DECLARE_MESSAGE_MAP()
};

struct FilterDialogIo;
// The filter step's entry into the dialog (the up-calls' filter entry).
int RunFilterDialog(FilterDialogIo& io);
