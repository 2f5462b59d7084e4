#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

std::filesystem::path DefaultLockFolder() {
  // A runtime folder inherited from another user (su, sudo) cannot hold our
  // lock file; refusing the start for that would blame another instance.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0' && ::access(runtime, W_OK | X_OK) == 0) return runtime;
  return "/tmp";
}

std::filesystem::path SingleInstanceLockPath(const std::string& name, const std::filesystem::path& folder) {
  if (!folder.empty()) return folder / (name + ".lock");
  const std::filesystem::path fallback = DefaultLockFolder();
  if (fallback == "/tmp") return fallback / (name + "-" + std::to_string(::getuid()) + ".lock");
  return fallback / (name + ".lock");
}

int AcquireSingleInstanceLock(const std::string& name, const std::filesystem::path& folder) {
  const std::filesystem::path file = SingleInstanceLockPath(name, folder);
  // O_NOFOLLOW: a link planted in a shared folder never redirects the lock file.
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void ReleaseSingleInstanceLock(int& fd) {
  if (fd < 0) return;
  ::flock(fd, LOCK_UN);
  ::close(fd);
  fd = -1;
}
