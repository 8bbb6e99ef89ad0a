// Starting programs and opening links, behind a seam so that tests can see
// what would be started.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace jj {

struct StartRequest {
  std::wstring program;         // full path of the program: never searched for
  std::wstring command_line;    // the whole command line, program part included
  std::wstring working_folder;  // the started program's current folder
  int show;                     // SW_SHOWNORMAL or SW_SHOWMAXIMIZED
  HWND owner = nullptr;         // the window the system's own questions (elevation) belong to
};

class Starter {
 public:
  virtual ~Starter() = default;
  // Starts the program and returns at once; 0 or the system's error code.
  virtual unsigned long Start(const StartRequest& request) = 0;
  // Opens a link with the desktop's handler; the result is not used.
  virtual void Open(HWND owner, const std::wstring& url, const std::wstring& folder) = 0;
};

// The real one: StartProgram with the system's calls, and the shell for links.
Starter& SystemStarter();

// The system's two ways of starting a program, each returning 0 or the
// system's error code: CreateProcessW, and the shell (ShellExecuteExW) with
// the program, the parameters (see Parameters), the working folder and the
// show state. Tests put their own in.
struct StartCalls {
  unsigned long (*create)(const StartRequest& request);
  unsigned long (*shell)(const StartRequest& request, const std::wstring& parameters);
};
const StartCalls& SystemStartCalls();

// The system's refusal to start a program that must run elevated
// (ERROR_ELEVATION_REQUIRED, which the toolchain's headers lack).
inline constexpr unsigned long kElevationRequired = 740;

// Starts the program with `calls.create`; a program that the system starts
// only elevated (marked "Run as administrator", or asking for it in its
// manifest) is refused there, and is started through the shell instead, which
// asks the user. 0 or the error of the last call made.
unsigned long StartProgram(const StartRequest& request, const StartCalls& calls);

// The command line less its program part (up to the closing quote when it
// starts with one, else up to the first blank or tab) and the one blank after
// it: what the started program reads after its own name.
std::wstring Parameters(const std::wstring& command_line);

// The longest program path the system starts a program from, and the longest
// working folder it starts one in (it adds a backslash of its own): longer
// ones are refused whatever the program is, also by programs that take long
// paths elsewhere.
inline constexpr std::size_t kMaxProgramPath = MAX_PATH - 1;
inline constexpr std::size_t kMaxWorkingFolder = MAX_PATH - 2;
// The longest command line the system passes to a program.
inline constexpr std::size_t kMaxCommandLine = 32766;

// True when the system's ANSI code page holds `text` exactly, so that a
// program reading its command line in that code page sees the same text.
bool FitsCodePage(std::wstring_view text);

// The refusal of a part of a command line that does not fit the code page.
// `what` is "game folder", "level name", "log file path"; `program` the
// program to start.
std::wstring CodePageRefusal(const std::wstring& what, const std::wstring& text, const std::wstring& program);

// One part of a command line as the user knows it, and its text.
struct LinePart {
  std::wstring what;
  std::wstring text;
};

// Why `request` cannot be started as it stands, as a message for the user, or
// empty when it can: a program path or working folder longer than the system
// starts programs from, or a command line longer than it passes on. Enough for
// a program that reads its command line in Unicode (notepad).
std::wstring LengthRefusal(const StartRequest& request, const std::wstring& program);

// LengthRefusal, and for a program that reads its command line in the ANSI
// code page (the game, the editor) a command line that it would receive
// differently. The message names the first of `parts` (in command-line order)
// that does not come through.
std::wstring StartRefusal(const StartRequest& request, const std::wstring& program,
                          std::initializer_list<LinePart> parts);

}  // namespace jj
