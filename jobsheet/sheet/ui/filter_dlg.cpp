#include "jobsheet/sheet/ui/filter_dlg.h"

#include "app/tabro_client_app.h"
#include "jobsheet/sheet/filter_text.h"
#include "res/filter_dlg.h"

namespace {
constexpr int kMaxFilterChars = 100;
}

CFilterDlg::CFilterDlg(CWnd* parent) : CDialogEx(res::IDD_FILTER_DLG, parent) {}

void CFilterDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, res::IDC_FILTER_TEXT, m_Filter);
  DDV_MaxChars(pDX, m_Filter, kMaxFilterChars);
}

void CFilterDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  // In edit mode the condition works on the grid and never enters the command.
  if (theApp.m_EditModeEntered == 0) {
    const CString refusal = FilterTextRefusal(m_Filter);
    if (!refusal.IsEmpty()) {
      theApp.DoMessageBox(refusal, MB_OK);
      return;
    }
  }
  EndDialog(IDOK);
}
