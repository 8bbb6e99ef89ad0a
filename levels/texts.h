// The level browser's own message texts.
#pragma once

namespace levels {

inline constexpr wchar_t kNoLevelTitle[] = L"No level selected!";
inline constexpr wchar_t kSelectLevel[] = L"Select a level and then try again.";
inline constexpr wchar_t kNoLevelToDelete[] = L"You haven't yet selected a level to delete!";
inline constexpr wchar_t kNoLevelSelected[] = L"(no level selected)";
// Shown in the date label when the time of a picked file cannot be read.
inline constexpr wchar_t kDateUnknown[] = L"(date unknown: the file cannot be read)";

inline constexpr wchar_t kConfirmTitle[] = L"Are you sure?";
inline constexpr wchar_t kConfirmDelete[] =
    L"Are you sure you want to delete this level?\r\r"
    L"If you are deleting an official Jazz Jackrabbit 2 level, the only way to get it back is to "
    L"reinstall it from the Jazz Jackrabbit 2 CD.\r"
    L"Note that the tileset and music files used by this level will not be deleted.\r"
    L"By clicking Yes, the level will be deleted immediately, bypassing the Recycle Bin.";

// Reports ("%1": the folder or the level's path, as jj::Filled puts it in).
inline constexpr wchar_t kCannotRead[] = L"Could not read the levels in the folder \"%1\".";
inline constexpr wchar_t kCannotReadFacts[] = L"Could not read the size and date of the level \"%1\".";
inline constexpr wchar_t kCannotStart[] = L"Could not start the level \"%1\".";
inline constexpr wchar_t kCannotDelete[] = L"Could not delete the level \"%1\".";

}  // namespace levels
