#include <gtest/gtest.h>

#include "tests/launch/launcher.h"
#include "files/paths.h"
#include "ui/report.h"

using levels::frmGlavni;

namespace {

using Editor = launchtest::Launcher<launch::OstrellWindow>;

}  // namespace

TEST_F(Editor, OpensTheLevelMaximisedAndOstrellStaysAsItWas) {
  test::InstallStandin(*dir, L"JCS.exe");
  Start(jj::SystemStarter(), {L"my level.j2l", L"other.j2l"});
  Click(frmGlavni::IDC_Command1);  // nothing selected
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, L"You haven't yet selected a level to open JCS with!\rSelect a level and then try again.");
  EXPECT_EQ(prompter.shown[0].title, L"No level selected!");
  Pick(L"my level.j2l");
  std::wstring size = test::Text(w->Item(frmGlavni::IDC_Label4));
  Click(frmGlavni::IDC_Command1);
  test::PressKey('J', true);
  auto starts = test::WaitForStarts(*dir, L"JCS.exe", 2);
  ASSERT_EQ(starts.size(), 2u);
  for (const test::Started& s : starts) {
    EXPECT_EQ(s.command_line, *dir / L"JCS.exe my level.j2l");
    EXPECT_EQ(s.working_folder, dir->path());
    EXPECT_EQ(s.show, SW_SHOWMAXIMIZED);
  }
  EXPECT_EQ(w->SelectedLevel(), L"my level.j2l");
  EXPECT_EQ(test::Text(w->Item(frmGlavni::IDC_Label4)), size);
  EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(Editor, FailuresAreReportedAndNothingChanges) {
  Start(jj::SystemStarter(), {L"a.j2l"});
  Pick(L"a.j2l");
  Click(frmGlavni::IDC_Command1);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].title, L"Ostrell");
  EXPECT_EQ(prompter.shown[0].icon, jj::Icon::Exclamation);
  EXPECT_NE(prompter.shown[0].text.find(*dir / L"JCS.exe"), std::wstring::npos);
  EXPECT_NE(prompter.shown[0].text.find(jj::SystemMessage(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
  EXPECT_EQ(w->SelectedLevel(), L"a.j2l");
  EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
}

TEST_F(Editor, QuotesAFolderWithABlankAndRefusesUnreadableNames) {
  test::SpacedFolder spaced;
  dir = &spaced.dir();
  const bool check_code_page = GetACP() != CP_UTF8;
  Start({L"plain.j2l", L"\U0001F600.j2l"});
  Pick(L"plain.j2l");
  Click(frmGlavni::IDC_Command1);
  ASSERT_EQ(recorder.started.size(), 1u);
  EXPECT_EQ(recorder.started[0].program, *dir / L"JCS.exe");
  EXPECT_EQ(recorder.started[0].command_line, L"\"" + (*dir / L"JCS.exe") + L"\" plain.j2l");
  if (check_code_page) {
    Pick(L"\U0001F600.j2l");
    Click(frmGlavni::IDC_Command1);
    EXPECT_EQ(recorder.started.size(), 1u);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find(L"\"\U0001F600.j2l\""), std::wstring::npos);
  }
  w.reset();
}

TEST_F(Editor, AGameFolderTheCodePageCannotCarryIsNamedAndOnlyHelpStarts) {
  if (jj::FitsCodePage(L"\uFF02")) GTEST_SKIP() << "this code page holds the full-width quote";
  // A full-width quote: the ANSI code page would give the editor a plain
  // quote inside its own path, and its runtime would split the line there.
  test::SpacedFolder quoted(L"x\uFF02y");
  dir = &quoted.dir();
  Start({L"castle.j2l"});
  Pick(L"castle.j2l");
  Click(frmGlavni::IDC_Command1);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.shown[0].text.find(L"The game folder \"" + dir->path() + L"\""), std::wstring::npos)
      << test::Narrow(prompter.shown[0].text);
  EXPECT_NE(prompter.shown[0].text.find(L"JCS.exe"), std::wstring::npos);
  EXPECT_EQ(prompter.shown[0].icon, jj::Icon::Exclamation);
  EXPECT_TRUE(recorder.started.empty());
  // Help: notepad reads the same folder in Unicode, and gets it as it is.
  Click(frmGlavni::IDC_Command3);
  EXPECT_EQ(prompter.shown.size(), 1u);
  ASSERT_EQ(recorder.started.size(), 1u);
  EXPECT_EQ(recorder.started[0].command_line, L"notepad " + (*dir / L"HlpOstrell.qxh"));
  w.reset();
}

TEST_F(Editor, AGameFolderTooLongToStartAProgramFromIsRefusedSayingSo) {
  // Past the limit the system cannot start the editor (Wine even damages the
  // program's heap trying): the real starter must never be asked.
  launchtest::LongFolder folder(300);
  folder.Touch(L"castle.j2l");
  StartIn(folder.path(), jj::SystemStarter());
  Pick(L"castle.j2l");
  Click(frmGlavni::IDC_Command1);
  Click(frmGlavni::IDC_Command3);  // Help would start notepad in that folder
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_NE(prompter.shown[0].text.find(L"\"" + folder.path() + L"\\JCS.exe\", is 308 characters long"),
            std::wstring::npos)
      << test::Narrow(prompter.shown[0].text);
  EXPECT_NE(prompter.shown[1].text.find(L"\"" + folder.path() + L"\" is 300 characters long"), std::wstring::npos)
      << test::Narrow(prompter.shown[1].text);
  EXPECT_EQ(w->SelectedLevel(), L"castle.j2l");
  EXPECT_TRUE(IsWindowEnabled(w->hwnd()));
  w.reset();
}
