#pragma once
// The tool order of the data-edit chain: which tools run, in which order, and
// whether each shows its settings dialog when the order is replayed.

#include <array>
#include <cstdint>

// Tool kinds of a slot.
enum : int32_t {
  TOOL_NONE = 0,
  TOOL_PIVOT = 1,    // aggregation
  TOOL_ADDCSV = 2,   // join with additional CSVs
  TOOL_FILTER = 3,
  TOOL_SORT = 4,
  TOOL_MACRO = 5,    // macro columns
};

inline constexpr int TOOL_SLOT_COUNT = 5;

// One slot of the tool order.
struct TOOLSLOT {
  int32_t toolKind = TOOL_NONE;       // TOOL_* (0: empty slot)
  int32_t openSettingsNextTime = 0;   // 1: show the tool's dialog when replayed
};

// The chain in run order: used slots first, zeros after the last; each kind once.
using TOOLORDER = std::array<TOOLSLOT, TOOL_SLOT_COUNT>;
