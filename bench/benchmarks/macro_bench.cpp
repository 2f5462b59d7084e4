// A computed column as the macro-column step makes it: one macro evaluated for
// each of 30000 rows, the result written as the cell text.
#include <benchmark/benchmark.h>

#include <vector>

#include "grid/grid_store.h"
#include "grid/number_text.h"
#include "macro/macro_columns.h"
#include "macro/macro_eval.h"

namespace {

constexpr int kRows = 30000;

struct Table {
  std::vector<CString> names{CString("商品"), CString("単価"), CString("数量"), CString("姓"), CString("名")};
  std::vector<std::vector<CString>> rows;
  Table() {
    rows.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
      rows.push_back({CString::Build(u"商品%05d", r), CString::Build(u"%d", 100 + r % 900),
                      CString::Build(u"%d", 1 + r % 12), CString(u"山田"), CString::Build(u"太郎%d", r % 7)});
    }
  }
};

const Table& Data() {
  static const Table table;
  return table;
}

void EvaluateColumn(benchmark::State& state, const char16_t* macro) {
  const Table& table = Data();
  std::vector<const CString*> cells(table.names.size());
  CMacroEval ev;
  ev.m_ColumnNames = &table.names;
  ev.m_ValueCount = static_cast<int>(cells.size());
  ev.m_RowCells = cells.data();
  for (auto _ : state) {
    for (int r = 0; r < kRows; ++r) {
      const std::vector<CString>& row = table.rows[r];
      for (size_t c = 0; c < cells.size(); ++c) cells[c] = &row[c];
      ev.m_ForceText = 0;
      const double value = ev.Evaluate(macro, r);
      CString cell = ev.ResultKind() == MACRO_NUMBER ? FormatDouble(value) : ev.m_Text;
      benchmark::DoNotOptimize(cell);
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_MacroProduct(benchmark::State& state) { EvaluateColumn(state, u"return [単価]*[数量]"); }
BENCHMARK(BM_MacroProduct)->Unit(benchmark::kMillisecond);

void BM_MacroConcatenation(benchmark::State& state) {
  EvaluateColumn(state, u"return [姓] + ' ' + [名] + '様'");
}
BENCHMARK(BM_MacroConcatenation)->Unit(benchmark::kMillisecond);

void BM_MacroIfElse(benchmark::State& state) {
  EvaluateColumn(state, u"if [数量] >= 10 then return [単価]*[数量]*0.9 else return [単価]*[数量]");
}
BENCHMARK(BM_MacroIfElse)->Unit(benchmark::kMillisecond);

// The whole step over grids: 30000 rows of 20 columns kept, a product and an
// if-else text column added, the result moved into the data grid.
void BM_MacroColumnStep(benchmark::State& state) {
  constexpr int kCols = 20;
  CTextGrid data(kRows + 1), step(kRows + 1);
  std::vector<MACROCOL> layout;
  for (int c = 0; c < kCols; ++c) layout.push_back(MACROCOL{c + 1, 0, CString(), CString()});
  layout.push_back(MACROCOL{-1, 1, u"[単価]*[数量]", u"金額"});
  layout.push_back(MACROCOL{-1, 2, u"if [数量]>=10 then return '大口' else return '小口'", u"規模"});
  const Table& table = Data();
  for (auto _ : state) {
    state.PauseTiming();
    for (int c = 0; c < kCols; ++c) data[0][c] = c < 5 ? table.names[static_cast<size_t>(c)] : CString(u"列");
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) data[r + 1][c] = table.rows[static_cast<size_t>(r)][static_cast<size_t>(c % 5)];
    }
    const std::vector<CString> names = MacroFieldNames(data, 0, kCols, 0, 0);
    state.ResumeTiming();
    CMacroColumnEngine engine(MACROGRIDS{data, step, kRows + 1, kCols, 0}, MACROCROSS{}, layout, names);
    CString error;
    benchmark::DoNotOptimize(engine.EvaluateMacroColumns(error));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_MacroColumnStep)->Unit(benchmark::kMillisecond);

}  // namespace
