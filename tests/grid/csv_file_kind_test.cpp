#include "grid/csv_file_kind.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvFileKind, DecidesByTheFinalExtensionOfTheName) {
  struct Case {
    const char* name;
    const char16_t* path;
    CsvFileKind kind;
  };
  const Case cases[] = {
      {"LowerCsv", u"/d/a.csv", CsvFileKind::kCsv},
      {"UpperCsv", u"/d/a.CSV", CsvFileKind::kCsv},
      {"LowerTsv", u"/d/a.tsv", CsvFileKind::kTsv},
      {"UpperTsv", u"/d/a.TSV", CsvFileKind::kTsv},
      {"NameWithoutFolder", u"a.tsv", CsvFileKind::kTsv},
      {"BackslashFolder", u"C:\\d\\a.csv", CsvFileKind::kCsv},
      {"MixedCaseIsNone", u"/d/a.Csv", CsvFileKind::kNone},
      {"BackupOfCsvIsNone", u"/d/a.csv.bak", CsvFileKind::kNone},
      {"TsvBeforeCsv", u"/d/a.tsv.csv", CsvFileKind::kCsv},
      {"CsvInFolderNameOnly", u"/d.csv/a.txt", CsvFileKind::kNone},
      {"NoExtension", u"/d/csv", CsvFileKind::kNone},
      {"DotNameOnly", u"/d/.csv", CsvFileKind::kNone},
      {"Empty", u"", CsvFileKind::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(CsvFileKindOf(CString(c.path)), c.kind) << c.name;
}

}  // namespace
