#pragma once
// CCsvPropPage: the CSV edit page of the job settings sheet.
//
// For now it holds what reading a table from the clipboard needs; the page's
// window and its other operations join it later.

#include <vector>

#include "jobsheet/sheet/csv_page_types.h"
#include "platform/cstring.h"

struct JOBSETTING;

class CCsvPropPage {
 public:
  // One row of text read from the clipboard: its cells (at most 256).
  struct CSVSTRDATA_COLM {
    std::vector<CString> cells;
  };

  // Results of ReadClipboardText.
  enum : int {
    CLIP_INSERTED = 0,     // rows inserted; counts, row tables and field names updated
    CLIP_NO_ACCESS = -1,   // the clipboard cannot be opened
    CLIP_NO_TEXT = -2,     // no text, or an empty one
    CLIP_NOTHING = 2,      // no line with two or more fields, or no line at all
    CLIP_LIMIT = 3,        // nothing inserted: a limit would be exceeded (message shown)
  };

  CCsvPropPage();

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
  // Fills the edit grid from the data grid and sets the counts; nothing is
  // copied when the job already has a send region.
  void CopySourceToGrid(CsvGrids& g);
  // The column map from a "Select=" text (1-based source columns, comma separated).
  // An empty text gives the identity map over editCols and leaves the column count.
  void ParseColumnOrder(const CString& text, int editCols);
  // Header name of a 0-based column; empty outside 0 .. m_ColCount - 1.
  CString GetColumnName(int column) const;
  // Takes the job's header names, sort keys, row condition, codes, group and
  // subject columns, colour rule and computed columns.
  void ApplyJobSettings(CsvGrids& g, const CString& commandText, int editMode, const JOBSETTING& job);

  int m_RowCount = 0;           // rows of the edit grid in use
  int m_ColCount = 0;           // columns of the edit grid in use
  int m_AnchorRow = -1;         // insertion point; -1 none
  int m_PasteRowsOver = 0;      // a clipboard read met more than 3000 lines (the page
  int m_PasteColsOver = 0;      // clears both) or a line with more than 256 fields
  int m_ColumnMap[256] = {};    // 1-based data-grid column of each grid column
  CString m_HeaderNames[256];   // field name of each grid column
  int m_EditMode = 0;           // the page's copy of theApp.m_EditModeEntered
  int m_PageTitleRow = 0;       // the page's copy of theApp.m_TitleRow (-1 none)
  int m_ColumnsChanged = 0;     // a column order or selection is in force
  std::vector<COLDATA> m_OmittedColumns;   // data columns not displayed
  std::vector<HORIZONTAL> m_RowTotals;     // row-total definitions
  std::vector<HORIZONTAL> m_TimeSpans;     // time-difference definitions
  int m_ColumnCodes[256] = {};  // command code of each grid column
  int m_SortCols[3] = {};       // sort keys: 1-based grid column (0 none), compare type,
  int m_SortTypes[3] = {};      // descending flag
  int m_SortDesc[3] = {};
  CString m_ColorRuleText;      // the colour rule of the columns with code 8
  int m_PageBreak = 0;          // break choice
  int m_GroupCol = 0;           // 1-based group column, 0 none
  int m_SubjectCol = 0;         // 1-based subject-total column, 0 none
  unsigned char m_HeaderEdited[256] = {};  // 1 when the column's field name was changed here
  CString m_Condition;          // the row condition
  int m_DataHeader = 0;         // the header-type check
  int m_ReportKind = 0;         // sheet state: document kind and sub-kind
  int m_SubKind = 0;
  int m_OutputFormat = 0;       // sheet state: output format (3 CSV)
};
