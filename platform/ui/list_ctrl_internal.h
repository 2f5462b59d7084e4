#pragma once
// Inside the window layer only: what the pieces of the list control share,
// the model behind its widget and the helpers over it. Includes Qt.

#include <QAbstractTableModel>
#include <QRect>
#include <QTableView>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/ui/list_ctrl.h"
#include "platform/ui/ui_internal.h"

class QAbstractItemDelegate;
class QHeaderView;

struct CListCtrl::Model : public QAbstractTableModel {
  // Where the user's click being handled went down (list client coordinates).
  std::optional<QPoint> clickPoint;
  struct Column {
    CString text;
    int fmt = LVCFMT_LEFT;
  };
  struct Row {
    std::vector<CString> cells;
    LPARAM data = 0;
    UINT state = 0;       // LVIS_SELECTED | LVIS_FOCUSED
    bool checked = false;
  };
  struct RowDraw {
    LRESULT result = 0;
    COLORREF text = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
  };

  using QAbstractTableModel::beginInsertColumns;
  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginRemoveColumns;
  using QAbstractTableModel::beginRemoveRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endInsertColumns;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endRemoveColumns;
  using QAbstractTableModel::endRemoveRows;
  using QAbstractTableModel::endResetModel;

  QTableView* view = nullptr;
  std::vector<Column> columns;
  std::vector<Row> rows;
  DWORD exStyle = 0;
  uint32_t flags = 0;
  int selectionMark = -1;
  LRESULT prepaint = 0;
  std::unordered_map<int, RowDraw> rowDraw;   // this paint's item answers
  std::function<CString(int, int)> source;     // owner data: texts of every cell
  std::function<COLORREF(int)> headerColor;    // owner-coloured headings

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(columns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) return layer::ToQ(Text(index.row(), index.column()));
    return QVariant();
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size())) return QVariant();
    if (role == Qt::DisplayRole) return layer::ToQ(columns[section].text);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Align(section) | Qt::AlignVCenter);
    return QVariant();
  }
  Qt::Alignment Align(int column) const {
    int fmt = column >= 0 && column < static_cast<int>(columns.size()) ? columns[column].fmt : LVCFMT_LEFT;
    return fmt == LVCFMT_RIGHT ? Qt::AlignRight : fmt == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
  }
  CString Text(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0) return CString();
    if (source) return source(row, column);
    const Row& r = rows[row];
    return column < static_cast<int>(r.cells.size()) ? r.cells[column] : CString();
  }
  bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(rows.size()); }
  void RefreshRow(int row) {
    if (ValidRow(row) && !columns.empty())
      emit dataChanged(index(row, 0), index(row, static_cast<int>(columns.size()) - 1));
  }
};

namespace layer::list {

// The model of a list widget, null for any other widget.
CListCtrl::Model* ModelOf(QWidget* w);
// An item's state with its check box as the state image.
UINT FullState(const CListCtrl::Model::Row& r);
// Changes the state bits of one item and notifies (LVN_ITEMCHANGED).
void ChangeState(QTableView* view, int item, UINT state, UINT mask);
// Where the check box of a first-column cell lies.
QRect CheckBoxRect(const QRect& cell);

// The pieces CreateListView puts together.
QAbstractItemDelegate* NewDelegate(QTableView* view);
QHeaderView* NewHeader(QTableView* view);
// Event filters shared by every list.
QObject* InputFilter();
QObject* HeaderInputFilter();
QObject* DragFilter();

}  // namespace layer::list
