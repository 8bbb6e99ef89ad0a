// Two lists over one folder re-read in one pass: each must end exactly as
// its own re-read would leave it, also on failure and for a list over
// another folder.
#include <gtest/gtest.h>

#include "files/filelist.h"
#include "tests/support/support.h"

using jj::FileList;

namespace {

FileList Over(const std::wstring& folder, const std::wstring& pattern) {
  FileList list;
  list.SetListing(test::ListingOf(folder));
  list.SetPattern(pattern);
  return list;
}

}  // namespace

TEST(FileListWith, OnePassGivesWhatSeparateReadsGive) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"night10.jxe", L"Night2.J2E", L"night2.j2e.bak", L"x.jxek", L"a.j2e", L"B.J2E",
                           L"c.jxe", L"Castle 1.j2l", L"castle2.J2L", L"R&D.jxe", L"\U0001F600.j2e", L"x02.j2e",
                           L"x2.j2e"})
    dir.Touch(n);
  CreateDirectoryW((dir / L"folder.j2e").c_str(), nullptr);
  dir.Touch(L"hidden.j2e");
  SetFileAttributesW((dir / L"hidden.j2e").c_str(), FILE_ATTRIBUTE_HIDDEN);

  FileList all = Over(dir.path(), L"*.j2e;*.J2E;*.jxe"), active = Over(dir.path(), L"*.j2e;*.J2E");
  FileList all_alone = all, active_alone = active;
  ASSERT_EQ(all_alone.Refresh(), 0u);
  ASSERT_EQ(active_alone.Refresh(), 0u);
  ASSERT_EQ(all.RefreshWith(active), 0u);
  EXPECT_EQ(all.Names(), all_alone.Names());
  EXPECT_EQ(active.Names(), active_alone.Names());
  EXPECT_EQ(active.Names(), (std::vector<std::wstring>{L"a.j2e", L"B.J2E", L"Night2.J2E", L"x2.j2e", L"x02.j2e",
                                                       L"\U0001F600.j2e"}));

  // A second pass starts from nothing: a file gone is gone from both lists.
  DeleteFileW((dir / L"a.j2e").c_str());
  ASSERT_EQ(all.RefreshWith(active), 0u);
  EXPECT_EQ(all.Count(), all_alone.Count() - 1);
  EXPECT_EQ(active.Count(), active_alone.Count() - 1);
}

TEST(FileListWith, OtherFolderIsReadOnItsOwnAndFailureEmptiesBoth) {
  test::TempFolder one, two;
  one.Touch(L"a.j2e");
  two.Touch(L"b.j2e");
  two.Touch(L"c.j2e");
  FileList first = Over(one.path(), L"*.j2e"), second = Over(two.path(), L"*.j2e");
  ASSERT_EQ(first.RefreshWith(second), 0u);
  EXPECT_EQ(first.Names(), std::vector<std::wstring>{L"a.j2e"});
  EXPECT_EQ(second.Names(), (std::vector<std::wstring>{L"b.j2e", L"c.j2e"}));

  FileList gone = Over(one.path() + L"\\no such folder", L"*.j2e");
  FileList gone_too = Over(gone.Folder(), L"*");
  gone_too.RefreshWith(gone_too);  // a list with itself is one re-read
  EXPECT_NE(gone.RefreshWith(gone_too), 0u);
  EXPECT_EQ(gone.Count(), 0u);
  EXPECT_EQ(gone_too.Count(), 0u);
}

// A re-read filters the listing again only when the listing or the list's
// pattern changed; whatever changed, each list ends as a fresh list would.
TEST(FileListWith, FiltersAgainOnlyWhenTheListingOrThePatternChanged) {
  test::TempFolder dir, other;
  for (const wchar_t* n : {L"a.j2e", L"B.J2E", L"c.jxe", L"castle.j2l"}) dir.Touch(n);
  other.Touch(L"z.j2e");
  FileList all = Over(dir.path(), L"*.j2e;*.J2E;*.jxe"), active = Over(dir.path(), L"*.j2e;*.J2E");
  auto fresh = [&](const FileList& list) {
    FileList f = Over(list.Folder(), list.Pattern());
    EXPECT_EQ(f.Refresh(), 0u);
    return f.Names();
  };
  auto expect_fresh = [&](unsigned long all_filterings, unsigned long active_filterings) {
    EXPECT_EQ(all.Names(), fresh(all));
    EXPECT_EQ(active.Names(), fresh(active));
    EXPECT_EQ(all.Filterings(), all_filterings);
    EXPECT_EQ(active.Filterings(), active_filterings);
  };
  ASSERT_EQ(all.RefreshWith(active), 0u);
  expect_fresh(1, 1);
  // Unchanged: re-read together, alone, or with the same pattern set again.
  ASSERT_EQ(all.RefreshWith(active), 0u);
  active.SetPattern(L"*.j2e;*.J2E");
  ASSERT_EQ(active.Refresh(), 0u);
  expect_fresh(1, 1);
  EXPECT_EQ(active.Names(), (std::vector<std::wstring>{L"a.j2e", L"B.J2E"}));

  // Another pattern: only that list filters again.
  all.SetPattern(L"*.j2l");
  ASSERT_EQ(all.RefreshWith(active), 0u);
  expect_fresh(2, 1);
  EXPECT_EQ(all.Names(), std::vector<std::wstring>{L"castle.j2l"});

  // A change in the folder: both.
  dir.Touch(L"D.j2e");
  ASSERT_EQ(all.RefreshWith(active), 0u);
  expect_fresh(3, 2);
  EXPECT_EQ(active.Count(), 3u);

  // Another folder under the same pattern.
  active.SetListing(test::ListingOf(other.path()));
  ASSERT_EQ(active.Refresh(), 0u);
  EXPECT_EQ(active.Names(), std::vector<std::wstring>{L"z.j2e"});
}
