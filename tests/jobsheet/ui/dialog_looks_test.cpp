// The settings sheet and the filter text dialog drawn as their users meet
// them: every page and every tab of the detailed page, nothing cut, nothing
// covered, no strip beside a page. The pictures are kept under the build
// folder (renders/).
#include "sheet_fixture.h"

#include "jobsheet/sheet/ui/filter_dlg.h"
#include "res/command_prop_page.h"
#include "res/filter_dlg.h"
#include "res/main_propty_page.h"
#include "res/tab_dlgs.h"
#include "support/look.h"

namespace {

// The shown page reaches the right edge of the tab's page area: a smaller page
// left a strip of the tab's own face beside it.
void ExpectPageFillsTheTab(CEditPropSheet& s, const char* name) {
  CPropertyPage* page = s.GetActivePage();
  ASSERT_NE(page, nullptr) << name;
  CRect tab, shown;
  s.GetTabControl()->GetWindowRect(&tab);
  page->GetWindowRect(&shown);
  EXPECT_GE(shown.right, tab.right - 4) << name;
  EXPECT_GE(shown.bottom, tab.bottom - 4) << name;
}

// Opens the sheet on the job and looks at every page and every tab of the detailed page.
class SheetLooks : public SheetTest {
 protected:
  void LookAtEveryPage(const char16_t* command, const std::string& name) {
    Job(command);
    Run(0, [&](CEditPropSheet& s) {
      EXPECT_EQ(LookAt(s, name + "_basic"), "");
      ExpectPageFillsTheTab(s, "basic");
      ClickSheetTab(s, 1);
      ExpectPageFillsTheTab(s, "csv");
      ClickSheetTab(s, 2);
      ExpectPageFillsTheTab(s, "detailed");
      CCommandPropPage& page = *s.m_CommandPage;
      for (int t = 0; t < page.m_Tab.GetItemCount(); ++t) {
        page.m_Tab.SelectAsUser(t);
        EXPECT_EQ(LookAt(s, name + "_tab" + std::to_string(t + 1)), "") << t;
      }
      ui::Click(s, IDCANCEL);
    });
  }
};

// With a sum, so the graph controls of the special-settings tab are live.
TEST_F(SheetLooks, ASummaryTableIsSeenWholeOnEveryPageAndTab) {
  LookAtEveryPage(u"TypeTX;Sum=金額;Graph;Numbering", "sheet_summary");
}

// Labels bring the label tab.
TEST_F(SheetLooks, LabelsAreSeenWholeOnEveryPageAndTab) { LookAtEveryPage(u"TypeS=Adress", "sheet_labels"); }

TEST(FilterTextDialog, TheExamplesAreSeenWholeInColumns) {
  RecordingUiHooks hooks;
  ScriptedModalDriver modal;
  CFilterDlg dlg;
  dlg.m_Filter = u"[1]＞1 && [1]＜10";
  modal.Queue(res::IDD_FILTER_DLG, [](CDialog& d) {
    EXPECT_EQ(LookAt(d, "filter_text_dialog"), "");
    ui::Click(d, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(modal.Failures(), 0);
}

}  // namespace
