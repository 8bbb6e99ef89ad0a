#include <gtest/gtest.h>

#include "launcher.h"
#include "paths.h"
#include "text.h"

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
  launchtest::SpacedFolder spaced;
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
