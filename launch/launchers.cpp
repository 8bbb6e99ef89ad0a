#include "launch/launchers.h"

#include <memory>

#include "files/paths.h"
#include "ui/report.h"

namespace launch {

HalvickWindow::HalvickWindow(std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter)
    : frmGlavni({L"Halvick", L"Launch &Jazz2", L"HlpHalvick.qxh", kNoLevelToLaunch, frmLaunch::Controls()},
                std::move(listing), prompter, starter) {}

void HalvickWindow::Launch(const std::wstring&) {
  frmLaunch::Context context{
      Folder(),
      Program().title,
      prompter_,
      starter_,
      [this] { return SelectedLevel(); },
      [this] { SecondaryClosing(); },
      // Ends Halvick: the main window goes, and with it the dialog and the message loop.
      [this] { DestroyWindow(hwnd_); },
  };
  OpenSecondary(std::make_unique<frmLaunch>(hwnd_, std::move(context)), IDC_cWindow);
}

OstrellWindow::OstrellWindow(std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter)
    : frmGlavni({L"Ostrell", L"Launch &JCS", L"HlpOstrell.qxh", kNoLevelForEditor}, std::move(listing),
                prompter, starter) {}

void OstrellWindow::Launch(const std::wstring& level) {
  jj::StartRequest request{jj::InFolder(Folder(), kEditorProgram), EditorCommandLine(Folder(), level), Folder(),
                           SW_SHOWMAXIMIZED, hwnd_};
  // The editor reads its command line in the system's code page.
  std::wstring refusal =
      jj::StartRefusal(request, kEditorProgram, {{L"game folder", Folder()}, {L"level name", level}});
  if (!refusal.empty()) return Warn(refusal);
  if (unsigned long error = starter_.Start(request))
    Report(jj::Filled(kCannotStartEditor, {request.program}), error, request.program);
}

}  // namespace launch
