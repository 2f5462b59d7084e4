#include "platform/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct ReadCase {
  const char* name;
  std::string bytes;  // written as the file
  SettingsFileState state;
  bool bom;
  std::string after;  // the bytes read
};

class SettingsFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsFileRead, TakesOnlyTextAndSkipsTheMark) {
  const ReadCase& c = GetParam();
  testsupport::TempDir dir;
  const fs::path path = dir.Write("a.ini", c.bytes);
  const SettingsFileText file = ReadSettingsFile(CString(path.string()));
  EXPECT_EQ(file.state, c.state);
  EXPECT_EQ(file.utf8Bom, c.bom);
  EXPECT_EQ(file.bytes, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsFileRead,
    ::testing::Values(ReadCase{"Plain", "A=1\r\n", SettingsFileState::kRead, false, "A=1\r\n"},
                      ReadCase{"Empty", "", SettingsFileState::kRead, false, ""},
                      ReadCase{"MarkIsSkipped", "\xEF\xBB\xBF" "A=1\n", SettingsFileState::kRead, true, "A=1\n"},
                      ReadCase{"MarkInsideStays", "A=\xEF\xBB\xBF\n", SettingsFileState::kRead, false,
                               "A=\xEF\xBB\xBF\n"},
                      ReadCase{"NulByteIsBinary", std::string("A=1\n\0", 5), SettingsFileState::kUnreadable, false,
                               ""},
                      ReadCase{"Utf16IsBinary", std::string("\xFF\xFE" "A\0=\0", 6), SettingsFileState::kUnreadable,
                               false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFile, WhatIsNoRegularFileIsUnreadableAndNothingIsMissing) {
  testsupport::TempDir dir;
  fs::create_directory(dir / "folder.ini");
  ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);  // a read would wait for a writer
  dir.Write("locked.ini", "A=1\n");
  ::chmod((dir / "locked.ini").c_str(), 0);
  EXPECT_EQ(ReadSettingsFile(CString((dir / "folder.ini").string())).state, SettingsFileState::kUnreadable);
  EXPECT_EQ(ReadSettingsFile(CString((dir / "fifo.ini").string())).state, SettingsFileState::kUnreadable);
  if (::geteuid() != 0) {  // root reads it anyway
    EXPECT_EQ(ReadSettingsFile(CString((dir / "locked.ini").string())).state, SettingsFileState::kUnreadable);
  }
  EXPECT_EQ(ReadSettingsFile(CString((dir / "none.ini").string())).state, SettingsFileState::kMissing);
  EXPECT_EQ(ReadSettingsFile(CString((dir / "none/a.ini").string())).state, SettingsFileState::kMissing);
}

TEST(SettingsFile, LinesEndAtLfAndTheLastNeedsNone) {
  std::vector<std::pair<std::string, bool>> lines;
  ForEachLineOf("a\r\n\nb", [&](std::string_view line, bool ended) { lines.emplace_back(line, ended); });
  EXPECT_EQ(lines, (std::vector<std::pair<std::string, bool>>{{"a\r", true}, {"", true}, {"b", false}}));
}

// A text Shift_JIS can hold is written as before; any other is UTF-8 behind the
// mark, and both read back the same text.
TEST(SettingsFile, BytesKeepEveryCharacterAndReadBack) {
  struct Row {
    const char16_t* text;
    std::string bytes;
  };
  const Row rows[] = {
      {u"A=帳票\r\n", "A=\x92\xA0\x95\x5B\r\n"},
      {u"A=jos\u00e9\r\n", "\xEF\xBB\xBF" "A=jos\xC3\xA9\r\n"},
      {u"A=\U0001F600帳\r\n", "\xEF\xBB\xBF" "A=\xF0\x9F\x98\x80\xE5\xB8\xB3\r\n"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(SettingsFileBytes(CString(r.text), CP_SJIS), r.bytes);
    testsupport::TempDir dir;
    const SettingsFileText file = ReadSettingsFile(CString(dir.Write("a.ini", r.bytes).string()));
    EXPECT_EQ(SettingsLineText(file, file.bytes, CP_SJIS), CString(r.text));
  }
}

}  // namespace
