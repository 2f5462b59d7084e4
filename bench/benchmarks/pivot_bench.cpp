// The aggregation engine alone over 30000 rows x 20 columns: a two-level summary
// with subtotals, and a cross table. Each iteration starts from a fresh copy of
// the data (copying rows shares their cells, so the copy is cheap and untimed).
#include <benchmark/benchmark.h>

#include <memory>

#include "edittools/pivot/pivot_engine.h"
#include "platform/ui_hooks.h"

namespace {

constexpr int kRows = 30000;
constexpr int kCols = 20;
constexpr const char16_t* kNames[] = {u"山田", u"佐藤花子", u"鈴木", u"高橋一郎",
                                      u"田中", u"渡辺", u"伊藤", u"中村美咲"};
constexpr const char16_t* kRegions[] = {u"東京", u"大阪府", u"名古屋", u"札幌",
                                        u"福岡", u"仙台", u"広島", u"神戸"};

const CTextGrid& Source() {
  static const std::unique_ptr<CTextGrid> grid = [] {
    auto g = std::make_unique<CTextGrid>(GRID_MAX_ROWS);
    uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (int c = 0; c < kCols; ++c) g->SetAt(0, c, CString::Build(u"項目%d", c + 1));
    for (int r = 1; r <= kRows; ++r) {
      for (int c = 0; c < kCols; ++c) g->SetAt(r, c, CString::Build(u"%d", next() % 5000));
      g->SetAt(r, 1, CString(kNames[next() % 8]));
      g->SetAt(r, 5, CString(kRegions[next() % 8]));
    }
    return g;
  }();
  return *grid;
}

void RunOnce(benchmark::State& state, const PIVOTSETTING& setting) {
  RecordingUiHooks hooks;
  CTextGrid data(GRID_MAX_ROWS);
  CTextGrid step(GRID_MAX_ROWS);
  for (auto _ : state) {
    state.PauseTiming();
    data.Clear();
    for (int r = 0; r <= kRows; ++r) data.ShareRow(r, Source(), GRID_COLS);
    int rows = kRows + 1, cols = kCols, title = 0, abort = 0;
    PIVOTRUN run;
    ResetPivotRun(run);
    LoadPivotRun(run, setting);
    state.ResumeTiming();
    const int built = ExecutePivot(PIVOTGRIDS{data, step, rows, cols, title, abort}, run);
    benchmark::DoNotOptimize(built);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_PivotTwoLevelsWithSubtotals(benchmark::State& state) {
  PIVOTSETTING s;
  s.NendMonth = 4;
  s.SumClmArry = {SUMCLM{7, 1, 0}, SUMCLM{2, 1, 1}};
  s.GrpClmArry = {GRPCLM{5, 1, 0, 1, 0, 0, 0, 1}, GRPCLM{1, 1, 1, 2, 0, 0, 0, 1}};
  RunOnce(state, s);
}
BENCHMARK(BM_PivotTwoLevelsWithSubtotals)->Unit(benchmark::kMillisecond);

void BM_PivotCrossTable(benchmark::State& state) {
  PIVOTSETTING s;
  s.SumType = PIVOT_CROSS;
  s.NendMonth = 4;
  s.SumClmArry = {SUMCLM{7, 1, 0}};
  s.GrpClmArry = {GRPCLM{1, 1, 0, 1, 0, 0, 0, 0}, GRPCLM{5, 2, 1, 4, 0, 0, 0, 0}};
  RunOnce(state, s);
}
BENCHMARK(BM_PivotCrossTable)->Unit(benchmark::kMillisecond);

}  // namespace
