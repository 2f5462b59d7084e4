#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/paths.h"

FileLock::FileLock(const CString& path, Kind kind) {
  // O_NOFOLLOW: a link planted in the folder never redirects the lock file.
  fd_ = ::open(ToFsPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd_ < 0) fd_ = ::open(ToFsPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd_ < 0) return;
  const int op = kind == Kind::kExclusive ? LOCK_EX : LOCK_SH;
  while (::flock(fd_, op) != 0) {
    if (errno == EINTR) continue;
    ::close(fd_);
    fd_ = -1;
    return;
  }
}

FileLock::~FileLock() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
}
