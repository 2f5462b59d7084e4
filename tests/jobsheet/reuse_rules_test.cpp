#include "jobsheet/reuse/reuse_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(ReuseRules, CommandTokens) {
  struct Case {
    const char16_t* text;
    std::vector<std::u16string> tokens;
  };
  const Case cases[] = {
      {u"a;;b", {u"a", u"", u"b"}},
      {u"a;b;", {u"a", u"b"}},
      {u"", {}},
      {u";", {u""}},
      {u"TypeT", {u"TypeT"}},
  };
  for (const Case& c : cases) {
    std::vector<CString> tokens;
    EXPECT_EQ(SplitCommandTokens(tokens, CString(c.text)), static_cast<int>(c.tokens.size()))
        << CString(c.text);
    for (size_t i = 0; i < tokens.size() && i < c.tokens.size(); ++i) {
      EXPECT_EQ(tokens[i], CString(c.tokens[i].c_str()));
    }
  }
}

TEST(ReuseRules, CommandsDifferAsMultisets) {
  struct Case {
    const char* name;
    const char16_t* a;
    const char16_t* b;
    bool differ;
  };
  const Case cases[] = {
      {"same tokens in another order", u"Sum=3;TypeT", u"TypeT;Sum=3", false},
      {"a repeated token must be repeated", u"Sum=3;TypeT", u"Sum=3;Sum=3", true},
      {"another count", u"TypeT", u"TypeT;Sum=3", true},
      {"case counts", u"TypeT", u"typet", true},
      {"both empty", u"", u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandTokensDiffer(CString(c.a), CString(c.b)), c.differ) << c.name;
  }
  // Far more tokens than a fixed table would hold, one changed near the end.
  CString longA, longB;
  for (int i = 0; i < 40; ++i) {
    CString t;
    t.Format(u"Sum=%d;", i);
    longA += t;
    longB += i == 38 ? CString(u"Sum=99;") : t;
  }
  EXPECT_TRUE(CommandTokensDiffer(longA, longB));
}

TEST(ReuseRules, JobNamesThatCannotBeFileNames) {
  for (const char16_t* bad : {u"", u".", u"..", u"a/b", u"a\\b", u"a:b", u"a*", u"a?", u"\"a\"",
                              u"<a>", u"a|b", u"a\tb"}) {
    EXPECT_FALSE(IsValidJobName(CString(bad))) << CString(bad);
  }
  for (const char16_t* good : {u"sales", u"売上_2024", u"a.b", u"..a"}) {
    EXPECT_TRUE(IsValidJobName(CString(good))) << CString(good);
  }
}

TEST(ReuseRules, ProposalTakesTheFirstFreeNumber) {
  const std::set<CString> used = {CString(u"sales"), CString(u"sales_1")};
  auto taken = [&](const CString& n) { return used.count(n) > 0; };
  EXPECT_EQ(ProposeJobName(CString(u"sales"), taken), CString(u"sales_2"));
  EXPECT_EQ(ProposeJobName(CString(u"new"), taken), CString(u"new"));
  // A title with characters a file name cannot hold.
  EXPECT_EQ(ProposeJobName(CString(u"4/1:売上"), taken), CString(u"4_1_売上"));
  EXPECT_TRUE(IsValidJobName(ProposeJobName(CString(u".."), taken)));
}

TEST(ReuseRules, JobsSharingASettingsFile) {
  using P = std::pair<CString, CString>;
  struct Case {
    P a, b;
    bool shared;
  };
  const Case cases[] = {
      {P(u"a_b", u"c"), P(u"a", u"b_c"), true},   // both a_b_c.txt
      {P(u"a_b", u"a_b"), P(u"a", u"b"), true},   // both a_b.txt
      {P(u"a", u"b"), P(u"a", u"b"), false},      // the same job
      {P(u"A", u"b"), P(u"a", u"b"), false},      // names differ in case: two files
      {P(u"a", u"b_c"), P(u"a", u"b"), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SharesSettingsFile(c.a, c.b), c.shared) << c.a.first << "/" << c.a.second;
    EXPECT_EQ(FindSharedSettingsFile({P(u"z", u"z"), c.a, c.b}), c.shared ? std::make_pair(1, 2) : std::make_pair(-1, -1));
  }
}

TEST(ReuseRules, DuplicateTestGroupsByBaseName) {
  using P = std::pair<CString, CString>;
  std::vector<P> pairs = {P(u"b", u"x"), P(u"a", u"x"), P(u"b", u"y")};
  EXPECT_EQ(FindDuplicateJobName(pairs), -1);  // one name under two base names is fine
  pairs.push_back(P(u"b", u"x"));
  EXPECT_EQ(FindDuplicateJobName(pairs), 0);
  const std::vector<P> order = {P(u"s", u"b"), P(u"s", u"B"), P(u"S", u"a")};
  EXPECT_EQ(SortJobPairs(order), (std::vector<int>{2, 1, 0}));  // upper case first
}

}  // namespace
