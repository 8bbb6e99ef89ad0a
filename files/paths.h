// The game folder and the paths built in it.
#pragma once
#include <string>

namespace jj {

// The folder that holds the running program, without a trailing backslash.
std::wstring ExeFolder();

// folder + "\" + name: the separator is always put in.
std::wstring InFolder(const std::wstring& folder, const std::wstring& name);

// The same path in the form that addresses exactly this name ("\\?\" prefix):
// no trailing dot or blank is stripped, device names such as "con" are plain
// file names, and paths past MAX_PATH work.
std::wstring Exact(const std::wstring& path);

// Full path of a program in the Windows system folder ("notepad.exe").
std::wstring SystemProgram(const std::wstring& file);

}  // namespace jj
