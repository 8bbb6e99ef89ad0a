// Telling the user what failed: the system's reasons, the refusals in full,
// and the advice for the folder of installed programs.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/fold.h"
#include "ui/report.h"
#include "tests/support/support.h"

TEST(SystemMessage, NamesTheReasonAndFillsEveryInsertWithTheFile) {
  const std::wstring game = L"C:\\Games\\JJ2 %1 100%\\Jazz2.exe";  // the name's own "%1" stays as it is
  EXPECT_FALSE(jj::SystemMessage(ERROR_ACCESS_DENIED).empty());
  EXPECT_NE(jj::SystemMessage(ERROR_ACCESS_DENIED).back(), L'\n');
  EXPECT_EQ(jj::SystemMessage(ERROR_ACCESS_DENIED, game), jj::SystemMessage(ERROR_ACCESS_DENIED));
  // The system's text for a program it cannot start names the program by an insert.
  std::wstring bad = jj::SystemMessage(ERROR_BAD_EXE_FORMAT, game);
  std::wstring::size_type at = bad.find(game);
  ASSERT_NE(at, std::wstring::npos) << test::Narrow(bad);
  EXPECT_EQ(bad.substr(0, at).find(L"%1"), std::wstring::npos) << test::Narrow(bad);
  EXPECT_EQ(bad.find(L"%1", at + game.size()), std::wstring::npos) << test::Narrow(bad);
  EXPECT_EQ(jj::FailureText(L"Could not start the game.", ERROR_BAD_EXE_FORMAT, game),
            L"Could not start the game.\r\rThe system says: " + bad);
  EXPECT_EQ(jj::SystemMessage(0x2FFFFFFF), L"error 805306367");
}

// The kinds of refusal that no file test brings about are told in full, with
// their names; an insert is taken as it is, "%1" and "%%" in a name included.
TEST(Refusals, EachKindIsToldWithItsNamesAndInsertsStayAsTheyAre) {
  EXPECT_EQ(jj::Filled(L"\"%1\" to \"%2\" (%3, 100%)", {L"a%2.j2e", L"%1"}), L"\"a%2.j2e\" to \"%1\" (%3, 100%)");
  auto refused = [](jj::Refusal why, std::wstring name, std::vector<std::wstring> others) {
    jj::FileOutcome out;
    out.refused = why;
    out.name = std::move(name);
    out.others = std::move(others);
    return jj::RefusalText(out);
  };
  EXPECT_EQ(refused(jj::Refusal::kUnknownFile, L"x%1.j2e", {}),
            L"The system cannot tell which file \"x%1.j2e\" is. Nothing was changed.");
  EXPECT_EQ(refused(jj::Refusal::kReplaced, L"a.jxe", {L"a.j2e"}),
            L"Another program replaced \"a.jxe\" while it was being renamed, so \"a.j2e\" is not the listed file now.");
  EXPECT_EQ(refused(jj::Refusal::kForbiddenName, L"a\x01.j2e", {L"\x01"}),
            L"The name holds the control character U+0001, which a Windows file name cannot hold, so it does not "
            L"name one file of the game folder. Nothing was changed.");
  EXPECT_EQ(jj::ForbiddenNameText(L'\x1f'),
            L"The name holds the control character U+001F, which a Windows file name cannot hold, so it does not "
            L"name one file of the game folder.");
  EXPECT_EQ(refused(jj::Refusal::kNone, L"a.j2e", {}), L"");
}

// The program folders as this system reports them, and folders in them and
// beside them.
TEST(ProgramFolders, AFolderIsInOneOnlyByWholePathComponents) {
  std::vector<std::wstring> folders = jj::ProgramFolders();
  ASSERT_EQ(folders.size(), 2u);  // a 64-bit program on a 64-bit system
  EXPECT_NE(jj::FoldCase(folders[1]), jj::FoldCase(folders[0]));
  for (const std::wstring& base : folders) {
    SCOPED_TRACE(test::Narrow(base));
    ASSERT_TRUE(base.size() > 3 && base[1] == L':');
    EXPECT_EQ(jj::ProgramFolderOf(base, folders), base);
    EXPECT_EQ(jj::ProgramFolderOf(base + L"\\", folders), base);
    EXPECT_EQ(jj::ProgramFolderOf(base + L"\\Jazz2\\Levels", folders), base);
    EXPECT_EQ(jj::ProgramFolderOf(jj::LowerCase(base) + L"\\JAZZ2", folders), base);
    EXPECT_EQ(jj::ProgramFolderOf(L"\\\\?\\" + jj::UpperCase(base) + L"\\jazz2\\", folders), base);
    std::wstring slashed = base + L"/Jazz2";
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    EXPECT_EQ(jj::ProgramFolderOf(slashed, folders), base);
    EXPECT_EQ(jj::ProgramFolderOf(base + L" Old\\Jazz2", folders), L"");
    EXPECT_EQ(jj::ProgramFolderOf(base.substr(0, base.size() - 1) + L"\\Jazz2", folders), L"");
    EXPECT_EQ(jj::ProgramFolderOf(base.substr(0, base.find_last_of(L'\\')), folders), L"");
  }
  // "Program Files (x86)" is not inside "Program Files".
  EXPECT_EQ(jj::ProgramFolderOf(folders[1] + L"\\Jazz2", folders), folders[1]);
  EXPECT_EQ(jj::ProgramFolderOf(L"C:\\Games\\JJ2", folders), L"");
  EXPECT_EQ(jj::ProgramFolderOf(L"C:\\Games\\JJ2", {L"", L"\\\\?\\"}), L"");  // nothing reported, nothing matched

  // The advice is given for a change refused for lack of access there, and only then.
  std::wstring advice = jj::ProtectedFolderAdvice(folders[1] + L"\\Jazz2", ERROR_ACCESS_DENIED, L"Quenby");
  EXPECT_EQ(advice.rfind(L"\r\r", 0), 0u);
  EXPECT_NE(advice.find(L"\"" + folders[1] + L"\""), std::wstring::npos) << test::Narrow(advice);
  EXPECT_NE(advice.find(L"start Quenby with \"Run as administrator\""), std::wstring::npos) << test::Narrow(advice);
  EXPECT_EQ(jj::ProtectedFolderAdvice(folders[1] + L"\\Jazz2", ERROR_SHARING_VIOLATION, L"Quenby"), L"");
  EXPECT_EQ(jj::ProtectedFolderAdvice(L"C:\\Games\\JJ2", ERROR_ACCESS_DENIED, L"Quenby"), L"");
}
