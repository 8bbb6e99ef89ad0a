#include <gtest/gtest.h>

#include "files/filelist.h"
#include "tests/support/support.h"

using jj::FileList;

namespace {

std::vector<std::wstring> List(const test::TempFolder& dir, const std::wstring& pattern) {
  FileList list;
  list.SetListing(test::ListingOf(dir.path()));
  list.SetPattern(pattern);
  EXPECT_EQ(list.Refresh(), 0u);
  return list.Names();
}

}  // namespace

TEST(FileListFolder, MatchesLongNamesOnlyEachFileOnceSorted) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"night10.jxe", L"Night2.J2E", L"x.jxek", L"a.j2e", L"B.J2E", L"c.jxe",
                           L"readme.txt", L"\u0416\u0443\u043a.j2e", L"R&D.jxe", L"\U0001F600.jxe"})
    dir.Touch(n);
  CreateDirectoryW((dir / L"folder.j2e").c_str(), nullptr);
  dir.TouchWith(L"hidden.j2e", FILE_ATTRIBUTE_HIDDEN);
  dir.TouchWith(L"system.j2e", FILE_ATTRIBUTE_SYSTEM);
  dir.TouchWith(L"ro.jxe", FILE_ATTRIBUTE_READONLY);

  EXPECT_EQ(List(dir, L"*.j2e;*.J2E;*.jxe"),
            (std::vector<std::wstring>{L"a.j2e", L"B.J2E", L"c.jxe", L"Night2.J2E", L"night10.jxe",
                                       L"R&D.jxe", L"ro.jxe", L"\u0416\u0443\u043a.j2e", L"\U0001F600.jxe"}));
  EXPECT_EQ(List(dir, L"*.j2e;*.J2E").size(), 4u);
  EXPECT_TRUE(List(dir, L"*.zzz").empty());
}

TEST(FileListFolder, MissingFolderIsAnErrorAndEmpty) {
  FileList list;
  list.SetListing(test::ListingOf(L"C:\\no\\such\\folder\\here"));
  list.SetPattern(L"*");
  EXPECT_NE(list.Refresh(), 0u);
  EXPECT_EQ(list.Count(), 0u);
}
