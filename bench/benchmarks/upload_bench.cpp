// The upload of a full job: the data grid as CSV text, then percent-encoded into
// the form body.

#include <benchmark/benchmark.h>

#include "app/tabro_client_app.h"
#include "webclient/tabro_operation.h"
#include "webclient/web_codecs.h"

namespace {

void FillJobGrid(int rows, int cols) {
  theApp.m_DataGrid.Clear();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) theApp.m_DataGrid[r][c] = CString::Build(u"品目%d-%d,値", r, c);
  theApp.m_EditRows = rows;
  theApp.m_EditCols = cols;
}

void BM_SerializeDataGrid(benchmark::State& state) {
  FillJobGrid(3000, int(state.range(0)));
  CTabroOperation op;
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string csv = op.SerializeDataGrid();
    bytes = csv.size();
    benchmark::DoNotOptimize(csv.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_SerializeDataGrid)->Arg(20)->Arg(GRID_COLS)->Unit(benchmark::kMillisecond);

void BM_PercentEncodeUpload(benchmark::State& state) {
  FillJobGrid(3000, 20);
  CTabroOperation op;
  const std::string csv = op.SerializeDataGrid();
  for (auto _ : state) {
    const CString encoded = PercentEncodeBytes(csv.data(), csv.size());
    benchmark::DoNotOptimize(encoded.GetString());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(csv.size()));
}
BENCHMARK(BM_PercentEncodeUpload)->Unit(benchmark::kMillisecond);

}  // namespace
