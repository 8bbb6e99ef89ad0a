// The fixture of the tests of the level window (Halvick's, which holds every
// control of Ostrell's besides the launch button): a real temporary game
// folder of levels, the window on it driven by real messages, the boxes it
// shows recorded by a scripted prompter and the programs it starts by a
// recorder.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "launch/launchers.h"
#include "levels/levelinfo.h"
#include "files/paths.h"
#include "ui/report.h"
#include "levels/search.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"
#include "files/sizetext.h"
#include "levels/texts.h"

using levels::frmGlavni;

inline std::vector<std::wstring> Shown(frmGlavni& w) { return w.File1().Model().Names(); }

inline void Type(HWND edit, const std::wstring& keys) {
  for (wchar_t c : keys) {
    PostMessageW(edit, WM_CHAR, c, 1);
    test::Pump();
  }
}

struct Browser : ::testing::Test {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  std::unique_ptr<launch::HalvickWindow> w;
  void SetUp() override {
    for (const wchar_t* n : {L"level10.j2l", L"Level2.J2L", L"abc.j2l", L"ab.j2l", L"a.j2l", L"R&D.j2l", L"x.txt"})
      dir.Touch(n, 2048);
    dir.Touch(L"hidden.j2l");
    SetFileAttributesW((dir / L"hidden.j2l").c_str(), FILE_ATTRIBUTE_HIDDEN);
    w = std::make_unique<launch::HalvickWindow>(test::ListingOf(dir.path()), prompter, starter);
    w->Show(SW_SHOW, frmGlavni::IDC_Text1);
    test::Pump();
  }
  HWND Item(int id) { return w->Item(id); }
  std::wstring Label(int id) { return test::Text(Item(id)); }
  void Click(int id) {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
    test::Pump();
  }
  void Pick(const std::wstring& name) {
    const auto& names = Shown(*w);
    auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end());
    test::ClickItem(Item(frmGlavni::IDC_File1), static_cast<int>(at - names.begin()));
    ASSERT_EQ(w->SelectedLevel(), name);
  }
};

using V = std::vector<std::wstring>;
inline const V kAll{L"a.j2l", L"ab.j2l", L"abc.j2l", L"Level2.J2L", L"level10.j2l", L"R&D.j2l"};
