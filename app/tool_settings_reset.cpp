// Resetting the data-edit tool settings and the tool dialogs' name lists.

#include <algorithm>

#include "app/tabro_client_app.h"
#include "edittools/chain/tool_kinds.h"

void CTabroClientApp::ClearToolNameLists() {
  m_PivotColumnNames.clear();
  m_PivotSampleTexts.clear();
  m_PivotColumnCount = 0;
  m_PivotTypeTable.fill(0);

  m_JoinMainNames.clear();
  for (auto& names : m_JoinAddNames) names.clear();
  for (auto& kinds : m_JoinKinds) std::fill(std::begin(kinds), std::end(kinds), 0);

  m_SortColumnNames.clear();
  m_SortTypeTable.fill(0);

  // The filter's per-field value lists stay: the dialog replaces them when it next
  // stores its state.
  for (auto& row : m_FilterHeadRows) row.clear();
  m_FilterColumnTypes.fill(0);
  for (int i = 0; i < FILTER_MAX_CONDS; ++i) {
    m_FilterValueCounts[i] = 0;
    m_FilterFieldColumns[i] = 0;
  }
  m_FilterRowRecords.clear();

  for (auto& row : m_MacroPreviewRows) row.clear();
  m_MacroStoredDataCols = 0;
}

void CTabroClientApp::ResetToolSettings(int group) {
  if (group == TOOL_RESET_ALL) {
    for (const ToolKindInfo& info : kToolKinds) ResetToolSettings(info.kind);
    ResetToolSettings(TOOL_RESET_NAME_LISTS);
    return;
  }
  if (group == TOOL_RESET_NAME_LISTS) {
    ClearToolNameLists();
    return;
  }
  ResetToolSettings(ToolKindFromStored(group));
}

void CTabroClientApp::ResetToolSettings(ToolKind kind) {
  if (!FindToolKind(kind)) return;

  m_ToolOrder.fill(TOOLSLOT{});
  switch (kind) {
    case ToolKind::kNone:
      break;
    case ToolKind::kPivot:
      m_PivotSetting.Clear();
      break;
    case ToolKind::kAddCsv:
      m_JoinDef.Clear();
      break;
    case ToolKind::kFilter:
      m_FilterConds.Clear();
      break;
    case ToolKind::kSort: {
      SORTKEYS& s = m_SortSetting;
      s.sortCnt = 0;
      for (int k = 0; k < 4; ++k) {
        s.column[k] = 0;
        s.compareType[k] = 0;
      }
      s.descending[0] = 0;
      break;
    }
    case ToolKind::kMacro:
      m_MacroSetting.Clear();
      break;
  }
}
