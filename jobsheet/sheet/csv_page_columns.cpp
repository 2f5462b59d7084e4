// The CSV edit page's column settings from a job and from the column selection.

#include <algorithm>

#include "platform/int_text.h"
#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/column_codes.h"
#include "jobsheet/sheet/csv_prop_page.h"

namespace {

// Comma-separated items of a text, each read as a decimal integer.
std::vector<int> ReadIntegers(const CString& text) {
  std::vector<int> items;
  const std::u16string_view all = text.View();
  size_t i = 0;
  while (i <= all.size()) {
    size_t end = all.find(u',', i);
    if (end == std::u16string_view::npos) end = all.size();
    items.push_back(TextToInt(all.substr(i, end - i)));
    i = end + 1;
  }
  return items;
}

}  // namespace

void CCsvPropPage::ParseColumnOrder(const CString& text, int editCols) {
  if (text.IsEmpty()) {
    for (int c = 0; c < GRID_COLS; ++c) m_ColumnMap[c] = c < editCols ? c + 1 : 0;
    return;
  }
  std::fill(std::begin(m_ColumnMap), std::end(m_ColumnMap), 0);
  int count = 0;
  for (int v : ReadIntegers(text)) {
    if (v < 1 || v > GRID_COLS || count >= GRID_COLS) continue;   // not a column
    m_ColumnMap[count++] = v;
  }
  m_ColCount = count;
  m_ColumnsChanged = 1;
}

int CCsvPropPage::CountSelectedColumns(const CString& text) {
  if (text.IsEmpty()) return 0;
  int n = 1;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] == u',') ++n;
  return n;
}

CString CCsvPropPage::GetColumnName(int column) const {
  if (column < 0 || column >= m_ColCount || column >= GRID_COLS) return CString();
  return m_HeaderNames[column];
}

void CCsvPropPage::ApplyJobSettings(CsvGrids& g, const CString& commandText, int editMode, const JOBSETTING& job) {
  m_CommandText = commandText;
  m_EditMode = editMode;
  m_DataHeader = job.m_CsvHederTyp;
  for (int k = 0; k < 3; ++k) {
    const int col = job.m_SortCol[k];
    m_SortCols[k] = col >= 1 && col <= GRID_COLS ? col : 0;
    m_SortTypes[k] = m_SortCols[k] ? job.m_SortType[k] : 0;
    m_SortDesc[k] = m_SortCols[k] ? job.m_SortDesc[k] : 0;
  }
  m_Condition = job.m_InpSelecMacro;
  m_ConditionText = job.m_InpSelecMacro;
  int n = job.m_Select.IsEmpty() ? g.editCols : CountSelectedColumns(job.m_Select);
  n = std::clamp(n, 0, GRID_COLS);
  if (g.titleRow >= 0) {
    for (int i = 0; i < n; ++i) {
      const int src = m_ColumnMap[i] > 0 ? m_ColumnMap[i] : i + 1;
      m_HeaderNames[i] = g.data.GetAt(g.titleRow, src - 1);
    }
    for (const FIELDNAME& f : job.m_FieldNames) {
      if (f.m_Column < 0 || f.m_Column >= GRID_COLS) continue;
      m_HeaderNames[f.m_Column] = f.m_Name;
      m_HeaderEdited[f.m_Column] = 1;
      g.edit[g.titleRow][f.m_Column] = f.m_Name;
    }
    for (int i = n; i < GRID_COLS; ++i) m_HeaderNames[i].Empty();
  }
  auto columnNamed = [&](const CString& name) {
    if (name.IsEmpty()) return -1;
    for (int c = 0; c < n; ++c)
      if (m_HeaderNames[c] == name) return c;
    return -1;
  };
  m_PageBreak = job.m_Break;
  m_GroupCol = columnNamed(job.m_Grp) + 1;
  m_SubjectCol = columnNamed(job.m_Subject) + 1;
  auto setCodes = [&](auto nameAt, int code) {
    for (int i = 0; i < kJobNameSlots; ++i) {
      const CString& name = nameAt(i);
      if (name.IsEmpty()) break;
      const int c = columnNamed(name);
      if (c >= 0) m_ColumnCodes[c] = code;
    }
  };
  setCodes([&](int i) -> const CString& { return job.m_Sum[i]; }, CODE_SUM);
  setCodes([&](int i) -> const CString& { return job.m_Counts[i][0]; }, CODE_COUNT_INCL);
  setCodes([&](int i) -> const CString& { return job.m_Counts[i][1]; }, CODE_COUNT_EXCL);
  for (const BARCOD_STAMPEAI& item : job.m_ColumnItems) {
    const int code = ColumnCodeOfItem(item);
    if (code == CODE_NONE) continue;   // a barcode kind the page has no button for
    int c = -1;
    if (item.m_ColumnNo >= 1 && item.m_ColumnNo <= GRID_COLS) c = item.m_ColumnNo - 1;
    else if (item.m_ColumnNo == 0) c = columnNamed(item.m_ColumnName);
    if (c < 0) continue;
    m_ColumnCodes[c] = code;
    if (code == CODE_COLOR) m_ColorRuleText = item.m_Code;
  }
  // Computed columns: every listed name found gets 1, the columns between the
  // first two listed names 1, the result column 2; unknown names are skipped.
  auto definition = [&](const HORIZONSUM& item, bool span) {
    HORIZONTAL def;
    std::vector<int> listed;
    for (int i = 0; i < kJobNameSlots && !item.m_Columns[i].IsEmpty(); ++i) listed.push_back(columnNamed(item.m_Columns[i]));
    for (int c : listed)
      if (c >= 0) def.flags[c] = HZ_INPUT;
    if (!span && listed.size() >= 2 && listed[0] >= 0 && listed[1] >= 0)
      for (int c = std::min(listed[0], listed[1]); c <= std::max(listed[0], listed[1]); ++c) def.flags[c] = HZ_INPUT;
    const int result = columnNamed(item.m_Result);
    if (result >= 0) def.flags[result] = HZ_RESULT;
    if (span) def.minutes = item.m_Minutes;
    return def;
  };
  m_RowTotals.clear();
  m_TimeSpans.clear();
  for (const HORIZONSUM& item : job.m_RowSums) m_RowTotals.push_back(definition(item, false));
  for (const HORIZONSUM& item : job.m_TimeSpans) m_TimeSpans.push_back(definition(item, true));
  m_EditMode = g.editModeEntered;
  // The sort-key line names the job's keys, now that the columns have their names.
  ShowSortKeys();
}

std::vector<COLDATA> CCsvPropPage::UsedColumns(const CsvGrids& g) const {
  std::vector<COLDATA> used;
  for (int c = 0; c < m_ColCount && c < GRID_COLS; ++c) {
    COLDATA d;
    d.m_SourceColumn = m_ColumnMap[c];
    d.m_CommandCode = m_ColumnCodes[c];
    if (m_SubjectCol == c + 1) d.m_RoleFlags |= 1;
    if (m_GroupCol == c + 1) d.m_RoleFlags |= 2;
    for (int k = 0; k < 3; ++k)
      if (m_SortCols[k] == c + 1) d.m_RoleFlags |= 4;
    for (const HORIZONTAL& h : m_RowTotals) d.m_RowSumRole = std::max(d.m_RowSumRole, h.flags[c]);
    for (const HORIZONTAL& h : m_TimeSpans) d.m_TimeSpanRole = std::max(d.m_TimeSpanRole, h.flags[c]);
    d.m_Name = g.titleRow >= 0 ? g.edit.GetAt(g.titleRow, c) : CString();
    used.push_back(d);
  }
  return used;
}

void CCsvPropPage::ApplyColumnSelection(CsvGrids& g, const std::vector<COLDATA>& used,
                                        const std::vector<COLDATA>& omitted) {
  // The records mark a key column but not which key it is: each key is found
  // again by its data column, so it keeps its priority, type and order.
  int keySource[3] = {};
  for (int k = 0; k < 3; ++k) {
    const int c = m_SortCols[k];
    if (c >= 1 && c <= GRID_COLS) keySource[k] = m_ColumnMap[c - 1];
  }
  const int oldTypes[3] = {m_SortTypes[0], m_SortTypes[1], m_SortTypes[2]};
  const int oldDesc[3] = {m_SortDesc[0], m_SortDesc[1], m_SortDesc[2]};
  std::fill(std::begin(m_ColumnMap), std::end(m_ColumnMap), 0);
  std::fill(std::begin(m_ColumnCodes), std::end(m_ColumnCodes), 0);
  const int oldCount = m_ColCount;
  m_ColCount = std::min(static_cast<int>(used.size()), GRID_COLS);
  m_GroupCol = m_SubjectCol = 0;
  for (int k = 0; k < 3; ++k) m_SortCols[k] = m_SortTypes[k] = m_SortDesc[k] = 0;
  std::vector<bool> keyTaken(static_cast<size_t>(m_ColCount), false);
  int nextKey = 0;
  for (int k = 0; k < 3; ++k) {
    if (keySource[k] <= 0) continue;
    for (int p = 0; p < m_ColCount; ++p) {
      if (keyTaken[static_cast<size_t>(p)] || !(used[p].m_RoleFlags & 4) || used[p].m_SourceColumn != keySource[k])
        continue;
      keyTaken[static_cast<size_t>(p)] = true;
      m_SortCols[nextKey] = p + 1;
      m_SortTypes[nextKey] = oldTypes[k];
      m_SortDesc[nextKey] = oldDesc[k];
      ++nextKey;
      break;
    }
  }
  for (int p = 0; p < m_ColCount; ++p) {
    const COLDATA& d = used[p];
    m_ColumnMap[p] = d.m_SourceColumn;
    m_ColumnCodes[p] = d.m_CommandCode;
    for (HORIZONTAL& h : m_RowTotals) h.flags[p] = d.m_RowSumRole;
    for (HORIZONTAL& h : m_TimeSpans) h.flags[p] = d.m_TimeSpanRole;
    if (d.m_RoleFlags & 1) m_SubjectCol = p + 1;
    if (d.m_RoleFlags & 2) m_GroupCol = p + 1;
    if ((d.m_RoleFlags & 4) && !keyTaken[static_cast<size_t>(p)] && nextKey < 3) m_SortCols[nextKey++] = p + 1;
  }
  for (HORIZONTAL& h : m_RowTotals)
    for (int c = m_ColCount; c < GRID_COLS; ++c) h.flags[c] = 0;
  for (HORIZONTAL& h : m_TimeSpans)
    for (int c = m_ColCount; c < GRID_COLS; ++c) h.flags[c] = 0;
  m_OmittedColumns = omitted;
  for (int r = 0; r < m_RowCount; ++r) {
    for (int j = 0; j < m_ColCount; ++j) {
      const int src = m_ColumnMap[j];
      const CString cell = src >= 1 ? g.data.GetAt(r, src - 1) : CString();
      if (r == g.titleRow) {
        m_HeaderNames[j] = used[j].m_Name;
        if (used[j].m_Name != cell) {
          g.edit[r][j] = used[j].m_Name;
          m_HeaderEdited[j] = 1;
        } else {
          g.edit[r][j] = cell;
          m_HeaderEdited[j] = 0;
        }
      } else {
        g.edit[r][j] = cell;
      }
    }
    g.edit.TruncateRow(r, m_ColCount);
  }
  for (int c = m_ColCount; c < std::max(oldCount, m_ColCount) && c < GRID_COLS; ++c) {
    m_HeaderNames[c].Empty();
    m_HeaderEdited[c] = 0;
  }
  // The keys shown (and applied on entering edit mode) are the keys that remain.
  if (!m_SortText.IsEmpty()) ShowSortKeys();
  m_ColumnsChanged = 1;
}
