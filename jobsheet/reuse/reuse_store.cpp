#include "jobsheet/reuse/reuse_store.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "edittools/chain/edit_settings_path.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "grid/text_width.h"
#include "platform/int_text.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {

// The longest list line, and the longest settings-file line the store keeps whole.
constexpr int kListLineChars = 100000;

bool IsNonEmptyFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && fs::file_size(path, ec) > 0 && !ec;
}

// Reads a job's settings file line by line; false when a line did not fit or the
// read failed (the lines read so far stay in lines).
bool ReadToolLines(const CString& path, std::vector<CString>& lines, int* filePathCount) {
  CCsvTextFile file;
  if (!file.Open(path, CString(u"r"), CCsvTextFile::CODETYPE_UTF8)) {
    // An empty file has no lines; anything else that does not open is unreadable.
    return !IsNonEmptyFile(ToFsPath(path));
  }
  int count = 0;
  CString line;
  bool whole = true;
  for (;;) {
    if (file.ReadLine(line, kListLineChars)) {
      if (line.Left(9) == u"FilePath=") ++count;
      lines.push_back(line);
      continue;
    }
    if (file.GetReadState() == CCsvTextFile::ReadState::kLineTooLong) {
      whole = false;
      continue;
    }
    if (file.GetReadState() != CCsvTextFile::ReadState::kEndOfFile) whole = false;
    break;
  }
  file.Close();
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
  std::error_code ec;
  if (fs::exists(ToFsPath(toolPath), ec)) {
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

bool RemoveIfPresent(const CString& path) {
  if (path.IsEmpty()) return true;
  std::error_code ec;
  fs::remove(ToFsPath(path), ec);
  return !ec;
}

}  // namespace

ReuseListRead LoadReuseList(const CString& programFolder, std::vector<REUSECOMMAND>& jobs) {
  const CString listPath = JoinPath(programFolder, CString(kReuseListFileName));
  CCsvTextFile file;
  if (!file.Open(listPath, CString(u"r"), CCsvTextFile::CODETYPE_UTF8)) {
    return IsNonEmptyFile(ToFsPath(listPath)) ? ReuseListRead::kPartial : ReuseListRead::kNoFile;
  }
  bool whole = true;
  CString line;
  for (;;) {
    if (file.ReadLine(line, kListLineChars)) {
      REUSECOMMAND job;
      if (!ParseReuseLine(line, programFolder, job)) whole = false;
      jobs.push_back(std::move(job));
      continue;
    }
    if (file.GetReadState() == CCsvTextFile::ReadState::kLineTooLong) {
      whole = false;
      continue;
    }
    if (file.GetReadState() != CCsvTextFile::ReadState::kEndOfFile) whole = false;
    break;
  }
  file.Close();
  return whole ? ReuseListRead::kWhole : ReuseListRead::kPartial;
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

bool SaveReuseToolFiles(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs) {
  bool ok = true;
  std::set<CString> written;
  std::vector<bool> writtenOk(jobs.size(), true);
  for (size_t i = 0; i < jobs.size(); ++i) {
    const REUSECOMMAND& job = jobs[i];
    if (job.deleted || (!job.nameChanged && !job.toolLinesChanged)) continue;
    std::error_code ec;
    fs::create_directories(ToFsPath(EditSettingsFolder(programFolder)), ec);
    const CString path = EditSettingsFilePath(programFolder, job.csvFile, job.jobName);
    writtenOk[i] = WriteLines(path, job.toolLines);
    if (writtenOk[i]) written.insert(path);
    ok = ok && writtenOk[i];
  }
  for (size_t i = 0; i < jobs.size(); ++i) {
    const REUSECOMMAND& job = jobs[i];
    const bool leaves = job.deleted || (job.nameChanged && writtenOk[i]);
    if (!leaves || job.toolFilePath.IsEmpty() || written.count(job.toolFilePath)) continue;
    ok = RemoveIfPresent(job.toolFilePath) && ok;
  }
  return ok;
}

bool SaveReuseList(const CString& programFolder, const std::vector<REUSECOMMAND>& jobs) {
  std::vector<CString> lines;
  for (const REUSECOMMAND& job : jobs) {
    if (!job.deleted) lines.push_back(FormatReuseLine(job));
  }
  return WriteLines(JoinPath(programFolder, CString(kReuseListFileName)), lines);
}

ReuseReset ResetReuseStore(const CString& programFolder) {
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
