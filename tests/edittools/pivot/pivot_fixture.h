#pragma once
// A data grid with its counts for the aggregation engine, filled from rows of
// comma-separated cells and read back the same way.

#include <memory>
#include <string>
#include <vector>

#include "edittools/pivot/pivot_engine.h"
#include "grid/grid_store.h"
#include "platform/ui_hooks.h"

struct PivotFixture {
  std::unique_ptr<CTextGrid> data = std::make_unique<CTextGrid>(GRID_MAX_ROWS);
  std::unique_ptr<CTextGrid> step = std::make_unique<CTextGrid>(GRID_MAX_ROWS);
  int rows = 0;
  int cols = 0;
  int title = 0;
  int abort = 0;
  PIVOTRUN run;
  RecordingUiHooks hooks;

  PIVOTGRIDS Grids() { return PIVOTGRIDS{*data, *step, rows, cols, title, abort}; }

  // Rows of cells separated by ","; the first row is the title row.
  void Load(const std::vector<std::string>& lines) {
    rows = static_cast<int>(lines.size());
    cols = 0;
    for (int r = 0; r < rows; ++r) {
      const std::vector<CString> cells = Split(lines[r]);
      cols = std::max(cols, static_cast<int>(cells.size()));
      for (size_t c = 0; c < cells.size(); ++c) data->SetAt(r, static_cast<int>(c), cells[c]);
    }
  }

  // The data grid within its counts, one string per row, cells joined by ",".
  std::vector<std::string> Dump() const {
    std::vector<std::string> out;
    for (int r = 0; r < rows; ++r) {
      std::string line;
      for (int c = 0; c < cols; ++c) {
        if (c > 0) line += ',';
        line += data->GetAt(r, c).ToUtf8();
      }
      out.push_back(line);
    }
    return out;
  }

  // Sets up a run: value items {column, kind}, group items {column, orientation,
  // level, subtotal} in the order given.
  void Items(const std::vector<std::pair<int, int>>& sums, const std::vector<GRPCLM>& groups,
             int sumType = 0, int sumStyl = 0, int totalFg = 0, int nendMonth = 1) {
    PIVOTSETTING s;
    for (const auto& [col, kind] : sums) s.SumClmArry.push_back(SUMCLM{col, kind, 0});
    s.GrpClmArry = groups;
    s.SumType = sumType;
    s.SumStyl = sumStyl;
    s.TotalFg = totalFg;
    s.NendMonth = nendMonth;
    ResetPivotRun(run);
    LoadPivotRun(run, s);
  }

  int Execute() { return ExecutePivot(Grids(), run); }

  static std::vector<CString> Split(const std::string& line) {
    std::vector<CString> cells;
    size_t start = 0;
    for (;;) {
      const size_t comma = line.find(',', start);
      cells.push_back(CString(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    return cells;
  }
};

// A row group item: column, level, subtotal flag; a date or time unit optional.
inline GRPCLM RowItem(int column, int level, int subtotal = 0, int columnType = 0, int unit = 0,
                      int kind = 0) {
  return GRPCLM{column, 1, 0, level, columnType, unit, kind, subtotal};
}
inline GRPCLM ColItem(int column, int level, int subtotal = 0, int columnType = 0, int unit = 0,
                      int kind = 0) {
  return GRPCLM{column, 2, 0, level, columnType, unit, kind, subtotal};
}
