// The game's start-up switches and the command lines of the game and the
// level editor.
#pragma once
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "ui/starter.h"

namespace launch {

inline constexpr wchar_t kGameProgram[] = L"Jazz2.exe";
inline constexpr wchar_t kEditorProgram[] = L"JCS.exe";

// One switch box of the launch dialog: its control and the game switch it carries.
struct SwitchBox {
  int id;
  const wchar_t* tag;
};

// Control ids of the switch boxes, in launch order (which is their tab order).
enum : int {
  IDC_cWindow = 200, IDC_cLogfile, IDC_cSpy, IDC_cNospy, IDC_cJoy, IDC_cSnd, IDC_cDD, IDC_cDS, IDC_cProc,
  IDC_cNet, IDC_cReg, IDC_cSafe,
};

// The twelve switch boxes in launch order.
std::span<const SwitchBox> SwitchBoxes();

// The switch text: for each checked box in launch order one space and its
// tag; the log box's tag is followed by the log path exactly as typed.
std::wstring SwitchText(const std::function<bool(const SwitchBox&)>& checked, std::wstring_view log_path);

// The program part of a command line: the game folder, a backslash and the
// program's file name, in double quotes when the folder holds a blank or a tab.
std::wstring ProgramPart(const std::wstring& folder, const wchar_t* program);

// Program part, one space, the level, one space, the switch text.
std::wstring GameCommandLine(const std::wstring& folder, const std::wstring& level, const std::wstring& switches);

// Program part, one space, the level; nothing after it.
std::wstring EditorCommandLine(const std::wstring& folder, const std::wstring& level);

// The code-page check of command lines (starter.h).
using jj::CodePageRefusal;
using jj::FitsCodePage;

}  // namespace launch
