// The main windows of the two launchers: Halvick opens the launch options
// dialog on the selected level, Ostrell starts the level editor on it.
#pragma once
#include <string>

#include "levels/browserwindow.h"
#include "launch/frmlaunch.h"

namespace launch {

class HalvickWindow : public levels::frmGlavni {
 public:
  HalvickWindow(std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter);
  // The open launch dialog, or null.
  frmLaunch* Dialog() const { return static_cast<frmLaunch*>(Secondary()); }

 protected:
  void Launch(const std::wstring& level) override;
};

class OstrellWindow : public levels::frmGlavni {
 public:
  OstrellWindow(std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter);

 protected:
  void Launch(const std::wstring& level) override;
};

}  // namespace launch
