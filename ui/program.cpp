#include "ui/program.h"

#include <commctrl.h>

#include <exception>

#include "files/paths.h"
#include "ui/report.h"
#include "ui/system.h"

namespace jj {

namespace {

// No DLL is ever taken from the game folder: every DLL loaded by name, by the
// program or by the system's DLLs on its behalf, comes from the system folder.
// This runs as a TLS callback, which the loader calls once the program's own
// imports are in and before its start-up code runs, so that nothing the
// runtime or a constructor loads can come from the program's folder. The
// program imports only the system's kernel and the C runtime, which the
// loader has in before that; the window, drawing and common control DLLs
// are loaded at their first use, from the system folder (delayload.cpp).
// Where the system cannot narrow the search (Windows 7 without update
// KB2533623), the program loads its DLLs by their full paths in the system
// folder instead (system.h). Every program links this file through
// RunProgram, and with it this callback.
void NTAPI NarrowDllSearchAtStart(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_PROCESS_ATTACH) NarrowDllSearch();
}

}  // namespace

extern "C" {
// After the runtime's own callbacks (.CRT$XLC, .CRT$XLD), in the list the
// loader walks.
__attribute__((section(".CRT$XLF"), used)) PIMAGE_TLS_CALLBACK jj_narrow_dll_search = NarrowDllSearchAtStart;
}

int RunProgram(const wchar_t* title, int show, int focus_id,
               const std::function<std::unique_ptr<MainWindow>(std::shared_ptr<FolderListing>)>& make) {
  // Narrowed already by the callback above; once more in case a loader skips TLS callbacks.
  NarrowDllSearch();
  // The game folder is read while the DLLs load and the window is made: the
  // window's first read finds it read, unless something changed since.
  auto game_folder = std::make_shared<FolderListing>(ExeFolder());
  game_folder->ReadAhead();
  // DLLs that the system's own DLLs load later on their own, looking in the
  // program's folder (the game folder) first, which costs a reading of the
  // whole folder on some systems: loaded here from the system folder, they
  // are found loaded then.
  for (const wchar_t* dll : {L"msimg32.dll", L"ole32.dll"}) LoadSystemDll(dll);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    std::unique_ptr<MainWindow> window = make(std::move(game_folder));
    window->SetQuitOnClose(true);
    window->Show(show, focus_id);
    return RunMessageLoop();
  } catch (const std::exception&) {
    jj::Warn(SystemPrompter(), nullptr, title, std::wstring(title) + L" could not create its window.");
    return 1;
  }
}

}  // namespace jj
