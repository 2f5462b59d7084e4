#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

#include "platform/ui_hooks.h"

namespace {
// A window script that went wrong fails the test that ran it.
void FailTest(const CString& problem) { ADD_FAILURE() << problem.ToUtf8(); }
}  // namespace

int main(int argc, char** argv) {
  // Tests pin time zone and locale so dates and numbers never depend on the host.
  setenv("TZ", "Asia/Tokyo", 1);
  setenv("LC_ALL", "C.UTF-8", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tzset();
  std::setlocale(LC_ALL, "C.UTF-8");
  SetScriptProblemReporter(&FailTest);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
