// The launchers' own message texts ("%1": the program's path, as jj::Filled
// puts it in).
#pragma once

namespace launch {

inline constexpr wchar_t kNoLevelToLaunch[] = L"You haven't yet selected a level to launch Jazz2 with!";
inline constexpr wchar_t kNoLevelForEditor[] = L"You haven't yet selected a level to open JCS with!";

inline constexpr wchar_t kCannotStartGame[] = L"Could not start the game \"%1\".";
inline constexpr wchar_t kCannotStartEditor[] = L"Could not start the level editor \"%1\".";

}  // namespace launch
