// The file list control: a virtual (owner-data) list view over a FileList.
// A re-read sets the item count only: no per-entry control messages. Typing
// in the list selects by the start of a name, as in any list box. A name cut
// short in the list shows whole in a tip while the pointer rests on it.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "files/filelist.h"

namespace jj {

// The first entry at or after `start` (wrapping round to the top) whose name
// begins with `prefix`, without regard to letter case; -1 when none does.
int FindByPrefix(const FileList& list, std::wstring_view prefix, int start);

// Whether a name `text_width` pixels wide is cut short ("...") in a list
// entry whose label is `label_width` pixels wide: the list keeps a few
// pixels of the label beside the text.
bool NameCut(int text_width, int label_width);

class FileListBox {
 public:
  FileListBox() = default;
  FileListBox(const FileListBox&) = delete;
  FileListBox& operator=(const FileListBox&) = delete;
  ~FileListBox();

  // Takes over the list view: its typing, clicks and focus cue are handled here.
  void Attach(HWND list);
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

  // Whether the entry's name is cut short in the list as it is drawn now.
  bool Cut(int index) const;
  // The tip that shows a cut name whole, and the entry it shows (-1: none).
  HWND Tip() const { return tip_; }
  int TipEntry() const { return tip_entry_; }

  // Handles the list view's notifications. Returns true when `nm` was the
  // list's; *picked is set when the user picked an entry: selected a new one
  // with the mouse or the keys, clicked the selected one again, or typed the
  // start of a name. As in any list box, a click beside the entries keeps the
  // selection.
  bool OnNotify(const NMHDR* nm, LRESULT* result, bool* picked);

  // Typing: keys typed within this many milliseconds of each other make one
  // search text (twice the double-click time unless set).
  void SetTypingTimeout(unsigned long ms) { typing_timeout_ = ms; }
  // The clock that times the keys (the time of the current message unless set).
  void SetTypingClock(std::function<unsigned long()> clock) { clock_ = std::move(clock); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Gives the list view its own window procedure back.
  void Detach();
  // Shows the re-read model with no entry selected; passes `error` on.
  unsigned long Show(unsigned long error);
  unsigned long Now() const;
  // Whether a key now would extend the search text.
  bool Typing() const;
  // A typed character: selects the entry the search text leads to.
  void Type(wchar_t c);
  // Tells the parent that the user picked the entry that was already selected.
  void Repick();
  // Marks the first entry with the focus, without selecting it, when nothing
  // is selected (or takes the mark away again).
  void FocusCue(bool show);
  // Deselects the selected entry without a notice of it and returns it (-1:
  // none), before the list view moves its selection: the list view itself
  // deselects every other entry first, which under Wine visits each entry of
  // the list (tens of milliseconds at 100,000), while one entry costs nothing.
  int Unselect();
  // After the list view handled `msg`: gives `was` its selection back when
  // the list view selected no entry, without a pick.
  LRESULT Moved(int was, UINT msg, WPARAM wp, LPARAM lp);
  // The pointer moved to `at` (client coordinates): the tip follows the
  // entry there when its name is cut, and goes otherwise.
  void Hover(POINT at);
  // Hides the tip and lets it show for no entry until the pointer moves.
  void HideTip();

  HWND hwnd_ = nullptr;
  WNDPROC list_proc_ = nullptr;  // the list view's own window procedure
  FileList model_;
  bool quiet_ = false;  // selection changes made by the program itself
  int unselected_ = -1; // the entry Unselect() took the selection from, while the list view moves it
  int picked_ = -1;     // the entry the user picked last, until the next re-read
  unsigned picks_ = 0;  // picks so far, to tell a click that selected from one that did not
  unsigned picks_at_press_ = 0;
  bool pressed_ = false;  // the left button went down on the list
  std::wstring typed_;    // the search text
  unsigned long typed_at_ = 0;
  unsigned long typing_timeout_ = 0;
  std::function<unsigned long()> clock_;
  HWND tip_ = nullptr;        // the tooltip of cut names
  int tip_entry_ = -1;        // the entry whose name it shows
  std::wstring tip_text_;     // that name, while the tip may ask for it
};

}  // namespace jj
