#include "grid/csv_text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include <string>
#include <vector>

#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

// Files and folders directly inside a folder.
int EntriesIn(const std::filesystem::path& folder) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) (void)e, ++n;
  return n;
}

using testsupport::DataFile;
using testsupport::TempDir;

CString PathText(const std::filesystem::path& p) { return CString::FromUtf8(p.string()); }

// Every line ReadLine gives, and the state it ended with.
std::vector<CString> ReadAll(CCsvTextFile& f, CCsvTextFile::ReadState* last = nullptr,
                             int maxChars = CCsvTextFile::kCsvLineChars) {
  std::vector<CString> lines;
  CString line;
  for (int guard = 0; guard < 1000 && f.ReadLine(line, maxChars); ++guard) lines.push_back(line);
  if (last) *last = f.GetReadState();
  return lines;
}

const std::vector<CString> kStaff = {
    CString(u"社員番号,氏名,部署,入社日,給与"),
    CString(u"1001,山田太郎,営業部,2020/04/01,350000"),
    CString(u"1002,佐藤花子,\"総務部,庶務課\",2019/10/15,320000"),
    CString(u"1003,鈴木一郎,開発部,2021/01/05,410000"),
};

struct DetectCase {
  const char* name;
  const char* file;
  int codeType;
  int hasCrLf;
  const char16_t* lineEnd;  // what each line ends with
};

class DetectTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectTest, SettlesCodeAndReadsEveryLine) {
  const DetectCase& c = GetParam();
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(DataFile(std::string("text/") + c.file)), u"r",
                     CCsvTextFile::CODETYPE_DETECT));
  EXPECT_EQ(f.m_CodeType, c.codeType);
  EXPECT_EQ(f.m_HasCrLf, c.hasCrLf);
  CCsvTextFile::ReadState last;
  std::vector<CString> lines = ReadAll(f, &last);
  ASSERT_EQ(lines.size(), kStaff.size());
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kStaff[i] + c.lineEnd) << i;
  EXPECT_EQ(last, CCsvTextFile::ReadState::kEndOfFile);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DetectTest,
    ::testing::Values(
        DetectCase{"Utf8Lf", "staff_utf8_lf.csv", 3, 0, u"\n"},
        DetectCase{"Utf8CrLfIsNotShiftJis", "staff_utf8_crlf.csv", 3, 1, u"\r\n"},
        DetectCase{"Utf8BomSkipped", "staff_utf8_bom_crlf.csv", 3, 0, u"\r\n"},
        DetectCase{"SjisCrLf", "staff_sjis_crlf.csv", 1, 1, u"\n"},
        DetectCase{"SjisLf", "staff_sjis_lf.csv", 1, 0, u"\n"},
        DetectCase{"EucJpLf", "staff_eucjp_lf.csv", 2, 0, u"\n"},
        DetectCase{"EucJpCrLf", "staff_eucjp_crlf.csv", 2, 1, u"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Regression: opening a pipe waited for a writer for ever.
// Regression: a UTF-16 file with its mark was read as EUC-JP and came out garbled.
TEST(CsvTextFileTest, Utf16WithItsMarkIsReadAsSuch) {
  std::u16string text;
  for (const CString& line : kStaff) text += std::u16string(line.View()) + u"\r\n";
  for (const bool little : {true, false}) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t u : text) {
      const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
      bytes += little ? std::string{lo, hi} : std::string{hi, lo};
    }
    testsupport::TempDir dir;
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(dir.Write("wide.csv", bytes)), u"r", CCsvTextFile::CODETYPE_DETECT)) << little;
    EXPECT_EQ(f.m_CodeType, CCsvTextFile::CODETYPE_UTF8) << little;
    std::vector<CString> lines = ReadAll(f);
    ASSERT_EQ(lines.size(), kStaff.size()) << little;
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kStaff[i] + u"\r\n") << i;
  }
}

TEST(CsvTextFileTest, APipeOrAFolderIsNotOpened) {
  testsupport::TempDir dir;
  const auto fifo = dir.path() / "pipe.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directories(dir.path() / "folder.csv");
  for (const char* name : {"pipe.csv", "folder.csv"}) {
    CCsvTextFile file;
    EXPECT_FALSE(file.Open(CString((dir.path() / name).string()), u"r", CCsvTextFile::CODETYPE_UTF8)) << name;
  }
}

TEST(CsvTextFileTest, DetectionWithoutCandidatesFallsBackOnLineEndsThenUtf8) {
  struct Case {
    const char* name;
    std::string bytes;
    int codeType;
    int hasCrLf;
  };
  const Case cases[] = {
      {"AsciiWithCrLfIsShiftJis", "a,b\r\n1,2\r\n", CCsvTextFile::CODETYPE_SJIS, 1},
      {"AsciiWithLfIsUtf8", "a,b\n1,2\n", CCsvTextFile::CODETYPE_UTF8, 0},
      {"NoCodeFitsAndNotUtf8IsEucJp", "\xFF,\xFF\xFE\n", CCsvTextFile::CODETYPE_EUCJP, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(dir.Write("in.csv", c.bytes)), u"r", CCsvTextFile::CODETYPE_DETECT))
        << c.name;
    EXPECT_EQ(f.m_CodeType, c.codeType) << c.name;
    EXPECT_EQ(f.m_HasCrLf, c.hasCrLf) << c.name;
  }
}

// A first block of ASCII alone used to settle Shift_JIS for any CR LF file, and the
// Japanese text further on came out garbled.
TEST(CsvTextFileTest, AsciiFirstBlockIsJudgedByTheJapaneseTextFurtherOn) {
  struct Case {
    const char* name;
    const char* tail;  // the last line, in the file's own code
    int codeType;
  };
  const Case cases[] = {
      {"Utf8", "\xE5\xB1\xB1\xE7\x94\xB0,\xE6\x9D\xB1\xE4\xBA\xAC\r\n", CCsvTextFile::CODETYPE_UTF8},
      {"ShiftJis", "\x8E\x52\x93\x63,\x93\x8C\x8B\x9E\r\n", CCsvTextFile::CODETYPE_SJIS},
      {"EucJp", "\xBB\xB3\xC5\xC4,\xC5\xEC\xB5\xFE\r\n", CCsvTextFile::CODETYPE_EUCJP},
  };
  std::string ascii = "id,name\r\n";
  while (ascii.size() < 150000) ascii += "12345,abcdefghij\r\n";
  for (const Case& c : cases) {
    TempDir dir;
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(dir.Write("in.csv", ascii + c.tail)), u"r",
                       CCsvTextFile::CODETYPE_DETECT))
        << c.name;
    EXPECT_EQ(f.m_CodeType, c.codeType) << c.name;
    CString line, last;
    while (f.ReadLine(line, 200002)) last = line;
    EXPECT_EQ(last.TrimRight(u"\r\n"), u"山田,東京") << c.name;
  }
}

struct LineCase {
  const char* name;
  const char* fileName;  // decides the quote rule
  int codeType;
  std::string bytes;
  std::vector<std::u16string> lines;
};

class LineRulesTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineRulesTest, SplitsLinesAsTheCodeTypeSays) {
  const LineCase& c = GetParam();
  TempDir dir;
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(dir.Write(c.fileName, c.bytes)), u"r", c.codeType));
  std::vector<CString> lines = ReadAll(f);
  ASSERT_EQ(lines.size(), c.lines.size());
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], CString(c.lines[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LineRulesTest,
    ::testing::Values(
        LineCase{"SjisCrLfFileKeepsBareLfAsText", "a.txt", 1, "a\nb\r\nc\r\n", {u"a\nb\n", u"c\n"}},
        LineCase{"SjisLfOnlyFileEndsLinesAtLf", "a.txt", 1, "a\nb\nc", {u"a\n", u"b\n", u"c"}},
        LineCase{"SjisLoneCrIsText", "a.txt", 1, "a\rb\r\n", {u"a\rb\n"}},
        LineCase{"SjisCrAtEndOfFileStays", "a.txt", 1, "a\r\nb\r", {u"a\n", u"b\r"}},
        LineCase{"Utf8KeepsCrLf", "a.txt", 3, "a\r\nb\n", {u"a\r\n", u"b\n"}},
        LineCase{"CsvQuotedLfStaysInLineCrLf", "a.csv", 1, "a,\"b\nc\",d\r\ne\r\n",
                 {u"a,\"b\nc\",d\n", u"e\n"}},
        LineCase{"CsvQuotedLfStaysInLineLf", "a.csv", 1, "a,\"b\nc\",d\ne\n",
                 {u"a,\"b\nc\",d\n", u"e\n"}},
        LineCase{"CsvQuotedCrLfStaysInLine", "a.csv", 1, "a,\"b\r\nc\",d\r\ne\r\n",
                 {u"a,\"b\r\nc\",d\n", u"e\n"}},
        LineCase{"CsvBareLfAfterAQuotedFieldIsTextInACrLfFile", "a.csv", 1, "\"x\",y\nz\r\n",
                 {u"\"x\",y\nz\n"}},
        LineCase{"CsvLoneCrAfterAQuotedFieldIsText", "a.csv", 1, "\"x\",y\rz\r\n", {u"\"x\",y\rz\n"}},
        LineCase{"Utf8CsvQuotedLfStaysInLine", "a.csv", 3, "a,\"b\nc\",d\n", {u"a,\"b\nc\",d\n"}},
        LineCase{"Utf8CsvQuotedLastFieldEndsAtCrLf", "a.csv", 3, "a,\"b\"\r\nc\r\n",
                 {u"a,\"b\"\r\n", u"c\r\n"}},
        LineCase{"Utf8CsvQuotedCrLfStaysInLine", "a.csv", 3, "\"b\r\nc\"\r\nd\n",
                 {u"\"b\r\nc\"\r\n", u"d\n"}},
        LineCase{"NoQuoteRuleWithoutCsvName", "a.txt", 1, "a,\"b\nc\",d\n",
                 {u"a,\"b\n", u"c\",d\n"}},
        LineCase{"QuoteRuleForTsvName", "x.TSV", 1, "\"b\nc\"\n", {u"\"b\nc\"\n"}},
        // Regressions: the rule knew only the comma and was missing for EUC-JP, so
        // TSV and EUC-JP records were split at a quoted line break.
        LineCase{"TsvQuotedLfStaysInLine", "a.tsv", 1, "a\t\"b\nc\"\td\ne\n",
                 {u"a\t\"b\nc\"\td\n", u"e\n"}},
        LineCase{"Utf8TsvQuotedCrLfStaysInLine", "a.tsv", 3, "a\t\"b\r\nc\"\r\nd\r\n",
                 {u"a\t\"b\r\nc\"\r\n", u"d\r\n"}},
        LineCase{"CommaIsTextInTsv", "a.tsv", 1, "a,\"b\nc\"\n", {u"a,\"b\n", u"c\"\n"}},
        LineCase{"EucJpCsvQuotedLfStaysInLine", "a.csv", 2, "a,\"\xA4\xA2\nc\",d\ne\n",
                 {u"a,\"あ\nc\",d\n", u"e\n"}},
        LineCase{"EucJpTsvQuotedCrLfStaysInLine", "a.tsv", 2, "x\t\"\xA4\xA2\r\nc\"\r\nd\r\n",
                 {u"x\t\"あ\r\nc\"\r\n", u"d\r\n"}},
        LineCase{"DoubledQuoteKeepsFieldOpen", "a.csv", 1, "\"x\"\"y\nz\",w\nv\n",
                 {u"\"x\"\"y\nz\",w\n", u"v\n"}},
        LineCase{"QuoteAsSecondByteOpens", "a.csv", 1, "a\"b\nc\"\nd\n",
                 {u"a\"b\nc\"\n", u"d\n"}},
        LineCase{"QuoteInsideFieldIsText", "a.csv", 1, "ab\"c\nd\n", {u"ab\"c\n", u"d\n"}},
        LineCase{"EucJpKanaAndKanji", "a.txt", 2, "\xA4\xA2\x8E\xB1\xB4\xC1\n",
                 {u"あｱ漢\n"}},
        LineCase{"EucJpPairWithoutMappingIsTwoBlanks", "a.txt", 2, "\xA4\xA2\x81\xA1\xA4\xA4\n",
                 {u"あ  い\n"}},
        LineCase{"EucJpLeadBeforeLfKeepsTheLineEnd", "a.txt", 2, "a\xA4\nb\n", {u"a  \n", u"b\n"}},
        LineCase{"EucJpThreeByteCodeIsTwoBlanks", "a.txt", 2,
                 "\x8F\xB0\xA1\xA4\xA2\xA4\xA4\n", {u"  あい\n"}},
        LineCase{"EucJpLeadAtEndOfFileDropped", "a.txt", 2, "a\xA4", {u"a"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvTextFileTest, PairsAcrossBlockBoundaryStayTogether) {
  struct Case {
    const char* name;
    int codeType;
    std::string split;  // its first byte is the last of the first block
    std::u16string read;
  };
  const Case cases[] = {
      {"ShiftJisCrLfIsOneLineEnd", CCsvTextFile::CODETYPE_SJIS, "\r\nnext\r\n", u"\nnext\n"},
      {"EucJpPairIsOneCharacter", CCsvTextFile::CODETYPE_EUCJP, "\xB4\xC1\n", u"漢\n"},
      {"Utf8CharacterIsWhole", CCsvTextFile::CODETYPE_UTF8, "\xE6\xBC\xA2\n", u"漢\n"},
  };
  for (const Case& c : cases) {
    // A first line, then a second one whose end straddles the block boundary.
    const std::string head = std::string(60000, 'x') + "\n";
    const std::string second = std::string(CCsvTextFile::kBlockSize - 1 - head.size(), 'y');
    const std::string bytes = head + second + c.split;
    ASSERT_EQ(bytes[CCsvTextFile::kBlockSize - 1], c.split[0]);
    TempDir dir;
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(dir.Write("big.txt", bytes)), u"r", c.codeType)) << c.name;
    std::vector<CString> lines = ReadAll(f);
    ASSERT_EQ(lines.size(), c.codeType == CCsvTextFile::CODETYPE_SJIS ? 3u : 2u) << c.name;
    CString rest;
    for (size_t i = 1; i < lines.size(); ++i) rest += lines[i];
    const CString expected(std::u16string(second.size(), u'y') + c.read);
    EXPECT_TRUE(rest == expected) << c.name << ": " << rest.Right(12);
  }
}

TEST(CsvTextFileTest, LineTooLongIsToldApartFromEndOfFileAndNeverCut) {
  std::string bytes = "head\r\n" + std::string(150000, 'y') + "\r\ntail\r\n";
  TempDir dir;
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(dir.Write("long.csv", bytes)), u"r", CCsvTextFile::CODETYPE_DETECT));
  CString line;
  ASSERT_TRUE(f.ReadLine(line));
  EXPECT_EQ(line, CString(u"head\n"));
  EXPECT_FALSE(f.ReadLine(line));
  EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kLineTooLong);
  EXPECT_TRUE(line.IsEmpty());
  // The long line is skipped whole: no piece of it comes back as a line.
  ASSERT_TRUE(f.ReadLine(line));
  EXPECT_EQ(line, CString(u"tail\n"));
  EXPECT_FALSE(f.ReadLine(line));
  EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kEndOfFile);
}

// Regression: a line of 99999 bytes was refused when a line end followed it and
// read when it ended the file. The limit holds for the text, with or without the
// line end, in every code.
TEST(CsvTextFileTest, LineOfAtMost99999BytesFits) {
  struct Case {
    const char* name;
    int codeType;
    size_t textBytes;
    const char* lineEnd;
    bool fits;
    int endChars;  // characters the line end reads as
  };
  const Case cases[] = {
      {"ShiftJisLongest", CCsvTextFile::CODETYPE_SJIS, 99999, "\r\n", true, 1},
      {"ShiftJisOneMore", CCsvTextFile::CODETYPE_SJIS, 100000, "\r\n", false, 0},
      {"Utf8Longest", CCsvTextFile::CODETYPE_UTF8, 99999, "\n", true, 1},
      {"Utf8LongestWithCrLf", CCsvTextFile::CODETYPE_UTF8, 99999, "\r\n", true, 2},
      {"Utf8OneMore", CCsvTextFile::CODETYPE_UTF8, 100000, "\n", false, 0},
      {"EucJpLongest", CCsvTextFile::CODETYPE_EUCJP, 99999, "\n", true, 1},
      {"EucJpOneMore", CCsvTextFile::CODETYPE_EUCJP, 100000, "\r\n", false, 0},
      {"LastLineWithoutEnd", CCsvTextFile::CODETYPE_UTF8, 99999, "", true, 0},
      {"LastLineOneMore", CCsvTextFile::CODETYPE_SJIS, 100000, "", false, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    CCsvTextFile f;
    std::string bytes = std::string(c.textBytes, 'y') + c.lineEnd;
    if (*c.lineEnd) bytes += "next\n";
    ASSERT_TRUE(f.Open(PathText(dir.Write("long.csv", bytes)), u"r", c.codeType)) << c.name;
    CString line;
    EXPECT_EQ(f.ReadLine(line), c.fits) << c.name;
    EXPECT_EQ(f.GetReadState(), c.fits ? CCsvTextFile::ReadState::kLine
                                       : CCsvTextFile::ReadState::kLineTooLong)
        << c.name;
    if (c.fits) {
      EXPECT_EQ(line.GetLength(), static_cast<int>(c.textBytes) + c.endChars) << c.name;
    }
  }
}

TEST(CsvTextFileTest, LineLongerThanCallersCharacterLimitIsTooLong) {
  TempDir dir;
  CCsvTextFile f;
  std::string bytes = std::string(1999, 'a') + "\r\n" + std::string(2000, 'b') + "\r\n";
  ASSERT_TRUE(f.Open(PathText(dir.Write("set.ini", bytes)), u"r", CCsvTextFile::CODETYPE_SJIS));
  CString line;
  // 1999 characters and the LF need 2000 places plus the terminator: too long for 2000.
  EXPECT_FALSE(f.ReadLine(line, CCsvTextFile::kSettingsLineChars));
  EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kLineTooLong);
  EXPECT_TRUE(f.ReadLine(line, 2002));
  EXPECT_EQ(line.GetLength(), 2001);
}

TEST(CsvTextFileTest, OpeningFailures) {
  TempDir dir;
  CCsvTextFile f;
  EXPECT_FALSE(f.Open(PathText(dir.Write("empty.csv", "")), u"r", CCsvTextFile::CODETYPE_DETECT));
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(f.Open(PathText(dir / "missing.csv"), u"r", CCsvTextFile::CODETYPE_DETECT));
  EXPECT_FALSE(f.Open(PathText(dir.path()), u"r", CCsvTextFile::CODETYPE_DETECT));
  EXPECT_FALSE(f.Open(PathText(dir / "no" / "such.ini"), u"w", CCsvTextFile::CODETYPE_SJIS));
  EXPECT_FALSE(f.Open(PathText(dir.path()), u"w", CCsvTextFile::CODETYPE_SJIS));
  CString line;
  EXPECT_FALSE(f.ReadLine(line));
  EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kNotOpen);
}

TEST(CsvTextFileTest, UnknownCodeTypeShowsItsMessage) {
  RecordingUiHooks hooks;
  TempDir dir;
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(dir.Write("a.txt", "abc\n")), u"r", 5));
  CString line;
  EXPECT_FALSE(f.ReadLine(line));
  EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kNoCodeType);
  ASSERT_EQ(hooks.Messages().size(), 1u);
  EXPECT_EQ(hooks.Messages()[0], CString(u"コードタイプの設定がありません。"));
}

// The byte readers hand out at most size - 1 bytes of text with the line end on
// top, and nothing of a line they refuse (the fuzz run once caught a refused EUC-JP
// line coming back with the 64 bytes read so far).
TEST(CsvTextFileTest, ByteReadersLimitTheTextAndGiveNothingOfARefusedLine) {
  struct Case {
    const char* name;
    int codeType;
    std::string bytes;
    std::string first;  // "": refused
  };
  const std::string fits(7, 'a');
  const Case cases[] = {
      {"ShiftJisTextOfSizeMinusOne", CCsvTextFile::CODETYPE_SJIS, fits + "\r\nz\r\n", fits + "\n"},
      {"Utf8KeepsItsCrLfOnTop", CCsvTextFile::CODETYPE_UTF8, fits + "\r\nz\n", fits + "\r\n"},
      {"EucJpKeepsItsCrLfOnTop", CCsvTextFile::CODETYPE_EUCJP, fits + "\r\nz\n", fits + "\r\n"},
      {"ShiftJisOneMore", CCsvTextFile::CODETYPE_SJIS, fits + "b\r\nz\r\n", ""},
      {"EucJpOneMoreWithKanji", CCsvTextFile::CODETYPE_EUCJP, "aaaaaa\xB4\xC1\nz\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(dir.Write("b.txt", c.bytes)), u"r", c.codeType));
    auto read = [&](std::string& out) {
      return f.ReadLineBytes(out, 8);
    };
    std::string bytes = "stale";
    EXPECT_EQ(read(bytes), !c.first.empty());
    EXPECT_EQ(bytes, c.first);
    if (c.first.empty()) {
      EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kLineTooLong);
    }
    ASSERT_TRUE(read(bytes));  // reading goes on with the next line
    EXPECT_EQ(bytes.substr(0, 1), "z");
  }
}

TEST(CsvTextFileTest, ByteReadersGiveRawBytes) {
  TempDir dir;
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(dir.Write("u.txt", "\x82\xA0\r\nx")), u"r",
                     CCsvTextFile::CODETYPE_SJIS));
  std::string bytes;
  ASSERT_TRUE(f.ReadLineBytes(bytes, 8000));
  EXPECT_EQ(bytes, "\x82\xA0\n");
  ASSERT_TRUE(f.ReadLineBytes(bytes, 8000));
  EXPECT_EQ(bytes, "x");
  EXPECT_FALSE(f.ReadLineBytes(bytes, 8000));
  EXPECT_EQ(f.GetReadState(), CCsvTextFile::ReadState::kEndOfFile);

  ASSERT_TRUE(f.Open(PathText(dir.Write("e.txt", "\xB4\xC1\n")), u"r",
                     CCsvTextFile::CODETYPE_EUCJP));
  ASSERT_TRUE(f.ReadLineBytes(bytes, 8000));
  EXPECT_EQ(bytes, "\x8A\xBF\n");  // 漢 in Shift_JIS
}

struct WriteCase {
  const char* name;
  int codeType;
  std::u16string text;
  std::string bytes;
};

class WriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, WritesTheFileCode) {
  const WriteCase& c = GetParam();
  TempDir dir;
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(dir / "out.txt"), u"w", c.codeType));
  const bool known = c.codeType >= 1 && c.codeType <= 3;
  EXPECT_EQ(f.WriteLine(CString(c.text)), known);
  EXPECT_EQ(f.Close(), known);
  EXPECT_EQ(TempDir::Read(dir / "out.txt"), c.bytes);
  EXPECT_EQ(std::filesystem::exists(dir / "out.txt"), known);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WriteTest,
    ::testing::Values(WriteCase{"SjisGetsCrLf", 1, u"a\nb\n", "a\r\nb\r\n"},
                      WriteCase{"SjisWithCrLfUnchanged", 1, u"a\r\nb\n", "a\r\nb\n"},
                      WriteCase{"SjisJapanese", 1, u"日本\n", "\x93\xFA\x96\x7B\r\n"},
                      WriteCase{"Utf8KeepsLfNoBom", 3, u"a\nあ\n", "a\n\xE3\x81\x82\n"},
                      WriteCase{"EucJpKeepsLf", 2, u"日本ｱ\n", "\xC6\xFC\xCB\xDC\x8E\xB1\n"},
                      WriteCase{"UnknownCodeWritesNothing", 8, u"a\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvTextFileTest, WritingReplacesTheOldFileOnlyOnClose) {
  TempDir dir;
  auto path = dir.Write("settings.ini", "old\r\n");
  {
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(path), u"w", CCsvTextFile::CODETYPE_SJIS));
    ASSERT_TRUE(f.WriteLine(u"new\n"));
    EXPECT_EQ(TempDir::Read(path), "old\r\n");
    EXPECT_TRUE(f.Close());
  }
  EXPECT_EQ(TempDir::Read(path), "new\r\n");
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(CsvTextFileTest, RegressionAStreamDestroyedWithoutCloseLeavesTheOldFile) {
  // A settings file once became "Key1=new" alone when its writer returned early.
  TempDir dir;
  auto path = dir.Write("settings.ini", "Key1=old\r\nKey2=old\r\n");
  {
    CCsvTextFile f;
    ASSERT_TRUE(f.Open(PathText(path), u"w", CCsvTextFile::CODETYPE_SJIS));
    ASSERT_TRUE(f.WriteLine(u"Key1=new\n"));
  }
  EXPECT_EQ(TempDir::Read(path), "Key1=old\r\nKey2=old\r\n");
  EXPECT_EQ(EntriesIn(dir.path()), 1);
}

TEST(CsvTextFileTest, UnknownCodeTypeNeverEmptiesTheOldFile) {
  TempDir dir;
  auto path = dir.Write("settings.ini", "old\r\n");
  CCsvTextFile f;
  ASSERT_TRUE(f.Open(PathText(path), u"w", CCsvTextFile::CODETYPE_DETECT));
  EXPECT_FALSE(f.WriteLine(u"new\n"));
  EXPECT_FALSE(f.WriteLine(u"more\n"));
  EXPECT_FALSE(f.Close());
  EXPECT_EQ(TempDir::Read(path), "old\r\n");
}

TEST(CsvTextFileTest, ReadThenWriteRoundTripsJapaneseText) {
  TempDir dir;
  const int codes[] = {CCsvTextFile::CODETYPE_SJIS, CCsvTextFile::CODETYPE_EUCJP,
                       CCsvTextFile::CODETYPE_UTF8};
  for (int code : codes) {
    auto path = dir / ("rt" + std::to_string(code) + ".csv");
    {
      CCsvTextFile w;
      ASSERT_TRUE(w.Open(PathText(path), u"w", code));
      for (const CString& l : kStaff) ASSERT_TRUE(w.WriteLine(l + u"\n"));
      ASSERT_TRUE(w.Close());
    }
    CCsvTextFile r;
    ASSERT_TRUE(r.Open(PathText(path), u"r", CCsvTextFile::CODETYPE_DETECT));
    EXPECT_EQ(r.m_CodeType, code);
    std::vector<CString> lines = ReadAll(r);
    ASSERT_EQ(lines.size(), kStaff.size()) << code;
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kStaff[i] + u"\n") << code;
  }
}

}  // namespace
