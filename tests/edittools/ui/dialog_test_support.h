#pragma once
// Shared set-up of the tool-dialog tests: a small loaded input in theApp and
// pictures kept on request.

#include <cstdlib>
#include <string>

#include "app/tabro_client_app.h"
#include "platform/ui/dialog.h"
#include "platform/ui/ui_driver.h"

namespace tooltest {

// When TABRO_SCREENSHOT_DIR is set, keeps a picture of the dialog there for a person to look at.
inline void KeepPicture(CDialog& dlg, const char* name) {
  if (const char* dir = std::getenv("TABRO_SCREENSHOT_DIR")) {
    ui::Render(dlg).SavePng(CString(std::string(dir) + "/" + name + ".png"));
  }
}

// Loads rows into theApp's data grid as the loader leaves them (title in row 0),
// with the tools' settings and lists of an earlier test gone.
inline void LoadRows(std::initializer_list<std::initializer_list<const char16_t*>> rows) {
  CTabroClientApp& a = theApp;
  a.m_DataGrid.Clear();
  a.m_RowFieldCount.fill(0);
  a.m_ColumnTypes.fill(0);
  a.m_EditRows = 0;
  a.m_ToolOrder = TOOLORDER{};
  a.ResetToolSettings(0);
  int cols = 0;
  int r = 0;
  for (const auto& cells : rows) {
    int c = 0;
    for (const char16_t* cell : cells) a.m_DataGrid[r][c++] = cell;
    theApp.m_RowFieldCount[static_cast<size_t>(r++)] = static_cast<int>(cells.size());
    cols = std::max(cols, static_cast<int>(cells.size()));
  }
  theApp.m_DataRows = r;
  theApp.m_DataCols = cols;
  theApp.m_TitleRow = 0;
}

}  // namespace tooltest
