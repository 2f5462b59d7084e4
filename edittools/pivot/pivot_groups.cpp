// Date and time group values of the aggregation.
#include "edittools/pivot/pivot_groups.h"

#include <atomic>

#include "edittools/pivot/pivot_message.h"
#include "grid/date_text.h"
#include "platform/int_text.h"

namespace {

constexpr int kFirstYear = 1970;
constexpr int kLastYear = 2038;

// One flag for both correction messages, for the whole program run.
std::atomic<bool> g_GroupDateNoticeShown{false};

void NoticeOnce(const CString& text) {
  if (g_GroupDateNoticeShown.exchange(true)) return;
  ShowPivotMessage(text);
}

struct WeekdayValue {
  const char16_t* letter;
  const char16_t* value;
};
constexpr WeekdayValue kWeekdays[] = {
    {u"日", u"1日曜日"}, {u"月", u"2月曜日"}, {u"火", u"3火曜日"}, {u"水", u"4水曜日"},
    {u"木", u"5木曜日"}, {u"金", u"6金曜日"}, {u"土", u"7土曜日"},
};
static_assert(std::size(kWeekdays) == 7);

struct PeriodLabel {
  int unit;
  const char16_t* half;   // the value as typed with half-width digits
  const char16_t* full;   // ... and with full-width digits
  const char16_t* label;
};
constexpr PeriodLabel kPeriodLabels[] = {
    {GROUP_HALF_YEAR, u"1", u"１", u"上半期"},   {GROUP_HALF_YEAR, u"2", u"２", u"下半期"},
    {GROUP_QUARTER, u"1", u"１", u"第一四半期"}, {GROUP_QUARTER, u"2", u"２", u"第二四半期"},
    {GROUP_QUARTER, u"3", u"３", u"第三四半期"}, {GROUP_QUARTER, u"4", u"４", u"第四四半期"},
};
static_assert(std::size(kPeriodLabels) == 6);

// Time value of the first day of the cell's month at midnight, from the cell
// formatted as "yyyymm". A year outside 1970-2038 becomes 1970 and a month above
// 12 becomes 1, each with a message shown at most once per program run when
// notify is set (both messages share one flag). -1 when the text gives a month
// below 1.
int64_t ReadGroupDate(const CString& cell, bool notify) {
  const CString packed = FormatDateTime(cell, u"yyyymm");
  int year = DecimalPrefix(packed.Left(4));
  int month = DecimalPrefix(packed.Mid(4, 2));
  if (year < kFirstYear || year > kLastYear) {
    year = kFirstYear;
    if (notify) {
      NoticeOnce(CString::Build(
          u"[%d] 設定できない年が有ります。1970年に変更して表示します。以降この表示はしません", kFirstYear));
    }
  }
  if (month > 12) {
    month = 1;
    if (notify) {
      NoticeOnce(CString::Build(
          u"[%d] 12月以上の月データが有ります。1月に変更して表示します。。以降この表示はしません", 1));
    }
  }
  // A text that is no date at all: its cell is left out of every group.
  if (month < 1) return -1;
  return DateToTimeValue(year, month, 1);
}

// Year and month of a cell's group date; false when it gives no month.
bool GroupYearMonth(const CString& cell, bool notify, int& year, int& month) {
  const int64_t t = ReadGroupDate(cell, notify);
  if (t < 0) return false;
  int day = 0;
  TimeValueToDate(t, year, month, day);
  return true;
}

// GroupDateValue, with the correction messages shown only when notify is set.
CString DateGroupValue(int unit, const CString& cell, int firstMonth, bool notify) {
  if (cell.IsEmpty()) return CString();
  int y = 0;
  int m = 0;
  const bool dated = GroupYearMonth(cell, notify, y, m);
  const int f = firstMonth;
  switch (unit) {
    case GROUP_FISCAL_YEAR:
      if (!dated) return CString();
      return CString::Build(u"%d年度", m < f ? y - 1 : y);
    case GROUP_HALF_YEAR:
      if (!dated) return CString();
      return ((m - f) % 12 + 12) % 12 < 6 ? CString(u"上半期") : CString(u"下半期");
    case GROUP_QUARTER: {
      if (!dated) return CString();
      const int shifted = m < f ? m + 12 : m;
      return CString::Build(u"%d", 1 + (shifted - f) / 3);
    }
    case GROUP_MONTH: {
      if (!dated) return CString();
      const int offset = m - f;
      return CString::Build(u"%02d", offset < 0 ? offset + 12 : offset);
    }
    case GROUP_WEEKDAY: {
      const CString letter = FormatDateTime(cell, u"週");
      for (const WeekdayValue& w : kWeekdays) {
        if (letter == w.letter) return CString(w.value);
      }
      return letter;
    }
    default:
      return cell;
  }
}

}  // namespace

int DecimalPrefix(const CString& text) { return TextToInt(text.View()); }

void ResetGroupDateNotice() { g_GroupDateNoticeShown = false; }

CString GroupDateValue(int unit, const CString& cell, int firstMonth) {
  return DateGroupValue(unit, cell, firstMonth, true);
}

CString GroupTimeValue(int unit, const CString& cell) {
  if (cell.IsEmpty()) return CString();
  const int colon = cell.Find(u':');
  if (colon < 1 || colon > 2 || cell.Find(u':', colon + 1) < 0) return CString();
  const int hour = DecimalPrefix(cell.Left(colon));
  switch (unit) {
    case GROUP_AM_PM:
      return hour < 12 ? CString(u"1午前") : CString(u"2午後");
    case GROUP_HOUR:
      return CString::Build(u"%02d時", hour);
    default:
      return cell;
  }
}

bool HasGroupValue(int kind, int unit, const CString& cell, int firstMonth) {
  if (cell.IsEmpty()) return false;
  if (unit <= 0) return true;
  if (kind == 0) return !DateGroupValue(unit, cell, firstMonth, false).IsEmpty();
  if (kind == 1) return !GroupTimeValue(unit, cell).IsEmpty();
  return true;
}

CString FormatPeriodLabel(int unit, const CString& value) {
  if (unit == GROUP_FISCAL_YEAR) {
    // Group values already carry "年度"; a second one would read "2023年度年度".
    const CString suffix(u"年度");
    if (value.GetLength() >= 2 && value.Right(2) == suffix) return value;
    return value + suffix;
  }
  for (const PeriodLabel& p : kPeriodLabels) {
    if (p.unit == unit && (value == p.half || value == p.full)) return CString(p.label);
  }
  return value;
}
