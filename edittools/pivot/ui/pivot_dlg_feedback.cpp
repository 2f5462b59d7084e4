// What the aggregation dialog shows while it is set up: the sample layout, the
// previews of the first data row, the level labels and the cross-mode controls.
#include <algorithm>
#include <iterator>

#include "app/tabro_client_app.h"
#include "edittools/pivot/ui/pivot_dlg.h"
#include "platform/ui/dc.h"
#include "res/pivot_dlg.h"

namespace {

using namespace res;

// Sample layouts by row items (X) and column items plus one (Y).
struct Layout {
  int x, y;
  const char16_t* key;
  int picture;
};
constexpr Layout kLayouts[] = {
    {1, 1, u"X1,Y1", IDC_PV_PIC_X1Y1}, {2, 1, u"X2,Y1", IDC_PV_PIC_X2Y1}, {3, 1, u"X3,Y1", IDC_PV_PIC_X3Y1},
    {1, 2, u"X1,Y2", IDC_PV_PIC_X1Y2}, {1, 3, u"X1,Y3", IDC_PV_PIC_X1Y3}, {2, 2, u"X2,Y2", IDC_PV_PIC_X2Y2},
};
static_assert(std::size(kLayouts) == 6);

// Names of grouping units in labels, by unit, for date and time columns.
constexpr const char16_t* kDateUnits[] = {u"", u"年度　", u"半期　", u"四半期　", u"月　", u"曜日　"};
constexpr const char16_t* kTimeUnits[] = {u"", u"午前・午後　", u"毎時　"};

CString UnitName(const GRPCLM& g) {
  if (g.columnType == 2 && g.groupUnit > 0 && g.groupUnit < static_cast<int>(std::size(kDateUnits))) {
    return CString(kDateUnits[g.groupUnit]);
  }
  if (g.columnType == 3 && g.groupUnit > 0 && g.groupUnit < static_cast<int>(std::size(kTimeUnits))) {
    return CString(kTimeUnits[g.groupUnit]);
  }
  return CString();
}

constexpr int kCrossControls[] = {IDC_PV_ROW_SIDE,    IDC_PV_COL_SIDE,    IDC_PV_COL_CAPTION, IDC_PV_ROW_CAPTION,
                                  IDC_PV_LEVEL4_NAME, IDC_PV_LEVEL5_NAME, IDC_PV_LEVEL4_TEXT, IDC_PV_LEVEL5_TEXT};

}  // namespace

CString CPivotDlg::ColumnName(int column) const {
  if (m_ConfirmMode) return column >= 0 && column < GRID_COLS ? m_StoredNames[column] : CString();
  return theApp.m_DataGrid.GetAt(theApp.m_TitleRow, column);
}

CString CPivotDlg::SampleCell(int column) const {
  if (m_ConfirmMode) return column >= 0 && column < GRID_COLS ? m_StoredSamples[column] : CString();
  return theApp.m_DataGrid.GetAt(theApp.m_TitleRow + 1, column);
}

void CPivotDlg::ShowCrossControls() {
  const bool cross = m_SumType == PIVOT_CROSS;
  for (int id : kCrossControls) Show(id, cross && !(m_ConfirmMode && (id == IDC_PV_ROW_SIDE || id == IDC_PV_COL_SIDE)));
  Show(IDC_PV_ROW_BOX, false);
  Show(IDC_PV_COL_BOX, false);
}

void CPivotDlg::DrawSampleLayout() {
  int x = 0;
  int y = 1;
  for (const GRPCLM& g : m_GrpClmArry) {
    if (g.orientation == 1) ++x;
    if (g.orientation == 2) ++y;
  }
  m_LayoutText.Empty();
  for (const Layout& l : kLayouts) {
    const bool chosen = l.x == x && l.y == y;
    Show(l.picture, chosen);
    if (chosen) m_LayoutText.Format(u"( %s )", l.key);
  }
  UpdateData(FALSE);
}

void CPivotDlg::BuildPreview() {
  m_RowPreview.DeleteAllItems();
  // Level 3 leftmost, level 1 rightmost.
  for (int level = 3; level >= 1; --level) {
    const GRPCLM* g = ItemOfLevel(level);
    LVCOLUMN col{};
    col.mask = LVCF_TEXT;
    col.pszText = g && g->orientation == 1 ? ColumnName(g->column) : CString();
    m_RowPreview.SetColumn(3 - level, &col);
  }
  m_RowPreview.InsertItem(0, CString());
  m_RowPreview.InsertItem(1, CString());
  for (int level = 3; level >= 1; --level) {
    const GRPCLM* g = ItemOfLevel(level);
    if (g && g->orientation == 1) m_RowPreview.SetItemText(0, 3 - level, SampleCell(g->column));
  }
  BuildLevelLabels(0);
  BuildLevelLabels(1);
  UpdateData(FALSE);
}

void CPivotDlg::BuildValuePreview() {
  m_ValuePreview.DeleteAllItems();
  while (m_ValuePreview.GetColumnCount() > 0) m_ValuePreview.DeleteColumn(0);
  m_PrevValueCount = static_cast<int>(m_SumClmArry.size());
  if (m_SumClmArry.empty()) return;
  static constexpr const char16_t* kMacroHeads[] = {u"マクロ式 １", u"マクロ式 ２", u"マクロ式 ３"};
  // 80 pixels a column, more for a heading that needs it (a count's " (件)").
  CClientDC dc(&m_ValuePreview);
  dc.SelectObject(m_ValuePreview.GetFont());
  constexpr int kHeadingPadding = 12;
  int c = 0;
  for (const SUMCLM& s : m_SumClmArry) {
    CString head;
    if (s.sumKind == 3) head = s.column >= 0 && s.column < 3 ? CString(kMacroHeads[s.column]) : CString();
    else head = ColumnName(s.column) + CString(s.sumKind == 2 ? u" (件)" : u"");
    m_ValuePreview.InsertColumn(c++, head, LVCFMT_LEFT, std::max(80, dc.GetTextExtent(head).cx + kHeadingPadding));
  }
  m_ValuePreview.InsertItem(0, CString());
  c = 0;
  for (const SUMCLM& s : m_SumClmArry) {
    m_ValuePreview.SetItemText(0, c++, s.sumKind == 3 ? CString() : SampleCell(s.column));
  }
}

void CPivotDlg::BuildLevelLabels(int side) {
  if (side == 0) {
    for (int level = 1; level <= 3; ++level) {
      const GRPCLM* g = ItemOfLevel(level);
      CString cell;
      if (g && g->orientation == 1) {
        CString label = UnitName(*g);
        if (g->subtotal) label += CString(u"計");
        if (!label.IsEmpty()) cell.Format(u"(%s)", label);
      }
      if (m_RowPreview.GetItemCount() > 1) m_RowPreview.SetItemText(1, 3 - level, cell);
    }
  } else {
    int n = 0;
    for (const GRPCLM& g : m_GrpClmArry) {
      if (g.orientation != 2 || n >= 2) continue;
      const int level = 4 + n;
      CString& name = n == 0 ? m_Level4Name : m_Level5Name;
      CString& text = n == 0 ? m_Level4Text : m_Level5Text;
      name.Format(u"%s", ColumnName(g.column));
      CString label = UnitName(g);
      if (m_LevelSubtotal[level - 1]) label += CString(u"計　");
      if (!label.IsEmpty()) text.Format(u" %s  (%s)", SampleCell(g.column), label);
      else text.Format(u" %s", SampleCell(g.column));
      ++n;
    }
    UpdateData(FALSE);
  }
  UpdateTotalRules();
}

void CPivotDlg::SetModeButtonLooks() {
  // The pressed look is the check state of the push-like buttons; the tooltips say what each does.
  static_cast<CButton*>(GetDlgItem(IDC_PV_SIMPLE))->SetCheck(m_SumType == PIVOT_SIMPLE ? 1 : 0);
  static_cast<CButton*>(GetDlgItem(IDC_PV_CROSS))->SetCheck(m_SumType == PIVOT_CROSS ? 1 : 0);
  struct Look {
    int id;
    UINT image;
    const char16_t* tip;
  };
  static constexpr Look kLooks[] = {
      {IDC_PV_SIMPLE, 312,
       u"列グループに最大3つまでの項目を設定し、それぞれの組み合わせごとに数値の集計、件数を設定できます。"},
      {IDC_PV_CROSS, 309,
       u"列グループに最大2つ、行グループに最大2つの項目を設定し、それぞれの組み合わせごとに数値の集計、件数を設定できます。"},
      {IDC_PV_SUBTOTALS, 315, u"合計チェックボックスの表示/非表示を切り替えます。"},
  };
  const bool first = !m_LooksLoaded;
  if (first) m_ToolTips.Create(this);
  m_LooksLoaded = true;
  for (size_t i = 0; i < std::size(kLooks); ++i) {
    auto* button = static_cast<CButton*>(GetDlgItem(kLooks[i].id));
    if (!button) continue;
    if (first) {
      m_ButtonImages[i].LoadBitmap(kLooks[i].image);
      m_ToolTips.AddTool(button, CString(kLooks[i].tip));
    }
    button->SetBitmap(&m_ButtonImages[i]);
  }
}

CRect CPivotDlg::ControlRect(int id) {
  CRect r;
  if (CWnd* w = GetDlgItem(id)) {
    w->GetWindowRect(&r);
    ScreenToClient(&r);
  }
  return r;
}

void CPivotDlg::OnPaint() {
  CPaintDC dc(this);
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  dc.FillSolidRect(CRect(-1, -1, 2000, 48), kWhite);
  CPen grey(PS_SOLID, 1, RGB(145, 145, 145));
  CPen* old = dc.SelectObject(&grey);
  dc.MoveTo(0, 0);
  dc.LineTo(2000, 0);
  dc.LineTo(2000, 48);
  dc.LineTo(0, 48);
  // Separators right of the mode buttons, the "合計方法" list and "設定クリア".
  CPen light(PS_SOLID, 1, RGB(204, 204, 204));
  dc.SelectObject(&light);
  for (int id : {IDC_PV_CROSS, IDC_PV_SUM_STYLE, IDC_PV_CLEAR}) {
    const CRect r = ControlRect(id);
    dc.MoveTo(r.right + 15, r.top);
    dc.LineTo(r.right + 15, r.bottom);
  }
  // The side being edited is framed in red.
  if (!m_ConfirmMode && m_SumType == PIVOT_CROSS) {
    CPen red(PS_DOT, 1, RGB(255, 0, 0));
    dc.SelectObject(&red);
    CBrush* oldBrush = dc.SelectObject(&m_WhiteBrush);
    dc.Rectangle(ControlRect(m_GroupSide == 0 ? IDC_PV_ROW_BOX : IDC_PV_COL_BOX));
    dc.SelectObject(oldBrush);
  }
  dc.SelectObject(old);
}

HBRUSH CPivotDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  const int id = wnd ? wnd->GetDlgCtrlID() : 0;
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  bool white = id == IDC_PV_SUM_STYLE_LABEL || id == IDC_PV_STEPS_TEXT;
  if (id == IDC_PV_LEVEL4_NAME || id == IDC_PV_LEVEL5_NAME) {
    white = true;
    dc->SetTextColor(RGB(0, 0, 0));
  }
  if (m_ConfirmMode) {
    if (id == IDC_PV_VIEW_NOTE) white = true;
    if (id == IDC_PV_VIEW_MARK) {
      white = true;
      dc->SetTextColor(RGB(255, 0, 0));
    }
  } else if (m_GroupSide == 1) {
    white = white || id == IDC_PV_COL_CAPTION || id == IDC_PV_LEVEL4_CHECK || id == IDC_PV_LEVEL5_CHECK;
  } else {
    white = white || id == IDC_PV_ROW_CAPTION;
  }
  if (!white) return CDialogEx::OnCtlColor(dc, wnd, ctlColor);
  dc->SetBkColor(kWhite);
  return &m_WhiteBrush;
}
