// Quenby's main window against names that could mislead it: exact names,
// links out of the game folder, and twins of another letter case.
#include "tests/episodes/quenby_window.h"

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
