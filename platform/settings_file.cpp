#include "platform/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

SettingsFileState ReadFileBytes(const CString& path, std::string& bytes) {
  bytes.clear();
  const std::filesystem::path fsPath = ToFsPath(path);
  if (InjectedFileFault(FileOp::kOpenRead, fsPath) != 0) {
    return errno == ENOENT ? SettingsFileState::kMissing : SettingsFileState::kUnreadable;
  }
  // Without waiting: opening a FIFO for reading would block until a writer came.
  const int fd = ::open(fsPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    return errno == ENOENT || errno == ENOTDIR ? SettingsFileState::kMissing : SettingsFileState::kUnreadable;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return SettingsFileState::kUnreadable;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      bytes.clear();
      return SettingsFileState::kUnreadable;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return SettingsFileState::kRead;
}

SettingsFileText ReadSettingsFile(const CString& path) {
  SettingsFileText file;
  std::string bytes;
  file.state = ReadFileBytes(path, bytes);
  if (file.state != SettingsFileState::kRead) return file;
  // No text file of ours holds a NUL byte (UTF-16 text included).
  if (bytes.find('\0') != std::string::npos) {
    file.state = SettingsFileState::kUnreadable;
    return file;
  }
  file.utf8Bom = bytes.starts_with(kUtf8Bom);
  if (file.utf8Bom) bytes.erase(0, kUtf8Bom.size());
  file.bytes = std::move(bytes);
  return file;
}

void ForEachLineOf(std::string_view bytes, const std::function<void(std::string_view line, bool ended)>& onLine) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t lf = bytes.find('\n', pos);
    if (lf == std::string_view::npos) {
      onLine(bytes.substr(pos), false);
      return;
    }
    onLine(bytes.substr(pos, lf - pos), true);
    pos = lf + 1;
  }
}

CString SettingsLineText(const SettingsFileText& file, std::string_view line, int codePage) {
  return BytesToText(line, file.utf8Bom ? CP_UTF8 : codePage);
}

std::string SettingsFileBytes(const CString& text, int codePage) {
  if (std::optional<std::string> bytes = EncodeText(text.View(), codePage, ConvMode::kStrict)) return *bytes;
  return std::string(kUtf8Bom) + TextToBytes(text.View(), CP_UTF8);
}

void ReportUnreadableSettingsFile(const CString& path) {
  GetUiHooks().MessageBox(CString::Build(u"設定ファイル「%s」を読み込めませんでした。既定の設定で続けます。", path),
                          CString(kAppCaption), MB_OK | MB_ICONWARNING);
}
