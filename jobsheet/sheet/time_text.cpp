// Time texts of the CSV edit page's computed columns.

#include "jobsheet/sheet/time_text.h"

#include "platform/int_text.h"


TimeText ReadTimeText(const CString& text) {
  TimeText t;
  int from = 0;
  const int hourMark = text.Find(u'時');
  if (hourMark > 0) {
    t.hours = TextToInt(text.View());
    from = hourMark + 1;
    t.form = TIME_JAPANESE;
  }
  const int minuteMark = text.Find(u'分', from);
  if (minuteMark > from) {
    t.minutes = TextToInt(text.View().substr(from));
    t.form = TIME_JAPANESE;
    return t;
  }
  if (t.form == TIME_JAPANESE) return t;
  for (char16_t sep : {u':', u'.'}) {
    const int p = text.Find(sep);
    if (p > 0) {
      t.hours = TextToInt(text.View());
      t.minutes = TextToInt(text.View().substr(p + 1));
      t.form = sep == u':' ? TIME_COLON : TIME_POINT;
      return t;
    }
  }
  return t;
}
