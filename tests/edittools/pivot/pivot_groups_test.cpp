// Date and time group values and their display labels.
#include <gtest/gtest.h>

#include "edittools/pivot/pivot_groups.h"
#include "platform/ui_hooks.h"

namespace {

struct DateCase {
  const char* name;
  int unit;
  const char* cell;
  int firstMonth;
  const char* value;
};

class GroupDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(GroupDate, GivesTheGroupValue) {
  const DateCase& c = GetParam();
  RecordingUiHooks hooks;
  EXPECT_EQ(GroupDateValue(c.unit, CString(c.cell), c.firstMonth).ToUtf8(), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Units, GroupDate,
    ::testing::Values(
        DateCase{"MarchIsPreviousFiscalYear", GROUP_FISCAL_YEAR, "2024/3/31", 4, "2023年度"},
        DateCase{"AprilStartsTheFiscalYear", GROUP_FISCAL_YEAR, "2024/4/1", 4, "2024年度"},
        DateCase{"CalendarYear", GROUP_FISCAL_YEAR, "2024-12-31", 1, "2024年度"},
        DateCase{"MarchIsSecondHalf", GROUP_HALF_YEAR, "2024/3/15", 4, "下半期"},
        DateCase{"SeptemberIsFirstHalf", GROUP_HALF_YEAR, "2024/9/30", 4, "上半期"},
        DateCase{"JanuaryFirstHalfFromOctober", GROUP_HALF_YEAR, "2024/1/5", 10, "上半期"},
        DateCase{"AprilFirstHalfFromOctober", GROUP_HALF_YEAR, "2024/4/5", 10, "下半期"},
        DateCase{"MarchIsFourthQuarter", GROUP_QUARTER, "2024/3/15", 4, "4"},
        DateCase{"JuneIsFirstQuarter", GROUP_QUARTER, "2024/6/30", 4, "1"},
        DateCase{"JulyIsSecondQuarter", GROUP_QUARTER, "2024/7/1", 4, "2"},
        DateCase{"MarchIsMonthEleven", GROUP_MONTH, "2024/3/15", 4, "11"},
        DateCase{"AprilIsMonthZero", GROUP_MONTH, "2024年4月1日", 4, "00"},
        DateCase{"CalendarMonth", GROUP_MONTH, "2024/12/1", 1, "11"},
        DateCase{"Sunday", GROUP_WEEKDAY, "2024/3/17", 4, "1日曜日"},
        DateCase{"Saturday", GROUP_WEEKDAY, "2024/3/16", 4, "7土曜日"},
        DateCase{"EmptyCell", GROUP_MONTH, "", 4, ""},
        DateCase{"EmptyWeekday", GROUP_WEEKDAY, "", 4, ""},
        DateCase{"UnknownUnitKeepsCell", 9, "2024/3/15", 4, "2024/3/15"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TimeCase {
  const char* name;
  int unit;
  const char* cell;
  const char* value;
};

class GroupTime : public ::testing::TestWithParam<TimeCase> {};

TEST_P(GroupTime, GivesTheGroupValue) {
  const TimeCase& c = GetParam();
  EXPECT_EQ(GroupTimeValue(c.unit, CString(c.cell)).ToUtf8(), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Units, GroupTime,
    ::testing::Values(TimeCase{"MorningShortHour", GROUP_AM_PM, "9:05:00", "1午前"},
                      TimeCase{"Noon", GROUP_AM_PM, "12:00:00", "2午後"},
                      TimeCase{"HourPadded", GROUP_HOUR, "9:05:00", "09時"},
                      TimeCase{"HourTwoDigits", GROUP_HOUR, "23:59:59", "23時"},
                      TimeCase{"NoSecondsIsEmpty", GROUP_HOUR, "13:00", ""},
                      TimeCase{"LongHourIsEmpty", GROUP_HOUR, "013:00:00", ""},
                      TimeCase{"EmptyCell", GROUP_AM_PM, "", ""},
                      TimeCase{"UnknownUnitKeepsCell", 7, "13:00:00", "13:00:00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PeriodLabel, LabelsEachUnitOnce) {
  EXPECT_EQ(FormatPeriodLabel(GROUP_FISCAL_YEAR, u"2023").ToUtf8(), "2023年度");
  EXPECT_EQ(FormatPeriodLabel(GROUP_FISCAL_YEAR, u"2023年度").ToUtf8(), "2023年度");
  EXPECT_EQ(FormatPeriodLabel(GROUP_HALF_YEAR, u"２").ToUtf8(), "下半期");
  EXPECT_EQ(FormatPeriodLabel(GROUP_HALF_YEAR, u"上半期").ToUtf8(), "上半期");
  EXPECT_EQ(FormatPeriodLabel(GROUP_QUARTER, u"1").ToUtf8(), "第一四半期");
  EXPECT_EQ(FormatPeriodLabel(GROUP_QUARTER, u"４").ToUtf8(), "第四四半期");
  EXPECT_EQ(FormatPeriodLabel(GROUP_QUARTER, u"5").ToUtf8(), "5");
  EXPECT_EQ(FormatPeriodLabel(GROUP_MONTH, u"03").ToUtf8(), "03");
}

TEST(GroupDateNotice, OutOfRangeYearIsCorrectedWithOneMessagePerRun) {
  RecordingUiHooks hooks;
  ResetGroupDateNotice();
  // 1969 becomes 1970; the month stays.
  EXPECT_EQ(GroupDateValue(GROUP_FISCAL_YEAR, u"1969/5/1", 1).ToUtf8(), "1970年度");
  EXPECT_EQ(GroupDateValue(GROUP_MONTH, u"2040/7/1", 1).ToUtf8(), "06");
  ASSERT_EQ(hooks.Messages().size(), 1u);
  EXPECT_EQ(hooks.Messages()[0].ToUtf8(),
            "[1970] 設定できない年が有ります。1970年に変更して表示します。以降この表示はしません");
  ResetGroupDateNotice();
}

TEST(GroupDateNotice, TextThatIsNoDateGetsAnEmptyGroupValue) {
  RecordingUiHooks hooks;
  ResetGroupDateNotice();
  EXPECT_EQ(GroupDateValue(GROUP_MONTH, u"未定", 4).ToUtf8(), "");
  EXPECT_EQ(GroupDateValue(GROUP_FISCAL_YEAR, u"未定", 4).ToUtf8(), "");
  EXPECT_EQ(hooks.Messages().size(), 1u);
  ResetGroupDateNotice();
}

}  // namespace
