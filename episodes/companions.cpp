#include "episodes/companions.h"

#include <windows.h>

#include <algorithm>

namespace episodes {

std::vector<std::wstring> CompanionEntries(const std::wstring& name, const std::vector<std::wstring>& entries) {
  if (std::find(entries.begin(), entries.end(), name) != entries.end()) return {name};
  std::vector<std::wstring> found = jj::SameNames(name, entries);
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<CompanionFailure> DeleteCompanions(const std::wstring& folder, const CatalogueRow& row) {
  std::vector<CompanionFailure> failures;
  std::vector<std::wstring> entries;
  bool listed = jj::EntriesOf(folder, &entries);
  for (const wchar_t* entry : row.companions) {
    std::wstring name(entry + 1);  // the entry's leading backslash is the separator
    // Where the folder cannot be listed, the deletion of the exact name says why.
    std::vector<std::wstring> found = listed ? CompanionEntries(name, entries) : std::vector{name};
    if (found.size() > 1) {
      failures.push_back({name, {}});
      failures.back().why.refused = jj::Refusal::kTwins;
      failures.back().why.name = name;
      failures.back().why.others = std::move(found);
      continue;
    }
    if (found.empty()) continue;  // absent: skipped
    jj::FileOutcome out = jj::DeleteInFolder(folder, found[0]);
    if (out.error == ERROR_FILE_NOT_FOUND || out.error == ERROR_PATH_NOT_FOUND) continue;  // gone meanwhile
    if (!out.done()) failures.push_back({found[0], std::move(out)});
  }
  return failures;
}

}  // namespace episodes
