#include "macro/ui/data_macro_insert.h"

#include <algorithm>
#include <initializer_list>

#include "app/app_startup.h"
#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "grid/grid_messages.h"
#include "macro/macro_columns.h"
#include "macro/ui/macro_dlg.h"
#include "platform/ui/menu.h"
#include "platform/ui_hooks.h"
#include "res/data_macro_insert.h"

namespace {

// The first preview row's text of a macro column: the slot's name in brackets.
CString MacroCellLabel(const CString& name) { return CString::Build(u"【%s】", name.GetString()); }

constexpr int kMaxPreviewRows = 4;
constexpr int kReadOnlyPreviewRows = 10;
constexpr int kSlots = 3;
constexpr char16_t kStructureChanged[] = u"上位のツールでデータ構造が変わっています。マクロは初期化されました。";
constexpr char16_t kNoPosition[] = u"マクロ列の挿入位置が設定されていません。";

const CString& SnapshotCell(int row, int col) {
  static const CString empty;
  if (row < 0 || row >= static_cast<int>(std::size(theApp.m_MacroPreviewRows))) return empty;
  const std::vector<CString>& list = theApp.m_MacroPreviewRows[row];
  return col >= 0 && col < static_cast<int>(list.size()) ? list[static_cast<size_t>(col)] : empty;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDataMacroInsert, CDialogEx)
  ON_BN_CLICKED(res::IDC_MACROINS_SKIP, &CDataMacroInsert::OnSkip)
  ON_LBN_SELCHANGE(res::IDC_MACROINS_SLOTS, &CDataMacroInsert::OnMacroSlot)
  ON_CLBN_CHKCHANGE(res::IDC_MACROINS_SLOTS, &CDataMacroInsert::OnSlotCheck)
  ON_NOTIFY(LVN_COLUMNCLICK, res::IDC_MACROINS_LIST, &CDataMacroInsert::OnColumnClick)
  ON_WM_CONTEXTMENU()
  ON_COMMAND(res::ID_MACROINS_CUT, &CDataMacroInsert::OnCutColumn)
  ON_COMMAND(res::ID_MACROINS_PASTE, &CDataMacroInsert::OnPasteColumn)
  ON_COMMAND(res::ID_MACROINS_DELETE, &CDataMacroInsert::OnDeleteColumn)
  ON_COMMAND(res::ID_MACROINS_DESELECT, &CDataMacroInsert::OnDeselect)
END_MESSAGE_MAP()

CDataMacroInsert::CDataMacroInsert(CWnd* parent) : CDialogEx(res::IDD_DATA_MACRO_INSERT, parent) {}

void CDataMacroInsert::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_MACROINS_SLOTS, m_SlotList);
  DDX_Control(pDX, res::IDC_MACROINS_LIST, m_ColumnList);
}

void CDataMacroInsert::AddInputColumns() {
  const CTabroClientApp& app = theApp;
  for (int c = 0; c < m_ColumnCount && c < GRID_COLS; ++c) {
    m_Layout.push_back(MACROCOL{c + 1, 0, CString(), app.m_DataGrid.GetAt(app.m_TitleRow, c)});
  }
}

BOOL CDataMacroInsert::OnInitDialog() {
  CDialogEx::OnInitDialog();
  const CTabroClientApp& app = theApp;
  m_ColumnList.SetExtendedStyle(LVS_EX_GRIDLINES);
  m_ValueItems = static_cast<int>(app.m_PivotSetting.SumClmArry.size());
  m_Layout.clear();
  m_ColumnList.DeleteAllItems();
  FillMacroSlots();
  if (m_ReadOnly) {
    RestoreSettings();
    m_ColumnCount = app.m_DataCols;
  } else {
    m_DataColumns = m_ColumnCount = app.m_DataCols;
    if (m_InChain) {
      RestoreSettings();
      CheckUsedSlots();
    } else if (app.m_DataCols > 0) {
      AddInputColumns();
    }
    LoadColumnNames();
  }
  m_PreviewLimit = std::min(app.m_DataRows, app.m_TitleRow + 5);
  RefreshColumnList();
  SetCloseCaption();
  return TRUE;
}

void CDataMacroInsert::FillMacroSlots() {
  const int slots = m_ValueItems >= 2 ? 1 : kSlots;
  for (int s = 0; s < slots; ++s) m_SlotList.AddString(g_DefaultMacroNames[s]);
}

int CDataMacroInsert::FindSlotRecord(int slot) const {
  for (size_t i = 0; i < m_Layout.size(); ++i) {
    if (m_Layout[i].sourceColumn == -1 && m_Layout[i].macroNumber == slot) return static_cast<int>(i);
  }
  return -1;
}

void CDataMacroInsert::CheckUsedSlots() {
  for (int s = 0; s < m_SlotList.GetCount(); ++s) SetSlotTick(s, FindSlotRecord(s + 1) >= 0);
}

void CDataMacroInsert::LoadColumnNames() {
  m_FieldNames = MacroFieldNames(theApp.m_DataGrid, theApp.m_TitleRow, m_ColumnCount, m_CrossColumnGroups,
                                 m_PivotGroupCount);
}

void CDataMacroInsert::RestoreSettings() {
  const CTabroClientApp& app = theApp;
  const MACROSETTING& stored = app.m_MacroSetting;
  m_StructureChanged = 0;
  bool fits = true;
  if (m_InChain && !m_ReadOnly) {
    fits = stored.EditDatclms == app.m_DataCols;
    for (const MACROCOL& c : stored.ClmArry) {
      if (!fits) break;
      if (c.sourceColumn == -1) continue;
      bool found = false;
      for (int t = 0; t < app.m_DataCols && !found; ++t) found = app.m_DataGrid.GetAt(app.m_TitleRow, t) == c.columnName;
      fits = found;
    }
  }
  if (!fits) {
    m_StructureChanged = 1;
    std::fill(std::begin(m_ColumnMap), std::end(m_ColumnMap), 0);
    AddInputColumns();
    theApp.DoMessageBox(CString(kStructureChanged), MB_OK);
  } else {
    m_Layout.insert(m_Layout.end(), stored.ClmArry.begin(), stored.ClmArry.end());
    std::fill(std::begin(m_ColumnMap), std::end(m_ColumnMap), 0);
    const int colms = std::clamp(stored.colms, 0, GRID_COLS);
    std::copy(stored.SelectCol, stored.SelectCol + colms, m_ColumnMap);
    m_ColumnCount = stored.colms;
  }
  if (m_ReadOnly) m_DataColumns = app.m_MacroStoredDataCols;
}

void CDataMacroInsert::SetCloseCaption() {
  auto show = [this](int id, bool on) { GetDlgItem(id)->ShowWindow(on ? SW_SHOW : SW_HIDE); };
  if (m_ReadOnly) {
    for (int id : std::initializer_list<int>{IDOK, res::IDC_MACROINS_SKIP, res::IDC_MACROINS_SLOTS,
                                             res::IDC_MACROINS_SLOT_CAPTION, res::IDC_MACROINS_SLOT_HINT}) {
      show(id, false);
    }
    show(res::IDC_MACROINS_READONLY_NOTE, true);
    GetDlgItem(IDCANCEL)->SetWindowText(u"閉じる");
    m_SlotList.EnableWindow(FALSE);
    UpdateData(TRUE);
    return;
  }
  show(IDOK, true);
  show(res::IDC_MACROINS_SKIP, m_InChain && theApp.m_ToolOrder[1].toolKind == ToolKind::kNone);
  show(res::IDC_MACROINS_SLOTS, true);
  show(res::IDC_MACROINS_SLOT_CAPTION, true);
  show(res::IDC_MACROINS_SLOT_HINT, true);
  show(res::IDC_MACROINS_READONLY_NOTE, false);
  GetDlgItem(IDCANCEL)->SetWindowText(u"キャンセル");
  ShowCrossTabNotes();
}

void CDataMacroInsert::ShowCrossTabNotes() {
  const CTabroClientApp& app = theApp;
  bool total = false;
  for (int i = 1; i <= m_CrossColumnGroups && !total; ++i) {
    for (int c = 0; c < app.m_DataCols && !total; ++c) {
      total = app.m_DataGrid.GetAt(app.m_TitleRow - i, c).Find(u"計") >= 0;
    }
  }
  GetDlgItem(res::IDC_MACROINS_TOTAL_NOTE)->ShowWindow(total ? SW_SHOW : SW_HIDE);
  GetDlgItem(res::IDC_MACROINS_VALUES_NOTE)->ShowWindow(m_ValueItems >= 2 ? SW_SHOW : SW_HIDE);
}

void CDataMacroInsert::RefreshColumnList() {
  const CTabroClientApp& app = theApp;
  m_ColumnList.DeleteAllItems();
  while (m_ColumnList.GetColumnCount() > 0) m_ColumnList.DeleteColumn(0);
  CRect r;
  m_ColumnList.GetClientRect(&r);
  // A ninth of the list, or more when a macro column's name would be cut.
  CClientDC dc(&m_ColumnList);
  dc.SelectObject(m_ColumnList.GetFont());
  constexpr int kCellPadding = 12;
  int width = r.Width() / 9;
  for (const CString& name : g_DefaultMacroNames)
    width = std::max(width, dc.GetTextExtent(MacroCellLabel(name)).cx + kCellPadding);
  const int n = static_cast<int>(m_Layout.size());
  for (int k = 0; k < n; ++k) {
    const MACROCOL& c = m_Layout[static_cast<size_t>(k)];
    CString header = c.columnName;
    if (c.macroNumber == 0) {
      const int s = c.sourceColumn - 1;
      header = m_ReadOnly ? SnapshotCell(0, s)
               : s >= 0 && s < static_cast<int>(m_FieldNames.size()) ? m_FieldNames[static_cast<size_t>(s)]
                                                                     : CString();
    }
    m_ColumnList.InsertColumn(k, header, LVCFMT_LEFT, width);
  }
  if (n < GRID_COLS) m_ColumnList.InsertColumn(n, CString(), LVCFMT_LEFT, width);
  const int rows = m_ReadOnly ? kReadOnlyPreviewRows
                              : std::clamp(m_PreviewLimit - app.m_TitleRow - 1, 0, kMaxPreviewRows);
  for (int j = 0; j < rows; ++j) {
    m_ColumnList.InsertItem(j, CString());
    const int gridRow = app.m_TitleRow + 1 + j;
    for (int k = 0; k < n; ++k) {
      const MACROCOL& c = m_Layout[static_cast<size_t>(k)];
      CString text;
      if (c.macroNumber == 0) {
        text = m_ReadOnly ? SnapshotCell(1 + j, c.sourceColumn - 1) : app.m_DataGrid.GetAt(gridRow, c.sourceColumn - 1);
      } else if (j == 0 && c.macroNumber >= 1 && c.macroNumber <= kSlots) {
        text = MacroCellLabel(g_DefaultMacroNames[c.macroNumber - 1]);
      } else if (j == 1) {
        text = c.macroText;
      }
      m_ColumnList.SetItemText(j, k, text);
    }
  }
}

void CDataMacroInsert::ClearPick() {
  m_PickKind = 0;
  m_Picked = -1;
  m_RangeEnd = -1;
  m_ColumnList.m_HighlightMode = 0;
  m_ColumnList.m_HighlightCol = -1;
  m_ColumnList.m_HighlightEnd = -1;
  m_ColumnList.m_HighlightList.clear();
  m_ColumnList.m_Header.Invalidate();
}

void CDataMacroInsert::OnColumnClick(NMHDR* hdr, LRESULT* result) {
  *result = 0;
  const int c = reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem;
  const bool shift = GetUiHooks().IsKeyDown(UiKey::Shift);
  const bool ctrl = GetUiHooks().IsKeyDown(UiKey::Control);
  if (shift || ctrl) m_CutState = 0;
  if (m_Picked >= 0 && shift) {
    if (m_Selection.size() == 1) m_Selection.push_back(c);
    else if (m_Selection.size() == 2) m_Selection[1] = c;
    m_RangeEnd = c;
    m_PickKind = 1;
  } else if (m_Picked >= 0 && ctrl) {
    m_Picked = c;
    m_Selection.push_back(c);
    m_PickKind = 2;
  } else {
    m_RangeEnd = -1;
    m_Picked = c;
    m_Selection = {c};
    m_PickKind = 0;
  }
  m_ClickSeen = 3;
  UpdateData(FALSE);
  m_ColumnList.SetRedraw(FALSE);
  m_ColumnList.m_HighlightMode = m_PickKind;
  m_ColumnList.m_HighlightCol = m_PickKind == 1 && !m_Selection.empty() ? m_Selection[0] : m_Picked;
  m_ColumnList.m_HighlightEnd = m_RangeEnd;
  m_ColumnList.m_HighlightList = m_Selection;
  RefreshColumnList();
  UpdateSlotEnable();
  m_ColumnList.SetRedraw(TRUE);
  m_ColumnList.Invalidate();
  m_ColumnList.m_Header.Invalidate();
}

void CDataMacroInsert::UpdateSlotEnable() {
  if (m_ValueItems < 2 || m_Picked < 0) {
    m_SlotList.EnableWindow(TRUE);
    return;
  }
  int macros = 0;
  for (const MACROCOL& c : m_Layout) macros += c.macroNumber > 0;
  m_Picked += macros;
  m_SlotList.EnableWindow(m_Picked >= m_ColumnCount);
}

CString CDataMacroInsert::MakeUniqueName(CString name, int slot) const {
  if (name.IsEmpty()) {
    if (m_Picked >= static_cast<int>(m_Layout.size())) {
      name = CString::Build(u"data_%d", m_Picked + 1);
    } else if (m_Picked >= 0) {
      name = m_Layout[static_cast<size_t>(m_Picked)].columnName;
    }
  }
  const CString base = name;
  for (int k = 2;; ++k) {
    const bool taken = std::any_of(m_Layout.begin(), m_Layout.end(), [&](const MACROCOL& c) {
      return c.macroNumber != slot && c.columnName == name;
    });
    if (!taken) return name;
    name = CString::Build(u"%s_%d", base.GetString(), k);
  }
}

void CDataMacroInsert::OnMacroSlot() {
  UpdateData(TRUE);
  const int s = m_SlotList.GetCurSel();
  if (s >= 0) HandleSlot(s);
}

void CDataMacroInsert::OnSlotCheck() {
  // The slot whose tick no longer matches the layout is the one the user changed.
  // A press on another slot's box selects that slot next, and the selection's
  // handler takes it; only the selected slot's tick is handled here.
  const int selected = m_SlotList.GetCurSel();
  for (int i = 0; i < m_SlotList.GetCount(); ++i) {
    if ((m_SlotList.GetCheck(i) != 0) != (FindSlotRecord(i + 1) >= 0)) {
      if (i == selected) HandleSlot(i);
      return;
    }
  }
}

void CDataMacroInsert::SetSlotTick(int s, bool on) {
  m_SettingTick = true;
  m_SlotList.SetCheck(s, on ? 1 : 0);
  m_SettingTick = false;
}

void CDataMacroInsert::HandleSlot(int s) {
  if (m_SettingTick) return;
  const int record = FindSlotRecord(s + 1);
  if (!m_SlotList.GetCheck(s)) {
    if (record >= 0) {
      m_Layout.erase(m_Layout.begin() + record);
      --m_ColumnCount;
    }
    ClearPick();
    RefreshColumnList();
    return;
  }
  if (m_Picked < 0 && record < 0) {
    theApp.DoMessageBox(CString(kNoPosition), MB_OK);
    SetSlotTick(s, false);
    return;
  }
  if (record < 0 && static_cast<int>(m_Layout.size()) >= GRID_COLS) {
    theApp.DoMessageBox(CString(kGridTooManyColumns), MB_OK);
    SetSlotTick(s, false);
    return;
  }
  CMacroDlg dlg(this);
  dlg.m_RatioOnly = m_ValueItems >= 2 ? 1 : 0;
  std::copy(theApp.m_ColumnTypes.begin(), theApp.m_ColumnTypes.end(), dlg.m_FieldTypes);
  if (m_CrossColumnGroups > 0) {
    dlg.m_FieldNames = m_FieldNames;
  } else {
    for (int c = 0; c < theApp.m_DataCols; ++c) dlg.m_FieldNames.push_back(theApp.m_DataGrid.GetAt(theApp.m_TitleRow, c));
  }
  const MACROCOL* old = record >= 0 ? &m_Layout[static_cast<size_t>(record)] : nullptr;
  dlg.m_Expression = old ? old->macroText : CString();
  dlg.m_ColumnName = MakeUniqueName(old ? old->columnName : CString(), s + 1);
  if (dlg.DoModal() != IDOK) {
    SetSlotTick(s, record >= 0);
    return;
  }
  if (record >= 0) {
    m_Layout[static_cast<size_t>(record)].macroText = dlg.m_Expression;
    m_Layout[static_cast<size_t>(record)].columnName = dlg.m_ColumnName;
  } else {
    const int at = std::clamp(m_Picked, 0, static_cast<int>(m_Layout.size()));
    m_Layout.insert(m_Layout.begin() + at, MACROCOL{-1, s + 1, dlg.m_Expression, dlg.m_ColumnName});
    ++m_ColumnCount;
  }
  ClearPick();
  RefreshColumnList();
}

void CDataMacroInsert::OnContextMenu(CWnd* wnd, CPoint point) {
  if (m_ReadOnly || m_CrossColumnGroups > 0) return;
  CRect r;
  m_ColumnList.GetWindowRect(&r);
  if (!r.PtInRect(point)) return;
  CMenu menu;
  if (!menu.LoadMenu(res::IDR_MACROINS_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  auto enable = [&](UINT id, bool on) { popup->EnableMenuItem(id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  enable(res::ID_MACROINS_CUT, m_CutState == 0);
  enable(res::ID_MACROINS_PASTE, m_CutState == 3);
  enable(res::ID_MACROINS_DELETE, m_CutState != 3);
  enable(res::ID_MACROINS_DESELECT, m_CutState == 3);
  popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CDataMacroInsert::OnCutColumn() {
  std::sort(m_Selection.begin(), m_Selection.end());
  m_CutBuffer.clear();
  std::vector<int> positions = m_Selection;
  if (m_PickKind == 1 && m_Selection.size() == 2) {
    positions.clear();
    for (int p = m_Selection[0]; p <= m_Selection[1]; ++p) positions.push_back(p);
  }
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (int p : positions) {
    if (p >= 0 && p < static_cast<int>(m_Layout.size())) m_CutBuffer.push_back(m_Layout[static_cast<size_t>(p)]);
  }
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
    if (*it >= 0 && *it < static_cast<int>(m_Layout.size())) m_Layout.erase(m_Layout.begin() + *it);
  }
  ClearPick();
  RefreshColumnList();
  m_CutState = 3;
}

void CDataMacroInsert::OnPasteColumn() {
  // With no picked position the records go to the end.
  const int at = m_Picked < 0 ? static_cast<int>(m_Layout.size())
                              : std::clamp(m_Picked, 0, static_cast<int>(m_Layout.size()));
  m_Layout.insert(m_Layout.begin() + at, m_CutBuffer.begin(), m_CutBuffer.end());
  RefreshColumnList();
  m_CutState = 0;
  m_CutBuffer.clear();
}

void CDataMacroInsert::OnDeleteColumn() {
  if (m_ClickSeen != 3 || m_Selection.empty() || m_Layout.empty()) return;
  std::sort(m_Selection.begin(), m_Selection.end());
  std::vector<int> positions;
  if (m_PickKind == 0) {
    positions = {m_Picked};
  } else if (m_PickKind == 1) {
    if (m_Selection.size() == 2) {
      for (int p = m_Selection[0]; p <= m_Selection[1]; ++p) positions.push_back(p);
    }
  } else {
    positions = m_Selection;
  }
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
    if (*it < 0 || *it >= static_cast<int>(m_Layout.size())) continue;
    const MACROCOL removed = m_Layout[static_cast<size_t>(*it)];
    m_Layout.erase(m_Layout.begin() + *it);
    if (removed.macroNumber > 0 && removed.macroNumber <= m_SlotList.GetCount()) {
      SetSlotTick(removed.macroNumber - 1, false);
    }
  }
  m_Selection.clear();
  ClearPick();
  m_CutState = 0;
  RefreshColumnList();
}

void CDataMacroInsert::OnDeselect() {}

void CDataMacroInsert::OnSkip() {
  m_Skip = 1;
  CDialogEx::OnOK();
}

void CDataMacroInsert::StoreSettings() {
  MACROSETTING& stored = theApp.m_MacroSetting;
  stored.EditDatclms = m_DataColumns;
  stored.ClmArry = m_Layout;
  std::fill(std::begin(stored.SelectCol), std::end(stored.SelectCol), 0);
  const int colms = std::clamp(m_ColumnCount, 0, GRID_COLS);
  std::copy(m_ColumnMap, m_ColumnMap + colms, stored.SelectCol);
  stored.colms = m_ColumnCount;
  theApp.m_MacroStoredDataCols = m_DataColumns;
  theApp.AppendMacroPreviewRows();
}

void CDataMacroInsert::OnOK() {
  StoreSettings();
  CDialogEx::OnOK();
}

int RunMacroColumnDialog(MacroDialogIo& io) {
  CDataMacroInsert dlg;
  dlg.m_InChain = io.inChain;
  dlg.m_CrossColumnGroups = io.crossColumnGroups;
  dlg.m_PivotGroupCount = io.pivotGroupCount;
  const int result = static_cast<int>(dlg.DoModal());
  io.skipped = dlg.m_Skip;
  return result;
}

