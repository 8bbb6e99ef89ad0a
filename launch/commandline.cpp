#include "launch/commandline.h"

#include <windows.h>

#include "files/paths.h"

namespace launch {

std::wstring SwitchText(const std::function<bool(const SwitchBox&)>& checked, std::wstring_view log_path) {
  std::wstring text;
  for (const SwitchBox& box : SwitchBoxes()) {
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
