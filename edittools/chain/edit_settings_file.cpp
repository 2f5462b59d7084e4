#include "edittools/chain/edit_settings_file.h"

#include "edittools/chain/tool_kinds.h"

namespace {

// The kind whose section the line starts (TOOL_NONE for "@Header"), -1 for none.
// The headers are tested in this order, each by its own number of characters.
int FindSection(const CString& line) {
  const std::u16string_view text = line.View();
  if (text.starts_with(u"@Heade")) return TOOL_NONE;
  for (const ToolKindInfo& info : kToolKinds) {
    if (text.starts_with(std::u16string_view(info.section, static_cast<size_t>(info.sectionChars))))
      return info.kind;
  }
  return -1;
}

void ReadSection(int kind, CCsvTextFile& in, const EditSettingsRecords& r) {
  switch (kind) {
    case TOOL_NONE: ReadHeaderSection(in, r.order); break;
    case TOOL_PIVOT: ReadPivotSection(in, r.pivot); break;
    case TOOL_ADDCSV: ReadAddCsvSection(in, r.join); break;
    case TOOL_FILTER: ReadFilterSection(in, r.filter); break;
    case TOOL_SORT: ReadSortSection(in, r.sort); break;
    case TOOL_MACRO: ReadMacroSection(in, r.macro); break;
    default: break;
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
    const int kind = FindSection(line);
    if (kind >= 0) ReadSection(kind, in, records);
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
  bool written[TOOL_SLOT_COUNT + 1] = {};
  for (const TOOLSLOT& slot : r.order) {
    if (!FindToolKind(slot.toolKind) || written[slot.toolKind]) continue;
    written[slot.toolKind] = true;
    switch (slot.toolKind) {
      case TOOL_PIVOT: WritePivotSection(out, r.pivot); break;
      case TOOL_ADDCSV: WriteAddCsvSection(out, r.join); break;
      case TOOL_FILTER: WriteFilterSection(out, r.filter); break;
      case TOOL_SORT: WriteSortSection(out, r.sort); break;
      case TOOL_MACRO: WriteMacroSection(out, r.macro); break;
      default: break;
    }
  }
}
