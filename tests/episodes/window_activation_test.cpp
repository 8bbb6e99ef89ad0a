// Quenby's main window: activating and deactivating by renaming, the count
// against the limit, and renames that fail or would replace a file.
#include "tests/episodes/quenby_window.h"

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
    frmGlavni win(test::ListingOf(game.path()), prompter, starter);
    win.Show(SW_SHOW, frmGlavni::IDC_File1);
    test::Pump();
    EXPECT_EQ(test::Text(win.Item(frmGlavni::IDC_Label7)), c.text) << c.active;
    EXPECT_EQ(win.File1().Model().Count(), static_cast<std::size_t>(c.active + c.inactive));
  }
  EXPECT_TRUE(prompter.shown.empty());
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
