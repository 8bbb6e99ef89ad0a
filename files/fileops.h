// Reading, renaming and deleting files of the game folder, safely. Each
// action opens the exact listed name once, without following a link where
// the system allows that, checks through that handle that it holds the
// listed entry of the game folder (a plain file, not a link, folder, device
// or FIFO, whose name in the folder equals the listed name letter for
// letter), and acts through the same handle, so that nothing can change
// between the check and the act. Anything else is refused and left alone.
#pragma once
#include <cstdint>
#include <string>

namespace jj {

// Why a read, rename or deletion was not done.
struct FileOutcome {
  unsigned long error = 0;  // the system's error code; 0 when done or refused (ERROR_FILE_NOT_FOUND
                            // also when refused because only a twin of another letter case is left)
  std::wstring refused;     // why the entry was left alone (whole sentences); empty when not refused
  std::wstring clash;       // rename: the entry of the folder that the new name would replace
  bool done() const { return error == 0 && refused.empty() && clash.empty(); }
};

// The character of `name` that keeps it from being one file of a folder
// (a backslash, a slash, or another character Windows does not allow in a
// file name), or 0 when there is none. A Linux folder can hold such names.
wchar_t ForbiddenChar(const std::wstring& name);
// The refusal for a name that holds `c` (as ForbiddenChar gives it).
std::wstring ForbiddenNameText(wchar_t c);

// What the panels show of a listed file.
struct FileFacts {
  std::uint64_t bytes = 0;
  std::uint64_t last_write = 0;  // FILETIME, UTC
};

// The length and time of last change of the file `name` of the folder, read
// through a checked handle.
FileOutcome ReadFacts(const std::wstring& folder, const std::wstring& name, FileFacts* facts);

// The entry of the folder (any kind, also hidden) whose name is the same
// name as `name` to the file system, other than `except`; empty when none.
std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except);

// Renames `from` to `to` within the folder. Never replaces anything: refused
// when the folder holds `to` as the file system folds names (any entry other
// than `from`, also a link that leads nowhere).
FileOutcome RenameInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to);

// Deletes the file `name` of the folder for good, and checks afterwards that
// this very file is gone (not another of a similar name).
FileOutcome DeleteInFolder(const std::wstring& folder, const std::wstring& name);

}  // namespace jj
