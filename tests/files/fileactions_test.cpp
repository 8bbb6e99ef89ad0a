// The checked file actions on real temporary game folders, as a user meets
// them: renames that never replace a file, deletions of the exact name only,
// the system's reason for each failure, lengths past 2 GB, and links.
#include <gtest/gtest.h>

#include "files/fileops.h"
#include "tests/support/fixtures.h"
#include "files/paths.h"
#include "tests/support/support.h"
#include "ui/report.h"

using jj::DeleteInFolder;
using jj::RenameInFolder;
using V = std::vector<std::wstring>;

namespace {

const unsigned long kExists = ERROR_ALREADY_EXISTS;

}  // namespace

TEST(ReadFacts, TheFull64BitLengthOrAFailure) {
  test::TempFolder dir;
  dir.Touch(L"empty.j2e");
  dir.Touch(L"b.jxe", 1536);
  dir.Touch(L"huge.j2e", 3221225472u);  // past 2 GB: never a negative 32-bit count
  CreateDirectoryW((dir / L"folder.j2e").c_str(), nullptr);
  jj::FileFacts facts;
  facts.bytes = 99;
  ASSERT_TRUE(jj::ReadFacts(dir.path(), L"empty.j2e", &facts).done());
  EXPECT_EQ(facts.bytes, 0u);
  ASSERT_TRUE(jj::ReadFacts(dir.path(), L"b.jxe", &facts).done());
  EXPECT_EQ(facts.bytes, 1536u);
  ASSERT_TRUE(jj::ReadFacts(dir.path(), L"huge.j2e", &facts).done());
  EXPECT_EQ(facts.bytes, 3221225472u);
  EXPECT_FALSE(jj::ReadFacts(dir.path(), L"gone.j2e", &facts).done());
  EXPECT_FALSE(jj::ReadFacts(dir.path(), L"folder.j2e", &facts).done());
}

TEST(RenameInFolder, RenamesWithinTheFolderKeepingTheContent) {
  test::TempFolder dir;
  test::Write(dir, L"Monk.jxe", "monk");
  test::Write(dir, L"PRINCE.J2E", "prince");
  EXPECT_TRUE(RenameInFolder(dir.path(), L"Monk.jxe", L"Monk.j2e").done());
  EXPECT_TRUE(RenameInFolder(dir.path(), L"PRINCE.J2E", L"PRINCE.jxe").done());
  EXPECT_EQ(dir.Names(), (V{L"Monk.j2e", L"PRINCE.jxe"}));
  EXPECT_EQ(test::Read(dir / L"Monk.j2e"), "monk");
  EXPECT_EQ(test::Read(dir / L"PRINCE.jxe"), "prince");
  // The file itself is no clash, in whatever letter case.
  EXPECT_EQ(jj::NameInFolder(dir.path(), L"monk.J2E", L"Monk.j2e"), L"");
  EXPECT_EQ(jj::NameInFolder(dir.path(), L"monk.J2E", L"PRINCE.jxe"), L"Monk.j2e");
}

TEST(RenameInFolder, RefusedWhenTheNewNameExistsInAnyLetterCase) {
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
    jj::FileOutcome out = RenameInFolder(dir.path(), c.from, c.to);
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

TEST(RenameInFolder, FailuresLeaveEverythingAsItWas) {
  test::TempFolder dir;
  test::Write(dir, L"open.jxe", "open");
  // A file that vanished since the list was read.
  EXPECT_EQ(RenameInFolder(dir.path(), L"gone.jxe", L"gone.j2e").error,
            static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  {
    // A file that another program holds open without sharing its deletion.
    test::HeldOpen held(dir / L"open.jxe");
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(RenameInFolder(dir.path(), L"open.jxe", L"open.j2e").error,
              static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(dir.Names(), (V{L"open.jxe"}));
  EXPECT_EQ(test::Read(dir / L"open.jxe"), "open");
}

TEST(RenameInFolder, ExactNames) {
  test::TempFolder dir;
  test::Write(dir, L"con.jxe", "con");
  test::Write(dir, L"x.j2e", "x");
  test::Write(dir, L"x.jxe.", "x dot");  // "x.jxe." is not "x.jxe"
  std::wstring long_name = std::wstring(240, L'y') + L".jxe";
  test::Write(dir, long_name, "long");
  EXPECT_TRUE(RenameInFolder(dir.path(), L"con.jxe", L"con.j2e").done());
  EXPECT_TRUE(RenameInFolder(dir.path(), L"x.j2e", L"x.jxe").done());
  EXPECT_TRUE(RenameInFolder(dir.path(), long_name, std::wstring(240, L'y') + L".j2e").done());
  EXPECT_EQ(test::Read(dir / L"con.j2e"), "con");
  EXPECT_EQ(test::Read(dir / L"x.jxe"), "x");
  EXPECT_EQ(test::Read(dir / L"x.jxe."), "x dot");
  EXPECT_EQ(test::Read(dir / (std::wstring(240, L'y') + L".j2e")), "long");
  EXPECT_EQ(dir.Names().size(), 4u);
}

// Wine says a deletion in a read-only folder succeeded although the file
// stays: still a failure.
TEST(ReadOnlyFolder, RenameAndDeleteFailAndTheFileStays) {
  test::TempFolder dir;
  test::Write(dir, L"a.jxe", "a");
  test::UnwritableFolder lock(dir.path());
  if (!lock.ok()) GTEST_SKIP() << "no way to make a folder unwritable here";
  jj::FileOutcome out = RenameInFolder(dir.path(), L"a.jxe", L"a.j2e");
  EXPECT_FALSE(out.done());
  EXPECT_NE(out.error, 0u);
  EXPECT_EQ(DeleteInFolder(dir.path(), L"a.jxe").error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(dir.Names(), (V{L"a.jxe"}));
  EXPECT_EQ(test::Read(dir / L"a.jxe"), "a");
}

TEST(DeleteInFolder, DeletesOnlyTheExactNameAndReportsTheSystemsReason) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"a.j2e", L"a.j2e.", L"con.j2e", L"ro.jxe", L"open.j2e", L"keep.j2e"}) dir.Touch(n);
  std::wstring long_name(240, L'x');
  long_name += L".j2e";  // with the folder, well past MAX_PATH
  dir.Touch(long_name);
  SetFileAttributesW((dir / L"ro.jxe").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(DeleteInFolder(dir.path(), L"a.j2e").done());
  EXPECT_EQ(DeleteInFolder(dir.path(), L"a.j2e").error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(DeleteInFolder(dir.path(), L"con.j2e").done());  // a file, not the console device
  EXPECT_TRUE(DeleteInFolder(dir.path(), long_name).done());
  EXPECT_EQ(DeleteInFolder(dir.path(), L"ro.jxe").error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(DeleteInFolder(dir.path(), L"gone.j2e").error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  {
    test::HeldOpen held(dir / L"open.j2e");
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(DeleteInFolder(dir.path(), L"open.j2e").error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  }
  EXPECT_EQ(dir.Names(), (V{L"a.j2e.", L"keep.j2e", L"open.j2e", L"ro.jxe"}));
}

// The deletion in the POSIX manner, which lets the name go at once also
// while another program holds the file, falls back to the classic one only
// where the system does not take that form: Wine 8 and a Windows older than
// 10 (1607) do not know the class, FAT refuses it (all three answer "invalid
// parameter"), some network shares answer "not supported" or "invalid
// function". A read-only file, a file in use or a folder that is not empty
// are the deletion's own answers.
TEST(DeleteInFolder, TheClassicDeletionOnlyWhereThePosixOneIsNotTaken) {
  for (DWORD error : {ERROR_INVALID_PARAMETER, ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION})
    EXPECT_TRUE(jj::AskClassicDeletion(error)) << error;
  for (DWORD error : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DIR_NOT_EMPTY, ERROR_FILE_NOT_FOUND})
    EXPECT_FALSE(jj::AskClassicDeletion(error)) << error;
  // This system's own answer is one of the two.
  test::TempFolder dir;
  dir.Touch(L"a.j2e");
  HANDLE h = CreateFileW((dir / L"a.j2e").c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD posix = 0x1 | 0x2;  // FileDispositionInfoEx: delete + POSIX
  bool taken = SetFileInformationByHandle(h, static_cast<FILE_INFO_BY_HANDLE_CLASS>(21), &posix, sizeof posix);
  DWORD answer = taken ? 0 : GetLastError();
  CloseHandle(h);
  std::printf("the system's answer to a deletion in the POSIX manner: %lu\n", answer);
  EXPECT_TRUE(taken || jj::AskClassicDeletion(answer)) << answer;
  // Where it is taken: a file that another program holds, sharing its
  // deletion, is deleted and its name gone at once. (Wine's classic deletion
  // of such a file leaves the name until that program lets go, and cannot
  // be told from one that the folder refused.)
  if (!taken) return;
  dir.Touch(L"held.j2e");
  HANDLE other = CreateFileW((dir / L"held.j2e").c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  jj::FileOutcome out = DeleteInFolder(dir.path(), L"held.j2e");
  EXPECT_TRUE(out.done()) << out.error << test::Narrow(jj::RefusalText(out));
  EXPECT_EQ(dir.Names(), V{});
  CloseHandle(other);
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
      !links.Make(dir / L"out2.jxe", outside / L"target.txt") || !links.Make(dir / L"in.j2e", dir / L"inside.txt"))
    GTEST_SKIP() << "symbolic links cannot be made here";
  auto check = [&](const jj::FileOutcome& out, const wchar_t* link) {
    if (out.done()) {
      EXPECT_FALSE(dir.Exists(link)) << "the link itself went";
    } else {
      EXPECT_EQ(out.error, 0u);
      EXPECT_NE(jj::RefusalText(out).find(L"is not a plain file: it is a link to"), std::wstring::npos);
      EXPECT_TRUE(dir.Exists(link));
    }
    EXPECT_EQ(test::Read(outside / L"target.txt"), "outside");
    EXPECT_EQ(test::Read(dir / L"inside.txt"), "inside");
    EXPECT_EQ(outside.Names(), (V{L"target.txt"}));
  };
  check(DeleteInFolder(dir.path(), L"out.j2e"), L"out.j2e");
  check(DeleteInFolder(dir.path(), L"in.j2e"), L"in.j2e");
  check(RenameInFolder(dir.path(), L"out2.jxe", L"out2.j2e"), L"out2.jxe");
  EXPECT_EQ(test::Read(dir / L"inside.txt"), "inside");
}
