#include "ui/starter.h"

#include <string>
#include <vector>

namespace jj {

namespace {

// The shell library is bound by name at the first link that is opened, from
// the system folder only: imported at load time it would bring its own
// imports in before the program could narrow the DLL search, and those are
// looked up in the program's folder first.
using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

ShellExecuteProc ShellExecuteFromSystem() {
  static ShellExecuteProc proc = [] {
    HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shell ? reinterpret_cast<ShellExecuteProc>(GetProcAddress(shell, "ShellExecuteW")) : nullptr;
  }();
  return proc;
}

class SystemStart : public Starter {
 public:
  unsigned long Start(const StartRequest& r) override {
    // Callers refuse these with a message of their own first (StartRefusal);
    // the system must never be asked, since Wine damages the caller's heap.
    if (r.program.size() > kMaxProgramPath || r.working_folder.size() > kMaxWorkingFolder ||
        r.command_line.size() > kMaxCommandLine)
      return ERROR_FILENAME_EXCED_RANGE;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(r.show);
    PROCESS_INFORMATION pi{};
    std::vector<wchar_t> line(r.command_line.begin(), r.command_line.end());
    line.push_back(L'\0');
    if (!CreateProcessW(r.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        r.working_folder.empty() ? nullptr : r.working_folder.c_str(), &si, &pi))
      return GetLastError();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
  }

  void Open(HWND owner, const std::wstring& url, const std::wstring& folder) override {
    // The handler is started in the game folder where the system can start a
    // program there at all; in a longer one it keeps the current folder.
    const wchar_t* in = folder.size() <= kMaxWorkingFolder ? folder.c_str() : nullptr;
    if (ShellExecuteProc shell_execute = ShellExecuteFromSystem())
      shell_execute(owner, L"Open", url.c_str(), nullptr, in, SW_SHOWNORMAL);
  }
};

}  // namespace

Starter& SystemStarter() {
  static SystemStart starter;
  return starter;
}

bool FitsCodePage(std::wstring_view text) {
  if (text.empty()) return true;
  int size = static_cast<int>(text.size());
  UINT acp = GetACP();
  // UTF-8 as the ANSI code page takes no default-character flag, but refuses broken text.
  DWORD flags = acp == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* used = acp == CP_UTF8 ? nullptr : &used_default;
  int n = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, used);
  if (n <= 0 || used_default) return false;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  n = WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), n, nullptr, used);
  if (n <= 0 || used_default) return false;
  // Back again: only an exact round trip counts.
  int m = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
  if (m <= 0) return false;
  std::wstring back(static_cast<std::size_t>(m), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), n, back.data(), m);
  return back == text;
}

std::wstring CodePageRefusal(const std::wstring& what, const std::wstring& text, const std::wstring& program) {
  return L"The " + what + L" \"" + text + L"\" holds characters that cannot be passed to " + program +
         L": it would receive a different " + what + L".\r\rNothing was started. Use only characters of the "
         L"system's language and then try again.";
}

std::wstring StartRefusal(const StartRequest& request, const std::wstring& program,
                          std::initializer_list<LinePart> parts) {
  const std::wstring shorter =
      L"\r\rNothing was started. Move the game to a folder with a shorter path and then try again.";
  if (request.program.size() > kMaxProgramPath)
    return L"The path of " + program + L", \"" + request.program + L"\", is " +
           std::to_wstring(request.program.size()) + L" characters long: Windows starts a program only from a "
           L"path of at most " + std::to_wstring(kMaxProgramPath) + L" characters." + shorter;
  if (request.working_folder.size() > kMaxWorkingFolder)
    return L"The game folder \"" + request.working_folder + L"\" is " +
           std::to_wstring(request.working_folder.size()) + L" characters long: Windows starts a program only "
           L"in a folder of at most " + std::to_wstring(kMaxWorkingFolder) + L" characters, so " + program +
           L" cannot be started there." + shorter;
  if (request.command_line.size() > kMaxCommandLine)
    return L"The command line for " + program + L" would be " + std::to_wstring(request.command_line.size()) +
           L" characters long: Windows passes a program at most " + std::to_wstring(kMaxCommandLine) +
           L" characters.\r\rNothing was started.";
  if (FitsCodePage(request.command_line)) return {};
  for (const LinePart& part : parts)
    if (!FitsCodePage(part.text)) return CodePageRefusal(part.what, part.text, program);
  return CodePageRefusal(L"command line", request.command_line, program);
}

}  // namespace jj
