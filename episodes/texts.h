// Quenby's own texts: the panel's placeholders and answers, the boxes it
// shows and the sentences of its reports ("%1", "%2": what jj::Filled puts in).
#pragma once

namespace episodes {

inline constexpr wchar_t kNoEpisode[] = L"(no episode selected)";
inline constexpr wchar_t kUnknownTitle[] = L"(episode title unknown)";
inline constexpr wchar_t kYes[] = L"Yes";
inline constexpr wchar_t kNo[] = L"No";

// The active-episode message: %1 is the number.
inline constexpr wchar_t kCanActivate[] = L"You can activate %1 more episodes.";
inline constexpr wchar_t kMustDeactivate[] = L"You need to deactivate %1 episodes.";

inline constexpr wchar_t kNoFileTitle[] = L"No episode file selected!";
inline constexpr wchar_t kSelectFile[] = L"Select an episode file and then try again.";
inline constexpr wchar_t kNoFileToActivate[] = L"You haven't yet selected an epidode file to activate!";
inline constexpr wchar_t kNoFileToDeactivate[] = L"You haven't yet selected an epidode file to deactivate!";
inline constexpr wchar_t kNoFileToDelete[] = L"You haven't yet selected an epidode file to delete!";

inline constexpr wchar_t kConfirmTitle[] = L"Are you sure?";
inline constexpr wchar_t kConfirmDelete[] =
    L"Are you sure you want to delete this episode?\r"
    L"If you are deleting an official Jazz Jackrabbit 2 episode, be aware that the only way to get it back is "
    L"to reinstall it from the Jazz Jackrabbit 2 CD.\r\r"
    L"Note that by clicking Yes, the episode file will be deleted immediately, bypassing the Recycle Bin.";
inline constexpr wchar_t kCompanionTitle[] = L"Other files too?";
inline constexpr wchar_t kCompanionQuestion[] =
    L"Episode deleted. Do you also want to delete all of its level and readme files?";

// Reports: %1 is the game folder or the episode file's path, %2 the new name.
inline constexpr wchar_t kCannotRead[] = L"Could not read the episode files in the game folder \"%1\".";
inline constexpr wchar_t kCannotActivate[] = L"Could not activate the episode file \"%1\" by renaming it to \"%2\".";
inline constexpr wchar_t kCannotDeactivate[] =
    L"Could not deactivate the episode file \"%1\" by renaming it to \"%2\".";
inline constexpr wchar_t kCannotDelete[] = L"Could not delete the episode file \"%1\".";
// The companion files that could not be deleted, each on a line of its own
// after the first: %1 is the game folder.
inline constexpr wchar_t kCompanionFileFailed[] =
    L"The episode file was deleted, but this file of the episode could not be deleted from the game folder \"%1\":";
inline constexpr wchar_t kCompanionFilesFailed[] =
    L"The episode file was deleted, but these files of the episode could not be deleted from the game folder "
    L"\"%1\":";

}  // namespace episodes
