// Time texts of the CSV edit page's computed columns.

#include "jobsheet/sheet/time_text.h"

namespace {

// integer -> [sign] digits; 0 without digits. Stops at the end of the text.
int LeadingInteger(const CString& text, int from) {
  const int n = text.GetLength();
  int i = from;
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long long v = 0;
  for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    v = v * 10 + (text[i] - u'0');
    if (v > 1000000000) v = 1000000000;   // far beyond any hour
  }
  return static_cast<int>(negative ? -v : v);
}

}  // namespace

TimeText ReadTimeText(const CString& text) {
  TimeText t;
  int from = 0;
  const int hourMark = text.Find(u'時');
  if (hourMark > 0) {
    t.hours = LeadingInteger(text, 0);
    from = hourMark + 1;
    t.form = TIME_JAPANESE;
  }
  const int minuteMark = text.Find(u'分', from);
  if (minuteMark > from) {
    t.minutes = LeadingInteger(text, from);
    t.form = TIME_JAPANESE;
    return t;
  }
  if (t.form == TIME_JAPANESE) return t;
  for (char16_t sep : {u':', u'.'}) {
    const int p = text.Find(sep);
    if (p > 0) {
      t.hours = LeadingInteger(text, 0);
      t.minutes = LeadingInteger(text, p + 1);
      t.form = sep == u':' ? TIME_COLON : TIME_POINT;
      return t;
    }
  }
  return t;
}
