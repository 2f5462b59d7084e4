#include "edittools/chain/edit_settings_file.h"

#include <optional>

#include "edittools/chain/tool_kinds.h"

namespace {

// The kind whose section the line starts (kNone for "@Header"), none for no section.
// The headers are tested in this order, each by its own number of characters.
std::optional<ToolKind> FindSection(const CString& line) {
  const std::u16string_view text = line.View();
  if (text.starts_with(u"@Heade")) return ToolKind::kNone;
  for (const ToolKindInfo& info : kToolKinds) {
    if (text.starts_with(std::u16string_view(info.section, static_cast<size_t>(info.sectionChars))))
      return info.kind;
  }
  return std::nullopt;
}

void ReadSection(ToolKind kind, CCsvTextFile& in, const EditSettingsRecords& r) {
  switch (kind) {
    case ToolKind::kNone: ReadHeaderSection(in, r.order); return;
    case ToolKind::kPivot: ReadPivotSection(in, r.pivot); return;
    case ToolKind::kAddCsv: ReadAddCsvSection(in, r.join); return;
    case ToolKind::kFilter: ReadFilterSection(in, r.filter); return;
    case ToolKind::kSort: ReadSortSection(in, r.sort); return;
    case ToolKind::kMacro: ReadMacroSection(in, r.macro); return;
  }
}

// The section of one kind; none for kNone.
void WriteSection(CSettingsLineSink& out, ToolKind kind, const EditSettingsRecords& r) {
  switch (kind) {
    case ToolKind::kNone: return;
    case ToolKind::kPivot: WritePivotSection(out, r.pivot); return;
    case ToolKind::kAddCsv: WriteAddCsvSection(out, r.join); return;
    case ToolKind::kFilter: WriteFilterSection(out, r.filter); return;
    case ToolKind::kSort: WriteSortSection(out, r.sort); return;
    case ToolKind::kMacro: WriteMacroSection(out, r.macro); return;
  }
}

}  // namespace

void ReadEditSettings(CCsvTextFile& in, const EditSettingsRecords& records) {
  CString line;
  bool first = true;
  while (in.ReadLine(line, CCsvTextFile::kToolSettingsLineChars)) {
    // A UTF-8 signature at the start of the file is no part of the first line.
    if (first && !line.IsEmpty() && line[0] == u'\uFEFF') line = line.Mid(1);
    first = false;
    if (const std::optional<ToolKind> kind = FindSection(line)) ReadSection(*kind, in, records);
  }
}

bool ReadEditSettingsFile(const CString& path, const EditSettingsRecords& records) {
  CCsvTextFile in;
  if (!in.Open(path, u"r", CCsvTextFile::CODETYPE_UTF8)) return false;
  ReadEditSettings(in, records);
  const bool failed = in.GetReadState() == CCsvTextFile::ReadState::kReadError;
  in.Close();
  return !failed;
}

void WriteEditSettings(CSettingsLineSink& out, const EditSettingsRecords& r) {
  WriteHeaderSection(out, r.order);
  // A kind listed twice (a hand-edited file) gets one section: a second copy of
  // the same record would double its lists when the file is read again.
  bool written[TOOL_KIND_COUNT] = {};  // by ToolKindIndex
  for (const TOOLSLOT& slot : r.order) {
    if (!FindToolKind(slot.toolKind) || written[ToolKindIndex(slot.toolKind)]) continue;
    written[ToolKindIndex(slot.toolKind)] = true;
    WriteSection(out, slot.toolKind, r);
  }
}
