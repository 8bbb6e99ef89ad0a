// The start of each program: from its entry point to the end of its message loop.
#pragma once
#include <functional>
#include <memory>

#include "ui/mainwindow.h"

namespace jj {

// The whole life of a program: no DLL from the game folder, common controls,
// the main window made by `make` with its icons, shown with the focus on
// `focus_id`, and the message loop until it closes.
int RunProgram(const wchar_t* title, int show, int focus_id,
               const std::function<std::unique_ptr<MainWindow>()>& make);

}  // namespace jj
