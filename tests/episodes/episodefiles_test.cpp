// The folder operations on real temporary game folders: renames that never
// replace a file, deletions, companion files, exact names and links.
#include <gtest/gtest.h>

#include "episodefiles.h"
#include "fixtures.h"
#include "paths.h"
#include "support.h"

using V = std::vector<std::wstring>;

namespace {

const unsigned long kExists = ERROR_ALREADY_EXISTS;

}  // namespace

TEST(EpisodeLength, FromTheFull64BitLengthOrNothing) {
  test::TempFolder dir;
  dir.Touch(L"empty.j2e");
  dir.Touch(L"b.jxe", 1536);
  dir.Touch(L"huge.j2e", 3221225472u);  // past 2 GB: never a negative 32-bit count
  CreateDirectoryW((dir / L"folder.j2e").c_str(), nullptr);
  auto length = [&](const wchar_t* name, std::uint64_t* n) {
    jj::FileFacts facts{99, 0};
    bool read = jj::ReadFacts(dir.path(), name, &facts).done();
    *n = facts.bytes;
    return read;
  };
  std::uint64_t n = 99;
  ASSERT_TRUE(length(L"empty.j2e", &n));
  EXPECT_EQ(n, 0u);
  ASSERT_TRUE(length(L"b.jxe", &n));
  EXPECT_EQ(n, 1536u);
  ASSERT_TRUE(length(L"huge.j2e", &n));
  EXPECT_EQ(n, 3221225472u);
  EXPECT_FALSE(length(L"gone.j2e", &n));
  EXPECT_FALSE(length(L"folder.j2e", &n));
}

TEST(RenameEpisode, RenamesWithinTheFolderKeepingTheContent) {
  test::TempFolder dir;
  test::Write(dir, L"Monk.jxe", "monk");
  test::Write(dir, L"PRINCE.J2E", "prince");
  EXPECT_TRUE(jj::RenameInFolder(dir.path(), L"Monk.jxe", L"Monk.j2e").done());
  EXPECT_TRUE(jj::RenameInFolder(dir.path(), L"PRINCE.J2E", L"PRINCE.jxe").done());
  EXPECT_EQ(dir.Names(), (V{L"Monk.j2e", L"PRINCE.jxe"}));
  EXPECT_EQ(test::Read(dir / L"Monk.j2e"), "monk");
  EXPECT_EQ(test::Read(dir / L"PRINCE.jxe"), "prince");
  // The file itself is no clash, in whatever letter case.
  EXPECT_EQ(jj::NameInFolder(dir.path(), L"monk.J2E", L"Monk.j2e"), L"");
  EXPECT_EQ(jj::NameInFolder(dir.path(), L"monk.J2E", L"PRINCE.jxe"), L"Monk.j2e");
}

TEST(RenameEpisode, RefusedWhenTheNewNameExistsInAnyLetterCase) {
  test::TempFolder dir;
  test::Write(dir, L"a.jxe", "inactive a");
  test::Write(dir, L"A.J2E", "active A");
  test::Write(dir, L"b.jxe", "inactive b");
  test::Write(dir, L"b.j2e", "active b");
  test::Write(dir, L"c.jxe", "inactive c");
  test::Write(dir, L"c.j2e", "hidden c");
  SetFileAttributesW((dir / L"c.j2e").c_str(), FILE_ATTRIBUTE_HIDDEN);  // not listed, still there
  test::Write(dir, L"d.jxe", "inactive d");
  CreateDirectoryW((dir / L"D.j2e").c_str(), nullptr);
  const struct {
    const wchar_t *from, *to, *clash;
  } cases[] = {{L"a.jxe", L"a.j2e", L"A.J2E"}, {L"b.jxe", L"b.j2e", L"b.j2e"}, {L"c.jxe", L"c.j2e", L"c.j2e"},
               {L"d.jxe", L"d.j2e", L"D.j2e"}, {L"A.J2E", L"A.jxe", L"a.jxe"}};
  for (const auto& c : cases) {
    jj::FileOutcome out = jj::RenameInFolder(dir.path(), c.from, c.to);
    EXPECT_EQ(out.error, kExists) << test::Narrow(c.from);
    EXPECT_EQ(out.clash, c.clash) << test::Narrow(c.from);
  }
  EXPECT_EQ(dir.Names(), (V{L"A.J2E", L"D.j2e", L"a.jxe", L"b.j2e", L"b.jxe", L"c.j2e", L"c.jxe", L"d.jxe"}));
  EXPECT_EQ(test::Read(dir / L"a.jxe"), "inactive a");
  EXPECT_EQ(test::Read(dir / L"A.J2E"), "active A");
  EXPECT_EQ(test::Read(dir / L"b.jxe"), "inactive b");
  EXPECT_EQ(test::Read(dir / L"b.j2e"), "active b");
  EXPECT_EQ(test::Read(dir / L"c.j2e"), "hidden c");
}

TEST(RenameEpisode, FailuresLeaveEverythingAsItWas) {
  test::TempFolder dir;
  test::Write(dir, L"open.jxe", "open");
  // A file that vanished since the list was read.
  EXPECT_EQ(jj::RenameInFolder(dir.path(), L"gone.jxe", L"gone.j2e").error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  {
    // A file that another program holds open without sharing its deletion.
    test::HeldOpen held(dir / L"open.jxe");
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(jj::RenameInFolder(dir.path(), L"open.jxe", L"open.j2e").error,
              static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(dir.Names(), (V{L"open.jxe"}));
  EXPECT_EQ(test::Read(dir / L"open.jxe"), "open");
}

TEST(RenameEpisode, ReadOnlyFolder) {
  test::TempFolder dir;
  test::Write(dir, L"a.jxe", "a");
  test::UnwritableFolder lock(dir.path());
  if (!lock.ok()) GTEST_SKIP() << "no way to make a folder unwritable here";
  jj::FileOutcome out = jj::RenameInFolder(dir.path(), L"a.jxe", L"a.j2e");
  EXPECT_FALSE(out.done());
  EXPECT_NE(out.error, 0u);
  // Wine says a deletion there succeeded although the file stays: still a failure.
  EXPECT_EQ(jj::DeleteInFolder(dir.path(), L"a.jxe").error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  auto failures = episodes::DeleteCompanions(dir.path(), episodes::Companions()[0]);
  EXPECT_TRUE(failures.empty());  // absent companions are no failures, also here
  EXPECT_EQ(dir.Names(), (V{L"a.jxe"}));
  EXPECT_EQ(test::Read(dir / L"a.jxe"), "a");
}

TEST(DeleteEpisode, DeletesOnlyTheExactNameAndReportsTheSystemsReason) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"a.j2e", L"a.j2e.", L"con.j2e", L"ro.jxe", L"open.j2e", L"keep.j2e"}) dir.Touch(n);
  std::wstring long_name(240, L'x');
  long_name += L".j2e";  // with the folder, well past MAX_PATH
  dir.Touch(long_name);
  SetFileAttributesW((dir / L"ro.jxe").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(jj::DeleteInFolder(dir.path(), L"a.j2e").done());
  EXPECT_TRUE(jj::DeleteInFolder(dir.path(), L"con.j2e").done());  // a file, not the console device
  EXPECT_TRUE(jj::DeleteInFolder(dir.path(), long_name).done());
  EXPECT_EQ(jj::DeleteInFolder(dir.path(), L"ro.jxe").error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(jj::DeleteInFolder(dir.path(), L"gone.j2e").error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  {
    test::HeldOpen held(dir / L"open.j2e");
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(jj::DeleteInFolder(dir.path(), L"open.j2e").error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(dir.Names(), (V{L"a.j2e.", L"keep.j2e", L"open.j2e", L"ro.jxe"}));
}

TEST(RenameEpisode, ExactNames) {
  test::TempFolder dir;
  test::Write(dir, L"con.jxe", "con");
  test::Write(dir, L"x.j2e", "x");
  test::Write(dir, L"x.jxe.", "x dot");  // "x.jxe." is not "x.jxe"
  std::wstring long_name = std::wstring(240, L'y') + L".jxe";
  test::Write(dir, long_name, "long");
  EXPECT_TRUE(jj::RenameInFolder(dir.path(), L"con.jxe", L"con.j2e").done());
  EXPECT_TRUE(jj::RenameInFolder(dir.path(), L"x.j2e", L"x.jxe").done());
  EXPECT_TRUE(jj::RenameInFolder(dir.path(), long_name, episodes::RenamedName(long_name, L".j2e")).done());
  EXPECT_EQ(test::Read(dir / L"con.j2e"), "con");
  EXPECT_EQ(test::Read(dir / L"x.jxe"), "x");
  EXPECT_EQ(test::Read(dir / L"x.jxe."), "x dot");
  EXPECT_EQ(test::Read(dir / (std::wstring(240, L'y') + L".j2e")), "long");
  EXPECT_EQ(dir.Names().size(), 4u);
}

TEST(DeleteCompanions, TheRowsFilesInOrderAbsentOnesSkippedFailuresCollected) {
  test::TempFolder dir;
  const episodes::CompanionRow& tomb = episodes::Companions()[1];
  for (const wchar_t* entry : tomb.entries) dir.Touch(entry + 1);
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

// A link in the game folder: deleting or renaming it never touches its
// target. Where the system would act on the target (Wine does so with a
// Unix symbolic link), the link is refused.
TEST(Links, NeverActOnTheTarget) {
  test::TempFolder dir, outside;
  test::Write(outside, L"target.txt", "outside");
  test::Write(dir, L"inside.txt", "inside");
  test::LinkSweeper links;
  if (!links.Make(dir / L"out.j2e", outside / L"target.txt") ||
      !links.Make(dir / L"out2.jxe", outside / L"target.txt") ||
      !links.Make(dir / L"in.j2e", dir / L"inside.txt") ||
      !links.Make(dir / L"monkey1.j2l", outside / L"target.txt"))
    GTEST_SKIP() << "symbolic links cannot be made here";
  auto check = [&](const jj::FileOutcome& out, const wchar_t* link) {
    if (out.done()) {
      EXPECT_FALSE(dir.Exists(link)) << "the link itself went";
    } else {
      EXPECT_EQ(out.error, 0u);
      EXPECT_NE(out.refused.find(L"is not a plain file: it is a link to"), std::wstring::npos);
      EXPECT_TRUE(dir.Exists(link));
    }
    EXPECT_EQ(test::Read(outside / L"target.txt"), "outside");
    EXPECT_EQ(test::Read(dir / L"inside.txt"), "inside");
    EXPECT_EQ(outside.Names(), (V{L"target.txt"}));
  };
  check(jj::DeleteInFolder(dir.path(), L"out.j2e"), L"out.j2e");
  check(jj::DeleteInFolder(dir.path(), L"in.j2e"), L"in.j2e");
  check(jj::RenameInFolder(dir.path(), L"out2.jxe", L"out2.j2e"), L"out2.jxe");
  EXPECT_EQ(test::Read(dir / L"inside.txt"), "inside");
  auto failures = episodes::DeleteCompanions(dir.path(), episodes::Companions()[0]);
  EXPECT_EQ(test::Read(outside / L"target.txt"), "outside");
  if (failures.empty()) {
    EXPECT_FALSE(dir.Exists(L"monkey1.j2l"));
  } else {
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].name, L"monkey1.j2l");
    EXPECT_NE(failures[0].why.refused.find(L"target.txt"), std::wstring::npos);
  }
}
