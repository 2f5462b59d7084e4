#include "jobsheet/sheet/label_grid.h"

#include <cmath>

int LabelUnitsToPixels(int units, int dpi) { return static_cast<int>(std::lround(units * static_cast<double>(dpi) / 96.0)); }

std::vector<SEELDATA> BuildLabelCells(int across, int down, int order, int dpiX, int dpiY) {
  std::vector<SEELDATA> cells;
  if (across < 1 || down < 1) return cells;
  const double dx = static_cast<double>(kSheetSize) / across;
  const double dy = static_cast<double>(kSheetSize) / down;
  cells.reserve(static_cast<size_t>(across) * down);
  for (int i = 1; i <= down; ++i) {
    for (int j = 1; j <= across; ++j) {
      SEELDATA c;
      c.m_Number = order == 1 ? (i - 1) * across + j : i + (j - 1) * down;
      const int left = static_cast<int>((j - 1) * dx + kSheetLeft + 0.05 * dx + (j == 1 ? 1 : 0));
      const int right = static_cast<int>(j * dx + kSheetLeft - 0.05 * dx - (j == across ? 1 : 0));
      const int top = static_cast<int>((i - 1) * dy + kSheetTop + 0.05 * dy + (i == 1 ? 1 : 0));
      const int bottom = static_cast<int>(i * dy + kSheetTop - 0.05 * dy - (i == down ? 1 : 0));
      c.m_Left = LabelUnitsToPixels(left, dpiX);
      c.m_Right = LabelUnitsToPixels(right, dpiX);
      c.m_Top = LabelUnitsToPixels(top, dpiY);
      c.m_Bottom = LabelUnitsToPixels(bottom, dpiY);
      c.m_Row = i;
      c.m_Col = j;
      cells.push_back(c);
    }
  }
  return cells;
}

LABELFONT LabelNumberFont(int across, int down) {
  if (across <= 9 && down <= 9) return {18, 5};
  if (across > 25 || down > 25) return {5, 0};
  if (across > 20 || down > 20) return {10, 0};
  return {10, 2};
}

int LabelCellAt(const std::vector<SEELDATA>& cells, int x, int y) {
  for (size_t i = 0; i < cells.size(); ++i) {
    const SEELDATA& c = cells[i];
    if (c.m_Left <= x && x <= c.m_Right && c.m_Top <= y && y <= c.m_Bottom) return static_cast<int>(i);
  }
  return -1;
}
