#pragma once
// A loaded CSV in grids of its own and a join engine working on it.

#include <string>
#include <vector>

#include "edittools/join/addcsv_join.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace jointest {

struct JoinFixture {
  CTextGrid data{GRID_MAX_ROWS};
  CTextGrid step{GRID_MAX_ROWS};
  int rows = 0;
  int cols = 0;
  CAddcsvJoin join;
  testsupport::TempDir dir;
  RecordingUiHooks hooks;

  // Rows of cells; the first is the field-name row.
  void Load(const std::vector<std::vector<CString>>& cells, int titleRow = 0) {
    rows = static_cast<int>(cells.size());
    cols = 0;
    for (int r = 0; r < rows; ++r) {
      cols = std::max(cols, static_cast<int>(cells[r].size()));
      for (int c = 0; c < static_cast<int>(cells[r].size()); ++c) data[r][c] = cells[r][c];
    }
    join.SetGrids(data, step, rows, cols, titleRow);
    join.ClassifyColumns(0);
  }
  // Writes an additional CSV and makes it CSV c of the definition.
  CString AddFile(int c, const std::string& name, const std::string& bytes, int columns) {
    const CString path = FromFsPath(dir.Write(name, bytes));
    join.m_Def.AddCsvCnt = std::max(join.m_Def.AddCsvCnt, c + 1);
    join.m_Def.AddCsvCols[c] = columns;
    join.m_AddPath[c] = path;
    join.LoadAddCsvPreview(c, path);
    return path;
  }
  std::string Row(int r) const {
    std::string text;
    for (int c = 0; c < cols; ++c) {
      if (c > 0) text += ',';
      text += data.GetAt(r, c).ToUtf8();
    }
    return text;
  }
};

}  // namespace jointest
