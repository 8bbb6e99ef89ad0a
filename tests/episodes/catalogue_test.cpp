// The plain logic: catalogue, companion table, count message, new names.
#include <gtest/gtest.h>

#include <limits>

#include "catalogue.h"
#include "support.h"

using episodes::CompanionsOf;
using episodes::EpisodeTitle;

TEST(Catalogue, FourteenRowsEachTitleForBothNames) {
  const struct {
    const wchar_t* stem;
    const wchar_t* title;
  } expected[] = {
      {L"prince", L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)"},
      {L"rescue", L"Jazz In Time (Official Jazz Jackrabbit 2 episode)"},
      {L"flash", L"Flashback (Official Jazz Jackrabbit 2 episode)"},
      {L"monk", L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)"},
      {L"share", L"Shareware Demo (Official Jazz Jackrabbit 2 episode)"},
      {L"home", L"Home Cooked Levels (Official Jazz Jackrabbit 2 episode)"},
      {L"secretf", L"The Secret Files (Official Jazz Jackrabbit 2 episode)"},
      {L"pmsb", L"Putrid Monkey Strikes Back"},
      {L"tomb", L"Tomb Rabbit"},
      {L"night", L"Night World"},
      {L"jazzx", L"Jazz X"},
      {L"hocuspocus1", L"Hocus Pocus Episode 1"},
      {L"bbc", L"The Blues Brothers Comeback Beta"},
      {L"5aliveshortcut", L"5 Alive"},
  };
  auto rows = episodes::Catalogue();
  ASSERT_EQ(rows.size(), 14u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::wstring stem = expected[i].stem;
    EXPECT_EQ(rows[i].active, stem + L".j2e");
    EXPECT_EQ(rows[i].inactive, stem + L".jxe");
    EXPECT_EQ(rows[i].title, std::wstring(expected[i].title));
    EXPECT_EQ(EpisodeTitle(stem + L".j2e"), expected[i].title);
    EXPECT_EQ(EpisodeTitle(stem + L".jxe"), expected[i].title);
  }
  // Rows 8 to 14 are the companion table's rows, in the same order.
  auto companions = episodes::Companions();
  ASSERT_EQ(companions.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(companions[i].base, std::wstring(expected[7 + i].stem));
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

TEST(Companions, NinetyThreeEntriesInTheGivenOrderAndSpelling) {
  const wchar_t* const expected[7] = {
      L"\\monkey1.j2l|\\monkey2.j2l|\\monkey3.j2l|\\monkey4.j2l|\\monkey4-2.j2l|\\monkey5.j2l|\\monkey6.j2l|"
      L"\\monkey7.j2l",
      L"\\Tomb Rabbit.doc|\\TOMB RABBIT.txt|\\TRac1.j2l|\\TRal1.j2l|\\TRal2.j2l|\\TRcc1.j2l|\\TRcc2.j2l|"
      L"\\TRcc3.j2l|\\TRcc4.j2l|\\Trcc5.j2l|\\TRd1.j2l|\\TRd2.j2l|\\TRending.j2l|\\TRsc1.j2l|\\TRsc2.j2l|"
      L"\\TRsc3.j2l|\\TRsc4.j2l|\\TRsl1.j2l|\\TRvc1.j2l|\\TRvl1.j2l",
      L"\\Night.j2l|\\Night10.j2l|\\Night2.j2l|\\Night3.j2l|\\Night4.j2l|\\Night5.j2l|\\Night6.j2l|"
      L"\\Night7.j2l|\\Night8.j2l|\\Night9.j2l|\\Readthis.txt",
      L"\\bc Jazz X.j2l|\\bc10.j2l|\\bc11.j2l|\\bc12.j2l|\\bc14.j2l|\\bc15.j2l|\\bc16.j2l|\\bc17.j2l|"
      L"\\bc18.j2l|\\bc19.j2l|\\bc2.j2l|\\bc21.j2l|\\bc22.j2l|\\bc3.j2l|\\bc4.j2l|\\bc5.j2l|\\bc6.j2l|"
      L"\\bc7.j2l|\\bc8.j2l|\\bc9.j2l|\\Read READ.txt",
      L"\\hocus101.j2l|\\hocus102.j2l|\\hocus103.j2l|\\hocus104.j2l|\\hocus105.j2l|\\hocus106.j2l|"
      L"\\hocus107.j2l|\\hocus108.j2l|\\hocus109.j2l|\\hocus1end.j2l|\\TTJJ2Readme.txt",
      L"\\bbc.j2l|\\bbc.txt|\\bbc0.j2l|\\bbc1.j2l|\\bbc2.j2l|\\bbc3.j2l|\\bbc4.j2l|\\bbc5.j2l|\\bbc6.j2l|"
      L"\\bbcend.j2l|\\bbcint1.j2l|\\bbcint2.j2l|\\bbcint3.j2l|\\bbcint4.j2l|\\bbcint5.j2l|\\bbcint6.j2l|"
      L"\\bbcmp2.j2l|\\bbcmp3.j2l",
      L"\\5 Alive.doc|\\5Alive.j2l|\\Beat-The-Hi-Score.exe|\\Sky Rapper.j2l",
  };
  const std::size_t counts[7] = {8, 20, 11, 21, 11, 18, 4};
  std::size_t total = 0;
  auto rows = episodes::Companions();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::wstring joined;
    for (const wchar_t* entry : rows[i].entries) joined += (joined.empty() ? L"" : L"|") + std::wstring(entry);
    EXPECT_EQ(joined, expected[i]) << "row " << i + 1;
    EXPECT_EQ(rows[i].entries.size(), counts[i]) << "row " << i + 1;
    total += rows[i].entries.size();
  }
  EXPECT_EQ(total, 93u);
  // Row 4 has no entry for the numbers 1, 13 and 20 of its series.
  for (const wchar_t* entry : rows[3].entries)
    for (const wchar_t* missing : {L"\\bc1.j2l", L"\\bc13.j2l", L"\\bc20.j2l"}) EXPECT_NE(std::wstring(entry), missing);
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
