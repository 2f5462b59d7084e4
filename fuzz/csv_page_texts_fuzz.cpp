// Feeds arbitrary texts, as the command text of a job carries them, to the CSV
// page's readers: a colour rule read back and written again, a column order,
// and time texts of the computed columns. The bytes are read as UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>

#include "grid/grid_store.h"
#include "jobsheet/sheet/color_rule.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "jobsheet/sheet/time_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CString text(std::string(reinterpret_cast<const char*>(data), size));
  const COLORRULE rule = ParseColorRule(text, COLORRULE{});
  (void)BuildColorRule(text, rule);
  (void)CheckColorRule(rule);
  CCsvPropPage page;
  page.ParseColumnOrder(text, GRID_COLS);
  for (int c = 0; c < page.m_ColCount; ++c)
    if (page.m_ColumnMap[c] < 1 || page.m_ColumnMap[c] > GRID_COLS) __builtin_trap();
  (void)RowTotalText({text, text});
  (void)TimeSpanText(text, text, 30);
  return 0;
}
