#pragma once
// CTextGrid: a table of text cells with a fixed logical size (rows x 256) stored
// sparsely.
//
// A row exists only once a cell in it is written, and it holds only as many cells
// as the highest column written so far; an empty grid owns nothing but its size.
// Every cell outside what was written reads as the empty string. Cells are
// CStrings, so copying a cell shares its text.
//
// Rows are shared between grids copy-on-write: `ShareRowsFrom` (the backup save and
// restore) hands out the same row blocks, and the first write access to a shared row
// gives the writing grid its own copy. Reading never copies or allocates when it goes
// through a const grid or `GetAt`, so read through those where the grid is not
// changed.
//
//   set.m_DataGrid[r][c] = text;              // write: creates or widens the row
//   const CString& s = set.m_DataGrid.GetAt(r, c);   // read: never allocates
//   const CTextGrid& g = set.m_DataGrid;      // g[r][c] also only reads
//
// Indexes outside the logical size are ignored on writes (a write goes to a
// throw-away cell) and read as empty; nothing ever writes past a row.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/cstring.h"

class CStringArena;

// Logical sizes of the program's grids.
inline constexpr int GRID_COLS = 256;          // cells of every row
inline constexpr int GRID_MAX_ROWS = 30002;    // data, step and backup grids
inline constexpr int EDIT_GRID_ROWS = 3000;    // edit and upload grids

class CTextGrid {
 public:
  // One row's cells for reading; cells beyond the row read as empty.
  class ConstRow {
   public:
    const CString& operator[](int col) const noexcept {
      return (col >= 0 && col < width_) ? cells_[col] : Empty();
    }
    int Width() const noexcept { return width_; }  // cells stored in the row

   private:
    friend class CTextGrid;
    ConstRow(const CString* cells, int width) : cells_(cells), width_(width) {}
    static const CString& Empty() noexcept;
    const CString* cells_;
    int width_;
  };

  // One row for writing; indexing a cell creates, unshares or widens the row.
  class Row {
   public:
    CString& operator[](int col);

   private:
    friend class CTextGrid;
    Row(CTextGrid* grid, int row) : grid_(grid), row_(row) {}
    CTextGrid* grid_;
    int row_;
  };

  explicit CTextGrid(int rows, int cols = GRID_COLS);
  ~CTextGrid();
  CTextGrid(const CTextGrid&) = delete;
  CTextGrid& operator=(const CTextGrid&) = delete;

  int Rows() const noexcept { return rows_; }
  int Cols() const noexcept { return cols_; }

  // Reading.
  const CString& GetAt(int row, int col) const noexcept;
  ConstRow operator[](int row) const noexcept;
  // Cells stored in the row (0 for a row that does not exist).
  int RowWidth(int row) const noexcept;

  // Writing.
  Row operator[](int row) { return Row(this, row); }
  void SetAt(int row, int col, const CString& text);
  void SetAt(int row, int col, CString&& text);
  // Gives the row its own storage with room for at least `width` cells and returns
  // its first cell (null for a row outside the grid). The pointer is valid until the
  // row is next resized, cleared or shared; for loops that fill a whole row.
  // After PrepareRowTable, threads may prepare and fill different rows at once as
  // long as none of those rows is shared with another grid. A row made here takes
  // its storage from arena when one is given (the arena of the row's cells).
  CString* PrepareRow(int row, int width, CStringArena* arena = nullptr);
  // PrepareRow for a loader's threads filling runs of rows at once: the write count
  // and the used-row bound are left alone, so that the threads do not take turns at
  // them row by row; NoteRowsFilled(end) after each run moves them once.
  CString* PrepareRowUnnoted(int row, int width, CStringArena* arena);
  void NoteRowsFilled(int end) noexcept {
    Touch();
    if (end > 0) Use(end - 1);
  }
  void PrepareRowTable() { EnsureTable(); }

  // Clearing: cells become empty and the storage of the rows is released.
  void Clear() noexcept;
  void ClearRow(int row) noexcept;
  // Empties the cells at and after column `cols` in the row; keeps the row otherwise.
  void TruncateRow(int row, int cols);

  // Row `row` of this grid takes row `row` of `from`, cut to its first `cols` cells
  // (shared, not copied, when nothing needs cutting). Rows are not moved.
  void ShareRow(int row, const CTextGrid& from, int cols);
  // Row `row` takes row `row` of `from`, which becomes empty; cells from `cols` on
  // are emptied.
  void TakeRow(int row, CTextGrid& from, int cols);

  // Exchanges two rows of this grid (their storage moves, nothing is copied).
  void SwapRows(int a, int b) noexcept;

  // Rows holding storage (for measurements and tests).
  int AllocatedRows() const noexcept;
  // A bound below which every row holding storage lies: the rows from it on are
  // empty, so a walk over the rows may stop there.
  int UsedRows() const noexcept { return used_.load(std::memory_order_relaxed); }

  // A number that moves on with every write access to the grid (taking a writable
  // row or cell counts, whether or not it is then changed), so that a result read
  // from the grid can be kept while the number stays.
  uint64_t Version() const noexcept { return version_.load(std::memory_order_relaxed); }

 private:
  struct Block;
  Block* Existing(int row) const noexcept;
  Block* Writable(int row, int minWidth, bool exact, CStringArena* arena = nullptr);
  void EnsureTable();
  // Threads filling different rows may race here: a lost step still moves the
  // number away from any value read before they started.
  void Touch() noexcept { version_.store(version_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed); }
  // Row `row` holds storage now: the bound of UsedRows moves past it.
  void Use(int row) noexcept {
    int seen = used_.load(std::memory_order_relaxed);
    while (seen <= row && !used_.compare_exchange_weak(seen, row + 1, std::memory_order_relaxed)) {
    }
  }

  std::atomic<uint64_t> version_{0};
  std::atomic<int> used_{0};   // UsedRows; rows filled by several threads raise it
  int rows_;
  int cols_;
  struct FreeTable {
    void operator()(Block** table) const noexcept;
  };
  // Null until the first write; zeroed by the system, so that only the pages of
  // the rows in use are ever touched.
  std::unique_ptr<Block*[], FreeTable> table_;
  std::vector<Block*> retired_;      // blocks replaced by widening, freed by Clear
};

// Moves a data-edit step's result from `step` into `data`: cells of the first
// `columns` columns in the first `rows` rows move (the step cells become empty);
// every cell from column `columns` on is emptied in both grids; cells of the first
// columns at rows from `rows` on stay as they are in both. The counts are the
// caller's to set. Returns columns.
int MoveStepGridToDataGrid(CTextGrid& data, CTextGrid& step, int columns, int rows);
