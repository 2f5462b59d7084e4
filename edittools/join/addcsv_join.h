#pragma once
// CAddcsvJoin: the join editor's engine. It holds the editor's copy of
// the join definition, the additional CSVs' headers, previews and loaded lines, the
// column kinds and the key join's working state, and runs the key join and the
// serial join. It works on the grids handed to SetGrids, never on the application
// object, and reports through the UiHooks message box. The join editor dialog builds
// on it; the join step uses it alone for a replay.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "edittools/join/join_key_index.h"
#include "edittools/join/join_records.h"
#include "grid/grid_store.h"
#include "platform/cstring.h"
#include "platform/string_arena.h"

inline constexpr int JOIN_MAX_LINES = 3000;      // lines of an additional CSV, header included
inline constexpr int JOIN_MAX_OUTPUT_ROWS = 3000;  // rows of a one-to-many result
inline constexpr int JOIN_PREVIEW_LINES = 20;
inline constexpr int JOIN_MAX_INDEXES = 5;

// Copies the data rows 0 to rows-1, columns 0 to cols-1, into the same cells of
// `step`, empties the other columns of those rows and every row of `step` below them.
void CopyDataGridToStepGrid(const CTextGrid& data, CTextGrid& step, int rows, int cols);

enum : int {
  JOIN_LOAD_OK = 0,
  JOIN_LOAD_NOT_OPENED = 1,   // missing, empty or unreadable; no message yet
  JOIN_LOAD_REFUSED = 2,      // a line too long; the message was shown
};

// The loaded lines of an additional CSV, line 0 its header: the cells of all lines
// one after another in one array, so that 3000 lines are not 3000 allocations. A
// line reads as a span of its own cells, valid until the next line is added.
class JoinLines {
 public:
  using Line = std::span<const CString>;
  size_t size() const noexcept { return m_Starts.empty() ? 0 : m_Starts.size() - 1; }
  bool empty() const noexcept { return size() == 0; }
  Line operator[](size_t line) const noexcept {
    return Line(m_Cells.data() + m_Starts[line], m_Starts[line + 1] - m_Starts[line]);
  }
  void clear() noexcept {
    m_Cells.clear();
    m_Starts.clear();
  }
  // Appends a line of the given cells, moved out of `cells`.
  void Add(std::vector<CString>& cells);
  // Room for `lines` lines of `cells` cells in all, so that the array is not moved
  // while it grows (room never used costs no memory pages).
  void Reserve(size_t lines, size_t cells) {
    m_Starts.reserve(lines + 1);
    m_Cells.reserve(cells);
  }

 private:
  std::vector<CString> m_Cells;
  std::vector<uint32_t> m_Starts;   // where each line begins, then the end of the last
};

// What a key index indexes (m_KeyIndexInfo).
struct JOINKEYINFO {
  int list = 0;      // whose rows: 0 loaded CSV, 1 or 2 additional CSV
  int partner = 0;   // the other list of its links (0 for the loaded CSV's indexes)
  int pairList = 0;  // listB of its links
  int pass = 0;
};

class CAddcsvJoin {
 public:
  CAddcsvJoin() = default;
  virtual ~CAddcsvJoin() = default;

  // The data the join reads and replaces. The grids and counts must outlive the
  // object's use; the counts are updated by a successful join.
  void SetGrids(CTextGrid& data, CTextGrid& step, int& dataRows, int& dataCols, int titleRow);

  // ---- Definition ----------------------------------------------------------------
  // Loads a stored definition: everything of `def`, the paths as resolved by the
  // caller (watch-folder inputs look in the watch folder's "Sub" folder), and header
  // names of each CSV from `addNames` (the names a previous join kept).
  void RestoreJoinSettings(const JOINDEF& def, const CString paths[JOIN_MAX_ADDCSV],
                           const std::vector<CString> addNames[JOIN_MAX_ADDCSV]);
  // Appends the loaded CSV's and the additional CSVs' column names and the column
  // kinds of lists 0 to 3 to the given lists.
  void SaveColumnNames(std::vector<CString>& mainNames,
                       std::vector<CString> addNames[JOIN_MAX_ADDCSV],
                       uint8_t kinds[4][GRID_COLS]) const;

  // ---- Additional CSVs and column kinds --------------------------------------------
  // Asks for an additional CSV; 1 with its path, 0 when cancelled. defaultFolder is
  // used until a file was chosen in this editor.
  int ChooseAddCsvFile(CString& path, const CString& defaultFolder);
  // Header and up to 20 further lines of CSV c; 1 read, 0 not readable.
  int LoadAddCsvPreview(int c, const CString& path);
  // All lines of CSV c (at most 3000, header included); its column count, 0 to 256,
  // 0 when the file cannot be read (then with a message when it was too long).
  int LoadAddCsvData(int c, const CString& path);
  // The loaded CSV's field names into m_MainNames.
  void LoadMainColumnNames();
  // Kinds of the columns of list 0 (loaded CSV), 1 or 2 (additional CSVs).
  void ClassifyColumns(int list);

  // ---- Key join ----------------------------------------------------------------------
  // 1 joined (data grid replaced), 0 refused or failed (data grid unchanged).
  int JoinByKeys();
  int BuildKeyIndex(int list);
  int MergeKeyedRows();
  int IsHeaderNameUsed(int csv, const CString& name) const;

  // ---- Serial join -------------------------------------------------------------------
  // 1 appended (data grid replaced), 0 refused (data grid unchanged).
  int AppendSerial();
  void NormalizeSerialPositions();

  // ---- Editor state ------------------------------------------------------------------
  JOINDEF m_Def;                     // the editor's definition
  int m_ConfirmMode = 0;             // read-only viewing: nothing is read
  CString m_AddPath[JOIN_MAX_ADDCSV];
  CString m_AddTitle[JOIN_MAX_ADDCSV];
  std::vector<CString> m_AddHeader[JOIN_MAX_ADDCSV];
  int m_AddCols[JOIN_MAX_ADDCSV] = {};
  std::vector<std::vector<CString>> m_Preview[JOIN_MAX_ADDCSV];
  int m_PreviewCols[JOIN_MAX_ADDCSV] = {};
  int m_PreviewRows[JOIN_MAX_ADDCSV] = {};
  JoinLines m_AddLines[JOIN_MAX_ADDCSV];   // line 0 the header
  int m_AddRows[JOIN_MAX_ADDCSV] = {};
  int m_AddLoaded[JOIN_MAX_ADDCSV] = {};
  int m_AddDataCols[JOIN_MAX_ADDCSV] = {};   // most fields of a loaded line, at most 256
  // Why the last whole load of a CSV gave nothing: JOIN_LOAD_*.
  int m_AddLoadState[JOIN_MAX_ADDCSV] = {};
  std::vector<CString> m_MainNames;
  uint8_t m_ColumnKinds[4][GRID_COLS] = {};
  CString m_LastFolder;
  uint8_t m_MinusFlags[GRID_COLS] = {};   // serial output positions that get "-"

  // ---- Key join working state ----------------------------------------------------------
  std::vector<JOINKEY> m_KeyIndex[JOIN_MAX_INDEXES];
  std::vector<JoinKeyHead> m_KeyHeads[JOIN_MAX_INDEXES];   // one per entry of each index
  JOINKEYINFO m_KeyIndexInfo[JOIN_MAX_INDEXES];
  int m_KeyDupCount[JOIN_MAX_INDEXES] = {};
  int m_KeyIndexCount = 0;
  int m_Unique[4] = {};
  int m_DriveSide[JOIN_MAX_ADDCSV] = {};
  // Per loaded row from the field-name row on, its joined rows: one, or one per
  // matching line in the one-to-many case. The rows follow one another, each of
  // m_JoinedWidth cells; those of loaded row m_TitleRow + k are the rows from
  // m_JoinedFirst[k] up to m_JoinedFirst[k + 1].
  std::vector<CString> m_JoinedCells;
  std::vector<int> m_JoinedFirst;
  int m_JoinedWidth = 0;
  std::vector<int> m_ExtraRows;   // per loaded row: output rows of the one-to-many case
  int m_OutCols = 0;

 protected:
  // The grids set by SetGrids.
  CTextGrid* m_Data = nullptr;
  CTextGrid* m_Step = nullptr;
  int* m_DataRows = nullptr;
  int* m_DataCols = nullptr;
  int m_TitleRow = -1;

 private:
  // Code type the preview detected for a path, so that the whole load of the same
  // file does not detect it again.
  CString m_PreviewedPath[JOIN_MAX_ADDCSV];
  int m_PreviewedCodeType[JOIN_MAX_ADDCSV] = {};
  // The keys the whole load of the first CSV looked up to keep its lines, one per
  // loaded line (the header's empty): the same keys its index is built from. Empty
  // when that load kept every line unlooked.
  std::vector<CString> m_FilterKeys;
  // The cells of the whole loads and the rows of the result: many short texts and
  // small rows, made together in blocks of their own (from the first whole load on).
  std::unique_ptr<CStringArena> m_Arena;

  void ResetKeyJoinState();
  bool ReadCsvFile(int c, const CString& path, bool preview);
  // Key of loaded row r (list 0) or of a line (lists 1 and 2) from the given links.
  CString LoadedRowKey(int row, const std::vector<ALIGN>& links, bool normalise) const;
  CString LineKey(std::span<const CString> line, const std::vector<ALIGN>& links,
                  int list, bool useItemA) const;
  // Number of the index built for these lists, -1 when there is none.
  int FindIndex(int list, int partner, int pairList) const;
  // FindJoinKey in index n.
  int SearchIndex(int n, int toFirst, const CString& key) const;
  int OutputColumnCount(int csv) const;
  // The output columns of a line into a joined row's cells from offset on.
  void CopyLineToBlock(int csv, std::span<const CString> line, CString* joined, int offset) const;
  int WriteKeyJoinResult(int mode);
};
