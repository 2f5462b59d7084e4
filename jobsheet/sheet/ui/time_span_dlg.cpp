#include "jobsheet/sheet/ui/time_span_dlg.h"

#include "res/time_span_dlg.h"

namespace {
constexpr int kMaxMinuteChars = 10;
}

CTimeSpanDlg::CTimeSpanDlg(CWnd* parent) : CDialogEx(res::IDD_TIME_SPAN_DLG, parent) {}

void CTimeSpanDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, res::IDC_TIMESPAN_MINUTES, m_Minutes);
  DDV_MaxChars(pDX, m_Minutes, kMaxMinuteChars);
}

BOOL CTimeSpanDlg::OnInitDialog() {
  m_Minutes = u"0";
  return CDialogEx::OnInitDialog();
}
