#include <gtest/gtest.h>

#include "levels/levelinfo.h"
#include "files/paths.h"
#include "tests/support/support.h"
#include "files/sizetext.h"

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t{};
  t.wYear = year, t.wMonth = month, t.wDay = day, t.wHour = hour, t.wMinute = minute, t.wSecond = second;
  return t;
}

}  // namespace

TEST(DateText, WeekdayMonthAndTwelveHourClock) {
  EXPECT_EQ(levels::DateText(At(2000, 3, 5, 15, 7, 9), L"en-US"), L"Sunday, March 5, 2000\r3:07:09 PM");
  EXPECT_EQ(levels::DateText(At(2019, 12, 31, 0, 5, 0), L"en-US"), L"Tuesday, December 31, 2019\r12:05:00 AM");
  EXPECT_EQ(levels::DateText(At(2024, 2, 29, 12, 0, 0), L"en-US"), L"Thursday, February 29, 2024\r12:00:00 PM");
}

// The time line takes the locale's separator; the date line its names.
TEST(DateText, TimeWithTheSeparatorOfTheLocale) {
  auto time_line = [](const wchar_t* locale, SYSTEMTIME at = At(2000, 3, 5, 15, 7, 9)) {
    std::wstring text = levels::DateText(at, locale);
    return text.substr(text.find(L'\r') + 1);
  };
  EXPECT_EQ(time_line(L"en-US"), L"3:07:09 PM");
  EXPECT_EQ(time_line(L"fi-FI"), L"3.07.09 ip.");
  EXPECT_EQ(time_line(L"fi-FI", At(2019, 12, 31, 0, 5, 0)), L"12.05.00 ap.");
  EXPECT_EQ(time_line(L"da-DK"), L"3.07.09 PM");
  EXPECT_EQ(time_line(L"de-DE"), L"3:07:09 PM");
  // A separator quoted in the locale's picture is shown without the quotes.
  EXPECT_EQ(time_line(L"fr-CA"), L"3 h 07 h 09 p.m.");
  EXPECT_EQ(levels::DateText(At(2000, 3, 5, 15, 7, 9), L"fi-FI").substr(0, 11), L"sunnuntaina");
}

TEST(LevelInfo, SizeAndLocalTimeOrPlaceholders) {
  test::TempFolder dir;
  const SYSTEMTIME when = At(2000, 3, 5, 15, 7, 9);
  struct {
    const wchar_t* name;
    std::size_t size;
    const wchar_t* text;
  } cases[] = {{L"empty.j2l", 0, L"0 bytes (0 kilobytes)"},
               {L"a.j2l", 1023, L"1023 bytes (0 kilobytes)"},
               {L"b.j2l", 1536, L"1536 bytes (1 kilobytes)"},
               {L"c.j2l", 1048576, L"1048576 bytes (1024 kilobytes)"},
               {L"huge.j2l", 3221225472u, L"3221225472 bytes (3145728 kilobytes)"}};  // past 2 GB, never negative
  for (const auto& c : cases) {
    dir.Touch(c.name, c.size);
    test::SetLocalWriteTime(dir / c.name, when);
    levels::LevelInfo info = levels::ReadLevelInfo(dir.path(), c.name);
    EXPECT_EQ(info.size, c.text);
    EXPECT_EQ(info.date, levels::DateText(when));
    EXPECT_EQ(info.error, 0u);
  }
  levels::LevelInfo gone = levels::ReadLevelInfo(dir.path(), L"gone.j2l");
  EXPECT_EQ(gone.size, jj::kSizeUnknown);
  EXPECT_EQ(gone.date, levels::kDateUnknown);
  EXPECT_EQ(gone.error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}
