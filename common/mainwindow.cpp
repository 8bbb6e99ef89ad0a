#include "mainwindow.h"

#include "text.h"

namespace jj {

MainWindow::MainWindow(ProgramInfo program, std::wstring folder, Prompter& prompter, Starter& starter)
    : prompter_(prompter), starter_(starter), program_(std::move(program)), folder_(std::move(folder)) {}

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

void MainWindow::ShowAbout() {
  OpenSecondary(std::make_unique<frmAbout>(program_, hwnd_, folder_, starter_, [this] { SecondaryClosing(); }),
                frmAbout::IDC_Command1);
}

void MainWindow::ShowHelp() { OpenHelp(starter_, prompter_, hwnd_, folder_, program_); }

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

void MainWindow::Report(const std::wstring& what, unsigned long error) {
  ReportFailure(prompter_, hwnd_, program_.title, what, error);
}

void MainWindow::Report(const std::wstring& what, const FileOutcome& outcome) {
  if (!outcome.leads_to.empty()) {
    Ask(what + CR + CR + L"This name leads to \"" + outcome.leads_to +
            L"\", which is not a file of that name in the game folder. " + program_.title +
            L" renames and deletes only the files that lie in the game folder.",
        program_.title, Icon::Exclamation, Buttons::Ok);
  } else if (!outcome.clash.empty()) {
    Report(what + CR + L"The game folder already holds \"" + outcome.clash +
               L"\", which would be replaced; both files are left as they are.",
           outcome.error);
  } else {
    Report(what, outcome.error);
  }
}

Answer MainWindow::Ask(const std::wstring& text, const std::wstring& title, Icon icon, Buttons buttons) {
  return prompter_.Show(hwnd_, text, title, icon, buttons);
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && (first_activation_ || reread_on_activate_) && IsWindowEnabled(hwnd_)) {
        first_activation_ = reread_on_activate_ = false;
        Form_Activate();
      }
      break;
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      if (quit_on_close_) PostQuitMessage(0);
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace jj
