// The basic and detailed pages' values and the job record.
#include <gtest/gtest.h>

#include "jobsheet/command/command_parser.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/sheet/page_values.h"

namespace {

struct MainCase {
  const char* name;
  MAINPAGEVALUES page;
  int docKind, listDoc;
};

class ReadMain : public ::testing::TestWithParam<MainCase> {};

TEST_P(ReadMain, KindSixIsStoredAsCrossTableAndTheListTypeOnlyForKindsUpToTwo) {
  const MainCase& c = GetParam();
  JOBSETTING job;
  int deleteAfter = -1;
  ReadMainValues(job, deleteAfter, c.page);
  EXPECT_EQ(job.m_DocKind, c.docKind);
  EXPECT_EQ(job.m_ListDoc, c.listDoc);
  EXPECT_EQ(job.m_OutputFormat, c.page.outputFormat);
  EXPECT_EQ(job.m_CharCode, c.page.charCode);
  EXPECT_EQ(job.m_SubKind, c.page.subKind);
  EXPECT_EQ(deleteAfter, c.page.deleteAfter);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadMain,
                         ::testing::Values(MainCase{"TypeTX", {OutputFormat::kExcel, 2, 2, 3, 1, 1}, 1, 3},
                                           MainCase{"Csv", {OutputFormat::kCsv, 1, 0, 0, 0, 0}, 0, 0},
                                           MainCase{"LabelsDropListType", {OutputFormat::kExcel, 2, 0, 2, 3, 0}, 3, 0},
                                           MainCase{"CrossTable", {OutputFormat::kExcel, 2, 0, 2, DOC_KIND_TOOL_CROSS, 0}, DOC_KIND_CROSS, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandValues, KindRulesOfTheDetailedPage) {
  COMMANDPAGEVALUES v;
  v.docKind = 3;
  v.numbering = 1;
  v.grayband = 1;
  v.hideDetail = 1;
  v.hideBits = 2;
  v.date = u"2024年01月02日";
  JOBSETTING job;
  job.m_Numbering = 0;
  ReadCommandValues(job, v);
  EXPECT_EQ(job.m_Numbering, 0);      // labels keep numbering and grey band as they were
  EXPECT_EQ(job.m_Grayband, 0);
  EXPECT_EQ(job.m_HideDetail, 0);     // only kinds 0 and 1 hide details
  EXPECT_TRUE(job.m_Date.IsEmpty());  // a hidden date carries no text
  v.docKind = DOC_KIND_TOOL_CROSS;
  v.hideBits = 1;
  ReadCommandValues(job, v);
  EXPECT_EQ(job.m_DocKind, DOC_KIND_CROSS);
  EXPECT_EQ(job.m_Date, CString(u"2024年01月02日"));
  v.docKind = 1;
  ReadCommandValues(job, v);
  EXPECT_EQ(job.m_Numbering, 1);
  EXPECT_EQ(job.m_HideDetail, 1);
}

TEST(CommandValues, LabelValuesTravelOnlyWithALabelUse) {
  JOBSETTING job;
  job.m_LabelUse = 0;
  job.m_LabelLayout1 = 9;
  COMMANDPAGEVALUES v;
  v.labelLayout1 = 2;
  FillCommandValues(job, v);
  EXPECT_EQ(v.labelLayout1, 2);
  v.labelUse = 0;
  v.labelLayout1 = 3;
  ReadCommandValues(job, v);
  EXPECT_EQ(job.m_LabelLayout1, 9);
}

TEST(CommandValues, ALayoutBeyondFiftyIsRefused) {
  JOBSETTING job;
  ParseCommandText(job, u"TypeS=Label,H(60x2)S3");
  COMMANDPAGEVALUES v;
  EXPECT_FALSE(FillCommandValues(job, v));
  EXPECT_EQ(v.labelUse, 0);
  EXPECT_EQ(v.labelLayout1, 0);
  JOBSETTING ok;
  ParseCommandText(ok, u"TypeS=Label,H(50x50)S3");
  EXPECT_TRUE(FillCommandValues(ok, v));
  EXPECT_EQ(v.labelLayout1, 50);
  EXPECT_EQ(v.startLabel, 3);
}

// What the detailed page shows is what it writes back: a record through the page
// and back gives the same command text.
class CommandRoundTrip : public ::testing::TestWithParam<const char16_t*> {};

TEST_P(CommandRoundTrip, FillThenReadWritesTheSameText) {
  JOBSETTING job;
  ParseCommandText(job, GetParam());
  COMMANDPAGEVALUES v;
  ASSERT_TRUE(FillCommandValues(job, v));
  JOBSETTING back;  // empty: every value must come from the page
  ReadCommandValues(back, v);
  EXPECT_EQ(BuildCommandText(back, 0, 5), BuildCommandText(job, 0, 5));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandRoundTrip,
    ::testing::Values(u"TypeS=Label,H(2x4)S3;Portrait;HideFieldName", u"TypeS=Adress,A(3x8)S20;HideErr",
                      u"TypeTX;Numbering;Grayband;HideDetail;GraphSum=Bar;DateFormat=3",
                      u"TypeT;Tytl=月次売上;HidePage;Date=2024年01月02日;UserPasswd=ab;OwnerPasswd=cd",
                      u"TypeL;HideTitleName;HidePage;HideDate", u"TypeC;Landscape"));

}  // namespace
