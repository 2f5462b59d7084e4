// Reading a generated 30000-line, 20-column Japanese CSV (Shift_JIS and UTF-8, CR LF)
// through the text-file stream and the line splitter, against converting the same
// bytes with the code-page layer alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "platform/codepage.h"

namespace {

constexpr int kLines = 30000;
constexpr int kColumns = 20;

// The CSV text: a header and rows of codes, names, places, dates, amounts and notes.
std::u16string GenerateCsvText() {
  static const char16_t* const kNames[] = {u"山田太郎", u"佐藤花子", u"鈴木一郎", u"高橋美咲",
                                           u"田中健二", u"伊藤さくら", u"渡辺翔", u"中村あゆみ"};
  static const char16_t* const kPlaces[] = {u"東京都港区", u"大阪市北区", u"名古屋市中区",
                                            u"札幌市中央区", u"福岡市博多区", u"ｶﾅｶﾞﾜｹﾝ"};
  static const char16_t* const kNotes[] = {u"至急対応", u"在庫確認中", u"\"備考,カンマ含む\"",
                                           u"ＡＢＣ－１２３", u"特になし"};
  std::u16string text;
  text.reserve(static_cast<size_t>(kLines) * 200);
  for (int c = 0; c < kColumns; ++c) {
    if (c) text += u',';
    text += u"項目";
    text += static_cast<char16_t>(u'0' + c / 10);
    text += static_cast<char16_t>(u'0' + c % 10);
  }
  text += u"\r\n";
  unsigned seed = 12345;
  auto next = [&]() { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
  for (int line = 1; line < kLines; ++line) {
    for (int c = 0; c < kColumns; ++c) {
      if (c) text += u',';
      std::u16string field;
      switch (c % 5) {
        case 0:
          field = CString::Build(u"%06d", line).ToU16();
          break;
        case 1:
          field = kNames[next() % 8];
          break;
        case 2:
          field = kPlaces[next() % 6];
          break;
        case 3:
          field = CString::Build(u"2024/%02d/%02d", 1 + next() % 12, 1 + next() % 28).ToU16();
          break;
        default:
          field = (c % 2) ? CString::Build(u"%d", next() * 7).ToU16() : kNotes[next() % 5];
          break;
      }
      text += field;
    }
    text += u"\r\n";
  }
  return text;
}

struct Sample {
  std::string path;
  std::string bytes;
};

const Sample& SampleFile(int codePage) {
  static Sample samples[2];
  Sample& s = samples[codePage == CP_UTF8 ? 1 : 0];
  if (s.path.empty()) {
    static const std::u16string text = GenerateCsvText();
    s.bytes = TextToBytes(text, codePage);
    s.path = (std::filesystem::temp_directory_path() /
              ("tabro_bench_" + std::to_string(::getpid()) + "_" + std::to_string(codePage) + ".csv"))
                 .string();
    std::ofstream(s.path, std::ios::binary).write(s.bytes.data(), static_cast<std::streamsize>(s.bytes.size()));
    std::atexit([] {
      for (const Sample& x : samples)
        if (!x.path.empty()) std::remove(x.path.c_str());
    });
  }
  return s;
}

void BM_ReadAndSplit(benchmark::State& state) {
  const Sample& s = SampleFile(static_cast<int>(state.range(0)));
  size_t fields = 0;
  for (auto _ : state) {
    CCsvTextFile f;
    if (!f.Open(CString::FromUtf8(s.path), u"r", CCsvTextFile::CODETYPE_DETECT)) {
      state.SkipWithError("open failed");
      return;
    }
    CString line;
    std::vector<CString> cells;
    fields = 0;
    while (f.ReadLine(line)) fields += static_cast<size_t>(SplitCsvLine(cells, line, false));
    benchmark::DoNotOptimize(fields);
  }
  if (fields != static_cast<size_t>(kLines) * kColumns) state.SkipWithError("wrong field count");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(BM_ReadAndSplit)->Arg(CP_SJIS)->Arg(CP_UTF8)->Unit(benchmark::kMillisecond);

void BM_ReadLinesOnly(benchmark::State& state) {
  const Sample& s = SampleFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CCsvTextFile f;
    f.Open(CString::FromUtf8(s.path), u"r", CCsvTextFile::CODETYPE_DETECT);
    CString line;
    int lines = 0;
    while (f.ReadLine(line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(BM_ReadLinesOnly)->Arg(CP_SJIS)->Arg(CP_UTF8)->Unit(benchmark::kMillisecond);

void BM_ConvertOnly(benchmark::State& state) {
  const int codePage = static_cast<int>(state.range(0));
  const Sample& s = SampleFile(codePage);
  for (auto _ : state) {
    CString text = BytesToText(s.bytes, codePage);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}
BENCHMARK(BM_ConvertOnly)->Arg(CP_SJIS)->Arg(CP_UTF8)->Unit(benchmark::kMillisecond);

}  // namespace
