// The fixture of the tests of Quenby's main window: a real temporary game
// folder, the window on it driven by real messages, the boxes it shows
// recorded by a scripted prompter and the programs it starts by a recorder.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "episodes/quenbywindow.h"
#include "tests/support/fixtures.h"
#include "files/paths.h"
#include "ui/report.h"
#include "tests/support/support.h"
#include "files/sizetext.h"

using episodes::frmGlavni;
using V = std::vector<std::wstring>;

inline const std::wstring kSelect = L"\rSelect an episode file and then try again.";
inline const std::wstring kNoActivate = L"You haven't yet selected an epidode file to activate!" + kSelect;
inline const std::wstring kNoDeactivate = L"You haven't yet selected an epidode file to deactivate!" + kSelect;
inline const std::wstring kNoDelete = L"You haven't yet selected an epidode file to delete!" + kSelect;
inline const std::wstring kConfirm =
    L"Are you sure you want to delete this episode?\r"
    L"If you are deleting an official Jazz Jackrabbit 2 episode, be aware that the only way to get it back is to "
    L"reinstall it from the Jazz Jackrabbit 2 CD.\r\r"
    L"Note that by clicking Yes, the episode file will be deleted immediately, bypassing the Recycle Bin.";
inline const std::wstring kOtherFiles = L"Episode deleted. Do you also want to delete all of its level and readme files?";
inline const std::wstring kNoEpisode = L"(no episode selected)";

struct Quenby : ::testing::Test {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  std::unique_ptr<frmGlavni> w;

  void Open() {
    w = std::make_unique<frmGlavni>(test::ListingOf(dir.path()), prompter, starter);
    w->Show(SW_SHOW, frmGlavni::IDC_File1);
    test::Pump();
  }
  HWND Item(int id) { return w->Item(id); }
  std::wstring Label(int id) { return test::Text(Item(id)); }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  V Shown() { return w->File1().Model().Names(); }
  std::wstring Path(const std::wstring& name) { return jj::InFolder(dir.path(), name); }
  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    test::Pump();
  }
  void Pick(const std::wstring& name) {
    V names = Shown();
    auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end()) << test::Narrow(name);
    test::ClickItem(Item(frmGlavni::IDC_File1), static_cast<int>(at - names.begin()));
    ASSERT_EQ(w->SelectedName(), name);
  }
  void ExpectBox(std::size_t i, const std::wstring& text, const std::wstring& title, jj::Icon icon,
                 jj::Buttons buttons) {
    ASSERT_LT(i, prompter.shown.size());
    const test::Box& b = prompter.shown[i];
    EXPECT_EQ(b.text, text);
    EXPECT_EQ(b.title, title);
    EXPECT_EQ(b.icon, icon);
    EXPECT_EQ(b.buttons, buttons);
    EXPECT_EQ(b.owner, w->hwnd());
  }
  void ExpectNothingSelected(std::size_t i, const std::wstring& text) {
    ExpectBox(i, text, L"No episode file selected!", jj::Icon::Information, jj::Buttons::Ok);
  }
  void ExpectConfirm(std::size_t i) {
    ExpectBox(i, kConfirm, L"Are you sure?", jj::Icon::Exclamation, jj::Buttons::YesNo);
  }
  void ExpectOtherFiles(std::size_t i) {
    ExpectBox(i, kOtherFiles, L"Other files too?", jj::Icon::Question, jj::Buttons::YesNo);
  }
  // A failure report: what failed, a blank line, the system's reason.
  void ExpectReport(std::size_t i, const std::wstring& what, unsigned long error) {
    ExpectBox(i, what + L"\r\rThe system says: " + jj::SystemMessage(error), L"Quenby", jj::Icon::Exclamation,
              jj::Buttons::Ok);
  }
  void Panel(const std::wstring& title, const std::wstring& size, const std::wstring& active) {
    EXPECT_EQ(Label(frmGlavni::IDC_Label4), title);
    EXPECT_EQ(Label(frmGlavni::IDC_Label6), size);
    EXPECT_EQ(Label(frmGlavni::IDC_Label9), active);
  }
  void Count(const std::wstring& text) { EXPECT_EQ(Label(frmGlavni::IDC_Label7), text); }
};
