// Quenby's main window: deleting an episode after the warning, then its
// companion files, and the reports of what could not be deleted.
#include "tests/episodes/quenby_window.h"

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
  const episodes::CatalogueRow& tomb = episodes::Companions()[1];
  for (const wchar_t* episode : {L"tomb.jxe", L"tomb.j2e"}) {
    SCOPED_TRACE(test::Narrow(episode));
    prompter.shown.clear();
    dir.Touch(episode, 100);
    for (const wchar_t* entry : tomb.companions) dir.Touch(entry + 1);
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
    frmGlavni win(test::ListingOf(game.path()), boxes, starter);
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
  const episodes::CatalogueRow& tomb = episodes::Companions()[1];
  dir.Touch(L"tomb.jxe");
  for (const wchar_t* entry : tomb.companions) dir.Touch(entry + 1);
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
