// The fold: names compared as the file system compares them, one UTF-16
// unit to one unit, whatever the user's language; and lower and upper case
// as the system converts them.
#include <gtest/gtest.h>
#include <windows.h>

#include "files/fold.h"
#include "tests/support/support.h"

TEST(Fold, LettersOfSeveralScriptsFoldAsTheFileSystemFoldsThem) {
  const struct {
    const wchar_t *a, *b;
    bool same;
  } cases[] = {
      {L"\x3c2", L"\x3a3", true},    // final sigma, capital sigma
      {L"\x3c3", L"\x3c2", true},    // sigma, final sigma
      {L"\x1c6", L"\x1c4", true},    // dz digraph, small and capital
      {L"\x1c5", L"\x1c6", true},    // its title-case form
      {L"i", L"I", true},            // no Turkish rule: i is I
      {L"\x131", L"I", true},        // dotless i folds to I
      {L"\x130", L"I", false},       // the dotted capital stays itself
      {L"\x130", L"i", false},
      {L"\xdf", L"SS", false},       // sharp s stays one letter
      {L"\xdf", L"\x1e9e", false},   // and is not the capital sharp s
      {L"\x451", L"\x401", true},    // Cyrillic yo
      {L"\x436", L"\x416", true},    // Cyrillic zhe
      {L"\xff41", L"\xff21", true},  // full-width a
      {L"\xff41", L"A", false},      // is not the ASCII letter
      {L"\xe9", L"\xc9", true},      // Latin-1
      {L"1_", L"1_", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(jj::FoldCase(c.a) == jj::FoldCase(c.b), c.same) << test::Narrow(c.a) << " " << test::Narrow(c.b);
  }
}

// Lower and upper case with the user's locale are what the system's own
// conversions give (the episode catalogue matched names with CharLowerBuffW),
// also past ASCII.
TEST(LetterCase, LowerAndUpperAsTheSystemConverts) {
  for (const wchar_t* text : {L"PRINCE.J2E", L"\u017daba.J2E", L"\u03a3\u038a\u03a3\u03a5\u03a6\u039f\u03a3",
                              L"\u212a\u0130\u00c5x", L"\u00df\u01c5 mixed Case"}) {
    std::wstring lower(text), upper(text);
    CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_EQ(jj::LowerCase(text), lower) << test::Narrow(text);
    EXPECT_EQ(jj::UpperCase(text), upper) << test::Narrow(text);
  }
  EXPECT_EQ(jj::LowerCase(L""), L"");
}
