// The program itself: Quenby.exe started from a game folder lists that
// folder, and the help file beside it.
#include <gtest/gtest.h>

#include "episodes/quenbywindow.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"

TEST(Program, ListsTheFolderItLiesInAndEndsWhenClosed) {
  test::TempFolder game, elsewhere;
  ASSERT_TRUE(CopyFileW((test::BinFolder() + L"\\Quenby.exe").c_str(), (game / L"Quenby.exe").c_str(), FALSE));
  for (const wchar_t* n : {L"prince.j2e", L"monk.jxe", L"TOMB.J2E"}) game.Touch(n);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = L"\"" + (game / L"Quenby.exe") + L"\"";
  // Started from another working folder: the game folder is the program's own.
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, elsewhere.path().c_str(), &si,
                             &pi));
  HWND main = test::WaitForWindowOf(pi.dwProcessId, L"JJ2QuenbyMain");
  ASSERT_NE(main, nullptr);
  // The window is found as soon as it exists; its controls and first count follow.
  auto count = [&] { return test::Text(GetDlgItem(main, episodes::frmGlavni::IDC_Label7)); };
  for (int i = 0; i < 400 && count() != L"You can activate 6 more episodes."; ++i) Sleep(25);
  EXPECT_EQ(count(), L"You can activate 6 more episodes.");
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(test::Text(main), L"Quenby");
  EXPECT_EQ(SendMessageW(GetDlgItem(main, episodes::frmGlavni::IDC_File1), LVM_GETITEMCOUNT, 0, 0), 3);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(game.Names(), (std::vector<std::wstring>{L"Quenby.exe", L"TOMB.J2E", L"monk.jxe", L"prince.j2e"}));
}

TEST(Program, TheHelpFileIsPlainTextWithCrLfLineEnds) {
  std::string text = test::Read(test::BinFolder() + L"\\HlpQuenby.qxh");
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
