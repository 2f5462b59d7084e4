// Writes the Japanese CSV files the load benchmark reads, each in Shift_JIS with
// CR LF line ends and in UTF-8 (for comparison with other programs):
//   <folder>/rows30000x20.sjis.csv   <folder>/rows30000x20.utf8.csv
//   <folder>/rows30000x256.sjis.csv  <folder>/rows30000x256.utf8.csv  (about 50 MB)
//   <folder>/texts30000x20.sjis.csv  <folder>/texts30000x20.utf8.csv  (about 4.3 MB)
// The rows files repeat a few values in every column; the texts file is the shape
// of a sales ledger: shop, person and product names, dates, numbers and free
// remarks in eight columns (a third filled, 17000 different texts). Its first
// eight columns carry the titles of the rows files, so the same data-edit settings
// run on both.
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

constexpr const char16_t* kShops[] = {u"丸福商店", u"山田屋", u"大和堂", u"三河屋", u"松本薬局",
                                      u"北斗書房", u"青葉食品", u"桜井酒店", u"富士電器", u"光文堂"};
constexpr const char16_t* kBranches[] = {u"新宿", u"渋谷", u"池袋", u"梅田", u"難波", u"栄",
                                         u"博多", u"天神", u"札幌", u"仙台", u"横浜", u"神戸"};
constexpr const char16_t* kRegions[] = {u"東京", u"大阪府", u"愛知県", u"福岡県", u"北海道",
                                        u"宮城県", u"神奈川県", u"兵庫県"};
constexpr const char16_t* kFamilyNames[] = {u"山田", u"佐藤", u"鈴木", u"高橋", u"田中", u"渡辺",
                                            u"伊藤", u"中村", u"小林", u"加藤", u"吉田", u"山口",
                                            u"松本", u"井上", u"木村", u"斎藤"};
constexpr const char16_t* kGivenNames[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健", u"陽子",
                                           u"翔太", u"由美", u"大輔", u"直樹", u"恵", u"誠"};
constexpr const char16_t* kGoods[] = {u"緑茶", u"ほうじ茶", u"煎餅", u"羊羹", u"醤油", u"味噌",
                                      u"乾電池", u"蛍光灯", u"ボールペン", u"ノート", u"封筒",
                                      u"石鹸", u"洗剤", u"タオル", u"文庫本", u"地図"};
constexpr const char16_t* kGrades[] = {u"徳用", u"特選", u"業務用", u"詰替", u"小袋", u"限定"};
constexpr const char16_t* kRemarks[] = {
    u"至急", u"午前中配達希望", u"再入荷待ち", u"箱に傷あり", u"請求書別送", u"担当者不在",
    u"折り返し連絡", u"次回まとめて", u"在庫確認中", u"納期調整", u"返品あり", u"値引き済み",
    u"見本同梱", u"代引き", u"領収書要", u"店頭受取", u"前回分と同梱", u"検品済み",
    u"色違い交換", u"数量訂正"};
constexpr const char16_t* kTextTitles[] = {u"担当者", u"商品名", u"備考1", u"備考2", u"備考3",
                                           u"備考4", u"備考5", u"備考6", u"備考7", u"備考8",
                                           u"納品日", u"割引率"};

// A remark: empty in most rows, else one or two phrases, now and then with a
// number of days or pieces, so that most of them differ.
CString Remark() {
  const uint32_t v = Next() % 100;
  if (v < 68) return CString();
  CString text = kRemarks[Next() % 20];
  if (v >= 88) text += kRemarks[Next() % 20];
  if (v >= 80) text += CString::Build(u"%d%s", 1 + Next() % 30, Next() % 2 ? u"日" : u"個");
  return text;
}

// One cell of column c of the texts file in data row r.
CString TextCell(int r, int c) {
  switch (c) {
    case 0: return CString::Build(u"%06d", r);
    case 1: return CString::Build(u"%s%s店", kShops[Next() % 10], kBranches[Next() % 12]);
    case 2: return CString::Build(u"%d", 1 + Next() % 499);
    case 3: return CString::Build(u"%d.%02d", Next() % 3000, Next() % 100);
    case 4:
    case 18: return CString::Build(u"2024/%02d/%02d", 1 + Next() % 12, 1 + Next() % 28);
    case 5: return kRegions[Next() % 8];
    case 6: return CString::Build(u"%d", 1 + Next() % 5);
    case 7: {
      const uint32_t v = Next() % 200000;
      if (v >= 1000) return CString::Build(u"\"%d,%03d\"", v / 1000, v % 1000);
      return CString::Build(u"%d", v);
    }
    case 8: return CString::Build(u"%s%s", kFamilyNames[Next() % 16], kGivenNames[Next() % 12]);
    case 9: return CString::Build(u"%s%s", kGrades[Next() % 6], kGoods[Next() % 16]);
    case 19: return CString::Build(u"0.%02d", Next() % 30);
    default: return Remark();
  }
}

CString TextTitle(int c) {
  return c < 8 ? CString::Build(u"%s1", kTitles[c]) : CString(kTextTitles[c - 8]);
}

using CellOf = CString (*)(int r, int c);

bool Write(const std::filesystem::path& folder, const std::string& base, int rows, int cols,
           CString (*title)(int c), CellOf cell) {
  std::ofstream sjis(folder / (base + ".sjis.csv"), std::ios::binary);
  std::ofstream utf8(folder / (base + ".utf8.csv"), std::ios::binary);
  if (!sjis || !utf8) return false;
  g_seed = 12345;
  for (int r = 0; r <= rows; ++r) {
    CString line;
    for (int c = 0; c < cols; ++c) {
      if (c > 0) line += u',';
      line += r == 0 ? title(c) : cell(r, c);
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
  auto rowsTitle = [](int c) { return CString::Build(u"%s%d", kTitles[c % 8], c / 8 + 1); };
  if (!Write(folder, "rows30000x20", 30000, 20, rowsTitle, Cell) ||
      !Write(folder, "rows30000x256", 30000, 256, rowsTitle, Cell) ||
      !Write(folder, "texts30000x20", 30000, 20, TextTitle, TextCell)) {
    std::fprintf(stderr, "cannot write the files in %s\n", folder.c_str());
    return 1;
  }
  std::printf("written in %s\n", folder.c_str());
  return 0;
}
