// The filter dialog's field logic: repetition test, candidates, value lists and
// the linked lists of the second and third field.
#include <gtest/gtest.h>

#include <string>

#include "edittools/filter/filter_fields.h"

namespace {

struct RepeatCase {
  const char* name;
  int distinct;
  int rows;
  bool repeats;
};

const RepeatCase kRepeatCases[] = {
    {"SmallAverageSixRepeats", 16, 100, true},
    {"SmallAverageFiveDoesNot", 17, 100, false},
    {"MidAverage25DoesNot", 8, 200, false},
    {"MidAverage26Repeats", 8, 208, true},
    {"LargeAverage100DoesNot", 30, 3000, false},
    {"LargeAverage101Repeats", 10, 1010, true},
    {"NoValues", 0, 50, false},
};

TEST(FilterFields, RepetitionTest) {
  for (const RepeatCase& c : kRepeatCases) {
    EXPECT_EQ(FilterRepeatsEnough(c.distinct, c.rows), c.repeats) << c.name;
  }
}

// A grid of one title row and rows data rows; column c's cell of data row r is
// made by its maker.
struct Column {
  uint8_t type;
  std::u16string (*cell)(int row);
};

struct Data {
  CTextGrid grid{600};
  uint8_t types[256] = {};
  int rows = 0;
  int cols = 0;
  FilterSource Source() const { return FilterSource{grid, 0, rows + 1, cols, types}; }
};

void Build(Data& d, int rows, std::initializer_list<Column> columns) {
  d.rows = rows;
  int c = 0;
  for (const Column& col : columns) {
    d.types[c] = col.type;
    d.grid[0][c] = CString(u"項目") + CString(std::u16string(1, static_cast<char16_t>(u'A' + c)));
    for (int r = 0; r < rows; ++r) d.grid[r + 1][c] = CString(col.cell(r));
    ++c;
  }
  d.cols = c;
}

std::u16string Num(int n) {
  std::u16string s;
  for (char ch : std::to_string(n)) s.push_back(static_cast<char16_t>(ch));
  return s;
}

struct CandidateCase {
  const char* name;
  int rows;
  Column column;
  bool candidate;
  bool range;
  bool field;  // set up as a value-list field by itself
};

const CandidateCase kCandidateCases[] = {
    {"Text8ValuesOver200RowsDoesNotRepeat", 200, {0, [](int r) { return u"t" + Num(r % 8); }}, false, false, false},
    {"Text8ValuesOver208RowsRepeats", 208, {0, [](int r) { return u"t" + Num(r % 8); }}, true, false, true},
    {"Number40ValuesIsARange", 500, {1, [](int r) { return Num(r % 40); }}, true, true, false},
    {"Number10ValuesIsAList", 500, {1, [](int r) { return Num(r % 10); }}, true, false, true},
    {"TimeIsNeverSetUpByItself", 60, {3, [](int r) { return r % 2 ? std::u16string(u"10:00") : u"11:00"; }}, true,
     false, false},
    {"OneValueAndEmptiesIsNoCandidate", 60, {0, [](int r) { return r % 2 ? std::u16string(u"x") : u""; }}, false,
     false, false},
    {"UnknownTypeIsNoCandidate", 60, {255, [](int r) { return Num(r % 2); }}, false, false, false},
};

TEST(FilterFields, CandidatesAndAutomaticFields) {
  for (const CandidateCase& c : kCandidateCases) {
    Data d;
    Build(d, c.rows, {c.column});
    FilterFields f;
    const std::vector<FilterCandidate> found = FindCandidateFields(f, d.Source(), nullptr);
    ASSERT_EQ(found.size(), c.candidate ? 1u : 0u) << c.name;
    if (c.candidate) {
      EXPECT_EQ(found[0].range, c.range) << c.name;
    }
    EXPECT_EQ(f.fieldCount, c.field ? 1 : 0) << c.name;
  }
}

TEST(FilterFields, ValuesAreSortedCountedAndLeaveEmptyCellsOut) {
  Data d;
  // 36 rows: b, a, empty repeating; the second column is the first field's link.
  Build(d, 36, {{0, [](int r) { return std::u16string(r % 3 == 0 ? u"b" : r % 3 == 1 ? u"a" : u""); }},
                {0, [](int r) { return std::u16string(r % 2 ? u"y" : u"x"); }}});
  FilterFields f;
  FindCandidateFields(f, d.Source(), nullptr);
  ASSERT_EQ(f.fieldCount, 2);
  ASSERT_EQ(f.valueCounts[0], 2);
  EXPECT_EQ(f.values[0][0].text, CString(u"a"));
  EXPECT_EQ(f.values[0][0].rowCount, 12);
  EXPECT_EQ(f.values[0][1].text, CString(u"b"));
  // Each second-field value links to the first field's texts met with it, the empty one too.
  ASSERT_EQ(f.values[1][0].text, CString(u"x"));
  EXPECT_EQ(f.values[1][0].linkCount, 3);
  EXPECT_EQ(f.rowRecords.size(), 36u);
}

// Three linked columns: region, shop, product. Shop s1/s2 in east, s3 in west;
// each shop sells its own products.
class LinkedLists : public ::testing::Test {
 protected:
  void SetUp() override {
    Build(d_, 60,
          {{0, [](int r) { return std::u16string(r % 3 == 2 ? u"west" : u"east"); }},
           {0, [](int r) { return u"s" + Num(r % 3 + 1); }},
           {0, [](int r) { return u"p" + Num(r % 3 + 1) + (r % 2 ? u"a" : u"b"); }}});
    FindCandidateFields(f_, d_.Source(), nullptr);
    ASSERT_EQ(f_.fieldCount, 3);
  }
  // Shown texts of a field and whether each is checked ("+" prefix).
  std::vector<std::u16string> Shown(int field) {
    std::vector<std::u16string> out;
    for (const FilterLine& l : FillCheckList(f_, field)) out.push_back((l.checked ? u"+" : u"") + l.text.ToU16());
    return out;
  }
  // Checks the lines of field 0 holding the given texts, then cascades.
  void CheckFirst(std::initializer_list<const char16_t*> texts) {
    int noCheck[3] = {};
    for (int k = 0; k < 3; ++k) {
      const std::vector<FilterLine> lines = FillCheckList(f_, k);
      std::vector<bool> checks;
      for (const FilterLine& l : lines) {
        bool on = k == 0 ? false : l.checked;
        if (k == 0) {
          for (const char16_t* t : texts) on = on || l.text == CString(t);
        }
        checks.push_back(on);
      }
      noCheck[k] = SyncCheckStates(f_, k, checks);
    }
    CascadeLists(f_, d_.Source(), 0, noCheck);
  }
  Data d_;
  FilterFields f_;
};

TEST_F(LinkedLists, AddStyleWithNothingCheckedShowsEveryValueBelow) {
  for (int k = 0; k < 3; ++k) InitValueStates(f_, k);
  CheckFirst({});
  EXPECT_EQ(Shown(1), (std::vector<std::u16string>{u"s1", u"s2", u"s3"}));
  EXPECT_EQ(Shown(2).size(), 6u);
}

TEST_F(LinkedLists, CheckingAValueAboveShowsOnlyTheValuesMetWithIt) {
  for (int k = 0; k < 3; ++k) InitValueStates(f_, k);
  CheckFirst({u"west"});
  EXPECT_EQ(Shown(1), (std::vector<std::u16string>{u"s3"}));
  // Nothing checked in the second field under "追加式": every shop of west qualifies.
  EXPECT_EQ(Shown(2), (std::vector<std::u16string>{u"p3a", u"p3b"}));
}

TEST_F(LinkedLists, RemoveStyleKeepsTheLinkedValuesChecked) {
  f_.style = FILTER_STYLE_REMOVE;
  for (int k = 0; k < 3; ++k) InitValueStates(f_, k);
  CheckFirst({u"east"});
  EXPECT_EQ(Shown(1), (std::vector<std::u16string>{u"+s1", u"+s2"}));
  EXPECT_EQ(Shown(2), (std::vector<std::u16string>{u"+p1a", u"+p1b", u"+p2a", u"+p2b"}));
}

TEST_F(LinkedLists, StoredConditionsPresetTheirChecksAndLinks) {
  FILTERDAT first;
  first.valueCount = 1;
  first.filterKey[0] = u"west";
  FILTERDAT second;
  second.valueCount = 1;
  second.filterKey[0] = u"s3";
  f_.fieldCount = 0;
  RebuildSavedStates(f_, d_.Source(), first);
  RebuildSavedStates(f_, d_.Source(), second);
  EXPECT_EQ(f_.fieldCount, 2);
  EXPECT_EQ(Shown(0), (std::vector<std::u16string>{u"east", u"+west"}));
  EXPECT_EQ(Shown(1), (std::vector<std::u16string>{u"+s3"}));
}

TEST(FilterFields, CountText) {
  FILTERVALUE v;
  v.rowCount = 7;
  EXPECT_EQ(FilterCountText(v, FILTER_SHOWN, CString(u"東京")), CString(u"【東京】は7件"));
  EXPECT_EQ(FilterCountText(v, FILTER_CHECKED, CString(u"abcdefghijklmnopqrstuvwxy")),
            CString(u"【abcdefghijklmnopqrst...】は7件"));
  EXPECT_EQ(FilterCountText(v, FILTER_HIDDEN, CString(u"東京")), CString(u"未チェックの為、対象外です。"));
}

}  // namespace
