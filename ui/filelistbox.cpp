#include "ui/filelistbox.h"

#include <windowsx.h>

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

// The tip's one tool: the label of the entry whose name it shows (none
// while its rectangle is empty); the text is asked for when it shows.
TTTOOLINFOW TipTool(HWND list) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = list;
  tool.uId = 1;
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  return tool;
}

}  // namespace

bool NameCut(int text_width, int label_width) {
  // A name as wide as the label less five pixels shows whole; one pixel
  // wider ends in "..." (measured by drawing the list under Wine).
  constexpr int kBesideText = 5;
  return text_width > label_width - kBesideText;
}

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
  // The list view's own tips of cut names (the info and label tips) are
  // not shown by every system (Wine shows neither), so the list has a
  // tooltip of its own, fed with the mouse's messages below.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr, nullptr, nullptr);
  TTTOOLINFOW tool = TipTool(list);
  if (tip_) SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FileListBox::Detach() {
  if (!list_proc_) return;
  if (IsWindow(hwnd_) &&
      GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&FileListBox::Proc)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_proc_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
  list_proc_ = nullptr;
  if (IsWindow(tip_)) DestroyWindow(tip_);  // gone already when the list went
  tip_ = nullptr;
  tip_entry_ = -1;
}

LRESULT CALLBACK FileListBox::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<FileListBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const WNDPROC list_proc = self->list_proc_;
  if (self->tip_ && msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
    if (msg == WM_MOUSEMOVE) self->Hover({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    DWORD at = GetMessagePos();
    MSG relay{hwnd, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
    SendMessageW(self->tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
  }
  switch (msg) {
    case WM_NOTIFY: {
      // The tip asks for the name it shows (none: no tip).
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
      if (info->hdr.hwndFrom != self->tip_ || info->hdr.code != TTN_GETDISPINFOW) break;
      info->hinst = nullptr;
      info->lpszText = self->tip_text_.data();
      return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
      self->HideTip();  // another entry comes under the pointer
      break;
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
      self->HideTip();
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
        return self->Moved(self->Unselect(), msg, wp, lp);
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
    case WM_LBUTTONDOWN: {
      self->typed_.clear();  // a click ends a search
      self->pressed_ = true;
      self->picks_at_press_ = self->picks_;
      LVHITTESTINFO hit{{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}};
      int at = ListView_HitTest(hwnd, &hit), selected = self->SelectedIndex();
      if (at >= 0 && selected >= 0 && at != selected) return self->Moved(self->Unselect(), msg, wp, lp);
      break;
    }
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

bool FileListBox::Cut(int index) const {
  RECT label;
  if (index < 0 || static_cast<std::size_t>(index) >= model_.Count() ||
      !ListView_GetItemRect(hwnd_, index, &label, LVIR_LABEL))
    return false;
  std::wstring name = model_.Name(static_cast<std::size_t>(index));
  return NameCut(ListView_GetStringWidth(hwnd_, name.c_str()), label.right - label.left);
}

void FileListBox::Hover(POINT at) {
  LVHITTESTINFO hit{};
  hit.pt = at;
  int entry = ListView_HitTest(hwnd_, &hit);
  if (entry < 0 || !(hit.flags & LVHT_ONITEMLABEL) || !Cut(entry)) entry = -1;
  if (entry == tip_entry_) return;
  HideTip();
  if (entry < 0) return;
  tip_entry_ = entry;
  tip_text_ = model_.Name(static_cast<std::size_t>(entry));
  TTTOOLINFOW tool = TipTool(hwnd_);
  ListView_GetItemRect(hwnd_, entry, &tool.rect, LVIR_LABEL);
  SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FileListBox::HideTip() {
  if (!tip_) return;
  SendMessageW(tip_, TTM_POP, 0, 0);
  if (tip_entry_ < 0) return;
  TTTOOLINFOW tool = TipTool(hwnd_);
  SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  tip_entry_ = -1;
  tip_text_.clear();
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
  HideTip();  // the entries under the pointer are others now
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

int FileListBox::Unselect() {
  int was = SelectedIndex();
  if (was < 0) return -1;
  quiet_ = true;
  ListView_SetItemState(hwnd_, was, 0, LVIS_SELECTED);
  quiet_ = false;
  return was;
}

LRESULT FileListBox::Moved(int was, UINT msg, WPARAM wp, LPARAM lp) {
  unselected_ = was;
  LRESULT r = CallWindowProcW(list_proc_, hwnd_, msg, wp, lp);
  unselected_ = -1;
  if (was >= 0 && SelectedIndex() < 0) {
    quiet_ = true;
    ListView_SetItemState(hwnd_, was, LVIS_SELECTED, LVIS_SELECTED);
    quiet_ = false;
  }
  return r;
}

void FileListBox::Select(int index) {
  if (index != SelectedIndex()) Unselect();
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
      // The entry the selection was taken from for a move, selected again
      // by the list view, is no new pick.
      if (!quiet_ && change->iItem >= 0 && change->iItem != unselected_ && (change->uChanged & LVIF_STATE) &&
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
