#pragma once
// The five tool kinds of the data-edit chain and the names that go with each:
// the section of the settings file that stores its settings, its two-digit text
// in the tool-order text, its letter in the job lists and its button texts.

#include <cstdint>

#include "edittools/chain/tool_order_records.h"

struct ToolKindInfo {
  ToolKind kind;
  const char16_t* section;       // section header of the settings file
  int sectionChars;              // characters of the header compared when reading
  const char16_t* kindText;      // "%02d" of the kind in the tool-order text
  const char16_t* letter;        // shown in the job lists
  const char16_t* caption;       // tool button caption
  const char16_t* tooltip;       // tool button tooltip
};

inline constexpr ToolKindInfo kToolKinds[] = {
    {ToolKind::kPivot, u"@Pivot", 6, u"01", u"集", u"データ積算", u"データ集計"},
    {ToolKind::kAddCsv, u"@AddCSV", 7, u"02", u"追", u"追加CSVファイル", u"ファイル結合"},
    {ToolKind::kFilter, u"@Filter", 7, u"03", u"フ", u"フィルタ", u"フィルタ"},
    {ToolKind::kSort, u"@Sort", 5, u"04", u"ソ", u"ソート", u"ソート"},
    {ToolKind::kMacro, u"@Macro", 6, u"05", u"演", u"マクロでデータ作成", u"並び替え・演算"},
};
static_assert(sizeof(kToolKinds) / sizeof(kToolKinds[0]) == TOOL_KIND_COUNT);
// Row i is the kind of ToolKindIndex i, so per-kind arrays follow the table.
constexpr bool ToolKindsInIndexOrder() {
  for (int i = 0; i < TOOL_KIND_COUNT; ++i) {
    if (ToolKindIndex(kToolKinds[i].kind) != i) return false;
  }
  return true;
}
static_assert(ToolKindsInIndexOrder());

// The entry of a kind; null for kNone and any value outside the enumeration.
const ToolKindInfo* FindToolKind(ToolKind kind);
