// The file list control: a virtual (owner-data) list view over a FileList.
// A re-read sets the item count only: no per-entry control messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "filelist.h"

namespace jj {

class FileListBox {
 public:
  void Attach(HWND list) { hwnd_ = list; }
  HWND hwnd() const { return hwnd_; }
  FileList& Model() { return model_; }
  const FileList& Model() const { return model_; }

  // Re-reads the folder and shows the result with no entry selected.
  // Returns 0 or the system's error code.
  unsigned long Refresh();
  // The same, with `also` (another list over the same folder, such as a
  // hidden list that is only counted) re-read in the same pass over the
  // folder (FileList::RefreshWith).
  unsigned long Refresh(FileList& also);

  int SelectedIndex() const;
  // The selected bare name, or the empty string.
  std::wstring SelectedName() const;
  // Selects an entry and gives it the focus mark, as a click would.
  void Select(int index);

  // Handles the list view's notifications. Returns true when `nm` was the
  // list's; *picked is set when the user selected a (new) entry. As in any
  // list box, a click beside the entries keeps the selection.
  bool OnNotify(const NMHDR* nm, LRESULT* result, bool* picked);

 private:
  // Shows the re-read model with no entry selected; passes `error` on.
  unsigned long Show(unsigned long error);

  HWND hwnd_ = nullptr;
  FileList model_;
  bool quiet_ = false;  // selection changes made by the program itself
  int picked_ = -1;     // the entry the user picked last, until the next re-read
};

}  // namespace jj
