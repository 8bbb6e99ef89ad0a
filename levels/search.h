// The level search: the search text turned into the level list's pattern list.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace levels {

// The pattern list before anything was typed.
inline constexpr wchar_t kInitialPattern[] = L"*.j2l;*.J2L";

// "*" + lower(t) + "*.j2l;*" + upper(t) + "*.J2L", in the letter case of `locale`. The text goes in as it is:
// "*" and "?" in it act as wildcards and ";" starts a further pattern.
std::wstring SearchPattern(std::wstring_view text, const wchar_t* locale = LOCALE_NAME_USER_DEFAULT);

}  // namespace levels
