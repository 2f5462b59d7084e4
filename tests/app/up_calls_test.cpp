// The check of the up-calls names each empty entry, and the start-up's check
// stops on the first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/up_calls.h"
#include "platform/ui_hooks.h"

namespace {

int AnyOrder(int, const TOOLORDER*, int) { return IDOK; }
int AnyPivot(PivotDialogIo&) { return IDOK; }
void AnyEdit(CTabroClientDlg&) {}

std::vector<std::string> Names(const std::vector<const char*>& names) {
  return std::vector<std::string>(names.begin(), names.end());
}

TEST(UpCallsCheck, NamesEachEmptyEntry) {
  UpCalls calls;
  EXPECT_EQ(Names(EmptyUpCalls(calls)),
            (std::vector<std::string>{"order", "pivot", "addCsv", "filter", "sort", "macro", "settingsSheet",
                                      "replayJoin", "selectReuseJob", "saveReuseJob", "editReuseJobs"}));
  calls.pivot = &AnyPivot;
  calls.editReuseJobs = &AnyEdit;
  const std::vector<std::string> left = Names(EmptyUpCalls(calls));
  EXPECT_EQ(left.size(), 9u);
  EXPECT_EQ(left.front(), "order");
  EXPECT_EQ(left.back(), "saveReuseJob");
}

TEST(UpCallsCheckDeathTest, StopsNamingTheFirstEmptyEntry) {
  UpCalls calls;
  calls.order = &AnyOrder;
  EXPECT_DEATH(RequireUpCalls(calls), "up-call \"pivot\" empty");
}

}  // namespace
