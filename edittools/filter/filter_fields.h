#pragma once
// The filter dialog's fields: which columns are offered, the distinct values of
// a value-list field, and how the lists of the second and third field follow
// the checks made above them. Works over the data grid as arguments; the dialog
// keeps one FilterFields and shows its lists.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "edittools/filter/filter_records.h"
#include "grid/grid_store.h"

// The data the fields are read from.
struct FilterSource {
  const CTextGrid& grid;
  int titleRow = 0;                  // data rows follow it
  int dataRows = 0;                  // rows in use
  int dataCols = 0;
  const uint8_t* columnTypes = nullptr;  // GRID_COLS type bytes: 0 text, 1 number, 2 date, 3 time, 4 code, 255 unknown
};

// Selection styles of the check lists.
enum : int {
  FILTER_STYLE_REMOVE = 0,  // "解除式": values start checked
  FILTER_STYLE_ADD = 1,     // "追加式": values start unchecked
};

// Value states: hidden, shown unchecked, shown checked.
enum : uint8_t { FILTER_HIDDEN = 0, FILTER_SHOWN = 1, FILTER_CHECKED = 2 };

struct FilterFields {
  int fieldCount = 0;
  int fieldColumns[FILTER_MAX_CONDS] = {};
  uint8_t fieldKinds[FILTER_MAX_CONDS] = {};
  int valueCounts[FILTER_MAX_CONDS] = {};
  std::vector<FILTERVALUE> values[FILTER_MAX_CONDS];   // ascending by CompareFilterValues
  std::vector<uint8_t> states[FILTER_MAX_CONDS];
  std::vector<std::pair<int, int>> listMaps[FILTER_MAX_CONDS];  // (line, value index)
  std::vector<FILTERVALUE> rowRecords;                 // kept when the second field was set up
  std::array<uint8_t, GRID_COLS> columnTypes{};
  std::array<int, GRID_COLS> distinctCounts{};               // negative: ruled out
  int style = FILTER_STYLE_ADD;
};

// One entry of the field combo boxes.
struct FilterCandidate {
  int column = 0;
  bool range = false;  // "範囲" rather than "ﾁｪｯｸ"
};

// One line of a field's check list.
struct FilterLine {
  CString text;
  bool checked = false;
};

// True when a's text is below b's in code-unit order.
bool CompareFilterValues(const FILTERVALUE& a, const FILTERVALUE& b);
// Whether distinct values repeat enough over rows data rows to be listed.
bool FilterRepeatsEnough(int distinct, int rows);
// Counts the column's distinct non-empty values into distinctCounts (a negative
// code when the column is ruled out) and returns that entry.
int CountDistinctValues(FilterFields& f, const FilterSource& src, int column);
// Counts, and appends the column as the next value-list field when it
// qualifies (2 to 31 values and a type that allows it). True when appended.
bool CollectDistinctValues(FilterFields& f, const FilterSource& src, int column);
// Classifies the columns and sets up the automatic fields: a fresh dialog
// collects from the first ten columns (up to three fields); storedColumns, when
// given, are collected instead and fieldCount is set back to their number.
// Returns the candidates in column order.
std::vector<FilterCandidate> FindCandidateFields(FilterFields& f, const FilterSource& src,
                                                 const std::vector<int>* storedColumns);
// Every value of the field checked ("解除式") or shown unchecked ("追加式").
void InitValueStates(FilterFields& f, int field);
// The lines of the field's check list (values not hidden); remakes its map.
std::vector<FilterLine> FillCheckList(FilterFields& f, int field);
// Takes the checks of the field's lines back into the values; returns 1 when
// no line is checked.
int SyncCheckStates(FilterFields& f, int field, const std::vector<bool>& lineChecks);
// After a click in field a: the states of every later field follow the checks
// above them. noCheck[k] is SyncCheckStates' answer for field k.
void CascadeLists(FilterFields& f, const FilterSource& src, int field, const int* noCheck);
// Presets the next field from a stored value-list condition and counts it.
void RebuildSavedStates(FilterFields& f, const FilterSource& src, const FILTERDAT& stored);
// The count text of a clicked value: "【text】はN件", or the unchecked notice.
CString FilterCountText(const FILTERVALUE& value, uint8_t state, const CString& lineText);
