// Reading a table from the clipboard into the edit and data grids.

#include <algorithm>
#include <string_view>

#include "app/tabro_client_app.h"
#include "grid/csv_split.h"
#include "grid/row_stats.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {

constexpr int kClipMaxRows = EDIT_GRID_ROWS;
constexpr char16_t kCaption[] = u"タブロコネクト";

}  // namespace

CCsvPropPage::CCsvPropPage() = default;

int CCsvPropPage::ReadClipboardText() {
  m_EditMode = theApp.m_EditModeEntered;

  const CString text = GetUiHooks().GetClipboardText();
  if (text.IsEmpty()) return CLIP_NO_TEXT;

  // Lines end at CR LF; text after the last CR LF is a line too.
  std::vector<CSVSTRDATA_COLM> rows;
  std::vector<RowStats> stats;
  int widest = 0;
  int longFieldLine = 0;   // 1-based line with a field over the limit, 0 none
  // Limits met by this text; the page's flags keep them until the page clears them.
  bool rowLimit = false;
  bool colLimit = false;
  const std::u16string_view all = text.View();
  size_t pos = 0;
  int lineNo = 0;
  CsvRowFields fields;
  while (pos < all.size()) {
    size_t end = all.find(u"\r\n", pos);
    const size_t next = end == std::u16string_view::npos ? all.size() : end + 2;
    if (end == std::u16string_view::npos) end = all.size();
    ++lineNo;
    if (static_cast<int>(rows.size()) >= kClipMaxRows) {
      m_PasteRowsOver = 1;
      rowLimit = true;
      break;  // the rest cannot be inserted anyway
    }
    // Empty cells past column 256 (a copied range padded to the sheet's width) go
    // without a word; only one that holds text is over the limit.
    SplitCsvRow(all.substr(pos, end - pos), true, fields);
    if (fields.tooManyColumns) {
      m_PasteColsOver = 1;
      colLimit = true;
    }
    if (fields.fieldTooLong && longFieldLine == 0) longFieldLine = lineNo;
    CSVSTRDATA_COLM row;
    row.cells.assign(fields.cells.begin(), fields.cells.end());
    stats.push_back(CountRowCells(row.cells));
    widest = std::max(widest, static_cast<int>(row.cells.size()));
    rows.push_back(std::move(row));
    pos = next;
  }
  const int count = static_cast<int>(rows.size());

  const int insertAt = (m_RowCount > 0 && m_AnchorRow > 0) ? m_AnchorRow : 0;
  if (!rowLimit && !colLimit) {
    if (m_RowCount + count > kClipMaxRows || insertAt + count > kClipMaxRows) rowLimit = true;
    if (m_ColCount >= GRID_COLS) colLimit = true;
  }

  if (rowLimit || colLimit) {
    GetUiHooks().MessageBox(
        CString::Build(u"列数または行数が規定値を超えています。\n列数：%d列\n行数：%d行\n"
                       u"貼り付けられるデータは上記の範囲までとなります。",
                       GRID_COLS, kClipMaxRows),
        kCaption, MB_OK | MB_ICONWARNING);
    return CLIP_LIMIT;
  }
  if (widest < 2 || count == 0) return CLIP_NOTHING;
  if (longFieldLine > 0) {
    // A field that does not fit is never cut silently: nothing is inserted.
    GetUiHooks().MessageBox(
        CString::Build(u"クリップボードのデータの%d行目\nCSVデータの項目は%d文字以内にして下さい。",
                       longFieldLine, kCsvMaxFieldChars),
        kCaption, MB_OK | MB_ICONWARNING);
    return CLIP_LIMIT;
  }

  CTextGrid& edit = theApp.m_EditGrid;
  CTextGrid& data = theApp.m_DataGrid;
  if (m_RowCount > 0) {
    // Rows from the insertion row on move down by the rows read, from the bottom.
    for (int r = m_RowCount - 1; r >= insertAt; --r) {
      edit.SwapRows(r, r + count);
      data.SwapRows(r, r + count);
      theApp.m_RowFilledCount[r + count] = theApp.m_RowFilledCount[r];
      theApp.m_RowTextCount[r + count] = theApp.m_RowTextCount[r];
      theApp.m_RowLastTextCol[r + count] = theApp.m_RowLastTextCol[r];
      theApp.m_RowFieldCount[r + count] = theApp.m_RowFieldCount[r];
    }
  }
  for (int i = 0; i < count; ++i) {
    const int r = insertAt + i;
    edit.ClearRow(r);
    data.ClearRow(r);
    std::vector<CString>& cells = rows[i].cells;
    CString* e = edit.PrepareRow(r, widest);
    CString* d = data.PrepareRow(r, widest);
    for (size_t c = 0; c < cells.size(); ++c) {
      e[c] = cells[c];
      d[c] = std::move(cells[c]);
    }
    theApp.m_RowFilledCount[r] = stats[i].filled;
    theApp.m_RowTextCount[r] = stats[i].textCount;
    theApp.m_RowLastTextCol[r] = stats[i].lastTextCol;
    theApp.m_RowFieldCount[r] = static_cast<int16_t>(cells.size());
  }
  m_ColCount = std::max(m_ColCount, widest);
  theApp.m_EditCols = m_ColCount;
  m_RowCount += count;
  theApp.m_EditRows = m_RowCount;
  LoadColumnNames();
  for (int c = 0; c < widest; ++c) m_ColumnMap[c] = c + 1;
  return CLIP_INSERTED;
}

void CCsvPropPage::LoadColumnNames() {
  if (theApp.m_TitleRow != -1) {
    if (m_ColCount == 0 && theApp.m_EditCols > 0) m_ColCount = theApp.m_SendCols;
    if (m_RowCount == 0 && theApp.m_EditRows > 0) m_RowCount = theApp.m_SendRows;
  }
  m_PageTitleRow = theApp.m_TitleRow;
  if (m_PageTitleRow >= 0) {
    const CTextGrid& data = theApp.m_DataGrid;
    const int cols = std::min(theApp.m_EditCols, GRID_COLS);
    for (int c = 0; c < cols; ++c) m_HeaderNames[c] = data.GetAt(m_PageTitleRow, c);
  }
  if (m_ColumnsChanged != 1) {
    theApp.m_SendCols = m_ColCount;
  } else {
    const int cols = std::clamp(m_ColCount, 0, GRID_COLS);
    m_ColCount = static_cast<int>(std::count_if(m_ColumnMap, m_ColumnMap + cols,
                                                [](int v) { return v > 0; }));
    theApp.m_SendCols = m_ColCount;
  }
}
