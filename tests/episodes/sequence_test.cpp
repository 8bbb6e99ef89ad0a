// Random sequences against a model: Quenby's window, driven by real
// messages on folders with case twins, links, read-only files and files held
// open, while files are added, removed and renamed behind its back. After
// every step the folder must equal the model (name to content) and every
// message must be the one the model expects. Seeded: a failure names its
// seed. Built a second time as a soak program that runs many more.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

#include "fileops.h"
#include "fixtures.h"
#include "frmglavni.h"
#include "support.h"
#include "text.h"

#ifndef JJ_SEQUENCES
#define JJ_SEQUENCES 1000
#endif

using episodes::frmGlavni;

namespace {

constexpr int kSteps = 6;

// What a folder entry is to the model.
struct Entry {
  std::string content;  // what reading it gives (a link: its target's content)
  bool link = false;
  bool read_only = false;
  std::wstring target;  // a link to another entry of the folder: its name
};
using Model = std::map<std::wstring, Entry>;

// Names that Windows can make beside each other (the twins and links are
// made on the Linux side).
const wchar_t* const kPool[] = {L"b.jxe", L"c.j2e", L"e.jxe", L"F.J2E", L"g.jxe", L"\x3c2.jxe", L"h.j2e", L"b.j2e"};

bool SameName(const std::wstring& a, const std::wstring& b) { return jj::FoldCase(a) == jj::FoldCase(b); }

struct SequenceRun {
  const test::TempFolder& dir;
  std::wstring game;
  std::mt19937 rng;
  Model model;
  std::vector<std::wstring> dangling;  // links that lead nowhere: not listed
  std::wstring held;                   // held open without sharing deletion
  std::string failure;

  int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  std::wstring Path(const std::wstring& name) const { return game + L"\\" + name; }

  // A link whose target entry went leads nowhere: no longer listed.
  void Settle() {
    for (auto it = model.begin(); it != model.end();) {
      if (it->second.link && !it->second.target.empty() && !model.count(it->second.target)) {
        dangling.push_back(it->first);
        it = model.erase(it);
      } else {
        ++it;
      }
    }
  }

  void Fail(const std::string& what) {
    if (failure.empty()) failure = what;
  }

  // The folder as it is, read the way the model keeps it.
  Model Actual() const {
    Model m;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((L"\\\\?\\" + game + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return m;
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      m[name].content = test::Read(Path(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return m;
  }

  void Compare(const std::string& when) {
    Model actual = Actual();
    bool same = actual.size() == model.size();
    for (const auto& [name, entry] : model) same = same && actual.count(name) && actual[name].content == entry.content;
    if (!same) {
      std::string text = when + ": the folder differs from the model; folder:";
      for (const auto& [name, entry] : actual) text += " " + test::Narrow(name) + "=" + entry.content;
      text += "; model:";
      for (const auto& [name, entry] : model) text += " " + test::Narrow(name) + "=" + entry.content;
      Fail(text);
    }
  }

  // Behind the window's back: add, remove or rename a plain file.
  void Meddle() {
    std::vector<std::wstring> plain;
    for (const auto& [name, entry] : model)
      if (!entry.link && !entry.read_only && name != held && name != L"twin.jxe") plain.push_back(name);
    const wchar_t* fresh = kPool[Pick(std::size(kPool))];
    bool free = true;
    for (const auto& [name, entry] : model) free = free && !SameName(name, fresh);
    for (const auto& name : dangling) free = free && !SameName(name, fresh);
    switch (Pick(3)) {
      case 0:
        if (!free) return;
        {
          HANDLE h = CreateFileW((L"\\\\?\\" + Path(fresh)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
          if (h == INVALID_HANDLE_VALUE) return Fail("cannot add " + test::Narrow(fresh));
          std::string content = "added " + std::to_string(rng() % 1000);
          DWORD written;
          WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
          CloseHandle(h);
          model[fresh] = {content};
        }
        return;
      case 1:
        if (plain.empty()) return;
        {
          std::wstring victim = plain[Pick(static_cast<int>(plain.size()))];
          if (!DeleteFileW((L"\\\\?\\" + Path(victim)).c_str())) return Fail("cannot remove " + test::Narrow(victim));
          model.erase(victim);
        }
        return;
      default:
        if (plain.empty() || !free) return;
        {
          std::wstring from = plain[Pick(static_cast<int>(plain.size()))];
          if (!MoveFileExW((L"\\\\?\\" + Path(from)).c_str(), (L"\\\\?\\" + Path(fresh)).c_str(), 0))
            return Fail("cannot rename " + test::Narrow(from));
          model[fresh] = model[from];
          model.erase(from);
        }
    }
  }

  // What acting on `name` must give: empty when the action is done, else a
  // piece of the message that must say why.
  std::wstring Predict(const std::wstring& name, const std::wstring* rename_to) const {
    auto it = model.find(name);
    if (it == model.end()) {
      // The system takes the twin for it, and stops at a twin held open.
      for (const auto& [other, entry] : model)
        if (SameName(other, name)) return other == held ? jj::SystemMessage(ERROR_SHARING_VIOLATION) : L"no longer holds";
      return jj::SystemMessage(ERROR_FILE_NOT_FOUND);
    }
    // A link to a file held open: the system opens the target and stops there.
    if (it->second.link && !held.empty() && it->second.target == held)
      return jj::SystemMessage(ERROR_SHARING_VIOLATION);
    if (it->second.link) return L"is not a plain file: it is a link";
    if (name == held) return jj::SystemMessage(ERROR_SHARING_VIOLATION);
    if (!rename_to) return it->second.read_only ? jj::SystemMessage(ERROR_ACCESS_DENIED) : L"";
    for (const auto& [other, entry] : model)
      if (other != name && SameName(other, *rename_to)) return L"already holds \"" + other + L"\"";
    for (const auto& other : dangling)
      if (SameName(other, *rename_to)) return L"already holds \"" + *rename_to + L"\"";
    return L"";
  }

  void Sequence(frmGlavni& w, test::ScriptedPrompter& prompter) {
    std::unique_ptr<test::HeldOpen> hold;
    for (int step = 0; step < kSteps && failure.empty(); ++step) {
      std::string at = "step " + std::to_string(step);
      if (Pick(3) == 0) Meddle();
      // Sometimes a file is held open by another program for the next action.
      hold.reset();
      held.clear();
      if (Pick(4) == 0 && !model.empty()) {
        auto it = std::next(model.begin(), Pick(static_cast<int>(model.size())));
        if (!it->second.link) {
          held = it->first;
          hold = std::make_unique<test::HeldOpen>(Path(held));
        }
      }
      const auto& names = w.File1().Model().Names();
      if (!names.empty()) test::ClickItem(w.Item(frmGlavni::IDC_File1), Pick(static_cast<int>(names.size())));
      std::wstring selected = w.SelectedName();
      if (Pick(3) == 0) Meddle();  // between the pick and the action
      if (!failure.empty()) break;
      prompter.shown.clear();
      prompter.answers.clear();
      int action = Pick(3);
      int id = action == 0 ? frmGlavni::IDC_Command5 : action == 1 ? frmGlavni::IDC_Command4 : frmGlavni::IDC_Command3;
      if (!IsWindowEnabled(w.Item(id))) id = frmGlavni::IDC_Command3;
      bool yes = Pick(4) != 0, yes_too = Pick(2) == 0;
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
          std::wstring why = Predict(selected, nullptr);
          if (why.empty()) {
            expected.push_back(L"Episode deleted.");
            model.erase(selected);
          } else {
            expected.push_back(why);
          }
        }
      } else {
        std::wstring to = episodes::RenamedName(selected, id == frmGlavni::IDC_Command5 ? L".j2e" : L".jxe");
        std::wstring why = Predict(selected, &to);
        if (why.empty()) {
          model[to] = model[selected];
          model.erase(selected);
        } else {
          expected.push_back(why);
        }
      }
      at += " (" + std::to_string(id) + " on " + test::Narrow(selected) + ")";
      if (prompter.shown.size() != expected.size()) {
        std::string got;
        for (const auto& b : prompter.shown) got += " [" + test::Narrow(b.text) + "]";
        Fail(at + ": " + std::to_string(prompter.shown.size()) + " messages, expected " +
             std::to_string(expected.size()) + ":" + got);
      } else {
        for (std::size_t i = 0; i < expected.size(); ++i)
          if (prompter.shown[i].text.find(expected[i]) == std::wstring::npos)
            Fail(at + ": message [" + test::Narrow(prompter.shown[i].text) + "] lacks [" + test::Narrow(expected[i]) +
                 "]");
      }
      hold.reset();
      held.clear();
      Settle();
      Compare(at);
    }
  }
};

// Made on the Linux side for every sequence at once: a pair of case twins, a
// link to an outside file, a link to a twin, a link that leads nowhere.
bool MakeFolders(const test::TempFolder& dir, int count) {
  return test::Shell(dir, L"printf outside > \"$D/outside.txt\"; i=0; while [ $i -lt " + std::to_wstring(count) +
                              L" ]; do i=$((i+1)); S=\"$D/s$i\"; mkdir \"$S\"; printf A > \"$S/A.j2e\"; "
                              L"printf a > \"$S/a.j2e\"; printf twin > \"$S/twin.jxe\"; "
                              L"ln -s twin.jxe \"$S/Twin.jxe\"; ln -s \"$D/outside.txt\" \"$S/out.j2e\"; "
                              L"printf d > \"$S/d.jxe\"; ln -s \"$D/nowhere\" \"$S/d.j2e\"; done",
                     300);
}

}  // namespace

TEST(Sequences, TheFolderAndEveryMessageFollowTheModel) {
  const int count = JJ_SEQUENCES;
  test::TempFolder dir;
  if (!MakeFolders(dir, count)) GTEST_SKIP() << "no Linux shell here";
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  // One window over the folder "live": each sequence's folder is moved
  // there in turn, and the window re-reads it as on its activation.
  const std::wstring live = dir / L"live";
  auto folder = [&](int seed) { return dir / (L"s" + std::to_wstring(seed)); };
  if (!MoveFileExW(folder(1).c_str(), live.c_str(), 0)) FAIL() << "cannot move the first folder in place";
  frmGlavni w(live, prompter, starter);
  w.Show(SW_SHOW, frmGlavni::IDC_File1);
  test::Pump();
  int ran = 0, differed = 0;
  for (int seed = 1; seed <= count; ++seed) {
    if (seed > 1 && (!MoveFileExW(live.c_str(), (folder(seed - 1) + L".done").c_str(), 0) ||
                     !MoveFileExW(folder(seed).c_str(), live.c_str(), 0))) {
      ADD_FAILURE() << "cannot move the folder of seed " << seed << " in place";
      break;
    }
    w.Form_Activate();
    SequenceRun run{dir, live, std::mt19937(static_cast<unsigned>(seed))};
    run.model = {{L"A.j2e", {"A"}}, {L"a.j2e", {"a"}}, {L"twin.jxe", {"twin"}}, {L"Twin.jxe", {"twin", true, false, L"twin.jxe"}},
                 {L"out.j2e", {"outside", true}}, {L"d.jxe", {"d"}}};
    run.dangling = {L"d.j2e"};
    // A few plain files of Windows' own, some read-only, and two names that
    // only the fold of the file system takes for one.
    for (const wchar_t* name : {L"b.jxe", L"\x3a3.j2e", L"\x3c2.jxe"}) {
      if (run.Pick(2)) continue;
      std::string content = "plain " + test::Narrow(name);
      test::Write(dir, L"live\\" + std::wstring(name), content);
      run.model[name] = {content};
      if (run.Pick(3) == 0) {
        SetFileAttributesW((run.Path(name)).c_str(), FILE_ATTRIBUTE_READONLY);
        run.model[name].read_only = true;
      }
    }
    run.Compare("start");
    if (run.failure.empty()) run.Sequence(w, prompter);
    ++ran;
    if (!run.failure.empty()) {
      ++differed;
      if (differed <= 5) ADD_FAILURE() << "seed " << seed << ": " << run.failure;
    }
    if (test::Read(dir / L"outside.txt") != "outside") {
      ADD_FAILURE() << "seed " << seed << ": the file outside the game folder changed";
      break;
    }
  }
  // Links go on the Linux side: removing them from here would remove their targets.
  test::Shell(dir, L"find \"$D\" -type l -delete; chmod -R u+w \"$D\"", 300);
  std::printf("random sequences: %d ran, %d differed from the model\n", ran, differed);
  EXPECT_EQ(differed, 0);
}
