// Quenby's main window on real temporary game folders, driven by real
// messages: clicks, list picks by mouse and keys, access keys and Tab.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "frmglavni.h"
#include "fixtures.h"
#include "paths.h"
#include "support.h"
#include "report.h"
#include "text.h"

using episodes::frmGlavni;
using V = std::vector<std::wstring>;

namespace {

const std::wstring kSelect = L"\rSelect an episode file and then try again.";
const std::wstring kNoActivate = L"You haven't yet selected an epidode file to activate!" + kSelect;
const std::wstring kNoDeactivate = L"You haven't yet selected an epidode file to deactivate!" + kSelect;
const std::wstring kNoDelete = L"You haven't yet selected an epidode file to delete!" + kSelect;
const std::wstring kConfirm =
    L"Are you sure you want to delete this episode?\r"
    L"If you are deleting an official Jazz Jackrabbit 2 episode, be aware that the only way to get it back is to "
    L"reinstall it from the Jazz Jackrabbit 2 CD.\r\r"
    L"Note that by clicking Yes, the episode file will be deleted immediately, bypassing the Recycle Bin.";
const std::wstring kOtherFiles = L"Episode deleted. Do you also want to delete all of its level and readme files?";
const std::wstring kNoEpisode = L"(no episode selected)";

struct Quenby : ::testing::Test {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  std::unique_ptr<frmGlavni> w;

  void Open() {
    w = std::make_unique<frmGlavni>(dir.path(), prompter, starter);
    w->Show(SW_SHOW, frmGlavni::IDC_File1);
    test::Pump();
  }
  HWND Item(int id) { return w->Item(id); }
  std::wstring Label(int id) { return test::Text(Item(id)); }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  V Shown() { return w->File1().Model().Names(); }
  std::wstring Path(const std::wstring& name) { return jj::InFolder(dir.path(), name); }
  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    test::Pump();
  }
  void Pick(const std::wstring& name) {
    V names = Shown();
    auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end()) << test::Narrow(name);
    test::ClickItem(Item(frmGlavni::IDC_File1), static_cast<int>(at - names.begin()));
    ASSERT_EQ(w->SelectedName(), name);
  }
  void ExpectBox(std::size_t i, const std::wstring& text, const std::wstring& title, jj::Icon icon,
                 jj::Buttons buttons) {
    ASSERT_LT(i, prompter.shown.size());
    const test::Box& b = prompter.shown[i];
    EXPECT_EQ(b.text, text);
    EXPECT_EQ(b.title, title);
    EXPECT_EQ(b.icon, icon);
    EXPECT_EQ(b.buttons, buttons);
    EXPECT_EQ(b.owner, w->hwnd());
  }
  void ExpectNothingSelected(std::size_t i, const std::wstring& text) {
    ExpectBox(i, text, L"No episode file selected!", jj::Icon::Information, jj::Buttons::Ok);
  }
  void ExpectConfirm(std::size_t i) {
    ExpectBox(i, kConfirm, L"Are you sure?", jj::Icon::Exclamation, jj::Buttons::YesNo);
  }
  void ExpectOtherFiles(std::size_t i) {
    ExpectBox(i, kOtherFiles, L"Other files too?", jj::Icon::Question, jj::Buttons::YesNo);
  }
  // A failure report: what failed, a blank line, the system's reason.
  void ExpectReport(std::size_t i, const std::wstring& what, unsigned long error) {
    ExpectBox(i, what + L"\r\rThe system says: " + jj::SystemMessage(error), L"Quenby", jj::Icon::Exclamation,
              jj::Buttons::Ok);
  }
  void Panel(const std::wstring& title, const std::wstring& size, const std::wstring& active) {
    EXPECT_EQ(Label(frmGlavni::IDC_Label4), title);
    EXPECT_EQ(Label(frmGlavni::IDC_Label6), size);
    EXPECT_EQ(Label(frmGlavni::IDC_Label9), active);
  }
  void Count(const std::wstring& text) { EXPECT_EQ(Label(frmGlavni::IDC_Label7), text); }
};

}  // namespace

TEST_F(Quenby, StartsCentredListingTheEpisodesWithTheCountAndNothingSelected) {
  for (const wchar_t* n : {L"c.jxe", L"B.J2E", L"a.j2e", L"x.txt", L"d.j2l", L"e.jxek", L"f.J2EX"}) dir.Touch(n);
  dir.TouchWith(L"hidden.j2e", FILE_ATTRIBUTE_HIDDEN);
  dir.TouchWith(L"system.j2e", FILE_ATTRIBUTE_SYSTEM);
  dir.TouchWith(L"ro.jxe", FILE_ATTRIBUTE_READONLY);
  CreateDirectoryW((dir / L"folder.j2e").c_str(), nullptr);
  Open();
  HWND h = w->hwnd();
  test::ExpectMainFrame(h, L"Quenby", 5535, 4335);

  EXPECT_EQ(Shown(), (V{L"a.j2e", L"B.J2E", L"c.jxe", L"ro.jxe"}));
  EXPECT_EQ(ListView_GetItemCount(Item(frmGlavni::IDC_File1)), 4);
  EXPECT_EQ(w->File2().Names(), (V{L"a.j2e", L"B.J2E"}));
  Count(L"You can activate 6 more episodes.");
  EXPECT_EQ(w->SelectedName(), L"");
  Panel(kNoEpisode, kNoEpisode, kNoEpisode);
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  for (int id = frmGlavni::IDC_Label1; id <= frmGlavni::IDC_Label9; ++id) EXPECT_TRUE(Enabled(id)) << id;
  // No default and no cancel button: Enter and Esc do nothing, wherever the focus is.
  EXPECT_EQ(GetDlgItem(h, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(h, IDCANCEL), nullptr);
  for (int id : {frmGlavni::IDC_File1, frmGlavni::IDC_Label7}) {
    SetFocus(Item(id));
    test::PressKey(VK_RETURN);
    test::PressKey(VK_ESCAPE);
  }
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(starter.started.empty());
  EXPECT_EQ(w->Secondary(), nullptr);
  EXPECT_EQ(dir.Names().size(), 11u);
}

TEST_F(Quenby, EveryControlOfTheLayoutSheetInTabOrder) {
  Open();
  struct Expected {
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    int left, top, width, height;
    unsigned font;  // kFontBold, kFontUnderline, kFontCentralEurope
  } table[] = {
      {frmGlavni::IDC_Label1, L"Static", L"Episode &List:", 120, 120, 1215, 255, jj::kFontBold | jj::kFontCentralEurope},
      {frmGlavni::IDC_File1, WC_LISTVIEWW, L"", 120, 480, 3135, 3405, 0},
      {frmGlavni::IDC_Command5, L"Button", L"Activate", 3360, 2880, 975, 375, 0},
      {frmGlavni::IDC_Command4, L"Button", L"Deactivate", 4440, 2880, 975, 375, 0},
      {frmGlavni::IDC_Command1, L"Button", L"A&bout This Utility", 3360, 3360, 2055, 375, 0},
      {frmGlavni::IDC_Command2, L"Button", L"&Help", 3360, 3840, 975, 375, 0},
      {frmGlavni::IDC_Command3, L"Button", L"D&elete", 4440, 3840, 975, 375, 0},
      {frmGlavni::IDC_Label2, L"Static", L"Episode Information:", 3360, 120, 1815, 255,
       jj::kFontBold | jj::kFontCentralEurope},
      {frmGlavni::IDC_Label3, L"Static", L"Episode title:", 3360, 480, 975, 255,
       jj::kFontUnderline | jj::kFontCentralEurope},
      {frmGlavni::IDC_Label4, L"Static", L"(no episode selected)", 3360, 720, 2055, 615, 0},
      {frmGlavni::IDC_Label5, L"Static", L"Size:", 3360, 1440, 375, 255, jj::kFontUnderline | jj::kFontCentralEurope},
      {frmGlavni::IDC_Label6, L"Static", L"(no episode selected)", 3360, 1680, 2055, 495, 0},
      {frmGlavni::IDC_Label7, L"Static", L"You can activate 8 more episodes.", 120, 3960, 3135, 255,
       jj::kFontUnderline | jj::kFontCentralEurope},
      {frmGlavni::IDC_Label8, L"Static", L"Activated?", 3360, 2280, 855, 255,
       jj::kFontUnderline | jj::kFontCentralEurope},
      {frmGlavni::IDC_Label9, L"Static", L"(no episode selected)", 3360, 2520, 2055, 255, 0},
  };
  UINT dpi = w->Dpi();
  HWND child = GetWindow(w->hwnd(), GW_CHILD);  // creation order is the tab order
  for (const Expected& e : table) {
    ASSERT_NE(child, nullptr);
    SCOPED_TRACE(e.id);
    EXPECT_EQ(GetDlgCtrlID(child), e.id);
    wchar_t cls[64];
    GetClassNameW(child, cls, 64);
    EXPECT_EQ(_wcsicmp(cls, e.cls), 0);
    EXPECT_EQ(test::Text(child), e.text);
    test::ExpectPlaced(w->hwnd(), child, e.left, e.top, e.width, e.height, (e.font & jj::kFontBold) != 0,
                       (e.font & jj::kFontUnderline) != 0);
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    // Central European where the face has that character set.
    bool central = (e.font & jj::kFontCentralEurope) && jj::Fonts::HasCharset(w->Choice().face, EASTEUROPE_CHARSET);
    EXPECT_EQ(lf.lfCharSet, central ? EASTEUROPE_CHARSET : DEFAULT_CHARSET);
    EXPECT_TRUE(IsWindowVisible(child));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "the hidden File2 and Command6 are no controls";
  // The value labels show file-derived text as it is ("&" is no access key) and wrap at words.
  for (int id : {frmGlavni::IDC_Label4, frmGlavni::IDC_Label6, frmGlavni::IDC_Label9, frmGlavni::IDC_Label7}) {
    LONG style = GetWindowLongW(Item(id), GWL_STYLE);
    EXPECT_TRUE(style & SS_NOPREFIX) << id;
    EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT) << id;
  }
  HWND list = Item(frmGlavni::IDC_File1);
  const DWORD list_style = jj::kFileListStyle & ~WS_VSCROLL;  // the scroll bar shows only when needed
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)) & list_style, list_style);
  EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  // No button is the default one.
  for (int id = frmGlavni::IDC_Command5; id <= frmGlavni::IDC_Command3; ++id)
    EXPECT_EQ(GetWindowLongW(Item(id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << id;
}

TEST_F(Quenby, TabOrderAndAccessKeys) {
  dir.Touch(L"a.j2e");
  Open();
  const int order[] = {frmGlavni::IDC_Command5, frmGlavni::IDC_Command4, frmGlavni::IDC_Command1,
                       frmGlavni::IDC_Command2, frmGlavni::IDC_Command3, frmGlavni::IDC_File1};
  ASSERT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  for (int id : order) {
    test::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(id)) << id;
  }
  // Alt+L: the label's key puts the focus into the list that follows it.
  SetFocus(Item(frmGlavni::IDC_Command3));
  test::PressKey('L', true);
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  // Alt+E with nothing selected: the nothing-selected box of Delete.
  test::PressKey('E', true);
  ASSERT_EQ(prompter.shown.size(), 1u);
  ExpectNothingSelected(0, kNoDelete);
  // Alt+E runs Delete on the current selection.
  Pick(L"a.j2e");
  prompter.answers = {jj::Answer::No};
  test::PressKey('E', true);
  ASSERT_EQ(prompter.shown.size(), 2u);
  ExpectConfirm(1);
  EXPECT_TRUE(dir.Exists(L"a.j2e"));
  // Alt+H: Help; Alt+B: the About box.
  test::PressKey('H', true);
  ASSERT_EQ(starter.started.size(), 1u);
  test::PressKey('B', true);
  EXPECT_NE(w->Secondary(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(w->hwnd()));
}

TEST_F(Quenby, TheCountAgainstTheLimitOfEight) {
  const struct {
    int active, inactive;
    const wchar_t* text;
  } cases[] = {{0, 0, L"You can activate 8 more episodes."},
               {0, 3, L"You can activate 8 more episodes."},
               {7, 2, L"You can activate 1 more episodes."},
               {8, 1, L"You need to deactivate 0 episodes."},
               {11, 0, L"You need to deactivate 3 episodes."}};
  for (const auto& c : cases) {
    test::TempFolder game;
    for (int i = 0; i < c.active; ++i) game.Touch(L"on" + std::to_wstring(i) + (i % 2 ? L".J2E" : L".j2e"));
    for (int i = 0; i < c.inactive; ++i) game.Touch(L"off" + std::to_wstring(i) + L".jxe");
    frmGlavni win(game.path(), prompter, starter);
    win.Show(SW_SHOW, frmGlavni::IDC_File1);
    test::Pump();
    EXPECT_EQ(test::Text(win.Item(frmGlavni::IDC_Label7)), c.text) << c.active;
    EXPECT_EQ(win.File1().Model().Count(), static_cast<std::size_t>(c.active + c.inactive));
  }
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Quenby, PickingByMouseAndArrowKeysFillsThePanel) {
  dir.Touch(L"PRINCE.J2E", 0);
  dir.Touch(L"monk.jxe", 1023);
  dir.Touch(L"TOMB.J2E", 1536);
  dir.Touch(L"xprince.j2e", 2600);
  dir.Touch(L"myepisode.j2e", 1048576);
  Open();
  ASSERT_EQ(Shown(), (V{L"monk.jxe", L"myepisode.j2e", L"PRINCE.J2E", L"TOMB.J2E", L"xprince.j2e"}));
  Count(L"You can activate 4 more episodes.");
  Pick(L"PRINCE.J2E");
  Panel(L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)", L"0 bytes (0 kilobytes)", L"Yes");
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command4));
  EXPECT_EQ(GetFocus(), Item(frmGlavni::IDC_File1));
  test::PressKey(VK_DOWN);
  EXPECT_EQ(w->SelectedName(), L"TOMB.J2E");
  Panel(L"Tomb Rabbit", L"1536 bytes (1 kilobytes)", L"Yes");
  test::PressKey(VK_DOWN);
  Panel(L"(episode title unknown)", L"2600 bytes (2 kilobytes)", L"Yes");
  Pick(L"monk.jxe");
  Panel(L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", L"1023 bytes (0 kilobytes)", L"No");
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command4));
  test::PressKey(VK_DOWN);
  EXPECT_EQ(w->SelectedName(), L"myepisode.j2e");
  Panel(L"(episode title unknown)", L"1048576 bytes (1024 kilobytes)", L"Yes");
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command4));
  test::PressKey(VK_UP);
  EXPECT_EQ(w->SelectedName(), L"monk.jxe");
  Panel(L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", L"1023 bytes (0 kilobytes)", L"No");
  // Every pick re-reads the active list: an episode activated behind the
  // window's back counts at once, although the episode list is not re-read.
  dir.Touch(L"late.j2e");
  Pick(L"TOMB.J2E");
  Count(L"You can activate 3 more episodes.");
  EXPECT_EQ(Shown().size(), 5u);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Quenby, TypingInTheListPicksByNameAndDeleteActsOnTheTypedEntry) {
  dir.Touch(L"a.j2e", 10);
  dir.Touch(L"B.J2E", 1536);
  dir.Touch(L"c.jxe", 2600);
  dir.Touch(L"monk.jxe", 1023);
  dir.Touch(L"myepisode.j2e", 5);
  Open();
  HWND list = Item(frmGlavni::IDC_File1);
  ASSERT_EQ(GetFocus(), list);
  // At start the focus shows on the first entry, which is not selected.
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 0);
  EXPECT_EQ(w->SelectedName(), L"");
  unsigned long now = 0;
  w->File1().SetTypingClock([&] { return now; });
  w->File1().SetTypingTimeout(1000);
  // Real key presses through the dialog manager, as the message loop has them.

  test::PressKey('C');
  EXPECT_EQ(w->SelectedName(), L"c.jxe");
  Panel(L"(episode title unknown)", L"2600 bytes (2 kilobytes)", L"No");
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command4));
  now += 5000;
  test::PressKey('B');
  EXPECT_EQ(w->SelectedName(), L"B.J2E");
  Panel(L"(episode title unknown)", L"1536 bytes (1 kilobytes)", L"Yes");
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command4));
  now += 5000;
  test::PressKey('M');
  Panel(L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", L"1023 bytes (0 kilobytes)", L"No");
  dir.Touch(L"late.j2e");  // each pick recounts
  test::PressKey('Y');
  EXPECT_EQ(w->SelectedName(), L"myepisode.j2e");
  Panel(L"(episode title unknown)", L"5 bytes (0 kilobytes)", L"Yes");
  Count(L"You can activate 4 more episodes.");
  test::PressKey('X');
  EXPECT_EQ(w->SelectedName(), L"myepisode.j2e");
  Panel(L"(episode title unknown)", L"5 bytes (0 kilobytes)", L"Yes");

  now += 5000;
  test::PressKey('C');
  Click(frmGlavni::IDC_Command3);  // Yes to both questions: c.jxe has no other files
  EXPECT_FALSE(dir.Exists(L"c.jxe"));
  EXPECT_EQ(dir.Names(), (V{L"B.J2E", L"a.j2e", L"late.j2e", L"monk.jxe", L"myepisode.j2e"}));
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(Quenby, ClickingTheSelectedEntryAgainReadsItAgain) {
  dir.Touch(L"tomb.jxe", 100);
  dir.Touch(L"monk.j2e", 10);
  Open();
  Pick(L"tomb.jxe");
  Panel(L"Tomb Rabbit", L"100 bytes (0 kilobytes)", L"No");
  Count(L"You can activate 7 more episodes.");
  // Another program changes the file and activates an episode meanwhile.
  dir.Touch(L"tomb.jxe", 4096);
  dir.Touch(L"night.j2e");
  Pick(L"tomb.jxe");
  Panel(L"Tomb Rabbit", L"4096 bytes (4 kilobytes)", L"No");
  Count(L"You can activate 6 more episodes.");
}

TEST_F(Quenby, SizeFromTheFull64BitLengthOrUnknown) {
  dir.Touch(L"big.j2e", 3221225472u);
  dir.Touch(L"gone.jxe", 10);
  dir.Touch(L"Gone.j2e", 10);
  Open();
  Pick(L"big.j2e");
  Panel(L"(episode title unknown)", L"3221225472 bytes (3145728 kilobytes)", L"Yes");
  // A file whose length cannot be read any more: title and state still shown.
  DeleteFileW((dir / L"gone.jxe").c_str());
  DeleteFileW((dir / L"Gone.j2e").c_str());
  Pick(L"gone.jxe");
  Panel(L"(episode title unknown)", jj::kSizeUnknown, L"No");
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command5));
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command4));
  Pick(L"Gone.j2e");
  Panel(L"(episode title unknown)", jj::kSizeUnknown, L"Yes");
  EXPECT_TRUE(prompter.shown.empty());
  Count(L"You can activate 7 more episodes.");  // the active list was re-read
}

TEST_F(Quenby, ActivateAndDeactivateRenameAndRecount) {
  test::Write(dir, L"PRINCE.J2E", "prince");
  test::Write(dir, L"Monk.jxe", "monk");
  dir.Touch(L"other.j2e");
  Open();
  Count(L"You can activate 6 more episodes.");
  Pick(L"PRINCE.J2E");
  Click(frmGlavni::IDC_Command4);
  EXPECT_EQ(dir.Names(), (V{L"Monk.jxe", L"PRINCE.jxe", L"other.j2e"}));
  EXPECT_EQ(test::Read(dir / L"PRINCE.jxe"), "prince");
  EXPECT_EQ(Shown(), (V{L"Monk.jxe", L"other.j2e", L"PRINCE.jxe"}));
  Count(L"You can activate 7 more episodes.");
  // Nothing is selected any more; the panel and buttons still describe the old state.
  EXPECT_EQ(w->SelectedName(), L"");
  Panel(L"Formerly A Prince (Official Jazz Jackrabbit 2 episode)", L"6 bytes (0 kilobytes)", L"Yes");
  EXPECT_TRUE(Enabled(frmGlavni::IDC_Command4));
  EXPECT_FALSE(Enabled(frmGlavni::IDC_Command5));
  Click(frmGlavni::IDC_Command4);
  ASSERT_EQ(prompter.shown.size(), 1u);
  ExpectNothingSelected(0, kNoDeactivate);
  EXPECT_EQ(dir.Names(), (V{L"Monk.jxe", L"PRINCE.jxe", L"other.j2e"}));
  Pick(L"Monk.jxe");
  Click(frmGlavni::IDC_Command5);
  EXPECT_EQ(dir.Names(), (V{L"Monk.j2e", L"PRINCE.jxe", L"other.j2e"}));
  EXPECT_EQ(test::Read(dir / L"Monk.j2e"), "monk");
  Count(L"You can activate 6 more episodes.");
  Panel(L"Funky Monkeys (Official Jazz Jackrabbit 2 episode)", L"4 bytes (0 kilobytes)", L"No");
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(Quenby, ActivatingPastTheLimitIsAllowed) {
  for (int i = 0; i < 8; ++i) dir.Touch(L"on" + std::to_wstring(i) + L".j2e");
  dir.Touch(L"ninth.jxe");
  Open();
  Count(L"You need to deactivate 0 episodes.");
  Pick(L"ninth.jxe");
  Click(frmGlavni::IDC_Command5);
  EXPECT_TRUE(dir.Exists(L"ninth.j2e"));
  Count(L"You need to deactivate 1 episodes.");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Quenby, CommandsWithNothingSelectedStillReReadAndCount) {
  dir.Touch(L"a.jxe");
  Open();
  Count(L"You can activate 8 more episodes.");
  dir.Touch(L"late.j2e");  // added behind the window's back
  Click(frmGlavni::IDC_Command5);
  ExpectNothingSelected(0, kNoActivate);
  Count(L"You can activate 7 more episodes.");
  EXPECT_EQ(Shown(), (V{L"a.jxe"}));  // no rename: the episode list is not re-read
  dir.Touch(L"later.j2e");
  Click(frmGlavni::IDC_Command4);
  ExpectNothingSelected(1, kNoDeactivate);
  Count(L"You can activate 6 more episodes.");
  dir.Touch(L"latest.j2e");
  Click(frmGlavni::IDC_Command3);
  ExpectNothingSelected(2, kNoDelete);
  Count(L"You can activate 5 more episodes.");
  EXPECT_EQ(Shown(), (V{L"a.jxe", L"late.j2e", L"later.j2e", L"latest.j2e"}));  // Delete re-reads both
  EXPECT_EQ(prompter.shown.size(), 3u);
  EXPECT_EQ(dir.Names(), (V{L"a.jxe", L"late.j2e", L"later.j2e", L"latest.j2e"}));
}

TEST_F(Quenby, ARenameNeverReplacesAFileInAnyLetterCase) {
  test::Write(dir, L"a.jxe", "inactive a");
  test::Write(dir, L"A.J2E", "active A");
  test::Write(dir, L"PRINCE.J2E", "active prince");
  test::Write(dir, L"prince.JXE", "inactive prince");
  Open();
  Count(L"You can activate 6 more episodes.");
  Pick(L"a.jxe");
  Click(frmGlavni::IDC_Command5);
  ASSERT_EQ(prompter.shown.size(), 1u);
  ExpectReport(0,
               L"Could not activate the episode file \"" + Path(L"a.jxe") + L"\" by renaming it to \"a.j2e\".\r"
               L"The game folder already holds \"A.J2E\", which would be replaced; both files are left as they are.",
               ERROR_ALREADY_EXISTS);
  Pick(L"PRINCE.J2E");
  Click(frmGlavni::IDC_Command4);
  ASSERT_EQ(prompter.shown.size(), 2u);
  ExpectReport(1,
               L"Could not deactivate the episode file \"" + Path(L"PRINCE.J2E") +
                   L"\" by renaming it to \"PRINCE.jxe\".\r"
                   L"The game folder already holds \"prince.JXE\", which would be replaced; both files are left as "
                   L"they are.",
               ERROR_ALREADY_EXISTS);
  EXPECT_EQ(dir.Names(), (V{L"A.J2E", L"PRINCE.J2E", L"a.jxe", L"prince.JXE"}));
  EXPECT_EQ(test::Read(dir / L"a.jxe"), "inactive a");
  EXPECT_EQ(test::Read(dir / L"A.J2E"), "active A");
  EXPECT_EQ(test::Read(dir / L"PRINCE.J2E"), "active prince");
  EXPECT_EQ(test::Read(dir / L"prince.JXE"), "inactive prince");
  Count(L"You can activate 6 more episodes.");
  EXPECT_EQ(w->SelectedName(), L"");  // re-read after the failure too
}

TEST_F(Quenby, ARenameThatFailsIsReportedAndChangesNothing) {
  test::Write(dir, L"gone.jxe", "gone");
  test::Write(dir, L"open.jxe", "open");
  dir.Touch(L"on.j2e");
  Open();
  // The selected file vanished since the list was read.
  Pick(L"gone.jxe");
  DeleteFileW((dir / L"gone.jxe").c_str());
  Click(frmGlavni::IDC_Command5);
  ExpectReport(0, L"Could not activate the episode file \"" + Path(L"gone.jxe") + L"\" by renaming it to \"gone.j2e\".",
               ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Shown(), (V{L"on.j2e", L"open.jxe"}));
  Count(L"You can activate 7 more episodes.");
  // Held open by another program without sharing deletion.
  {
    test::HeldOpen held(dir / L"open.jxe");
    ASSERT_TRUE(held.ok());
    Pick(L"open.jxe");
    EXPECT_EQ(Label(frmGlavni::IDC_Label6), L"4 bytes (0 kilobytes)");
    Click(frmGlavni::IDC_Command5);
  }
  ExpectReport(1, L"Could not activate the episode file \"" + Path(L"open.jxe") + L"\" by renaming it to \"open.j2e\".",
               ERROR_SHARING_VIOLATION);
  EXPECT_EQ(dir.Names(), (V{L"on.j2e", L"open.jxe"}));
  EXPECT_EQ(test::Read(dir / L"open.jxe"), "open");
  Count(L"You can activate 7 more episodes.");
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(Quenby, AReadOnlyFolderIsReportedAndLosesNothing) {
  test::Write(dir, L"a.jxe", "a");
  test::Write(dir, L"tomb.j2e", "tomb");
  dir.Touch(L"TRac1.j2l");
  Open();
  test::UnwritableFolder lock(dir.path());
  if (!lock.ok()) GTEST_SKIP() << "no way to make a folder unwritable here";
  Pick(L"a.jxe");
  Click(frmGlavni::IDC_Command5);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text.rfind(L"Could not activate the episode file \"" + Path(L"a.jxe") +
                                             L"\" by renaming it to \"a.j2e\".\r\rThe system says: ",
                                         0),
            0u);
  Pick(L"tomb.j2e");
  Click(frmGlavni::IDC_Command3);  // Yes to the warning; no question about other files follows
  ASSERT_EQ(prompter.shown.size(), 3u);
  ExpectConfirm(1);
  EXPECT_EQ(prompter.shown[2].text.rfind(
                L"Could not delete the episode file \"" + Path(L"tomb.j2e") + L"\".\r\rThe system says: ", 0),
            0u);
  EXPECT_EQ(prompter.shown[2].icon, jj::Icon::Exclamation);
  EXPECT_EQ(dir.Names(), (V{L"TRac1.j2l", L"a.jxe", L"tomb.j2e"}));
  EXPECT_EQ(test::Read(dir / L"a.jxe"), "a");
  EXPECT_EQ(test::Read(dir / L"tomb.j2e"), "tomb");
  Count(L"You can activate 7 more episodes.");
}

TEST_F(Quenby, DeleteAsksFirstAndOffersTheCompanionFiles) {
  for (const wchar_t* n : {L"tomb.jxe", L"TRac1.j2l", L"other.j2e"}) dir.Touch(n);
  Open();
  // No to the warning: nothing is deleted.
  Pick(L"tomb.jxe");
  prompter.answers = {jj::Answer::No};
  Click(frmGlavni::IDC_Command3);
  ASSERT_EQ(prompter.shown.size(), 1u);
  ExpectConfirm(0);
  EXPECT_EQ(dir.Names(), (V{L"TRac1.j2l", L"other.j2e", L"tomb.jxe"}));
  EXPECT_EQ(w->SelectedName(), L"");  // re-read
  // Yes, then No to the companion question: the episode file only.
  Pick(L"tomb.jxe");
  prompter.answers = {jj::Answer::Yes, jj::Answer::No};
  Click(frmGlavni::IDC_Command3);
  ASSERT_EQ(prompter.shown.size(), 3u);
  ExpectConfirm(1);
  ExpectOtherFiles(2);
  EXPECT_EQ(dir.Names(), (V{L"TRac1.j2l", L"other.j2e"}));
  EXPECT_EQ(Shown(), (V{L"other.j2e"}));
  Count(L"You can activate 7 more episodes.");
  // The panel still describes the deleted episode.
  Panel(L"Tomb Rabbit", L"0 bytes (0 kilobytes)", L"No");
}

TEST_F(Quenby, DeletingAKnownAddOnDeletesItsFilesInTheTablesOrder) {
  const episodes::CompanionRow& tomb = episodes::Companions()[1];
  for (const wchar_t* episode : {L"tomb.jxe", L"tomb.j2e"}) {
    SCOPED_TRACE(test::Narrow(episode));
    prompter.shown.clear();
    dir.Touch(episode, 100);
    for (const wchar_t* entry : tomb.entries) dir.Touch(entry + 1);
    for (const wchar_t* n : {L"TRac2.j2l", L"tomb.txt", L"other.j2e", L"monkey1.j2l"}) dir.Touch(n);
    Open();
    Pick(episode);
    Click(frmGlavni::IDC_Command3);
    ASSERT_EQ(prompter.shown.size(), 2u);
    ExpectConfirm(0);
    ExpectOtherFiles(1);
    EXPECT_EQ(dir.Names(), (V{L"TRac2.j2l", L"monkey1.j2l", L"other.j2e", L"tomb.txt"}));
    EXPECT_EQ(Shown(), (V{L"other.j2e"}));
    Count(L"You can activate 7 more episodes.");
    Panel(L"Tomb Rabbit", L"100 bytes (0 kilobytes)", episodes::IsActiveName(episode) ? L"Yes" : L"No");
  }
}

TEST_F(Quenby, CompanionFilesOnlyForTheExactNameOfARow) {
  struct {
    const wchar_t* episode;
    std::vector<std::wstring> companions, left;  // present before; left after Yes, Yes
  } cases[] = {
      // Differs only in letter case: no row matches, although the title was known.
      {L"PMSB.J2E", {L"monkey1.j2l", L"monkey7.j2l"}, {L"monkey1.j2l", L"monkey7.j2l"}},
      // An official episode has no row.
      {L"prince.j2e", {L"monkey1.j2l"}, {L"monkey1.j2l"}},
      // The program file of 5 Alive goes with it.
      {L"5aliveshortcut.j2e", {L"5 Alive.doc", L"5Alive.j2l", L"Beat-The-Hi-Score.exe", L"Sky Rapper.j2l"}, {}},
      {L"pmsb.jxe", {L"monkey1.j2l", L"monkey4-2.j2l", L"Monkey8.j2l"}, {L"Monkey8.j2l"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(test::Narrow(c.episode));
    test::TempFolder game;
    game.Touch(c.episode);
    for (const auto& n : c.companions) game.Touch(n);
    test::ScriptedPrompter boxes;
    frmGlavni win(game.path(), boxes, starter);
    win.Show(SW_SHOW, frmGlavni::IDC_File1);
    test::Pump();
    test::ClickItem(win.Item(frmGlavni::IDC_File1), 0);
    ASSERT_EQ(win.SelectedName(), c.episode);
    if (std::wstring(c.episode) == L"PMSB.J2E") {
      EXPECT_EQ(test::Text(win.Item(frmGlavni::IDC_Label4)), L"Putrid Monkey Strikes Back");
    }
    SendMessageW(win.Item(frmGlavni::IDC_Command3), BM_CLICK, 0, 0);
    test::Pump();
    EXPECT_EQ(boxes.shown.size(), 2u);  // the warning and the question; nothing more
    EXPECT_EQ(game.Names(), c.left);
  }
}

TEST_F(Quenby, AnEpisodeFileThatCannotBeDeletedIsReportedWithoutTheCompanionQuestion) {
  test::Write(dir, L"tomb.j2e", "read-only");
  SetFileAttributesW((dir / L"tomb.j2e").c_str(), FILE_ATTRIBUTE_READONLY);
  test::Write(dir, L"night.jxe", "open");
  dir.Touch(L"pmsb.jxe");
  for (const wchar_t* n : {L"TRac1.j2l", L"Night.j2l", L"monkey1.j2l"}) dir.Touch(n);
  Open();
  Pick(L"tomb.j2e");
  Click(frmGlavni::IDC_Command3);
  ASSERT_EQ(prompter.shown.size(), 2u);
  ExpectConfirm(0);
  ExpectReport(1, L"Could not delete the episode file \"" + Path(L"tomb.j2e") + L"\".", ERROR_ACCESS_DENIED);
  {
    test::HeldOpen held(dir / L"night.jxe");
    ASSERT_TRUE(held.ok());
    Pick(L"night.jxe");
    Click(frmGlavni::IDC_Command3);
  }
  ASSERT_EQ(prompter.shown.size(), 4u);
  ExpectConfirm(2);
  ExpectReport(3, L"Could not delete the episode file \"" + Path(L"night.jxe") + L"\".", ERROR_SHARING_VIOLATION);
  Pick(L"pmsb.jxe");
  DeleteFileW((dir / L"pmsb.jxe").c_str());  // vanished since the list was read
  Click(frmGlavni::IDC_Command3);
  ASSERT_EQ(prompter.shown.size(), 6u);
  ExpectConfirm(4);
  ExpectReport(5, L"Could not delete the episode file \"" + Path(L"pmsb.jxe") + L"\".", ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(dir.Names(), (V{L"Night.j2l", L"TRac1.j2l", L"monkey1.j2l", L"night.jxe", L"tomb.j2e"}));
  EXPECT_EQ(test::Read(dir / L"tomb.j2e"), "read-only");
  EXPECT_EQ(test::Read(dir / L"night.jxe"), "open");
  EXPECT_EQ(Shown(), (V{L"night.jxe", L"tomb.j2e"}));
  Count(L"You can activate 7 more episodes.");
}

TEST_F(Quenby, CompanionFilesThatCannotBeDeletedAreNamedTogetherAtTheEnd) {
  const episodes::CompanionRow& tomb = episodes::Companions()[1];
  dir.Touch(L"tomb.jxe");
  for (const wchar_t* entry : tomb.entries) dir.Touch(entry + 1);
  DeleteFileW((dir / L"TRal1.j2l").c_str());  // absent ones are skipped without a word
  DeleteFileW((dir / L"TRvl1.j2l").c_str());
  SetFileAttributesW((dir / L"TOMB RABBIT.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((dir / L"TRsc2.j2l").c_str(), FILE_ATTRIBUTE_READONLY);
  Open();
  Pick(L"tomb.jxe");
  {
    test::HeldOpen held(dir / L"TRd1.j2l");
    ASSERT_TRUE(held.ok());
    Click(frmGlavni::IDC_Command3);
  }
  ASSERT_EQ(prompter.shown.size(), 3u);
  ExpectConfirm(0);
  ExpectOtherFiles(1);
  ExpectBox(2,
            L"The episode file was deleted, but these files of the episode could not be deleted from the game "
            L"folder \"" + dir.path() + L"\":\r"
            L"TOMB RABBIT.txt: " + jj::SystemMessage(ERROR_ACCESS_DENIED) + L"\r"
            L"TRd1.j2l: " + jj::SystemMessage(ERROR_SHARING_VIOLATION) + L"\r"
            L"TRsc2.j2l: " + jj::SystemMessage(ERROR_ACCESS_DENIED),
            L"Quenby", jj::Icon::Exclamation, jj::Buttons::Ok);
  EXPECT_EQ(dir.Names(), (V{L"TOMB RABBIT.txt", L"TRd1.j2l", L"TRsc2.j2l"}));
  EXPECT_TRUE(Shown().empty());
  Count(L"You can activate 8 more episodes.");
}

TEST_F(Quenby, ExactNamesAreNeverConfused) {
  test::Write(dir, L"con.j2e", "con");      // a device name elsewhere
  test::Write(dir, L"x.j2e", "x");
  test::Write(dir, L"x.j2e.", "x dot");     // not listed, not touched
  std::wstring long_name = std::wstring(240, L'z') + L".jxe";  // past MAX_PATH with the folder
  test::Write(dir, long_name, "long");
  Open();
  EXPECT_EQ(Shown(), (V{L"con.j2e", L"x.j2e", long_name}));
  Count(L"You can activate 6 more episodes.");
  Pick(L"con.j2e");
  EXPECT_EQ(Label(frmGlavni::IDC_Label6), L"3 bytes (0 kilobytes)");
  Click(frmGlavni::IDC_Command4);
  Pick(L"x.j2e");
  Click(frmGlavni::IDC_Command4);
  Pick(long_name);
  EXPECT_EQ(Label(frmGlavni::IDC_Label6), L"4 bytes (0 kilobytes)");
  Click(frmGlavni::IDC_Command5);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(test::Read(dir / L"con.jxe"), "con");
  EXPECT_EQ(test::Read(dir / L"x.jxe"), "x");
  EXPECT_EQ(test::Read(dir / L"x.j2e."), "x dot");
  EXPECT_EQ(test::Read(dir / (std::wstring(240, L'z') + L".j2e")), "long");
  Pick(L"con.jxe");
  Click(frmGlavni::IDC_Command3);
  EXPECT_FALSE(dir.Exists(L"con.jxe"));
  EXPECT_EQ(dir.Names().size(), 3u);
  Count(L"You can activate 7 more episodes.");
}

TEST_F(Quenby, ALinkIsNeverFollowedOutOfTheGameFolder) {
  test::TempFolder outside;
  test::Write(outside, L"target.j2e", "outside");
  test::LinkSweeper links;
  if (!links.Make(dir / L"out.j2e", outside / L"target.j2e") || !links.Make(dir / L"out2.jxe", outside / L"target.j2e"))
    GTEST_SKIP() << "symbolic links cannot be made here";
  Open();
  Pick(L"out.j2e");
  Click(frmGlavni::IDC_Command3);
  ASSERT_GE(prompter.shown.size(), 2u);
  ExpectConfirm(0);
  if (prompter.shown[1].title == L"Quenby") {
    // The system would delete the target (Wine with a Unix link): refused.
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text.rfind(L"Could not delete the episode file \"" + Path(L"out.j2e") +
                                               L"\".\r\r\"out.j2e\" is not a plain file: it is a link to \"",
                                           0),
              0u);
    EXPECT_NE(prompter.shown[1].text.find(L"target.j2e"), std::wstring::npos);
    EXPECT_TRUE(dir.Exists(L"out.j2e"));
  } else {
    ExpectOtherFiles(1);  // the link itself was deleted
    EXPECT_FALSE(dir.Exists(L"out.j2e"));
  }
  Pick(L"out2.jxe");
  Click(frmGlavni::IDC_Command5);
  EXPECT_EQ(outside.Names(), (V{L"target.j2e"}));
  EXPECT_EQ(test::Read(outside / L"target.j2e"), "outside");
}

TEST_F(Quenby, TheAboutBoxDisablesTheWindowAndItsClosingReReads) {
  dir.Touch(L"a.j2e");
  Open();
  Click(frmGlavni::IDC_Command1);
  ASSERT_NE(w->Secondary(), nullptr);
  HWND about = w->Secondary()->hwnd();
  EXPECT_EQ(test::Text(about), L"About Quenby");
  EXPECT_FALSE(IsWindowEnabled(w->hwnd()));
  // A file added while the box is open shows as soon as it closes.
  dir.Touch(L"new.j2e");
  dir.Touch(L"new2.jxe");
  SendDlgItemMessageW(about, IDOK, BM_CLICK, 0, 0);
  test::Pump();
  EXPECT_FALSE(IsWindow(about));
  EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
  EXPECT_EQ(Shown(), (V{L"a.j2e", L"new.j2e", L"new2.jxe"}));
  Count(L"You can activate 6 more episodes.");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Quenby, HelpOpensTheHelpFileOfTheGameFolderInNotepad) {
  Open();
  Click(frmGlavni::IDC_Command2);
  ASSERT_EQ(starter.started.size(), 1u);
  const jj::StartRequest& r = starter.started[0];
  EXPECT_EQ(r.program, jj::SystemProgram(L"notepad.exe"));
  EXPECT_NE(r.command_line.find(dir / L"HlpQuenby.qxh"), std::wstring::npos);
  EXPECT_EQ(r.show, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
}

TEST_F(Quenby, AGameFolderThatCannotBeReadIsReported) {
  std::wstring missing = dir / L"no such folder";
  frmGlavni win(missing, prompter, starter);
  win.Show(SW_SHOW, frmGlavni::IDC_File1);
  test::Pump();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text.rfind(L"Could not read the episode files in the game folder \"" + missing +
                                             L"\".\r\rThe system says: ",
                                         0),
            0u);
  EXPECT_EQ(test::Text(win.Item(frmGlavni::IDC_Label7)), L"You can activate 8 more episodes.");
}

TEST_F(Quenby, AGameFolderThatVanishesIsReportedOnceThePickIsDone) {
  dir.Touch(L"a.j2e");
  Open();
  DeleteFileW((dir / L"a.j2e").c_str());
  // Moved away by another program (a folder that a program watches can be
  // moved but not removed while it watches it).
  std::wstring away = dir.path() + L" gone";
  ASSERT_TRUE(MoveFileW(dir.path().c_str(), away.c_str()));
  // The pick shows what it can; the report follows once the list view is done with the pick.
  test::ClickItem(Item(frmGlavni::IDC_File1), 0);
  Panel(L"(episode title unknown)", jj::kSizeUnknown, L"Yes");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text.rfind(L"Could not read the episode files in the game folder \"" + dir.path() +
                                             L"\".\r\rThe system says: ",
                                         0),
            0u);
  Count(L"You can activate 8 more episodes.");
  MoveFileW(away.c_str(), dir.path().c_str());  // for the clean-up
}

// The headings and captions fit their labels on one line. Under Wine "MS Sans
// Serif" exists only in the Western character set; asking for Central
// European there must not fall back to a wider face that wraps and cuts them.
TEST_F(Quenby, TheFixedLabelsFitOnOneLine) {
  Open();
  for (int id : {frmGlavni::IDC_Label1, frmGlavni::IDC_Label2, frmGlavni::IDC_Label3, frmGlavni::IDC_Label5,
                 frmGlavni::IDC_Label8}) {
    HWND label = Item(id);
    std::wstring text = test::Text(label);
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT all = client, one = client;
    DrawTextW(dc, text.c_str(), -1, &all, DT_CALCRECT | DT_WORDBREAK);
    DrawTextW(dc, L"X", -1, &one, DT_CALCRECT | DT_WORDBREAK);
    wchar_t face[LF_FACESIZE];
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    EXPECT_EQ(all.bottom - all.top, one.bottom - one.top) << test::Narrow(text) << " in " << test::Narrow(face);
  }
}

TEST_F(Quenby, PicksOnAnUnchangedFolderDoNotReadItAgainAndAChangeCountsAtTheNextPick) {
  for (const wchar_t* n : {L"a.j2e", L"b.jxe", L"c.jxe"}) dir.Touch(n);
  Open();
  jj::FolderListing& listing = *jj::FolderListing::Of(dir.path());  // the window's own
  unsigned long read = listing.Enumerations();
  Pick(L"a.j2e");
  test::PressKey(VK_DOWN);
  test::PressKey(VK_DOWN);
  EXPECT_EQ(w->SelectedName(), L"c.jxe");
  Count(L"You can activate 7 more episodes.");
  EXPECT_EQ(listing.Enumerations(), read);

  // Activated by another thread while the window runs: the next pick counts it.
  std::thread([&] { MoveFileW(Path(L"b.jxe").c_str(), Path(L"b.j2e").c_str()); }).join();
  test::PressKey(VK_UP);
  EXPECT_EQ(w->File2().Names(), (V{L"a.j2e", L"b.j2e"}));
  Count(L"You can activate 6 more episodes.");
  EXPECT_EQ(listing.Enumerations(), read + 1);
}

// A case-sensitive Linux folder: the picked episode went and its twin of
// another letter case is left. Nothing may happen to the twin; deleting one
// twin while the other stays is no failure.
TEST_F(Quenby, TheTwinOfAVanishedEpisodeIsLeftAlone) {
  if (!test::Shell(dir, L"printf big > \"$D/A.j2e\"; printf small > \"$D/a.j2e\"; printf x > \"$D/x.jxe\"; "
                        L"printf X > \"$D/X.jxe\""))
    GTEST_SKIP() << "no Linux shell here";
  Open();
  Pick(L"A.j2e");
  ASSERT_TRUE(DeleteFileW((dir / L"A.j2e").c_str()));  // by another program
  Click(frmGlavni::IDC_Command4);
  const std::wstring why = L"The game folder no longer holds \"A.j2e\". It holds \"a.j2e\", which differs only in "
                           L"letter case and is another file; it was left as it is.";
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, L"Could not deactivate the episode file \"" + Path(L"A.j2e") +
                                        L"\" by renaming it to \"A.jxe\".\r\r" + why);
  Pick(L"x.jxe");
  prompter.answers = {jj::Answer::Yes, jj::Answer::No};
  Click(frmGlavni::IDC_Command3);
  ASSERT_EQ(prompter.shown.size(), 3u);
  ExpectConfirm(1);
  ExpectOtherFiles(2);  // deleted, although X.jxe is still there
  EXPECT_EQ(dir.Names(), (V{L"X.jxe", L"a.j2e"}));
  EXPECT_EQ(test::Read(dir / L"a.j2e"), "small");
  EXPECT_EQ(test::Read(dir / L"X.jxe"), "X");
  Count(L"You can activate 7 more episodes.");
}
