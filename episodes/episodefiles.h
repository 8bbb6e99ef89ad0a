// What Quenby does to the files of the game folder: read an episode's length,
// rename it to its other extension, delete it and its companion files.
// Every path is the game folder, one backslash and a bare name, in the form
// that addresses exactly that name (jj::Exact). Nothing outside the game
// folder is renamed or deleted: a name that leads elsewhere (a link whose
// target the system would act on, as Wine does with a Unix symbolic link)
// is refused.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"

namespace episodes {

// Why a rename or deletion was not done.
struct Outcome {
  unsigned long error = 0;  // the system's error code; 0 when done (or refused for a link)
  std::wstring clash;       // rename: the name in the folder that the new name equals in letter case
  std::wstring leads_to;    // the name leads to this other file, so it was left alone
  bool done() const { return error == 0 && leads_to.empty(); }
};

// The length of the listed file `name`; false when it cannot be read.
bool EpisodeLength(const std::wstring& folder, const std::wstring& name, std::uint64_t* bytes);

// The name in the folder (any kind of entry) that equals `name` without
// regard to letter case, other than `except` itself; empty when none.
std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except);

// Where the system would act on when asked to rename or delete `name` of the
// folder, when that is not the entry `name` itself: a full path, else empty.
std::wstring LeadsElsewhere(const std::wstring& folder, const std::wstring& name);

// Renames `from` to `to` within the folder. Refused before renaming when the
// folder holds `to` in any letter case (other than `from` itself); never
// replaces a file.
Outcome RenameEpisode(const std::wstring& folder, const std::wstring& from, const std::wstring& to);

// Deletes the file `name` of the folder for good.
Outcome DeleteEpisode(const std::wstring& folder, const std::wstring& name);

// One companion file that exists but could not be deleted.
struct CompanionFailure {
  std::wstring name;  // bare file name, as the table spells it
  Outcome why;
};

// Deletes the row's files in the table's order; absent files are skipped.
// Returns the files that exist but could not be deleted.
std::vector<CompanionFailure> DeleteCompanions(const std::wstring& folder, const CompanionRow& row);

}  // namespace episodes
