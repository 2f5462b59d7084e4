#pragma once
// A sample dialog for the window-layer tests: one control of each common kind.

#include "platform/ui/ui.h"

namespace sample {

inline constexpr int kNameEdit = 1106;
inline constexpr int kCountEdit = 1107;
inline constexpr int kAgreeCheck = 1250;
inline constexpr int kRadioA = 1301, kRadioB = 1302, kRadioC = 1303;
inline constexpr int kOtherRadio = 1310;
inline constexpr int kKindCombo = 1117;
inline constexpr int kHelloButton = 1185;

inline constexpr ControlTemplate kSampleControls[] = {
    {CtlKind::Static, IDC_STATIC, u"帳票タイトル名", 7, 9, 60, 8},
    {CtlKind::Edit, kNameEdit, nullptr, 70, 7, 120, 14},
    {CtlKind::Edit, kCountEdit, u"5", 70, 25, 40, 14, tpl::kNumber},
    {CtlKind::CheckBox, kAgreeCheck, u"データ加工・集計ツールを起動", 7, 45, 150, 10},
    {CtlKind::Radio, kRadioA, u"基本設定", 7, 60, 50, 10, tpl::kGroup},
    {CtlKind::Radio, kRadioB, u"CSV編集", 60, 60, 50, 10},
    {CtlKind::Radio, kRadioC, u"詳細設定", 113, 60, 50, 10},
    {CtlKind::Radio, kOtherRadio, u"別グループ", 7, 75, 60, 10, tpl::kGroup},
    {CtlKind::ComboDropList, kKindCombo, u"上書き保存\n連番をつけて保存", 7, 90, 100, 60},
    {CtlKind::PushButton, kHelloButton, u"まとめ表示する", 110, 90, 80, 14},
    {CtlKind::DefPushButton, IDOK, u"OK", 86, 110, 50, 14},
    {CtlKind::PushButton, IDCANCEL, u"キャンセル", 140, 110, 50, 14},
};
inline constexpr DialogTemplate kSampleDialog{9001, u"テスト用ダイアログ", 197, 130, kSampleControls};
TABRO_REGISTER_DIALOG(kSampleDialog);

class CSampleDlg : public CDialogEx {
 public:
  CSampleDlg() : CDialogEx(9001) {}
  CString m_Name;
  int m_Count = 1;
  int m_Agree = 0;
  int m_Page = 0;
  int m_Kind = -1;
  int m_Hellos = 0;
  int m_NameChanges = 0;
  CEdit m_NameEdit;

  void DoDataExchange(CDataExchange* pDX) override {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, kNameEdit, m_NameEdit);
    DDX_Text(pDX, kNameEdit, m_Name);
    DDV_MaxChars(pDX, m_Name, 30);
    DDX_Text(pDX, kCountEdit, m_Count);
    DDV_MinMaxInt(pDX, m_Count, 1, 99);
    DDX_Check(pDX, kAgreeCheck, m_Agree);
    DDX_Radio(pDX, kRadioA, m_Page);
    DDX_CBIndex(pDX, kKindCombo, m_Kind);
  }
  afx_msg void OnHello() {
    ++m_Hellos;
    EndDialog(42);
  }
  afx_msg void OnNameChange() { ++m_NameChanges; }
  DECLARE_MESSAGE_MAP()
};

}  // namespace sample

