#include "grid/date_text.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
  const char* name;
  const char16_t* value;
  const char16_t* pattern;
  const char16_t* expected;
};

void ExpectFormats(const FormatCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const FormatCase& c = cases[i];
    EXPECT_EQ(FormatDateTime(c.value, c.pattern), CString(c.expected)) << c.name;
  }
}

TEST(FormatDateTimeTest, WesternPatterns) {
  const FormatCase cases[] = {
      {"padded kanji date", u"2024/3/5", u"yyyy年mm月dd日", u"2024年03月05日"},
      {"short year plain parts", u"2024/3/5", u"yy/m/d", u"24/3/5"},
      {"one y is the whole year", u"2024/3/5", u"y.m.d", u"2024.3.5"},
      {"abbreviated month", u"2024/3/5", u"mmm d, yyyy", u"Mar 5, 2024"},
      {"abbreviated month with point", u"2024/3/5", u"mmp d", u"Mar. 5"},
      {"May has no point", u"2024/5/5", u"mmp", u"May"},
      {"full month name", u"2024/9/5", u"month", u"September"},
      {"ordinal day", u"2024/3/5", u"dth", u"5th"},
      {"ordinal 1st", u"2024/3/1", u"dth", u"1st"},
      {"ordinal 12th", u"2024/3/12", u"dth", u"12th"},
      {"ordinal 22nd", u"2024/3/22", u"dth", u"22nd"},
      {"ordinal 23rd", u"2024/3/23", u"dth", u"23rd"},
      {"hyphens", u"2024-03-05", u"yyyy/mm/dd", u"2024/03/05"},
      {"points", u"24.3.5", u"yyyymmdd", u"20240305"},
      {"kanji value", u"2024年3月5日", u"yyyy/mm/dd", u"2024/03/05"},
      {"kanji value without day is no date", u"2024年3月", u"yyyy/mm/dd", u"2024年3月"},
      {"packed six digits", u"240305", u"yyyy-mm-dd", u"2024-03-05"},
      {"two-digit year 81 is 1981", u"810305", u"yyyy-mm-dd", u"1981-03-05"},
      {"two-digit year 80 is 2080", u"800305", u"yyyy-mm-dd", u"2080-03-05"},
      {"packed eight digits", u"20240305", u"yyyy年m月d日", u"2024年3月5日"},
      {"five digits are no date here", u"40305", u"yyyy/mm/dd", u"40305"},
      {"year and month only", u"2024/3/5", u"yyyymm", u"202403"},
      {"full-width digits", u"2024/3/5", u"ｙｙｙｙ年ｍｍ月ｄ日", u"２０２４年０３月５日"},
      {"full-width short year", u"2024/3/5", u"ｙｙ/ｍ/ｄｄ", u"２４/３/０５"},
      {"date before 1970", u"1950/7/1", u"yyyy年mm月dd日", u"1950年07月01日"},
  };
  ExpectFormats(cases, std::size(cases));
}

TEST(FormatDateTimeTest, JapaneseEras) {
  const FormatCase cases[] = {
      {"era name and year", u"2024/3/5", u"和暦y年m月d日", u"令和6年3月5日"},
      {"era initial", u"2024/3/5", u"W暦yy.mm.dd", u"R06.03.05"},
      {"last day of Heisei", u"2019/4/30", u"和暦y年", u"平成31年"},
      {"first day of Reiwa", u"2019/5/1", u"和暦y年", u"令和1年"},
      {"first year full-width", u"2019/5/1", u"和暦ｙ年", u"令和元年"},
      {"last day of Showa", u"1989/1/7", u"和暦", u"昭和"},
      {"first day of Heisei", u"1989/1/8", u"和暦", u"平成"},
      {"Showa year", u"1989/1/7", u"和暦yy", u"昭和64"},
      {"Taisho", u"1926/12/24", u"和暦y年", u"大正15年"},
      {"first day of Showa", u"1926/12/25", u"和暦ｙ年", u"昭和元年"},
      {"Meiji", u"1912/7/29", u"W暦y", u"M45"},
      {"first day of Taisho initial", u"1912/7/30", u"W暦y", u"T1"},
      {"era year without era name", u"2024/3/5", u"和年y年", u"6年"},
      {"era text read back", u"平成31年4月30日", u"yyyy/mm/dd", u"2019/04/30"},
      {"first era year read back", u"令和元年5月1日", u"yyyy/mm/dd", u"2019/05/01"},
      {"Showa text", u"昭和64年1月7日", u"yyyymmdd", u"19890107"},
  };
  ExpectFormats(cases, std::size(cases));
}

TEST(FormatDateTimeTest, Weekdays) {
  const FormatCase cases[] = {
      {"kanji weekday", u"2024/3/5", u"週曜日", u"火曜日"},
      {"English weekday", u"2024/3/5", u"Weekday", u"Tuesday"},
      {"abbreviated English weekday", u"2024/3/9", u"(Weekday.)", u"(Sat.)"},
      {"before 1970 by calendar", u"1969/12/31", u"週", u"水"},
      {"first supported day", u"1900/1/1", u"週", u"月"},
      {"after 2038", u"2099/12/31", u"週", u"木"},
      {"day past month end carries", u"2024/2/30", u"週", u"金"},
      {"month out of range", u"2024/13/1", u"週", u"＿"},
      {"year before 1900", u"1899/12/31", u"週", u"＿"},
  };
  ExpectFormats(cases, std::size(cases));
}

TEST(FormatDateTimeTest, Times) {
  const FormatCase cases[] = {
      {"padded minutes", u"12:5", u"HH:MM", u"12:05"},
      {"packed six digits", u"123456", u"HH時MM分", u"12時34分"},
      {"run too long", u"12:34", u"HHH", u"12:34"},
      {"seconds missing are 0", u"9:30", u"HH:MM:SS", u"09:30:00"},
      {"plain hours", u"09:07:03", u"H時M分S秒", u"9時7分3秒"},
      {"full-width", u"9:7", u"ＨＨ:Ｍ", u"０９:７"},
      {"packed alone", u"093000", u"HH", u"09"},
      {"packed with date pattern is a date", u"240305", u"yy/mm/dd", u"24/03/05"},
  };
  ExpectFormats(cases, std::size(cases));
}

// A value holding a date and a time is written by the pattern's date part,
// time part or both; the pattern's letters never come back as the result.
TEST(FormatDateTimeTest, DateAndTimeValues) {
  const FormatCase cases[] = {
      {"date pattern takes the date", u"2024/01/05 09:30", u"yyyy/mm/dd", u"2024/01/05"},
      {"time pattern takes the time", u"2024/01/05 09:30", u"HH:MM", u"09:30"},
      {"both parts", u"2024/1/5 9:30:15", u"yyyy年m月d日 H時MM分SS秒", u"2024年1月5日 9時30分15秒"},
      {"month name beside minutes", u"2024/3/5 12:05", u"mmm d HH:MM", u"Mar 5 12:05"},
      {"weekday and time", u"2024/3/5 08:00", u"週 HH:MM", u"火 08:00"},
      {"era year and time", u"2019/5/1 07:15", u"和暦y年 H:MM", u"令和1年 7:15"},
      {"two blanks", u"2024/01/05  09:30", u"dd HH", u"05 09"},
      {"unreadable time run keeps the value", u"2024/01/05 09:30", u"HHH", u"2024/01/05 09:30"},
  };
  ExpectFormats(cases, std::size(cases));
}

TEST(FormatDateTimeTest, UnreadableValuesComeBackUnchanged) {
  const CString longValue(u'1', 101);
  const FormatCase cases[] = {
      {"no date", u"abc", u"yyyy", u"abc"},
      {"empty pattern", u"2024/3/5", u"", u"2024/3/5"},
      {"three y", u"2024/3/5", u"yyy", u"2024/3/5"},
      {"four m", u"2024/3/5", u"mmmm", u"2024/3/5"},
      {"three d", u"2024/3/5", u"ddd", u"2024/3/5"},
      {"month name out of range", u"2024/13/5", u"mmm", u"2024/13/5"},
      {"plain month out of range is written", u"2024/13/5", u"mm", u"13"},
      {"seven digits", u"2024035", u"yyyy", u"2024035"},
      {"year 0 in kanji", u"0年3月5日", u"yyyy", u"0年3月5日"},
      {"era without year", u"令和年3月5日", u"yyyy", u"令和年3月5日"},
  };
  ExpectFormats(cases, std::size(cases));
  EXPECT_EQ(FormatDateTime(longValue, u"yyyy"), longValue);
  EXPECT_EQ(FormatDateTime(u"", u"yyyy"), CString());
}

TEST(IsDateTextTest, RecognisesDateForms) {
  struct Case {
    const char* name;
    const char16_t* text;
    bool expected;
  } cases[] = {
      {"slashes", u"2024/1/5", true},
      {"hyphens", u"24-1-5", true},
      {"one separator", u"2024/1", false},
      {"three digits", u"1/1/1", false},
      {"six digits", u"240105", true},
      {"seven digits", u"2401051", false},
      {"kanji", u"2024年1月5日", true},
      {"kanji without day", u"2024年1月", false},
      {"era", u"令和6年1月5日", true},
      {"era first year", u"令和元年5月1日", true},
      {"month four after year", u"令和6年　12月1日", false},
      {"month three after year", u"平成31年12月31日", true},
      {"letter", u"2024/1/5a", false},
      {"twelve characters", u"2024/01/05  ", false},
      {"word", u"abc", false},
      {"empty", u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDateText(c.text), c.expected) << c.name;
  }
}

TEST(ParseDateTextTest, ReadsDatesAndForms) {
  struct Case {
    const char* name;
    const char16_t* text;
    int form;
    int year, month, day;
  } cases[] = {
      {"two-digit year slashes", u"24/3/5", 12, 2024, 3, 5},
      {"four-digit year slashes", u"2024/03/05", 13, 2024, 3, 5},
      {"kanji two-digit year", u"24年1月31日", 22, 2024, 1, 31},
      {"kanji four-digit year", u"2024年1月31日", 23, 2024, 1, 31},
      {"era year", u"令和6年1月31日", 23, 2024, 1, 31},
      {"first era year", u"平成元年1月8日", 23, 1989, 1, 8},
      {"five digits", u"40305", 1, 2004, 3, 5},
      {"six digits", u"810305", 2, 1981, 3, 5},
      {"eight digits", u"20240305", 3, 2024, 3, 5},
      {"before 1970", u"1955/10/1", 13, 1955, 10, 1},
      {"first day of 1900", u"1900/1/1", 13, 1900, 1, 1},
      {"day past month end carries", u"2024/2/30", 13, 2024, 3, 1},
      {"leap day", u"2024/2/29", 13, 2024, 2, 29},
  };
  for (const Case& c : cases) {
    int form = -1;
    DateTextError error = DateTextError::kOutOfRange;
    const int64_t t = ParseDateText(c.text, form, error);
    EXPECT_EQ(form, c.form) << c.name;
    EXPECT_EQ(error, DateTextError::kNone) << c.name;
    EXPECT_EQ(t, DateToTimeValue(c.year, c.month, c.day)) << c.name;
    int y = 0, m = 0, d = 0;
    TimeValueToDate(t, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.year * 10000 + c.month * 100 + c.day) << c.name;
  }
}

TEST(ParseDateTextTest, RefusesImpossibleDatesAndIgnoresOtherText) {
  struct Case {
    const char* name;
    const char16_t* text;
    DateTextError error;
  } cases[] = {
      {"month 13", u"2024年13月1日", DateTextError::kImpossibleDate},
      {"day 32", u"2024/1/32", DateTextError::kImpossibleDate},
      {"no day after one slash", u"2024/3", DateTextError::kImpossibleDate},
      {"no 日", u"2024年3月", DateTextError::kImpossibleDate},
      {"year before 1900", u"1899/12/31", DateTextError::kImpossibleDate},
      {"after the year 3000", u"3001/1/1", DateTextError::kOutOfRange},
      {"word", u"abc", DateTextError::kNone},
      {"hyphens are no parse form", u"2024-03-05", DateTextError::kNone},
      {"seven digits", u"2024035", DateTextError::kNone},
      {"empty", u"", DateTextError::kNone},
      {"no number before 年", u"第3年4月5日", DateTextError::kNone},
  };
  for (const Case& c : cases) {
    int form = -1;
    DateTextError error = DateTextError::kNone;
    EXPECT_EQ(ParseDateText(c.text, form, error), 0) << c.name;
    EXPECT_EQ(form, 0) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
  }
  int form = -1;
  DateTextError error = DateTextError::kImpossibleDate;
  EXPECT_EQ(ParseDateText(CString(u"2024/1/1") + CString(u' ', 93), form, error), 0);
  EXPECT_EQ(error, DateTextError::kNone);
  EXPECT_EQ(ParseDateText(CString(u"2024/1/1") + CString(u' ', 92), form, error),
            DateToTimeValue(2024, 1, 1));
}

TEST(TimeValueTest, CountsCalendarDays) {
  EXPECT_EQ(DateToTimeValue(1970, 1, 1), 0);
  EXPECT_EQ(DateToTimeValue(1970, 1, 2), 86400);
  EXPECT_EQ(DateToTimeValue(1969, 12, 31), -86400);
  EXPECT_EQ(DateToTimeValue(2024, 13, 1), DateToTimeValue(2025, 1, 1));
  EXPECT_EQ(DateToTimeValue(2024, 0, 1), DateToTimeValue(2023, 12, 1));
  int y = 0, m = 0, d = 0;
  TimeValueToDate(DateToTimeValue(1900, 3, 1) - 1, y, m, d);  // last second of a day
  EXPECT_EQ(y * 10000 + m * 100 + d, 19000228);
}

TEST(DateToSerialDayTest, CountsFromFirstOf1900) {
  struct Case {
    const char* name;
    int year, month, day;
    int expected;
  } cases[] = {
      {"first day", 1900, 1, 1, 1},
      {"last of February 1900", 1900, 2, 28, 59},
      {"the day counted as 29 February 1900", 1900, 2, 29, 60},
      {"first of March 1900", 1900, 3, 1, 61},
      {"a recent day", 2024, 3, 5, 45356},
      {"leap day", 2024, 2, 29, 45351},
      {"29 February of a common year is 1 March", 2023, 2, 29, 44986},
      {"last supported day", 2099, 12, 31, 73050},
      {"after 2099", 2100, 1, 1, -1},
      {"before 1900", 1899, 12, 31, -1},
      {"31 April", 2024, 4, 31, -1},
      {"30 February", 2024, 2, 30, -1},
      {"month 0", 2024, 0, 1, -1},
      {"day 0", 2024, 1, 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DateToSerialDay(c.year, c.month, c.day), c.expected) << c.name;
  }
}

TEST(CompleteTwoDigitYearTest, SplitsAtEighty) {
  EXPECT_EQ(CompleteTwoDigitYear(0), 2000);
  EXPECT_EQ(CompleteTwoDigitYear(80), 2080);
  EXPECT_EQ(CompleteTwoDigitYear(81), 1981);
  EXPECT_EQ(CompleteTwoDigitYear(99), 1999);
  EXPECT_EQ(CompleteTwoDigitYear(100), 100);
}

}  // namespace
