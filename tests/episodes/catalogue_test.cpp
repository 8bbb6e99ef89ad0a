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

// Each row is one bare lower-case stem, no stem twice, whose two names are
// the stem with ".j2e" and ".jxe", and a title of its own that a lookup of
// either name in any case gives.
TEST(Catalogue, EveryRowIsOneStemWithBothExtensionsAndItsTitle) {
  auto rows = episodes::Catalogue();
  ASSERT_EQ(rows.size(), 14u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::wstring stem = rows[i].stem, title = rows[i].title;
    const std::wstring active = stem + L".j2e", inactive = stem + L".jxe";
    SCOPED_TRACE(test::Narrow(active));
    EXPECT_FALSE(stem.empty());
    for (wchar_t c : stem) EXPECT_TRUE((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) << "stem " << int(c);
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(SameName(rows[j].stem, stem)) << "row " << j + 1;
      EXPECT_NE(rows[j].title, title) << "row " << j + 1;
    }
    // Rows 1 to 7 are the official episodes: only their titles say so, and
    // they have no companion files.
    EXPECT_EQ(EndsWith(title, kOfficial), i < 7);
    EXPECT_EQ(rows[i].companions.empty(), i < 7);
    EXPECT_FALSE(title.empty());
    EXPECT_NE(title, episodes::kUnknownTitle);
    EXPECT_EQ(title.find_first_of(L"\r\n\t"), std::wstring::npos);
    EXPECT_NE(title.front(), L' ');
    EXPECT_NE(title.back(), L' ');
    for (const std::wstring& name : {active, inactive, Upper(active), Upper(inactive)})
      EXPECT_EQ(EpisodeTitle(name), title) << test::Narrow(name);
  }
  // Rows 8 to 14 are the rows with companion files, in the same order.
  auto companions = episodes::Companions();
  ASSERT_EQ(companions.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(&companions[i], &rows[7 + i]);
}

// The lists show every episode in any letter case of ".j2e" and the inactive
// ones in lower case; the active list the active ones only.
TEST(Catalogue, ListPatternsNameBothEndings) {
  EXPECT_EQ(episodes::EpisodePattern(), L"*.j2e;*.J2E;*.jxe");
  EXPECT_EQ(episodes::ActivePattern(), L"*.j2e;*.J2E");
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
    EXPECT_EQ(rows[i].companions.size(), counts[i]);
    const std::wstring stem = rows[i].stem;
    EXPECT_EQ(CompanionsOf(stem + L".j2e"), &rows[i]);
    EXPECT_EQ(CompanionsOf(stem + L".jxe"), &rows[i]);
    for (const wchar_t* entry : rows[i].companions) {
      const std::wstring text = entry;
      SCOPED_TRACE(test::Narrow(text));
      ASSERT_GE(text.size(), 2u);
      EXPECT_EQ(text[0], L'\\');
      const std::wstring name = text.substr(1);
      EXPECT_EQ(jj::ForbiddenChar(name), L'\0');  // no further backslash or slash either
      EXPECT_NE(name.front(), L' ');
      EXPECT_NE(name.back(), L' ');
      EXPECT_NE(name.back(), L'.');
      for (const episodes::CatalogueRow& episode : episodes::Catalogue())
        for (const wchar_t* ending : {L".j2e", L".jxe"})
          EXPECT_FALSE(SameName(name, episode.stem + std::wstring(ending)));
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

// The table keeps each file's spelling exactly (odd letter case and blanks
// included: a case-sensitive folder tells them apart), and the gaps in a
// series of levels.
TEST(Companions, SpellingsAndGapsKeptAsTheEpisodesShipThem) {
  auto rows = episodes::Companions();
  ASSERT_EQ(rows.size(), 7u);
  auto holds = [&](std::size_t row, const wchar_t* entry) {
    for (const wchar_t* e : rows[row - 1].companions)
      if (std::wstring(e) == entry) return true;
    return false;
  };
  for (const wchar_t* entry : {L"\\Tomb Rabbit.doc", L"\\TOMB RABBIT.txt", L"\\Trcc5.j2l", L"\\TRvl1.j2l"})
    EXPECT_TRUE(holds(2, entry)) << test::Narrow(entry);
  EXPECT_TRUE(holds(4, L"\\bc Jazz X.j2l"));
  EXPECT_TRUE(holds(4, L"\\Read READ.txt"));
  EXPECT_TRUE(holds(7, L"\\Beat-The-Hi-Score.exe"));
  // Row 4 has no entry for the numbers 1, 13 and 20 of its series.
  for (const wchar_t* missing : {L"\\bc1.j2l", L"\\bc13.j2l", L"\\bc20.j2l"}) EXPECT_FALSE(holds(4, missing));
}

TEST(Companions, MatchedWithLetterCaseOnTheWholeName) {
  const episodes::CatalogueRow* tomb = &episodes::Companions()[1];
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
