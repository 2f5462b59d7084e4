#pragma once
// The data-edit settings file: one small UTF-8 file per reusable job holding the
// tool order ("@Header") and one section per tool of the order ("@Pivot",
// "@AddCSV", "@Filter", "@Sort", "@Macro").
//
// Lines: a section starts with its header line and ends with a blank line or the
// end of the file; lines between sections are ignored. Inside a section "//"
// lines are comments, trailing blanks are cut, and a line is "Key=value" with
// the key matched case-sensitively at the start; unknown keys are ignored.
// Numbers read like the runtime's text-to-int (0 without digits, saturating);
// lists are split at commas by SplitCsvLine, texts are written between double
// quotes without escaping. A line of 1024 characters or more ends the section
// it stands in, or the whole file when it stands between sections.
//
// Reading is tolerant and never shows a message: a line with too few fields,
// an index outside its range, or a count outside its record's limits is passed
// over and the field keeps its value. Counts that size a list are accepted only
// while the list stays within kEditSettingsMaxItems.
//
// Writers hand their output to a CSettingsLineSink piece by piece: a record
// line is several pieces (its opening, each ",%d" and each quoted text), then
// "\n" as a piece of its own. Equal settings give equal piece lists.

#include <vector>

#include "edittools/chain/tool_order_records.h"
#include "edittools/filter/filter_records.h"
#include "edittools/join/join_records.h"
#include "edittools/pivot/pivot_records.h"
#include "edittools/sort/sort_records.h"
#include "grid/csv_text_file.h"
#include "macro/macro_setting.h"
#include "platform/cstring.h"

// Targets of the settings writer.
enum : int {
  SETTINGSMODE_FILE = 0,       // the job's file
  SETTINGSMODE_SNAPSHOT1 = 1,  // text snapshot of the settings as loaded
  SETTINGSMODE_SNAPSHOT2 = 2,  // text snapshot of the settings now
};

// Longest list a count key may make (value items, group items, links, macro columns).
inline constexpr int kEditSettingsMaxItems = 1024;

// Receives the writers' output pieces.
class CSettingsLineSink {
 public:
  virtual ~CSettingsLineSink() = default;
  virtual void WriteSettingsLine(const CString& piece) = 0;
};

// Collects pieces in a list (a text snapshot of the settings).
class CSettingsTextList : public CSettingsLineSink {
 public:
  explicit CSettingsTextList(std::vector<CString>& lines) : lines_(lines) {}
  void WriteSettingsLine(const CString& piece) override { lines_.push_back(piece); }

 private:
  std::vector<CString>& lines_;
};

// Writes pieces to an open text stream.
class CSettingsFileSink : public CSettingsLineSink {
 public:
  explicit CSettingsFileSink(CCsvTextFile& file) : file_(file) {}
  void WriteSettingsLine(const CString& piece) override { file_.WriteLine(piece); }

 private:
  CCsvTextFile& file_;
};

// Every record the file stores.
struct EditSettingsRecords {
  TOOLORDER& order;
  PIVOTSETTING& pivot;
  JOINDEF& join;
  FILTERSETTING& filter;
  SORTKEYS& sort;
  MACROSETTING& macro;
};

// Reads the lines of an open stream: each line that starts a section hands the
// stream to that section's reader; other lines are passed over.
void ReadEditSettings(CCsvTextFile& in, const EditSettingsRecords& records);

// Opens path as UTF-8 and reads it. Returns false, reading nothing, when the file
// cannot be opened (missing, empty or unreadable) or a read fails part-way
// (what was read before stays in the records).
bool ReadEditSettingsFile(const CString& path, const EditSettingsRecords& records);

// "@Header", then the section of each used slot's kind in slot order; a slot of
// an unknown kind, or of a kind already written, writes nothing.
void WriteEditSettings(CSettingsLineSink& out, const EditSettingsRecords& records);

// Section readers: the stream stands after the header line; each consumes the
// section up to and including the line that ends it.
void ReadHeaderSection(CCsvTextFile& in, TOOLORDER& order);
void ReadPivotSection(CCsvTextFile& in, PIVOTSETTING& pivot);
void ReadAddCsvSection(CCsvTextFile& in, JOINDEF& join);
void ReadFilterSection(CCsvTextFile& in, FILTERSETTING& filter);
void ReadSortSection(CCsvTextFile& in, SORTKEYS& sort);
void ReadMacroSection(CCsvTextFile& in, MACROSETTING& macro);

// Section writers: header line, the section's lines, a blank line. Counts beyond
// their record's limits are written as they stand, but only the entries that
// exist are written.
void WriteHeaderSection(CSettingsLineSink& out, const TOOLORDER& order);
void WritePivotSection(CSettingsLineSink& out, const PIVOTSETTING& pivot);
void WriteAddCsvSection(CSettingsLineSink& out, const JOINDEF& join);
void WriteFilterSection(CSettingsLineSink& out, const FILTERSETTING& filter);
void WriteSortSection(CSettingsLineSink& out, const SORTKEYS& sort);
void WriteMacroSection(CSettingsLineSink& out, const MACROSETTING& macro);
