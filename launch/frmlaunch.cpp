#include "frmlaunch.h"

#include "paths.h"

namespace launch {

const std::vector<jj::ControlSpec>& frmLaunch::Controls() {
  static const std::vector<jj::ControlSpec> controls = [] {
    std::vector<jj::ControlSpec> c;
    for (const SwitchBox& box : SwitchBoxes())
      c.push_back({box.id, WC_BUTTONW, box.caption, box.left, box.top, box.width, box.height, jj::kCheck});
    c.push_back({IDC_Command1, WC_BUTTONW, L"&Launch Jazz2", 120, 4800, 2175, 375, jj::kDefButton});
    c.push_back({IDC_Command2, WC_BUTTONW, L"&Cancel", 2400, 4800, 2175, 375, jj::kButton});
    c.push_back({IDC_Label1, WC_STATICW, L"&Logfile path and file name:", 120, 3960, 1935, 255, jj::kLabel});
    c.push_back({IDC_Text1, WC_EDITW, L"", 2160, 3960, 2415, 285, jj::kTextBox | WS_DISABLED});
    c.push_back({IDC_Label2, WC_STATICW, L"", 2400, 120, 2175, 375, SS_LEFT | SS_NOPREFIX});  // never shown
    c.push_back({IDC_Check1, WC_BUTTONW, L"Quit Halvick after launching JJ2", 120, 4440, 3135, 255, jj::kCheck});
    // The separator lines, from x 120 to x 4560; they take no focus.
    const int line_y[] = {720, 1440, 3360, 3840, 4320};
    for (int i = 0; i < 5; ++i)
      c.push_back({IDC_Line1 + i, WC_STATICW, L"", 120, line_y[i], 4440, 30, SS_ETCHEDHORZ | WS_VISIBLE});
    return c;
  }();
  return controls;
}

frmLaunch::frmLaunch(HWND owner, Context context) : context_(std::move(context)) {
  Create({L"JJ2frmLaunch", L"Select game options", WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 4710, 5265, owner,
          nullptr, nullptr},
         Controls());
}

void frmLaunch::cLogfile_Click() { EnableWindow(Item(IDC_Text1), Checked(IDC_cLogfile)); }

void frmLaunch::Refuse(const std::wstring& text) {
  context_.prompter.Show(hwnd_, text, context_.program_title, jj::Icon::Exclamation, jj::Buttons::Ok);
}

void frmLaunch::Command1_Click() {
  std::wstring log_path = ItemText(IDC_Text1);
  std::wstring switches = SwitchText([this](const SwitchBox& box) { return Checked(box.id); }, log_path);
  SetItemText(IDC_Label2, switches);
  std::wstring level = context_.selected_level();
  jj::StartRequest request{jj::InFolder(context_.folder, kGameProgram),
                           GameCommandLine(context_.folder, level, switches), context_.folder, SW_SHOWNORMAL};
  // The game reads its command line in the system's code page: a part that
  // does not survive it would reach the game as another folder, level or path.
  std::wstring refusal = jj::StartRefusal(request, kGameProgram,
                                          {{L"game folder", context_.folder},
                                           {L"level name", level},
                                           {L"log file path", Checked(IDC_cLogfile) ? log_path : L""}});
  if (!refusal.empty()) return Refuse(refusal);
  if (unsigned long error = context_.starter.Start(request)) {
    jj::ReportFailure(context_.prompter, hwnd_, context_.program_title,
                      L"Could not start the game \"" + request.program + L"\".", error);
    return;  // the dialog stays open, and the program does not end
  }
  if (Checked(IDC_Check1) && context_.on_quit) context_.on_quit();
}

void frmLaunch::Command2_Click() {
  if (context_.on_close) context_.on_close();
  DestroyWindow(hwnd_);
}

LRESULT frmLaunch::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) break;
      switch (LOWORD(wp)) {
        case IDC_cLogfile: cLogfile_Click(); return 0;
        case IDC_Command1: Command1_Click(); return 0;
        case IDC_Command2: Command2_Click(); return 0;
      }
      break;
    case WM_CLOSE:  // however the dialog is closed, it acts as Cancel
      Command2_Click();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace launch
