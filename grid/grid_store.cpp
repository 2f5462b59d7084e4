#include "grid/grid_store.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

#include "platform/string_arena.h"

// A row's storage: a reference count (rows are shared between grids) and `width`
// cells laid out after the header; made on the heap, or in a string arena by a
// loader that makes the row's cells there too.
struct CTextGrid::Block {
  std::atomic<int> refs;
  uint16_t width;
  bool inArena;
  CString* Cells() noexcept { return reinterpret_cast<CString*>(this + 1); }

  static Block* Make(int width, CStringArena* arena = nullptr) {
    static_assert(sizeof(Block) == 8, "the cells follow an 8-byte header");
    const size_t bytes = sizeof(Block) + sizeof(CString) * static_cast<size_t>(width);
    void* mem = arena != nullptr ? arena->Allocate(bytes) : ::operator new(bytes);
    Block* b = static_cast<Block*>(mem);
    new (&b->refs) std::atomic<int>(1);
    b->width = static_cast<uint16_t>(width);
    b->inArena = arena != nullptr;
    CString* cells = b->Cells();
    for (int i = 0; i < width; ++i) new (&cells[i]) CString();
    return b;
  }
  // A new block of `width` cells holding copies (shared texts) of the first cells of src.
  static Block* CopyOf(Block* src, int width) {
    Block* b = Make(width);
    const int n = std::min(width, static_cast<int>(src->width));
    for (int i = 0; i < n; ++i) b->Cells()[i] = src->Cells()[i];
    return b;
  }
  static void Release(Block* b) noexcept {
    if (b == nullptr) return;
    if (b->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    CString* cells = b->Cells();
    for (int i = 0; i < b->width; ++i) cells[i].~CString();
    b->refs.~atomic();
    if (b->inArena) {
      CStringArena::Free(b);
    } else {
      ::operator delete(b);
    }
  }
};

static_assert(sizeof(CString) == 8, "rows are sized for one pointer per cell");

namespace {
const CString kEmptyCell;

// Target of writes outside a grid: emptied before each use, never read back.
CString& ScratchCell() {
  thread_local CString scratch;
  scratch.Empty();
  return scratch;
}

}  // namespace

const CString& CTextGrid::ConstRow::Empty() noexcept { return kEmptyCell; }

CString& CTextGrid::Row::operator[](int col) {
  if (col < 0 || col >= grid_->cols_ || row_ < 0 || row_ >= grid_->rows_) return ScratchCell();
  return grid_->Writable(row_, col + 1, false)->Cells()[col];
}

CTextGrid::CTextGrid(int rows, int cols) : rows_(std::max(rows, 0)), cols_(std::clamp(cols, 0, GRID_COLS)) {}

CTextGrid::~CTextGrid() { Clear(); }

void CTextGrid::FreeTable::operator()(Block** table) const noexcept { std::free(table); }

void CTextGrid::EnsureTable() {
  if (!table_) {
    // All bits zero is a null pointer here; a large table comes as fresh pages.
    void* table = std::calloc(static_cast<size_t>(std::max(rows_, 1)), sizeof(Block*));
    if (table == nullptr) throw std::bad_alloc();
    table_.reset(static_cast<Block**>(table));
  }
}

CTextGrid::Block* CTextGrid::Existing(int row) const noexcept {
  if (!table_ || row < 0 || row >= UsedRows()) return nullptr;
  return table_[row];
}

// The row, owned by this grid alone, with at least minWidth cells. A row made or
// widened here gets the grid's full width unless `exact` asks for minWidth only.
CTextGrid::Block* CTextGrid::Writable(int row, int minWidth, bool exact, CStringArena* arena) {
  Touch();
  EnsureTable();
  Block*& slot = table_[row];
  Block* b = slot;
  const int width = exact ? minWidth : cols_;
  if (b == nullptr) {
    slot = Block::Make(width, arena);
    Use(row);
    return slot;
  }
  const bool shared = b->refs.load(std::memory_order_acquire) != 1;
  if (!shared && b->width >= minWidth) return b;
  Block* nb = Block::CopyOf(b, b->width >= minWidth ? b->width : std::max(width, minWidth));
  if (shared) {
    Block::Release(b);
  } else {
    // The old block stays alive until the grid is cleared, because the caller may
    // still hold one of its cells (grid[r][5] = grid[r][2] takes the right side
    // first). Widening goes to the full width, so this happens once per row.
    retired_.push_back(b);
  }
  slot = nb;
  return nb;
}

const CString& CTextGrid::GetAt(int row, int col) const noexcept {
  Block* b = Existing(row);
  if (b == nullptr || col < 0 || col >= b->width) return kEmptyCell;
  return b->Cells()[col];
}

CTextGrid::ConstRow CTextGrid::operator[](int row) const noexcept {
  Block* b = Existing(row);
  if (b == nullptr) return ConstRow(nullptr, 0);
  return ConstRow(b->Cells(), b->width);
}

int CTextGrid::RowWidth(int row) const noexcept {
  Block* b = Existing(row);
  return b == nullptr ? 0 : b->width;
}

void CTextGrid::SetAt(int row, int col, const CString& text) { (*this)[row][col] = text; }

void CTextGrid::SetAt(int row, int col, CString&& text) { (*this)[row][col] = std::move(text); }

CString* CTextGrid::PrepareRow(int row, int width, CStringArena* arena) {
  if (row < 0 || row >= rows_) return nullptr;
  width = std::clamp(width, 1, std::max(cols_, 1));
  return Writable(row, width, true, arena)->Cells();
}

CString* CTextGrid::PrepareRowUnnoted(int row, int width, CStringArena* arena) {
  if (row < 0 || row >= rows_) return nullptr;
  width = std::clamp(width, 1, std::max(cols_, 1));
  EnsureTable();
  Block*& slot = table_[row];
  if (slot != nullptr) return Writable(row, width, true, arena)->Cells();
  slot = Block::Make(width, arena);
  return slot->Cells();
}

void CTextGrid::Clear() noexcept {
  Touch();
  for (Block* b : retired_) Block::Release(b);
  retired_.clear();
  retired_.shrink_to_fit();
  if (!table_) return;
  for (int r = 0; r < UsedRows(); ++r) Block::Release(table_[r]);
  table_.reset();
  used_.store(0, std::memory_order_relaxed);
}

void CTextGrid::ClearRow(int row) noexcept {
  // A row that does not exist is left alone: its slot is not even written, so the
  // table's untouched pages stay untouched.
  if (!table_ || row < 0 || row >= UsedRows() || table_[row] == nullptr) return;
  Touch();
  Block::Release(table_[row]);
  table_[row] = nullptr;
}

void CTextGrid::TruncateRow(int row, int cols) {
  Block* b = Existing(row);
  if (b == nullptr) return;
  cols = std::max(cols, 0);
  if (cols >= b->width) return;
  Touch();
  if (cols == 0) {
    ClearRow(row);
    return;
  }
  if (b->refs.load(std::memory_order_acquire) != 1) {
    table_[row] = Block::CopyOf(b, cols);
    Block::Release(b);
    return;
  }
  for (int c = cols; c < b->width; ++c) b->Cells()[c].Empty();
}

void CTextGrid::ShareRow(int row, const CTextGrid& from, int cols) {
  if (row < 0 || row >= rows_) return;
  Touch();
  Block* src = from.Existing(row);
  cols = std::clamp(cols, 0, cols_);
  if (src == nullptr || cols == 0) {
    ClearRow(row);
    return;
  }
  EnsureTable();
  Block* old = table_[row];
  if (src->width <= cols) {
    if (old == src) return;
    src->refs.fetch_add(1, std::memory_order_relaxed);
    table_[row] = src;
  } else {
    table_[row] = Block::CopyOf(src, cols);
  }
  Use(row);
  Block::Release(old);
}

void CTextGrid::TakeRow(int row, CTextGrid& from, int cols) {
  if (row < 0 || row >= rows_ || &from == this) return;
  Touch();
  from.Touch();
  Block* src = from.Existing(row);
  cols = std::clamp(cols, 0, cols_);
  if (src == nullptr || cols == 0) {
    ClearRow(row);
    from.ClearRow(row);
    return;
  }
  EnsureTable();
  Block::Release(table_[row]);
  table_[row] = src;
  Use(row);
  from.table_[row] = nullptr;
  TruncateRow(row, cols);
}

void CTextGrid::SwapRows(int a, int b) noexcept {
  if (!table_ || a < 0 || b < 0 || a >= rows_ || b >= rows_) return;
  Touch();
  std::swap(table_[a], table_[b]);
  if (table_[a] != nullptr) Use(a);
  if (table_[b] != nullptr) Use(b);
}

int CTextGrid::AllocatedRows() const noexcept {
  if (!table_) return 0;
  int n = 0;
  for (int r = 0; r < UsedRows(); ++r) n += table_[r] != nullptr;
  return n;
}

int MoveStepGridToDataGrid(CTextGrid& data, CTextGrid& step, int columns, int rows) {
  const int cols = std::clamp(columns, 0, data.Cols());
  const int moved = std::clamp(rows, 0, data.Rows());
  // Rows past both grids' used rows are empty in both: nothing to move or empty.
  const int end = std::max({moved, std::min(data.UsedRows(), data.Rows()), std::min(step.UsedRows(), data.Rows())});
  for (int r = 0; r < end; ++r) {
    if (r < moved) {
      data.TakeRow(r, step, cols);
    } else {
      data.TruncateRow(r, cols);
      step.TruncateRow(r, cols);
    }
  }
  return columns;
}
