// The mouse capture, the window under a point, cursors, dragging a row from
// one list onto another, and the picture that follows a drag.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kLeft = 7001, kRight = 7002, kButton = 7003 };

constexpr ControlTemplate kMouseControls[] = {
    {CtlKind::ListView, kLeft, nullptr, 5, 5, 90, 80},
    {CtlKind::ListView, kRight, nullptr, 110, 5, 90, 80},
    {CtlKind::PushButton, kButton, u"ボタン", 5, 95, 50, 14},
};
constexpr DialogTemplate kMouseDialog{9010, u"マウス", 210, 115, kMouseControls};

// A list whose rows can be dragged onto another list of this class: the
// target row is drop-highlighted while the mouse is over it.
class CDragList : public CListCtrl {
 public:
  int m_DragItem = -1;
  bool m_Dragging = false;
  CDragList* m_DropList = nullptr;
  int m_DropRow = -1;
  bool m_SawHighlight = false;
  Qt::CursorShape m_CursorWhileDragging = Qt::ArrowCursor;

  afx_msg void OnBeginDrag(NMHDR* hdr, LRESULT*) {
    m_DragItem = reinterpret_cast<NMLISTVIEW*>(hdr)->iItem;
    m_Dragging = true;
    SetCapture();
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
  }
  afx_msg void OnMouseMove(UINT flags, CPoint point) {
    if (!m_Dragging) return CListCtrl::OnMouseMove(flags, point);
    m_CursorWhileDragging = m_hWnd->cursor().shape();
    Track(point);
  }
  afx_msg void OnLButtonUp(UINT flags, CPoint point) {
    if (!m_Dragging) return CListCtrl::OnLButtonUp(flags, point);
    Track(point);
    m_Dragging = false;
    ReleaseCapture();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (m_DropList) m_DropList->SetItemState(-1, 0, LVIS_DROPHILITED);
  }
  // Finds the row of another list under a point of this list.
  void Track(CPoint point) {
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_DropList) m_DropList->SetItemState(-1, 0, LVIS_DROPHILITED);
    m_DropList = dynamic_cast<CDragList*>(CWnd::WindowFromPoint(screen));
    if (m_DropList == this) m_DropList = nullptr;
    m_DropRow = -1;
    if (!m_DropList) return;
    CPoint there = screen;
    m_DropList->ScreenToClient(&there);
    m_DropRow = m_DropList->HitTest(there);
    if (m_DropRow < 0) return;
    m_DropList->SetItemState(m_DropRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
    m_SawHighlight = m_SawHighlight || m_DropList->GetItemState(m_DropRow, LVIS_DROPHILITED) != 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDragList, CListCtrl)
  ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CDragList::OnBeginDrag)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

// Records the mouse messages and button clicks that reach the dialog.
class CMouseDlg : public CDialogEx {
 public:
  CMouseDlg() : CDialogEx(kMouseDialog) {}
  CDragList m_Left, m_Right;
  std::vector<std::pair<UINT, CPoint>> m_Mouse;
  int m_Clicks = 0;
  afx_msg void OnLButtonDown(UINT, CPoint point) { m_Mouse.emplace_back(WM_LBUTTONDOWN, point); }
  afx_msg void OnLButtonUp(UINT, CPoint point) { m_Mouse.emplace_back(WM_LBUTTONUP, point); }
  afx_msg void OnButton() { ++m_Clicks; }
  CWnd* m_MenuWnd = nullptr;
  CPoint m_MenuPoint;
  afx_msg void OnContextMenu(CWnd* wnd, CPoint point) {
    m_MenuWnd = wnd;
    m_MenuPoint = point;
  }
  std::vector<MSG> m_Seen;   // mouse messages through PreTranslateMessage
  bool m_EatDowns = false;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_KEYDOWN) m_Seen.push_back(*msg);
    if (m_EatDowns && msg->message == WM_LBUTTONDOWN) return TRUE;
    return CDialogEx::PreTranslateMessage(msg);
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kLeft, m_Left);
    DDX_Control(dx, kRight, m_Right);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMouseDlg, CDialogEx)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_BN_CLICKED(kButton, &CMouseDlg::OnButton)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

class Mouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
    dlg.OnInitDialog();
    for (CListCtrl* l : {static_cast<CListCtrl*>(&dlg.m_Left), static_cast<CListCtrl*>(&dlg.m_Right)}) {
      l->InsertColumn(0, u"項目", LVCFMT_LEFT, 100);
      for (int i = 0; i < 5; ++i) l->InsertItem(i, CString::Build(u"列%d", i + 1));
    }
    dlg.ShowWindow(SW_SHOW);
    ui::ProcessEvents();
  }
  void TearDown() override { ReleaseCapture(); }
  CMouseDlg dlg;
};

TEST_F(Mouse, TheCaptureTakesTheMouseFromTheWindowUnderIt) {
  CWnd* button = dlg.GetDlgItem(kButton);
  CRect place;
  button->GetWindowRect(&place);
  dlg.ScreenToClient(&place);
  EXPECT_EQ(dlg.SetCapture(), nullptr);
  EXPECT_EQ(CWnd::GetCapture(), &dlg);
  ASSERT_TRUE(ui::ClickAt(*button, CPoint(3, 4)));
  EXPECT_EQ(dlg.m_Clicks, 0);   // the button never saw the click
  ASSERT_EQ(dlg.m_Mouse.size(), 2u);
  EXPECT_EQ(dlg.m_Mouse[0].first, WM_LBUTTONDOWN);
  EXPECT_EQ(dlg.m_Mouse[1].first, WM_LBUTTONUP);
  EXPECT_EQ(dlg.m_Mouse[1].second, CPoint(place.left + 3, place.top + 4));   // in the dialog's coordinates
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_FALSE(ReleaseCapture());
  dlg.m_Mouse.clear();
  ASSERT_TRUE(ui::ClickAt(*button, CPoint(3, 4)));
  EXPECT_EQ(dlg.m_Clicks, 1);
  EXPECT_TRUE(dlg.m_Mouse.empty());
}

// Windows that map WM_MOUSEMOVE used to hear moves only while a button was held.
TEST_F(Mouse, WindowsThatMapMouseMovesHearThemWithoutAButton) {
  auto* area = qobject_cast<QAbstractScrollArea*>(dlg.m_Left.m_hWnd);
  ASSERT_NE(area, nullptr);
  EXPECT_TRUE(area->viewport()->hasMouseTracking());   // the list's rows take the mouse
  EXPECT_FALSE(dlg.m_hWnd->hasMouseTracking());        // the dialog maps no move
}

TEST_F(Mouse, MouseMessagesPassPreTranslateMessageFirst) {
  CWnd* button = dlg.GetDlgItem(kButton);
  ASSERT_TRUE(ui::ClickAt(*button, CPoint(3, 4)));
  ASSERT_EQ(dlg.m_Seen.size(), 2u);
  EXPECT_EQ(dlg.m_Seen[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(dlg.m_Seen[0].hwnd, button->m_hWnd);
  EXPECT_EQ(GET_X_LPARAM(dlg.m_Seen[0].lParam), 3);
  EXPECT_EQ(GET_Y_LPARAM(dlg.m_Seen[0].lParam), 4);
  EXPECT_EQ(dlg.m_Seen[1].message, WM_LBUTTONUP);
  EXPECT_EQ(dlg.m_Clicks, 1);
  dlg.m_Seen.clear();
  dlg.m_EatDowns = true;   // a press eaten there never reaches the button
  ASSERT_TRUE(ui::ClickAt(*button, CPoint(3, 4)));
  EXPECT_EQ(dlg.m_Clicks, 1);
  dlg.m_Seen.clear();
  ASSERT_TRUE(ui::Wheel(dlg.m_Left, -1));
  ASSERT_EQ(dlg.m_Seen.size(), 1u);
  EXPECT_EQ(dlg.m_Seen[0].message, WM_MOUSEWHEEL);
  EXPECT_EQ(dlg.m_Seen[0].hwnd, dlg.m_Left.m_hWnd);   // the list, not its inner viewport
  EXPECT_EQ(static_cast<short>(HIWORD(dlg.m_Seen[0].wParam)), -120);
}

// The dialog used to hear itself named as the window clicked, so a menu
// meant only for a list could not tell where the click was.
TEST_F(Mouse, ARightClickInAListTellsTheDialogWhichWindowWasClicked) {
  CRect row;
  ASSERT_TRUE(dlg.m_Right.GetSubItemRect(1, 0, LVIR_LABEL, row));
  ASSERT_TRUE(ui::RightClickAt(dlg.m_Right, row.CenterPoint()));
  EXPECT_EQ(dlg.m_MenuWnd, &dlg.m_Right);
  CPoint screen = row.CenterPoint();
  dlg.m_Right.ClientToScreen(&screen);
  EXPECT_EQ(dlg.m_MenuPoint, screen);
  EXPECT_EQ(dlg.m_Right.GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
}

TEST_F(Mouse, WindowFromPointFindsTheControlUnderAScreenPoint) {
  CRect r;
  dlg.m_Right.GetSubItemRect(2, 0, LVIR_LABEL, r);
  CPoint p = r.CenterPoint();
  dlg.m_Right.ClientToScreen(&p);
  EXPECT_EQ(CWnd::WindowFromPoint(p), &dlg.m_Right);
  CRect button;
  dlg.GetDlgItem(kButton)->GetWindowRect(&button);
  EXPECT_EQ(CWnd::WindowFromPoint(button.CenterPoint()), dlg.GetDlgItem(kButton));
  EXPECT_EQ(CWnd::WindowFromPoint(CPoint(-5000, -5000)), nullptr);
}

TEST_F(Mouse, ARowDraggedOntoAnotherListFindsItsTargetRow) {
  CRect from, onto;
  ASSERT_TRUE(dlg.m_Left.GetSubItemRect(1, 0, LVIR_LABEL, from));
  ASSERT_TRUE(dlg.m_Right.GetSubItemRect(3, 0, LVIR_LABEL, onto));
  CPoint target = onto.CenterPoint();
  dlg.m_Right.ClientToScreen(&target);
  dlg.m_Left.ScreenToClient(&target);
  ASSERT_TRUE(ui::Drag(dlg.m_Left, from.CenterPoint(), target));
  EXPECT_EQ(dlg.m_Left.m_DragItem, 1);
  EXPECT_EQ(dlg.m_Left.m_CursorWhileDragging, Qt::CrossCursor);
  EXPECT_EQ(dlg.m_Left.m_DropList, &dlg.m_Right);
  EXPECT_EQ(dlg.m_Left.m_DropRow, 3);
  EXPECT_TRUE(dlg.m_Left.m_SawHighlight);
  EXPECT_EQ(dlg.m_Right.GetItemState(3, LVIS_DROPHILITED), 0u);   // taken off at the release
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(Mouse, AClickOnAListSelectsTheRowUnderTheMouse) {
  CRect row;
  ASSERT_TRUE(dlg.m_Left.GetSubItemRect(3, 0, LVIR_LABEL, row));
  ASSERT_TRUE(ui::ClickAt(dlg.m_Left, row.CenterPoint()));
  EXPECT_EQ(dlg.m_Left.GetNextItem(-1, LVNI_SELECTED), 3);
}

TEST_F(Mouse, AClickWithoutMovingStartsNoDrag) {
  CRect from;
  ASSERT_TRUE(dlg.m_Left.GetSubItemRect(2, 0, LVIR_LABEL, from));
  ASSERT_TRUE(ui::Drag(dlg.m_Left, from.CenterPoint(), from.CenterPoint()));
  EXPECT_EQ(dlg.m_Left.m_DragItem, -1);
  EXPECT_EQ(dlg.m_Left.GetItemState(2, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
}

TEST_F(Mouse, ADropTargetIsPaintedAsSelected) {
  CRect row;
  ASSERT_TRUE(dlg.m_Right.GetSubItemRect(4, 0, LVIR_LABEL, row));
  const CPoint probe(row.left + 2, row.top + 2);
  EXPECT_EQ(ui::Render(dlg.m_Right).Pixel(probe.x, probe.y), RGB(255, 255, 255));
  dlg.m_Right.SetItemState(4, LVIS_DROPHILITED, LVIS_DROPHILITED);
  EXPECT_EQ(ui::Render(dlg.m_Right).Pixel(probe.x, probe.y), GetSysColor(COLOR_HIGHLIGHT));
}

TEST(ImageList, TheDragPictureFollowsTheMouseUntilTheDragEnds) {
  ui::EnsureApplication();
  CBitmap picture;
  ASSERT_TRUE(picture.CreateCompatibleBitmap(nullptr, 20, 10));
  {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&picture);
    dc.FillSolidRect(CRect(0, 0, 20, 10), RGB(255, 0, 0));
  }
  CImageList images;
  EXPECT_EQ(images.Add(&picture, CLR_NONE), -1);   // not created yet
  ASSERT_TRUE(images.Create(20, 10, ILC_COLOR24, 1, 1));
  EXPECT_EQ(images.Add(&picture, CLR_NONE), 0);
  EXPECT_FALSE(images.BeginDrag(1, CPoint(0, 0)));
  ASSERT_TRUE(images.BeginDrag(0, CPoint(5, 5)));
  ASSERT_TRUE(CImageList::DragEnter(nullptr, CPoint(100, 100)));
  QWidget* shown = CImageList::DragWindow();
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->pos(), QPoint(95, 95));   // the hot spot sits on the mouse
  ASSERT_TRUE(CImageList::DragMove(CPoint(130, 110)));
  EXPECT_EQ(shown->pos(), QPoint(125, 105));
  EXPECT_EQ(shown->grab().toImage().pixelColor(10, 5), QColor(255, 0, 0));
  CImageList::DragLeave(nullptr);
  CImageList::EndDrag();
  EXPECT_EQ(CImageList::DragWindow(), nullptr);
  EXPECT_FALSE(CImageList::DragMove(CPoint(0, 0)));
}

}  // namespace
