#include "platform/cstring.h"

#include <gtest/gtest.h>

#include <type_traits>

#include <atomic>
#include <thread>
#include <vector>

TEST(CString, EmptyHoldsNoAllocationAndIsOnePointer) {
  static_assert(sizeof(CString) == 8);
  CString a;
  CString b = a;
  EXPECT_FALSE(a.SharesBufferWith(b));  // no buffer to share
  EXPECT_EQ(a.GetLength(), 0);
  EXPECT_EQ(a.GetString()[0], 0);
}

TEST(CString, CopySharesUntilWritten) {
  CString a = u"品名";
  CString b = a;
  EXPECT_TRUE(a.SharesBufferWith(b));
  b.SetAt(0, u'商');
  EXPECT_FALSE(a.SharesBufferWith(b));
  EXPECT_EQ(a, u"品名");
  EXPECT_EQ(b, u"商名");
}

TEST(CString, PartsClampOutOfRangeArguments) {
  CString s = u"abcdef";
  EXPECT_EQ(s.Left(2), u"ab");
  EXPECT_EQ(s.Left(-1), u"");
  EXPECT_EQ(s.Left(99), u"abcdef");
  EXPECT_EQ(s.Right(2), u"ef");
  EXPECT_EQ(s.Mid(4), u"ef");
  EXPECT_EQ(s.Mid(-3, 2), u"ab");
  EXPECT_EQ(s.Mid(5, 10), u"f");
  EXPECT_EQ(s.Mid(10), u"");
  EXPECT_EQ(s.GetAt(6), 0);
}

TEST(CString, FindReplaceInsertDelete) {
  CString s = u"a,b,,c";
  EXPECT_EQ(s.Find(u','), 1);
  EXPECT_EQ(s.Find(u',', 2), 3);
  EXPECT_EQ(s.Find(u",,"), 3);
  EXPECT_EQ(s.ReverseFind(u','), 4);
  EXPECT_EQ(s.Find(u"x"), -1);
  EXPECT_EQ(s.Replace(u",", u";;"), 3);
  EXPECT_EQ(s, u"a;;b;;;;c");
  EXPECT_EQ(s.Remove(u';'), 6);
  EXPECT_EQ(s, u"abc");
  EXPECT_EQ(s.Insert(1, u"XY"), 5);
  EXPECT_EQ(s, u"aXYbc");
  EXPECT_EQ(s.Delete(1, 2), 3);
  EXPECT_EQ(s, u"abc");
  s += s;  // appending itself
  EXPECT_EQ(s, u"abcabc");
}

TEST(CString, TrimAndCase) {
  CString s = u"  ab c\t\r\n";
  s.Trim();
  EXPECT_EQ(s, u"ab c");
  CString t = u"xxabxx";
  t.TrimLeft(u'x');
  EXPECT_EQ(t, u"abxx");
  CString u = u"Abc\u00e9Ｚ";
  u.MakeUpper();
  EXPECT_EQ(u, u"ABC\u00c9Ｚ");
  u.MakeLower();
  EXPECT_EQ(u, u"abc\u00e9ｚ");
}

TEST(CString, Utf8RoundTripKeepsSupplementaryCharacters) {
  CString s("𠮷野家,ｶﾅ");
  EXPECT_EQ(s.GetLength(), 7);  // a surrogate pair counts two units
  EXPECT_EQ(s.ToUtf8(), "𠮷野家,ｶﾅ");
}

struct FormatCase {
  const char* name;
  CString got;
  const char16_t* want;
};

TEST(CString, FormatTable) {
  const FormatCase cases[] = {
      {"int", CString::Build(u"%d件", 42), u"42件"},
      {"negative width", CString::Build(u"[%5d]", -42), u"[  -42]"},
      {"zero pad", CString::Build(u"%05d", -42), u"-0042"},
      {"left", CString::Build(u"[%-4d]", 7), u"[7   ]"},
      {"long", CString::Build(u"%ld", 1234567890123LL), u"1234567890123"},
      {"unsigned", CString::Build(u"%u", 4000000000u), u"4000000000"},
      {"hex", CString::Build(u"%x/%X/%04x", 255, 255, 10), u"ff/FF/000a"},
      {"char", CString::Build(u"%c", u'あ'), u"あ"},
      {"string", CString::Build(u"[%s] %s", CString(u"a.csv"), u"該当"), u"[a.csv] 該当"},
      {"utf8 string", CString::Build(u"%s", "漢字"), u"漢字"},
      {"fixed", CString::Build(u"%.2f", 3.14159), u"3.14"},
      {"general", CString::Build(u"%g", 0.5), u"0.5"},
      {"wide precision", CString::Build(u"%.15g", 0.1), u"0.1"},
      {"percent", CString::Build(u"100%%"), u"100%"},
      {"missing argument", CString::Build(u"%d-%s"), u"-"},
      {"dangling", CString::Build(u"50%"), u"50%"},
      {"star width", CString::Build(u"[%*d]", 4, 1), u"[   1]"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, CString(c.want)) << c.name;
}

TEST(CString, CopiesAcrossThreadsKeepCountsRight) {
  constexpr int kThreads = 4;
  constexpr int kCopies = 5000;
  const CString shared = u"共有テキスト";
  std::vector<std::vector<CString>> held(kThreads);
  std::atomic<int> copied{0};
  std::atomic<bool> release{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kCopies; ++i) held[t].push_back(shared);
      // A copy changed on this thread gets its own text; the shared one stays.
      CString own = shared;
      own.SetAt(0, u'X');
      ++copied;
      while (!release) std::this_thread::yield();
      held[t].clear();
    });
  }
  while (copied < kThreads) std::this_thread::yield();
  EXPECT_EQ(shared.ShareCount(), 1 + kThreads * kCopies);
  release = true;
  for (auto& t : threads) t.join();
  EXPECT_EQ(shared.ShareCount(), 1);
  EXPECT_EQ(shared, u"共有テキスト");
}

TEST(CString, TokenizeFollowsTheUsualRules) {
  CString s = u";a;;b;";
  int pos = 0;
  std::vector<CString> got;
  for (CString t = s.Tokenize(u";", pos); pos >= 0; t = s.Tokenize(u";", pos)) got.push_back(t);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], u"a");
  EXPECT_EQ(got[1], u"b");
}

// A number, a character or narrow bytes never become a CString without being asked.
static_assert(!std::is_convertible_v<int, CString>);
static_assert(!std::is_convertible_v<char16_t, CString>);
static_assert(!std::is_convertible_v<const char*, CString>);
static_assert(!std::is_convertible_v<std::string, CString>);
static_assert(std::is_convertible_v<const char16_t*, CString>);
