// The shared folder listing: lists that take their entries from it must
// always end as a fresh enumeration of the folder would leave them, while
// another thread or program changes the folder between and during re-reads;
// and a re-read of an unchanged folder must not enumerate it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <random>
#include <thread>

#include "files/filelist.h"
#include "tests/support/fixtures.h"
#include "files/paths.h"
#include "tests/support/support.h"

using jj::FileList;

namespace {

// Runs jobs on a thread of its own, one at a time; Run waits for the job.
class OtherThread {
 public:
  OtherThread() : thread_([this] { Loop(); }) {}
  ~OtherThread() {
    Run(nullptr);
    thread_.join();
  }
  void Run(std::function<void()> job) {
    std::unique_lock<std::mutex> lock(mutex_);
    job_ = std::move(job);
    pending_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return !pending_; });
  }

 private:
  void Loop() {
    for (;;) {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return pending_; });
      if (!job_) {
        pending_ = false;
        changed_.notify_all();
        return;
      }
      job_();
      pending_ = false;
      changed_.notify_all();
    }
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool pending_ = false;
  std::thread thread_;
};

// The folder's entries as the system gives them: bare name and attributes.
std::vector<std::pair<std::wstring, DWORD>> Entries(const std::wstring& folder) {
  std::vector<std::pair<std::wstring, DWORD>> out;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(jj::Exact(jj::InFolder(folder, L"*")).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return out;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") out.emplace_back(name, data.dwFileAttributes);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return out;
}

// Random changes of a game folder: files made, deleted and renamed (also to
// a name that starts or stops matching, or in other letter case only),
// folders named like levels, files turned hidden or system and back, and
// changes that leave the listing as it is (read-only, contents).
class Changes {
 public:
  Changes(const std::wstring& folder, unsigned seed) : folder_(folder), random_(seed) {}

  // One random change; a description for the trace.
  std::wstring Make() {
    auto entries = Entries(folder_);
    std::vector<std::pair<std::wstring, DWORD>> files, folders;
    for (auto& e : entries) (e.second & FILE_ATTRIBUTE_DIRECTORY ? folders : files).push_back(e);
    int kind = files.size() < 8 ? 0 : Pick(files.size() > 40 ? 12 : 14);
    if (kind >= 12) kind = 0;  // grow more often while the folder is small
    auto path = [&](const std::wstring& name) { return jj::Exact(jj::InFolder(folder_, name)); };
    if (kind == 0 || files.empty()) {
      std::wstring name = NewName();
      HANDLE h = CreateFileW(path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
      return L"make " + name;
    }
    const auto& [name, attributes] = files[Pick(files.size())];
    switch (kind) {
      case 1:
        SetFileAttributesW(path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path(name).c_str());
        return L"delete " + name;
      case 2: {
        std::wstring to = NewName();
        MoveFileW(path(name).c_str(), path(to).c_str());
        return L"rename " + name + L" to " + to;
      }
      case 3: {
        // Starts or stops matching: ".bak" put on or taken off.
        bool bak = name.size() > 4 && name.compare(name.size() - 4, 4, L".bak") == 0;
        std::wstring to = bak ? name.substr(0, name.size() - 4) : name + L".bak";
        MoveFileW(path(name).c_str(), path(to).c_str());
        return L"rename " + name + L" to " + to;
      }
      case 4: {
        // Only the letter case: in one step from the Linux side now and
        // then, otherwise through a name between (Windows renames a name to
        // itself in other case as nothing).
        std::wstring to = OtherCase(name);
        if (to == name) return L"(no other case for " + name + L")";
        if (++linux_ % 24 == 1 && test::RenameFromLinux(folder_, name, to)) return L"case from Linux " + name;
        std::wstring between = L"~" + to;
        MoveFileW(path(name).c_str(), path(between).c_str());
        MoveFileW(path(between).c_str(), path(to).c_str());
        return L"case " + name + L" to " + to;
      }
      case 5:
      case 6:
        SetFileAttributesW(path(name).c_str(), attributes & FILE_ATTRIBUTE_HIDDEN ? FILE_ATTRIBUTE_NORMAL
                                                                                 : FILE_ATTRIBUTE_HIDDEN);
        return L"hidden on/off " + name;
      case 7:
        SetFileAttributesW(path(name).c_str(), attributes & FILE_ATTRIBUTE_SYSTEM ? FILE_ATTRIBUTE_NORMAL
                                                                                 : FILE_ATTRIBUTE_SYSTEM);
        return L"system on/off " + name;
      case 8: {
        if (!folders.empty() && Pick(2)) {
          RemoveDirectoryW(path(folders[0].first).c_str());
          return L"remove folder " + folders[0].first;
        }
        std::wstring level = NewName(true);
        CreateDirectoryW(path(level).c_str(), nullptr);
        return L"make folder " + level;
      }
      case 9:
        SetFileAttributesW(path(name).c_str(), attributes & FILE_ATTRIBUTE_READONLY ? FILE_ATTRIBUTE_NORMAL
                                                                                   : FILE_ATTRIBUTE_READONLY);
        return L"read-only on/off " + name;
      case 10: {
        HANDLE h = CreateFileW(path(name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD written = 0;
        if (h != INVALID_HANDLE_VALUE) WriteFile(h, "data", 4, &written, nullptr), CloseHandle(h);
        return L"write " + name;
      }
      default:
        return L"nothing";
    }
  }

  std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

 private:
  std::wstring NewName(bool level = false) {
    static const wchar_t* const stems[] = {L"a", L"B", L"Castle 1", L"castle2", L"Castle10", L"night2", L"x02",
                                           L"x2", L"\u0416\u0443\u043a", L"R&D", L"monk", L"abc", L"1"};
    static const wchar_t* const ends[] = {L".j2e", L".J2E", L".jxe", L".JXE", L".j2l",
                                          L".J2L", L".txt", L".j2l.bak", L".j2e.bak"};
    std::wstring name = stems[Pick(std::size(stems))];
    if (Pick(3) == 0) name += std::to_wstring(Pick(20));
    return name + (level ? L".j2l" : ends[Pick(std::size(ends))]);
  }
  std::wstring OtherCase(const std::wstring& name) {
    std::wstring out = name;
    for (wchar_t& c : out) {
      if (c >= L'a' && c <= L'z' && Pick(2)) c = static_cast<wchar_t>(c - 32);
      else if (c >= L'A' && c <= L'Z' && Pick(2)) c = static_cast<wchar_t>(c + 32);
    }
    if (out == name)
      for (wchar_t& c : out)
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) {
          c = static_cast<wchar_t>(c ^ 0x20);
          break;
        }
    return out;
  }

  std::wstring folder_;
  std::mt19937 random_;
  unsigned linux_ = 0;
};

const wchar_t* const kSearches[] = {L"*.j2l;*.J2L", L"**.j2l;**.J2L", L"*a*.j2l;*A*.J2L", L"*1*.j2l;*1*.J2L",
                                    L"*castle 1*.j2l;*CASTLE 1*.J2L", L"*a;b*.j2l;*A;B*.J2L", L"*?2*.j2l;*?2*.J2L"};

}  // namespace

TEST(SharedListing, ListsAlwaysEqualAFreshEnumerationWhileTheFolderChanges) {
  test::TempFolder dir;
  OtherThread other;
  Changes changes(dir.path(), 9);

  // The lists of both windows over one folder: the episode list and the
  // hidden active list, and the level list with its search.
  auto listing = test::ListingOf(dir.path());
  jj::FolderListing& shared = *listing;
  FileList episodes, active, levels;
  episodes.SetListing(listing);
  episodes.SetPattern(L"*.j2e;*.J2E;*.jxe");
  active.SetListing(listing);
  active.SetPattern(L"*.j2e;*.J2E");
  levels.SetListing(listing);
  levels.SetPattern(kSearches[0]);

  // A change in the instant an enumeration has begun, when a step asks for it.
  bool during = false, made_during = false;
  std::wstring trace;
  shared.WhileEnumerating([&] {
    if (!during) return;
    during = false;
    made_during = true;
    other.Run([&] { trace += L" | during: " + changes.Make(); });
  });

  const int kSteps = 1000;
  int rereads = 0;
  for (int step = 0; step < kSteps; ++step) {
    trace.clear();
    // None, one or a few changes in a row (the later ones after the first
    // one's notification), made by another thread.
    std::size_t count = changes.Pick(4);
    for (std::size_t i = 0; i < count; ++i) other.Run([&] { trace += L" | " + changes.Make(); });
    during = changes.Pick(5) == 0;
    // Sometimes the folder is read ahead on a thread of its own first, as at
    // a program's start (the change "during" is then made during that read).
    const bool ahead = changes.Pick(3) == 0;

    // The re-reads of a step, as the windows make them: both episode lists
    // in one pass, the active list alone, a search keystroke.
    bool reread[3] = {false, false, false};
    auto reread_some = [&] {
      std::size_t which = changes.Pick(4);
      std::size_t search = changes.Pick(std::size(kSearches));
      if (ahead) shared.ReadAhead();
      if (which == 0 || which == 3) episodes.RefreshWith(active), reread[0] = reread[1] = true;
      if (which == 1) active.Refresh(), reread[1] = true;
      if (which == 2 || which == 3) {
        levels.SetPattern(kSearches[search]);
        levels.Refresh();
        reread[2] = true;
      }
      ++rereads;
    };
    reread_some();
    // A change made while the folder was being enumerated shows at the next re-read.
    while (made_during) {
      made_during = false;
      episodes.RefreshWith(active);
      active.Refresh();
      levels.Refresh();
      reread[0] = reread[1] = reread[2] = true;
    }

    // A fresh enumeration of the folder for every list that was re-read.
    auto fresh_listing = std::make_shared<jj::FolderListing>(dir.path(), false);
    FileList* lists[] = {&episodes, &active, &levels};
    for (int i = 0; i < 3; ++i) {
      if (!reread[i]) continue;
      FileList fresh;
      fresh.SetListing(fresh_listing);
      fresh.SetPattern(lists[i]->Pattern());
      ASSERT_EQ(fresh.Refresh(), 0u);
      ASSERT_EQ(lists[i]->Names(), fresh.Names())
          << "step " << step << ", list " << i << ", pattern " << test::Narrow(lists[i]->Pattern())
          << ", changes:" << test::Narrow(trace);
    }
  }
  during = false;
  // The shared listing was not simply enumerated at every re-read ...
  EXPECT_LT(shared.Enumerations(), static_cast<unsigned long>(rereads));
  // ... and a folder left alone is not enumerated again.
  Sleep(50);
  episodes.RefreshWith(active);
  levels.Refresh();
  unsigned long settled = shared.Enumerations();
  for (const wchar_t* search : kSearches) {
    levels.SetPattern(search);
    levels.Refresh();
    active.Refresh();
  }
  EXPECT_EQ(shared.Enumerations(), settled);
  // After a change, a read ahead enumerates, and the reads after it take
  // what it read.
  dir.Touch(L"read ahead.j2e");
  Sleep(50);
  shared.ReadAhead();
  episodes.RefreshWith(active);
  levels.Refresh();
  EXPECT_EQ(shared.Enumerations(), settled + 1);
  std::vector<std::wstring> names = episodes.Names();
  EXPECT_NE(std::find(names.begin(), names.end(), L"read ahead.j2e"), names.end());
}

TEST(SharedListing, AListReadsTheListingItIsGivenAndNothingWithout) {
  test::TempFolder one, two;
  one.Touch(L"one.j2l");
  two.Touch(L"two.j2l");
  FileList list;
  list.SetPattern(L"*");
  EXPECT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Folder(), L"");
  list.SetListing(test::ListingOf(two.path()));
  ASSERT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Names(), std::vector<std::wstring>{L"two.j2l"});
  // Given another listing, the list reads that one's folder.
  list.SetListing(test::ListingOf(one.path()));
  ASSERT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Names(), std::vector<std::wstring>{L"one.j2l"});
  EXPECT_EQ(list.Folder(), one.path());
}

TEST(SharedListing, FolderReplacedOrGoneIsReadAgain) {
  test::TempFolder base;
  std::wstring folder = base / L"game";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  auto make = [&](const std::wstring& name) {
    HANDLE h = CreateFileW(jj::InFolder(folder, name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  };
  make(L"a.j2e");
  FileList list;
  list.SetListing(test::ListingOf(folder));
  list.SetPattern(L"*.j2e");
  ASSERT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Names(), std::vector<std::wstring>{L"a.j2e"});

  // Another folder put in its place is read, not the old listing ...
  ASSERT_TRUE(MoveFileW(folder.c_str(), (base / L"moved").c_str()));
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  make(L"b.j2e");
  ASSERT_EQ(list.Refresh(), 0u);
  EXPECT_EQ(list.Names(), std::vector<std::wstring>{L"b.j2e"});
  // ... and a folder that is gone is reported, with an empty list.
  ASSERT_TRUE(MoveFileW(folder.c_str(), (base / L"moved again").c_str()));
  EXPECT_EQ(list.Refresh(), static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(list.Count(), 0u);
}

// Which entries keep a folder's listing from being kept, with the attributes
// and tags that the systems report: the folder itself and the one above it
// never (Wine marks them as reparse points at the top of a mounted file
// system, as a game folder on a Windows partition read through FUSE has
// above it), links, junctions and mount points always, and files kept in a
// cloud folder, compressed or deduplicated never. A tag of 0 is what Wine
// gives for its links to folders.
TEST(ListingLinks, OnlyEntriesThatLeadElsewhereCount) {
  constexpr DWORD kFolderMark = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  constexpr DWORD kFileMark = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
  EXPECT_FALSE(jj::EntryLeadsElsewhere(L".", kFolderMark, 0));
  EXPECT_FALSE(jj::EntryLeadsElsewhere(L"..", kFolderMark, 0));
  EXPECT_TRUE(jj::EntryLeadsElsewhere(L"...", kFolderMark, 0));
  EXPECT_TRUE(jj::EntryLeadsElsewhere(L"levels", kFolderMark, 0));
  EXPECT_TRUE(jj::EntryLeadsElsewhere(L"levels", kFolderMark, IO_REPARSE_TAG_MOUNT_POINT));
  EXPECT_TRUE(jj::EntryLeadsElsewhere(L"a.j2l", kFileMark, IO_REPARSE_TAG_SYMLINK));
  EXPECT_FALSE(jj::EntryLeadsElsewhere(L"a.j2l", kFileMark | FILE_ATTRIBUTE_SPARSE_FILE, IO_REPARSE_TAG_CLOUD_3));
  EXPECT_FALSE(jj::EntryLeadsElsewhere(L"a.j2l", kFileMark, IO_REPARSE_TAG_DEDUP));
  EXPECT_FALSE(jj::EntryLeadsElsewhere(L"a.j2l", kFileMark, IO_REPARSE_TAG_WOF));
  // Without the mark, the tag's place holds something else (the size of the
  // extended attributes).
  EXPECT_FALSE(jj::EntryLeadsElsewhere(L"a.j2l", FILE_ATTRIBUTE_ARCHIVE, IO_REPARSE_TAG_SYMLINK));
}

// A folder that holds a link is enumerated at every read; one without is
// kept until it changes. (Wine marks only its links to folders: its links to
// files look like the files they lead to.)
TEST(ListingLinks, AFolderWithALinkIsEnumeratedAtEveryRead) {
  test::TempFolder dir, outside;
  test::LinkSweeper links;
  dir.Touch(L"a.j2l");
  jj::FolderListing listing(dir.path());
  unsigned long error = 1;
  listing.Read(&error);
  listing.Read(&error);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(listing.Enumerations(), 1u);
  if (!links.Make(dir / L"elsewhere", outside.path())) GTEST_SKIP() << "symbolic links cannot be made here";
  Sleep(50);
  listing.Read(&error);
  listing.Read(&error);
  listing.Read(&error);
  EXPECT_EQ(listing.Enumerations(), 4u);
}

// A read through the folder's handle that the system refuses, at the first
// batch (systems before Windows 8 do not know it) or at a later one (servers
// of network shares), ends in the whole folder all the same, read by a
// search; that folder is searched from then on, and still kept while it does
// not change.
TEST(SharedListing, ARefusedReadThroughTheHandleFallsBackToTheSearch) {
  test::TempFolder dir;
  const unsigned kFiles = 3;  // one batch, then the read that ends
  for (unsigned i = 0; i < kFiles; ++i) dir.Touch(L"level" + std::to_wstring(i) + L".j2l");
  for (unsigned refused_batch : {0u, 1u}) {
    jj::FolderListing listing(dir.path());
    std::vector<unsigned> asked;
    listing.RefuseBatches([&](unsigned batch) {
      asked.push_back(batch);
      return batch == refused_batch ? static_cast<unsigned long>(ERROR_INVALID_PARAMETER) : 0ul;
    });
    unsigned long error = 1;
    EXPECT_EQ(listing.Read(&error)->Count(), kFiles) << "refused at batch " << refused_batch;
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(asked.size(), refused_batch + 1);
    dir.Touch(L"new.j2l");
    Sleep(50);
    EXPECT_EQ(listing.Read(&error)->Count(), kFiles + 1);
    listing.Read(&error);
    EXPECT_EQ(listing.Enumerations(), 2u);
    EXPECT_EQ(asked.size(), refused_batch + 1) << "the handle was asked again";
    DeleteFileW((dir / L"new.j2l").c_str());
  }
}
