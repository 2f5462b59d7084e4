// Resetting the data-edit tool settings and the tool dialogs' name lists.

#include <algorithm>

#include "app/tabro_client_app.h"

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
  if (group == 0) {
    for (int g : {1, 2, 3, 4, 5, 10}) ResetToolSettings(g);
    return;
  }
  if (group == 10) {
    ClearToolNameLists();
    return;
  }
  if (group < 1 || group > 5) return;

  m_ToolOrder.fill(TOOLSLOT{});
  switch (group) {
    case TOOL_PIVOT:
      m_PivotSetting.Clear();
      break;
    case TOOL_ADDCSV:
      m_JoinDef.Clear();
      break;
    case TOOL_FILTER:
      m_FilterConds.Clear();
      break;
    case TOOL_SORT: {
      SORTKEYS& s = m_SortSetting;
      s.sortCnt = 0;
      for (int k = 0; k < 4; ++k) {
        s.column[k] = 0;
        s.compareType[k] = 0;
      }
      s.descending[0] = 0;
      break;
    }
    case TOOL_MACRO:
      m_MacroSetting.Clear();
      break;
  }
}
