// The main window of both level browsers: the level list with its search,
// the information panel, and the launch, About, Help and Delete buttons.
// The two programs differ only in what their Variant holds and in the launch
// action, which each program's window supplies.
#pragma once
#include <string>

#include "ui/filelistbox.h"
#include "ui/mainwindow.h"

namespace levels {

struct Variant {
  std::wstring title;           // window title and program name
  std::wstring launch_caption;  // caption of Command1
  std::wstring help_file;       // bare name of the help file beside the program
  std::wstring no_level_text;   // first line of Command1's nothing-selected box
  std::span<const jj::ControlSpec> dialog = {};  // the table of the window Command1 opens, if any
};

class frmGlavni : public jj::MainWindow {
 public:
  // Control ids, in tab order. None is IDOK or IDCANCEL: the window has no
  // default and no cancel button.
  enum : int {
    IDC_Label7 = 100, IDC_Text1, IDC_Label1, IDC_File1, IDC_Command1, IDC_Command2, IDC_Command3,
    IDC_Command4, IDC_Label2, IDC_Label3, IDC_Label4, IDC_Label5, IDC_Label6,
  };

  frmGlavni(Variant variant, std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter);

  jj::FileListBox& File1() { return file1_; }
  // The selected level: a bare name, or empty when no entry is selected.
  std::wstring SelectedLevel() const { return file1_.SelectedName(); }

  void Form_Activate() override;
  void Text1_Change();
  void File1_Click() override;
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();

 protected:
  // The launch action on a selected level.
  virtual void Launch(const std::wstring& level) = 0;

  jj::FileListBox* MainList() override { return &file1_; }
  bool OnClick(int id) override;
  bool OnCommand(int id, int code) override;

 private:
  void ReRead();

  Variant variant_;
  jj::FileListBox file1_;
};

}  // namespace levels
