#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "tests/launch/launcher.h"
#include "tests/support/fixtures.h"
#include "files/paths.h"
#include "ui/report.h"

using launch::frmLaunch;
using levels::frmGlavni;

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::wstring> Lines(const std::vector<test::Started>& starts) {
  std::vector<std::wstring> lines;
  for (const test::Started& s : starts) lines.push_back(s.command_line);
  return Sorted(lines);
}

struct Dialog : launchtest::Launcher<launch::HalvickWindow> {
  HWND d = nullptr;
  void Open(const std::wstring& level) {
    Pick(level);
    Click(frmGlavni::IDC_Command1);
    ASSERT_NE(w->Dialog(), nullptr);
    d = w->Dialog()->hwnd();
  }
  HWND Item(int id) { return GetDlgItem(d, id); }
  bool Checked(int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
  void Check(std::initializer_list<int> ids) {
    for (int id : ids) Click(Item(id));
  }
};

bool Visible(const jj::ControlSpec& c) { return (c.style & WS_VISIBLE) != 0; }
bool IsLine(const jj::ControlSpec& c) { return c.style == jj::kSeparator; }

// What must hold of the dialog's layout whatever its switch rows: the boxes
// come first in tab order, in launch order from the top, at one left edge; a
// separator line closes each group and the log path, touching no control; no
// two controls overlap by more than a box's spare pixel row at 96 DPI (15
// twips); the client area holds everything and ends just below it.
void ExpectSoundLayout(const launch::DialogLayout& layout, std::span<const launch::SwitchBox> boxes) {
  const std::vector<jj::ControlSpec>& c = layout.controls;
  ASSERT_GT(c.size(), boxes.size());
  auto find = [&](int id) { return std::find_if(c.begin(), c.end(), [id](const auto& x) { return x.id == id; }); };
  auto line_between = [&](int above, int below) {
    return std::any_of(c.begin(), c.end(),
                       [&](const auto& x) { return IsLine(x) && x.top >= above && x.top + x.height <= below; });
  };
  std::size_t groups = 1;  // the log path's
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c[i].id, boxes[i].id);
    EXPECT_EQ(std::wstring(c[i].text), boxes[i].caption);
    EXPECT_EQ(c[i].left, c[0].left);
    if (i > 0) {
      EXPECT_GE(c[i].top, c[i - 1].top + c[i - 1].height - 15);
    }
    if (!boxes[i].ends_group) continue;
    ++groups;
    int next = i + 1 < boxes.size() ? c[i + 1].top : find(frmLaunch::IDC_Label1)->top;
    EXPECT_TRUE(line_between(c[i].top + c[i].height, next));
  }
  EXPECT_TRUE(line_between(find(frmLaunch::IDC_Text1)->top + find(frmLaunch::IDC_Text1)->height,
                           find(frmLaunch::IDC_Check1)->top));
  EXPECT_EQ(std::count_if(c.begin(), c.end(), IsLine), static_cast<std::ptrdiff_t>(groups));
  int lowest = 0;
  for (auto a = c.begin(); a != c.end(); ++a) {
    if (!Visible(*a)) continue;
    SCOPED_TRACE(a->id);
    EXPECT_TRUE(a->left >= 0 && a->top >= 0 && a->left + a->width <= layout.client_width);
    lowest = std::max(lowest, a->top + a->height);
    for (auto b = a + 1; b != c.end(); ++b) {
      if (!Visible(*b) || a->left + a->width <= b->left || b->left + b->width <= a->left) continue;
      int overlap = std::min(a->top + a->height, b->top + b->height) - std::max(a->top, b->top);
      EXPECT_LE(overlap, IsLine(*a) || IsLine(*b) ? 0 : 15) << "with " << b->id;
    }
  }
  EXPECT_LE(lowest, layout.client_height);
  EXPECT_GT(lowest + 120, layout.client_height);
}

}  // namespace

TEST(DialogLayout, ANewSwitchIsOneRowAndEverythingBelowItMovesDown) {
  std::vector<launch::SwitchBox> rows(launch::SwitchBoxes().begin(), launch::SwitchBoxes().end());
  const launch::DialogLayout before = launch::LayOutDialog(rows);
  ExpectSoundLayout(before, rows);
  const int row = before.controls[1].top - before.controls[0].top;
  // A box of its own group after the Spy boxes: its row and its line's.
  const std::size_t at = 4;
  const int inserted_top = before.controls[at].top;
  rows.insert(rows.begin() + at, {299, L"-NoMouse", L"Don't try to detect the &mouse", 2535, launch::kEndsGroup});
  const launch::DialogLayout after = launch::LayOutDialog(rows);
  ExpectSoundLayout(after, rows);
  EXPECT_EQ(after.client_width, before.client_width);
  EXPECT_EQ(after.client_height, before.client_height + 2 * row);
  EXPECT_EQ(after.controls[at].top, inserted_top);
  for (const jj::ControlSpec& was : before.controls) {
    if (IsLine(was)) continue;  // their ids follow their order
    auto now =
        std::find_if(after.controls.begin(), after.controls.end(), [&](const auto& x) { return x.id == was.id; });
    ASSERT_NE(now, after.controls.end()) << was.id;
    EXPECT_EQ(now->top, was.top + (was.top >= inserted_top ? 2 * row : 0)) << was.id;
    EXPECT_EQ(now->left, was.left);
    EXPECT_EQ(now->width, was.width);
  }
}

TEST_F(Dialog, EachBoxFromTheTopCarriesTheSwitchItsCaptionNames) {
  // The boxes from the top: caption, and the switch it passes. Kept word for
  // word: the caption is what the player ticks, the switch what the game reads.
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"Run in a &window", L"-Windowed"}, {L"Writ&e a log file to disk", L"-Log ="},
      {L"Enable &Spy window", L"-Spy"}, {L"Disable Sp&y window (check this if you enabled it last time)", L"-NoSpy"},
      {L"D&on't try to detect joysticks", L"-NoJoy"}, {L"Don't try to detect &sound hardware", L"-NoSound"},
      {L"Don't try to detect &DirectDraw", L"-NoDDraw"}, {L"Don't try to detect DirectSou&nd", L"-NoDSound"},
      {L"Don't try to detect &microprocessor type", L"-NoCPUCheck"},
      {L"Don't try to detect networ&king support", L"-NoNetwork"},
      {L"Don't use Windows re&gistry (use default game settings)", L"-NoReg"},
      {L"Start in Safe Mode (disables &all extra support)", L"-Safe"},
  };
  Start({L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  HWND box = GetWindow(d, GW_CHILD);  // creation order is the tab order
  LONG above = -1;
  for (const auto& [caption, tag] : rows) {
    SCOPED_TRACE(test::Narrow(caption));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(test::Text(box), caption);
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_GT(r.top, above);
    above = r.top;
    Click(box);
    Click(Item(IDOK));
    ASSERT_FALSE(recorder.started.empty());
    EXPECT_EQ(recorder.started.back().command_line, *dir / L"Jazz2.exe mylevel.j2l  " + tag);
    Click(box);
    box = GetWindow(box, GW_HWNDNEXT);
  }
  EXPECT_EQ(box, Item(IDOK));  // no box left over
  EXPECT_EQ(recorder.started.size(), std::size(rows));
}

TEST_F(Dialog, OpensWithItsDefaultsAndDisablesTheMainWindow) {
  Start({L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  EXPECT_EQ(test::Text(d), L"Select game options");
  LONG style = GetWindowLongW(d, GWL_STYLE);
  EXPECT_TRUE((style & WS_POPUP) && (style & WS_CAPTION));
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(GetWindow(d, GW_OWNER), w->hwnd());  // owned: no taskbar button
  EXPECT_FALSE(IsWindowEnabled(w->hwnd()));
  EXPECT_EQ(GetFocus(), Item(launch::IDC_cWindow));
  // Its size is what players see of its layout: kept to the twip.
  RECT client;
  GetClientRect(d, &client);
  UINT dpi = w->Dialog()->Dpi();
  EXPECT_EQ(client.right, jj::Twips(4710, dpi));
  EXPECT_EQ(client.bottom, jj::Twips(5265, dpi));

  for (const launch::SwitchBox& box : launch::SwitchBoxes()) EXPECT_FALSE(Checked(box.id)) << box.id;
  EXPECT_FALSE(Checked(frmLaunch::IDC_Check1));
  EXPECT_EQ(test::Text(Item(frmLaunch::IDC_Text1)), L"");
  EXPECT_FALSE(IsWindowEnabled(Item(frmLaunch::IDC_Text1)));
  EXPECT_FALSE(IsWindowVisible(Item(frmLaunch::IDC_Label2)));
  EXPECT_TRUE(GetWindowLongW(Item(IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(test::Text(Item(IDOK)), L"&Launch Jazz2");
  EXPECT_EQ(test::Text(Item(IDCANCEL)), L"&Cancel");
  EXPECT_EQ(GetWindowLongW(Item(frmLaunch::IDC_Line3), GWL_STYLE) & SS_TYPEMASK, SS_ETCHEDHORZ);
}

TEST_F(Dialog, TabOrderAndTheLogPathBox) {
  Start({L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  std::vector<int> order;
  for (const launch::SwitchBox& box : launch::SwitchBoxes()) order.push_back(box.id);
  order.erase(order.begin());
  for (int id : {IDOK, IDCANCEL, int{frmLaunch::IDC_Check1}, int{launch::IDC_cWindow}}) order.push_back(id);
  for (int id : order) {
    test::PressKey(VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
  }
  // The log box enables the path, which keeps its text while disabled.
  test::PressKey('E', true);
  EXPECT_TRUE(Checked(launch::IDC_cLogfile));
  EXPECT_TRUE(IsWindowEnabled(Item(frmLaunch::IDC_Text1)));
  SetFocus(Item(IDCANCEL));
  test::PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), Item(frmLaunch::IDC_Text1));
  SetWindowTextW(Item(frmLaunch::IDC_Text1), L"c:\\jj2.log");
  Click(Item(launch::IDC_cLogfile));
  EXPECT_FALSE(IsWindowEnabled(Item(frmLaunch::IDC_Text1)));
  Click(Item(launch::IDC_cLogfile));
  EXPECT_TRUE(IsWindowEnabled(Item(frmLaunch::IDC_Text1)));
  EXPECT_EQ(test::Text(Item(frmLaunch::IDC_Text1)), L"c:\\jj2.log");
}

TEST_F(Dialog, ASharedAccessKeyOnlyMovesTheFocusToTheNextControlWithIt) {
  Start({L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  Click(Item(launch::IDC_cLogfile));
  SetFocus(Item(launch::IDC_cWindow));
  // L: "&Launch Jazz2", then the log path (through its label), round again.
  test::PressKey('L', true);
  EXPECT_EQ(GetFocus(), Item(IDOK));
  test::PressKey('L', true);
  EXPECT_EQ(GetFocus(), Item(frmLaunch::IDC_Text1));
  test::PressKey('L', true);
  EXPECT_EQ(GetFocus(), Item(IDOK));
  EXPECT_TRUE(recorder.started.empty()) << "the launch button was pressed";
  // S: "Enable &Spy window", then "Don't try to detect &sound hardware"; no box ticked.
  SetFocus(Item(launch::IDC_cWindow));
  test::PressKey('S', true);
  EXPECT_EQ(GetFocus(), Item(launch::IDC_cSpy));
  test::PressKey('S', true);
  EXPECT_EQ(GetFocus(), Item(launch::IDC_cSnd));
  test::PressKey('S', true);
  EXPECT_EQ(GetFocus(), Item(launch::IDC_cSpy));
  EXPECT_FALSE(Checked(launch::IDC_cSpy));
  EXPECT_FALSE(Checked(launch::IDC_cSnd));
  // A key that one control has alone still acts on it.
  test::PressKey('W', true);
  EXPECT_TRUE(Checked(launch::IDC_cWindow));
  EXPECT_TRUE(IsWindow(d));
}

TEST_F(Dialog, LaunchStartsTheGameInTheGameFolderAndStaysOpen) {
  test::InstallStandin(*dir, L"Jazz2.exe");
  Start(jj::SystemStarter(), {L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  std::wstring game = dir->path() + L"\\Jazz2.exe mylevel.j2l ";
  Check({launch::IDC_cJoy, launch::IDC_cWindow});
  Click(Item(IDOK));
  Click(Item(launch::IDC_cWindow));
  test::PressKey(VK_RETURN);  // Enter on a check box launches
  Check({launch::IDC_cJoy, launch::IDC_cLogfile, launch::IDC_cSafe});
  SetWindowTextW(Item(frmLaunch::IDC_Text1), L"c:\\jj2.log");
  SetFocus(Item(frmLaunch::IDC_Text1));
  test::PressKey(VK_RETURN);  // and in the log path
  auto starts = test::WaitForStarts(*dir, L"Jazz2.exe", 3);
  // The started processes record themselves in the order they get to it.
  EXPECT_EQ(Lines(starts), Sorted({game + L" -Windowed -NoJoy", game + L" -NoJoy",
                                   game + L" -Log =c:\\jj2.log -Safe"}));
  for (const test::Started& s : starts) {
    EXPECT_EQ(s.working_folder, dir->path());
    EXPECT_EQ(s.show, SW_SHOWNORMAL);
  }
  EXPECT_EQ(test::Text(Item(frmLaunch::IDC_Label2)), L" -Log =c:\\jj2.log -Safe");
  EXPECT_TRUE(IsWindow(d));
  EXPECT_FALSE(IsWindowEnabled(w->hwnd()));
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Dialog, EveryWayOfClosingActsAsCancel) {
  Start({L"mylevel.j2l"});
  for (int way = 0; way < 3; ++way) {
    Open(L"mylevel.j2l");
    Check({launch::IDC_cLogfile, launch::IDC_cSpy, frmLaunch::IDC_Check1});
    SetWindowTextW(Item(frmLaunch::IDC_Text1), L"x.log");
    dir->Touch(L"new" + std::to_wstring(way) + L".j2l");
    switch (way) {
      case 0: Click(Item(IDCANCEL)); break;
      case 1: test::PressKey(VK_ESCAPE); break;
      case 2: SendMessageW(d, WM_CLOSE, 0, 0), test::Pump(); break;
    }
    EXPECT_FALSE(IsWindow(d)) << way;
    EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
    EXPECT_EQ(GetActiveWindow(), w->hwnd());
    EXPECT_EQ(w->File1().Model().Count(), 2u + way);  // re-read on return
    EXPECT_EQ(w->SelectedLevel(), L"");
  }
  Open(L"mylevel.j2l");  // from the defaults again
  EXPECT_FALSE(Checked(launch::IDC_cLogfile) || Checked(launch::IDC_cSpy) || Checked(frmLaunch::IDC_Check1));
  EXPECT_EQ(test::Text(Item(frmLaunch::IDC_Text1)), L"");
  EXPECT_TRUE(recorder.started.empty());
}

TEST_F(Dialog, QuitBoxEndsHalvickOnlyAfterAStart) {
  Start({L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  Check({frmLaunch::IDC_Check1});
  recorder.result = ERROR_ACCESS_DENIED;  // a start that fails ends nothing
  Click(Item(IDOK));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].owner, d);
  EXPECT_EQ(prompter.shown[0].title, L"Halvick");
  EXPECT_NE(prompter.shown[0].text.find(L"\"" + (*dir / L"Jazz2.exe") + L"\""), std::wstring::npos);
  EXPECT_NE(prompter.shown[0].text.find(jj::SystemMessage(ERROR_ACCESS_DENIED)), std::wstring::npos);
  EXPECT_TRUE(IsWindow(d));
  EXPECT_FALSE(IsWindowEnabled(w->hwnd()));
  recorder.result = 0;
  Click(Item(IDOK));
  ASSERT_EQ(recorder.started.size(), 2u);
  EXPECT_FALSE(IsWindow(w->hwnd()));  // the program's window is gone, and with it the loop
  EXPECT_FALSE(IsWindow(d));
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(Dialog, NoGameProgramIsReportedWithTheSystemsReason) {
  Start(jj::SystemStarter(), {L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  Click(Item(IDOK));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find(*dir / L"Jazz2.exe"), std::wstring::npos);
  EXPECT_NE(prompter.shown[0].text.find(jj::SystemMessage(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
  EXPECT_TRUE(IsWindow(d));
}

TEST_F(Dialog, AGameProgramTheSystemCannotStartIsNamedInTheSystemsReason) {
  if (!test::Shell(*dir, L"mkfifo \"$D/Jazz2.exe\"")) GTEST_SKIP() << "no Linux shell here";
  Start(jj::SystemStarter(), {L"mylevel.j2l"});
  Open(L"mylevel.j2l");
  Click(Item(IDOK));
  ASSERT_EQ(prompter.shown.size(), 1u);
  const std::wstring& text = prompter.shown[0].text;
  const std::wstring game = *dir / L"Jazz2.exe";
  std::wstring::size_type says = text.find(L"The system says: ");
  ASSERT_NE(says, std::wstring::npos) << test::Narrow(text);
  EXPECT_NE(text.find(game, says), std::wstring::npos) << test::Narrow(text);
  EXPECT_EQ(text.find(L"%1"), std::wstring::npos) << test::Narrow(text);
  EXPECT_TRUE(IsWindow(d));
}

TEST_F(Dialog, TextTheGameCouldNotReadIsRefusedBeforeTheStart) {
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "every name fits a UTF-8 code page";
  const std::wstring odd = L"\U0001F600.j2l";
  Start({odd.c_str(), L"plain.j2l"});
  Open(odd);
  Click(Item(IDOK));
  Pick(L"plain.j2l");  // the main window is disabled, but its list still answers
  Check({launch::IDC_cLogfile});
  SetWindowTextW(Item(frmLaunch::IDC_Text1), L"c:\\\U0001F600.log");
  Click(Item(IDOK));
  EXPECT_TRUE(recorder.started.empty());
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_NE(prompter.shown[0].text.find(L"\"" + odd + L"\""), std::wstring::npos);
  EXPECT_NE(prompter.shown[1].text.find(L"\"c:\\\U0001F600.log\""), std::wstring::npos);
  Click(Item(launch::IDC_cLogfile));  // an unused log path is no reason to refuse
  Click(Item(IDOK));
  ASSERT_EQ(recorder.started.size(), 1u);
  EXPECT_EQ(recorder.started[0].command_line, *dir / L"Jazz2.exe plain.j2l ");
}

TEST_F(Dialog, NamesReachTheGameExactlyAsComposed) {
  std::vector<std::wstring> names{L"R&D 100%.j2l", L"^caret!.j2l", L"semi;colon.j2l", L"-dash.j2l", L"it's.j2l"};
  if (jj::FitsCodePage(L"caf\u00e9.j2l")) names.push_back(L"caf\u00e9.j2l");
  test::InstallStandin(*dir, L"Jazz2.exe");
  for (const auto& n : names) dir->Touch(n);
  Start(jj::SystemStarter(), {});
  for (const auto& n : names) {
    Open(n);
    Check({launch::IDC_cLogfile});
    SetWindowTextW(Item(frmLaunch::IDC_Text1), L"c:\\\"my logs\"\\a&b %PATH%.log");
    Click(Item(IDOK));
    Click(Item(IDCANCEL));
  }
  auto starts = test::WaitForStarts(*dir, L"Jazz2.exe", names.size());
  std::vector<std::wstring> expected;
  for (const auto& n : names) expected.push_back(*dir / L"Jazz2.exe " + n + L"  -Log =c:\\\"my logs\"\\a&b %PATH%.log");
  EXPECT_EQ(Lines(starts), Sorted(expected));
}

TEST_F(Dialog, AGameFolderWithABlankIsQuoted) {
  test::SpacedFolder spaced;
  dir = &spaced.dir();
  ASSERT_NE(dir->path().find(L' '), std::wstring::npos);
  test::InstallStandin(*dir, L"Jazz2.exe");
  Start(jj::SystemStarter(), {L"my level.j2l"});
  Open(L"my level.j2l");
  Click(Item(IDOK));
  auto starts = test::WaitForStarts(*dir, L"Jazz2.exe", 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].command_line, L"\"" + (*dir / L"Jazz2.exe") + L"\" my level.j2l ");
  EXPECT_EQ(starts[0].working_folder, dir->path());
  w.reset();
}

TEST_F(Dialog, AGameFolderThatCannotBePassedIsRefusedNamingIt) {
  launchtest::LongFolder long_folder(jj::kMaxProgramPath - 9);  // "\Jazz2.exe" takes it one past
  long_folder.Touch(L"castle.j2l");
  StartIn(long_folder.path(), jj::SystemStarter());
  Open(L"castle.j2l");
  Click(Item(IDOK));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find(L"Jazz2.exe\", is 260 characters long"), std::wstring::npos)
      << test::Narrow(prompter.shown[0].text);
  EXPECT_TRUE(IsWindow(d));
  Click(Item(IDCANCEL));
  w.reset();

  if (jj::FitsCodePage(L"\uFF02")) return;  // a code page that holds it (UTF-8, Japanese)
  test::SpacedFolder quoted(L"x\uFF02y");
  dir = &quoted.dir();
  Start({L"castle.j2l"});
  Open(L"castle.j2l");
  Click(Item(IDOK));
  EXPECT_TRUE(recorder.started.empty());
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_NE(prompter.shown[1].text.find(L"The game folder \"" + dir->path() + L"\" holds characters that cannot be "
                                        L"passed to Jazz2.exe"),
            std::wstring::npos)
      << test::Narrow(prompter.shown[1].text);
  w.reset();
}
