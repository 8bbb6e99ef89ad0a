// A game folder with levels and a launcher main window over it, for the
// launch tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "launchers.h"
#include "support.h"

namespace launchtest {

// A game folder whose path holds a blank: made under a temporary folder
// named "Games JJ2" by pointing TMP there while it is created.
class SpacedFolder {
 public:
  SpacedFolder() {
    std::wstring parent = base_ / L"Games JJ2";
    CreateDirectoryW(parent.c_str(), nullptr);
    wchar_t old[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"TMP", old, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", parent.c_str());
    dir_ = std::make_unique<test::TempFolder>();
    SetEnvironmentVariableW(L"TMP", n ? old : nullptr);
  }
  const test::TempFolder& dir() const { return *dir_; }

 private:
  test::TempFolder base_;
  std::unique_ptr<test::TempFolder> dir_;
};

template <class Window>
struct Launcher : ::testing::Test {
  test::TempFolder own;
  const test::TempFolder* dir = &own;
  test::ScriptedPrompter prompter;
  test::RecordingStarter recorder;
  std::unique_ptr<Window> w;

  // Shows the window over the game folder, with these levels in it.
  void Start(jj::Starter& starter, std::initializer_list<const wchar_t*> levels) {
    for (const wchar_t* n : levels) dir->Touch(n);
    w = std::make_unique<Window>(dir->path(), prompter, starter);
    w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
    test::Pump();
  }
  void Start(std::initializer_list<const wchar_t*> levels) { Start(recorder, levels); }
  void Pick(const std::wstring& name) {
    const auto& names = w->File1().Model().Names();
    auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end());
    w->File1().Select(static_cast<int>(at - names.begin()));
    test::Pump();
    ASSERT_EQ(w->SelectedLevel(), name);
  }
  void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    test::Pump();
  }
  void Click(int main_id) { Click(w->Item(main_id)); }
};

}  // namespace launchtest
