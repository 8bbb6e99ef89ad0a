// Renaming and deleting files of the game folder, safely. Every path is the
// folder, one backslash and a bare name, in the form that addresses exactly
// that name (jj::Exact). Nothing outside the folder is renamed or deleted: a
// name that leads elsewhere (a link whose target the system would act on, as
// Wine does with a Unix symbolic link) is refused.
#pragma once
#include <cstdint>
#include <string>

namespace jj {

// Why a rename or deletion was not done.
struct FileOutcome {
  unsigned long error = 0;  // the system's error code; 0 when done (or refused for a link)
  std::wstring clash;       // rename: the name in the folder that the new name equals in letter case
  std::wstring leads_to;    // the name leads to this other file, so it was left alone
  bool done() const { return error == 0 && leads_to.empty(); }
};

// The length of the file `name` of the folder; false when it cannot be read.
bool FileLength(const std::wstring& folder, const std::wstring& name, std::uint64_t* bytes);

// The name in the folder (any kind of entry) that equals `name` without
// regard to letter case, other than `except` itself; empty when none.
std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except);

// Where the system would act on when asked to rename or delete `name` of the
// folder, when that is not the entry `name` itself: a full path, else empty.
std::wstring LeadsElsewhere(const std::wstring& folder, const std::wstring& name);

// Renames `from` to `to` within the folder. Refused before renaming when the
// folder holds `to` in any letter case (other than `from` itself); never
// replaces a file.
FileOutcome RenameInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to);

// Deletes files of one folder for good, each checked to be gone afterwards.
class FolderDeleter {
 public:
  explicit FolderDeleter(std::wstring folder);
  FileOutcome Delete(const std::wstring& name) const;

 private:
  std::wstring folder_;
  std::wstring folder_final_;  // the system's own full name of the folder
};

// Deletes the file `name` of the folder for good.
FileOutcome DeleteInFolder(const std::wstring& folder, const std::wstring& name);

}  // namespace jj
