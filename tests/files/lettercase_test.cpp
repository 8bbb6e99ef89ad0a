#include <gtest/gtest.h>
#include <windows.h>

#include "files/fold.h"
#include "tests/support/support.h"

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
