#pragma once
// What the tools' settings dialogs are handed and give back. The step routines
// live in the app layer and must not include window code, so they reach each
// dialog through its entry in the up-calls (app/up_calls.h).

#include <cstdint>
#include <vector>

#include "edittools/chain/tool_order_records.h"
#include "edittools/filter/filter_records.h"
#include "platform/cstring.h"

// What the sort dialog is handed and gives back.
struct SortDialogIo {
  // In: three start keys (1-based column, 0 none), replaced by the stored
  // settings when inChain is set; the columns with their names and preset
  // compare types.
  int keyColumns[3] = {};
  int keyTypes[3] = {};
  int keyDescending[3] = {};
  int columnCount = 0;
  std::vector<CString> columnNames;
  std::vector<int> columnTypes;
  int inChain = 0;
  // Out after OK: "スキップ" chosen; the three keys in the dialog's order
  // (0-based column, -1 none), their compare types and descending flags.
  int skipped = 0;
  int resultColumns[3] = {-1, -1, -1};
  int resultTypes[3] = {};
  int resultDescending[3] = {};
};

// What the filter dialog is handed and gives back.
struct FilterDialogIo {
  int inChain = 0;          // in: offer "スキップ" and preset the stored conditions
  // Out after OK.
  int skipped = 0;          // "スキップ"
  int narrowFurther = 0;    // "更に絞り込み": filtered, the user narrows again
  int condCount = 0;        // conditions built, 0 to 3
  FILTERDAT conds[FILTER_MAX_CONDS];
};

// What the aggregation dialog is handed and gives back. On OK the dialog has
// stored its items, SumType, SumStyl, TotalFg and NendMonth in
// theApp.m_PivotSetting.
struct PivotDialogIo {
  // In: offer "スキップ" and preset the stored settings; the run's combo choices.
  int inChain = 0;
  int sumStyl = 0;
  int sumType = -1;
  // Out after OK: "スキップ" chosen; the number of column items chosen.
  int skipped = 0;
  int columnItems = 0;
};

// What the join editor is handed and gives back. On "実行" the editor has joined
// the data and stored its definition in theApp.m_JoinDef itself.
struct AddCsvDialogIo {
  int inChain = 0;         // in: start from the stored definition and offer "スキップ"
  CString csvPath;         // in: the loaded CSV's path
  CString csvTitle;        // in: its file title
  // Out after OK.
  int skipped = 0;         // "スキップ"
  int removedAll = 0;      // every additional CSV was removed ("追加CSV削除")
};

// What the macro-column dialog is handed and gives back. On OK (not "スキップ")
// the dialog has stored its layout in theApp.m_MacroSetting and taken the
// preview snapshot.
struct MacroDialogIo {
  int inChain = 0;            // in: start from the stored layout, offer "スキップ"
  int crossColumnGroups = 0;  // in: column items of a cross table made before
  int pivotGroupCount = 0;    // in: group items of that aggregation
  int skipped = 0;            // out: "スキップ"
};

// Each returns IDOK or IDCANCEL. On OK a dialog has stored its settings in the
// tool's settings record of theApp.
using OrderDialogFn = int (*)(int restart, const TOOLORDER* resumeOrder, int resumeIndex);
using SortDialogFn = int (*)(SortDialogIo& io);
using FilterDialogFn = int (*)(FilterDialogIo& io);
using PivotDialogFn = int (*)(PivotDialogIo& io);
using AddCsvDialogFn = int (*)(AddCsvDialogIo& io);
using MacroDialogFn = int (*)(MacroDialogIo& io);
