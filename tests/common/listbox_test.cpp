// The file list control over a real folder: virtual entries, picks by mouse
// and keyboard, and re-reads that leave nothing selected.
#include <gtest/gtest.h>

#include "filelistbox.h"
#include "support.h"
#include "window.h"

namespace {

class ListHost : public jj::Window {
 public:
  explicit ListHost(const std::wstring& folder) {
    static const jj::ControlSpec controls[] = {
        {100, WC_LISTVIEWW, L"", 120, 120, 3135, 3405, jj::kFileListStyle, jj::kFontDefault, WS_EX_CLIENTEDGE},
    };
    Create({L"JJ2ListHost", L"List", WS_OVERLAPPED | WS_CAPTION, 0, 5535, 4335, nullptr, nullptr, nullptr}, controls);
    list.Attach(Item(100));
    list.Model().SetFolder(folder);
    list.Model().SetPattern(L"*.j2e;*.J2E;*.jxe");
    ShowWindow(hwnd_, SW_SHOW);
    SetFocus(Item(100));
  }
  jj::FileListBox list;
  int picks = 0;
  std::wstring last;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_NOTIFY) {
      LRESULT result;
      bool picked;
      if (list.OnNotify(reinterpret_cast<NMHDR*>(lp), &result, &picked)) {
        if (picked) ++picks, last = list.SelectedName();
        return result;
      }
    }
    return Default(msg, wp, lp);
  }
};

std::wstring ItemText(HWND lv, int i) {
  wchar_t buffer[MAX_PATH] = L"";
  ListView_GetItemText(lv, i, 0, buffer, MAX_PATH);
  return buffer;
}

}  // namespace

TEST(FileListBox, ShowsEntriesAndReportsPicksByMouseAndKeys) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"b.jxe", L"a.j2e", L"R&D.J2E", L"x.jxek"}) dir.Touch(n);
  ListHost host(dir.path());
  ASSERT_EQ(host.list.Refresh(), 0u);
  HWND lv = host.list.hwnd();
  ASSERT_EQ(ListView_GetItemCount(lv), 3);
  EXPECT_EQ(ItemText(lv, 0), L"a.j2e");
  EXPECT_EQ(ItemText(lv, 2), L"R&D.J2E");
  EXPECT_EQ(host.list.SelectedName(), L"");

  RECT r;
  ListView_GetItemRect(lv, 1, &r, LVIR_LABEL);
  LPARAM at = MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2);
  SendMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(lv, WM_LBUTTONUP, 0, at);
  test::Pump();
  EXPECT_EQ(host.picks, 1);
  EXPECT_EQ(host.last, L"b.jxe");

  // A click below the entries keeps the selection and is no new pick.
  RECT last;
  ListView_GetItemRect(lv, 2, &last, LVIR_BOUNDS);
  LPARAM below = MAKELPARAM(last.left + 2, last.bottom + 20);
  SendMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, below);
  SendMessageW(lv, WM_LBUTTONUP, 0, below);
  test::Pump();
  EXPECT_EQ(host.list.SelectedName(), L"b.jxe");
  EXPECT_EQ(host.picks, 1);

  test::PressKey(VK_DOWN);
  EXPECT_EQ(host.picks, 2);
  EXPECT_EQ(host.last, L"R&D.J2E");
  test::PressKey(VK_UP);
  EXPECT_EQ(host.last, L"b.jxe");

  // A re-read leaves no entry selected and reports no pick; new files show.
  dir.Touch(L"c.jxe");
  host.list.Refresh();
  EXPECT_EQ(host.list.SelectedName(), L"");
  EXPECT_EQ(host.picks, 3);
  EXPECT_EQ(ListView_GetItemCount(lv), 4);
  test::PressKey(VK_DOWN);
  EXPECT_EQ(host.list.SelectedName(), L"a.j2e");
}
