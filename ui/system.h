// What the programs ask of the system beyond Windows 7 SP1 without updates:
// every such function is looked up here at run time, once, and each has its
// fallback where the running system lacks it. Nothing else in the programs
// imports or delay-loads a function newer than Windows 7, nor passes a flag
// that Windows 7 refuses.
#pragma once
#include <windows.h>

namespace jj {

// Loads one of the system's own DLLs ("shell32.dll") from the system folder,
// never from the program's folder (the game folder): through the narrowed
// search where the system has it (Windows 8 and later, Windows 7 with update
// KB2533623); otherwise by its full path in the system folder, or, for a DLL
// that the program's manifest takes from the side-by-side store (the common
// controls), by its name, which the store answers. Null, with the system's
// error, when it cannot be loaded.
HMODULE LoadSystemDll(const wchar_t* name);

// A function of one of the system's DLLs, bound by name, the DLL loaded as
// LoadSystemDll does; null when either is missing.
FARPROC SystemDllProc(const wchar_t* dll, const char* name);

// Takes the program's folder out of the search for every DLL loaded by name
// from now on, the system's own loads included. False where the system
// cannot (Windows 7 without that update): then only LoadSystemDll and the
// delayed imports keep to the system folder.
bool NarrowDllSearch();

// The DPI that the programs' lengths in pixels are given at (100 %), and the
// one a window or the screen is taken for when the system tells none.
inline constexpr UINT kBaseDpi = 96;

// A length in pixels at kBaseDpi, in pixels at `dpi`, rounded to the nearest.
inline int ScaleToDpi(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), kBaseDpi); }

// The DPI a window is drawn at: its own (Windows 10 1607 and later), else its
// monitor's (Windows 8.1 and 10 before 1607, where the program is aware of
// each monitor), else the system's (Windows 7 and 8). The system's for null.
UINT WindowDpi(HWND window);

// AdjustWindowRectEx for a window at `dpi`: with the frame's metrics at that
// DPI where the system scales a window's frame to its DPI, and at the
// system's DPI before (where the system draws every frame at that one).
void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD ex_style, UINT dpi);

// GetSystemMetrics for a window at `dpi`, likewise.
int SystemMetricForDpi(int index, UINT dpi);

// For a window just made (WM_NCCREATE): its caption and frame follow its DPI
// where the system leaves that to the program (Windows 10 1607, which the
// manifest has aware of each monitor in the older way).
void ScaleFrameWithDpi(HWND window);

// Tests: while on, every function newer than Windows 7 is taken for missing,
// as on Windows 7 SP1 without updates, and the fallbacks run.
void PretendWindows7(bool on);

}  // namespace jj
