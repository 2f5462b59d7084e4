#include "jobsheet/reuse/ui/reuse_job_list.h"

#include <array>

namespace {

struct BadgeStyle {
  const char16_t* kind;
  const char16_t* word;
  COLORREF text;
  COLORREF frame;
};

constexpr COLORREF kRed = RGB(220, 0, 0);
constexpr COLORREF kGreen = RGB(0, 150, 60);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr std::array<BadgeStyle, 5> kBadges = {{
    {u"PDF", u"PDF", kRed, kRed},
    {u"EXCEL", u"Excel", kGreen, kGreen},
    {u"CSV", u"CSV", kBlack, kGreen},
    {u"CSV-SJIS", u"CSVSJIS", kBlack, kGreen},
    {u"CSV-UTF8", u"CSVUT8", kBlack, kGreen},
}};

constexpr int kBadgeWidth = 42;
constexpr int kBadgeHeight = 16;
constexpr COLORREF kHeaderFill = RGB(0xF0, 0xF0, 0xF0);

}  // namespace

void DrawJobBadge(CDC* dc, const CRect& rect, const CString& kind) {
  for (const BadgeStyle& b : kBadges) {
    if (kind != b.kind) continue;
    const CRect box(rect.left, rect.top, rect.left + kBadgeWidth, rect.top + kBadgeHeight);
    CPen pen(PS_SOLID, 1, b.frame);
    CBrush white(RGB(255, 255, 255));
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&white);
    dc->RoundRect(box, CPoint(6, 6));
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    CFont small;
    small.CreatePointFont(70, CString());
    CFont* oldFont = dc->SelectObject(&small);
    const COLORREF oldText = dc->SetTextColor(b.text);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(CString(b.word), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldText);
    dc->SelectObject(oldFont);
    return;
  }
}

BEGIN_MESSAGE_MAP(CReuseJobHeader, CHeaderCtrl)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CReuseJobHeader::OnPaint() {
  CPaintDC dc(this);
  CFont* font = GetFont();
  CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(client, kHeaderFill);
  for (int i = 0; i < GetItemCount(); ++i) {
    CRect item;
    if (!GetItemRect(i, &item)) continue;
    item.bottom -= 1;
    dc.FillSolidRect(item, kHeaderFill);
    const UINT align = i == m_LeftAlignedColumn ? DT_LEFT : DT_CENTER;
    dc.DrawText(GetItemText(i).Left(255), item, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  dc.SetBkMode(oldMode);
  if (oldFont != nullptr) dc.SelectObject(oldFont);
}

BEGIN_MESSAGE_MAP(CReuseJobList, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CReuseJobList::OnCustomDraw)
END_MESSAGE_MAP()

void CReuseJobList::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  CHeaderCtrl* header = GetHeaderCtrl();
  if (header != nullptr && header->GetSafeHwnd() != nullptr) m_Header.SubclassWindow(header->GetSafeHwnd());
}

void CReuseJobList::OnCustomDraw(NMHDR* hdr, LRESULT* result) {
  auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
  switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      *result = CDRF_NOTIFYITEMDRAW;
      return;
    case CDDS_ITEMPREPAINT:
      *result = CDRF_NOTIFYSUBITEMDRAW;
      return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      const int row = static_cast<int>(cd->nmcd.dwItemSpec);
      DrawCell(cd->nmcd.hdc, row, cd->iSubItem, cd->nmcd.rc, (cd->nmcd.uItemState & ODS_SELECTED) != 0);
      *result = CDRF_SKIPDEFAULT;
      return;
    }
    default:
      *result = CDRF_DODEFAULT;
  }
}

void CReuseJobList::DrawCell(CDC* dc, int row, int column, const CRect& cell, bool selected) {
  dc->FillSolidRect(cell, selected ? GetSysColor(COLOR_HIGHLIGHT) : RGB(255, 255, 255));
  // The text is centred on the row's height: the fixed insets of small rows would
  // cut the descenders of this font.
  CRect text(cell.left + 4, cell.top, cell.right - 4, cell.bottom);
  if (column == m_BadgeColumn && m_BadgeOf) {
    DrawJobBadge(dc, CRect(text.left, cell.top + 2, text.right, cell.bottom), m_BadgeOf(row));
    text.left += 16;
  }
  const bool centred = column == m_CenteredColumns[0] || column == m_CenteredColumns[1];
  const COLORREF oldText = dc->SetTextColor(selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CFont* font = GetFont();
  CFont* oldFont = font != nullptr ? dc->SelectObject(font) : nullptr;
  dc->DrawText(GetItemText(row, column), text,
               (centred || column == m_BadgeColumn ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX |
                   DT_END_ELLIPSIS);
  if (oldFont != nullptr) dc->SelectObject(oldFont);
  dc->SetBkMode(oldMode);
  dc->SetTextColor(oldText);
}
