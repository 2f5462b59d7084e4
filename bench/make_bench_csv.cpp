// Writes the Japanese CSV files the load benchmark reads, each in Shift_JIS with
// CR LF line ends and in UTF-8 (for comparison with other programs):
//   <folder>/rows30000x20.sjis.csv   <folder>/rows30000x20.utf8.csv
//   <folder>/rows30000x256.sjis.csv  <folder>/rows30000x256.utf8.csv  (about 50 MB)
// Usage: make_bench_csv [folder]   (default /tmp/tabro_bench)

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/codepage.h"
#include "platform/cstring.h"

namespace {

constexpr const char16_t* kNames[] = {u"山田", u"佐藤花子", u"鈴木", u"高橋一郎", u"田中", u"渡辺",
                                      u"伊藤", u"中村美咲"};
constexpr const char16_t* kWords[] = {u"東京", u"大阪府", u"名古屋", u"りんご", u"みかん",
                                      u"ボールペン", u"ノート", u"営業部"};
constexpr const char16_t* kTitles[] = {u"伝票番号", u"得意先名", u"数量", u"単価", u"売上日",
                                       u"地域", u"区分", u"金額"};

uint32_t g_seed = 12345;
uint32_t Next() {
  g_seed = g_seed * 1664525u + 1013904223u;
  return g_seed >> 8;
}

// One cell of column c in data row r; the column's position in a group of eight
// decides its kind.
CString Cell(int r, int c) {
  switch (c % 8) {
    case 0: return CString::Build(u"%05d", r % 100000);
    case 1: return kNames[Next() % 8];
    case 2: return CString::Build(u"%d", Next() % 500);
    case 3: return CString::Build(u"%d.%d", Next() % 1000, Next() % 10);
    case 4: return CString::Build(u"2024/%02d/%02d", 1 + Next() % 12, 1 + Next() % 28);
    case 5: return kWords[Next() % 8];
    case 6: return CString::Build(u"%d", Next() % 10);
    default: {
      const uint32_t v = Next() % 5000;
      if (v >= 1000) return CString::Build(u"\"%d,%03d\"", v / 1000, v % 1000);
      return CString::Build(u"%d", v);
    }
  }
}

bool Write(const std::filesystem::path& folder, int rows, int cols) {
  const std::string base = "rows" + std::to_string(rows) + "x" + std::to_string(cols);
  std::ofstream sjis(folder / (base + ".sjis.csv"), std::ios::binary);
  std::ofstream utf8(folder / (base + ".utf8.csv"), std::ios::binary);
  if (!sjis || !utf8) return false;
  g_seed = 12345;
  for (int r = 0; r <= rows; ++r) {
    CString line;
    for (int c = 0; c < cols; ++c) {
      if (c > 0) line += u',';
      line += r == 0 ? CString::Build(u"%s%d", kTitles[c % 8], c / 8 + 1) : Cell(r, c);
    }
    sjis << TextToBytes(line.View(), CP_SJIS) << "\r\n";
    utf8 << line.ToUtf8() << "\n";
  }
  return static_cast<bool>(sjis) && static_cast<bool>(utf8);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "/tmp/tabro_bench";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!Write(folder, 30000, 20) || !Write(folder, 30000, 256)) {
    std::fprintf(stderr, "cannot write the files in %s\n", folder.c_str());
    return 1;
  }
  std::printf("written in %s\n", folder.c_str());
  return 0;
}
