#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "launch/commandline.h"
#include "ui/starter.h"

using namespace launch;

namespace {

std::wstring Switches(std::set<int> checked, std::wstring_view log = L"") {
  return SwitchText([&](const SwitchBox& box) { return checked.count(box.id) > 0; }, log);
}

const std::wstring kFolder = L"C:\\Games\\JJ2";

}  // namespace

TEST(SwitchText, CheckedBoxesInLaunchOrder) {
  EXPECT_EQ(Switches({}), L"");
  EXPECT_EQ(Switches({IDC_cJoy, IDC_cWindow}), L" -Windowed -NoJoy");
  EXPECT_EQ(Switches({IDC_cSafe, IDC_cLogfile}, L"c:\\jj2.log"), L" -Log =c:\\jj2.log -Safe");
  EXPECT_EQ(Switches({IDC_cLogfile}, L" c:\\my logs\\\"x\".log "), L" -Log = c:\\my logs\\\"x\".log ");  // as typed
  EXPECT_EQ(Switches({IDC_cWindow}, L"ignored.log"), L" -Windowed");
  std::set<int> all;
  for (const SwitchBox& box : SwitchBoxes()) all.insert(box.id);
  EXPECT_EQ(Switches(all),
            L" -Windowed -Log = -Spy -NoSpy -NoJoy -NoSound -NoDDraw -NoDSound -NoCPUCheck -NoNetwork -NoReg -Safe");
}

TEST(CommandLines, ExactTextsQuotingOnlyAFolderWithABlank) {
  EXPECT_EQ(GameCommandLine(kFolder, L"mylevel.j2l", L""), L"C:\\Games\\JJ2\\Jazz2.exe mylevel.j2l ");
  EXPECT_EQ(GameCommandLine(kFolder, L"mylevel.j2l", Switches({IDC_cWindow, IDC_cJoy})),
            L"C:\\Games\\JJ2\\Jazz2.exe mylevel.j2l  -Windowed -NoJoy");
  EXPECT_EQ(GameCommandLine(kFolder, L"mylevel.j2l", Switches({IDC_cLogfile, IDC_cSafe}, L"c:\\jj2.log")),
            L"C:\\Games\\JJ2\\Jazz2.exe mylevel.j2l  -Log =c:\\jj2.log -Safe");
  EXPECT_EQ(EditorCommandLine(kFolder, L"mylevel.j2l"), L"C:\\Games\\JJ2\\JCS.exe mylevel.j2l");
  EXPECT_EQ(EditorCommandLine(kFolder, L"my level.j2l"), L"C:\\Games\\JJ2\\JCS.exe my level.j2l");
  EXPECT_EQ(GameCommandLine(L"C:\\Program Files\\JJ2", L"my level.j2l", L" -Safe"),
            L"\"C:\\Program Files\\JJ2\\Jazz2.exe\" my level.j2l  -Safe");
  EXPECT_EQ(EditorCommandLine(L"D:\\JJ2\tgames", L"-a.j2l"), L"\"D:\\JJ2\tgames\\JCS.exe\" -a.j2l");
}

TEST(CodePage, OnlyTextThatSurvivesTheSystemsCodePage) {
  EXPECT_TRUE(jj::FitsCodePage(L""));
  EXPECT_TRUE(jj::FitsCodePage(L"R&D 100% ^!;'-x.j2l"));
  if (GetACP() != CP_UTF8) {
    EXPECT_FALSE(jj::FitsCodePage(L"\U0001F600.j2l"));
  }
  EXPECT_FALSE(jj::FitsCodePage(L"broken\xD800.j2l"));  // half a character never fits
  if (GetACP() == 1252) {
    EXPECT_TRUE(jj::FitsCodePage(L"caf\u00e9.j2l"));
    EXPECT_FALSE(jj::FitsCodePage(L"\u0416\u0443\u043a.j2l"));
    EXPECT_FALSE(jj::FitsCodePage(L"\ufb01sh.j2l"));  // no best fit: the ligature would become "fi"
  }
  std::wstring refusal = jj::CodePageRefusal(L"level name", L"x.j2l", kGameProgram);
  EXPECT_NE(refusal.find(L"\"x.j2l\""), std::wstring::npos);
  EXPECT_NE(refusal.find(L"Jazz2.exe"), std::wstring::npos);
}

TEST(StartRefusal, PathsTheSystemStartsFromAndTheWholeLineInTheCodePage) {
  auto request = [](const std::wstring& folder, const std::wstring& level) {
    return jj::StartRequest{folder + L"\\JCS.exe", EditorCommandLine(folder, level), folder, SW_SHOWMAXIMIZED};
  };
  auto folder_of = [](std::size_t length) { return L"C:\\" + std::wstring(length - 3, L'd'); };
  // The program path: 259 characters start, 260 do not.
  EXPECT_EQ(jj::StartRefusal(request(folder_of(251), L"a.j2l"), L"JCS.exe", {}), L"");
  std::wstring refusal = jj::StartRefusal(request(folder_of(252), L"a.j2l"), L"JCS.exe", {});
  EXPECT_NE(refusal.find(L"The path of JCS.exe, \"" + folder_of(252) + L"\\JCS.exe\", is 260 characters long"),
            std::wstring::npos);
  EXPECT_NE(refusal.find(L"at most 259 characters"), std::wstring::npos);
  // The working folder: 258 characters, not 259 (the system adds a backslash).
  jj::StartRequest notepad{L"C:\\windows\\system32\\notepad.exe", L"notepad x", folder_of(258), SW_SHOWMAXIMIZED};
  EXPECT_EQ(jj::LengthRefusal(notepad, L"notepad"), L"");
  notepad.working_folder = folder_of(259);
  EXPECT_NE(jj::LengthRefusal(notepad, L"notepad").find(L"is 259 characters long"), std::wstring::npos);

  // The command line: 32,766 characters are passed on, 32,767 are not.
  jj::StartRequest game{L"C:\\JJ2\\Jazz2.exe", L"", L"C:\\JJ2", SW_SHOWNORMAL};
  game.command_line = GameCommandLine(L"C:\\JJ2", L"a.j2l", L" -Log =" + std::wstring(32736, L'l'));
  ASSERT_EQ(game.command_line.size(), 32766u);
  EXPECT_EQ(jj::StartRefusal(game, kGameProgram, {}), L"");
  game.command_line += L'l';
  EXPECT_NE(jj::StartRefusal(game, kGameProgram, {}).find(L"would be 32767 characters long"), std::wstring::npos);

  if (jj::FitsCodePage(L"\uFF02")) return;  // a code page that holds it (UTF-8, Japanese)
  // The whole line counts, and the first part that does not come through is named.
  const std::wstring quoted = L"C:\\x\uFF02y", odd = L"\U0001F600.j2l", log = L"c:\\\U0001F600.log";
  auto name = [&](const std::wstring& folder, const std::wstring& level, const std::wstring& log_path) {
    jj::StartRequest r{folder + L"\\Jazz2.exe", GameCommandLine(folder, level, L" -Log =" + log_path), folder,
                       SW_SHOWNORMAL};
    return jj::StartRefusal(r, kGameProgram,
                            {{L"game folder", folder}, {L"level name", level}, {L"log file path", log_path}});
  };
  EXPECT_EQ(name(L"C:\\Games\\JJ2", L"a.j2l", L"c:\\jj2.log"), L"");
  EXPECT_EQ(name(quoted, odd, log), jj::CodePageRefusal(L"game folder", quoted, kGameProgram));
  EXPECT_EQ(name(L"C:\\JJ2", odd, log), jj::CodePageRefusal(L"level name", odd, kGameProgram));
  EXPECT_EQ(name(L"C:\\JJ2", L"a.j2l", log), jj::CodePageRefusal(L"log file path", log, kGameProgram));
  // A text outside the named parts is still caught.
  jj::StartRequest other{L"C:\\JJ2\\JCS.exe", L"C:\\JJ2\\JCS.exe " + odd, L"C:\\JJ2", SW_SHOWMAXIMIZED};
  EXPECT_EQ(jj::StartRefusal(other, kEditorProgram, {{L"game folder", L"C:\\JJ2"}}),
            jj::CodePageRefusal(L"command line", other.command_line, kEditorProgram));
}
