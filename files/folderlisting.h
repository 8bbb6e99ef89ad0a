// The listing of a folder that every file list over it shares: the folder's
// files as one enumeration found them, sorted once, and enumerated again only
// when the folder changed.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jj {

// The files of a folder as one enumeration found them: their bare names in
// natural order (folders, hidden and system files left out), each with its
// fold (fold.h), made once when the folder is read: patterns are matched
// against the folds, so no filter folds a name again. Never changed once
// made, so a list can keep showing it while a newer one is read.
class FolderEntries {
 public:
  std::size_t Count() const { return start_.empty() ? 0 : start_.size() - 1; }
  std::wstring_view Name(std::size_t i) const { return View(text_, i); }
  std::wstring_view Folded(std::size_t i) const { return View(folded_, i); }

 private:
  friend class FolderListing;
  std::wstring_view View(const std::wstring& text, std::size_t i) const {
    return std::wstring_view(text.data() + start_[i], start_[i + 1] - start_[i] - 1);
  }
  std::wstring text_;                 // the names, each ended by L'\0', in order
  std::wstring folded_;               // their folds, laid out as the names
  std::vector<std::uint32_t> start_;  // where each name starts, then the end
};

// Whether the entry `name` of a folder, with the attributes and reparse tag
// that its enumeration gave, leads elsewhere (a link, a junction, a mount
// point), so that what the folder lists can change while the folder does
// not. Neither "." nor ".." does.
bool EntryLeadsElsewhere(std::wstring_view name, unsigned long attributes, unsigned long tag);

// One listing of a folder, shared by every file list over it: the folder is
// enumerated afresh only when it changed since the last enumeration, and
// then once for all the lists. Changes are watched with the system's change
// notifications and the folder's identity and time of last change; when the
// watch cannot be set up, or the folder holds links whose targets could
// change unseen, every read enumerates. The program makes the one listing
// of its game folder where it starts and hands it to its main window, which
// gives it to its lists. Used by the program's one window thread only,
// besides the one read ahead that it may start on a thread of its own.
class FolderListing {
 public:
  // `keep`: false for a listing that enumerates the folder at every read.
  explicit FolderListing(std::wstring folder, bool keep = true);
  ~FolderListing();
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  const std::wstring& Folder() const { return folder_; }
  // The folder's files, enumerated afresh when the folder may have changed
  // since the last enumeration. On failure they are empty and *error is the
  // system's error code (0 on success, also for an empty folder).
  std::shared_ptr<const FolderEntries> Read(unsigned long* error);
  // Starts reading the folder on a thread of its own while the program
  // does other things (loads its DLLs, makes its window). The next Read()
  // waits for it and, when nothing changed since, takes what it read, as
  // after any read. Does nothing when a read ahead is under way already.
  void ReadAhead();
  // How many times the folder has been enumerated.
  unsigned long Enumerations() const { return enumerations_; }
  // Runs in each enumeration once it has begun (for tests that change the
  // folder at that moment).
  void WhileEnumerating(std::function<void()> run) { while_enumerating_ = std::move(run); }
  // Asked before each batch of entries read through the folder's handle
  // (0: the first): an answer other than 0 makes that read fail with that
  // error, as some systems and servers refuse it (for tests).
  void RefuseBatches(std::function<unsigned long(unsigned batch)> refuse) { refuse_ = std::move(refuse); }

 private:
  // The folder's identity (its file index and time of making) and its times
  // of last change.
  struct Stamp {
    std::uint64_t index = 0, made = 0, written = 0, changed = 0;
    bool ok = false;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(void* folder);  // of an open folder handle
  Stamp TakeStamp() const;
  // Whether the kept enumeration still holds; *now: the folder's stamp
  // when one was taken for the answer.
  bool Unchanged(Stamp* now) const;
  // Lets the system drop what it keeps of the last enumeration (`name`: one
  // name the folder held then).
  void ReleaseSystemCopy(const std::wstring& name) const;
  // The start of an enumeration: opens the folder, takes its stamp and arms
  // the watch from then on. Returns the folder's handle (or
  // INVALID_HANDLE_VALUE) for Enumerate.
  void* Begin(Stamp* before);
  // The rest: reads the entries through `folder` (closed here) and sorts
  // them, keeping them when the watch holds. Also the read ahead's thread's.
  std::shared_ptr<const FolderEntries> Enumerate(void* folder, const Stamp& before, unsigned long* error);
  // Waits until the read ahead, if any, has ended.
  void JoinReadAhead();
  // Sets up or arms again the watch of the folder with this stamp.
  void Watch(const Stamp& folder);
  void CloseWatch();

  std::wstring folder_;
  bool keep_;
  void* watch_;  // the change notification handle, or INVALID_HANDLE_VALUE
  Stamp stamp_;  // taken just before the last enumeration
  std::shared_ptr<const FolderEntries> kept_;  // null: enumerate at the next read
  unsigned long enumerations_ = 0;
  std::function<void()> while_enumerating_;
  std::function<unsigned long(unsigned)> refuse_;
  bool search_only_ = false;  // the handle was refused where a search was not
  void* ahead_ = nullptr;  // the thread of the read ahead until it is waited for
};

}  // namespace jj
