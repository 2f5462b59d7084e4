#include "platform/paths.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <random>
#include <string>

namespace {

std::optional<std::string> RawEnv(const std::string& name) {
  const char* v = std::getenv(name.c_str());
  if (!v) return std::nullopt;
  return std::string(v);
}

CString HomeFolder() {
  auto home = RawEnv("HOME");
  CString h = home ? CString::FromUtf8(*home) : CString();
  while (h.GetLength() > 1 && h[h.GetLength() - 1] == u'/') h.Truncate(h.GetLength() - 1);
  return h;
}

// The value of XDG_<key>_DIR in user-dirs.dirs, with "$HOME" expanded; empty if absent.
CString XdgUserDir(const char* key) {
  auto config = RawEnv("XDG_CONFIG_HOME");
  std::filesystem::path file;
  if (config && !config->empty()) {
    file = std::filesystem::path(*config) / "user-dirs.dirs";
  } else {
    auto home = RawEnv("HOME");
    if (!home) return CString();
    file = std::filesystem::path(*home) / ".config" / "user-dirs.dirs";
  }
  std::ifstream in(file);
  if (!in) return CString();
  const std::string prefix = std::string("XDG_") + key + "_DIR=";
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    std::string value = line.substr(prefix.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    CString v = CString::FromUtf8(value);
    if (v.Left(5) == u"$HOME") v = HomeFolder() + v.Mid(5);
    if (v.IsEmpty() || v[0] != u'/') return CString();  // only absolute paths are valid
    while (v.GetLength() > 1 && v[v.GetLength() - 1] == u'/') v.Truncate(v.GetLength() - 1);
    return v;
  }
  return CString();
}

int LastSlash(const CString& path) { return path.ReverseFind(u'/'); }

FileFaultHook& FaultHook() {
  static FileFaultHook hook;
  return hook;
}

// Bytes of the target's name kept in a temporary file's name.
constexpr size_t kMaxBaseInTempName = 200;
// The tag and the number of digits that end every temporary name of this program.
constexpr std::string_view kWriterTempTag = ".tabroconnect-tmp";
constexpr size_t kWriterTempDigits = 6;

FileIdentity IdentityOfStat(const struct stat& st) {
  FileIdentity id;
  id.device = static_cast<unsigned long long>(st.st_dev);
  id.inode = static_cast<unsigned long long>(st.st_ino);
  id.size = static_cast<long long>(st.st_size);
  id.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return id;
}

// A lease that a writer breaks while it is held signals its holder with SIGIO,
// whose default ends the process; the lease is let go at once anyway.
void IgnoreLeaseBreakSignal() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction current {};
    if (::sigaction(SIGIO, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      sigemptyset(&ignore.sa_mask);
      ::sigaction(SIGIO, &ignore, nullptr);
    }
  });
}

}  // namespace

std::optional<CString> GetEnvVar(const CString& name) {
  if (name.IsEmpty() || name.Find(u'=') >= 0) return std::nullopt;
  auto v = RawEnv(name.ToUtf8());
  if (!v && name == u"USERPROFILE") v = RawEnv("HOME");
  if (!v) return std::nullopt;
  return CString::FromUtf8(*v);
}

CString ExpandEnvNames(const CString& text) {
  CString out;
  int pos = 0;
  const int len = text.GetLength();
  while (pos < len) {
    int open = text.Find(u'%', pos);
    if (open < 0) break;
    int close = text.Find(u'%', open + 1);
    if (close < 0) break;
    auto value = GetEnvVar(text.Mid(open + 1, close - open - 1));
    if (value) {
      out += text.Mid(pos, open - pos);
      out += *value;
      pos = close + 1;
    } else {
      // Not a known name: keep the first "%" and look again from the second.
      out += text.Mid(pos, close - pos);
      pos = close;
    }
  }
  out += text.Mid(pos);
  return out;
}

CString GetUserFolder(UserFolder which) {
  struct Entry {
    UserFolder kind;
    const char* key;
    const char16_t* fallback;
  };
  static constexpr Entry kFolders[] = {
      {UserFolder::kDesktop, "DESKTOP", u"Desktop"},
      {UserFolder::kDocuments, "DOCUMENTS", u"Documents"},
      {UserFolder::kDownloads, "DOWNLOAD", u"Downloads"},
  };
  static_assert(sizeof(kFolders) / sizeof(kFolders[0]) == 3);
  if (which == UserFolder::kHome) return HomeFolder();
  for (const Entry& e : kFolders) {
    if (e.kind != which) continue;
    CString dir = XdgUserDir(e.key);
    return dir.IsEmpty() ? JoinPath(HomeFolder(), e.fallback) : dir;
  }
  return HomeFolder();
}

CString GetExecutableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return CString();
  return FromFsPath(exe.parent_path());
}

CString JoinPath(const CString& folder, const CString& name) {
  if (folder.IsEmpty()) return name;
  if (name.IsEmpty()) return folder;
  CString a = folder;
  while (a.GetLength() > 1 && a[a.GetLength() - 1] == u'/') a.Truncate(a.GetLength() - 1);
  int skip = 0;
  while (skip < name.GetLength() && name[skip] == u'/') ++skip;
  if (a == u"/") return a + name.Mid(skip);
  return a + u"/" + name.Mid(skip);
}

CString FileNameOf(const CString& path) {
  int slash = LastSlash(path);
  return slash < 0 ? path : path.Mid(slash + 1);
}

CString FolderOf(const CString& path) {
  int slash = LastSlash(path);
  if (slash < 0) return CString();
  if (slash == 0) return CString(u"/");
  return path.Left(slash);
}

CString ExtensionOf(const CString& path) {
  CString name = FileNameOf(path);
  int dot = name.ReverseFind(u'.');
  if (dot <= 0) return CString();
  return name.Mid(dot);
}

CString StemOf(const CString& path) {
  CString name = FileNameOf(path);
  CString ext = ExtensionOf(path);
  return name.Left(name.GetLength() - ext.GetLength());
}

bool HasExtension(const CString& path, const char16_t* ext) {
  CString mine = ExtensionOf(path);
  CString want(ext);
  if (mine.GetLength() != want.GetLength() || mine.IsEmpty()) return false;
  for (int i = 0; i < mine.GetLength(); ++i) {
    char16_t a = mine[i], b = want[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
    if (a != b) return false;
  }
  return true;
}

std::filesystem::path ToFsPath(const CString& path) { return std::filesystem::path(path.ToUtf8()); }

CString FromFsPath(const std::filesystem::path& path) { return CString::FromUtf8(path.string()); }

bool WriteFileAtomic(const CString& path, std::string_view bytes) {
  AtomicFileWriter w;
  if (!w.Begin(path)) return false;
  if (!w.Write(bytes)) return false;
  return w.Commit();
}

void SetFileFaultHook(FileFaultHook hook) { FaultHook() = std::move(hook); }

int InjectedFileFault(FileOp op, const std::filesystem::path& path) {
  const FileFaultHook& hook = FaultHook();
  if (!hook) return 0;
  const int error = hook(op, path);
  if (error != 0) errno = error;
  return error;
}

bool RemoveFileIfPresent(const CString& path) {
  const std::filesystem::path file = ToFsPath(path);
  if (InjectedFileFault(FileOp::kRemove, file) != 0) return false;
  return ::unlink(file.c_str()) == 0 || errno == ENOENT;
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

bool AtomicFileWriter::Begin(const CString& target) {
  Discard();
  target_ = ToFsPath(target);
  failed_ = false;
  if (target_.filename().empty()) return false;
  // A folder is never replaced by a file, nor a read-only file by a new one.
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0 &&
      (S_ISDIR(old.st_mode) || (old.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0))
    return false;
  if (InjectedFileFault(FileOp::kCreate, target_) != 0) return false;
  std::filesystem::path folder = target_.parent_path();
  // The temporary name must stay within the system's limit even for the longest names.
  std::string base = target_.filename().string();
  if (base.size() > kMaxBaseInTempName) base.clear();
  std::random_device rd;
  // A few attempts with fresh names; O_EXCL never reuses another writer's file.
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::string name = WriterTempName(base, rd() % 1000000);
    temp_ = folder.empty() ? std::filesystem::path(name) : folder / name;
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ >= 0) return true;
    if (errno != EEXIST) break;
  }
  temp_.clear();
  return false;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0 || failed_) return false;
  if (!bytes.empty() && InjectedFileFault(FileOp::kWrite, target_) != 0) {
    failed_ = true;
    return false;
  }
  while (!bytes.empty()) {
    ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (fd_ < 0) return false;
  bool ok = !failed_ && ::fsync(fd_) == 0;
  ok = (::close(fd_) == 0) && ok;
  fd_ = -1;
  if (ok) {
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) ::chmod(temp_.c_str(), old.st_mode & 07777);
    ok = InjectedFileFault(FileOp::kRename, target_) == 0 && ::rename(temp_.c_str(), target_.c_str()) == 0;
  }
  if (!ok) ::unlink(temp_.c_str());
  temp_.clear();
  return ok;
}

bool AtomicFileWriter::CommitNew() {
  if (fd_ < 0) return false;
  bool ok = !failed_ && ::fsync(fd_) == 0;
  ok = (::close(fd_) == 0) && ok;
  fd_ = -1;
  int error = EIO;
  // A hard link fails when the name is taken, so no file is ever written over.
  if (ok && (InjectedFileFault(FileOp::kRename, target_) != 0 || ::link(temp_.c_str(), target_.c_str()) != 0)) {
    ok = false;
    error = errno;
  }
  ::unlink(temp_.c_str());
  temp_.clear();
  if (!ok) errno = error;
  return ok;
}

std::string WriterTempName(std::string_view base, unsigned number) {
  std::string digits = std::to_string(number % 1000000);
  digits.insert(0, kWriterTempDigits - digits.size(), '0');
  return "." + std::string(base) + std::string(kWriterTempTag) + digits;
}

bool IsWriterTempName(std::string_view name) {
  const size_t tail = kWriterTempTag.size() + kWriterTempDigits;
  if (name.size() < 1 + tail || name[0] != '.') return false;
  const std::string_view end = name.substr(name.size() - tail);
  return end.substr(0, kWriterTempTag.size()) == kWriterTempTag &&
         end.substr(kWriterTempTag.size()).find_first_not_of("0123456789") == std::string_view::npos;
}

void RemoveStaleWriterFiles(const CString& folder, int minAgeSeconds) {
  const auto oldest = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(minAgeSeconds);
  std::error_code ec;
  std::filesystem::directory_iterator it(ToFsPath(folder), ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (!IsWriterTempName(it->path().filename().string())) continue;
    std::error_code fec;
    if (!std::filesystem::is_regular_file(it->symlink_status(fec)) || fec) continue;
    if (it->last_write_time(fec) > oldest || fec) continue;
    std::filesystem::remove(it->path(), fec);
  }
}

FileIdentity IdentityOfOpenFile(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return FileIdentity{};
  return IdentityOfStat(st);
}

FileIdentity RegularFileIdentity(const CString& path) {
  struct stat st {};
  if (::lstat(ToFsPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return FileIdentity{};
  return IdentityOfStat(st);
}

RemoveOutcome RemoveFileIfSame(const CString& path, const FileIdentity& id) {
  const std::filesystem::path file = ToFsPath(path);
  // The name itself, never what a link points to.
  const int fd = ::open(file.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? RemoveOutcome::kGone : RemoveOutcome::kFailed;
  struct stat held {};
  const bool known = ::fstat(fd, &held) == 0;
  RemoveOutcome outcome = RemoveOutcome::kFailed;
  if (known && (!S_ISREG(held.st_mode) || !id.IsKnown() || IdentityOfStat(held) != id)) {
    outcome = RemoveOutcome::kReplaced;
  } else if (known && InjectedFileFault(FileOp::kRemove, file) == 0) {
    // Right before the unlink: the name must still denote the file held open.
    struct stat now {};
    if (::lstat(file.c_str(), &now) != 0) {
      outcome = errno == ENOENT ? RemoveOutcome::kGone : RemoveOutcome::kFailed;
    } else if (now.st_dev != held.st_dev || now.st_ino != held.st_ino) {
      outcome = RemoveOutcome::kReplaced;
    } else if (::unlink(file.c_str()) == 0) {
      outcome = RemoveOutcome::kRemoved;
    } else if (errno == ENOENT) {
      outcome = RemoveOutcome::kGone;
    }
  }
  ::close(fd);
  return outcome;
}

int OpenRegularFileNoFollow(const CString& path) {
  const std::filesystem::path file = ToFsPath(path);
  if (InjectedFileFault(FileOp::kOpenRead, file) != 0) return -1;
  // Without waiting, so a pipe never blocks the caller.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

std::optional<bool> IsHeldForWriting(int fd) {
  IgnoreLeaseBreakSignal();
  if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
    ::fcntl(fd, F_SETLEASE, F_UNLCK);
    return false;
  }
  if (errno == EAGAIN) return true;
  return std::nullopt;
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

bool HasForbiddenNameChar(const CString& name) {
  return name.View().find_first_of(std::u16string_view(u":/*?<>|\\\"")) != std::u16string_view::npos;
}
