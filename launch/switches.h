// The game's start-up switches that the launch options dialog offers: one
// row per switch, from which both the dialog's boxes and the switch text of
// the game's command line are made. A new switch is one id and one row.
#pragma once
#include <span>

namespace launch {

// Control ids of the switch boxes, in launch order (which is their tab order).
enum : int {
  IDC_cWindow = 200, IDC_cLogfile, IDC_cSpy, IDC_cNospy, IDC_cJoy, IDC_cSnd, IDC_cDD, IDC_cDS, IDC_cProc,
  IDC_cNet, IDC_cReg, IDC_cSafe,
};

// One switch box of the launch dialog: its control, the game switch it
// carries, its caption (the access key follows the "&") and its row: every
// box is one row high, as wide as its caption needs, and a separator line
// may close its group.
struct SwitchBox {
  int id;
  const wchar_t* tag;
  const wchar_t* caption;
  int width;  // twips
  bool ends_group = false;
};

inline constexpr bool kEndsGroup = true;

// In launch order, which is also their order from top to bottom in the dialog.
inline constexpr SwitchBox kSwitchBoxes[] = {
    {IDC_cWindow, L"-Windowed", L"Run in a &window", 1575},
    {IDC_cLogfile, L"-Log =", L"Writ&e a log file to disk", 1815, kEndsGroup},  // then the log path as typed
    {IDC_cSpy, L"-Spy", L"Enable &Spy window", 1695},
    {IDC_cNospy, L"-NoSpy", L"Disable Sp&y window (check this if you enabled it last time)", 4455, kEndsGroup},
    {IDC_cJoy, L"-NoJoy", L"D&on't try to detect joysticks", 2295},
    {IDC_cSnd, L"-NoSound", L"Don't try to detect &sound hardware", 2775},
    {IDC_cDD, L"-NoDDraw", L"Don't try to detect &DirectDraw", 2415},
    {IDC_cDS, L"-NoDSound", L"Don't try to detect DirectSou&nd", 2535},
    {IDC_cProc, L"-NoCPUCheck", L"Don't try to detect &microprocessor type", 3015},
    {IDC_cNet, L"-NoNetwork", L"Don't try to detect networ&king support", 3015},
    {IDC_cReg, L"-NoReg", L"Don't use Windows re&gistry (use default game settings)", 4215, kEndsGroup},
    {IDC_cSafe, L"-Safe", L"Start in Safe Mode (disables &all extra support)", 3495, kEndsGroup},
};

// The switch boxes in launch order.
inline std::span<const SwitchBox> SwitchBoxes() { return kSwitchBoxes; }

}  // namespace launch
