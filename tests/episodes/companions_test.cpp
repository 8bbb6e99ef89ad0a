// The companion files of an episode on real temporary game folders: the
// row's files in the table's order, absent ones skipped, failures collected,
// and never a file outside the folder. The checked file actions themselves
// are tried in tests/files.
#include <gtest/gtest.h>

#include "episodes/companions.h"
#include "tests/support/fixtures.h"
#include "files/paths.h"
#include "tests/support/support.h"
#include "ui/report.h"

using V = std::vector<std::wstring>;

TEST(DeleteCompanions, TheRowsFilesInOrderAbsentOnesSkippedFailuresCollected) {
  test::TempFolder dir;
  const episodes::CatalogueRow& tomb = episodes::Companions()[1];
  for (const wchar_t* entry : tomb.companions) dir.Touch(entry + 1);
  DeleteFileW((dir / L"TRal1.j2l").c_str());  // absent: skipped without a word
  DeleteFileW((dir / L"TRvl1.j2l").c_str());
  SetFileAttributesW((dir / L"TOMB RABBIT.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((dir / L"TRsc2.j2l").c_str(), FILE_ATTRIBUTE_READONLY);
  dir.Touch(L"TRac2.j2l");  // not in the table
  dir.Touch(L"tomb.j2e");   // the episode itself is not a companion
  std::vector<episodes::CompanionFailure> failures;
  {
    test::HeldOpen held(dir / L"TRd1.j2l");
    ASSERT_TRUE(held.ok());
    failures = episodes::DeleteCompanions(dir.path(), tomb);
  }
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_EQ(failures[0].name, L"TOMB RABBIT.txt");
  EXPECT_EQ(failures[0].why.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(failures[1].name, L"TRd1.j2l");
  EXPECT_EQ(failures[1].why.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(failures[2].name, L"TRsc2.j2l");
  EXPECT_EQ(failures[2].why.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(dir.Names(), (V{L"TOMB RABBIT.txt", L"TRac2.j2l", L"TRd1.j2l", L"TRsc2.j2l", L"tomb.j2e"}));
}

TEST(DeleteCompanions, AbsentFilesOfAReadOnlyFolderAreNoFailures) {
  test::TempFolder dir;
  test::Write(dir, L"a.jxe", "a");
  test::UnwritableFolder lock(dir.path());
  if (!lock.ok()) GTEST_SKIP() << "no way to make a folder unwritable here";
  auto failures = episodes::DeleteCompanions(dir.path(), episodes::Companions()[0]);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(dir.Names(), (V{L"a.jxe"}));
  EXPECT_EQ(test::Read(dir / L"a.jxe"), "a");
}

// A companion that is a link: its target is never deleted; where the system
// would act on the target, the link is refused naming where it leads.
TEST(DeleteCompanions, ALinkAmongThemNeverReachesItsTarget) {
  test::TempFolder dir, outside;
  test::Write(outside, L"target.txt", "outside");
  test::LinkSweeper links;
  if (!links.Make(dir / L"monkey1.j2l", outside / L"target.txt"))
    GTEST_SKIP() << "symbolic links cannot be made here";
  auto failures = episodes::DeleteCompanions(dir.path(), episodes::Companions()[0]);
  EXPECT_EQ(test::Read(outside / L"target.txt"), "outside");
  EXPECT_EQ(outside.Names(), (V{L"target.txt"}));
  if (failures.empty()) {
    EXPECT_FALSE(dir.Exists(L"monkey1.j2l"));
  } else {
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].name, L"monkey1.j2l");
    EXPECT_NE(jj::RefusalText(failures[0].why).find(L"target.txt"), std::wstring::npos);
  }
}

// A companion file that the folder holds in another letter case is the
// table's file (on Windows the same file): it goes with its episode, and a
// failure names it as the folder spells it.
TEST(DeleteCompanions, AFileInAnotherLetterCaseIsTheTablesFile) {
  test::TempFolder dir;
  const episodes::CatalogueRow& tomb = episodes::Companions()[1];
  // The table spells them "Trcc5.j2l", "TOMB RABBIT.txt", "TRd1.j2l", "TRsc1.j2l".
  for (const wchar_t* name : {L"TRcc5.j2l", L"Tomb Rabbit.txt", L"trd1.J2L", L"TRsc1.j2l"}) dir.Touch(name);
  SetFileAttributesW((dir / L"trd1.J2L").c_str(), FILE_ATTRIBUTE_READONLY);
  auto failures = episodes::DeleteCompanions(dir.path(), tomb);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].name, L"trd1.J2L");
  EXPECT_EQ(failures[0].why.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(dir.Names(), (V{L"trd1.J2L"}));
}

// A case-sensitive folder (Linux, under Wine) may hold several files that
// differ from a companion only in letter case: which one is the episode's
// cannot be told, so none goes, and the failure names them all. The file of
// the exact name goes alone, its twins stay.
TEST(DeleteCompanions, TwinsInAnotherLetterCaseAreLeftAndNamed) {
  test::TempFolder dir;
  if (!test::Shell(dir, L"cd \"$D\" && touch TRCC5.j2l trcc5.j2l TRsc1.j2l trsc1.j2l TRSC1.J2L 'tomb rabbit.txt'"))
    GTEST_SKIP() << "no Linux shell here";
  auto failures = episodes::DeleteCompanions(dir.path(), episodes::Companions()[1]);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].name, L"Trcc5.j2l");
  EXPECT_EQ(failures[0].why.error, 0u);
  EXPECT_EQ(jj::RefusalText(failures[0].why),
            L"The game folder holds 2 files whose names differ from it only in letter case: \"TRCC5.j2l\", "
            L"\"trcc5.j2l\". Which of them belongs to the episode cannot be told, so none of them was deleted.");
  EXPECT_EQ(dir.Names(), (V{L"TRCC5.j2l", L"TRSC1.J2L", L"trcc5.j2l", L"trsc1.j2l"}));
  test::Shell(dir, L"rm -f \"$D\"/*");  // twins that Windows cannot tell apart
}
