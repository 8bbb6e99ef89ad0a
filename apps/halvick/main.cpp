// Halvick: lists the levels of the game folder it lies in and starts the game on one.
#include <windows.h>

#include "launch/launchers.h"
#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // The main window over the listing of the game folder that the program makes at its start.
  auto make = [](std::shared_ptr<jj::FolderListing> game_folder) {
    return std::make_unique<launch::HalvickWindow>(std::move(game_folder), jj::SystemPrompter(), jj::SystemStarter());
  };
  return jj::RunProgram(L"Halvick", show, levels::frmGlavni::IDC_Text1, make);
}
