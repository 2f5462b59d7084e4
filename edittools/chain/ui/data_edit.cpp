#include "edittools/chain/ui/data_edit.h"

#include "edittools/pivot/ui/pivot_dlg.h"
#include "edittools/sort/ui/sort_dlg.h"
#include "macro/ui/data_macro_insert.h"

#include <algorithm>

#include "app/tabro_client_app.h"
#include "edittools/chain/tool_kinds.h"
#include "edittools/chain/ui/tool_button_images.h"
#include "edittools/filter/ui/main_filter.h"
#include "edittools/join/ui/addcsv_view.h"
#include "grid/number_text.h"
#include "platform/ui/dc.h"
#include "res/data_edit.h"

namespace {

// Control ids by tool kind (ToolKindIndex) and by order slot.
constexpr int kToolButtonIds[TOOL_KIND_COUNT] = {res::IDC_TOOL_PIVOT, res::IDC_TOOL_ADDCSV, res::IDC_TOOL_FILTER,
                                                 res::IDC_TOOL_SORT, res::IDC_TOOL_MACRO};
constexpr int kSlotButtonIds[TOOL_SLOT_COUNT] = {res::IDC_ORDER_SLOT1, res::IDC_ORDER_SLOT2, res::IDC_ORDER_SLOT3,
                                                 res::IDC_ORDER_SLOT4, res::IDC_ORDER_SLOT5};
constexpr int kNextCheckIds[TOOL_SLOT_COUNT] = {res::IDC_NEXT_CHECK1, res::IDC_NEXT_CHECK2, res::IDC_NEXT_CHECK3,
                                                res::IDC_NEXT_CHECK4, res::IDC_NEXT_CHECK5};

constexpr int kJoinRowLimit = 3000;
constexpr COLORREF kPanelBorder = RGB(0xCC, 0xCC, 0xCC);
constexpr COLORREF kArrowColour = 0xAF0000;   // dark blue as a colour value

// A slot is in use when its number is above 0; a hand-edited settings file may
// hold a number that names no kind.
bool InUse(ToolKind kind) { return StoredToolKind(kind) > 0; }

int SlotOf(const int (&ids)[TOOL_SLOT_COUNT], UINT id) {
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) {
    if (ids[s] == static_cast<int>(id)) return s;
  }
  return -1;
}

// A picture a little smaller than its button, so the button's frame stays seen.
CSize PictureSize(CWnd* button) {
  CRect client;
  button->GetClientRect(&client);
  return CSize(client.Width() - 8, client.Height() - 8);
}

// Shows a tool's dialog in the chain with its view-only flag set.
template <typename Dialog, typename Flag>
void ShowViewOnly(Dialog& dlg, Flag viewOnly) {
  dlg.m_InChain = 1;
  dlg.*viewOnly = 1;
  dlg.DoModal();
}

}  // namespace

BEGIN_MESSAGE_MAP(CDataEdit, CDialogEx)
  ON_BN_CLICKED(res::IDC_TOOL_PIVOT, &CDataEdit::OnPivotTool)
  ON_BN_CLICKED(res::IDC_TOOL_ADDCSV, &CDataEdit::OnAddCsvTool)
  ON_BN_CLICKED(res::IDC_TOOL_FILTER, &CDataEdit::OnFilterTool)
  ON_BN_CLICKED(res::IDC_TOOL_SORT, &CDataEdit::OnSortTool)
  ON_BN_CLICKED(res::IDC_TOOL_MACRO, &CDataEdit::OnMacroTool)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_ORDER_SLOT1, res::IDC_ORDER_SLOT4, &CDataEdit::OnOrderSlot)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_ORDER_SLOT5, res::IDC_ORDER_SLOT5, &CDataEdit::OnOrderSlot)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_NEXT_CHECK1, res::IDC_NEXT_CHECK4, &CDataEdit::OnNextTimeCheck)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_NEXT_CHECK5, res::IDC_NEXT_CHECK5, &CDataEdit::OnNextTimeCheck)
  ON_WM_PAINT()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDataEdit::CDataEdit(CWnd* parent) : CDialogEx(res::IDD_DATA_EDIT, parent) {}

CString CDataEdit::RowCountText(int rows) {
  const CString digits = FormatNumberCore(rows, CString(u"###,###"));
  if (rows > kJoinRowLimit) {
    return CString::Build(u"データ行数 = %s \n追加CSV処理は3,000行\n以上はできません\nフィルタで絞ってください", digits);
  }
  return CString::Build(u"データ行数 = %s", digits);
}

void CDataEdit::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  for (int k = 0; k < TOOL_KIND_COUNT; ++k) DDX_Check(pDX, kToolButtonIds[k], m_ToolChecked[k]);
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) DDX_Check(pDX, kNextCheckIds[s], m_NextTimeCheck[s]);
  DDX_Text(pDX, res::IDC_ROW_COUNT, m_RowCountText);
}

BOOL CDataEdit::OnInitDialog() {
  m_Order = theApp.m_ToolOrder;
  m_OrderCount = 0;
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) {
    const TOOLSLOT& slot = m_Order[static_cast<size_t>(s)];
    if (!InUse(slot.toolKind)) continue;
    ++m_OrderCount;
    if (slot.openSettingsNextTime != 0) m_NextTimeCheck[s] = 1;
    if (FindToolKind(slot.toolKind)) m_ToolChecked[ToolKindIndex(slot.toolKind)] = 1;
  }
  m_RowCountText = RowCountText(theApp.m_DataRows);
  m_WhiteBrush.CreateSolidBrush(RGB(255, 255, 255));
  CDialogEx::OnInitDialog();
  ShowOrderSlots();
  // The pictures carry the captions; the buttons themselves show no text.
  for (int id : kToolButtonIds) GetDlgItem(id)->SetWindowText(CString());
  for (int id : kSlotButtonIds) GetDlgItem(id)->SetWindowText(CString());
  m_ToolTips.Create(this);
  for (const ToolKindInfo& info : kToolKinds) {
    m_ToolTips.AddTool(GetDlgItem(kToolButtonIds[ToolKindIndex(info.kind)]), CString(info.tooltip));
  }
  UpdateModeButtons();
  if (m_ResumeIndex != -1) ApplyStoppedOrder();
  if (m_RestartMode) ShowOrderForRestart();
  ShowOrderSlots();
  ShowOrderBitmaps();
  UpdateData(FALSE);
  return TRUE;
}

void CDataEdit::UpdateModeButtons() {
  if (m_ConfirmMode) {
    GetDlgItem(IDOK)->SetWindowText(CString(u"保存終了"));
    GetDlgItem(IDCANCEL)->SetWindowText(CString(u"終了"));
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    for (int id : kToolButtonIds) GetDlgItem(id)->EnableWindow(FALSE);
    GetDlgItem(res::IDC_ROW_COUNT)->ShowWindow(SW_HIDE);
    return;
  }
  GetDlgItem(IDOK)->SetWindowText(CString(u"実行"));
  GetDlgItem(IDCANCEL)->SetWindowText(CString(u"キャンセル"));
  GetDlgItem(IDOK)->EnableWindow(TRUE);
  for (int k = 0; k < TOOL_KIND_COUNT; ++k) GetDlgItem(kToolButtonIds[k])->EnableWindow(m_ToolLocked[k] ? FALSE : TRUE);
  GetDlgItem(res::IDC_ROW_COUNT)->ShowWindow(SW_SHOW);
}

void CDataEdit::ApplyStoppedOrder() {
  const int stop = std::clamp(m_ResumeIndex, 0, TOOL_SLOT_COUNT);
  for (int s = 0; s < stop; ++s) {
    const ToolKind kind = m_ResumeOrder[static_cast<size_t>(s)].toolKind;
    if (!FindToolKind(kind)) continue;
    m_ToolLocked[ToolKindIndex(kind)] = 1;
    GetDlgItem(kToolButtonIds[ToolKindIndex(kind)])->EnableWindow(FALSE);
  }
  m_Order = m_ResumeOrder;
  m_OrderCount = 0;
  for (int k = 0; k < TOOL_KIND_COUNT; ++k) m_ToolChecked[k] = 0;
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) {
    const TOOLSLOT& slot = m_ResumeOrder[static_cast<size_t>(s)];
    m_NextTimeCheck[s] = InUse(slot.toolKind) && slot.openSettingsNextTime != 0 ? 1 : 0;
    if (!InUse(slot.toolKind)) continue;
    ++m_OrderCount;
    if (FindToolKind(slot.toolKind)) m_ToolChecked[ToolKindIndex(slot.toolKind)] = 1;
  }
}

void CDataEdit::ShowOrderForRestart() {
  m_OrderCount = 0;
  for (int k = 0; k < TOOL_KIND_COUNT; ++k) m_ToolChecked[k] = 0;
  int last = -1;  // ToolKindIndex of the last tool in the order
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) {
    const ToolKind kind = m_Order[static_cast<size_t>(s)].toolKind;
    if (!InUse(kind)) continue;
    ++m_OrderCount;
    if (!FindToolKind(kind)) continue;
    last = ToolKindIndex(kind);
    m_ToolChecked[last] = 1;
    m_ToolLocked[last] = 1;
    GetDlgItem(kToolButtonIds[last])->EnableWindow(FALSE);
  }
  if (last >= 0) {
    m_ToolLocked[last] = 0;
    GetDlgItem(kToolButtonIds[last])->EnableWindow(TRUE);
  }
}

void CDataEdit::OnToolButton(ToolKind kind) {
  UpdateData(TRUE);
  ToggleTool(kind, m_ToolChecked[ToolKindIndex(kind)]);
}
void CDataEdit::OnPivotTool() { OnToolButton(ToolKind::kPivot); }
void CDataEdit::OnAddCsvTool() { OnToolButton(ToolKind::kAddCsv); }
void CDataEdit::OnFilterTool() { OnToolButton(ToolKind::kFilter); }
void CDataEdit::OnSortTool() { OnToolButton(ToolKind::kSort); }
void CDataEdit::OnMacroTool() { OnToolButton(ToolKind::kMacro); }

void CDataEdit::ToggleTool(ToolKind kind, int pressed) {
  if (!FindToolKind(kind)) return;
  int found = -1;
  for (int s = 0; s < m_OrderCount; ++s) {
    if (m_Order[static_cast<size_t>(s)].toolKind == kind) found = s;
  }
  if (pressed) {
    // Each kind once: a press of a kind already in the order adds nothing.
    if (found < 0 && m_OrderCount < TOOL_SLOT_COUNT) {
      m_Order[static_cast<size_t>(m_OrderCount)] = TOOLSLOT{kind, 1};
      m_NextTimeCheck[m_OrderCount] = 1;
      ++m_OrderCount;
    }
  } else if (found >= 0) {
    for (int s = found; s + 1 < TOOL_SLOT_COUNT; ++s) {
      m_Order[static_cast<size_t>(s)] = m_Order[static_cast<size_t>(s + 1)];
      m_NextTimeCheck[s] = m_NextTimeCheck[s + 1];
    }
    m_Order[TOOL_SLOT_COUNT - 1] = TOOLSLOT{};
    m_NextTimeCheck[TOOL_SLOT_COUNT - 1] = 0;
    --m_OrderCount;
  }
  if (m_RestartMode) ShowOrderForRestart();
  EnableToolButtons();
  ShowOrderSlots();
  ShowOrderBitmaps();
  UpdateData(FALSE);
}

void CDataEdit::EnableToolButtons() {
  for (int k = 0; k < TOOL_KIND_COUNT; ++k) {
    GetDlgItem(kToolButtonIds[k])->EnableWindow(m_ToolLocked[k] ? FALSE : TRUE);
  }
  bool pivotInOrder = false;
  for (int s = 0; s < m_OrderCount; ++s) pivotInOrder |= m_Order[static_cast<size_t>(s)].toolKind == ToolKind::kPivot;
  if (!pivotInOrder) return;
  // After an aggregation only macro columns can be added.
  for (ToolKind kind : {ToolKind::kAddCsv, ToolKind::kFilter, ToolKind::kSort}) {
    bool inOrder = false;
    for (int s = 0; s < m_OrderCount; ++s) inOrder |= m_Order[static_cast<size_t>(s)].toolKind == kind;
    const int k = ToolKindIndex(kind);
    if (!inOrder && !m_ToolLocked[k]) GetDlgItem(kToolButtonIds[k])->EnableWindow(FALSE);
  }
}

void CDataEdit::ShowOrderSlots() {
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) GetDlgItem(kNextCheckIds[s])->ShowWindow(s < m_OrderCount ? SW_SHOW : SW_HIDE);
}

void CDataEdit::ShowOrderBitmaps() {
  // Each tool button shows its normal or pressed picture; each slot its tool's
  // picture with the caption as its tip, or the empty-slot picture.
  for (const ToolKindInfo& info : kToolKinds) {
    const int k = ToolKindIndex(info.kind);
    auto* button = static_cast<CButton*>(GetDlgItem(kToolButtonIds[k]));
    button->SetBitmap(ToolButtonImage(info.kind, m_ToolChecked[k] != 0, PictureSize(button)));
  }
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) {
    const ToolKind kind = m_Order[static_cast<size_t>(s)].toolKind;
    auto* button = static_cast<CButton*>(GetDlgItem(kSlotButtonIds[s]));
    button->SetBitmap(ToolButtonImage(kind, false, PictureSize(button)));
    const ToolKindInfo* info = FindToolKind(kind);
    m_ToolTips.DelTool(button);
    if (info) m_ToolTips.AddTool(button, CString(info->caption));
  }
  Invalidate();
}

void CDataEdit::OnNextTimeCheck(UINT id) {
  const int s = SlotOf(kNextCheckIds, id);
  if (s < 0) return;
  m_NextTimeCheck[s] = IsDlgButtonChecked(static_cast<int>(id)) ? 1 : 0;
  m_Order[static_cast<size_t>(s)].openSettingsNextTime = m_NextTimeCheck[s];
  GetDlgItem(IDOK)->EnableWindow(TRUE);
}

void CDataEdit::OnOrderSlot(UINT id) {
  const int s = SlotOf(kSlotButtonIds, id);
  if (s < 0 || !m_ConfirmMode) return;
  OpenToolReadOnly(m_Order[static_cast<size_t>(s)].toolKind);
}

void CDataEdit::OpenToolReadOnly(ToolKind kind) {
  switch (kind) {
    case ToolKind::kNone:
      return;
    case ToolKind::kAddCsv: {
      CAddcsvView view(this);
      ShowViewOnly(view, &CAddcsvView::m_ConfirmMode);
      return;
    }
    case ToolKind::kSort: {
      CSortDlg dlg(this);
      ShowViewOnly(dlg, &CSortDlg::m_ConfirmMode);
      return;
    }
    case ToolKind::kPivot: {
      CPivotDlg dlg(this);
      ShowViewOnly(dlg, &CPivotDlg::m_ConfirmMode);
      return;
    }
    case ToolKind::kMacro: {
      CDataMacroInsert dlg(this);
      ShowViewOnly(dlg, &CDataMacroInsert::m_ReadOnly);
      return;
    }
    case ToolKind::kFilter: {
      // The filter's view shows what was stored when it ran, not a new set-up
      // over the rows it already filtered.
      CMainFilter dlg(this);
      ShowViewOnly(dlg, &CMainFilter::m_ReadOnly);
      return;
    }
  }
}

void CDataEdit::StoreToolOrder() {
  if (m_RestartMode) {
    // The kinds are taken before the first reset, which empties the stored order.
    int changed = -1;
    for (int s = 0; s < TOOL_SLOT_COUNT && changed < 0; ++s) {
      if (theApp.m_ToolOrder[static_cast<size_t>(s)].toolKind != m_Order[static_cast<size_t>(s)].toolKind) changed = s;
    }
    if (changed >= 0) {
      ToolKind kinds[TOOL_SLOT_COUNT] = {};
      for (int s = changed; s < TOOL_SLOT_COUNT; ++s) kinds[s] = theApp.m_ToolOrder[static_cast<size_t>(s)].toolKind;
      for (int s = changed; s < TOOL_SLOT_COUNT; ++s) {
        if (FindToolKind(kinds[s])) theApp.ResetToolSettings(kinds[s]);
      }
    }
  }
  for (int s = 0; s < TOOL_SLOT_COUNT; ++s) {
    if (InUse(m_Order[static_cast<size_t>(s)].toolKind)) m_Order[static_cast<size_t>(s)].openSettingsNextTime = m_NextTimeCheck[s];
  }
  theApp.m_ToolOrder = m_Order;
}

void CDataEdit::OnOK() {
  if (!UpdateData(TRUE)) return;
  StoreToolOrder();
  EndDialog(IDOK);
}

CRect CDataEdit::PanelRect() {
  CRect first;
  CRect last;
  CRect check;
  GetDlgItem(kSlotButtonIds[0])->GetWindowRect(&first);
  ScreenToClient(&first);
  GetDlgItem(kSlotButtonIds[TOOL_SLOT_COUNT - 1])->GetWindowRect(&last);
  ScreenToClient(&last);
  GetDlgItem(kNextCheckIds[0])->GetWindowRect(&check);
  ScreenToClient(&check);
  return CRect(first.left - 16, first.top - 44, check.right + 6, last.bottom + 16);
}

void CDataEdit::OnPaint() {
  CPaintDC dc(this);
  CRect check;
  GetDlgItem(kNextCheckIds[0])->GetWindowRect(&check);
  ScreenToClient(&check);

  // The white panel behind the order column.
  CPen border(PS_SOLID, 3, kPanelBorder);
  CBrush white(RGB(255, 255, 255));
  CPen* oldPen = dc.SelectObject(&border);
  CBrush* oldBrush = dc.SelectObject(&white);
  dc.RoundRect(PanelRect(), CPoint(20, 20));

  // Connectors from each slot to the next.
  CPen grey(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
  dc.SelectObject(&grey);
  for (int s = 0; s + 1 < TOOL_SLOT_COUNT; ++s) {
    CRect a;
    CRect b;
    GetDlgItem(kSlotButtonIds[s])->GetWindowRect(&a);
    ScreenToClient(&a);
    GetDlgItem(kSlotButtonIds[s + 1])->GetWindowRect(&b);
    ScreenToClient(&b);
    dc.MoveTo(a.CenterPoint().x, a.bottom);
    dc.LineTo(b.CenterPoint().x, b.top);
  }

  // The arrow from the tool buttons to the order column.
  CRect tool;
  GetDlgItem(res::IDC_TOOL_MACRO)->GetWindowRect(&tool);
  ScreenToClient(&tool);
  const int y = tool.CenterPoint().y;
  const int tip = check.right + 10;
  const int tail = tool.left - 4;
  CPen arrow(PS_SOLID, 3, kArrowColour);
  dc.SelectObject(&arrow);
  dc.MoveTo(tail, y);
  dc.LineTo(tip, y);
  dc.MoveTo(tip, y);
  dc.LineTo(tip + 10, y - 5);
  dc.MoveTo(tip, y);
  dc.LineTo(tip + 10, y + 5);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

HBRUSH CDataEdit::OnCtlColor(CDC* dc, CWnd* wnd, UINT) {
  const int id = wnd ? wnd->GetDlgCtrlID() : 0;
  const bool onPanel = id == res::IDC_ORDER_TITLE || id == res::IDC_NEXT_TITLE || SlotOf(kNextCheckIds, id) >= 0;
  if (!onPanel) return nullptr;
  dc->SetBkColor(RGB(255, 255, 255));
  return &m_WhiteBrush;
}

int RunOrderDialog(int restart, const TOOLORDER* resumeOrder, int resumeIndex) {
  CDataEdit dlg;
  dlg.m_RestartMode = restart;
  if (resumeOrder) {
    dlg.m_ResumeOrder = *resumeOrder;
    dlg.m_ResumeIndex = resumeIndex;
  }
  return static_cast<int>(dlg.DoModal());
}

void RunOrderConfirmation() {
  CDataEdit dlg;
  dlg.m_ConfirmMode = 1;
  dlg.DoModal();
}
