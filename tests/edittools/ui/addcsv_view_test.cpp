// The join editor, opened offscreen: lists, buttons, link drawing by mouse drags,
// undo, the serial join and "実行" through the join engine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/tabro_client_app.h"
#include "app/tool_dialogs.h"
#include "edittools/join/join_messages.h"
#include "edittools/join/ui/addcsv_view.h"
#include "platform/paths.h"
#include "platform/ui/modal_driver.h"
#include "platform/ui/ui_driver.h"
#include "res/addcsv_view.h"
#include "support/temp_dir.h"
#include "tests/edittools/ui/join_editor_fixture.h"
#include "support/look.h"

namespace {

CAddcsvView& View(CDialog& d) { return static_cast<CAddcsvView&>(d); }

using joinui::DrawLink;
using joinui::RowPoint;

std::vector<std::string> Links(CDialog& d, int array) {
  std::vector<std::string> out;
  for (const ALIGN& a : View(d).m_Def.AlignArry[array]) {
    out.push_back(std::to_string(a.listA) + std::to_string(a.listB) + ":" + std::to_string(a.itemA) + "-" +
                  std::to_string(a.itemB));
  }
  return out;
}

class AddcsvViewTest : public joinui::JoinEditorTest {
 protected:
  void SetUp() override {
    Load({{u"A01", u"3"}, {u"A02", u"5"}}, "コード,単価,メモ\nA01,100,x\nA02,80,y\n");
    stock_ = FromFsPath(dir_.Write("stock.csv", "品番,在庫\nA01,7\nA02,9\n"));
  }

  CAddcsvView& Open() {
    view_ = std::make_unique<CAddcsvView>();
    view_->m_MainPath = theApp.m_CsvPath;
    view_->m_MainTitle = u"sales";
    return *view_;
  }

  CString stock_;
  std::unique_ptr<CAddcsvView> view_;
};

TEST_F(AddcsvViewTest, AddingACsvShowsItsListAndNamesItInTheCaption) {
  ScriptedModalDriver modal;
  const CString price = price_;
  modal.Queue(res::IDD_ADDCSV_VIEW, [price](CDialog& d) {
    CAddcsvView& v = View(d);
    EXPECT_EQ(d.GetWindowText(), CString(u"【sales】"));
    EXPECT_EQ(v.m_Lists[0]->GetItemCount(), 2);
    EXPECT_EQ(v.m_Lists[0]->GetItemText(1, 0), CString(u"数量"));
    EXPECT_FALSE(v.m_Lists[1]->IsWindowVisible());
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_ADD));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_DELETE));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_CLEAR));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_UNDO));
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_SKIP));
    EXPECT_TRUE(ui::IsEnabled(d, res::IDC_ADDCSV_SERIAL));
    KeepPicture(d, "addcsv_fresh");

    ui::Click(d, res::IDC_ADDCSV_ADD);
    EXPECT_EQ(v.m_AddCount, 1);
    EXPECT_TRUE(v.m_Lists[1]->IsWindowVisible());
    EXPECT_EQ(v.m_Lists[1]->GetItemText(1, 0), CString(u"単価"));
    EXPECT_EQ(d.GetWindowText(), CString(u"【sales】/【price】"));
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_DELETE));
    EXPECT_FALSE(ui::IsEnabled(d, res::IDC_ADDCSV_SERIAL));
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(price);
  EXPECT_EQ(Open().DoModal(), IDCANCEL);
  EXPECT_EQ(theApp.m_JoinDef.AddCsvCnt, 0);   // cancel stores nothing
}

TEST_F(AddcsvViewTest, AnUnreadableFileLeavesTheEditorUnchanged) {
  ScriptedModalDriver modal;
  const CString gone = FromFsPath(dir_ / "gone.csv");
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_ADD);
    EXPECT_EQ(View(d).m_AddCount, 0);
    EXPECT_FALSE(View(d).m_Lists[1]->IsWindowVisible());
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_DELETE));
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(gone);
  modal.QueueBox(IDOK, CString::Build(kJoinCannotRead, gone));
  Open().DoModal();
}

TEST_F(AddcsvViewTest, LinksAreDrawnByDraggingRowsBetweenListsAndChecked) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_ADD);
    // The gap between the loaded list and the first additional one, where links are drawn.
    const CRect gap(231, 20, 249, 200);
    constexpr COLORREF kLink = 0xFF0000;
    EXPECT_EQ(ui::Render(d).CountColour(gap, kLink), 0);
    // Loaded "コード" onto the additional "コード".
    DrawLink(d, 0, 0, 1, 0);
    EXPECT_GT(ui::Render(d).CountColour(gap, kLink), 18);
    EXPECT_EQ(Links(d, 0), (std::vector<std::string>{"01:0-0"}));
    EXPECT_EQ(View(d).m_Lists[1]->GetItemText(0, 2), CString(kKeyMark));
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_CLEAR));
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_UNDO));
    // The opposite direction gives the same kind of link.
    DrawLink(d, 1, 2, 0, 1);
    EXPECT_EQ(Links(d, 0), (std::vector<std::string>{"01:0-0", "01:1-2"}));
    KeepPicture(d, "addcsv_two_links");
    // A third key link, a row on its own list and a release outside every list make nothing.
    DrawLink(d, 0, 1, 1, 1);   // refused: the box below
    DrawLink(d, 0, 0, 0, 1);
    CDrawList& main = *View(d).m_Lists[0];
    ui::Drag(main, RowPoint(main, 0, main), CPoint(-20, 800));
    EXPECT_EQ(Links(d, 0).size(), 2u);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(price_);
  modal.QueueBox(IDOK, u"1つのCSVファイルに対し、3つ以上繋ぎを設定することはできません");
  Open().DoModal();
}

TEST_F(AddcsvViewTest, SecondCsvChainingAndAFieldLinkedTwiceAreRefused) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_ADD);
    ui::Click(d, res::IDC_ADDCSV_ADD);
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_ADD));
    DrawLink(d, 0, 0, 1, 0);
    DrawLink(d, 0, 0, 1, 1);   // the same loaded field again: refused
    DrawLink(d, 1, 0, 2, 0);   // first to second additional CSV
    DrawLink(d, 0, 0, 2, 1);   // loaded to second after that: refused
    EXPECT_EQ(Links(d, 0), (std::vector<std::string>{"01:0-0"}));
    EXPECT_EQ(Links(d, 1), (std::vector<std::string>{"12:0-0"}));
    KeepPicture(d, "addcsv_two_csvs");
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(price_);
  modal.QueueFile(stock_);
  modal.QueueBox(IDOK, u"同じフィールド名に対して複数の繋ぎを設定することはできません");
  modal.QueueBox(IDOK, u"この繋ぎを設定することはできません\n(コンバーターで使用時は追加CSVの順で繋いでください)");
  Open().DoModal();
}

TEST_F(AddcsvViewTest, ClearThenUndoBringsEveryLinkBack) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_ADD);
    DrawLink(d, 0, 0, 1, 0);
    DrawLink(d, 0, 1, 1, 1);
    ui::Click(d, res::IDC_ADDCSV_CLEAR);   // cancelled: nothing changes
    EXPECT_EQ(Links(d, 0).size(), 2u);
    ui::Click(d, res::IDC_ADDCSV_CLEAR);
    EXPECT_TRUE(Links(d, 0).empty());
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_CLEAR));
    EXPECT_EQ(View(d).m_Lists[1]->GetItemText(0, 2), CString());
    ui::Click(d, res::IDC_ADDCSV_UNDO);
    EXPECT_EQ(Links(d, 0), (std::vector<std::string>{"01:0-0", "01:1-1"}));
    View(d).m_Lists[1]->DoubleClickAsUser(2, kDiscardColumn);
    ui::Click(d, res::IDC_ADDCSV_UNDO);
    EXPECT_EQ(Links(d, 0), (std::vector<std::string>{"01:0-0"}));
    EXPECT_EQ(View(d).m_Lists[1]->GetItemText(2, kDiscardColumn), CString(kDiscardMark));   // kept
    ui::Click(d, res::IDC_ADDCSV_UNDO);
    EXPECT_TRUE(Links(d, 0).empty());
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_UNDO));
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(price_);
  modal.QueueBox(IDCANCEL, u"繋ぎ情報をすべて解除します。よろしいでしょうか？");
  modal.QueueBox(IDOK, u"繋ぎ情報をすべて解除します。よろしいでしょうか？");
  Open().DoModal();
}

TEST_F(AddcsvViewTest, UndoHistoryIsBoundedAndAFullHistoryRefusesTheLink) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    CAddcsvView& v = View(d);
    for (int i = 0; i < JOIN_UNDO_MAX; ++i) ASSERT_TRUE(v.AddLink(ALIGN{0, 3, i, i}, 2));
    EXPECT_FALSE(v.AddLink(ALIGN{0, 3, 0, 0}, 2));
    EXPECT_EQ(v.m_Def.AlignArry[2].size(), static_cast<size_t>(JOIN_UNDO_MAX));
    EXPECT_EQ(v.m_UndoCount, JOIN_UNDO_MAX);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, u"元に戻せる操作は256件までです。この操作は行いませんでした。");
  Open().DoModal();
}

TEST_F(AddcsvViewTest, ExecuteJoinsAndStoresTheDefinition) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_ADD);
    ui::Click(d, IDOK);   // no link yet: the engine refuses, the editor stays
    EXPECT_FALSE(View(d).HasEnded());
    DrawLink(d, 0, 0, 1, 0);
    View(d).m_Lists[1]->DoubleClickAsUser(2, kDiscardColumn);   // "メモ" is not output
    EXPECT_EQ(View(d).m_Lists[1]->GetItemText(2, 2), CString(kDiscardMark));
    View(d).m_Lists[1]->DoubleClickAsUser(0, kDiscardColumn);   // a key stays a key
    EXPECT_EQ(View(d).m_Lists[1]->GetItemText(0, 2), CString(kKeyMark));
    ui::Click(d, IDOK);
  });
  modal.QueueFile(price_);
  modal.QueueBox(IDOK, kJoinNoLinks);
  EXPECT_EQ(Open().DoModal(), IDOK);
  EXPECT_EQ(theApp.m_DataCols, 3);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(0, 2), CString(u"単価"));
  EXPECT_EQ(theApp.m_DataGrid.GetAt(2, 2), CString(u"80"));
  const JOINDEF& def = theApp.m_JoinDef;
  EXPECT_EQ(def.AddCsvCnt, 1);
  EXPECT_EQ(def.AddCsvPath[0], price_);
  EXPECT_EQ(def.AddCsvTitle[0], CString(u"price"));
  ASSERT_EQ(def.AlignArry[0].size(), 1u);
  EXPECT_EQ(def.AdelSelect[0][0], ADDCOL_KEY);
  EXPECT_EQ(def.AdelSelect[0][2], ADDCOL_DISCARD);
  EXPECT_EQ(def.ListPosition[1].left, 250);
  ASSERT_EQ(theApp.m_JoinAddNames[0].size(), 3u);
}

TEST_F(AddcsvViewTest, SerialJoinMapsColumnsOntoOutputPositions) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    CAddcsvView& v = View(d);
    ui::SetChecked(d, res::IDC_ADDCSV_SERIAL, true);
    EXPECT_TRUE(v.m_Lists[3]->IsWindowVisible());
    EXPECT_EQ(v.m_Lists[3]->GetItemCount(), 20);
    EXPECT_FALSE(ui::IsEnabled(d, res::IDC_ADDCSV_SERIAL));
    ui::Click(d, res::IDC_ADDCSV_ADD);
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_ADD));   // one CSV in serial mode
    DrawLink(d, 0, 0, 3, 0);
    DrawLink(d, 1, 0, 3, 0);
    DrawLink(d, 0, 1, 3, 1);
    DrawLink(d, 1, 1, 3, 1);
    DrawLink(d, 3, 2, 0, 1);   // from the output list onto the loaded list: nothing
    EXPECT_EQ(Links(d, 2), (std::vector<std::string>{"03:0-0", "13:0-0", "03:1-1", "13:1-1"}));
    EXPECT_EQ(v.m_Lists[3]->GetItemText(1, 1), CString(u"数量"));
    EXPECT_EQ(v.m_Lists[3]->GetItemText(1, 2), CString(u"単価"));
    KeepPicture(d, "addcsv_serial");
    ui::Click(d, IDOK);
  });
  modal.QueueFile(price_);
  EXPECT_EQ(Open().DoModal(), IDOK);
  EXPECT_EQ(theApp.m_JoinDef.SerealFg, 1);
  EXPECT_EQ(theApp.m_JoinDef.AlignArry[2].size(), 4u);
  EXPECT_EQ(theApp.m_DataGrid.GetAt(3, 0), CString(u"A01"));
  EXPECT_EQ(theApp.m_DataGrid.GetAt(3, 1), CString(u"100"));
}

TEST_F(AddcsvViewTest, RemovingAllCsvsEmptiesTheEditor) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    CAddcsvView& v = View(d);
    ui::Click(d, res::IDC_ADDCSV_ADD);
    DrawLink(d, 0, 0, 1, 0);
    ui::Click(d, res::IDC_ADDCSV_DELETE);
    EXPECT_EQ(v.m_AddCount, 0);
    EXPECT_FALSE(v.m_Lists[1]->IsWindowVisible());
    EXPECT_TRUE(Links(d, 0).empty());
    EXPECT_FALSE(ui::IsShown(d, res::IDC_ADDCSV_UNDO));
    EXPECT_TRUE(ui::IsEnabled(d, res::IDC_ADDCSV_SERIAL));
    EXPECT_EQ(d.GetWindowText(), CString(u"【sales】"));
    // Regression: "実行" closed the editor here and stored an empty definition.
    ui::Click(d, IDOK);
    EXPECT_TRUE(ui::IsShown(d, IDOK));
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(price_);
  modal.QueueBox(IDOK, u"本当に追加CSV全てを削除してもよいですか？");
  modal.QueueBox(IDOK, u"追加するデータがありません");
  EXPECT_EQ(Open().DoModal(), IDCANCEL);
  EXPECT_EQ(view_->m_AllRemoved, 1);
  EXPECT_EQ(theApp.m_DataCols, 2);
  EXPECT_EQ(modal.Failures(), 0);
}

TEST_F(AddcsvViewTest, InTheChainTheStoredDefinitionIsShownWithSkip) {
  JOINDEF& def = theApp.m_JoinDef;
  def.AddCsvCnt = 1;
  def.AddCsvPath[0] = price_;
  def.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    CAddcsvView& v = View(d);
    EXPECT_TRUE(v.m_Lists[1]->IsWindowVisible());
    EXPECT_EQ(Links(d, 0), (std::vector<std::string>{"01:0-0"}));
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_SKIP));   // no tool after the join
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_CLEAR));
    EXPECT_FALSE(ui::IsEnabled(d, res::IDC_ADDCSV_SERIAL));
    ui::Click(d, res::IDC_ADDCSV_SKIP);
  });
  CAddcsvView& v = Open();
  v.m_InChain = 1;
  EXPECT_EQ(v.DoModal(), IDOK);
  EXPECT_EQ(v.m_Skip, 1);
  EXPECT_EQ(theApp.m_DataCols, 2);
}

TEST_F(AddcsvViewTest, ShowCsvFileOpensTheSelectedListsFile) {
  RecordingUiHooks opened;
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_SHOWFILE);   // nothing selected: the note
    ui::Click(d, res::IDC_ADDCSV_ADD);
    // Dragging a list by its header selects and moves it; a press on a column
    // border resizes the column instead.
    CDrawList& list = *View(d).m_Lists[1];
    CRect item;
    list.m_Header.GetItemRect(0, &item);
    const int width = list.GetColumnWidth(0);
    ui::Drag(list.m_Header, CPoint(item.right - 2, 8), CPoint(item.right + 28, 8));
    EXPECT_EQ(View(d).m_SelectedList, -1);
    EXPECT_EQ(list.m_position.left, 250);
    EXPECT_EQ(list.GetColumnWidth(0), width + 30);
    ui::Drag(list.m_Header, CPoint(item.left + 20, 8), CPoint(item.left + 20, 8 + 30));
    EXPECT_EQ(View(d).m_SelectedList, 1);
    EXPECT_EQ(list.m_position.left, 250);
    EXPECT_GT(list.m_position.top, 20);   // the driven mouse follows the moving header
    KeepPicture(d, "addcsv_moved_list");
    ui::Click(d, res::IDC_ADDCSV_SHOWFILE);
    ui::Click(d, IDCANCEL);
  });
  modal.QueueBox(IDOK, u"nリストが選択されていません。\n選択されているリストのファイルを表示します。");
  modal.QueueFile(price_);
  Open().DoModal();
  ASSERT_EQ(opened.OpenedDocuments().size(), 1u);
  EXPECT_EQ(opened.OpenedDocuments()[0], price_);
}

TEST_F(AddcsvViewTest, ARubberBandOverAListSelectsIt) {
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    ui::Click(d, res::IDC_ADDCSV_ADD);
    ui::Drag(d, CPoint(700, 300), CPoint(500, 100));   // from an empty place across the first additional list
    EXPECT_EQ(View(d).m_SelectedList, 1);
    EXPECT_EQ(View(d).m_Lists[1]->m_position.left, 250);   // selected, not moved
    ui::Click(d, IDCANCEL);
  });
  modal.QueueFile(price_);
  Open().DoModal();
}

TEST_F(AddcsvViewTest, ADocumentTypeWithoutJoinLeavesOnlyClose) {
  struct Case {
    const char16_t* command;
    int locked;
  };
  const Case cases[] = {{u"", 0},           {u"TypeTX", 0},        {u"TypeTX;ListDoc", 0},
                        {u"TypeTX;ListDoc=TypeA", 0}, {u"TypeTX;ListDoc=TypeB", 0}, {u"TypeTX;ListDoc=TypeC", 1},
                        {u"TypeB", 1}};
  for (const Case& c : cases) {
    CAddcsvView v;
    v.SetDocumentType(CString(c.command));
    EXPECT_EQ(v.m_TypeLocked, c.locked) << CString(c.command).ToUtf8();
  }
  theApp.m_JoinDef.AddCsvCnt = 1;
  theApp.m_JoinDef.AddCsvPath[0] = price_;
  ScriptedModalDriver modal;
  modal.Queue(res::IDD_ADDCSV_VIEW, [](CDialog& d) {
    for (int id : {int(res::IDC_ADDCSV_ADD), int(res::IDC_ADDCSV_DELETE), int(res::IDC_ADDCSV_CLEAR), int(IDOK),
                   int(IDCANCEL), int(res::IDC_ADDCSV_SKIP)}) {
      EXPECT_FALSE(ui::IsShown(d, id)) << id;
    }
    EXPECT_TRUE(ui::IsShown(d, res::IDC_ADDCSV_CLOSE));
    DrawLink(d, 0, 1, 1, 1);
    EXPECT_EQ(Links(d, 0).size(), 1u);
    KeepPicture(d, "addcsv_locked");
    ui::Click(d, res::IDC_ADDCSV_CLOSE);
  });
  CAddcsvView& v = Open();
  v.m_InChain = 1;
  v.SetDocumentType(CString(u"TypeB"));
  theApp.m_JoinDef.AlignArry[0].push_back(ALIGN{0, 1, 0, 0});
  EXPECT_EQ(v.DoModal(), IDCANCEL);
}

}  // namespace
