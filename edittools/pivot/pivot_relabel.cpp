// Aggregation engine: the final pass over the finished table.
#include "edittools/pivot/pivot_engine.h"
#include "edittools/pivot/pivot_groups.h"

namespace {

constexpr int kTimeCodeBase = 100;
constexpr int kAmPmCode = kTimeCodeBase + GROUP_AM_PM;

bool HasKei(const CString& cell) { return cell.Find(u"計") >= 0; }

// The cross table's headings may have been widened to full-width digits before
// they are labelled; the labels read them as plain digits.
CString PlainDigits(CString cell) {
  for (int i = 0; i < cell.GetLength(); ++i) {
    const char16_t c = cell[i];
    if (c >= u'\uFF10' && c <= u'\uFF19') cell.SetAt(i, static_cast<char16_t>(u'0' + (c - u'\uFF10')));
  }
  return cell;
}

CString FiscalMonthLabel(const CString& cell, int nendMonth) {
  int month = DecimalPrefix(PlainDigits(cell)) + nendMonth;
  if (month > 12) month -= 12;
  return CString::Build(u"%d月", month);
}

// The display form of one group value; `header` selects the rules of the cross
// table's header rows, which leave the cells of other codes alone.
CString LabelCell(CString cell, int code, int nendMonth, bool header) {
  switch (code) {
    case kAmPmCode:
      cell.Replace(u"1午前", u"午前");
      cell.Replace(u"2午後", u"午後");
      break;
    case GROUP_FISCAL_YEAR:
    case GROUP_HALF_YEAR:
    case GROUP_QUARTER:
      if (!HasKei(cell)) cell = FormatPeriodLabel(code, PlainDigits(cell));
      break;
    case GROUP_MONTH:
      if (!HasKei(cell)) cell = FiscalMonthLabel(cell, nendMonth);
      break;
    case GROUP_WEEKDAY:
      if (cell.Mid(2, 2) == u"曜日") cell.Delete(0);
      break;
    default:
      if (header) {
        if (code == 0) {
          cell.Replace(u"00以前", u"以前");
          cell.Replace(u"00以前小計", u"以前小計");
        }
        return cell;
      }
      if (cell != u"小計" && (cell.Find(u"*計*") >= 0 || cell.Find(u"*合計*") >= 0)) cell.Remove(u'*');
      break;
  }
  if (!header) {
    cell.Replace(u"00以前", u"以前");
    cell.Replace(u"00以前小計", u"以前小計");
  }
  return cell;
}

}  // namespace

void CPivotEngine::RelabelPivotGroups() {
  const int rowItems = run_.rowItemCount;
  const int colItems = run_.colItemCount;
  std::vector<int> rowCodes(rowItems, 0);
  std::vector<int> headerCodes(colItems, 0);
  for (const GRPCLM& item : run_.groupItems) {
    int code = 0;
    if (item.groupUnit > 0 && item.columnType == 2) code = item.groupUnit;
    if (item.groupUnit > 0 && item.columnType == 3) code = item.groupUnit + kTimeCodeBase;
    if (item.orientation == 1) {
      const int col = rowItems - item.level;
      if (col >= 0 && col < rowItems) rowCodes[col] = code;
    } else if (item.orientation == 2) {
      const int h = colItems - item.level + 3;
      if (h >= 0 && h < colItems) headerCodes[h] = code;
    }
  }
  // Removes every occurrence of the first tag the label holds: 4, 3, 2, then 1.
  auto dropTag = [&](CString& cell) {
    if (!HasKei(cell)) return;
    for (int n = 4; n >= 1; --n) {
      if (cell.Find(Tag(n)) >= 0) {
        cell.Replace(Tag(n), CString());
        return;
      }
    }
  };
  for (int r = g_.titleRow + 1; r < g_.dataRows; ++r) {
    for (int c = 0; c < rowItems; ++c) {
      const CString& old = g_.data.GetAt(r, c);
      if (old.IsEmpty()) continue;  // an empty cell never gets a period label
      CString cell = LabelCell(old, rowCodes[c], run_.nendMonth, false);
      dropTag(cell);
      if (cell != old) g_.data.SetAt(r, c, std::move(cell));
    }
  }
  if (colItems == 0) return;
  const int firstHeader = firstTitleRow_ + (run_.sumCount == 1 ? 1 : 0);
  for (int h = firstHeader; h <= g_.titleRow; ++h) {
    const int index = h - firstHeader;
    const int code = index < colItems ? headerCodes[index] : 0;
    for (int c = rowItems; c < g_.dataCols; ++c) {
      const CString& old = g_.data.GetAt(h, c);
      if (old.IsEmpty()) continue;
      CString cell = LabelCell(old, code, run_.nendMonth, true);
      dropTag(cell);
      if (cell != old) g_.data.SetAt(h, c, std::move(cell));
    }
  }
}
