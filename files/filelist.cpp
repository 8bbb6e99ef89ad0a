#include "files/filelist.h"

#include <algorithm>

namespace jj {

void FileList::SetPattern(std::wstring pattern) {
  if (pattern == pattern_ && !folded_patterns_.empty()) return;
  pattern_ = std::move(pattern);
  // A pattern that folds as an earlier one ("*a*.j2l;*A*.J2L") matches
  // the same names: it is matched once.
  folded_patterns_.clear();
  for (std::wstring& p : SplitPatterns(FoldCase(pattern_)))
    if (std::find(folded_patterns_.begin(), folded_patterns_.end(), p) == folded_patterns_.end())
      folded_patterns_.push_back(std::move(p));
  filtered_ = false;
}

bool FileList::Matches(std::wstring_view folded) const {
  for (const auto& pattern : folded_patterns_)
    if (WildcardMatch(pattern, folded)) return true;
  return false;
}

bool FileList::Take(std::shared_ptr<const FolderEntries> entries) {
  bool again = !filtered_ || entries != entries_;
  entries_ = std::move(entries);
  if (again) {
    rows_.clear();
    filtered_ = true;
    ++filterings_;
  }
  return again;
}

void FileList::SetListing(std::shared_ptr<FolderListing> listing) { listing_ = std::move(listing); }

const std::wstring& FileList::Folder() const {
  static const std::wstring none;
  return listing_ ? listing_->Folder() : none;
}

std::shared_ptr<const FolderEntries> FileList::Read(unsigned long* error) {
  *error = 0;
  if (listing_) return listing_->Read(error);
  static const auto nothing = std::make_shared<const FolderEntries>();
  return nothing;
}

std::vector<std::wstring> FileList::Names() const {
  std::vector<std::wstring> names;
  names.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) names.push_back(Name(i));
  return names;
}

unsigned long FileList::Refresh() {
  unsigned long error = 0;
  if (Take(Read(&error))) {
    for (std::size_t i = 0; i < entries_->Count(); ++i)
      if (Matches(entries_->Folded(i))) rows_.push_back(static_cast<std::uint32_t>(i));
  }
  return error;
}

unsigned long FileList::RefreshWith(FileList& also) {
  if (&also == this) return Refresh();
  if (also.listing_ != listing_) {
    unsigned long error = Refresh();
    unsigned long other = also.Refresh();
    return error ? error : other;
  }
  unsigned long error = 0;
  std::shared_ptr<const FolderEntries> entries = Read(&error);
  const bool mine = Take(entries), theirs = also.Take(entries);
  for (std::size_t i = 0; (mine || theirs) && i < entries->Count(); ++i) {
    std::wstring_view folded = entries->Folded(i);
    if (mine && Matches(folded)) rows_.push_back(static_cast<std::uint32_t>(i));
    if (theirs && also.Matches(folded)) also.rows_.push_back(static_cast<std::uint32_t>(i));
  }
  return error;
}

}  // namespace jj
