#pragma once
// The label sheets the label tab offers, in the order of its list.

struct LABELSHEET {
  const char16_t* text;
  int across;     // first number of the layout
  int down;       // second number
  int maker;      // 1 "ヒサゴ", 2 "エーワン"
  int labels;     // largest start position
};

inline constexpr LABELSHEET kLabelSheets[] = {
    {u"ヒサゴ：2×4", 2, 4, 1, 8},    {u"ヒサゴ：2×5", 2, 5, 1, 10},   {u"ヒサゴ：2×6", 2, 6, 1, 12},
    {u"ヒサゴ：3×8", 3, 8, 1, 24},    {u"エーワン：2×4", 2, 4, 2, 8},  {u"エーワン：2×5", 2, 5, 2, 10},
    {u"エーワン：2×6", 2, 6, 2, 12}, {u"エーワン：3×8", 3, 8, 2, 24},
};
static_assert(sizeof(kLabelSheets) / sizeof(kLabelSheets[0]) == 8);
inline constexpr int kLabelSheetCount = 8;
