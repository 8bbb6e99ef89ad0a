#include <gtest/gtest.h>

#include <algorithm>

#include "files/fold.h"
#include "files/namerules.h"

TEST(Wildcards, StarQuestionAndCase) {
  auto m = [](const wchar_t* p, const wchar_t* s) { return jj::WildcardMatch(jj::FoldCase(p), jj::FoldCase(s)); };
  EXPECT_TRUE(m(L"*.jxe", L"monk.jxe"));
  EXPECT_TRUE(m(L"*.jxe", L"MONK.JXE"));
  EXPECT_FALSE(m(L"*.jxe", L"x.jxek"));
  EXPECT_TRUE(m(L"*abc*.j2l", L"xxABCyy.J2L"));
  EXPECT_TRUE(m(L"**.j2l", L".j2l"));
  EXPECT_TRUE(m(L"?.j2e", L"a.j2e"));
  EXPECT_FALSE(m(L"?.j2e", L"ab.j2e"));
  EXPECT_FALSE(m(L"?.j2e", L".j2e"));
  EXPECT_TRUE(m(L"*a*a*a", L"aaaa"));
  EXPECT_FALSE(m(L"*a*a*b", L"aaaa"));
  EXPECT_TRUE(m(L"?.j2l", L"\U0001F600.j2l"));  // one emoji is one character
  EXPECT_TRUE(m(L"*ж*.j2l", L"ЖУК.J2L"));
  EXPECT_TRUE(m(L"*é*", L"CAFÉ.j2l"));
  EXPECT_FALSE(m(L"", L"a"));
}

TEST(Wildcards, PatternListSplitsAtSemicolons) {
  EXPECT_EQ(jj::SplitPatterns(L"*.j2e;*.J2E;*.jxe"), (std::vector<std::wstring>{L"*.j2e", L"*.J2E", L"*.jxe"}));
  EXPECT_EQ(jj::SplitPatterns(L"*a;b*.j2l"), (std::vector<std::wstring>{L"*a", L"b*.j2l"}));
  EXPECT_EQ(jj::SplitPatterns(L""), (std::vector<std::wstring>{L""}));
}

TEST(NaturalOrder, DigitsByValueCaseIgnored) {
  std::vector<std::wstring> names{L"night10", L"Night2", L"night1", L"NIGHT", L"a_b", L"ab", L"x02", L"x2", L"x1"};
  for (auto& n : names) n = jj::FoldCase(n);
  std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return jj::NaturalCompare(a, b) < 0; });
  EXPECT_EQ(names, (std::vector<std::wstring>{L"A_B", L"AB", L"NIGHT", L"NIGHT1", L"NIGHT2", L"NIGHT10",
                                              L"X1", L"X2", L"X02"}));
}
