#include "edittools/join/ui/addcsv_view.h"

#include <algorithm>

#include "app/app_grids.h"
#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "edittools/join/join_kinds.h"
#include "edittools/join/join_messages.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "res/addcsv_view.h"

namespace {

// Default rectangles of the lists (left, top, right, bottom), in pixels.
constexpr CRect kListRects[JOIN_LIST_COUNT] = {
    {30, 20, 230, 415}, {300, 20, 585, 415}, {570, 20, 855, 415}, {270, 20, 555, 415}};
constexpr int kButtonRowHeight = 45;
constexpr int kSerialRows = 20;
constexpr int kRowPixels = 20;
constexpr int kMaxListBody = 380;
constexpr int kHeaderPixels = 22;
constexpr int kSerialListX = 570;
constexpr int kFirstAddListX = 250;

struct ColumnSpec {
  const char16_t* title;
  int width;
};
constexpr ColumnSpec kListColumns[JOIN_LIST_COUNT][4] = {
    {{u"　メインCSV", 140}, {u"型", 40}, {u"", 0}, {nullptr, 0}},
    {{u"　追加CSV", 185}, {u"型", 40}, {u"廃棄", 40}, {nullptr, 0}},
    {{u"追加CSV２", 168}, {u"型", 40}, {u"廃棄", 40}, {nullptr, 0}},
    {{u"出力列", 45}, {u"メインCSV項目", 90}, {u"サブCSV項目", 90}, {u"ﾏｲﾅｽ値", 46}},   // its heading whole
};

// Command texts under which a join is allowed.
constexpr const char16_t* kJoinDocumentTypes[] = {u"TypeTX", u"TypeTX;ListDoc", u"TypeTX;ListDoc=TypeA",
                                                  u"TypeTX;ListDoc=TypeB"};

constexpr char16_t kNoFieldRow[] = u"CSVにフィールド名の行がありません。\n2つ目のCSVファイルは取り込めません。";
constexpr char16_t kThirdCsv[] = u"２追加CSV以上はできません";
constexpr char16_t kTooManyColumns[] = u"出力列数[%d]が多すぎて処理ができません MAX=%d";
constexpr char16_t kAskRemoveAll[] = u"本当に追加CSV全てを削除してもよいですか？";
constexpr char16_t kNoListSelected[] = u"nリストが選択されていません。\n選択されているリストのファイルを表示します。";

CString KindLabel(int kind) { return CString(JoinKindLabel(kind)); }

}  // namespace

BEGIN_MESSAGE_MAP(CAddcsvView, CDialogEx)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_BN_CLICKED(res::IDC_ADDCSV_ADD, &CAddcsvView::OnAddCsv)
  ON_BN_CLICKED(res::IDC_ADDCSV_DELETE, &CAddcsvView::OnDeleteAddCsv)
  ON_BN_CLICKED(res::IDC_ADDCSV_CLEAR, &CAddcsvView::OnClearLinks)
  ON_BN_CLICKED(res::IDC_ADDCSV_UNDO, &CAddcsvView::OnUndoLink)
  ON_BN_CLICKED(res::IDC_ADDCSV_SHOWFILE, &CAddcsvView::OnShowCsvFile)
  ON_BN_CLICKED(res::IDC_ADDCSV_SKIP, &CAddcsvView::OnSkip)
  ON_BN_CLICKED(res::IDC_ADDCSV_CLOSE, &CAddcsvView::OnCloseButton)
  ON_BN_CLICKED(res::IDC_ADDCSV_SERIAL, &CAddcsvView::OnSerialCheck)
END_MESSAGE_MAP()

CAddcsvView::CAddcsvView(CWnd* parent) : CDialogEx(res::IDD_ADDCSV_VIEW, parent) {}

CAddcsvView::~CAddcsvView() = default;

void CAddcsvView::SetDocumentType(const CString& command) {
  m_TypeLocked = 1;
  if (command.IsEmpty()) m_TypeLocked = 0;
  for (const char16_t* allowed : kJoinDocumentTypes) {
    if (command == allowed) m_TypeLocked = 0;
  }
}

void CAddcsvView::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Check(pDX, res::IDC_ADDCSV_SERIAL, m_SerialFlag);
}

BOOL CAddcsvView::OnInitDialog() {
  CDialogEx::OnInitDialog();
  SetBackgroundColor(RGB(255, 255, 255));
  GetClientRect(&m_LinkArea);
  m_LinkArea.bottom -= kButtonRowHeight;
  CTabroClientApp& app = theApp;
  if (m_MainPath.IsEmpty()) {
    m_MainPath = app.m_CsvPath;
    m_MainTitle = StemOf(m_MainPath);
  }
  SetGrids(app.m_DataGrid, app.m_StepGrid, app.m_DataRows, app.m_DataCols, app.m_TitleRow);

  for (int l = 0; l < JOIN_LIST_COUNT; ++l) {
    m_ListStore[l] = std::make_unique<CDrawList>();
    CDrawList* list = m_ListStore[l].get();
    list->CreateList(this, l, kListRects[l], static_cast<UINT>(res::IDC_ADDCSV_LIST0 + l));
    for (int c = 0; c < 4 && kListColumns[l][c].title; ++c) {
      list->InsertColumn(c, CString(kListColumns[l][c].title), LVCFMT_LEFT, kListColumns[l][c].width);
    }
    if (l > 0) list->ShowWindow(SW_HIDE);
    m_Lists[l] = list;
  }

  if (m_ConfirmMode) {
    RestoreJoinSettings();
    m_MainNames = app.m_JoinMainNames;
    std::copy(&app.m_JoinKinds[0][0], &app.m_JoinKinds[0][0] + 4 * GRID_COLS, &m_ColumnKinds[0][0]);
    FillMainList();
    for (int c = 0; c < m_AddCount; ++c) {
      FillAddList(c);
      PlaceAddList(c);
    }
    if (m_SerialFlag) {
      FillSerialList();
      m_Lists[3]->ShowWindow(SW_SHOW);
      GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(FALSE);
    }
  } else {
    if (m_InChain) RestoreJoinSettings();
    if (app.m_TitleRow < 0) {
      ShowJoinError(CString(kNoFieldRow));
    } else {
      LoadMainColumnNames();
    }
    if (m_SerialFlag) {
      m_Lists[3]->ShowWindow(SW_SHOW);
      GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(FALSE);
    }
    ClassifyColumns(0);
    FillMainList();
    for (int c = 0; c < m_AddCount; ++c) {
      if (!LoadAddCsvPreview(c, m_AddPath[c])) continue;
      FillAddList(c);
      PlaceAddList(c);
      if (m_SerialFlag) FillSerialList();
    }
  }
  m_ChainList = 0;
  for (const ALIGN& a : m_Def.AlignArry[1]) {
    if (a.listA == 1) m_ChainList = a.listB;
  }
  UpdateAddButtons();
  UpdateCaption();
  SetButtonMode();
  UpdateLinkButtons();
  UpdateData(FALSE);
  return TRUE;
}

void CAddcsvView::RestoreJoinSettings() {
  const JOINDEF& def = theApp.m_JoinDef;
  const CString paths[JOIN_MAX_ADDCSV] = {GetAddCsvPath(0), GetAddCsvPath(1)};
  CAddcsvJoin::RestoreJoinSettings(def, paths, theApp.m_JoinAddNames);
  m_AddCount = m_Def.AddCsvCnt;
  m_SerialFlag = m_Def.SerealFg ? 1 : 0;
  // Only the arrays the definition uses are kept.
  for (int a = 0; a < JOIN_LINK_ARRAYS; ++a) {
    const bool used = m_SerialFlag ? a == 2 : a < m_AddCount;
    if (!used) m_Def.AlignArry[a].clear();
  }
  for (int c = 0; c < JOIN_MAX_ADDCSV; ++c) m_AddTitle[c] = StemOf(m_AddPath[c]);
  for (int l = 0; l <= m_AddCount && l < 3; ++l) {
    const JOINLISTRECT& r = m_Def.ListPosition[l];
    m_ListRects[l] = CRect(r.left, r.top, r.right, r.bottom);
  }
}

void CAddcsvView::SaveJoinSettings() {
  JOINDEF& d = theApp.m_JoinDef;
  d.Clear();
  d.AddCsvCnt = m_AddCount;
  d.SerealFg = m_SerialFlag;
  if (m_SerialFlag) {
    d.AlignArry[2] = m_Def.AlignArry[2];
  } else {
    for (int a = 0; a < m_AddCount; ++a) d.AlignArry[a] = m_Def.AlignArry[a];
  }
  for (int c = 0; c < m_AddCount; ++c) {
    std::copy(m_Def.AdelSelect[c], m_Def.AdelSelect[c] + GRID_COLS, d.AdelSelect[c]);
    d.AddCsvCols[c] = m_AddCols[c];
    d.AddCsvRows[c] = m_AddRows[c];
    d.AddCsvPath[c] = m_AddPath[c];
    d.AddCsvTitle[c] = StemOf(m_AddPath[c]);
  }
  for (int l = 0; l <= m_AddCount && l < 3; ++l) {
    const CRect& r = m_ListRects[l];
    d.ListPosition[l] = JOINLISTRECT{r.left, r.top, r.right, r.bottom};
  }
  SaveColumnNames(theApp.m_JoinMainNames, theApp.m_JoinAddNames, theApp.m_JoinKinds);
}

// ---- Lists -----------------------------------------------------------------------

void CAddcsvView::FillMainList() {
  CDrawList* list = m_Lists[0];
  list->DeleteAllItems();
  for (size_t c = 0; c < m_MainNames.size() && c < static_cast<size_t>(GRID_COLS); ++c) {
    const int row = list->InsertItem(static_cast<int>(c), m_MainNames[c]);
    list->SetItemText(row, 1, KindLabel(m_ColumnKinds[0][c]));
  }
}

void CAddcsvView::FillAddList(int csv) {
  FillAddItems(csv);
  CDrawList* list = m_Lists[csv + 1];
  CRect r = list->m_position;
  if (m_SerialFlag) {
    r.MoveToXY(kSerialListX, r.top);
  } else if (csv == 0) {
    r.MoveToXY(kFirstAddListX, r.top);
  }
  list->MoveTo(r);
}

void CAddcsvView::FillAddItems(int csv) {
  CDrawList* list = m_Lists[csv + 1];
  list->DeleteAllItems();
  const std::vector<CString>& header = m_AddHeader[csv];
  for (size_t c = 0; c < header.size() && c < static_cast<size_t>(GRID_COLS); ++c) {
    const int row = list->InsertItem(static_cast<int>(c), header[c]);
    list->SetItemText(row, 1, KindLabel(m_ColumnKinds[csv + 1][c]));
    const uint8_t flag = m_Def.AdelSelect[csv][c];
    list->SetItemText(row, kDiscardColumn,
                      flag == ADDCOL_KEY ? CString(kKeyMark) : flag == ADDCOL_DISCARD ? CString(kDiscardMark) : CString());
  }
}

void CAddcsvView::PlaceAddList(int csv) {
  CDrawList* list = m_Lists[csv + 1];
  list->ShowWindow(SW_SHOW);
  const int fields = static_cast<int>(m_AddHeader[csv].size());
  CRect r = list->m_position;
  r.bottom = r.top + std::min(kRowPixels * fields + kRowPixels, kMaxListBody) + kHeaderPixels;
  list->MoveTo(r);
}

void CAddcsvView::FillSerialList() {
  CDrawList* list = m_Lists[3];
  list->DeleteAllItems();
  for (int p = 0; p < kSerialRows; ++p) {
    list->InsertItem(p, CString::Build(u"%d", p + 1));
    if (p < GRID_COLS && m_MinusFlags[p]) list->SetItemText(p, kMinusColumn, CString(kMinusMark));
  }
  for (const ALIGN& a : m_Def.AlignArry[2]) {
    if (a.itemB < 0 || a.itemB >= kSerialRows || a.itemA < 0) continue;
    if (a.listA == 0 && a.itemA < static_cast<int>(m_MainNames.size())) {
      list->SetItemText(a.itemB, 1, m_MainNames[static_cast<size_t>(a.itemA)]);
    } else if (a.listA == 1 && a.itemA < static_cast<int>(m_AddHeader[0].size())) {
      list->SetItemText(a.itemB, 2, m_AddHeader[0][static_cast<size_t>(a.itemA)]);
    }
  }
}

void CAddcsvView::RefreshKeyFlags() {
  for (int c = 0; c < JOIN_MAX_ADDCSV; ++c) {
    for (uint8_t& f : m_Def.AdelSelect[c]) {
      if (f == ADDCOL_KEY) f = ADDCOL_OUTPUT;
    }
  }
  for (int a = 0; a < 2; ++a) {
    for (const ALIGN& link : m_Def.AlignArry[a]) {
      if ((link.listB == 1 || link.listB == 2) && link.itemB >= 0 && link.itemB < GRID_COLS) {
        m_Def.AdelSelect[link.listB - 1][link.itemB] = ADDCOL_KEY;
      }
    }
  }
  for (int c = 0; c < m_AddCount; ++c) {
    CDrawList* list = m_Lists[c + 1];
    for (int row = 0; row < list->GetItemCount() && row < GRID_COLS; ++row) {
      const bool key = m_Def.AdelSelect[c][row] == ADDCOL_KEY;
      const CString cell = list->GetItemText(row, kDiscardColumn);
      if (key) {
        list->SetItemText(row, kDiscardColumn, CString(kKeyMark));
      } else if (cell == kKeyMark) {
        list->SetItemText(row, kDiscardColumn, CString());
      }
    }
  }
}

// ---- Buttons and caption -------------------------------------------------------------

void CAddcsvView::UpdateAddButtons() {
  const bool addShown = m_AddCount == 0 || (m_AddCount == 1 && !m_SerialFlag);
  GetDlgItem(res::IDC_ADDCSV_ADD)->ShowWindow(addShown ? SW_SHOW : SW_HIDE);
  GetDlgItem(res::IDC_ADDCSV_DELETE)->ShowWindow(m_AddCount > 0 ? SW_SHOW : SW_HIDE);
}

void CAddcsvView::UpdateCaption() {
  CString caption = CString::Build(u"【%s】", m_MainTitle);
  const CString mainFolder = FolderOf(m_MainPath);
  for (int c = 0; c < m_AddCount; ++c) {
    const bool sameFolder = FolderOf(m_AddPath[c]) == mainFolder;
    caption += u"/";
    caption += CString::Build(u"【%s】", sameFolder ? m_AddTitle[c] : m_AddPath[c]);
  }
  SetWindowText(caption);
}

void CAddcsvView::SetButtonMode() {
  if (m_ConfirmMode) {
    for (int id : {int(IDOK), int(res::IDC_ADDCSV_SKIP), int(res::IDC_ADDCSV_SHOWFILE), int(res::IDC_ADDCSV_CLOSE),
                   int(res::IDC_ADDCSV_ADD), int(res::IDC_ADDCSV_DELETE), int(res::IDC_ADDCSV_CLEAR)}) {
      GetDlgItem(id)->ShowWindow(SW_HIDE);
    }
    GetDlgItem(IDCANCEL)->SetWindowText(CString(u"閉じる"));
    GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(FALSE);
    GetDlgItem(res::IDC_ADDCSV_NOTSAVED)->ShowWindow(SW_SHOW);
    return;
  }
  GetDlgItem(IDOK)->ShowWindow(SW_SHOW);
  GetDlgItem(res::IDC_ADDCSV_SHOWFILE)->ShowWindow(SW_SHOW);
  GetDlgItem(IDCANCEL)->SetWindowText(CString(u"キャンセル"));
  if (m_InChain) {
    GetDlgItem(res::IDC_ADDCSV_SKIP)->ShowWindow(theApp.m_ToolOrder[1].toolKind == ToolKind::kNone ? SW_SHOW : SW_HIDE);
    GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(FALSE);
  }
  if (m_TypeLocked) {
    // Only "閉じる" is offered, so "スキップ" goes too.
    for (int id : {int(res::IDC_ADDCSV_ADD), int(res::IDC_ADDCSV_DELETE), int(res::IDC_ADDCSV_CLEAR), int(IDOK),
                   int(IDCANCEL), int(res::IDC_ADDCSV_SKIP)}) {
      GetDlgItem(id)->ShowWindow(SW_HIDE);
    }
    GetDlgItem(res::IDC_ADDCSV_CLOSE)->ShowWindow(SW_SHOW);
  }
}

void CAddcsvView::UpdateLinkButtons() {
  const bool clearShown = HasLinks() && !m_TypeLocked && !m_ConfirmMode;
  GetDlgItem(res::IDC_ADDCSV_CLEAR)->ShowWindow(clearShown ? SW_SHOW : SW_HIDE);
  GetDlgItem(res::IDC_ADDCSV_UNDO)->ShowWindow(m_UndoCount > 0 ? SW_SHOW : SW_HIDE);
}

bool CAddcsvView::HasLinks() const {
  for (const std::vector<ALIGN>& a : m_Def.AlignArry) {
    if (!a.empty()) return true;
  }
  return false;
}

void CAddcsvView::OnAddCsv() {
  if (m_AddCount >= JOIN_MAX_ADDCSV) {
    ShowJoinError(CString(kThirdCsv));
    return;
  }
  CString path;
  if (!ChooseAddCsvFile(path, FolderOf(m_MainPath))) return;
  const int c = m_AddCount;
  if (!LoadAddCsvPreview(c, path)) {
    // Nothing changes; a file that could not be opened at all is named.
    if (m_AddLoadState[c] == JOIN_LOAD_NOT_OPENED) ShowJoinError(CString::Build(kJoinCannotRead, path));
    m_AddHeader[c].clear();
    m_AddCols[c] = 0;
    return;
  }
  m_AddPath[c] = path;
  m_AddTitle[c] = StemOf(path);
  m_Def.AddCsvPath[c] = path;
  m_Def.AddCsvCols[c] = m_AddCols[c];
  std::fill(m_Def.AdelSelect[c], m_Def.AdelSelect[c] + GRID_COLS, ADDCOL_OUTPUT);
  FillAddList(c);
  PlaceAddList(c);
  ++m_AddCount;
  m_Def.AddCsvCnt = m_AddCount;
  if (m_SerialFlag) FillSerialList();
  UpdateAddButtons();
  UpdateCaption();
  RefreshView();
  GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(FALSE);
  m_Modified = 1;
}

void CAddcsvView::OnDeleteAddCsv() {
  if (GetUiHooks().MessageBox(CString(kAskRemoveAll), CString(kAppCaption), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return;
  }
  for (int l = 1; l < JOIN_LIST_COUNT; ++l) m_Lists[l]->ShowWindow(SW_HIDE);
  for (int c = 0; c < JOIN_MAX_ADDCSV; ++c) {
    m_AddPath[c].Empty();
    m_AddTitle[c].Empty();
    m_Def.AddCsvPath[c].Empty();
    m_Def.AddCsvTitle[c].Empty();
    m_AddHeader[c].clear();
    m_AddCols[c] = 0;
    m_AddRows[c] = 0;
    m_Def.AddCsvCols[c] = 0;
    m_Def.AddCsvRows[c] = 0;
    std::fill(m_Def.AdelSelect[c], m_Def.AdelSelect[c] + GRID_COLS, ADDCOL_OUTPUT);
  }
  for (std::vector<ALIGN>& a : m_Def.AlignArry) a.clear();
  m_ChainList = 0;
  m_AddCount = 0;
  m_Def.AddCsvCnt = 0;
  for (CRect& r : m_ListRects) r = CRect();
  m_AllRemoved = 1;
  GetDlgItem(res::IDC_ADDCSV_ADD)->ShowWindow(SW_SHOW);
  GetDlgItem(res::IDC_ADDCSV_DELETE)->ShowWindow(SW_HIDE);
  m_UndoCount = 0;
  m_Modified = 1;
  GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(TRUE);
  m_SerialFlag = 0;
  m_Def.SerealFg = 0;
  UpdateData(FALSE);
  UpdateLinkButtons();
  UpdateCaption();
  RefreshView();
}

void CAddcsvView::OnShowCsvFile() {
  if (m_SelectedList < 0) {
    ShowJoinNotice(CString(kNoListSelected));
    return;
  }
  // The serial list shows the additional CSV that it maps.
  const CString path = m_SelectedList == 0 ? m_MainPath : m_AddPath[m_SelectedList == 2 ? 1 : 0];
  if (!path.IsEmpty()) GetUiHooks().OpenDocument(path);
}

void CAddcsvView::OnSkip() {
  m_Skip = 1;
  EndDialog(IDOK);
}

void CAddcsvView::OnCloseButton() { EndDialog(IDCANCEL); }

void CAddcsvView::OnSerialCheck() {
  const int was = m_SerialFlag;
  UpdateData(TRUE);
  m_Def.SerealFg = m_SerialFlag;
  if (!was && m_SerialFlag) {
    FillSerialList();
    m_Lists[3]->ShowWindow(SW_SHOW);
    GetDlgItem(res::IDC_ADDCSV_SERIAL)->EnableWindow(FALSE);
    UpdateAddButtons();
    RefreshView();
  }
}

void CAddcsvView::ReadOutputFlags() {
  for (int c = 0; c < m_AddCount; ++c) {
    CDrawList* list = m_Lists[c + 1];
    for (int row = 0; row < list->GetItemCount() && row < GRID_COLS; ++row) {
      const CString cell = list->GetItemText(row, kDiscardColumn);
      if (cell == kDiscardMark) {
        m_Def.AdelSelect[c][row] = ADDCOL_DISCARD;
      } else if (cell.IsEmpty()) {
        m_Def.AdelSelect[c][row] = ADDCOL_OUTPUT;
      }
    }
  }
}

void CAddcsvView::OnOK() {
  const int columns = theApp.m_DataCols + m_OutCols;
  if (columns >= GRID_COLS + 1) {
    ShowJoinError(CString::Build(kTooManyColumns, columns, GRID_COLS));
    return;
  }
  if (m_AddCount == 0) {
    // Nothing left to join: "実行" refuses and the editor stays; only "スキップ"
    // leaves with every additional CSV removed.
    ShowJoinError(kJoinNothingToAdd);
    return;
  }
  ReadOutputFlags();
  m_Def.AddCsvCnt = m_AddCount;
  m_Def.SerealFg = m_SerialFlag;
  int joined = 0;
  {
    CWaitCursor wait;
    if (m_SerialFlag) {
      CDrawList* list = m_Lists[3];
      std::fill(std::begin(m_MinusFlags), std::end(m_MinusFlags), uint8_t{0});
      for (int p = 0; p < list->GetItemCount() && p < GRID_COLS; ++p) {
        if (list->GetItemText(p, kMinusColumn) == kMinusMark) m_MinusFlags[p] = 1;
      }
      joined = AppendSerial();
    } else {
      joined = JoinByKeys();
    }
  }
  if (joined != 1) return;
  for (int l = 0; l <= m_AddCount && l < JOIN_LIST_COUNT; ++l) m_ListRects[l] = m_Lists[l]->m_position;
  SaveJoinSettings();
  EndDialog(IDOK);
}

int RunAddCsvDialog(AddCsvDialogIo& io) {
  CAddcsvView view;
  view.m_InChain = io.inChain;
  view.m_MainPath = io.csvPath;
  view.m_MainTitle = io.csvTitle;
  const int result = static_cast<int>(view.DoModal());
  io.skipped = view.m_Skip;
  io.removedAll = view.m_AllRemoved;
  return result;
}
