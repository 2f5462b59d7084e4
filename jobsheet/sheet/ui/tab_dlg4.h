#pragma once
// CTabDlg4 (dialog 136, "ラベル設定"): label use, label sheet and the label
// where printing starts.

#include <cstdint>

#include "jobsheet/sheet/ui/seel_skip_dlg.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CTabDlg4 : public CDialogEx {
 public:
  explicit CTabDlg4(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnInitDialog() override;
  // Shows the label use and, for labels, the sheet that matches the layout.
  void Refresh();
  // Layout and family from the chosen sheet; a start beyond its labels becomes 1.
  void ApplySheetChoice();

  int m_UsageRadio = 0;       // 0 seal sheet, 1 product labels, 2 address labels
  CComboBox m_SheetCombo;
  CButton m_StartButton;
  CSeelSkipDlg m_SeelSkip;
  uint8_t m_LabelUse = 0;
  int16_t m_LabelLayout1 = 0;
  int16_t m_LabelLayout2 = 0;
  int16_t m_LabelSheetKind = 0;   // 1 "ヒサゴ", 2 "エーワン"
  int m_StartLabel = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  afx_msg void OnSeal();
  afx_msg void OnProductLabel();
  afx_msg void OnAddressLabel();
  afx_msg void OnSheetChange();
  afx_msg void OnStartPosition();
  void HandToSeelSkip();
};
