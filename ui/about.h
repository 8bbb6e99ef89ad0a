// The About box, the contact link and the Help command of all three programs.
#pragma once
#include <functional>
#include <string>

#include "ui/prompter.h"
#include "ui/starter.h"
#include "ui/window.h"

namespace jj {

struct ProgramInfo {
  std::wstring title;      // "Quenby", "Halvick", "Ostrell"
  std::wstring help_file;  // bare name of the help file beside the program
};

inline constexpr wchar_t kContactUrl[] = L"mailto:jj2utilities@example.org";

// The colour the contact link is drawn in: the system's colour of links
// (`link`, which high contrast schemes set), unless it can hardly be told
// from the background it is drawn on (as in some colour schemes of Wine,
// whose link colour is a light grey on a light face); then the scheme's text
// colour, which always can.
COLORREF LinkColour(COLORREF link, COLORREF background, COLORREF text);
inline constexpr wchar_t kCredits[] =
    L"Written by the author for the players and level makers of the Jazz Jackrabbit 2 "
    L"community. This utility is freeware: pass it on freely, unchanged and free of charge.";

// Opens the program's help file from the game folder in notepad, maximised.
// notepad is taken from the system folder; the path is quoted when it holds a
// blank. A start that fails is reported.
void OpenHelp(Starter& starter, Prompter& prompter, HWND owner, const std::wstring& folder,
              const ProgramInfo& program);

class frmAbout : public Window {
 public:
  enum : int { IDC_Picture1 = 100, IDC_Label1, IDC_Label2, IDC_Label3, IDC_Command1 = IDOK, IDC_Label4 = 110 };

  // on_close runs when the box closes in any way, before the window goes:
  // it enables the main window again.
  frmAbout(const ProgramInfo& program, HWND main, const std::wstring& folder, Starter& starter,
           std::function<void()> on_close);
  // The box's table, for the font of the main windows that open it.
  static std::span<const ControlSpec> Controls();

  void Command1_Click();
  void Label4_Click();

 protected:
  bool OnClick(int id) override;
  // However the box is closed, it acts as OK.
  void OnClose() override { Command1_Click(); }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnLayout() override;

 private:
  void DrawLink(const DRAWITEMSTRUCT* item);

  std::wstring folder_;
  Starter& starter_;
  std::function<void()> on_close_;
  HICON picture_ = nullptr;
};

}  // namespace jj
