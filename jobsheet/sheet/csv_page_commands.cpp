// The CSV edit page's column commands: captions, the command buttons and
// their enable rules.

#include <algorithm>
#include <iterator>

#include "jobsheet/command/job_setting.h"
#include "jobsheet/command/reserved_chars.h"
#include "jobsheet/sheet/column_codes.h"
#include "jobsheet/sheet/csv_page_messages.h"
#include "jobsheet/sheet/csv_prop_page.h"

namespace {

// Report kinds as a bit set: bit k stands for kind k.
constexpr unsigned Kinds(std::initializer_list<int> kinds) {
  unsigned bits = 0;
  for (int k : kinds) bits |= 1u << k;
  return bits;
}
constexpr unsigned kAllKinds = 0xFFFFFFFFu;

// The report kinds whose captions show a code's suffix.
struct CodeKinds {
  int code;
  unsigned kinds;
};

constexpr CodeKinds kCodeKinds[] = {
    {CODE_SUM, Kinds({0, 1, 2})},
    {CODE_COUNT_INCL, Kinds({0, 1, 2})},
    {CODE_COUNT_EXCL, Kinds({0, 1, 2})},
    {CODE_AVE_INCL, Kinds({0, 1, 2})},
    {CODE_AVE_EXCL, Kinds({0, 1, 2})},
    {CODE_CODE39, kAllKinds & ~Kinds({2})},
    {CODE_QR, kAllKinds & ~Kinds({2})},
    {CODE_SEAL, kAllKinds & ~Kinds({4})},
    {CODE_APPROVAL_SEAL, kAllKinds & ~Kinds({4})},
    {CODE_APPROVAL_DATE_SEAL, kAllKinds & ~Kinds({4})},
    {CODE_COLOR, Kinds({0, 1, 2})},
};
static_assert(std::size(kCodeKinds) == 11);

bool KindIn(int kind, unsigned kinds) { return kind >= 0 && kind < 32 && (kinds >> kind) & 1u; }

constexpr char16_t kFirstColumnRefused[] = u"１列目に設定することは出来ません。";
constexpr char16_t kNoTitle[] = u"タイトル列が無いので指定できません。";
constexpr char16_t kOneColumnOnly[] = u"複数列を選択時は設定出来ません。\n1列ずつ選択を行ってください。";
constexpr char16_t kSubjectConflictFormat[] = u"科目集計と同時設定はできません。[%d列目]";

// Button ids of the page.
enum : int {
  B_DATAHEADER = 1041, B_EDIT = 1078, B_FILTER = 1044, B_SORT = 1042, B_COLUMNS = 1086, B_SUM = 1045,
  B_COUNT = 1046, B_ROWTOTAL = 1053, B_COLOR = 1043, B_GROUP = 1079, B_PAGEBREAK = 1081, B_CODE39 = 1047,
  B_QR = 1048, B_SEAL = 1049, B_APPROVAL = 1050, B_SUBJECT = 1052, B_TIMESPAN = 1055, B_AVERAGE = 1056,
  B_CLEAR = 1038,
};
constexpr int kButtonIds[19] = {B_DATAHEADER, B_EDIT, B_FILTER, B_SORT, B_COLUMNS, B_SUM, B_COUNT,
                                B_ROWTOTAL, B_COLOR, B_GROUP, B_PAGEBREAK, B_CODE39, B_QR, B_SEAL,
                                B_APPROVAL, B_SUBJECT, B_TIMESPAN, B_AVERAGE, B_CLEAR};

}  // namespace

int CCsvPropPage::SelectedColumn() const {
  if (m_SelKind != SEL_COLUMNS || m_SelCells.empty() || m_SelCell.subitem < kFirstDataSubItem) return -1;
  return m_SelCell.subitem - kFirstDataSubItem;
}

CString CCsvPropPage::ColumnCaption(int column) const {
  CString caption;
  if (column < 0 || column >= GRID_COLS) return caption;
  const int n = column + 1;
  // In edit mode the first spare column keeps its number: typing there adds a column.
  if (!(m_EditMode && n > m_ColCount + 1)) {
    if (m_LetterColumns) caption = ColumnLetters(n);
    else caption.Format(u"%d", n);
  }
  const int k = m_ReportKind;
  if (m_GroupCol >= 1 && m_GroupCol == n && k >= DOC_KIND_NONE && k <= DOC_KIND_LIST) caption += u"  >｜";
  if (m_SubjectCol >= 1 && m_SubjectCol == n && (k == DOC_KIND_NONE || k == DOC_KIND_TABULATION)) caption += u"  [科]";
  for (const CodeKinds& ck : kCodeKinds) {
    const COLUMNCODEINFO* info = FindColumnCode(ck.code);
    if (ck.code == m_ColumnCodes[column] && KindIn(k, ck.kinds) && info && info->suffix)
      caption += CString(u"   ") + info->suffix;
  }
  if (k >= DOC_KIND_NONE && k <= DOC_KIND_LIST) {
    for (const HORIZONTAL& h : m_RowTotals)
      if (h.flags[column] == HZ_INPUT) caption += u"   [横SUM]";
    for (const HORIZONTAL& h : m_TimeSpans)
      if (h.flags[column] == HZ_INPUT) caption += u"   [時間差]";
  }
  return caption;
}

bool CCsvPropPage::CommonColumnChecks() const {
  if (SelectedColumn() < 0) return Refuse(kCsvSelectColumn);
  if (m_PageTitleRow < 0) return Refuse(kNoTitle);
  return true;
}

void CCsvPropPage::ToggleColumnCommand(int code) {
  bool conflict = false;
  for (int sub : m_SelOrder) {
    const int c = sub - kFirstDataSubItem;
    if (c < 0 || c >= GRID_COLS) continue;
    if (c == 0 && (code == CODE_SUM || code == CODE_COUNT_INCL || code == CODE_COUNT_EXCL)) {
      Refuse(kFirstColumnRefused);
      continue;
    }
    if (m_ColumnCodes[c] == code) m_ColumnCodes[c] = 0;
    else if (m_SubjectCol == c + 1) conflict = true;
    else m_ColumnCodes[c] = code;
  }
  m_ClipKind = m_SelKind;
  if (conflict) {
    CString msg;
    msg.Format(kSubjectConflictFormat, m_SubjectCol);
    Refuse(msg);
  }
}

bool CCsvPropPage::OnSum() {
  if (!CommonColumnChecks()) return false;
  ToggleColumnCommand(CODE_SUM);
  return true;
}

bool CCsvPropPage::OnBarcodeOrSeal(int code) {
  if (!CommonColumnChecks()) return false;
  if (code == CODE_QR && SelectedColumn() + 1 == m_SubjectCol) return Refuse(u"科目集計と同時設定はできません。");
  // A code and a seal are never refused on the first column, so the toggle is the sum's.
  ToggleColumnCommand(code);
  return true;
}

bool CCsvPropPage::OnCount() {
  if (!CommonColumnChecks()) return false;
  m_MenuCodeIncl = CODE_COUNT_INCL;
  m_MenuCodeExcl = CODE_COUNT_EXCL;
  return true;
}

bool CCsvPropPage::OnAverage() {
  if (!CommonColumnChecks()) return false;
  if (SelectedColumn() == 0) return Refuse(kFirstColumnRefused);
  m_MenuCodeIncl = CODE_AVE_INCL;
  m_MenuCodeExcl = CODE_AVE_EXCL;
  return true;
}

std::array<bool, 3> CCsvPropPage::CountMenuState() const {
  const int c = SelectedColumn();
  const int code = c >= 0 ? m_ColumnCodes[c] : 0;
  if (code == 0) return {true, true, false};
  if (code == m_MenuCodeIncl) return {false, true, true};
  if (code == m_MenuCodeExcl) return {true, false, true};
  return {true, true, true};
}

void CCsvPropPage::OnCountBlankClear() {
  if (m_SelKind != SEL_COLUMNS) return;
  bool conflict = false;
  for (int sub : m_SelOrder) {
    const int c = sub - kFirstDataSubItem;
    if (c < 0 || c >= GRID_COLS) continue;
    if (m_SubjectCol == c + 1 && m_ColumnCodes[c] != 0) conflict = true;
    else m_ColumnCodes[c] = 0;
  }
  if (conflict) {
    CString msg;
    msg.Format(kSubjectConflictFormat, m_SubjectCol);
    Refuse(msg);
  }
}

bool CCsvPropPage::OnSubjectTotal() {
  const int c = SelectedColumn();
  if (c < 0) return Refuse(u"集計項目の列を指定してください。");
  if (m_PageTitleRow < 0) return Refuse(kNoTitle);
  if (m_SelIndexes.size() > 1) return Refuse(kOneColumnOnly);
  if (m_ColumnCodes[c] != 0)
    return Refuse(u"他のコマンドが設定されています。\n設定したコマンドを解除してください。");
  if (m_GroupCol == c + 1)
    return Refuse(u"グループとの同時設定は出来ません。\nグループのコマンドを解除してください。");
  m_SubjectCol = m_SubjectCol == c + 1 ? 0 : c + 1;
  return true;
}

bool CCsvPropPage::OnGroupColumn() {
  const int c = SelectedColumn();
  if (c < 0) return Refuse(kCsvSelectColumn);
  if (m_PageTitleRow < 0) return Refuse(kNoTitle);
  if (m_SelIndexes.size() > 1) return Refuse(kOneColumnOnly);
  if (m_SubjectCol == c + 1)
    return Refuse(u"科目計との同時設定は出来ません。\n科目計のコマンドを解除してください。");
  m_GroupCol = m_GroupCol == c + 1 ? 0 : c + 1;
  return true;
}

bool CCsvPropPage::ColorRuleTarget(int* column) const {
  if (!CommonColumnChecks()) return false;
  if (m_SelIndexes.size() > 1) return Refuse(kOneColumnOnly);
  const int c = SelectedColumn();
  const CString key = u"[" + EscapeReservedChars(m_HeaderNames[c]) + u"]";
  if (!m_ColorRuleText.IsEmpty() && m_ColorRuleText.Find(key) < 0)
    return Refuse(u"すでに色替えは設定されています\n修正は色設定が付いている列を指定してください");
  *column = c;
  return true;
}

void CCsvPropPage::SetColorRule(int column, const CString& rule) {
  if (column < 0 || column >= GRID_COLS) return;
  m_ColorRuleText = rule;
  m_ColumnCodes[column] = rule.IsEmpty() ? 0 : CODE_COLOR;
}

bool CCsvPropPage::ButtonStates::Get(int id) const {
  for (int i = 0; i < 19; ++i)
    if (ids[i] == id) return enabled[i];
  return false;
}

CCsvPropPage::ButtonStates CCsvPropPage::ComputeButtonStates(CsvGrids& g) {
  ButtonStates s{};
  std::copy(std::begin(kButtonIds), std::end(kButtonIds), s.ids);
  auto set = [&](std::initializer_list<int> ids, bool on) {
    for (int id : ids)
      for (int i = 0; i < 19; ++i)
        if (s.ids[i] == id) s.enabled[i] = on;
  };
  // 1. The sheet's forced edit mode puts the page in edit mode.
  if (m_EditModeForced) {
    m_EditMode = 1;
    g.editModeEntered = 1;
  }
  const bool e = g.editModeEntered != 0;
  const int k = m_ReportKind;
  // 2.
  set({B_FILTER, B_CLEAR}, true);
  set({B_EDIT}, !e && g.totalRows == 0);
  set({B_DATAHEADER, B_COLUMNS}, !e);
  for (int c = 0; c < m_ColCount; ++c)
    if (m_PageTitleRow < 0 || g.edit.GetAt(m_PageTitleRow, c).IsEmpty()) set({B_COLUMNS}, false);
  // 3.
  const bool columnKinds = k != DOC_KIND_LABELS && k != DOC_KIND_FORM;
  set({B_SUM, B_COLOR, B_GROUP, B_PAGEBREAK, B_ROWTOTAL, B_TIMESPAN}, columnKinds);
  set({B_CODE39}, k != DOC_KIND_LIST);
  set({B_QR}, k != DOC_KIND_LIST);
  set({B_SEAL, B_APPROVAL}, k != DOC_KIND_FORM);
  // 4.
  if (m_SubjectCol > 0) set({B_COUNT, B_AVERAGE, B_CODE39, B_QR, B_SEAL, B_APPROVAL, B_COLOR}, false);
  else set({B_COUNT, B_AVERAGE}, columnKinds);
  // 5.
  bool codesPlain = true;
  for (int c = 0; c < GRID_COLS; ++c)
    if (m_ColumnCodes[c] != 0 && m_ColumnCodes[c] != CODE_SUM) codesPlain = false;
  set({B_SUBJECT}, (k == DOC_KIND_NONE || k == DOC_KIND_TABULATION) && !m_Numbering && codesPlain);
  // 6.
  if (m_DataHeader == 1) set({B_DATAHEADER}, true);
  if (k == DOC_KIND_LABELS || k == DOC_KIND_FORM) set({B_DATAHEADER}, false);
  set({B_PAGEBREAK}, k >= DOC_KIND_NONE && k <= DOC_KIND_LIST);
  set({B_SORT}, true);
  // 7.
  set({B_ROWTOTAL, B_TIMESPAN}, k == DOC_KIND_TABULATION && m_SubKind == TAB_SUBKIND_TYPETX);
  // 8.
  if (m_SelKind == SEL_COLUMNS && m_SelCell.subitem >= kFirstDataSubItem) {
    const int c = m_SelCell.subitem - kFirstDataSubItem;
    if (m_PageTitleRow < 0 || g.edit.GetAt(m_PageTitleRow, c).IsEmpty()) {
      set({B_SUM, B_COUNT, B_COLOR, B_GROUP, B_CODE39, B_QR, B_SEAL, B_APPROVAL, B_SORT, B_SUBJECT, B_ROWTOTAL,
           B_TIMESPAN, B_AVERAGE, B_FILTER, B_PAGEBREAK, B_DATAHEADER, B_COLUMNS, B_EDIT, B_CLEAR},
          false);
    }
    bool result = false;
    for (const auto* list : {&m_RowTotals, &m_TimeSpans})
      for (const HORIZONTAL& h : *list)
        if (c < GRID_COLS && h.flags[c] == HZ_RESULT) result = true;
    if (result)
      set({B_SUM, B_COUNT, B_COLOR, B_GROUP, B_CODE39, B_QR, B_SEAL, B_APPROVAL, B_SORT, B_SUBJECT, B_ROWTOTAL,
           B_TIMESPAN, B_AVERAGE},
          false);
  }
  // 9.
  if (m_OutputFormat == OutputFormat::kCsv) {
    set({B_SUM, B_COUNT, B_ROWTOTAL, B_TIMESPAN, B_AVERAGE, B_SORT, B_FILTER, B_SUBJECT}, true);
    set({B_COLOR, B_PAGEBREAK, B_CODE39, B_QR, B_SEAL, B_APPROVAL, B_DATAHEADER, B_EDIT}, false);
  }
  // 10.
  if (k == DOC_KIND_TOOL_CROSS) set({B_COLUMNS}, false);
  return s;
}
