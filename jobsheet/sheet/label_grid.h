#pragma once
// The label-sheet picture of the start-label dialog: one cell per label, laid
// out to scale on a 300 x 300 area (units of 1/96 inch) at (60, 70), numbered
// along rows (order 1) or down columns (order 0).

#include <vector>

// One label cell; the rectangle is in device pixels of the dialog's client area.
struct SEELDATA {
  int m_Number = 0;
  int m_Left = 0;
  int m_Top = 0;
  int m_Right = 0;
  int m_Bottom = 0;
  int m_Row = 0;   // 1-based
  int m_Col = 0;   // 1-based
};

// Outline of the sheet in 1/96 inch.
inline constexpr int kSheetLeft = 60;
inline constexpr int kSheetTop = 70;
inline constexpr int kSheetSize = 300;

// 1/96-inch units to device pixels at dpi, to the nearest pixel.
int LabelUnitsToPixels(int units, int dpi);

// The cells row by row; empty when across or down is below 1.
std::vector<SEELDATA> BuildLabelCells(int across, int down, int order, int dpiX, int dpiY);

// Height of the cell numbers' font and the offset of the text inside a cell
// (1/96 inch), by the size of the sheet.
struct LABELFONT {
  int height;
  int offset;
};
LABELFONT LabelNumberFont(int across, int down);

// Index of the first cell that holds the point (edges included), -1 for none.
int LabelCellAt(const std::vector<SEELDATA>& cells, int x, int y);
