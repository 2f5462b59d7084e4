// The key join alone: 3000 loaded rows with a 3000-line additional CSV, the file
// read from a temporary folder on each run, as the join step does.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "edittools/join/addcsv_join.h"
#include "platform/paths.h"

namespace {

// The additional CSV: a header and `lines` data lines, `perKey` lines for each key.
CString WriteAddCsv(int lines, int perKey) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "tabro_join_bench.csv";
  std::ofstream out(path, std::ios::binary);
  out << "コード,得意先名,地区,担当者\n";
  for (int i = 0; i < lines; ++i) {
    const int key = (i * 7919) % lines / perKey;   // keys out of order
    out << "C" << 10000 + key << ",得意先" << key << "商店,地区" << key % 47 << ",担当" << i << "\n";
  }
  return FromFsPath(path);
}

// Loaded rows: the field-name row and rows - 1 data rows, `perKey` rows for each key,
// each row stored at its own width as the loader stores it.
void FillMain(CTextGrid& grid, int rows, int perKey) {
  grid.Clear();
  CString* title = grid.PrepareRow(0, 3);
  title[0] = u"コード";
  title[1] = u"品名";
  title[2] = u"数量";
  for (int r = 1; r < rows; ++r) {
    CString* cells = grid.PrepareRow(r, 3);
    cells[0] = CString::Build(u"C%d", 10000 + (r - 1) / perKey);
    cells[1] = CString::Build(u"品名%d", r);
    cells[2] = CString::Build(u"%d", r % 100);
  }
}

void RunJoin(benchmark::State& state, int mainRows, int mainPerKey, int addPerKey) {
  const CString path = WriteAddCsv(2999, addPerKey);
  CTextGrid data(GRID_MAX_ROWS);
  CTextGrid step(GRID_MAX_ROWS);
  int outRows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FillMain(data, mainRows, mainPerKey);
    int rows = mainRows;
    int cols = 3;
    CAddcsvJoin join;
    join.SetGrids(data, step, rows, cols, 0);
    join.m_Def.AddCsvCnt = 1;
    join.m_Def.AddCsvCols[0] = 4;
    join.m_Def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
    join.m_AddPath[0] = path;
    state.ResumeTiming();
    join.ClassifyColumns(0);
    join.LoadAddCsvPreview(0, path);
    if (join.JoinByKeys() != 1) state.SkipWithError("join refused");
    outRows = rows;
  }
  state.counters["rows"] = outRows;
  std::remove(path.ToUtf8().c_str());
}

void BM_KeyJoinOneToOne(benchmark::State& state) { RunJoin(state, 3000, 1, 1); }
BENCHMARK(BM_KeyJoinOneToOne)->Unit(benchmark::kMillisecond);

// Three loaded rows per additional line.
void BM_KeyJoinManyToOne(benchmark::State& state) { RunJoin(state, 3000, 3, 1); }
BENCHMARK(BM_KeyJoinManyToOne)->Unit(benchmark::kMillisecond);

// Three additional lines per loaded row: 999 loaded rows come out as 2997.
void BM_KeyJoinOneToMany(benchmark::State& state) { RunJoin(state, 1000, 1, 3); }
BENCHMARK(BM_KeyJoinOneToMany)->Unit(benchmark::kMillisecond);

}  // namespace
