#include "ui/mainwindow.h"

#include "files/paths.h"
#include "files/sizetext.h"
#include "ui/icons.h"
#include "ui/report.h"


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

}  // namespace jj
