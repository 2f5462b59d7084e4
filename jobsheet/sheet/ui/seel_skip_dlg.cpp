#include "jobsheet/sheet/ui/seel_skip_dlg.h"

#include "platform/ui/dc.h"
#include "res/seel_skip_dlg.h"

namespace {
constexpr COLORREF kCellBrush = RGB(220, 220, 220);
constexpr COLORREF kStartPen = RGB(30, 144, 255);
constexpr COLORREF kStartBrush = RGB(240, 248, 255);
}  // namespace

BEGIN_MESSAGE_MAP(CSeelSkipDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CSeelSkipDlg::CSeelSkipDlg(CWnd* parent) : CDialog(res::IDD_SEEL_SKIP_DLG, parent) {}

void CSeelSkipDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, res::IDC_SEEL_START, m_StartText);
  DDX_Text(pDX, res::IDC_SEEL_ROW, m_RowText);
  DDX_Text(pDX, res::IDC_SEEL_COL, m_ColText);
  DDX_Text(pDX, res::IDC_SEEL_ORDER, m_OrderText);
  DDX_Text(pDX, res::IDC_SEEL_MAKER, m_MakerText);
}

void CSeelSkipDlg::BuildLabelGrid() {
  if (m_LabelsDown < 1 || m_LabelsAcross < 1) return;
  CClientDC dc(this);
  m_Labels = BuildLabelCells(m_LabelsAcross, m_LabelsDown, m_NumberingOrder, dc.GetDeviceCaps(LOGPIXELSX),
                             dc.GetDeviceCaps(LOGPIXELSY));
}

void CSeelSkipDlg::ShowStartCell(int label) {
  for (const SEELDATA& c : m_Labels) {
    if (c.m_Number == label) {
      m_RowText = CString::Build(u"%d", c.m_Row);
      m_ColText = CString::Build(u"%d", c.m_Col);
      return;
    }
  }
}

BOOL CSeelSkipDlg::OnInitDialog() {
  BuildLabelGrid();
  if (m_StartLabel > 0) {
    if (m_StartLabel > m_LabelsAcross * m_LabelsDown) {
      m_StartLabel = 1;
      m_StartText = m_RowText = m_ColText = u"1";
    } else {
      m_StartText = CString::Build(u"%d", m_StartLabel);
      ShowStartCell(m_StartLabel);
    }
  }
  m_OrderText = m_NumberingOrder == 1 ? u"行毎" : (m_NumberingOrder == 0 ? u"列毎" : u"");
  m_MakerText = m_Maker == 1 ? u"ヒサゴ" : (m_Maker == 2 ? u"エーワン" : u"");
  return CDialog::OnInitDialog();
}

int CSeelSkipDlg::HitTest(CPoint point) const { return LabelCellAt(m_Labels, point.x, point.y); }

void CSeelSkipDlg::OnLButtonDown(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (hit >= 0) {
    const SEELDATA& c = m_Labels[hit];
    m_StartLabel = c.m_Number;
    m_RowText = CString::Build(u"%d", c.m_Row);
    m_ColText = CString::Build(u"%d", c.m_Col);
  }
  m_StartText = CString::Build(u"%d", m_StartLabel);
  UpdateData(FALSE);
  Invalidate();
  UpdateWindow();
  CDialog::OnLButtonDown(flags, point);
}

void CSeelSkipDlg::OnPaint() {
  CPaintDC dc(this);
  DrawLabels(dc);
}

void CSeelSkipDlg::DrawLabels(CDC& dc) {
  const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
  const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
  CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* oldPen = dc.SelectObject(&outline);
  dc.Rectangle(LabelUnitsToPixels(kSheetLeft, dpiX), LabelUnitsToPixels(kSheetTop, dpiY),
               LabelUnitsToPixels(kSheetLeft + kSheetSize, dpiX), LabelUnitsToPixels(kSheetTop + kSheetSize, dpiY));
  if (m_Labels.empty()) {
    dc.SelectObject(oldPen);
    return;
  }
  const LABELFONT face = LabelNumberFont(m_LabelsAcross, m_LabelsDown);
  CFont font;
  font.CreateFont(-LabelUnitsToPixels(face.height, dpiY), 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, CString());
  CFont* oldFont = dc.SelectObject(&font);
  const int offsetX = LabelUnitsToPixels(face.offset, dpiX);
  const int offsetY = LabelUnitsToPixels(face.offset, dpiY);
  dc.SetBkMode(TRANSPARENT);

  int start = 0;
  for (size_t i = 0; i < m_Labels.size(); ++i) {
    if (m_Labels[i].m_Number == m_StartLabel) start = static_cast<int>(i);
  }
  CPen dotted(PS_DOT, 1, RGB(0, 0, 0));
  CBrush grey(kCellBrush);
  dc.SelectObject(&dotted);
  CBrush* oldBrush = dc.SelectObject(&grey);
  for (size_t i = 0; i < m_Labels.size(); ++i) {
    if (static_cast<int>(i) == start) continue;
    const SEELDATA& c = m_Labels[i];
    dc.Rectangle(c.m_Left, c.m_Top, c.m_Right, c.m_Bottom);
    dc.DrawText(CString::Build(u"%d", c.m_Number),
                CRect(c.m_Left + offsetX, c.m_Top + offsetY, c.m_Right, c.m_Bottom), DT_LEFT | DT_TOP | DT_SINGLELINE);
  }
  const SEELDATA& s = m_Labels[start];
  CPen bold(PS_SOLID, 2, kStartPen);
  CBrush light(kStartBrush);
  dc.SelectObject(&bold);
  dc.SelectObject(&light);
  dc.Rectangle(s.m_Left + 1, s.m_Top + 1, s.m_Right - 1, s.m_Bottom - 1);
  dc.DrawText(CString::Build(u"%d", s.m_Number),
              CRect(s.m_Left + 1 + offsetX, s.m_Top + 1 + offsetY, s.m_Right - 1, s.m_Bottom - 1),
              DT_LEFT | DT_TOP | DT_SINGLELINE);
  dc.SelectObject(oldFont);
  dc.SelectObject(oldBrush);
  dc.SelectObject(oldPen);
}
