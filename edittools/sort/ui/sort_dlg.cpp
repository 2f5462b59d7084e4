#include "edittools/sort/ui/sort_dlg.h"

#include <algorithm>

#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "edittools/sort/sort_records.h"
#include "platform/ui/ddx.h"
#include "res/sort_dlg.h"

namespace {

constexpr int kColumnIds[3] = {res::IDC_SORT_COLUMN1, res::IDC_SORT_COLUMN2, res::IDC_SORT_COLUMN3};
constexpr int kTypeIds[3] = {res::IDC_SORT_TYPE1, res::IDC_SORT_TYPE2, res::IDC_SORT_TYPE3};
constexpr int kOrderIds[3] = {res::IDC_SORT_ORDER1, res::IDC_SORT_ORDER2, res::IDC_SORT_ORDER3};

// Index = compare type (text, number, date) and order (ascending, descending).
constexpr const char16_t* kTypeTexts[] = {u"文字として比較", u"数値として比較", u"日付として比較"};
constexpr const char16_t* kOrderTexts[] = {u"昇順", u"降順"};
static_assert(std::size(kTypeTexts) == 3 && std::size(kOrderTexts) == 2);

}  // namespace

BEGIN_MESSAGE_MAP(CSortDlg, CDialogEx)
  ON_CBN_SELCHANGE(res::IDC_SORT_COLUMN1, &CSortDlg::OnColumn1)
  ON_CBN_SELCHANGE(res::IDC_SORT_COLUMN2, &CSortDlg::OnColumn2)
  ON_CBN_SELCHANGE(res::IDC_SORT_COLUMN3, &CSortDlg::OnColumn3)
  ON_BN_CLICKED(res::IDC_SORT_CLEAR, &CSortDlg::OnClear)
  ON_BN_CLICKED(res::IDC_SORT_SKIP, &CSortDlg::OnSkip)
END_MESSAGE_MAP()

CSortDlg::CSortDlg(CWnd* parent) : CDialogEx(res::IDD_SORT_DLG, parent) {}

void CSortDlg::SetSortSettings(const int* columns, const int* types, const int* orders, int columnCount,
                               const CString* names, int inChain) {
  for (int k = 0; k < 3; ++k) {
    m_KeyColumn[k] = columns[k] - 1;
    m_KeyType[k] = types[k];
    m_KeyOrder[k] = orders[k];
  }
  m_ColumnCount = std::clamp(columnCount, 0, GRID_COLS);
  for (int c = 0; c < m_ColumnCount; ++c) m_ColumnNames[c] = names[c];
  m_InChain = inChain;
}

void CSortDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  for (int k = 0; k < 3; ++k) {
    DDX_Control(pDX, kColumnIds[k], m_Column[k]);
    DDX_Control(pDX, kTypeIds[k], m_Type[k]);
    DDX_Control(pDX, kOrderIds[k], m_Order[k]);
  }
}

BOOL CSortDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  if (m_ConfirmMode || m_InChain) RestoreSortSettings();
  for (int k = 0; k < 3; ++k) {
    for (int c = 0; c < m_ColumnCount; ++c) m_Column[k].AddString(m_ColumnNames[c]);
    for (const char16_t* text : kTypeTexts) m_Type[k].AddString(CString(text));
    for (const char16_t* text : kOrderTexts) m_Order[k].AddString(CString(text));
  }
  UpdateModeControls();
  return TRUE;
}

void CSortDlg::SelectKeys() {
  for (int k = 0; k < 3; ++k) {
    m_Column[k].SetCurSel(m_KeyColumn[k]);
    m_Type[k].SetCurSel(m_KeyType[k]);
    m_Order[k].SetCurSel(m_KeyOrder[k]);
  }
}

void CSortDlg::UpdateModeControls() {
  const bool viewing = m_ConfirmMode != 0;
  GetDlgItem(IDOK)->ShowWindow(viewing ? SW_HIDE : SW_SHOW);
  GetDlgItem(res::IDC_SORT_CLEAR)->ShowWindow(viewing ? SW_HIDE : SW_SHOW);
  GetDlgItem(res::IDC_SORT_SKIP)->ShowWindow(!viewing && m_InChain ? SW_SHOW : SW_HIDE);
  GetDlgItem(res::IDC_SORT_CONFIRM_NOTE)->ShowWindow(viewing ? SW_SHOW : SW_HIDE);
  GetDlgItem(IDCANCEL)->SetWindowText(CString(viewing ? u"閉じる" : u"キャンセル"));
  SelectKeys();
}

void CSortDlg::RestoreSortSettings() {
  std::fill(std::begin(m_KeyColumn), std::end(m_KeyColumn), -1);
  std::fill(std::begin(m_KeyType), std::end(m_KeyType), -1);
  std::fill(std::begin(m_KeyOrder), std::end(m_KeyOrder), -1);
  const SORTKEYS& stored = theApp.m_SortSetting;
  // A settings file can hold any count; only three keys exist.
  m_KeyCount = std::clamp(stored.sortCnt, 0, SORT_MAX_KEYS);
  for (int k = 0; k < m_KeyCount; ++k) {
    m_KeyColumn[k] = stored.column[k];
    m_KeyType[k] = stored.compareType[k];
    m_KeyOrder[k] = stored.descending[k];
  }
  if (!m_ConfirmMode) return;
  for (int c = 0; c < GRID_COLS; ++c) m_TypePresets[c] = theApp.m_SortTypeTable[static_cast<size_t>(c)];
  const std::vector<CString>& names = theApp.m_SortColumnNames;
  m_ColumnCount = std::min(static_cast<int>(names.size()), GRID_COLS);
  for (int c = 0; c < m_ColumnCount; ++c) m_ColumnNames[c] = names[static_cast<size_t>(c)];
}

void CSortDlg::OnColumnChange(int key) {
  const int column = m_Column[key].GetCurSel();
  if (column < 0 || column >= GRID_COLS) return;
  m_Type[key].SetCurSel(m_TypePresets[column]);
}

void CSortDlg::OnClear() {
  // The presets stay: a column chosen again offers its own compare type.
  for (int k = 0; k < 3; ++k) {
    m_KeyColumn[k] = -1;
    m_KeyType[k] = 0;
    m_KeyOrder[k] = 0;
  }
  SelectKeys();
  Invalidate();
}

void CSortDlg::OnOK() {
  m_KeyCount = 0;
  for (int k = 0; k < 3; ++k) {
    const int column = m_Column[k].GetCurSel();
    if (column < 0) continue;
    m_KeyColumn[m_KeyCount] = column;
    m_KeyType[m_KeyCount] = m_Type[k].GetCurSel();
    m_KeyOrder[m_KeyCount] = m_Order[k].GetCurSel();
    ++m_KeyCount;
  }
  for (int k = m_KeyCount; k < 3; ++k) {
    m_KeyColumn[k] = -1;
    m_KeyType[k] = 0;
    m_KeyOrder[k] = 0;
  }
  StoreSortSettings();
  EndDialog(IDOK);
}

void CSortDlg::StoreSortSettings() {
  SORTKEYS& stored = theApp.m_SortSetting;
  stored = SORTKEYS{};
  for (int k = 0; k < m_KeyCount; ++k) {
    if (m_KeyColumn[k] < 0) continue;
    stored.column[k] = m_KeyColumn[k];
    stored.compareType[k] = m_KeyType[k];
    stored.descending[k] = m_KeyOrder[k];
  }
  stored.sortCnt = m_KeyCount;
  for (int c = 0; c < GRID_COLS; ++c) theApp.m_SortTypeTable[static_cast<size_t>(c)] = m_TypePresets[c];
  for (int c = 0; c < m_ColumnCount; ++c) theApp.m_SortColumnNames.push_back(m_ColumnNames[c]);
}

void CSortDlg::OnSkip() {
  m_Skip = 1;
  EndDialog(IDOK);
}

int RunSortDialog(SortDialogIo& io) {
  CSortDlg dlg;
  const int count = std::clamp(io.columnCount, 0, GRID_COLS);
  std::vector<CString> names(static_cast<size_t>(count));
  for (int c = 0; c < count; ++c) {
    if (static_cast<size_t>(c) < io.columnNames.size()) names[static_cast<size_t>(c)] = io.columnNames[static_cast<size_t>(c)];
    if (static_cast<size_t>(c) < io.columnTypes.size()) {
      dlg.m_TypePresets[c] = static_cast<uint8_t>(std::clamp(io.columnTypes[static_cast<size_t>(c)], 0, 2));
    }
  }
  dlg.SetSortSettings(io.keyColumns, io.keyTypes, io.keyDescending, count, names.data(), io.inChain);
  const int result = static_cast<int>(dlg.DoModal());
  if (result != IDOK) return result;
  io.skipped = dlg.m_Skip;
  for (int k = 0; k < 3; ++k) {
    io.resultColumns[k] = dlg.m_KeyColumn[k];
    io.resultTypes[k] = dlg.m_KeyType[k];
    io.resultDescending[k] = dlg.m_KeyOrder[k];
  }
  return result;
}
