#include "edittools/filter/filter_engine.h"

#include <algorithm>
#include <vector>

#include "grid/date_text.h"
#include "grid/number_text.h"
#include "platform/ui_hooks.h"

namespace {

// A condition with its bounds converted once per call.
struct PreparedCond {
  const FILTERDAT* d = nullptr;
  double low = 0;
  double high = 0;
  CString day;  // the date of modes 3 to 5
};

// The local date of a moment as "yyyymmdd", by way of its "yymmdd" text.
CString LocalDateText(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[16];
  std::strftime(buf, sizeof buf, "%y%m%d", &tm);
  return FormatDateTime(CString::FromUtf8(buf), u"yyyymmdd");
}

// The time part of a time cell: trimmed; for a longer text with a blank after its
// first character, what follows the first blank.
CString TimePart(const CString& cell) {
  CString t = cell;
  t.Trim();
  if (t.GetLength() > 5) {
    const int blank = t.Find(u' ', 1);
    if (blank > 0) t = t.Mid(blank + 1);
  }
  return t;
}

template <typename T>
bool InMode(int mode, const T& value, const T& low, const T& high) {
  switch (mode) {
    case 0: return value <= low;
    case 1: return value >= low;
    case 2: return low <= value && value <= high;
    default: return true;
  }
}

bool Holds(const PreparedCond& p, const CString& cell) {
  const FILTERDAT& d = *p.d;
  switch (d.kind) {
    case FILTER_VALUES: {
      if (d.mode != 0) return true;
      const int values = std::clamp(d.valueCount, 0, FILTER_MAX_VALUES);
      for (int v = 0; v < values; ++v) {
        if (cell == d.filterKey[v]) return true;
      }
      return false;
    }
    case FILTER_NUMBER_RANGE:
      return InMode(d.mode, ParseNumberText(cell), p.low, p.high);
    case FILTER_DATE_RANGE: {
      const CString date = FormatDateTime(cell, u"yyyymmdd");
      if (d.mode >= 3 && d.mode <= 5) return date == p.day;
      return InMode(d.mode, date, d.filterKey[0], d.filterKey[1]);
    }
    case FILTER_TIME_RANGE:
      return InMode(d.mode, FormatDateTime(TimePart(cell), u"HH:MM:SS"), d.filterKey[0], d.filterKey[1]);
    default:
      return true;
  }
}

}  // namespace

int ApplyFilters(int count, const FILTERDAT* conds, FilterTarget t, std::time_t now) {
  CWaitCursor wait;
  const CString days[3] = {LocalDateText(now), LocalDateText(now - 86400), LocalDateText(now - 2 * 86400)};
  std::vector<PreparedCond> prepared;
  for (int i = 0; i < std::clamp(count, 0, FILTER_MAX_CONDS); ++i) {
    PreparedCond p;
    p.d = &conds[i];
    if (conds[i].kind == FILTER_NUMBER_RANGE) {
      p.low = ParseNumberText(conds[i].filterKey[0]);
      p.high = ParseNumberText(conds[i].filterKey[1]);
    }
    if (conds[i].mode >= 3 && conds[i].mode <= 5) p.day = days[conds[i].mode - 3];
    prepared.push_back(p);
  }

  CTextGrid& grid = t.grid;
  const int cols = std::clamp(t.dataCols, 0, grid.Cols());
  int end = std::min(t.dataRows, grid.Rows());
  if (t.editRows > 0 && t.editRows < end) end = t.editRows;
  int lastKept = std::max(t.titleRow, -1);

  for (int r = lastKept + 1; r < end; ++r) {
    const CTextGrid::ConstRow row = static_cast<const CTextGrid&>(grid)[r];
    bool keep = true;
    for (const PreparedCond& p : prepared) {
      if (!Holds(p, row[p.d->column])) {
        keep = false;
        break;
      }
    }
    if (!keep) continue;
    ++lastKept;
    if (lastKept == r) continue;
    for (int c = 0; c < cols; ++c) grid.SetAt(lastKept, c, grid.GetAt(r, c));
  }
  for (int r = lastKept + 1; r < end; ++r) {
    if (grid.RowWidth(r) <= cols) {
      grid.ClearRow(r);
    } else {
      for (int c = 0; c < cols; ++c) grid.SetAt(r, c, CString());
    }
    if (static_cast<size_t>(r) < t.rowFieldCount.size()) t.rowFieldCount[static_cast<size_t>(r)] = 0;
  }
  t.dataRows = lastKept + 1;
  return 1;
}
