// The report-view list: items, selection, check boxes, notifications, hit
// tests and per-cell colours.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QEvent>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kList = 4001, kSingle = 4002, kPlain = 4003 };

constexpr ControlTemplate kListControls[] = {
    {CtlKind::ListView, kList, nullptr, 5, 5, 200, 100, tpl::kShowSelAlways},
    {CtlKind::ListView, kSingle, nullptr, 5, 110, 200, 40, tpl::kSingleSel | tpl::kNoSortHeader},
};
constexpr DialogTemplate kListDialog{9004, u"一覧", 210, 160, kListControls};

struct Change {
  int item;
  UINT oldState;
  UINT newState;
  bool operator==(const Change&) const = default;
};

class CListHost : public CDialogEx {
 public:
  CListHost() : CDialogEx(kListDialog) {}
  CListCtrl m_List;
  CListCtrl m_Single;
  std::vector<Change> m_Changes;
  std::vector<std::pair<int, int>> m_Clicks;   // item, sub-item
  std::vector<int> m_ColumnClicks;
  std::vector<int> m_DoubleClicks;
  int m_RedRow = -1, m_RedColumn = -1;

  afx_msg void OnItemChanged(NMHDR* hdr, LRESULT*) {
    auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
    m_Changes.push_back({nm->iItem, nm->uOldState, nm->uNewState});
  }
  afx_msg void OnClick(NMHDR* hdr, LRESULT*) {
    auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
    m_Clicks.emplace_back(nm->iItem, nm->iSubItem);
  }
  afx_msg void OnDblClk(NMHDR* hdr, LRESULT*) {
    m_DoubleClicks.push_back(reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem);
  }
  // The first column keeps its width.
  afx_msg void OnBeginTrack(NMHDR* hdr, LRESULT* result) {
    *result = reinterpret_cast<NMHEADER*>(hdr)->iItem == 0 ? TRUE : FALSE;
  }
  afx_msg void OnColumnClick(UINT, NMHDR* hdr, LRESULT*) {
    m_ColumnClicks.push_back(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
  }
  // Paints one cell red, the way the program's lists colour cells.
  afx_msg void OnCustomDraw(NMHDR* hdr, LRESULT* result) {
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    switch (cd->nmcd.dwDrawStage) {
      case CDDS_PREPAINT: *result = CDRF_NOTIFYITEMDRAW; return;
      case CDDS_ITEMPREPAINT: *result = CDRF_NOTIFYSUBITEMDRAW; return;
      case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (static_cast<int>(cd->nmcd.dwItemSpec) == m_RedRow && cd->iSubItem == m_RedColumn)
          cd->clrTextBk = RGB(255, 0, 0);
        else
          cd->clrTextBk = RGB(255, 255, 255);
        *result = CDRF_DODEFAULT;
        return;
      default: *result = CDRF_DODEFAULT;
    }
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kList, m_List);
    DDX_Control(dx, kSingle, m_Single);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListHost, CDialogEx)
  ON_NOTIFY(LVN_ITEMCHANGED, kList, &CListHost::OnItemChanged)
  ON_NOTIFY(NM_CLICK, kList, &CListHost::OnClick)
  ON_NOTIFY(NM_DBLCLK, kList, &CListHost::OnDblClk)
  ON_NOTIFY_RANGE(LVN_COLUMNCLICK, kList, kSingle, &CListHost::OnColumnClick)
  ON_NOTIFY(NM_CUSTOMDRAW, kList, &CListHost::OnCustomDraw)
  ON_NOTIFY(HDN_BEGINTRACK, 0, &CListHost::OnBeginTrack)
END_MESSAGE_MAP()

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateFromTemplate(nullptr, false));
    host.OnInitDialog();
    CListCtrl& l = host.m_List;
    l.InsertColumn(0, u"品名", LVCFMT_LEFT, 60);
    l.InsertColumn(1, u"数量", LVCFMT_RIGHT, 50);
    l.InsertColumn(2, u"単価", LVCFMT_RIGHT, 50);
    const char16_t* names[] = {u"りんご", u"みかん", u"ぶどう", u"もも"};
    for (int i = 0; i < 4; ++i) {
      l.InsertItem(i, names[i]);
      l.SetItemText(i, 1, CString::Build(u"%d", i + 1));
      l.SetItemText(i, 2, CString::Build(u"%d", (i + 1) * 100));
      l.SetItemData(i, static_cast<DWORD_PTR>(1000 + i));
    }
    host.m_Changes.clear();
  }
  std::vector<int> Selected() {
    std::vector<int> out;
    POSITION pos = host.m_List.GetFirstSelectedItemPosition();
    while (pos) out.push_back(host.m_List.GetNextSelectedItem(pos));
    return out;
  }
  CListHost host;
};

TEST_F(ListTest, ItemsSubItemsAndDataFollowInsertionsAndDeletions) {
  CListCtrl& l = host.m_List;
  EXPECT_EQ(l.GetItemCount(), 4);
  EXPECT_EQ(l.GetColumnCount(), 3);
  l.InsertItem(1, u"なし");
  EXPECT_EQ(l.GetItemText(1, 0), CString(u"なし"));
  EXPECT_EQ(l.GetItemText(1, 2), CString());
  EXPECT_EQ(l.GetItemText(2, 0), CString(u"みかん"));
  EXPECT_EQ(l.GetItemData(2), 1001u);
  EXPECT_TRUE(l.DeleteItem(0));
  EXPECT_EQ(l.GetItemText(0, 0), CString(u"なし"));
  EXPECT_FALSE(l.SetItemText(9, 0, u"x"));
  EXPECT_FALSE(l.SetItemText(0, 3, u"x"));
  EXPECT_EQ(l.GetItemText(9, 0), CString());
  l.DeleteColumn(1);
  EXPECT_EQ(l.GetItemText(1, 1), CString(u"200"));
  EXPECT_EQ(l.GetHeaderCtrl()->GetItemText(1), CString(u"単価"));
  EXPECT_EQ(l.GetHeaderCtrl()->GetItemCount(), 2);
}

TEST_F(ListTest, SetItemStateSelectsAndNotifiesOldAndNewStates) {
  CListCtrl& l = host.m_List;
  const UINT unchecked = INDEXTOSTATEIMAGEMASK(1);
  l.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(host.m_Changes, (std::vector<Change>{{2, unchecked, unchecked | LVIS_SELECTED | LVIS_FOCUSED}}));
  EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED), 2);
  EXPECT_EQ(l.GetNextItem(-1, LVNI_FOCUSED), 2);
  l.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
  EXPECT_EQ(l.GetSelectedCount(), 2);
  host.m_Changes.clear();
  l.SetItemState(-1, 0, LVIS_SELECTED);
  EXPECT_EQ(host.m_Changes.size(), 2u);
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ListTest, AUsersClicksSelectAsOnThePlatform) {
  CListCtrl& l = host.m_List;
  l.ClickAsUser(1, 2);
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_EQ(host.m_Clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
  l.ClickAsUser(3, 0, false, true);   // Shift: the range from the mark
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  l.ClickAsUser(2, 0, true, false);   // Ctrl: toggles one
  EXPECT_EQ(Selected(), (std::vector<int>{1, 3}));
  l.ClickAsUser(0);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(l.GetSelectionMark(), 0);
  l.ClickAsUser(-1, 1);               // below the last item
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(host.m_Clicks.back(), std::make_pair(-1, 1));
  l.DoubleClickAsUser(3);
  EXPECT_EQ(host.m_DoubleClicks, std::vector<int>{3});
}

TEST_F(ListTest, KeysMoveTheSelection) {
  CListCtrl& l = host.m_List;
  l.ClickAsUser(1);
  l.KeyDownAsUser(VK_DOWN);
  EXPECT_EQ(Selected(), std::vector<int>{2});
  l.KeyDownAsUser(VK_END);
  EXPECT_EQ(Selected(), std::vector<int>{3});
  l.KeyDownAsUser(VK_HOME);
  l.KeyDownAsUser(VK_UP);
  EXPECT_EQ(Selected(), std::vector<int>{0});
}

TEST_F(ListTest, ASingleSelectionListKeepsOneSelectedItem) {
  CListCtrl& s = host.m_Single;
  s.InsertColumn(0, u"名", LVCFMT_LEFT, 80);
  s.InsertItem(0, u"一");
  s.InsertItem(1, u"二");
  s.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  s.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(s.GetSelectedCount(), 1);
  EXPECT_EQ(s.GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ListTest, CheckBoxesChangeTheStateImageAndNotify) {
  CListCtrl& l = host.m_List;
  l.SetExtendedStyle(l.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_FALSE(l.GetCheck(1));
  l.SetCheck(1, TRUE);
  EXPECT_TRUE(l.GetCheck(1));
  EXPECT_EQ(host.m_Changes, (std::vector<Change>{{1, INDEXTOSTATEIMAGEMASK(1), INDEXTOSTATEIMAGEMASK(2)}}));
  EXPECT_EQ(l.GetItemState(1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
}

TEST_F(ListTest, ColumnClicksNotifyUnlessTheHeaderIsNotClickable) {
  host.m_Single.InsertColumn(0, u"名", LVCFMT_LEFT, 80);
  host.m_List.ClickColumnAsUser(2);
  host.m_Single.ClickColumnAsUser(0);
  host.m_List.ClickColumnAsUser(7);
  EXPECT_EQ(host.m_ColumnClicks, std::vector<int>{2});
}

TEST_F(ListTest, TheParentMayRefuseTheResizingOfAColumn) {
  CHeaderCtrl* header = host.m_List.GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  EXPECT_FALSE(header->ResizeAsUser(0, 90));
  EXPECT_EQ(host.m_List.GetColumnWidth(0), 60);
  EXPECT_TRUE(header->ResizeAsUser(1, 90));
  EXPECT_EQ(host.m_List.GetColumnWidth(1), 90);
  header->ModifyStyle(0, HDS_NOSIZING);
  EXPECT_FALSE(header->ResizeAsUser(2, 90));
  header->ModifyStyle(0, HDS_HIDDEN);
  EXPECT_FALSE(header->IsWindowVisible());
}

TEST_F(ListTest, HitTestsFindTheCellUnderAPoint) {
  CListCtrl& l = host.m_List;
  CRect cell;
  ASSERT_TRUE(l.GetSubItemRect(2, 1, LVIR_LABEL, cell));
  EXPECT_EQ(cell.Width(), 50);
  LVHITTESTINFO info;
  info.pt = cell.CenterPoint();
  EXPECT_EQ(l.SubItemHitTest(&info), 2);
  EXPECT_EQ(info.iSubItem, 1);
  EXPECT_EQ(l.HitTest(cell.CenterPoint()), 2);
  CRect last;
  l.GetItemRect(3, &last, LVIR_BOUNDS);
  info.pt = CPoint(last.left + 5, last.bottom + 30);
  EXPECT_EQ(l.SubItemHitTest(&info), -1);
  EXPECT_EQ(info.flags, static_cast<UINT>(LVHT_NOWHERE));
}

TEST_F(ListTest, CustomDrawColoursOneCell) {
  CListCtrl& l = host.m_List;
  host.m_RedRow = 1;
  host.m_RedColumn = 2;
  CRect red, other;
  ASSERT_TRUE(l.GetSubItemRect(1, 2, LVIR_LABEL, red));
  ASSERT_TRUE(l.GetSubItemRect(2, 2, LVIR_LABEL, other));
  ui::Picture picture = ui::Render(l);
  // The cell's left margin holds no text.
  EXPECT_EQ(picture.Pixel(red.left + 2, red.top + 3), RGB(255, 0, 0));
  EXPECT_EQ(picture.Pixel(other.left + 2, other.top + 3), RGB(255, 255, 255));
}

TEST(ListSize, ALargeListHoldsItsTexts) {
  CListHost host;
  ASSERT_TRUE(host.CreateFromTemplate(nullptr, false));
  host.OnInitDialog();
  CListCtrl& l = host.m_List;
  constexpr int kColumns = 266, kRows = 3000;
  for (int c = 0; c < kColumns; ++c) l.InsertColumn(c, CString::Build(u"列%d", c + 1), LVCFMT_LEFT, 40);
  l.SetItemCount(kRows);
  for (int r = 0; r < kRows; ++r) {
    l.InsertItem(r, CString::Build(u"%d", r + 1));
    for (int c = 1; c < kColumns; c += 5) l.SetItemText(r, c, u"データ");
  }
  EXPECT_EQ(l.GetItemCount(), kRows);
  EXPECT_EQ(l.GetItemText(kRows - 1, 0), CString(u"3000"));
  EXPECT_EQ(l.GetItemText(kRows - 1, 261), CString(u"データ"));
  EXPECT_EQ(l.GetItemText(kRows - 1, 262), CString());
  EXPECT_TRUE(l.EnsureVisible(kRows - 1, FALSE));
  EXPECT_GT(l.GetTopIndex(), 2900);
  ui::Picture picture = ui::Render(l);
  EXPECT_EQ(picture.Width(), 300);
}

// Rebuilds the list when an item loses the focus, as a page that refills a
// list from its change handler does.
class CRefillHost : public CListHost {
 public:
  std::vector<std::pair<int, int>> m_Seen;   // notified item, item count then
  afx_msg void OnRefill(NMHDR* hdr, LRESULT*) {
    auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
    m_Seen.emplace_back(nm->iItem, m_List.GetItemCount());
    if ((nm->uOldState & LVIS_FOCUSED) && !(nm->uNewState & LVIS_FOCUSED)) {
      m_List.DeleteAllItems();
      m_List.InsertItem(0, u"再作成");
    }
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRefillHost, CListHost)
  ON_NOTIFY(LVN_ITEMCHANGED, kList, &CRefillHost::OnRefill)
END_MESSAGE_MAP()

// A click whose first notification let the handler rebuild the list used to
// write into the freed item and notify an item that no longer existed.
TEST(ListRefill, AHandlerThatRebuildsTheListMeetsNoStaleItem) {
  CRefillHost host;
  ASSERT_TRUE(host.CreateFromTemplate(nullptr, false));
  host.OnInitDialog();
  CListCtrl& l = host.m_List;
  l.InsertColumn(0, u"品名", LVCFMT_LEFT, 60);
  for (int i = 0; i < 4; ++i) l.InsertItem(i, u"行");
  l.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
  host.m_Seen.clear();
  l.ClickAsUser(3);
  ASSERT_FALSE(host.m_Seen.empty());
  for (auto [item, count] : host.m_Seen) EXPECT_LT(item, count) << "notified item " << item;
  ASSERT_EQ(l.GetItemCount(), 1);
  EXPECT_EQ(l.GetItemText(0, 0), CString(u"再作成"));
}

// A list that hears its rows scroll, as a grid that renumbers a row list.
class CScrollWatchList : public CListCtrl {
 public:
  std::vector<UINT> m_Tops;
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    EXPECT_EQ(code, SB_THUMBPOSITION);
    m_Tops.push_back(pos);
    CListCtrl::OnVScroll(code, pos, bar);
  }
  std::vector<short> m_Wheel;
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point) {
    m_Wheel.push_back(delta);
    return CListCtrl::OnMouseWheel(flags, delta, point);   // and scroll as usual
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScrollWatchList, CListCtrl)
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

TEST(ListScroll, TheListHearsItsNewTopRowWhateverScrolledIt) {
  CListHost host;
  ASSERT_TRUE(host.CreateFromTemplate(nullptr, false));
  CScrollWatchList list;
  ASSERT_TRUE(list.SubclassDlgItem(kList, &host));
  list.InsertColumn(0, u"行", LVCFMT_LEFT, 60);
  for (int i = 0; i < 100; ++i) list.InsertItem(i, CString::Build(u"%d", i + 1));
  ASSERT_TRUE(list.EnsureVisible(60, FALSE));
  ASSERT_FALSE(list.m_Tops.empty());
  EXPECT_EQ(static_cast<int>(list.m_Tops.back()), list.GetTopIndex());
  EXPECT_GT(list.GetTopIndex(), 0);
  const int before = list.GetTopIndex();
  list.m_Tops.clear();
  ASSERT_TRUE(ui::Wheel(list, 1));   // one notch up
  EXPECT_EQ(list.m_Wheel, std::vector<short>{120});
  ASSERT_FALSE(list.m_Tops.empty());
  EXPECT_LT(list.GetTopIndex(), before);
  EXPECT_EQ(static_cast<int>(list.m_Tops.back()), list.GetTopIndex());
  list.m_Tops.clear();
  list.Scroll(CSize(0, 0));           // nothing moves, nothing is heard
  EXPECT_TRUE(list.m_Tops.empty());
}

// Counts the paints a widget gets.
class PaintCount : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* ev) override {
    if (ev->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A list's rows live in its viewport; Invalidate must bring them to the screen
// again, for the whole list and for a rectangle of it.
TEST_F(ListTest, InvalidateRepaintsTheRows) {
  host.ShowWindow(SW_SHOW);
  ui::ProcessEvents();
  QWidget* rows = qobject_cast<QAbstractScrollArea*>(host.m_List.m_hWnd)->viewport();
  PaintCount count;
  rows->installEventFilter(&count);
  host.m_List.Invalidate(FALSE);
  ui::ProcessEvents();
  EXPECT_GT(count.paints, 0);
  count.paints = 0;
  CRect cell;
  ASSERT_TRUE(host.m_List.GetSubItemRect(1, 1, LVIR_BOUNDS, cell));
  host.m_List.InvalidateRect(&cell, FALSE);
  ui::ProcessEvents();
  EXPECT_GT(count.paints, 0);
  rows->removeEventFilter(&count);
}

// Bringing a row into view moves the rows only, as a report view does.
TEST(ListScroll, EnsureVisibleKeepsTheSidewaysPosition) {
  CListHost host;
  ASSERT_TRUE(host.CreateFromTemplate(nullptr, false));
  CListCtrl& list = host.m_List;
  ASSERT_TRUE(list.SubclassDlgItem(kList, &host));
  for (int c = 0; c < 12; ++c) list.InsertColumn(c, CString::Build(u"%d", c + 1), LVCFMT_LEFT, 80);
  for (int i = 0; i < 100; ++i) list.InsertItem(i, CString::Build(u"%d", i + 1));
  list.Scroll(CSize(400, 0));
  CRect before;
  ASSERT_TRUE(list.GetSubItemRect(0, 5, LVIR_BOUNDS, before));
  ASSERT_TRUE(list.EnsureVisible(60, FALSE));
  EXPECT_GT(list.GetTopIndex(), 0);
  CRect after;
  ASSERT_TRUE(list.GetSubItemRect(60, 5, LVIR_BOUNDS, after));
  EXPECT_EQ(after.left, before.left);
}

}  // namespace
