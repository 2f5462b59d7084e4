#pragma once
// Dialog data exchange: DoDataExchange moves values between members and
// controls; UpdateData(FALSE) fills the controls, UpdateData(TRUE) reads and
// validates them.
//
//   void CNameDlg::DoDataExchange(CDataExchange* pDX) {
//     CDialogEx::DoDataExchange(pDX);
//     DDX_Text(pDX, 1106, m_Name);
//     DDV_MaxChars(pDX, m_Name, 30);
//   }
//
// When reading, a failed conversion (DDX_Text into an int) or validation
// (DDV_*) shows its message box through the hooks, puts the focus on the
// control, and stops the exchange: UpdateData returns FALSE and the members
// after that point are not read. When filling, DDV_MaxChars sets the edit's
// typing limit. Messages are the framework's Japanese texts:
//   integer:   "整数を入力してください。"
//   range:     "%d から %d までの整数を入力してください。"
//   max chars: "%d 文字以内で入力してください。"
// A control id that the dialog does not have is skipped (no exchange).

#include "platform/ui/wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* dlg, BOOL saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
  // The control the last DDX touched (for DDV's focus and limit).
  CWnd* PrepareCtrl(int id);
  CWnd* PrepareEditCtrl(int id);
  int m_idLastControl = 0;
  bool m_bEditLastControl = false;
  // Shows the message, focuses the last control and stops the exchange.
  [[noreturn]] void Fail(const CString& message);
};

// Thrown by Fail; caught by UpdateData (never leaves the layer).
struct DataExchangeFailure {};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// value: index of the checked radio in the group that starts at id (-1 none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// Binds the member control to the dialog's control (once; later calls do nothing).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
