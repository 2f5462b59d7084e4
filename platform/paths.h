#pragma once
// File-system paths, environment names, user folders and safe file writing.
//
// Paths are CString texts with "/" separators; they are converted to the system's
// UTF-8 names only at the system boundary (ToFsPath).

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/cstring.h"

// The value of an environment variable; nullopt when it is not set. USERPROFILE
// falls back to HOME when it is not set itself.
std::optional<CString> GetEnvVar(const CString& name);

// Replaces every "%NAME%" whose NAME is a set variable by its value; references to
// unset names and lone "%" stay as they are.
CString ExpandEnvNames(const CString& text);

enum class UserFolder { kHome, kDesktop, kDocuments, kDownloads };
// The XDG user folder (user-dirs.dirs of $XDG_CONFIG_HOME or ~/.config), else
// $HOME/Desktop, $HOME/Documents, $HOME/Downloads. No trailing "/".
CString GetUserFolder(UserFolder which);

// Folder of the running executable, no trailing "/".
CString GetExecutableFolder();

// Joins with exactly one "/" between the parts; an empty part gives the other.
CString JoinPath(const CString& folder, const CString& name);
// The text after the last "/" (the whole text when there is none).
CString FileNameOf(const CString& path);
// The text before the last "/" (empty when there is none; "/" for "/name").
CString FolderOf(const CString& path);
// The final extension of the file name with its dot (".csv" of "a.b.csv"); empty when
// the name has no dot or only a leading one (".profile").
CString ExtensionOf(const CString& path);
// The file name without its final extension.
CString StemOf(const CString& path);
// True when the final extension equals ext (with its dot), ASCII letters ignoring case.
bool HasExtension(const CString& path, const char16_t* ext);
// True when name holds a character a file name typed by the user may not hold:
// : / * ? < > | \ or a double quote.
bool HasForbiddenNameChar(const CString& name);

// System paths of a text path and back (UTF-8 names).
std::filesystem::path ToFsPath(const CString& path);
CString FromFsPath(const std::filesystem::path& path);

// Removes the temporary files an atomic writer leaves in folder when the process
// is killed mid-write (".NAME.tmpNNNN") once they are older than minAgeSeconds,
// so a save running in another process is left alone; other files are never touched.
void RemoveStaleWriterFiles(const CString& folder, int minAgeSeconds);

// Removes the file at path; true when it is gone (also when there was none).
bool RemoveFileIfPresent(const CString& path);

// Test seam for faults the system may raise: a full disk, a read-only folder, a
// process killed part-way. The hook sees each file operation before it runs and
// returns 0 to let it run, or an errno value to fail it with. Unset in the program.
enum class FileOp { kOpenRead, kCreate, kWrite, kRename, kRemove };
using FileFaultHook = std::function<int(FileOp op, const std::filesystem::path& path)>;
void SetFileFaultHook(FileFaultHook hook);
// The hook's answer for an operation (0 without a hook); sets errno when not 0.
int InjectedFileFault(FileOp op, const std::filesystem::path& path);

// Writes bytes to path safely: into a new temporary file in the same folder, flushed
// and closed, then renamed over path. On any failure the temporary file is removed,
// an existing file at path is left as it was, and false is returned.
bool WriteFileAtomic(const CString& path, std::string_view bytes);

// A file being written safely: bytes go into a temporary file in the target's folder;
// Commit renames it over the target. Destroying it without Commit discards the bytes.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file; false when it cannot be created, or when target is a
  // folder or a file that may not be written.
  bool Begin(const CString& target);
  bool IsOpen() const { return fd_ >= 0; }
  // Appends bytes; false (and the writer is failed) when they could not be written.
  bool Write(std::string_view bytes);
  // Flushes, closes and renames over the target; false (target unchanged) when any
  // write failed or the rename failed.
  bool Commit();
  // As Commit, but only when no file has the target's name: false with errno EEXIST
  // when one has (the temporary file is removed either way on failure).
  bool CommitNew();
  // Removes the temporary file.
  void Discard();

 private:
  int fd_ = -1;
  bool failed_ = false;
  std::filesystem::path target_;
  std::filesystem::path temp_;
};
