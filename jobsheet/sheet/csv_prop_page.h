#pragma once
// CCsvPropPage: the CSV edit page of the job settings sheet, its data and its
// logic on the grids.
//
// The page object lives before and after its window: the main dialog fills it
// before the sheet opens and reads it back when the page is left. Everything
// here works on the page's members and on the grids handed in as CsvGrids; the
// window (jobsheet/sheet/ui/csv_prop_page_wnd.h) shows the members and calls
// these operations. Messages go through the UI hooks with the caption
// "タブロコネクト"; a refused operation changes nothing.
//
// A cell of the grid list is addressed by a row and a list column ("subitem");
// the grid column is the subitem minus 2.
//
// ReadClipboardText and LoadColumnNames work on theApp: they are defined in the
// app layer (app/csv_page_clipboard.cpp) over the grid engines.

#include <array>
#include <vector>

#include "grid/clipboard_table.h"
#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/csv_page_types.h"
#include "platform/cstring.h"

struct JOBSETTING;

class CCsvPropPage {
 public:
  // One selected cell: row and list column (-1 none); value stays 0.
  struct HEADERDATA {
    int row = -1;
    int subitem = -1;
    int value = 0;
  };
  // One row of text read from the clipboard: its cells (at most 256).
  struct CSVSTRDATA_COLM {
    std::vector<CString> cells;
  };

  // Results of ReadClipboardText.
  enum : int {
    CLIP_INSERTED = TABLE_INSERTED,  // rows inserted; counts, row tables and field names updated
    CLIP_NO_ACCESS = -1,             // the clipboard cannot be opened
    CLIP_NO_TEXT = -2,               // no text, or an empty one
    CLIP_NOTHING = TABLE_NOTHING,    // no line with two or more fields, or no line at all
    CLIP_LIMIT = TABLE_LIMIT,        // nothing inserted: a limit would be exceeded (message shown)
  };

  CCsvPropPage() = default;

  // ---- Filling from the application ----------------------------------------
  // Reads the clipboard's text (lines at CR LF, fields at tabs) and inserts its rows
  // into theApp.m_EditGrid and theApp.m_DataGrid at the insertion row (m_AnchorRow
  // when the page has rows, else 0); the rows below move down. All or nothing: when
  // the text has more than 3000 lines or more than 256 fields on a line, or the rows
  // would not fit in 3000 rows or 256 columns, nothing is inserted, the limit message
  // is shown and the result is 3; a field longer than 10000 characters gets a
  // message naming its line, also with result 3.
  int ReadClipboardText();
  // Takes the field names from the title row and settles the column count.
  void LoadColumnNames();
  // Fills the edit grid from the data grid (through the column map when a column
  // order is in force and no additional CSV is joined) and sets the counts; nothing
  // is copied when the job already has a send region.
  void CopySourceToGrid(CsvGrids& g);
  // The column map from a "Select=" text (1-based source columns, comma separated;
  // items outside 1..256 are left out). An empty text gives the identity map over
  // editCols and leaves the column count alone.
  void ParseColumnOrder(const CString& text, int editCols);
  // Items of a "Select=" text; a non-empty text without a comma is one item.
  static int CountSelectedColumns(const CString& text);
  // Header name of a 0-based column; empty outside 0 .. m_ColCount - 1.
  CString GetColumnName(int column) const;
  // Takes the job's header names, sort keys, row condition, codes, group and
  // subject columns, colour rule and computed columns.
  void ApplyJobSettings(CsvGrids& g, const CString& commandText, int editMode, const JOBSETTING& job);
  // The column-selection dialog's lists: the used columns (names from the title
  // row of the edit grid) and, after OK, the result applied to the grids.
  std::vector<COLDATA> UsedColumns(const CsvGrids& g) const;
  void ApplyColumnSelection(CsvGrids& g, const std::vector<COLDATA>& used, const std::vector<COLDATA>& omitted);
  // "設定クリア" and the sheet's "全設定クリア": every page setting dropped, the edit
  // grid reloaded from the data grid with its title row as loaded, edit mode off.
  void ClearSettings(CsvGrids& g);
  // The sheet's "全設定クリア" while the page has no window: the same clearing.
  void ResetToSource(CsvGrids& g) { ClearSettings(g); }

  // ---- Grid list geometry ------------------------------------------------------
  int ListRowCount() const;      // min(m_RowCount + 10, 3000)
  int ListDataColumns() const;   // min(m_ColCount + 10, 256)
  // Row number text of list row r ("    1"), empty in edit mode beyond the rows in use.
  CString RowNumberText(int gridRow) const;

  // ---- Selection and cursor ----------------------------------------------------
  // A click on a cell (row -1 below the last row).
  void ClickCell(CsvGrids& g, int row, int subitem, bool shift);
  // A click on a row number (edit mode only).
  void ClickRow(int row, bool shift, bool ctrl);
  // A click on a column heading.
  void ClickColumn(int subitem, bool shift, bool ctrl);
  // Moves the cursor cell (DIR_*); the cursor never leaves the rows and columns
  // the list shows.
  void MoveCursor(CsvGrids& g, int direction);
  // The cell editor's text written into the cursor cell; false (message shown)
  // when the column beyond the ones in use has no field name yet.
  bool TypeIntoCell(CsvGrids& g, const CString& text);
  // Drops the selection and the internal clipboard.
  void ClearSelection();
  void MeasureSelection();
  bool IsRowSelected(int row) const;
  bool IsColumnSelected(int subitem) const;
  bool IsCellSelected(int row, int subitem) const;

  // ---- Internal clipboard ------------------------------------------------------
  void OnEditCopy(CsvGrids& g);
  void OnEditCut(CsvGrids& g);
  void OnEditPaste(CsvGrids& g);
  void OnEditDelete(CsvGrids& g);
  void OnEditInsert(CsvGrids& g);
  void OnEditDeselect() { ClearSelection(); }
  // Enabled state of the context menu's items, by command id.
  struct EditMenuState {
    bool cut = false, copy = false, paste = false, del = false, insert = false, deselect = false;
  };
  EditMenuState GetEditMenuState(const CsvGrids& g) const;
  // Settings that follow their columns: kind 0 inserted (sources in m_SelIndexes),
  // 1 removed (m_SelIndexes), 2 pasted over the columns from position on.
  void MoveColumnSettings(int kind, int position);

  // ---- Column commands ------------------------------------------------------------
  // Caption of one grid column (0-based): label, group and subject tags, code
  // suffix and computed-column tags by the report kind.
  CString ColumnCaption(int column) const;
  // Sets or clears a code on the selected columns (SUM and the count menu).
  void ToggleColumnCommand(int code);
  // The command buttons; each returns false when it refused (message shown).
  bool OnSum();
  bool OnBarcodeOrSeal(int code);   // CODE39, QR, 認印, 承認印
  bool OnCount();                   // sets the menu codes; true: open menu 270
  bool OnAverage();
  void OnCountBlankClear();
  bool OnSubjectTotal();
  bool OnGroupColumn();
  // The state of menu 270's items (include, exclude, clear).
  std::array<bool, 3> CountMenuState() const;
  // Colour: the column the dialog opens for and whether it may open.
  bool ColorRuleTarget(int* column) const;
  // The dialog's answer: the returned rule for the column.
  void SetColorRule(int column, const CString& rule);
  // Enabled state of the command buttons after the enable rules.
  struct ButtonStates {
    int ids[19];
    bool enabled[19];
    bool Get(int id) const;
  };
  ButtonStates ComputeButtonStates(CsvGrids& g);
  // The grid column under the selection (-1 none).
  int SelectedColumn() const;

  // ---- Computed columns --------------------------------------------------------------
  // Row total (1053) and time difference (1055); minutes asked by the caller.
  bool CheckRowTotal() const;
  void AddRowTotal(CsvGrids& g);
  bool CheckTimeSpan() const;
  void AddTimeSpan(CsvGrids& g, int minutes);
  // Appends the empty result column; its source number counts the records of
  // both lists, so the caller appends the column's record first.
  void AddComputedColumn(CsvGrids& g, int kind);
  void ComputeRowTotals(CsvGrids& g, const HORIZONTAL& def, int target);
  void ComputeTimeSpans(CsvGrids& g, const HORIZONTAL& def, int target);
  bool RemoveComputedColumnDefs(int column);

  // ---- Rows: condition, sort, edit mode ---------------------------------------------
  // Keeps the rows below the title row whose condition holds; false (message
  // shown once, grid unchanged) on an error of the condition and when it would
  // keep no row. The condition is read as PageConditionStatement reads it.
  bool ApplyRowCondition(CsvGrids& g, const CString& condition);
  void ApplySortToGrid(CsvGrids& g);
  void ShowSortKeys();
  // Enters edit mode: condition, sort, computed columns baked into the grid.
  // Either completes or changes nothing.
  bool EnterEditMode(CsvGrids& g);
  // After the filter or the sort dialog (edit mode applies at once).
  void ApplyFilterResult(CsvGrids& g, const CString& condition);
  void ApplySortResult(CsvGrids& g);
  // The count line; the input's row total only outside edit mode (entered or,
  // for clipboard input, forced).
  CString CountLine(const CsvGrids& g) const;

  // ---- Members ----------------------------------------------------------------------
  CString m_CommandText;
  CString m_SortText;
  CString m_ConditionText;
  CString m_CellText;
  std::vector<std::vector<CString>> m_ClipCells;   // empty when the clipboard is empty
  std::vector<int> m_ClipSource;
  std::vector<CString> m_ClipNames;                // field names of copied columns
  std::vector<int> m_ClipEdited;                   // their header-edited flags
  int m_RowCount = 0;
  int m_ColCount = 0;
  int m_CurSubItem = 0;
  int m_CurRow = 0;
  int m_AnchorSubItem = -1;
  int m_AnchorRow = -1;
  int m_ColWidth = 0;
  HEADERDATA m_SelCell;
  HEADERDATA m_PrevSelCell;
  std::vector<HEADERDATA> m_SelCells;
  std::vector<int> m_SelIndexes;
  std::vector<int> m_SelOrder;
  int m_SelMulti = 0;
  int m_SelKind = 0;
  int m_ClipKind = 0;
  int m_Initialised = 0;
  int m_ClipState = 0;
  int m_PasteSubItem = 0;
  int m_PasteRow = 0;
  int m_SelTop = 0, m_SelLeft = 0, m_SelHeight = 0, m_SelWidth = 0;
  int m_ClipRows = 0, m_ClipCols = 0;
  int m_PasteRowsOver = 0;
  int m_PasteColsOver = 0;
  int m_ListColumns = 0, m_ListItems = 0;
  std::vector<COLDATA> m_OmittedColumns;
  std::vector<HORIZONTAL> m_RowTotals;
  std::vector<HORIZONTAL> m_TimeSpans;
  int m_ColumnMap[GRID_COLS] = {};
  int m_ColumnCodes[GRID_COLS] = {};
  int m_SortCols[3] = {};
  int m_SortTypes[3] = {};
  int m_SortDesc[3] = {};
  CString m_ColorRuleText;
  int m_PageBreak = 0;
  int m_GroupCol = 0;
  int m_SubjectCol = 0;
  unsigned char m_HeaderEdited[GRID_COLS] = {};
  CString m_HeaderNames[GRID_COLS];
  int m_MenuCodeIncl = 0, m_MenuCodeExcl = 0;
  int m_EditModeForced = 0;
  int m_EditMode = 0;
  int m_DataHeader = 0;
  int m_PageTitleRow = 0;
  // The title row of the data grid as the edit grid was filled from it (rows the
  // edit mode deletes or inserts move only the edit grid's); kTitleRowUnknown
  // before the first fill.
  static constexpr int kTitleRowUnknown = -2;
  int m_LoadedTitleRow = kTitleRowUnknown;
  OutputFormat m_OutputFormat = OutputFormat::kPdf;
  int m_ColumnsChanged = 0;
  CString m_Condition;
  int m_RowListTop = -1;
  int m_ReportKind = 0, m_SubKind = 0;
  unsigned char m_Numbering = 0;
  CString m_CountText;
  CString m_TitleRowText;
  int m_LetterColumns = 0;
  int m_CharCode = 0;          // sheet state handed back unchanged
  int m_CrossEdit[2] = {};     // the sheet's two cross-table editing flags

 private:
  void FreeClipCells();
  // A click on a row number (SEL_ROWS, index the row) or a column heading
  // (SEL_COLUMNS, index the list column): plain, Shift range or Ctrl toggle, or
  // the target of a pending copy or cut.
  void SelectLine(int kind, int index, bool shift, bool ctrl);
  void CopySelectionToClip(const CsvGrids& g);
  void PasteClipCells(CsvGrids& g, int targetRow, int targetSub);
  bool InsertBlankLines(CsvGrids& g, int kind, int at, int count);
  void RemoveRows(CsvGrids& g, std::vector<int> rows);
  void RemoveColumns(CsvGrids& g, std::vector<int> columns);
  void SetTitleRow(CsvGrids& g, int row);
  void RemoveColumnEntries(std::vector<int> columns);
  // Entries of the source columns inserted at `at`; a moved column takes its
  // sort keys along, a copied one leaves them on the source.
  void InsertColumnEntries(const std::vector<int>& sources, int at, bool moved);
  bool CommonColumnChecks() const;
  bool Refuse(const CString& text) const;
  void InsertBlankColumnAfter(CsvGrids& g, int column);
  void MoveNewColumnNextTo(CsvGrids& g, int rightmost);
};

// Spreadsheet letters of a 1-based column: 1 A, 27 AA, 16384 XFD; empty outside 1..16384.
CString ColumnLetters(int n);
