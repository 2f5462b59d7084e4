// The CSV edit page's window: creation, activation, the grid list and its
// colours, captions and command buttons.

#include <algorithm>

#include "app/tabro_client_app.h"
#include "app/csv_page_grids.h"
#include "app/tabro_client_dlg.h"
#include "jobsheet/sheet/csv_page_messages.h"
#include "jobsheet/sheet/ui/csv_button_images.h"
#include "jobsheet/sheet/ui/edit_prop_sheet.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "res/csv_prop_page.h"

namespace {

// The command buttons in member order, with their tooltips.
struct CommandButton {
  int id;
  const char16_t* tooltip;
};
constexpr CommandButton kCommandButtons[] = {
    {res::IDC_CSV_DATAHEADER, u"データヘッダーにある件数や日付の部分を帳票ヘッダーで表示"},
    {res::IDC_CSV_EDITMODE, u"データの変更、削除を行います。"},
    {res::IDC_CSV_FILTER, u"フィルタ[絞り込み]"},
    {res::IDC_CSV_SORT, u"ソート[並び替え]"},
    {res::IDC_CSV_COLUMNS, u"使用するデータ列を選択、並び替えを行います。"},
    {res::IDC_CSV_CLIPBOARD, u"クリップボート読込"},
    {res::IDC_CSV_SUM, u"列の合計"},
    {res::IDC_CSV_COUNT, u"列の件数"},
    {res::IDC_CSV_ROWTOTAL, u"行の合計"},
    {res::IDC_CSV_COLOR, u"色替"},
    {res::IDC_CSV_GROUP, u"先頭列から指定した列までをグループ化します。"},
    {res::IDC_CSV_PAGEBREAK, u"先頭列のデータが変わったタイミングでページを切り替えます。"},
    {res::IDC_CSV_CODE39, u"バーコード[Code39]"},
    {res::IDC_CSV_QR, u"バーコード[QRコード]"},
    {res::IDC_CSV_SEAL, u"認印"},
    {res::IDC_CSV_APPROVAL, u"承認印"},
    {res::IDC_CSV_LETTERS, u"列番号表記切り替え"},
    {res::IDC_CSV_SUBJECT, u"科目ごとの集計を行うことができます。※合計の設定も必要"},
    {res::IDC_CSV_TIMESPAN, u"時間差"},
    {res::IDC_CSV_AVERAGE, u"平均"},
};
static_assert(std::size(kCommandButtons) == 20);

constexpr int kRowListRows = 20;
constexpr COLORREF kSeparatorColour = RGB(204, 204, 204);

}  // namespace

CCsvPropPageWnd::CCsvPropPageWnd(CCsvPropPage& page) : CCsvSheetPage(res::IDD_CSV_PROP_PAGE), m_Page(page) {
  m_GridList.m_pPage = this;
  m_RowList.m_pPage = this;
}

CCsvPropPageWnd::~CCsvPropPageWnd() = default;

BEGIN_MESSAGE_MAP(CCsvPropPageWnd, CCsvSheetPage)
ON_NOTIFY(NM_CLICK, res::IDC_CSV_GRID, &CCsvPropPageWnd::OnGridClick)
ON_NOTIFY(NM_DBLCLK, res::IDC_CSV_GRID, &CCsvPropPageWnd::OnGridDblClick)
ON_NOTIFY(NM_CLICK, res::IDC_CSV_ROWLIST, &CCsvPropPageWnd::OnRowListClick)
ON_NOTIFY(LVN_COLUMNCLICK, res::IDC_CSV_GRID, &CCsvPropPageWnd::OnGridColumnClick)
ON_NOTIFY(HDN_BEGINTRACK, 0, &CCsvPropPageWnd::OnHeaderBeginTrack)
ON_EN_CHANGE(res::IDC_CSV_CELLEDIT, &CCsvPropPageWnd::OnCellEditChange)
ON_EN_KILLFOCUS(res::IDC_CSV_CELLEDIT, &CCsvPropPageWnd::OnCellEditKillFocus)
ON_WM_CONTEXTMENU()
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_COMMAND(res::ID_CSV_CUT, &CCsvPropPageWnd::OnEditCut)
ON_COMMAND(res::ID_CSV_COPY, &CCsvPropPageWnd::OnEditCopy)
ON_COMMAND(res::ID_CSV_PASTE, &CCsvPropPageWnd::OnEditPaste)
ON_COMMAND(res::ID_CSV_DELETE, &CCsvPropPageWnd::OnEditDelete)
ON_COMMAND(res::ID_CSV_INSERT, &CCsvPropPageWnd::OnEditInsert)
ON_COMMAND(res::ID_CSV_DESELECT, &CCsvPropPageWnd::OnEditDeselect)
ON_COMMAND(res::ID_CSV_BLANK_INCL, &CCsvPropPageWnd::OnCountBlankIncluded)
ON_COMMAND(res::ID_CSV_BLANK_EXCL, &CCsvPropPageWnd::OnCountBlankExcluded)
ON_COMMAND(res::ID_CSV_BLANK_CLEAR, &CCsvPropPageWnd::OnCountBlankClear)
ON_BN_CLICKED(res::IDC_CSV_SUM, &CCsvPropPageWnd::OnSum)
ON_BN_CLICKED(res::IDC_CSV_COUNT, &CCsvPropPageWnd::OnCount)
ON_BN_CLICKED(res::IDC_CSV_AVERAGE, &CCsvPropPageWnd::OnAverage)
ON_BN_CLICKED(res::IDC_CSV_CODE39, &CCsvPropPageWnd::OnCode39)
ON_BN_CLICKED(res::IDC_CSV_QR, &CCsvPropPageWnd::OnQr)
ON_BN_CLICKED(res::IDC_CSV_SEAL, &CCsvPropPageWnd::OnSeal)
ON_BN_CLICKED(res::IDC_CSV_APPROVAL, &CCsvPropPageWnd::OnApprovalSeal)
ON_BN_CLICKED(res::IDC_CSV_COLOR, &CCsvPropPageWnd::OnColor)
ON_BN_CLICKED(res::IDC_CSV_SUBJECT, &CCsvPropPageWnd::OnSubjectTotal)
ON_BN_CLICKED(res::IDC_CSV_GROUP, &CCsvPropPageWnd::OnGroupColumn)
ON_BN_CLICKED(res::IDC_CSV_ROWTOTAL, &CCsvPropPageWnd::OnRowTotal)
ON_BN_CLICKED(res::IDC_CSV_TIMESPAN, &CCsvPropPageWnd::OnTimeSpan)
ON_BN_CLICKED(res::IDC_CSV_FILTER, &CCsvPropPageWnd::OnFilter)
ON_BN_CLICKED(res::IDC_CSV_SORT, &CCsvPropPageWnd::OnSort)
ON_BN_CLICKED(res::IDC_CSV_EDITMODE, &CCsvPropPageWnd::OnEditMode)
ON_BN_CLICKED(res::IDC_CSV_COLUMNS, &CCsvPropPageWnd::OnColumnSelect)
ON_BN_CLICKED(res::IDC_CSV_CLEAR, &CCsvPropPageWnd::OnClearSettings)
ON_BN_CLICKED(res::IDC_CSV_CLIPBOARD, &CCsvPropPageWnd::OnClipboardRead)
ON_BN_CLICKED(res::IDC_CSV_DATAHEADER, &CCsvPropPageWnd::OnDataHeader)
ON_BN_CLICKED(res::IDC_CSV_PAGEBREAK, &CCsvPropPageWnd::OnPageBreak)
ON_BN_CLICKED(res::IDC_CSV_LETTERS, &CCsvPropPageWnd::RefreshColumnCaptions)
END_MESSAGE_MAP()

void CCsvPropPageWnd::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_CSV_GRID, m_GridList);
  DDX_Control(pDX, res::IDC_CSV_ROWLIST, m_RowList);
  DDX_Text(pDX, res::IDC_CSV_COMMAND, m_Page.m_CommandText);
  DDX_Control(pDX, res::IDC_CSV_CELLEDIT, m_EditCell);
  m_Filling = true;
  DDX_Text(pDX, res::IDC_CSV_CELLEDIT, m_Page.m_CellText);
  m_Filling = false;
  DDV_MaxChars(pDX, m_Page.m_CellText, 1000);
  DDX_Text(pDX, res::IDC_CSV_SORTTEXT, m_Page.m_SortText);
  DDV_MaxChars(pDX, m_Page.m_SortText, 100);
  DDX_Text(pDX, res::IDC_CSV_CONDTEXT, m_Page.m_ConditionText);
  // Typing stops at 50 characters; a longer condition from a job (up to 100) is
  // shown and read back as it is, never refused.
  if (!pDX->m_bSaveAndValidate) DDV_MaxChars(pDX, m_Page.m_ConditionText, std::max(50, m_Page.m_ConditionText.GetLength()));
  DDX_Text(pDX, res::IDC_CSV_COUNTTEXT, m_Page.m_CountText);
  DDV_MaxChars(pDX, m_Page.m_CountText, 100);
  DDX_Text(pDX, res::IDC_CSV_TITLEROW, m_Page.m_TitleRowText);
  DDV_MaxChars(pDX, m_Page.m_TitleRowText, 100);
  DDX_Check(pDX, res::IDC_CSV_DATAHEADER, m_Page.m_DataHeader);
  DDX_Check(pDX, res::IDC_CSV_PAGEBREAK, m_Page.m_PageBreak);
  DDX_Check(pDX, res::IDC_CSV_LETTERS, m_Page.m_LetterColumns);
  for (size_t i = 0; i < m_Buttons.size(); ++i) DDX_Control(pDX, kCommandButtons[i].id, m_Buttons[i]);
  DDX_Control(pDX, res::IDC_CSV_CLEAR, m_BtnClear);
}

void CCsvPropPageWnd::ShowValues() {
  m_Filling = true;
  UpdateData(FALSE);
  m_Filling = false;
}

BOOL CCsvPropPageWnd::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CsvGrids g = AppCsvGrids();
  // The page is first shown before its activation takes the sheet's state.
  if (auto* sheet = dynamic_cast<CEditPropSheet*>(GetSheet())) m_Page.m_EditModeForced = sheet->m_FromClipboard;
  m_GridList.SetRedraw(FALSE);
  if (theApp.m_TitleRow == -1) m_Page.m_TitleRowText = u"タイトル行無し";
  else m_Page.m_TitleRowText.Format(kCsvTitleRowFormat, theApp.m_TitleRow + 1);
  m_GridList.SetExtendedStyle(LVS_EX_GRIDLINES);
  m_GridList.SetTextSource([this](int row, int sub) -> CString {
    if (sub == 1) return m_Page.RowNumberText(row);
    if (sub < kFirstDataSubItem) return CString();
    const int c = sub - kFirstDataSubItem;
    return c < m_Page.m_ColCount ? theApp.m_EditGrid.GetAt(row, c) : CString();
  });
  m_GridList.SetHeaderColorSource([this](int sub) { return HeadingColour(sub); });
  m_RowList.SetExtendedStyle(LVS_EX_GRIDLINES);
  m_RowList.ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
  m_RowList.SetTextSource([this](int item, int sub) -> CString {
    return sub == 1 ? m_Page.RowNumberText(std::max(m_Page.m_RowListTop, 0) + item) : CString();
  });
  ClearGridList();
  FillGridList(m_Page.m_RowCount, m_Page.m_ColCount);
  m_Page.m_CountText = m_Page.CountLine(g);
  ShowValues();
  UpdateAllCaptions();
  // The row numbers start where the grid's rows start, below its heading.
  CRect grid, rows;
  m_GridList.GetWindowRect(&grid);
  ScreenToClient(&grid);
  m_RowList.GetWindowRect(&rows);
  ScreenToClient(&rows);
  CRect heading;
  if (m_GridList.GetHeaderCtrl() && m_GridList.GetHeaderCtrl()->GetItemRect(0, &heading))
    m_RowList.MoveWindow(rows.left, grid.top + heading.Height(), rows.Width(), grid.Height() - heading.Height());
  m_RowList.InsertColumn(0, CString(), LVCFMT_RIGHT, 0);
  m_RowList.InsertColumn(1, u"番号", LVCFMT_RIGHT, rows.Width());
  m_RowList.SetItemCountEx(kRowListRows);
  m_Page.m_RowListTop = -1;
  SyncRowNumbers();
  m_Page.m_Initialised = 1;
  m_GridList.SetRedraw(TRUE);
  SetupButtons();
  if (m_Page.m_EditModeForced) {
    GetDlgItem(res::IDC_CSV_CLIPBOARD)->EnableWindow(TRUE);
    m_Page.m_RowListTop = -1;
    SyncRowNumbers();
  }
  UpdateCommandButtons();
  return TRUE;
}

BOOL CCsvPropPageWnd::OnSetActive() {
  UpdateData(TRUE);
  // The sheet's shared state: what the other pages left there.
  if (auto* sheet = dynamic_cast<CEditPropSheet*>(GetSheet())) {
    m_Page.m_ReportKind = sheet->m_DocKind;
    m_Page.m_SubKind = sheet->m_SubKind;
    m_Page.m_DataHeader = sheet->m_CsvHederTyp;
    m_Page.m_OutputFormat = sheet->m_OutputFormat;
    for (int c = 0; c < std::clamp(theApp.m_EditCols, 0, GRID_COLS); ++c) m_Page.m_ColumnCodes[c] = sheet->m_ColumnCodes[c];
    m_Page.m_SubjectCol = sheet->m_SubjectColumn;
    m_Page.m_Numbering = sheet->m_Numbering;
    m_Page.m_CharCode = sheet->m_CharCode;
    m_Page.m_EditMode = sheet->m_EditMode;
    m_Page.m_EditModeForced = sheet->m_FromClipboard;
    m_Page.m_PageBreak = sheet->m_BreakMode;
  }
  UpdateCommandButtons();
  UpdateAllCaptions();
  ShowValues();
  UpdateCommandButtons();
  return CPropertyPage::OnSetActive();
}

BOOL CCsvPropPageWnd::OnKillActive() {
  UpdateData(TRUE);
  HandBack();
  return CPropertyPage::OnKillActive();
}

void CCsvPropPageWnd::HandBack() {
  auto* sheet = dynamic_cast<CEditPropSheet*>(GetSheet());
  if (!sheet) return;
  if (sheet->m_MainDlg) sheet->m_MainDlg->ReadCsvPage(&m_Page);
  sheet->SetPageState(m_Page.m_ReportKind, m_Page.m_SubKind, m_Page.m_DataHeader, m_Page.m_OutputFormat,
                      m_Page.m_ColumnCodes, m_Page.m_SubjectCol, m_Page.m_Numbering, m_Page.m_CharCode,
                      m_Page.m_EditMode, m_Page.m_EditModeForced);
  sheet->m_BreakMode = m_Page.m_PageBreak;
}

void CCsvPropPageWnd::ClearGridList() {
  while (m_GridList.GetColumnCount() > 0) m_GridList.DeleteColumn(0);
  m_GridList.SetItemCountEx(0);
  m_Page.m_ListColumns = 0;
  m_Page.m_ListItems = 0;
  m_BuiltColumns = -1;
}

void CCsvPropPageWnd::FillGridList(int rows, int cols) {
  CRect rect;
  m_GridList.GetClientRect(&rect);
  m_Page.m_ColWidth = rect.Width() / 9;
  const int dataColumns = std::clamp(cols + kSpareLines, 0, GRID_COLS);
  if (dataColumns != m_BuiltColumns) {
    // Columns change only when their number does; headings are rewritten below.
    auto column = [](const CString& text, int fmt, int width) {
      LVCOLUMN c;
      c.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
      c.pszText = text;
      c.fmt = fmt;
      c.cx = width;
      return c;
    };
    std::vector<LVCOLUMN> columns;
    columns.push_back(column(CString(), LVCFMT_RIGHT, 0));
    columns.push_back(column(u"行番号", LVCFMT_RIGHT, 0));
    for (int n = 1; n <= dataColumns; ++n) columns.push_back(column(CString(), LVCFMT_LEFT, m_Page.m_ColWidth));
    m_GridList.SetColumns(columns);
    m_BuiltColumns = dataColumns;
  }
  m_GridList.SetItemCountEx(std::clamp(rows + kSpareLines, 0, EDIT_GRID_ROWS));
  m_Page.m_ListItems = m_GridList.GetItemCount();
  m_Page.m_ListColumns = m_GridList.GetColumnCount();
  UpdateAllCaptions();
  m_GridList.Invalidate(FALSE);
}

void CCsvPropPageWnd::SyncRowNumbers() {
  const int top = m_GridList.GetTopIndex();
  if (top == m_Page.m_RowListTop) return;
  m_Page.m_RowListTop = top;
  m_RowList.Invalidate(FALSE);
}

void CCsvPropPageWnd::UpdateAllCaptions() {
  const int columns = m_GridList.GetColumnCount();
  // A heading with tags widens its column rather than run into the next.
  CClientDC dc(&m_GridList);
  dc.SelectObject(m_GridList.GetFont());
  constexpr int kHeadingPadding = 12;
  for (int sub = kFirstDataSubItem; sub < columns; ++sub) {
    LVCOLUMN col;
    col.mask = LVCF_TEXT;
    col.pszText = m_Page.ColumnCaption(sub - kFirstDataSubItem);
    m_GridList.SetColumn(sub, &col);
    const int need = dc.GetTextExtent(col.pszText).cx + kHeadingPadding;
    if (need > m_GridList.GetColumnWidth(sub)) m_GridList.SetColumnWidth(sub, need);
  }
}

void CCsvPropPageWnd::UpdateCommandButtons() {
  CsvGrids g = AppCsvGrids();
  const CCsvPropPage::ButtonStates s = m_Page.ComputeButtonStates(g);
  for (int i = 0; i < 19; ++i)
    if (CWnd* w = GetDlgItem(s.ids[i])) w->EnableWindow(s.enabled[i]);
  // The clipboard button belongs to pasted input only.
  if (CWnd* w = GetDlgItem(res::IDC_CSV_CLIPBOARD)) w->EnableWindow(m_Page.m_EditModeForced != 0);
  CWnd* pageBreak = GetDlgItem(res::IDC_CSV_PAGEBREAK);
  if (pageBreak && (theApp.m_EditModeEntered || m_Page.m_EditModeForced || m_Page.m_DataHeader == 1))
    pageBreak->EnableWindow(FALSE);
  m_GridList.Invalidate(FALSE);
  m_RowList.Invalidate(FALSE);
}

void CCsvPropPageWnd::RefreshAfterCommand() {
  FillGridList(m_Page.m_RowCount, m_Page.m_ColCount);
  UpdateCommandButtons();
  m_Page.m_RowListTop = -1;
  SyncRowNumbers();
  ShowValues();
  if (CWnd* h = m_GridList.GetHeaderCtrl()) h->Invalidate(FALSE);
}

void CCsvPropPageWnd::SetupButtons() {
  CFont* font = GetFont();
  for (size_t i = 0; i < m_Buttons.size(); ++i) {
    CMFCButtonEx& b = m_Buttons[i];
    const int id = kCommandButtons[i].id;
    const bool textAbove = id == res::IDC_CSV_DATAHEADER || id == res::IDC_CSV_COLOR ||
                           id == res::IDC_CSV_EDITMODE || id == res::IDC_CSV_CLIPBOARD || id == res::IDC_CSV_COLUMNS;
    double factor = 0;
    if (id == res::IDC_CSV_FILTER || id == res::IDC_CSV_GROUP) factor = 0.95;
    if (id == res::IDC_CSV_CLIPBOARD) factor = 0.92;
    int fill = 0;
    if (id == res::IDC_CSV_LETTERS) fill = 1;
    if (id == res::IDC_CSV_PAGEBREAK && m_Page.m_PageBreak) fill = 2;
    // The picture by the button's height; the ticked one while a check stays down.
    CRect client;
    b.GetClientRect(&client);
    const bool checkable = id == res::IDC_CSV_DATAHEADER || id == res::IDC_CSV_PAGEBREAK || id == res::IDC_CSV_LETTERS;
    const bool ticked = checkable && b.GetCheck() == BST_CHECKED;
    b.m_bTopImage = TRUE;
    // The corner button above the row numbers is too low for a picture over its text.
    if (id != res::IDC_CSV_LETTERS) b.SetImage(CsvButtonImage(id, CsvButtonImageSize(client.Height()), ticked));
    b.SetButtonFont(font, textAbove ? 1 : 0, factor, fill);
    b.SetTooltip(kCommandButtons[i].tooltip);
    b.Invalidate();
  }
}

COLORREF CCsvPropPageWnd::GridCellColour(int row, int subitem) const {
  const CCsvPropPage& p = m_Page;
  if (subitem == 0) return kCsvFrameBeige;
  if (subitem == 1) {
    const bool selected = p.m_SelKind == SEL_ROWS
                              ? std::find(p.m_SelIndexes.begin(), p.m_SelIndexes.end(), row) != p.m_SelIndexes.end()
                              : p.m_SelCell.row == row;
    return selected ? kCsvHighlightBlue : kCsvFrameBeige;
  }
  const bool pending = p.m_ClipState == CLIP_COPIED || p.m_ClipState == CLIP_CUT;
  bool flagged = false;
  bool target = false;
  if (p.m_SelKind == SEL_COLUMNS && pending) {
    flagged = target = subitem == p.m_PasteSubItem;
  } else if (p.m_SelKind == SEL_ROWS && pending) {
    flagged = target = row == p.m_PasteRow && p.m_PasteRow > 0;
  } else if (p.m_SelKind == SEL_ROWS) {
    flagged = p.IsRowSelected(row);
  } else if (p.m_ClipState != CLIP_CUT) {
    flagged = p.m_SelKind == SEL_COLUMNS ? p.IsColumnSelected(subitem) : p.IsCellSelected(row, subitem);
  }
  if (row == theApp.m_TitleRow) return flagged && !target ? kCsvSelectionGrey : kCsvTitleCyan;
  return flagged ? kCsvSelectionGrey : kCsvWhite;
}

COLORREF CCsvPropPageWnd::RowNumberColour(int item) const {
  const CCsvPropPage& p = m_Page;
  const int row = item + std::max(p.m_RowListTop, 0);
  if (p.m_SelKind != SEL_ROWS) return kCsvFrameBeige;
  const bool pending = p.m_ClipState == CLIP_COPIED || p.m_ClipState == CLIP_CUT;
  bool selected;
  if (p.m_SelMulti != MULTI_SINGLE || pending)
    selected = std::find(p.m_SelIndexes.begin(), p.m_SelIndexes.end(), row) != p.m_SelIndexes.end();
  else
    selected = p.m_SelCell.row == row;
  return selected ? kCsvHighlightBlue : kCsvFrameBeige;
}

COLORREF CCsvPropPageWnd::HeadingColour(int subitem) const {
  const CCsvPropPage& p = m_Page;
  if (p.m_SelKind != SEL_COLUMNS || subitem < kFirstDataSubItem) return kCsvFrameBeige;
  const bool pending = p.m_ClipState == CLIP_COPIED || p.m_ClipState == CLIP_CUT;
  if (pending && subitem == p.m_PasteSubItem) return kCsvFrameBeige;
  const bool selected = p.m_SelMulti != MULTI_SINGLE || pending ? p.IsColumnSelected(subitem)
                                                                : p.m_SelCell.subitem == subitem;
  return selected ? kCsvHighlightBlue : kCsvFrameBeige;
}

void CCsvPropPageWnd::OnPaint() {
  CPaintDC dc(this);
  // Thin lines between the groups of command buttons.
  auto inflated = [&](int id, int dx, int dy) {
    CRect r;
    if (CWnd* w = GetDlgItem(id)) {
      w->GetWindowRect(&r);
      ScreenToClient(&r);
      r.InflateRect(dx, dy);
    }
    return r;
  };
  const CRect clip = inflated(res::IDC_CSV_CLIPBOARD, 15, 8);
  const int xs[] = {clip.right, inflated(res::IDC_CSV_AVERAGE, 24, 8).right - 15,
                    inflated(res::IDC_CSV_COLOR, 24, 8).right - 15, inflated(res::IDC_CSV_PAGEBREAK, 11, 8).right,
                    inflated(res::IDC_CSV_SUBJECT, 10, 8).right};
  CPen pen(PS_SOLID, 1, kSeparatorColour);
  CPen* old = dc.SelectObject(&pen);
  for (int x : xs) {
    dc.MoveTo(x, clip.top - 10);
    dc.LineTo(x, clip.bottom + 20);
  }
  dc.SelectObject(old);
}

HBRUSH CCsvPropPageWnd::OnCtlColor(CDC*, CWnd* wnd, UINT) {
  // The count line and the tool bar's frame are grey, every other control white.
  const int id = wnd ? wnd->GetDlgCtrlID() : 0;
  if (id == res::IDC_CSV_COUNTTEXT || id == res::IDC_CSV_FRAME) return &m_BrushGrey;
  return &m_BrushWhite;
}

void CCsvPropPageWnd::OnHeaderBeginTrack(NMHDR* hdr, LRESULT* result) {
  const auto* h = reinterpret_cast<NMHEADER*>(hdr);
  *result = h->iItem < kFirstDataSubItem ? TRUE : FALSE;
}
