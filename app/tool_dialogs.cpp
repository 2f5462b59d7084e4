#include "app/tool_dialogs.h"

ToolDialogTable& ToolDialogs() {
  static ToolDialogTable table;
  return table;
}
