// A demo stand-in for the game and the level editor: copied into the demo
// game folder as Jazz2.exe and JCS.exe, it shows in a message box the raw
// command line it was started with, its working folder and its show state,
// so that a launch can be checked by eye.
#include <windows.h>

#include <string>

namespace {

std::wstring ShowName(int show) {
  switch (show) {
    case SW_HIDE: return L"SW_HIDE";
    case SW_SHOWNORMAL: return L"SW_SHOWNORMAL";
    case SW_SHOWMINIMIZED: return L"SW_SHOWMINIMIZED";
    case SW_SHOWMAXIMIZED: return L"SW_SHOWMAXIMIZED";
    case SW_SHOWNOACTIVATE: return L"SW_SHOWNOACTIVATE";
    case SW_SHOW: return L"SW_SHOW";
    case SW_MINIMIZE: return L"SW_MINIMIZE";
    case SW_SHOWMINNOACTIVE: return L"SW_SHOWMINNOACTIVE";
    case SW_SHOWNA: return L"SW_SHOWNA";
    case SW_RESTORE: return L"SW_RESTORE";
    case SW_SHOWDEFAULT: return L"SW_SHOWDEFAULT";
    default: return L"other";
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[32768];
  DWORD n = GetModuleFileNameW(nullptr, self, 32768);
  std::wstring name(self, n);
  name = name.substr(name.find_last_of(L"\\/") + 1);

  wchar_t folder[32768];
  DWORD m = GetCurrentDirectoryW(32768, folder);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  GetStartupInfoW(&si);
  std::wstring show = (si.dwFlags & STARTF_USESHOWWINDOW)
                          ? std::to_wstring(si.wShowWindow) + L" (" + ShowName(si.wShowWindow) + L")"
                          : L"not given (STARTF_USESHOWWINDOW not set)";

  std::wstring text = L"Command line:\r\n" + std::wstring(GetCommandLineW()) +
                      L"\r\n\r\nWorking folder:\r\n" + std::wstring(folder, m) +
                      L"\r\n\r\nShow state: " + show;
  std::wstring title = name + L" (demo stand-in)";
  MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
  return 0;
}
