// Number and date text conversions, as the loader, the macro columns and the
// data-edit tools call them once per cell.
#include <benchmark/benchmark.h>

#include <vector>

#include "grid/date_text.h"
#include "grid/number_text.h"

namespace {

const std::vector<CString>& NumberTexts() {
  static const std::vector<CString> texts = {
      u"1,234", u"\\12,345,678", u"-0.125", u"▲ 5,000", u"98765.4321", u"42", u"3.14159", u"abc",
  };
  return texts;
}

void BM_ParseNumberText(benchmark::State& state) {
  const std::vector<CString>& texts = NumberTexts();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumberText(texts[i++ % texts.size()]));
  }
}
BENCHMARK(BM_ParseNumberText);

void BM_FormatDouble(benchmark::State& state) {
  const double values[] = {1234, 0.1 + 0.2, -98765.4321, 1.0 / 3, 123456789.123456789, 1.5e16};
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatDouble(values[i++ % std::size(values)]));
  }
}
BENCHMARK(BM_FormatDouble);

void BM_FormatDateTime(benchmark::State& state) {
  struct Call {
    CString value;
    CString pattern;
  };
  const std::vector<Call> calls = {
      {u"2024/3/5", u"yyyy年mm月dd日"},   {u"20240305", u"yyyy/mm/dd"},
      {u"令和6年3月5日", u"yyyymmdd"},    {u"2024/3/5", u"和暦y年m月d日"},
      {u"2024/3/5", u"週"},               {u"12:5", u"HH:MM:SS"},
  };
  size_t i = 0;
  for (auto _ : state) {
    const Call& c = calls[i++ % calls.size()];
    benchmark::DoNotOptimize(FormatDateTime(c.value, c.pattern));
  }
}
BENCHMARK(BM_FormatDateTime);

}  // namespace
