// Test fixtures: file contents, links, a folder that cannot
// be written, and picking an entry of a list view with the mouse.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/support.h"

namespace test {

// Writes `bytes` as the whole content of the file `name` of the folder.
void Write(const test::TempFolder& dir, const std::wstring& name, const std::string& bytes);
// The whole content of a file, or "(missing)".
std::string Read(const std::wstring& path);

// Makes `link` (a full path) a symbolic link to the file `target` (a full
// path). Under Wine, whose CreateSymbolicLinkW creates nothing, a Unix
// symbolic link is made with ln; elsewhere CreateSymbolicLinkW. False when
// neither works here.
bool MakeLink(const std::wstring& link, const std::wstring& target);

// Renames the file `from` of the folder to `to` from the Linux side, as
// another program there would (one rename, also when only the letter case
// changes), and waits until the new name shows. False when that cannot be
// done here (not under Wine) or the new name did not show.
bool RenameFromLinux(const std::wstring& folder, const std::wstring& from, const std::wstring& to);

// Removes the links it was given when it goes (declare it after the folders
// that hold them). test::TempFolder cannot: under Wine, deleting a Unix link
// deletes its target and leaves the link.
class LinkSweeper {
 public:
  LinkSweeper() = default;
  LinkSweeper(const LinkSweeper&) = delete;
  LinkSweeper& operator=(const LinkSweeper&) = delete;
  ~LinkSweeper();
  // MakeLink, remembering the link.
  bool Make(const std::wstring& link, const std::wstring& target);

 private:
  std::vector<std::wstring> links_;
};

// Makes a folder unwritable (no file can be created, renamed or deleted in
// it) while the object lives: first with the read-only attribute (which Wine
// maps to the folder's permission bits), and where that does not hold (root
// ignores the bits) with the Linux immutable flag. ok() is false when
// neither works here.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const std::wstring& folder);
  ~UnwritableFolder();
  UnwritableFolder(const UnwritableFolder&) = delete;
  UnwritableFolder& operator=(const UnwritableFolder&) = delete;
  bool ok() const { return ok_; }

 private:
  bool Writable() const;
  std::wstring folder_;
  bool immutable_ = false;
  bool ok_ = false;
};

// A temporary game folder made inside the folder `parent`, by pointing TMP
// there while it is created.
std::unique_ptr<TempFolder> TempFolderIn(const std::wstring& parent);

// A game folder made under a temporary parent folder of the given name (by
// default "Games JJ2", a name with a blank).
class SpacedFolder {
 public:
  explicit SpacedFolder(const std::wstring& parent_name = L"Games JJ2");
  const TempFolder& dir() const { return *dir_; }

 private:
  TempFolder base_;
  std::unique_ptr<TempFolder> dir_;
};

// A main window's frame: its title, a fixed border with a minimize box and
// no maximize box, the client area in twips at the window's DPI (its size is
// what users see of its layout: kept to the twip), centred on the screen.
void ExpectMainFrame(HWND window, const std::wstring& title, int client_width, int client_height);

// What must hold of the visible controls of every window, whatever their
// numbers: each lies inside the client area; two overlap only where one
// follows the other in tab order, stacked on it by a pixel row at most (a
// caption over its value, a check box over the next); a label's access key
// leads to the control after it, which takes the focus and lies right of the
// label or below it; no two controls share an access key but those in
// `shared`; the push buttons are one height, those side by side share their
// top and width, those one above the other their left or right edge.
void ExpectSoundSheet(HWND window, const std::wstring& shared = L"");

// A left-button click in the middle of the list view's entry `index`.
void ClickItem(HWND list, int index);

// A file held open by "another program": a handle opened without
// FILE_SHARE_DELETE, closed when the object goes.
class HeldOpen {
 public:
  explicit HeldOpen(const std::wstring& path);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace test

namespace test {

// Another program that swaps the name `name` of the folder `game`, as fast
// as it can, between a plain file (content `plain`) and a symbolic link to
// the file `target` outside the folder, until the object goes; a link that
// lands on `also` (another name of the folder, such as the new name of a
// rename) is removed at once. `stage` is a folder beside the game folder on
// the same disk. A Linux program under Wine (perl, which Debian always has);
// ok() is false where it cannot run.
class Flipper {
 public:
  Flipper(const TempFolder& game, const std::wstring& name, const std::wstring& also, const std::wstring& target,
          const TempFolder& stage, const std::string& plain);
  ~Flipper();
  Flipper(const Flipper&) = delete;
  Flipper& operator=(const Flipper&) = delete;
  bool ok() const { return ok_; }

 private:
  std::wstring stop_;
  bool ok_ = false;
};

}  // namespace test

namespace test {

// Runs a Linux shell command line (sh -c) from Wine and waits until it has
// ended, for up to `seconds`. `script` may use $D, the folder's Linux path.
// False when it cannot run here. The way to make what Windows cannot: a twin of another letter
// case, a name with a backslash, a FIFO, a link that leads nowhere.
bool Shell(const TempFolder& dir, const std::wstring& script, int seconds = 5);

}  // namespace test

namespace test {

// The folder as the root of a drive of its own ("Q:\", the first free letter
// from Q on) while the object lives: with DefineDosDeviceW where the system
// maps a drive that way (Windows), with a link in the Wine prefix's folder of
// drives under Wine. root() is empty where neither works.
class MappedDrive {
 public:
  explicit MappedDrive(const TempFolder& dir);
  ~MappedDrive();
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;
  const std::wstring& root() const { return root_; }

 private:
  bool Works() const;
  std::wstring WineLink() const;
  const TempFolder& dir_;
  std::wstring root_;
  bool defined_ = false;
};

}  // namespace test
