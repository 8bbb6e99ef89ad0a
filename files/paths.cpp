#include "files/paths.h"

#include <windows.h>

namespace jj {

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
  auto slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) path.resize(slash);
  return path;
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
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
