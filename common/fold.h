// Letter case as the file system compares names: one table for the whole
// program. Each UTF-16 unit is upper-cased on its own, one unit to one unit,
// with no regard to the user's language: final sigma and sigma both become
// capital sigma, the dz digraphs the capital digraph, the dotless i becomes
// I while the dotted capital I stays itself, and the German sharp s stays
// itself. Two names are the same name of a folder when their folds are equal.
#pragma once
#include <string>
#include <string_view>

namespace jj {

wchar_t FoldChar(wchar_t c);

// The fold of a whole name.
std::wstring FoldCase(std::wstring_view text);

}  // namespace jj
