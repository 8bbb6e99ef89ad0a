// The checked file actions, tried as an attacker and an unlucky user would:
// a name that flips to a link while the action runs, twins that differ only
// in letter case, links to a twin, links that lead nowhere, names that are
// no file of the folder, FIFOs, and names that the file system folds alike.
#include <gtest/gtest.h>

#include "files/fileops.h"
#include "files/filelist.h"
#include "files/links.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"
#include "ui/report.h"

using V = std::vector<std::wstring>;

namespace {

constexpr int kTries = 1000;
const unsigned long kNotFound = ERROR_FILE_NOT_FOUND;

bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

}  // namespace

TEST(FlipRace, DeleteNeverReachesTheFileOutside) {
  test::TempFolder dir, outside, stage;
  test::Write(outside, L"sentinel.j2l", "outside");
  test::Flipper flipper(dir, L"flip.j2l", L"none", outside / L"sentinel.j2l", stage, "inside");
  if (!flipper.ok()) GTEST_SKIP() << "no Linux program can swap the name here";
  int done = 0, refused = 0, changed = 0;
  for (int i = 0; i < kTries; ++i) {
    jj::FileOutcome out = jj::DeleteInFolder(dir.path(), L"flip.j2l");
    done += out.done();
    refused += out.refused != jj::Refusal::kNone;
    if (test::Read(outside / L"sentinel.j2l") != "outside") ++changed;
  }
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(outside.Names(), (V{L"sentinel.j2l"}));
  std::printf("flip race, delete: %d tries, %d deleted, %d refused, %d changes outside\n", kTries, done, refused,
              changed);
}

TEST(FlipRace, RenameNeverMovesTheFileOutside) {
  test::TempFolder dir, outside, stage;
  test::Write(outside, L"sentinel.j2e", "outside");
  test::Flipper flipper(dir, L"flip.jxe", L"flip.j2e", outside / L"sentinel.j2e", stage, "inside");
  if (!flipper.ok()) GTEST_SKIP() << "no Linux program can swap the name here";
  int done = 0, refused = 0, changed = 0, wrong = 0;
  for (int i = 0; i < kTries; ++i) {
    jj::FileOutcome out = jj::RenameInFolder(dir.path(), L"flip.jxe", L"flip.j2e");
    done += out.done();
    refused += out.refused != jj::Refusal::kNone;
    if (test::Read(outside / L"sentinel.j2e") != "outside") ++changed;
    // A rename reported as done moved the plain file. Wine renames by the
    // name: when the link was put there in between, the link itself moved,
    // which the check afterwards reports (the swapper then removes it).
    std::string renamed = test::Read(dir / L"flip.j2e");
    if (out.done() && renamed != "inside") ++wrong;
    if (renamed == "inside") jj::DeleteInFolder(dir.path(), L"flip.j2e");
  }
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(outside.Names(), (V{L"sentinel.j2e"}));
  std::printf("flip race, rename: %d tries, %d renamed, %d refused, %d changes outside\n", kTries, done, refused,
              changed);
}

// A case-sensitive Linux folder may hold A.j2l beside a.j2l. Once the listed
// one is gone, the system would take its twin for it.
TEST(CaseTwins, AVanishedEntryIsNeverTakenForItsTwin) {
  test::TempFolder dir;
  if (!test::Shell(dir, L"printf big > \"$D/A.j2l\"; printf small > \"$D/a.j2l\"; printf big > \"$D/B.j2e\"; "
                        L"printf small > \"$D/b.j2e\"; printf x > \"$D/x.j2l\"; printf X > \"$D/X.j2l\""))
    GTEST_SKIP() << "no Linux shell here";
  ASSERT_EQ(dir.Names(), (V{L"A.j2l", L"B.j2e", L"X.j2l", L"a.j2l", L"b.j2e", L"x.j2l"}));
  // Removed behind the program's back.
  ASSERT_TRUE(DeleteFileW((dir / L"A.j2l").c_str()));
  ASSERT_TRUE(DeleteFileW((dir / L"B.j2e").c_str()));
  jj::FileOutcome del = jj::DeleteInFolder(dir.path(), L"A.j2l");
  EXPECT_EQ(del.error, kNotFound);
  EXPECT_TRUE(Has(jj::RefusalText(del), L"no longer holds \"A.j2l\". It holds \"a.j2l\""))
      << test::Narrow(jj::RefusalText(del));
  jj::FileOutcome ren = jj::RenameInFolder(dir.path(), L"B.j2e", L"B.jxe");
  EXPECT_EQ(ren.error, kNotFound);
  EXPECT_NE(ren.refused, jj::Refusal::kNone);
  jj::FileFacts facts;
  EXPECT_FALSE(jj::ReadFacts(dir.path(), L"A.j2l", &facts).done());
  // Deleting one twin is a success, although the other is still there.
  jj::FileOutcome x = jj::DeleteInFolder(dir.path(), L"x.j2l");
  EXPECT_TRUE(x.done()) << x.error << test::Narrow(jj::RefusalText(x));
  EXPECT_EQ(dir.Names(), (V{L"X.j2l", L"a.j2l", L"b.j2e"}));
  EXPECT_EQ(test::Read(dir / L"a.j2l"), "small");
  EXPECT_EQ(test::Read(dir / L"b.j2e"), "small");
  EXPECT_EQ(test::Read(dir / L"X.j2l"), "X");
}

TEST(CaseTwins, ALinkToATwinIsNotAPlainFile) {
  test::TempFolder dir;
  if (!test::Shell(dir, L"printf twin > \"$D/twin.j2l\"; ln -s twin.j2l \"$D/Twin.j2l\"; "
                        L"printf twin > \"$D/twin.j2e\"; ln -s twin.j2e \"$D/Twin.j2e\""))
    GTEST_SKIP() << "no Linux shell here";
  jj::FileOutcome del = jj::DeleteInFolder(dir.path(), L"Twin.j2l");
  EXPECT_EQ(del.error, 0u);
  EXPECT_TRUE(Has(jj::RefusalText(del), L"\"Twin.j2l\" is not a plain file: it is a link to \""))
      << test::Narrow(jj::RefusalText(del));
  jj::FileOutcome ren = jj::RenameInFolder(dir.path(), L"Twin.j2e", L"Twin.jxe");
  EXPECT_TRUE(Has(jj::RefusalText(ren), L"is not a plain file: it is a link")) << test::Narrow(jj::RefusalText(ren));
  EXPECT_EQ(dir.Names(), (V{L"Twin.j2e", L"Twin.j2l", L"twin.j2e", L"twin.j2l"}));
  EXPECT_EQ(test::Read(dir / L"twin.j2l"), "twin");
  EXPECT_EQ(test::Read(dir / L"twin.j2e"), "twin");
  test::Shell(dir, L"rm -f \"$D/Twin.j2l\" \"$D/Twin.j2e\"");
}

// The system does not list a link that leads nowhere, and a rename would
// replace it.
TEST(NoReplace, ALinkThatLeadsNowhereIsNeverReplaced) {
  test::TempFolder dir;
  test::Write(dir, L"d.jxe", "d");
  if (!test::Shell(dir, L"ln -s \"$D/nowhere\" \"$D/d.j2e\"")) GTEST_SKIP() << "no Linux shell here";
  jj::FileOutcome out = jj::RenameInFolder(dir.path(), L"d.jxe", L"d.j2e");
  EXPECT_EQ(out.error, static_cast<unsigned long>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(out.clash, L"d.j2e");
  EXPECT_EQ(test::Read(dir / L"d.jxe"), "d");
  bool link_left = false;
  test::Shell(dir, L"test -L \"$D/d.j2e\" && touch \"$D/still.txt\"; rm -f \"$D/d.j2e\"");
  link_left = dir.Exists(L"still.txt");
  EXPECT_TRUE(link_left);
}

// Whether a folder can hold such a link is the volume's answer: Wine's own
// (measured here) for a Linux folder, and Windows' file systems as
// documented.
TEST(NoReplace, OnlyWhereTheVolumeCanHideALinkIsTheNewNameMadeFirst) {
  EXPECT_TRUE(jj::LinksMayHide(0x0000000A));  // Wine 8: case preserved, permissions
  EXPECT_FALSE(jj::LinksMayHide(FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK |
                                FILE_PERSISTENT_ACLS | FILE_FILE_COMPRESSION | FILE_SUPPORTS_REPARSE_POINTS |
                                FILE_SUPPORTS_HARD_LINKS));  // NTFS, ReFS, a share of one
  EXPECT_FALSE(jj::LinksMayHide(FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK));  // FAT, exFAT
  // Where the system here hides such a link, it says so of the folder.
  test::TempFolder dir;
  if (!test::Shell(dir, L"ln -s \"$D/nowhere\" \"$D/d.j2e\"")) GTEST_SKIP() << "no Linux shell here";
  bool hidden = GetFileAttributesW((dir / L"d.j2e").c_str()) == INVALID_FILE_ATTRIBUTES;
  DWORD flags = 0;
  HANDLE h = CreateFileW(dir.path().c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(GetVolumeInformationByHandleW(h, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
  CloseHandle(h);
  EXPECT_TRUE(!hidden || jj::LinksMayHide(flags)) << std::hex << flags;
  test::Shell(dir, L"rm -f \"$D/d.j2e\"");
}

TEST(NotOneFileOfTheFolder, ABackslashNameIsRefusedAndNothingElseIsTouched) {
  test::TempFolder dir;
  if (!test::Shell(dir, L"mkdir \"$D/sub\"; printf listed > \"$D/sub\\\\x.j2l\"; printf listed > \"$D/sub\\\\x.jxe\"; "
                        L"printf other > \"$D/sub/x.j2l\"; printf other > \"$D/sub/x.jxe\""))
    GTEST_SKIP() << "no Linux shell here";
  jj::FileList list;
  list.SetListing(test::ListingOf(dir.path()));
  list.SetPattern(L"*.j2l");
  ASSERT_EQ(list.Refresh(), 0u);
  ASSERT_EQ(list.Names(), (V{L"sub\\x.j2l"}));  // listed as it is
  for (const wchar_t* name : {L"sub\\x.j2l", L"sub\\x.jxe"}) {
    jj::FileFacts facts;
    jj::FileOutcome read = jj::ReadFacts(dir.path(), name, &facts);
    EXPECT_TRUE(Has(jj::RefusalText(read), L"The name holds \"\\\", which a Windows file name cannot hold"));
    EXPECT_NE(jj::DeleteInFolder(dir.path(), name).refused, jj::Refusal::kNone);
  }
  EXPECT_NE(jj::RenameInFolder(dir.path(), L"sub\\x.jxe", L"sub\\x.j2e").refused, jj::Refusal::kNone);
  EXPECT_NE(jj::RenameInFolder(dir.path(), L"a.jxe", L"a/b.j2e").refused, jj::Refusal::kNone);
  EXPECT_EQ(jj::ForbiddenChar(L"a\x01.j2l"), L'\x01');
  EXPECT_EQ(jj::ForbiddenChar(L"con.j2l."), 0);  // odd, but one file of the folder
  EXPECT_EQ(test::Read(dir / L"sub\\x.j2l"), "other");  // what the system would have acted on
  EXPECT_EQ(test::Read(dir / L"sub\\x.jxe"), "other");
  EXPECT_EQ(dir.Names(), (V{L"sub", L"sub\\x.j2l", L"sub\\x.jxe"}));
  test::Shell(dir, L"rm -rf \"$D\"/*");  // names that Windows cannot remove
}

TEST(NotAPlainFile, FifoAndFolderAreRefusedSayingWhatTheyAre) {
  test::TempFolder dir;
  CreateDirectoryW((dir / L"folder.j2l").c_str(), nullptr);
  if (!test::Shell(dir, L"mkfifo \"$D/fifo.j2l\" \"$D/fifo.jxe\"")) GTEST_SKIP() << "no Linux shell here";
  jj::FileOutcome fifo = jj::DeleteInFolder(dir.path(), L"fifo.j2l");
  EXPECT_EQ(jj::RefusalText(fifo),
            L"\"fifo.j2l\" is not a plain file: it is a FIFO, a device or another special file. Nothing was changed.");
  EXPECT_NE(jj::RenameInFolder(dir.path(), L"fifo.jxe", L"fifo.j2e").refused, jj::Refusal::kNone);
  EXPECT_EQ(jj::RefusalText(jj::DeleteInFolder(dir.path(), L"folder.j2l")),
            L"\"folder.j2l\" is not a plain file: it is a folder. Nothing was changed.");
  EXPECT_EQ(dir.Names(), (V{L"fifo.j2l", L"fifo.jxe", L"folder.j2l"}));
  test::Shell(dir, L"rm -rf \"$D\"/*");  // FIFOs that Windows cannot remove
}

// A reparse point is a link only where its tag says it leads elsewhere: files
// that a cloud folder keeps, that the system compressed or deduplicated, are
// the files themselves, and so is a reparse point that only marks a socket
// or an app's alias.
TEST(NotAPlainFile, OnlyReparsePointsThatLeadElsewhereAreLinks) {
  constexpr DWORD kLxSymlink = 0xA000001D;  // a link made by Linux programs on Windows
  constexpr DWORD kReparse = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE;
  for (DWORD tag : {DWORD{IO_REPARSE_TAG_SYMLINK}, DWORD{IO_REPARSE_TAG_MOUNT_POINT}, kLxSymlink, DWORD{0}})
    EXPECT_TRUE(jj::LeadsElsewhere(kReparse, tag)) << std::hex << tag;
  for (DWORD tag : {DWORD{IO_REPARSE_TAG_CLOUD}, DWORD{IO_REPARSE_TAG_CLOUD_3}, DWORD{IO_REPARSE_TAG_CLOUD_F},
                    DWORD{IO_REPARSE_TAG_DEDUP}, DWORD{IO_REPARSE_TAG_WOF}, DWORD{IO_REPARSE_TAG_AF_UNIX},
                    DWORD{IO_REPARSE_TAG_APPEXECLINK}})
    EXPECT_FALSE(jj::LeadsElsewhere(kReparse, tag)) << std::hex << tag;
  // The tag counts only on a reparse point.
  EXPECT_FALSE(jj::LeadsElsewhere(FILE_ATTRIBUTE_ARCHIVE, IO_REPARSE_TAG_SYMLINK));
}

// Renames and lists compare names with the one fold of the file layer.
TEST(Fold, RenamesAndListsUseTheSameFold) {
  test::TempFolder dir;
  // The system itself lets both be made: its own check would let the rename through.
  test::Write(dir, L"\x3c2.jxe", "final sigma");
  test::Write(dir, L"\x3a3.j2e", "capital sigma");
  test::Write(dir, L"\x1c6.jxe", "dz");
  test::Write(dir, L"\x1c4.J2E", "DZ");
  for (const auto& [from, to, clash] : {std::tuple{L"\x3c2.jxe", L"\x3c2.j2e", L"\x3a3.j2e"},
                                        std::tuple{L"\x1c6.jxe", L"\x1c6.j2e", L"\x1c4.J2E"}}) {
    jj::FileOutcome out = jj::RenameInFolder(dir.path(), from, to);
    EXPECT_EQ(out.error, static_cast<unsigned long>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(out.clash, clash);
  }
  EXPECT_EQ(test::Read(dir / L"\x3c2.jxe"), "final sigma");
  EXPECT_EQ(test::Read(dir / L"\x3a3.j2e"), "capital sigma");
  // The lists match with the same fold: a sigma in the pattern finds both forms.
  jj::FileList list;
  list.SetListing(test::ListingOf(dir.path()));
  list.SetPattern(L"\x3c3*;*.j2e");
  ASSERT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Count(), 3u);
}
