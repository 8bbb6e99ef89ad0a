#include "fileops.h"

#include <windows.h>

#include "filelist.h"
#include "paths.h"

namespace jj {

namespace {

std::wstring ExactPath(const std::wstring& folder, const std::wstring& name) {
  return Exact(InFolder(folder, name));
}

// The system's own full name of what `path` opens; empty when it cannot tell.
// `entry_itself`: a link is opened as itself, not followed.
std::wstring FinalPath(const std::wstring& path, bool entry_itself) {
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (entry_itself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, flags, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::wstring out(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
  if (n >= out.size()) {
    out.resize(n + 1);
    n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), FILE_NAME_NORMALIZED);
  }
  CloseHandle(h);
  out.resize(n < out.size() ? n : 0);
  while (!out.empty() && out.back() == L'\\') out.pop_back();
  return out;
}

// As LeadsElsewhere, with the folder's final path already known.
std::wstring LeadsElsewhereFrom(const std::wstring& folder_final, const std::wstring& folder,
                                const std::wstring& name) {
  if (folder_final.empty()) return {};
  std::wstring entry = FinalPath(ExactPath(folder, name), true);
  if (entry.empty()) return {};  // gone or unreadable: the operation itself reports it
  if (FoldCase(entry) == FoldCase(folder_final + L"\\" + name)) return {};
  // Shown without the "\\?\" prefix.
  if (entry.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + entry.substr(8);
  if (entry.rfind(L"\\\\?\\", 0) == 0) return entry.substr(4);
  return entry;
}

FileOutcome DeleteChecked(const std::wstring& folder_final, const std::wstring& folder, const std::wstring& name) {
  FileOutcome out;
  out.leads_to = LeadsElsewhereFrom(folder_final, folder, name);
  if (!out.leads_to.empty()) return out;
  std::wstring path = ExactPath(folder, name);
  if (!DeleteFileW(path.c_str())) {
    out.error = GetLastError();
  } else if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    // Reported as deleted but still there: Wine reports success when the
    // folder does not let it remove the name (no write permission, or the
    // Linux immutable flag). A file whose deletion is only pending until
    // another program closes it cannot be opened any more and counts as gone.
    out.error = ERROR_ACCESS_DENIED;
  }
  return out;
}

}  // namespace

bool FileLength(const std::wstring& folder, const std::wstring& name, std::uint64_t* bytes) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(ExactPath(folder, name).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  *bytes = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::wstring NameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& except) {
  const std::wstring key = FoldCase(name);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(ExactPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::wstring found;
  do {
    if (except != data.cFileName && FoldCase(data.cFileName) == key) {
      found = data.cFileName;
      break;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

std::wstring LeadsElsewhere(const std::wstring& folder, const std::wstring& name) {
  return LeadsElsewhereFrom(FinalPath(Exact(folder), false), folder, name);
}

FileOutcome RenameInFolder(const std::wstring& folder, const std::wstring& from, const std::wstring& to) {
  FileOutcome out;
  out.clash = NameInFolder(folder, to, from);
  if (!out.clash.empty()) {
    out.error = ERROR_ALREADY_EXISTS;
    return out;
  }
  out.leads_to = LeadsElsewhere(folder, from);
  if (!out.leads_to.empty()) return out;
  // No MOVEFILE_REPLACE_EXISTING: an existing file of the new name is never replaced.
  if (!MoveFileExW(ExactPath(folder, from).c_str(), ExactPath(folder, to).c_str(), 0)) out.error = GetLastError();
  return out;
}

FolderDeleter::FolderDeleter(std::wstring folder)
    : folder_(std::move(folder)), folder_final_(FinalPath(Exact(folder_), false)) {}

FileOutcome FolderDeleter::Delete(const std::wstring& name) const { return DeleteChecked(folder_final_, folder_, name); }

FileOutcome DeleteInFolder(const std::wstring& folder, const std::wstring& name) {
  return FolderDeleter(folder).Delete(name);
}

}  // namespace jj
