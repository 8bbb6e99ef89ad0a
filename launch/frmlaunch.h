// Halvick's launch options dialog: the switch boxes, the log path, the quit
// box, and the start of the game on the selected level.
#pragma once
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "launch/commandline.h"
#include "launch/texts.h"
#include "ui/prompter.h"
#include "ui/starter.h"
#include "ui/window.h"

namespace launch {

class frmLaunch : public jj::Window {
 public:
  // Ids of the controls besides the switch boxes (switches.h). The separator
  // lines take the ids from IDC_Line1 on, top to bottom.
  enum : int {
    IDC_Command1 = IDOK, IDC_Command2 = IDCANCEL,
    IDC_Label1 = 300, IDC_Text1, IDC_Label2, IDC_Check1, IDC_Line1, IDC_Line2, IDC_Line3, IDC_Line4, IDC_Line5,
  };

  struct Context {
    std::wstring folder;         // the game folder
    std::wstring program_title;  // title of reports
    jj::Prompter& prompter;
    jj::Starter& starter;
    std::function<std::wstring()> selected_level;  // read at each launch
    std::function<void()> on_close;  // enables the main window, before the dialog goes
    std::function<void()> on_quit;   // ends the program
  };

  frmLaunch(HWND owner, Context context);
  // The dialog's table, for the font of the window that opens it.
  static std::span<const jj::ControlSpec> Controls();

  void cLogfile_Click();
  void Command1_Click();
  void Command2_Click();

 protected:
  bool OnClick(int id) override;
  // However the dialog is closed, it acts as Cancel.
  void OnClose() override { Command2_Click(); }
  jj::Prompter& Boxes() override { return context_.prompter; }
  std::wstring BoxTitle() const override { return context_.program_title; }

 private:
  bool Checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

  Context context_;
};

// The dialog's controls in tab order and its client area, in twips, made
// from the switch rows: the boxes one row each from the top in launch order,
// a separator line in a row of its own after each group; below them the log
// path, a line, the quit box and the two buttons.
struct DialogLayout {
  std::vector<jj::ControlSpec> controls;
  int client_width = 0, client_height = 0;
};
DialogLayout LayOutDialog(std::span<const SwitchBox> boxes);

}  // namespace launch
