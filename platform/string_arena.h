#pragma once
// CStringArena: makes many short CStrings for one thread in large shared blocks
// (2 MiB; from the second block on a huge page where the system offers them).
//
// A string made here costs one bump of a pointer instead of an allocation, and 8
// bytes of header instead of the heap's 12 plus the allocator's own; the loader
// makes every cell of a file this way. The strings are ordinary CStrings: they are
// copied, shared, changed (a change that needs more room moves the text to the
// heap) and released from any thread. A block goes back to the system when the
// arena has moved past it and its last string is released, so a grid that is
// cleared gives its memory back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/cstring.h"

class CStringArena {
 public:
  CStringArena() = default;
  ~CStringArena();
  CStringArena(const CStringArena&) = delete;
  CStringArena& operator=(const CStringArena&) = delete;

  // A string holding text; the empty string for empty text. Texts longer than
  // kMaxText units are made on the heap.
  CString Make(std::u16string_view text);

  static constexpr size_t kMaxText = 2000;
  // Blocks currently held by any arena or string (for tests).
  static int LiveBlocks() noexcept;

 private:
  friend void cstring_detail::ReleaseArenaString(void* rep) noexcept;
  struct Block;
  void Retire() noexcept;

  Block* block_ = nullptr;
  char* next_ = nullptr;   // free space of the block
  char* end_ = nullptr;
  int64_t made_ = 0;       // strings made in the block
};
