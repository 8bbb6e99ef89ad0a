// Quenby: manages the episode files of the game folder it lies in.
#include <windows.h>

#include "episodes/quenbywindow.h"
#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // The main window over the listing of the game folder that the program makes at its start.
  auto make = [](std::shared_ptr<jj::FolderListing> game_folder) {
    return std::make_unique<episodes::frmGlavni>(std::move(game_folder), jj::SystemPrompter(), jj::SystemStarter());
  };
  return jj::RunProgram(L"Quenby", show, episodes::frmGlavni::IDC_File1, make);
}
