// The plain logic: catalogue, companion table, count message, new names.
#include <gtest/gtest.h>

#include <cwctype>
#include <limits>
#include <vector>

#include <windows.h>

#include "episodes/catalogue.h"
#include "files/fileops.h"
#include "tests/support/support.h"

using episodes::CompanionsOf;
using episodes::EpisodeTitle;

namespace {

const std::wstring kOfficial = L" (Official Jazz Jackrabbit 2 episode)";

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Equal as the file system compares names: letter case ignored.
bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

}  // namespace

// Each row is one bare lower-case stem with both extensions, no stem twice,
// and a title of its own that a lookup of either name in any case gives.
TEST(Catalogue, EveryRowIsOneStemWithBothExtensionsAndItsTitle) {
  auto rows = episodes::Catalogue();
  ASSERT_EQ(rows.size(), 14u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::wstring active = rows[i].active, inactive = rows[i].inactive, title = rows[i].title;
    SCOPED_TRACE(test::Narrow(active));
    ASSERT_TRUE(EndsWith(active, L".j2e"));
    ASSERT_TRUE(EndsWith(inactive, L".jxe"));
    const std::wstring stem = active.substr(0, active.size() - 4);
    EXPECT_EQ(inactive.substr(0, inactive.size() - 4), stem);
    EXPECT_FALSE(stem.empty());
    for (wchar_t c : stem) EXPECT_TRUE((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) << "stem " << int(c);
    for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(SameName(rows[j].active, active)) << "row " << j + 1;
    // Rows 1 to 7 are the official episodes, and only their titles say so.
    EXPECT_EQ(EndsWith(title, kOfficial), i < 7);
    EXPECT_FALSE(title.empty());
    EXPECT_NE(title, episodes::kUnknownTitle);
    EXPECT_EQ(title.find_first_of(L"\r\n\t"), std::wstring::npos);
    EXPECT_NE(title.front(), L' ');
    EXPECT_NE(title.back(), L' ');
    for (const std::wstring& name : {active, inactive, Upper(active), Upper(inactive)})
      EXPECT_EQ(EpisodeTitle(name), title) << test::Narrow(name);
  }
  // Rows 8 to 14 are the companion table's rows, in the same order.
  auto companions = episodes::Companions();
  ASSERT_EQ(companions.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i)
    EXPECT_EQ(std::wstring(companions[i].base) + L".j2e", std::wstring(rows[7 + i].active));
}

TEST(Catalogue, SampleRowsOfOfficialAndAddOnEpisodes) {
  auto rows = episodes::Catalogue();
  ASSERT_EQ(rows.size(), 14u);
  const struct {
    std::size_t row;
    const wchar_t *active, *inactive, *title;
  } expected[] = {
      {1, L"prince.j2e", L"prince.jxe", L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)"},
      {4, L"monk.j2e", L"monk.jxe", L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)"},
      {7, L"secretf.j2e", L"secretf.jxe", L"The Secret Files (Official Jazz Jackrabbit 2 episode)"},
      {8, L"pmsb.j2e", L"pmsb.jxe", L"Putrid Monkey Strikes Back"},
      {9, L"tomb.j2e", L"tomb.jxe", L"Tomb Rabbit"},
      {14, L"5aliveshortcut.j2e", L"5aliveshortcut.jxe", L"5 Alive"},
  };
  for (const auto& e : expected) {
    const episodes::CatalogueRow& row = rows[e.row - 1];
    EXPECT_EQ(std::wstring(row.active), e.active) << "row " << e.row;
    EXPECT_EQ(std::wstring(row.inactive), e.inactive) << "row " << e.row;
    EXPECT_EQ(std::wstring(row.title), e.title) << "row " << e.row;
  }
}

TEST(Catalogue, LookupIgnoresLetterCaseButTakesOnlyTheWholeName) {
  EXPECT_EQ(EpisodeTitle(L"PRINCE.J2E"), L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)");
  EXPECT_EQ(EpisodeTitle(L"Monk.JxE"), L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)");
  EXPECT_EQ(EpisodeTitle(L"TOMB.J2E"), L"Tomb Rabbit");
  EXPECT_EQ(EpisodeTitle(L"5AliveShortcut.J2E"), L"5 Alive");
  for (const wchar_t* name : {L"myepisode.j2e", L"xprince.j2e", L"prince.j2ex", L"prince.j2e ", L" prince.j2e",
                              L"prince", L"prince.j2l", L"prince.j2e.", L"bbc2.j2e", L"hocuspocus.j2e", L""})
    EXPECT_EQ(EpisodeTitle(name), L"(episode title unknown)") << test::Narrow(name);
}

TEST(Catalogue, ActiveByTheLastFourCharactersInAnyCase) {
  EXPECT_TRUE(episodes::IsActiveName(L"a.j2e"));
  EXPECT_TRUE(episodes::IsActiveName(L"PRINCE.J2E"));
  EXPECT_TRUE(episodes::IsActiveName(L"x.J2e"));
  EXPECT_TRUE(episodes::IsActiveName(L".j2e"));
  EXPECT_FALSE(episodes::IsActiveName(L"monk.jxe"));
  EXPECT_FALSE(episodes::IsActiveName(L"MONK.JXE"));
  EXPECT_FALSE(episodes::IsActiveName(L"j2e"));
  EXPECT_FALSE(episodes::IsActiveName(L""));
}

TEST(Catalogue, RenamedNameDropsTheLastFourCharactersAndKeepsTheRest) {
  EXPECT_EQ(episodes::RenamedName(L"PRINCE.J2E", L".jxe"), L"PRINCE.jxe");
  EXPECT_EQ(episodes::RenamedName(L"Monk.jxe", L".j2e"), L"Monk.j2e");
  EXPECT_EQ(episodes::RenamedName(L"My Episode .JXE", L".j2e"), L"My Episode .j2e");
  EXPECT_EQ(episodes::RenamedName(L"a.b.c.J2e", L".jxe"), L"a.b.c.jxe");
  EXPECT_EQ(episodes::RenamedName(L".jxe", L".j2e"), L".j2e");
}

// Every entry is a backslash and a bare name of a file of the game folder
// that Windows can hold, no file is in the table twice, and no companion is
// an episode file: deleting companions never deletes an episode.
TEST(Companions, EveryEntryIsABareFileOfTheGameFolderAndNoEpisode) {
  auto rows = episodes::Companions();
  ASSERT_EQ(rows.size(), 7u);
  const std::size_t counts[7] = {8, 20, 11, 21, 11, 18, 4};
  std::vector<std::wstring> seen;
  std::size_t programs = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i + 1));
    EXPECT_EQ(rows[i].entries.size(), counts[i]);
    const std::wstring base = rows[i].base;
    EXPECT_EQ(CompanionsOf(base + L".j2e"), &rows[i]);
    EXPECT_EQ(CompanionsOf(base + L".jxe"), &rows[i]);
    for (const wchar_t* entry : rows[i].entries) {
      const std::wstring text = entry;
      SCOPED_TRACE(test::Narrow(text));
      ASSERT_GE(text.size(), 2u);
      EXPECT_EQ(text[0], L'\\');
      const std::wstring name = text.substr(1);
      EXPECT_EQ(jj::ForbiddenChar(name), L'\0');  // no further backslash or slash either
      EXPECT_NE(name.front(), L' ');
      EXPECT_NE(name.back(), L' ');
      EXPECT_NE(name.back(), L'.');
      for (const episodes::CatalogueRow& episode : episodes::Catalogue()) {
        EXPECT_FALSE(SameName(name, episode.active));
        EXPECT_FALSE(SameName(name, episode.inactive));
      }
      EXPECT_FALSE(episodes::IsActiveName(name));
      EXPECT_FALSE(SameName(name.substr(name.size() < 4 ? 0 : name.size() - 4), L".jxe"));
      for (const std::wstring& other : seen) EXPECT_FALSE(SameName(other, name)) << test::Narrow(other);
      seen.push_back(name);
      if (SameName(name.substr(name.size() < 4 ? 0 : name.size() - 4), L".exe")) {
        ++programs;
        EXPECT_EQ(i, 6u) << "a program file only in the last row";
      }
    }
  }
  EXPECT_EQ(seen.size(), 93u);
  EXPECT_EQ(programs, 1u);
}

TEST(Companions, SampleEntriesInTheirOrderAndExactSpelling) {
  auto rows = episodes::Companions();
  ASSERT_EQ(rows.size(), 7u);
  auto entries = [&](std::size_t row) {
    std::vector<std::wstring> list;
    for (const wchar_t* entry : rows[row - 1].entries) list.emplace_back(entry);
    return list;
  };
  EXPECT_EQ(entries(1), (std::vector<std::wstring>{L"\\monkey1.j2l", L"\\monkey2.j2l", L"\\monkey3.j2l",
                                                   L"\\monkey4.j2l", L"\\monkey4-2.j2l", L"\\monkey5.j2l",
                                                   L"\\monkey6.j2l", L"\\monkey7.j2l"}));
  EXPECT_EQ(entries(7), (std::vector<std::wstring>{L"\\5 Alive.doc", L"\\5Alive.j2l", L"\\Beat-The-Hi-Score.exe",
                                                   L"\\Sky Rapper.j2l"}));
  // Spellings kept exactly, odd letter case and blanks included.
  auto tomb = entries(2);
  ASSERT_EQ(tomb.size(), 20u);
  EXPECT_EQ(tomb[0], L"\\Tomb Rabbit.doc");
  EXPECT_EQ(tomb[1], L"\\TOMB RABBIT.txt");
  EXPECT_EQ(tomb[9], L"\\Trcc5.j2l");
  EXPECT_EQ(tomb[19], L"\\TRvl1.j2l");
  EXPECT_EQ(entries(3).back(), L"\\Readthis.txt");
  EXPECT_EQ(entries(4).front(), L"\\bc Jazz X.j2l");
  EXPECT_EQ(entries(4).back(), L"\\Read READ.txt");
  EXPECT_EQ(entries(5).back(), L"\\TTJJ2Readme.txt");
  EXPECT_EQ(entries(6)[1], L"\\bbc.txt");
  // Row 4 has no entry for the numbers 1, 13 and 20 of its series.
  for (const std::wstring& entry : entries(4))
    for (const wchar_t* missing : {L"\\bc1.j2l", L"\\bc13.j2l", L"\\bc20.j2l"}) EXPECT_NE(entry, missing);
}

TEST(Companions, MatchedWithLetterCaseOnTheWholeName) {
  const episodes::CompanionRow* tomb = &episodes::Companions()[1];
  EXPECT_EQ(CompanionsOf(L"tomb.jxe"), tomb);
  EXPECT_EQ(CompanionsOf(L"tomb.j2e"), tomb);
  EXPECT_EQ(CompanionsOf(L"5aliveshortcut.j2e"), &episodes::Companions()[6]);
  EXPECT_EQ(CompanionsOf(L"pmsb.jxe"), &episodes::Companions()[0]);
  for (const wchar_t* name : {L"TOMB.J2E", L"Tomb.j2e", L"tomb.J2E", L"tomb.JXE", L"PMSB.J2E", L"tomb.j2e ",
                              L" tomb.j2e", L"xtomb.j2e", L"tomb.j2l", L"tomb", L"tomb.j2ex", L"prince.j2e",
                              L"monk.jxe", L"hocuspocus.j2e", L""})
    EXPECT_EQ(CompanionsOf(name), nullptr) << test::Narrow(name);
}

TEST(CountMessage, BelowAtAndAboveTheLimitWithoutOverflow) {
  EXPECT_EQ(episodes::CountMessage(0), L"You can activate 8 more episodes.");
  EXPECT_EQ(episodes::CountMessage(2), L"You can activate 6 more episodes.");
  EXPECT_EQ(episodes::CountMessage(7), L"You can activate 1 more episodes.");
  EXPECT_EQ(episodes::CountMessage(8), L"You need to deactivate 0 episodes.");
  EXPECT_EQ(episodes::CountMessage(9), L"You need to deactivate 1 episodes.");
  EXPECT_EQ(episodes::CountMessage(11), L"You need to deactivate 3 episodes.");
  // Past what a 16-bit count holds (32767, 65535): still the right number.
  EXPECT_EQ(episodes::CountMessage(32776), L"You need to deactivate 32768 episodes.");
  EXPECT_EQ(episodes::CountMessage(70000), L"You need to deactivate 69992 episodes.");
  EXPECT_EQ(episodes::CountMessage(std::numeric_limits<std::size_t>::max()),
            L"You need to deactivate " + std::to_wstring(std::numeric_limits<std::size_t>::max() - 8) + L" episodes.");
}
