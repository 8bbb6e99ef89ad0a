// The deletion of an episode's companion files, each through the safe
// deletion of fileops.h (which the window also uses for the episode itself,
// its rename and its length).
#pragma once
#include <string>
#include <vector>

#include "episodes/catalogue.h"
#include "files/fileops.h"

namespace episodes {

// One companion file that exists but could not be deleted.
struct CompanionFailure {
  std::wstring name;  // bare file name, as the folder spells it (as the table does for several twins)
  jj::FileOutcome why;
};

// The entries of a folder that the companion file `name` stands for: the
// one of exactly this name where the folder holds it, otherwise every entry
// whose name is the same as the file system folds names (on Windows, where
// names ignore letter case, at most one; a case-sensitive folder may hold
// several).
std::vector<std::wstring> CompanionEntries(const std::wstring& name, const std::vector<std::wstring>& entries);

// Deletes the row's files in the table's order, each under the name the
// folder gives it (as CompanionEntries finds it); absent files are skipped,
// and of several entries that differ from a file only in letter case none
// is deleted. Returns the files that exist but could not be deleted.
std::vector<CompanionFailure> DeleteCompanions(const std::wstring& folder, const CatalogueRow& row);

}  // namespace episodes
