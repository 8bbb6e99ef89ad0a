#include "starter.h"

#include <shellapi.h>

#include <vector>

namespace jj {

namespace {

class SystemStart : public Starter {
 public:
  unsigned long Start(const StartRequest& r) override {
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
    ShellExecuteW(owner, L"Open", url.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
  }
};

}  // namespace

Starter& SystemStarter() {
  static SystemStart starter;
  return starter;
}

}  // namespace jj
