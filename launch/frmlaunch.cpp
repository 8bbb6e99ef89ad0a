#include "launch/frmlaunch.h"

#include "files/paths.h"
#include "ui/report.h"

namespace launch {

namespace {

using jj::kButton;
using jj::kCheck;
using jj::kSeparator;

constexpr int kMargin = 120;     // left and top
constexpr int kRow = 240;        // from one row to the next
constexpr int kRowHeight = 255;  // of a box or label
constexpr int kButtonHeight = 375;

// A check box alone on its row: where the face is wider than the one the
// table was drawn for, it widens to its caption before the font gives way.
jj::ControlSpec CheckBox(int id, const wchar_t* caption, int top, int width) {
  return {id, WC_BUTTONW, caption, kMargin, top, width, kRowHeight, kCheck, jj::kFontDefault, 0, {}, jj::Fit::kWiden};
}

const DialogLayout& Layout() {
  static const DialogLayout layout = LayOutDialog(SwitchBoxes());
  return layout;
}

}  // namespace

DialogLayout LayOutDialog(std::span<const SwitchBox> boxes) {
  DialogLayout layout{{}, 4710, 0};  // the width is fixed; the height follows the rows
  std::vector<jj::ControlSpec> lines;
  int top = kMargin;
  auto line = [&] {  // across the dialog, in the middle of its row
    lines.push_back({frmLaunch::IDC_Line1 + static_cast<int>(lines.size()), WC_STATICW, L"", kMargin,
                     top + kRow / 2, 4440, 30, kSeparator});
    top += kRow;
  };
  for (const SwitchBox& box : boxes) {
    layout.controls.push_back(CheckBox(box.id, box.caption, top, box.width));
    top += kRow;
    if (box.ends_group) line();
  }
  // Below the boxes: the log path, a line, the quit box, and the buttons half
  // a row further down; the client area ends a little below them.
  const int log_row = top;
  top += kRow;
  line();
  const int quit_row = top, buttons = quit_row + kRow * 3 / 2;
  layout.controls.insert(
      layout.controls.end(),
      {
          {frmLaunch::IDC_Command1, WC_BUTTONW, L"&Launch Jazz2", kMargin, buttons, 2175, kButtonHeight,
           jj::kDefButton},
          {frmLaunch::IDC_Command2, WC_BUTTONW, L"&Cancel", 2400, buttons, 2175, kButtonHeight, kButton},
          {frmLaunch::IDC_Label1, WC_STATICW, L"&Logfile path and file name:", kMargin, log_row, 1935, kRowHeight,
           jj::kLabel},
          {frmLaunch::IDC_Text1, WC_EDITW, L"", 2160, log_row, 2415, 285, jj::kTextBox | WS_DISABLED},
          // Never shown: holds the switch text of the last launch.
          {frmLaunch::IDC_Label2, WC_STATICW, L"", 2400, kMargin, 2175, kButtonHeight, SS_LEFT | SS_NOPREFIX,
           jj::kFontDefault, 0, {}, jj::Fit::kNone},
          CheckBox(frmLaunch::IDC_Check1, L"Quit Halvick after launching JJ2", quit_row, 3135),
      });
  layout.controls.insert(layout.controls.end(), lines.begin(), lines.end());  // they take no focus
  layout.client_height = buttons + kButtonHeight + 90;
  return layout;
}

std::span<const jj::ControlSpec> frmLaunch::Controls() { return Layout().controls; }

frmLaunch::frmLaunch(HWND owner, Context context) : context_(std::move(context)) {
  const DialogLayout& layout = Layout();
  Create({.class_name = L"JJ2frmLaunch",
          .title = L"Select game options",
          .style = WS_POPUP | WS_CAPTION,
          .ex_style = WS_EX_DLGMODALFRAME,
          .client_width = layout.client_width,
          .client_height = layout.client_height,
          .owner = owner},
         layout.controls);
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

bool frmLaunch::OnClick(int id) {
  return RunClick(this, id,
                  {{IDC_cLogfile, &frmLaunch::cLogfile_Click}, {IDC_Command1, &frmLaunch::Command1_Click},
                   {IDC_Command2, &frmLaunch::Command2_Click}});
}

}  // namespace launch
