// The level window deleting levels: the question, the deletion, the reports
// of failures, and names that could lead it out of the game folder.
#include "tests/levels/browser_window.h"

TEST_F(Browser, DeleteAsksThenDeletesAndReReadsInEveryCase) {
  SetWindowTextW(Item(frmGlavni::IDC_Text1), L"ab");
  Pick(L"ab.j2l");
  std::wstring date = Label(frmGlavni::IDC_Label6);
  prompter.answers = {jj::Answer::No};
  dir.Touch(L"zab.j2l");
  Click(frmGlavni::IDC_Command4);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, levels::kConfirmDelete);
  EXPECT_EQ(prompter.shown[0].title, L"Are you sure?");
  EXPECT_EQ(prompter.shown[0].icon, jj::Icon::Exclamation);
  EXPECT_EQ(prompter.shown[0].buttons, jj::Buttons::YesNo);
  EXPECT_TRUE(dir.Exists(L"ab.j2l"));
  EXPECT_EQ(Shown(*w), (V{L"ab.j2l", L"abc.j2l", L"zab.j2l"}));
  EXPECT_EQ(w->SelectedLevel(), L"");

  Pick(L"ab.j2l");
  Click(frmGlavni::IDC_Command4);  // Yes
  EXPECT_FALSE(dir.Exists(L"ab.j2l"));
  EXPECT_EQ(Shown(*w), (V{L"abc.j2l", L"zab.j2l"}));
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), L"2048 bytes (2 kilobytes)");
  EXPECT_EQ(Label(frmGlavni::IDC_Label6), date);
  Click(frmGlavni::IDC_Command4);  // straight again: nothing selected
  EXPECT_EQ(prompter.shown.back().title, L"No level selected!");
  EXPECT_EQ(prompter.shown.size(), 3u);
}

TEST_F(Browser, DeleteFailuresAreReportedAndTheListStillReRead) {
  SetFileAttributesW((dir / L"abc.j2l").c_str(), FILE_ATTRIBUTE_READONLY);
  Pick(L"abc.j2l");
  dir.Touch(L"added.j2l");
  Click(frmGlavni::IDC_Command4);
  ASSERT_EQ(prompter.shown.size(), 2u);
  const test::Box& report = prompter.shown[1];
  EXPECT_EQ(report.title, L"Halvick");
  EXPECT_EQ(report.icon, jj::Icon::Exclamation);
  EXPECT_NE(report.text.find(dir / L"abc.j2l"), std::wstring::npos);
  EXPECT_NE(report.text.find(jj::SystemMessage(ERROR_ACCESS_DENIED)), std::wstring::npos);
  EXPECT_TRUE(dir.Exists(L"abc.j2l"));
  EXPECT_EQ(Shown(*w).front(), L"a.j2l");
  EXPECT_EQ(Shown(*w).size(), 7u);

  Pick(L"a.j2l");
  DeleteFileW((dir / L"a.j2l").c_str());
  Click(frmGlavni::IDC_Command4);
  ASSERT_EQ(prompter.shown.size(), 4u);
  EXPECT_NE(prompter.shown[3].text.find(jj::SystemMessage(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
  EXPECT_EQ(Shown(*w).size(), 6u);
}


TEST_F(Browser, ANameThatIsNoFileOfTheFolderIsListedButRefused) {
  if (!test::Shell(dir, L"mkdir \"$D/sub\"; printf listed > \"$D/sub\\\\x.j2l\"; printf other > \"$D/sub/x.j2l\""))
    GTEST_SKIP() << "no Linux shell here";
  Type(Item(frmGlavni::IDC_Text1), L"sub");
  ASSERT_EQ(Shown(*w), (V{L"sub\\x.j2l"}));
  Pick(L"sub\\x.j2l");
  EXPECT_EQ(Label(frmGlavni::IDC_Label4), jj::kSizeUnknown);
  EXPECT_EQ(Label(frmGlavni::IDC_Label6), levels::kDateUnknown);
  test::Pump();
  EXPECT_TRUE(prompter.shown.empty());
  Click(frmGlavni::IDC_Command4);  // Yes to the warning
  ASSERT_EQ(prompter.shown.size(), 2u);
  const std::wstring why = L"The name holds \"\\\", which a Windows file name cannot hold, so it does not name one "
                           L"file of the game folder.";
  EXPECT_EQ(prompter.shown[1].text, L"Could not delete the level \"" + (dir / L"sub\\x.j2l") + L"\".\r\r" + why +
                                        L" Nothing was changed.");
  Pick(L"sub\\x.j2l");
  Click(frmGlavni::IDC_Command1);  // the game would open sub\x.j2l
  ASSERT_EQ(prompter.shown.size(), 3u);
  EXPECT_EQ(prompter.shown[2].text, L"Could not start the level \"" + (dir / L"sub\\x.j2l") + L"\".\r\r" + why);
  EXPECT_EQ(w->Secondary(), nullptr);
  EXPECT_TRUE(starter.started.empty());
  EXPECT_EQ(test::Read(dir / L"sub\\x.j2l"), "other");
  EXPECT_EQ(Shown(*w), (V{L"sub\\x.j2l"}));
  test::Shell(dir, L"rm -rf \"$D\"/*");  // names that Windows cannot remove
}

// Delete while another program swaps the level between a plain file and a
// link to a file outside: the outside file never changes.
TEST_F(Browser, DeleteWhileTheNameFlipsToALinkNeverReachesOutside) {
  test::TempFolder outside, stage;
  test::Write(outside, L"sentinel.j2l", "outside");
  test::Flipper flipper(dir, L"flip.j2l", L"none", outside / L"sentinel.j2l", stage, "inside");
  if (!flipper.ok()) GTEST_SKIP() << "no Linux program can swap the name here";
  int deleted = 0, refused = 0;
  for (int i = 0; i < 100; ++i) {
    Type(Item(frmGlavni::IDC_Text1), L"f");  // a re-read that lists flip.j2l alone
    if (Shown(*w) != V{L"flip.j2l"}) {
      Type(Item(frmGlavni::IDC_Text1), L"\b");
      continue;
    }
    Pick(L"flip.j2l");
    prompter.shown.clear();
    Click(frmGlavni::IDC_Command4);
    deleted += prompter.shown.size() == 1;
    refused += prompter.shown.size() == 2;
    EXPECT_EQ(test::Read(outside / L"sentinel.j2l"), "outside");
    Type(Item(frmGlavni::IDC_Text1), L"\b");
  }
  EXPECT_EQ(outside.Names(), (V{L"sentinel.j2l"}));
  EXPECT_GT(deleted + refused, 0);
}
