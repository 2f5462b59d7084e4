#include "edittools/chain/edit_settings_path.h"

#include <gtest/gtest.h>

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
};

TEST(EditSettingsPath, NamesFollowTheJob) {
  for (const PathCase& c : kPathCases) {
    EXPECT_EQ(EditSettingsFilePath(CString(u"/p"), CString(c.base), CString(c.job)),
              CString(c.expected))
        << c.name;
  }
}

}  // namespace
