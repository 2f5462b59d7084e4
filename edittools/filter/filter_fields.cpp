#include "edittools/filter/filter_fields.h"

#include <algorithm>

namespace {

enum : uint8_t { kText = 0, kNumber = 1, kDate = 2, kTime = 3, kCode = 4, kUnknown = 255 };

// Codes of distinctCounts for columns that cannot be a value list.
enum : int { kTooFewValues = -1, kNoRepeats = -2, kUndetermined = -3, kTooManyTexts = -4 };

constexpr int kFreshColumns = 10;
constexpr int kCountTextChars = 20;

int DataRowCount(const FilterSource& src) { return std::max(0, src.dataRows - src.titleRow - 1); }

uint8_t TypeOf(const FilterFields& f, int column) {
  return column >= 0 && column < GRID_COLS ? f.columnTypes[static_cast<size_t>(column)] : static_cast<uint8_t>(kUnknown);
}

// A data row's cell in the column being looked at; sorting these and not the
// large per-row records keeps opening the dialog on big data quick.
struct RowKey {
  const CString* text;
  int row;
};

std::vector<RowKey> SortedRowKeys(const FilterSource& src, int column) {
  std::vector<RowKey> keys;
  const int first = std::max(0, src.titleRow + 1);
  keys.reserve(static_cast<size_t>(std::max(0, src.dataRows - first)));
  for (int r = first; r < src.dataRows; ++r) keys.push_back({&src.grid.GetAt(r, column), r});
  std::stable_sort(keys.begin(), keys.end(), [](const RowKey& a, const RowKey& b) { return *a.text < *b.text; });
  return keys;
}

// One record per data row, in the keys' order; linkText holds the first field's cell.
std::vector<FILTERVALUE> RowRecords(const FilterFields& f, const FilterSource& src, const std::vector<RowKey>& keys) {
  std::vector<FILTERVALUE> records(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    FILTERVALUE& v = records[i];
    v.row = keys[i].row;
    v.text = *keys[i].text;
    if (f.fieldCount >= 1) v.linkText = src.grid.GetAt(keys[i].row, f.fieldColumns[0]);
  }
  return records;
}

int CountTexts(const std::vector<RowKey>& keys) {
  int count = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].text->IsEmpty()) continue;
    if (i == 0 || *keys[i].text != *keys[i - 1].text) ++count;
  }
  return count;
}

bool HoldsText(const std::vector<CString>& texts, const CString& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Texts of the field's values that count as chosen for the linking below.
std::vector<CString> QualifyingTexts(const FilterFields& f, int field, bool all) {
  std::vector<CString> texts;
  const auto& values = f.values[field];
  for (size_t i = 0; i < values.size(); ++i) {
    if (all || f.states[field][i] == FILTER_CHECKED) texts.push_back(values[i].text);
  }
  return texts;
}

// For the third field: which of its values occur in a row together with a
// qualifying value of each field above it, found in one pass over the rows.
std::vector<bool> ThirdFieldLinks(const FilterFields& f, const FilterSource& src, const int* noCheck) {
  const bool add = f.style == FILTER_STYLE_ADD;
  const std::vector<CString> first = QualifyingTexts(f, 0, add && noCheck[0]);
  const std::vector<CString> second = QualifyingTexts(f, 1, add && noCheck[1]);
  const auto& values = f.values[2];
  std::vector<bool> linked(values.size(), false);
  if (first.empty() || second.empty()) return linked;
  for (int r = 0; r < src.dataRows; ++r) {
    if (!HoldsText(first, src.grid.GetAt(r, f.fieldColumns[0]))) continue;
    if (!HoldsText(second, src.grid.GetAt(r, f.fieldColumns[1]))) continue;
    FILTERVALUE probe;
    probe.text = src.grid.GetAt(r, f.fieldColumns[2]);
    const auto it = std::lower_bound(values.begin(), values.end(), probe, CompareFilterValues);
    if (it != values.end() && it->text == probe.text) linked[static_cast<size_t>(it - values.begin())] = true;
  }
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i].linkCount == 0) linked[i] = false;
  }
  return linked;
}

// Which values of field 1 or 2 are linked to the checks above them.
std::vector<bool> LinkedValues(const FilterFields& f, const FilterSource& src, int field, const int* noCheck) {
  if (field == 2) return ThirdFieldLinks(f, src, noCheck);
  const auto& values = f.values[field];
  std::vector<bool> linked(values.size(), false);
  const bool all = f.style == FILTER_STYLE_ADD && noCheck[0];
  const std::vector<CString> above = QualifyingTexts(f, 0, false);
  for (size_t i = 0; i < values.size(); ++i) {
    if (all) {
      linked[i] = true;
      continue;
    }
    for (int l = 0; l < values[i].linkCount && !linked[i]; ++l) linked[i] = HoldsText(above, values[i].links[l]);
  }
  return linked;
}

}  // namespace

bool CompareFilterValues(const FILTERVALUE& a, const FILTERVALUE& b) { return a.text < b.text; }

bool FilterRepeatsEnough(int distinct, int rows) {
  if (distinct <= 0) return false;
  const int average = rows / distinct;
  if (rows <= 100) return average > 5;
  if (rows <= 1000) return average > 25;
  return average > 100;
}

int CountDistinctValues(FilterFields& f, const FilterSource& src, int column) {
  if (column < 0 || column >= GRID_COLS) return kUndetermined;
  const int distinct = CountTexts(SortedRowKeys(src, column));
  const uint8_t type = TypeOf(f, column);
  int code = distinct;
  if (distinct < 2) code = kTooFewValues;
  else if (type == kUnknown) code = kUndetermined;
  else if (type == kText && distinct > FILTER_MAX_VALUES) code = kTooManyTexts;
  else if (type == kText && !FilterRepeatsEnough(distinct, DataRowCount(src))) code = kNoRepeats;
  f.distinctCounts[static_cast<size_t>(column)] = code;
  return code;
}

bool CollectDistinctValues(FilterFields& f, const FilterSource& src, int column) {
  if (column < 0 || column >= GRID_COLS || f.fieldCount >= FILTER_MAX_CONDS) return false;
  const std::vector<RowKey> keys = SortedRowKeys(src, column);
  const int distinct = CountTexts(keys);
  const uint8_t type = TypeOf(f, column);
  const bool repeats = FilterRepeatsEnough(distinct, DataRowCount(src));
  int code = distinct;
  if (distinct < 2) code = kTooFewValues;
  else if (type == kText && !repeats) code = kNoRepeats;
  f.distinctCounts[static_cast<size_t>(column)] = code;
  if (distinct < 2 || distinct > FILTER_MAX_VALUES) return false;
  const bool allowed = type == kNumber || type == kCode || ((type == kText || type == kDate) && repeats);
  if (!allowed) return false;

  const int field = f.fieldCount;
  const int linkColumn = field > 0 ? f.fieldColumns[field - 1] : -1;
  std::vector<FILTERVALUE>& values = f.values[field];
  values.clear();
  for (const RowKey& rec : keys) {
    if (rec.text->IsEmpty()) continue;
    if (values.empty() || values.back().text != *rec.text) {
      FILTERVALUE v;
      v.row = rec.row;
      v.text = *rec.text;
      values.push_back(std::move(v));
    }
    FILTERVALUE& v = values.back();
    ++v.rowCount;
    if (linkColumn < 0 || v.linkCount >= FILTER_MAX_VALUES) continue;
    const CString& link = src.grid.GetAt(rec.row, linkColumn);
    bool known = false;
    for (int l = 0; l < v.linkCount && !known; ++l) known = v.links[l] == link;
    if (!known) v.links[v.linkCount++] = link;
  }
  f.valueCounts[field] = static_cast<int>(values.size());
  f.fieldColumns[field] = column;
  f.fieldKinds[field] = FILTER_VALUES;
  f.states[field].assign(values.size(), FILTER_HIDDEN);
  if (field == 1) f.rowRecords = RowRecords(f, src, keys);
  ++f.fieldCount;
  return true;
}

std::vector<FilterCandidate> FindCandidateFields(FilterFields& f, const FilterSource& src,
                                                 const std::vector<int>* storedColumns) {
  f.distinctCounts.fill(0);
  for (size_t c = 0; c < f.columnTypes.size(); ++c) f.columnTypes[c] = src.columnTypes ? src.columnTypes[c] : static_cast<uint8_t>(kUnknown);
  if (storedColumns) {
    f.fieldCount = 0;
    for (int column : *storedColumns) CollectDistinctValues(f, src, column);
    f.fieldCount = static_cast<int>(storedColumns->size());
  } else {
    f.fieldCount = 0;
    const int columns = std::min(kFreshColumns, src.dataCols);
    for (int c = 0; c < columns; ++c) {
      if (f.fieldCount < FILTER_MAX_CONDS) CollectDistinctValues(f, src, c);
      else CountDistinctValues(f, src, c);
    }
  }
  std::vector<FilterCandidate> candidates;
  const int rows = DataRowCount(src);
  for (int c = 0; c < std::min(src.dataCols, GRID_COLS); ++c) {
    const int distinct = f.distinctCounts[static_cast<size_t>(c)];
    const uint8_t type = TypeOf(f, c);
    if (distinct < 2 || type == kUnknown) continue;
    if (type == kText) {
      if (distinct > FILTER_MAX_VALUES) continue;
      candidates.push_back({c, false});
    } else {
      candidates.push_back({c, !(distinct <= FILTER_MAX_VALUES && FilterRepeatsEnough(distinct, rows))});
    }
  }
  return candidates;
}

void InitValueStates(FilterFields& f, int field) {
  f.states[field].assign(f.values[field].size(), f.style == FILTER_STYLE_REMOVE ? FILTER_CHECKED : FILTER_SHOWN);
}

std::vector<FilterLine> FillCheckList(FilterFields& f, int field) {
  std::vector<FilterLine> lines;
  f.listMaps[field].clear();
  if (f.fieldKinds[field] != FILTER_VALUES) return lines;
  for (size_t i = 0; i < f.values[field].size(); ++i) {
    const uint8_t state = i < f.states[field].size() ? f.states[field][i] : static_cast<uint8_t>(FILTER_HIDDEN);
    if (state == FILTER_HIDDEN) continue;
    f.listMaps[field].emplace_back(static_cast<int>(lines.size()), static_cast<int>(i));
    lines.push_back({f.values[field][i].text, state == FILTER_CHECKED});
  }
  return lines;
}

int SyncCheckStates(FilterFields& f, int field, const std::vector<bool>& lineChecks) {
  int none = 1;
  for (const auto& [line, index] : f.listMaps[field]) {
    if (line < 0 || static_cast<size_t>(line) >= lineChecks.size()) continue;
    const bool checked = lineChecks[static_cast<size_t>(line)];
    f.values[field][static_cast<size_t>(index)].checked = checked ? 1 : 0;
    f.states[field][static_cast<size_t>(index)] =
        checked ? FILTER_CHECKED : (f.style == FILTER_STYLE_ADD ? FILTER_SHOWN : FILTER_HIDDEN);
    if (checked) none = 0;
  }
  return none;
}

void CascadeLists(FilterFields& f, const FilterSource& src, int field, const int* noCheck) {
  for (int k = field + 1; k < f.fieldCount; ++k) {
    if (f.fieldKinds[k] != FILTER_VALUES || k > 2) continue;
    const std::vector<bool> linked = LinkedValues(f, src, k, noCheck);
    auto& values = f.values[k];
    f.states[k].assign(values.size(), FILTER_HIDDEN);
    for (size_t i = 0; i < values.size(); ++i) {
      if (linked[i]) {
        f.states[k][i] = f.style == FILTER_STYLE_REMOVE || values[i].checked ? FILTER_CHECKED : FILTER_SHOWN;
      } else {
        values[i].checked = 0;
      }
    }
  }
}

void RebuildSavedStates(FilterFields& f, const FilterSource& src, const FILTERDAT& stored) {
  const int field = f.fieldCount;
  if (field < 0 || field >= FILTER_MAX_CONDS) return;
  auto& values = f.values[field];
  f.states[field].assign(values.size(), FILTER_SHOWN);
  if (field > 0) {
    const int noCheck[FILTER_MAX_CONDS] = {};
    const std::vector<bool> linked = LinkedValues(f, src, field, noCheck);
    for (size_t i = 0; i < values.size(); ++i) f.states[field][i] = linked[i] ? FILTER_SHOWN : FILTER_HIDDEN;
  }
  const int count = std::clamp(stored.valueCount, 0, FILTER_MAX_VALUES);
  for (size_t i = 0; i < values.size(); ++i) {
    for (int s = 0; s < count; ++s) {
      if (values[i].text == stored.filterKey[s]) f.states[field][i] = FILTER_CHECKED;
    }
  }
  ++f.fieldCount;
}

CString FilterCountText(const FILTERVALUE& value, uint8_t state, const CString& lineText) {
  if (state == FILTER_HIDDEN) return CString(u"未チェックの為、対象外です。");
  CString shown = lineText;
  if (shown.GetLength() > kCountTextChars) shown = shown.Left(kCountTextChars) + CString(u"...");
  CString text;
  text.Format(u"【%s】は%d件", shown, value.rowCount);
  return text;
}
