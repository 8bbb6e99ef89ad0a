// Quenby: manages the episode files of the game folder it lies in.
#include <windows.h>

#include "episodes/frmglavni.h"
#include "ui/mainwindow.h"
#include "files/paths.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  return jj::RunProgram(L"Quenby", show, episodes::frmGlavni::IDC_File1, [] {
    return std::make_unique<episodes::frmGlavni>(jj::ExeFolder(), jj::SystemPrompter(), jj::SystemStarter());
  });
}
