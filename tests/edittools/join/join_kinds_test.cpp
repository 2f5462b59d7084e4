#include "edittools/join/join_kinds.h"

#include <gtest/gtest.h>

#include "grid/column_types.h"

namespace {

struct HeaderCase {
  const char16_t* header;
  int kind;
};

TEST(ClassifyLabelHeader, EndingWordDecides) {
  constexpr HeaderCase kCases[] = {
      {u"取引先会社名2", JOINKIND_COMPANY},   // the serial is cut first
      {u"会社名称", JOINKIND_NONE},           // the word must end the header
      {u"企業", JOINKIND_COMPANY},
      {u"担当者", JOINKIND_PERSON},
      {u"NAME", JOINKIND_PERSON},
      {u"name", JOINKIND_NONE},               // case-sensitive
      {u"受注日", JOINKIND_DATE},
      {u"Date", JOINKIND_NONE},
      {u"電話番号", JOINKIND_PHONE},           // 電話番号 before the code group's 番号
      {u"FAX", JOINKIND_PHONE},
      {u"📠", JOINKIND_PHONE},
      {u"郵便番号", JOINKIND_POSTAL},
      {u"〒", JOINKIND_POSTAL},
      {u"社員番号", JOINKIND_CODE},
      {u"商品ｺｰﾄﾞ", JOINKIND_CODE},
      {u"商品コード", JOINKIND_CODE},
      {u"金額", JOINKIND_NONE},
      {u"", -1},
      {u"  ", -1},
  };
  for (const HeaderCase& c : kCases) {
    EXPECT_EQ(ClassifyLabelHeader(c.header), c.kind) << CString(c.header);
  }
}

TEST(IsKindCompatible, ValueClassesThatFit) {
  struct Case {
    int kind;
    int valueClass;
    int expected;
  };
  constexpr Case kCases[] = {
      {JOINKIND_COMPANY, VALUE_TEXT, JOINKIND_COMPANY},
      {JOINKIND_COMPANY, VALUE_INTEGER, 0},
      {JOINKIND_DATE, VALUE_DATE, JOINKIND_DATE},
      {JOINKIND_DATE, VALUE_INTEGER, JOINKIND_DATE},
      {JOINKIND_DATE, VALUE_TEXT, 0},
      {JOINKIND_PHONE, VALUE_LEADING_ZERO, JOINKIND_PHONE},
      {JOINKIND_POSTAL, VALUE_TEXT, JOINKIND_POSTAL},
      {JOINKIND_CODE, VALUE_LEADING_ZERO, 0},
      {JOINKIND_CODE, VALUE_DECIMAL, 0},
      {JOINKIND_NONE, VALUE_TEXT, 0},
      {-1, VALUE_TEXT, 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(IsKindCompatible(c.kind, c.valueClass), c.expected) << c.kind << "/" << c.valueClass;
  }
}

TEST(NormalizeJoinKey, EveryKind) {
  struct Case {
    const char* name;
    const char16_t* text;
    int kind;
    const char16_t* expected;
  };
  constexpr Case kCases[] = {
      {"blanks at both ends go for every kind", u" A01　", JOINKIND_NONE, u"A01"},
      {"inner blanks stay in a plain column", u"山田 商店", JOINKIND_NONE, u"山田 商店"},
      {"company: short form spelled out", u"(株)山田", JOINKIND_COMPANY, u"株式会社山田"},
      {"company: full-width parentheses", u"山田（株）", JOINKIND_COMPANY, u"山田株式会社"},
      {"company: one-character form", u"㈱山田", JOINKIND_COMPANY, u"株式会社山田"},
      {"company: half a parenthesis", u"山田株)", JOINKIND_COMPANY, u"山田株式会社"},
      {"company: blanks removed", u"株式会社 山田　商店", JOINKIND_COMPANY, u"株式会社山田商店"},
      {"company: limited", u"(有)川口", JOINKIND_COMPANY, u"有限会社川口"},
      {"company: limited partnership", u"㈾川口", JOINKIND_COMPANY, u"合資会社川口"},
      {"company: LLC full-width", u"（合）川口", JOINKIND_COMPANY, u"合同会社川口"},
      {"company: LLC half-width", u"(合)川口", JOINKIND_COMPANY, u"合同会社川口"},
      {"company: only the first form found is replaced", u"(株)山田(有)", JOINKIND_COMPANY,
       u"株式会社山田(有)"},
      {"company: the bare word stays", u"株式会社", JOINKIND_COMPANY, u"株式会社"},
      {"person: blanks removed", u"山田　太郎", JOINKIND_PERSON, u"山田太郎"},
      {"person: half-width blank", u"山田 太郎", JOINKIND_PERSON, u"山田太郎"},
      {"date: slashes and zero padding", u"2024-1-5", JOINKIND_DATE, u"2024/01/05"},
      {"date: text that is no date stays", u"未定", JOINKIND_DATE, u"未定"},
      {"phone: separators removed", u"(03) 1234-5678", JOINKIND_PHONE, u"0312345678"},
      {"postal: hyphen removed", u"123-4567", JOINKIND_POSTAL, u"1234567"},
      {"postal: parentheses stay", u"(123)4567", JOINKIND_POSTAL, u"(123)4567"},
      {"code: nothing more", u"00-12", JOINKIND_CODE, u"00-12"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(NormalizeJoinKey(c.text, c.kind), CString(c.expected)) << c.name;
  }
}

}  // namespace
