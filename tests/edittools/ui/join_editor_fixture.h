#pragma once
// What the join editor's window tests share: a loaded CSV with a field-name row,
// an additional CSV beside it, and a row dragged from one list onto another.

#include <gtest/gtest.h>

#include "app/tabro_client_app.h"
#include "edittools/join/ui/addcsv_view.h"
#include "platform/paths.h"
#include "platform/ui/ui_driver.h"
#include "support/temp_dir.h"

namespace joinui {

// A row's middle point, in the client coordinates of another window.
inline CPoint RowPoint(CDrawList& list, int row, CWnd& in) {
  CRect r;
  list.GetItemRect(row, &r, LVIR_BOUNDS);
  CPoint p(r.left + 30, (r.top + r.bottom) / 2);
  list.ClientToScreen(&p);
  in.ScreenToClient(&p);
  return p;
}

// The user drags row fromRow of one list and releases it over row toRow of another.
inline void DrawLink(CDialog& d, int fromList, int fromRow, int toList, int toRow) {
  auto& v = static_cast<CAddcsvView&>(d);
  CDrawList& from = *v.m_Lists[fromList];
  ui::Drag(from, RowPoint(from, fromRow, from), RowPoint(*v.m_Lists[toList], toRow, from));
}

// Loaded data rows (after the field-name row "コード", "数量") and the additional
// CSV "price.csv" in a fresh folder.
class JoinEditorTest : public ::testing::Test {
 protected:
  void Load(std::initializer_list<std::pair<const char16_t*, const char16_t*>> rows, const char* price) {
    theApp.ResetToolSettings(0);
    theApp.m_DataGrid.Clear();
    theApp.m_StepGrid.Clear();
    theApp.m_DataGrid[0][0] = u"コード";
    theApp.m_DataGrid[0][1] = u"数量";
    int r = 1;
    for (const auto& [code, count] : rows) {
      theApp.m_DataGrid[r][0] = code;
      theApp.m_DataGrid[r][1] = count;
      ++r;
    }
    theApp.m_DataRows = r;
    theApp.m_DataCols = 2;
    theApp.m_TitleRow = 0;
    theApp.m_CsvPath = FromFsPath(dir_ / "sales.csv");
    price_ = FromFsPath(dir_.Write("price.csv", price));
  }
  void TearDown() override { theApp.ResetToolSettings(0); }

  testsupport::TempDir dir_;
  CString price_;
};

}  // namespace joinui
