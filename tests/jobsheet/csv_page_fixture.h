#pragma once
// A CSV edit page over grids of its own, filled from rows written as "a,b,c".

#include <memory>
#include <string>
#include <vector>

#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

struct PageFixture {
  std::unique_ptr<CTextGrid> edit = std::make_unique<CTextGrid>(EDIT_GRID_ROWS);
  std::unique_ptr<CTextGrid> data = std::make_unique<CTextGrid>(GRID_MAX_ROWS);
  int titleRow = -1, editRows = 0, editCols = 0, sendRows = 0, sendCols = 0, editModeEntered = 0;
  CsvGrids g{*edit, *data, titleRow, editRows, editCols, sendRows, sendCols, editModeEntered};
  CCsvPropPage page;
  RecordingUiHooks hooks;

  // Rows of comma-separated cells into both grids; the page filled as the sheet does.
  void Load(const std::vector<const char16_t*>& rows, int title = 0, bool editMode = false) {
    int cols = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
      CString line(rows[r]);
      int c = 0, start = 0;
      for (;;) {
        int comma = line.Find(u',', start);
        const CString cell = line.Mid(start, comma < 0 ? line.GetLength() - start : comma - start);
        if (!cell.IsEmpty()) (*data)[static_cast<int>(r)][c] = cell;
        ++c;
        if (comma < 0) break;
        start = comma + 1;
      }
      cols = std::max(cols, c);
    }
    titleRow = title;
    g.dataRows = static_cast<int>(rows.size());
    g.dataCols = cols;
    page.m_ColumnsChanged = 0;
    page.CopySourceToGrid(g);
    page.m_PageTitleRow = title;
    if (title >= 0)
      for (int c = 0; c < cols; ++c) page.m_HeaderNames[c] = data->GetAt(title, c);
    page.m_EditMode = editMode ? 1 : 0;
    editModeEntered = page.m_EditMode;
  }
  // The edit grid's rows in use as "a,b,c" texts over the page's columns.
  std::vector<std::u16string> Rows() const {
    std::vector<std::u16string> out;
    for (int r = 0; r < page.m_RowCount; ++r) {
      std::u16string line;
      for (int c = 0; c < page.m_ColCount; ++c) {
        if (c) line += u',';
        line += edit->GetAt(r, c).View();
      }
      out.push_back(line);
    }
    return out;
  }
  std::vector<CString> Messages() const { return hooks.Messages(); }
  // Clicks as the user does, by grid column (0-based) rather than list column.
  void Cell(int row, int col, bool shift = false) { page.ClickCell(g, row, col + kFirstDataSubItem, shift); }
  void Column(int col, bool shift = false, bool ctrl = false) {
    page.ClickColumn(col + kFirstDataSubItem, shift, ctrl);
  }
  void Row(int row, bool shift = false, bool ctrl = false) { page.ClickRow(row, shift, ctrl); }
};
