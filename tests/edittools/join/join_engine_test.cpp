#include <gtest/gtest.h>

#include <string>

#include "join_fixture.h"

namespace {

using jointest::JoinFixture;

TEST(JoinByKeys, OneToManyPastTheRowLimitKeepsWhatFits) {
  JoinFixture f;
  f.Load({{u"コード", u"数量"}, {u"A", u"1"}, {u"B", u"2"}});
  std::string bytes = "コード,倉庫\n";
  for (int i = 0; i < 2997; ++i) bytes += "A,W" + std::to_string(i) + "\n";   // rows 1 to 2997
  bytes += "B,X\n";                                                              // row 2998
  f.AddFile(0, "stock.csv", bytes, 2);
  f.join.m_Def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  ASSERT_EQ(f.join.JoinByKeys(), 1);   // 2999 rows: the most a one-to-many result holds
  EXPECT_EQ(f.rows, 2999);
  EXPECT_EQ(f.Row(2998), "B,2,X");

  JoinFixture g;
  g.Load({{u"コード", u"数量"}, {u"A", u"1"}, {u"B", u"2"}});
  g.AddFile(0, "stock.csv", bytes + "B,Y\n", 2);
  g.join.m_Def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  // Regression: the whole join was refused while the message says the rest was
  // not taken in; the first 2998 data rows are kept.
  EXPECT_EQ(g.join.JoinByKeys(), 1);
  ASSERT_EQ(g.hooks.Messages().size(), 1u);
  EXPECT_EQ(g.hooks.Messages()[0],
            CString(u"ファイル結合のデータが3000を超えました。これ以上取り込めませんでした。"));
  EXPECT_EQ(g.rows, 2999);
  EXPECT_EQ(g.cols, 3);
  EXPECT_EQ(g.Row(2998), "B,2,X");
}

// A file of blank lines once made the merge read a header line that was not there.
TEST(JoinByKeys, AdditionalCsvOfBlankLinesIsRefused) {
  JoinFixture f;
  f.Load({{u"コード", u"数量"}, {u"A", u"1"}});
  const CString path = f.AddFile(0, "blank.csv", "\n \n\n", 2);
  f.join.m_Def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  EXPECT_EQ(f.join.JoinByKeys(), 0);
  EXPECT_EQ(f.cols, 2);
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0], CString::Build(u"追加CSVを読み込めませんでした。\n[%s]", path));
}

// A stored definition wider than its file could have sized the result past 256 columns.
TEST(JoinByKeys, StoredColumnCountCountsTowardsTheLimit) {
  JoinFixture f;
  f.Load({{u"コード", u"数量", u"単価"}, {u"A", u"1", u"2"}});
  f.AddFile(0, "narrow.csv", "コード,地区\nA,東\n", 254);
  f.join.m_Def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  EXPECT_EQ(f.join.JoinByKeys(), 0);
  EXPECT_EQ(f.cols, 3);
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0], CString(u"合計の列数が256列以上です。処理ができません。"));
}

TEST(JoinByKeys, CompositeKeyJoinsCellsInLinkOrder) {
  JoinFixture f;
  f.Load({{u"年", u"月", u"数量"}, {u"2024", u"1", u"5"}, {u"2024", u"2", u"6"}});
  f.AddFile(0, "plan.csv", "月,年,計画\n2,2024,60\n1,2024,50\n", 3);
  f.join.m_Def.AlignArry[0] = {ALIGN{0, 1, 0, 1}, ALIGN{0, 1, 1, 0}};
  ASSERT_EQ(f.join.JoinByKeys(), 1);
  EXPECT_EQ(f.Row(0), "年,月,数量,計画");
  EXPECT_EQ(f.Row(1), "2024,1,5,50");
  EXPECT_EQ(f.Row(2), "2024,2,6,60");
}

TEST(AppendSerial, MinusFlagsMarkOnlyAppendedCells) {
  JoinFixture f;
  f.Load({{u"一覧"}, {u"品名", u"金額"}, {u"りんご", u"300"}}, 1);
  f.AddFile(0, "returns.csv", "商品,返金\nみかん,120\nぶどう\n", 2);
  f.join.m_Def.AlignArry[2] = {ALIGN{0, 3, 0, 5}, ALIGN{0, 3, 1, 6}, ALIGN{1, 3, 0, 5},
                               ALIGN{1, 3, 1, 6}};
  f.join.m_MinusFlags[1] = 1;   // "▲" on the second output position
  ASSERT_EQ(f.join.AppendSerial(), 1);
  EXPECT_EQ(f.rows, 5);
  EXPECT_EQ(f.Row(0), "一覧,");   // above the field-name row: left as it was
  EXPECT_EQ(f.Row(1), "品名,金額");
  EXPECT_EQ(f.Row(2), "りんご,300");
  EXPECT_EQ(f.Row(3), "みかん,-120");
  EXPECT_EQ(f.Row(4), "ぶどう,-");
}

TEST(AppendSerial, ResultBeyondTheGridIsRefused) {
  JoinFixture f;
  std::vector<std::vector<CString>> rows = {{u"品名", u"金額"}};
  for (int i = 0; i < 29000; ++i) rows.push_back({u"x", u"1"});
  f.Load(rows);
  std::string bytes = "品名,金額\n";
  for (int i = 0; i < 1500; ++i) bytes += "y,2\n";
  f.AddFile(0, "more.csv", bytes, 2);
  f.join.m_Def.AlignArry[2] = {ALIGN{0, 3, 0, 0}, ALIGN{1, 3, 0, 0}};
  EXPECT_EQ(f.join.AppendSerial(), 0);
  EXPECT_EQ(f.rows, 29001);
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0],
            CString(u"ファイル結合のデータが30002を超えました。これ以上取り込めませんでした。"));
}

}  // namespace
