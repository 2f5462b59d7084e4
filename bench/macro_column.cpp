// Loads one CSV file through the program's loader and evaluates one macro for
// every data row, as a computed column of the macro-column step, printing each
// result on its own line, so that the whole run can be timed against other
// programs on the same file.
// Usage: macro_column FILE MACRO       e.g. macro_column data.csv '[単価]*[数量]'
//        macro_column --make FILE      writes a 30000-row, 20-column UTF-8 test file
//                                      whose columns include 単価 and 数量

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "grid/number_text.h"
#include "macro/macro_columns.h"
#include "macro/macro_eval.h"
#include "platform/cstring.h"

namespace {

int MakeFile(const char* path) {
  static const char* const kTitles[] = {"伝票番号", "得意先名", "商品名", "単価", "数量", "売上日", "地域",
                                        "区分",     "担当者",   "備考"};
  static const char* const kWords[] = {"東京", "大阪府", "名古屋", "りんご", "みかん", "ボールペン", "ノート", "営業部"};
  std::ofstream out(path, std::ios::binary);
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return 1;
  }
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int c = 0; c < 20; ++c) out << (c ? "," : "") << kTitles[c % 10] << (c < 10 ? "" : "2");
  out << '\n';
  for (int r = 1; r <= 30000; ++r) {
    for (int c = 0; c < 20; ++c) {
      if (c) out << ',';
      switch (c % 10) {
        case 0: out << r; break;
        case 3: out << next() % 1000 << '.' << next() % 10; break;
        case 4: out << 1 + next() % 50; break;
        case 5: out << "2024/" << 1 + next() % 12 << '/' << 1 + next() % 28; break;
        default: out << kWords[next() % 8]; break;
      }
    }
    out << '\n';
  }
  return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--make") == 0) return MakeFile(argv[2]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: macro_column FILE MACRO | --make FILE\n");
    return 2;
  }
  theApp.m_InputKind = INPUT_DROPPED;
  CTabroClientDlg dlg;
  if (dlg.LoadCsv(CString::FromUtf8(argv[1]), nullptr, LOAD_FILE) != 1) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }
  const CTextGrid& grid = theApp.m_DataGrid;
  const int cols = theApp.m_DataCols;
  const int title = dlg.AnalyseCsvShape(cols, theApp.m_DataRows, theApp.m_RowFilledCount);
  theApp.m_TitleRow = title;

  // The step looks names up in the field names of its input columns.
  std::vector<CString> names;
  for (int c = 0; title >= 0 && c < cols; ++c) names.push_back(grid.GetAt(title, c));

  const CString macro = MacroStatementText(CString::FromUtf8(argv[2]));

  std::vector<const CString*> cells(cols);
  CMacroEval ev;
  ev.m_ColumnNames = &names;
  ev.m_ValueCount = cols;
  ev.m_RowCells = cells.data();
  std::string out;
  for (int r = title + 1; r < theApp.m_DataRows; ++r) {
    const CTextGrid::ConstRow row = grid[r];
    for (int c = 0; c < cols; ++c) cells[c] = &row[c];
    ev.m_ForceText = 0;
    try {
      const double value = ev.Evaluate(macro, r);
      switch (ev.ResultKind()) {
        case MACRO_NUMBER: out += FormatDouble(value).ToUtf8(); break;
        case MACRO_TEXT: out += ev.m_Text.ToUtf8(); break;
        default: break;  // share and running totals need the whole column
      }
    } catch (const CMacroError& e) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      std::fprintf(stderr, "row %d: %s\n", r + 1, e.what());
      return 1;
    }
    out += '\n';
    if (out.size() > (1 << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
