// A computed column as the macro-column step makes it: one macro evaluated for
// each of 30000 rows, the result written as the cell text.
#include <benchmark/benchmark.h>

#include <vector>

#include "grid/number_text.h"
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

}  // namespace
