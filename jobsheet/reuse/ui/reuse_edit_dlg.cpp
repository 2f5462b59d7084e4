#include "jobsheet/reuse/ui/reuse_edit_dlg.h"

#include <utility>

#include "app/tabro_client_app.h"
#include "edittools/chain/edit_settings_path.h"
#include "edittools/chain/tool_order_text.h"
#include "jobsheet/reuse/reuse_rules.h"
#include "platform/int_text.h"
#include "res/reuse_edit_dlg.h"

namespace {

struct ColumnDef {
  const char16_t* caption;
  int format;
  int width;
};
// The tool column is a little wider than 100 so its heading is seen whole.
constexpr ColumnDef kColumns[] = {
    {u"CSVﾌｧｲﾙ", LVCFMT_LEFT, 170},  {u"出力", LVCFMT_CENTER, 50},     {u"ジョブ名", LVCFMT_LEFT, 170},
    {u"ﾃﾞｰﾀ加工・集計ﾂｰﾙ", LVCFMT_CENTER, 112}, {u"コマンド", LVCFMT_LEFT, 205}, {u"編集不可", LVCFMT_CENTER, 70},
    {u"NO", LVCFMT_LEFT, 0},
};
static_assert(std::size(kColumns) == 7);
constexpr int kNameColumn = 2;
constexpr int kLockColumn = 5;
constexpr int kJobColumn = 6;
constexpr int kMaxNameChars = 100;
constexpr char16_t kDuplicateFormat[] = u"CSVファイル[%s]でジョブ名[%s]が重複しています";
constexpr char16_t kReuseOffMessage[] =
    u"再利用ジョブが無効に設定されているため、変更内容は保存できません。";

}  // namespace

BEGIN_MESSAGE_MAP(CReuseEditDlg, CDialogEx)
  ON_NOTIFY(NM_CLICK, res::IDC_REUSEEDIT_LIST, &CReuseEditDlg::OnClickList)
  ON_EN_CHANGE(res::IDC_REUSEEDIT_NAME, &CReuseEditDlg::OnNameChanged)
  ON_BN_CLICKED(res::IDC_REUSEEDIT_LOCK, &CReuseEditDlg::OnLockClicked)
  ON_BN_CLICKED(res::IDC_REUSEEDIT_BYFILE, &CReuseEditDlg::OnOrderClicked)
  ON_BN_CLICKED(res::IDC_REUSEEDIT_BYCREATION, &CReuseEditDlg::OnOrderClicked)
  ON_BN_CLICKED(res::IDC_REUSEEDIT_DELETE, &CReuseEditDlg::OnDeleteRow)
END_MESSAGE_MAP()

CReuseEditDlg::CReuseEditDlg(CWnd* parent) : CDialogEx(res::IDD_REUSE_EDIT, parent) {
  m_List.m_BadgeOf = [this](int row) {
    const int job = JobOfRow(row);
    return job >= 0 ? m_OutputKinds[job] : CString();
  };
}

void CReuseEditDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_REUSEEDIT_LIST, m_List);
  DDX_Text(pDX, res::IDC_REUSEEDIT_NAME, m_EditName);
  DDV_MaxChars(pDX, m_EditName, kMaxNameChars);
  DDX_Check(pDX, res::IDC_REUSEEDIT_LOCK, m_LockCheck);
  DDX_Radio(pDX, res::IDC_REUSEEDIT_BYFILE, m_SortOrder);
}

int CReuseEditDlg::JobOfRow(int row) const {
  if (row < 0 || row >= m_List.GetItemCount()) return -1;
  const int job = TextToInt(m_List.GetItemText(row, kJobColumn).View());
  return job >= 0 && job < m_RowCount ? job : -1;
}

BOOL CReuseEditDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_List.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    m_List.InsertColumn(i, CString(kColumns[i].caption), kColumns[i].format, kColumns[i].width);
  }
  for (const REUSECOMMAND& job : theApp.m_ReuseCommands) {
    m_CsvFiles.push_back(job.csvFile);
    m_JobNames.push_back(job.jobName);
    m_Commands.push_back(job.command);
    m_OutputKinds.push_back(job.outputKind);
    m_ToolOrders.push_back(job.toolOrder);
    m_LockedFlags.push_back(static_cast<uint8_t>(job.locked != 0));
  }
  m_RowCount = static_cast<int>(m_CsvFiles.size());
  m_DeletedFlags.assign(m_RowCount, 0);
  m_SortOrder = 0;
  FillList();
  UpdateData(FALSE);
  return TRUE;
}

void CReuseEditDlg::FillList() {
  std::vector<std::pair<CString, CString>> pairs;
  for (int i = 0; i < m_RowCount; ++i) pairs.emplace_back(m_CsvFiles[i], m_JobNames[i]);
  std::vector<int> order;
  if (m_SortOrder == 0) {
    order = SortJobPairs(pairs);
  } else {
    for (int i = 0; i < m_RowCount; ++i) order.push_back(i);
  }
  m_List.SetRedraw(FALSE);
  m_List.DeleteAllItems();
  for (int job : order) {
    if (m_DeletedFlags[job]) continue;
    const int row = m_List.InsertItem(m_List.GetItemCount(), m_CsvFiles[job]);
    m_List.SetItemText(row, kNameColumn, m_JobNames[job]);
    m_List.SetItemText(row, 3, m_ToolOrders[job].IsEmpty() ? CString() : ToolOrderToLetters(m_ToolOrders[job]));
    m_List.SetItemText(row, 4, m_Commands[job]);
    m_List.SetItemText(row, kLockColumn, m_LockedFlags[job] ? CString(u"X") : CString());
    CString number;
    number.Format(u"%d", job);
    m_List.SetItemText(row, kJobColumn, number);
  }
  m_List.SetRedraw(TRUE);
}

void CReuseEditDlg::EnableRowControls(BOOL enable) {
  GetDlgItem(res::IDC_REUSEEDIT_NAME)->EnableWindow(enable);
  GetDlgItem(res::IDC_REUSEEDIT_LOCK)->EnableWindow(enable);
  GetDlgItem(res::IDC_REUSEEDIT_DELETE)->EnableWindow(enable);
}

void CReuseEditDlg::ClearSelection() {
  m_SelRow = -1;
  m_EditName.Empty();
  m_LockCheck = 0;
  EnableRowControls(FALSE);
  UpdateData(FALSE);
}

void CReuseEditDlg::SelectRow(int row) {
  m_SelRow = row;
  if (row >= 0) {
    m_EditName = m_List.GetItemText(row, kNameColumn);
    m_LockCheck = m_List.GetItemText(row, kLockColumn) == u"X" ? 1 : 0;
  } else {
    m_EditName.Empty();
    m_LockCheck = 0;
  }
  EnableRowControls(row >= 0);
  UpdateData(FALSE);
}

void CReuseEditDlg::OnClickList(NMHDR* hdr, LRESULT* result) {
  auto* act = reinterpret_cast<NMITEMACTIVATE*>(hdr);
  LVHITTESTINFO hit;
  hit.pt = act->ptAction;
  SelectRow(m_List.SubItemHitTest(&hit));
  *result = 0;
}

void CReuseEditDlg::OnNameChanged() {
  if (m_SelRow < 0) return;
  // Only the name: a selection fills the edit before the check box, and reading
  // the box here would take the previous job's lock back.
  GetDlgItemText(res::IDC_REUSEEDIT_NAME, m_EditName);
  m_List.SetItemText(m_SelRow, kNameColumn, m_EditName);
}

void CReuseEditDlg::OnLockClicked() {
  if (m_SelRow < 0) return;
  UpdateData(TRUE);
  m_List.SetItemText(m_SelRow, kLockColumn, m_LockCheck ? CString(u"X") : CString());
  UpdateData(FALSE);
}

void CReuseEditDlg::OnOrderClicked() {
  UpdateData(TRUE);
  FillList();
  ClearSelection();
}

void CReuseEditDlg::OnDeleteRow() {
  const int p = m_SelRow;
  const int job = JobOfRow(p);
  if (job < 0) return;
  m_DeletedFlags[job] = 1;
  m_List.DeleteItem(p);
  ClearSelection();
  if (m_List.GetItemCount() == 0) return;
  const int next = p == 0 ? 0 : p - 1;
  m_List.SetItemState(next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SelectRow(next);
}

void CReuseEditDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  std::vector<std::pair<CString, CString>> pairs;
  for (int row = 0; row < m_List.GetItemCount(); ++row) {
    const CString name = m_List.GetItemText(row, kNameColumn);
    if (name.IsEmpty()) {
      AfxMessageBox(CString(kEmptyJobNameMessage));
      return;
    }
    if (!IsValidJobName(name)) {
      AfxMessageBox(CString(kInvalidJobNameMessage));
      return;
    }
    if (!EditSettingsNameFits(m_List.GetItemText(row, 0), name)) {
      AfxMessageBox(CString(kLongJobNameMessage));
      return;
    }
    pairs.emplace_back(m_List.GetItemText(row, 0), name);
  }
  const int dup = FindDuplicateJobName(pairs);
  if (dup >= 0) {
    CString text;
    text.Format(kDuplicateFormat, pairs[dup].first.GetString(), pairs[dup].second.GetString());
    AfxMessageBox(text);
    return;
  }
  if (const auto [a, b] = FindSharedSettingsFile(pairs); a >= 0) {
    CString text;
    text.Format(kSharedSettingsFileFormat, pairs[a].first.GetString(), pairs[a].second.GetString(),
                pairs[b].first.GetString(), pairs[b].second.GetString());
    AfxMessageBox(text);
    return;
  }
  if (theApp.m_CommandReUse == 0) {
    // The save below writes nothing while reuse is off; say so rather than pretend.
    AfxMessageBox(CString(kReuseOffMessage), MB_ICONINFORMATION);
    EndDialog(IDCANCEL);
    return;
  }
  std::vector<REUSECOMMAND>& jobs = theApp.m_ReuseCommands;
  for (int i = 0; i < m_RowCount && i < static_cast<int>(jobs.size()); ++i) {
    if (m_DeletedFlags[i]) jobs[i].deleted = 1;
  }
  for (int row = 0; row < m_List.GetItemCount(); ++row) {
    const int i = JobOfRow(row);
    if (i < 0 || i >= static_cast<int>(jobs.size())) continue;
    const CString name = m_List.GetItemText(row, kNameColumn);
    if (name != jobs[i].jobName) {
      jobs[i].nameChanged = 1;
      jobs[i].jobName = name;
    }
    jobs[i].locked = m_List.GetItemText(row, kLockColumn) == u"X" ? 1 : 0;
  }
  theApp.SaveDataEditToolFiles();
  theApp.SaveReuseCommandFile();
  theApp.ClearReuseCommands();
  theApp.LoadReuseCommands();
  EndDialog(IDOK);
}
