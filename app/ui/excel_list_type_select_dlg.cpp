#include "app/ui/excel_list_type_select_dlg.h"

#include "res/excel_list_type_select_dlg.h"

BEGIN_MESSAGE_MAP(CExcelListTypeSelectDlg, CDialogEx)
  ON_BN_CLICKED(res::IDC_LISTTYPE_GROUPED, &CExcelListTypeSelectDlg::OnGrouped)
  ON_BN_CLICKED(res::IDC_LISTTYPE_UNGROUPED, &CExcelListTypeSelectDlg::OnUngrouped)
END_MESSAGE_MAP()

CExcelListTypeSelectDlg::CExcelListTypeSelectDlg(CWnd* parent)
    : CDialogEx(res::IDD_EXCEL_LIST_TYPE_SELECT_DLG, parent) {}

BOOL CExcelListTypeSelectDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return TRUE;
}

void CExcelListTypeSelectDlg::OnGrouped() {
  m_ListType = kGrouped;
  EndDialog(IDOK);
}

void CExcelListTypeSelectDlg::OnUngrouped() {
  m_ListType = kUngrouped;
  EndDialog(IDOK);
}
