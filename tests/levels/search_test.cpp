#include <gtest/gtest.h>

#include "files/filelist.h"
#include "levels/search.h"
#include "tests/support/support.h"

using levels::SearchPattern;

TEST(SearchPattern, LowerAndUpperFormsAroundTheTextAsTyped) {
  EXPECT_EQ(SearchPattern(L"", L"en-US"), L"**.j2l;**.J2L");
  EXPECT_EQ(SearchPattern(L"abc", L"en-US"), L"*abc*.j2l;*ABC*.J2L");
  EXPECT_EQ(SearchPattern(L"Castle 2", L"en-US"), L"*castle 2*.j2l;*CASTLE 2*.J2L");
  EXPECT_EQ(SearchPattern(L" x ", L"en-US"), L"* x *.j2l;* X *.J2L");  // blanks count, no trimming
  EXPECT_EQ(SearchPattern(L"\u017daba", L"en-US"), L"*\u017eaba*.j2l;*\u017dABA*.J2L");
  // ";" splits the list into further patterns; "*" and "?" stay wildcards.
  EXPECT_EQ(jj::SplitPatterns(SearchPattern(L"a;b", L"en-US")),
            (std::vector<std::wstring>{L"*a", L"b*.j2l", L"*A", L"B*.J2L"}));
  EXPECT_EQ(SearchPattern(L"c?s*e", L"en-US"), L"*c?s*e*.j2l;*C?S*E*.J2L");
}

TEST(SearchPattern, ListsWhatTheUserExpects) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"castle.j2l", L"CASTLE2.J2L", L"cistern.j2l", L"Xa", L"b1.j2l", L"ab.j2l", L"c.txt",
                           L"castle.j2lx"})
    dir.Touch(n);
  auto list = [&](const wchar_t* text) {
    jj::FileList files;
    files.SetListing(test::ListingOf(dir.path()));
    files.SetPattern(SearchPattern(text));
    EXPECT_EQ(files.Refresh(), 0u);
    return files.Names();
  };
  using V = std::vector<std::wstring>;
  EXPECT_EQ(list(L""), (V{L"ab.j2l", L"b1.j2l", L"castle.j2l", L"CASTLE2.J2L", L"cistern.j2l"}));
  EXPECT_EQ(list(L"cAsTlE"), (V{L"castle.j2l", L"CASTLE2.J2L"}));  // each file once
  EXPECT_EQ(list(L"c?stle"), (V{L"castle.j2l", L"CASTLE2.J2L"}));
  EXPECT_EQ(list(L"c?s"), (V{L"castle.j2l", L"CASTLE2.J2L", L"cistern.j2l"}));
  EXPECT_EQ(list(L"a;b"), (V{L"b1.j2l", L"Xa"}));  // a name without a level extension
  EXPECT_TRUE(list(L"zzz").empty());
}
