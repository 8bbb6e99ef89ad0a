// What the three main windows share: the game folder's listing, the seams for message
// boxes and program starts, the About box and Help, secondary windows that
// disable the main window while they are open, and Form_Activate, which runs
// at the first showing and when the window becomes active again after a
// secondary window closed (not after a message box, nor on a switch back
// from another program).
#pragma once
#include <memory>
#include <span>
#include <string>

#include "ui/about.h"
#include "files/fileops.h"
#include "files/folderlisting.h"
#include "ui/filelistbox.h"
#include "ui/prompter.h"
#include "ui/starter.h"
#include "ui/window.h"

namespace jj {

// The program's texts of the boxes about the selected file of the main list.
struct SelectionTexts {
  const wchar_t* nothing_title;      // the title of the nothing-selected box
  const wchar_t* select_and_retry;   // its line under the first, which the command gives
  const wchar_t* nothing_to_delete;  // that first line for the Delete button
  const wchar_t* confirm_title;      // the deletion's confirmation
  const wchar_t* confirm_delete;
  const wchar_t* cannot_delete;      // the report of a deletion not done ("%1": the file's path)
};

// The longest texts of a label that shows the size of a file.
std::span<const wchar_t* const> SizeSamples();

class MainWindow : public Window {
 public:
  // `listing`: the one listing of the game folder, for the window's lists.
  MainWindow(ProgramInfo program, SelectionTexts texts, std::shared_ptr<FolderListing> listing, Prompter& prompter,
             Starter& starter);
  ~MainWindow() override;

  const ProgramInfo& Program() const { return program_; }
  const std::wstring& Folder() const { return listing_->Folder(); }
  const std::shared_ptr<FolderListing>& Listing() const { return listing_; }
  // The open secondary window (About box or launch dialog), or null.
  Window* Secondary() const { return secondary_ && secondary_->hwnd() ? secondary_.get() : nullptr; }
  // Whether Form_Activate has run (the window's first reading is done).
  bool Activated() const { return !first_activation_; }
  // Closing the window ends the message loop (the programs; tests leave it off).
  void SetQuitOnClose(bool quit) { quit_on_close_ = quit; }
  // Shows and activates the window, focus on `focus_id`.
  void Show(int show_command, int focus_id);

 protected:
  virtual void Form_Activate() = 0;

  // The About button: shows the About box without waiting, then disables this window.
  void ShowAbout();
  // The Help button.
  void ShowHelp();
  // Shows an already created secondary window, then disables this window.
  void OpenSecondary(std::unique_ptr<Window> window, int focus_id);
  // For the secondary window's closing command, before that window goes:
  // enables this window and has the next activation re-read.
  void SecondaryClosing();

  // Reports (report.h) in an exclamation box owned by this window and titled
  // with the program's name: a text of its own, a failed operation on `file`
  // with the system's reason, a rename or deletion of `file` that was not done.
  void Warn(const std::wstring& text);
  void Report(const std::wstring& what, unsigned long error, const std::wstring& file);
  void Report(const std::wstring& what, const FileOutcome& outcome, const std::wstring& file);
  // The failure report, shown once the current message is done (for failures
  // found while a control is in the middle of a change, such as a list
  // selection). One report waits at a time.
  void ReportLater(const std::wstring& what, unsigned long error, const std::wstring& file);
  // A message box owned by this window.
  Answer Ask(const std::wstring& text, const std::wstring& title, Icon icon, Buttons buttons);
  // The box of a command that needs a selected file, with its own first line.
  void NothingSelected(const std::wstring& first_line);
  // The Delete button's work: the selected file of the main list, once the
  // user confirmed, deleted from the game folder, with a report when it was
  // not. Returns the name of the deleted file, or empty.
  std::wstring DeleteSelected();

  // The window's main file list, whose picks run File1_Click; null if none.
  virtual FileListBox* MainList() { return nullptr; }
  virtual void File1_Click() {}

  // The program's icons at the window's DPI, after every layout: also when
  // the window moves to a screen of another DPI.
  void OnLayout() override;

  // Main windows have no default and no cancel button: Enter and Esc do
  // nothing.
  bool OnCommand(int id, int code) override;
  // Notifications of the main list are dispatched here.
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  Prompter& Boxes() override { return prompter_; }

  Prompter& prompter_;
  Starter& starter_;

 private:
  ProgramInfo program_;
  SelectionTexts texts_;
  std::shared_ptr<FolderListing> listing_;
  std::unique_ptr<Window> secondary_;
  bool first_activation_ = true;
  bool reread_on_activate_ = false;
  bool quit_on_close_ = false;
  std::wstring later_what_, later_file_;
  unsigned long later_error_ = 0;
};

}  // namespace jj
