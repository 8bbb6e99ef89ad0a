// Letter case, the one set for the whole program: the fold, for matching
// names as the file system compares them, and lower and upper case by the
// rules of a language, for texts the user reads or types.
//
// The fold is one table for the whole program. Each UTF-16 unit is upper-cased on its own, one unit to one unit,
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
// The same into `out`, which keeps its storage from call to call (for
// folding many names one after the other).
void FoldInto(std::wstring_view text, std::wstring& out);

// Lower and upper case by the rules of the locale `locale` (a locale name;
// null for the user's), as the system maps a text; the text as it is where
// the system cannot map it. Never for matching names: that is the fold.
std::wstring LowerCase(std::wstring_view text, const wchar_t* locale = nullptr);
std::wstring UpperCase(std::wstring_view text, const wchar_t* locale = nullptr);

}  // namespace jj
