#include "jobsheet/sheet/csv_page_exchange.h"

#include <algorithm>

#include "jobsheet/sheet/column_codes.h"

namespace {

// Header text of displayed column k; empty beyond the displayed columns.
CString NameOf(const CCsvPropPage& page, int k) { return page.GetColumnName(k); }

bool IsDisplayedName(const CCsvPropPage& page, const CString& name) {
  const CString wanted = Trimmed(name);
  if (wanted.IsEmpty()) return false;
  for (int k = 0; k < page.m_ColCount && k < GRID_COLS; ++k) {
    if (NameOf(page, k) == wanted) return true;
  }
  return false;
}

int DisplayedCount(const CCsvPropPage& page) { return std::clamp(page.m_ColCount, 0, GRID_COLS); }

// The definitions as HORIZONSUM items by name.
std::vector<HORIZONSUM> DefinitionsByName(const CCsvPropPage& page, const std::vector<HORIZONTAL>& defs,
                                          bool withMinutes) {
  std::vector<HORIZONSUM> out;
  const int n = DisplayedCount(page);
  for (const HORIZONTAL& def : defs) {
    HORIZONSUM item;
    int next = 0;
    for (int k = 0; k < n; ++k) {
      if (def.flags[k] == HZ_INPUT) item.m_Columns[next++] = NameOf(page, k);
      if (def.flags[k] == HZ_RESULT) item.m_Result = NameOf(page, k);
    }
    item.m_Minutes = withMinutes ? def.minutes : 0;
    out.push_back(std::move(item));
  }
  return out;
}

// Definitions by name back onto the page's columns.
std::vector<HORIZONTAL> DefinitionsByColumn(const CCsvPropPage& page, const std::vector<HORIZONSUM>& items,
                                            bool fillRange) {
  std::vector<HORIZONTAL> out;
  for (const HORIZONSUM& item : items) {
    HORIZONTAL def;
    int cursor = 0;
    int first = -1;
    int second = -1;
    const CString result = Trimmed(item.m_Result);
    for (int b = 0; b < GRID_COLS; ++b) {
      const CString name = NameOf(page, b);
      if (name.IsEmpty()) continue;
      if (cursor < kJobNameSlots && Trimmed(item.m_Columns[cursor]) == name) {
        def.flags[b] = HZ_INPUT;
        ++cursor;
        if (first < 0) {
          first = b;
        } else if (second < 0) {
          second = b;
        }
      }
      if (result == name) def.flags[b] = HZ_RESULT;
    }
    // A parsed row total names only its first and last column.
    if (fillRange && first >= 0 && second >= 0) {
      for (int b = first; b <= second; ++b) def.flags[b] = HZ_INPUT;
    }
    def.minutes = item.m_Minutes;
    out.push_back(def);
  }
  return out;
}

}  // namespace

void ReadCsvPageInto(JOBSETTING& job, const CCsvPropPage& page, int editCols, int editModeEntered, int& sendRows,
                     int& sendCols) {
  const int n = DisplayedCount(page);
  job.m_CsvHederTyp = static_cast<uint8_t>(page.m_DataHeader);
  sendCols = page.m_ColCount;
  sendRows = page.m_RowCount;

  if (editModeEntered == 0) {
    if (page.m_SortCols[0] > 0) {
      job.m_SortCount = 3;
      for (int i = 0; i < 3; ++i) {
        job.m_SortCol[i] = page.m_SortCols[i];
        job.m_SortType[i] = page.m_SortTypes[i];
        job.m_SortDesc[i] = page.m_SortDesc[i];
      }
    } else {
      job.m_SortCount = 0;
      for (int i = 0; i < 3; ++i) job.m_SortCol[i] = job.m_SortType[i] = job.m_SortDesc[i] = 0;
    }
    job.m_InpSelecMacro = page.m_Condition;
    bool identity = n == page.m_ColCount;
    for (int i = 0; i < n && identity; ++i) identity = page.m_ColumnMap[i] == i + 1;
    job.m_Select.Empty();
    // The identity order needs no list; the edit-grid width is what "all columns" means.
    if (page.m_ColumnsChanged != 0 && !(identity && n == editCols)) {
      bool firstItem = true;
      for (int i = 0; i < n; ++i) {
        if (page.m_ColumnMap[i] == 0) continue;
        job.m_Select += CString::Build(firstItem ? u"%d" : u",%d", page.m_ColumnMap[i]);
        firstItem = false;
      }
    }
    job.m_FieldNames.clear();
    for (int i = 0; i < n; ++i) {
      if (page.m_HeaderEdited[i] == 1) job.m_FieldNames.push_back(FIELDNAME{i, page.m_HeaderNames[i]});
    }
  }

  // Entries and items the page cannot show are kept after the ones it writes.
  std::vector<CString> keptEntries[NAMELIST_COUNT];
  for (int list = 0; list < NAMELIST_COUNT; ++list) {
    for (int i = 0; i < kJobNameSlots && !NameListEntry(job, list, i).IsEmpty(); ++i) {
      if (!IsDisplayedName(page, NameListEntry(job, list, i))) keptEntries[list].push_back(NameListEntry(job, list, i));
    }
  }
  std::vector<BARCOD_STAMPEAI> oldItems = std::move(job.m_ColumnItems);
  job.m_ColumnItems.clear();
  for (int i = 0; i < kJobNameSlots; ++i) {
    job.m_Sum[i].Empty();
    for (int j = 0; j < 2; ++j) {
      job.m_Counts[i][j].Empty();
      job.m_Ave[i][j].Empty();
    }
  }

  int next[NAMELIST_COUNT] = {};
  for (int c = 1; c <= 11; ++c) {
    const COLUMNCODEINFO* info = FindColumnCode(c);
    for (int k = 0; k < n; ++k) {
      if (page.m_ColumnCodes[k] != c) continue;
      const CString name = NameOf(page, k);
      if (info->nameList >= 0) {
        NameListEntry(job, info->nameList, next[info->nameList]++) =
            name.IsEmpty() ? CString::Build(u"%d", k + 1) : name;
        continue;
      }
      BARCOD_STAMPEAI item;
      item.m_Kind = static_cast<uint8_t>(info->itemKind);
      item.m_Code = info->itemCode != nullptr ? CString(info->itemCode) : page.m_ColorRuleText;
      item.m_ColumnNo = k + 1;
      item.m_ColumnName = name;
      for (const BARCOD_STAMPEAI& old : oldItems) {
        if (old.m_Kind == kItemBarcode && item.m_Kind == kItemBarcode && ColumnCodeOfItem(old) == c &&
            Trimmed(old.m_ColumnName) == name) {
          item.m_NotTrim = old.m_NotTrim;
        }
      }
      job.m_ColumnItems.push_back(std::move(item));
    }
  }
  for (int list = 0; list < NAMELIST_COUNT; ++list) {
    for (const CString& entry : keptEntries[list]) {
      bool present = false;
      for (int i = 0; i < next[list]; ++i) present = present || NameListEntry(job, list, i) == entry;
      if (!present && next[list] < kJobNameSlots) NameListEntry(job, list, next[list]++) = entry;
    }
  }
  for (const BARCOD_STAMPEAI& old : oldItems) {
    if (ColumnCodeOfItem(old) == CODE_NONE || !IsDisplayedName(page, old.m_ColumnName)) {
      job.m_ColumnItems.push_back(old);
    }
  }

  job.m_RowSums = DefinitionsByName(page, page.m_RowTotals, false);
  job.m_TimeSpans = DefinitionsByName(page, page.m_TimeSpans, true);
  job.m_Grp = page.m_GroupCol > 0 ? NameOf(page, page.m_GroupCol - 1) : CString();
  job.m_Subject = page.m_SubjectCol > 0 ? NameOf(page, page.m_SubjectCol - 1) : CString();
  job.m_Break = page.m_PageBreak == 1 ? 1 : 0;
}

void MatchJobToCsvPage(const JOBSETTING& job, CCsvPropPage& page, int editCols) {
  const int cols = std::clamp(editCols, 0, GRID_COLS);
  int cursor[NAMELIST_COUNT] = {};
  std::vector<bool> used[NAMELIST_COUNT];
  for (auto& u : used) u.assign(kJobNameSlots, false);
  const CString grp = Trimmed(job.m_Grp);
  const CString subject = Trimmed(job.m_Subject);

  for (int c = 0; c < GRID_COLS; ++c) {
    if (c < cols) {
      bool known = false;
      for (const COLDATA& d : page.m_OmittedColumns) known = known || d.m_SourceColumn == c + 1;
      for (int j = 0; j < cols && !known; ++j) known = page.m_ColumnMap[j] == c + 1;
      if (!known) {
        COLDATA d;
        d.m_SourceColumn = c + 1;
        page.m_OmittedColumns.push_back(d);
      }
    }
    const CString name = NameOf(page, c);
    if (name.IsEmpty()) continue;
    for (int list = 0; list < NAMELIST_COUNT; ++list) {
      if (cursor[list] < kJobNameSlots && Trimmed(NameListEntry(job, list, cursor[list])) == name) {
        page.m_ColumnCodes[c] = kNameListCodes[list];
        used[list][cursor[list]++] = true;
      }
    }
    for (const BARCOD_STAMPEAI& item : job.m_ColumnItems) {
      if (Trimmed(item.m_ColumnName) != name) continue;
      const int code = ColumnCodeOfItem(item);
      if (code != CODE_NONE) page.m_ColumnCodes[c] = code;
    }
    if (!grp.IsEmpty() && grp == name) page.m_GroupCol = c + 1;
    if (!subject.IsEmpty() && subject == name) page.m_SubjectCol = c + 1;
  }

  // Entries the walk passed over (a list in another order than the columns, or
  // one held up by a name no column has) go to the first column of that name that has no code.
  for (int list = 0; list < NAMELIST_COUNT; ++list) {
    for (int i = 0; i < kJobNameSlots && !NameListEntry(job, list, i).IsEmpty(); ++i) {
      if (used[list][i]) continue;
      const CString name = Trimmed(NameListEntry(job, list, i));
      for (int c = 0; c < GRID_COLS; ++c) {
        if (NameOf(page, c) == name && page.m_ColumnCodes[c] == CODE_NONE) {
          page.m_ColumnCodes[c] = kNameListCodes[list];
          break;
        }
      }
    }
  }

  page.m_RowTotals = DefinitionsByColumn(page, job.m_RowSums, true);
  page.m_TimeSpans = DefinitionsByColumn(page, job.m_TimeSpans, false);
}
