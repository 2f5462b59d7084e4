#pragma once
// The tool order of the data-edit chain: which tools run, in which order, and
// whether each shows its settings dialog when the order is replayed.

#include <array>
#include <cstdint>

// Tool kinds of a slot, with the numbers the settings and job files store.
// A switch over ToolKind names every kind and has no default: the compiler
// (-Werror=switch) then shows each place a new kind must be handled.
enum class ToolKind : int32_t {
  kNone = 0,
  kPivot = 1,    // aggregation
  kAddCsv = 2,   // join with additional CSVs
  kFilter = 3,
  kSort = 4,
  kMacro = 5,    // macro columns
};
inline constexpr int TOOL_KIND_COUNT = 5;  // the kinds after kNone

// The stored numbers of the kinds, as a slot holds them.
inline constexpr int32_t TOOL_NONE = static_cast<int32_t>(ToolKind::kNone);
inline constexpr int32_t TOOL_PIVOT = static_cast<int32_t>(ToolKind::kPivot);
inline constexpr int32_t TOOL_ADDCSV = static_cast<int32_t>(ToolKind::kAddCsv);
inline constexpr int32_t TOOL_FILTER = static_cast<int32_t>(ToolKind::kFilter);
inline constexpr int32_t TOOL_SORT = static_cast<int32_t>(ToolKind::kSort);
inline constexpr int32_t TOOL_MACRO = static_cast<int32_t>(ToolKind::kMacro);

inline constexpr int TOOL_SLOT_COUNT = 5;

// One slot of the tool order.
struct TOOLSLOT {
  int32_t toolKind = TOOL_NONE;       // TOOL_* (0: empty slot)
  int32_t openSettingsNextTime = 0;   // 1: show the tool's dialog when replayed
};

// The chain in run order: used slots first, zeros after the last; each kind once.
using TOOLORDER = std::array<TOOLSLOT, TOOL_SLOT_COUNT>;
