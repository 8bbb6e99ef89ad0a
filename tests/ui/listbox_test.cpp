// The file list control over a real folder: virtual entries, picks by mouse
// and keyboard, and re-reads that leave nothing selected.
#include <gtest/gtest.h>

#include "ui/filelistbox.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"
#include "ui/window.h"

namespace {

class ListHost : public jj::Window {
 public:
  explicit ListHost(const std::wstring& folder) {
    static const jj::ControlSpec controls[] = {
        {100, WC_LISTVIEWW, L"", 120, 120, 3135, 3405, jj::kFileListStyle, jj::kFontDefault, WS_EX_CLIENTEDGE},
    };
    Create({L"JJ2ListHost", L"List", WS_OVERLAPPED | WS_CAPTION, 0, 5535, 4335, nullptr, nullptr, nullptr}, controls);
    list.Attach(Item(100));
    list.Model().SetListing(test::ListingOf(folder));
    list.Model().SetPattern(L"*.j2e;*.J2E;*.jxe");
    ShowWindow(hwnd_, SW_SHOW);
    SetFocus(Item(100));
  }
  jj::FileListBox list;
  int picks = 0;
  std::wstring last;
  std::vector<std::wstring> seen;  // every pick in order

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_NOTIFY) {
      LRESULT result;
      bool picked;
      if (list.OnNotify(reinterpret_cast<NMHDR*>(lp), &result, &picked)) {
        if (picked) ++picks, last = list.SelectedName(), seen.push_back(last);
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

// The pixels of a rectangle of the list as it draws itself now.
std::vector<COLORREF> Drawn(HWND lv, const RECT& r) {
  HDC dc = GetDC(lv);
  HDC mem = CreateCompatibleDC(dc);
  RECT client;
  GetClientRect(lv, &client);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = SelectObject(mem, bitmap);
  SendMessageW(lv, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<COLORREF> pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(mem, x, y));
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(lv, dc);
  return pixels;
}

// The tip's answer when it asks the list for the text to show.
std::wstring TipAnswer(jj::FileListBox& list) {
  NMTTDISPINFOW info{};
  info.hdr = {list.Tip(), 1, TTN_GETDISPINFOW};
  SendMessageW(list.hwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? info.lpszText : L"(none)";
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
  // A click on the selected entry is a pick again, as in any list box.
  SendMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(lv, WM_LBUTTONUP, 0, at);
  test::Pump();
  EXPECT_EQ(host.picks, 2);
  EXPECT_EQ(host.list.SelectedName(), L"b.jxe");

  // A click below the entries keeps the selection and is no new pick.
  RECT last;
  ListView_GetItemRect(lv, 2, &last, LVIR_BOUNDS);
  LPARAM below = MAKELPARAM(last.left + 2, last.bottom + 20);
  SendMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, below);
  SendMessageW(lv, WM_LBUTTONUP, 0, below);
  test::Pump();
  EXPECT_EQ(host.list.SelectedName(), L"b.jxe");
  EXPECT_EQ(host.picks, 2);

  test::PressKey(VK_DOWN);
  EXPECT_EQ(host.picks, 3);
  EXPECT_EQ(host.last, L"R&D.J2E");
  test::PressKey(VK_UP);
  EXPECT_EQ(host.last, L"b.jxe");
  // The keys move the selection from the entry itself (the list view
  // would visit every entry): at either end it stays, and no pick.
  test::PressKey(VK_END);
  test::PressKey(VK_DOWN);
  test::PressKey(VK_NEXT);
  EXPECT_EQ(host.seen.back(), L"R&D.J2E");
  EXPECT_EQ(host.picks, 5);
  EXPECT_EQ(host.list.SelectedName(), L"R&D.J2E");
  EXPECT_EQ(ListView_GetSelectedCount(lv), 1u);
  test::PressKey(VK_HOME);
  test::PressKey(VK_UP);
  EXPECT_EQ(host.picks, 6);
  EXPECT_EQ(host.list.SelectedName(), L"a.j2e");

  // A re-read leaves no entry selected and reports no pick; new files show.
  // The focus shows on the first entry, which is not selected, and the
  // arrow keys still start there.
  dir.Touch(L"c.jxe");
  host.list.Refresh();
  EXPECT_EQ(host.list.SelectedName(), L"");
  EXPECT_EQ(host.picks, 6);
  EXPECT_EQ(ListView_GetItemCount(lv), 4);
  EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), 0);
  EXPECT_EQ(ListView_GetItemState(lv, 0, LVIS_SELECTED), 0u);
  test::PressKey(VK_DOWN);
  EXPECT_EQ(host.list.SelectedName(), L"a.j2e");
}

TEST(FileListBox, TypingPicksByTheStartOfANameAsInAListBox) {
  test::TempFolder dir;
  for (const wchar_t* n : {L"a.j2e", L"B.J2E", L"c d.jxe", L"c.jxe", L"cab.j2e", L"cb.jxe"}) dir.Touch(n);
  ListHost host(dir.path());
  ASSERT_EQ(host.list.Refresh(), 0u);
  HWND lv = host.list.hwnd();
  ASSERT_EQ(host.list.Model().Names(),
            (std::vector<std::wstring>{L"a.j2e", L"B.J2E", L"c d.jxe", L"c.jxe", L"cab.j2e", L"cb.jxe"}));
  // Keys of one burst come at the same moment; each burst starts long
  // after the one before.
  unsigned long now = 1000;
  host.list.SetTypingClock([&] { return now; });
  host.list.SetTypingTimeout(1000);
  auto burst = [&](const std::wstring& keys) {
    now += 1001;
    host.seen.clear();
    test::TypeChars(lv, keys);
    return host.seen;
  };
  using V = std::vector<std::wstring>;

  // The first name with the letter, whatever the letter's case, then a
  // longer text: the selected entry stays while its name still fits.
  EXPECT_EQ(burst(L"c"), V{L"c d.jxe"});
  EXPECT_EQ(burst(L"Ca"), (V{L"c.jxe", L"cab.j2e"}));
  EXPECT_EQ(burst(L"CB"), (V{L"cb.jxe"}));
  EXPECT_EQ(burst(L"b"), V{L"B.J2E"});
  // No name begins so: the selection stays and nothing is picked.
  EXPECT_EQ(burst(L"zc"), V{});
  EXPECT_EQ(burst(L"bx"), V{L"B.J2E"});
  EXPECT_EQ(host.list.SelectedName(), L"B.J2E");
  // The same letter again steps through the names with it, round to the top.
  EXPECT_EQ(burst(L"ccccc"), (V{L"c d.jxe", L"c.jxe", L"cab.j2e", L"cb.jxe", L"c d.jxe"}));
  // A space within a name belongs to the text.
  EXPECT_EQ(burst(L"c "), (V{L"c.jxe", L"c d.jxe"}));
  // The only name with the letter, typed again later: picked again.
  EXPECT_EQ(burst(L"a"), V{L"a.j2e"});
  EXPECT_EQ(burst(L"a"), V{L"a.j2e"});
  EXPECT_EQ(host.list.SelectedName(), L"a.j2e");
  EXPECT_EQ(ListView_GetSelectedCount(lv), 1u);
  // Keys typed slowly each start afresh.
  host.seen.clear();
  for (wchar_t c : std::wstring(L"cb")) {
    now += 1001;
    test::TypeChars(lv, std::wstring(1, c));
  }
  EXPECT_EQ(host.seen, (V{L"c d.jxe", L"B.J2E"}));
  // A click ends a search: the next key starts afresh.
  EXPECT_EQ(burst(L"c"), V{L"c d.jxe"});
  test::ClickItem(lv, 4);
  test::TypeChars(lv, L"b");
  EXPECT_EQ(host.seen, (V{L"c d.jxe", L"cab.j2e", L"B.J2E"}));

  // The list view's own searches by name.
  LVFINDINFOW find{LVFI_STRING | LVFI_PARTIAL, L"CA"};
  EXPECT_EQ(ListView_FindItem(lv, -1, &find), 4);
  find = {LVFI_STRING, L"C.JXE"};
  EXPECT_EQ(ListView_FindItem(lv, -1, &find), 3);
  find = {LVFI_STRING, L"c"};
  EXPECT_EQ(ListView_FindItem(lv, -1, &find), -1);
}

TEST(FileListBox, ReReadShowsTheTopFromAnywhereAndTheBoxLetsItsListGo) {
  test::TempFolder dir;
  for (int i = 1; i <= 60; ++i) dir.Touch(L"e" + std::to_wstring(i) + L".j2e");
  ListHost host(dir.path());
  ASSERT_EQ(host.list.Refresh(), 0u);
  HWND lv = host.list.hwnd();
  // Far down the list, with the focus there: a re-read of the same entries
  // shows the top, the focus on the first entry, nothing selected.
  host.list.Select(55);
  ASSERT_GT(ListView_GetTopIndex(lv), 0);
  ASSERT_EQ(host.list.Refresh(), 0u);
  EXPECT_EQ(ListView_GetTopIndex(lv), 0);
  EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), 0);
  EXPECT_EQ(ListView_GetSelectedCount(lv), 0u);
  // Emptied, the list holds no focus either.
  for (int i = 1; i <= 60; ++i) ASSERT_TRUE(DeleteFileW((dir / (L"e" + std::to_wstring(i) + L".j2e")).c_str()));
  ASSERT_EQ(host.list.Refresh(), 0u);
  EXPECT_EQ(ListView_GetItemCount(lv), 0);
  EXPECT_EQ(ListView_GetNextItem(lv, -1, LVNI_FOCUSED), -1);

  // A box that goes before its list gives the list its own procedure back:
  // the keys typed afterwards reach the list, not the box that is gone.
  HWND other = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | jj::kFileListStyle, 0, 0, 100, 100, host.hwnd(),
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  LONG_PTR own = GetWindowLongPtrW(other, GWLP_WNDPROC);
  {
    jj::FileListBox box;
    box.Attach(other);
    EXPECT_NE(GetWindowLongPtrW(other, GWLP_WNDPROC), own);
  }
  EXPECT_EQ(GetWindowLongPtrW(other, GWLP_WNDPROC), own);
  test::TypeChars(other, L"a");
  DestroyWindow(other);
}

// A name cut short in the list ("...") shows whole in a tip while the
// pointer rests on it; a name shown whole has none. Whether a name is cut
// is decided as the list draws it, checked here against its drawing.
TEST(FileListBox, TipShowsTheWholeNameOfACutEntryOnly) {
  // Measured by drawing the list: a label of 14 pixels shows 9 of a name.
  EXPECT_FALSE(jj::NameCut(8, 13));
  EXPECT_TRUE(jj::NameCut(10, 14));
  EXPECT_FALSE(jj::NameCut(10, 15));

  test::TempFolder dir;
  std::vector<std::wstring> names;
  for (int n = 1; n <= 12; ++n) names.push_back(L"e" + std::wstring(n, L'i') + L".j2e");
  for (const auto& n : names) dir.Touch(n);
  ListHost host(dir.path());
  ASSERT_EQ(host.list.Refresh(), 0u);
  HWND lv = host.list.hwnd();
  ASSERT_EQ(host.list.Model().Names(), names);
  ASSERT_TRUE(host.list.Tip());
  // A column in which the middle names are about to be cut.
  const int width = ListView_GetStringWidth(lv, names[6].c_str()) + 4;
  auto label = [&](int i) {
    RECT r;
    ListView_GetItemRect(lv, i, &r, LVIR_LABEL);
    return r;
  };
  int cut = 0;
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    ListView_SetColumnWidth(lv, 0, width);
    RECT r = label(i);
    InflateRect(&r, -3, -3);  // inside the focus mark's frame
    std::vector<COLORREF> narrow = Drawn(lv, r);
    bool is_cut = host.list.Cut(i);
    ListView_SetColumnWidth(lv, 0, 400);
    EXPECT_EQ(is_cut, narrow != Drawn(lv, r)) << names[i];
    cut += is_cut;
  }
  EXPECT_GT(cut, 0);
  EXPECT_LT(cut, static_cast<int>(names.size()));

  // The pointer on a cut name: the tip shows that name whole; on a whole
  // name, or beside the entries, nothing. A re-read takes the tip away.
  ListView_SetColumnWidth(lv, 0, width);
  auto point_at = [&](int i) {
    RECT r = label(i);
    SendMessageW(lv, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2));
    return host.list.TipEntry();
  };
  const int last = static_cast<int>(names.size()) - 1;
  EXPECT_EQ(point_at(last), last);
  EXPECT_EQ(TipAnswer(host.list), names[last]);
  EXPECT_EQ(point_at(0), -1);
  EXPECT_EQ(TipAnswer(host.list), L"");
  EXPECT_EQ(point_at(last), last);
  SendMessageW(lv, WM_MOUSEMOVE, 0, MAKELPARAM(width + 20, 5));
  EXPECT_EQ(host.list.TipEntry(), -1);
  EXPECT_EQ(point_at(last), last);
  ASSERT_EQ(host.list.Refresh(), 0u);
  EXPECT_EQ(host.list.TipEntry(), -1);
  EXPECT_EQ(TipAnswer(host.list), L"");

  // The tip itself, with the pointer resting on the cut name.
  RECT r = label(last);
  POINT on{r.left + 2, (r.top + r.bottom) / 2};
  ClientToScreen(lv, &on);
  SetCursorPos(on.x, on.y);
  point_at(last);
  for (int i = 0; i < 40 && !IsWindowVisible(host.list.Tip()); ++i) {
    Sleep(50);
    test::Pump();
  }
  EXPECT_TRUE(IsWindowVisible(host.list.Tip()));
}
