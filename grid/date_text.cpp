#include "grid/date_text.h"

#include <cstdint>

#include "grid/text_width.h"
#include "platform/int_text.h"

namespace {

constexpr int kFirstYear = 1900;  // earliest year a date text may name
constexpr int kLastYear = 3000;   // latest year the calendar routines accept
constexpr int kMaxDateText = 100;
constexpr int kSecondsPerDay = 86400;

struct Era {
  const char16_t* name;
  char16_t initial;
  int year, month, day;  // first day
  int base;              // era year = Western year - base
};
constexpr Era kEras[] = {
    {u"令和", u'R', 2019, 5, 1, 2018},
    {u"平成", u'H', 1989, 1, 8, 1988},
    {u"昭和", u'S', 1926, 12, 25, 1925},
    {u"大正", u'T', 1912, 7, 30, 1911},
    {u"明治", u'M', 1868, 9, 8, 1867},
};
static_assert(std::size(kEras) == 5);
// Before the first era the name is written as two ideographic spaces.
constexpr const char16_t* kNoEraName = u"\x3000\x3000";

constexpr const char16_t* kMonthNames[] = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December",
};
constexpr const char16_t* kMonthShort[] = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec",
};
constexpr const char16_t* kMonthShortPoint[] = {
    u"Jan.", u"Feb.", u"Mar.", u"Apr.", u"May", u"Jun.",
    u"Jul.", u"Aug.", u"Sep.", u"Oct.", u"Nov.", u"Dec.",
};
constexpr const char16_t* kWeekdayNames[] = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday",
};
constexpr const char16_t* kWeekdayShort[] = {
    u"Sun.", u"Mon.", u"Tue.", u"Wed.", u"Thu.", u"Fri.", u"Sat.",
};
constexpr char16_t kWeekdayKanji[] = u"日月火水木金土";
static_assert(std::size(kMonthNames) == 12 && std::size(kMonthShort) == 12 &&
              std::size(kMonthShortPoint) == 12);
static_assert(std::size(kWeekdayNames) == 7 && std::size(kWeekdayShort) == 7 &&
              std::size(kWeekdayKanji) == 8);

// Days from 1970-01-01 of a proleptic Gregorian date (month 1-12, any day).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days from 1970-01-01; month and day outside their ranges carry over.
int64_t DayNumber(int year, int month, int day) {
  const int64_t m0 = static_cast<int64_t>(month) - 1;
  const int64_t y = year + FloorDiv(m0, 12);
  const int64_t m = m0 - FloorDiv(m0, 12) * 12 + 1;
  return DaysFromCivil(y, m, 1) + day - 1;
}

// The integer at pos, read as the runtime reads it.
int LeadingInt(const CString& text, int pos, bool* found = nullptr) {
  const std::u16string_view view = text.View();
  return TextToInt(pos < static_cast<int>(view.size()) ? view.substr(static_cast<size_t>(pos)) : std::u16string_view(), found);
}

const Era* EraOf(int year, int month, int day) {
  for (const Era& era : kEras) {
    if (year != era.year) {
      if (year > era.year) return &era;
      continue;
    }
    if (month != era.month) {
      if (month > era.month) return &era;
      continue;
    }
    if (day >= era.day) return &era;
  }
  return nullptr;
}

// An era name at the start followed by 元年 or a number: the Western year.
// 0 when the text does not start with an era name or no year follows it.
int EraLeadingYear(const CString& text) {
  for (const Era& era : kEras) {
    const CString name(era.name);
    if (text.Left(name.GetLength()) != name) continue;
    const int at = name.GetLength();
    if (text.Mid(at, 2) == u"元年") return era.base + 1;
    bool found = false;
    const int n = LeadingInt(text, at, &found);
    return found ? era.base + n : 0;
  }
  return 0;
}

bool AllDigits(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    if (!IsAsciiDigit(text[i])) return false;
  }
  return true;
}

// Packed digits: 5 as Y MM DD, 6 as YY MM DD, 8 as YYYY MM DD. The form code
// (1, 2, 3), or 0 for any other text.
int ReadPackedDigits(const CString& text, int& y, int& m, int& d) {
  const int n = text.GetLength();
  if ((n != 5 && n != 6 && n != 8) || !AllDigits(text)) return 0;
  const int yearLength = n - 4;
  y = LeadingInt(text.Left(yearLength), 0);
  m = LeadingInt(text.Mid(yearLength, 2), 0);
  d = LeadingInt(text.Mid(yearLength + 2, 2), 0);
  return n == 5 ? 1 : n == 6 ? 2 : 3;
}

CString FullWidthNumber(int value, bool padded) {
  return ToFullWidth(CString::Build(padded ? u"%02d" : u"%d", value));
}

CString Ordinal(int day) {
  const char16_t* suffix = u"th";
  if (day % 10 == 1 && day != 11) suffix = u"st";
  if (day % 10 == 2 && day != 12) suffix = u"nd";
  if (day % 10 == 3 && day != 13) suffix = u"rd";
  return CString::Build(u"%d%s", day, suffix);
}

int RunLength(const CString& text, int pos) {
  int r = 0;
  while (pos + r < text.GetLength() && text[pos + r] == text[pos]) ++r;
  return r;
}

// Weekday 0 (Sunday) to 6 of a date in the supported calendar, or -1.
int WeekdayOf(int year, int month, int day) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31) {
    return -1;
  }
  const int64_t days = DayNumber(year, month, day);  // 1970-01-01 was a Thursday
  return static_cast<int>(days - FloorDiv(days + 4, 7) * 7 + 4);
}

// Time mode: a run of H, M or S (one plain, two padded) and their full-width
// forms; false when a run is longer than two.
bool FormatTime(const CString& pattern, const int (&parts)[3], CString& out) {
  static constexpr char16_t kLetters[] = u"HMS";
  static constexpr char16_t kWide[] = u"ＨＭＳ";
  for (int i = 0; i < pattern.GetLength();) {
    const char16_t c = pattern[i];
    int which = -1;
    bool wide = false;
    for (int k = 0; k < 3; ++k) {
      if (c == kLetters[k]) which = k;
      if (c == kWide[k]) which = k, wide = true;
    }
    if (which < 0) {
      out += c;
      ++i;
      continue;
    }
    const int run = RunLength(pattern, i);
    if (wide) {
      const bool padded = run >= 2;
      out += FullWidthNumber(parts[which], padded);
      i += padded ? 2 : 1;
      continue;
    }
    if (run > 2) return false;
    out += CString::Build(run == 2 ? u"%02d" : u"%d", parts[which]);
    i += run;
  }
  return true;
}

bool IsTimePattern(const CString& pattern) {
  static constexpr const char16_t* kAlone[] = {u"HH", u"MM", u"SS", u"H", u"M", u"S"};
  for (const char16_t* p : kAlone) {
    if (pattern == p) return true;
  }
  return pattern.Find(u"HH:MM") >= 0 || pattern.Find(u"HH時MM分") >= 0;
}

struct DateParts {
  int year = 0;      // Western year
  int yearOut = 0;   // the year written: the era year in era mode
  int month = 0;
  int day = 0;
  bool eraMode = false;
};

// Reads the date of a value for FormatDateTime; false when it has none.
bool ReadDateValue(const CString& value, DateParts& date) {
  if (!IsDateText(value)) return false;
  char16_t sep = 0;
  if (value.Find(u'/') >= 0) {
    sep = u'/';
  } else if (value.Find(u'.') >= 0) {
    sep = u'.';
  } else if (value.Find(u'-') >= 0) {
    sep = u'-';
  }
  int y = 0, m = 0, d = 0;
  const int nen = value.Find(u'年');
  const int tsuki = value.Find(u'月');
  if (sep) {
    const int first = value.Find(sep);
    const int second = value.Find(sep, first + 1);
    y = LeadingInt(value, 0);
    m = LeadingInt(value, first + 1);
    d = second >= 0 ? LeadingInt(value, second + 1) : 1;
  } else if (nen >= 0 && tsuki >= 0) {
    y = EraLeadingYear(value);
    if (y == 0) y = LeadingInt(value, 0);
    if (y == 0) return false;
    m = LeadingInt(value, nen + 1);
    d = value.Find(u'日') >= 0 ? LeadingInt(value, tsuki + 1) : 1;
  } else if (ReadPackedDigits(value, y, m, d) == 0) {
    return false;
  }
  date.year = date.yearOut = CompleteTwoDigitYear(y);
  date.month = m;
  date.day = d;
  return true;
}

// Writes the date by the pattern's y, m, d forms; false when a form cannot be
// written (the value then comes back unchanged).
bool FormatDate(const CString& pattern, const DateParts& date, CString& out) {
  const int n = pattern.GetLength();
  const bool monthKnown = date.month >= 1 && date.month <= 12;
  for (int i = 0; i < n;) {
    const char16_t c = pattern[i];
    const int run = RunLength(pattern, i);
    if (c == u'y') {
      if (run == 4 || run == 1) {
        out += CString::Build(u"%d", date.yearOut);
      } else if (run == 2) {
        out += CString::Build(u"%02d", date.yearOut % 100);
      } else {
        return false;
      }
      i += run;
    } else if (c == u'm') {
      if (pattern.Mid(i, 5) == u"month") {
        if (!monthKnown) return false;
        out += kMonthNames[date.month - 1];
        i += 5;
      } else if (run == 2 && i + 2 < n && pattern[i + 2] == u'p') {
        if (!monthKnown) return false;
        out += kMonthShortPoint[date.month - 1];
        i += 3;
      } else if (run == 3) {
        if (!monthKnown) return false;
        out += kMonthShort[date.month - 1];
        i += 3;
      } else if (run == 1 || run == 2) {
        out += CString::Build(run == 2 ? u"%02d" : u"%d", date.month);
        i += run;
      } else {
        return false;
      }
    } else if (c == u'd') {
      if (pattern.Mid(i, 3) == u"dth") {
        if (date.day < 1 || date.day > 31) return false;
        out += Ordinal(date.day);
        i += 3;
      } else if (run == 1 || run == 2) {
        out += CString::Build(run == 2 ? u"%02d" : u"%d", date.day);
        i += run;
      } else {
        return false;
      }
    } else if (c == u'ｙ') {
      if (run == 2 || run == 3) {
        out += FullWidthNumber(date.yearOut % 100, true);
        i += 2;
      } else {
        out += date.eraMode && date.yearOut == 1 ? CString(u"元") : FullWidthNumber(date.yearOut, false);
        i += run >= 4 ? 4 : 1;
      }
    } else if (c == u'ｍ' || c == u'ｄ') {
      const bool padded = run >= 2;
      out += FullWidthNumber(c == u'ｍ' ? date.month : date.day, padded);
      i += padded ? 2 : 1;
    } else {
      out += c;
      ++i;
    }
  }
  return true;
}

}  // namespace

int CompleteTwoDigitYear(int year) {
  if (year < 0 || year >= 100) return year;
  return year <= 80 ? 2000 + year : 1900 + year;
}

bool IsDateText(const CString& text) {
  constexpr int kMaxLength = 11;
  const int n = text.GetLength();
  if (n == 0 || n > kMaxLength) return false;
  const char16_t second = n > 1 ? text[1] : 0;
  if (second <= u'9') {
    // digits with separators or 年月日
    if (!IsAsciiDigit(text[0])) return false;
    int separators = 0, digits = 0;
    bool nen = false, tsuki = false, hi = false;
    int kanji = 0;
    for (int i = 0; i < n; ++i) {
      const char16_t c = text[i];
      if (IsAsciiDigit(c)) {
        ++digits;
      } else if (c == u'/' || c == u'-' || c == u'.') {
        ++separators;
      } else if (c == u'年' || c == u'月' || c == u'日') {
        ++kanji;
        nen = nen || c == u'年';
        tsuki = tsuki || c == u'月';
        hi = hi || c == u'日';
      } else {
        return false;
      }
    }
    const bool fourToEight = digits >= 4 && digits <= 8;
    if (kanji == 3 && nen && tsuki && hi && fourToEight) return true;
    if (separators == 0 && kanji == 0 && (digits == 6 || digits == 8)) return true;
    return separators == 2 && fourToEight;
  }
  // an era name or another word, then 年 月 日 close together
  const int nen = text.Find(u'年');
  if (nen < 0 || nen > 6) return false;
  const int tsuki = text.Find(u'月', nen + 1);
  if (tsuki < 0 || tsuki - nen > 3) return false;
  const int hi = text.Find(u'日', tsuki + 1);
  return hi >= 0 && hi - tsuki <= 3;
}

int64_t ParseDateText(const CString& text, int& form, DateTextError& error) {
  form = 0;
  error = DateTextError::kNone;
  const int n = text.GetLength();
  if (n == 0 || n > kMaxDateText) return 0;
  int y = 0, m = 0, d = 0;
  int read = 0;
  const int nen = text.Find(u'年');
  const int tsuki = text.Find(u'月');
  const int slash = text.Find(u'/');
  if (nen >= 0 && tsuki >= 0) {
    // year 年 month 月 [day 日], the year Western or after an era name
    bool found = false;
    const int eraYear = EraLeadingYear(text);
    if (eraYear > 0) {
      y = eraYear;
      read = 23;
    } else {
      y = LeadingInt(text, 0, &found);
      if (!found) return 0;
      int digits = 0;
      for (int i = 0; i < n && (IsAsciiDigit(text[i]) || text[i] == u' '); ++i) {
        digits += IsAsciiDigit(text[i]);
      }
      read = digits >= 3 ? 23 : 22;
    }
    m = LeadingInt(text, nen + 1);
    d = text.Find(u'日') >= 0 ? LeadingInt(text, tsuki + 1) : 0;
  } else if (slash >= 0) {
    // year / month / day
    bool found = false;
    y = LeadingInt(text, 0, &found);
    if (!found) return 0;
    int digits = 0;
    for (int i = 0; i < n && (IsAsciiDigit(text[i]) || text[i] == u' '); ++i) {
      digits += IsAsciiDigit(text[i]);
    }
    read = digits >= 3 ? 13 : 12;
    m = LeadingInt(text, slash + 1);
    const int second = text.Find(u'/', slash + 1);
    d = second >= 0 ? LeadingInt(text, second + 1) : 0;
  } else {
    read = ReadPackedDigits(text, y, m, d);
    if (read == 0) return 0;
  }
  y = CompleteTwoDigitYear(y);
  if (y < kFirstYear || m < 1 || m > 12 || d < 1 || d > 31) {
    error = DateTextError::kImpossibleDate;
    return 0;
  }
  if (y > kLastYear) {
    error = DateTextError::kOutOfRange;
    return 0;
  }
  form = read;
  return DateToTimeValue(y, m, d);
}

int64_t DateToTimeValue(int year, int month, int day) {
  return DayNumber(year, month, day) * kSecondsPerDay;
}

void TimeValueToDate(int64_t time, int& year, int& month, int& day) {
  CivilFromDays(FloorDiv(time, kSecondsPerDay), year, month, day);
}

int DateToSerialDay(int year, int month, int day) {
  constexpr int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  static_assert(std::size(kMonthDays) == 12);
  if (year < 1900 || year > 2099 || month < 1 || month > 12) return -1;
  if (day < 1 || day > kMonthDays[month - 1]) return -1;
  // 29 February of a common year carries into 1 March.
  int64_t serial = DayNumber(year, month, day) - DayNumber(1899, 12, 31);
  // The serial count treats 1900 as a leap year: one more from 1 March 1900 on.
  if (year > 1900 || month > 2) ++serial;
  return static_cast<int>(serial);
}

namespace {

// Date mode of FormatDateTime: the date of dateText written by the pattern;
// false when it cannot be read or written.
bool FormatDateValue(const CString& dateText, const CString& pattern, CString& out) {
  DateParts date;
  if (!ReadDateValue(dateText, date)) return false;
  const Era* era = EraOf(date.year, date.month, date.day);

  CString pat = pattern;
  if (pat.Find(u"和暦") >= 0 || pat.Find(u"和年") >= 0) {
    date.eraMode = true;
    pat.Replace(pat.Find(u"和暦") >= 0 ? u"和暦" : u"和年", era ? era->name : kNoEraName);
    if (era) date.yearOut = date.year - era->base;
  } else if (pat.Find(u"W暦") >= 0) {
    date.eraMode = true;
    pat.Replace(u"W暦", era ? CString(era->initial) : CString(kNoEraName));
    if (era) date.yearOut = date.year - era->base;
  } else if (pat.Find(u'週') >= 0 || pat.Find(u"Weekday") >= 0) {
    const int weekday = WeekdayOf(date.year, date.month, date.day);
    if (weekday < 0) {
      out = u"＿";
      return true;
    }
    if (pat.Find(u'週') >= 0) {
      pat.Replace(u"週", CString(kWeekdayKanji[weekday]));
      out = pat;
      return true;
    }
    const int at = pat.Find(u"Weekday");
    const bool abbreviated = pat[at + 7] == u'.';
    pat.Delete(at, abbreviated ? 8 : 7);
    pat.Insert(at, CString(abbreviated ? kWeekdayShort[weekday] : kWeekdayNames[weekday]));
    out = pat;
    return true;
  }

  if (!FormatDate(pat, date, out)) return false;
  // "和年" stands for the era year alone: the era name written in its place goes.
  if (pattern.Find(u"和年") >= 0) out.Delete(0, 2);
  return true;
}

// Hours, minutes and seconds of "h:m:s" (missing parts 0).
void ReadTimeParts(const CString& text, int (&parts)[3]) {
  const int colon = text.Find(u':');
  const int second = text.Find(u':', colon + 1);
  parts[0] = LeadingInt(text, 0);
  parts[1] = LeadingInt(text, colon + 1);
  parts[2] = second >= 0 ? LeadingInt(text, second + 1) : 0;
}

}  // namespace

CString FormatDateTime(const CString& value, const CString& pattern) {
  constexpr int kMaxLength = 100;
  if (value.IsEmpty() || pattern.IsEmpty() || value.GetLength() > kMaxLength ||
      pattern.GetLength() > kMaxLength) {
    return value;
  }

  const int colon = value.Find(u':');
  CString out;
  // A date and a time ("2024/01/05 09:30"): the pattern's time letters take the
  // time part, then its date letters the date part. Times are written as digits,
  // so the date pass cannot mistake them for pattern letters.
  const int blank = value.Find(u' ');
  if (colon >= 0 && blank > 0 && blank < colon && IsDateText(value.Left(blank))) {
    int parts[3] = {0, 0, 0};
    ReadTimeParts(value.Mid(blank + 1), parts);
    CString timed;
    if (!FormatTime(pattern, parts, timed)) return value;
    return FormatDateValue(value.Left(blank), timed, out) ? out : value;
  }

  // Time mode: "h:m:s", or six digits read as HH MM SS by a time pattern.
  const bool packedTime = value.GetLength() == 6 && value.Find(u'/') < 0 &&
                          pattern.Find(u"yy") < 0 &&
                          !(pattern.Find(u"mm") >= 0 && pattern.Find(u"dd") >= 0) &&
                          IsTimePattern(pattern);
  if (colon >= 0 || packedTime) {
    int parts[3] = {0, 0, 0};
    if (colon >= 0) {
      ReadTimeParts(value, parts);
    } else {
      for (int k = 0; k < 3; ++k) parts[k] = LeadingInt(value.Mid(2 * k, 2), 0);
    }
    return FormatTime(pattern, parts, out) ? out : value;
  }

  return FormatDateValue(value, pattern, out) ? out : value;
}
