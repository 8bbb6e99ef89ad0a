// A game folder with levels and a launcher main window over it, for the
// launch tests.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "files/paths.h"

#include "launch/launchers.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"

namespace launchtest {

// A game folder whose path is exactly `length` characters long: nested
// folders under a temporary folder, made (and filled) through "\\?\" paths,
// since past MAX_PATH nothing else reaches them.
class LongFolder {
 public:
  explicit LongFolder(std::size_t length) : path_(base_.path()) {
    while (path_.size() < length) {
      std::size_t left = length - path_.size();  // a backslash and at least one letter each
      std::size_t part = std::min<std::size_t>(left - 1, 200);
      if (left - 1 - part == 1) --part;  // never leave room for a backslash alone
      path_ += L"\\" + std::wstring(part, L'd');
      CreateDirectoryW(jj::Exact(path_).c_str(), nullptr);
    }
  }
  const std::wstring& path() const { return path_; }
  void Touch(const std::wstring& name) const {
    HANDLE h = CreateFileW(jj::Exact(path_ + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }

 private:
  test::TempFolder base_;
  std::wstring path_;
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
    w = std::make_unique<Window>(test::ListingOf(dir->path()), prompter, starter);
    w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
    test::Pump();
  }
  void Start(std::initializer_list<const wchar_t*> levels) { Start(recorder, levels); }
  // Shows the window over a folder that the test has filled itself.
  void StartIn(const std::wstring& folder, jj::Starter& starter) {
    w = std::make_unique<Window>(test::ListingOf(folder), prompter, starter);
    w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
    test::Pump();
  }
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
