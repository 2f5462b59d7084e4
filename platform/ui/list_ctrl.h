#pragma once
// CListCtrl (report view) and its header CHeaderCtrl.
//
// The list keeps its items in a model that stores each row's texts once and
// paints only the visible cells, so a list of 3000 rows by 266 columns costs
// the texts and nothing per cell beyond them.
//
// Notifications to the parent (WM_NOTIFY, id of the list):
// - LVN_ITEMCHANGED (NMLISTVIEW, uChanged LVIF_STATE, old and new state) when
//   an item's selection, focus or check state changes, by the user or by
//   SetItemState/SetCheck, as on the platform.
// - NM_CLICK / NM_DBLCLK / NM_RCLICK (NMITEMACTIVATE: iItem, iSubItem, ptAction;
//   iItem -1 below the last item) for a user's click.
// - LVN_BEGINDRAG (NMLISTVIEW: iItem, iSubItem, ptAction where the button went
//   down) once the user moves the mouse, left button held, a few pixels away
//   from where the button went down on an item.
// - LVN_COLUMNCLICK (NMLISTVIEW, iSubItem) for a click on a header item unless
//   the list has kNoSortHeader.
// - LVN_KEYDOWN (NMLVKEYDOWN) for a key pressed in the list.
// - NM_CUSTOMDRAW (NMLVCUSTOMDRAW) while painting: CDDS_PREPAINT once per paint;
//   when the answer holds CDRF_NOTIFYITEMDRAW, CDDS_ITEMPREPAINT per row; when
//   that answer holds CDRF_NOTIFYSUBITEMDRAW, CDDS_ITEMPREPAINT|CDDS_SUBITEM per
//   cell. The handler's clrText / clrTextBk colour the row or the cell.

#include <functional>
#include <vector>

#include "platform/ui/controls.h"

// Item state bits.
enum : UINT {
  LVIS_FOCUSED = 0x1,
  LVIS_SELECTED = 0x2,
  LVIS_DROPHILITED = 0x8,   // the target of a drag, drawn as selected
  LVIS_STATEIMAGEMASK = 0xF000,
};
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }
// Item fields.
enum : UINT { LVIF_TEXT = 0x1, LVIF_IMAGE = 0x2, LVIF_PARAM = 0x4, LVIF_STATE = 0x8 };
// Column fields and formats.
enum : UINT { LVCF_FMT = 0x1, LVCF_WIDTH = 0x2, LVCF_TEXT = 0x4, LVCF_SUBITEM = 0x8 };
enum : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };
// Extended styles.
enum : DWORD {
  LVS_EX_GRIDLINES = 0x1,
  LVS_EX_CHECKBOXES = 0x4,
  LVS_EX_FULLROWSELECT = 0x20,
  LVS_EX_DOUBLEBUFFER = 0x10000,
};
// GetNextItem flags.
enum : UINT { LVNI_ALL = 0x0, LVNI_FOCUSED = 0x1, LVNI_SELECTED = 0x2 };
// Hit test flags.
enum : UINT { LVHT_NOWHERE = 0x1, LVHT_ONITEMICON = 0x2, LVHT_ONITEMLABEL = 0x4, LVHT_ONITEMSTATEICON = 0x8,
              LVHT_ONITEM = 0xE };
// Custom draw stages and answers.
enum : DWORD {
  CDDS_PREPAINT = 0x1,
  CDDS_POSTPAINT = 0x2,
  CDDS_ITEM = 0x10000,
  CDDS_ITEMPREPAINT = 0x10001,
  CDDS_SUBITEM = 0x20000,
};
enum : LRESULT {
  CDRF_DODEFAULT = 0x0,
  CDRF_NEWFONT = 0x2,
  CDRF_SKIPDEFAULT = 0x4,
  CDRF_NOTIFYPOSTPAINT = 0x10,
  CDRF_NOTIFYITEMDRAW = 0x20,
  CDRF_NOTIFYSUBITEMDRAW = 0x20,
};
enum : UINT { LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2 };

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  CString pszText;
  int iSubItem = 0;
};

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  CString pszText;
  int iImage = 0;
  LPARAM lParam = 0;
};

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  CPoint ptAction;
  LPARAM lParam = 0;
};
using NM_LISTVIEW = NMLISTVIEW;

// LVN_BEGINLABELEDIT and LVN_ENDLABELEDIT: the item being edited. At the end,
// item.mask holds LVIF_TEXT with the new text in item.pszText, or is 0 when
// the edit was cancelled (the platform's null text).
struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};
using LV_DISPINFO = NMLVDISPINFO;

struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  CPoint ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  CDC* hdc = nullptr;
  CRect rc;
  DWORD_PTR dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = CLR_DEFAULT;
  COLORREF clrTextBk = CLR_DEFAULT;
  int iSubItem = 0;
};

struct LVHITTESTINFO {
  CPoint pt;
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

// Position of a selected-item walk.
using POSITION = intptr_t;

struct HDITEM {
  UINT mask = 0;
  int cxy = 0;
  CString pszText;
  int fmt = 0;
  LPARAM lParam = 0;
};
enum : UINT { HDI_WIDTH = 0x1, HDI_TEXT = 0x2, HDI_FORMAT = 0x4, HDI_LPARAM = 0x8 };
// Header styles (ModifyStyle on the header): no heading row, no column sizing.
enum : DWORD { HDS_HIDDEN = 0x8, HDS_NOSIZING = 0x800 };

// HDN_BEGINTRACK: the user starts to drag the right edge of header item iItem.
// It goes to the list's parent (idFrom 0, the header's id); a handler that
// sets *result to TRUE refuses the resizing.
struct NMHEADER {
  NMHDR hdr;
  int iItem = -1;
  int iButton = 0;
};

class CHeaderCtrl : public CWnd {
 public:
  int GetItemCount() const;
  // Rectangle of header item index in the header's client coordinates.
  BOOL GetItemRect(int index, CRect* rect) const;
  // Text of header item index.
  CString GetItemText(int index) const;
  // A user's drag of the right edge of item index to a new width: HDN_BEGINTRACK
  // first; false when it was refused (the width stays).
  bool ResizeAsUser(int index, int width);
};

class CListCtrl : public CWnd {
 public:
  // style: WS_VISIBLE, WS_DISABLED, LVS_REPORT, LVS_SINGLESEL, LVS_SHOWSELALWAYS,
  // LVS_NOSORTHEADER, LVS_NOCOLUMNHEADER.
  BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Columns.
  int InsertColumn(int column, const CString& heading, int format = LVCFMT_LEFT, int width = -1,
                   int subItem = -1);
  BOOL DeleteColumn(int column);
  // Replaces every column at once (LVCF_TEXT, LVCF_FMT, LVCF_WIDTH of each):
  // one layout of the list instead of one per inserted column.
  BOOL SetColumns(const std::vector<LVCOLUMN>& columns);
  BOOL GetColumn(int column, LVCOLUMN* info) const;
  BOOL SetColumn(int column, const LVCOLUMN* info);
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);
  int GetColumnCount() const;
  CHeaderCtrl* GetHeaderCtrl();

  // Items and sub-items.
  int InsertItem(int item, const CString& text);   // index of the new item
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  // Reserves room for count items (a hint; items are still inserted one by one).
  BOOL SetItemCountEx(int count, DWORD flags = 0);
  BOOL SetItemCount(int count) { return SetItemCountEx(count); }
  BOOL SetItemText(int item, int subItem, const CString& text);
  CString GetItemText(int item, int subItem) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;

  // Selection, focus and check boxes.
  BOOL SetItemState(int item, UINT state, UINT mask);   // item -1: every item
  UINT GetItemState(int item, UINT mask) const;
  int GetNextItem(int start, UINT flags) const;
  int GetSelectedCount() const;
  int GetSelectionMark() const;
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  BOOL GetCheck(int item) const;
  BOOL SetCheck(int item, BOOL check = TRUE);

  // Styles.
  DWORD SetExtendedStyle(DWORD styles);   // returns the previous
  DWORD GetExtendedStyle() const;

  // Geometry and scrolling (client coordinates of the list).
  int HitTest(LVHITTESTINFO* info) const;
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int SubItemHitTest(LVHITTESTINFO* info) const;
  BOOL GetItemRect(int item, CRect* rect, UINT code) const;
  BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect) const;
  int GetTopIndex() const;
  BOOL EnsureVisible(int item, BOOL partialOk);
  BOOL Scroll(CSize size);
  BOOL RedrawItems(int first, int last);

  // User actions for tests and keyboard code: a click on (item, subItem) as the
  // user makes it (selection change, then NM_CLICK), a double click, a click
  // on a header item, a key pressed in the list.
  void ClickAsUser(int item, int subItem = 0, bool withCtrl = false, bool withShift = false);
  void DoubleClickAsUser(int item, int subItem = 0);
  void ClickColumnAsUser(int column);
  void KeyDownAsUser(UINT vk);
  // The selection change of a click alone (a right press on an unselected row).
  void SelectAsUser(int item, bool withCtrl, bool withShift);
  // NM_CLICK on (item, subItem) to the owner.
  void NotifyClick(int item, int subItem);

  // Owner data: with a text source set, every cell's text comes from it
  // (asked only for the cells being painted or read), SetItemCountEx sets the
  // number of items at once, and the items hold no texts of their own. Redraw
  // with Invalidate after the texts behind the source changed.
  void SetTextSource(std::function<CString(int item, int subItem)> source);
  // Owner-coloured headings: the background of header item i (CLR_DEFAULT: the
  // usual face).
  void SetHeaderColorSource(std::function<COLORREF(int column)> source);

  // In-place editing of an item's label (its first column): LVN_BEGINLABELEDIT
  // goes out first (a non-zero result refuses: null); an edit box then lies
  // over the label with its text selected. Enter or the focus leaving ends
  // it with the text, Esc without; LVN_ENDLABELEDIT reports it, and a
  // non-zero result takes the new text as the label.
  CEdit* EditLabel(int item);
  // The edit box of the label being edited, null when none.
  CEdit* GetEditControl() const;

  // Layer internals: the model behind the widget (null without a widget).
  struct Model;
  Model* GetModel() const;
};
