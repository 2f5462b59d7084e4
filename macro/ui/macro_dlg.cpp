#include "macro/ui/macro_dlg.h"

#include <algorithm>
#include <array>

#include "app/tabro_client_app.h"
#include "macro/macro_check.h"
#include "macro/ui/date_format.h"
#include "platform/ui_hooks.h"
#include "res/macro_dlg.h"

namespace {

constexpr int kMaxExpressionChars = 200;
constexpr int kMaxColumnNameChars = 20;
constexpr int kMaxSnippetChars = 128;
constexpr int kMaxFieldChars = 255;

struct Snippet {
  int id;
  const char16_t* text;
};
constexpr std::array<Snippet, 21> kSnippets = {{
    {res::IDC_MACRO_PLUS, u"+"},
    {res::IDC_MACRO_MINUS, u"-"},
    {res::IDC_MACRO_TIMES, u"*"},
    {res::IDC_MACRO_DIVIDE, u"/"},
    {res::IDC_MACRO_OPEN, u"("},
    {res::IDC_MACRO_CLOSE, u")"},
    {res::IDC_MACRO_LESS, u"<"},
    {res::IDC_MACRO_GREATER, u">"},
    {res::IDC_MACRO_LESS_EQUAL, u"<="},
    {res::IDC_MACRO_GREATER_EQUAL, u">="},
    {res::IDC_MACRO_OR, u"|"},
    {res::IDC_MACRO_AND, u"&"},
    {res::IDC_MACRO_NOT, u"! "},
    {res::IDC_MACRO_IF, u"if [XXX] >0  then return XXX else return XXX"},
    {res::IDC_MACRO_FIND, u".Find( 'ABCD')"},
    {res::IDC_MACRO_REPLACE, u".replace('old', 'new')"},
    {res::IDC_MACRO_LEFT, u".Left(3)"},
    {res::IDC_MACRO_RIGHT, u".Right(3)"},
    {res::IDC_MACRO_MID, u".Mid(3,2)"},
    {res::IDC_MACRO_USING, u".Using('\\,')"},
    {res::IDC_MACRO_ADD_DATE, u".AddDate('d',10) //y:年 m:月 d:日　10:加算"},
}};

// What "高機能表示" brings out.
constexpr std::array<int, 19> kExtendedControls = {
    res::IDC_MACRO_LESS,      res::IDC_MACRO_GREATER, res::IDC_MACRO_LESS_EQUAL, res::IDC_MACRO_GREATER_EQUAL,
    res::IDC_MACRO_OR,        res::IDC_MACRO_AND,     res::IDC_MACRO_NOT,        res::IDC_MACRO_IF,
    res::IDC_MACRO_FIND,      res::IDC_MACRO_REPLACE, res::IDC_MACRO_LEFT,       res::IDC_MACRO_MID,
    res::IDC_MACRO_RIGHT,     res::IDC_MACRO_USING,   res::IDC_MACRO_DATE_FORMAT, res::IDC_MACRO_ADD_DATE,
    res::IDC_MACRO_ACCUMU,    res::IDC_MACRO_RATIO,   res::IDC_MACRO_HELP_TEXT};

constexpr std::array<const char16_t*, 5> kTypeFilters = {u"全項目", u"文字,ｺｰﾄﾞ", u"数値", u"日付", u"時間"};
constexpr int kNumericFilter = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CMacroDlg, CDialogEx)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_PLUS, res::IDC_MACRO_CLOSE, &CMacroDlg::OnSnippet)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_LESS, res::IDC_MACRO_GREATER, &CMacroDlg::OnSnippet)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_LESS_EQUAL, res::IDC_MACRO_GREATER_EQUAL, &CMacroDlg::OnSnippet)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_OR, res::IDC_MACRO_NOT, &CMacroDlg::OnSnippet)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_IF, res::IDC_MACRO_REPLACE, &CMacroDlg::OnSnippet)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_USING, res::IDC_MACRO_USING, &CMacroDlg::OnSnippet)
  ON_CONTROL_RANGE(BN_CLICKED, res::IDC_MACRO_ADD_DATE, res::IDC_MACRO_ADD_DATE, &CMacroDlg::OnSnippet)
  ON_BN_CLICKED(res::IDC_MACRO_DATE_FORMAT, &CMacroDlg::OnDateFormat)
  ON_BN_CLICKED(res::IDC_MACRO_ACCUMU, &CMacroDlg::OnAccumu)
  ON_BN_CLICKED(res::IDC_MACRO_RATIO, &CMacroDlg::OnRatio)
  ON_BN_CLICKED(res::IDC_MACRO_INSERT_FIELD, &CMacroDlg::OnInsertField)
  ON_NOTIFY(NM_DBLCLK, res::IDC_MACRO_FIELDS, &CMacroDlg::OnFieldDblClk)
  ON_NOTIFY(NM_CLICK, res::IDC_MACRO_FIELDS, &CMacroDlg::OnFieldSelChanged)
  ON_NOTIFY(NM_CLICK, res::IDC_MACRO_TYPES, &CMacroDlg::OnTypeFilterChanged)
  ON_BN_CLICKED(res::IDC_MACRO_CHECK, &CMacroDlg::OnCheckExpression)
  ON_BN_CLICKED(res::IDC_MACRO_EXTENDED, &CMacroDlg::OnToggleExtended)
END_MESSAGE_MAP()

CMacroDlg::CMacroDlg(CWnd* parent) : CDialogEx(res::IDD_MACRO_DLG, parent) {}

void CMacroDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_MACRO_FIELDS, m_FieldList);
  DDX_Control(pDX, res::IDC_MACRO_TYPES, m_TypeList);
  DDX_Control(pDX, res::IDC_MACRO_TEXT, m_TextEdit);
  DDX_Text(pDX, res::IDC_MACRO_TEXT, m_Expression);
  DDV_MaxChars(pDX, m_Expression, kMaxExpressionChars);
  DDX_Text(pDX, res::IDC_MACRO_COLUMN_NAME, m_ColumnName);
  DDV_MaxChars(pDX, m_ColumnName, kMaxColumnNameChars);
}

BOOL CMacroDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  UpdateData(TRUE);
  CRect r;
  m_TypeList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_TypeList.GetClientRect(&r);
  m_TypeList.InsertColumn(0, u"種別", LVCFMT_LEFT, r.Width() - 5);
  m_FieldList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_FieldList.GetClientRect(&r);
  m_FieldList.InsertColumn(0, u"列名", LVCFMT_LEFT, r.Width() - 20);
  FillTypeFilter();
  FillFieldList(kNumericFilter);
  if (m_RatioOnly) {
    m_FieldList.ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_MACRO_EXTENDED)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_MACRO_ACCUMU)->ShowWindow(SW_SHOW);
    GetDlgItem(res::IDC_MACRO_RATIO)->ShowWindow(SW_SHOW);
  }
  return TRUE;
}

void CMacroDlg::FillTypeFilter() {
  for (size_t i = 0; i < kTypeFilters.size(); ++i) {
    const int item = m_TypeList.InsertItem(static_cast<int>(i), kTypeFilters[i]);
    m_TypeList.SetItemData(item, i);
  }
}

void CMacroDlg::FillFieldList(int filter) {
  m_FieldList.DeleteAllItems();
  const int count = std::min(static_cast<int>(m_FieldNames.size()), GRID_COLS);
  for (int i = 0; i < count; ++i) {
    const CString& name = m_FieldNames[static_cast<size_t>(i)];
    if (name.IsEmpty()) continue;
    if (filter != 0 && m_FieldTypes[i] != filter - 1) continue;
    const int item = m_FieldList.InsertItem(m_FieldList.GetItemCount(), name);
    m_FieldList.SetItemData(item, static_cast<DWORD_PTR>(i));
  }
}

void CMacroDlg::OnTypeFilterChanged(NMHDR*, LRESULT* result) {
  *result = 0;
  UpdateData(TRUE);
  const int item = m_TypeList.GetNextItem(-1, LVNI_SELECTED);
  if (item < 0) return;
  FillFieldList(static_cast<int>(m_TypeList.GetItemData(item)));
  UpdateData(FALSE);
}

void CMacroDlg::OnFieldSelChanged(NMHDR*, LRESULT* result) {
  *result = 0;
  const int item = m_FieldList.GetNextItem(-1, LVNI_SELECTED);
  m_SelectedField = item < 0 ? 0 : item;
  GetDlgItem(res::IDC_MACRO_INSERT_FIELD)->EnableWindow(item >= 0);
}

int CMacroDlg::InsertSnippet(const CString& text) {
  UpdateData(TRUE);
  GetUiHooks().SetClipboardText(text.Left(kMaxSnippetChars));
  m_TextEdit.Paste();
  GetDlgItem(res::IDC_MACRO_INSERT_FIELD)->EnableWindow(FALSE);
  return 0;
}

void CMacroDlg::OnSnippet(UINT id) {
  for (const Snippet& s : kSnippets) {
    if (s.id == static_cast<int>(id)) {
      InsertSnippet(s.text);
      return;
    }
  }
}

void CMacroDlg::InsertColumnCall(const char16_t* call, const char16_t* name) {
  InsertSnippet(call);
  UpdateData(TRUE);
  m_ColumnName = name;
  UpdateData(FALSE);
}

void CMacroDlg::OnAccumu() { InsertColumnCall(u"Accumu()", u"累計"); }
void CMacroDlg::OnRatio() { InsertColumnCall(u"Ratio()", u"比率"); }

void CMacroDlg::OnDateFormat() {
  CDateFormat dlg;
  if (dlg.DoModal() != IDOK) return;
  InsertSnippet(CString::Build(u".date(%s)", CDateFormat::PatternOf(dlg.m_Choice).GetString()));
}

int CMacroDlg::InsertRunningField(const CString& name) {
  const char16_t* columnName = nullptr;
  if (m_Expression.Find(u"Accumu(") >= 0) {
    columnName = u"累計";
  } else if (m_Expression.Find(u"Ratio(") >= 0) {
    columnName = u"比率";
  } else {
    return 0;
  }
  m_ColumnName = columnName;
  const CString field = CString(u"[") + name + u"]";
  if (m_Expression.Find(u"[XXX]") >= 0) {
    m_Expression.Replace(u"[XXX]", field);
  } else {
    InsertSnippet(field);
    CString typed;
    m_TextEdit.GetWindowText(typed);
    m_Expression = typed;
  }
  UpdateData(FALSE);
  return 1;
}

void CMacroDlg::InsertPickedField() {
  const CString name = m_FieldList.GetItemText(m_SelectedField, 0).Left(kMaxFieldChars);
  if (InsertRunningField(name) == 0) InsertSnippet(CString::Build(u"[%s]", name.GetString()));
  GetDlgItem(res::IDC_MACRO_INSERT_FIELD)->EnableWindow(FALSE);
}

void CMacroDlg::OnInsertField() { InsertPickedField(); }

void CMacroDlg::OnFieldDblClk(NMHDR*, LRESULT* result) {
  *result = 0;
  InsertPickedField();
}

void CMacroDlg::OnToggleExtended() {
  for (int id : kExtendedControls) GetDlgItem(id)->ShowWindow(SW_SHOW);
  m_TypeList.ShowWindow(SW_SHOW);
  m_FieldList.DeleteAllItems();
}

int CMacroDlg::CheckExpression(int silent) {
  CString trimmed = m_Expression;
  trimmed.TrimLeft(u' ');
  const CString text = trimmed.Left(2) == u"if" ? m_Expression : CString(u"return ") + m_Expression;
  CMacroCheck check;
  return check.Check(text, &m_FieldNames, silent != 0);
}

void CMacroDlg::OnCheckExpression() {
  UpdateData(TRUE);
  CheckExpression(0);
}

void CMacroDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_ColumnName.IsEmpty()) {
    theApp.DoMessageBox(CString(u"列名が登録されていません。"), MB_OK);
    return;
  }
  if (CheckExpression(1) == 1) CDialogEx::OnOK();
}
