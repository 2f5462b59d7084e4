// The sections of the data-edit settings file, key by key.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "edittools/chain/edit_settings_file.h"
#include "edittools/chain/settings_lines.h"
#include "grid/grid_store.h"

namespace {

using Fields = std::vector<CString>;

// Field i of a list as a number.
int F(const Fields& fields, int i) { return SettingsInt(fields[static_cast<size_t>(i)]); }

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// A count key appends that many zeroed items, unless that would pass the limit.
template <typename T>
void AppendItems(std::vector<T>& list, int count) {
  if (count <= 0 || count > kEditSettingsMaxItems - static_cast<int>(list.size())) return;
  list.resize(list.size() + static_cast<size_t>(count));
}

// An index into a list read from the file; -1 when outside it.
template <typename T>
int ListIndex(const std::vector<T>& list, int index) {
  return InRange(index, 0, static_cast<int>(list.size()) - 1) ? index : -1;
}

// Pieces of written lines.
CString Num(const char16_t* format, int value) { return CString::Build(format, value); }
CString Comma(int value) { return CString::Build(u",%d", value); }
CString Quoted(const CString& text) { return CString::Build(u",\"%s\"", text); }
const CString kLineEnd(u"\n");

}  // namespace

// ---- "@Header" ---------------------------------------------------------------

void ReadHeaderSection(CCsvTextFile& in, TOOLORDER& order) {
  static constexpr const char16_t* kKeys[] = {u"Version=", u"EditInf="};
  enum : int { kVersion, kEditInf, kKeyCount };
  static_assert(std::size(kKeys) == kKeyCount);
  CString line, value;
  Fields f;
  while (NextSectionLine(in, line)) {
    if (MatchSettingsKey(line, kKeys, value) != kEditInf) continue;  // the version is not used
    if (SplitSettingsList(f, value) < 3) continue;
    const int slot = F(f, 0);
    if (!InRange(slot, 0, TOOL_SLOT_COUNT - 1)) continue;
    order[static_cast<size_t>(slot)] = TOOLSLOT{ToolKindFromStored(F(f, 1)), F(f, 2)};
  }
}

void WriteHeaderSection(CSettingsLineSink& out, const TOOLORDER& order) {
  out.WriteSettingsLine(u"@Header\n");
  out.WriteSettingsLine(u"Version=1.0\n");
  for (int slot = 0; slot < TOOL_SLOT_COUNT; ++slot) {
    const TOOLSLOT& s = order[static_cast<size_t>(slot)];
    if (s.toolKind == ToolKind::kNone) continue;
    out.WriteSettingsLine(Num(u"EditInf=%d", slot));
    out.WriteSettingsLine(Comma(StoredToolKind(s.toolKind)));
    out.WriteSettingsLine(Comma(s.openSettingsNextTime));
    out.WriteSettingsLine(kLineEnd);
  }
  out.WriteSettingsLine(kLineEnd);
}

// ---- "@Pivot" ----------------------------------------------------------------

void ReadPivotSection(CCsvTextFile& in, PIVOTSETTING& p) {
  static constexpr const char16_t* kKeys[] = {
      u"Colms=",           u"SumType=",    u"SumStyl=",         u"TotalFg=",   u"NendMonth=",
      u"SumClmArryCount=", u"SumClmArry=", u"GrpClmArryCount=", u"GrpClmArry="};
  // The keys before kSumClmArryCount are the scalars, in the same order.
  enum : int { kSumClmArryCount = 5, kSumClmArry, kGrpClmArryCount, kGrpClmArry, kKeyCount };
  static_assert(std::size(kKeys) == kKeyCount);
  int32_t* const scalars[] = {&p.Colms, &p.SumType, &p.SumStyl, &p.TotalFg, &p.NendMonth};
  static_assert(sizeof(scalars) / sizeof(scalars[0]) == kSumClmArryCount);
  CString line, value;
  Fields f;
  while (NextSectionLine(in, line)) {
    const int key = MatchSettingsKey(line, kKeys, value);
    if (key < 0) continue;
    if (key < kSumClmArryCount) {
      *scalars[key] = SettingsInt(value);
    } else if (key == kSumClmArryCount) {
      AppendItems(p.SumClmArry, SettingsInt(value));
    } else if (key == kGrpClmArryCount) {
      AppendItems(p.GrpClmArry, SettingsInt(value));
    } else if (key == kSumClmArry) {
      if (SplitSettingsList(f, value) < 4) continue;
      const int i = ListIndex(p.SumClmArry, F(f, 0));
      if (i < 0) continue;
      SUMCLM& s = p.SumClmArry[static_cast<size_t>(i)];
      s.column = F(f, 1);
      s.sumKind = F(f, 2);
      s.listIndex = F(f, 3);
    } else if (key == kGrpClmArry) {
      if (SplitSettingsList(f, value) < 9) continue;
      const int i = ListIndex(p.GrpClmArry, F(f, 0));
      if (i < 0) continue;
      GRPCLM& g = p.GrpClmArry[static_cast<size_t>(i)];
      int32_t* const ints[] = {&g.column,     &g.orientation, &g.listIndex, &g.level,
                               &g.columnType, &g.groupUnit,   &g.groupKind, &g.subtotal};
      for (int k = 0; k < 8; ++k) *ints[k] = F(f, k + 1);
    }
  }
}

void WritePivotSection(CSettingsLineSink& out, const PIVOTSETTING& p) {
  out.WriteSettingsLine(u"@Pivot\n");
  out.WriteSettingsLine(Num(u"Colms=%d\n", p.Colms));
  out.WriteSettingsLine(Num(u"SumType=%d\n", p.SumType));
  out.WriteSettingsLine(Num(u"SumStyl=%d\n", p.SumStyl));
  out.WriteSettingsLine(Num(u"TotalFg=%d\n", p.TotalFg));
  out.WriteSettingsLine(Num(u"NendMonth=%d\n", p.NendMonth));
  out.WriteSettingsLine(Num(u"SumClmArryCount=%d\n", static_cast<int>(p.SumClmArry.size())));
  for (size_t i = 0; i < p.SumClmArry.size(); ++i) {
    const SUMCLM& s = p.SumClmArry[i];
    out.WriteSettingsLine(Num(u"SumClmArry=%d", static_cast<int>(i)));
    for (int v : {s.column, s.sumKind, s.listIndex}) out.WriteSettingsLine(Comma(v));
    out.WriteSettingsLine(kLineEnd);
  }
  out.WriteSettingsLine(Num(u"GrpClmArryCount=%d\n", static_cast<int>(p.GrpClmArry.size())));
  for (size_t i = 0; i < p.GrpClmArry.size(); ++i) {
    const GRPCLM& g = p.GrpClmArry[i];
    out.WriteSettingsLine(Num(u"GrpClmArry=%d", static_cast<int>(i)));
    for (int v : {g.column, g.orientation, g.listIndex, g.level, g.columnType, g.groupUnit,
                  g.groupKind, g.subtotal}) {
      out.WriteSettingsLine(Comma(v));
    }
    out.WriteSettingsLine(kLineEnd);
  }
  out.WriteSettingsLine(kLineEnd);
}

// ---- "@AddCSV" ---------------------------------------------------------------

void ReadAddCsvSection(CCsvTextFile& in, JOINDEF& j) {
  static constexpr const char16_t* kKeys[] = {
      u"AddCSVFg=", u"SerealFg=",    u"AddCsvCnt=",    u"AddColms=",   u"AddCsvUpdateFg=",
      u"AddCsv=",   u"AdelSelect=", u"ListPosition=", u"ArrayCount=", u"AlignArry="};
  enum : int {
    kAddCSVFg, kSerealFg, kAddCsvCnt, kAddColms, kAddCsvUpdateFg,
    kAddCsv,   kAdelSelect, kListPosition, kArrayCount, kAlignArry, kKeyCount
  };
  static_assert(std::size(kKeys) == kKeyCount);
  CString line, value;
  Fields f;
  while (NextSectionLine(in, line)) {
    const int key = MatchSettingsKey(line, kKeys, value);
    switch (key) {
      case kAddCSVFg: j.AddCSVFg = SettingsInt(value); break;
      case kSerealFg: j.SerealFg = SettingsInt(value); break;
      case kAddCsvCnt: {
        const int count = SettingsInt(value);
        if (InRange(count, 0, JOIN_MAX_ADDCSV)) j.AddCsvCnt = count;
        break;
      }
      case kAddColms: j.AddColms = SettingsInt(value); break;
      case kAddCsvUpdateFg: j.AddCsvUpdateFg = SettingsInt(value); break;
      case kAddCsv: {
        if (SplitSettingsList(f, value) < 6) break;
        const int i = F(f, 0);
        const int cols = F(f, 1);
        if (!InRange(i, 0, JOIN_MAX_ADDCSV - 1) || !InRange(cols, 0, GRID_COLS)) break;
        j.AddCsvCols[i] = cols;
        j.AddCsvRows[i] = F(f, 2);
        j.AddCsvExtra[i] = F(f, 3);
        j.AddCsvPath[i] = f[4];
        j.AddCsvTitle[i] = f[5];
        break;
      }
      case kAdelSelect: {
        const int n = SplitSettingsList(f, value);
        if (n < 1) break;
        const int i = F(f, 0);
        if (!InRange(i, 0, JOIN_MAX_ADDCSV - 1)) break;
        const int cols = j.AddCsvCols[i];
        if (!InRange(cols, 1, GRID_COLS) || n != cols + 1) break;
        for (int c = 0; c < cols; ++c) j.AdelSelect[i][c] = static_cast<uint8_t>(F(f, c + 1));
        break;
      }
      case kListPosition: {
        if (SplitSettingsList(f, value) < 5) break;
        const int l = F(f, 0);
        if (!InRange(l, 0, 2)) break;
        j.ListPosition[l] = JOINLISTRECT{F(f, 1), F(f, 2), F(f, 3), F(f, 4)};
        break;
      }
      case kArrayCount: {
        if (SplitSettingsList(f, value) < 2) break;
        const int a = F(f, 0);
        if (InRange(a, 0, JOIN_LINK_ARRAYS - 1)) AppendItems(j.AlignArry[a], F(f, 1));
        break;
      }
      case kAlignArry: {
        if (SplitSettingsList(f, value) < 6) break;
        const int a = F(f, 0);
        if (!InRange(a, 0, JOIN_LINK_ARRAYS - 1)) break;
        const int k = ListIndex(j.AlignArry[a], F(f, 1));
        if (k < 0) break;
        j.AlignArry[a][static_cast<size_t>(k)] = ALIGN{F(f, 2), F(f, 3), F(f, 4), F(f, 5)};
        break;
      }
      default: break;
    }
  }
}

void WriteAddCsvSection(CSettingsLineSink& out, const JOINDEF& j) {
  out.WriteSettingsLine(u"@AddCSV\n");
  out.WriteSettingsLine(Num(u"AddCSVFg=%d\n", j.AddCSVFg));
  out.WriteSettingsLine(Num(u"SerealFg=%d\n", j.SerealFg));
  out.WriteSettingsLine(Num(u"AddCsvCnt=%d\n", j.AddCsvCnt));
  out.WriteSettingsLine(Num(u"AddColms=%d\n", j.AddColms));
  out.WriteSettingsLine(Num(u"AddCsvUpdateFg=%d\n", j.AddCsvUpdateFg));
  const int csvs = std::clamp(j.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  for (int i = 0; i < csvs; ++i) {
    out.WriteSettingsLine(Num(u"AddCsv=%d", i));
    for (int v : {j.AddCsvCols[i], j.AddCsvRows[i], j.AddCsvExtra[i]}) out.WriteSettingsLine(Comma(v));
    out.WriteSettingsLine(Quoted(j.AddCsvPath[i]));
    out.WriteSettingsLine(Quoted(j.AddCsvTitle[i]));
    out.WriteSettingsLine(kLineEnd);
    const int cols = std::min(j.AddCsvCols[i], GRID_COLS);
    if (cols <= 0) continue;
    out.WriteSettingsLine(CString::Build(u"AdelSelect=%d,%d", i, static_cast<int>(j.AdelSelect[i][0])));
    for (int c = 1; c < cols; ++c) out.WriteSettingsLine(Comma(j.AdelSelect[i][c]));
    out.WriteSettingsLine(kLineEnd);
  }
  for (int l = 0; l <= csvs; ++l) {
    const JOINLISTRECT& r = j.ListPosition[l];
    out.WriteSettingsLine(Num(u"ListPosition=%d", l));
    for (int v : {r.left, r.top, r.right, r.bottom}) out.WriteSettingsLine(Comma(v));
    out.WriteSettingsLine(kLineEnd);
  }
  for (int a = 0; a < JOIN_LINK_ARRAYS; ++a) {
    const std::vector<ALIGN>& links = j.AlignArry[a];
    out.WriteSettingsLine(CString::Build(u"ArrayCount=%d,%d\n", a, static_cast<int>(links.size())));
    for (size_t k = 0; k < links.size(); ++k) {
      out.WriteSettingsLine(CString::Build(u"AlignArry=%d,%d", a, static_cast<int>(k)));
      for (int v : {links[k].listA, links[k].listB, links[k].itemA, links[k].itemB}) {
        out.WriteSettingsLine(Comma(v));
      }
      out.WriteSettingsLine(kLineEnd);
    }
  }
  out.WriteSettingsLine(kLineEnd);
}

// ---- "@Filter" ---------------------------------------------------------------

void ReadFilterSection(CCsvTextFile& in, FILTERSETTING& s) {
  static constexpr const char16_t* kKeys[] = {u"FilterCnt=", u"ItemCnt=", u"filter=", u"filterKey="};
  enum : int { kFilterCnt, kItemCnt, kFilter, kFilterKey, kKeyCount };
  static_assert(std::size(kKeys) == kKeyCount);
  CString line, value;
  Fields f;
  while (NextSectionLine(in, line)) {
    const int key = MatchSettingsKey(line, kKeys, value);
    if (key == kFilterCnt || key == kItemCnt) {
      const int count = SettingsInt(value);
      if (InRange(count, 0, FILTER_MAX_CONDS)) (key == kFilterCnt ? s.FilterCnt : s.ItemCnt) = count;
    } else if (key == kFilter) {
      if (SplitSettingsList(f, value) < 5) continue;
      const int i = F(f, 0);
      const int values = F(f, 4);
      if (!InRange(i, 0, FILTER_MAX_CONDS - 1) || !InRange(values, 0, FILTER_MAX_VALUES)) continue;
      FILTERDAT& d = s.conditions[i];
      d.column = F(f, 1);
      d.kind = F(f, 2);
      d.mode = F(f, 3);
      d.valueCount = values;
    } else if (key == kFilterKey) {
      if (SplitSettingsList(f, value) < 3) continue;
      const int i = F(f, 0);
      const int j = F(f, 1);
      if (!InRange(i, 0, FILTER_MAX_CONDS - 1) || !InRange(j, 0, FILTER_MAX_VALUES - 1)) continue;
      s.conditions[i].filterKey[j] = f[2];
    }
  }
}

void WriteFilterSection(CSettingsLineSink& out, const FILTERSETTING& s) {
  out.WriteSettingsLine(u"@Filter\n");
  out.WriteSettingsLine(Num(u"FilterCnt=%d\n", s.FilterCnt));
  out.WriteSettingsLine(Num(u"ItemCnt=%d\n", s.ItemCnt));
  const int conds = std::clamp(s.FilterCnt, 0, FILTER_MAX_CONDS);
  for (int i = 0; i < conds; ++i) {
    const FILTERDAT& d = s.conditions[i];
    out.WriteSettingsLine(Num(u"filter=%d", i));
    for (int v : {d.column, d.kind, d.mode, d.valueCount}) out.WriteSettingsLine(Comma(v));
    out.WriteSettingsLine(kLineEnd);
    const int values = std::clamp(d.valueCount, 0, FILTER_MAX_VALUES);
    for (int j = 0; j < values; ++j) {
      out.WriteSettingsLine(CString::Build(u"filterKey=%d,%d,", i, j));
      out.WriteSettingsLine(CString::Build(u"\"%s\"", d.filterKey[j]));
      out.WriteSettingsLine(kLineEnd);
    }
  }
  out.WriteSettingsLine(kLineEnd);
}

// ---- "@Sort" -----------------------------------------------------------------

void ReadSortSection(CCsvTextFile& in, SORTKEYS& s) {
  static constexpr const char16_t* kKeys[] = {u"sortCnt=", u"sortdata="};
  enum : int { kSortCnt, kSortData, kKeyCount };
  static_assert(std::size(kKeys) == kKeyCount);
  CString line, value;
  Fields f;
  while (NextSectionLine(in, line)) {
    const int key = MatchSettingsKey(line, kKeys, value);
    if (key == kSortCnt) {
      const int count = SettingsInt(value);
      if (InRange(count, 0, SORT_MAX_KEYS)) s.sortCnt = count;
    } else if (key == kSortData) {
      if (SplitSettingsList(f, value) != 4) continue;
      // The index may equal the count read before it, up to the fourth entry.
      const int i = F(f, 0);
      if (!InRange(i, 0, std::min(s.sortCnt, SORT_MAX_KEYS))) continue;
      s.column[i] = F(f, 1);
      s.compareType[i] = F(f, 2);
      s.descending[i] = F(f, 3);
    }
  }
}

void WriteSortSection(CSettingsLineSink& out, const SORTKEYS& s) {
  out.WriteSettingsLine(u"@Sort\n");
  out.WriteSettingsLine(Num(u"sortCnt=%d\n", s.sortCnt));
  const int keys = std::clamp(s.sortCnt, 0, SORT_MAX_KEYS);
  for (int i = 0; i < keys; ++i) {
    out.WriteSettingsLine(Num(u"sortdata=%d", i));
    for (int v : {s.column[i], s.compareType[i], s.descending[i]}) out.WriteSettingsLine(Comma(v));
    out.WriteSettingsLine(kLineEnd);
  }
  out.WriteSettingsLine(kLineEnd);
}

// ---- "@Macro" ----------------------------------------------------------------

void ReadMacroSection(CCsvTextFile& in, MACROSETTING& m) {
  static constexpr const char16_t* kKeys[] = {u"colms=", u"SelectCol=", u"EditDatclms=",
                                              u"ClmArry_Count=", u"ClmArry="};
  enum : int { kColms, kSelectCol, kEditDatclms, kClmArryCount, kClmArry, kKeyCount };
  static_assert(std::size(kKeys) == kKeyCount);
  constexpr int kMapSize = static_cast<int>(std::size(MACROSETTING{}.SelectCol));
  CString line, value;
  Fields f;
  while (NextSectionLine(in, line)) {
    const int key = MatchSettingsKey(line, kKeys, value);
    if (key == kColms) {
      const int count = SettingsInt(value);
      if (InRange(count, 0, kMapSize)) m.colms = count;
    } else if (key == kSelectCol) {
      if (!InRange(m.colms, 1, kMapSize) || SplitSettingsList(f, value) != m.colms) continue;
      for (int k = 0; k < m.colms; ++k) m.SelectCol[k] = F(f, k);
    } else if (key == kEditDatclms) {
      m.EditDatclms = SettingsInt(value);
    } else if (key == kClmArryCount) {
      AppendItems(m.ClmArry, SettingsInt(value));
    } else if (key == kClmArry) {
      if (SplitSettingsList(f, value) < 5) continue;
      const int i = ListIndex(m.ClmArry, F(f, 0));
      if (i < 0) continue;
      MACROCOL& c = m.ClmArry[static_cast<size_t>(i)];
      c.sourceColumn = F(f, 1);
      c.macroNumber = F(f, 2);
      c.macroText = f[3];
      c.columnName = f[4];
    }
  }
}

void WriteMacroSection(CSettingsLineSink& out, const MACROSETTING& m) {
  constexpr int kMapSize = static_cast<int>(std::size(MACROSETTING{}.SelectCol));
  out.WriteSettingsLine(u"@Macro\n");
  out.WriteSettingsLine(Num(u"colms=%d\n", m.colms));
  const int colms = std::min(m.colms, kMapSize);
  if (colms > 0) {
    out.WriteSettingsLine(Num(u"SelectCol=%d", m.SelectCol[0]));
    for (int k = 1; k < colms; ++k) out.WriteSettingsLine(Comma(m.SelectCol[k]));
    out.WriteSettingsLine(kLineEnd);
  }
  out.WriteSettingsLine(Num(u"EditDatclms=%d\n", m.EditDatclms));
  out.WriteSettingsLine(Num(u"ClmArry_Count=%d\n", static_cast<int>(m.ClmArry.size())));
  for (size_t i = 0; i < m.ClmArry.size(); ++i) {
    const MACROCOL& c = m.ClmArry[i];
    out.WriteSettingsLine(Num(u"ClmArry=%d", static_cast<int>(i)));
    out.WriteSettingsLine(Comma(c.sourceColumn));
    out.WriteSettingsLine(Comma(c.macroNumber));
    out.WriteSettingsLine(Quoted(c.macroText));
    out.WriteSettingsLine(Quoted(c.columnName));
    out.WriteSettingsLine(kLineEnd);
  }
  out.WriteSettingsLine(kLineEnd);
}
