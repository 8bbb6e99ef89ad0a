// The fold: names compared as the file system compares them, one UTF-16
// unit to one unit, whatever the user's language.
#include <gtest/gtest.h>

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
