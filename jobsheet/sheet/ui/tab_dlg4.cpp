#include "jobsheet/sheet/ui/tab_dlg4.h"

#include "jobsheet/sheet/label_sheets.h"
#include "res/tab_dlgs.h"

BEGIN_MESSAGE_MAP(CTabDlg4, CDialogEx)
  ON_BN_CLICKED(res::IDC_TAB4_SEAL, &CTabDlg4::OnSeal)
  ON_BN_CLICKED(res::IDC_TAB4_PRODUCT, &CTabDlg4::OnProductLabel)
  ON_BN_CLICKED(res::IDC_TAB4_ADDRESS, &CTabDlg4::OnAddressLabel)
  ON_CBN_SELCHANGE(res::IDC_TAB4_SHEET, &CTabDlg4::OnSheetChange)
  ON_BN_CLICKED(res::IDC_TAB4_START, &CTabDlg4::OnStartPosition)
END_MESSAGE_MAP()

CTabDlg4::CTabDlg4(CWnd* parent) : CDialogEx(res::IDD_TAB_DLG4, parent), m_SeelSkip(this) {}

void CTabDlg4::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_TAB4_SHEET, m_SheetCombo);
  DDX_Control(pDX, res::IDC_TAB4_START, m_StartButton);
  DDX_Radio(pDX, res::IDC_TAB4_SEAL, m_UsageRadio);
}

BOOL CTabDlg4::OnInitDialog() {
  CDialogEx::OnInitDialog();
  UpdateData(TRUE);
  m_UsageRadio = 0;
  m_LabelUse = 0;
  for (const LABELSHEET& sheet : kLabelSheets) m_SheetCombo.AddString(sheet.text);
  m_SheetCombo.SetCurSel(0);
  m_LabelLayout1 = 2;
  m_LabelLayout2 = 4;
  m_StartLabel = 1;
  m_SheetCombo.EnableWindow(FALSE);
  m_StartButton.EnableWindow(FALSE);
  UpdateData(FALSE);
  return TRUE;
}

void CTabDlg4::OnSeal() {
  UpdateData(TRUE);
  m_LabelUse = 0;
  m_SheetCombo.EnableWindow(FALSE);
  m_StartButton.EnableWindow(FALSE);
}

void CTabDlg4::OnProductLabel() {
  UpdateData(TRUE);
  m_LabelUse = 1;
  m_SheetCombo.EnableWindow(TRUE);
  m_StartButton.EnableWindow(TRUE);
  ApplySheetChoice();
}

void CTabDlg4::OnAddressLabel() {
  UpdateData(TRUE);
  m_LabelUse = 2;
  m_SheetCombo.EnableWindow(TRUE);
  m_StartButton.EnableWindow(TRUE);
  ApplySheetChoice();
}

void CTabDlg4::OnSheetChange() { ApplySheetChoice(); }

void CTabDlg4::ApplySheetChoice() {
  const int sel = m_SheetCombo.GetCurSel();
  if (sel < 0 || sel >= kLabelSheetCount) return;
  const LABELSHEET& sheet = kLabelSheets[sel];
  m_LabelLayout1 = static_cast<int16_t>(sheet.across);
  m_LabelLayout2 = static_cast<int16_t>(sheet.down);
  m_LabelSheetKind = static_cast<int16_t>(sheet.maker);
  if (m_StartLabel < 1 || m_StartLabel > sheet.labels) m_StartLabel = 1;
}

void CTabDlg4::HandToSeelSkip() {
  m_SeelSkip.m_StartLabel = m_StartLabel;
  m_SeelSkip.m_LabelsAcross = m_LabelLayout1;
  m_SeelSkip.m_LabelsDown = m_LabelLayout2;
  m_SeelSkip.m_NumberingOrder = 1;
  m_SeelSkip.m_Maker = m_LabelSheetKind;
}

void CTabDlg4::OnStartPosition() {
  ApplySheetChoice();
  HandToSeelSkip();
  if (m_SeelSkip.DoModal() == IDOK) m_StartLabel = m_SeelSkip.m_StartLabel;
}

void CTabDlg4::Refresh() {
  UpdateData(TRUE);
  m_UsageRadio = m_LabelUse;
  if (m_LabelUse == 1 || m_LabelUse == 2) {
    m_SheetCombo.EnableWindow(TRUE);
    m_StartButton.EnableWindow(TRUE);
    for (int i = 0; i < kLabelSheetCount; ++i) {
      const LABELSHEET& sheet = kLabelSheets[i];
      if (sheet.across == m_LabelLayout1 && sheet.down == m_LabelLayout2 && sheet.maker == m_LabelSheetKind) {
        m_SheetCombo.SetCurSel(i);
      }
    }
    if (m_StartLabel > 0) HandToSeelSkip();
  }
  UpdateData(FALSE);
}
