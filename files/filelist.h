// The file list: a folder, a pattern list and the matching bare file names.
// Patterns are matched against the long name only (never against a generated
// short name), without regard to letter case; entries are sorted in natural
// order ("night2" before "night10"), each file once; folders, hidden and
// system files are left out. The lists over one folder take their entries
// from one shared listing of it, which is enumerated and sorted again only
// when the folder changed; a list filters it again only when the listing or
// its pattern changed, so a re-read of an unchanged folder with the same
// pattern keeps the entries it found.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/fold.h"
#include "files/folderlisting.h"
#include "files/namerules.h"

namespace jj {

class FileList {
 public:
  // The list takes its entries from `listing`, which every list over the
  // same folder shares; a list reads nothing before it has one.
  void SetListing(std::shared_ptr<FolderListing> listing);
  // The listing's folder; empty while the list has no listing.
  const std::wstring& Folder() const;
  void SetPattern(std::wstring pattern);
  const std::wstring& Pattern() const { return pattern_; }
  // Re-reads the folder. On failure the list is empty and the system's
  // error code is returned (0 on success, also for an empty folder; a list
  // without a listing stays empty).
  unsigned long Refresh();
  // Re-reads this list and `also`, another list over the same folder (such
  // as a hidden list that is only counted), from one reading of the folder:
  // each ends as its own Refresh() would leave it, both taken at the same
  // moment. A list with another listing is re-read on its own.
  unsigned long RefreshWith(FileList& also);

  std::size_t Count() const { return rows_.size(); }
  // How many times the list has been filtered (for tests of what a re-read costs).
  unsigned long Filterings() const { return filterings_; }
  std::wstring Name(std::size_t i) const { return std::wstring(entries_->Name(rows_[i])); }
  std::vector<std::wstring> Names() const;

 private:
  // Takes the entries of a re-read; true when the rows must be found again
  // (other entries, or another pattern, than they were found for).
  bool Take(std::shared_ptr<const FolderEntries> entries);
  // Whether an entry's fold matches the pattern.
  bool Matches(std::wstring_view folded) const;

  // The listing's entries (empty without one, *error = 0).
  std::shared_ptr<const FolderEntries> Read(unsigned long* error);

  std::wstring pattern_;
  std::vector<std::wstring> folded_patterns_;     // each once
  std::shared_ptr<FolderListing> listing_;
  std::shared_ptr<const FolderEntries> entries_;  // what the rows come from
  std::vector<std::uint32_t> rows_;               // the matching entries, in order
  bool filtered_ = false;                         // rows_ hold for entries_ and the pattern
  unsigned long filterings_ = 0;
};

}  // namespace jj
