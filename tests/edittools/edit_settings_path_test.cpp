#include "edittools/chain/edit_settings_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
  const char* name;
  const char16_t* base;
  const char16_t* job;
  const char16_t* expected;
};

constexpr PathCase kPathCases[] = {
    {"job named like its file is the default job", u"sales", u"sales", u"/p/DataEditTool/sales.txt"},
    {"other job name gets an underscore", u"sales", u"monthly", u"/p/DataEditTool/sales_monthly.txt"},
    {"names differing only in case are different", u"sales", u"Sales", u"/p/DataEditTool/sales_Sales.txt"},
    {"empty job name keeps the underscore", u"sales", u"", u"/p/DataEditTool/sales_.txt"},
    {"dots alone stay inside the folder", u"..", u"..", u"/p/DataEditTool/...txt"},
    // Names from a hand-edited job list: no path that leaves the folder.
    {"a job name climbing out of the folder", u"sales", u"../../x", u""},
    {"a base name climbing out of the folder", u"../x", u"../x", u""},
    {"an absolute job name", u"sales", u"/etc/x", u""},
};

TEST(EditSettingsPath, NamesFollowTheJob) {
  for (const PathCase& c : kPathCases) {
    EXPECT_EQ(EditSettingsFilePath(CString(u"/p"), CString(c.base), CString(c.job)),
              CString(c.expected))
        << c.name;
  }
}

// The system takes file names of at most 255 bytes; a longer job name would make its
// tools unsavable without a word.
TEST(EditSettingsPath, NamesPastTheSystemLimitDoNotFit) {
  struct Case {
    const char* name;
    CString base, job;
    bool fits;
  };
  auto repeat = [](const char16_t* unit, int n) {
    CString text;
    for (int i = 0; i < n; ++i) text += unit;
    return text;
  };
  const Case cases[] = {
      {"255 bytes", CString(u"s"), repeat(u"x", 249), true},
      {"256 bytes", CString(u"s"), repeat(u"x", 250), false},
      {"81 kanji after a kanji base name (254 bytes)", CString(u"売上"), repeat(u"漢", 81), true},
      {"82 kanji after a kanji base name (257 bytes)", CString(u"売上"), repeat(u"漢", 82), false},
      {"a default job counts its name once", repeat(u"x", 251), repeat(u"x", 251), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EditSettingsNameFits(c.base, c.job), c.fits) << c.name;
    EXPECT_EQ(EditSettingsFilePath(CString(u"/p"), c.base, c.job).IsEmpty(), !c.fits) << c.name;
  }
}

}  // namespace
