// What Windows keeps for programs that run as administrator: a change
// refused in the system's program folders says why and what to do.
#include <gtest/gtest.h>

#include "tests/launch/launcher.h"
#include "ui/report.h"

namespace {

using Browser = launchtest::Launcher<launch::OstrellWindow>;

}  // namespace

// A game folder inside the system's folder of 32-bit programs, as the game's
// installer puts it: a deletion refused there says why and what to do.
TEST_F(Browser, AChangeRefusedInAProgramFolderSaysWhatToDo) {
  std::vector<std::wstring> program_folders = jj::ProgramFolders();
  ASSERT_EQ(program_folders.size(), 2u);
  const std::wstring& x86 = program_folders[1];
  std::unique_ptr<test::TempFolder> installed = test::TempFolderIn(x86);
  dir = installed.get();
  dir->TouchWith(L"castle.j2l", FILE_ATTRIBUTE_READONLY);
  Start({});
  Pick(L"castle.j2l");
  Click(levels::frmGlavni::IDC_Command4);  // Yes to the question
  ASSERT_EQ(prompter.shown.size(), 2u);
  const std::wstring& text = prompter.shown[1].text;
  EXPECT_EQ(text.find(L"Could not delete the level \"" + (*dir / L"castle.j2l") + L"\".\r\rThe system says: " +
                      jj::SystemMessage(ERROR_ACCESS_DENIED) + L"\r\rWindows protects its folder of installed "
                      L"programs, \"" + x86 + L"\", which holds the game folder"),
            0u)
      << test::Narrow(text);
  EXPECT_NE(text.find(L"start Ostrell with \"Run as administrator\""), std::wstring::npos) << test::Narrow(text);
  EXPECT_TRUE(dir->Exists(L"castle.j2l"));
  w.reset();

  // The same refusal elsewhere has no such advice.
  dir = &own;
  dir->TouchWith(L"castle.j2l", FILE_ATTRIBUTE_READONLY);
  Start({});
  Pick(L"castle.j2l");
  Click(levels::frmGlavni::IDC_Command4);
  ASSERT_EQ(prompter.shown.size(), 4u);
  EXPECT_EQ(prompter.shown[3].text.find(L"Windows protects"), std::wstring::npos);
}
