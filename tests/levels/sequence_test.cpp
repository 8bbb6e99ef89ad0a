// Random sequences against a model: the level browser, driven by real
// messages (picks, search keys, Delete with Yes or No), on folders with case
// twins, links, read-only files and files held open, while files are added,
// removed and renamed behind its back. After every step the folder must
// equal the model and every message must be the one the model expects.
#include <gtest/gtest.h>

#include "launch/launchers.h"
#include "tests/support/model.h"

using levels::frmGlavni;

namespace {

constexpr int kSequences = 100;
constexpr int kSteps = 6;

void Sequence(test::SequenceRun& run, frmGlavni& w, test::ScriptedPrompter& prompter) {
  std::unique_ptr<test::HeldOpen> hold;
  for (int step = 0; step < kSteps && run.failure.empty(); ++step) {
    std::string at = "step " + std::to_string(step);
    run.BeginStep(&hold);
    if (run.Pick(2) == 0) {
      // A search key: a letter, or a backspace; the list is read again.
      const wchar_t keys[] = {L'a', L't', L'\b', L'\b'};
      PostMessageW(w.Item(frmGlavni::IDC_Text1), WM_CHAR, keys[run.Pick(4)], 1);
      test::Pump();
    }
    const auto& names = w.File1().Model().Names();
    if (!names.empty() && run.Pick(5) != 0)
      test::ClickItem(w.Item(frmGlavni::IDC_File1), run.Pick(static_cast<int>(names.size())));
    std::wstring selected = w.SelectedLevel();
    if (run.Pick(3) == 0) run.Meddle();  // between the pick and the action
    if (!run.failure.empty()) break;
    prompter.shown.clear();
    bool yes = run.Pick(4) != 0;
    prompter.answers = {yes ? jj::Answer::Yes : jj::Answer::No};
    SendMessageW(w.Item(frmGlavni::IDC_Command4), BM_CLICK, 0, 0);
    test::Pump();
    std::vector<std::wstring> expected;  // a piece of each box's text, in order
    if (selected.empty()) {
      expected.push_back(L"You haven't yet selected a level to delete!");
    } else {
      expected.push_back(L"Are you sure you want to delete this level?");
      if (yes) {
        std::wstring why = run.Predict(selected, nullptr);
        if (why.empty()) {
          run.model.erase(selected);
        } else {
          expected.push_back(why);
        }
      }
    }
    at += " (delete " + test::Narrow(selected) + ")";
    run.EndStep(at, prompter.shown, expected, &hold);
  }
}

}  // namespace

TEST(Sequences, TheFolderAndEveryMessageFollowTheModel) {
  test::TempFolder dir;
  if (!test::MakeSequenceFolders(dir, kSequences, L".j2l", L".j2l", L"n.j2l")) GTEST_SKIP() << "no Linux shell here";
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  ASSERT_TRUE(test::MoveInPlace(dir, 1));
  launch::HalvickWindow w(test::ListingOf(dir / L"live"), prompter, starter);
  w.Show(SW_SHOW, frmGlavni::IDC_Text1);
  test::Pump();
  test::RunSequences(dir, kSequences, "the level browser", [&](unsigned seed) {
    test::SequenceRun run =
        test::StartOfSequence(dir / L"live", seed, L".j2l", L".j2l", L"n.j2l");
    run.pool = {L"b.j2l", L"c.J2L", L"Castle 1.j2l", L"\x3c2t.j2l", L"t.j2l", L"at.j2l"};
    for (const wchar_t* name : {L"b.j2l", L"\x3a3t.j2l", L"\x3c2t.j2l"})
      if (run.Pick(2)) run.AddPlain(name);
    SetWindowTextW(w.Item(frmGlavni::IDC_Text1), L"");  // no search at the start
    w.Form_Activate();
    run.Compare("start");
    if (run.failure.empty()) Sequence(run, w, prompter);
    return run.failure;
  });
}
