#include "edittools/pivot/ui/pivot_dlg.h"

#include <algorithm>

#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "edittools/pivot/pivot_message.h"
#include "edittools/pivot/ui/group_dialogs.h"
#include "platform/ui/ddx.h"
#include "platform/ui_hooks.h"
#include "res/pivot_dlg.h"

namespace {

using namespace res;

// Level checks and "日" buttons of levels 1 to 5.
constexpr int kLevelChecks[CPivotDlg::kLevels] = {IDC_PV_LEVEL1_CHECK, IDC_PV_LEVEL2_CHECK, IDC_PV_LEVEL3_CHECK,
                                                  IDC_PV_LEVEL4_CHECK, IDC_PV_LEVEL5_CHECK};
constexpr int kDayButtons[CPivotDlg::kLevels] = {IDC_PV_LEVEL1_DAY, IDC_PV_LEVEL2_DAY, IDC_PV_LEVEL3_DAY,
                                                 IDC_PV_LEVEL4_DAY, IDC_PV_LEVEL5_DAY};
constexpr const char16_t* kSumStyles[] = {u"分類計", u"一括計"};
constexpr const char16_t* kTotals[] = {u"無し", u"分類毎計", u"総合計計", u"分類毎,総合計"};

constexpr uint8_t kTypeNumber = 1, kTypeDate = 2, kTypeTime = 3, kTypeUnknown = 255;
constexpr int kRowSide = 1, kColumnSide = 2;  // GRPCLM::orientation
constexpr int kSmallGrid = 500;

}  // namespace

BEGIN_MESSAGE_MAP(CPivotDlg, CDialogEx)
  ON_BN_CLICKED(IDC_PV_SIMPLE, &CPivotDlg::OnSimple)
  ON_BN_CLICKED(IDC_PV_CROSS, &CPivotDlg::OnCross)
  ON_BN_CLICKED(IDC_PV_SUM_RADIO, &CPivotDlg::OnValueKind)
  ON_BN_CLICKED(IDC_PV_COUNT_RADIO, &CPivotDlg::OnValueKind)
  ON_LBN_SELCHANGE(IDC_PV_SUM_LIST, &CPivotDlg::OnSumList)
  ON_CLBN_CHKCHANGE(IDC_PV_SUM_LIST, &CPivotDlg::OnSumList)
  ON_LBN_SELCHANGE(IDC_PV_COUNT_LIST, &CPivotDlg::OnCountList)
  ON_CLBN_CHKCHANGE(IDC_PV_COUNT_LIST, &CPivotDlg::OnCountList)
  ON_LBN_SELCHANGE(IDC_PV_GROUP_LIST, &CPivotDlg::OnGroupListChange)
  ON_CLBN_CHKCHANGE(IDC_PV_GROUP_LIST, &CPivotDlg::OnGroupListChange)
  ON_BN_CLICKED(IDC_PV_ROW_SIDE, &CPivotDlg::OnSide)
  ON_BN_CLICKED(IDC_PV_COL_SIDE, &CPivotDlg::OnSide)
  ON_BN_CLICKED(IDC_PV_SUBTOTALS, &CPivotDlg::OnSubtotalToggle)
  ON_BN_CLICKED(IDC_PV_LEVEL1_CHECK, &CPivotDlg::OnLevel1)
  ON_BN_CLICKED(IDC_PV_LEVEL2_CHECK, &CPivotDlg::OnLevel2)
  ON_BN_CLICKED(IDC_PV_LEVEL3_CHECK, &CPivotDlg::OnLevel3)
  ON_BN_CLICKED(IDC_PV_LEVEL4_CHECK, &CPivotDlg::OnLevel4)
  ON_BN_CLICKED(IDC_PV_LEVEL5_CHECK, &CPivotDlg::OnLevel5)
  ON_BN_CLICKED(IDC_PV_LEVEL1_DAY, &CPivotDlg::OnDay1)
  ON_BN_CLICKED(IDC_PV_LEVEL2_DAY, &CPivotDlg::OnDay2)
  ON_BN_CLICKED(IDC_PV_LEVEL3_DAY, &CPivotDlg::OnDay3)
  ON_BN_CLICKED(IDC_PV_LEVEL4_DAY, &CPivotDlg::OnDay4)
  ON_BN_CLICKED(IDC_PV_LEVEL5_DAY, &CPivotDlg::OnDay5)
  ON_CBN_SELCHANGE(IDC_PV_SUM_STYLE, &CPivotDlg::OnSumStyle)
  ON_BN_CLICKED(IDC_PV_CLEAR, &CPivotDlg::OnClear)
  ON_BN_CLICKED(IDC_PV_SHOW_CSV, &CPivotDlg::OnShowCsv)
  ON_BN_CLICKED(IDC_PV_STEPS, &CPivotDlg::OnSteps)
  ON_BN_CLICKED(IDC_PV_SKIP, &CPivotDlg::OnSkip)
  ON_WM_PAINT()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPivotDlg::CPivotDlg(CWnd* parent) : CDialogEx(IDD_PIVOT_DLG, parent) {}

void CPivotDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PV_GROUP_LIST, m_GroupList);
  DDX_Control(pDX, IDC_PV_SUM_LIST, m_SumList);
  DDX_Control(pDX, IDC_PV_COUNT_LIST, m_CountList);
  DDX_Control(pDX, IDC_PV_ROW_PREVIEW, m_RowPreview);
  DDX_Control(pDX, IDC_PV_VALUE_PREVIEW, m_ValuePreview);
  DDX_Control(pDX, IDC_PV_VIEW_FRAME, m_ViewFrame);
  DDX_Radio(pDX, IDC_PV_SUM_RADIO, m_ValueKind);
  DDX_Radio(pDX, IDC_PV_ROW_SIDE, m_GroupSide);
  DDX_Check(pDX, IDC_PV_SUBTOTALS, m_ShowSubtotals);
  DDX_Check(pDX, IDC_PV_STEPS, m_ShowSteps);
  for (int l = 0; l < kLevels; ++l) DDX_Check(pDX, kLevelChecks[l], m_LevelSubtotal[l]);
  DDX_CBIndex(pDX, IDC_PV_TOTAL, m_TotalFg);
  DDX_Text(pDX, IDC_PV_LAYOUT_TEXT, m_LayoutText);
  DDX_Text(pDX, IDC_PV_LEVEL4_NAME, m_Level4Name);
  DDX_Text(pDX, IDC_PV_LEVEL5_NAME, m_Level5Name);
  DDX_Text(pDX, IDC_PV_LEVEL4_TEXT, m_Level4Text);
  DDX_Text(pDX, IDC_PV_LEVEL5_TEXT, m_Level5Text);
}

void CPivotDlg::Show(int id, bool show) {
  if (CWnd* w = GetDlgItem(id)) w->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

BOOL CPivotDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  CComboBox* style = static_cast<CComboBox*>(GetDlgItem(IDC_PV_SUM_STYLE));
  for (int i = 0; i < 2; ++i) style->SetItemData(style->AddString(CString(kSumStyles[i])), static_cast<DWORD_PTR>(i));
  CComboBox* totals = static_cast<CComboBox*>(GetDlgItem(IDC_PV_TOTAL));
  for (const char16_t* t : kTotals) totals->AddString(CString(t));
  totals->SetCurSel(0);
  m_ValuePreview.SetExtendedStyle(LVS_EX_GRIDLINES);
  for (int c = 0; c < 3; ++c) m_RowPreview.InsertColumn(c, CString(), LVCFMT_LEFT, 80);

  if (m_ConfirmMode) {
    RestorePivotSettings();
    ShowCrossControls();
    BuildPreview();
    BuildValuePreview();
    RefreshLevelControls();
    DrawSampleLayout();
  } else if (m_InChain) {
    RestorePivotSettings();
    m_GroupCount = 0;
    m_ColumnSideCount = 0;
    for (const GRPCLM& g : m_GrpClmArry) {
      if (g.orientation > 0) ++m_GroupCount;
      if (g.orientation == kColumnSide) ++m_ColumnSideCount;
    }
    m_ValueCount = static_cast<int>(m_SumClmArry.size());
    m_ColumnCount = theApp.m_DataCols;
    FillColumnLists();
    BuildPreview();
    BuildValuePreview();
    TickRestoredItems();
    ShowCrossControls();
    RefreshLevelControls();
    DrawSampleLayout();
  } else {
    m_ColumnCount = theApp.m_DataCols;
    ShowCrossControls();
    FillColumnLists();
  }
  style->SetCurSel(m_SumStyl);
  UpdateModeControls();
  if (m_ConfirmMode) SetWindowText(GetWindowText() + CString(u"【確認モード】"));
  SetModeButtonLooks();
  return TRUE;
}

void CPivotDlg::FillColumnLists() {
  m_GroupList.ResetContent();
  m_SumList.ResetContent();
  m_CountList.ResetContent();
  CTabroClientApp& app = theApp;
  const int title = app.m_TitleRow;
  if (title < 0 || app.m_DataRows <= title + 1) return;
  app.DetectColumnTypes(0);
  for (int c = 0; c < GRID_COLS; ++c) m_TypeTable[c] = app.m_ColumnTypes[static_cast<size_t>(c)];
  const int columns = std::min(app.m_DataCols, GRID_COLS);
  for (int c = 0; c < columns; ++c) {
    const uint8_t type = m_TypeTable[c];
    if (type == kTypeUnknown) continue;
    std::vector<CString> cells;
    for (int r = title + 1; r < app.m_DataRows; ++r) {
      const CString& cell = app.m_DataGrid.GetAt(r, c);
      if (!cell.IsEmpty()) cells.push_back(cell);
    }
    if (cells.empty()) continue;
    std::sort(cells.begin(), cells.end());
    const int distinct = static_cast<int>(std::unique(cells.begin(), cells.end()) - cells.begin());
    const CString& name = app.m_DataGrid.GetAt(title, c);
    auto add = [&](CCheckListBox& list) { list.SetItemData(list.AddString(name), static_cast<DWORD_PTR>(c)); };
    if (type == kTypeNumber) add(m_SumList);
    add(m_CountList);
    if (type == kTypeNumber) continue;
    const int perValue = app.m_DataRows / distinct;
    const bool repeats = perValue >= (app.m_DataRows <= kSmallGrid ? 3 : 10);
    if (type == kTypeDate || type == kTypeTime || repeats) add(m_GroupList);
  }
}

void CPivotDlg::TickRestoredItems() {
  for (const SUMCLM& s : m_SumClmArry) {
    CCheckListBox& list = s.sumKind == 1 ? static_cast<CCheckListBox&>(m_SumList) : m_CountList;
    if (s.listIndex >= 0 && s.listIndex < list.GetCount()) list.SetCheck(s.listIndex, BST_CHECKED);
  }
  for (const GRPCLM& g : m_GrpClmArry) {
    if (g.listIndex >= 0 && g.listIndex < m_GroupList.GetCount()) {
      m_GroupList.SetCheck(g.listIndex, BST_CHECKED);
      if (g.listIndex < GRID_COLS) m_EntryState[g.listIndex] = 2;
    }
    if (g.level >= 1 && g.level <= kLevels) m_LevelSubtotal[g.level - 1] = g.subtotal;
  }
  UpdateData(FALSE);
}

void CPivotDlg::UpdateModeControls() {
  if (!m_ConfirmMode) {
    Show(IDOK, true);
    Show(IDC_PV_SKIP, m_InChain && theApp.m_ToolOrder[1].toolKind == ToolKind::kNone);
    if (m_InChain) GetDlgItem(IDC_PV_SUBTOTALS)->EnableWindow(TRUE);
    Show(IDC_PV_CLEAR, true);
    GetDlgItem(IDCANCEL)->SetWindowText(CString(u"キャンセル"));
    Show(IDC_PV_VIEW_NOTE, false);
    Show(IDC_PV_VIEW_MARK, false);
    const bool chosen = m_SumType != -1;
    for (int id : {IDC_PV_GROUP_LIST, IDC_PV_SUM_LIST, IDC_PV_COUNT_LIST}) GetDlgItem(id)->EnableWindow(chosen);
    ApplyModeButtonRule();
    return;
  }
  for (int id : std::initializer_list<int>{IDOK, IDC_PV_CLEAR, IDC_PV_SKIP, IDC_PV_GROUP_LIST, IDC_PV_SUM_LIST, IDC_PV_COUNT_LIST,
                 IDC_PV_GROUP_BOX, IDC_PV_VALUE_BOX, IDC_PV_ROW_SIDE, IDC_PV_COL_SIDE, IDC_PV_SUM_RADIO,
                 IDC_PV_COUNT_RADIO, IDC_PV_SUBTOTALS, IDC_PV_STEPS,
                                          IDC_PV_GROUP_HEAD, IDC_PV_VALUE_HEAD}) {
    Show(id, false);
  }
  for (int id : kDayButtons) GetDlgItem(id)->EnableWindow(FALSE);
  GetDlgItem(IDCANCEL)->SetWindowText(CString(u"閉じる"));
  Show(IDC_PV_VIEW_NOTE, true);
  Show(IDC_PV_VIEW_MARK, true);
  const PIVOTSETTING& s = theApp.m_PivotSetting;
  m_GrpClmArry = s.GrpClmArry;
  m_SumClmArry = s.SumClmArry;
  m_SumType = s.SumType;
  m_TotalFg = s.TotalFg;
  m_SumStyl = s.SumStyl;
  m_GroupCount = static_cast<int>(m_GrpClmArry.size());
  static_cast<CButton*>(GetDlgItem(IDC_PV_SIMPLE))->SetCheck(m_SumType == PIVOT_CROSS ? 0 : 1);
  static_cast<CButton*>(GetDlgItem(IDC_PV_CROSS))->SetCheck(m_SumType == PIVOT_CROSS ? 1 : 0);
  GetDlgItem(IDC_PV_SIMPLE)->EnableWindow(FALSE);
  GetDlgItem(IDC_PV_CROSS)->EnableWindow(FALSE);
  UpdateData(FALSE);
  BuildLevelLabels(0);
  BuildLevelLabels(1);
}

void CPivotDlg::ApplyModeButtonRule() {
  const bool free = m_GroupCount == 0 && !m_ConfirmMode;
  GetDlgItem(IDC_PV_SIMPLE)->EnableWindow(free);
  GetDlgItem(IDC_PV_CROSS)->EnableWindow(free);
}

void CPivotDlg::OnSimple() {
  UpdateData(TRUE);
  m_GroupSide = 0;
  m_SumType = PIVOT_SIMPLE;
  // A restored cross set-up: its column items go, so every item is a row item again.
  for (auto it = m_GrpClmArry.begin(); it != m_GrpClmArry.end();) {
    if (it->orientation != kColumnSide) {
      ++it;
      continue;
    }
    if (it->listIndex >= 0 && it->listIndex < m_GroupList.GetCount()) {
      m_GroupList.SetCheck(it->listIndex, BST_UNCHECKED);
      if (it->listIndex < GRID_COLS) m_EntryState[it->listIndex] = 0;
    }
    it = m_GrpClmArry.erase(it);
    --m_GroupCount;
  }
  m_ColumnSideCount = 0;
  ClearColumnLevelTexts();
  UpdateData(FALSE);
  ModeChosen();
}

// After either mode button: the mode's controls, the lists and the toggle open up.
void CPivotDlg::ModeChosen() {
  ShowCrossControls();
  for (int id : {IDC_PV_GROUP_LIST, IDC_PV_SUM_LIST, IDC_PV_COUNT_LIST, IDC_PV_SUBTOTALS}) {
    GetDlgItem(id)->EnableWindow(TRUE);
  }
  SetModeButtonLooks();
  Invalidate();
}

void CPivotDlg::ClearColumnLevelTexts() {
  m_Level4Name.Empty();
  m_Level5Name.Empty();
  m_Level4Text.Empty();
  m_Level5Text.Empty();
}

void CPivotDlg::OnCross() {
  UpdateData(TRUE);
  m_SumType = PIVOT_CROSS;
  ModeChosen();
}

void CPivotDlg::OnValueKind() {
  UpdateData(TRUE);
  Show(IDC_PV_SUM_LIST, m_ValueKind == 0);
  Show(IDC_PV_COUNT_LIST, m_ValueKind == 1);
}

void CPivotDlg::OnValueListChange(int kind) {
  UpdateData(TRUE);
  CCheckListBox& list = kind == 1 ? static_cast<CCheckListBox&>(m_SumList) : m_CountList;
  (kind == 1 ? static_cast<CCheckListBox&>(m_CountList) : m_SumList).SetCurSel(-1);
  m_GroupList.SetCurSel(-1);
  m_PrevValueCount = m_ValueCount;
  const int entry = list.GetCurSel();
  if (entry < 0) return;
  const int column = static_cast<int>(list.GetItemData(entry));
  const auto same = [&](const SUMCLM& s) { return s.column == column && s.sumKind == kind; };
  const auto found = std::find_if(m_SumClmArry.begin(), m_SumClmArry.end(), same);
  if (list.GetCheck(entry) == BST_CHECKED) {
    if (found == m_SumClmArry.end()) {
      m_SumClmArry.push_back(SUMCLM{column, kind, entry});
      ++m_ValueCount;
    }
  } else if (found != m_SumClmArry.end()) {
    m_SumClmArry.erase(found);
    --m_ValueCount;
  }
  BuildValuePreview();
  if (kind == 1) ApplyModeButtonRule();
  UpdateData(FALSE);
}

void CPivotDlg::OnGroupListChange() {
  UpdateData(TRUE);
  m_SumList.SetCurSel(-1);
  m_CountList.SetCurSel(-1);
  m_PrevGroupCount = m_GroupCount;
  const int e = m_GroupList.GetCurSel();
  if (e < 0 || e >= GRID_COLS) return;
  const int c = m_GroupList.GetCheck(e) == BST_CHECKED ? 1 : 0;
  if (m_EntryState[e] == c + 1) return;
  m_EntryState[e] = static_cast<uint8_t>(c + 1);
  const int column = static_cast<int>(m_GroupList.GetItemData(e));
  const int rowItems = m_GroupCount - m_ColumnSideCount;
  if (c == 1) {
    const char16_t* refusal = nullptr;
    if (m_GroupCount >= PIVOT_MAX_GROUPS) {
      refusal = kPivotTooManyGroups;
    } else if (m_SumType == PIVOT_CROSS && m_GroupSide == 1 && m_ColumnSideCount >= 2) {
      refusal = u"クロス集計の横ｸﾞﾙｰﾌﾟ選択は２項目までです。";
    } else if (m_SumType == PIVOT_CROSS && m_GroupSide == 0 && rowItems >= 2) {
      refusal = u"クロス集計の縦ｸﾞﾙｰﾌﾟ選択は２項目までです。";
    }
    if (refusal) {
      theApp.DoMessageBox(CString(refusal));
      m_EntryState[e] = 0;
      m_GroupList.SetCheck(e, BST_UNCHECKED);
      return;
    }
    GRPCLM g;
    g.column = column;
    g.orientation = m_GroupSide == 0 ? kRowSide : kColumnSide;
    g.listIndex = e;
    g.level = m_GroupSide == 0 ? rowItems + 1 : m_ColumnSideCount + 4;
    g.columnType = column >= 0 && column < GRID_COLS ? m_TypeTable[column] : 0;
    m_GrpClmArry.push_back(g);
    ++m_GroupCount;
    if (m_GroupSide != 0) ++m_ColumnSideCount;
  } else {
    const auto found = std::find_if(m_GrpClmArry.begin(), m_GrpClmArry.end(),
                                    [column](const GRPCLM& g) { return g.column == column; });
    if (found != m_GrpClmArry.end()) {
      const int side = found->orientation;
      if (side == kColumnSide) {
        ClearColumnLevelTexts();
        --m_ColumnSideCount;
      }
      for (auto it = found + 1; it != m_GrpClmArry.end(); ++it) {
        if (it->orientation == side && it->level > 0) --it->level;
      }
      m_GrpClmArry.erase(found);
      --m_GroupCount;
      if (m_GroupCount == 0) m_GroupSide = 0;
    }
  }
  ShowCrossControls();
  BuildPreview();
  ApplyModeButtonRule();
  RefreshLevelControls();
  DrawSampleLayout();
  UpdateData(FALSE);
}

void CPivotDlg::OnSide() {
  UpdateData(TRUE);
  if (m_GroupSide == 1) ShowCrossControls();
  Invalidate();
}

const GRPCLM* CPivotDlg::ItemOfLevel(int level) const {
  for (const GRPCLM& g : m_GrpClmArry) {
    if (g.level == level) return &g;
  }
  return nullptr;
}

// The level checks and "日" buttons follow the items and the "計表示" toggle.
void CPivotDlg::RefreshLevelControls() {
  for (int l = 1; l <= kLevels; ++l) {
    const GRPCLM* g = ItemOfLevel(l);
    Show(kLevelChecks[l - 1], m_ShowSubtotals && g);
    if (m_ShowSubtotals && g) m_LevelSubtotal[l - 1] = g->subtotal;
    Show(kDayButtons[l - 1], g && (g->columnType == kTypeDate || g->columnType == kTypeTime));
  }
  Show(IDC_PV_ROW_SIDE, m_SumType == PIVOT_CROSS && !m_ConfirmMode);
  Show(IDC_PV_COL_SIDE, m_SumType == PIVOT_CROSS && !m_ConfirmMode);
  UpdateData(FALSE);
  BuildLevelLabels(0);
  BuildLevelLabels(1);
}

void CPivotDlg::OnSubtotalToggle() {
  UpdateData(TRUE);
  RefreshLevelControls();
}

void CPivotDlg::OnLevelCheck(int level) {
  UpdateData(TRUE);
  for (GRPCLM& g : m_GrpClmArry) {
    if (g.level == level) {
      g.subtotal = m_LevelSubtotal[level - 1];
      break;
    }
  }
  if (level == 5) {
    static_cast<CComboBox*>(GetDlgItem(IDC_PV_SUM_STYLE))->SetCurSel(0);
    m_TotalFg = 0;
    UpdateData(FALSE);
  }
  BuildLevelLabels(level >= 4 ? 1 : 0);
}

// "総計表示" and "合計方法" follow the toggle, the items and the level checks.
void CPivotDlg::UpdateTotalRules() {
  const bool cross = m_SumType == PIVOT_CROSS;
  m_TotalOffered = m_ShowSubtotals && m_GrpClmArry.size() == 3 && m_GrpClmArry[2].subtotal == 0 &&
                           (!cross || m_ColumnSideCount == 2)
                       ? 1
                       : 0;
  const bool totals = m_TotalOffered && !m_LevelSubtotal[4];
  Show(IDC_PV_TOTAL, totals);
  Show(IDC_PV_TOTAL_LABEL, totals);
  bool upperChecked = false;
  for (int l = 1; l < kLevels; ++l) upperChecked = upperChecked || m_LevelSubtotal[l];
  if (!m_ShowSubtotals || !upperChecked) {
    Show(IDC_PV_SUM_STYLE, false);
    Show(IDC_PV_SUM_STYLE_LABEL, false);
  } else if (!cross) {
    Show(IDC_PV_SUM_STYLE, true);
    Show(IDC_PV_SUM_STYLE_LABEL, true);
  }
}

void CPivotDlg::OnDay(int level) {
  ShowGroupingDialog(level);
  BuildLevelLabels(level >= 4 ? 1 : 0);
}

void CPivotDlg::ShowGroupingDialog(int level) {
  GRPCLM* g = const_cast<GRPCLM*>(ItemOfLevel(level));
  if (!g) {
    theApp.DoMessageBox(CString(u"該当のデータ無し"));
    return;
  }
  const uint8_t type = g->column >= 0 && g->column < GRID_COLS ? m_TypeTable[g->column] : 0;
  int unit = g->groupUnit;
  if (type == kTypeDate) {
    CGropDate dlg(this);
    dlg.m_Unit = unit;
    dlg.m_FirstMonth = m_NendMonth;
    if (dlg.DoModal() != IDOK) return;
    unit = dlg.m_Unit;
    m_NendMonth = dlg.m_FirstMonth;
  } else if (type == kTypeTime) {
    CGropTime dlg(this);
    dlg.m_Unit = unit;
    if (dlg.DoModal() != IDOK) return;
    unit = dlg.m_Unit;
  } else {
    return;
  }
  g->groupUnit = unit;
  g->groupKind = type == kTypeDate ? 0 : 1;
}

void CPivotDlg::OnSumStyle() {
  m_SumStyl = std::max(0, static_cast<CComboBox*>(GetDlgItem(IDC_PV_SUM_STYLE))->GetCurSel());
}

void CPivotDlg::OnClear() {
  for (CCheckListBox* list : {static_cast<CCheckListBox*>(&m_GroupList), static_cast<CCheckListBox*>(&m_SumList),
                              static_cast<CCheckListBox*>(&m_CountList)}) {
    for (int i = 0; i < list->GetCount(); ++i) list->SetCheck(i, BST_UNCHECKED);
  }
  ClearColumnLevelTexts();
  m_ValueCount = m_GroupCount = m_ColumnSideCount = 0;
  std::fill(std::begin(m_EntryState), std::end(m_EntryState), 0);
  m_NendMonth = 1;
  m_TotalFg = m_SumStyl = 0;
  // The list is not exchanged with m_SumStyl: it shows what is stored only when told.
  static_cast<CComboBox*>(GetDlgItem(IDC_PV_SUM_STYLE))->SetCurSel(m_SumStyl);
  m_TotalOffered = 0;
  m_SumClmArry.clear();
  m_GrpClmArry.clear();
  ShowCrossControls();
  ApplyModeButtonRule();
  m_ShowSubtotals = 0;
  RefreshLevelControls();
  DrawSampleLayout();
  BuildPreview();
  BuildValuePreview();
  UpdateData(FALSE);
}

void CPivotDlg::OnShowCsv() { GetUiHooks().OpenDocument(theApp.m_CsvPath); }

void CPivotDlg::OnSteps() {
  UpdateData(TRUE);
  Show(IDC_PV_STEPS_TEXT, m_ShowSteps != 0);
}

void CPivotDlg::OnSkip() {
  m_Skip = 1;
  EndDialog(IDOK);
}

void CPivotDlg::OnCancel() { CDialogEx::OnCancel(); }

void CPivotDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_SumType == PIVOT_CROSS) {
    // Row items first (levels 1 to 3), then the column items (4, 5); equal levels keep their order.
    std::stable_sort(m_GrpClmArry.begin(), m_GrpClmArry.end(),
                     [](const GRPCLM& a, const GRPCLM& b) { return a.level < b.level; });
    const bool hasColumnItem = std::any_of(m_GrpClmArry.begin(), m_GrpClmArry.end(),
                                           [](const GRPCLM& g) { return g.orientation == kColumnSide; });
    const bool hasRowItem = std::any_of(m_GrpClmArry.begin(), m_GrpClmArry.end(),
                                        [](const GRPCLM& g) { return g.orientation == kRowSide; });
    if (!hasColumnItem || !hasRowItem) {
      theApp.DoMessageBox(CString(u"クロス集計設定なのに行グループ設定が有りません。"));
      return;
    }
  }
  if (m_SumClmArry.empty()) {
    theApp.DoMessageBox(CString(u"積算項目の設定が有りません。"));
    return;
  }
  if (m_GrpClmArry.empty()) {
    theApp.DoMessageBox(CString(u"グループ項目の計設定が有りません。"));
    return;
  }
  StorePivotSettings();
  EndDialog(IDOK);
}

void CPivotDlg::StorePivotSettings() {
  CTabroClientApp& app = theApp;
  PIVOTSETTING& s = app.m_PivotSetting;
  s.GrpClmArry = m_GrpClmArry;
  s.SumClmArry = m_SumClmArry;
  s.Colms = app.m_DataCols;
  s.SumStyl = m_SumStyl;
  s.SumType = m_SumType;
  s.TotalFg = m_TotalFg;
  s.NendMonth = m_NendMonth;
  for (int c = 0; c < GRID_COLS; ++c) app.m_PivotTypeTable[static_cast<size_t>(c)] = m_TypeTable[c];
  app.m_PivotColumnCount = m_ColumnCount;
  StoreTitleRows();
}

void CPivotDlg::StoreTitleRows() {
  CTabroClientApp& app = theApp;
  for (int c = 0; c < app.m_DataCols; ++c) {
    app.m_PivotColumnNames.push_back(app.m_DataGrid.GetAt(app.m_TitleRow, c));
    app.m_PivotSampleTexts.push_back(app.m_DataGrid.GetAt(app.m_TitleRow + 1, c));
  }
}

void CPivotDlg::RestorePivotSettings() {
  const CTabroClientApp& app = theApp;
  const PIVOTSETTING& s = app.m_PivotSetting;
  m_GrpClmArry = s.GrpClmArry;
  m_SumClmArry = s.SumClmArry;
  m_SumStyl = std::clamp(s.SumStyl, 0, 1);
  static_cast<CComboBox*>(GetDlgItem(IDC_PV_SUM_STYLE))->SetCurSel(m_SumStyl);
  m_SumType = s.SumType;
  m_TotalFg = std::clamp(s.TotalFg, 0, 3);
  static_cast<CComboBox*>(GetDlgItem(IDC_PV_TOTAL))->SetCurSel(m_TotalFg);
  m_NendMonth = s.NendMonth == 0 ? 1 : s.NendMonth;
  if (m_SumType != 0) OnCross();
  else OnSimple();
  m_ShowSubtotals = std::any_of(m_GrpClmArry.begin(), m_GrpClmArry.end(), [](const GRPCLM& g) { return g.subtotal; });
  if (m_ConfirmMode) {
    for (int c = 0; c < GRID_COLS; ++c) m_TypeTable[c] = app.m_PivotTypeTable[static_cast<size_t>(c)];
    m_ColumnCount = s.Colms;
    const int n = std::clamp(s.Colms, 0, GRID_COLS);
    for (int c = 0; c < n; ++c) {
      const size_t i = static_cast<size_t>(c);
      m_StoredNames[c] = i < app.m_PivotColumnNames.size() ? app.m_PivotColumnNames[i] : CString();
      m_StoredSamples[c] = i < app.m_PivotSampleTexts.size() ? app.m_PivotSampleTexts[i] : CString();
    }
  }
  for (const GRPCLM& g : m_GrpClmArry) {
    if (g.level >= 1 && g.level <= kLevels) m_LevelSubtotal[g.level - 1] = g.subtotal;
  }
  UpdateData(FALSE);
}

int RunPivotDialog(PivotDialogIo& io) {
  CPivotDlg dlg;
  dlg.m_InChain = io.inChain;
  dlg.m_SumStyl = io.sumStyl;
  dlg.m_SumType = io.sumType;
  const int result = static_cast<int>(dlg.DoModal());
  if (result != IDOK) return result;
  io.skipped = dlg.m_Skip;
  io.columnItems = dlg.m_ColumnSideCount;
  return result;
}
