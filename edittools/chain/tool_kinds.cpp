#include "edittools/chain/tool_kinds.h"

const ToolKindInfo* FindToolKind(int kind) {
  for (const ToolKindInfo& info : kToolKinds) {
    if (info.kind == kind) return &info;
  }
  return nullptr;
}
