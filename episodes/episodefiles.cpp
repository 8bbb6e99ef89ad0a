#include "episodes/episodefiles.h"

#include <windows.h>

namespace episodes {

std::vector<CompanionFailure> DeleteCompanions(const std::wstring& folder, const CompanionRow& row) {
  std::vector<CompanionFailure> failures;
  for (const wchar_t* entry : row.entries) {
    std::wstring name(entry + 1);  // the entry's leading backslash is the separator
    jj::FileOutcome out = jj::DeleteInFolder(folder, name);
    if (out.error == ERROR_FILE_NOT_FOUND || out.error == ERROR_PATH_NOT_FOUND) continue;  // absent: skipped
    if (!out.done()) failures.push_back({std::move(name), std::move(out)});
  }
  return failures;
}

}  // namespace episodes
