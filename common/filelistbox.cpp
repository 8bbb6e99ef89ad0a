#include "filelistbox.h"

#include <algorithm>

namespace jj {

unsigned long FileListBox::Refresh() { return Show(model_.Refresh()); }

unsigned long FileListBox::Refresh(FileList& also) { return Show(model_.RefreshWith(also)); }

unsigned long FileListBox::Show(unsigned long error) {
  quiet_ = true;
  ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(hwnd_, static_cast<int>(model_.Count()), 0);
  ListView_SetSelectionMark(hwnd_, -1);
  quiet_ = false;
  picked_ = -1;
  if (model_.Count()) ListView_EnsureVisible(hwnd_, 0, FALSE);
  InvalidateRect(hwnd_, nullptr, TRUE);
  return error;
}

int FileListBox::SelectedIndex() const {
  int i = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
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
      }
      return true;
    }
    case NM_CLICK:
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
