// The loader when memory runs out: the file is refused with a message and nothing
// stays loaded; no thread ends the process.
//
// This executable's operator new can be told to fail once, at the n-th allocation
// from now, on whichever thread makes it.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "grid/csv_loader.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {
std::atomic<long> g_allocationsLeft{-1};  // -1: never fail
}  // namespace

void* operator new(std::size_t size) {
  if (g_allocationsLeft.load(std::memory_order_relaxed) >= 0 &&
      g_allocationsLeft.fetch_sub(1, std::memory_order_relaxed) == 0) {
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}
// The library's own nothrow allocations (a stable sort's buffer) are freed with the
// plain delete below, so they must come from the same place.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
// The pair of the operator new above, which takes its memory from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

TEST(CsvLoaderMemory, RegressionAnAllocationFailureRefusesTheFileInsteadOfEndingTheProcess) {
  testsupport::TempDir dir;
  std::string bytes;
  for (int r = 0; r < 20000; ++r) bytes += "品名" + std::to_string(r) + ",100,2024/01/05,x,y\r\n";
  const CString path = CString::FromUtf8(dir.Write("big.csv", bytes).string());
  // The allocations of a whole load (the second: the first builds the tables a load
  // builds once), so that the failures fall early, midway and last in a load.
  constexpr long kPlenty = 100000000L;
  auto countAllocations = [&] {
    auto set = std::make_unique<CGridSet>();
    RecordingUiHooks hooks;
    g_allocationsLeft = kPlenty;
    EXPECT_EQ(LoadCsvFile(*set, path), 1);
    const long made = kPlenty - g_allocationsLeft.load();
    g_allocationsLeft = -1;
    return made;
  };
  countAllocations();
  const long made = countAllocations();
  ASSERT_GT(made, 20);
  for (long failAt : {0L, 2L, made / 10, made / 3, made / 2, made - 1, kPlenty}) {
    SCOPED_TRACE(failAt);
    auto set = std::make_unique<CGridSet>();
    RecordingUiHooks hooks;
    g_allocationsLeft = failAt;
    const int result = LoadCsvFile(*set, path);
    g_allocationsLeft = -1;
    if (failAt >= made) {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(set->m_DataRows, 20000);
      EXPECT_TRUE(hooks.Messages().empty());
      continue;
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(set->m_DataRows, 0);
    EXPECT_EQ(set->m_DataGrid.AllocatedRows(), 0);
    EXPECT_EQ(set->m_BackupGrid.AllocatedRows(), 0);
    ASSERT_EQ(hooks.Messages().size(), 1u);
    EXPECT_NE(hooks.Messages()[0].Find(u"CSVファイルを読み込めませんでした"), -1);
  }
}

}  // namespace
