// Quenby's main window from the keyboard: Tab order, access keys and typing
// in the list; the About box and the help file.
#include "tests/episodes/quenby_window.h"

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
