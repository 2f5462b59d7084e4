// Disabled controls are drawn with grey text, also when the parent colours
// its controls; read from the rendered pixels.

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/ui.h"
#include "platform/ui/ui_driver.h"

namespace {

enum : int { kLabel = 3001, kCheck = 3002, kButton = 3003, kEdit = 3004 };

constexpr ControlTemplate kLookControls[] = {
    {CtlKind::Static, kLabel, u"帳票タイトル名", 5, 5, 80, 10},
    {CtlKind::CheckBox, kCheck, u"ツールを起動", 5, 20, 80, 10},
    {CtlKind::PushButton, kButton, u"まとめ表示", 5, 35, 80, 14},
    {CtlKind::Edit, kEdit, u"請求書請求書", 5, 55, 80, 14},
};
constexpr DialogTemplate kLookDialog{9301, u"見た目", 100, 80, kLookControls};

constexpr COLORREF kParentText = RGB(0, 0, 255);

// Colours the text of its controls blue, as a page that colours its columns.
class CColouringDlg : public CDialogEx {
 public:
  CColouringDlg() : CDialogEx(kLookDialog) {}
  bool m_Colour = false;
  CBrush m_Face{RGB(240, 240, 240)};
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT) {
    if (!m_Colour) return nullptr;
    dc->SetTextColor(kParentText);
    return m_Face;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColouringDlg, CDialogEx)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

struct LookCase {
  const char* name;
  int id;
  bool parentColours;
};

class DisabledLook : public ::testing::TestWithParam<LookCase> {};

// Pixels of exactly the colour: a text colour shows at full glyph coverage.
int Count(const ui::Picture& p, const CRect& r, COLORREF c) { return p.CountColour(r, c); }

TEST_P(DisabledLook, TextTurnsGreyWhenDisabled) {
  const LookCase& c = GetParam();
  CColouringDlg dlg;
  dlg.m_Colour = c.parentColours;
  ASSERT_TRUE(dlg.CreateFromTemplate(nullptr, false));
  CWnd* control = dlg.GetDlgItem(c.id);
  CRect r;
  control->GetWindowRect(&r);
  dlg.ScreenToClient(&r);
  const COLORREF enabledText = c.parentColours && c.id != kEdit ? kParentText : RGB(0, 0, 0);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  ui::Picture before = ui::Render(dlg);
  EXPECT_GT(Count(before, r, enabledText), 0);
  control->EnableWindow(FALSE);
  ui::Picture after = ui::Render(dlg);
  EXPECT_EQ(Count(after, r, enabledText), 0);
  EXPECT_GT(Count(after, r, grey), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, DisabledLook,
                         ::testing::Values(LookCase{"Static", kLabel, false}, LookCase{"CheckBox", kCheck, false},
                                           LookCase{"PushButton", kButton, false}, LookCase{"Edit", kEdit, false},
                                           LookCase{"StaticUnderParentColours", kLabel, true},
                                           LookCase{"CheckBoxUnderParentColours", kCheck, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
