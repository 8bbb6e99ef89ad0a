#include "files/folderlisting.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <numeric>

#include "files/fold.h"
#include "files/handle.h"
#include "files/namerules.h"
#include "files/links.h"
#include "files/paths.h"

namespace jj {

namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES;

}  // namespace

bool EntryLeadsElsewhere(std::wstring_view name, unsigned long attributes, unsigned long tag) {
  // "." and ".." are the folder itself and the one above it, which Wine marks
  // as reparse points where they are the top of a mounted file system.
  return name != L"." && name != L".." && LeadsElsewhere(attributes, tag);
}

FolderListing::FolderListing(std::wstring folder, bool keep)
    : folder_(std::move(folder)), keep_(keep), watch_(INVALID_HANDLE_VALUE) {}

FolderListing::~FolderListing() {
  JoinReadAhead();
  CloseWatch();
}

void FolderListing::CloseWatch() {
  if (watch_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(watch_);
  watch_ = INVALID_HANDLE_VALUE;
}

void FolderListing::Watch(const Stamp& folder) {
  // Whatever changes from here on, also while the folder is being
  // enumerated, is noticed at the next read. The watch is set up once per
  // folder (closing one takes milliseconds) and armed again after each
  // notification.
  bool same = watch_ != INVALID_HANDLE_VALUE && folder.ok && stamp_.ok && folder.index == stamp_.index &&
              folder.made == stamp_.made;
  if (same && WaitForSingleObject(watch_, 0) == WAIT_TIMEOUT) return;  // still armed
  if (same && FindNextChangeNotification(watch_)) return;
  // A folder that cannot be opened (gone, or being removed) is not watched:
  // the watch's handle would keep a folder being removed from going.
  CloseWatch();
  if (keep_ && folder.ok) watch_ = FindFirstChangeNotificationW(Exact(folder_).c_str(), FALSE, kChanges);
}

FolderListing::Stamp FolderListing::StampOf(void* folder) {
  // The times and the file index are asked for on their own: the usual
  // query of a handle's facts also reads the volume's serial number, which
  // under Wine costs a tenth of enumerating a folder of 1,000 files, while a
  // folder put in the place of this one has other times of making and change.
  using QueryInformationFile = LONG(WINAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
  static const auto query = reinterpret_cast<QueryInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
  constexpr int kFileInternalInformation = 6;
  Stamp stamp;
  FILE_BASIC_INFO basic;
  IO_STATUS_BLOCK io;
  LARGE_INTEGER index{};
  if (query && GetFileInformationByHandleEx(folder, FileBasicInfo, &basic, sizeof basic) &&
      query(folder, &io, &index, sizeof index, kFileInternalInformation) >= 0) {
    stamp.index = static_cast<std::uint64_t>(index.QuadPart);
    stamp.made = static_cast<std::uint64_t>(basic.CreationTime.QuadPart);
    stamp.written = static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart);
    stamp.changed = static_cast<std::uint64_t>(basic.ChangeTime.QuadPart);
    stamp.ok = true;
  }
  return stamp;
}

FolderListing::Stamp FolderListing::TakeStamp() const {
  Handle folder(CreateFileW(Exact(folder_).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return folder.ok() ? StampOf(folder.get()) : Stamp();
}

bool FolderListing::Unchanged(Stamp* now) const {
  if (watch_ == INVALID_HANDLE_VALUE || WaitForSingleObject(watch_, 0) != WAIT_TIMEOUT) return false;
  // The folder's identity and time of last change catch what a watch can
  // miss (a folder put in the place of this one, a file system that does
  // not notify).
  *now = TakeStamp();
  if (!now->ok || !(*now == stamp_)) return false;
  // Under Wine the notification of a change that ended an instant ago can
  // still be on its way at the first look (seen for about one change in
  // 400 made from another process under load); after the round trip of the
  // stamp it has always arrived.
  return WaitForSingleObject(watch_, 0) == WAIT_TIMEOUT;
}

void FolderListing::ReleaseSystemCopy(const std::wstring& name) const {
  // Some systems (Wine) keep their own copy of every name of the folder,
  // read at the enumeration's start, after the enumeration's handle is
  // closed, until the program's next enumeration of any folder: 10 MB at
  // 100,000 files. A search for one name that is there, which reads no more
  // than that name, is such a next enumeration and lets the copy go.
  if (name.empty()) return;
  WIN32_FIND_DATAW data;
  SearchHandle find(FindFirstFileExW(Exact(InFolder(folder_, name)).c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, 0));
}

std::shared_ptr<const FolderEntries> FolderListing::Read(unsigned long* error) {
  JoinReadAhead();
  *error = 0;
  Stamp before;
  if (kept_ && Unchanged(&before)) return kept_;
  HANDLE folder = Begin(&before);
  return Enumerate(folder, before, error);
}

void FolderListing::ReadAhead() {
  if (ahead_) return;
  Stamp before;
  if (kept_ && Unchanged(&before)) return;
  // The watch is armed here, on the thread that reads later on: a thread's
  // pending requests to the system may end with the thread.
  HANDLE folder = Begin(&before);
  if (folder == INVALID_HANDLE_VALUE) return;  // the next read says why
  struct Job {
    FolderListing* self;
    HANDLE folder;
    Stamp before;
    HANDLE started;
  };
  HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto* job = new Job{this, folder, before, started};
  ahead_ = started ? CreateThread(
                         nullptr, 0,
                         [](void* p) -> DWORD {
                           std::unique_ptr<Job> job(static_cast<Job*>(p));
                           SetEvent(job->started);
                           unsigned long error = 0;
                           job->self->Enumerate(job->folder, job->before, &error);
                           return 0;
                         },
                         job, 0, nullptr)
                   : nullptr;
  if (!ahead_) {
    // No thread: the next read enumerates.
    delete job;
    Handle(static_cast<HANDLE>(folder)).Close();
  } else {
    // A new thread waits for the loader's lock to start, which a thread
    // loading one DLL after the other hardly ever lets go of long enough
    // under Wine: it is let start before this thread goes on.
    WaitForSingleObject(started, INFINITE);
  }
  if (started) CloseHandle(started);
}

void FolderListing::JoinReadAhead() {
  if (!ahead_) return;
  WaitForSingleObject(ahead_, INFINITE);
  CloseHandle(ahead_);
  ahead_ = nullptr;
}

void* FolderListing::Begin(Stamp* before) {
  kept_.reset();
  // The folder is opened once: its stamp is taken and its entries are read
  // through that one handle, so that both are of the same folder. Reading
  // the entries straight from the handle in large batches also costs less
  // than a search over the folder.
  HANDLE folder = CreateFileW(Exact(folder_).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  *before = folder == INVALID_HANDLE_VALUE ? Stamp() : StampOf(folder);
  // Whatever changes from here on shows at the next read.
  Watch(*before);
  stamp_ = *before;
  ++enumerations_;
  return folder;
}

std::shared_ptr<const FolderEntries> FolderListing::Enumerate(void* folder, const Stamp& before,
                                                              unsigned long* error) {
  *error = 0;
  Handle owned(folder);
  auto entries = std::make_shared<FolderEntries>();
  // First the names as the folder gives them, then their folded forms (the
  // sort keys), then the names again in natural order.
  std::wstring names;
  std::vector<std::uint32_t> start;
  bool links = false;
  std::wstring some_name;  // of any entry but "." and "..", for the release below
  constexpr DWORD kSkip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  auto add = [&](std::wstring_view name, DWORD attributes, DWORD tag) {
    if (some_name.empty() && name != L"." && name != L"..") some_name = name;
    // A link's target can change without a change in this folder.
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && EntryLeadsElsewhere(name, attributes, tag)) links = true;
    if (attributes & kSkip) return;
    start.push_back(static_cast<std::uint32_t>(names.size()));
    names.append(name);
    names.push_back(L'\0');
  };
  DWORD failure = ERROR_NO_MORE_FILES;
  const bool by_handle = folder != INVALID_HANDLE_VALUE && !search_only_;
  bool whole = false;  // whether the handle gave every entry
  unsigned n = 0;      // the batches it gave
  if (by_handle) {
    // At most 64 KB a batch: servers of network shares refuse larger reads
    // after the first batch, and larger batches are not read any faster.
    constexpr DWORD kBatch = 64 * 1024;
    std::vector<std::uint64_t> batch(kBatch / sizeof(std::uint64_t));
    for (;; ++n) {
      DWORD refused = refuse_ ? refuse_(n) : 0;
      if (refused) SetLastError(refused);
      if (refused || !GetFileInformationByHandleEx(folder, FileFullDirectoryInfo, batch.data(), kBatch)) break;
      if (n == 0 && while_enumerating_) while_enumerating_();
      const char* at = reinterpret_cast<const char*>(batch.data());
      for (;;) {
        // The tag of a reparse point comes in the place of the size of the
        // extended attributes.
        const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
        add(std::wstring_view(info->FileName, info->FileNameLength / sizeof(wchar_t)), info->FileAttributes,
            info->EaSize);
        if (!info->NextEntryOffset) break;
        at += info->NextEntryOffset;
      }
    }
    failure = GetLastError();
    whole = failure == ERROR_NO_MORE_FILES;
  }
  owned.Close();
  if (!whole) {
    // The folder could not be read through a handle, or the reading stopped
    // on the way (systems before Windows 8 do not know it, and some servers
    // refuse a batch): a search gives its entries, or the system's reason
    // why there are none.
    names.clear();
    start.clear();
    links = false;
    WIN32_FIND_DATAW data;
    SearchHandle find(FindFirstFileExW(Exact(InFolder(folder_, L"*")).c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.ok()) {
      failure = GetLastError();
      *error = failure == ERROR_FILE_NOT_FOUND || failure == ERROR_NO_MORE_FILES ? 0 : failure;
      return entries;
    }
    if (n == 0 && while_enumerating_) while_enumerating_();
    do add(data.cFileName, data.dwFileAttributes, data.dwReserved0);
    while (FindNextFileW(find.get(), &data));
    failure = GetLastError();
    find.Close();
    // The handle was refused where the search was not: this folder is
    // searched from now on.
    if (by_handle && failure == ERROR_NO_MORE_FILES) search_only_ = true;
  }
  ReleaseSystemCopy(some_name);
  if (failure != ERROR_NO_MORE_FILES) {
    *error = failure;
    return entries;
  }
  const std::size_t count = start.size();
  start.push_back(static_cast<std::uint32_t>(names.size()));

  std::vector<std::uint32_t> order(count);
  std::wstring folded;  // the sort keys, kept with the names for matching
  {
    FoldInto(names, folded);  // the terminators stay where they are
    auto view = [&](const std::wstring& text, std::uint32_t i) {
      return std::wstring_view(text.data() + start[i], start[i + 1] - start[i] - 1);
    };
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) {
      int c = NaturalCompare(view(folded, x), view(folded, y));
      if (c != 0) return c < 0;
      return view(names, x) < view(names, y);  // same name in other letter case
    });
  }
  entries->text_.reserve(names.size());
  entries->folded_.reserve(folded.size());
  entries->start_.reserve(count + 1);
  for (std::uint32_t i : order) {
    entries->start_.push_back(static_cast<std::uint32_t>(entries->text_.size()));
    entries->text_.append(names, start[i], start[i + 1] - start[i]);
    entries->folded_.append(folded, start[i], start[i + 1] - start[i]);
  }
  entries->start_.push_back(static_cast<std::uint32_t>(entries->text_.size()));

  if (watch_ != INVALID_HANDLE_VALUE && before.ok && !links) kept_ = entries;
  return entries;
}

}  // namespace jj
