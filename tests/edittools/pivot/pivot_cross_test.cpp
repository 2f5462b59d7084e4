// Cross tables: two column items, and the limits that stop the build with the
// data left as it was.
#include <gtest/gtest.h>

#include "pivot_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST(PivotCross, TwoColumnItemsGiveOneHeaderRowEach) {
  PivotFixture f;
  f.Load({"Y,M,Shop,V", "2023,1月,A,1", "2023,2月,A,2", "2024,1月,B,3"});
  f.Items({{3, 1}}, {RowItem(2, 1), ColItem(1, 4), ColItem(0, 5)}, 1);
  ASSERT_EQ(f.Execute(), 1);
  EXPECT_EQ(f.title, 2);
  EXPECT_EQ(f.run.headerRows, 2);
  EXPECT_EQ(f.Dump(), (Lines{"集計データ：,V,,", "Y,2023,,2024", "Shop＼M,1月,2月,1月", "A,1,2,0", "B,0,0,3"}));
}

// Rows "R<row key>,K<column key>,1" for the given numbers of keys.
Lines CrossInput(int rowKeys, int colKeys) {
  Lines lines{"R,K,V"};
  for (int r = 0; r < rowKeys; ++r) lines.push_back("r" + std::to_string(10000 + r) + ",k10000,1");
  for (int k = 1; k < colKeys; ++k) lines.push_back("r10000,k" + std::to_string(10000 + k) + ",1");
  return lines;
}

struct LimitCase {
  const char* name;
  int rowKeys;
  int colKeys;
  int sums;
  const char* message;  // empty: built
  int abort;
};

class PivotCrossLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(PivotCrossLimit, StopsAtTheLimitWithTheDataUnchanged) {
  const LimitCase& c = GetParam();
  PivotFixture f;
  const Lines input = CrossInput(c.rowKeys, c.colKeys);
  f.Load(input);
  std::vector<std::pair<int, int>> sums(c.sums, {2, 1});
  f.Items(sums, {RowItem(0, 1), ColItem(1, 4)}, 1);
  const int built = f.Execute();
  EXPECT_EQ(f.abort, c.abort);
  if (*c.message == 0) {
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(f.hooks.Messages().empty());
    return;
  }
  EXPECT_EQ(built, 0);
  ASSERT_EQ(f.hooks.Messages().size(), 1u);
  EXPECT_EQ(f.hooks.Messages()[0].ToUtf8(), c.message);
  EXPECT_EQ(f.title, 0);
  EXPECT_EQ(f.Dump(), input);
}

constexpr char kSingle[] =
    "クロス集計で集計列が繰り返さない場合は64列以上は処理できません。処理ができないので中止します.";
constexpr char kColumns[] = "列数が256以上になりました。処理ができないので中止します.";
constexpr char kRows[] = "集計した行数が 3000 を超えたため処理を中止します。";

INSTANTIATE_TEST_SUITE_P(
    Cases, PivotCrossLimit,
    ::testing::Values(LimitCase{"SixtyThreeColumnKeysFit", 1, 63, 1, "", 0},
                      LimitCase{"SixtyFourColumnKeysStop", 1, 64, 1, kSingle, 1},
                      LimitCase{"BlocksUpToColumn254Fit", 1, 126, 2, "", 0},
                      LimitCase{"NextBlockPastColumn256Stops", 1, 127, 2, kColumns, 1},
                      LimitCase{"TwoThousandNineHundredNinetyNineRowsFit", 2997, 1, 1, "", 0},
                      LimitCase{"ThreeThousandRowsStopWithoutAbort", 2998, 1, 1, kRows, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
