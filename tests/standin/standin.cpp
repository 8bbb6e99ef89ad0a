// A stand-in for a started program (the game, the editor, notepad): it appends
// the raw command line it received, its working folder and its show state to
// "<its own path without .exe>.started.txt", as three UTF-8 lines, and ends.
#include <windows.h>

#include <string>

namespace {

void Append(HANDLE file, const std::wstring& text) {
  std::wstring line = text + L"\n";
  int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), n, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[32768];
  DWORD n = GetModuleFileNameW(nullptr, self, 32768);
  std::wstring record(self, n);
  if (record.size() > 4) record.resize(record.size() - 4);
  record += L".started.txt";
  wchar_t folder[32768];
  DWORD m = GetCurrentDirectoryW(32768, folder);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  GetStartupInfoW(&si);
  int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
  // Several starts may write at once: take the file for ourselves, retrying.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int i = 0; i < 200 && file == INVALID_HANDLE_VALUE; ++i) {
    file = CreateFileW(record.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return 1;
  Append(file, GetCommandLineW());
  Append(file, std::wstring(folder, m));
  Append(file, std::to_wstring(show));
  CloseHandle(file);
  return 0;
}
