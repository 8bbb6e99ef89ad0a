// Ostrell: lists the levels of the game folder it lies in and opens one in the level editor.
#include <windows.h>

#include "launch/launchers.h"
#include "ui/mainwindow.h"
#include "files/paths.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  return jj::RunProgram(L"Ostrell", show, levels::frmGlavni::IDC_Text1, [] {
    return std::make_unique<launch::OstrellWindow>(jj::ExeFolder(), jj::SystemPrompter(), jj::SystemStarter());
  });
}
