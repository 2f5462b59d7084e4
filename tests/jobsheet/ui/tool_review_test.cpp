// "メニュー確認" on the basic settings page opens the tool order read-only.
#include <gtest/gtest.h>

#include "res/data_edit.h"
#include "res/main_propty_page.h"
#include "sheet_fixture.h"

namespace {

TEST_F(SheetTest, ToolReviewOpensTheOrderInItsConfirmationForm) {
  Job(u"TypeTX");
  theApp.m_ToolOrder[0] = TOOLSLOT{ToolKind::kSort, 1};
  sheet.Prepare(&dlg, &main, &csv, &command_, 0);
  modal.Queue(0, [](CDialog& d) {
    auto& s = static_cast<CEditPropSheet&>(d);
    ui::Click(*s.m_MainPage, res::IDC_MAIN_TOOLS);
    ui::Click(s, IDCANCEL);
  });
  modal.Queue(res::IDD_DATA_EDIT, [](CDialog& d) {
    EXPECT_EQ(ui::TextOf(d, IDOK), CString(u"保存終了"));
    EXPECT_FALSE(ui::IsEnabled(d, res::IDC_TOOL_SORT));
    ui::Click(d, IDCANCEL);
  });
  sheet.DoModal();
  theApp.m_ToolOrder = TOOLORDER{};
}

}  // namespace
