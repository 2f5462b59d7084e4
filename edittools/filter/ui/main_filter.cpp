#include "edittools/filter/ui/main_filter.h"

#include <algorithm>

#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "grid/date_text.h"
#include "platform/ui/ddx.h"
#include "res/main_filter.h"

namespace {

using namespace res;

struct FieldIds {
  int label, combo, name, list, cond, mode, upper, upperHint, upperWord, lower, lowerHint, lowerWord;
};
constexpr FieldIds kIds[FILTER_MAX_CONDS] = {
    {IDC_MF_FIELD_LABEL1, IDC_MF_FIELD_COMBO1, IDC_MF_NAME1, IDC_MF_LIST1, IDC_MF_COND1, IDC_MF_MODE1, IDC_MF_UPPER1,
     IDC_MF_UPPER_HINT1, IDC_MF_UPPER_WORD1, IDC_MF_LOWER1, IDC_MF_LOWER_HINT1, IDC_MF_LOWER_WORD1},
    {IDC_MF_FIELD_LABEL2, IDC_MF_FIELD_COMBO2, IDC_MF_NAME2, IDC_MF_LIST2, IDC_MF_COND2, IDC_MF_MODE2, IDC_MF_UPPER2,
     IDC_MF_UPPER_HINT2, IDC_MF_UPPER_WORD2, IDC_MF_LOWER2, IDC_MF_LOWER_HINT2, IDC_MF_LOWER_WORD2},
    {IDC_MF_FIELD_LABEL3, IDC_MF_FIELD_COMBO3, IDC_MF_NAME3, IDC_MF_LIST3, IDC_MF_COND3, IDC_MF_MODE3, IDC_MF_UPPER3,
     IDC_MF_UPPER_HINT3, IDC_MF_UPPER_WORD3, IDC_MF_LOWER3, IDC_MF_LOWER_HINT3, IDC_MF_LOWER_WORD3},
};
// The second field's lower edit takes long value lists typed by hand.
constexpr int kLowerLimits[FILTER_MAX_CONDS] = {100, 1002, 100};
constexpr int kUpperLimit = 100;

// Per range kind (1 number, 2 date, 3 time): the mode captions, the condition
// label, the words of modes 0 and 1 and the hint (none for numbers).
struct RangeKind {
  const char16_t* modes[6];
  const char16_t* label;
  const char16_t* upperWord;
  const char16_t* lowerWord;
  const char16_t* hint;
};
constexpr RangeKind kRangeKinds[] = {
    {{u"以下", u"以上", u"範囲"}, u"数値条件", u"以下", u"以上", nullptr},
    {{u"以前", u"以後", u"範囲", u"今日", u"昨日", u"一昨日"}, u"日付条件", u"以前", u"以後", u"24/01/01の様に"},
    {{u"以前", u"以後", u"範囲"}, u"時刻条件", u"以前", u"以後", u"12:10:00の様に"},
};
static_assert(std::size(kRangeKinds) == 3);
const RangeKind& KindOf(int kind) { return kRangeKinds[std::clamp(kind, 1, 3) - 1]; }

constexpr int kStyleIds[] = {IDC_MF_ADD_TEXT, IDC_MF_REMOVE_TEXT, IDC_MF_STYLE_BOX, IDC_MF_REMOVE, IDC_MF_ADD};

constexpr char16_t kNoCandidateText[] =
    u"絞り込み対象項目が見つかりません。\r\nデータが全て一意である(同じ値を持つデータがない)可能性、\r\nまたは、同じ値を持つデ"
    u"ータが少ない可能性があります。\r\n\r\n[フィルタ実行]　→　続行(フィルタを行わずにタブロコネクトを起動)\r\n[キャンセル]"
    u"　　→　キャンセル";
constexpr char16_t kNoCandidateLargeText[] =
    u"絞り込み対象項目が見つかりません。\r\nデータが全て一意である(同じ値を持つデータがない)可能性、\r\nまたは、同じ値を持つデ"
    u"ータが少ない可能性があります。\r\n\r\nデータ数が多い為、以降の処理を行えません。\r\n[キャンセル]ボタンで処理を中止してく"
    u"ださい。";
constexpr int kLargeData = 3000;

}  // namespace

BEGIN_MESSAGE_MAP(CMainFilter, CDialogEx)
  ON_LBN_SELCHANGE(IDC_MF_LIST1, &CMainFilter::OnList1)
  ON_LBN_SELCHANGE(IDC_MF_LIST2, &CMainFilter::OnList2)
  ON_LBN_SELCHANGE(IDC_MF_LIST3, &CMainFilter::OnList3)
  ON_BN_CLICKED(IDC_MF_REMOVE, &CMainFilter::OnModeRadio)
  ON_BN_CLICKED(IDC_MF_ADD, &CMainFilter::OnModeRadio)
  ON_CBN_SELCHANGE(IDC_MF_FIELD_COMBO1, &CMainFilter::OnField1)
  ON_CBN_SELCHANGE(IDC_MF_FIELD_COMBO2, &CMainFilter::OnField2)
  ON_CBN_SELCHANGE(IDC_MF_FIELD_COMBO3, &CMainFilter::OnField3)
  ON_CBN_SELCHANGE(IDC_MF_MODE1, &CMainFilter::OnMode1)
  ON_CBN_SELCHANGE(IDC_MF_MODE2, &CMainFilter::OnMode2)
  ON_CBN_SELCHANGE(IDC_MF_MODE3, &CMainFilter::OnMode3)
  ON_BN_CLICKED(IDC_MF_RESET, &CMainFilter::OnReset)
  ON_BN_CLICKED(IDC_MF_NARROW, &CMainFilter::OnNarrowFurther)
  ON_BN_CLICKED(IDC_MF_SKIP, &CMainFilter::OnSkip)
END_MESSAGE_MAP()

CMainFilter::CMainFilter(CWnd* parent) : CDialogEx(IDD_MAIN_FILTER, parent) {}

void CMainFilter::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    const FieldIds& id = kIds[k];
    DDX_Control(pDX, id.list, m_Lists[k]);
    DDX_Control(pDX, id.combo, m_FieldCombos[k]);
    DDX_Control(pDX, id.mode, m_ModeCombos[k]);
    DDX_Text(pDX, id.name, m_Names[k]);
    DDX_Text(pDX, id.upper, m_Upper[k]);
    DDV_MaxChars(pDX, m_Upper[k], kUpperLimit);
    DDX_Text(pDX, id.lower, m_Lower[k]);
    DDV_MaxChars(pDX, m_Lower[k], kLowerLimits[k]);
    DDX_Text(pDX, id.upperWord, m_UpperWord[k]);
    DDX_Text(pDX, id.lowerWord, m_LowerWord[k]);
    DDX_Text(pDX, id.upperHint, m_UpperHint[k]);
    DDX_Text(pDX, id.lowerHint, m_LowerHint[k]);
    DDX_Text(pDX, id.cond, m_CondLabel[k]);
  }
  DDX_Radio(pDX, IDC_MF_REMOVE, m_Fields.style);
  DDX_Text(pDX, IDC_MF_ROWS, m_RowCountText);
  DDX_Text(pDX, IDC_MF_COUNT, m_CountText);
  DDX_Text(pDX, IDC_MF_MESSAGE, m_Message);
}

void CMainFilter::Show(int id, bool show) {
  if (CWnd* w = GetDlgItem(id)) w->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CMainFilter::ShowStyleControls(bool show) {
  for (int id : kStyleIds) Show(id, show);
}

FilterSource CMainFilter::Source() const {
  return FilterSource{theApp.m_DataGrid, theApp.m_TitleRow, theApp.m_DataRows, theApp.m_DataCols,
                      m_Fields.columnTypes.data()};
}

BOOL CMainFilter::OnInitDialog() {
  CDialogEx::OnInitDialog();
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    static_cast<CEdit*>(GetDlgItem(kIds[k].upper))->LimitText(kUpperLimit);
    static_cast<CEdit*>(GetDlgItem(kIds[k].lower))->LimitText(kLowerLimits[k]);
  }
  if (m_ReadOnly) {
    RestoreFilterSettings();
    m_NoCandidate = 0;
    ApplySavedFields();
  } else if (m_InChain) {
    m_NoCandidate = 0;
    RestoreFilterSettings();
    FindCandidateFields();
    ApplySavedFields();
    for (int k = 0; k < m_Fields.fieldCount; ++k) {
      Show(kIds[k].name, true);
      if (m_Fields.fieldKinds[k] == FILTER_VALUES) Show(kIds[k].list, true);
      FillCheckList(k);
    }
  } else {
    FindCandidateFields();
    ResetValueStates();
  }
  for (int k = 0; k < m_Fields.fieldCount; ++k) ShowFieldName(k);
  m_RowCountText.Format(u"%d", theApp.m_DataRows - theApp.m_TitleRow - 1);
  UpdateData(FALSE);
  if (m_Fields.fieldCount == 0) {
    ShowStyleControls(false);
    Show(IDC_MF_FIELD_COMBO1, true);
    GetDlgItem(IDC_MF_FIELD_COMBO1)->EnableWindow(TRUE);
    Show(IDC_MF_FIELD_LABEL1, true);
  }
  if (m_NoCandidate) {
    for (const FieldIds& id : kIds) {
      Show(id.label, false);
      Show(id.combo, false);
    }
    Show(IDC_MF_RESET, false);
    const bool large = theApp.m_DataRows >= kLargeData;
    if (large) Show(IDOK, false);
    m_Message = CString(large ? kNoCandidateLargeText : kNoCandidateText);
    Show(IDC_MF_MESSAGE, true);
    UpdateData(FALSE);
  }
  if (m_InChain) Show(IDC_MF_NARROW, false);
  ApplyViewMode();
  m_Ready = true;
  return TRUE;
}

void CMainFilter::ApplyViewMode() {
  const bool view = m_ReadOnly != 0;
  for (int id : {IDC_MF_ROWS, IDC_MF_COUNT, IDC_MF_COUNT_LABEL, IDC_MF_ROWS_LABEL, IDC_MF_NOTE}) Show(id, !view);
  Show(IDOK, !view && !(m_NoCandidate && theApp.m_DataRows >= kLargeData));
  Show(IDC_MF_SKIP, !view && m_InChain);
  Show(IDC_MF_RESET, !view && !m_NoCandidate);
  Show(IDC_MF_CONFIRM_NOTE, view);
  if (view) GetDlgItem(IDCANCEL)->SetWindowText(CString(u"閉じる"));
  GetDlgItem(IDC_MF_REMOVE)->EnableWindow(!view);
  GetDlgItem(IDC_MF_ADD)->EnableWindow(!view);
}

void CMainFilter::FindCandidateFields() {
  theApp.DetectColumnTypes(0);
  const ColumnTypeTable types = theApp.m_ColumnTypes;
  FilterSource src = Source();
  src.columnTypes = types.data();
  m_NoCandidate = 1;
  std::vector<int> stored;
  if (m_InChain) {
    for (int k = 0; k < m_Fields.fieldCount; ++k) stored.push_back(m_Conds[k].column);
  }
  const std::vector<FilterCandidate> candidates = ::FindCandidateFields(m_Fields, src, m_InChain ? &stored : nullptr);
  for (const FilterCandidate& c : candidates) {
    CString text;
    text.Format(u"%s)  %s", c.range ? u"範囲" : u"ﾁｪｯｸ", theApp.m_DataGrid.GetAt(theApp.m_TitleRow, c.column));
    for (CComboBox& combo : m_FieldCombos) combo.SetItemData(combo.AddString(text), static_cast<DWORD_PTR>(c.column));
    m_NoCandidate = 0;
  }
}

void CMainFilter::ResetValueStates() {
  for (int k = 0; k < m_Fields.fieldCount; ++k) {
    ::InitValueStates(m_Fields, k);
    Show(kIds[k].name, true);
    if (m_Fields.fieldKinds[k] == FILTER_VALUES) Show(kIds[k].list, true);
    FillCheckList(k);
  }
}

void CMainFilter::FillCheckList(int field) {
  if (m_Fields.fieldKinds[field] != FILTER_VALUES) return;
  CCheckListBox& list = m_Lists[field];
  list.ResetContent();
  for (const FilterLine& line : ::FillCheckList(m_Fields, field)) {
    list.SetCheck(list.AddString(line.text), line.checked ? BST_CHECKED : BST_UNCHECKED);
  }
}

std::vector<bool> CMainFilter::LineChecks(int field) {
  std::vector<bool> checks;
  for (int i = 0; i < m_Lists[field].GetCount(); ++i) checks.push_back(m_Lists[field].GetCheck(i) == BST_CHECKED);
  return checks;
}

void CMainFilter::CountMatches(int field) {
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    if (k != field) m_Lists[k].SetCurSel(-1);
  }
  CCheckListBox& list = m_Lists[field];
  int line = list.GetCurSel();
  if (line < 0) {
    if (list.GetCount() == 0) {
      m_CountText.Empty();
      UpdateData(FALSE);
      return;
    }
    line = list.GetCount() - 1;
    list.SetCurSel(line);
  }
  const bool lineChecked = list.GetCheck(line) == BST_CHECKED;
  const CString lineText = list.GetText(line);
  UpdateData(TRUE);
  int noCheck[FILTER_MAX_CONDS] = {};
  for (int k = 0; k < m_Fields.fieldCount; ++k) {
    if (m_Fields.fieldKinds[k] == FILTER_VALUES) noCheck[k] = SyncCheckStates(m_Fields, k, LineChecks(k));
  }
  CascadeLists(m_Fields, Source(), field, noCheck);
  for (int k = field + 1; k < m_Fields.fieldCount; ++k) FillCheckList(k);
  const auto& map = m_Fields.listMaps[field];
  const auto it = std::find_if(map.begin(), map.end(), [line](const auto& p) { return p.first == line; });
  if (it != map.end()) {
    const size_t v = static_cast<size_t>(it->second);
    m_CountText = FilterCountText(m_Fields.values[field][v], m_Fields.states[field][v], lineText);
  }
  UpdateData(FALSE);
  const auto& states = m_Fields.states[field];
  const bool anyChecked = std::find(states.begin(), states.end(), FILTER_CHECKED) != states.end();
  if (!lineChecked && m_Fields.style == FILTER_STYLE_REMOVE && !anyChecked) {
    theApp.DoMessageBox(CString(u"検索項目が０です。　全て非表示になるのでやり直してください。"), MB_OK);
  }
  Show(IDC_MF_FIELD_COMBO1, false);
}

void CMainFilter::OnModeRadio() {
  UpdateData(TRUE);
  ResetValueStates();
}

void CMainFilter::ShowFieldName(int field) {
  const int column = m_Fields.fieldColumns[field];
  if (m_ReadOnly) {
    // The title row the step ran on leads the rows kept for viewing.
    const std::vector<CString>& names = theApp.m_FilterHeadRows[0];
    m_Names[field] = column >= 0 && static_cast<size_t>(column) < names.size() ? names[static_cast<size_t>(column)]
                                                                               : CString();
  } else {
    m_Names[field] = theApp.m_DataGrid.GetAt(theApp.m_TitleRow, column);
  }
}

void CMainFilter::ApplySavedFields() {
  const int stored = m_Fields.fieldCount;
  m_Fields.fieldCount = 0;
  int p = 0;
  for (int i = 0; i < stored && p < FILTER_MAX_CONDS; ++i) {
    const FILTERDAT& rec = m_Conds[i];
    if (rec.kind >= FILTER_NUMBER_RANGE && rec.kind <= FILTER_TIME_RANGE) {
      SetupRangeField(p, rec.column, rec.kind);
      ShowRangeControls(p, true);
    } else if (rec.kind == FILTER_VALUES) {
      if (m_ReadOnly) {
        SetupListField(p, rec.column);
      } else {
        RebuildSavedStates(m_Fields, Source(), rec);
      }
    } else {
      continue;
    }
    ++p;
  }
}

void CMainFilter::SetupListField(int field, int column) {
  if (!m_ReadOnly) {
    if (m_Ready) UpdateData(TRUE);
    if (CollectDistinctValues(m_Fields, Source(), column)) {
      m_Fields.fieldColumns[field] = column;
      ShowFieldName(field);
      ::InitValueStates(m_Fields, field);
      FillCheckList(field);
    }
    m_Fields.fieldKinds[field] = FILTER_VALUES;
  } else {
    FillCheckList(field);
    ++m_Fields.fieldCount;
  }
  Show(kIds[field].name, true);
  Show(kIds[field].list, true);
  ShowStyleControls(true);
  Show(IDC_MF_NOTE, true);
  UpdateData(FALSE);
}

void CMainFilter::SetupRangeField(int field, int column, int kind) {
  if (m_Ready) UpdateData(TRUE);
  const RangeKind& k = KindOf(kind);
  CComboBox& modes = m_ModeCombos[field];
  modes.ResetContent();
  for (const char16_t* m : k.modes) {
    if (m) modes.AddString(CString(m));
  }
  Show(kIds[field].mode, true);
  m_CondLabel[field] = CString(k.label);
  m_Fields.fieldKinds[field] = static_cast<uint8_t>(kind);
  m_Fields.fieldColumns[field] = column;
  ShowFieldName(field);
  Show(kIds[field].name, true);
  GetDlgItem(kIds[field].name)->EnableWindow(TRUE);
  Show(kIds[field].cond, true);
  ++m_Fields.fieldCount;
  UpdateData(FALSE);
}

void CMainFilter::ShowRangeControls(int field, bool fromStored) {
  if (!fromStored) UpdateData(TRUE);
  int kind = m_Fields.fieldKinds[field];
  int mode = m_ModeCombos[field].GetCurSel();
  if (fromStored && (m_InChain || m_ReadOnly)) {
    const FILTERDAT& rec = m_Conds[field];
    kind = rec.kind;
    mode = rec.mode;
    m_ModeCombos[field].SetCurSel(mode);
    // Dates are stored "yyyymmdd" and shown again as typed.
    auto shown = [&](const CString& v) { return kind == FILTER_DATE_RANGE ? FormatDateTime(v, CString(u"yy/mm/dd")) : v; };
    if (mode == 0 || mode == 2) m_Upper[field] = shown(rec.filterKey[0]);
    if (mode == 1) m_Lower[field] = shown(rec.filterKey[0]);
    if (mode == 2) m_Lower[field] = shown(rec.filterKey[1]);
  }
  if (mode < 0) return;
  const RangeKind& k = KindOf(kind);
  const FieldIds& id = kIds[field];
  const bool hint = k.hint != nullptr;
  const bool upper = mode == 0 || mode == 2;
  const bool lower = mode == 1 || mode == 2;
  Show(id.upper, upper);
  Show(id.lower, lower);
  Show(id.upperWord, upper);
  Show(id.lowerWord, lower);
  Show(id.upperHint, upper && hint);
  Show(id.lowerHint, lower && hint);
  m_UpperWord[field] = CString(mode == 2 ? u"から" : k.upperWord);
  m_LowerWord[field] = CString(mode == 2 ? u"まで" : k.lowerWord);
  m_UpperHint[field] = hint ? CString(k.hint) : CString();
  m_LowerHint[field] = m_UpperHint[field];
  UpdateData(FALSE);
}

void CMainFilter::OnFieldChange(int combo) {
  CComboBox& box = m_FieldCombos[combo];
  const int sel = box.GetCurSel();
  if (sel < 0) return;
  const int column = static_cast<int>(box.GetItemData(sel));
  const uint8_t type = m_Fields.columnTypes[static_cast<size_t>(std::clamp(column, 0, 255))];
  const bool range = box.GetLBText(sel).Find(u"範囲") >= 0;
  const int field = m_Fields.fieldCount;
  if (field >= FILTER_MAX_CONDS) return;
  if (type == COLTYPE_TEXT) {
    SetupListField(field, column);
    if (field > 0) FillCheckList(field);
  } else if (type >= COLTYPE_NUMBER && type <= COLTYPE_TIME) {
    if (range) SetupRangeField(field, column, type);
    else SetupListField(field, column);
  }
  box.EnableWindow(FALSE);
  Show(kIds[combo].combo, false);
  if (combo < 2 && m_Fields.fieldCount < FILTER_MAX_CONDS && !range) {
    Show(kIds[combo + 1].combo, true);
    GetDlgItem(kIds[combo + 1].combo)->EnableWindow(TRUE);
    Show(kIds[combo + 1].label, true);
  }
}

void CMainFilter::OnReset() {
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    const FieldIds& id = kIds[k];
    m_Names[k].Empty();
    m_Lists[k].ResetContent();
    Show(id.list, false);
    Show(id.name, false);
    m_Fields.values[k].clear();
    m_Fields.states[k].clear();
    m_Fields.listMaps[k].clear();
    m_Fields.valueCounts[k] = 0;
    m_Fields.fieldColumns[k] = 0;
    for (int c : {id.mode, id.upperHint, id.lowerHint, id.upperWord, id.lowerWord, id.upper, id.lower}) Show(c, false);
    m_Upper[k].Empty();
    m_Lower[k].Empty();
    m_UpperWord[k].Empty();
    m_LowerWord[k].Empty();
    m_UpperHint[k].Empty();
    m_LowerHint[k].Empty();
    m_CondLabel[k].Empty();
    m_FieldCombos[k].SetCurSel(-1);
  }
  ShowStyleControls(false);
  Show(IDC_MF_NOTE, false);
  Show(IDC_MF_FIELD_COMBO1, true);
  GetDlgItem(IDC_MF_FIELD_COMBO1)->EnableWindow(TRUE);
  Show(IDC_MF_FIELD_LABEL1, true);
  for (int id : {IDC_MF_FIELD_COMBO2, IDC_MF_FIELD_COMBO3, IDC_MF_FIELD_LABEL2, IDC_MF_FIELD_LABEL3}) Show(id, false);
  m_Fields.fieldCount = 0;
  m_CountText.Empty();
  UpdateData(FALSE);
  m_FieldCombos[0].ShowDropDown(TRUE);
}

void CMainFilter::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_CondCount = 0;
  for (FILTERDAT& d : m_Conds) d.Clear();
  // A field that restricts nothing yields no condition, but its record is kept
  // behind the conditions so that reopening shows the column it stood on.
  std::vector<FILTERDAT> unused;
  bool stopped = false;
  for (int k = 0; k < m_Fields.fieldCount; ++k) {
    FILTERDAT d;
    const int column = m_Fields.fieldColumns[k];
    if (m_Fields.fieldKinds[k] != FILTER_VALUES) {
      const uint8_t type = m_Fields.columnTypes[static_cast<size_t>(std::clamp(column, 0, 255))];
      if (type < COLTYPE_NUMBER || type > COLTYPE_TIME) continue;
      const int mode = m_ModeCombos[k].GetCurSel();
      auto stored = [type](const CString& v) {
        if (type == COLTYPE_DATE) return FormatDateTime(v, CString(u"yyyymmdd"));
        if (type == COLTYPE_TIME) return FormatDateTime(v, CString(u"HH:MM:SS"));
        return v;
      };
      if (mode == 0 || mode == 2) d.filterKey[0] = stored(m_Upper[k]);
      if (mode == 1) d.filterKey[0] = stored(m_Lower[k]);
      if (mode == 2) d.filterKey[1] = stored(m_Lower[k]);
      d.mode = mode;
      d.kind = type;
      d.column = column;
      d.valueCount = mode == 2 ? 2 : 1;
      if (stopped) unused.push_back(d);
      else m_Conds[m_CondCount++] = d;
      continue;
    }
    CCheckListBox& list = m_Lists[k];
    const int lines = list.GetCount();
    int checked = 0;
    for (int i = 0; i < lines; ++i) checked += list.GetCheck(i) == BST_CHECKED ? 1 : 0;
    d.kind = FILTER_VALUES;
    d.mode = 0;
    d.column = column;
    int n = 0;
    for (int i = 0; i < lines && n < FILTER_MAX_VALUES; ++i) {
      if (list.GetCheck(i) == BST_CHECKED) d.filterKey[n++] = list.GetText(i);
    }
    d.valueCount = n;
    bool condition = !stopped;
    if (lines == 0) {
      stopped = true;
      condition = false;
    } else if (m_Fields.style == FILTER_STYLE_REMOVE) {
      if (checked == 0) stopped = true;
      if (checked == 0 || checked == lines) condition = false;
    } else if (checked == 0) {
      condition = false;
    }
    if (condition) m_Conds[m_CondCount++] = d;
    else unused.push_back(d);
  }
  for (size_t i = 0; i < unused.size() && m_CondCount + static_cast<int>(i) < FILTER_MAX_CONDS; ++i) {
    m_Conds[m_CondCount + static_cast<int>(i)] = unused[i];
  }
  SaveFilterSettings();
  EndDialog(IDOK);
}

void CMainFilter::OnNarrowFurther() {
  m_NarrowFurther = 1;
  OnOK();
}

void CMainFilter::OnSkip() {
  m_Skip = 1;
  EndDialog(IDOK);
}

void CMainFilter::SaveFilterSettings() {
  CTabroClientApp& app = theApp;
  FILTERSETTING& s = app.m_FilterConds;
  s.ItemCnt = m_Fields.fieldCount;
  s.FilterCnt = m_CondCount;
  for (int k = 0; k < m_Fields.fieldCount; ++k) s.conditions[k] = m_Conds[k];
  app.m_FilterColumnTypes = m_Fields.columnTypes;
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    app.m_FilterValueCounts[k] = m_Fields.valueCounts[k];
    app.m_FilterFieldColumns[k] = m_Fields.fieldColumns[k];
    app.m_FilterStates[k] = m_Fields.states[k];
    app.m_FilterListMaps[k] = m_Fields.listMaps[k];
    app.m_FilterValues[k] = m_Fields.values[k];
  }
  app.m_FilterRowRecords = m_Fields.rowRecords;
  app.AppendFilterHeadRows();
}

void CMainFilter::RestoreFilterSettings() {
  const CTabroClientApp& app = theApp;
  const FILTERSETTING& s = app.m_FilterConds;
  m_Fields.fieldCount = std::clamp(s.ItemCnt, 0, FILTER_MAX_CONDS);
  m_CondCount = std::clamp(s.FilterCnt, 0, FILTER_MAX_CONDS);
  for (int k = 0; k < m_Fields.fieldCount; ++k) m_Conds[k] = s.conditions[k];
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    m_Fields.valueCounts[k] = app.m_FilterValueCounts[k];
    m_Fields.fieldColumns[k] = app.m_FilterFieldColumns[k];
  }
  m_Fields.rowRecords = app.m_FilterRowRecords;
  if (!m_ReadOnly) return;
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) {
    m_Fields.states[k] = app.m_FilterStates[k];
    m_Fields.listMaps[k] = app.m_FilterListMaps[k];
    m_Fields.values[k] = app.m_FilterValues[k];
    m_Fields.states[k].resize(m_Fields.values[k].size(), FILTER_HIDDEN);
  }
  m_Fields.columnTypes = app.m_FilterColumnTypes;
}

int RunFilterDialog(FilterDialogIo& io) {
  CMainFilter dlg;
  dlg.m_InChain = io.inChain;
  const int result = static_cast<int>(dlg.DoModal());
  if (result != IDOK) return result;
  io.skipped = dlg.m_Skip;
  io.narrowFurther = dlg.m_NarrowFurther;
  io.condCount = dlg.m_CondCount;
  for (int k = 0; k < FILTER_MAX_CONDS; ++k) io.conds[k] = dlg.m_Conds[k];
  return result;
}
