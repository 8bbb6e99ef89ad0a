#include <gtest/gtest.h>

#include "ui/mainwindow.h"
#include "files/paths.h"
#include "ui/report.h"
#include "tests/support/support.h"

namespace {

// A main window with an About and a Help button, counting its activations.
class Host : public jj::MainWindow {
 public:
  enum { IDC_About = 100, IDC_Help, IDC_List };
  Host(const std::wstring& folder, jj::Prompter& p, jj::Starter& s)
      : MainWindow({L"Quenby", L"HlpQuenby.qxh"}, {}, test::ListingOf(folder), p, s) {
    static const jj::ControlSpec controls[] = {
        {IDC_List, WC_LISTVIEWW, L"", 120, 120, 2000, 2000, jj::kFileListStyle, jj::kFontDefault, WS_EX_CLIENTEDGE},
        {IDC_About, WC_BUTTONW, L"A&bout This Utility", 2400, 120, 2055, 375, jj::kButton},
        {IDC_Help, WC_BUTTONW, L"&Help", 2400, 600, 975, 375, jj::kButton},
    };
    Create({L"JJ2TestHost", L"Host", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 5535, 4335,
            nullptr, nullptr, nullptr},
           controls);
  }
  int activations = 0;
  jj::frmAbout* about() { return static_cast<jj::frmAbout*>(Secondary()); }
  void ask() { Ask(L"one\rtwo", L"Title", jj::Icon::Information, jj::Buttons::Ok); }

 protected:
  void Form_Activate() override { ++activations; }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_About) return ShowAbout(), 0;
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_Help) return ShowHelp(), 0;
    return MainWindow::OnMessage(msg, wp, lp);
  }
};

struct AboutBox : ::testing::Test {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  Host host{dir.path(), prompter, starter};
  void SetUp() override {
    host.Show(SW_SHOW, Host::IDC_List);
    test::Pump();
  }
  void Open() {
    SendMessageW(host.Item(Host::IDC_About), BM_CLICK, 0, 0);
    test::Pump();
    ASSERT_NE(host.about(), nullptr);
  }
};

}  // namespace

TEST_F(AboutBox, OpensDisablingMainAndEveryWayOfClosingReReads) {
  EXPECT_EQ(host.activations, 1);
  for (int way = 0; way < 4; ++way) {
    Open();
    HWND about = host.about()->hwnd();
    EXPECT_EQ(test::Text(about), L"About Quenby");
    EXPECT_FALSE(IsWindowEnabled(host.hwnd()));
    EXPECT_EQ(GetWindow(about, GW_OWNER), host.hwnd());
    EXPECT_EQ(GetFocus(), GetDlgItem(about, IDOK));
    switch (way) {
      case 0: SendDlgItemMessageW(about, IDOK, BM_CLICK, 0, 0); break;
      case 1: test::PressKey(VK_RETURN); break;
      case 2: test::PressKey(VK_ESCAPE); break;
      case 3: SendMessageW(about, WM_CLOSE, 0, 0); break;
    }
    test::Pump();
    EXPECT_FALSE(IsWindow(about)) << "way " << way;
    EXPECT_TRUE(IsWindowEnabled(host.hwnd()));
    EXPECT_EQ(GetActiveWindow(), host.hwnd());
    EXPECT_EQ(host.activations, 2 + way) << "way " << way;
  }
}

TEST_F(AboutBox, ContentsAndContactLink) {
  Open();
  HWND about = host.about()->hwnd();
  EXPECT_EQ(test::Text(GetDlgItem(about, jj::frmAbout::IDC_Label1)), L"Quenby");
  EXPECT_EQ(test::Text(GetDlgItem(about, jj::frmAbout::IDC_Label2)), L"Version 1.00");
  EXPECT_EQ(test::Text(GetDlgItem(about, IDOK)), L"&OK");
  // Its size is what users see of its layout: kept to the twip.
  RECT r;
  GetClientRect(about, &r);
  UINT dpi = GetDpiForWindow(about);
  EXPECT_EQ(r.right, MulDiv(4650, dpi, 1440));
  EXPECT_EQ(r.bottom, MulDiv(2790, dpi, 1440));
  LONG style = GetWindowLongW(about, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME));
  // The link: twice clicked, two mails; the box stays open, the main window disabled.
  SendDlgItemMessageW(about, jj::frmAbout::IDC_Label4, BM_CLICK, 0, 0);
  SendDlgItemMessageW(about, jj::frmAbout::IDC_Label4, BM_CLICK, 0, 0);
  test::Pump();
  ASSERT_EQ(starter.opened.size(), 2u);
  EXPECT_EQ(starter.opened[0].url.rfind(L"mailto:", 0), 0u);
  EXPECT_EQ(starter.opened[0].owner, about);
  EXPECT_EQ(starter.opened[0].folder, dir.path());
  EXPECT_TRUE(IsWindow(about));
  EXPECT_FALSE(IsWindowEnabled(host.hwnd()));
  // Only a click of OK closes the box, not another notification from it.
  SendMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(about, IDOK)));
  test::Pump();
  EXPECT_TRUE(IsWindow(about));
  test::PressKey('O', true);  // Alt+O is OK
  EXPECT_FALSE(IsWindow(about));
}

TEST_F(AboutBox, MessageBoxesDoNotReRead) {
  host.ask();
  SendMessageW(host.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  test::Pump();
  EXPECT_EQ(host.activations, 1);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].owner, host.hwnd());
}

TEST_F(AboutBox, HelpStartsNotepadFromTheSystemFolderMaximised) {
  test::PressKey('H', true);
  ASSERT_EQ(starter.started.size(), 1u);
  const jj::StartRequest& r = starter.started[0];
  EXPECT_EQ(r.program, jj::SystemProgram(L"notepad.exe"));
  std::wstring help = dir / L"HlpQuenby.qxh";
  bool blank = help.find(L' ') != std::wstring::npos;
  EXPECT_EQ(r.command_line, L"notepad " + (blank ? L"\"" + help + L"\"" : help));
  EXPECT_EQ(r.working_folder, dir.path());
  EXPECT_EQ(r.show, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(prompter.shown.empty());
  // A start that fails is reported with the system's reason.
  starter.result = ERROR_FILE_NOT_FOUND;
  test::PressKey('H', true);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find(L"HlpQuenby.qxh"), std::wstring::npos);
  EXPECT_NE(prompter.shown[0].text.find(jj::SystemMessage(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
}

TEST(Starter, StartsByFullPathInTheGivenFolderWithTheShowState) {
  test::TempFolder dir, elsewhere;
  test::InstallStandin(dir, L"Jazz2.exe");
  std::wstring line = L"\"" + (dir / L"Jazz2.exe") + L"\" my level.j2l  -Log =c:\\a b.log";
  ASSERT_EQ(jj::SystemStarter().Start({dir / L"Jazz2.exe", line, elsewhere.path(), SW_SHOWMAXIMIZED}), 0u);
  auto starts = test::WaitForStarts(dir, L"Jazz2.exe", 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].command_line, line);
  EXPECT_EQ(starts[0].working_folder, elsewhere.path());
  EXPECT_EQ(starts[0].show, SW_SHOWMAXIMIZED);
  EXPECT_EQ(jj::SystemStarter().Start({dir / L"JCS.exe", L"JCS.exe", dir.path(), SW_SHOWNORMAL}),
            static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}

TEST_F(AboutBox, TheLinkTakesTheSystemsLinkColourAsAHighContrastSchemeSetsIt) {
  // A high contrast scheme's link colour on its black face; the system's own
  // colours again at the end.
  const int which[] = {COLOR_HOTLIGHT, COLOR_BTNFACE};
  const COLORREF scheme = RGB(255, 255, 0);
  const COLORREF colours[] = {scheme, RGB(0, 0, 0)};
  struct Restore {
    COLORREF colours[2] = {GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_BTNFACE)};
    ~Restore() {
      const int which[] = {COLOR_HOTLIGHT, COLOR_BTNFACE};
      SetSysColors(2, which, colours);
    }
  } restore;
  ASSERT_TRUE(SetSysColors(2, which, colours));
  Open();
  HWND about = host.about()->hwnd();
  HWND link = GetDlgItem(about, jj::frmAbout::IDC_Label4);
  RECT r;
  GetClientRect(link, &r);
  // The link draws itself into a picture of its size, as at a WM_PAINT.
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP picture = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  ASSERT_NE(picture, nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  DRAWITEMSTRUCT item{ODT_BUTTON, jj::frmAbout::IDC_Label4, 0, ODA_DRAWENTIRE, 0, link, dc, r, 0};
  SendMessageW(about, WM_DRAWITEM, jj::frmAbout::IDC_Label4, reinterpret_cast<LPARAM>(&item));
  SelectObject(dc, old);
  // The underline alone is as long as the text: solid pixels of the colour.
  auto as_pixel = [](COLORREF c) { return static_cast<DWORD>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); };
  int linked = 0;
  for (int i = 0; i < r.right * r.bottom; ++i) linked += (bits[i] & 0xFFFFFF) == as_pixel(scheme);
  EXPECT_GE(linked, r.right / 2);
  DeleteObject(picture);
  DeleteDC(dc);
}

TEST(LinkColour, TheSystemsLinkColourUnlessItCanHardlyBeToldFromTheFace) {
  // Windows' own scheme, a high contrast scheme, and Wine's light scheme,
  // whose link colour is a light grey on a light face.
  EXPECT_EQ(jj::LinkColour(RGB(0, 102, 204), RGB(240, 240, 240), RGB(0, 0, 0)), RGB(0, 102, 204));
  EXPECT_EQ(jj::LinkColour(RGB(255, 255, 0), RGB(0, 0, 0), RGB(255, 255, 255)), RGB(255, 255, 0));
  EXPECT_EQ(jj::LinkColour(RGB(224, 224, 224), RGB(245, 245, 245), RGB(0, 0, 0)), RGB(0, 0, 0));
}
