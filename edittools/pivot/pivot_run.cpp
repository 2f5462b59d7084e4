// The aggregation run: resetting and filling it, checking the items, and running
// the engine so that a refusal or a stop leaves the data as it was.
#include <algorithm>

#include "edittools/chain/tool_chain.h"
#include "edittools/pivot/pivot_engine.h"
#include "edittools/pivot/pivot_message.h"

namespace {

// Refusals of a set-up the engine cannot build (a stored file may hold anything).
constexpr char16_t kNoItems[] = u"集計項目とグループ項目を選択してください。処理を中止します。";
constexpr char16_t kTooManyColumns[] = u"集計項目が多すぎるため処理を中止します。";
constexpr char16_t kBadColumn[] = u"集計の設定にデータに無い列が有ります。処理を中止します。";
constexpr char16_t kBadItems[] = u"集計の設定が正しくありません。処理を中止します。";
constexpr char16_t kNoRowItem[] = u"クロス集計には行項目が必要です。処理を中止します。";
constexpr char16_t kNoColumnItem[] = u"クロス集計には列項目が必要です。処理を中止します。";

const char16_t* CheckRun(const PIVOTRUN& run, int dataCols, int titleRow) {
  if (titleRow < 0) return kNoTitleRowMessage;
  if (run.groupCount == 0 || run.sumCount == 0) return kNoItems;
  if (run.groupCount > PIVOT_MAX_GROUPS) return kPivotTooManyGroups;
  if (run.groupCount + run.sumCount > GRID_COLS) return kTooManyColumns;
  for (const GRPCLM& item : run.groupItems) {
    if (item.column < 0 || item.column >= dataCols) return kBadColumn;
  }
  for (const SUMCLM& item : run.sumItems) {
    if (item.column < 0 || item.column >= dataCols) return kBadColumn;
  }
  // Row items first, column items last: the engine takes the last items as the
  // outermost groups, which must be the column items of a cross table.
  bool seenColumnItem = false;
  for (const GRPCLM& item : run.groupItems) {
    if (item.orientation != 1 && item.orientation != 2) return kBadItems;
    if (item.orientation == 1 && seenColumnItem) return kBadItems;
    seenColumnItem = seenColumnItem || item.orientation == 2;
  }
  if (run.sumType == PIVOT_CROSS) {
    if (run.rowItemCount == 0) return kNoRowItem;
    if (run.colItemCount == 0) return kNoColumnItem;
  } else if (run.colItemCount > 0) {
    return kBadItems;
  }
  return nullptr;
}

}  // namespace

void ResetPivotRun(PIVOTRUN& run) {
  run.sumType = -1;
  run.nendMonth = 1;
  run.totalFg = run.sumStyl = run.totalsRow = 0;
  run.rowItemCount = run.colItemCount = 0;
  run.lowerKeyCount = run.innerKeyCount = 0;
  for (auto& level : run.levelSums) {
    for (PivotSum& s : level) s.Reset();
  }
  run.rowKeys.clear();
  run.innerKeys.Clear();
  run.lowerKeys.Clear();
  run.groupRows.Clear();
}

void LoadPivotRun(PIVOTRUN& run, const PIVOTSETTING& setting) {
  run.sumItems = setting.SumClmArry;
  run.groupItems = setting.GrpClmArry;
  run.sumType = setting.SumType;
  run.totalFg = setting.TotalFg;
  run.sumStyl = setting.SumStyl;
  run.nendMonth = setting.NendMonth;
  run.sumCount = static_cast<int>(run.sumItems.size());
  run.groupCount = static_cast<int>(run.groupItems.size());
  run.rowItemCount = static_cast<int>(
      std::count_if(run.groupItems.begin(), run.groupItems.end(), [](const GRPCLM& g) { return g.orientation == 1; }));
  run.colItemCount = static_cast<int>(
      std::count_if(run.groupItems.begin(), run.groupItems.end(), [](const GRPCLM& g) { return g.orientation == 2; }));
  run.headerRows = run.colItemCount;
}

int ExecutePivot(const PIVOTGRIDS& grids, PIVOTRUN& run) {
  if (const char16_t* refusal = CheckRun(run, grids.dataCols, grids.titleRow)) {
    ShowPivotMessage(refusal);
    return 0;
  }
  // A month outside 1-12 would put the fiscal labels out of step; 1 is the default.
  if (run.nendMonth < 1 || run.nendMonth > 12) run.nendMonth = 1;

  // Rows are shared, not copied: the engine's writes copy only the rows they touch.
  CTextGrid saved(grids.data.Rows());
  for (int r = 0; r < grids.data.Rows(); ++r) {
    if (grids.data.RowWidth(r) > 0) saved.ShareRow(r, grids.data, grids.data.Cols());
  }
  const int rows = grids.dataRows;
  const int cols = grids.dataCols;
  const int title = grids.titleRow;

  CPivotEngine engine(grids, run);
  const int result = engine.RunPivot();
  run.rowKeys.clear();
  run.innerKeys.Clear();
  run.lowerKeys.Clear();
  run.groupRows.Clear();
  grids.step.Clear();
  if (result != 0) return 1;

  grids.data.Clear();
  for (int r = 0; r < saved.Rows(); ++r) {
    if (saved.RowWidth(r) > 0) grids.data.ShareRow(r, saved, saved.Cols());
  }
  grids.dataRows = rows;
  grids.dataCols = cols;
  grids.titleRow = title;
  return 0;
}
