// Starting programs and opening links, behind a seam so that tests can see
// what would be started.
#pragma once
#include <windows.h>

#include <string>

namespace jj {

struct StartRequest {
  std::wstring program;         // full path of the program: never searched for
  std::wstring command_line;    // the whole command line, program part included
  std::wstring working_folder;  // the started program's current folder
  int show;                     // SW_SHOWNORMAL or SW_SHOWMAXIMIZED
};

class Starter {
 public:
  virtual ~Starter() = default;
  // Starts the program and returns at once; 0 or the system's error code.
  virtual unsigned long Start(const StartRequest& request) = 0;
  // Opens a link with the desktop's handler; the result is not used.
  virtual void Open(HWND owner, const std::wstring& url, const std::wstring& folder) = 0;
};

// The real one: CreateProcessW and ShellExecuteW.
Starter& SystemStarter();

}  // namespace jj
