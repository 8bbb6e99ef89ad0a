// No DLL from the game folder: a DLL planted beside a program under the name
// of a system DLL is never loaded, neither at start nor by name later.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/fixtures.h"
#include "files/paths.h"
#include "tests/support/support.h"

// The programs' start-up, linked into this test program as into every
// program (which links it through RunProgram).
extern "C" PIMAGE_TLS_CALLBACK jj_narrow_dll_search;
[[gnu::used]] static const void* const kStartUpLinked = &jj_narrow_dll_search;

namespace {

std::wstring OwnFolder() {
  wchar_t self[MAX_PATH];
  std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return exe.substr(0, exe.find_last_of(L'\\'));
}

std::wstring Planted() { return OwnFolder() + L"\\" + TEXT(JJ_PLANTED_DLL); }

}  // namespace

TEST(DllSearch, ThisProgramsFolderIsOutOfTheSearchBeforeItsOwnCodeRuns) {
  // The planted DLL lies beside this test program, whose start-up code and
  // main never narrowed the search themselves.
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(TEXT(JJ_PLANTED_DLL)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(DllSearch, AProgramNeverLoadsTheDllPlantedBesideIt) {
  // The record works: a DLL loaded on purpose, by its full path, writes it.
  test::TempFolder check;
  ASSERT_TRUE(CopyFileW(Planted().c_str(), (check / L"probe.dll").c_str(), FALSE));
  HMODULE probe = LoadLibraryW((check / L"probe.dll").c_str());
  ASSERT_NE(probe, nullptr);
  FreeLibrary(probe);
  ASSERT_NE(test::Read(check / L"probe.dll.loaded.txt"), "(missing)");

  std::wstring bin = OwnFolder().substr(0, OwnFolder().find_last_of(L'\\')) + L"\\bin";
  for (const wchar_t* program : {L"Quenby.exe", L"Halvick.exe", L"Ostrell.exe"}) {
    SCOPED_TRACE(test::Narrow(program));
    test::TempFolder game;
    game.Touch(L"castle.j2l");
    game.Touch(L"prince.j2e");
    ASSERT_TRUE(CopyFileW((bin + L"\\" + program).c_str(), (game / program).c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(Planted().c_str(), (game / L"shcore.dll").c_str(), FALSE));
    // Started as a double click does: from the game folder.
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + (game / program) + L"\"";
    ASSERT_TRUE(CreateProcessW((game / program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               game.path().c_str(), &si, &pi));
    HWND shown = test::WaitForWindowOf(pi.dwProcessId);
    EXPECT_NE(shown, nullptr);
    if (shown) PostMessageW(shown, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_FALSE(game.Exists(L"shcore.dll.loaded.txt")) << "the planted shcore.dll was loaded";
  }
}
