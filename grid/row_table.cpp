#include "grid/row_table.h"

#include <sys/mman.h>

#include <cstring>
#include <new>

namespace row_table_detail {

// Pages of their own, not the heap's: they come zeroed and untouched, and a table
// given back leaves no used memory behind for the next one to fault on again.
std::atomic<int64_t>* Allocate(size_t bytes) {
  void* place = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (place == MAP_FAILED) throw std::bad_alloc();
  return new (place) std::atomic<int64_t>(1);
}

void Release(std::atomic<int64_t>* rep, size_t bytes) noexcept {
  if (rep->fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  rep->~atomic();
  munmap(rep, bytes);
}

std::atomic<int64_t>* Unshare(std::atomic<int64_t>* rep, size_t bytes) {
  std::atomic<int64_t>* own = Allocate(bytes);
  std::memcpy(static_cast<void*>(own + 1), static_cast<const void*>(rep + 1), bytes - sizeof(*rep));
  Release(rep, bytes);
  return own;
}

}  // namespace row_table_detail
