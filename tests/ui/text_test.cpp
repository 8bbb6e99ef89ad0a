#include <gtest/gtest.h>

#include "files/fold.h"
#include "files/paths.h"
#include "ui/prompter.h"
#include "ui/report.h"
#include "tests/support/support.h"
#include "files/text.h"

TEST(SizeText, EdgesAndLargeFiles) {
  EXPECT_EQ(jj::SizeText(0), L"0 bytes (0 kilobytes)");
  EXPECT_EQ(jj::SizeText(1023), L"1023 bytes (0 kilobytes)");
  EXPECT_EQ(jj::SizeText(1024), L"1024 bytes (1 kilobytes)");
  EXPECT_EQ(jj::SizeText(1536), L"1536 bytes (1 kilobytes)");
  EXPECT_EQ(jj::SizeText(2600), L"2600 bytes (2 kilobytes)");
  EXPECT_EQ(jj::SizeText(1048576), L"1048576 bytes (1024 kilobytes)");
  EXPECT_EQ(jj::SizeText(2147483648ull), L"2147483648 bytes (2097152 kilobytes)");
  EXPECT_EQ(jj::SizeText(3221225472ull), L"3221225472 bytes (3145728 kilobytes)");
}

TEST(Paths, SeparatorAlwaysPutInAndExactForm) {
  EXPECT_EQ(jj::InFolder(L"C:\\Games\\JJ2", L"a.j2e"), L"C:\\Games\\JJ2\\a.j2e");
  EXPECT_EQ(jj::Exact(L"C:\\Games\\a.j2e."), L"\\\\?\\C:\\Games\\a.j2e.");
  EXPECT_EQ(jj::Exact(L"\\\\server\\share\\a.j2e"), L"\\\\?\\UNC\\server\\share\\a.j2e");
  std::wstring notepad = jj::SystemProgram(L"notepad.exe");
  EXPECT_NE(notepad.find(L"\\notepad.exe"), std::wstring::npos);
  EXPECT_EQ(notepad[1], L':');
}

TEST(BoxText, LoneCarriageReturnsBecomeLineBreaks) {
  EXPECT_EQ(jj::BoxText(L"a\rb\r\rc"), L"a\r\nb\r\n\r\nc");
  EXPECT_EQ(jj::BoxText(L"a\r\nb\r"), L"a\r\nb\r\n");
}

TEST(SystemMessage, NamesTheReason) {
  EXPECT_FALSE(jj::SystemMessage(ERROR_ACCESS_DENIED).empty());
  EXPECT_NE(jj::SystemMessage(ERROR_ACCESS_DENIED).back(), L'\n');
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
