// What Quenby does to the files of the game folder: read an episode's length,
// rename it to its other extension, delete it and its companion files. The
// file operations themselves are the safe ones of fileops.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"
#include "fileops.h"

namespace episodes {

using Outcome = jj::FileOutcome;

inline bool EpisodeLength(const std::wstring& folder, const std::wstring& name, std::uint64_t* bytes) {
  jj::FileFacts facts;
  if (!jj::ReadFacts(folder, name, &facts).done()) return false;
  *bytes = facts.bytes;
  return true;
}
inline Outcome RenameEpisode(const std::wstring& folder, const std::wstring& from, const std::wstring& to) {
  return jj::RenameInFolder(folder, from, to);
}
inline Outcome DeleteEpisode(const std::wstring& folder, const std::wstring& name) {
  return jj::DeleteInFolder(folder, name);
}
using jj::NameInFolder;

// One companion file that exists but could not be deleted.
struct CompanionFailure {
  std::wstring name;  // bare file name, as the table spells it
  Outcome why;
};

// Deletes the row's files in the table's order; absent files are skipped.
// Returns the files that exist but could not be deleted.
std::vector<CompanionFailure> DeleteCompanions(const std::wstring& folder, const CompanionRow& row);

}  // namespace episodes
