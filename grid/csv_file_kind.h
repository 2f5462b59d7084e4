#pragma once
// The one rule for telling a CSV or TSV file by its name.

#include "platform/cstring.h"

enum class CsvFileKind { kNone, kCsv, kTsv };

// By the final extension of the path's file name, in exact case: ".csv" and ".CSV"
// name a CSV file, ".tsv" and ".TSV" a TSV file. "a.csv.bak", "a.Csv", a folder
// named "d.csv" and a bare ".csv" (a hidden file's name) name neither.
CsvFileKind CsvFileKindOf(const CString& path);

// The file chooser that asks for a data file: its title and its filter.
inline constexpr char16_t kDataFileChooserTitle[] = u"データ元CSVファイル選択";
inline constexpr char16_t kDataFileFilter[] = u"データファイル(*.csv)|*.csv;*.tsv|";
