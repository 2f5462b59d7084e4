// The window tests of this layer run the program's start-up of the up-calls
// before their first test, so the dialogs they reach are the program's own.
#include <gtest/gtest.h>

#include "jobsheet/sheet/ui/install_up_calls.h"

namespace {

class UpCallsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { InstallUpCalls(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new UpCallsEnvironment);

}  // namespace
