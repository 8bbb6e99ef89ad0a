#include "launch/frmlaunch.h"

#include "files/paths.h"
#include "ui/report.h"

namespace launch {

namespace {

using jj::kButton;
using jj::kCheck;
using jj::kSeparator;

// The dialog's controls, in tab order; the separator lines take no focus.
const jj::ControlSpec kControls[] = {
    {IDC_cWindow, WC_BUTTONW, L"Run in a &window", 120, 120, 1575, 255, kCheck},
    {IDC_cLogfile, WC_BUTTONW, L"Writ&e a log file to disk", 120, 360, 1815, 255, kCheck},
    {IDC_cSpy, WC_BUTTONW, L"Enable &Spy window", 120, 840, 1695, 255, kCheck},
    {IDC_cNospy, WC_BUTTONW, L"Disable Sp&y window (check this if you enabled it last time)", 120, 1080, 4455, 255,
     kCheck},
    {IDC_cJoy, WC_BUTTONW, L"D&on't try to detect joysticks", 120, 1560, 2295, 255, kCheck},
    {IDC_cSnd, WC_BUTTONW, L"Don't try to detect &sound hardware", 120, 1800, 2775, 255, kCheck},
    {IDC_cDD, WC_BUTTONW, L"Don't try to detect &DirectDraw", 120, 2040, 2415, 255, kCheck},
    {IDC_cDS, WC_BUTTONW, L"Don't try to detect DirectSou&nd", 120, 2280, 2535, 255, kCheck},
    {IDC_cProc, WC_BUTTONW, L"Don't try to detect &microprocessor type", 120, 2520, 3015, 255, kCheck},
    {IDC_cNet, WC_BUTTONW, L"Don't try to detect networ&king support", 120, 2760, 3015, 255, kCheck},
    {IDC_cReg, WC_BUTTONW, L"Don't use Windows re&gistry (use default game settings)", 120, 3000, 4215, 255, kCheck},
    {IDC_cSafe, WC_BUTTONW, L"Start in Safe Mode (disables &all extra support)", 120, 3480, 3495, 255, kCheck},
    {frmLaunch::IDC_Command1, WC_BUTTONW, L"&Launch Jazz2", 120, 4800, 2175, 375, jj::kDefButton},
    {frmLaunch::IDC_Command2, WC_BUTTONW, L"&Cancel", 2400, 4800, 2175, 375, kButton},
    {frmLaunch::IDC_Label1, WC_STATICW, L"&Logfile path and file name:", 120, 3960, 1935, 255, jj::kLabel},
    {frmLaunch::IDC_Text1, WC_EDITW, L"", 2160, 3960, 2415, 285, jj::kTextBox | WS_DISABLED},
    // Never shown: holds the switch text of the last launch.
    {frmLaunch::IDC_Label2, WC_STATICW, L"", 2400, 120, 2175, 375, SS_LEFT | SS_NOPREFIX, jj::kFontDefault, 0, {},
     jj::Fit::kNone},
    {frmLaunch::IDC_Check1, WC_BUTTONW, L"Quit Halvick after launching JJ2", 120, 4440, 3135, 255, kCheck},
    {frmLaunch::IDC_Line1, WC_STATICW, L"", 120, 720, 4440, 30, kSeparator},
    {frmLaunch::IDC_Line2, WC_STATICW, L"", 120, 1440, 4440, 30, kSeparator},
    {frmLaunch::IDC_Line3, WC_STATICW, L"", 120, 3360, 4440, 30, kSeparator},
    {frmLaunch::IDC_Line4, WC_STATICW, L"", 120, 3840, 4440, 30, kSeparator},
    {frmLaunch::IDC_Line5, WC_STATICW, L"", 120, 4320, 4440, 30, kSeparator},
};

}  // namespace

frmLaunch::frmLaunch(HWND owner, Context context) : context_(std::move(context)) {
  Create({.class_name = L"JJ2frmLaunch",
          .title = L"Select game options",
          .style = WS_POPUP | WS_CAPTION,
          .ex_style = WS_EX_DLGMODALFRAME,
          .client_width = 4710,
          .client_height = 5265,
          .owner = owner},
         kControls);
}

void frmLaunch::cLogfile_Click() { EnableWindow(Item(IDC_Text1), Checked(IDC_cLogfile)); }

void frmLaunch::Command1_Click() {
  std::wstring log_path = ItemText(IDC_Text1);
  std::wstring switches = SwitchText([this](const SwitchBox& box) { return Checked(box.id); }, log_path);
  SetItemText(IDC_Label2, switches);
  std::wstring level = context_.selected_level();
  jj::StartRequest request{jj::InFolder(context_.folder, kGameProgram),
                           GameCommandLine(context_.folder, level, switches), context_.folder, SW_SHOWNORMAL,
                           hwnd_};
  // The game reads its command line in the system's code page: a part that
  // does not survive it would reach the game as another folder, level or path.
  std::wstring refusal = jj::StartRefusal(request, kGameProgram,
                                          {{L"game folder", context_.folder},
                                           {L"level name", level},
                                           {L"log file path", Checked(IDC_cLogfile) ? log_path : L""}});
  if (!refusal.empty()) return jj::Warn(context_.prompter, hwnd_, context_.program_title, refusal);
  if (unsigned long error = context_.starter.Start(request)) {
    jj::ReportFailure(context_.prompter, hwnd_, context_.program_title,
                      jj::Filled(kCannotStartGame, {request.program}), error, request.program);
    return;  // the dialog stays open, and the program does not end
  }
  if (Checked(IDC_Check1) && context_.on_quit) context_.on_quit();
}

void frmLaunch::Command2_Click() {
  if (context_.on_close) context_.on_close();
  DestroyWindow(hwnd_);
}

bool frmLaunch::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_cLogfile: cLogfile_Click(); return true;
    case IDC_Command1: Command1_Click(); return true;
    case IDC_Command2: Command2_Click(); return true;
  }
  return false;
}

}  // namespace launch
