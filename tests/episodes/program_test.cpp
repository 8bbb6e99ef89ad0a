// The program itself: Quenby.exe started from a game folder lists that
// folder, and the help file beside it.
#include <gtest/gtest.h>

#include "episodes/frmglavni.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"

namespace {

std::wstring BinFolder() {
  wchar_t self[MAX_PATH];
  std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  std::wstring tests = exe.substr(0, exe.find_last_of(L'\\'));
  return tests.substr(0, tests.find_last_of(L'\\')) + L"\\bin";
}

struct Found {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK FindMain(HWND hwnd, LPARAM lp) {
  auto* found = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64];
  GetClassNameW(hwnd, cls, 64);
  if (pid == found->pid && std::wstring(cls) == L"JJ2QuenbyMain") {
    found->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TEST(Program, ListsTheFolderItLiesInAndEndsWhenClosed) {
  test::TempFolder game, elsewhere;
  ASSERT_TRUE(CopyFileW((BinFolder() + L"\\Quenby.exe").c_str(), (game / L"Quenby.exe").c_str(), FALSE));
  for (const wchar_t* n : {L"prince.j2e", L"monk.jxe", L"TOMB.J2E"}) game.Touch(n);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = L"\"" + (game / L"Quenby.exe") + L"\"";
  // Started from another working folder: the game folder is the program's own.
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, elsewhere.path().c_str(), &si,
                             &pi));
  Found found{pi.dwProcessId, nullptr};
  for (int i = 0; i < 400 && !found.hwnd; ++i) {
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&found));
    if (!found.hwnd) Sleep(25);
  }
  ASSERT_NE(found.hwnd, nullptr);
  // The window is found as soon as it exists; its controls and first count follow.
  auto count = [&] { return test::Text(GetDlgItem(found.hwnd, episodes::frmGlavni::IDC_Label7)); };
  for (int i = 0; i < 400 && count() != L"You can activate 6 more episodes."; ++i) Sleep(25);
  EXPECT_EQ(count(), L"You can activate 6 more episodes.");
  EXPECT_TRUE(IsWindowVisible(found.hwnd));
  EXPECT_EQ(test::Text(found.hwnd), L"Quenby");
  EXPECT_EQ(SendMessageW(GetDlgItem(found.hwnd, episodes::frmGlavni::IDC_File1), LVM_GETITEMCOUNT, 0, 0), 3);
  PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(game.Names(), (std::vector<std::wstring>{L"Quenby.exe", L"TOMB.J2E", L"monk.jxe", L"prince.j2e"}));
}

TEST(Program, TheHelpFileIsPlainTextWithCrLfLineEnds) {
  std::string text = test::Read(BinFolder() + L"\\HlpQuenby.qxh");
  ASSERT_NE(text, "(missing)");
  ASSERT_GT(text.size(), 1000u);
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 32 && c < 127)) << "byte " << i;
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "byte " << i;
    }
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "byte " << i;
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  // It tells the mouse and the keyboard user what to do.
  for (const char* words : {"Activate", "Deactivate", "Delete", "Alt+L", "Alt+B", "Alt+H", "Alt+E", "Tab", "8"})
    EXPECT_NE(text.find(words), std::string::npos) << words;
}
