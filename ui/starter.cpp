#include "ui/starter.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/system.h"

namespace jj {

namespace {

// The shell library is bound by name at its first use, from the system
// folder only: imported at load time it would bring its own imports in before
// the program could narrow the DLL search, and those are looked up in the
// program's folder first. The same for COM, which the shell needs.
using ShellExecuteExProc = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
using CoInitializeExProc = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeProc = void(WINAPI*)();

template <typename Proc>
Proc Bound(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Proc>(SystemDllProc(dll, name));
}

// COM as the shell asks for it, for one call into the shell: a
// single-threaded apartment without OLE1 DDE, unless this thread has COM
// already (then as it is). Undone afterwards only where it was done here.
class ShellApartment {
 public:
  ShellApartment() {
    static const auto init = Bound<CoInitializeExProc>(L"ole32.dll", "CoInitializeEx");
    initialised_ = init && SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ShellApartment() {
    static const auto uninit = Bound<CoUninitializeProc>(L"ole32.dll", "CoUninitialize");
    if (initialised_ && uninit) uninit();
  }
  ShellApartment(const ShellApartment&) = delete;
  ShellApartment& operator=(const ShellApartment&) = delete;

 private:
  bool initialised_ = false;
};

// ShellExecuteExW, finished before it returns (the program may end right
// after a start, and COM is undone then). 0 or the system's error code.
unsigned long RunShell(SHELLEXECUTEINFOW& info) {
  static const auto shell_execute = Bound<ShellExecuteExProc>(L"shell32.dll", "ShellExecuteExW");
  if (!shell_execute) return ERROR_PROC_NOT_FOUND;
  ShellApartment com;
  info.cbSize = sizeof info;
  info.fMask |= SEE_MASK_NOASYNC;
  if (shell_execute(&info)) return 0;
  DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

unsigned long CreateProcessCall(const StartRequest& r) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(r.show);
  PROCESS_INFORMATION pi{};
  std::vector<wchar_t> line(r.command_line.begin(), r.command_line.end());
  line.push_back(L'\0');
  if (!CreateProcessW(r.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      OrNull(r.working_folder), &si, &pi))
    return GetLastError();
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}

unsigned long ShellCall(const StartRequest& r, const std::wstring& parameters) {
  // The shell reports its failures to us, not in boxes of its own.
  SHELLEXECUTEINFOW info{};
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = r.owner;
  info.lpFile = r.program.c_str();
  info.lpParameters = OrNull(parameters);
  info.lpDirectory = OrNull(r.working_folder);
  info.nShow = r.show;
  return RunShell(info);
}

class SystemStart : public Starter {
 public:
  unsigned long Start(const StartRequest& r) override { return StartProgram(r, SystemStartCalls()); }

  void Open(HWND owner, const std::wstring& url, const std::wstring& folder) override {
    // The handler is started in the game folder where the system can start a
    // program there at all; in a longer one it keeps the current folder.
    SHELLEXECUTEINFOW info{};
    info.hwnd = owner;
    info.lpVerb = L"Open";
    info.lpFile = url.c_str();
    info.lpDirectory = folder.size() <= kMaxWorkingFolder ? folder.c_str() : nullptr;
    info.nShow = SW_SHOWNORMAL;
    RunShell(info);
  }
};

}  // namespace

Starter& SystemStarter() {
  static SystemStart starter;
  return starter;
}

const StartCalls& SystemStartCalls() {
  static const StartCalls calls{CreateProcessCall, ShellCall};
  return calls;
}

unsigned long StartProgram(const StartRequest& r, const StartCalls& calls) {
  // Callers refuse these with a message of their own first (LengthRefusal);
  // the system must never be asked, since Wine damages the caller's heap.
  if (r.program.size() > kMaxProgramPath || r.working_folder.size() > kMaxWorkingFolder ||
      r.command_line.size() > kMaxCommandLine)
    return ERROR_FILENAME_EXCED_RANGE;
  unsigned long error = calls.create(r);
  if (error == kElevationRequired) error = calls.shell(r, Parameters(r.command_line));
  return error;
}

std::wstring Parameters(const std::wstring& command_line) {
  std::size_t end = command_line.starts_with(L'"') ? command_line.find(L'"', 1)
                                                   : command_line.find_first_of(L" \t");
  if (end == std::wstring::npos) return {};
  if (command_line[end] == L'"') ++end;
  if (end < command_line.size() && (command_line[end] == L' ' || command_line[end] == L'\t')) ++end;
  return command_line.substr(end);
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

std::wstring LengthRefusal(const StartRequest& request, const std::wstring& program) {
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
  return {};
}

std::wstring StartRefusal(const StartRequest& request, const std::wstring& program,
                          std::initializer_list<LinePart> parts) {
  if (std::wstring refusal = LengthRefusal(request, program); !refusal.empty()) return refusal;
  if (FitsCodePage(request.command_line)) return {};
  for (const LinePart& part : parts)
    if (!FitsCodePage(part.text)) return CodePageRefusal(part.what, part.text, program);
  return CodePageRefusal(L"command line", request.command_line, program);
}

}  // namespace jj
