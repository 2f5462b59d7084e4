#include "jobsheet/sheet/ui/field_select_dlg.h"

#include "app/tabro_client_app.h"
#include "grid/grid_store.h"
#include "res/field_select_dlg.h"

namespace {
const char16_t kRowTotalLabel[] = u"横計";

void Tell(const char16_t* text) { theApp.DoMessageBox(CString(text), MB_OK); }
}  // namespace

BEGIN_MESSAGE_MAP(CFieldSelectDaialog, CDialogEx)
  ON_BN_CLICKED(res::IDC_FIELDSEL_DELETE, &CFieldSelectDaialog::OnDelete)
  ON_BN_CLICKED(res::IDC_FIELDSEL_ADD, &CFieldSelectDaialog::OnAdd)
  ON_BN_CLICKED(res::IDC_FIELDSEL_UP, &CFieldSelectDaialog::OnUp)
  ON_BN_CLICKED(res::IDC_FIELDSEL_DOWN, &CFieldSelectDaialog::OnDown)
END_MESSAGE_MAP()

CFieldSelectDaialog::CFieldSelectDaialog(CWnd* parent) : CDialogEx(res::IDD_FIELD_SELECT_DLG, parent) {}

void CFieldSelectDaialog::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_FIELDSEL_USED, m_UsedList);
  DDX_Control(pDX, res::IDC_FIELDSEL_DELETED, m_DeletedList);
}

void CFieldSelectDaialog::SetColumns(const std::vector<COLDATA>& used, const std::vector<COLDATA>& deleted,
                                     const std::vector<CString>& names) {
  m_Used.insert(m_Used.end(), used.begin(), used.end());
  m_Deleted.insert(m_Deleted.end(), deleted.begin(), deleted.end());
  m_ColumnNames.insert(m_ColumnNames.end(), names.begin(), names.end());
  if (m_Used.size() + m_Deleted.size() >= static_cast<size_t>(GRID_COLS)) m_Deleted.clear();
}

int CFieldSelectDaialog::GetColumns(std::vector<COLDATA>& used, std::vector<COLDATA>& deleted) const {
  used = m_Used;
  deleted = m_Deleted;
  return static_cast<int>(m_Used.size());
}

CString CFieldSelectDaialog::DeletedLabel(const COLDATA& column) const {
  if (column.m_SourceColumn > theApp.m_EditCols) return kRowTotalLabel;
  const int index = column.m_SourceColumn - 1;
  return (index >= 0 && index < static_cast<int>(m_ColumnNames.size())) ? m_ColumnNames[index] : CString();
}

BOOL CFieldSelectDaialog::OnInitDialog() {
  CDialogEx::OnInitDialog();
  for (const COLDATA& c : m_Used) m_UsedList.AddString(c.m_Name);
  for (const COLDATA& c : m_Deleted) m_DeletedList.AddString(DeletedLabel(c));
  return TRUE;
}

void CFieldSelectDaialog::OnDelete() {
  if (m_Used.size() <= 1) return Tell(u"列を全て削除することは出来ません。");
  const int sel = m_UsedList.GetCurSel();
  if (sel < 0 || sel >= static_cast<int>(m_Used.size())) {
    return Tell(u"削除する列の列名を「使用データ列名」の列名から選択してください。");
  }
  COLDATA column = m_Used[sel];
  if (column.m_RowSumRole == 1 || column.m_RowSumRole == 2) return Tell(u"横計が設定されているため削除できません。");
  if (column.m_TimeSpanRole == 1 || column.m_TimeSpanRole == 2) {
    return Tell(u"時間差が設定されているため削除できません。");
  }
  m_Used.erase(m_Used.begin() + sel);
  m_UsedList.DeleteString(sel);
  column.m_CommandCode = 0;
  column.m_RoleFlags = 0;
  column.m_Name.Empty();
  int at = m_DeletedList.GetCurSel();
  if (at < 0 || at > static_cast<int>(m_Deleted.size())) at = static_cast<int>(m_Deleted.size());
  m_DeletedList.InsertString(at, DeletedLabel(column));
  m_Deleted.insert(m_Deleted.begin() + at, column);
  m_UsedList.SetCurSel(sel < static_cast<int>(m_Used.size()) ? sel : static_cast<int>(m_Used.size()) - 1);
  m_DeletedList.SetCurSel(at);
}

void CFieldSelectDaialog::OnAdd() {
  if (m_Deleted.empty()) return Tell(u"削除した列がありません。");
  const int sel = m_DeletedList.GetCurSel();
  if (sel < 0 || sel >= static_cast<int>(m_Deleted.size())) {
    return Tell(u"追加する列の列名を「削除データ列名」の列名から選択してください。");
  }
  COLDATA column = m_Deleted[sel];
  m_Deleted.erase(m_Deleted.begin() + sel);
  m_DeletedList.DeleteString(sel);
  column.m_Name = DeletedLabel(column);
  int at = m_UsedList.GetCurSel();
  if (at < 0 || at > static_cast<int>(m_Used.size())) at = static_cast<int>(m_Used.size());
  m_UsedList.InsertString(at, column.m_Name);
  m_Used.insert(m_Used.begin() + at, column);
  m_DeletedList.SetCurSel(sel < static_cast<int>(m_Deleted.size()) ? sel : static_cast<int>(m_Deleted.size()) - 1);
  m_UsedList.SetCurSel(at);
}

void CFieldSelectDaialog::Move(int step) {
  const int sel = m_UsedList.GetCurSel();
  if (sel < 0 || sel >= static_cast<int>(m_Used.size())) {
    return Tell(u"移動する列名を「使用データ列名」から選択してください。");
  }
  const int to = sel + step;
  if (to < 0 || to >= static_cast<int>(m_Used.size())) return;
  std::swap(m_Used[sel], m_Used[to]);
  m_UsedList.DeleteString(sel);
  m_UsedList.InsertString(to, m_Used[to].m_Name);
  m_UsedList.SetCurSel(to);
}

void CFieldSelectDaialog::OnUp() { Move(-1); }
void CFieldSelectDaialog::OnDown() { Move(1); }
