#pragma once
// Messages about the grid's own limits, shown by every layer that adds to it.

// A column would be added past GRID_COLS.
inline constexpr char16_t kGridTooManyColumns[] = u"最大列数を超えます。追加できません";
