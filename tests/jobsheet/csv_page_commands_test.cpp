// Column codes, captions, the command buttons' checks and enable rules of the CSV edit page.

#include <gtest/gtest.h>

#include "jobsheet/command/job_setting.h"
#include "tests/jobsheet/csv_page_fixture.h"

namespace {

const std::vector<const char16_t*> kSmall = {u"name,price,qty", u"a,1,10", u"b,2,20"};

TEST(CsvPageCaptions, SuffixesDependOnTheReportKind) {
  struct Case {
    int kind;
    int code;
    const char16_t* caption;   // of grid column 1
  };
  const Case cases[] = {
      {0, CODE_SUM, u"2   [SUM]"},           {3, CODE_SUM, u"2"},
      {1, CODE_COUNT_EXCL, u"2   [COUNT(除)]"}, {4, CODE_AVE_INCL, u"2"},
      {2, CODE_CODE39, u"2"},                {3, CODE_QR, u"2   [QR]"},
      {4, CODE_SEAL, u"2"},                  {2, CODE_APPROVAL_DATE_SEAL, u"2   [承認日印]"},
      {3, CODE_COLOR, u"2"},                 {2, CODE_COLOR, u"2   [COLOR]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " code " << c.code);
    PageFixture f;
    f.Load(kSmall);
    f.page.m_ReportKind = c.kind;
    f.page.m_ColumnCodes[1] = c.code;
    EXPECT_EQ(f.page.ColumnCaption(1), CString(c.caption));
    EXPECT_EQ(f.page.m_ColumnCodes[1], c.code);   // the code stays
  }
}

TEST(CsvPageCaptions, TagsLettersAndEditMode) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_ReportKind = 1;
  f.page.m_GroupCol = 1;
  f.page.m_SubjectCol = 2;
  f.page.m_ColumnCodes[1] = CODE_SUM;
  HORIZONTAL rt;
  rt.flags[1] = HZ_INPUT;
  f.page.m_RowTotals.push_back(rt);
  f.page.m_TimeSpans.push_back(rt);
  EXPECT_EQ(f.page.ColumnCaption(0), CString(u"1  >｜"));
  EXPECT_EQ(f.page.ColumnCaption(1), CString(u"2  [科]   [SUM]   [横SUM]   [時間差]"));
  f.page.m_ReportKind = 2;
  EXPECT_EQ(f.page.ColumnCaption(1), CString(u"2   [SUM]   [横SUM]   [時間差]"));
  f.page.m_LetterColumns = 1;
  EXPECT_EQ(f.page.ColumnCaption(27), CString(u"AB"));
  f.page.m_EditMode = 1;
  EXPECT_EQ(f.page.ColumnCaption(5), CString());
}

TEST(CsvPageCaptions, ColumnLetters) {
  const std::pair<int, const char16_t*> cases[] = {{0, u""},    {1, u"A"},     {26, u"Z"},     {27, u"AA"},
                                                   {28, u"AB"}, {52, u"AZ"},   {53, u"BA"},    {702, u"ZZ"},
                                                   {703, u"AAA"}, {16384, u"XFD"}, {16385, u""}, {-1, u""}};
  for (const auto& [n, letters] : cases) EXPECT_EQ(ColumnLetters(n), CString(letters)) << n;
}

TEST(CsvPageCommands, ToggleSetsReplacesAndClears) {
  PageFixture f;
  f.Load(kSmall);
  f.Column(1);
  EXPECT_TRUE(f.page.OnSum());
  EXPECT_EQ(f.page.m_ColumnCodes[1], CODE_SUM);
  EXPECT_TRUE(f.page.OnSum());
  EXPECT_EQ(f.page.m_ColumnCodes[1], 0);
  f.page.OnSum();
  EXPECT_TRUE(f.page.OnCount());
  f.page.ToggleColumnCommand(f.page.m_MenuCodeExcl);
  EXPECT_EQ(f.page.m_ColumnCodes[1], CODE_COUNT_EXCL);
  EXPECT_TRUE(f.Messages().empty());
}

TEST(CsvPageCommands, FirstColumnIsSkippedWithOneMessage) {
  PageFixture f;
  f.Load(kSmall);
  f.Column(0);
  f.Column(2, true);
  EXPECT_TRUE(f.page.OnSum());
  EXPECT_EQ(f.page.m_ColumnCodes[0], 0);
  EXPECT_EQ(f.page.m_ColumnCodes[1], CODE_SUM);
  EXPECT_EQ(f.page.m_ColumnCodes[2], CODE_SUM);
  EXPECT_EQ(f.Messages(), std::vector<CString>{u"１列目に設定することは出来ません。"});
}

TEST(CsvPageCommands, SubjectColumnTakesNoCode) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_SubjectCol = 3;
  f.Column(1);
  f.Column(2, true);
  f.page.OnBarcodeOrSeal(CODE_SEAL);
  EXPECT_EQ(f.page.m_ColumnCodes[1], CODE_SEAL);
  EXPECT_EQ(f.page.m_ColumnCodes[2], 0);
  EXPECT_EQ(f.Messages(), std::vector<CString>{u"科目集計と同時設定はできません。[3列目]"});
}

struct CheckCase {
  const char* name;
  void (*setup)(PageFixture&);
  bool (*press)(PageFixture&);
  const char16_t* message;
};

const CheckCase kChecks[] = {
    {"no column for SUM", [](PageFixture& f) { f.Cell(0, 1); }, [](PageFixture& f) { return f.page.OnSum(); },
     u"列を指定してください。"},
    {"no title row", [](PageFixture& f) { f.page.m_PageTitleRow = -1; f.Column(1); },
     [](PageFixture& f) { return f.page.OnSum(); }, u"タイトル列が無いので指定できません。"},
    {"average on the first column", [](PageFixture& f) { f.Column(0); },
     [](PageFixture& f) { return f.page.OnAverage(); }, u"１列目に設定することは出来ません。"},
    {"QR on the subject column", [](PageFixture& f) { f.page.m_SubjectCol = 2; f.Column(1); },
     [](PageFixture& f) { return f.page.OnBarcodeOrSeal(CODE_QR); }, u"科目集計と同時設定はできません。"},
    {"subject without a column", [](PageFixture&) {}, [](PageFixture& f) { return f.page.OnSubjectTotal(); },
     u"集計項目の列を指定してください。"},
    {"subject on two columns", [](PageFixture& f) { f.Column(1); f.Column(2, true); },
     [](PageFixture& f) { return f.page.OnSubjectTotal(); },
     u"複数列を選択時は設定出来ません。\n1列ずつ選択を行ってください。"},
    {"subject on a column with a code", [](PageFixture& f) { f.page.m_ColumnCodes[1] = CODE_SUM; f.Column(1); },
     [](PageFixture& f) { return f.page.OnSubjectTotal(); },
     u"他のコマンドが設定されています。\n設定したコマンドを解除してください。"},
    {"subject on the group column", [](PageFixture& f) { f.page.m_GroupCol = 2; f.Column(1); },
     [](PageFixture& f) { return f.page.OnSubjectTotal(); },
     u"グループとの同時設定は出来ません。\nグループのコマンドを解除してください。"},
    {"group on the subject column", [](PageFixture& f) { f.page.m_SubjectCol = 2; f.Column(1); },
     [](PageFixture& f) { return f.page.OnGroupColumn(); },
     u"科目計との同時設定は出来ません。\n科目計のコマンドを解除してください。"},
    {"colour on a second column", [](PageFixture& f) { f.page.m_ColorRuleText = u"if [price] = 1 then TextColor('赤')"; f.Column(2); },
     [](PageFixture& f) { int c = -1; return f.page.ColorRuleTarget(&c); },
     u"すでに色替えは設定されています\n修正は色設定が付いている列を指定してください"},
};

TEST(CsvPageCommands, ChecksRefuseWithTheirMessage) {
  for (const CheckCase& c : kChecks) {
    SCOPED_TRACE(c.name);
    PageFixture f;
    f.Load(kSmall);
    c.setup(f);
    int codes[GRID_COLS];
    std::copy(std::begin(f.page.m_ColumnCodes), std::end(f.page.m_ColumnCodes), codes);
    const int subject = f.page.m_SubjectCol, group = f.page.m_GroupCol;
    EXPECT_FALSE(c.press(f));
    EXPECT_EQ(f.Messages(), std::vector<CString>{c.message});
    EXPECT_TRUE(std::equal(std::begin(codes), std::end(codes), f.page.m_ColumnCodes));
    EXPECT_EQ(f.page.m_SubjectCol, subject);
    EXPECT_EQ(f.page.m_GroupCol, group);
  }
}

TEST(CsvPageCommands, ColourRuleOnItsOwnColumnOpensAndDeletingClearsTheCode) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_ColorRuleText = u"if [price] = 1 then TextColor('赤')";
  f.page.m_ColumnCodes[1] = CODE_COLOR;
  f.Column(1);
  int column = -1;
  ASSERT_TRUE(f.page.ColorRuleTarget(&column));
  EXPECT_EQ(column, 1);
  f.page.SetColorRule(column, CString());
  EXPECT_EQ(f.page.m_ColumnCodes[1], 0);
  EXPECT_TRUE(f.page.m_ColorRuleText.IsEmpty());
}

TEST(CsvPageCommands, CountMenuItemsByTheColumnsCode) {
  PageFixture f;
  f.Load(kSmall);
  f.Column(1);
  ASSERT_TRUE(f.page.OnCount());
  EXPECT_EQ(f.page.CountMenuState(), (std::array<bool, 3>{true, true, false}));
  f.page.m_ColumnCodes[1] = CODE_COUNT_INCL;
  EXPECT_EQ(f.page.CountMenuState(), (std::array<bool, 3>{false, true, true}));
  f.page.m_ColumnCodes[1] = CODE_COUNT_EXCL;
  EXPECT_EQ(f.page.CountMenuState(), (std::array<bool, 3>{true, false, true}));
  f.page.m_ColumnCodes[1] = CODE_SUM;
  EXPECT_EQ(f.page.CountMenuState(), (std::array<bool, 3>{true, true, true}));
  f.page.OnCountBlankClear();
  EXPECT_EQ(f.page.m_ColumnCodes[1], 0);
}

// Enable rules: the page's state, then the buttons that must be on and off.
struct EnableCase {
  const char* name;
  void (*setup)(PageFixture&);
  std::vector<int> on;
  std::vector<int> off;
};

const EnableCase kEnableCases[] = {
    {"summary table with sub-kind 2", [](PageFixture& f) { f.page.m_ReportKind = 1; f.page.m_SubKind = 2; },
     {1045, 1046, 1043, 1079, 1081, 1053, 1055, 1047, 1048, 1049, 1050, 1052, 1078, 1086, 1044, 1042, 1038}, {}},
    {"list: no CODE39, QR, row totals", [](PageFixture& f) { f.page.m_ReportKind = 2; },
     {1045, 1049, 1050, 1081}, {1047, 1048, 1053, 1055, 1052}},
    {"label: column totals off", [](PageFixture& f) { f.page.m_ReportKind = 3; },
     {1047, 1048, 1049, 1050}, {1045, 1046, 1056, 1043, 1079, 1081, 1041}},
    {"single form: no seals", [](PageFixture& f) { f.page.m_ReportKind = 4; }, {1047, 1048}, {1049, 1050, 1041}},
    {"subject column set", [](PageFixture& f) { f.page.m_SubjectCol = 2; },
     {1045, 1052}, {1046, 1056, 1047, 1048, 1049, 1050, 1043}},
    {"numbering turns subject off", [](PageFixture& f) { f.page.m_Numbering = 1; }, {}, {1052}},
    {"a code other than SUM turns subject off", [](PageFixture& f) { f.page.m_ColumnCodes[2] = CODE_QR; }, {}, {1052}},
    {"CSV output", [](PageFixture& f) { f.page.m_OutputFormat = OutputFormat::kCsv; f.page.m_ReportKind = 3; },
     {1045, 1046, 1053, 1055, 1056, 1042, 1044, 1052}, {1043, 1081, 1047, 1048, 1049, 1050, 1041, 1078}},
    {"edit mode entered", [](PageFixture& f) { f.editModeEntered = 1; }, {1044, 1038}, {1078, 1086}},
    {"more than 3000 rows in the input", [](PageFixture& f) { f.g.totalRows = 5000; }, {1086}, {1078}},
    {"forced edit mode", [](PageFixture& f) { f.page.m_EditModeForced = 1; }, {}, {1078, 1086}},
    {"cross table", [](PageFixture& f) { f.page.m_ReportKind = DOC_KIND_TOOL_CROSS; }, {1042}, {1086}},
    {"column without a name selected", [](PageFixture& f) { f.Column(5); },
     {}, {1045, 1046, 1043, 1079, 1047, 1048, 1049, 1050, 1042, 1052, 1053, 1055, 1056, 1044, 1081, 1041, 1086, 1078, 1038}},
    {"result column selected",
     [](PageFixture& f) { HORIZONTAL h; h.flags[2] = HZ_RESULT; f.page.m_RowTotals.push_back(h); f.Column(2); },
     {1044, 1081, 1038}, {1045, 1046, 1043, 1079, 1047, 1048, 1049, 1050, 1042, 1052, 1053, 1055, 1056}},
    {"data header ticked", [](PageFixture& f) { f.page.m_DataHeader = 1; f.editModeEntered = 1; }, {1041}, {}},
};

TEST(CsvPageCommands, EnableRules) {
  for (const EnableCase& c : kEnableCases) {
    SCOPED_TRACE(c.name);
    PageFixture f;
    f.Load(kSmall);
    f.page.m_ReportKind = 0;
    c.setup(f);
    const auto s = f.page.ComputeButtonStates(f.g);
    for (int id : c.on) EXPECT_TRUE(s.Get(id)) << id;
    for (int id : c.off) EXPECT_FALSE(s.Get(id)) << id;
  }
}

TEST(CsvPageCommands, ForcedEditModeEntersEditMode) {
  PageFixture f;
  f.Load(kSmall);
  f.page.m_EditModeForced = 1;
  f.page.ComputeButtonStates(f.g);
  EXPECT_EQ(f.page.m_EditMode, 1);
  EXPECT_EQ(f.editModeEntered, 1);
}

}  // namespace
