// Random sequences against a model: a game folder with case twins, links,
// read-only files and files held open, the model of what it must hold (name
// to content), the changes that another program makes behind a window's
// back, and what the checked file actions must answer on each entry.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixtures.h"
#include "files/fold.h"
#include "tests/support/support.h"
#include "ui/report.h"

namespace test {

inline bool SameName(const std::wstring& a, const std::wstring& b) { return jj::FoldCase(a) == jj::FoldCase(b); }

// Whether the system's own lookup of a name finds the other: Wine's, which
// folds like the file system's table but keeps the final sigma apart.
inline bool SystemFinds(const std::wstring& a, const std::wstring& b) {
  auto fold = [](std::wstring s) {
    for (wchar_t& c : s)
      if (c != L'\x3c2') c = jj::FoldChar(c);
    return s;
  };
  return fold(a) == fold(b);
}

// What a folder entry is to the model.
struct Entry {
  std::string content;  // what reading it gives (a link: its target's content)
  bool link = false;
  bool read_only = false;
  std::wstring target;  // a link to another entry of the folder: its name
};
using Model = std::map<std::wstring, Entry>;


struct SequenceRun {
  std::wstring game;
  std::mt19937 rng;
  Model model;
  std::vector<std::wstring> dangling;  // links that lead nowhere: not listed
  std::wstring held;                   // held open without sharing deletion
  std::string failure;
  std::vector<std::wstring> pool;  // names that Windows may add or rename to
  std::wstring protect;            // the target of a link: never removed behind the window's back

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
      m[name].content = Read(Path(name));
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
      for (const auto& [name, entry] : actual) text += " " + Narrow(name) + "=" + entry.content;
      text += "; model:";
      for (const auto& [name, entry] : model) text += " " + Narrow(name) + "=" + entry.content;
      Fail(text);
    }
  }

  // Behind the window's back: add, remove or rename a plain file.
  void Meddle() {
    std::vector<std::wstring> plain;
    for (const auto& [name, entry] : model)
      if (!entry.link && !entry.read_only && name != held && name != protect) plain.push_back(name);
    const std::wstring fresh = pool[Pick(static_cast<int>(pool.size()))];
    bool free = true;
    for (const auto& [name, entry] : model) free = free && !SameName(name, fresh);
    for (const auto& name : dangling) free = free && !SameName(name, fresh);
    switch (Pick(3)) {
      case 0:
        if (!free) return;
        {
          HANDLE h = CreateFileW((L"\\\\?\\" + Path(fresh)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
          if (h == INVALID_HANDLE_VALUE) return Fail("cannot add " + Narrow(fresh));
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
          if (!DeleteFileW((L"\\\\?\\" + Path(victim)).c_str())) return Fail("cannot remove " + Narrow(victim));
          model.erase(victim);
        }
        return;
      default:
        if (plain.empty() || !free) return;
        {
          std::wstring from = plain[Pick(static_cast<int>(plain.size()))];
          if (!MoveFileExW((L"\\\\?\\" + Path(from)).c_str(), (L"\\\\?\\" + Path(fresh)).c_str(), 0))
            return Fail("cannot rename " + Narrow(from));
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
        if (SystemFinds(other, name)) return other == held ? jj::SystemMessage(ERROR_SHARING_VIOLATION) : L"no longer holds";
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

  // The end of a step `at`: the boxes shown must be the expected ones, in
  // order, each holding its expected text; the held file is let go and the
  // folder must then hold what the model holds.
  void EndStep(const std::string& at, const std::vector<Box>& shown, const std::vector<std::wstring>& expected,
               std::unique_ptr<HeldOpen>* hold) {
    if (shown.size() != expected.size()) {
      std::string got;
      for (const auto& b : shown) got += " [" + Narrow(b.text) + "]";
      Fail(at + ": " + std::to_string(shown.size()) + " messages, expected " + std::to_string(expected.size()) + ":" +
           got);
    } else {
      for (std::size_t i = 0; i < expected.size(); ++i)
        if (shown[i].text.find(expected[i]) == std::wstring::npos)
          Fail(at + ": message [" + Narrow(shown[i].text) + "] lacks [" + Narrow(expected[i]) + "]");
    }
    hold->reset();
    held.clear();
    Settle();
    Compare(at);
  }

  // The start of a step: now and then a change behind the window's back,
  // then now and then an entry held open for the step's action.
  void BeginStep(std::unique_ptr<HeldOpen>* hold) {
    if (Pick(3) == 0) Meddle();
    HoldSome(hold);
  }

  // Holds a plain entry open for the next action, now and then.
  void HoldSome(std::unique_ptr<HeldOpen>* hold) {
    hold->reset();
    held.clear();
    if (Pick(4) != 0 || model.empty()) return;
    auto it = std::next(model.begin(), Pick(static_cast<int>(model.size())));
    if (it->second.link) return;
    held = it->first;
    *hold = std::make_unique<HeldOpen>(Path(held));
  }

  // Adds a plain file of Windows' own; now and then read-only.
  void AddPlain(const std::wstring& name) {
    std::string content = "plain " + Narrow(name);
    HANDLE h = CreateFileW((L"\\\\?\\" + Path(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail("cannot add " + Narrow(name));
    DWORD written;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
    model[name] = {content};
    if (Pick(3) == 0) {
      SetFileAttributesW((L"\\\\?\\" + Path(name)).c_str(), FILE_ATTRIBUTE_READONLY);
      model[name].read_only = true;
    }
  }
};

// The folders of `count` sequences, s1 to sN in the folder, made on the
// Linux side at once, each with: twins `a` and `A` (+ e1), a plain
// "twin" + e2 and a link "Twin" + e2 to it, a link "out" + e1 to a file
// outside the game folder, and a link `nowhere` that leads nowhere.
bool MakeSequenceFolders(const TempFolder& dir, int count, const std::wstring& e1, const std::wstring& e2,
                         const std::wstring& nowhere);
// The model of one such folder at its start.
SequenceRun StartOfSequence(const std::wstring& game, unsigned seed, const std::wstring& e1, const std::wstring& e2,
                            const std::wstring& nowhere);

// Moves the folder of each sequence in turn to the one place that a window
// is open on ("live"): false when it cannot.
bool MoveInPlace(const TempFolder& dir, int seed);

// Runs the sequences of seeds 1 to `count`: moves each one's folder in place
// and has `one` run it, which returns how it differed from the model (empty
// when it did not). Stops when a file outside the game folder changed;
// prints and checks how many ran and how many differed.
void RunSequences(const TempFolder& dir, int count, const char* what,
                  const std::function<std::string(unsigned seed)>& one);

}  // namespace test
