// Inserting a table copied as text into the edit and data grids.

#include "grid/clipboard_table.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "grid/csv_split.h"
#include "grid/row_stats.h"
#include "platform/ui_hooks.h"

namespace {

constexpr int kClipMaxRows = EDIT_GRID_ROWS;

}  // namespace

int InsertTableText(CGridSet& set, const CString& text, TABLEPASTE& paste) {
  // Lines end at LF or CR LF (programs here copy with either); text after the
  // last line end is a line too.
  std::vector<std::vector<CString>> rows;
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
    size_t end = all.find(u'\n', pos);
    const size_t next = end == std::u16string_view::npos ? all.size() : end + 1;
    if (end == std::u16string_view::npos) end = all.size();
    if (end > pos && all[end - 1] == u'\r') --end;
    ++lineNo;
    if (static_cast<int>(rows.size()) >= kClipMaxRows) {
      paste.rowsOver = 1;
      rowLimit = true;
      break;  // the rest cannot be inserted anyway
    }
    // Empty cells past column 256 (a copied range padded to the sheet's width) go
    // without a word; only one that holds text is over the limit.
    SplitCsvRow(all.substr(pos, end - pos), true, fields);
    if (fields.tooManyColumns) {
      paste.colsOver = 1;
      colLimit = true;
    }
    if (fields.fieldTooLong && longFieldLine == 0) longFieldLine = lineNo;
    std::vector<CString> row(fields.cells.begin(), fields.cells.end());
    stats.push_back(CountRowCells(row));
    widest = std::max(widest, static_cast<int>(row.size()));
    rows.push_back(std::move(row));
    pos = next;
  }
  const int count = static_cast<int>(rows.size());

  const int insertAt = (paste.rowCount > 0 && paste.anchorRow > 0) ? paste.anchorRow : 0;
  if (!rowLimit && !colLimit) {
    if (paste.rowCount + count > kClipMaxRows || insertAt + count > kClipMaxRows) rowLimit = true;
    if (paste.colCount >= GRID_COLS) colLimit = true;
  }

  if (rowLimit || colLimit) {
    GetUiHooks().MessageBox(
        CString::Build(u"列数または行数が規定値を超えています。\n列数：%d列\n行数：%d行\n"
                       u"貼り付けられるデータは上記の範囲までとなります。",
                       GRID_COLS, kClipMaxRows),
        kAppCaption, MB_OK | MB_ICONWARNING);
    return TABLE_LIMIT;
  }
  if (widest < 2 || count == 0) return TABLE_NOTHING;
  if (longFieldLine > 0) {
    // A field that does not fit is never cut silently: nothing is inserted.
    GetUiHooks().MessageBox(
        CString::Build(u"クリップボードのデータの%d行目\nCSVデータの項目は%d文字以内にして下さい。",
                       longFieldLine, kCsvMaxFieldChars),
        kAppCaption, MB_OK | MB_ICONWARNING);
    return TABLE_LIMIT;
  }

  CTextGrid& edit = set.m_EditGrid;
  CTextGrid& data = set.m_DataGrid;
  if (paste.rowCount > 0) {
    // Rows from the insertion row on move down by the rows read, from the bottom.
    for (int r = paste.rowCount - 1; r >= insertAt; --r) {
      edit.SwapRows(r, r + count);
      data.SwapRows(r, r + count);
      set.m_RowFilledCount[r + count] = set.m_RowFilledCount[r];
      set.m_RowTextCount[r + count] = set.m_RowTextCount[r];
      set.m_RowLastTextCol[r + count] = set.m_RowLastTextCol[r];
      set.m_RowFieldCount[r + count] = set.m_RowFieldCount[r];
    }
  }
  for (int i = 0; i < count; ++i) {
    const int r = insertAt + i;
    edit.ClearRow(r);
    data.ClearRow(r);
    std::vector<CString>& cells = rows[i];
    CString* e = edit.PrepareRow(r, widest);
    CString* d = data.PrepareRow(r, widest);
    for (size_t c = 0; c < cells.size(); ++c) {
      e[c] = cells[c];
      d[c] = std::move(cells[c]);
    }
    set.m_RowFilledCount[r] = stats[i].filled;
    set.m_RowTextCount[r] = stats[i].textCount;
    set.m_RowLastTextCol[r] = stats[i].lastTextCol;
    set.m_RowFieldCount[r] = static_cast<int16_t>(cells.size());
  }
  paste.colCount = std::max(paste.colCount, widest);
  set.m_EditCols = paste.colCount;
  paste.rowCount += count;
  set.m_EditRows = paste.rowCount;
  paste.widest = widest;
  return TABLE_INSERTED;
}
