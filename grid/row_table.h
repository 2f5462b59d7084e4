#pragma once
// RowTable<T>: one number per row of the data grid (GRID_MAX_ROWS of them), all 0
// at first, read and written like an array of that size.
//
// A table that was never written, or was filled with 0, owns no memory: its
// storage comes as fresh pages of the system on the first write, so a process
// pays nothing for tables it does not use and a small file touches only the pages
// of its own rows. Copies share the storage until one of them is written (the
// backup set takes a copy of every table after each load).
//
// Writing access (the non-const operator[], data, begin and end) first gives the
// table storage of its own; reading through a const table never allocates, so read
// through one where the table is not changed. Threads may write different rows at
// once only after PrepareStorage, and only while no copy is made.

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "grid/grid_store.h"

namespace row_table_detail {

// Zeroed storage of bytes with a reference count of 1 in front; the count lies in
// the first 8 bytes, the cells after them.
std::atomic<int64_t>* Allocate(size_t bytes);
// Drops a reference; the last one gives the storage back.
void Release(std::atomic<int64_t>* rep, size_t bytes) noexcept;
// Storage of its own for a table whose storage is shared: a copy of rep's cells.
std::atomic<int64_t>* Unshare(std::atomic<int64_t>* rep, size_t bytes);

}  // namespace row_table_detail

template <typename T>
class RowTable {
 public:
  static constexpr size_t kRows = GRID_MAX_ROWS;

  RowTable() = default;
  RowTable(const RowTable& other) noexcept : rep_(other.rep_) { Retain(); }
  RowTable& operator=(const RowTable& other) noexcept {
    if (rep_ != other.rep_) {
      Drop();
      rep_ = other.rep_;
      Retain();
    }
    return *this;
  }
  ~RowTable() { Drop(); }

  const T& operator[](size_t row) const noexcept { return rep_ != nullptr ? Cells()[row] : kZero; }
  T& operator[](size_t row) { return Own()[row]; }
  T* data() { return Own(); }
  T* begin() { return Own(); }
  T* end() { return Own() + kRows; }
  static constexpr size_t size() noexcept { return kRows; }

  // Every row's number becomes value; 0 gives the storage back.
  void fill(T value) {
    if (value == T{}) {
      Drop();
      return;
    }
    T* cells = Own();
    for (size_t r = 0; r < kRows; ++r) cells[r] = value;
  }
  // Gives the table storage of its own now, so that threads may then write rows.
  void PrepareStorage() { Own(); }

 private:
  static constexpr size_t kBytes = sizeof(std::atomic<int64_t>) + kRows * sizeof(T);
  static constexpr T kZero{};

  T* Cells() const noexcept { return reinterpret_cast<T*>(rep_ + 1); }
  void Retain() noexcept {
    if (rep_ != nullptr) rep_->fetch_add(1, std::memory_order_relaxed);
  }
  void Drop() noexcept {
    if (rep_ != nullptr) row_table_detail::Release(rep_, kBytes);
    rep_ = nullptr;
  }
  T* Own() {
    if (rep_ == nullptr) {
      rep_ = row_table_detail::Allocate(kBytes);
    } else if (rep_->load(std::memory_order_acquire) != 1) {
      rep_ = row_table_detail::Unshare(rep_, kBytes);
    }
    return Cells();
  }

  std::atomic<int64_t>* rep_ = nullptr;
};
