// The CSV edit page's window offscreen: clicks, typing, menus and colours go
// through the real widgets and reach the application's grids.

#include <gtest/gtest.h>

#include "app/csv_page_grids.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "app/up_calls.h"
#include "jobsheet/command/command_parser.h"
#include "jobsheet/sheet/csv_page_exchange.h"
#include "jobsheet/sheet/ui/color_dlg.h"
#include "jobsheet/sheet/ui/csv_button_images.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/color_dlg.h"
#include "res/csv_prop_page.h"
#include "res/filter_dlg.h"
#include "res/time_span_dlg.h"
#include "support/look.h"

namespace {

// The application's grids hold rows of comma-separated cells; the page is filled
// as the sheet fills it and its window created.
class CsvPageWindow : public ::testing::Test {
 protected:
  void Load(const std::vector<const char16_t*>& rows, int title = 0) {
    Fill(rows, title);
    Open();
  }
  // The grids and the page only, for a test that does what the sheet does before the window opens.
  void Fill(const std::vector<const char16_t*>& rows, int title = 0) {
    theApp.m_DataGrid.Clear();
    theApp.m_EditGrid.Clear();
    int cols = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
      CString line(rows[r]);
      int c = 0, start = 0;
      for (;;) {
        const int comma = line.Find(u',', start);
        theApp.m_DataGrid.SetAt(static_cast<int>(r), c, line.Mid(start, comma < 0 ? line.GetLength() - start : comma - start));
        ++c;
        if (comma < 0) break;
        start = comma + 1;
      }
      cols = std::max(cols, c);
    }
    theApp.m_DataRows = static_cast<int>(rows.size());
    theApp.m_DataCols = cols;
    theApp.m_TitleRow = title;
    theApp.m_SendRows = theApp.m_SendCols = 0;
    theApp.m_EditModeEntered = 0;
    theApp.m_TotalRows = 0;
    CsvGrids g = AppCsvGrids();
    page.CopySourceToGrid(g);
    page.m_PageTitleRow = title;
    for (int c = 0; c < cols && title >= 0; ++c) page.m_HeaderNames[c] = theApp.m_DataGrid.GetAt(title, c);
  }
  void Open() {
    wnd = std::make_unique<CCsvPropPageWnd>(page);
    ASSERT_TRUE(wnd->Create(res::IDD_CSV_PROP_PAGE));
    wnd->ShowWindow(SW_SHOW);
    ui::ProcessEvents();
  }
  void TearDown() override {
    wnd.reset();
    theApp.m_DataGrid.Clear();
    theApp.m_EditGrid.Clear();
    theApp.m_TitleRow = -1;
    theApp.m_EditModeEntered = 0;
  }
  CString Heading(int column) { return wnd->m_GridList.GetHeaderCtrl()->GetItemText(column + kFirstDataSubItem); }

  RecordingUiHooks hooks;
  ScriptedModalDriver modal;   // after the hooks: it answers the boxes, dialogs and menus
  CCsvPropPage page;
  std::unique_ptr<CCsvPropPageWnd> wnd;
};

const std::vector<const char16_t*> kSales = {u"店,売上,数量", u"東京,100,3", u"大阪,250,5", u"名古屋,80,2"};

TEST_F(CsvPageWindow, OpensWithTheGridSpareLinesAndCounts) {
  Load(kSales);
  EXPECT_EQ(wnd->m_GridList.GetItemCount(), 4 + 10);
  EXPECT_EQ(wnd->m_GridList.GetColumnCount(), 2 + 3 + 10);
  EXPECT_EQ(wnd->m_GridList.GetItemText(2, 3), CString(u"250"));
  EXPECT_EQ(Heading(0), CString(u"1"));
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_COUNTTEXT), CString(u" 表示 最大列数 256 最大行数 3000    全行数 4"));
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_TITLEROW), CString(u"タイトル行=1"));
  EXPECT_EQ(wnd->m_RowList.GetItemCount(), 20);
  EXPECT_EQ(wnd->m_RowList.GetItemText(0, 1), CString(u"    1"));
  EXPECT_TRUE(ui::IsEnabled(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_FALSE(ui::IsEnabled(*wnd, res::IDC_CSV_CLIPBOARD));
  // The buttons carry their pictures and tooltips; the page-break picture follows its tick.
  const CMFCButtonEx& pageBreak = wnd->m_Buttons[11];
  ASSERT_NE(pageBreak.Image(), nullptr);
  EXPECT_EQ(pageBreak.Image(), CsvButtonImage(res::IDC_CSV_PAGEBREAK, CSVIMG_MEDIUM, false));
  ASSERT_TRUE(ui::SetChecked(*wnd, res::IDC_CSV_PAGEBREAK, true));
  EXPECT_EQ(page.m_PageBreak, 1);
  EXPECT_EQ(pageBreak.Image(), CsvButtonImage(res::IDC_CSV_PAGEBREAK, CSVIMG_MEDIUM, true));
  EXPECT_EQ(pageBreak.m_ContentFill, 2);
  EXPECT_EQ(LookAt(*wnd, "csv_page_opened"), "");
}

TEST_F(CsvPageWindow, ClickingAHeadingAndSumWritesTheCaption) {
  Load(kSales);
  wnd->m_GridList.ClickColumnAsUser(1 + kFirstDataSubItem);
  EXPECT_EQ(page.m_SelKind, SEL_COLUMNS);
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_SUM));
  EXPECT_EQ(page.m_ColumnCodes[1], CODE_SUM);
  EXPECT_EQ(Heading(1), CString(u"2   [SUM]"));
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_LETTERS));
  EXPECT_EQ(Heading(1), CString(u"B   [SUM]"));
  KeepPicture(*wnd, "csv_page_column_selected");
}

TEST_F(CsvPageWindow, TypingInTheTitleRowRenamesTheField) {
  Load(kSales);
  wnd->m_GridList.ClickAsUser(0, 1 + kFirstDataSubItem);
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_CELLEDIT), CString(u"売上"));
  EXPECT_EQ(page.m_HeaderEdited[1], 0);   // showing the text changes nothing
  ASSERT_TRUE(ui::Type(*wnd, res::IDC_CSV_CELLEDIT, u"売上金額"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(0, 1), CString(u"売上金額"));
  EXPECT_EQ(page.m_HeaderNames[1], CString(u"売上金額"));
  EXPECT_EQ(wnd->m_GridList.GetItemText(0, 3), CString(u"売上金額"));
  // Enter in the cell editor moves along the title row outside edit mode.
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_CELLEDIT, VK_RETURN));
  EXPECT_EQ(page.m_SelCell.subitem, 2 + kFirstDataSubItem);
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_CELLEDIT), CString(u"数量"));
}

TEST_F(CsvPageWindow, ContextMenuCopiesAndPastesAColumn) {
  Load(kSales);
  // Below the last row, where a right click selects no cell (above the
  // horizontal scroll bar, which has a menu of its own).
  CRect client;
  wnd->m_GridList.GetClientRect(&client);
  const CPoint below(client.left + 80, client.bottom - 30);
  wnd->m_GridList.ClickColumnAsUser(0 + kFirstDataSubItem);
  modal.QueueMenuCommand(res::ID_CSV_COPY);
  ASSERT_TRUE(ui::RightClickAt(wnd->m_GridList, below));
  EXPECT_EQ(page.m_ClipState, CLIP_COPIED);
  wnd->m_GridList.ClickColumnAsUser(3 + kFirstDataSubItem);
  // The source heading stays blue, the target beige; the target's cells grey below the title row.
  EXPECT_EQ(wnd->HeadingColour(0 + kFirstDataSubItem), kCsvHighlightBlue);
  EXPECT_EQ(wnd->HeadingColour(3 + kFirstDataSubItem), kCsvFrameBeige);
  EXPECT_EQ(wnd->GridCellColour(2, 3 + kFirstDataSubItem), kCsvSelectionGrey);
  EXPECT_EQ(wnd->GridCellColour(0, 3 + kFirstDataSubItem), kCsvTitleCyan);
  KeepPicture(*wnd, "csv_page_copy_pending");
  modal.QueueMenuCommand(res::ID_CSV_PASTE);
  ASSERT_TRUE(ui::RightClickAt(wnd->m_GridList, below));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(0, 3), CString(u"店_2"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(3, 3), CString(u"名古屋"));
  EXPECT_EQ(wnd->m_GridList.GetItemText(3, 5), CString(u"名古屋"));
  EXPECT_EQ(wnd->m_GridList.GetColumnCount(), 2 + 4 + 10);
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(CsvPageWindow, RightClickOnARowKeepsTheColumnSelectionForTheMenu) {
  Load(kSales);
  wnd->m_GridList.ClickColumnAsUser(1 + kFirstDataSubItem);
  ASSERT_EQ(page.m_SelKind, SEL_COLUMNS);
  // On a data row, not below the rows: the press must not count as a click.
  CRect cell;
  ASSERT_TRUE(wnd->m_GridList.GetSubItemRect(2, 1 + kFirstDataSubItem, LVIR_BOUNDS, cell));
  modal.QueueMenuCommand(res::ID_CSV_COPY);
  ASSERT_TRUE(ui::RightClickAt(wnd->m_GridList, cell.CenterPoint()));
  EXPECT_EQ(page.m_SelKind, SEL_COLUMNS);
  EXPECT_EQ(page.m_ClipState, CLIP_COPIED);
  EXPECT_EQ(modal.Failures(), 0);
}

// Regression: these three buttons did nothing, their dialogs were never wired.
TEST_F(CsvPageWindow, ColumnFilterAndTimeSpanButtonsOpenTheirDialogs) {
  Load(kSales);
  modal.QueueCancel(134);   // 列選択
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_COLUMNS));
  modal.QueueCancel(131);   // フィルター
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_FILTER));
  page.m_ReportKind = 1;   // a summary table by items: time differences are offered
  page.m_SubKind = 2;
  wnd->m_GridList.ClickColumnAsUser(1 + kFirstDataSubItem);
  page.ClickColumn(2 + kFirstDataSubItem, true, false);   // Shift: a start and an end column
  wnd->RefreshAfterCommand();
  modal.QueueCancel(266);   // 時間差設定
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_TIMESPAN));
  EXPECT_EQ(modal.Failures(), 0);
}

// Regression: the first computed column took the source number of the last
// data column, so the job sent that column twice and showed its data there.
TEST_F(CsvPageWindow, AComputedColumnGetsASourceBeyondTheData) {
  Load({u"店,開始,終了", u"東京,9:00,17:30", u"大阪,8:00,12:00"});
  page.m_ReportKind = 1;   // a summary table by items: computed columns are offered
  page.m_SubKind = 2;
  wnd->RefreshAfterCommand();
  wnd->m_GridList.ClickColumnAsUser(1 + kFirstDataSubItem);
  page.ClickColumn(2 + kFirstDataSubItem, true, false);   // Shift: the end column
  modal.Queue(res::IDD_TIME_SPAN_DLG, [](CDialog& d) {
    ASSERT_TRUE(ui::Type(d, res::IDC_TIMESPAN_MINUTES, u"30"));
    ASSERT_TRUE(ui::Click(d, IDOK));
  });
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_TIMESPAN));
  ASSERT_EQ(page.m_ColCount, 4);
  EXPECT_EQ(Heading(2), CString(u"3   [時間差]"));
  EXPECT_EQ(page.m_ColumnMap[3], 4);
  JOBSETTING job;
  int sendRows = 0, sendCols = 0;
  ReadCsvPageInto(job, page, theApp.m_EditCols, 0, sendRows, sendCols);
  EXPECT_EQ(job.m_Select, CString(u"1,2,3,4"));
  EXPECT_EQ(modal.Failures(), 0);
}

// Regression: the condition's static lost an "&" on every exchange of the
// page's data, so "&&" became "&" and then nothing in the job.
TEST_F(CsvPageWindow, TheConditionIsShownAndKeptAsTyped) {
  Load(kSales);
  const CString condition = u"[売上]<200 && [数量]<5";
  modal.Queue(res::IDD_FILTER_DLG, [&](CDialog& d) {
    ASSERT_TRUE(ui::Type(d, res::IDC_FILTER_TEXT, condition));
    ASSERT_TRUE(ui::Click(d, IDOK));
  });
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_FILTER));
  for (int exchange = 0; exchange < 3; ++exchange) {
    ASSERT_TRUE(wnd->UpdateData(TRUE));
    wnd->UpdateData(FALSE);
  }
  EXPECT_EQ(page.m_ConditionText, condition);
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_CONDTEXT), condition);
  auto* shown = qobject_cast<QLabel*>(wnd->GetDlgItem(res::IDC_CSV_CONDTEXT)->m_hWnd);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text(), QStringLiteral("[売上]<200 && [数量]<5"));
  // Edit mode reads it as the dialog's examples mean it.
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_EQ(page.m_RowCount, 3);
  EXPECT_EQ(theApp.m_EditGrid.GetAt(1, 0), CString(u"東京"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(2, 0), CString(u"名古屋"));
  EXPECT_EQ(modal.Failures(), 0);
}

// In edit mode a condition that keeps no row is said and the rows stay.
TEST_F(CsvPageWindow, AConditionKeepingNoRowInEditModeIsSaid) {
  Load(kSales);
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  modal.Queue(res::IDD_FILTER_DLG, [](CDialog& d) {
    ASSERT_TRUE(ui::Type(d, res::IDC_FILTER_TEXT, u"[2]＞1000 | [3]＞9"));
    ASSERT_TRUE(ui::Click(d, IDOK));
  });
  modal.QueueBox(IDOK, u"条件に合う行がありません。\n条件式を見直してください。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_FILTER));
  EXPECT_EQ(page.m_RowCount, 4);
  EXPECT_EQ(wnd->m_GridList.GetItemText(3, 2), CString(u"名古屋"));
  modal.Queue(res::IDD_FILTER_DLG, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, res::IDC_FILTER_TEXT), CString(u"[2]＞1000 | [3]＞9"));   // back for mending
    ASSERT_TRUE(ui::Type(d, res::IDC_FILTER_TEXT, u"[2]＞1000 | [3]＞4"));
    ASSERT_TRUE(ui::Click(d, IDOK));
  });
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_FILTER));
  EXPECT_EQ(page.m_RowCount, 2);
  EXPECT_EQ(wnd->m_GridList.GetItemText(1, 2), CString(u"大阪"));
  EXPECT_EQ(modal.Failures(), 0);
}

// Regression: after a job was loaded its sort keys worked but their line stayed
// empty, and in edit mode the first spare column lost its number.
TEST_F(CsvPageWindow, AJobsSortKeysAreShownAndTheFirstSpareColumnKeepsItsNumber) {
  Fill(kSales);
  CTabroClientDlg dlg;
  ParseCommandText(dlg.m_JobSetting, u"Sort2DN");
  ASSERT_EQ(dlg.FillCsvPage(CString(), &page, 0), 1);
  Open();
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_SORTTEXT), CString(u"売上\n"));
  EXPECT_EQ(Heading(3), CString(u"4"));
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(1, 0), CString(u"大阪"));   // the job's key: 売上, descending
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_SORTTEXT), CString());
  EXPECT_EQ(Heading(2), CString(u"3"));
  EXPECT_EQ(Heading(3), CString(u"4"));   // typing there adds a column
  EXPECT_EQ(Heading(4), CString());
  EXPECT_EQ(modal.Failures(), 0);
}

// Regression: a row condition over 50 characters from a job made every read of
// the page fail, and the ticks after it were lost.
TEST_F(CsvPageWindow, ALongConditionFromAJobIsReadBack) {
  Load(kSales);
  page.m_ConditionText = CString(u'条', 80);
  wnd->UpdateData(FALSE);
  ASSERT_TRUE(ui::SetChecked(*wnd, res::IDC_CSV_PAGEBREAK, true));
  EXPECT_TRUE(wnd->UpdateData(TRUE));
  EXPECT_EQ(page.m_ConditionText, CString(u'条', 80));
  EXPECT_EQ(page.m_PageBreak, 1);
}

TEST_F(CsvPageWindow, EditModeLetsRowsBeDeletedByKey) {
  Load(kSales);
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_EQ(theApp.m_EditModeEntered, 1);
  EXPECT_FALSE(ui::IsEnabled(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_COUNTTEXT), CString(u" 表示 最大列数 256 最大行数 3000"));
  EXPECT_EQ(wnd->m_RowList.GetItemText(5, 1), CString());   // beyond the rows in use
  wnd->m_RowList.ClickAsUser(2, 1);
  EXPECT_EQ(page.m_SelKind, SEL_ROWS);
  EXPECT_EQ(wnd->RowNumberColour(2), kCsvHighlightBlue);
  KeepPicture(*wnd, "csv_page_row_selected");
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_ROWLIST, VK_DELETE));
  EXPECT_EQ(page.m_RowCount, 3);
  EXPECT_EQ(theApp.m_EditGrid.GetAt(2, 0), CString(u"名古屋"));
  EXPECT_EQ(wnd->m_GridList.GetItemCount(), 3 + 10);
}

TEST_F(CsvPageWindow, KeysMoveTheCursorAndTypedCharactersGoToTheCellEditor) {
  Load(kSales);
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  wnd->m_GridList.ClickAsUser(1, 0 + kFirstDataSubItem);
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_DOWN));
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_RIGHT));
  EXPECT_EQ(page.m_SelCell.row, 2);
  EXPECT_EQ(page.m_SelCell.subitem, 1 + kFirstDataSubItem);
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_CELLEDIT), CString(u"250"));
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, '7'));
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_CELLEDIT), CString(u"7"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(2, 1), CString(u"7"));
  // F2 hands the cell to the editor with its text selected: typing replaces it.
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_F2));
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_CELLEDIT, 'Z'));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(2, 1), CString(u"z"));
  // Enter in the cell editor goes back to the grid and moves down.
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_CELLEDIT, VK_RETURN));
  EXPECT_EQ(page.m_SelCell.row, 3);
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_ESCAPE));
  EXPECT_EQ(page.m_SelCell.row, -1);
}

// The sort tool's dialog as a user answers it: descending by the second column.
int SortBySalesDescending(SortDialogIo& io) {
  EXPECT_EQ(io.columnCount, 3);
  EXPECT_EQ(io.columnNames[1], CString(u"売上"));
  EXPECT_EQ(io.columnTypes[1], SORT_AS_NUMBER);
  io.resultColumns[0] = 1;
  io.resultTypes[0] = SORT_AS_NUMBER;
  io.resultDescending[0] = 1;
  return IDOK;
}

// Replaces the sort dialog of the up-calls and puts the start-up's back on every
// path out of the test.
class SortEntryScope {
 public:
  explicit SortEntryScope(SortDialogFn fake) : saved_(GetUpCalls().sort) { GetUpCalls().sort = fake; }
  ~SortEntryScope() { GetUpCalls().sort = saved_; }
  SortEntryScope(const SortEntryScope&) = delete;
  SortEntryScope& operator=(const SortEntryScope&) = delete;

 private:
  SortDialogFn saved_;
};

TEST_F(CsvPageWindow, SortKeysAreShownAndInEditModeAppliedAtOnce) {
  Load(kSales);
  const SortEntryScope fake(&SortBySalesDescending);
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_SORT));
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_SORTTEXT), CString(u"売上\n"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(1, 0), CString(u"東京"));   // kept for the job only
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(1, 0), CString(u"大阪"));
  EXPECT_EQ(theApp.m_EditGrid.GetAt(3, 0), CString(u"名古屋"));
  EXPECT_EQ(page.m_SortCols[0], 0);
}

TEST_F(CsvPageWindow, OnlyDataColumnsCanBeResized) {
  Load(kSales);
  CHeaderCtrl* header = wnd->m_GridList.GetHeaderCtrl();
  EXPECT_FALSE(header->ResizeAsUser(1, 40));
  EXPECT_TRUE(header->ResizeAsUser(3, 150));
}

TEST_F(CsvPageWindow, CancellingEditModeChangesNothing) {
  Load(kSales);
  modal.QueueBox(IDCANCEL, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  EXPECT_EQ(theApp.m_EditModeEntered, 0);
  EXPECT_TRUE(ui::IsEnabled(*wnd, res::IDC_CSV_EDITMODE));
}

TEST_F(CsvPageWindow, ColourRuleThroughItsDialog) {
  Load(kSales);
  wnd->m_GridList.ClickColumnAsUser(1 + kFirstDataSubItem);
  modal.Queue(res::IDD_COLOR_DLG, [](CDialog& d) {
    EXPECT_EQ(d.GetWindowText(), CString(u"色替え"));
    EXPECT_EQ(ui::TextOf(d, res::IDC_COLOR_COLUMN), CString(u"売上"));
    ui::Choose(d, res::IDC_COLOR_OPERATOR, kColorRuleSigma);
    EXPECT_EQ(ui::TextOf(d, res::IDC_COLOR_VALUE), CString(u"2"));
    EXPECT_EQ(ui::TextOf(d, res::IDC_COLOR_RULE), CString(u"if [売上] σ 2 then TextColor('赤')"));
    ui::Choose(d, res::IDC_COLOR_ACTION, 1);
    ui::Choose(d, res::IDC_COLOR_COLOUR, 1);
    ui::Click(d, IDOK);
  });
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_COLOR));
  EXPECT_EQ(page.m_ColorRuleText, CString(u"if [売上] σ 2 then PastColor('青')"));
  EXPECT_EQ(page.m_ColumnCodes[1], CODE_COLOR);
  EXPECT_EQ(Heading(1), CString(u"2   [COLOR]"));
  // Deleting the rule clears the code.
  modal.Queue(res::IDD_COLOR_DLG, [](CDialog& d) { ui::Click(d, res::IDC_COLOR_DELETE); });
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_COLOR));
  EXPECT_TRUE(page.m_ColorRuleText.IsEmpty());
  EXPECT_EQ(page.m_ColumnCodes[1], 0);
  EXPECT_EQ(modal.Failures(), 0);
  EXPECT_EQ(modal.Unscripted(), 0);
}

TEST_F(CsvPageWindow, ColourDialogRefusesAnIncompleteRule) {
  CColorDlg dlg;
  dlg.m_ColumnName = u"売上";
  modal.Queue(res::IDD_COLOR_DLG, [&](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, res::IDC_COLOR_ACTION), CString(u"文字"));
    ui::Click(d, IDOK);
    ui::Choose(d, res::IDC_COLOR_OPERATOR, 0);
    ui::Type(d, res::IDC_COLOR_VALUE, u"abc");
    ui::Click(d, IDOK);
    KeepPicture(d, "color_dlg");
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, u"[比較式]を指定してください。");
  modal.QueueBox(IDOK, u"[比較値]が文字列の場合、[比較式]は「=」 または「!」を選択してください");
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// Counts the paints of a widget: what the screen shows is what was painted last.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) : m_widget(w) { w->installEventFilter(this); }
  ~PaintCounter() override {
    if (m_widget) m_widget->removeEventFilter(this);
  }
  int paints = 0;
  bool eventFilter(QObject*, QEvent* ev) override {
    if (ev->type() == QEvent::Paint) ++paints;
    return false;
  }

 private:
  QPointer<QWidget> m_widget;
};

QWidget* Viewport(CWnd& list) { return qobject_cast<QAbstractScrollArea*>(list.m_hWnd)->viewport(); }

// 100 data rows under a title row.
std::vector<std::u16string> HundredRows() {
  std::vector<std::u16string> lines = {u"a,b"};
  for (int i = 0; i < 100; ++i) lines.push_back(u"x," + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
  return lines;
}

// The row numbers stayed 1.. after a wheel turn or a drag of the scroll bar:
// nothing renumbered them, and the row list's rows were not painted again.
TEST_F(CsvPageWindow, ScrollingRenumbersAndRepaintsTheRowList) {
  const std::vector<std::u16string> lines = HundredRows();
  std::vector<const char16_t*> rows;
  for (const auto& l : lines) rows.push_back(l.c_str());
  struct Scroll {
    const char* name;
    bool (*act)(CWnd&);
  };
  const Scroll scrolls[] = {
      {"wheel", [](CWnd& grid) { return ui::Wheel(grid, -1); }},
      {"scroll-bar drag", [](CWnd& grid) { return ui::DragScrollThumb(grid, 40); }},
  };
  for (const Scroll& scroll : scrolls) {
    Load(rows);
    PaintCounter painted(Viewport(wnd->m_RowList));
    ASSERT_TRUE(scroll.act(wnd->m_GridList)) << scroll.name;
    const int top = wnd->m_GridList.GetTopIndex();
    ASSERT_GT(top, 0) << scroll.name;
    EXPECT_EQ(page.m_RowListTop, top) << scroll.name;
    EXPECT_GT(painted.paints, 0) << scroll.name;
    for (int i : {0, 19}) {
      CString expected;
      expected.Format(u"%d", top + i + 1);
      EXPECT_EQ(wnd->m_RowList.GetItemText(i, 1).Trim(), expected) << scroll.name << " row " << i;
    }
    KeepPicture(*wnd, "csv_page_scrolled");
    TearDown();
  }
}

TEST_F(CsvPageWindow, ScrollingBySevenRowsNumbersFromEight) {
  const std::vector<std::u16string> lines = HundredRows();
  std::vector<const char16_t*> rows;
  for (const auto& l : lines) rows.push_back(l.c_str());
  Load(rows);
  CRect first, second;
  ASSERT_TRUE(wnd->m_GridList.GetItemRect(0, &first, LVIR_BOUNDS));
  ASSERT_TRUE(wnd->m_GridList.GetItemRect(1, &second, LVIR_BOUNDS));
  wnd->m_GridList.Scroll(CSize(0, 7 * (second.top - first.top)));
  ui::ProcessEvents();
  ASSERT_EQ(wnd->m_GridList.GetTopIndex(), 7);
  EXPECT_EQ(wnd->m_RowList.GetItemText(0, 1).Trim(), CString(u"8"));
  EXPECT_EQ(wnd->m_RowList.GetItemText(19, 1).Trim(), CString(u"27"));
}

// At the end of the range the grid put its last row at the bottom and cut its
// top row, while the numbers started whole: "15" stood beside the line
// between rows 15 and 16.
TEST_F(CsvPageWindow, RowNumbersLineUpWithTheirRowsAtEveryPosition) {
  const std::vector<std::u16string> lines = HundredRows();
  std::vector<const char16_t*> rows;
  for (const auto& l : lines) rows.push_back(l.c_str());
  Load(rows);
  QScrollBar* bar = qobject_cast<QAbstractScrollArea*>(wnd->m_GridList.m_hWnd)->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  for (int value = 0; value <= bar->maximum(); ++value) {
    bar->setValue(value);
    ui::ProcessEvents();
    const int top = wnd->m_GridList.GetTopIndex();
    ASSERT_EQ(top, value);
    CRect row, number;
    ASSERT_TRUE(wnd->m_GridList.GetItemRect(top, &row, LVIR_BOUNDS));
    ASSERT_TRUE(wnd->m_RowList.GetItemRect(0, &number, LVIR_BOUNDS));
    wnd->m_GridList.ClientToScreen(&row);
    wnd->m_RowList.ClientToScreen(&number);
    EXPECT_EQ(row.top, number.top) << "top row " << top;
    CString expected;
    expected.Format(u"%d", top + 1);
    EXPECT_EQ(wnd->m_RowList.GetItemText(0, 1).Trim(), expected) << "top row " << top;
  }
  KeepPicture(*wnd, "csv_page_scrolled_to_the_end");
}

// A column that is an input of a row total and of a time difference ran its
// heading into the next column.
TEST_F(CsvPageWindow, AHeadingWithTwoTagsFitsItsColumn) {
  page.m_ReportKind = 0;
  HORIZONTAL total;
  total.flags[1] = HZ_INPUT;
  page.m_RowTotals.push_back(total);
  page.m_TimeSpans.push_back(total);
  Load({u"店舗,商品,数量", u"東京,りんご,3"});
  wnd->UpdateAllCaptions();
  EXPECT_EQ(Heading(1), CString(u"2   [横SUM]   [時間差]"));
  CClientDC dc(&wnd->m_GridList);
  dc.SelectObject(wnd->m_GridList.GetFont());
  EXPECT_LE(dc.GetTextExtent(Heading(1)).cx + 8, wnd->m_GridList.GetColumnWidth(1 + kFirstDataSubItem));
  EXPECT_EQ(wnd->m_GridList.GetColumnWidth(kFirstDataSubItem), page.m_ColWidth);
  KeepPicture(*wnd, "csv_page_two_tags");
}

// A disabled command button drew its picture in full colour; only its text
// told that it could not be used.
TEST_F(CsvPageWindow, ADisabledButtonGreysItsPicture) {
  Load({u"a,b", u"1,2"});
  const COLORREF kDataTile = RGB(70, 130, 180);
  auto tiles = [&](int id) {
    ui::Picture p = ui::Render(*wnd->GetDlgItem(id));
    return p.CountColour(CRect(0, 0, p.Width(), p.Height()), kDataTile);
  };
  ASSERT_FALSE(ui::IsEnabled(*wnd, res::IDC_CSV_CLIPBOARD));
  ASSERT_TRUE(ui::IsEnabled(*wnd, res::IDC_CSV_SORT));
  EXPECT_GT(tiles(res::IDC_CSV_SORT), 50);
  EXPECT_EQ(tiles(res::IDC_CSV_CLIPBOARD), 0);
  KeepPicture(*wnd, "csv_page_disabled_paste");
}

// The count line at its longest: every row a job can hold.
TEST_F(CsvPageWindow, TheLongestCountLineIsSeenWhole) {
  std::vector<std::u16string> lines = {u"a,b"};
  for (int i = 1; i < 3000; ++i) lines.push_back(u"x,1");
  std::vector<const char16_t*> rows;
  for (const auto& l : lines) rows.push_back(l.c_str());
  Load(rows);
  EXPECT_EQ(ui::TextOf(*wnd, res::IDC_CSV_COUNTTEXT), CString(u" 表示 最大列数 256 最大行数 3000    全行数 3000"));
  EXPECT_EQ(LookAt(*wnd, "csv_page_full"), "");
}

// A wide sheet: 30 columns, 40 rows.
std::vector<std::u16string> WideRows() {
  std::vector<std::u16string> lines;
  for (int r = 0; r < 40; ++r) {
    std::u16string line;
    for (int c = 0; c < 30; ++c) {
      if (c) line += u',';
      line += r == 0 ? u"項目" : u"v";
    }
    lines.push_back(line);
  }
  return lines;
}

// Right walked off the screen and Down scrolled back to the first column.
TEST_F(CsvPageWindow, CursorKeysKeepTheCursorInViewSideways) {
  const std::vector<std::u16string> lines = WideRows();
  std::vector<const char16_t*> rows;
  for (const auto& l : lines) rows.push_back(l.c_str());
  Load(rows);
  modal.QueueBox(IDOK, u"編集モードにします。以降変更はできません。");
  ASSERT_TRUE(ui::Click(*wnd, res::IDC_CSV_EDITMODE));
  wnd->m_GridList.ClickAsUser(1, 0 + kFirstDataSubItem);
  CRect client;
  wnd->m_GridList.GetClientRect(&client);
  auto cursorSeen = [&]() {
    CRect cell;
    wnd->m_GridList.GetSubItemRect(page.m_SelCell.row, page.m_SelCell.subitem, LVIR_BOUNDS, cell);
    return cell.left >= client.left && cell.right <= client.right;
  };
  for (int i = 0; i < 15; ++i) {
    ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_RIGHT));
    EXPECT_TRUE(cursorSeen()) << "after Right " << i + 1;
  }
  ASSERT_EQ(page.m_SelCell.subitem, 15 + kFirstDataSubItem);
  ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_DOWN));
  EXPECT_EQ(page.m_SelCell.row, 2);
  EXPECT_TRUE(cursorSeen()) << "after Down";
  for (int i = 0; i < 15; ++i) {
    ASSERT_TRUE(ui::PressKey(*wnd, res::IDC_CSV_GRID, VK_LEFT));
    EXPECT_TRUE(cursorSeen()) << "after Left " << i + 1;
  }
  KeepPicture(*wnd, "csv_page_cursor_back");
}

// The darkest pixels of a rectangle of a picture: where the text was drawn.
CRect InkOf(const ui::Picture& p, const CRect& r) {
  CRect ink(r.right, r.bottom, r.left, r.top);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = p.Pixel(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x + 1);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y + 1);
      }
    }
  return ink;
}

// The headings were tinted by the style and their texts set at the left.
TEST_F(CsvPageWindow, HeadingsAreCentredInTheirColours) {
  Load(kSales);
  wnd->m_GridList.ClickColumnAsUser(1 + kFirstDataSubItem);
  ASSERT_EQ(page.m_SelKind, SEL_COLUMNS);
  CHeaderCtrl* header = wnd->m_GridList.GetHeaderCtrl();
  const ui::Picture picture = ui::Render(*wnd);
  KeepPicture(*wnd, "csv_page_headings");
  struct Heading {
    int column;
    COLORREF colour;
  };
  for (const Heading& h : {Heading{0, kCsvFrameBeige}, Heading{1, kCsvHighlightBlue}, Heading{2, kCsvFrameBeige}}) {
    CRect item;
    ASSERT_TRUE(header->GetItemRect(h.column + kFirstDataSubItem, &item));
    header->ClientToScreen(&item);
    wnd->ScreenToClient(&item);
    // The face is the colour itself, edge to edge but for the bottom grid line.
    EXPECT_EQ(picture.Pixel(item.left + 2, item.top + 2), h.colour) << h.column;
    EXPECT_EQ(picture.Pixel(item.right - 2, item.bottom - 3), h.colour) << h.column;
    const CRect ink = InkOf(picture, CRect(item.left + 1, item.top + 1, item.right - 1, item.bottom - 2));
    ASSERT_LT(ink.left, ink.right) << h.column;
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (item.left + item.right) / 2.0, 3) << h.column;
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (item.top + item.bottom - 1) / 2.0, 3) << h.column;
  }
}

}  // namespace
