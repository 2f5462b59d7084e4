#include "app/ui/new_file_dlg.h"

#include "res/new_file_dlg.h"

CNewFileDlg::CNewFileDlg(CWnd* parent) : CDialogEx(res::IDD_NEW_FILE_DLG, parent) {}

void CNewFileDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_NEWFILE_RUN_TOOLS, m_RunToolsCheck);
  DDX_Check(pDX, res::IDC_NEWFILE_RUN_TOOLS, m_RunTools);
}
