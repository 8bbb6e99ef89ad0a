#include "ui/filelistbox.h"

#include <algorithm>

namespace jj {

namespace {

// Sent by the list to its parent when the user picked the entry that was
// already selected; the list view itself reports only changes.
constexpr UINT kRepick = 0x4A01;

// The first entry from `start` whose name begins with `text` (or is `text`,
// when `whole`), without regard to letter case; -1 when none does.
int Find(const FileList& list, std::wstring_view text, int start, bool whole, bool wrap) {
  int count = static_cast<int>(list.Count());
  if (text.empty() || count == 0) return -1;
  if (start < 0 || start >= count) start = 0;
  const int n = static_cast<int>(text.size());
  for (int k = 0, end = wrap ? count : count - start; k < end; ++k) {
    int i = (start + k) % count;
    const std::wstring& name = list.Name(static_cast<std::size_t>(i));
    if (name.size() < text.size() || (whole && name.size() != text.size())) continue;
    if (CompareStringOrdinal(name.data(), n, text.data(), n, TRUE) == CSTR_EQUAL) return i;
  }
  return -1;
}

bool NavigationKey(WPARAM vk) {
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
      return true;
    default:
      return false;
  }
}

}  // namespace

int FindByPrefix(const FileList& list, std::wstring_view prefix, int start) {
  return Find(list, prefix, start, false, true);
}

FileListBox::~FileListBox() { Detach(); }

void FileListBox::Attach(HWND list) {
  Detach();
  hwnd_ = list;
  // The list view's window procedure is replaced directly, its own kept
  // here and this object in the window's user data: the common controls'
  // subclassing looks its chain up in the window's properties at every
  // message, which under Wine is a round trip to the server twice a message.
  SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  list_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListBox::Proc)));
  // The focus shows also when the window was reached with the mouse.
  SendMessageW(list, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void FileListBox::Detach() {
  if (!list_proc_) return;
  if (IsWindow(hwnd_) &&
      GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&FileListBox::Proc)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_proc_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
  list_proc_ = nullptr;
}

LRESULT CALLBACK FileListBox::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<FileListBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const WNDPROC list_proc = self->list_proc_;
  switch (msg) {
    case WM_CHAR: {
      // Every printable key belongs to the search text; a space only within
      // a search, since on its own it is the list's own key.
      auto c = static_cast<wchar_t>(wp);
      if (c >= L' ' && c != 0x7F && (c != L' ' || self->Typing())) {
        self->Type(c);
        return 0;
      }
      break;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE && self->Typing()) return 0;
      if (NavigationKey(wp)) {
        self->typed_.clear();
        // With nothing selected, the keys start from the top as in a list
        // box, not from the entry that only shows the focus.
        if (self->SelectedIndex() < 0) {
          self->FocusCue(false);
          LRESULT r = CallWindowProcW(list_proc, hwnd, msg, wp, lp);
          self->FocusCue(true);
          return r;
        }
      }
      break;
    case WM_UPDATEUISTATE:
      // The focus always shows in the list, also after a mouse click.
      if (LOWORD(wp) == UIS_SET && (HIWORD(wp) & UISF_HIDEFOCUS)) {
        WORD rest = HIWORD(wp) & ~UISF_HIDEFOCUS;
        if (!rest) return 0;
        wp = MAKEWPARAM(UIS_SET, rest);
      }
      break;
    case WM_LBUTTONDOWN:
      self->typed_.clear();  // a click ends a search
      self->pressed_ = true;
      self->picks_at_press_ = self->picks_;
      break;
    case WM_NCDESTROY:
      self->Detach();
      break;
  }
  return CallWindowProcW(list_proc, hwnd, msg, wp, lp);
}

unsigned long FileListBox::Now() const {
  return clock_ ? clock_() : static_cast<unsigned long>(GetMessageTime());
}

bool FileListBox::Typing() const {
  unsigned long timeout = typing_timeout_ ? typing_timeout_ : 2 * GetDoubleClickTime();
  return !typed_.empty() && Now() - typed_at_ <= timeout;
}

void FileListBox::Type(wchar_t c) {
  if (!Typing()) typed_.clear();
  typed_ += c;
  typed_at_ = Now();
  int selected = SelectedIndex();
  // The same letter again steps to the next name with that letter; other
  // letters make the text longer, and the selected entry stays while its
  // name still begins with it.
  bool same = typed_.size() > 1;
  for (std::size_t i = 1; same && i < typed_.size(); ++i)
    same = CompareStringOrdinal(&typed_[i], 1, &typed_[0], 1, TRUE) == CSTR_EQUAL;
  int found = typed_.size() == 1 || same ? FindByPrefix(model_, std::wstring_view(typed_).substr(0, 1), selected + 1)
                                         : FindByPrefix(model_, typed_, selected < 0 ? 0 : selected);
  if (found < 0) return;  // no name begins so: the selection stays
  if (found == selected) {
    // The first key of a search picks the entry again, as a click on it
    // does; a further key that keeps it changes nothing.
    ListView_EnsureVisible(hwnd_, found, FALSE);
    if (typed_.size() == 1) Repick();
  } else {
    quiet_ = true;
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
    quiet_ = false;
    Select(found);
  }
}

void FileListBox::Repick() {
  NMHDR nm{hwnd_, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_)), kRepick};
  SendMessageW(GetParent(hwnd_), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void FileListBox::FocusCue(bool show) {
  if (SelectedIndex() >= 0) return;
  quiet_ = true;
  if (show && model_.Count()) {
    ListView_SetItemState(hwnd_, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  } else if (!show) {
    ListView_SetItemState(hwnd_, -1, 0, LVIS_FOCUSED);
  }
  quiet_ = false;
}

unsigned long FileListBox::Refresh() { return Show(model_.Refresh()); }

unsigned long FileListBox::Refresh(FileList& also) { return Show(model_.RefreshWith(also)); }

unsigned long FileListBox::Show(unsigned long error) {
  // The list ends with nothing selected, the focus on its first entry and
  // its top in view. Each step touches only what is not so already: setting
  // a state on every entry at once visits each of them, setting the count
  // again lays out the scroll bar anew, and moving the focus notifies the
  // window, all of which a re-read of a long list would feel.
  quiet_ = true;
  if (ListView_GetSelectedCount(hwnd_)) {
    for (int i = -1; (i = ListView_GetNextItem(hwnd_, i, LVNI_SELECTED)) >= 0;)
      ListView_SetItemState(hwnd_, i, 0, LVIS_SELECTED);
  }
  const int count = static_cast<int>(model_.Count());
  if (ListView_GetItemCount(hwnd_) != count) ListView_SetItemCountEx(hwnd_, count, 0);
  int focused = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED);
  if (focused > 0 || (focused == 0 && count == 0)) ListView_SetItemState(hwnd_, focused, 0, LVIS_FOCUSED);
  ListView_SetSelectionMark(hwnd_, -1);
  quiet_ = false;
  picked_ = -1;
  typed_.clear();
  if (focused != 0) FocusCue(true);
  if (count && ListView_GetTopIndex(hwnd_) != 0) ListView_EnsureVisible(hwnd_, 0, FALSE);
  InvalidateRect(hwnd_, nullptr, TRUE);
  return error;
}

int FileListBox::SelectedIndex() const {
  // Looking for a selected entry visits every entry when there is none.
  int i = ListView_GetSelectedCount(hwnd_) ? ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED) : -1;
  return i >= 0 && static_cast<std::size_t>(i) < model_.Count() ? i : -1;
}

std::wstring FileListBox::SelectedName() const {
  int i = SelectedIndex();
  return i < 0 ? std::wstring() : model_.Name(static_cast<std::size_t>(i));
}

void FileListBox::Select(int index) {
  ListView_SetItemState(hwnd_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(hwnd_, index, FALSE);
}

bool FileListBox::OnNotify(const NMHDR* nm, LRESULT* result, bool* picked) {
  if (nm->hwndFrom != hwnd_) return false;
  *result = 0;
  *picked = false;
  switch (nm->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(nm));
      auto i = static_cast<std::size_t>(info->item.iItem);
      if ((info->item.mask & LVIF_TEXT) && i < model_.Count() && info->item.cchTextMax > 0) {
        const std::wstring& name = model_.Name(i);
        std::size_t n = std::min<std::size_t>(name.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
        name.copy(info->item.pszText, n);
        info->item.pszText[n] = L'\0';
      }
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<const NMLISTVIEW*>(nm);
      if (!quiet_ && change->iItem >= 0 && (change->uChanged & LVIF_STATE) &&
          (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
        *picked = true;
        picked_ = change->iItem;
        ++picks_;
      }
      return true;
    }
    case LVN_ODFINDITEMW: {
      // The list view's own searches (typing is handled before it sees it).
      const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(nm);
      bool by_name = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz;
      *result = by_name ? Find(model_, find->lvfi.psz, find->iStart, !(find->lvfi.flags & LVFI_PARTIAL),
                               (find->lvfi.flags & LVFI_WRAP) != 0)
                        : -1;
      return true;
    }
    case kRepick:
      *picked = true;
      picked_ = SelectedIndex();
      ++picks_;
      return true;
    case NM_CLICK: {
      // A list box reports every click on an entry, also on the selected one.
      int item = reinterpret_cast<const NMITEMACTIVATE*>(nm)->iItem;
      bool pressed = pressed_;
      pressed_ = false;
      if (item >= 0 && pressed && picks_ == picks_at_press_ && item == SelectedIndex()) {
        *picked = true;
        picked_ = item;
        ++picks_;
        return true;
      }
    }
      [[fallthrough]];
    case NM_RCLICK:
    case NM_DBLCLK:
      // The list view clears its selection on a click beside the entries:
      // give the picked entry its selection back, without a new pick.
      if (reinterpret_cast<const NMITEMACTIVATE*>(nm)->iItem < 0 && picked_ >= 0 && SelectedIndex() < 0) {
        quiet_ = true;
        Select(picked_);
        quiet_ = false;
      }
      return true;
    default:
      return true;
  }
}

}  // namespace jj
