// The CSV page and the job record: codes, computed columns, group and subject
// travel by header name through the command text and back.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "jobsheet/command/command_parser.h"
#include "jobsheet/command/command_writer.h"
#include "jobsheet/sheet/column_codes.h"
#include "jobsheet/sheet/csv_page_exchange.h"

namespace {

// A page showing the columns named, in data order.
std::unique_ptr<CCsvPropPage> PageWith(const std::vector<const char16_t*>& names) {
  auto page = std::make_unique<CCsvPropPage>();
  int k = 0;
  for (const char16_t* n : names) {
    page->m_HeaderNames[k] = n;
    page->m_ColumnMap[k] = k + 1;
    ++k;
  }
  page->m_ColCount = k;
  page->m_RowCount = 5;
  return page;
}

JOBSETTING Parsed(const char16_t* text) {
  JOBSETTING job;
  ParseCommandText(job, text);
  return job;
}

// Page into a record, the record into text, the text into a fresh page.
std::unique_ptr<CCsvPropPage> ThroughText(const CCsvPropPage& from, const std::vector<const char16_t*>& names,
                                          CString* text = nullptr) {
  JOBSETTING job;
  int rows = 0, cols = 0;
  ReadCsvPageInto(job, from, from.m_ColCount, 0, rows, cols);
  const CString written = BuildCommandText(job, 0, from.m_ColCount);
  if (text) *text = written;
  const JOBSETTING back = Parsed(written.GetString());
  auto to = PageWith(names);
  MatchJobToCsvPage(back, *to, to->m_ColCount);
  return to;
}

TEST(CsvPageExchange, EveryCodeTravelsThroughTheTextAndBack) {
  auto page = PageWith({u"売上", u"数量", u"単価", u"店", u"担当", u"日付", u"承認", u"確認", u"備考", u"区分", u"値"});
  const int codes[] = {CODE_SUM, CODE_COUNT_INCL, CODE_COUNT_EXCL, CODE_CODE39, CODE_QR, CODE_SEAL,
                       CODE_APPROVAL_SEAL, CODE_APPROVAL_DATE_SEAL, CODE_AVE_INCL, CODE_AVE_EXCL, CODE_COLOR};
  for (int k = 0; k < 11; ++k) page->m_ColumnCodes[k] = codes[k];
  page->m_ColorRuleText = u"if [値]＞1 then color('red')";
  CString text;
  auto back = ThroughText(*page, {u"売上", u"数量", u"単価", u"店", u"担当", u"日付", u"承認", u"確認", u"備考",
                                  u"区分", u"値"},
                          &text);
  for (int k = 0; k < 11; ++k) EXPECT_EQ(back->m_ColumnCodes[k], codes[k]) << "column " << k << " of " << text.ToUtf8();
}

TEST(CsvPageExchange, ReadWritesListsItemsInCodeOrderAndTheNumberOfAnUnnamedColumn) {
  auto page = PageWith({u"QR1", u"", u"売上", u"CODE", u"QR2"});
  page->m_ColumnCodes[0] = CODE_QR;
  page->m_ColumnCodes[1] = CODE_SUM;
  page->m_ColumnCodes[2] = CODE_SUM;
  page->m_ColumnCodes[3] = CODE_CODE39;
  page->m_ColumnCodes[4] = CODE_QR;
  JOBSETTING job;
  int rows = 0, cols = 0;
  ReadCsvPageInto(job, *page, 5, 0, rows, cols);
  EXPECT_EQ(job.m_Sum[0], CString(u"2"));
  EXPECT_EQ(job.m_Sum[1], CString(u"売上"));
  EXPECT_TRUE(job.m_Sum[2].IsEmpty());
  ASSERT_EQ(job.m_ColumnItems.size(), 3u);
  EXPECT_EQ(job.m_ColumnItems[0].m_Code, CString(u"CODE39"));
  EXPECT_EQ(job.m_ColumnItems[0].m_ColumnNo, 4);
  EXPECT_EQ(job.m_ColumnItems[1].m_ColumnName, CString(u"QR1"));
  EXPECT_EQ(job.m_ColumnItems[2].m_ColumnName, CString(u"QR2"));
  EXPECT_EQ(rows, 5);
  EXPECT_EQ(cols, 5);
}

TEST(CsvPageExchange, TheLaterListDecidesAColumnNamedInTwoLists) {
  auto page = PageWith({u"A", u"B"});
  MatchJobToCsvPage(Parsed(u"Counts=A;Ave=A"), *page, 2);
  EXPECT_EQ(page->m_ColumnCodes[0], CODE_AVE_INCL);
  // An item comes after the lists and wins.
  auto other = PageWith({u"A", u"B"});
  MatchJobToCsvPage(Parsed(u"Sum=B;QR=B"), *other, 2);
  EXPECT_EQ(other->m_ColumnCodes[1], CODE_QR);
}

TEST(CsvPageExchange, AnEntryNamingNoColumnHoldsUpNothingAndIsKept) {
  auto page = PageWith({u"A", u"B", u"C"});
  JOBSETTING job = Parsed(u"Sum=X,C,A");
  MatchJobToCsvPage(job, *page, 3);
  EXPECT_EQ(page->m_ColumnCodes[0], CODE_SUM);
  EXPECT_EQ(page->m_ColumnCodes[1], CODE_NONE);
  EXPECT_EQ(page->m_ColumnCodes[2], CODE_SUM);
  int rows = 0, cols = 0;
  ReadCsvPageInto(job, *page, 3, 0, rows, cols);
  EXPECT_EQ(job.m_Sum[0], CString(u"A"));
  EXPECT_EQ(job.m_Sum[1], CString(u"C"));
  EXPECT_EQ(job.m_Sum[2], CString(u"X"));
}

TEST(CsvPageExchange, ItemsThePageCannotShowSurviveARead) {
  auto page = PageWith({u"郵便", u"品番", u"他"});
  JOBSETTING job = Parsed(u"CustmerCode=郵便;CODE39=品番,notTrim;QR=消えた列");
  MatchJobToCsvPage(job, *page, 3);
  EXPECT_EQ(page->m_ColumnCodes[0], CODE_NONE);
  EXPECT_EQ(page->m_ColumnCodes[1], CODE_CODE39);
  int rows = 0, cols = 0;
  ReadCsvPageInto(job, *page, 3, 0, rows, cols);
  const CString text = BuildCommandText(job, 0, 3);
  EXPECT_NE(text.Find(u"CustmerCode=郵便"), -1) << text.ToUtf8();
  EXPECT_NE(text.Find(u"CODE39=品番,notTrim"), -1) << text.ToUtf8();
  EXPECT_NE(text.Find(u"QR=消えた列"), -1) << text.ToUtf8();
  // The code taken off the page takes its item with it.
  page->m_ColumnCodes[1] = CODE_NONE;
  ReadCsvPageInto(job, *page, 3, 0, rows, cols);
  EXPECT_EQ(BuildCommandText(job, 0, 3).Find(u"品番"), -1);
}

TEST(CsvPageExchange, SortConditionOrderAndNamesFollowThePageOnlyOutsideEditMode) {
  auto page = PageWith({u"A", u"B", u"C"});
  page->m_SortCols[0] = 2;
  page->m_SortDesc[0] = 1;
  page->m_Condition = u"[1]＞0";
  page->m_ColumnsChanged = 1;
  page->m_ColumnMap[0] = 3;
  page->m_ColumnMap[2] = 1;
  page->m_HeaderEdited[1] = 1;
  page->m_ColumnCodes[0] = CODE_SUM;
  JOBSETTING job;
  int rows = 0, cols = 0;
  ReadCsvPageInto(job, *page, 3, 0, rows, cols);
  EXPECT_EQ(job.m_SortCount, 3);   // the first key sets all three
  EXPECT_EQ(job.m_SortCol[0], 2);
  EXPECT_EQ(job.m_SortDesc[0], 1);
  EXPECT_EQ(job.m_InpSelecMacro, CString(u"[1]＞0"));
  EXPECT_EQ(job.m_Select, CString(u"3,2,1"));
  ASSERT_EQ(job.m_FieldNames.size(), 1u);
  EXPECT_EQ(job.m_FieldNames[0].m_Column, 1);

  JOBSETTING edited = Parsed(u"Select=1,2;InpSelecMacro(x);Sort2");
  const JOBSETTING before = edited;
  ReadCsvPageInto(edited, *page, 3, 1, rows, cols);
  EXPECT_EQ(edited.m_Select, before.m_Select);
  EXPECT_EQ(edited.m_InpSelecMacro, before.m_InpSelecMacro);
  EXPECT_EQ(edited.m_SortCount, before.m_SortCount);
  EXPECT_EQ(edited.m_Sum[0], CString(u"A"));   // the lists are still written
}

TEST(CsvPageExchange, AnIdentityOrderOverAllColumnsWritesNoSelect) {
  auto page = PageWith({u"A", u"B"});
  page->m_ColumnsChanged = 1;
  JOBSETTING job;
  int rows = 0, cols = 0;
  ReadCsvPageInto(job, *page, 2, 0, rows, cols);
  EXPECT_TRUE(job.m_Select.IsEmpty());
  ReadCsvPageInto(job, *page, 3, 0, rows, cols);   // one data column not shown
  EXPECT_EQ(job.m_Select, CString(u"1,2"));
}

struct RangeCase {
  const char* name;
  std::vector<const char16_t*> headers;
  const char16_t* command;
  std::vector<int> roles;
};

class RowTotalRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RowTotalRange, TheFillRestoresTheWholeRange) {
  const RangeCase& c = GetParam();
  auto page = PageWith(c.headers);
  MatchJobToCsvPage(Parsed(c.command), *page, page->m_ColCount);
  ASSERT_EQ(page->m_RowTotals.size(), 1u);
  int k = 0;
  for (int role : c.roles) EXPECT_EQ(page->m_RowTotals[0].flags[k++], role) << "column " << k - 1;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RowTotalRange,
    ::testing::Values(RangeCase{"ResultRight", {u"4月", u"5月", u"6月", u"合計"}, u"SUM(合計,4月,6月)", {1, 1, 1, 2}},
                      RangeCase{"ResultLeft", {u"合計", u"4月", u"5月", u"6月"}, u"SUM(合計,4月,6月)", {2, 1, 1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvPageExchange, RowTotalsAndTimeSpansGoByNameAndComeBack) {
  auto page = PageWith({u"開始", u"終了", u"差", u"合計"});
  HORIZONTAL span;
  span.flags[0] = span.flags[1] = HZ_INPUT;
  span.flags[2] = HZ_RESULT;
  span.minutes = 45;
  page->m_TimeSpans.push_back(span);
  HORIZONTAL total;
  total.flags[0] = total.flags[1] = total.flags[2] = HZ_INPUT;
  total.flags[3] = HZ_RESULT;
  page->m_RowTotals.push_back(total);
  page->m_GroupCol = 1;
  page->m_SubjectCol = 2;
  page->m_PageBreak = 1;
  CString text;
  auto back = ThroughText(*page, {u"開始", u"終了", u"差", u"合計"}, &text);
  ASSERT_EQ(back->m_TimeSpans.size(), 1u) << text.ToUtf8();
  EXPECT_EQ(back->m_TimeSpans[0].minutes, 45);
  EXPECT_EQ(back->m_TimeSpans[0].flags[2], HZ_RESULT);
  ASSERT_EQ(back->m_RowTotals.size(), 1u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(back->m_RowTotals[0].flags[k], HZ_INPUT);
  EXPECT_EQ(back->m_RowTotals[0].flags[3], HZ_RESULT);
  EXPECT_EQ(back->m_GroupCol, 1);
  EXPECT_EQ(back->m_SubjectCol, 2);
}

TEST(CsvPageExchange, ANewDataColumnTheOrderDoesNotShowIsListedAsDeleted) {
  auto page = PageWith({u"C", u"A"});
  page->m_ColumnMap[0] = 3;
  page->m_ColumnMap[1] = 1;
  page->m_ColumnsChanged = 1;
  MatchJobToCsvPage(Parsed(u"Select=3,1"), *page, 4);
  ASSERT_EQ(page->m_OmittedColumns.size(), 2u);
  EXPECT_EQ(page->m_OmittedColumns[0], (COLDATA{2, 0, 0, 0, 0, 0, 0, CString()}));
  EXPECT_EQ(page->m_OmittedColumns[1].m_SourceColumn, 4);
}

}  // namespace
