// Quenby's main window: the episode list, the information panel, the
// active-episode message and the Activate, Deactivate, About, Help and Delete
// buttons. Handlers carry the system's names (Form_Activate, File1_Click,
// Command1_Click ... Command6_Click).
#pragma once
#include <string>

#include "episodes/companions.h"
#include "ui/filelistbox.h"
#include "ui/mainwindow.h"

namespace episodes {

class frmGlavni : public jj::MainWindow {
 public:
  // Control ids, in tab order (the order of creation). None is IDOK or
  // IDCANCEL: the window has no default and no cancel button, so Enter and
  // Esc do nothing on it.
  enum : int {
    IDC_Label1 = 100, IDC_File1, IDC_Command5, IDC_Command4, IDC_Command1, IDC_Command2, IDC_Command3,
    IDC_Label2, IDC_Label3, IDC_Label4, IDC_Label5, IDC_Label6, IDC_Label7, IDC_Label8, IDC_Label9,
  };

  frmGlavni(std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter);

  // The episode list and the hidden active list.
  jj::FileListBox& File1() { return file1_; }
  const jj::FileList& File2() const { return file2_; }
  // The selected name of File1, or the empty string.
  std::wstring SelectedName() const { return file1_.SelectedName(); }

  void Form_Activate() override;
  void File1_Click() override;
  void Command1_Click();  // About
  void Command2_Click();  // Help
  void Command3_Click();  // Delete
  void Command4_Click();  // Deactivate
  void Command5_Click();  // Activate
  void Command6_Click();  // the count routine: the active-episode message under the list

 protected:
  jj::FileListBox* MainList() override { return &file1_; }
  bool OnClick(int id) override;

 private:
  // Activate and Deactivate: the same procedure with its own texts (`failed`:
  // the report of a rename not done).
  void RenameSelected(const wchar_t* first_line, const wchar_t* extension, const wchar_t* failed);
  // Re-reads File1 (when asked) and File2 and reports a folder that cannot
  // be read, once. `later`: the list view is busy, report when it is done.
  void ReRead(bool file1, bool later = false);

  jj::FileListBox file1_;
  jj::FileList file2_;
};

}  // namespace episodes
