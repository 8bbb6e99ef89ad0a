// The file list: a folder, a pattern list and the matching bare file names.
// Patterns are matched against the long name only (never against a generated
// short name), without regard to letter case; entries are sorted in natural
// order ("night2" before "night10"), each file once; folders, hidden and
// system files are left out.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "fold.h"

namespace jj {

// The patterns of a list separated by ";" (empty pieces are kept: they match
// nothing but the empty name, which no file has).
std::vector<std::wstring> SplitPatterns(std::wstring_view list);

// "*" matches any run of characters, "?" exactly one; everything else matches
// itself. Both arguments must already be folded.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

// Natural order of two folded names: runs of digits compare by their value.
bool NaturalLess(std::wstring_view a, std::wstring_view b);

class FileList {
 public:
  void SetFolder(std::wstring folder) { folder_ = std::move(folder); }
  const std::wstring& Folder() const { return folder_; }
  void SetPattern(std::wstring pattern);
  const std::wstring& Pattern() const { return pattern_; }

  // Re-reads the folder. On failure the list is empty and the system's
  // error code is returned (0 on success, also for an empty folder).
  unsigned long Refresh();
  // Re-reads this list and `also`, another list over the same folder (such
  // as a hidden list that is only counted), in one pass over the folder:
  // each ends as its own Refresh() would leave it, both taken at the same
  // moment. A list over another folder is re-read on its own.
  unsigned long RefreshWith(FileList& also);

  std::size_t Count() const { return names_.size(); }
  const std::wstring& Name(std::size_t i) const { return names_[i]; }
  const std::vector<std::wstring>& Names() const { return names_; }

 private:
  std::wstring folder_;
  std::wstring pattern_;
  std::vector<std::wstring> folded_patterns_;
  std::vector<std::wstring> names_;
};

}  // namespace jj
