// The CSV edit page on a full edit grid (3000 rows x 256 columns), offscreen:
// build the page's window, paint it, scroll to the last row and column and
// paint again; against a bare QTableView over the same cells doing the same.

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include "app/tabro_client_app.h"
#include "jobsheet/sheet/ui/csv_prop_page_wnd.h"
#include "platform/ui/ui_driver.h"
#include "res/csv_prop_page.h"

namespace {

constexpr int kRows = EDIT_GRID_ROWS;
constexpr int kCols = GRID_COLS;

void FillGrids() {
  static bool filled = false;
  if (filled) return;
  filled = true;
  static const char16_t* const kCells[] = {u"00123", u"山田商店", u"42", u"123.5", u"2024/01/05", u"東京都", u"3",
                                           u"1,200"};
  for (int r = 0; r < kRows; ++r) {
    CString* cells = theApp.m_DataGrid.PrepareRow(r, kCols);
    for (int c = 0; c < kCols; ++c) cells[c] = r == 0 ? CString::Build(u"項目%d", c + 1) : CString(kCells[(r + c) % 8]);
  }
  theApp.m_DataRows = kRows;
  theApp.m_DataCols = kCols;
  theApp.m_TitleRow = 0;
}

void BM_CsvPageBuildPaintScroll(benchmark::State& state) {
  ui::EnsureApplication();
  FillGrids();
  for (auto _ : state) {
    theApp.m_SendRows = theApp.m_SendCols = 0;
    CCsvPropPage page;
    CsvGrids g = AppCsvGrids();
    page.CopySourceToGrid(g);
    page.m_PageTitleRow = 0;
    CCsvPropPageWnd wnd(page);
    wnd.Create(res::IDD_CSV_PROP_PAGE);
    wnd.ShowWindow(SW_SHOW);
    QWidget* view = wnd.m_GridList.m_hWnd;
    benchmark::DoNotOptimize(view->grab());
    wnd.m_GridList.EnsureVisible(kRows - 1, FALSE);
    wnd.SyncRowNumbers();
    if (auto* table = qobject_cast<QTableView*>(view)) table->scrollTo(table->model()->index(kRows - 1, table->model()->columnCount() - 1));
    benchmark::DoNotOptimize(view->grab());
    wnd.DestroyWindow();
  }
  state.counters["rows"] = kRows;
}
BENCHMARK(BM_CsvPageBuildPaintScroll)->Unit(benchmark::kMillisecond);

// The same cells straight from the grid, nothing else.
class GridModel : public QAbstractTableModel {
 public:
  int rowCount(const QModelIndex& = QModelIndex()) const override { return kRows; }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return kCols + 2; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || index.column() < 2) return QVariant();
    const CString& s = theApp.m_EditGrid.GetAt(index.row(), index.column() - 2);
    return QString::fromUtf16(s.GetString(), s.GetLength());
  }
};

void BM_BareTableView(benchmark::State& state) {
  ui::EnsureApplication();
  FillGrids();
  for (int r = 0; r < kRows; ++r) theApp.m_EditGrid.ShareRow(r, theApp.m_DataGrid, kCols);
  for (auto _ : state) {
    GridModel model;
    QTableView view;
    view.resize(960, 404);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(19);
    view.setModel(&model);
    for (int c = 2; c < kCols + 2; ++c) view.setColumnWidth(c, 106);
    view.show();
    benchmark::DoNotOptimize(view.grab());
    view.scrollTo(model.index(kRows - 1, kCols + 1));
    benchmark::DoNotOptimize(view.grab());
  }
  state.counters["rows"] = kRows;
}
BENCHMARK(BM_BareTableView)->Unit(benchmark::kMillisecond);

}  // namespace
