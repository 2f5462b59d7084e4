// Mouse messages reach the controls a dialog subclasses: list boxes, check
// lists and multi-line edits, in their client coordinates.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kCheckList = 7101, kList = 7102, kMemo = 7103 };

constexpr ControlTemplate kControls[] = {
    {CtlKind::CheckListBox, kCheckList, u"日付\n得意先\n金額", 5, 5, 90, 60},
    {CtlKind::ListBox, kList, u"一\n二", 100, 5, 60, 60},
    {CtlKind::Edit, kMemo, u"メモ", 5, 70, 155, 40, tpl::kMultiline},
};
constexpr DialogTemplate kDialog{9501, u"一覧", 170, 120, kControls};

// A check list whose entries toggle on a click anywhere in the entry.
class CClickCheckList : public CCheckListBox {
 public:
  std::vector<int> m_Pressed;   // entries pressed (-1: below the entries)
  afx_msg void OnLButtonDown(UINT flags, CPoint point) {
    BOOL outside = TRUE;
    UINT index = ItemFromPoint(point, outside);
    if (outside) {
      m_Pressed.push_back(-1);
      return;
    }
    CRect r;
    GetItemRect(static_cast<int>(index), &r);
    EXPECT_TRUE(r.PtInRect(point));
    m_Pressed.push_back(static_cast<int>(index));
    SetCheck(static_cast<int>(index), GetCheck(static_cast<int>(index)) ? 0 : 1);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CClickCheckList, CCheckListBox)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Notes the presses of any control it subclasses.
class CPressWatcher : public CWnd {
 public:
  std::vector<CPoint> m_Presses;
  afx_msg void OnLButtonDown(UINT flags, CPoint point) {
    m_Presses.push_back(point);
    CWnd::OnLButtonDown(flags, point);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPressWatcher, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST(ControlMouse, ACheckListHandlesItsOwnPressesByEntry) {
  CDialogEx dlg(kDialog);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CClickCheckList list;
  ASSERT_TRUE(list.SubclassDlgItem(kCheckList, &dlg));
  CRect second;
  ASSERT_EQ(list.GetItemRect(1, &second), LB_OKAY);
  // On the entry's text, well right of its check box.
  EXPECT_TRUE(ui::ClickAt(list, CPoint(second.left + 40, second.CenterPoint().y)));
  EXPECT_EQ(list.GetCheck(1), 1);
  CRect last;
  list.GetItemRect(2, &last);
  EXPECT_TRUE(ui::ClickAt(list, CPoint(last.left + 40, last.bottom + 15)));
  EXPECT_EQ(list.m_Pressed, (std::vector<int>{1, -1}));
  BOOL outside = FALSE;
  EXPECT_EQ(list.ItemFromPoint(CPoint(last.left + 40, last.bottom + 15), outside), 2u);
  EXPECT_TRUE(outside);
  EXPECT_EQ(list.GetItemRect(3, &last), LB_ERR);
}

struct WatchCase {
  const char* name;
  int id;
};

class ControlPresses : public ::testing::TestWithParam<WatchCase> {};

TEST_P(ControlPresses, ReachASubclassInClientCoordinates) {
  CDialogEx dlg(kDialog);
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CPressWatcher watcher;
  ASSERT_TRUE(watcher.SubclassDlgItem(GetParam().id, &dlg));
  EXPECT_TRUE(ui::ClickAt(watcher, CPoint(12, 9)));
  ASSERT_EQ(watcher.m_Presses.size(), 1u);
  EXPECT_EQ(watcher.m_Presses[0].x, 12);
  EXPECT_EQ(watcher.m_Presses[0].y, 9);
}

INSTANTIATE_TEST_SUITE_P(Table, ControlPresses,
                         ::testing::Values(WatchCase{"ListBox", kList}, WatchCase{"CheckList", kCheckList},
                                           WatchCase{"MultiLineEdit", kMemo}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
