// The game folder and the paths built in it.
#pragma once
#include <string>

namespace jj {

// The folder that holds the running program. Without a trailing backslash,
// except at the root of a drive or share, which keeps its own ("E:\",
// "\\server\share\"): "E:" names the drive's current folder, and with the
// "\\?\" prefix the volume device, neither of them its root.
std::wstring ExeFolder();

// The folder that holds the file or folder `path`, by the same rule.
std::wstring FolderOf(const std::wstring& path);

// folder + "\" + name: the separator is always put in, once (a root's own
// backslash is the separator).
std::wstring InFolder(const std::wstring& folder, const std::wstring& name);

// The same path in the form that addresses exactly this name ("\\?\" prefix):
// no trailing dot or blank is stripped, device names such as "con" are plain
// file names, and paths past MAX_PATH work.
std::wstring Exact(const std::wstring& path);

// Full path of a program in the Windows system folder ("notepad.exe").
std::wstring SystemProgram(const std::wstring& file);

}  // namespace jj
