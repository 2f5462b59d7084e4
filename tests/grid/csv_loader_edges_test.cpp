// The loader at the edges of its input: padded lines, quoted line breaks in every
// code, the line-length limit.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/clipboard_table.h"
#include "grid/csv_loader.h"
#include "grid/csv_text_file.h"
#include "grid/grid_set_fixture.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

using testsupport::TempDir;

CString PathText(const std::filesystem::path& p) { return CString::FromUtf8(p.string()); }

class LoaderEdgesTest : public ::testing::Test {
 protected:
  void SetUp() override { gridtest::ResetSet(); }

  int LoadPath(const CString& path) {
    gridtest::ResetSet();
    hooks_.Clear();
    path_ = path;
    return LoadCsvFile(gridtest::Set(), path);
  }
  int Load(const std::string& name, const std::string& bytes) { return LoadPath(PathText(dir_.Write(name, bytes))); }
  const CGridSet& Set() const { return gridtest::Set(); }
  // Inserts a table as copied text; the columns the page then has.
  int Paste(const CString& text, int& cols) {
    gridtest::ResetSet();
    hooks_.Clear();
    TABLEPASTE paste;
    const int result = InsertTableText(gridtest::Set(), text, paste);
    cols = paste.colCount;
    return result;
  }

  TempDir dir_;
  CString path_;
  RecordingUiHooks hooks_;
};

std::string Commas(int n) { return std::string(static_cast<size_t>(n), ','); }

// Spreadsheets end lines with empty fields: those past column 256 go without a
// word; only a field past 256 that holds text refuses the file.
TEST_F(LoaderEdgesTest, EmptyFieldsPastColumn256AreDropped) {
  struct Case {
    const char* name;
    std::string bytes;
    int result;
    int dataCols;
  };
  const Case cases[] = {
      {"two columns padded to 300 fields", "a,b" + Commas(298) + "\r\nc,d" + Commas(298) + "\r\n", 1, 256},
      {"padded beyond the 1000 fields of a split", "a,b" + Commas(1500) + "\r\n", 1, 256},
      {"blanks and empty quotes count as empty", "a,b" + Commas(255) + " ,\"\",  \r\n", 1, 256},
      {"text past column 256", "a,b" + Commas(298) + "x\r\n", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Load("padded.csv", c.bytes), c.result);
    EXPECT_EQ(Set().m_DataCols, c.dataCols);
    if (c.result == 1) {
      EXPECT_TRUE(hooks_.Boxes().empty());
      EXPECT_EQ(Set().m_DataGrid.GetAt(0, 1), CString(u"b"));
      EXPECT_EQ(Set().m_RowFilledCount[0], 2);
    } else {
      ASSERT_EQ(hooks_.Boxes().size(), 1u);
      EXPECT_EQ(hooks_.Boxes()[0].text, CString::Build(u"[%s] 1行目\nCSVデータの列数は256以内にして下さい。", path_));
    }
  }
}

// The same rule for a pasted table. Trailing tabs are blanks that go with the
// line; empty quoted cells are not.
TEST_F(LoaderEdgesTest, EmptyCellsPastColumn256OfAPasteAreDropped) {
  CString padded = u"a\tb";
  for (int i = 0; i < 298; ++i) padded += u"\t\"\"";
  int cols = 0;
  EXPECT_EQ(Paste(padded + u"\r\n" + padded + u"\r\n", cols), 0);
  EXPECT_EQ(cols, 256);
  EXPECT_TRUE(hooks_.Boxes().empty());
  EXPECT_EQ(Set().m_EditGrid.GetAt(1, 1), CString(u"b"));
  EXPECT_NE(Paste(padded + u"x\r\n", cols), 0);
  ASSERT_EQ(hooks_.Boxes().size(), 1u);
  EXPECT_NE(hooks_.Boxes()[0].text.Find(u"列数または行数が規定値を超えています。"), -1);
}

// Regression: in TSV files and in EUC-JP files a quoted line break split the record
// and shifted the cells of the following rows.
TEST_F(LoaderEdgesTest, AQuotedLineBreakKeepsItsRecordInEveryCodeAndInTsv) {
  struct Case {
    const char* file;
    int codeType;
  };
  const Case cases[] = {
      {"quoted_break_sjis.csv", CCsvTextFile::CODETYPE_SJIS},
      {"quoted_break_sjis.tsv", CCsvTextFile::CODETYPE_SJIS},
      {"quoted_break_utf8.csv", CCsvTextFile::CODETYPE_UTF8},
      {"quoted_break_utf8.tsv", CCsvTextFile::CODETYPE_UTF8},
      {"quoted_break_eucjp.csv", CCsvTextFile::CODETYPE_EUCJP},
      {"quoted_break_eucjp.tsv", CCsvTextFile::CODETYPE_EUCJP},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_EQ(LoadPath(PathText(testsupport::DataFile(std::string("text/") + c.file))), 1);
    EXPECT_EQ(Set().m_SourceCodeType, c.codeType);
    ASSERT_EQ(Set().m_DataRows, 2);
    EXPECT_EQ(Set().m_DataCols, 3);
    EXPECT_EQ(Set().m_DataGrid.GetAt(0, 1), CString(u"備考\n二行目"));
    EXPECT_EQ(Set().m_DataGrid.GetAt(0, 2), CString(u"数量"));
    EXPECT_EQ(Set().m_DataGrid.GetAt(1, 0), CString(u"りんご"));
    EXPECT_EQ(Set().m_DataGrid.GetAt(1, 2), CString(u"3"));
    EXPECT_TRUE(hooks_.Boxes().empty());
  }
}

// Regression: a line of 99999 bytes was refused, with a message saying that 99999
// bytes are allowed, when a line end followed it.
TEST_F(LoaderEdgesTest, TheLineLimitOf99999BytesHoldsWithOrWithoutALineEnd) {
  struct Case {
    const char* name;
    std::string bytes;
    int result;
  };
  // 99999 bytes in fields of at most 500 characters.
  std::string longest;
  while (longest.size() + 501 < 99999) longest += std::string(500, 'x') + ",";
  longest += std::string(99999 - longest.size(), 'y');
  const Case cases[] = {
      {"longest line, then LF", longest + "\nb,c\n", 1},
      {"longest line, then CR LF", longest + "\r\nb,c\r\n", 1},
      {"longest line ends the file", "b,c\n" + longest, 1},
      {"one byte more, then LF", longest + "x\nb,c\n", 0},
      {"one byte more ends the file", "b,c\n" + longest + "x", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Load("long.csv", c.bytes), c.result);
    if (c.result == 1) {
      EXPECT_TRUE(hooks_.Boxes().empty());
      EXPECT_EQ(Set().m_DataRows, 2);
    } else {
      ASSERT_EQ(hooks_.Boxes().size(), 1u);
      EXPECT_NE(hooks_.Boxes()[0].text.Find(u"CSVデータの1行は99999バイト以内にして下さい。"), -1);
    }
  }
}

}  // namespace
