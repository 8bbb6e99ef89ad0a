// The start of each program: the narrowing of the DLL search before any of
// its own code runs, and its whole life from the main window's making to the
// end of the message loop.
#pragma once
#include <functional>
#include <memory>

#include "files/folderlisting.h"
#include "ui/mainwindow.h"

namespace jj {

// The whole life of a program: no DLL from the game folder, the listing of
// the game folder (the program's own) read ahead, common controls, the main
// window made by `make` over that listing with its icons, shown with the
// focus on `focus_id`, and the message loop until it closes.
int RunProgram(const wchar_t* title, int show, int focus_id,
               const std::function<std::unique_ptr<MainWindow>(std::shared_ptr<FolderListing>)>& make);

}  // namespace jj
