#include "jobsheet/reuse/reuse_store.h"

#include <filesystem>
#include <functional>
#include <set>
#include <system_error>

#include "edittools/chain/edit_settings_path.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "grid/text_width.h"
#include "platform/codepage.h"
#include "platform/file_lock.h"
#include "platform/int_text.h"
#include "platform/paths.h"
#include "platform/settings_file.h"

namespace fs = std::filesystem;

namespace {

// The most bytes of a list line or a settings-file line the store keeps whole
// (its line end not counted).
constexpr size_t kMaxLineBytes = 99999;

// Calls onLine for each line of a store file as UTF-8 text with its LF (the last
// line may have none). False when the file is there but cannot be read, or a line
// was too long (skipped); kMissing in *state when there is no file.
bool ForEachStoreLine(const CString& path, const std::function<void(const CString&)>& onLine,
                      SettingsFileState* state = nullptr) {
  const SettingsFileText file = ReadSettingsFile(path);
  if (state) *state = file.state;
  if (file.state == SettingsFileState::kUnreadable) return false;
  bool whole = true;
  ForEachLineOf(file.bytes, [&](std::string_view bytes, bool ended) {
    if (bytes.size() > kMaxLineBytes) {
      whole = false;
      return;
    }
    CString line = SettingsLineText(file, bytes, CP_UTF8);
    if (ended) line += u'\n';
    onLine(line);
  });
  return whole;
}

// Reads a job's settings file line by line; false when a line did not fit or the
// read failed (the lines read so far stay in lines).
bool ReadToolLines(const CString& path, std::vector<CString>& lines, int* filePathCount) {
  int count = 0;
  const bool whole = ForEachStoreLine(path, [&](const CString& line) {
    if (line.Left(9) == u"FilePath=") ++count;
    lines.push_back(line);
  });
  *filePathCount = count;
  return whole;
}

// One list line into a job; false when a field had to be cut.
bool ParseReuseLine(CString line, const CString& programFolder, REUSECOMMAND& job) {
  std::vector<CString> fields;
  CsvSplitOverflow overflow;
  SplitCsvLine(fields, line, false, &overflow);
  auto text = [&](size_t i) { return i < fields.size() ? fields[i] : CString(); };
  auto number = [&](size_t i) { return i < fields.size() ? TextToInt(fields[i].View()) : 0; };
  job.csvFile = text(0);
  job.command = text(1);
  job.outputKind = text(2);
  job.jobName = text(3);
  job.filePathCount = number(4);
  job.locked = number(5);
  job.reserved = number(6);
  job.toolOrder = text(7);
  bool whole = !overflow.tooManyFields && !overflow.fieldTooLong;

  const CString toolPath = EditSettingsFilePath(programFolder, job.csvFile, job.jobName);
  // An empty path: the names make no file of the settings folder (a hand-edited
  // list); the job keeps its line but no file outside the folder is ever read.
  std::error_code ec;
  if (!toolPath.IsEmpty() && fs::exists(ToFsPath(toolPath), ec)) {
    job.toolFilePath = toolPath;
    int count = 0;
    if (!ReadToolLines(toolPath, job.toolLines, &count)) whole = false;
    job.filePathCount = count;
  }
  if (job.jobName.IsEmpty()) job.jobName = job.csvFile;
  return whole;
}

bool WriteLines(const CString& path, const std::vector<CString>& lines) {
  CCsvTextFile file;
  if (!file.Open(path, CString(u"w"), CCsvTextFile::CODETYPE_UTF8)) return false;
  bool ok = true;
  for (const CString& line : lines) ok = file.WriteLine(line) && ok;
  // A failed write leaves the old file: Close commits only a complete one.
  return file.Close() && ok;
}

CString LockPath(const CString& programFolder) {
  return JoinPath(programFolder, CString(kReuseLockFileName));
}

// A file's bytes as they are before a save, to be put back if the save fails.
struct FileBefore {
  CString path;
  bool existed = false;
  std::string bytes;
};

// Reads the whole file; false when something is there that cannot be read.
bool ReadBefore(const CString& path, FileBefore& before) {
  before.path = path;
  const SettingsFileState state = ReadFileBytes(path, before.bytes);
  before.existed = state != SettingsFileState::kMissing;
  return state != SettingsFileState::kUnreadable;
}

bool PutBack(const FileBefore& before) {
  return before.existed ? WriteFileAtomic(before.path, before.bytes) : RemoveFileIfPresent(before.path);
}

// After a save: removes the settings files no job of the saved list names, such as
// the new file of a save killed before its list was written. Only regular ".txt"
// files directly in the folder, the store's own naming; anything else stays.
void RemoveUnnamedToolFiles(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs) {
  std::set<fs::path> named;
  for (const REUSECOMMAND& job : jobs) {
    if (job.deleted) continue;
    const CString path = EditSettingsFilePath(programFolder, job.csvFile, job.jobName);
    if (!path.IsEmpty()) named.insert(ToFsPath(path).filename());
    // The file the job was read from (a job listed without a name).
    if (!job.toolFilePath.IsEmpty()) named.insert(ToFsPath(job.toolFilePath).filename());
  }
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(ToFsPath(EditSettingsFolder(programFolder)), ec)) {
    const fs::path name = entry.path().filename();
    const std::string text = name.string();
    if (!entry.is_regular_file(ec) || entry.is_symlink(ec) || text.starts_with('.') || !text.ends_with(".txt") ||
        named.count(name))
      continue;
    RemoveFileIfPresent(FromFsPath(entry.path()));
  }
}

}  // namespace

ReuseListRead LoadReuseList(const CString& programFolder, std::vector<REUSECOMMAND>& jobs,
                            std::optional<std::string>* listBytes) {
  const CString listPath = JoinPath(programFolder, CString(kReuseListFileName));
  // Shared: a save of another program never replaces the list between the stamp
  // and the lines read.
  const FileLock lock(LockPath(programFolder), FileLock::Kind::kShared);
  if (listBytes) {
    FileBefore before;
    if (!ReadBefore(listPath, before)) return ReuseListRead::kPartial;
    *listBytes = before.existed ? std::optional<std::string>(std::move(before.bytes)) : std::nullopt;
  }
  SettingsFileState state = SettingsFileState::kMissing;
  bool linesWhole = true;
  const bool read = ForEachStoreLine(
      listPath,
      [&](const CString& line) {
        REUSECOMMAND job;
        if (!ParseReuseLine(line, programFolder, job)) linesWhole = false;
        jobs.push_back(std::move(job));
      },
      &state);
  if (state == SettingsFileState::kMissing) return ReuseListRead::kNoFile;
  return read && linesWhole ? ReuseListRead::kWhole : ReuseListRead::kPartial;
}

CString FormatReuseLine(const REUSECOMMAND& job) {
  CString line;
  line.Format(u"\"%s\",\"%s\",\"%s\",\"%s\",%d,%d,%d,\"%s\"\n", job.csvFile.GetString(),
              job.command.GetString(), job.outputKind.GetString(), job.jobName.GetString(),
              job.filePathCount, job.locked, job.reserved, job.toolOrder.GetString());
  return line;
}

CString FormatReuseList(const std::vector<REUSECOMMAND>& jobs) {
  CString text;
  for (const REUSECOMMAND& job : jobs) {
    if (!job.deleted) text += FormatReuseLine(job);
  }
  return text;
}

bool ReuseTextBreaksLine(const CString& text) {
  return text.Find(u"\",") >= 0 || text.Find(u'\r') >= 0 || text.Find(u'\n') >= 0;
}

ReuseSave SaveReuseStore(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs,
                         std::optional<std::string>& listStamp) {
  const CString listPath = JoinPath(programFolder, CString(kReuseListFileName));
  const FileLock lock(LockPath(programFolder), FileLock::Kind::kExclusive);
  FileBefore listBefore;
  if (!ReadBefore(listPath, listBefore)) return ReuseSave::kFailed;
  if (listBefore.existed != listStamp.has_value() || (listBefore.existed && listBefore.bytes != *listStamp))
    return ReuseSave::kChangedElsewhere;

  // What the save does to the settings files, and their bytes before it.
  struct ToolWrite {
    size_t job;
    FileBefore before;
  };
  std::vector<ToolWrite> writes;
  std::set<CString> written;
  for (size_t i = 0; i < jobs.size(); ++i) {
    const REUSECOMMAND& job = jobs[i];
    if (job.deleted || (!job.nameChanged && !job.toolLinesChanged)) continue;
    const CString path = EditSettingsFilePath(programFolder, job.csvFile, job.jobName);
    // Names that make no file of the settings folder: the job would lose its tools.
    if (path.IsEmpty()) return ReuseSave::kNameRefused;
    if (!written.insert(path).second) continue;
    writes.push_back({i, {}});
    if (!ReadBefore(path, writes.back().before)) return ReuseSave::kFailed;
  }
  std::vector<FileBefore> removals;
  std::set<CString> removed;
  for (const REUSECOMMAND& job : jobs) {
    if (!(job.deleted || job.nameChanged) || job.toolFilePath.IsEmpty()) continue;
    if (written.count(job.toolFilePath) || !removed.insert(job.toolFilePath).second) continue;
    removals.emplace_back();
    if (!ReadBefore(job.toolFilePath, removals.back())) return ReuseSave::kFailed;
  }

  // Files changed so far, put back in reverse order when a later step fails.
  std::vector<const FileBefore*> changed;
  auto putBackAll = [&]() {
    bool all = true;
    for (auto it = changed.rbegin(); it != changed.rend(); ++it) all = PutBack(**it) && all;
    return all ? ReuseSave::kFailed : ReuseSave::kFailedPartly;
  };
  auto writeTool = [&](const ToolWrite& w) {
    if (!WriteLines(w.before.path, jobs[w.job].toolLines)) return false;
    changed.push_back(&w.before);
    return true;
  };
  std::vector<CString> lines;
  for (const REUSECOMMAND& job : jobs) {
    if (!job.deleted) lines.push_back(FormatReuseLine(job));
  }
  // New and renamed settings files first, then the list, then the old files
  // go: a kill at any point leaves every job of the list on disk its tools.
  if (!writes.empty()) {
    std::error_code ec;
    fs::create_directories(ToFsPath(EditSettingsFolder(programFolder)), ec);
  }
  for (const ToolWrite& w : writes) {
    if (!writeTool(w)) return putBackAll();
  }
  if (!WriteLines(listPath, lines)) return putBackAll();
  changed.push_back(&listBefore);
  for (const FileBefore& old : removals) {
    if (!RemoveFileIfPresent(old.path)) return putBackAll();
    changed.push_back(&old);
  }
  RemoveUnnamedToolFiles(programFolder, jobs);
  FileBefore listAfter;
  if (ReadBefore(listPath, listAfter) && listAfter.existed) listStamp = std::move(listAfter.bytes);
  return ReuseSave::kSaved;
}

ReuseReset ResetReuseStore(const CString& programFolder) {
  const FileLock lock(LockPath(programFolder), FileLock::Kind::kExclusive);
  const fs::path folder = ToFsPath(programFolder);
  const fs::path list = folder / u"ReuseCommandFile.txt";
  const fs::path tools = ToFsPath(EditSettingsFolder(programFolder));
  const fs::path backup = folder / u"BackUp";
  const fs::path backupTools = backup / u"DataEditTool";
  std::error_code ec;

  // The backup replaces the previous one whole; nothing is emptied unless it succeeded.
  fs::create_directories(backup, ec);
  if (ec) return ReuseReset::kBackupFailed;
  fs::remove_all(backupTools, ec);
  if (ec) return ReuseReset::kBackupFailed;
  if (fs::exists(list, ec)) {
    fs::copy_file(list, backup / u"ReuseCommandFile.txt", fs::copy_options::overwrite_existing, ec);
    if (ec) return ReuseReset::kBackupFailed;
  } else {
    fs::remove(backup / u"ReuseCommandFile.txt", ec);
    if (ec) return ReuseReset::kBackupFailed;
  }
  if (fs::is_directory(tools, ec)) {
    fs::create_directories(backupTools, ec);
    if (ec) return ReuseReset::kBackupFailed;
    for (const fs::directory_entry& entry : fs::directory_iterator(tools, ec)) {
      if (!entry.is_regular_file(ec)) continue;
      fs::copy_file(entry.path(), backupTools / entry.path().filename(), ec);
      if (ec) return ReuseReset::kBackupFailed;
    }
    if (ec) return ReuseReset::kBackupFailed;
  }

  bool ok = WriteLines(JoinPath(programFolder, CString(kReuseListFileName)), {});
  if (fs::is_directory(tools, ec)) {
    for (const fs::directory_entry& entry : fs::directory_iterator(tools, ec)) {
      if (!entry.is_regular_file(ec)) continue;
      fs::remove(entry.path(), ec);
      ok = ok && !ec;
    }
  }
  return ok ? ReuseReset::kDone : ReuseReset::kClearFailed;
}
