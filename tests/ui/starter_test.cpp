// Starting a program: a program marked to run elevated is started through
// the shell, as CreateProcessW would have started it.
#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

#include "tests/support/fixtures.h"
#include "tests/support/support.h"
#include "ui/report.h"
#include "ui/starter.h"

namespace {

TEST(Parameters, TheCommandLineLessItsProgramPartAsTheProgramReadsIt) {
  EXPECT_EQ(jj::Parameters(L"\"C:\\Program Files\\JJ2\\Jazz2.exe\" my level.j2l  -Log =c:\\a b.log"),
            L"my level.j2l  -Log =c:\\a b.log");
  EXPECT_EQ(jj::Parameters(L"C:\\JJ2\\Jazz2.exe a.j2l "), L"a.j2l ");  // the blank before the switches stays
  EXPECT_EQ(jj::Parameters(L"C:\\JJ2\\JCS.exe\t a.j2l"), L" a.j2l");  // only the one separating blank goes
  EXPECT_EQ(jj::Parameters(L"\"C:\\J J2\\JCS.exe\""), L"");
  EXPECT_EQ(jj::Parameters(L"notepad"), L"");
}

// Start calls that record what they were asked and answer as told.
struct Calls {
  static inline unsigned long create_result = 0, shell_result = 0;
  static inline std::vector<jj::StartRequest> created, shelled;
  static inline std::vector<std::wstring> parameters;
  static unsigned long Create(const jj::StartRequest& r) {
    created.push_back(r);
    return create_result;
  }
  static unsigned long Shell(const jj::StartRequest& r, const std::wstring& p) {
    shelled.push_back(r);
    parameters.push_back(p);
    return shell_result;
  }
};

}  // namespace

TEST(StartProgram, OnlyAProgramThatMustRunElevatedGoesThroughTheShell) {
  const jj::StartCalls calls{Calls::Create, Calls::Shell};
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  jj::StartRequest game{L"C:\\JJ2\\Jazz2.exe", L"C:\\JJ2\\Jazz2.exe a.j2l  -Safe", L"C:\\JJ2", SW_SHOWNORMAL, owner};
  for (unsigned long refused : {0ul, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND),
                                static_cast<unsigned long>(ERROR_BAD_EXE_FORMAT)}) {
    Calls::create_result = refused;
    EXPECT_EQ(jj::StartProgram(game, calls), refused);
  }
  EXPECT_EQ(Calls::created.size(), 3u);
  EXPECT_TRUE(Calls::shelled.empty());

  Calls::create_result = jj::kElevationRequired;
  Calls::shell_result = 0;
  EXPECT_EQ(jj::StartProgram(game, calls), 0u);
  Calls::shell_result = ERROR_CANCELLED;  // the user said no to the system's question
  EXPECT_EQ(jj::StartProgram(game, calls), static_cast<unsigned long>(ERROR_CANCELLED));
  ASSERT_EQ(Calls::shelled.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const jj::StartRequest& r = Calls::shelled[i];
    EXPECT_EQ(r.program, game.program);
    EXPECT_EQ(r.command_line, game.command_line);
    EXPECT_EQ(r.working_folder, game.working_folder);
    EXPECT_EQ(r.show, game.show);
    EXPECT_EQ(r.owner, owner);
    EXPECT_EQ(Calls::parameters[i], L"a.j2l  -Safe");
  }
}

// The shell's start, given what CreateProcessW would have been given: the
// program sees the same parameters, folder and show state, and the thread's
// COM is as it was before.
TEST(StartProgram, TheShellStartsTheProgramAsCreateProcessWould) {
  test::SpacedFolder spaced;
  const test::TempFolder& dir = spaced.dir();
  test::TempFolder elsewhere;
  test::InstallStandin(dir, L"Jazz2.exe");
  const std::wstring program = dir / L"Jazz2.exe";
  const std::wstring line = L"\"" + program + L"\" my level.j2l  -Log =c:\\a \"b\".log ";
  const jj::StartCalls elevated{[](const jj::StartRequest&) { return jj::kElevationRequired; },
                                jj::SystemStartCalls().shell};
  unsigned long error = 1;
  HRESULT after = E_FAIL;
  std::thread([&] {
    error = jj::StartProgram({program, line, elsewhere.path(), SW_SHOWMAXIMIZED}, elevated);
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) CoUninitialize();
  }).join();
  ASSERT_EQ(error, 0u) << test::Narrow(jj::SystemMessage(error));
  EXPECT_EQ(after, S_OK) << "the shell's apartment was left behind";
  auto starts = test::WaitForStarts(dir, L"Jazz2.exe", 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].command_line, line);
  EXPECT_EQ(starts[0].working_folder, elsewhere.path());
  EXPECT_EQ(starts[0].show, SW_SHOWMAXIMIZED);

  // A failure of the shell is the system's reason, as from CreateProcessW.
  EXPECT_EQ(jj::StartProgram({dir / L"JCS.exe", L"JCS.exe a.j2l", dir.path(), SW_SHOWNORMAL}, elevated),
            static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}
