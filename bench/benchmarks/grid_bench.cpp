// Column type detection over a loaded-size data grid.

#include <benchmark/benchmark.h>

#include "app/tabro_client_app.h"
#include "grid/column_types.h"

namespace {

// Fills the data grid with a title row and `rows` data rows of `cols` mixed cells.
void FillDataGrid(int rows, int cols) {
  static const char16_t* const kTitles[] = {u"伝票番号", u"得意先名", u"数量", u"単価",
                                            u"売上日",   u"地域",     u"区分", u"金額"};
  static const char16_t* const kCells[] = {u"00123", u"山田", u"42", u"123.5",
                                           u"2024/01/05", u"東京", u"3", u"1,200"};
  CTabroClientApp& a = theApp;
  a.m_DataGrid.Clear();
  for (int c = 0; c < cols; ++c) a.m_DataGrid[0][c] = kTitles[c % 8];
  for (int r = 1; r <= rows; ++r) {
    CString* cells = a.m_DataGrid.PrepareRow(r, cols);
    for (int c = 0; c < cols; ++c) cells[c] = kCells[c % 8];
  }
  a.m_DataRows = rows + 1;
  a.m_DataCols = cols;
  a.m_TitleRow = 0;
}

void BM_DetectColumnTypes(benchmark::State& state) {
  FillDataGrid(30000, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    // A write between passes, so that each pass reads the cells (a pass over an
    // unchanged grid keeps the types found before).
    theApp.m_DataGrid[0][0] = u"伝票番号";
    benchmark::DoNotOptimize(theApp.DetectColumnTypes(0));
  }
  state.SetItemsProcessed(state.iterations() * 30000 * state.range(0));
  theApp.m_DataGrid.Clear();
}
BENCHMARK(BM_DetectColumnTypes)->Arg(20)->Arg(GRID_COLS)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClassifyValueText(benchmark::State& state) {
  const CString texts[] = {u"12345", u"2024/01/05", u"山田太郎", u"1,234.5", u"09:30:00"};
  for (auto _ : state) {
    for (const CString& t : texts) benchmark::DoNotOptimize(ClassifyValueText(t));
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_ClassifyValueText);

}  // namespace
