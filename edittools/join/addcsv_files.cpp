// Reading the additional CSVs (preview and whole file), the column kinds, and the
// column names kept between joins.

#include <algorithm>
#include <iterator>

#include "edittools/join/addcsv_join.h"
#include "edittools/join/join_kinds.h"
#include "edittools/join/join_messages.h"
#include "grid/column_types.h"
#include "grid/csv_file_kind.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "platform/paths.h"
#include "platform/string_arena.h"
#include "platform/ui_hooks.h"

namespace {

// An additional file is split at tabs when ".tsv" stands anywhere in its own
// name, in any case ("data.TSV", "data.tsv.csv"); the folders' names do not count.
bool IsTabSeparatedName(const CString& path) {
  CString name = FileNameOf(path);
  name.MakeLower();
  return name.Find(u".tsv") >= 0;
}

}  // namespace

void JoinLines::Add(std::vector<CString>& cells) {
  if (m_Starts.empty()) m_Starts.push_back(0);
  m_Cells.insert(m_Cells.end(), std::make_move_iterator(cells.begin()),
                 std::make_move_iterator(cells.end()));
  m_Starts.push_back(static_cast<uint32_t>(m_Cells.size()));
  cells.clear();
}

void CopyDataGridToStepGrid(const CTextGrid& data, CTextGrid& step, int rows, int cols) {
  const int n = std::clamp(rows, 0, std::min(data.Rows(), step.Rows()));
  const int w = std::clamp(cols, 0, GRID_COLS);
  // Rows past n and past the step grid's used rows are empty already.
  const int end = std::max(n, std::min(step.UsedRows(), step.Rows()));
  for (int r = 0; r < end; ++r) {
    if (r < n) {
      step.ShareRow(r, data, w);
    } else {
      step.ClearRow(r);
    }
  }
}

void CAddcsvJoin::SetGrids(CTextGrid& data, CTextGrid& step, int& dataRows, int& dataCols,
                           int titleRow) {
  m_Data = &data;
  m_Step = &step;
  m_DataRows = &dataRows;
  m_DataCols = &dataCols;
  m_TitleRow = titleRow;
}

void CAddcsvJoin::RestoreJoinSettings(const JOINDEF& def, const CString paths[JOIN_MAX_ADDCSV],
                                      const std::vector<CString> addNames[JOIN_MAX_ADDCSV]) {
  m_Def = def;
  m_Def.AddCsvCnt = std::clamp(m_Def.AddCsvCnt, 0, JOIN_MAX_ADDCSV);
  for (int i = 0; i < JOIN_MAX_ADDCSV; ++i) {
    m_Def.AddCsvCols[i] = std::clamp(m_Def.AddCsvCols[i], 0, GRID_COLS);
    m_AddPath[i] = paths[i];
    m_Def.AddCsvPath[i] = paths[i];
    m_AddTitle[i] = def.AddCsvTitle[i];
    m_AddHeader[i] = addNames[i];
    if (static_cast<int>(m_AddHeader[i].size()) > GRID_COLS) m_AddHeader[i].resize(GRID_COLS);
    m_AddCols[i] = static_cast<int>(m_AddHeader[i].size());
  }
}

void CAddcsvJoin::SaveColumnNames(std::vector<CString>& mainNames,
                                  std::vector<CString> addNames[JOIN_MAX_ADDCSV],
                                  uint8_t kinds[4][GRID_COLS]) const {
  mainNames.insert(mainNames.end(), m_MainNames.begin(), m_MainNames.end());
  for (int i = 0; i < JOIN_MAX_ADDCSV; ++i) {
    addNames[i].insert(addNames[i].end(), m_AddHeader[i].begin(), m_AddHeader[i].end());
  }
  for (int l = 0; l < 4; ++l) std::copy(m_ColumnKinds[l], m_ColumnKinds[l] + GRID_COLS, kinds[l]);
}

int CAddcsvJoin::ChooseAddCsvFile(CString& path, const CString& defaultFolder) {
  const CString start = m_LastFolder.IsEmpty() ? defaultFolder : m_LastFolder;
  const CString chosen = GetUiHooks().ChooseOpenFile(kDataFileChooserTitle, kDataFileFilter, start);
  if (chosen.IsEmpty()) return 0;
  path = chosen;
  m_LastFolder = FolderOf(chosen) + u"/";
  return 1;
}

// Reads CSV c. The preview takes the header and up to 20 further lines; the whole
// load takes up to 3000 lines, dropping lines of the first CSV that no loaded row
// can match. False when the file cannot be read as a whole (too long a line or field).
bool CAddcsvJoin::ReadCsvFile(int c, const CString& path, bool preview) {
  CCsvTextFile file;
  const bool known = !preview && m_PreviewedCodeType[c] != 0 && m_PreviewedPath[c] == path;
  if (!file.Open(path, u"r", known ? m_PreviewedCodeType[c] : CCsvTextFile::CODETYPE_DETECT)) {
    m_AddLoadState[c] = JOIN_LOAD_NOT_OPENED;
    return false;
  }
  m_AddLoadState[c] = JOIN_LOAD_OK;
  if (preview) {
    m_PreviewedPath[c] = path;
    m_PreviewedCodeType[c] = file.m_CodeType;
  }
  const bool tsv = IsTabSeparatedName(path);
  const std::vector<ALIGN>& filterLinks = m_Def.AlignArry[0];
  const int filter = (!preview && c == 0 && !filterLinks.empty()) ? FindIndex(0, 0, 1) : -1;

  std::vector<std::vector<CString>>& previewLines = m_Preview[c];
  JoinLines& loadedLines = m_AddLines[c];
  if (preview) {
    previewLines.clear();
  } else {
    loadedLines.clear();
    if (c == 0) m_FilterKeys.clear();
  }
  int stored = 0;        // lines kept
  int mostFields = 0;
  int physical = 0;      // lines read, for messages
  int dropped = 0;       // lines beyond the 3000 kept
  bool haveHeader = false;
  CString key;           // the key a filtered line was looked up by
  // The whole load's cells take about twice the file's bytes.
  if (!preview && !m_Arena) {
    const long long size = file.m_Identity.IsKnown() ? file.m_Identity.size : 0;
    m_Arena = std::make_unique<CStringArena>(static_cast<size_t>(size) * 2);
  }
  CStringArena* arena = preview ? nullptr : m_Arena.get();
  std::u16string_view line;
  std::vector<CString> fields;
  while (file.ReadLine(line, CCsvTextFile::kCsvLineChars)) {
    ++physical;
    // A stream opened with a known code type hands a UTF-8 signature over as text.
    if (physical == 1 && !line.empty() && line[0] == u'\uFEFF') line.remove_prefix(1);
    CsvSplitOverflow overflow;
    int n = SplitCsvLine(fields, line, tsv, &overflow, arena);
    if (overflow.fieldTooLong) {
      ShowJoinError(CString::Build(kJoinLineTooLong, path, physical));
      m_AddLoadState[c] = JOIN_LOAD_REFUSED;
      return false;
    }
    if (n == 0) continue;
    if (fields[n - 1].IsEmpty()) --n;   // "a,b," holds two fields
    fields.resize(n);
    if (!haveHeader) {
      haveHeader = true;
      if (preview) {
        m_AddHeader[c].assign(fields.begin(), fields.begin() + std::min(n, GRID_COLS));
        m_AddCols[c] = std::min(n, GRID_COLS);
        mostFields = n;
        continue;
      }
      // Lines mostly have the header's fields.
      loadedLines.Reserve(JOIN_MAX_LINES, static_cast<size_t>(n) * JOIN_MAX_LINES);
      if (filter >= 0) m_FilterKeys.reserve(JOIN_MAX_LINES);
    } else {
      if (preview && stored >= JOIN_PREVIEW_LINES) break;
      if (filter >= 0) {
        key = LineKey(fields, filterLinks, 1, false);
        if (SearchIndex(filter, 0, key) < 0) continue;
      }
    }
    if (!preview && stored >= JOIN_MAX_LINES) {
      ++dropped;
      continue;
    }
    mostFields = std::max(mostFields, n);
    ++stored;
    if (preview) {
      previewLines.push_back(std::move(fields));
      fields = std::vector<CString>();
    } else {
      loadedLines.Add(fields);
      if (filter >= 0) m_FilterKeys.push_back(std::move(key));
    }
  }
  if (file.GetReadState() == CCsvTextFile::ReadState::kLineTooLong) {
    ShowJoinError(CString::Build(kJoinLineTooLong, path, physical + 1));
    m_AddLoadState[c] = JOIN_LOAD_REFUSED;
    return false;
  }
  if (dropped > 0) {
    GetUiHooks().MessageBox(CString::Build(kJoinLinesDropped, path, JOIN_MAX_LINES, dropped),
                            kAppCaption, MB_OK | MB_ICONWARNING);
  }
  const int cols = std::min(mostFields, GRID_COLS);
  if (preview) {
    m_PreviewCols[c] = cols;
    m_PreviewRows[c] = stored;
  } else {
    m_AddRows[c] = stored;
    m_AddDataCols[c] = cols;
  }
  m_AddPath[c] = path;
  m_AddTitle[c] = StemOf(path);
  if (!haveHeader) m_AddLoadState[c] = JOIN_LOAD_NOT_OPENED;   // blank lines alone
  return haveHeader;
}

int CAddcsvJoin::LoadAddCsvPreview(int c, const CString& path) {
  if (m_ConfirmMode) return 1;
  if (c < 0 || c >= JOIN_MAX_ADDCSV) return 0;
  m_AddHeader[c].clear();
  m_AddCols[c] = 0;
  m_PreviewCols[c] = 0;
  m_PreviewRows[c] = 0;
  const bool read = ReadCsvFile(c, path, true);
  ClassifyColumns(c + 1);
  return read && !m_AddHeader[c].empty() ? 1 : 0;
}

int CAddcsvJoin::LoadAddCsvData(int c, const CString& path) {
  if (c < 0 || c >= JOIN_MAX_ADDCSV) return 0;
  m_AddLines[c].clear();
  m_AddRows[c] = 0;
  m_AddLoaded[c] = 0;
  m_AddDataCols[c] = 0;
  if (!ReadCsvFile(c, path, false)) {
    m_AddLines[c].clear();
    m_AddRows[c] = 0;
    return 0;
  }
  m_AddLoaded[c] = 1;
  return m_AddDataCols[c];
}

void CAddcsvJoin::LoadMainColumnNames() {
  if (m_ConfirmMode || m_TitleRow < 0 || m_Data == nullptr) return;
  for (int c = 0; c < *m_DataCols; ++c) m_MainNames.push_back(m_Data->GetAt(m_TitleRow, c));
}

void CAddcsvJoin::ClassifyColumns(int list) {
  if (m_TitleRow < 0 || list < 0 || list > 2) return;
  uint8_t* kinds = m_ColumnKinds[list];
  std::fill(kinds, kinds + GRID_COLS, JOINKIND_NONE);
  if (list == 0) {
    if (m_Data == nullptr) return;
    const int last = std::min(*m_DataRows - 1, m_TitleRow + JOIN_PREVIEW_LINES);
    const int cols = std::clamp(*m_DataCols, 0, GRID_COLS);
    for (int c = 0; c < cols; ++c) {
      const int h = ClassifyLabelHeader(m_Data->GetAt(m_TitleRow, c));
      for (int r = m_TitleRow + 1; r <= last; ++r) {
        const int g = IsKindCompatible(h, ClassifyValueText(m_Data->GetAt(r, c)));
        if (g != 0) {
          kinds[c] = static_cast<uint8_t>(g);
          break;
        }
      }
    }
    return;
  }
  const int c0 = list - 1;
  const std::vector<CString>& header = m_AddHeader[c0];
  for (int c = 0; c < m_PreviewCols[c0]; ++c) {
    const int h = ClassifyLabelHeader(c < static_cast<int>(header.size()) ? header[c] : CString());
    if (m_Preview[c0].empty()) continue;
    int kind = JOINKIND_UNDETERMINED;
    for (const std::vector<CString>& line : m_Preview[c0]) {
      if (c >= static_cast<int>(line.size()) || line[c].IsEmpty()) continue;
      kind = IsKindCompatible(h, ClassifyValueText(line[c]));
    }
    kinds[c] = static_cast<uint8_t>(kind);
  }
}
