#include "ui/system.h"

#include <atomic>
#include <cwchar>

namespace jj {

namespace {

// The functions newer than Windows 7 SP1 without updates, each in the DLL
// that has it.
enum Newer { kSetDefaultDllDirectories, kGetDpiForWindow, kGetDpiForMonitor, kAdjustWindowRectExForDpi,
             kGetSystemMetricsForDpi, kEnableNonClientDpiScaling, kNewerCount };

struct NewerFunction {
  const wchar_t* dll;
  const char* name;
};

constexpr NewerFunction kNewer[kNewerCount] = {
    {L"kernel32.dll", "SetDefaultDllDirectories"},  // Windows 8; 7 with KB2533623
    {L"user32.dll", "GetDpiForWindow"},             // Windows 10 1607
    {L"shcore.dll", "GetDpiForMonitor"},            // Windows 8.1
    {L"user32.dll", "AdjustWindowRectExForDpi"},    // Windows 10 1607
    {L"user32.dll", "GetSystemMetricsForDpi"},      // Windows 10 1607
    {L"user32.dll", "EnableNonClientDpiScaling"},   // Windows 10 1607
};

// Each looked up at its first use: null until then, `missing` where the
// system lacks it. Plain atomics, so that the lookups work from the loader's
// callbacks, before the runtime has started.
char missing;
std::atomic<void*> found[kNewerCount];
std::atomic<bool> windows7{false};
std::atomic<UINT> system_dpi{0};

template <typename Function>
Function Find(Newer which) {
  if (windows7.load(std::memory_order_relaxed)) return nullptr;
  void* proc = found[which].load(std::memory_order_acquire);
  if (!proc) {
    // kernel32 and user32 are loaded by the time anything asks for them.
    HMODULE dll = GetModuleHandleW(kNewer[which].dll);
    if (!dll) dll = LoadSystemDll(kNewer[which].dll);
    proc = dll ? reinterpret_cast<void*>(GetProcAddress(dll, kNewer[which].name)) : nullptr;
    if (!proc) proc = &missing;
    found[which].store(proc, std::memory_order_release);
  }
  return proc == &missing ? nullptr : reinterpret_cast<Function>(proc);
}

UINT SystemDpi() {
  UINT dpi = system_dpi.load(std::memory_order_relaxed);
  if (!dpi) {
    HDC screen = GetDC(nullptr);
    int logical = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    dpi = logical > 0 ? static_cast<UINT>(logical) : kBaseDpi;
    system_dpi.store(dpi, std::memory_order_relaxed);
  }
  return dpi;
}

}  // namespace

HMODULE LoadSystemDll(const wchar_t* name) {
  // The narrowed search and its flags come with the same update.
  if (Find<BOOL(WINAPI*)(DWORD)>(kSetDefaultDllDirectories))
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // A DLL that the program's manifest takes from the side-by-side store: a
  // full path would load the system folder's older copy instead, while the
  // name is answered by the store before any folder is searched.
  ACTCTX_SECTION_KEYED_DATA redirected{};
  redirected.cbSize = sizeof redirected;
  if (FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name, &redirected))
    return LoadLibraryExW(name, nullptr, 0);
  // By its full path; the DLLs it needs are then looked for in its own
  // folder first, not in the program's.
  wchar_t path[MAX_PATH + 64];
  UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || wcslen(name) > 62) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  path[n] = L'\\';
  wcscpy(path + n + 1, name);
  return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool NarrowDllSearch() {
  auto narrow = Find<BOOL(WINAPI*)(DWORD)>(kSetDefaultDllDirectories);
  return narrow && narrow(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

UINT WindowDpi(HWND window) {
  if (!window) return SystemDpi();
  if (auto dpi_for_window = Find<UINT(WINAPI*)(HWND)>(kGetDpiForWindow)) {
    UINT dpi = dpi_for_window(window);
    return dpi ? dpi : SystemDpi();
  }
  if (auto dpi_for_monitor = Find<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)>(kGetDpiForMonitor)) {
    // The effective DPI (0) of the monitor that holds most of the window; the
    // system's where the program is not aware of each monitor.
    HWND top = GetAncestor(window, GA_ROOT);
    UINT x = 0, y = 0;
    if (SUCCEEDED(dpi_for_monitor(MonitorFromWindow(top ? top : window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && x)
      return x;
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD ex_style, UINT dpi) {
  if (auto adjust = Find<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(kAdjustWindowRectExForDpi))
    adjust(rect, style, FALSE, ex_style, dpi);
  else
    AdjustWindowRectEx(rect, style, FALSE, ex_style);
}

int SystemMetricForDpi(int index, UINT dpi) {
  if (auto metric = Find<int(WINAPI*)(int, UINT)>(kGetSystemMetricsForDpi)) return metric(index, dpi);
  return GetSystemMetrics(index);
}

void ScaleFrameWithDpi(HWND window) {
  // Fails, harmlessly, where the program is aware of each monitor in the
  // newer way (Windows 10 1703 and later), which scales every frame.
  if (auto scale = Find<BOOL(WINAPI*)(HWND)>(kEnableNonClientDpiScaling)) scale(window);
}

void PretendWindows7(bool on) { windows7.store(on, std::memory_order_relaxed); }

FARPROC SystemDllProc(const wchar_t* dll, const char* name) {
  HMODULE module = LoadSystemDll(dll);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace jj
