#include "episodes/episodefiles.h"

#include <windows.h>

#include <algorithm>

#include "files/fold.h"

namespace episodes {

std::vector<std::wstring> CompanionEntries(const std::wstring& name, const std::vector<std::wstring>& entries) {
  std::vector<std::wstring> found;
  const std::wstring key = jj::FoldCase(name);
  for (const std::wstring& entry : entries) {
    if (entry == name) return {entry};
    if (jj::FoldCase(entry) == key) found.push_back(entry);
  }
  std::sort(found.begin(), found.end());
  return found;
}

namespace {

std::wstring TwinsText(const std::vector<std::wstring>& twins) {
  std::wstring text = L"The game folder holds " + std::to_wstring(twins.size()) +
                      L" files whose names differ from it only in letter case:";
  for (std::size_t i = 0; i < twins.size(); ++i) text += (i ? L", \"" : L" \"") + twins[i] + L"\"";
  return text + L". Which of them belongs to the episode cannot be told, so none of them was deleted.";
}

}  // namespace

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
      failures.back().why.refused = TwinsText(found);
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
