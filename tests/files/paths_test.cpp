// The paths built in the game folder, also where the game folder is the root
// of a drive or share: a root keeps its backslash ("E:" alone is the drive's
// current folder, and "\\?\E:" its volume device), and names inside it get
// no second one.
#include <gtest/gtest.h>

#include "files/filelist.h"
#include "files/fileops.h"
#include "files/paths.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"
#include "ui/report.h"

using V = std::vector<std::wstring>;

TEST(Paths, ARootKeepsItsBackslashAndNamesInItGetNoSecondOne) {
  const struct {
    const wchar_t *program, *folder, *exact, *in;
  } cases[] = {
      {L"E:\\Quenby.exe", L"E:\\", L"\\\\?\\E:\\", L"E:\\Jazz2.exe"},
      {L"E:\\Games\\JJ2\\Quenby.exe", L"E:\\Games\\JJ2", L"\\\\?\\E:\\Games\\JJ2", L"E:\\Games\\JJ2\\Jazz2.exe"},
      {L"\\\\server\\share\\Quenby.exe", L"\\\\server\\share\\", L"\\\\?\\UNC\\server\\share\\",
       L"\\\\server\\share\\Jazz2.exe"},
      {L"\\\\server\\share\\JJ2\\Quenby.exe", L"\\\\server\\share\\JJ2", L"\\\\?\\UNC\\server\\share\\JJ2",
       L"\\\\server\\share\\JJ2\\Jazz2.exe"},
      {L"\\\\?\\E:\\Quenby.exe", L"\\\\?\\E:\\", L"\\\\?\\E:\\", L"\\\\?\\E:\\Jazz2.exe"},
      {L"\\\\?\\UNC\\server\\share\\Quenby.exe", L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\UNC\\server\\share\\",
       L"\\\\?\\UNC\\server\\share\\Jazz2.exe"},
      {L"\\\\?\\Volume{0b1c}\\Quenby.exe", L"\\\\?\\Volume{0b1c}\\", L"\\\\?\\Volume{0b1c}\\",
       L"\\\\?\\Volume{0b1c}\\Jazz2.exe"},
  };
  for (const auto& c : cases) {
    std::wstring folder = jj::FolderOf(c.program);
    EXPECT_EQ(folder, c.folder) << test::Narrow(c.program);
    EXPECT_EQ(jj::Exact(folder), c.exact) << test::Narrow(c.program);
    EXPECT_EQ(jj::InFolder(folder, L"Jazz2.exe"), c.in) << test::Narrow(c.program);
  }
  // This program's own folder, by the same rule.
  wchar_t self[MAX_PATH];
  EXPECT_EQ(jj::ExeFolder(), jj::FolderOf(std::wstring(self, GetModuleFileNameW(nullptr, self, MAX_PATH))));
}

// The game folder at the root of a drive letter: listed, watched, and every
// file action works on it, addressing the folder, not the volume device.
TEST(Paths, AtTheRootOfADriveEveryActionWorks) {
  test::TempFolder dir;
  test::MappedDrive drive(dir);
  if (drive.root().empty()) GTEST_SKIP() << "no drive letter can be mapped here";
  // The game folder as a program in the root takes it from its own path.
  const std::wstring root = jj::FolderOf(drive.root() + L"Quenby.exe");
  test::Write(dir, L"a.jxe", "a");
  test::Write(dir, L"b.j2e", "b");
  jj::FileList list;
  list.SetListing(test::ListingOf(root));
  list.SetPattern(L"*.j2e;*.jxe");
  ASSERT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Names(), (V{L"a.jxe", L"b.j2e"}));
  jj::FileFacts facts;
  jj::FileOutcome read = jj::ReadFacts(root, L"a.jxe", &facts);
  EXPECT_TRUE(read.done()) << read.error << test::Narrow(jj::RefusalText(read));
  EXPECT_EQ(facts.bytes, 1u);
  jj::FileOutcome renamed = jj::RenameInFolder(root, L"a.jxe", L"a.j2e");
  EXPECT_TRUE(renamed.done()) << renamed.error << test::Narrow(jj::RefusalText(renamed));
  jj::FileOutcome deleted = jj::DeleteInFolder(root, L"b.j2e");
  EXPECT_TRUE(deleted.done()) << deleted.error << test::Narrow(jj::RefusalText(deleted));
  ASSERT_EQ(list.Refresh(), 0u);  // the change seen by the watch
  EXPECT_EQ(list.Names(), (V{L"a.j2e"}));
  EXPECT_EQ(dir.Names(), (V{L"a.j2e"}));
  EXPECT_EQ(test::Read(dir / L"a.j2e"), "a");
}

TEST(Paths, SeparatorAlwaysPutInAndExactForm) {
  EXPECT_EQ(jj::InFolder(L"C:\\Games\\JJ2", L"a.j2e"), L"C:\\Games\\JJ2\\a.j2e");
  EXPECT_EQ(jj::Exact(L"C:\\Games\\a.j2e."), L"\\\\?\\C:\\Games\\a.j2e.");
  EXPECT_EQ(jj::Exact(L"\\\\server\\share\\a.j2e"), L"\\\\?\\UNC\\server\\share\\a.j2e");
  std::wstring notepad = jj::SystemProgram(L"notepad.exe");
  EXPECT_NE(notepad.find(L"\\notepad.exe"), std::wstring::npos);
  EXPECT_EQ(notepad[1], L':');
}
