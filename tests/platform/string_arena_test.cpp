#include "platform/string_arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(StringArena, MadeStringsAreOrdinaryStrings) {
  CStringArena arena;
  const std::u16string longText(CStringArena::kMaxText + 1, u'x');
  CString a = arena.Make(u"伝票");
  CString empty = arena.Make(u"");
  CString big = arena.Make(longText);
  EXPECT_EQ(a, CString(u"伝票"));
  EXPECT_EQ(a.GetLength(), 2);
  EXPECT_EQ(a.GetString()[2], u'\0');
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(big.View(), longText);

  CString shared = a;
  EXPECT_TRUE(shared.SharesBufferWith(a));
  shared.SetAt(0, u'X');  // a change never reaches the other copy
  EXPECT_EQ(a, CString(u"伝票"));
  EXPECT_EQ(shared, CString(u"X票"));

  CString alone = arena.Make(u"abc");
  alone.SetAt(1, u'B');  // in place
  alone += u"defgh";     // needs more room: moves to the heap
  alone.Truncate(2);
  EXPECT_EQ(alone, CString(u"aB"));
  char16_t* buffer = alone.GetBuffer(10);
  buffer[2] = u'c';
  buffer[3] = 0;
  alone.ReleaseBuffer();
  EXPECT_EQ(alone, CString(u"aBc"));
}

// Blocks go back when the arena has moved on and their last string is released,
// from whichever thread releases it.
TEST(StringArena, BlocksGoBackWithTheirLastString) {
  const int before = CStringArena::LiveBlocks();
  std::vector<CString> cells;
  CString kept;
  {
    CStringArena arena;
    for (int i = 0; i < 300000; ++i) cells.push_back(arena.Make(u"12345"));  // several blocks
    kept = cells.back();
    EXPECT_GT(CStringArena::LiveBlocks(), before + 1);
  }
  std::thread([&] { cells.clear(); }).join();
  EXPECT_EQ(CStringArena::LiveBlocks(), before + 1);  // the block that holds `kept`
  EXPECT_EQ(kept, CString(u"12345"));
  kept.Empty();
  EXPECT_EQ(CStringArena::LiveBlocks(), before);
}

TEST(StringArena, StringsReleasedWhileTheArenaFillsTheBlockKeepIt) {
  const int before = CStringArena::LiveBlocks();
  CStringArena arena;
  arena.Make(u"gone at once");
  CString later = arena.Make(u"later");
  EXPECT_EQ(CStringArena::LiveBlocks(), before + 1);
  EXPECT_EQ(later, CString(u"later"));
}

// Places for other objects share the blocks with the strings: aligned for them,
// counted like strings, and the block goes back once all of them are freed.
TEST(StringArena, AllocatedPlacesKeepTheirBlockUntilFreed) {
  const int before = CStringArena::LiveBlocks();
  std::vector<void*> places;
  CString text;
  {
    CStringArena arena(size_t{4} << 20);  // expects much: a huge page from the start
    const size_t sizes[] = {1, 8, 12, 2056, 5, CStringArena::kMaxRaw};
    for (const size_t bytes : sizes) {
      text = arena.Make(u"a");  // leaves the next place 4 bytes off an 8-byte boundary
      void* place = arena.Allocate(bytes);
      EXPECT_EQ(reinterpret_cast<uintptr_t>(place) % 8, 0u) << bytes;
      std::memset(place, 0xAB, bytes);
      places.push_back(place);
    }
    EXPECT_THROW(arena.Allocate(CStringArena::kMaxRaw + 1), std::bad_alloc);
  }
  EXPECT_EQ(text, CString(u"a"));  // writing the places reached no string
  text.Empty();
  EXPECT_EQ(CStringArena::LiveBlocks(), before + 1);
  std::thread([&] {
    for (void* place : places) CStringArena::Free(place);
  }).join();
  EXPECT_EQ(CStringArena::LiveBlocks(), before);
}

}  // namespace
