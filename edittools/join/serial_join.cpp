// The serial join: the data lines of the first additional CSV appended below the
// loaded rows through a mapping of columns onto output positions.

#include <algorithm>
#include <climits>

#include "edittools/join/addcsv_join.h"
#include "edittools/join/join_messages.h"

namespace {

bool ValidLink(const ALIGN& l) {
  return (l.listA == 0 || l.listA == 1) && l.itemA >= 0 && l.itemA < GRID_COLS && l.itemB >= 0 &&
         l.itemB < GRID_COLS;
}

}  // namespace

void CAddcsvJoin::NormalizeSerialPositions() {
  std::vector<ALIGN>& links = m_Def.AlignArry[2];
  if (links.empty()) return;
  int lowest = INT_MAX;
  for (const ALIGN& l : links) lowest = std::min(lowest, l.itemB);
  for (ALIGN& l : links) l.itemB -= lowest;
}

int CAddcsvJoin::AppendSerial() {
  if (m_Data == nullptr || m_TitleRow < 0) return 0;
  NormalizeSerialPositions();
  int mainMap[GRID_COLS] = {};   // output position + 1 per source column, 0 unmapped
  int addMap[GRID_COLS] = {};
  int outCols = 0;
  for (const ALIGN& l : m_Def.AlignArry[2]) {
    if (!ValidLink(l)) continue;   // a stored link outside the lists is passed over
    (l.listA == 0 ? mainMap : addMap)[l.itemA] = l.itemB + 1;
    outCols = std::max(outCols, l.itemB + 1);
  }
  if (outCols == 0) {
    ShowJoinError(kJoinNoSerialLinks);
    return 0;
  }
  ResetKeyJoinState();
  CopyDataGridToStepGrid(*m_Data, *m_Step, *m_DataRows, *m_DataCols);
  if (m_Def.AddCsvCnt >= 1) {
    LoadAddCsvData(0, m_AddPath[0]);
    if (m_AddLoaded[0] == 0) {
      if (m_AddLoadState[0] == JOIN_LOAD_NOT_OPENED) {
        ShowJoinError(CString::Build(kJoinCannotRead, m_AddPath[0]));
      }
      return 0;
    }
  }
  const JoinLines& lines = m_AddLines[0];
  const int appended = std::max(0, static_cast<int>(lines.size()) - 1);
  if (*m_DataRows + appended > m_Step->Rows()) {
    ShowJoinError(CString::Build(kJoinTooManyRows, m_Step->Rows()));
    return 0;
  }

  CTextGrid& step = *m_Step;
  const int dataCols = std::clamp(*m_DataCols, 0, GRID_COLS);
  auto prepare = [&](int row) {
    step.ClearRow(row);
    return step.PrepareRow(row, outCols);
  };
  // Field-name row: a position fed by both files shows the loaded CSV's name.
  CString* title = prepare(m_TitleRow);
  for (int c = 0; c < dataCols; ++c) {
    if (mainMap[c] != 0) title[mainMap[c] - 1] = m_Data->GetAt(m_TitleRow, c);
  }
  if (!lines.empty()) {
    const JoinLines::Line header = lines[0];
    for (int c = 0; c < static_cast<int>(header.size()) && c < GRID_COLS; ++c) {
      if (addMap[c] != 0 && title[addMap[c] - 1].IsEmpty()) title[addMap[c] - 1] = header[c];
    }
  }
  for (int r = m_TitleRow + 1; r < *m_DataRows; ++r) {
    CString* cells = prepare(r);
    for (int c = 0; c < dataCols; ++c) {
      if (mainMap[c] != 0) cells[mainMap[c] - 1] = m_Data->GetAt(r, c);
    }
  }
  int out = *m_DataRows;
  for (int ln = 1; ln < static_cast<int>(lines.size()); ++ln) {
    CString* cells = prepare(out++);
    const JoinLines::Line line = lines[static_cast<size_t>(ln)];
    for (int c = 0; c < GRID_COLS; ++c) {
      if (addMap[c] == 0) continue;
      const int pos = addMap[c] - 1;
      const CString value = c < static_cast<int>(line.size()) ? line[c] : CString();
      cells[pos] = m_MinusFlags[pos] ? CString(u"-") + value : value;
    }
  }
  *m_DataCols = outCols;
  *m_DataRows = out;
  MoveStepGridToDataGrid(*m_Data, *m_Step, *m_DataCols, *m_DataRows);
  return 1;
}
