// Random sequences against a model: Quenby's window, driven by real
// messages on folders with case twins, links, read-only files and files held
// open, while files are added, removed and renamed behind its back. After
// every step the folder must equal the model (name to content) and every
// message must be the one the model expects. Seeded: a failure names its
// seed. Built a second time as a soak program that runs many more.
#include <gtest/gtest.h>

#include "episodes/quenbywindow.h"
#include "tests/support/model.h"

#ifndef JJ_SEQUENCES
#define JJ_SEQUENCES 200
#endif

using episodes::frmGlavni;

namespace {

constexpr int kSteps = 6;

void Sequence(test::SequenceRun& run, frmGlavni& w, test::ScriptedPrompter& prompter) {
  std::unique_ptr<test::HeldOpen> hold;
  for (int step = 0; step < kSteps && run.failure.empty(); ++step) {
    std::string at = "step " + std::to_string(step);
    run.BeginStep(&hold);
    const auto& names = w.File1().Model().Names();
    if (!names.empty()) test::ClickItem(w.Item(frmGlavni::IDC_File1), run.Pick(static_cast<int>(names.size())));
    std::wstring selected = w.SelectedName();
    if (run.Pick(3) == 0) run.Meddle();  // between the pick and the action
    if (!run.failure.empty()) break;
    prompter.shown.clear();
    prompter.answers.clear();
    int action = run.Pick(3);
    int id = action == 0 ? frmGlavni::IDC_Command5 : action == 1 ? frmGlavni::IDC_Command4 : frmGlavni::IDC_Command3;
    if (!IsWindowEnabled(w.Item(id))) id = frmGlavni::IDC_Command3;
    bool yes = run.Pick(4) != 0, yes_too = run.Pick(2) == 0;
    prompter.answers = {yes ? jj::Answer::Yes : jj::Answer::No, yes_too ? jj::Answer::Yes : jj::Answer::No};
    SendMessageW(w.Item(id), BM_CLICK, 0, 0);
    test::Pump();
    // The messages the model expects, and what the folder becomes.
    std::vector<std::wstring> expected;  // a piece of each box's text, in order
    if (selected.empty()) {
      expected.push_back(L"You haven't yet selected an epidode file");
    } else if (id == frmGlavni::IDC_Command3) {
      expected.push_back(L"Are you sure you want to delete this episode?");
      if (yes) {
        std::wstring why = run.Predict(selected, nullptr);
        if (why.empty()) {
          expected.push_back(L"Episode deleted.");
          run.model.erase(selected);
        } else {
          expected.push_back(why);
        }
      }
    } else {
      std::wstring to = episodes::RenamedName(selected, id == frmGlavni::IDC_Command5 ? L".j2e" : L".jxe");
      std::wstring why = run.Predict(selected, &to);
      if (why.empty()) {
        run.model[to] = run.model[selected];
        run.model.erase(selected);
      } else {
        expected.push_back(why);
      }
    }
    at += " (" + std::to_string(id) + " on " + test::Narrow(selected) + ")";
    run.EndStep(at, prompter.shown, expected, &hold);
  }
}

}  // namespace

TEST(Sequences, TheFolderAndEveryMessageFollowTheModel) {
  const int count = JJ_SEQUENCES;
  test::TempFolder dir;
  if (!test::MakeSequenceFolders(dir, count, L".j2e", L".jxe", L"d.j2e")) GTEST_SKIP() << "no Linux shell here";
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  // One window over the folder "live": each sequence's folder is moved
  // there in turn, and the window re-reads it as on its activation.
  ASSERT_TRUE(test::MoveInPlace(dir, 1));
  frmGlavni w(test::ListingOf(dir / L"live"), prompter, starter);
  w.Show(SW_SHOW, frmGlavni::IDC_File1);
  test::Pump();
  test::RunSequences(dir, count, "Quenby", [&](unsigned seed) {
    test::SequenceRun run = test::StartOfSequence(dir / L"live", seed, L".j2e", L".jxe", L"d.j2e");
    run.pool = {L"b.jxe", L"c.j2e", L"e.jxe", L"F.J2E", L"g.jxe", L"\x3c2.jxe", L"h.j2e", L"b.j2e"};
    // d.jxe beside the link d.j2e that leads nowhere; some plain files of
    // Windows' own, among them two names that only the file system's fold
    // takes for one.
    run.AddPlain(L"d.jxe");
    for (const wchar_t* name : {L"b.jxe", L"\x3a3.j2e", L"\x3c2.jxe"})
      if (run.Pick(2)) run.AddPlain(name);
    w.Form_Activate();
    run.Compare("start");
    if (run.failure.empty()) Sequence(run, w, prompter);
    return run.failure;
  });
}
