// The key join: sorted key indexes on both sides, the uniqueness checks that decide
// which side drives, the merge of matching lines and the result in the data grid.

#include <algorithm>
#include <unordered_set>

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

const CString& CellOf(const std::vector<CString>& line, int col) {
  static const CString kEmpty;
  return col >= 0 && col < static_cast<int>(line.size()) ? line[col] : kEmpty;
}

bool ValidList(int list) { return list >= 0 && list <= 2; }

// Line `line` of loaded lines; a CSV of blank lines alone has not even a header.
const std::vector<CString>& LineOf(const std::vector<std::vector<CString>>& lines, int line) {
  static const std::vector<CString> kNone;
  return line >= 0 && line < static_cast<int>(lines.size()) ? lines[line] : kNone;
}

}  // namespace

void CAddcsvJoin::ResetKeyJoinState() {
  for (int i = 0; i < JOIN_MAX_INDEXES; ++i) {
    std::vector<JOINKEY>().swap(m_KeyIndex[i]);
    m_KeyIndexInfo[i] = JOINKEYINFO{};
    m_KeyDupCount[i] = 0;
  }
  m_KeyIndexCount = 0;
  std::fill(std::begin(m_Unique), std::end(m_Unique), 0);
  std::fill(std::begin(m_DriveSide), std::end(m_DriveSide), 0);
  m_JoinedCells.clear();
  m_ExtraRows.clear();
  m_JoinedWidth = 0;
  m_OutCols = 0;
  for (int c = 0; c < JOIN_MAX_ADDCSV; ++c) {
    m_AddLines[c].clear();
    m_AddRows[c] = 0;
    m_AddLoaded[c] = 0;
  }
}

CString CAddcsvJoin::LoadedRowKey(int row, const std::vector<ALIGN>& links, bool normalise) const {
  CString key;
  bool first = true;
  for (const ALIGN& l : links) {
    if (l.listA != 0) continue;
    if (!first) key += u',';
    first = false;
    const CString& cell = m_Data->GetAt(row, l.itemA);
    if (normalise && l.itemA >= 0 && l.itemA < GRID_COLS) {
      key += NormalizeJoinKey(cell, m_ColumnKinds[0][l.itemA]);
    } else {
      key += cell;
    }
  }
  return key;
}

CString CAddcsvJoin::LineKey(const std::vector<CString>& line, const std::vector<ALIGN>& links,
                             int list, bool useItemA) const {
  CString key;
  bool first = true;
  for (const ALIGN& l : links) {
    if (useItemA ? l.listA != list : l.listB != list) continue;
    const int col = useItemA ? l.itemA : l.itemB;
    if (!first) key += u',';
    first = false;
    const int kind = col >= 0 && col < GRID_COLS ? m_ColumnKinds[list][col] : 0;
    key += NormalizeJoinKey(CellOf(line, col), kind);
  }
  return key;
}

const std::vector<JOINKEY>* CAddcsvJoin::FindIndex(int list, int partner, int pairList) const {
  for (int i = 0; i < m_KeyIndexCount; ++i) {
    const JOINKEYINFO& info = m_KeyIndexInfo[i];
    if (info.list == list && info.partner == partner && info.pairList == pairList) {
      return &m_KeyIndex[i];
    }
  }
  return nullptr;
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
      for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) {
        entries.push_back(JOINKEY{r, -1, LoadedRowKey(r, links, true)});
      }
      std::sort(entries.begin(), entries.end(), CompareJoinKeys);
      // The index keeps the lowest row of each key.
      const int n = m_KeyIndexCount++;
      std::vector<JOINKEY>& index = m_KeyIndex[n];
      for (JOINKEY& e : entries) {
        if (!index.empty() && index.back().key == e.key) {
          ++m_KeyDupCount[n];
          continue;
        }
        index.push_back(std::move(e));
      }
      m_KeyIndexInfo[n] = JOINKEYINFO{0, 0, a + 1, 0};
    }
    return 1;
  }
  if (list < 1 || list > csvCount) return 0;
  const std::vector<ALIGN>& links = m_Def.AlignArry[list - 1];
  if (links.empty() || m_KeyIndexCount >= JOIN_MAX_INDEXES) return 0;
  const int partner = links[0].listA;
  const std::vector<std::vector<CString>>& lines = m_AddLines[list - 1];
  std::vector<JOINKEY> entries;
  for (int ln = 1; ln < static_cast<int>(lines.size()); ++ln) {
    entries.push_back(JOINKEY{ln, 0, LineKey(lines[ln], links, list, false)});
  }
  std::sort(entries.begin(), entries.end(), CompareJoinKeys);
  const int n = m_KeyIndexCount++;
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

void CAddcsvJoin::CopyLineToBlock(int csv, const std::vector<CString>& line,
                                  std::vector<CString>& joined, int offset) const {
  const int cols = std::clamp(m_Def.AddCsvCols[csv], 0, GRID_COLS);
  int k = offset;
  for (int c = 0; c < cols; ++c) {
    if (m_Def.AdelSelect[csv][c] != ADDCOL_OUTPUT) continue;
    joined[k++] = CellOf(line, c);   // shares the text
  }
}

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
  const std::vector<JOINKEY>* chainIndex = chained ? FindIndex(2, 1, 2) : nullptr;
  const bool oneToMany = std::find(m_DriveSide, m_DriveSide + csvCount, 2) != m_DriveSide + csvCount;
  KeyList mismatches;
  KeyList chainMismatches;
  int outputRows = m_TitleRow + 1;   // rows of a one-to-many result so far
  bool full = false;                 // the one-to-many result has all the rows it may hold

  struct Joined {
    std::vector<CString> cells;
    int firstLine = -1;   // line of the first additional CSV it took
    int filledEnd = 0;    // end of the last block filled
  };
  for (int r = m_TitleRow; r < *m_DataRows; ++r) {
    const bool titleRow = r == m_TitleRow;
    if (full) {
      m_ExtraRows.push_back(0);
      m_JoinedCells.emplace_back();
      continue;
    }
    std::vector<Joined> rows(1);
    rows[0].cells.resize(m_JoinedWidth);
    for (int i = 0; i < csvCount; ++i) {
      const std::vector<ALIGN>& links = m_Def.AlignArry[i];
      if (links.empty() || links[0].listA != 0) continue;
      const std::vector<JOINKEY>* index = FindIndex(i + 1, 0, i + 1);
      if (index == nullptr) continue;
      std::vector<int> lines;
      if (titleRow) {
        lines.push_back(0);
      } else {
        const CString key = LoadedRowKey(r, links, true);
        int pos = FindJoinKey(1, *index, key);
        if (pos < 0) {
          mismatches.Add(LoadedRowKey(r, links, false));
          continue;
        }
        lines.push_back((*index)[pos].row);
        if (m_DriveSide[i] == 2) {
          while (++pos < static_cast<int>(index->size()) && (*index)[pos].key == key) {
            lines.push_back((*index)[pos].row);
          }
        }
      }
      if (lines.size() == 1) {
        for (Joined& j : rows) {
          CopyLineToBlock(i, LineOf(m_AddLines[i], lines[0]), j.cells, offset[i]);
          j.filledEnd = offset[i] + size[i];
          if (i == 0) j.firstLine = lines[0];
        }
        continue;
      }
      // Each joined row so far comes out once per matching line.
      std::vector<Joined> next;
      next.reserve(rows.size() * lines.size());
      for (const Joined& j : rows) {
        for (int line : lines) {
          Joined copy = j;
          CopyLineToBlock(i, LineOf(m_AddLines[i], line), copy.cells, offset[i]);
          copy.filledEnd = offset[i] + size[i];
          if (i == 0) copy.firstLine = line;
          next.push_back(std::move(copy));
        }
      }
      rows = std::move(next);
    }
    if (chained) {
      for (Joined& j : rows) {
        if (j.firstLine < 0 || chainIndex == nullptr) continue;
        int line = 0;
        if (!titleRow) {
          const CString key = LineKey(LineOf(m_AddLines[0], j.firstLine), m_Def.AlignArry[1], 1, true);
          const int pos = FindJoinKey(1, *chainIndex, key);
          if (pos < 0) {
            chainMismatches.Add(key);
            continue;
          }
          line = (*chainIndex)[pos].row;
        }
        CopyLineToBlock(1, LineOf(m_AddLines[1], line), j.cells, offset[1]);
        j.filledEnd = offset[1] + size[1];
      }
    }
    for (const Joined& j : rows) m_OutCols = std::max(m_OutCols, j.filledEnd);
    if (!titleRow) {
      outputRows += static_cast<int>(rows.size());
      if (oneToMany && outputRows >= JOIN_MAX_OUTPUT_ROWS) {
        // As the message says: what fits is kept, the rest is not taken in.
        const size_t over = static_cast<size_t>(outputRows - (JOIN_MAX_OUTPUT_ROWS - 1));
        rows.resize(rows.size() - std::min(over, rows.size()));
        outputRows = JOIN_MAX_OUTPUT_ROWS - 1;
        full = true;
        ShowJoinError(CString::Build(kJoinTooManyRows, JOIN_MAX_OUTPUT_ROWS));
      }
    }
    m_ExtraRows.push_back(rows.size() > 1 ? static_cast<int>(rows.size()) : 0);
    std::vector<std::vector<CString>> cells;
    cells.reserve(rows.size());
    for (Joined& j : rows) cells.push_back(std::move(j.cells));
    m_JoinedCells.push_back(std::move(cells));
  }

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
    static const std::vector<CString> kNoHeader;
    const std::vector<CString>& header = m_AddLines[i].empty() ? kNoHeader : m_AddLines[i][0];
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
  auto writeRow = [&](int out, int source, const std::vector<CString>& joined) {
    step.ClearRow(out);
    CString* cells = step.PrepareRow(out, width);
    if (cells == nullptr) return;
    for (int c = 0; c < dataCols; ++c) cells[c] = m_Data->GetAt(source, c);
    for (int k = 0; k < m_OutCols; ++k) cells[dataCols + k] = CellOf(joined, k);
  };
  writeRow(m_TitleRow, m_TitleRow, names);
  if (mode == 1) {
    for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) writeRow(r, r, m_JoinedCells[r - m_TitleRow][0]);
    return 1;
  }
  int out = m_TitleRow + 1;
  for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) {
    for (const std::vector<CString>& joined : m_JoinedCells[r - m_TitleRow]) {
      if (out >= JOIN_MAX_OUTPUT_ROWS - 1) {
        ShowJoinError(CString::Build(kJoinTooManyRows, JOIN_MAX_OUTPUT_ROWS));
        return 0;
      }
      writeRow(out++, r, joined);
    }
  }
  for (int r = out; r < *m_DataRows; ++r) step.ClearRow(r);
  *m_DataRows = out;
  return 1;
}
