#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "grid/csv_loader.h"
#include "grid/column_types.h"
#include "grid/grid_set_fixture.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "grid/number_text.h"
#include "platform/codepage.h"
#include "platform/string_arena.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

CString PathText(const std::filesystem::path& p) { return CString::FromUtf8(p.string()); }

std::string Sjis(const char16_t* text) { return TextToBytes(text, CP_SJIS); }

std::string Repeat(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

class CsvLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetSet(); }

  // Loads a file with the given bytes under the given name.
  int Load(const std::string& name, const std::string& bytes) {
    path_ = PathText(dir_.Write(name, bytes));
    return LoadCsvFile(gridtest::Set(), path_);
  }

  TempDir dir_;
  CString path_;
  RecordingUiHooks hooks_;
};

TEST_F(CsvLoaderTest, RowsStoreAsManyCellsAsTheWidestRowSoFar) {
  struct Case {
    const char* name;
    std::string bytes;
    int dataCols;
    std::vector<int> fieldCounts;
  };
  const Case cases[] = {
      {"wide then narrow", "a,b,c\r\nd,e\r\n", 3, {3, 3}},
      {"narrow then wide", "a,b\r\nc,d,e,f\r\n", 4, {2, 4}},
      {"trailing comma adds no cell", "a,b,\r\nc,d\r\n", 2, {2, 2}},
      {"trailing comma after a wider row", "a,b,c\r\nd,e,\r\n", 3, {3, 3}},
      {"empty line keeps the width", "a,b\r\n\r\nc,d\r\n", 2, {2, 2, 2}},
      {"last line without line end", "a,b\r\nc,d", 2, {2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gridtest::ResetSet();
    ASSERT_EQ(Load("in.csv", c.bytes), 1);
    EXPECT_EQ(gridtest::Set().m_DataCols, c.dataCols);
    ASSERT_EQ(gridtest::Set().m_DataRows, static_cast<int>(c.fieldCounts.size()));
    for (size_t r = 0; r < c.fieldCounts.size(); ++r) {
      EXPECT_EQ(gridtest::Set().m_RowFieldCount[r], c.fieldCounts[r]) << "row " << r;
    }
  }
  EXPECT_TRUE(hooks_.Messages().empty());
}

TEST_F(CsvLoaderTest, CellsAndRowTablesOfAShiftJisFile) {
  ASSERT_EQ(Load("売上.csv", Sjis(u"品名,100,2024/01/05,\r\nりんご,\"1,200\",,メモ\r\n")), 1);
  const CGridSet& a = gridtest::Set();
  EXPECT_EQ(a.m_SourceCodeType, 1);
  EXPECT_EQ(a.m_DataGrid.GetAt(0, 0), u"品名");
  EXPECT_EQ(a.m_DataGrid.GetAt(1, 1), u"1,200");
  EXPECT_EQ(a.m_DataGrid.GetAt(1, 3), u"メモ");
  EXPECT_EQ(a.m_DataGrid.GetAt(0, 3), u"");
  // 品名, 100, 2024/01/05 and an empty cell.
  EXPECT_EQ(a.m_RowFilledCount[0], 3);
  EXPECT_EQ(a.m_RowTextCount[0], 0);
  EXPECT_EQ(a.m_RowLastTextCol[0], 0);
  // りんご, 1,200, an empty cell, メモ.
  EXPECT_EQ(a.m_RowFilledCount[1], 3);
  EXPECT_EQ(a.m_RowTextCount[1], 1);
  EXPECT_EQ(a.m_RowLastTextCol[1], 3);
  // The backup set was saved with the data.
  EXPECT_EQ(a.m_Backup.DataRows, 2);
  EXPECT_EQ(a.m_Backup.DataCols, 4);
  EXPECT_EQ(a.m_BackupGrid.GetAt(1, 3), u"メモ");
  EXPECT_EQ(a.m_Backup.RowTextCount[1], 1);
}

TEST_F(CsvLoaderTest, TsvIsToldByTheFilesOwnExtension) {
  struct Case {
    const char* name;
    const char* folder;
    const char* file;
    int cols;
  };
  const Case cases[] = {
      {"tsv file", "plain", "data.tsv", 2},
      {"TSV file", "plain", "data.TSV", 2},
      {"TSV only in a folder name", "old.TSV.files", "data.csv", 1},
      {"tsv before the final extension", "plain", "data.tsv.csv", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gridtest::ResetSet();
    std::filesystem::create_directories(dir_ / c.folder);
    ASSERT_EQ(Load(std::string(c.folder) + "/" + c.file, "a\tb c\r\nd\te f\r\n"), 1);
    EXPECT_EQ(gridtest::Set().m_DataCols, c.cols);
  }
}

TEST_F(CsvLoaderTest, RowLimitAndTotalRows) {
  struct Case {
    const char* name;
    int lines;
    std::string tail;  // after the lines
    int result;
    int rows;
    int totalRows;
    bool message;
  };
  const Case cases[] = {
      {"3000 lines", 3000, "", 1, 3000, 0, false},
      {"3001 lines", 3001, "", 1, 3001, 3001, false},
      {"30002 lines", 30002, "", 1, 30002, 30002, false},
      {"30003 lines keep the first 30002", 30003, "", 0, 30002, 30002, true},
      {"a long line after 30002 lines is one line too many", 30002,
       std::string(150000, 'x') + "\r\n", 0, 30002, 30002, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gridtest::ResetSet();
    hooks_.Clear();
    EXPECT_EQ(Load("rows.csv", Repeat("1,2\r\n", c.lines) + c.tail), c.result);
    EXPECT_EQ(gridtest::Set().m_DataRows, c.rows);
    EXPECT_EQ(gridtest::Set().m_TotalRows, c.totalRows);
    if (c.message) {
      ASSERT_EQ(hooks_.Boxes().size(), 1u);
      EXPECT_EQ(hooks_.Boxes()[0].text,
                CString::Build(u"[%s] 該当のファイルは行数が多過ぎて読み込みはできません（30002）",
                               path_));
      EXPECT_EQ(hooks_.Boxes()[0].caption, u"タブロコネクト");
    } else {
      EXPECT_TRUE(hooks_.Boxes().empty());
    }
  }
}

std::string Fields(int n) {
  std::string line;
  for (int i = 0; i < n; ++i) line += (i ? ",v" : "v") + std::to_string(i);
  return line;
}

TEST_F(CsvLoaderTest, ALineThatDoesNotFitRefusesTheWholeFile) {
  struct Case {
    const char* name;
    std::string bytes;
    int result;
    const char16_t* message;  // after "[path] "; null: none
  };
  const Case cases[] = {
      {"256 fields load", "a\r\n" + Fields(256) + "\r\n", 1, nullptr},
      {"256 fields and a trailing comma load", Fields(256) + ",\r\n", 1, nullptr},
      {"257 fields", "a\r\n" + Fields(257) + "\r\n", 0, u"2行目\nCSVデータの列数は256以内にして下さい。"},
      {"1200 fields", Fields(1200) + "\r\n", 0, u"1行目\nCSVデータの列数は256以内にして下さい。"},
      {"field of 10001 characters", "a,b\r\nc,d\r\ne," + std::string(10001, 'x') + "\r\n", 0,
       u"3行目\nCSVデータの項目は10000文字以内にして下さい。"},
      {"field of 10000 characters loads", "a," + std::string(10000, 'x') + "\r\n", 1, nullptr},
      {"the earliest of two problems is named",
       Repeat("1,2\r\n", 899) + "a," + std::string(10001, 'x') + "\r\n" + Repeat("1,2\r\n", 300) +
           Fields(300) + "\r\n" + Repeat("1,2\r\n", 2000),
       0, u"900行目\nCSVデータの項目は10000文字以内にして下さい。"},
      {"line of 150000 bytes", "a,b\r\n" + std::string(150000, 'x') + "\r\nc,d\r\n", 0,
       u"2行目\nCSVデータの1行は99999バイト以内にして下さい。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gridtest::ResetSet();
    hooks_.Clear();
    EXPECT_EQ(Load("wide.csv", c.bytes), c.result);
    if (c.message == nullptr) {
      EXPECT_TRUE(hooks_.Boxes().empty());
      EXPECT_GT(gridtest::Set().m_DataRows, 0);
      continue;
    }
    ASSERT_EQ(hooks_.Boxes().size(), 1u);
    EXPECT_EQ(hooks_.Boxes()[0].text, CString::Build(u"[%s] %s", path_, c.message));
    EXPECT_EQ(hooks_.Boxes()[0].caption, u"タブロコネクト");
    // Nothing of the file stays loaded, neither in the data nor in its backup.
    EXPECT_EQ(gridtest::Set().m_DataRows, 0);
    EXPECT_EQ(gridtest::Set().m_DataCols, 0);
    EXPECT_EQ(gridtest::Set().m_DataGrid.AllocatedRows(), 0);
    EXPECT_EQ(gridtest::Set().m_BackupGrid.AllocatedRows(), 0);
    EXPECT_EQ(gridtest::Set().m_RowFilledCount[0], 0);
  }
}

// What reading the file line by line on one thread gives: the stream's lines, split,
// each row as wide as the widest so far.
struct InOrderLoad {
  int codeType = 0;
  int cols = 0;
  std::vector<std::vector<CString>> cells;
  std::vector<int> filled, textCount, lastTextCol, fieldCount;
};

InOrderLoad ReadInOrder(const CString& path, bool tsv) {
  InOrderLoad ref;
  CCsvTextFile file;
  if (!file.Open(path, u"r", CCsvTextFile::CODETYPE_DETECT)) return ref;
  ref.codeType = file.m_CodeType;
  CString line;
  std::vector<CString> fields;
  while (file.ReadLine(line)) {
    int n = SplitCsvLine(fields, line, tsv);
    if (n > 0 && fields[n - 1].IsEmpty()) --n;
    fields.resize(n);
    ref.cols = std::max(ref.cols, n);
    int filled = 0, text = -1, last = 0;
    for (int c = 0; c < n; ++c) {
      const int kind = IsNumberOrDateText(fields[c]);
      if (kind != -1) ++filled;
      if (kind == 0) {
        ++text;
        last = c;
      }
    }
    ref.cells.push_back(fields);
    ref.filled.push_back(filled);
    ref.textCount.push_back(text);
    ref.lastTextCol.push_back(last);
    ref.fieldCount.push_back(ref.cols);
  }
  return ref;
}

// Lines of mixed cells: empty lines, narrow and wide rows, quoted fields with
// separators, doubled quotes and line ends inside, numbers, dates and text. TSV
// lines get no quoted cells: the stream's quote rule knows only the comma.
std::u16string MixedLines(uint32_t seed, int lines, char16_t sep, const char16_t* lineEnd) {
  static const char16_t* const kCells[] = {
      u"",       u"品名",        u"100",       u"\"1,200\"", u"2024/01/05", u"12:30",
      u"abc",    u"▲50",         u"-3.5",      u"  ",         u"ｶﾅ",         u"\"a\"\"b\"",
      u"\"複数\n行\"", u"15%",  u"1.5%",      u"東京都",
  };
  std::mt19937 rng(seed);
  std::u16string text;
  for (int i = 0; i < lines; ++i) {
    const uint32_t pick = rng() % 100;
    const int width = pick < 5 ? 0 : pick < 8 ? 40 + static_cast<int>(rng() % 200) : static_cast<int>(rng() % 12);
    for (int c = 0; c < width; ++c) {
      if (c > 0) text += sep;
      const char16_t* cell = kCells[rng() % std::size(kCells)];
      if (sep != u',' && cell[0] == u'"') cell = u"x";
      text += cell;
    }
    text += lineEnd;
  }
  return text;
}

// Expects the loaded data, its tables, counts and backup to be what reading the
// file in order gives; returns the code type the stream settled.
int ExpectLoadedAsReadInOrder(const CString& path, bool tsv) {
  const InOrderLoad ref = ReadInOrder(path, tsv);
  const CGridSet& a = gridtest::Set();
  EXPECT_EQ(a.m_SourceCodeType, ref.codeType);
  EXPECT_EQ(a.m_DataRows, static_cast<int>(ref.cells.size()));
  EXPECT_EQ(a.m_DataCols, ref.cols);
  EXPECT_EQ(a.m_Backup.DataRows, a.m_DataRows);
  if (a.m_DataRows != static_cast<int>(ref.cells.size())) return ref.codeType;
  int wrongCells = 0;
  for (int r = 0; r < a.m_DataRows; ++r) {
    SCOPED_TRACE(testing::Message() << "row " << r);
    const std::vector<CString>& row = ref.cells[r];
    for (int col = 0; col < GRID_COLS; ++col) {
      const CString expected = col < static_cast<int>(row.size()) ? row[col] : CString();
      wrongCells += a.m_DataGrid.GetAt(r, col) != expected;
      wrongCells += a.m_BackupGrid.GetAt(r, col) != expected;
    }
    EXPECT_EQ(a.m_RowFilledCount[r], ref.filled[r]);
    EXPECT_EQ(a.m_RowTextCount[r], ref.textCount[r]);
    EXPECT_EQ(a.m_RowLastTextCol[r], ref.lastTextCol[r]);
    EXPECT_EQ(a.m_RowFieldCount[r], ref.fieldCount[r]);
  }
  EXPECT_EQ(wrongCells, 0);
  return ref.codeType;
}

TEST_F(CsvLoaderTest, WorkerThreadsStoreWhatAReadingInOrderGives) {
  struct Case {
    const char* name;
    const char* file;
    int codePage;
    const char16_t* lineEnd;
    int codeType;
  };
  const Case cases[] = {
      {"Shift_JIS with CR LF", "mixed.csv", CP_SJIS, u"\r\n", CCsvTextFile::CODETYPE_SJIS},
      {"UTF-8 with LF", "mixed.csv", CP_UTF8, u"\n", CCsvTextFile::CODETYPE_UTF8},
      {"EUC-JP with LF", "mixed.csv", CP_EUCJP, u"\n", CCsvTextFile::CODETYPE_EUCJP},
      {"TSV in UTF-8", "mixed.tsv", CP_UTF8, u"\n", CCsvTextFile::CODETYPE_UTF8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gridtest::ResetSet();
    const bool tsv = std::string(c.file).ends_with(".tsv");
    // Enough lines for many batches; the last one has no line end.
    std::u16string text = MixedLines(7, 28000, tsv ? u'\t' : u',', c.lineEnd) + u"最後,1";
    const std::string bytes = TextToBytes(text, c.codePage);
    ASSERT_GT(bytes.size(), 1u << 20);  // large enough for the helper threads to take part
    ASSERT_EQ(Load(c.file, bytes), 1);
    EXPECT_EQ(ExpectLoadedAsReadInOrder(path_, tsv), c.codeType);
    EXPECT_TRUE(hooks_.Boxes().empty());
  }
}

// The cells and rows of a large file are made in the threads' string arenas;
// clearing the grids that hold them gives every block back.
TEST_F(CsvLoaderTest, ClearedGridsGiveBackTheMemoryOfALoad) {
  const int before = CStringArena::LiveBlocks();
  const std::string bytes = TextToBytes(MixedLines(7, 28000, u',', u"\r\n"), CP_SJIS);
  ASSERT_GT(bytes.size(), 1u << 20);
  ASSERT_EQ(Load("large.csv", bytes), 1);
  EXPECT_GT(CStringArena::LiveBlocks(), before);
  CGridSet& set = gridtest::Set();
  set.m_DataGrid.Clear();
  EXPECT_GT(CStringArena::LiveBlocks(), before);  // the backup holds the rows
  set.m_BackupGrid.Clear();
  EXPECT_EQ(CStringArena::LiveBlocks(), before);
}

TEST_F(CsvLoaderTest, EveryTextFixtureLoadsAsItReadsInOrder) {
  const char* const fixtures[] = {
      "staff_eucjp_crlf.csv", "staff_eucjp_lf.csv",      "staff_sjis_crlf.csv", "staff_sjis_lf.csv",
      "staff_utf8_bom_crlf.csv", "staff_utf8_crlf.csv", "staff_utf8_lf.csv",
  };
  for (const char* name : fixtures) {
    SCOPED_TRACE(name);
    gridtest::ResetSet();
    const CString path = PathText(testsupport::DataFile(std::string("text/") + name));
    ASSERT_EQ(LoadCsvFile(gridtest::Set(), path), 1);
    EXPECT_GT(gridtest::Set().m_DataRows, 1);
    ExpectLoadedAsReadInOrder(path, false);
  }
  EXPECT_TRUE(hooks_.Boxes().empty());
}

TEST_F(CsvLoaderTest, TheEarliestRefusedLineIsNamedWhicheverThreadFindsIt) {
  // Three lines that cannot be loaded at rows spread over the batches; whichever
  // worker meets one first, the message names the earliest.
  const std::string longField = "a," + std::string(10001, 'x') + "\r\n";
  std::mt19937 rng(11);
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    std::vector<int> bad = {static_cast<int>(rng() % 6000), static_cast<int>(rng() % 6000),
                            static_cast<int>(rng() % 6000)};
    std::string bytes;
    for (int r = 0; r < 6000; ++r) {
      const bool refused = std::find(bad.begin(), bad.end(), r) != bad.end();
      bytes += refused ? (r % 2 ? longField : Fields(300) + "\r\n") : "1,2,3\r\n";
    }
    const int first = *std::min_element(bad.begin(), bad.end());
    gridtest::ResetSet();
    hooks_.Clear();
    EXPECT_EQ(Load("refused.csv", bytes), 0);
    ASSERT_EQ(hooks_.Boxes().size(), 1u);
    const CString expected =
        first % 2 ? u"CSVデータの項目は10000文字以内にして下さい。" : u"CSVデータの列数は256以内にして下さい。";
    EXPECT_EQ(hooks_.Boxes()[0].text, CString::Build(u"[%s] %d行目\n%s", path_, first + 1, expected));
    EXPECT_EQ(gridtest::Set().m_DataRows, 0);
    EXPECT_EQ(gridtest::Set().m_DataGrid.AllocatedRows(), 0);
  }
}

TEST_F(CsvLoaderTest, AMissingFileIsReported) {
  CGridSet& set = gridtest::Set();
  set.m_EditRows = 5;
  set.m_EditCols = 3;
  const CString path = PathText(dir_ / "none.csv");
  EXPECT_EQ(LoadCsvFile(set, path), 0);
  ASSERT_EQ(hooks_.Messages().size(), 1u);
  EXPECT_EQ(hooks_.Messages()[0], CString::Build(u"[%s] 該当のファイルはありません", path));
  // Nothing was loaded, and the edit counts of an earlier input are gone.
  EXPECT_EQ(set.m_DataCols, 0);
  EXPECT_EQ(set.m_EditRows, 0);
  EXPECT_EQ(set.m_EditCols, 0);
  EXPECT_EQ(set.m_DataGrid.AllocatedRows(), 0);
  EXPECT_EQ(set.m_Backup.EditRows, 0);
  EXPECT_EQ(Load("empty.csv", ""), 0);
  EXPECT_EQ(hooks_.Messages().size(), 2u);
}

}  // namespace

namespace {

std::string Utf8(const char16_t* text) { return TextToBytes(text, CP_UTF8); }
std::string Euc(const char16_t* text) { return TextToBytes(text, CP_EUCJP); }

TEST_F(CsvLoaderTest, BytesThatDoNotDecodeAreRecorded) {
  const std::string utf8 = Utf8(u"品名,数量\n東京支店の商品,3\n");
  const std::string sjis = Sjis(u"品名,数量\r\n東京支店の商品,3\r\n");
  const std::string euc = Euc(u"品名,数量\n東京支店の商品,3\n");
  struct Case {
    const char* name;
    std::string bytes;
    int codeType;
    bool errors;
  };
  const Case cases[] = {
      {"clean UTF-8", utf8, CCsvTextFile::CODETYPE_UTF8, false},
      {"clean Shift_JIS", sjis, CCsvTextFile::CODETYPE_SJIS, false},
      {"clean EUC-JP", euc, CCsvTextFile::CODETYPE_EUCJP, false},
      {"UTF-8 with one invalid byte", utf8 + "x\xFFy,1\n", CCsvTextFile::CODETYPE_UTF8, true},
      // A lead byte followed by a byte no trail byte can be.
      {"Shift_JIS with a broken pair", sjis + "x\x81\x20y,1\r\n", CCsvTextFile::CODETYPE_SJIS,
       true},
      // A JIS X 0212 character: it reads as blanks.
      {"EUC-JP with a code Shift_JIS lacks", euc + "x\x8F\xB0\xA1y,1\n",
       CCsvTextFile::CODETYPE_EUCJP, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gridtest::Set().m_DecodeErrors = !c.errors;
    ASSERT_EQ(Load("in.csv", c.bytes), 1);
    EXPECT_EQ(gridtest::Set().m_SourceCodeType, c.codeType);
    EXPECT_EQ(gridtest::Set().m_DecodeErrors, c.errors);
  }
  EXPECT_TRUE(hooks_.Boxes().empty());
}

// A large file is stored by helper threads, each batch returning what it met; in
// Shift_JIS the bad pair goes through the converter of the thread that stores it.
TEST_F(CsvLoaderTest, ABadByteDeepInALargeFileIsRecorded) {
  struct Case {
    const char* name;
    std::string line;
    const char* bad;
  };
  const Case cases[] = {
      {"UTF-8", Utf8(u"東京支店の商品,12345,備考の文字列です\n"), "\xC0"},
      {"Shift_JIS", Sjis(u"東京支店の商品,12345,備考の文字列です\r\n"), "\x81\x20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string body = Repeat(c.line, 30000);
    ASSERT_GT(body.size(), size_t{1} << 20);
    ASSERT_EQ(Load("big.csv", body), 1);
    EXPECT_FALSE(gridtest::Set().m_DecodeErrors);
    const size_t late = body.size() - 10 * c.line.size();  // at the start of a line
    ASSERT_EQ(Load("big.csv", body.substr(0, late) + c.bad + body.substr(late)), 1);
    EXPECT_TRUE(gridtest::Set().m_DecodeErrors);
  }
}

// The column kinds the load folds while storing its rows (on several threads, in
// runs) give the types a pass over every cell gives, wherever the title row lies
// and however many rows count; the order of the cells matters to the kinds.
TEST_F(CsvLoaderTest, ColumnTypesFromTheLoadMatchAFullPass) {
  const std::vector<std::vector<std::string>> pools = {
      {"2024/01/05 09:30:00", "2024/01/06 10:00:00", ""},
      {"2024/01/05", "20240105", "12"},
      {"12", "1.5", "0012", ""},
      {"09:30:00", "25:00:00", "1"},
      {"20240105", "123456", "2024/13/01", "abc"},
      {"0123", "12", "2024/1/5"},
  };
  std::mt19937 random(7);
  // A last column empty but for one date and time on two rows running inside a
  // later run: the second makes it a time column.
  std::string bytes = "a,b,c,d,e,f,g\r\n";
  constexpr int kRows = 24000;  // over a megabyte: stored by several threads
  for (int r = 1; r < kRows; ++r) {
    for (size_t c = 0; c < pools.size(); ++c) {
      const auto& pool = pools[c];
      // Mostly the first value, the others now and then.
      const size_t pick = random() % 64 < 60 ? 0 : random() % pool.size();
      bytes += pool[pick] + (c + 1 < pools.size() ? "," : std::string(24, 'x') + ",");
    }
    bytes += (r == 1500 || r == 1501 ? "2024/01/05 09:30:00" : "") + std::string("\r\n");
  }
  ASSERT_EQ(Load("kinds.csv", bytes), 1);
  CGridSet& set = gridtest::Set();
  ASSERT_TRUE(set.m_LoadedKinds.valid);
  ASSERT_GT(set.m_LoadedKinds.runs.size(), 4u);
  const int titles[] = {-1, 0, 1, 700, 12345, 29990};
  const int rowCounts[] = {kRows, 5000, 12346};
  for (const int title : titles) {
    for (const int rows : rowCounts) {
      SCOPED_TRACE(testing::Message() << "title " << title << " rows " << rows);
      set.m_TitleRow = title;
      set.m_DataRows = rows;
      set.m_LastColumnTypeScan.valid = false;
      ScanColumnTypes(set, 0);
      const ColumnTypeTable fromLoad = set.m_ColumnTypes;
      const CGridSet::LoadedKinds kept = set.m_LoadedKinds;
      set.m_LoadedKinds.valid = false;
      set.m_LastColumnTypeScan.valid = false;
      ScanColumnTypes(set, 0);
      EXPECT_EQ(fromLoad, set.m_ColumnTypes);
      set.m_LoadedKinds = kept;
    }
  }
}

}  // namespace
