#pragma once
// File-system paths, environment names, user folders and safe file writing.
//
// Paths are CString texts with "/" separators; they are converted to the system's
// UTF-8 names only at the system boundary (ToFsPath).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
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

// The name of the temporary file an atomic writer of this program makes for a
// target named base (number 0..999999): hidden, and carrying a tag of this
// program's own (".NAME.tabroconnect-tmpNNNNNN"), so no other program's file has it.
std::string WriterTempName(std::string_view base, unsigned number);
// True for a name WriterTempName can give.
bool IsWriterTempName(std::string_view name);

// Removes the temporary files an atomic writer of this program leaves in folder
// when the process is killed mid-write (names of WriterTempName) once they are
// older than minAgeSeconds, so a save running in another process is left alone;
// other files, and links, are never touched.
void RemoveStaleWriterFiles(const CString& folder, int minAgeSeconds);

// What names one file and its state: device and inode, size and modification time.
// Equal identities mean the same file, unchanged.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = -1;
  long long mtimeNs = 0;
  bool operator==(const FileIdentity&) const = default;
  bool IsKnown() const { return size >= 0; }
};
// The identity of an open file (unknown when fstat fails).
FileIdentity IdentityOfOpenFile(int fd);
// The identity of the regular file path names, a link not followed: unknown when
// path is missing, a link or anything but a regular file.
FileIdentity RegularFileIdentity(const CString& path);

// Removes the file at path only while the name still denotes the very file id
// describes (same device, inode, size and time). A link is never followed nor
// removed. The name is checked again right before the unlink, so a file renamed
// over it meanwhile is left in place.
enum class RemoveOutcome { kRemoved, kGone, kReplaced, kFailed };
RemoveOutcome RemoveFileIfSame(const CString& path, const FileIdentity& id);

// Opens path for reading as a regular file only: a link, a folder, a pipe or a
// device is refused (-1, with errno ELOOP for a link). The caller closes the result.
int OpenRegularFileNoFollow(const CString& path);

// Whether some process holds the open file fd (opened read-only) for writing.
// Asked with a read lease, which the system refuses while a writer has the file
// open; the lease is let go at once. nullopt when the system cannot tell (a
// network file system, or a file of another user without the right to lease).
std::optional<bool> IsHeldForWriting(int fd);

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
