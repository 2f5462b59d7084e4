// The key join: sorted key indexes on both sides, the uniqueness checks that decide
// which side drives, the merge of matching lines and the result in the data grid.

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "edittools/join/addcsv_join.h"
#include "edittools/join/join_kinds.h"
#include "edittools/join/join_messages.h"

namespace {

// Mismatched keys in the order met, each once.
class KeyList {
 public:
  void Add(const CString& key) {
    if (seen_.insert(key).second) keys_.push_back(key);
  }
  bool Empty() const { return keys_.empty(); }
  CString Lines() const {
    CString text;
    for (const CString& k : keys_) {
      text += k;
      text += u'\n';
    }
    return text;
  }

 private:
  std::vector<CString> keys_;
  std::unordered_set<CString> seen_;
};

const CString& CellOf(std::span<const CString> line, int col) {
  static const CString kEmpty;
  return col >= 0 && col < static_cast<int>(line.size()) ? line[col] : kEmpty;
}

bool ValidList(int list) { return list >= 0 && list <= 2; }

// Line `line` of loaded lines; a CSV of blank lines alone has not even a header.
JoinLines::Line LineOf(const JoinLines& lines, int line) {
  return line >= 0 && line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)]
                                                             : JoinLines::Line();
}

}  // namespace

void CAddcsvJoin::ResetKeyJoinState() {
  for (int i = 0; i < JOIN_MAX_INDEXES; ++i) {
    std::vector<JOINKEY>().swap(m_KeyIndex[i]);
    std::vector<JoinKeyHead>().swap(m_KeyHeads[i]);
    m_KeyIndexInfo[i] = JOINKEYINFO{};
    m_KeyDupCount[i] = 0;
  }
  m_KeyIndexCount = 0;
  std::fill(std::begin(m_Unique), std::end(m_Unique), 0);
  std::fill(std::begin(m_DriveSide), std::end(m_DriveSide), 0);
  m_JoinedCells.clear();
  m_JoinedFirst.clear();
  m_ExtraRows.clear();
  m_JoinedWidth = 0;
  m_OutCols = 0;
  for (int c = 0; c < JOIN_MAX_ADDCSV; ++c) {
    m_AddLines[c].clear();
    m_AddRows[c] = 0;
    m_AddLoaded[c] = 0;
  }
  m_FilterKeys.clear();
}

namespace {

// Adds one linked cell's text to a key; the first part becomes the key itself, so
// that a key of one link shares its cell's text without further copies.
void AddKeyPart(CString& key, bool& first, CString part) {
  if (first) {
    key = std::move(part);
    first = false;
    return;
  }
  key += u',';
  key += part;
}

}  // namespace

CString CAddcsvJoin::LoadedRowKey(int row, const std::vector<ALIGN>& links, bool normalise) const {
  CString key;
  bool first = true;
  for (const ALIGN& l : links) {
    if (l.listA != 0) continue;
    const CString& cell = m_Data->GetAt(row, l.itemA);
    if (normalise && l.itemA >= 0 && l.itemA < GRID_COLS) {
      AddKeyPart(key, first, NormalizeJoinKey(cell, m_ColumnKinds[0][l.itemA]));
    } else {
      AddKeyPart(key, first, cell);
    }
  }
  return key;
}

CString CAddcsvJoin::LineKey(std::span<const CString> line, const std::vector<ALIGN>& links,
                             int list, bool useItemA) const {
  CString key;
  bool first = true;
  for (const ALIGN& l : links) {
    if (useItemA ? l.listA != list : l.listB != list) continue;
    const int col = useItemA ? l.itemA : l.itemB;
    const int kind = col >= 0 && col < GRID_COLS ? m_ColumnKinds[list][col] : 0;
    AddKeyPart(key, first, NormalizeJoinKey(CellOf(line, col), kind));
  }
  return key;
}

int CAddcsvJoin::FindIndex(int list, int partner, int pairList) const {
  for (int i = 0; i < m_KeyIndexCount; ++i) {
    const JOINKEYINFO& info = m_KeyIndexInfo[i];
    if (info.list == list && info.partner == partner && info.pairList == pairList) return i;
  }
  return -1;
}

int CAddcsvJoin::SearchIndex(int n, int toFirst, const CString& key) const {
  return FindJoinKey(toFirst, m_KeyIndex[n], m_KeyHeads[n], key);
}

int CAddcsvJoin::BuildKeyIndex(int list) {
  const int csvCount = std::clamp(m_Def.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  if (list == 0) {
    for (int a = 0; a < csvCount && m_KeyIndexCount < JOIN_MAX_INDEXES; ++a) {
      std::vector<ALIGN> links;
      for (const ALIGN& l : m_Def.AlignArry[a]) {
        if (l.listA == 0 && l.listB == a + 1) links.push_back(l);
      }
      if (links.empty()) continue;
      std::vector<JOINKEY> entries;
      entries.reserve(static_cast<size_t>(std::max(*m_DataRows - m_TitleRow - 1, 0)));
      for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) {
        entries.push_back(JOINKEY{r, -1, LoadedRowKey(r, links, true)});
      }
      std::vector<JoinKeyHead> heads;
      SortJoinKeys(entries, heads);
      // The index keeps the lowest row of each key.
      const int n = m_KeyIndexCount++;
      size_t kept = 0;
      for (size_t k = 0; k < entries.size(); ++k) {
        if (kept > 0 && entries[kept - 1].key == entries[k].key) {
          ++m_KeyDupCount[n];
          continue;
        }
        if (kept != k) {
          entries[kept] = std::move(entries[k]);
          heads[kept] = heads[k];
        }
        ++kept;
      }
      entries.resize(kept);
      heads.resize(kept);
      m_KeyIndex[n] = std::move(entries);
      m_KeyHeads[n] = std::move(heads);
      m_KeyIndexInfo[n] = JOINKEYINFO{0, 0, a + 1, 0};
    }
    return 1;
  }
  if (list < 1 || list > csvCount) return 0;
  const std::vector<ALIGN>& links = m_Def.AlignArry[list - 1];
  if (links.empty() || m_KeyIndexCount >= JOIN_MAX_INDEXES) return 0;
  const int partner = links[0].listA;
  const JoinLines& lines = m_AddLines[list - 1];
  // The first CSV's lines were kept by these very keys when its load looked them up.
  const bool looked = list == 1 && m_FilterKeys.size() == lines.size();
  std::vector<JOINKEY> entries;
  entries.reserve(lines.size());
  for (int ln = 1; ln < static_cast<int>(lines.size()); ++ln) {
    const size_t l = static_cast<size_t>(ln);
    entries.push_back(JOINKEY{ln, 0, looked ? std::move(m_FilterKeys[l]) : LineKey(lines[l], links, list, false)});
  }
  if (looked) m_FilterKeys.clear();   // handed over
  const int n = m_KeyIndexCount++;
  SortJoinKeys(entries, m_KeyHeads[n]);
  const bool report = !(ValidList(partner) && m_Unique[partner]);
  CString text;
  for (size_t k = 1; k < entries.size(); ++k) {
    if (entries[k].key != entries[k - 1].key) continue;
    ++m_KeyDupCount[n];
    if (!report) continue;
    if (text.IsEmpty()) {
      text = CString::Build(kJoinDuplicateFirst, m_AddTitle[list - 1], entries[k - 1].row + 1,
                            entries[k].row + 1, entries[k].key);
    } else {
      text += CString::Build(kJoinDuplicateMore, entries[k - 1].row + 1, entries[k].row + 1,
                             entries[k].key);
    }
  }
  m_KeyIndex[n] = std::move(entries);
  m_KeyIndexInfo[n] = JOINKEYINFO{list, partner, list, 1};
  if (!text.IsEmpty()) {
    ShowJoinError(CString(kJoinDuplicateKeys) + text);
    return 0;
  }
  return 1;
}

int CAddcsvJoin::JoinByKeys() {
  if (m_Data == nullptr || m_TitleRow < 0) return 0;
  const int csvCount = std::clamp(m_Def.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  for (int i = 0; i < csvCount; ++i) {
    if (m_Def.AlignArry[i].empty()) {
      ShowJoinError(kJoinNoLinks);
      return 0;
    }
  }
  ResetKeyJoinState();
  CopyDataGridToStepGrid(*m_Data, *m_Step, *m_DataRows, *m_DataCols);

  BuildKeyIndex(0);
  for (int i = 0; i < m_KeyIndexCount; ++i) {
    if (m_KeyIndexInfo[i].list == 0 && m_KeyDupCount[i] == 0) m_Unique[0] = 1;
  }
  int total = *m_DataCols;
  for (int i = 0; i < csvCount; ++i) {
    const int cols = LoadAddCsvData(i, m_AddPath[i]);
    if (m_AddLoaded[i] == 0) {
      if (m_AddLoadState[i] == JOIN_LOAD_NOT_OPENED) {
        ShowJoinError(CString::Build(kJoinCannotRead, m_AddPath[i]));
      }
      return 0;
    }
    // A stored column count above the file's own still sizes the output.
    total += std::max(cols, std::clamp(m_Def.AddCsvCols[i], 0, GRID_COLS));
    if (total > 255) {
      ShowJoinError(kJoinTooManyColumns);
      return 0;
    }
    if (BuildKeyIndex(i + 1) == 0) return 0;
  }
  for (int l = 1; l <= csvCount; ++l) {
    for (int i = 0; i < m_KeyIndexCount; ++i) {
      if (m_KeyIndexInfo[i].list == l && m_KeyDupCount[i] == 0) m_Unique[l] = 1;
    }
  }

  const int* u = m_Unique;
  const char16_t* refusal = nullptr;
  if (csvCount == 1 && !u[0] && !u[1]) {
    refusal = kJoinNeitherUnique;
  } else if (csvCount == 2 && u[0]) {
    if (!u[1] && !u[2]) {
      refusal = kJoinBothAddNotUnique;
    } else if (u[1] && !u[2]) {
      refusal = kJoinRightJoin;
    }
  } else if (csvCount == 2) {
    if (!u[1]) {
      refusal = kJoinMainAdd1NotUnique;
    } else if (!u[2]) {
      refusal = kJoinMainAdd2NotUnique;
    }
  }
  if (refusal != nullptr) {
    ShowJoinError(refusal);
    return 0;
  }

  int mode = 1;
  for (int i = 0; i < csvCount; ++i) {
    const ALIGN& first = m_Def.AlignArry[i][0];
    const bool ua = ValidList(first.listA) && u[first.listA];
    const bool ub = ValidList(first.listB) && u[first.listB];
    if (!ua && !ub) {
      ShowJoinError(CString::Build(kJoinLinkNotUnique, i + 1));
      return 0;
    }
    m_DriveSide[i] = ub ? 1 : 2;
    if (m_DriveSide[i] == 2) mode = 2;
  }

  if (MergeKeyedRows() == 0) return 0;
  if (WriteKeyJoinResult(mode) == 0) return 0;
  *m_DataCols += m_OutCols;
  MoveStepGridToDataGrid(*m_Data, *m_Step, *m_DataCols, *m_DataRows);
  return 1;
}

int CAddcsvJoin::OutputColumnCount(int csv) const {
  const int cols = std::clamp(m_Def.AddCsvCols[csv], 0, GRID_COLS);
  int n = 0;
  for (int c = 0; c < cols; ++c) {
    if (m_Def.AdelSelect[csv][c] == ADDCOL_OUTPUT) ++n;
  }
  return n;
}

void CAddcsvJoin::CopyLineToBlock(int csv, std::span<const CString> line, CString* joined,
                                  int offset) const {
  const int cols = std::clamp(m_Def.AddCsvCols[csv], 0, GRID_COLS);
  int k = offset;
  for (int c = 0; c < cols; ++c) {
    if (m_Def.AdelSelect[csv][c] != ADDCOL_OUTPUT) continue;
    joined[k++] = CellOf(line, c);   // shares the text
  }
}

// Fills m_JoinedCells with the output columns of the additional CSVs, loaded row
// by loaded row from the title row on, and tells the mismatches. For example, the
// loaded CSV "code,name / A,apple / B,banana / C,cherry" joined by "code" with the
// additional CSV "code,price / A,100 / B,200 / B,250" (its key column is not
// output; B twice makes it the many side, so each match gives a row):
//   title row -> one joined row  "price"
//   A         -> one joined row  "100"
//   B         -> two joined rows "200", "250"   (m_ExtraRows 2)
//   C         -> one empty row, and "C" in the mismatch notice
// so m_JoinedFirst is {0, 1, 2, 4, 5}, m_ExtraRows {0, 0, 2, 0} and m_OutCols 1.
// A second additional CSV linked to the first fills its block from the line of
// the first that each joined row took.
int CAddcsvJoin::MergeKeyedRows() {
  const int csvCount = std::clamp(m_Def.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  m_OutCols = 0;
  // Key columns of the additional CSVs are not output.
  for (int a = 0; a < 2; ++a) {
    for (const ALIGN& l : m_Def.AlignArry[a]) {
      if ((l.listB == 1 || l.listB == 2) && l.itemB >= 0 && l.itemB < GRID_COLS) {
        m_Def.AdelSelect[l.listB - 1][l.itemB] = ADDCOL_KEY;
      }
    }
  }
  int size[JOIN_MAX_ADDCSV] = {};
  int offset[JOIN_MAX_ADDCSV] = {};
  for (int i = 0; i < csvCount; ++i) {
    size[i] = OutputColumnCount(i);
    offset[i] = i == 0 ? 0 : offset[i - 1] + size[i - 1];
  }
  m_JoinedWidth = csvCount == 0 ? 0 : offset[csvCount - 1] + size[csvCount - 1];

  const bool chained = csvCount == 2 && !m_Def.AlignArry[1].empty() && m_Def.AlignArry[1][0].listA == 1;
  const int chainIndex = chained ? FindIndex(2, 1, 2) : -1;
  const bool oneToMany = std::find(m_DriveSide, m_DriveSide + csvCount, 2) != m_DriveSide + csvCount;
  KeyList mismatches;
  KeyList chainMismatches;
  int outputRows = m_TitleRow + 1;   // rows of a one-to-many result so far
  bool full = false;                 // the one-to-many result has all the rows it may hold

  const size_t width = static_cast<size_t>(m_JoinedWidth);
  const int loadedRows = std::max(*m_DataRows - m_TitleRow, 0);
  m_JoinedCells.reserve(static_cast<size_t>(loadedRows) * width);
  m_JoinedFirst.reserve(static_cast<size_t>(loadedRows) + 1);
  int joinedRows = 0;   // rows in m_JoinedCells
  // Per joined row of the current loaded row: the line of the first additional CSV
  // it took, and the end of the last block filled.
  std::vector<int> firstLine;
  std::vector<int> filledEnd;
  std::vector<int> lines;   // lines matching the current loaded row
  auto rowCells = [&](int j) { return m_JoinedCells.data() + static_cast<size_t>(j) * width; };
  for (int r = m_TitleRow; r < *m_DataRows; ++r) {
    const bool titleRow = r == m_TitleRow;
    m_JoinedFirst.push_back(joinedRows);
    if (full) {
      m_ExtraRows.push_back(0);
      continue;
    }
    const int first = joinedRows;
    int count = 1;
    m_JoinedCells.resize(static_cast<size_t>(first + count) * width);
    firstLine.assign(1, -1);
    filledEnd.assign(1, 0);
    for (int i = 0; i < csvCount; ++i) {
      const std::vector<ALIGN>& links = m_Def.AlignArry[i];
      if (links.empty() || links[0].listA != 0) continue;
      const int index = FindIndex(i + 1, 0, i + 1);
      if (index < 0) continue;
      const std::vector<JOINKEY>& entries = m_KeyIndex[index];
      lines.clear();
      if (titleRow) {
        lines.push_back(0);
      } else {
        const CString key = LoadedRowKey(r, links, true);
        int pos = SearchIndex(index, 1, key);
        if (pos < 0) {
          mismatches.Add(LoadedRowKey(r, links, false));
          continue;
        }
        lines.push_back(entries[pos].row);
        if (m_DriveSide[i] == 2) {
          while (++pos < static_cast<int>(entries.size()) && entries[pos].key == key) {
            lines.push_back(entries[pos].row);
          }
        }
      }
      const int block = offset[i] + size[i];
      if (lines.size() == 1) {
        for (int j = 0; j < count; ++j) {
          CopyLineToBlock(i, LineOf(m_AddLines[i], lines[0]), rowCells(first + j), offset[i]);
          filledEnd[j] = block;
          if (i == 0) firstLine[j] = lines[0];
        }
        continue;
      }
      // Each joined row so far comes out once per matching line: row j becomes rows
      // j * n to j * n + n - 1, filled from the back so that no row is overwritten
      // before it was copied.
      const int n = static_cast<int>(lines.size());
      m_JoinedCells.resize(static_cast<size_t>(first + count * n) * width);
      firstLine.resize(static_cast<size_t>(count * n));
      filledEnd.resize(static_cast<size_t>(count * n));
      for (int j = count - 1; j >= 0; --j) {
        for (int l = n - 1; l >= 0; --l) {
          const int to = j * n + l;
          if (to != j) {
            std::copy_n(rowCells(first + j), width, rowCells(first + to));
            firstLine[to] = firstLine[j];
          }
          CopyLineToBlock(i, LineOf(m_AddLines[i], lines[l]), rowCells(first + to), offset[i]);
          filledEnd[to] = block;
          if (i == 0) firstLine[to] = lines[l];
        }
      }
      count *= n;
    }
    if (chained) {
      for (int j = 0; j < count; ++j) {
        if (firstLine[j] < 0 || chainIndex < 0) continue;
        int line = 0;
        if (!titleRow) {
          const CString key = LineKey(LineOf(m_AddLines[0], firstLine[j]), m_Def.AlignArry[1], 1, true);
          const int pos = SearchIndex(chainIndex, 1, key);
          if (pos < 0) {
            chainMismatches.Add(key);
            continue;
          }
          line = m_KeyIndex[chainIndex][pos].row;
        }
        CopyLineToBlock(1, LineOf(m_AddLines[1], line), rowCells(first + j), offset[1]);
        filledEnd[j] = offset[1] + size[1];
      }
    }
    for (int j = 0; j < count; ++j) m_OutCols = std::max(m_OutCols, filledEnd[j]);
    if (!titleRow) {
      outputRows += count;
      if (oneToMany && outputRows >= JOIN_MAX_OUTPUT_ROWS) {
        // As the message says: what fits is kept, the rest is not taken in.
        const int over = outputRows - (JOIN_MAX_OUTPUT_ROWS - 1);
        count -= std::min(over, count);
        m_JoinedCells.resize(static_cast<size_t>(first + count) * width);
        outputRows = JOIN_MAX_OUTPUT_ROWS - 1;
        full = true;
        ShowJoinError(CString::Build(kJoinTooManyRows, JOIN_MAX_OUTPUT_ROWS));
      }
    }
    m_ExtraRows.push_back(count > 1 ? count : 0);
    joinedRows += count;
  }
  m_JoinedFirst.push_back(joinedRows);

  CString text;
  if (!mismatches.Empty()) text += CString::Build(kJoinMismatch, mismatches.Lines());
  if (!chainMismatches.Empty()) text += CString::Build(kJoinChainMismatch, m_AddTitle[0], chainMismatches.Lines());
  int result = 1;
  if (m_OutCols == 0) {
    text += kJoinNothingToAdd;
    result = 0;
  }
  if (!text.IsEmpty()) ShowJoinNotice(text);
  return result;
}

int CAddcsvJoin::IsHeaderNameUsed(int csv, const CString& name) const {
  for (int c = 0; c < *m_DataCols; ++c) {
    if (m_Data->GetAt(m_TitleRow, c) == name) return 1;
  }
  if (csv == 1 && !m_AddLines[0].empty()) {
    for (const CString& h : m_AddLines[0][0]) {
      if (h == name) return 1;
    }
  }
  return 0;
}

int CAddcsvJoin::WriteKeyJoinResult(int mode) {
  const int csvCount = std::clamp(m_Def.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  std::vector<CString> names;
  for (int i = 0; i < csvCount; ++i) {
    const JoinLines::Line header = m_AddLines[i].empty() ? JoinLines::Line() : m_AddLines[i][0];
    const int cols = std::clamp(m_Def.AddCsvCols[i], 0, GRID_COLS);
    for (int c = 0; c < cols; ++c) {
      if (m_Def.AdelSelect[i][c] != ADDCOL_OUTPUT) continue;
      const CString& h = CellOf(header, c);
      CString name = h;
      for (int k = 1; IsHeaderNameUsed(i, name); ++k) name = CString::Build(u"%s%d", h, k);
      names.push_back(name);
    }
  }
  const int dataCols = *m_DataCols;
  const int width = dataCols + m_OutCols;
  CTextGrid& step = *m_Step;
  // joined: count cells, fewer than m_OutCols when the row is the names'.
  // The joined cells move into the step grid: each joined row is written once.
  auto writeRow = [&](int out, int source, CString* joined, int count) {
    step.ClearRow(out);
    CString* cells = step.PrepareRow(out, width, m_Arena.get());
    if (cells == nullptr) return;
    const CTextGrid::ConstRow loaded = std::as_const(*m_Data)[source];
    for (int c = 0; c < dataCols; ++c) cells[c] = loaded[c];
    for (int k = 0; k < std::min(count, m_OutCols); ++k) cells[dataCols + k] = std::move(joined[k]);
  };
  writeRow(m_TitleRow, m_TitleRow, names.data(), static_cast<int>(names.size()));
  const size_t joinedWidth = static_cast<size_t>(m_JoinedWidth);
  auto joinedRow = [&](int j) { return m_JoinedCells.data() + static_cast<size_t>(j) * joinedWidth; };
  auto joinedOf = [&](int r, int& first, int& end) {
    const size_t k = static_cast<size_t>(r - m_TitleRow);
    first = k + 1 < m_JoinedFirst.size() ? m_JoinedFirst[k] : 0;
    end = k + 1 < m_JoinedFirst.size() ? m_JoinedFirst[k + 1] : 0;
  };
  int first = 0;
  int end = 0;
  if (mode == 1) {
    for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) {
      joinedOf(r, first, end);
      writeRow(r, r, joinedRow(first), first < end ? m_JoinedWidth : 0);
    }
    return 1;
  }
  int out = m_TitleRow + 1;
  for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) {
    joinedOf(r, first, end);
    for (int j = first; j < end; ++j) {
      if (out >= JOIN_MAX_OUTPUT_ROWS - 1) {
        ShowJoinError(CString::Build(kJoinTooManyRows, JOIN_MAX_OUTPUT_ROWS));
        return 0;
      }
      writeRow(out++, r, joinedRow(j), m_JoinedWidth);
    }
  }
  for (int r = out; r < *m_DataRows; ++r) step.ClearRow(r);
  *m_DataRows = out;
  return 1;
}
