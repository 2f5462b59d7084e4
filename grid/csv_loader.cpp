// Loading one CSV or TSV input into the data grid.
//
// The calling thread reads the lines through the text-file stream while worker
// threads convert, split and store them, each its own rows (the reader too, while
// the workers have enough waiting); everything is joined before LoadCsvFile
// returns, so the result is that of reading the lines in order.

#include "grid/csv_loader.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "grid/column_kind_run.h"
#include "grid/csv_file_kind.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "grid/row_stats.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/string_arena.h"
#include "platform/ui_hooks.h"

namespace {

// Bytes a CSV line may take in the stream (its 100000-byte line buffer, terminated).
constexpr int kLineBuffer = CCsvTextFile::kBlockSize;
constexpr int kMaxLineBytes = kLineBuffer - 1;

void ShowMessage(const CString& text) {
  GetUiHooks().MessageBox(text, kAppCaption, MB_OK | MB_ICONWARNING);
}

// Why a file was refused part-way.
enum class Refusal { kNone, kTooManyColumns, kFieldTooLong, kLineTooLong, kReadError, kNoMemory };

CString RefusalMessage(Refusal why, const CString& path, int line) {
  switch (why) {
    case Refusal::kTooManyColumns:
      return CString::Build(u"[%s] %d行目\nCSVデータの列数は%d以内にして下さい。", path, line,
                            GRID_COLS);
    case Refusal::kFieldTooLong:
      return CString::Build(u"[%s] %d行目\nCSVデータの項目は%d文字以内にして下さい。", path,
                            line, kCsvMaxFieldChars);
    case Refusal::kLineTooLong:
      return CString::Build(u"[%s] %d行目\nCSVデータの1行は%dバイト以内にして下さい。", path,
                            line, kMaxLineBytes);
    case Refusal::kReadError:
    case Refusal::kNoMemory:
      return CString::Build(u"[%s] %d行目\nCSVファイルを読み込めませんでした。", path, line);
    case Refusal::kNone:
      break;
  }
  return CString();
}

// Consecutive lines as the stream gave them, still in the file's code.
struct LineBatch {
  int firstRow = 0;
  std::string bytes;
  std::vector<size_t> ends;  // end of each line in bytes
};
constexpr size_t kBatchLines = 512;
constexpr size_t kBatchBytes = 256 * 1024;
// Batches waiting for a worker: a few for each, so that none waits while the
// reader fills the next one, and few enough that the batches in flight are the
// same memory over and over instead of a copy of the whole file.
constexpr size_t kQueuedPerWorker = 3;

// Batches handed from the reader to the workers, and the spent ones handed back
// to be filled again. Bounded: when it is full the reader stores the batch itself
// rather than wait. Once abandoned (a worker ran out of memory and the file is
// refused anyway) it takes nothing more.
class BatchQueue {
 public:
  explicit BatchQueue(size_t bound) : bound_(bound) { spent_.reserve(bound); }
  // Queues the batch unless the queue is full; false leaves it with the caller.
  bool TryPush(LineBatch& batch) {
    std::lock_guard<std::mutex> lock(mu_);
    if (abandoned_) return true;
    if (batches_.size() >= bound_) return false;
    batches_.push_back(std::move(batch));
    ready_.notify_one();
    return true;
  }
  bool Pop(LineBatch& batch) {
    std::unique_lock<std::mutex> lock(mu_);
    ready_.wait(lock, [&] { return closed_ || !batches_.empty(); });
    if (batches_.empty()) return false;
    batch = std::move(batches_.front());
    batches_.pop_front();
    return true;
  }
  // A stored batch, emptied, for the reader to fill again (its memory kept).
  void GiveBack(LineBatch&& batch) {
    batch.bytes.clear();
    batch.ends.clear();
    std::lock_guard<std::mutex> lock(mu_);
    if (spent_.size() < bound_) spent_.push_back(std::move(batch));  // never grows: reserved
  }
  // An empty batch: a spent one when there is one.
  LineBatch Fresh() {
    std::lock_guard<std::mutex> lock(mu_);
    if (spent_.empty()) return LineBatch{};
    LineBatch batch = std::move(spent_.back());
    spent_.pop_back();
    return batch;
  }
  void Close() {
    std::lock_guard<std::mutex> lock(mu_);
    closed_ = true;
    ready_.notify_all();
  }
  void Abandon() {
    std::lock_guard<std::mutex> lock(mu_);
    abandoned_ = true;
    batches_.clear();
  }

 private:
  const size_t bound_;
  std::mutex mu_;
  std::condition_variable ready_;
  std::deque<LineBatch> batches_;
  std::vector<LineBatch> spent_;
  bool closed_ = false;
  bool abandoned_ = false;
};

// The worker threads of one read. However the read ends (an exception included),
// the queue is closed and every thread is joined before the grid is looked at.
class WorkerPool {
 public:
  explicit WorkerPool(BatchQueue& queue) : queue_(queue) {}
  ~WorkerPool() { Join(); }
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Starts up to count threads running work; fewer when the system refuses more.
  template <typename Work>
  void Start(int count, Work work) {
    try {
      for (int i = 0; i < count; ++i) threads_.emplace_back(work);
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
  }
  bool Empty() const { return threads_.empty(); }
  void Join() {
    queue_.Close();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
  }

 private:
  BatchQueue& queue_;
  std::vector<std::thread> threads_;
};

// The earliest refused row found by any thread.
class FirstRefusal {
 public:
  void Note(int row, Refusal why) {
    std::lock_guard<std::mutex> lock(mu_);
    if (row < row_.load(std::memory_order_relaxed)) {
      why_ = why;
      row_.store(row, std::memory_order_release);
    }
  }
  int Row() const { return row_.load(std::memory_order_acquire); }
  Refusal Why() const {
    std::lock_guard<std::mutex> lock(mu_);
    return why_;
  }

 private:
  mutable std::mutex mu_;
  std::atomic<int> row_{INT_MAX};
  Refusal why_ = Refusal::kNone;
};

// Makes the cells of one thread: in an arena, and a text met a moment ago shares
// the cell made for it (files repeat their codes, names, dates and quantities),
// and the kind the row counts give it (IsNumberOrDateText), judged once.
// It remembers a text by the grid cell that holds it, with the text's hash and kind
// beside it, so that a text not met before is told by the hash alone instead of by
// reading a cell made long ago (a cache miss for every new text), and a cell it
// forgets costs nothing. So the cells it fills must stay where they are while it is
// in use: the rows of a load are made once and not moved until its threads are done.
class CellMaker {
 public:
  explicit CellMaker(size_t expectedBytes) : m_Arena(expectedBytes) {}
  // The arena of the cells, for the rows that hold them.
  CStringArena& Arena() { return m_Arena; }
  // Sets the empty cell to text, kind to the text's kind and cls to what it gives
  // its column's kind (CellKindClass).
  void Fill(std::u16string_view text, CString& cell, int& kind, int& cls) {
    if (text.empty()) {
      kind = -1;
      cls = 0;
      return;
    }
    if (text.size() > kMaxShared) {
      cell = m_Arena.Make(text);
      kind = IsNumberOrDateText(cell);
      cls = CellKindClass(cell);
      return;
    }
    uint32_t h = 2166136261u;  // FNV-1a over the code units
    for (const char16_t c : text) h = (h ^ c) * 16777619u;
    const size_t i = h & kSlotMask;
    uint32_t& head = m_Heads[i];
    if (head != 0 && ((head ^ h) & ~kSlotMask) == 0 && m_Cells[i]->View() == text) {
      cell = *m_Cells[i];
      kind = static_cast<int>(head & 3) - 1;
      cls = static_cast<int>(head >> 2) & (kCellKindClasses - 1);
      return;
    }
    cell = m_Arena.Make(text);
    kind = IsNumberOrDateText(cell);
    cls = CellKindClass(cell);
    m_Cells[i] = &cell;
    // Never 0: the text is not empty, so its kind is 0 or 1.
    head = (h & ~kSlotMask) | static_cast<uint32_t>(kind + 1) | static_cast<uint32_t>(cls << 2);
  }

 private:
  static constexpr size_t kMaxShared = 32;
  static constexpr size_t kSlots = 4096;
  static constexpr uint32_t kSlotMask = kSlots - 1;
  CStringArena m_Arena;
  // Per slot, the text's hash without the bits that chose the slot, and in their
  // place its kind plus one and its class above (0: nothing seen); apart from the
  // cells, so that a miss reads a small table only.
  std::vector<uint32_t> m_Heads = std::vector<uint32_t>(kSlots);
  std::vector<const CString*> m_Cells = std::vector<const CString*>(kSlots);
};

// The column kinds of the stored batches, from every storing thread.
class KindRuns {
 public:
  void Add(ColumnKindRun&& run) {
    std::lock_guard<std::mutex> lock(mu_);
    runs_.push_back(std::move(run));
  }
  // All of them in row order; once the threads are joined.
  std::vector<ColumnKindRun> Take() {
    std::sort(runs_.begin(), runs_.end(),
              [](const ColumnKindRun& a, const ColumnKindRun& b) { return a.first < b.first; });
    return std::move(runs_);
  }

 private:
  std::mutex mu_;
  std::vector<ColumnKindRun> runs_;
};

// What one thread reuses from line to line: the line's text, its fields and the
// maker of its cells.
struct RowScratch {
  explicit RowScratch(size_t expectedBytes) : cells(expectedBytes) {}
  std::u16string text;
  CsvRowFields fields;
  CellMaker cells;
};

// Converts, splits and stores the lines of one batch into their rows. Returns how
// many byte sequences did not decode in the file's code.
size_t StoreBatch(CGridSet& set, const LineBatch& batch, int codePage, bool tsv, RowScratch& scratch,
                  FirstRefusal& refusal, KindRuns& kindRuns) {
  CTextGrid& grid = set.m_DataGrid;
  CsvRowFields& fields = scratch.fields;
  size_t start = 0;
  size_t decodeErrors = 0;
  // The grid counts the batch's rows once, however the batch ends.
  struct NoteRows {
    CTextGrid& grid;
    int end = 0;
    ~NoteRows() { grid.NoteRowsFilled(end); }
  } noted{grid};
  ColumnKindRun run(batch.firstRow);
  for (size_t i = 0; i < batch.ends.size(); ++i) {
    const int row = batch.firstRow + static_cast<int>(i);
    const std::string_view bytes(batch.bytes.data() + start, batch.ends[i] - start);
    start = batch.ends[i];
    // The file is refused before this row anyway.
    if (refusal.Row() < row) return decodeErrors;

    decodeErrors += DecodeInto(bytes, codePage, scratch.text).value_or(0);
    SplitCsvRow(scratch.text, tsv, fields);
    if (fields.tooManyColumns) {
      refusal.Note(row, Refusal::kTooManyColumns);
      return decodeErrors;
    }
    if (fields.fieldTooLong) {
      refusal.Note(row, Refusal::kFieldTooLong);
      return decodeErrors;
    }
    int n = static_cast<int>(fields.cells.size());
    // A separator that ends the line adds no cell.
    if (n > 0 && n == fields.fieldCount && fields.cells[n - 1].empty()) --n;
    RowStats stats;
    if (n > 0) {
      // A new row: its cells are empty.
      CString* cells = grid.PrepareRowUnnoted(row, n, &scratch.cells.Arena());
      noted.end = row + 1;
      run.Reserve(n);
      for (int c = 0; c < n; ++c) {
        int kind = -1;
        int cls = 0;
        scratch.cells.Fill(fields.cells[c], cells[c], kind, cls);
        stats.Count(c, kind);
        run.Add(c, cls);
      }
    }
    set.m_RowFilledCount[row] = stats.filled;
    set.m_RowTextCount[row] = stats.textCount;
    set.m_RowLastTextCol[row] = stats.lastTextCol;
    set.m_RowFieldCount[row] = static_cast<int16_t>(n);   // the row's own count for now
  }
  run.end = batch.firstRow + static_cast<int>(batch.ends.size());
  kindRuns.Add(std::move(run));
  return decodeErrors;
}

// Threads that convert and store beside the reading one. A small file is done on
// the reading thread alone; a large one shares the work with a few helpers, never
// more than the machine has cores beside the reader: the load must not buy its
// speed with many times the work.
constexpr uintmax_t kBytesForHelpers = uintmax_t{1} << 20;
constexpr unsigned kMaxHelpers = 3;

int WorkerCount(uintmax_t fileBytes) {
  if (fileBytes < kBytesForHelpers) return 0;
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  return static_cast<int>(std::min(cores - 1, kMaxHelpers));
}

// What reading a file's lines into the data grid came to.
struct ReadOutcome {
  int rows = 0;              // lines read and stored
  bool tooManyRows = false;  // a line came after the last row that fits
  bool decodeErrors = false; // some bytes did not decode in the file's code
};

// Reads the lines of a file with a settled code type in order on this thread while
// worker threads convert, split and store them, each batch in its own rows; the
// workers are joined before it returns. Reading stops at the first refusal found.
// expectedBytes is what the file's cells and rows will take, about.
ReadOutcome ReadRows(CGridSet& set, CCsvTextFile& file, bool tsv, int helpers, size_t expectedBytes,
                     FirstRefusal& refusal, KindRuns& kindRuns) {
  ReadOutcome out;
  const int codeType = file.m_CodeType;
  const int codePage = codeType == CCsvTextFile::CODETYPE_UTF8 ? CP_UTF8 : CP_SJIS;
  BatchQueue queue(kQueuedPerWorker * static_cast<size_t>(std::max(helpers, 1)));
  WorkerPool workers(queue);
  // Each storing thread makes its share of the cells and rows in its own arena.
  const size_t share = expectedBytes / static_cast<size_t>(helpers + 1);
  std::atomic<bool> decodeErrors{false};
  auto store = [&](const LineBatch& b, RowScratch& scratch) {
    if (StoreBatch(set, b, codePage, tsv, scratch, refusal, kindRuns) > 0) {
      decodeErrors.store(true, std::memory_order_relaxed);
    }
  };
  workers.Start(helpers, [&] {
    LineBatch batch;
    try {
      RowScratch scratch(share);
      while (queue.Pop(batch)) {
        store(batch, scratch);
        queue.GiveBack(std::move(batch));
      }
    } catch (const std::bad_alloc&) {
      refusal.Note(batch.firstRow, Refusal::kNoMemory);
      queue.Abandon();
    }
  });
  // Without a worker, or while the workers have enough queued, batches are stored
  // here.
  std::unique_ptr<RowScratch> own;
  size_t lastBytes = 0;  // of the batch handed last: the next one is sized to it
  auto hand = [&](LineBatch& b) {
    lastBytes = b.bytes.size();
    if (!workers.Empty() && queue.TryPush(b)) return;
    if (!own) own = std::make_unique<RowScratch>(share);
    store(b, *own);
  };
  auto next = [&](int firstRow) {
    LineBatch b = queue.Fresh();
    b.firstRow = firstRow;
    b.bytes.reserve(std::min(lastBytes + lastBytes / 8, kBatchBytes + kLineBuffer));
    return b;
  };
  LineBatch batch;
  try {
    for (;;) {
      // Each line goes straight onto the end of the batch.
      const bool ok = file.AppendLineBytes(batch.bytes, kLineBuffer);
      if (!ok) {
        // A line that arrives after the last row that fits makes the file too long,
        // whether or not it would fit itself; a read error never passes as the end.
        const CCsvTextFile::ReadState state = file.GetReadState();
        if (state == CCsvTextFile::ReadState::kReadError) {
          refusal.Note(out.rows, Refusal::kReadError);
        } else if (state == CCsvTextFile::ReadState::kLineTooLong) {
          if (out.rows == GRID_MAX_ROWS) {
            out.tooManyRows = true;
          } else {
            refusal.Note(out.rows, Refusal::kLineTooLong);
          }
        }
        break;
      }
      if (out.rows == GRID_MAX_ROWS) {
        out.tooManyRows = true;
        batch.bytes.resize(batch.ends.empty() ? 0 : batch.ends.back());
        break;
      }
      if (refusal.Row() < out.rows) break;  // refused before here: the rest does not matter
      batch.ends.push_back(batch.bytes.size());
      ++out.rows;
      if (batch.ends.size() >= kBatchLines || batch.bytes.size() >= kBatchBytes) {
        hand(batch);
        batch = next(out.rows);
      }
    }
    if (!batch.ends.empty()) hand(batch);
  } catch (const std::bad_alloc&) {
    refusal.Note(out.rows, Refusal::kNoMemory);
    queue.Abandon();
  }
  workers.Join();
  out.decodeErrors = decodeErrors.load(std::memory_order_relaxed) || file.HadUnreadableEuc();
  return out;
}

int ReadCsvIntoSet(CGridSet& set, const CString& path, bool refuseLinks) {
  set.m_DecodeErrors = false;
  set.m_LoadedKinds = CGridSet::LoadedKinds{};
  set.m_RowFieldCount.fill(0);
  set.m_TotalRows = 0;
  set.m_DataCols = 0;
  set.m_EditCols = 0;
  set.m_EditRows = 0;

  const bool tsv = CsvFileKindOf(path) == CsvFileKind::kTsv;

  set.m_SourceIdentity = FileIdentity{};
  CCsvTextFile file;
  file.m_RefuseLinks = refuseLinks;
  if (!file.Open(path, u"r", CCsvTextFile::CODETYPE_DETECT)) {
    ShowMessage(CString::Build(u"[%s] 該当のファイルはありません", path));
    SaveGridBackup(set);
    return 0;
  }
  set.m_SourceCodeType = file.m_CodeType;
  set.m_SourceIdentity = file.m_Identity;

  // The grid and tables start empty, so that early narrow rows read as empty up to
  // the final width.
  CTextGrid& grid = set.m_DataGrid;
  grid.Clear();
  set.m_RowFilledCount.fill(0);
  set.m_RowTextCount.fill(0);
  set.m_RowLastTextCol.fill(0);

  int result = 1;
  ReadOutcome read;
  FirstRefusal refusal;
  KindRuns kindRuns;
  const int codeType = file.m_CodeType;
  if (codeType != CCsvTextFile::CODETYPE_SJIS && codeType != CCsvTextFile::CODETYPE_EUCJP &&
      codeType != CCsvTextFile::CODETYPE_UTF8) {
    CString line;
    file.ReadLine(line);  // says that the stream has no code type
    result = 0;
  } else {
    try {
      grid.PrepareRowTable();
      // The storing threads write the rows' tables.
      set.m_RowFilledCount.PrepareStorage();
      set.m_RowTextCount.PrepareStorage();
      set.m_RowLastTextCol.PrepareStorage();
      set.m_RowFieldCount.PrepareStorage();
      std::error_code error;
      const uintmax_t size = std::filesystem::file_size(ToFsPath(path), error);
      const uintmax_t bytes = error ? 0 : size;
      // The cells and rows made of a line take about twice its bytes.
      const size_t expected = static_cast<size_t>(std::min<uintmax_t>(bytes, SIZE_MAX / 4)) * 2;
      read = ReadRows(set, file, tsv, WorkerCount(bytes), expected, refusal, kindRuns);
    } catch (const std::bad_alloc&) {
      refusal.Note(read.rows, Refusal::kNoMemory);
    }
  }
  file.Close();
  int rows = read.rows;

  int width = 0;
  if (refusal.Row() != INT_MAX) {
    // Nothing of a refused file stays loaded.
    ShowMessage(RefusalMessage(refusal.Why(), path, refusal.Row() + 1));
    grid.Clear();
    set.m_RowFilledCount.fill(0);
    set.m_RowTextCount.fill(0);
    set.m_RowLastTextCol.fill(0);
    set.m_RowFieldCount.fill(0);
    rows = 0;
    result = 0;
  } else {
    if (read.tooManyRows) {
      ShowMessage(CString::Build(u"[%s] 該当のファイルは行数が多過ぎて読み込みはできません（%d）",
                                 path, GRID_MAX_ROWS));
      result = 0;
    }
    // Each row counts as wide as the widest row up to it.
    if (rows > 0) {
      int16_t* counts = set.m_RowFieldCount.data();
      for (int r = 0; r < rows; ++r) {
        width = std::max(width, static_cast<int>(counts[r]));
        counts[r] = static_cast<int16_t>(width);
      }
    }
  }

  set.m_DecodeErrors = result == 1 && read.decodeErrors;
  set.m_DataCols = width;
  set.m_DataRows = rows;
  set.m_TotalRows = rows > EDIT_GRID_ROWS ? rows : 0;
  SaveGridBackup(set);
  if (rows > 0) {
    set.m_LoadedKinds.runs = kindRuns.Take();
    set.m_LoadedKinds.dataVersion = grid.Version();
    set.m_LoadedKinds.valid = true;
  }
  return result;
}

}  // namespace

int LoadCsvFile(CGridSet& set, const CString& path, bool refuseLinks) {
  try {
    return ReadCsvIntoSet(set, path, refuseLinks);
  } catch (const std::bad_alloc&) {
    // Memory ran out around the read itself (opening, the closing message).
    set.m_DataGrid.Clear();
    set.m_RowFilledCount.fill(0);
    set.m_RowTextCount.fill(0);
    set.m_RowLastTextCol.fill(0);
    set.m_RowFieldCount.fill(0);
    set.m_DataRows = set.m_DataCols = set.m_TotalRows = 0;
    SaveGridBackup(set);
    try {
      ShowMessage(RefusalMessage(Refusal::kNoMemory, path, 1));
    } catch (const std::bad_alloc&) {
    }
    return 0;
  }
}
