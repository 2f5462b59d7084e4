// Aggregation engine: subtotal and total rows.
//
// Every label is written with a level tag in front, so that label rows sort after
// the data rows of their group until RelabelPivotGroups removes the tags.
#include <algorithm>

#include "edittools/pivot/pivot_engine.h"

namespace {

// Labels: the tag number and the word after it.
struct Label {
  int tag;
  const char16_t* word;
};
constexpr Label kSub{4, u"小計"};
constexpr Label kKei{3, u"計"};
constexpr Label kGokei{2, u"合計"};
constexpr Label kSokei{2, u"総計"};
constexpr Label kSogokei{2, u"総合計"};
constexpr Label kKei2{2, u"計"};
constexpr Label kKeiTag4{4, u"計"};

}  // namespace

CString& CPivotEngine::Cell(int row, int col) {
  if (row >= g_.data.Rows()) overflow_ = true;
  return g_.data[row][col];
}

int CPivotEngine::Flag(int outputColumn) const {
  const int groups = run_.groupCount;
  return run_.groupItems[groups - 1 - outputColumn].subtotal != 0 ? 1 : 0;
}

void CPivotEngine::WriteValues(int row, int v, const PivotSum* values) {
  for (int j = 0; j < run_.sumCount; ++j) Cell(row, v + j) = values[j].Text();
}

void CPivotEngine::WriteLabelRow(int row, int col, std::initializer_list<CString> labels, int v,
                                 const std::vector<PivotSum>& values) {
  for (const CString& label : labels) Cell(row, col++) = label;
  WriteValues(row, v, values);
}

void CPivotEngine::WriteKeyCells(int row, const GROUPKEYS& table, int d) {
  const int v = table.grpCount;
  for (int k = 0; k < table.keyCount; ++k) Cell(row, v - table.keyCount + k) = table.keys[k][d];
}

static CString LabelText(const PIVOTRUN& run, const Label& label) {
  return run.levelTags[label.tag] + label.word;
}

int CPivotEngine::InsertSubtotalRows() {
  const int t = g_.titleRow;
  const int groups = run_.groupCount;
  const int sums = run_.sumCount;
  const int workEnd = g_.dataRows;
  for (int r = 0; r <= t; ++r) {
    for (int c = 0; c < g_.dataCols; ++c) g_.data.SetAt(r, c, g_.step.GetAt(r, c));
  }
  PivotSum* levelSums = run_.levelSums[0];
  const CString sub = LabelText(run_, kSub);
  std::vector<CString> key(groups);
  for (int k = 0; k < groups; ++k) key[k] = g_.step.GetAt(t + 1, k);
  int out = t + 1;
  int groupStart = t + 1;

  auto writeSubtotal = [&](int m, bool reset) {
    for (int i = 0; i < m; ++i) Cell(out, i) = key[i];
    Cell(out, m) = sub;
    WriteValues(out, groups, levelSums);
    if (reset) {
      for (int j = 0; j < sums; ++j) levelSums[j].Reset();
    }
    ++out;
  };
  auto writeClassTotals = [&](int lastRow) {
    Cell(out, 0) = key[0];
    CollectGroupKeys(PIVOT_KEYS_GROUP_ROWS, groupStart, lastRow, groups, sums);
    out = WriteGroupTotals(0, out, key[0], key[0]);
    FreePivotWork(PIVOT_KEYS_GROUP_ROWS);
  };

  for (int r = t + 1; r < workEnd; ++r) {
    int changed = -1;
    for (int k = 0; k <= groups - 2; ++k) {
      if (g_.step.GetAt(r, k) != key[k]) {
        changed = k;
        break;
      }
    }
    if (changed >= 0) {
      for (int m = groups - 1; m >= changed + 1; --m) {
        if (!Flag(m)) continue;
        if (m == groups - 1) {
          writeSubtotal(m, true);
        } else if (m == groups - 2) {
          writeClassTotals(r - 1);
          groupStart = r;
        }
      }
      for (int k = 0; k < groups; ++k) key[k] = g_.step.GetAt(r, k);
    }
    for (int c = 0; c < groups + sums; ++c) Cell(out, c) = g_.step.GetAt(r, c);
    ++out;
    for (int j = 0; j < sums; ++j) levelSums[j].AddText(g_.step.GetAt(r, groups + j));
  }

  if (workEnd > t + 1) {
    bool anyFlag = false;
    for (int k = 0; k < groups; ++k) anyFlag = anyFlag || Flag(k);
    if (anyFlag) {
      for (int m = groups - 1; m >= 1; --m) {
        if (!Flag(m)) continue;
        if (m == groups - 1) {
          writeSubtotal(m, false);
        } else if (m == groups - 2) {
          writeClassTotals(workEnd - 1);
          break;
        }
      }
    }
    if (Flag(0)) {
      if (groups == 1) {
        Cell(out, 0) = u"計";
        WriteValues(out, 1, levelSums);
        for (int j = 0; j < sums; ++j) levelSums[j].Reset();
        ++out;
      } else if (run_.lowerKeyCount > 0) {
        out = WriteGroupTotals(1, out, CString(), CString());
      }
    }
    if (run_.totalFg > 0) out = WriteColumnTotals(out, run_.totalFg);
  }

  for (int r = 0; r < workEnd; ++r) g_.step.ClearRow(r);
  return out;
}

int CPivotEngine::WriteGroupTotals(int mode, int row, const CString& keyText,
                                   const CString& keyText2) {
  GROUPKEYS& table = Table(mode == 0 ? PIVOT_KEYS_GROUP_ROWS : mode);
  const bool innerFlag = run_.groupItems[0].subtotal != 0;
  int c = 0;
  Label label = kGokei;
  bool b = false;
  if (mode == 0) {
    c = 1;
    label = kKei;
  } else if (mode == 1) {
    b = table.grpCount == 3 && innerFlag;
  } else {
    label = run_.sumStyl == 1 ? kSokei : kGokei;
    b = table.grpCount == 2 && innerFlag;
    run_.totalsRow = row;
  }
  const CString l = LabelText(run_, label);
  const CString sub = LabelText(run_, kSub);
  const int v = table.grpCount;
  const int n = table.distinctCount;
  std::vector<PivotSum> running(run_.sumCount);
  CString prev = n > 0 ? table.keys[0][0] : CString();
  auto addRunning = [&](const std::vector<PivotSum>& values) {
    for (int j = 0; j < run_.sumCount; ++j) running[j].Add(values[j]);
  };
  auto writeClassSubtotal = [&]() {
    WriteLabelRow(row, c, {l, prev, sub}, v, running);
    ++row;
  };

  for (int d = 0; d < n; ++d) {
    if (mode == 0) Cell(row, 0) = keyText;
    if (run_.sumStyl == 1) {
      WriteValues(row, v, table.sums[d]);
      addRunning(table.sums[d]);
      continue;
    }
    if (mode == 1 && b && table.keys[0][d] != prev) {
      writeClassSubtotal();
      for (PivotSum& s : running) s.Reset();
      prev = table.keys[0][d];
    }
    Cell(row, c) = l;
    if (mode == 2) Cell(row, c + 1) = l;
    WriteKeyCells(row, table, d);
    WriteValues(row, v, table.sums[d]);
    addRunning(table.sums[d]);
    ++row;
  }

  if (run_.sumStyl == 1) {
    if (c > 0) Cell(row, 0) = keyText;
    Cell(row, c) = l;
    WriteValues(row, v, running);
    return row + 1;
  }
  if (mode == 1) {
    if (b) writeClassSubtotal();
    const int groups = run_.groupCount;
    if (groups >= 2 && run_.groupItems[groups - 2].subtotal != 0) {
      return WriteGroupTotals(2, row, keyText, keyText2);
    }
    return row;
  }
  if (mode == 2 && b) {
    if (run_.sumType == 0) {
      Cell(row, c) = LabelText(run_, kSogokei);
    } else {
      Cell(row, c) = l;
      Cell(row, c + 1) = sub;
    }
    WriteValues(row, v, running);
    return row + 1;
  }
  if (!innerFlag) return row;
  if (mode == 2) {
    if (run_.sumType == 0) {
      Cell(row, c) = LabelText(run_, kSogokei);
    } else {
      Cell(row, c) = l;
      Cell(row, c + 1) = LabelText(run_, kKei);
    }
  } else {
    Cell(row, 0) = keyText;
    Cell(row, c) = l;
  }
  if (run_.sumType == 0 && mode == 0) Cell(row, v - 1) = LabelText(run_, kKei2);
  if (run_.sumType == 1) Cell(row, v - 1) = sub;
  WriteValues(row, v, running);
  return row + 1;
}

int CPivotEngine::WriteColumnTotals(int row, int totalFg) {
  const bool perClass = totalFg == 1 || totalFg == 3;
  const bool grand = totalFg == 2 || totalFg == 3;
  const GROUPKEYS& lower = run_.lowerKeys;
  const GROUPKEYS& inner = run_.innerKeys;
  const int v = inner.grpCount;
  const int sums = inner.sumCount;
  const bool f = run_.groupItems[0].subtotal != 0;
  const CString gokei = LabelText(run_, kGokei);
  const CString sokei = LabelText(run_, kSokei);
  const CString sub = LabelText(run_, kSub);
  std::vector<PivotSum> running(sums);
  auto resetRunning = [&]() {
    for (PivotSum& s : running) s.Reset();
  };
  auto addRunning = [&](const std::vector<PivotSum>& values) {
    for (int j = 0; j < sums; ++j) running[j].Add(values[j]);
  };

  if (perClass && lower.distinctCount > 0) {
    CString prev = lower.keys[0][0];
    if (run_.sumType == 0) {
      for (int d = 0; d < lower.distinctCount; ++d) {
        if (lower.keys[0][d] != prev) {
          WriteLabelRow(row, 0, {gokei, prev}, v, running);
          resetRunning();
          prev = lower.keys[0][d];
          ++row;
        }
        addRunning(lower.sums[d]);
      }
      WriteLabelRow(row, 0, {gokei, prev}, v, running);
      ++row;
    } else {
      const CString classLabel = run_.sumStyl == 0 ? sub : LabelText(run_, kKeiTag4);
      const CString kei = LabelText(run_, kKei);
      for (int d = 0; d < lower.distinctCount; ++d) {
        if (f && lower.keys[0][d] != prev) {
          WriteLabelRow(row, 0, {gokei, prev, classLabel}, v, running);
          resetRunning();
          prev = lower.keys[0][d];
          ++row;
        }
        Cell(row, 0) = gokei;
        Cell(row, 1) = kei;
        WriteKeyCells(row, lower, d);
        WriteValues(row, v, lower.sums[d]);
        addRunning(lower.sums[d]);
        ++row;
      }
      if (f) {
        WriteLabelRow(row, 0, {gokei, prev, sub}, v, running);
        ++row;
      }
    }
  }

  if (grand && inner.distinctCount > 0) {
    resetRunning();
    if (run_.sumType == 0) {
      for (int d = 0; d < inner.distinctCount; ++d) addRunning(inner.sums[d]);
      Cell(row, 0) = sokei;
      WriteValues(row, v, running);
      ++row;
    } else {
      // The key goes into the innermost row-item column (column 2 of a three-level
      // table); with two levels column 2 is the value column, which would bury it.
      const int keyCol = std::min(2, v - 1);
      const int last = inner.keyCount - 1;
      for (int d = 0; d < inner.distinctCount; ++d) {
        Cell(row, 0) = sokei;
        Cell(row, keyCol) = inner.keys[last][d];
        WriteValues(row, v, inner.sums[d]);
        addRunning(inner.sums[d]);
        ++row;
      }
      if (f) {
        Cell(row, 0) = sokei;
        Cell(row, keyCol) = sub;
        WriteValues(row, v, running);
        ++row;
      }
    }
  }
  return row;
}
