// Up-down controls as on the platform: the default range 100..0, the up arrow
// toward the upper end in either order, and the sign UDN_DELTAPOS carries.

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/ui.h"

namespace {

enum : int { kMonthEdit = 1151, kSpin = 1305 };

constexpr ControlTemplate kMonthControls[] = {
    {CtlKind::Edit, kMonthEdit, nullptr, 5, 5, 30, 14, tpl::kNumber},
    {CtlKind::Spin, kSpin, nullptr, 36, 5, 10, 14},
};
constexpr DialogTemplate kMonthDialog{9401, u"月", 60, 30, kMonthControls};

// Keeps a month the way the date grouping dialog does: it subtracts the
// change the control reports and stays within 1 to 12.
class CMonthDlg : public CDialogEx {
 public:
  CMonthDlg() : CDialogEx(kMonthDialog) {}
  int m_Month = 1;
  int m_LastDelta = 0;
  afx_msg void OnDeltaPos(NMHDR* hdr, LRESULT* result) {
    auto* ud = reinterpret_cast<NMUPDOWN*>(hdr);
    m_LastDelta = ud->iDelta;
    m_Month = std::clamp(m_Month - ud->iDelta, 1, 12);
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMonthDlg, CDialogEx)
  ON_NOTIFY(UDN_DELTAPOS, kSpin, &CMonthDlg::OnDeltaPos)
END_MESSAGE_MAP()

struct SpinCase {
  const char* name;
  int lower, upper;   // lower == upper: the default range
  int startPos;
  int arrow;          // +1 up, -1 down
  int delta;          // what UDN_DELTAPOS carries
  int pos;            // the position after the click
  int startMonth;
  int month;          // the month after the click
};

class SpinArrows : public ::testing::TestWithParam<SpinCase> {};

TEST_P(SpinArrows, MoveAsOnThePlatform) {
  const SpinCase& c = GetParam();
  CMonthDlg dlg;
  dlg.m_Month = c.startMonth;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  auto* spin = dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(kSpin));
  ASSERT_NE(spin, nullptr);
  if (c.lower != c.upper) spin->SetRange32(c.lower, c.upper);
  spin->SetPos32(c.startPos);
  spin->StepAsUser(c.arrow);
  EXPECT_EQ(dlg.m_LastDelta, c.delta);
  EXPECT_EQ(spin->GetPos32(), c.pos);
  EXPECT_EQ(dlg.m_Month, c.month);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpinArrows,
    ::testing::Values(SpinCase{"DefaultRangeUpRaisesTheMonth", 0, 0, 50, +1, -1, 49, 4, 5},
                      SpinCase{"DefaultRangeDownLowersTheMonth", 0, 0, 50, -1, +1, 51, 4, 3},
                      SpinCase{"DefaultRangeUpAtTwelveStays", 0, 0, 50, +1, -1, 49, 12, 12},
                      SpinCase{"RisingRangeUp", 1, 12, 3, +1, +1, 4, 4, 3},
                      SpinCase{"FallingRangeUpMovesTowardItsUpperEnd", 12, 1, 3, +1, -1, 2, 4, 5},
                      SpinCase{"RisingRangeStopsAtItsEnd", 1, 12, 12, +1, +1, 12, 4, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Spin, TheDefaultRangeRunsFromHundredDownToZero) {
  CMonthDlg dlg;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  auto* spin = dynamic_cast<CSpinButtonCtrl*>(dlg.GetDlgItem(kSpin));
  int lower = 0, upper = 0;
  spin->GetRange32(lower, upper);
  EXPECT_EQ(lower, 100);
  EXPECT_EQ(upper, 0);
}

}  // namespace
