// The filter dialog opening on a large data grid (30000 rows x 12 columns,
// repeating values in the first columns so that every field is set up): built
// offscreen, as far as it stands on the screen.

#include <benchmark/benchmark.h>

#include "app/tabro_client_app.h"
#include "edittools/filter/ui/main_filter.h"
#include "platform/ui/ui_driver.h"
#include "res/main_filter.h"

namespace {

constexpr int kRows = 30001;
constexpr int kCols = 12;

void FillGrid() {
  static bool filled = false;
  if (filled) return;
  filled = true;
  static const char16_t* const kRegions[] = {u"東京", u"大阪", u"名古屋", u"福岡"};
  for (int r = 0; r < kRows; ++r) {
    CString* cells = theApp.m_DataGrid.PrepareRow(r, kCols);
    for (int c = 0; c < kCols; ++c) {
      if (r == 0) cells[c] = CString::Build(u"項目%d", c + 1);
      else if (c == 0) cells[c] = CString(kRegions[r % 4]);
      else if (c < 4) cells[c] = CString::Build(u"店%d", (r * (c + 1)) % 12);
      else cells[c] = CString::Build(u"%d", r * 7 + c);
    }
    theApp.m_RowFieldCount[static_cast<size_t>(r)] = kCols;
  }
  theApp.m_DataRows = kRows;
  theApp.m_DataCols = kCols;
  theApp.m_TitleRow = 0;
}

void BM_FilterDialogOpen(benchmark::State& state) {
  ui::EnsureApplication();
  FillGrid();
  for (auto _ : state) {
    CMainFilter dlg;
    dlg.Create(res::IDD_MAIN_FILTER);
    benchmark::DoNotOptimize(dlg.m_Fields.fieldCount);
    dlg.DestroyWindow();
  }
  state.counters["rows"] = kRows - 1;
}
BENCHMARK(BM_FilterDialogOpen)->Unit(benchmark::kMillisecond);

}  // namespace
