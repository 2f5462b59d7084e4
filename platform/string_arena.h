#pragma once
// CStringArena: makes many short CStrings for one thread in large shared blocks
// (2 MiB; from the second block on a huge page where the system offers them, from
// the first one on when the arena is told to expect 128 KiB or more: one fault
// then costs less than the 32 or more small ones it replaces).
//
// A string made here costs one bump of a pointer instead of an allocation, and 8
// bytes of header instead of the heap's 12 plus the allocator's own; the loader
// makes every cell of a file this way. The strings are ordinary CStrings: they are
// copied, shared, changed (a change that needs more room moves the text to the
// heap) and released from any thread. A block goes back to the system when the
// arena has moved past it and its last string is released, so a grid that is
// cleared gives its memory back. Other small objects that many strings come with
// (the loader's grid rows) may take their place from the same blocks (Allocate).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/cstring.h"

class CStringArena {
 public:
  CStringArena() = default;
  // An arena that will make about expectedBytes: from kHugeFrom on, its first block
  // takes a huge page too (one fault instead of many small ones while it fills).
  explicit CStringArena(size_t expectedBytes) : hugeFirst_(expectedBytes >= kHugeFrom) {}
  ~CStringArena();
  CStringArena(const CStringArena&) = delete;
  CStringArena& operator=(const CStringArena&) = delete;

  // A string holding text; the empty string for empty text. Texts longer than
  // kMaxText units are made on the heap.
  CString Make(std::u16string_view text);

  // Room for bytes (at most kMaxRaw) aligned to 8, counted in its block like a string
  // until it is given back by Free, from any thread.
  void* Allocate(size_t bytes);
  static void Free(void* place) noexcept;

  static constexpr size_t kMaxText = 2000;
  static constexpr size_t kMaxRaw = 8192;
  static constexpr size_t kHugeFrom = size_t{128} << 10;
  // Blocks currently held by any arena or string (for tests).
  static int LiveBlocks() noexcept;

 private:
  friend void cstring_detail::ReleaseArenaString(void* rep) noexcept;
  struct Block;
  void Retire() noexcept;
  // A place for bytes (a multiple of 4) aligned to align, in a fresh block when the
  // current one has no room left.
  char* Take(size_t bytes, size_t align);

  Block* block_ = nullptr;
  char* next_ = nullptr;   // free space of the block
  char* end_ = nullptr;
  int64_t made_ = 0;       // strings made in the block
  bool hugeFirst_ = false;
};
