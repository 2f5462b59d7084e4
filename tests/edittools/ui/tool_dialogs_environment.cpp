// The window tests of the data-edit tools start with the tools' up-calls filled,
// as the program does at start-up.
#include <gtest/gtest.h>

#include "edittools/chain/ui/tool_dialogs_install.h"
#include "platform/ui/dc.h"

namespace {

class ToolDialogsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    InstallToolDialogs();
    // The source tree's images, wherever the test runs from.
    SetImageFolder(CString(TABRO_TEST_DATA_DIR "/../../res/images"));
  }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ToolDialogsEnvironment);

}  // namespace
