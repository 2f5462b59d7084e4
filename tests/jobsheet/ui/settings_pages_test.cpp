// The basic and detailed pages and the four tabs inside the sheet: what each
// shows and allows for a job, and what leaving them stores.
#include "sheet_fixture.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "res/command_prop_page.h"
#include "res/main_propty_page.h"
#include "res/tab_dlgs.h"
#include "support/screenshot.h"

namespace {

bool Checked(CWnd& dlg, int id) { return dlg.IsDlgButtonChecked(id) == BST_CHECKED; }

// ---- Basic page -------------------------------------------------------------------

TEST_F(SheetTest, AJobWithAnExcelListTypeOpensOnExcel) {
  Job(u"TypeTX;ListDoc=TypeA");
  Run(0, [&](CEditPropSheet& s) {
    CMainProptyPage& p = *s.m_MainPage;
    EXPECT_TRUE(Checked(p, res::IDC_MAIN_EXCEL));
    EXPECT_TRUE(Checked(p, res::IDC_MAIN_FORMAT));
    EXPECT_EQ(p.m_ListTypeCombo.GetCurSel(), 2);
    EXPECT_TRUE(ui::IsEnabled(p, res::IDC_MAIN_LISTTYPE));
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_OutputFormat, OutputFormat::kExcel);
  EXPECT_EQ(dlg.m_JobSetting.m_ListDoc, 2);
}

// Walks the basic page with Tab as a user does: each control the focus
// reaches looks different while it has it. A read-only box showed nothing.
TEST_F(SheetTest, EveryControlTabReachesShowsTheFocus) {
  Job(u"TypeTX");
  Run(0, [&](CEditPropSheet& s) {
    CMainProptyPage& p = *s.m_MainPage;
    ASSERT_TRUE(ui::PressKey(p, res::IDC_MAIN_PAPER, VK_SPACE));
    QWidget* page = p.m_hWnd;
    auto tab = [] {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
      QApplication::sendEvent(QApplication::focusWidget()->window()->windowHandle(), &press);
      ui::ProcessEvents();
    };
    tab();   // from here on the focus came by Tab
    QWidget* first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    std::vector<QWidget*> seen;
    while (!page->isAncestorOf(QApplication::focusWidget()) && seen.size() < 30) {
      seen.push_back(nullptr);
      tab();
    }
    seen.clear();
    first = QApplication::focusWidget();
    for (QWidget* w = first; w && page->isAncestorOf(w) && seen.size() < 30;) {
      seen.push_back(w);
      auto draw = [](QWidget* widget) {
        QImage image(widget->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        widget->render(&image);
        return image;
      };
      const QImage focused = draw(w);
      tab();
      ASSERT_NE(QApplication::focusWidget(), w);
      EXPECT_NE(draw(w), focused) << w->metaObject()->className() << " " << seen.size();
      w = QApplication::focusWidget();
      if (w == first) break;
    }
    EXPECT_GE(seen.size(), 5u);
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, CsvOutputOffersTheCharacterCodeAndWithoutTheTickStoresNone) {
  Job(u"TypeTX");
  Run(0, [&](CEditPropSheet& s) {
    CMainProptyPage& p = *s.m_MainPage;
    EXPECT_FALSE(ui::IsEnabled(p, res::IDC_MAIN_CHARCODE_CHECK));
    ui::Click(p, res::IDC_MAIN_CSV);
    EXPECT_TRUE(ui::IsEnabled(p, res::IDC_MAIN_CHARCODE_CHECK));
    EXPECT_FALSE(ui::IsEnabled(p, res::IDC_MAIN_CHARCODE));
    EXPECT_FALSE(ui::IsEnabled(p, res::IDC_MAIN_LISTTYPE));
    EXPECT_EQ(dlg.m_JobSetting.m_CharCode, 2);
    KeepPicture(s, "main_page_472_csv");
    ui::Click(p, res::IDC_MAIN_CHARCODE_CHECK);
    EXPECT_TRUE(ui::IsEnabled(p, res::IDC_MAIN_CHARCODE));
    ui::Choose(p, res::IDC_MAIN_CHARCODE, 1);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_OutputFormat, OutputFormat::kCsv);
  EXPECT_EQ(dlg.m_JobSetting.m_CharCode, 1);
}

TEST_F(SheetTest, CsvIsNotOfferedForAnEditedFileButIsForClipboardInput) {
  Job(u"TypeTX");
  sheet.m_EditMode = 1;
  Run(0, [&](CEditPropSheet& s) {
    EXPECT_FALSE(ui::IsEnabled(*s.m_MainPage, res::IDC_MAIN_CSV));
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, ClipboardInputHidesTheDeleteBoxAndAnEditedGridStillOffersCsv) {
  Job(u"TypeTX");
  theApp.m_InputKind = INPUT_CLIPBOARD;
  sheet.m_EditMode = 1;
  Run(0, [&](CEditPropSheet& s) {
    ui::ClickTab(s, AFX_IDC_TAB_CONTROL, 0);
    CMainProptyPage& p = *s.m_MainPage;
    EXPECT_FALSE(ui::IsShown(p, res::IDC_MAIN_DELETE_AFTER));
    EXPECT_TRUE(ui::IsEnabled(p, res::IDC_MAIN_CSV));
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, TheToolReviewShowsOnlyForAJobWithTools) {
  Job(u"TypeTX");
  Run(0, [&](CEditPropSheet& s) {
    EXPECT_FALSE(ui::IsShown(*s.m_MainPage, res::IDC_MAIN_TOOLS));
    EXPECT_FALSE(ui::IsShown(*s.m_MainPage, res::IDC_MAIN_TOOLS_BOX));
    EXPECT_TRUE(ui::IsShown(*s.m_MainPage, res::IDC_MAIN_DELETE_AFTER));
    ui::Click(*s.m_MainPage, res::IDC_MAIN_DELETE_AFTER);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_DeleteAfterSend, 1);
}

TEST_F(SheetTest, TheToolReviewIsOfferedWithTools) {
  Job(u"TypeTX");
  theApp.m_ToolOrder[0].toolKind = ToolKind::kSort;
  Run(0, [&](CEditPropSheet& s) {
    EXPECT_TRUE(ui::IsShown(*s.m_MainPage, res::IDC_MAIN_TOOLS));
    ui::Click(s, IDCANCEL);
  });
}

struct KindCase {
  const char* name;
  const char16_t* command;
  int forcedKind;       // -1: the command's own
  bool pdfEnables;      // clicking PDF enables the creation radios
};

class BasicPageKind : public SheetTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(BasicPageKind, AKindOfTheDetailedPageLeavesBothCreationRadiosUnchosen) {
  const KindCase& c = GetParam();
  Job(c.command);
  if (c.forcedKind >= 0) dlg.m_JobSetting.m_DocKind = c.forcedKind;
  Run(0, [&](CEditPropSheet& s) {
    CMainProptyPage& p = *s.m_MainPage;
    EXPECT_FALSE(Checked(p, res::IDC_MAIN_PAPER));
    EXPECT_FALSE(Checked(p, res::IDC_MAIN_FORMAT));
    EXPECT_FALSE(ui::IsEnabled(p, res::IDC_MAIN_PAPER));
    KeepPicture(s, "main_page_472_other_kind");
    ui::Click(p, res::IDC_MAIN_PDF);
    EXPECT_EQ(ui::IsEnabled(p, res::IDC_MAIN_PAPER), c.pdfEnables);
    EXPECT_EQ(ui::IsEnabled(p, res::IDC_MAIN_FORMAT), c.pdfEnables);
    ui::Click(s, IDCANCEL);
  });
}

INSTANTIATE_TEST_SUITE_P(Table, BasicPageKind,
                         ::testing::Values(KindCase{"List", u"TypeL", -1, true},
                                           KindCase{"SingleForm", u"TypeC", -1, true},
                                           KindCase{"CrossTable", u"TypeCross", 6, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Detailed page ------------------------------------------------------------------

TEST_F(SheetTest, CsvOutputShowsOnlyTheSpecialTabWithTheTypeRadiosDisabled) {
  Job(u"TypeTX;Sum=金額");
  dlg.m_JobSetting.m_OutputFormat = OutputFormat::kCsv;
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    ASSERT_EQ(p.m_Tab.GetItemCount(), 1);
    EXPECT_EQ(p.m_Tab.GetItemText(0), CString(u"特殊設定"));
    for (int id : {res::IDC_CMD_AUTO, res::IDC_CMD_TABLE_A3, res::IDC_CMD_TABLE, res::IDC_CMD_LIST,
                   res::IDC_CMD_LABEL, res::IDC_CMD_SINGLE}) {
      EXPECT_FALSE(ui::IsEnabled(p, id)) << id;
    }
    CTabDlg1& t1 = *p.m_TabDlg1;
    for (int id : {res::IDC_TAB1_NUMBERING, res::IDC_TAB1_GRAYBAND, res::IDC_TAB1_GRAPH, res::IDC_TAB1_GRAPH_AUTO,
                   res::IDC_TAB1_GRAPH_TYPE}) {
      EXPECT_FALSE(ui::IsEnabled(t1, id)) << id;
    }
    EXPECT_TRUE(ui::IsEnabled(t1, res::IDC_TAB1_HIDEDETAIL));
    EXPECT_TRUE(ui::IsEnabled(t1, res::IDC_TAB1_DATEFORMAT));
    KeepPicture(s, "command_page_473_csv");
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, AHeaderTypeJobCannotChooseLabelsOrSingleForms) {
  Job(u"TypeTX;CsvHederTyp");
  Run(2, [&](CEditPropSheet& s) {
    EXPECT_FALSE(ui::IsEnabled(*s.m_CommandPage, res::IDC_CMD_LABEL));
    EXPECT_FALSE(ui::IsEnabled(*s.m_CommandPage, res::IDC_CMD_SINGLE));
    EXPECT_TRUE(ui::IsEnabled(*s.m_CommandPage, res::IDC_CMD_LIST));
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, ACrossTableChoosesNoTypeAndHidesPortrait) {
  Job(u"TypeCross");
  dlg.m_JobSetting.m_DocKind = DOC_KIND_TOOL_CROSS;
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    EXPECT_EQ(p.m_TypeRadio, -1);
    for (int id : {res::IDC_CMD_AUTO, res::IDC_CMD_TABLE, res::IDC_CMD_SINGLE}) {
      EXPECT_FALSE(Checked(p, id)) << id;
      EXPECT_FALSE(ui::IsEnabled(p, id)) << id;
    }
    EXPECT_FALSE(ui::IsShown(p, res::IDC_CMD_PORTRAIT));
    EXPECT_EQ(p.m_Tab.GetItemText(0), CString(u"特殊設定"));
    KeepPicture(s, "command_page_473_cross");
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_DocKind, 5);
}

TEST_F(SheetTest, AKindWithoutARadioBecomesASingleForm) {
  Job(u"TypeT+");
  Run(2, [&](CEditPropSheet& s) {
    EXPECT_TRUE(Checked(*s.m_CommandPage, res::IDC_CMD_SINGLE));
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_DocKind, 4);
}

TEST_F(SheetTest, TheUpperPictureFollowsTheTypeAndTheLowerOneTheTab) {
  Job(u"TypeTX");
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    EXPECT_EQ(p.UpperBitmap(), 224u);
    ui::Click(p, res::IDC_CMD_TABLE_A3);
    EXPECT_EQ(p.UpperBitmap(), 230u);
    EXPECT_EQ(p.m_DocKind, 1);
    EXPECT_EQ(p.m_SubKind, 0);
    ui::Click(p, res::IDC_CMD_LABEL);
    std::vector<UINT> lower;
    for (int tab = 0; tab < 3; ++tab) {
      ui::ClickTab(p, res::IDC_CMD_TAB, tab);
      lower.push_back(p.LowerBitmap());
    }
    EXPECT_EQ(lower, (std::vector<UINT>{233, 231, 232}));
    EXPECT_TRUE(ui::IsShown(*p.m_TabDlg3, res::IDC_TAB3_READ_PASSWORD));
    EXPECT_FALSE(p.m_TabDlg4->IsWindowVisible());
    EXPECT_TRUE(p.m_TabDlg3->IsWindowVisible());
    ui::Click(p, res::IDC_CMD_SINGLE);
    ASSERT_EQ(p.m_Tab.GetItemCount(), 2);
    ui::ClickTab(p, res::IDC_CMD_TAB, 1);
    EXPECT_EQ(p.LowerBitmap(), 232u);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_DocKind, 4);
}

// ---- Tabs -----------------------------------------------------------------------------

TEST_F(SheetTest, HeaderTabDateAndPageFlags) {
  Job(u"TypeT");
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    ui::ClickTab(p, res::IDC_CMD_TAB, 1);
    CTabDlg2& t = *p.m_TabDlg2;
    EXPECT_FALSE(ui::IsEnabled(t, res::IDC_TAB2_DATE));
    ui::Click(t, res::IDC_TAB2_HIDEPAGE);
    ui::Click(t, res::IDC_TAB2_DATE_HIDDEN);
    EXPECT_EQ(t.m_HideBits, 3);
    ui::Click(t, res::IDC_TAB2_HIDEPAGE);
    EXPECT_EQ(t.m_HideBits, 2);
    ui::Click(t, res::IDC_TAB2_DATE_SPECIFIED);
    EXPECT_TRUE(ui::IsEnabled(t, res::IDC_TAB2_DATE));
    SYSTEMTIME day;
    day.wYear = 2024;
    day.wMonth = 3;
    day.wDay = 5;
    t.m_DatePicker.SetTimeAsUser(day);
    KeepPicture(s, "tab_dlg2_135");
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_HideBits, 0);
  EXPECT_EQ(dlg.m_JobSetting.m_Date, CString(u"2024年03月05日"));
}

TEST_F(SheetTest, AStoredDateSetsThePickerAndATooLongTitleIsRefused) {
  Job(u"TypeT;Date=2023年12月31日;Tytl=月報");
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    CTabDlg2& t = *p.m_TabDlg2;
    EXPECT_TRUE(Checked(t, res::IDC_TAB2_DATE_SPECIFIED));
    SYSTEMTIME shown;
    t.m_DatePicker.GetTime(&shown);
    EXPECT_EQ(DateTextOf(shown), CString(u"2023年12月31日"));
    EXPECT_TRUE(Checked(t, res::IDC_TAB2_TITLE_SPECIFIED));
    EXPECT_EQ(ui::TextOf(t, res::IDC_TAB2_TITLE), CString(u"月報"));
    ui::ClickTab(p, res::IDC_CMD_TAB, 1);
    ui::Type(t, res::IDC_TAB2_TITLE, CString(u'長', 33));
    modal.QueueBox(IDOK, u"タイトル名は32文字以内に設定して下さい。");
    ui::FocusThenLeave(t, res::IDC_TAB2_TITLE);
    EXPECT_TRUE(t.m_Title.IsEmpty());
    ui::Type(t, res::IDC_TAB2_TITLE, u"週報");
    ui::FocusThenLeave(t, res::IDC_TAB2_TITLE);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_Tytl, CString(u"週報"));
}

// Regression: a refused title was taken in anyway when the page was left.
TEST_F(SheetTest, ARefusedTitleIsNeverTakenIn) {
  Job(u"TypeT;Tytl=月報");
  const CString tooLong(u'長', 33);
  const CString refusal = u"タイトル名は32文字以内に設定して下さい。";
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    CTabDlg2& t = *p.m_TabDlg2;
    ui::ClickTab(p, res::IDC_CMD_TAB, 1);
    ui::Click(t, res::IDC_TAB2_TITLE_SPECIFIED);
    ui::Type(t, res::IDC_TAB2_TITLE, tooLong);
    modal.QueueBox(IDOK, refusal);   // the page is left
    EXPECT_FALSE(ui::ClickTab(s, AFX_IDC_TAB_CONTROL, 0));   // the page stays
    ui::Click(s, IDCANCEL);   // the title is given up with the page, without a second box
  });
  EXPECT_NE(dlg.m_JobSetting.m_Tytl, tooLong);
  EXPECT_EQ(modal.Failures(), 0);
}

// The boxes masked with the style's dot, not with "*".
TEST_F(SheetTest, PasswordsAreMaskedWithStars) {
  Job(u"TypeT;OwnerPasswd=edit");
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    ui::ClickTab(p, res::IDC_CMD_TAB, 2);
    CTabDlg3& t = *p.m_TabDlg3;
    EXPECT_EQ(t.m_EditPasswordEdit.GetPasswordChar(), u'*');
    const ui::Picture masked = ui::Render(t.m_EditPasswordEdit);
    // The same box showing four stars in clear looks the same.
    ui::Click(t, res::IDC_TAB3_SHOW);
    t.m_EditPasswordEdit.SetWindowText(u"****");
    const ui::Picture stars = ui::Render(t.m_EditPasswordEdit);
    ASSERT_EQ(masked.Width(), stars.Width());
    ASSERT_EQ(masked.Height(), stars.Height());
    int differ = 0;
    for (int y = 0; y < masked.Height(); ++y)
      for (int x = 0; x < masked.Width(); ++x) differ += masked.Pixel(x, y) != stars.Pixel(x, y) ? 1 : 0;
    EXPECT_EQ(differ, 0);
    t.m_EditPasswordEdit.SetWindowText(u"edit");
    ui::Click(t, res::IDC_TAB3_SHOW);
    KeepPicture(s, "tab_dlg3_471_masked");
    ui::ClickTab(s, AFX_IDC_TAB_CONTROL, 0);
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, ExcelOutputTakesTheReadPasswordAway) {
  Job(u"TypeT;UserPasswd=read;OwnerPasswd=edit");
  dlg.m_JobSetting.m_OutputFormat = OutputFormat::kExcel;
  Run(2, [&](CEditPropSheet& s) {
    CCommandPropPage& p = *s.m_CommandPage;
    ui::ClickTab(p, res::IDC_CMD_TAB, 2);
    CTabDlg3& t = *p.m_TabDlg3;
    EXPECT_FALSE(ui::IsEnabled(t, res::IDC_TAB3_READ_PASSWORD));
    EXPECT_EQ(ui::TextOf(t, res::IDC_TAB3_EDIT_PASSWORD), CString(u"edit"));
    EXPECT_EQ(t.m_EditPasswordEdit.GetLimitText(), 32u);
    EXPECT_NE(t.m_EditPasswordEdit.GetPasswordChar(), u'\0');
    ui::Click(t, res::IDC_TAB3_SHOW);
    EXPECT_EQ(t.m_EditPasswordEdit.GetPasswordChar(), u'\0');
    EXPECT_FALSE(ui::Type(t, res::IDC_TAB3_EDIT_PASSWORD, u"new pw"));
    KeepPicture(s, "tab_dlg3_471_excel");
    ui::ClickTab(s, AFX_IDC_TAB_CONTROL, 0);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_TRUE(dlg.m_JobSetting.m_UserPasswd.IsEmpty());
  EXPECT_EQ(dlg.m_JobSetting.m_OwnerPasswd, CString(u"newpw"));
}

TEST_F(SheetTest, TheGraphNeedsASumColumnOnATableX) {
  Job(u"TypeTX;Sum=金額");
  Run(2, [&](CEditPropSheet& s) {
    CTabDlg1& t = *s.m_CommandPage->m_TabDlg1;
    EXPECT_TRUE(ui::IsEnabled(t, res::IDC_TAB1_GRAPH));
    EXPECT_FALSE(ui::IsEnabled(t, res::IDC_TAB1_GRAPH_AUTO));
    ui::Click(t, res::IDC_TAB1_GRAPH);
    EXPECT_TRUE(ui::IsEnabled(t, res::IDC_TAB1_GRAPH_AUTO));
    EXPECT_FALSE(ui::IsEnabled(t, res::IDC_TAB1_GRAPH_TYPE));
    ui::Click(t, res::IDC_TAB1_GRAPH_TOTAL);
    EXPECT_TRUE(ui::IsEnabled(t, res::IDC_TAB1_GRAPH_TYPE));
    ui::Choose(t, res::IDC_TAB1_GRAPH_TYPE, 3);
    KeepPicture(s, "tab_dlg1_133_graph");
    ui::Click(*s.m_CommandPage, res::IDC_CMD_LIST);   // no graph for a list
    EXPECT_FALSE(ui::IsEnabled(t, res::IDC_TAB1_GRAPH_AUTO));
    ui::Click(*s.m_CommandPage, res::IDC_CMD_TABLE);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_Graph, 2);
  EXPECT_EQ(dlg.m_JobSetting.m_GraphColumn, CString(u"Pai"));
}

TEST_F(SheetTest, NumberingIsNotOfferedWithASubjectColumn) {
  Job(u"TypeTX;Subject=品名");
  Run(2, [&](CEditPropSheet& s) {
    EXPECT_FALSE(ui::IsEnabled(*s.m_CommandPage->m_TabDlg1, res::IDC_TAB1_NUMBERING));
    EXPECT_FALSE(ui::IsEnabled(*s.m_CommandPage->m_TabDlg1, res::IDC_TAB1_HIDEDETAIL));   // no sum column
    ui::Click(s, IDCANCEL);
  });
}

TEST_F(SheetTest, LabelSheetAndStartLabelThroughTheStartDialog) {
  Job(u"TypeS=Label,H(3x8)S20");
  Run(2, [&](CEditPropSheet& s) {
    CTabDlg4& t = *s.m_CommandPage->m_TabDlg4;
    EXPECT_TRUE(Checked(t, res::IDC_TAB4_PRODUCT));
    EXPECT_EQ(t.m_SheetCombo.GetCurSel(), 3);
    ui::Choose(t, res::IDC_TAB4_SHEET, 4);   // エーワン：2×4: 20 is beyond its 8 labels
    EXPECT_EQ(t.m_LabelLayout1, 2);
    EXPECT_EQ(t.m_LabelLayout2, 4);
    EXPECT_EQ(t.m_LabelSheetKind, 2);
    EXPECT_EQ(t.m_StartLabel, 1);
    KeepPicture(s, "tab_dlg4_136");
    modal.Queue(229, [](CDialog& d) {
      auto& skip = static_cast<CSeelSkipDlg&>(d);
      EXPECT_EQ(ui::TextOf(d, 1104), CString(u"エーワン"));
      const SEELDATA& six = skip.m_Labels[5];
      ui::ClickAt(d, CPoint((six.m_Left + six.m_Right) / 2, (six.m_Top + six.m_Bottom) / 2));
      ui::Click(d, IDOK);
    });
    ui::Click(t, res::IDC_TAB4_START);
    EXPECT_EQ(t.m_StartLabel, 6);
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_LabelUse, 1);
  EXPECT_EQ(dlg.m_JobSetting.m_LabelSheetKind, 2);
  EXPECT_EQ(dlg.m_JobSetting.m_StartLabel, 6);
}

TEST_F(SheetTest, ALabelLayoutBeyondFiftyIsRefusedWhenThePageIsFilled) {
  modal.QueueBox(IDOK, LabelLayoutRefusal(60, 2));
  Job(u"TypeS=Label,H(60x2)S3");
  EXPECT_EQ(command_.m_Job.labelUse, 0);
  Run(2, [&](CEditPropSheet& s) {
    EXPECT_TRUE(Checked(*s.m_CommandPage->m_TabDlg4, res::IDC_TAB4_SEAL));
    ui::Click(s, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_JobSetting.m_LabelUse, 0);
}

}  // namespace
