#include "text.h"

#include <windows.h>

namespace jj {

std::wstring SizeText(std::uint64_t bytes) {
  return std::to_wstring(bytes) + L" bytes (" + std::to_wstring(bytes / 1024) + L" kilobytes)";
}

std::wstring SystemMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n && buffer) text.assign(buffer, n);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) text = L"error " + std::to_wstring(code);
  return text;
}

}  // namespace jj
