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
  std::wstring name;  // bare file name, as the table spells it
  jj::FileOutcome why;
};

// Deletes the row's files in the table's order; absent files are skipped.
// Returns the files that exist but could not be deleted.
std::vector<CompanionFailure> DeleteCompanions(const std::wstring& folder, const CompanionRow& row);

}  // namespace episodes
