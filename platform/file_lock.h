#pragma once
// An advisory lock (flock) on a lock file, held while the object lives. Programs
// that share files take it around their reads (shared) and writes (exclusive).
// Two holders conflict even inside one process; the kernel drops the lock when
// the process ends, however it ends.

#include "platform/cstring.h"

class FileLock {
 public:
  enum class Kind { kShared, kExclusive };
  // Opens (creating it when missing) the lock file at path and waits for the lock.
  // When the file cannot be opened (a read-only folder) nothing is held.
  FileLock(const CString& path, Kind kind);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool IsHeld() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};
