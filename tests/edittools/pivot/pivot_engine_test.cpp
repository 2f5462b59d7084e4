// The aggregation engine on small grids: grouping, sums and counts, exactness,
// headings, refusals and the untouched grid after a failure.
#include <gtest/gtest.h>

#include "pivot_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST(PivotEngine, GroupsUnsortedRowsAndSumsEachGroup) {
  PivotFixture f;
  f.Load({"X,V", "B,4", "A,1", "A,2", "B,5", "A,3"});
  f.Items({{1, 1}}, {RowItem(0, 1)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"X,V", "A,6", "B,9"}));
}

TEST(PivotEngine, CountsNonEmptyCellsOnly) {
  PivotFixture f;
  f.Load({"X,V", "A,", "A,0", "A,x"});
  f.Items({{1, 2}}, {RowItem(0, 1)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"X,V", "A,2"}));
}

TEST(PivotEngine, OuterItemComesFirstWhateverTheColumnOrder) {
  PivotFixture f;
  // Inner item (level 1) is column 1, outer (level 2) column 2.
  f.Load({"V,Inner,Outer", "1,b,Q", "2,a,P", "4,b,P"});
  f.Items({{0, 1}}, {RowItem(1, 1), RowItem(2, 2)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"Outer,Inner,V", "P,a,2", "P,b,4", "Q,b,1"}));
}

TEST(PivotEngine, IntegerSumsStayExactBeyondDoublePrecision) {
  PivotFixture f;
  f.Load({"X,V", "A,9007199254740993", "A,1", "B,123456789012345678", "B,1"});
  f.Items({{1, 1}}, {RowItem(0, 1)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"X,V", "A,9007199254740994", "B,123456789012345679"}));
}

TEST(PivotEngine, DecimalSumsUseFifteenDigits) {
  PivotFixture f;
  f.Load({"X,V", "A,0.1", "A,0.2", "A,\\1000", "A,▲0.5"});
  f.Items({{1, 1}}, {RowItem(0, 1)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"X,V", "A,999.8"}));
}

TEST(PivotEngine, NumericHeadingsBecomeFullWidthOnlyWhenAllAre) {
  PivotFixture f;
  f.Load({"X,2023,2024", "A,1,2"});
  f.Items({{1, 1}, {2, 1}}, {RowItem(0, 1)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump()[0], "X,２０２３,２０２４");

  PivotFixture g;
  g.Load({"X,2023,金額", "A,1,2"});
  g.Items({{1, 1}, {2, 1}}, {RowItem(0, 1)});
  ASSERT_EQ(g.Execute(), 1);
  EXPECT_EQ(g.Dump()[0], "X,2023,金額");
}

TEST(PivotEngine, NumberColumnGroupsSortAsNumbers) {
  PivotFixture f;
  f.Load({"N,V", "10,1", "9,1", "10,1"});
  f.Items({{1, 1}}, {RowItem(0, 1)});
  f.run.columnTypes[0] = 1;
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"N,V", "9,1", "10,2"}));
}

TEST(PivotEngine, NumberGroupsThatCompareEqualKeepTheirRowOrder) {
  PivotFixture f;
  // 10 and 10.0 sort as one number, so the rows stay in input order and each run
  // of identical cells makes its own row.
  f.Load({"N,V", "10,1", "9,8", "10.0,2", "10,4"});
  f.Items({{1, 1}}, {RowItem(0, 1)});
  f.run.columnTypes[0] = 1;
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"N,V", "9,8", "10,1", "10.0,2", "10,4"}));
}

TEST(PivotEngine, TitleRowBelowTheFirstRowIsKept) {
  PivotFixture f;
  f.Load({"report,", "X,V", "B,1", "A,2"});
  f.title = 1;
  f.Items({{1, 1}}, {RowItem(0, 1)});
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.title, 1);
  EXPECT_EQ(f.Dump(), (Lines{",", "X,V", "A,2", "B,1"}));
}

TEST(PivotEngine, NoDataRowsLeavesTheTitleRow) {
  PivotFixture f;
  f.Load({"X,V"});
  f.Items({{1, 1}}, {RowItem(0, 1, 1)}, 0, 0, 3);
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.Dump(), (Lines{"X,V"}));
}

struct RefusalCase {
  const char* name;
  std::vector<std::pair<int, int>> sums;
  std::vector<GRPCLM> groups;
  int sumType;
  const char* message;
};

class PivotRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PivotRefusal, RefusesAndLeavesTheGridAsItWas) {
  const RefusalCase& c = GetParam();
  PivotFixture f;
  const Lines input{"A,B,C,D,V", "a,b,c,d,1", "e,f,g,h,2"};
  f.Load(input);
  f.Items(c.sums, c.groups, c.sumType);
  EXPECT_EQ(f.Execute(), 0);
  EXPECT_EQ(f.Dump(), input);
  EXPECT_EQ(f.rows, 3);
  EXPECT_EQ(f.cols, 5);
  EXPECT_EQ(f.title, 0);
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0].ToUtf8(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PivotRefusal,
    ::testing::Values(
        RefusalCase{"NoValueItem", {}, {RowItem(0, 1)}, 0,
                    "集計項目とグループ項目を選択してください。処理を中止します。"},
        RefusalCase{"NoGroupItem", {{4, 1}}, {}, 0,
                    "集計項目とグループ項目を選択してください。処理を中止します。"},
        RefusalCase{"FourGroupItems", {{4, 1}}, {RowItem(0, 1), RowItem(1, 2), RowItem(2, 3), RowItem(3, 4)}, 0,
                    "ｸﾞﾙｰﾌﾟ選択は3項目までです。"},
        RefusalCase{"ColumnBeyondData", {{9, 1}}, {RowItem(0, 1)}, 0,
                    "集計の設定にデータに無い列が有ります。処理を中止します。"},
        RefusalCase{"CrossWithoutRowItem", {{4, 1}}, {ColItem(0, 4)}, 1,
                    "クロス集計には行項目が必要です。処理を中止します。"},
        RefusalCase{"CrossWithoutColumnItem", {{4, 1}}, {RowItem(0, 1)}, 1,
                    "クロス集計には列項目が必要です。処理を中止します。"},
        RefusalCase{"ColumnItemBeforeRowItem", {{4, 1}}, {ColItem(0, 4), RowItem(1, 1)}, 1,
                    "集計の設定が正しくありません。処理を中止します。"},
        RefusalCase{"SimpleWithColumnItem", {{4, 1}}, {RowItem(1, 1), ColItem(0, 4)}, 0,
                    "集計の設定が正しくありません。処理を中止します。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PivotEngine, TooManyValueItemsForTheWorkGridAreRefused) {
  PivotFixture f;
  f.Load({"X,V", "A,1"});
  std::vector<std::pair<int, int>> sums(256, {1, 1});
  f.Items(sums, {RowItem(0, 1)});
  EXPECT_EQ(f.Execute(), 0);
  EXPECT_EQ(f.hooks.Messages().at(0).ToUtf8(), "集計項目が多すぎるため処理を中止します。");
}

}  // namespace
