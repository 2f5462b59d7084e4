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

// The place of a kind (kPivot to kMacro) in an array sized TOOL_KIND_COUNT.
constexpr int ToolKindIndex(ToolKind kind) { return static_cast<int>(kind) - 1; }

// A kind as the settings file, the job lists and messages write it, and back.
// A number outside the enumeration stays as it is: it names no kind and is
// passed over wherever kinds are looked up.
constexpr int32_t StoredToolKind(ToolKind kind) { return static_cast<int32_t>(kind); }
constexpr ToolKind ToolKindFromStored(int32_t number) { return static_cast<ToolKind>(number); }

inline constexpr int TOOL_SLOT_COUNT = 5;

// One slot of the tool order.
struct TOOLSLOT {
  ToolKind toolKind = ToolKind::kNone;  // kNone: empty slot
  int32_t openSettingsNextTime = 0;     // 1: show the tool's dialog when replayed
};

// The chain in run order: used slots first, zeros after the last; each kind once.
using TOOLORDER = std::array<TOOLSLOT, TOOL_SLOT_COUNT>;
