#include "edittools/pivot/ui/group_dialogs.h"

#include <algorithm>

#include "platform/ui/controls.h"
#include "platform/ui/ddx.h"
#include "res/pivot_dlg.h"

BEGIN_MESSAGE_MAP(CGropDate, CDialogEx)
  ON_NOTIFY(UDN_DELTAPOS, res::IDC_GD_SPIN, &CGropDate::OnDeltaPos)
END_MESSAGE_MAP()

CGropDate::CGropDate(CWnd* parent) : CDialogEx(res::IDD_GROP_DATE, parent) {}

void CGropDate::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, res::IDC_GD_NONE, m_Unit);
  DDX_Text(pDX, res::IDC_GD_FIRST_MONTH, m_FirstMonth);
  DDV_MinMaxInt(pDX, m_FirstMonth, 1, 12);
}

void CGropDate::OnDeltaPos(NMHDR* hdr, LRESULT* result) {
  const auto* ud = reinterpret_cast<const NMUPDOWN*>(hdr);
  UpdateData(TRUE);
  // The up arrow reports -1 in the default range and raises the month; no wrap.
  m_FirstMonth = std::clamp(m_FirstMonth - ud->iDelta, 1, 12);
  UpdateData(FALSE);
  *result = 0;
}

CGropTime::CGropTime(CWnd* parent) : CDialogEx(res::IDD_GROP_TIME, parent) {}

void CGropTime::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, res::IDC_GT_NONE, m_Unit);
}
