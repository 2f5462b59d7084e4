#pragma once
// Date and time text routines: reading the date forms of Japanese business
// CSVs (slashes, hyphens, points, 年月日 with or without an era name, packed
// digits) and writing dates and times by display patterns. Calendar
// arithmetic throughout, no locale and no time zone: a time value counts
// seconds from 1970-01-01 00:00 of the local calendar, so dates before 1970
// are ordinary negative values.

#include <cstdint>

#include "platform/cstring.h"

// Two-digit years: 0-80 are 2000-2080, 81-99 are 1981-1999; others unchanged.
int CompleteTwoDigitYear(int year);

// True when the text (at most 11 characters) has a date form: digits with
// two separators ("/", "-", "."), 6 or 8 packed digits, 年月日 with 4-8
// digits, or an era name with 年, 月, 日 in place.
bool IsDateText(const CString& text);

// Why ParseDateText refused a text that has a date form.
enum class DateTextError {
  kNone,
  kImpossibleDate,  // year below 1900, month outside 1-12, day outside 1-31
  kOutOfRange,      // beyond the supported calendar (after the year 3000)
};

// Reads a date text into the time value of its midnight. `form` tells the
// form read: 22/23 年月日 (23 for a year of 3+ digits or an era year, which
// is read as its Western year), 12/13 slashes, 1/2/3 packed 5/6/8 digits; 0
// when the text is no date form, also when no year number leads it (the
// result is then 0 and `error` kNone). A date form with an impossible date gives form 0,
// result 0 and the reason in `error`. A day past the month's end carries
// into the next month (2024/2/30 is 1 March).
int64_t ParseDateText(const CString& text, int& form, DateTextError& error);

// Time value of midnight of a date; month and day outside their ranges carry
// over as calendar arithmetic does (month 13 is January of the next year).
int64_t DateToTimeValue(int year, int month, int day);

// The date of a time value (any second of the day).
void TimeValueToDate(int64_t time, int& year, int& month, int& day);

// Spreadsheet serial day: 1900-01-01 is 1, one more from 1900-03-01 on
// (1900-03-01 is 61). -1 for a year outside 1900-2099, a month outside 1-12
// or a day outside the month (29 February passes in every year and then
// counts as 1 March in a common year).
int DateToSerialDay(int year, int month, int day);

// Formats a date or time text by a pattern (yyyy yy y, mm m mmm mmp month,
// dd d dth, full-width ｙ ｍ ｄ, 和暦 / 和年 / W暦 era forms, 週 and Weekday
// names, HH MM SS and full-width Ｈ Ｍ Ｓ for times). Weekdays are given for
// the years 1900-3000 and "＿" outside them. Whatever cannot be read or
// formatted comes back as the value unchanged.
CString FormatDateTime(const CString& value, const CString& pattern);
