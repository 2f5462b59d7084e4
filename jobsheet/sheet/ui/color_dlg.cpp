#include "jobsheet/sheet/ui/color_dlg.h"

#include "platform/ui_hooks.h"
#include "res/color_dlg.h"

CColorDlg::CColorDlg(CWnd* parent) : CDialogEx(res::IDD_COLOR_DLG, parent) {}

BEGIN_MESSAGE_MAP(CColorDlg, CDialogEx)
ON_CBN_SELCHANGE(res::IDC_COLOR_OPERATOR, &CColorDlg::OnOperatorChange)
ON_EN_CHANGE(res::IDC_COLOR_VALUE, &CColorDlg::OnRuleFieldChange)
ON_CBN_SELCHANGE(res::IDC_COLOR_ACTION, &CColorDlg::OnRuleFieldChange)
ON_CBN_SELCHANGE(res::IDC_COLOR_COLOUR, &CColorDlg::OnRuleFieldChange)
ON_BN_CLICKED(res::IDC_COLOR_DELETE, &CColorDlg::OnDelete)
END_MESSAGE_MAP()

void CColorDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, res::IDC_COLOR_COLUMN, m_ColumnName);
  DDV_MaxChars(pDX, m_ColumnName, 100);
  DDX_CBIndex(pDX, res::IDC_COLOR_OPERATOR, m_Rule.op);
  DDX_Text(pDX, res::IDC_COLOR_VALUE, m_Rule.value);
  DDV_MaxChars(pDX, m_Rule.value, 30);
  DDX_CBIndex(pDX, res::IDC_COLOR_ACTION, m_Rule.action);
  DDX_CBIndex(pDX, res::IDC_COLOR_COLOUR, m_Rule.colour);
  DDX_Text(pDX, res::IDC_COLOR_RULE, m_RuleText);
  DDV_MaxChars(pDX, m_RuleText, 1000);
}

BOOL CColorDlg::OnInitDialog() {
  m_Filling = true;
  CDialogEx::OnInitDialog();
  m_Rule = ParseColorRule(m_RuleText, m_Rule);
  UpdateData(FALSE);
  m_Filling = false;
  return TRUE;
}

void CColorDlg::BuildRule() {
  if (m_Filling) return;
  m_Filling = true;
  UpdateData(TRUE);
  m_RuleText = BuildColorRule(m_ColumnName, m_Rule);
  if (CWnd* rule = GetDlgItem(res::IDC_COLOR_RULE)) rule->SetWindowText(m_RuleText);
  m_Filling = false;
}

void CColorDlg::OnOperatorChange() {
  if (m_Filling) return;
  UpdateData(TRUE);
  if (m_Rule.op == kColorRuleSigma && m_Rule.value.IsEmpty()) {
    m_Filling = true;
    if (CWnd* value = GetDlgItem(res::IDC_COLOR_VALUE)) value->SetWindowText(u"2");
    m_Filling = false;
  }
  BuildRule();
}

void CColorDlg::OnRuleFieldChange() { BuildRule(); }

void CColorDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  const ColorRuleCheck check = CheckColorRule(m_Rule);
  if (check.symbolWarning) GetUiHooks().MessageBox(ColorRuleSymbolWarning(), kAppCaption, MB_OK | MB_ICONWARNING);
  if (!check.refusal.IsEmpty()) {
    GetUiHooks().MessageBox(check.refusal, kAppCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  m_RuleText = BuildColorRule(m_ColumnName, m_Rule);
  EndDialog(IDOK);
}

void CColorDlg::OnDelete() {
  m_RuleText.Empty();
  EndDialog(IDOK);
}
