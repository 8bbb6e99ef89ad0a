// The level window driven by real messages: its controls, the search, the
// information panel, the About box and a game folder that cannot be read.
#include "tests/levels/browser_window.h"

#include <tuple>

namespace {

// How many lines a label's text takes as the static control draws it, leaving
// out the wrapping at the label's width.
int Lines(HWND label) {
  std::wstring text = test::Text(label);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT all{0, 0, 100000, 0}, one = all;
  const UINT how = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
  DrawTextW(dc, text.c_str(), -1, &all, how);
  DrawTextW(dc, L"X", -1, &one, how);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return one.bottom ? all.bottom / one.bottom : 0;
}

// The user's designators of the time rewritten to another language's, as
// Wine rewrites the user's settings when a program of another language
// starts; put back when the object goes.
class OtherLanguageStarted {
 public:
  OtherLanguageStarted(const wchar_t* am, const wchar_t* pm) {
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
    Set(L"s1159", am, &old_am_);
    Set(L"s2359", pm, &old_pm_);
  }
  ~OtherLanguageStarted() {
    Set(L"s1159", old_am_.c_str(), nullptr);
    Set(L"s2359", old_pm_.c_str(), nullptr);
    RegCloseKey(key_);
  }

 private:
  void Set(const wchar_t* name, const wchar_t* value, std::wstring* old) {
    wchar_t buffer[80] = L"";
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (old && RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) == 0)
      *old = buffer;
    RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  std::wstring old_am_, old_pm_;
};

}  // namespace

TEST_F(Browser, StartsCentredListingTheLevelsWithFocusInTheSearchBox) {
  HWND h = w->hwnd();
  test::ExpectMainFrame(h, L"Halvick", 7470, 4815);

  EXPECT_EQ(Shown(*w), kAll);
  EXPECT_EQ(ListView_GetItemCount(Item(frmGlavni::IDC_File1)), 6);
  EXPECT_EQ(w->SelectedLevel(), L"");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), L"(no level selected)");
  EXPECT_EQ(Label(frmGlavni::IDC_Label6), L"(no level selected)");
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_Text1));
  EXPECT_EQ(Label(frmGlavni::IDC_Text1), L"");
  // No default and no cancel button: Enter and Esc do nothing.
  EXPECT_EQ(GetDlgItem(h, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(h, IDCANCEL), nullptr);
  test::PressKey(VK_RETURN);
  test::PressKey(VK_ESCAPE);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(Browser, BothWindowsAreTheSameControlForControlButTheLaunchButton) {
  launch::OstrellWindow other(test::ListingOf(dir.path()), prompter, starter);
  EXPECT_EQ(test::Text(other.hwnd()), L"Ostrell");
  // The captions and the texts at start, word for word, as the user reads
  // them; the headings are bold, the captions of the values underlined. Where
  // each control lies is checked by the rules that hold for every window (the
  // layout tests), not by its numbers.
  const struct {
    int id;
    const wchar_t* text;
    bool bold, underline;
  } texts[] = {
      {frmGlavni::IDC_Label7, L"&Search for a level:", true, false},
      {frmGlavni::IDC_Text1, L"", false, false},
      {frmGlavni::IDC_Label1, L"&Level List/Search Results:", true, false},
      {frmGlavni::IDC_File1, L"", false, false},
      {frmGlavni::IDC_Command1, nullptr, false, false},
      {frmGlavni::IDC_Command2, L"&About This Utility", false, false},
      {frmGlavni::IDC_Command3, L"&Help", false, false},
      {frmGlavni::IDC_Command4, L"&Delete", false, false},
      {frmGlavni::IDC_Label2, L"Level Information:", true, false},
      {frmGlavni::IDC_Label3, L"Size:", false, true},
      {frmGlavni::IDC_Label4, L"(no level selected)", false, false},
      {frmGlavni::IDC_Label5, L"Date and time of last change:", false, true},
      {frmGlavni::IDC_Label6, L"(no level selected)", false, false},
  };
  // Ostrell's controls lie where Halvick's do, in the same fonts.
  auto placed = [](HWND window, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return std::tuple{r.left, r.top, r.right, r.bottom, lf.lfWeight >= FW_BOLD, lf.lfUnderline != 0};
  };
  HWND child = GetWindow(w->hwnd(), GW_CHILD), twin = GetWindow(other.hwnd(), GW_CHILD);  // in tab order
  for (const auto& e : texts) {
    ASSERT_NE(child, nullptr);
    ASSERT_NE(twin, nullptr);
    SCOPED_TRACE(e.id);
    EXPECT_EQ(GetDlgCtrlID(child), e.id);
    EXPECT_EQ(GetDlgCtrlID(twin), e.id);
    if (e.text) {
      EXPECT_EQ(test::Text(child), e.text);
      EXPECT_EQ(test::Text(twin), e.text);
    }
    auto here = placed(w->hwnd(), child);
    EXPECT_EQ(std::get<4>(here), e.bold);
    EXPECT_EQ(std::get<5>(here), e.underline);
    EXPECT_EQ(placed(other.hwnd(), twin), here);
    child = GetWindow(child, GW_HWNDNEXT);
    twin = GetWindow(twin, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(twin, nullptr);
  EXPECT_EQ(Label(frmGlavni::IDC_Command1), L"Launch &Jazz2");
  EXPECT_EQ(test::Text(other.Item(frmGlavni::IDC_Command1)), L"Launch &JCS");
  // The value labels show names as they are ("&" is no access key) and wrap.
  EXPECT_TRUE(GetWindowLongW(Item(frmGlavni::IDC_Label4), GWL_STYLE) & SS_NOPREFIX);
  EXPECT_TRUE(GetWindowLongW(Item(frmGlavni::IDC_Label6), GWL_STYLE) & SS_NOPREFIX);
}

TEST_F(Browser, TabOrderAndAccessKeys) {
  const int order[] = {frmGlavni::IDC_File1, frmGlavni::IDC_Command1, frmGlavni::IDC_Command2,
                       frmGlavni::IDC_Command3, frmGlavni::IDC_Command4, frmGlavni::IDC_Text1};
  for (int id : order) {
    test::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(id)) << id;
  }
  test::PressKey('L', true);
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  test::PressKey('S', true);
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_Text1));
  // Alt+J and Alt+D with nothing selected: the nothing-selected boxes.
  test::PressKey('J', true);
  test::PressKey('D', true);
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text, L"You haven't yet selected a level to launch Jazz2 with!\rSelect a level and then try again.");
  EXPECT_EQ(prompter.shown[1].text, L"You haven't yet selected a level to delete!\rSelect a level and then try again.");
  for (const test::Box& b : prompter.shown) {
    EXPECT_EQ(b.title, L"No level selected!");
    EXPECT_EQ(b.icon, jj::Icon::Information);
    EXPECT_EQ(b.buttons, jj::Buttons::Ok);
    EXPECT_EQ(b.owner, w->hwnd());
  }
  // Alt+H: help from the game folder; Alt+A: the About box.
  test::PressKey('H', true);
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_NE(starter.started[0].command_line.find(dir / L"HlpHalvick.qxh"), std::wstring::npos);
  test::PressKey('A', true);
  EXPECT_NE(w->Secondary(), nullptr);
}

TEST_F(Browser, SearchReReadsOnEveryChange) {
  HWND text = Item(frmGlavni::IDC_Text1);
  Type(text, L"a");
  EXPECT_EQ(Shown(*w), (V{L"a.j2l", L"ab.j2l", L"abc.j2l"}));
  Type(text, L"b");
  EXPECT_EQ(Shown(*w), (V{L"ab.j2l", L"abc.j2l"}));
  Type(text, L"c");
  EXPECT_EQ(w->File1().Model().Pattern(), L"*abc*.j2l;*ABC*.J2L");
  EXPECT_EQ(Shown(*w), (V{L"abc.j2l"}));
  Type(text, L"\b\b\b");
  EXPECT_EQ(w->File1().Model().Pattern(), L"**.j2l;**.J2L");
  EXPECT_EQ(Shown(*w), kAll);
  SetWindowTextW(text, L"LEVEL??");  // "?" is exactly one character
  EXPECT_EQ(Shown(*w), (V{L"level10.j2l"}));
  SetWindowTextW(text, L"r&d");
  EXPECT_EQ(Shown(*w), (V{L"R&D.j2l"}));
  SetWindowTextW(text, L"nothing");
  EXPECT_TRUE(Shown(*w).empty());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Browser, PickingFillsThePanelWhichKeepsItsValues) {
  Pick(L"R&D.j2l");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), L"2048 bytes (2 kilobytes)");
  std::wstring date = Label(frmGlavni::IDC_Label6);
  EXPECT_EQ(date, levels::ReadLevelInfo(dir.path(), L"R&D.j2l").date);
  EXPECT_EQ(Lines(Item(frmGlavni::IDC_Label6)), 2);  // the lone carriage return breaks the line
  // Arrow keys pick too.
  SetFocus(Item(frmGlavni::IDC_File1));
  dir.Touch(L"a.j2l", 5000);
  test::ClickItem(Item(frmGlavni::IDC_File1), 1);
  test::PressKey(VK_UP);
  EXPECT_EQ(w->SelectedLevel(), L"a.j2l");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), L"5000 bytes (4 kilobytes)");
  // A search that hides the level: no selection, the panel stays.
  SetWindowTextW(Item(frmGlavni::IDC_Text1), L"level");
  EXPECT_EQ(w->SelectedLevel(), L"");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), L"5000 bytes (4 kilobytes)");
  // A level removed after the list was read: placeholders and a report.
  DeleteFileW((dir / L"level10.j2l").c_str());
  Pick(L"level10.j2l");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), jj::kSizeUnknown);
  EXPECT_EQ(Label(frmGlavni::IDC_Label6), levels::kDateUnknown);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find(dir / L"level10.j2l"), std::wstring::npos);
  EXPECT_NE(prompter.shown[0].text.find(jj::SystemMessage(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
  EXPECT_EQ(prompter.shown[0].icon, jj::Icon::Exclamation);
}

// Both halves of the day in the user's language, also when a program of
// another language started meanwhile (the test runs once more in Finnish).
TEST_F(Browser, TimeOfBothHalvesOfTheDayInTheUsersLanguage) {
  wchar_t language[LOCALE_NAME_MAX_LENGTH] = L"";
  GetUserDefaultLocaleName(language, LOCALE_NAME_MAX_LENGTH);
  struct {
    const wchar_t *language, *morning, *afternoon, *other_am, *other_pm;
  } const kLanguages[] = {{L"en-US", L"12:05:00 AM", L"3:07:09 PM", L"ap.", L"ip."},
                          {L"fi-FI", L"12.05.00 ap.", L"3.07.09 ip.", L"AM", L"PM"}};
  auto in = std::find_if(std::begin(kLanguages), std::end(kLanguages),
                         [&](const auto& l) { return std::wstring(l.language) == language; });
  if (in == std::end(kLanguages)) GTEST_SKIP() << "no times known for " << test::Narrow(language);
  dir.Touch(L"morning.j2l");
  dir.Touch(L"afternoon.j2l");
  test::SetLocalWriteTime(dir / L"morning.j2l", {2019, 12, 2, 31, 0, 5, 0, 0});
  test::SetLocalWriteTime(dir / L"afternoon.j2l", {2000, 3, 0, 5, 15, 7, 9, 0});
  w->Form_Activate();
  auto time_line = [&](const wchar_t* level) {
    Pick(level);
    std::wstring date = Label(frmGlavni::IDC_Label6);
    return date.substr(date.find(L'\r') + 1);
  };
  OtherLanguageStarted other(in->other_am, in->other_pm);
  EXPECT_EQ(time_line(L"morning.j2l"), in->morning);
  EXPECT_EQ(time_line(L"afternoon.j2l"), in->afternoon);
}

// The list's typing and re-click (tested with the list itself) reach the
// panel of both launchers.
TEST_F(Browser, TypingAndClickingTheSelectedLevelAgainFillThePanel) {
  dir.Touch(L"mylevel.j2l", 3000);
  launch::OstrellWindow other(test::ListingOf(dir.path()), prompter, starter);
  other.Show(SW_SHOW, frmGlavni::IDC_Text1);
  test::Pump();
  SetWindowTextW(Item(frmGlavni::IDC_Text1), L"l");  // re-reads with the new level
  for (frmGlavni* win : {static_cast<frmGlavni*>(w.get()), static_cast<frmGlavni*>(&other)}) {
    SCOPED_TRACE(test::Narrow(test::Text(win->hwnd())));
    HWND list = win->Item(frmGlavni::IDC_File1);
    SetFocus(list);
    test::PressKey('M');
    ASSERT_EQ(win->SelectedLevel(), L"mylevel.j2l");
    EXPECT_EQ(test::Text(win->Item(frmGlavni::IDC_Label4)), L"3000 bytes (2 kilobytes)");
    dir.Touch(L"mylevel.j2l", 9000);
    test::ClickItem(list, ListView_GetNextItem(list, -1, LVNI_SELECTED));
    EXPECT_EQ(test::Text(win->Item(frmGlavni::IDC_Label4)), L"9000 bytes (8 kilobytes)");
    dir.Touch(L"mylevel.j2l", 3000);
  }
}

TEST_F(Browser, AboutBoxDisablesTheWindowAndItsClosingReReads) {
  SetWindowTextW(Item(frmGlavni::IDC_Text1), L"a");
  Pick(L"ab.j2l");
  Click(frmGlavni::IDC_Command2);
  ASSERT_NE(w->Secondary(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(w->hwnd()));
  dir.Touch(L"new a.j2l");
  DeleteFileW((dir / L"abc.j2l").c_str());
  test::PressKey(VK_RETURN);  // the About box's OK
  EXPECT_EQ(w->Secondary(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
  EXPECT_EQ(Shown(*w), (V{L"a.j2l", L"ab.j2l", L"new a.j2l"}));  // the search stays in force
  EXPECT_EQ(w->SelectedLevel(), L"");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), L"2048 bytes (2 kilobytes)");
}


TEST(BrowserFolder, AFolderThatCannotBeReadIsReported) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  launch::OstrellWindow w(test::ListingOf(dir / L"gone"), prompter, starter);
  w.Show(SW_SHOW, frmGlavni::IDC_Text1);
  test::Pump();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].title, L"Ostrell");
  EXPECT_NE(prompter.shown[0].text.find(L"\"" + (dir / L"gone") + L"\""), std::wstring::npos);
  EXPECT_NE(prompter.shown[0].text.find(jj::SystemMessage(ERROR_PATH_NOT_FOUND)), std::wstring::npos);
  EXPECT_EQ(w.File1().Model().Count(), 0u);
}

TEST_F(Browser, KeystrokesOnAnUnchangedFolderOnlyFilterAndChangesShowAtTheNextOne) {
  jj::FolderListing& listing = *w->Listing();  // the one its lists share
  unsigned long read = listing.Enumerations();
  Type(Item(frmGlavni::IDC_Text1), L"ab");
  EXPECT_EQ(Shown(*w), (V{L"ab.j2l", L"abc.j2l"}));
  EXPECT_EQ(listing.Enumerations(), read);

  // Changed by another thread while the window runs.
  std::thread([&] {
    dir.Touch(L"tab.j2l");
    SetFileAttributesW((dir / L"abc.j2l").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }).join();
  Type(Item(frmGlavni::IDC_Text1), L"\b");
  EXPECT_EQ(Shown(*w), (V{L"a.j2l", L"ab.j2l", L"tab.j2l"}));
  EXPECT_EQ(listing.Enumerations(), read + 1);
}

// A Linux name with a backslash is listed as it is, but it names no file of
// the game folder: the panel shows the placeholders and every action is
// refused, saying why; the file the system would reach is never touched.
