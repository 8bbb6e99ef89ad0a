// Quenby: manages the episode files of the game folder it lies in.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "about.h"
#include "frmglavni.h"
#include "paths.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // No DLL is ever taken from the game folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    episodes::frmGlavni window(jj::ExeFolder(), jj::SystemPrompter(), jj::SystemStarter());
    window.SetQuitOnClose(true);
    UINT dpi = window.Dpi();
    SendMessageW(window.hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(jj::ProgramIcon(dpi)));
    SendMessageW(window.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(jj::SmallIcon(dpi)));
    window.Show(show, episodes::frmGlavni::IDC_File1);
    return jj::RunMessageLoop();
  } catch (const std::exception&) {
    MessageBoxW(nullptr, L"Quenby could not create its window.", L"Quenby", MB_OK | MB_ICONERROR);
    return 1;
  }
}
