#pragma once
// CColorDlg: the colour rule of one column of the CSV edit page. The caller
// sets the column name and the current rule; after OK GetRuleText holds the
// rule (empty: deleted).

#include "jobsheet/sheet/color_rule.h"
#include "platform/ui/ui.h"

class CColorDlg : public CDialogEx {
 public:
  explicit CColorDlg(CWnd* parent = nullptr);

  CString m_ColumnName;
  CString m_RuleText;
  CString GetRuleText() const { return m_RuleText; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnOperatorChange();
  afx_msg void OnRuleFieldChange();
  afx_msg void OnDelete();
  DECLARE_MESSAGE_MAP()

 private:
  // The controls' choices into the rule text, shown in the read-only box.
  void BuildRule();
  COLORRULE m_Rule;
  bool m_Filling = false;   // the controls are being set from the members
};
