#include "edittools/chain/tool_kinds.h"

const ToolKindInfo* FindToolKind(ToolKind kind) {
  for (const ToolKindInfo& info : kToolKinds) {
    if (info.kind == kind) return &info;
  }
  return nullptr;
}
