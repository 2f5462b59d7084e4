// Column type detection: value kinds of cells, header classes of field names, and
// the column type bytes that combine them.

#include "grid/column_types.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <thread>
#include <vector>

#include "grid/column_kind_run.h"
#include "grid/grid_set.h"
#include "grid/text_width.h"
#include "platform/int_text.h"

namespace {

using View = std::u16string_view;

constexpr bool IsAnyDigit(char16_t c) { return IsAsciiDigit(c) || (c >= u'０' && c <= u'９'); }
constexpr char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

View SkipLeadingBlanks(View t) {
  size_t i = 0;
  while (i < t.size() && t[i] == u' ') ++i;
  return t.substr(i);
}

// ---- value kinds ----------------------------------------------------------

// kind <- text: the characters of the text decide (number, date, time, other).
int ClassifyView(View whole) {
  if (whole.empty()) return VALUE_EMPTY;
  const View t = SkipLeadingBlanks(whole);
  const int length = static_cast<int>(t.size());
  int separators = 0, colons = 0, blanks = 0;
  bool point = false;
  int dateMarks = 0;  // 年, 月, 日 seen so far, in this order
  for (int i = 0; i < length; ++i) {
    const char16_t c = t[i];
    if (IsAsciiDigit(c) || c == u',') continue;
    if (c == u'%' && i == length - 1) continue;
    if ((c == u'\\' || c == u'-') && i == 0) continue;
    switch (c) {
      case u'/':
      case u'-':
        ++separators;
        continue;
      case u'.':
        if (point) return VALUE_TEXT;
        point = true;
        continue;
      case u':':
        ++colons;
        continue;
      case u' ':
        ++blanks;
        continue;
      case u'年':
      case u'月':
      case u'日': {
        const int order = c == u'年' ? 1 : c == u'月' ? 2 : 3;
        if (order <= dateMarks) return VALUE_TEXT;
        dateMarks = order;
        continue;
      }
      default:
        return VALUE_TEXT;
    }
  }
  if (colons == 2) {
    if ((blanks == 1 || blanks == 2) && length > 12) return VALUE_DATETIME;
    if (blanks == 0 && length >= 5 && length <= 8) return VALUE_TIME;
    return VALUE_TEXT;
  }
  if (separators > 0) {
    return (!point && separators == 2 && length >= 6 && length <= 10) ? VALUE_DATE : VALUE_TEXT;
  }
  if (point) return VALUE_DECIMAL;
  return (!t.empty() && t[0] == u'0' && length != 6) ? VALUE_LEADING_ZERO : VALUE_INTEGER;
}

// The number written by the digits at the start of t (0 when none); pos moves past them.
int ReadDigits(View t, size_t& pos) {
  int v = 0;
  while (pos < t.size() && IsAsciiDigit(t[pos])) {
    if (v < 100000) v = v * 10 + (t[pos] - u'0');
    ++pos;
  }
  return v;
}

int TwoDigits(View t, size_t at) { return (t[at] - u'0') * 10 + (t[at + 1] - u'0'); }

// An integer cell of 8 digits yyyymmdd (1900..3000, 1..12, above 0) or 6 digits
// with a month in the middle.
bool IsDateLikeInteger(View whole) {
  const View t = SkipLeadingBlanks(whole);
  if (t.size() != 8 && t.size() != 6) return false;
  if (!std::all_of(t.begin(), t.end(), IsAsciiDigit)) return false;
  if (t.size() == 8) {
    const int year = TwoDigits(t, 0) * 100 + TwoDigits(t, 2);
    const int month = TwoDigits(t, 4);
    return year >= 1900 && year <= 3000 && month >= 1 && month <= 12 && TwoDigits(t, 6) > 0;
  }
  const int month = TwoDigits(t, 2);
  return month >= 1 && month <= 12 && TwoDigits(t, 4) > 0;
}

// A date cell stays a date when its year is below 3000, its month 1 to 12 and its
// day 1 to 31.
bool IsValidDate(View whole) {
  const View t = SkipLeadingBlanks(whole);
  size_t pos = 0;
  const int year = ReadDigits(t, pos);
  auto nextNumber = [&](int& value) {
    while (pos < t.size() && t[pos] != u'/' && t[pos] != u'-') ++pos;
    if (pos >= t.size()) return false;
    ++pos;
    value = ReadDigits(t, pos);
    return true;
  };
  int month = 0, day = 0;
  if (!nextNumber(month) || !nextNumber(day)) return false;
  return year < 3000 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// A time has hours of at most 24 and minutes 0 to 59.
bool IsValidTime(View t) {
  t = SkipLeadingBlanks(t);
  size_t pos = 0;
  const int hours = ReadDigits(t, pos);
  const size_t colon = t.find(u':');
  if (colon == View::npos) return false;
  pos = colon + 1;
  if (pos >= t.size() || !IsAsciiDigit(t[pos])) return false;
  const int minutes = ReadDigits(t, pos);
  return hours <= 24 && minutes <= 59;
}

// The kind a cell contributes to its column, with its checks applied; date-like
// integers are reported through dateLike.
int CellKind(const CString& cell, bool& dateLike) {
  dateLike = false;
  const View v = cell.View();
  int kind = ClassifyView(v);
  switch (kind) {
    case VALUE_INTEGER:
      dateLike = IsDateLikeInteger(v);
      break;
    case VALUE_DATE:
      if (!IsValidDate(v)) kind = VALUE_TEXT;
      break;
    case VALUE_TIME:
      if (!IsValidTime(v)) kind = VALUE_EMPTY;
      break;
    case VALUE_DATETIME: {
      const View t = SkipLeadingBlanks(v);
      const size_t blank = t.find(u' ');
      if (blank == View::npos || !IsValidTime(t.substr(blank + 1))) kind = VALUE_EMPTY;
      break;
    }
    default:
      break;
  }
  return kind;
}

// Column kind so far (-1 undetermined) folded with one non-empty cell.
constexpr int FoldKind(int column, int kind, bool dateLike) {
  if (column < 0) return dateLike ? VALUE_DATE : kind;
  switch (kind) {
    case VALUE_INTEGER:
      if (dateLike) return VALUE_DATE;
      return (column == 2 || column == 3 || column == 4) ? column : VALUE_INTEGER;
    case VALUE_DECIMAL:
      return column == 4 ? column : VALUE_DECIMAL;
    case VALUE_TIME:
    case VALUE_DATETIME:
      return column == 4 ? column : VALUE_TIME;
    case VALUE_LEADING_ZERO:
      return (column == 2 || column == 4 || column == 5) ? column : VALUE_LEADING_ZERO;
    case VALUE_TEXT:
      return VALUE_TEXT;
    case VALUE_DATE:
      return (column >= 1 && column <= 4) ? column : VALUE_DATE;
    default:
      return column;
  }
}

// The kind after a cell of each class, by the kind before it (plus one), and
// whether folding a class twice running gives what folding it once gave.
struct FoldTable {
  int8_t next[kCellKindClasses][ColumnKindRun::kStates] = {};
  bool idempotent[kCellKindClasses] = {};
};

constexpr int FoldByClass(int column, int cls) {
  return cls == 0 ? column : FoldKind(column, cls & 7, (cls & 8) != 0);
}

constexpr FoldTable MakeFoldTable() {
  FoldTable t;
  for (int cls = 0; cls < kCellKindClasses; ++cls) {
    t.idempotent[cls] = true;
    for (int s = 0; s < ColumnKindRun::kStates; ++s) {
      const int once = FoldByClass(s - 1, cls);
      t.next[cls][s] = static_cast<int8_t>(once);
      if (FoldByClass(once, cls) != once) t.idempotent[cls] = false;
    }
  }
  return t;
}
constexpr FoldTable kFold = MakeFoldTable();

// Column type from the header class and the column kind.
uint8_t TypeFor(int header, int kind) {
  switch (header) {
    case HEADER_EMPTY:
      return COLTYPE_TEXT;
    case HEADER_NAME:
      return kind == 4 ? COLTYPE_TEXT : COLTYPE_UNKNOWN;
    case HEADER_AMOUNT:
      return (kind == 1 || kind == 2) ? COLTYPE_NUMBER : COLTYPE_UNKNOWN;
    case HEADER_CODE:
      return (kind == 1 || kind == 3 || kind == 4 || kind == 5) ? COLTYPE_TEXT : COLTYPE_UNKNOWN;
    case HEADER_DATE:
      return (kind == 4 || kind == 5) ? COLTYPE_DATE : COLTYPE_UNKNOWN;
    case HEADER_YEAR_MONTH:
    case HEADER_MONTH_DAY:
      return kind == 5 ? COLTYPE_DATE : COLTYPE_UNKNOWN;
    case HEADER_TIME:
      return kind == 6 ? COLTYPE_TIME : COLTYPE_UNKNOWN;
    case HEADER_MONTH:
      return kind == 1 ? COLTYPE_CODE : COLTYPE_UNKNOWN;
    default:
      break;
  }
  // No telling header: the values decide.
  static constexpr uint8_t kByKind[8] = {COLTYPE_UNKNOWN, COLTYPE_NUMBER, COLTYPE_NUMBER,
                                         COLTYPE_TEXT,    COLTYPE_TEXT,   COLTYPE_DATE,
                                         COLTYPE_TIME,    COLTYPE_NUMBER};
  return (kind >= 0 && kind < 8) ? kByKind[kind] : uint8_t{COLTYPE_UNKNOWN};
}

// ---- header classes ---------------------------------------------------------

enum class Match { kEndsWith, kEquals, kContains, kBeginsWith };
// Conditions some rules add to their text test.
enum class Extra {
  kNone,
  kFiscalYear2,   // IsFiscalYearWord with the length before a 2-character ending
  kFiscalYear1,   // ... before a 1-character ending
  kTelOrFax,      // the name also contains "TEL" or "FAX"
  kWideBeforeNo,  // longer than two characters, the character before "NO" above "Z"
};

struct HeaderRule {
  Match match;
  const char16_t* text;
  bool anyCase;   // fold the ASCII letters A to Z only
  Extra extra;
  int cls;
};

// Tested in order; the first rule that holds gives the class.
constexpr HeaderRule kHeaderRules[] = {
    {Match::kEndsWith, u"名", false, Extra::kNone, HEADER_NAME},
    {Match::kEquals, u"名称", false, Extra::kNone, HEADER_NAME},
    {Match::kEndsWith, u"方法", false, Extra::kNone, HEADER_NAME},
    {Match::kEquals, u"適用", true, Extra::kNone, HEADER_NAME},
    {Match::kEndsWith, u"NAME", true, Extra::kNone, HEADER_NAME},

    {Match::kContains, u"数量", false, Extra::kNone, HEADER_AMOUNT},
    {Match::kContains, u"単価", false, Extra::kNone, HEADER_AMOUNT},
    {Match::kContains, u"金額", false, Extra::kNone, HEADER_AMOUNT},
    {Match::kContains, u"合計", false, Extra::kNone, HEADER_AMOUNT},

    {Match::kEndsWith, u"額", false, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"金", false, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"重量", false, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"TAX", true, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"SUM", true, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"COUNT", true, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"PRICE", true, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"MONEY", true, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"SALSE", true, Extra::kNone, HEADER_AMOUNT},
    {Match::kEndsWith, u"WATEGHT", true, Extra::kNone, HEADER_AMOUNT},

    {Match::kEndsWith, u"番号", false, Extra::kNone, HEADER_CODE},

    {Match::kContains, u"郵便番号", false, Extra::kNone, HEADER_CODE},
    {Match::kContains, u"電話番号", false, Extra::kNone, HEADER_CODE},
    {Match::kEquals, u"電話", false, Extra::kNone, HEADER_CODE},
    {Match::kEquals, u"項", false, Extra::kNone, HEADER_CODE},
    {Match::kContains, u"順番", false, Extra::kNone, HEADER_CODE},
    {Match::kContains, u"№", false, Extra::kNone, HEADER_CODE},
    {Match::kEquals, u"NO", true, Extra::kNone, HEADER_CODE},
    {Match::kEquals, u"NO.", true, Extra::kNone, HEADER_CODE},
    {Match::kEquals, u"ＮＯ．", true, Extra::kNone, HEADER_CODE},

    {Match::kEndsWith, u"枝番", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"年度", false, Extra::kFiscalYear2, HEADER_CODE},
    {Match::kEndsWith, u"区分", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"年", false, Extra::kFiscalYear1, HEADER_CODE},
    {Match::kEndsWith, u"コード", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"ｺｰﾄﾞ", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"code", true, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"ID", true, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"NUMBER", true, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"票NO", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"票No", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"書NO", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"書No", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"注No", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"注NO", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"造No", false, Extra::kNone, HEADER_CODE},
    {Match::kEndsWith, u"造NO", false, Extra::kNone, HEADER_CODE},

    {Match::kContains, u"NUMBER", false, Extra::kTelOrFax, HEADER_CODE},
    {Match::kContains, u"number", false, Extra::kTelOrFax, HEADER_CODE},
    {Match::kContains, u"番号", false, Extra::kTelOrFax, HEADER_CODE},

    {Match::kEndsWith, u"NO", true, Extra::kWideBeforeNo, HEADER_EXCLUDED},
    {Match::kEndsWith, u"NO.", true, Extra::kNone, HEADER_EXCLUDED},
    {Match::kBeginsWith, u"西暦", false, Extra::kNone, HEADER_EXCLUDED},

    {Match::kEndsWith, u"月", false, Extra::kNone, HEADER_MONTH},
    {Match::kEndsWith, u"年月", false, Extra::kNone, HEADER_YEAR_MONTH},
    {Match::kEndsWith, u"年月日", false, Extra::kNone, HEADER_DATE},
    {Match::kEndsWith, u"時期", false, Extra::kNone, HEADER_DATE},
    {Match::kEndsWith, u"月日", false, Extra::kNone, HEADER_MONTH_DAY},
    {Match::kEndsWith, u"日付", false, Extra::kNone, HEADER_DATE},
    {Match::kBeginsWith, u"日付", false, Extra::kNone, HEADER_DATE},
    {Match::kEndsWith, u"日", false, Extra::kNone, HEADER_DATE},
    {Match::kEndsWith, u"DATE", true, Extra::kNone, HEADER_DATE},
    {Match::kEndsWith, u"分", false, Extra::kNone, HEADER_TIME},
    {Match::kEndsWith, u"時刻", false, Extra::kNone, HEADER_TIME},
    {Match::kEndsWith, u"日時", false, Extra::kNone, HEADER_TIME},
    {Match::kEndsWith, u"time", true, Extra::kNone, HEADER_TIME},
};
static_assert(std::size(kHeaderRules) == 65, "one rule per test of the header table");

// Year words that name no year code.
constexpr const char16_t* kRelativeYearWords[] = {
    u"新年度", u"次年度", u"来年度", u"昨年度", u"今年度", u"来年", u"昨年", u"今年",
};
static_assert(std::size(kRelativeYearWords) == 8);

bool SameText(View a, View b, bool anyCase) {
  if (a.size() != b.size()) return false;
  if (!anyCase) return a == b;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool TextMatches(View name, const HeaderRule& rule) {
  const View key(rule.text);
  switch (rule.match) {
    case Match::kEquals:
      return SameText(name, key, rule.anyCase);
    case Match::kEndsWith:
      return name.size() >= key.size() &&
             SameText(name.substr(name.size() - key.size()), key, rule.anyCase);
    case Match::kBeginsWith:
      return name.size() >= key.size() && SameText(name.substr(0, key.size()), key, rule.anyCase);
    case Match::kContains:
      return name.find(key) != View::npos;  // every containment test is exact
  }
  return false;
}

bool ExtraHolds(const CString& name, const HeaderRule& rule) {
  const View v = name.View();
  const int length = static_cast<int>(v.size());
  switch (rule.extra) {
    case Extra::kNone:
      return true;
    case Extra::kFiscalYear2:
      return IsFiscalYearWord(name, length - 2) == 1;
    case Extra::kFiscalYear1:
      return IsFiscalYearWord(name, length - 1) == 1;
    case Extra::kTelOrFax:
      return v.find(u"TEL") != View::npos || v.find(u"FAX") != View::npos;
    case Extra::kWideBeforeNo:
      return length > 2 && v[length - 3] > u'Z';
  }
  return false;
}

constexpr int kMaxHeaderLength = 50000;
constexpr int kMaxScannedRow = 30000;
constexpr long kCellsPerThread = 200000;  // below this a grid is scanned on one thread
constexpr int kMaxThreads = 8;
constexpr int kMinColumnsPerThread = 4;

// The column kinds of rows [first, last) from the runs a load folded: runs wholly
// inside are taken as they are, the rows of the others are read here.
void KindsFromLoad(const std::vector<ColumnKindRun>& runs, const CTextGrid& grid, int first, int last,
                   int cols, std::vector<int>& kinds) {
  auto foldRows = [&](int r0, int r1) {
    for (int r = r0; r < r1; ++r) {
      const CTextGrid::ConstRow row = grid[r];
      const int width = std::min(cols, row.Width());
      for (int c = 0; c < width; ++c) {
        int& k = kinds[static_cast<size_t>(c)];
        k = kFold.next[CellKindClass(row[c])][k + 1];
      }
    }
  };
  int r = first;
  for (const ColumnKindRun& run : runs) {
    if (r >= last) break;
    if (run.end <= r) continue;
    if (run.first == r && run.end <= last) {
      const int width = std::min(cols, run.width);
      for (int c = 0; c < width; ++c) kinds[static_cast<size_t>(c)] = run.Apply(c, kinds[static_cast<size_t>(c)]);
      r = run.end;
    } else {
      const int end = std::min(run.end, last);
      foldRows(r, end);
      r = end;
    }
  }
  if (r < last) foldRows(r, last);
}

}  // namespace

int ClassifyValueText(const CString& text) { return ClassifyView(text.View()); }

int CellKindClass(const CString& cell) {
  if (cell.IsEmpty()) return 0;
  bool dateLike = false;
  const int kind = CellKind(cell, dateLike);
  return kind == VALUE_EMPTY ? 0 : kind | (dateLike ? 8 : 0);
}

void ColumnKindRun::Widen(int cols) {
  maps.resize(static_cast<size_t>(cols) * kStates);
  last.resize(static_cast<size_t>(cols), 0);
  for (int c = width; c < cols; ++c) {
    for (int s = 0; s < kStates; ++s) maps[static_cast<size_t>(c) * kStates + static_cast<size_t>(s)] = static_cast<int8_t>(s - 1);
  }
  width = cols;
}

void ColumnKindRun::Add(int col, int cls) {
  if (cls <= 0 || cls >= kCellKindClasses) return;
  if (col >= width) Widen(col + 1);
  uint8_t& seen = last[static_cast<size_t>(col)];
  if (seen == cls && kFold.idempotent[cls]) return;
  seen = static_cast<uint8_t>(cls);
  int8_t* m = &maps[static_cast<size_t>(col) * kStates];
  for (int s = 0; s < kStates; ++s) m[s] = kFold.next[cls][m[s] + 1];
}

int StripHeaderSerial(CString& text) {
  TrimRightBlanks(text);
  const View v = text.View();
  int digits = 0;
  for (int i = static_cast<int>(v.size()) - 1; i >= 1 && IsAnyDigit(v[i]); --i) ++digits;
  if (digits == 1 || digits == 2) {
    int cut = static_cast<int>(v.size()) - digits;
    if (cut >= 1) {
      const char16_t before = v[cut - 1];
      if (before == u'-' || before == u'_' || before == u'ー' || before == u'―' || before == u'＿') {
        --cut;
      }
    }
    text.Truncate(cut);
  }
  return text.GetLength();
}

int IsFiscalYearWord(const CString& text, int n) {
  if (text == u"年度" || text == u"年") return 1;
  for (const char16_t* word : kRelativeYearWords) {
    if (text == word) return 0;
  }
  if (n <= 0) return 0;
  const View v = text.View();
  const size_t count = std::min(static_cast<size_t>(n), v.size());
  for (size_t i = 0; i < count; ++i) {
    if (!IsAnyDigit(v[i])) return 1;
  }
  return 0;
}

int ClassifyHeaderText(const CString& name) {
  if (name.GetLength() > kMaxHeaderLength) return HEADER_UNKNOWN;
  CString stripped = name;
  if (StripHeaderSerial(stripped) == 0) return HEADER_EMPTY;
  const View v = stripped.View();
  for (const HeaderRule& rule : kHeaderRules) {
    if (TextMatches(v, rule) && ExtraHolds(stripped, rule)) return rule.cls;
  }
  return HEADER_UNKNOWN;
}

int ClassifyTitleField(const CGridSet& set, int column) {
  if (set.m_TitleRow == -1) return HEADER_NO_TITLE;
  return ClassifyHeaderText(set.m_DataGrid.GetAt(set.m_TitleRow, column));
}

int ScanColumnTypes(CGridSet& set, int source) {
  set.m_ColumnTypes.fill(COLTYPE_TEXT);
  const CTextGrid& grid = source == 1 ? set.m_EditGrid : set.m_DataGrid;
  const int rows = std::min(source == 1 ? set.m_EditRows : set.m_DataRows, grid.Rows());
  const int cols = std::min(source == 1 ? set.m_EditCols : set.m_DataCols, GRID_COLS);
  const int titleRow = set.m_TitleRow;
  if (titleRow + 1 >= rows || cols <= 0) return 0;

  CGridSet::ColumnTypeScan& lastScan = set.m_LastColumnTypeScan;
  CGridSet::ColumnTypeScan key;
  key.valid = true;
  key.source = source == 1 ? 1 : 0;
  key.rows = rows;
  key.cols = cols;
  key.titleRow = titleRow;
  key.dataVersion = set.m_DataGrid.Version();
  key.editVersion = source == 1 ? set.m_EditGrid.Version() : 0;
  if (lastScan.valid && lastScan.source == key.source && lastScan.rows == rows && lastScan.cols == cols &&
      lastScan.titleRow == titleRow && lastScan.dataVersion == key.dataVersion &&
      lastScan.editVersion == key.editVersion) {
    set.m_ColumnTypes = lastScan.types;
    return lastScan.result;
  }

  const int first = titleRow >= 0 ? titleRow + 1 : 0;
  const int last = std::min(rows, kMaxScannedRow);
  // Each column keeps its kind so far; rows are walked in storage order. A large
  // grid is shared out by columns among threads. While the data grid is as the
  // load left it, the kinds the load folded are taken instead.
  std::vector<int> kinds(static_cast<size_t>(cols), -1);
  const CGridSet::LoadedKinds& loaded = set.m_LoadedKinds;
  const bool fromLoad = source != 1 && loaded.valid && loaded.dataVersion == set.m_DataGrid.Version();
  if (fromLoad) KindsFromLoad(loaded.runs, grid, first, last, cols, kinds);
  auto scan = [&](int c0, int c1) {
    std::vector<int> local(static_cast<size_t>(c1 - c0), -1);  // no sharing of cache lines
    // Folding a cell's kind twice gives what folding it once gave, so a cell that
    // shares its text with the non-empty cell above (the loader shares repeated
    // texts) is passed over. The one exception is a column whose first value is a
    // date and time: a second one makes it a time column.
    std::vector<const char16_t*> above(static_cast<size_t>(c1 - c0), nullptr);
    // The kind of a text met before on this thread, by the address of the text:
    // cells that share a text (the loader shares repeated ones) are judged once.
    // A hit reads neither the text nor its length.
    struct Judged {
      const char16_t* text = nullptr;
      int kind = 0;
      bool dateLike = false;
      bool empty = false;
    };
    constexpr size_t kJudgedSlots = 4096;
    std::vector<Judged> judged(kJudgedSlots);
    for (int r = first; r < last; ++r) {
      const CTextGrid::ConstRow row = grid[r];
      const int width = std::min(c1, row.Width());
      for (int c = c0; c < width; ++c) {
        const CString& cell = row[c];
        const char16_t* text = cell.GetString();
        const char16_t*& seen = above[static_cast<size_t>(c - c0)];
        int& k = local[static_cast<size_t>(c - c0)];
        if (text == seen && k != VALUE_DATETIME) continue;  // only a cell with text was ever seen
        Judged& j = judged[(reinterpret_cast<uintptr_t>(text) >> 2) & (kJudgedSlots - 1)];
        if (j.text != text) {
          j.text = text;
          j.empty = cell.IsEmpty();
          if (!j.empty) j.kind = CellKind(cell, j.dateLike);
        }
        if (j.empty) continue;
        seen = text;
        const bool dateLike = j.dateLike;
        const int kind = j.kind;
        if (kind == VALUE_EMPTY) continue;
        k = FoldKind(k, kind, dateLike);
      }
    }
    std::copy(local.begin(), local.end(), kinds.begin() + c0);
  };
  const long cells = static_cast<long>(last - first) * cols;
  const int threads = cells < kCellsPerThread
                          ? 1
                          : std::min<int>({(cols + kMinColumnsPerThread - 1) / kMinColumnsPerThread, kMaxThreads,
                                           static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))});
  if (fromLoad) {
    // Found above.
  } else if (threads <= 1) {
    scan(0, cols);
  } else {
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
      pool.emplace_back(scan, cols * t / threads, cols * (t + 1) / threads);
    }
    for (std::thread& t : pool) t.join();
  }
  for (int c = 0; c < cols; ++c) {
    set.m_ColumnTypes[c] =
        kinds[c] < 0 ? uint8_t{COLTYPE_UNKNOWN} : TypeFor(ClassifyTitleField(set, c), kinds[c]);
  }
  key.types = set.m_ColumnTypes;
  key.result = cols;
  lastScan = key;
  return cols;
}
