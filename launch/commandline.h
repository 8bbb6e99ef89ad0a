// The switch text and the command lines of the game and the level editor.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "launch/switches.h"

namespace launch {

inline constexpr wchar_t kGameProgram[] = L"Jazz2.exe";
inline constexpr wchar_t kEditorProgram[] = L"JCS.exe";

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

}  // namespace launch
