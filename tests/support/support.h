// Helpers for the test programs: temporary game folders and a scripted Prompter.
#pragma once
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "files/folderlisting.h"
#include "ui/prompter.h"
#include "ui/starter.h"

namespace test {

// A listing of its own over `folder`, as a program makes for its game folder.
inline std::shared_ptr<jj::FolderListing> ListingOf(const std::wstring& folder) {
  return std::make_shared<jj::FolderListing>(folder);
}

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes. Sentinel files lie beside it and in
// the folder above; they must be unchanged when it goes (a test failure
// otherwise): nothing outside the folder may be touched.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Creates a file of `size` bytes.
  void Touch(const std::wstring& name, std::size_t size = 0) const;
  // Creates an empty file with these attributes (hidden, system, read-only).
  void TouchWith(const std::wstring& name, DWORD attributes) const;
  bool Exists(const std::wstring& name) const;
  // Bare names in the folder, sorted ordinally.
  std::vector<std::wstring> Names() const;
  // The sentinel files, as full paths, and whether they are as they were.
  std::vector<std::wstring> Sentinels() const;
  bool SentinelsIntact() const;

 private:
  std::wstring outer_;  // holds the sentinel above and the folder that holds path_
  std::wstring path_;
};

// One message box as the program asked for it.
struct Box {
  std::wstring text, title;
  jj::Icon icon;
  jj::Buttons buttons;
  HWND owner;
};

// Answers message boxes from a script (Yes by default for Yes/No, OK otherwise)
// and records every box.
class ScriptedPrompter : public jj::Prompter {
 public:
  jj::Answer Show(HWND owner, const std::wstring& text, const std::wstring& title, jj::Icon icon,
                  jj::Buttons buttons) override;
  std::deque<jj::Answer> answers;
  std::vector<Box> shown;
};

// Records what would be started instead of starting it.
class RecordingStarter : public jj::Starter {
 public:
  unsigned long Start(const jj::StartRequest& request) override {
    started.push_back(request);
    return result;
  }
  void Open(HWND owner, const std::wstring& url, const std::wstring& folder) override {
    opened.push_back({owner, url, folder});
  }
  struct Opened {
    HWND owner;
    std::wstring url, folder;
  };
  std::vector<jj::StartRequest> started;
  std::vector<Opened> opened;
  unsigned long result = 0;
};

// Copies the stand-in program into the folder under `name` ("Jazz2.exe").
void InstallStandin(const TempFolder& dir, const std::wstring& name);

// One start of a stand-in as it recorded it.
struct Started {
  std::wstring command_line, working_folder;
  int show;  // the wShowWindow it was given, -1 when none
};
// The starts that the stand-in called `name` recorded, waiting up to ten
// seconds until there are at least `count` of them.
std::vector<Started> WaitForStarts(const TempFolder& dir, const std::wstring& name, std::size_t count);

// Text of a window.
std::wstring Text(HWND hwnd);

// The top-level window of the process `pid` of the window class `cls`, or
// its first visible one when no class is given, waiting up to ten seconds
// for it to appear; null when none did.
HWND WaitForWindowOf(DWORD pid, const wchar_t* cls = nullptr);

// Sends a key press (down, char, up) to the focused window through the
// dialog manager, as the message loop would. `alt` makes it Alt+key.
void PressKey(WORD vk, bool alt = false);

// Types the characters into a control, one WM_CHAR each, handling the
// messages after each key.
void TypeChars(HWND control, const std::wstring& keys);

// Handles all pending messages.
void Pump();

// Sets the time of last change of a file to a local time.
void SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& local);

// Writes a UTF-16 string to narrow output for test messages.
std::string Narrow(const std::wstring& text);

// The build's folder of the programs (bin), beside that of the test programs.
std::wstring BinFolder();

}  // namespace test
