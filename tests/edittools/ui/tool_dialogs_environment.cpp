// The window tests of the data-edit tools start with the dialog table filled,
// as the program does at start-up.
#include <gtest/gtest.h>

#include "edittools/chain/ui/tool_dialogs_install.h"

namespace {

class ToolDialogsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { InstallToolDialogs(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ToolDialogsEnvironment);

}  // namespace
