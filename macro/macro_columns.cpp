#include "macro/macro_columns.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "grid/number_text.h"
#include "macro/macro_error.h"
#include "macro/macro_eval.h"
#include "platform/string_arena.h"

namespace {

constexpr std::array<const char16_t*, 4> kSubtotalTexts = {u"小計", u"合計", u"総計", u"計"};

bool IsSubtotalText(const CString& text) {
  for (const char16_t* t : kSubtotalTexts) {
    if (text == t) return true;
  }
  return false;
}

}  // namespace

std::vector<CString> MacroFieldNames(const CTextGrid& data, int titleRow, int count, int columnGroups,
                                     int groupCount) {
  std::vector<CString> names;
  count = std::clamp(count, 0, GRID_COLS);
  names.reserve(static_cast<size_t>(count));
  const int firstValue = groupCount - columnGroups;
  for (int c = 0; c < count; ++c) {
    const CString& title = data.GetAt(titleRow, c);
    if (columnGroups <= 0 || c < firstValue) {
      names.push_back(title);
      continue;
    }
    CString joined;
    for (int i = columnGroups; i >= 1; --i) {
      CString label;
      for (int x = c; x >= std::max(firstValue, 0); --x) {
        const CString& cell = data.GetAt(titleRow - i, x);
        if (!cell.IsEmpty()) {
          label = cell;
          break;
        }
      }
      if (i != columnGroups) joined += u"/";
      joined += label;
    }
    names.push_back(joined.IsEmpty() ? title : joined + u"/" + title);
  }
  return names;
}

CString MacroStatementText(const CString& macroText) {
  if (macroText.Left(2) == u"if" || macroText.Left(6) == u"return") return macroText;
  return CString(u"return ") + macroText;
}

bool IsMacroSubtotalRow(const CTextGrid& data, int row) {
  return IsSubtotalText(data.GetAt(row, 0)) || IsSubtotalText(data.GetAt(row, 1));
}

void CMacroColumnEngine::ShiftAggregateBlock(int position) {
  if (position < 0 || position >= GRID_COLS) return;
  for (int i = 1; i <= cross_.columnGroups; ++i) {
    const int row = g_.titleRow - i;
    if (row < 0) break;
    if (g_.step.GetAt(row, 0) == kAggregateStart) break;
    const int width = g_.step.RowWidth(row);
    if (position >= width) continue;  // nothing to the right to move
    CTextGrid::Row cells = g_.step[row];
    for (int c = std::min(width, GRID_COLS - 1); c > position; --c) {
      CString moved = g_.step.GetAt(row, c - 1);
      cells[c] = std::move(moved);
    }
    cells[position].Empty();
  }
}

int CMacroColumnEngine::BuildRatioColumn(int row, int column, const CString& fieldName) {
  return BuildWholeColumn(ColumnKind::kRatio, row, column, fieldName);
}

int CMacroColumnEngine::BuildAccumuColumn(int row, int column, const CString& fieldName) {
  return BuildWholeColumn(ColumnKind::kAccumu, row, column, fieldName);
}

int CMacroColumnEngine::BuildWholeColumn(ColumnKind kind, int row, int b, const CString& fieldName) {
  const int title = g_.titleRow;
  if (row != title + 1) return 0;
  const auto fill = [&](int source, int output) {
    kind == ColumnKind::kRatio ? FillRatio(source, output) : FillAccumu(source, output);
  };
  if (!fieldName.IsEmpty()) {
    const auto it = std::find(names_.begin(), names_.end(), fieldName);
    if (it == names_.end()) return 0;
    fill(static_cast<int>(it - names_.begin()), b);
    return 0;
  }
  if (cross_.columnGroups <= 0) return 0;

  // A cross table: the column repeats the value columns of the block before it.
  const int p = cross_.rowGroups, q = cross_.colGroups, v = cross_.valueItems;
  CString label;
  if (q == 1 && b >= 1) {
    if (b - v < 0 || title - 1 < 0) return 0;
    label = g_.step.GetAt(title - 1, b - v);
  }
  const int headRow = v == 1 ? title - q + 1 : title - q;
  if (headRow < 0 || headRow > title) return 0;
  const CString before = g_.step.GetAt(headRow, b);
  g_.step[headRow][b] = label + (kind == ColumnKind::kRatio ? u"比率" : u"累計");
  int width = v;
  if (v == 1) {
    width = 1;
    for (int c = 0; c < g_.dataCols; ++c) {
      if (g_.step.GetAt(title, c).IsEmpty()) {
        width = 2;
        break;
      }
    }
  }
  if (b - width < 0 || b + width - 1 >= GRID_COLS || p + width - 1 >= GRID_COLS) {
    g_.step[headRow][b] = before;  // an index outside the grid: nothing is built
    return 0;
  }
  for (int h = 0; h < width; ++h) {
    CString name = g_.step.GetAt(title, p + h);
    g_.step[title][b + h] = std::move(name);
    fill(b - width + h, b + h);
  }
  return width - 1;
}

void CMacroColumnEngine::FillRatio(int source, int output) {
  const int first = g_.titleRow + 1;
  std::vector<double> values(static_cast<size_t>(std::max(g_.dataRows - first, 0)));
  double total = 0;
  for (int r = first; r < g_.dataRows; ++r) {
    if (IsMacroSubtotalRow(g_.data, r)) continue;
    values[static_cast<size_t>(r - first)] = ParseNumberText(g_.data.GetAt(r, source));
    total += values[static_cast<size_t>(r - first)];
  }
  for (int r = first; r < g_.dataRows; ++r) {
    if (IsMacroSubtotalRow(g_.data, r)) continue;
    CString text;
    if (total != 0) {
      double share = values[static_cast<size_t>(r - first)] / total * 100;
      RoundValue(5, share, -2);
      text = FormatDouble(share);
    }
    g_.step[r][output] = text + u"%";
  }
}

void CMacroColumnEngine::FillAccumu(int source, int output) {
  double sum = 0;
  for (int r = g_.titleRow + 1; r < g_.dataRows; ++r) {
    if (IsMacroSubtotalRow(g_.data, r)) continue;
    sum += ParseNumberText(g_.data.GetAt(r, source));
    g_.step[r][output] = FormatDouble(sum);
  }
}

void CMacroColumnEngine::EvaluateMacroColumn(int k, const MACROCOL& col, int& extra, CStringArena& arena) {
  const CTextGrid& data = g_.data;
  const CString text = MacroStatementText(col.macroText);
  std::vector<const CString*> cells(static_cast<size_t>(std::max(g_.dataCols, 0)));
  CMacroEval ev;
  // A result the same as the row before's shares its cell.
  CString lastText;
  double lastNumber = 0;
  bool haveNumber = false;
  char16_t number[kMaxDoubleText];
  for (int j = g_.titleRow + 1; j < g_.dataRows; ++j) {
    const CTextGrid::ConstRow row = data[j];
    for (size_t c = 0; c < cells.size(); ++c) cells[c] = &row[static_cast<int>(c)];
    ev.m_RowCells = cells.data();
    ev.m_ValueCount = g_.dataCols;
    ev.m_ColumnNames = &names_;
    ev.m_RowTexts = nullptr;
    ev.m_ForceText = 0;
    const double value = ev.Evaluate(text, j);
    int added = 0;
    switch (ev.ResultKind()) {
      case MACRO_NUMBER:
        // Compared bit for bit: 0 and -0 write the same text anyway.
        if (!haveNumber || std::memcmp(&value, &lastNumber, sizeof value) != 0) {
          lastText = arena.Make(std::u16string_view(number, static_cast<size_t>(FormatDoubleInto(value, number))));
          lastNumber = value;
          haveNumber = true;
        }
        g_.step[j][k] = lastText;
        break;
      case MACRO_TEXT:
        if (ev.m_Text != lastText) {
          lastText = arena.Make(ev.m_Text.View());
          haveNumber = false;
        }
        g_.step[j][k] = lastText;
        break;
      case MACRO_RATIO: added = BuildRatioColumn(j, k, ev.m_Text); break;
      case MACRO_ACCUMU: added = BuildAccumuColumn(j, k, ev.m_Text); break;
      default: break;
    }
    if (added > 0) extra = added;
  }
}

bool CMacroColumnEngine::EvaluateMacroColumns(CString& error) {
  const int n = static_cast<int>(layout_.size());
  if (n > GRID_COLS) {
    error = kMacroTooManyColumnsMessage;
    return false;
  }
  const int title = g_.titleRow;
  CTextGrid& step = g_.step;
  step.Clear();

  // Header rows, with an empty cell where a macro column comes in a cross table.
  for (int r = 0; r < title; ++r) step.ShareRow(r, g_.data, GRID_COLS);
  if (cross_.columnGroups > 0) {
    for (int k = 1; k < n; ++k) {
      if (layout_[static_cast<size_t>(k)].macroNumber != 0) ShiftAggregateBlock(k);
    }
  }
  for (int r = 0; r < title; ++r) step.TruncateRow(r, n);

  for (int k = 0; k < n; ++k) {
    const MACROCOL& col = layout_[static_cast<size_t>(k)];
    step[title][k] = col.macroNumber == 0 ? g_.data.GetAt(title, col.sourceColumn - 1) : col.columnName;
  }
  // The rows and the cells the step makes come from one arena: no allocation per
  // row or per computed cell.
  const size_t rowBytes = sizeof(CString) * static_cast<size_t>(n + 1);
  CStringArena arena(rowBytes * static_cast<size_t>(std::max(g_.dataRows - title - 1, 0)));
  if (n > 0) {
    for (int j = title + 1; j < g_.dataRows; ++j) step.PrepareRow(j, n, &arena);
  }

  int extra = 0;
  try {
    for (int k = 0; k < n;) {
      const MACROCOL& col = layout_[static_cast<size_t>(k)];
      if (col.macroNumber != 0) {
        EvaluateMacroColumn(k, col, extra, arena);
        ++k;
        continue;
      }
      // A run of kept columns is copied row by row: each row's cells are written
      // through one pointer, in the order the rows lie in memory.
      int end = k + 1;
      while (end < n && layout_[static_cast<size_t>(end)].macroNumber == 0) ++end;
      const CTextGrid& data = g_.data;
      for (int j = title + 1; j < g_.dataRows; ++j) {
        CString* out = step.PrepareRow(j, n);
        if (out == nullptr) continue;
        const CTextGrid::ConstRow in = data[j];
        for (int c = k; c < end; ++c) out[c] = in[layout_[static_cast<size_t>(c)].sourceColumn - 1];
      }
      k = end;
    }
  } catch (const CMacroError& e) {
    error = e.Text();
    step.Clear();
    return false;
  }
  outputCols_ = std::min(n + extra, GRID_COLS);
  MoveStepGridToDataGrid(g_.data, step, outputCols_, g_.dataRows);
  return true;
}
