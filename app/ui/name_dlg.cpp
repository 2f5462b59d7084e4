#include "app/ui/name_dlg.h"

#include <string_view>

#include "app/tabro_client_app.h"
#include "platform/paths.h"
#include "res/name_dlg.h"

CNameDlg::CNameDlg(CWnd* parent) : CDialogEx(res::IDD_NAME_DLG, parent) {}

void CNameDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, res::IDC_NAMEDLG_NAME, m_Name);
  DDV_MaxChars(pDX, m_Name, kMaxNameChars);
}

void CNameDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_Name.IsEmpty()) {
    theApp.DoMessageBox(CString(u"ファイルが名を入力してください。"), MB_OK);
    return;
  }
  if (HasForbiddenNameChar(m_Name)) {
    theApp.DoMessageBox(CString(u"禁則文字\n\n : / * ? < > | \\ \"\n\nが含まれています。"), MB_OK);
    return;
  }
  EndDialog(IDOK);
}
