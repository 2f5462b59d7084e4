#include <gtest/gtest.h>

#include <filesystem>

#include <string>

#include "edittools/join/join_kinds.h"
#include "join_fixture.h"

namespace {

using jointest::JoinFixture;

// Split at tabs when ".tsv" stands anywhere in the file's own name; a folder's
// name does not decide.
TEST(LoadAddCsvPreview, TsvByItsName) {
  struct Case {
    const char* name;
    int fields;
  };
  constexpr Case kCases[] = {
      {"data.TSV", 3}, {"data.tsv", 3}, {"data.tsv.csv", 3}, {"data.csv", 1}, {"in.tsv/data.csv", 1}};
  for (const Case& c : kCases) {
    JoinFixture f;
    f.Load({{u"コード"}, {u"1"}});
    std::filesystem::create_directories(f.dir.path() / "in.tsv");
    ASSERT_EQ(f.join.LoadAddCsvPreview(0, FromFsPath(f.dir.Write(c.name, "a\tb\tc\n1\t2\t3\n"))), 1);
    EXPECT_EQ(f.join.m_AddCols[0], c.fields) << c.name;
  }
}

TEST(LoadAddCsvPreview, HeaderPreviewAndCounts) {
  JoinFixture f;
  f.Load({{u"コード"}, {u"1"}});
  std::string bytes = "a,b,\n\n1,2,3,4\n";
  for (int i = 0; i < 30; ++i) bytes += "x,y\n";
  const CString path = FromFsPath(f.dir.Write("sales.csv", bytes));
  ASSERT_EQ(f.join.LoadAddCsvPreview(0, path), 1);
  EXPECT_EQ(f.join.m_AddCols[0], 2);          // "a,b," holds two fields
  EXPECT_EQ(f.join.m_PreviewRows[0], 20);     // the blank line is not one of them
  EXPECT_EQ(f.join.m_PreviewCols[0], 4);
  EXPECT_EQ(f.join.m_AddTitle[0], CString(u"sales"));
  EXPECT_EQ(f.join.LoadAddCsvPreview(1, FromFsPath(f.dir / "missing.csv")), 0);
}

TEST(ClassifyColumns, KindsFromHeadersAndSamples) {
  JoinFixture f;
  f.Load({{u"郵便番号", u"電話番号", u"日付", u"得意先会社名"},
          {u"", u"03-1234-5678", u"未定", u"(株)山田"},
          {u"", u"", u"未定", u""}});
  f.AddFile(0, "add.csv",
            "郵便番号,電話番号,日付,得意先会社名,担当者\n"
            ",03-1234-5678,未定,(株)山田,\n"
            ",,2024/01/05,12,佐藤\n",
            5);
  struct Case {
    int column;
    int loaded;
    int additional;
  };
  constexpr Case kCases[] = {
      {0, JOINKIND_NONE, JOINKIND_UNDETERMINED},   // every sample empty
      {1, JOINKIND_PHONE, JOINKIND_PHONE},
      {2, JOINKIND_NONE, JOINKIND_DATE},   // the last non-empty sample decides an additional CSV
      {3, JOINKIND_COMPANY, JOINKIND_NONE},   // "12" does not fit a company
      {4, JOINKIND_NONE, JOINKIND_PERSON},
  };
  for (const Case& c : kCases) {
    if (c.column < f.cols) {
      EXPECT_EQ(f.join.m_ColumnKinds[0][c.column], c.loaded) << c.column;
    }
    EXPECT_EQ(f.join.m_ColumnKinds[1][c.column], c.additional) << c.column;
  }
}

TEST(LoadAddCsvData, FirstCsvKeepsOnlyLinesTheLoadedKeysCanMatch) {
  JoinFixture f;
  f.Load({{u"コード", u"数量"}, {u"K1", u"1"}, {u"K3", u"2"}});
  std::string bytes = "コード,単価\n";
  for (int i = 0; i < 5000; ++i) bytes += "K" + std::to_string(i) + "," + std::to_string(i) + "\n";
  const CString path = f.AddFile(0, "big.csv", bytes, 2);
  f.join.m_Def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  f.join.BuildKeyIndex(0);
  EXPECT_EQ(f.join.LoadAddCsvData(0, path), 2);
  ASSERT_EQ(f.join.m_AddRows[0], 3);
  EXPECT_EQ(f.join.m_AddLines[0][1][0], CString(u"K1"));
  EXPECT_EQ(f.join.m_AddLines[0][2][0], CString(u"K3"));
  EXPECT_TRUE(f.hooks.Messages().empty());
}

TEST(LoadAddCsvData, LinesBeyondTheLimitAreAnnounced) {
  JoinFixture f;
  f.Load({{u"コード"}, {u"1"}});
  std::string bytes = "コード,単価\n";
  for (int i = 0; i < 3004; ++i) bytes += "K" + std::to_string(i) + ",1\n";
  const CString path = FromFsPath(f.dir.Write("big.csv", bytes));
  EXPECT_EQ(f.join.LoadAddCsvData(1, path), 2);
  EXPECT_EQ(f.join.m_AddRows[1], 3000);
  EXPECT_EQ(f.join.m_AddLines[1][2999][0], CString(u"K2998"));
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0],
            CString::Build(u"追加CSVの行数が上限を超えています。\n[%s]\n3000行を超えた5行は取り込みませんでした。", path));
}

TEST(LoadAddCsvData, SignatureIsNoPartOfTheHeader) {
  JoinFixture f;
  f.Load({{u"コード"}, {u"1"}});
  const CString path = f.AddFile(0, "bom.csv", "\xEF\xBB\xBFコード,単価\nA01,100\n", 2);
  EXPECT_EQ(f.join.m_AddHeader[0][0], CString(u"コード"));
  ASSERT_EQ(f.join.LoadAddCsvData(0, path), 2);
  EXPECT_EQ(f.join.m_AddLines[0][0][0], CString(u"コード"));
}

TEST(LoadAddCsvData, TooLongALineRefusesTheFile) {
  JoinFixture f;
  f.Load({{u"コード"}, {u"1"}});
  const CString path =
      FromFsPath(f.dir.Write("long.csv", "a,b\n1,2\n3," + std::string(120000, 'x') + "\n5,6\n"));
  EXPECT_EQ(f.join.LoadAddCsvData(0, path), 0);
  EXPECT_EQ(f.join.m_AddLoaded[0], 0);
  EXPECT_EQ(f.join.m_AddLoadState[0], JOIN_LOAD_REFUSED);
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0], CString::Build(u"追加CSVを読み込めません。\n[%s]\n3行目が長すぎます。", path));
}

}  // namespace

namespace {

TEST(ChooseAddCsvFile, RemembersTheFolderOfTheChosenFile) {
  JoinFixture f;
  CString path;
  f.hooks.QueueFile(u"/data/sub/price.csv");
  ASSERT_EQ(f.join.ChooseAddCsvFile(path, u"/data"), 1);
  EXPECT_EQ(path, CString(u"/data/sub/price.csv"));
  EXPECT_EQ(f.join.m_LastFolder, CString(u"/data/sub/"));
  EXPECT_EQ(f.join.ChooseAddCsvFile(path, u"/data"), 0);   // cancelled
  EXPECT_EQ(path, CString(u"/data/sub/price.csv"));
}

}  // namespace
