// The start-up of the up-calls leaves no entry empty.
#include <gtest/gtest.h>

#include "app/up_calls.h"
#include "jobsheet/sheet/ui/install_up_calls.h"

namespace {

TEST(UpCallsStartUp, FillsEveryEntry) {
  const UpCalls before = GetUpCalls();
  GetUpCalls() = UpCalls{};
  InstallUpCalls();
  EXPECT_EQ(EmptyUpCalls(GetUpCalls()), std::vector<const char*>{});
  GetUpCalls() = before;
}

}  // namespace
