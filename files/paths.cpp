#include "files/paths.h"

#include <windows.h>

namespace jj {

namespace {

// The length of the root at the start of `path` with its backslash: "E:\",
// "\\server\share\", "\\?\E:\", "\\?\UNC\server\share\", "\\?\Volume{...}\"; 0
// when it starts with none, npos when it starts with one unfinished.
std::size_t RootLength(const std::wstring& path) {
  auto after = [&](std::size_t from, int parts) {
    for (; parts > 0; --parts) {
      from = path.find(L'\\', from);
      if (from == std::wstring::npos) return std::wstring::npos;
      ++from;
    }
    return from;
  };
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return after(8, 2);
  if (path.rfind(L"\\\\?\\", 0) == 0) return after(4, 1);
  if (path.rfind(L"\\\\", 0) == 0) return after(2, 2);
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
  return 0;
}

}  // namespace

std::wstring ExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return FolderOf(path);
}

std::wstring FolderOf(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  std::size_t root = RootLength(path);
  return path.substr(0, root != std::wstring::npos && slash < root ? root : slash);
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

std::wstring Exact(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

std::wstring SystemProgram(const std::wstring& file) {
  std::wstring folder(MAX_PATH, L'\0');
  UINT n = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (n > folder.size()) {
    folder.resize(n);
    n = GetSystemDirectoryW(folder.data(), n);
  }
  folder.resize(n);
  return InFolder(folder, file);
}

}  // namespace jj
