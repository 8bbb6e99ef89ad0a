#include "ui/mainwindow.h"

#include "files/folderlisting.h"
#include "files/paths.h"
#include "files/text.h"
#include "ui/icons.h"
#include "ui/report.h"
#include "ui/system.h"

#include <exception>

namespace jj {

std::span<const wchar_t* const> SizeSamples() {
  // The size of a file of ten digits, the text for a file that cannot be read.
  static const std::wstring ten_digits = SizeText(9'999'999'999);
  static const wchar_t* const samples[] = {ten_digits.c_str(), kSizeUnknown};
  return samples;
}

MainWindow::MainWindow(ProgramInfo program, SelectionTexts texts, std::shared_ptr<FolderListing> listing,
                       Prompter& prompter, Starter& starter)
    : prompter_(prompter),
      starter_(starter),
      program_(std::move(program)),
      texts_(texts),
      listing_(std::move(listing)) {}

MainWindow::~MainWindow() {
  // The secondary window is owned by this one: let it go first.
  secondary_.reset();
}

void MainWindow::Show(int show_command, int focus_id) {
  ShowWindow(hwnd_, show_command);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
  SetFocus(Item(focus_id));
}

void MainWindow::OnLayout() {
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(Dpi())));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon(Dpi())));
}

void MainWindow::ShowAbout() {
  OpenSecondary(std::make_unique<frmAbout>(program_, hwnd_, Folder(), starter_, [this] { SecondaryClosing(); }),
                frmAbout::IDC_Command1);
}

void MainWindow::ShowHelp() { OpenHelp(starter_, prompter_, hwnd_, Folder(), program_); }

void MainWindow::OpenSecondary(std::unique_ptr<Window> window, int focus_id) {
  secondary_ = std::move(window);
  HWND w = secondary_->hwnd();
  ShowWindow(w, SW_SHOW);
  SetActiveWindow(w);
  SetFocus(GetDlgItem(w, focus_id));
  EnableWindow(hwnd_, FALSE);
}

void MainWindow::SecondaryClosing() {
  reread_on_activate_ = true;
  EnableWindow(hwnd_, TRUE);
}

void MainWindow::Warn(const std::wstring& text) { jj::Warn(prompter_, hwnd_, program_.title, text); }

void MainWindow::Report(const std::wstring& what, unsigned long error, const std::wstring& file) {
  ReportFailure(prompter_, hwnd_, program_.title, what, error, file);
}

void MainWindow::Report(const std::wstring& what, const FileOutcome& outcome, const std::wstring& file) {
  ReportOutcome(prompter_, hwnd_, program_.title, what, outcome, file);
}

namespace {
constexpr UINT kReportLater = WM_APP + 1;
}

void MainWindow::ReportLater(const std::wstring& what, unsigned long error, const std::wstring& file) {
  if (later_error_) return;
  later_what_ = what;
  later_file_ = file;
  later_error_ = error;
  PostMessageW(hwnd_, kReportLater, 0, 0);
}

Answer MainWindow::Ask(const std::wstring& text, const std::wstring& title, Icon icon, Buttons buttons) {
  return prompter_.Show(hwnd_, text, title, icon, buttons);
}

void MainWindow::NothingSelected(const std::wstring& first_line) {
  Ask(first_line + CR + texts_.select_and_retry, texts_.nothing_title, Icon::Information, Buttons::Ok);
}

std::wstring MainWindow::DeleteSelected() {
  FileListBox* list = MainList();
  std::wstring name = list ? list->SelectedName() : std::wstring();
  if (name.empty()) {
    NothingSelected(texts_.nothing_to_delete);
    return name;
  }
  if (Ask(texts_.confirm_delete, texts_.confirm_title, Icon::Exclamation, Buttons::YesNo) != Answer::Yes) return {};
  FileOutcome outcome = DeleteInFolder(Folder(), name);
  if (outcome.done()) return name;
  std::wstring path = InFolder(Folder(), name);
  Report(Filled(texts_.cannot_delete, {path}), outcome, path);
  return {};
}

bool MainWindow::OnCommand(int id, int) { return id == IDOK || id == IDCANCEL; }

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && (first_activation_ || reread_on_activate_) && IsWindowEnabled(hwnd_)) {
        first_activation_ = reread_on_activate_ = false;
        Form_Activate();
      }
      break;
    case WM_NOTIFY:
      if (FileListBox* list = MainList()) {
        LRESULT result = 0;
        bool picked = false;
        if (list->OnNotify(reinterpret_cast<const NMHDR*>(lp), &result, &picked)) {
          if (picked) File1_Click();
          return result;
        }
      }
      break;
    case kReportLater:
      if (unsigned long error = later_error_) {
        later_error_ = 0;
        Report(later_what_, error, later_file_);
      }
      return 0;
    case WM_DESTROY:
      if (quit_on_close_) PostQuitMessage(0);
      break;
  }
  return Default(msg, wp, lp);
}

namespace {

// No DLL is ever taken from the game folder: every DLL loaded by name, by the
// program or by the system's DLLs on its behalf, comes from the system folder.
// This runs as a TLS callback, which the loader calls once the program's own
// imports are in and before its start-up code runs, so that nothing the
// runtime or a constructor loads can come from the program's folder. The
// program imports only the system's kernel and the C runtime, which the
// loader has in before that; the window, drawing and common control DLLs are
// loaded at their first use, from the system folder (delayload.cpp). Where the system cannot
// narrow the search (Windows 7 without update KB2533623), the program loads
// its DLLs by their full paths in the system folder instead (system.h).
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
