// The rules for names that the file lists follow: a list's patterns, their
// wildcard match and the natural order of names. No file system here.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace jj {

// The patterns of a list separated by ";" (empty pieces are kept: they match
// nothing but the empty name, which no file has).
std::vector<std::wstring> SplitPatterns(std::wstring_view list);

// "*" matches any run of characters, "?" exactly one; everything else matches
// itself. Both arguments must already be folded.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

// Natural order of two folded names as a three-way comparison (negative,
// zero or positive): runs of digits compare by their value.
int NaturalCompare(std::wstring_view a, std::wstring_view b);

}  // namespace jj
