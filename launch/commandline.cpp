#include "commandline.h"

#include <windows.h>

#include "paths.h"

namespace launch {

namespace {

const SwitchBox kSwitchBoxes[] = {
    {IDC_cWindow, L"cWindow", L"Run in a &window", L"-Windowed", 120, 120, 1575, 255},
    {IDC_cLogfile, L"cLogfile", L"Writ&e a log file to disk", L"-Log =", 120, 360, 1815, 255},
    {IDC_cSpy, L"cSpy", L"Enable &Spy window", L"-Spy", 120, 840, 1695, 255},
    {IDC_cNospy, L"cNospy", L"Disable Sp&y window (check this if you enabled it last time)", L"-NoSpy", 120, 1080,
     4455, 255},
    {IDC_cJoy, L"cJoy", L"D&on't try to detect joysticks", L"-NoJoy", 120, 1560, 2295, 255},
    {IDC_cSnd, L"cSnd", L"Don't try to detect &sound hardware", L"-NoSound", 120, 1800, 2775, 255},
    {IDC_cDD, L"cDD", L"Don't try to detect &DirectDraw", L"-NoDDraw", 120, 2040, 2415, 255},
    {IDC_cDS, L"cDS", L"Don't try to detect DirectSou&nd", L"-NoDSound", 120, 2280, 2535, 255},
    {IDC_cProc, L"cProc", L"Don't try to detect &microprocessor type", L"-NoCPUCheck", 120, 2520, 3015, 255},
    {IDC_cNet, L"cNet", L"Don't try to detect networ&king support", L"-NoNetwork", 120, 2760, 3015, 255},
    {IDC_cReg, L"cReg", L"Don't use Windows re&gistry (use default game settings)", L"-NoReg", 120, 3000, 4215, 255},
    {IDC_cSafe, L"cSafe", L"Start in Safe Mode (disables &all extra support)", L"-Safe", 120, 3480, 3495, 255},
};

}  // namespace

std::span<const SwitchBox> SwitchBoxes() { return kSwitchBoxes; }

std::wstring SwitchText(const std::function<bool(const SwitchBox&)>& checked, std::wstring_view log_path) {
  std::wstring text;
  for (const SwitchBox& box : kSwitchBoxes) {
    if (!checked(box)) continue;
    text += L' ';
    text += box.tag;
    if (box.id == IDC_cLogfile) text += log_path;
  }
  return text;
}

std::wstring ProgramPart(const std::wstring& folder, const wchar_t* program) {
  std::wstring path = jj::InFolder(folder, program);
  if (folder.find_first_of(L" \t") != std::wstring::npos) return L"\"" + path + L"\"";
  return path;
}

std::wstring GameCommandLine(const std::wstring& folder, const std::wstring& level, const std::wstring& switches) {
  return ProgramPart(folder, kGameProgram) + L" " + level + L" " + switches;
}

std::wstring EditorCommandLine(const std::wstring& folder, const std::wstring& level) {
  return ProgramPart(folder, kEditorProgram) + L" " + level;
}

}  // namespace launch
