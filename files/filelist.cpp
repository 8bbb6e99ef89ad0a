#include "files/filelist.h"

#include <algorithm>

namespace jj {

std::vector<std::wstring> SplitPatterns(std::wstring_view list) {
  std::vector<std::wstring> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t semi = list.find(L';', start);
    out.emplace_back(list.substr(start, semi == std::wstring_view::npos ? semi : semi - start));
    if (semi == std::wstring_view::npos) break;
    start = semi + 1;
  }
  return out;
}

namespace {

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Length in UTF-16 units of the character at i (a surrogate pair is one).
std::size_t CharLen(std::wstring_view s, std::size_t i) {
  return (IsHigh(s[i]) && i + 1 < s.size() && IsLow(s[i + 1])) ? 2 : 1;
}

// Sort weight of a non-digit character: blanks and ASCII punctuation before
// digits and letters, as the desktop's file views sort.
unsigned Weight(wchar_t c) {
  bool punct = c < 0x80 && !(c >= L'0' && c <= L'9') && !(c >= L'A' && c <= L'Z');
  return punct ? c : 0x100u + c;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool WildcardMatch(std::wstring_view p, std::wstring_view s) {
  std::size_t pi = 0, si = 0;
  std::size_t star = std::wstring_view::npos, resume = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi] == L'*') {
      star = ++pi;
      resume = si;
    } else if (pi < p.size() && p[pi] == L'?') {
      ++pi;
      si += CharLen(s, si);
    } else if (pi < p.size() && p[pi] == s[si]) {
      ++pi;
      ++si;
    } else if (star != std::wstring_view::npos) {
      pi = star;
      resume += CharLen(s, resume);
      si = resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == L'*') ++pi;
  return pi == p.size();
}

int NaturalCompare(std::wstring_view a, std::wstring_view b) {
  std::size_t i = 0, j = 0;
  int zeros = 0;  // tie-break: fewer leading zeros first ("2" before "02")
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t i0 = i, j0 = j;
      while (i < a.size() && a[i] == L'0') ++i;
      while (j < b.size() && b[j] == L'0') ++j;
      std::size_t ia = i, jb = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      std::size_t la = i - ia, lb = j - jb;
      if (la != lb) return la < lb ? -1 : 1;
      int c = a.substr(ia, la).compare(b.substr(jb, lb));
      if (c != 0) return c < 0 ? -1 : 1;
      if (!zeros) zeros = static_cast<int>(ia - i0) - static_cast<int>(jb - j0);
      continue;
    }
    if (a[i] != b[j]) {
      // A digit run sorts before any other character but blanks and punctuation.
      unsigned wa = IsDigit(a[i]) ? 0xFF : Weight(a[i]);
      unsigned wb = IsDigit(b[j]) ? 0xFF : Weight(b[j]);
      return wa < wb ? -1 : 1;
    }
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i == a.size() ? -1 : 1;
  return zeros < 0 ? -1 : zeros > 0 ? 1 : 0;
}

bool NaturalLess(std::wstring_view a, std::wstring_view b) { return NaturalCompare(a, b) < 0; }

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

void FileList::SetFolder(std::wstring folder) {
  if (listing_ && listing_->Folder() != folder) listing_.reset();
  folder_ = std::move(folder);
}

FolderListing& FileList::Listing() {
  if (!listing_) listing_ = FolderListing::Of(folder_);
  return *listing_;
}

void FileList::UseListing(std::shared_ptr<FolderListing> listing) {
  folder_ = listing->Folder();
  listing_ = std::move(listing);
}

std::vector<std::wstring> FileList::Names() const {
  std::vector<std::wstring> names;
  names.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) names.push_back(Name(i));
  return names;
}

unsigned long FileList::Refresh() {
  unsigned long error = 0;
  if (Take(Listing().Read(&error))) {
    for (std::size_t i = 0; i < entries_->Count(); ++i)
      if (Matches(entries_->Folded(i))) rows_.push_back(static_cast<std::uint32_t>(i));
  }
  return error;
}

unsigned long FileList::RefreshWith(FileList& also) {
  if (&also == this) return Refresh();
  if (also.folder_ != folder_) {
    unsigned long error = Refresh();
    unsigned long other = also.Refresh();
    return error ? error : other;
  }
  unsigned long error = 0;
  std::shared_ptr<const FolderEntries> entries = Listing().Read(&error);
  const bool mine = Take(entries), theirs = also.Take(entries);
  for (std::size_t i = 0; (mine || theirs) && i < entries->Count(); ++i) {
    std::wstring_view folded = entries->Folded(i);
    if (mine && Matches(folded)) rows_.push_back(static_cast<std::uint32_t>(i));
    if (theirs && also.Matches(folded)) also.rows_.push_back(static_cast<std::uint32_t>(i));
  }
  return error;
}

}  // namespace jj
