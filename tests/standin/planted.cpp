// A DLL that must never be loaded: planted in a game folder under the name of
// a system DLL (shcore.dll), it appends the path of the program that loaded it
// to "<its own path>.loaded.txt" and otherwise does nothing.
#include <windows.h>

namespace {

wchar_t self_path[32768];
wchar_t program_path[32768];

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  DWORD n = GetModuleFileNameW(self, self_path, 32000);
  lstrcpyW(self_path + n, L".loaded.txt");
  HANDLE file = CreateFileW(self_path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD m = GetModuleFileNameW(nullptr, program_path, 32000);
    program_path[m++] = L'\n';
    DWORD written = 0;
    WriteFile(file, program_path, m * sizeof(wchar_t), &written, nullptr);
    CloseHandle(file);
  }
  return TRUE;
}
