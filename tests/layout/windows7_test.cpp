// Windows made where the system lacks every function newer than Windows 7
// (the window's own DPI, the frame and metrics at a DPI) are laid out as
// with them, at the resolution of the prefix this runs in.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "launch/launchers.h"
#include "tests/support/support.h"
#include "ui/system.h"

namespace {

std::wstring Rect(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
         std::to_wstring(r.bottom - r.top);
}

// Where a window and each of its controls lie, in which font; a list's column width.
std::string Layout(const jj::Window& window) {
  RECT client;
  GetClientRect(window.hwnd(), &client);
  std::wstring out = test::Text(window.hwnd()) + L": frame " + Rect(window.hwnd(), nullptr) + L", client " +
                     std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom) + L"\n";
  for (HWND c = GetWindow(window.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    out += L"  " + std::to_wstring(GetDlgCtrlID(c)) + L" " + Rect(c, window.hwnd()) + L" " + lf.lfFaceName + L" " +
           std::to_wstring(lf.lfHeight) + L"/" + std::to_wstring(lf.lfWeight);
    if (test::Text(c).empty() && SendMessageW(c, LVM_GETCOLUMNWIDTH, 0, 0) > 0)
      out += L" column " + std::to_wstring(SendMessageW(c, LVM_GETCOLUMNWIDTH, 0, 0));
    out += L"\n";
  }
  return test::Narrow(out);
}

// Halvick's main window, its launch dialog and its About box.
std::string LayOutHalvick() {
  test::TempFolder dir;
  dir.Touch(L"castle.j2l");
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  auto w = std::make_unique<launch::HalvickWindow>(test::ListingOf(dir.path()), prompter, starter);
  w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
  test::Pump();
  std::string out = Layout(*w);
  w->File1().Select(0);
  test::Pump();
  SendMessageW(w->Item(levels::frmGlavni::IDC_Command1), BM_CLICK, 0, 0);  // the launch dialog
  test::Pump();
  if (!w->Dialog()) return out + "no launch dialog";
  out += Layout(*w->Dialog());
  SendMessageW(w->Dialog()->Item(IDCANCEL), BM_CLICK, 0, 0);
  test::Pump();
  SendMessageW(w->Item(levels::frmGlavni::IDC_Command2), BM_CLICK, 0, 0);  // About
  test::Pump();
  if (!w->Secondary()) return out + "no About box";
  return out + Layout(*w->Secondary());
}

}  // namespace

TEST(Windows7, TheWindowsAreLaidOutAsWithTheNewerFunctions) {
  std::string newer = LayOutHalvick();
  jj::PretendWindows7(true);
  std::string older = LayOutHalvick();
  jj::PretendWindows7(false);
  EXPECT_EQ(older, newer);
  EXPECT_NE(newer.find("About Halvick"), std::string::npos) << newer;
}
