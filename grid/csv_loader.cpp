// Loading one CSV or TSV input into the data grid.

#include <algorithm>
#include <vector>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "grid/number_text.h"
#include "jobsheet/sheet/csv_prop_page.h"
#include "platform/ui_hooks.h"

namespace {

constexpr char16_t kCaption[] = u"タブロコネクト";
// Longest line the stream hands out for a CSV line buffer, in bytes.
constexpr int kMaxLineBytes = CCsvTextFile::kBlockSize - 1;

void ShowMessage(const CString& text) {
  GetUiHooks().MessageBox(text, kCaption, MB_OK | MB_ICONWARNING);
}

// A TSV input is told by its own final extension.
bool HasTsvExtension(const CString& path) {
  const int slash = std::max(path.ReverseFind(u'/'), path.ReverseFind(u'\\'));
  const int dot = path.ReverseFind(u'.');
  if (dot <= slash) return false;
  const CString ext = path.Mid(dot);
  return ext == u".tsv" || ext == u".TSV";
}

// Why a file was refused part-way, with the 1-based line.
enum class Refusal { kNone, kTooManyColumns, kFieldTooLong, kLineTooLong };

CString RefusalMessage(Refusal why, const CString& path, int line) {
  switch (why) {
    case Refusal::kTooManyColumns:
      return CString::Build(u"[%s] %d行目\nCSVデータの列数は%d以内にして下さい。", path, line,
                            GRID_COLS);
    case Refusal::kFieldTooLong:
      return CString::Build(u"[%s] %d行目\nCSVデータの項目は%d文字以内にして下さい。", path,
                            line, kCsvMaxFieldChars);
    case Refusal::kLineTooLong:
      return CString::Build(u"[%s] %d行目\nCSVデータの1行は%dバイト以内にして下さい。", path,
                            line, kMaxLineBytes);
    case Refusal::kNone:
      break;
  }
  return CString();
}

}  // namespace

int CTabroClientDlg::LoadCsv(const CString& path, CCsvPropPage* page, int loadType) {
  CTabroClientApp& app = theApp;
  if (loadType == LOAD_RESTORE) {
    app.CopyGridSet(1);
    return 1;
  }
  CWaitCursor wait;

  if (app.m_InputKind == INPUT_CLIPBOARD && loadType == LOAD_FILE) {
    CCsvPropPage scratch;
    CCsvPropPage& target = page != nullptr ? *page : scratch;
    if (target.ReadClipboardText() == CCsvPropPage::CLIP_INSERTED) GetUiHooks().EmptyClipboard();
    return 1;
  }
  if (app.m_SendRows > 0 && app.m_SendCols > 0) return 1;

  app.m_RowFieldCount.fill(0);
  app.m_TotalRows = 0;
  app.m_DataCols = 0;
  app.m_EditCols = 0;
  app.m_EditRows = 0;

  const bool tsv = HasTsvExtension(path);
  const int lastSlash = path.ReverseFind(u'/');
  if (lastSlash > 0) app.m_CsvFolder = path.Left(lastSlash);

  int result = 1;
  CCsvTextFile file;
  if (!file.Open(path, u"r", CCsvTextFile::CODETYPE_DETECT)) {
    ShowMessage(CString::Build(u"[%s] 該当のファイルはありません", path));
    app.CopyGridSet(0);
    return 0;
  }
  app.m_SourceCodeType = file.m_CodeType;

  // The grid and tables start empty, so that early narrow rows read as empty up to
  // the final width.
  CTextGrid& grid = app.m_DataGrid;
  grid.Clear();
  app.m_RowFilledCount.fill(0);
  app.m_RowTextCount.fill(0);
  app.m_RowLastTextCol.fill(0);

  Refusal refusal = Refusal::kNone;
  int row = 0;
  int width = 0;
  CString line;
  std::vector<CString> fields;
  fields.reserve(GRID_COLS);
  while (file.ReadLine(line, CCsvTextFile::kCsvLineChars)) {
    if (row == GRID_MAX_ROWS) {
      ShowMessage(CString::Build(u"[%s] 該当のファイルは行数が多過ぎて読み込みはできません（%d）",
                                 path, GRID_MAX_ROWS));
      result = 0;
      break;
    }
    CsvSplitOverflow overflow;
    int n = SplitCsvLine(fields, line, tsv, &overflow);
    if (n > 0 && fields[n - 1].IsEmpty()) --n;  // a trailing separator adds no cell
    if (n > GRID_COLS || overflow.tooManyFields) {
      refusal = Refusal::kTooManyColumns;
      break;
    }
    if (overflow.fieldTooLong) {
      refusal = Refusal::kFieldTooLong;
      break;
    }
    width = std::max(width, n);

    int filled = 0;
    int textCount = -1;
    int lastTextCol = 0;
    if (width > 0) {
      CString* cells = grid.PrepareRow(row, width);
      for (int c = 0; c < n; ++c) {
        const int kind = IsNumberOrDateText(fields[c]);
        if (kind == -1) continue;
        ++filled;
        if (kind == 0) {
          ++textCount;
          lastTextCol = c;
        }
        cells[c] = std::move(fields[c]);
      }
    }
    app.m_RowFilledCount[row] = filled;
    app.m_RowTextCount[row] = textCount;
    app.m_RowLastTextCol[row] = lastTextCol;
    app.m_RowFieldCount[row] = static_cast<int16_t>(width);
    ++row;
  }
  if (refusal == Refusal::kNone) {
    switch (file.GetReadState()) {
      case CCsvTextFile::ReadState::kLineTooLong:
        refusal = Refusal::kLineTooLong;
        break;
      case CCsvTextFile::ReadState::kNoCodeType:  // the stream has said why
      case CCsvTextFile::ReadState::kNotOpen:
        result = 0;
        break;
      default:
        break;
    }
  }
  file.Close();

  if (refusal != Refusal::kNone) {
    // Nothing of a refused file stays loaded.
    ShowMessage(RefusalMessage(refusal, path, row + 1));
    grid.Clear();
    app.m_RowFilledCount.fill(0);
    app.m_RowTextCount.fill(0);
    app.m_RowLastTextCol.fill(0);
    app.m_RowFieldCount.fill(0);
    row = 0;
    width = 0;
    result = 0;
  }

  app.m_DataCols = width;
  app.m_DataRows = row;
  app.m_TotalRows = row > EDIT_GRID_ROWS ? row : 0;
  app.CopyGridSet(0);
  return result;
}
