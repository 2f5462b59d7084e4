#include "platform/string_arena.h"

#include <sys/mman.h>

#include <atomic>
#include <new>

namespace {

// Blocks are aligned to their size, so a string finds its block by its address.
// The size of a huge page: a filled block costs one page fault, not 512.
constexpr size_t kBlockSize = size_t{1} << 21;
// While an arena fills a block, the block's count holds this much more than the
// strings still alive, so releasing strings early can never free it.
constexpr int64_t kArenaHold = int64_t{1} << 40;

std::atomic<int> g_liveBlocks{0};

}  // namespace

struct CStringArena::Block {
  std::atomic<int64_t> live;

  char* Begin() noexcept { return reinterpret_cast<char*>(this) + sizeof(Block); }
  char* End() noexcept { return reinterpret_cast<char*>(this) + kBlockSize; }

  static Block* Map(bool huge) {
    // Twice the size, then the unaligned ends go back.
    void* raw = mmap(nullptr, 2 * kBlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kBlockSize - 1) & ~(kBlockSize - 1);
    if (aligned > start) munmap(raw, aligned - start);
    const uintptr_t tail = aligned + kBlockSize;
    const uintptr_t rawEnd = start + 2 * kBlockSize;
    if (rawEnd > tail) munmap(reinterpret_cast<void*>(tail), rawEnd - tail);
#ifdef MADV_HUGEPAGE
    if (huge) madvise(reinterpret_cast<void*>(aligned), kBlockSize, MADV_HUGEPAGE);  // a hint; may be ignored
#else
    (void)huge;
#endif
    Block* b = new (reinterpret_cast<void*>(aligned)) Block{};
    b->live.store(kArenaHold, std::memory_order_relaxed);
    g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
    return b;
  }

  // Drops `count` from the block's count and unmaps it when nothing is left.
  static void Drop(Block* b, int64_t count) noexcept {
    if (b->live.fetch_sub(count, std::memory_order_acq_rel) != count) return;
    b->live.~atomic();
    munmap(b, kBlockSize);
    g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  }
};

namespace cstring_detail {

void ReleaseArenaString(void* rep) noexcept {
  const auto address = reinterpret_cast<uintptr_t>(rep);
  CStringArena::Block::Drop(reinterpret_cast<CStringArena::Block*>(address & ~(kBlockSize - 1)), 1);
}

}  // namespace cstring_detail

CStringArena::~CStringArena() { Retire(); }

void CStringArena::Retire() noexcept {
  if (block_ == nullptr) return;
  // Hand over the strings made; what they released meanwhile is already counted.
  Block::Drop(block_, kArenaHold - made_);
  block_ = nullptr;
  next_ = end_ = nullptr;
  made_ = 0;
}

char* CStringArena::Take(size_t bytes, size_t align) {
  const auto Aligned = [align](char* p) {
    return reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(p) + align - 1) & ~(align - 1));
  };
  if (block_ == nullptr || static_cast<size_t>(end_ - next_) < bytes + align - 4) {
    // An arena's first block takes small pages unless much is expected, so that a
    // small file does not pay for clearing a whole huge page; the blocks after it
    // take huge ones.
    const bool huge = block_ != nullptr || hugeFirst_;
    Retire();
    block_ = Block::Map(huge);
    next_ = block_->Begin();
    end_ = block_->End();
  }
  char* place = Aligned(next_);
  next_ = place + bytes;
  ++made_;
  return place;
}

void* CStringArena::Allocate(size_t bytes) {
  if (bytes > kMaxRaw) throw std::bad_alloc();
  return Take((bytes + 3) & ~size_t{3}, 8);
}

void CStringArena::Free(void* place) noexcept { cstring_detail::ReleaseArenaString(place); }

CString CStringArena::Make(std::u16string_view text) {
  if (text.empty()) return CString();
  if (text.size() > kMaxText) return CString(text);
  const size_t bytes = (sizeof(CString::Rep) + (text.size() + 1) * sizeof(char16_t) + 3) & ~size_t{3};
  auto* rep = new (Take(bytes, 4)) CString::Rep{};
  rep->refs.store(CString::Rep::kArenaBit | 1, std::memory_order_relaxed);
  rep->length = static_cast<int>(text.size());
  // A plain loop: knowing the text short, the compiler would make a memcpy here a
  // string instruction whose start-up costs more than copying a cell's few units.
  char16_t* data = rep->Data();
  for (size_t i = 0; i < text.size(); ++i) data[i] = text[i];
  rep->Data()[text.size()] = 0;
  return CString(rep);
}

int CStringArena::LiveBlocks() noexcept { return g_liveBlocks.load(std::memory_order_relaxed); }
