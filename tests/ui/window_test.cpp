// The window base: commands and the close request reach their own handlers,
// split once; what a window does not take goes on to its message handler; no
// exception escapes a handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/support/support.h"
#include "ui/window.h"

namespace {

class Recorder : public jj::Window {
 public:
  enum { IDC_Button = 100, IDC_Edit, IDC_Other, IDC_Throws };
  Recorder() {
    static const jj::ControlSpec controls[] = {
        {IDC_Button, WC_BUTTONW, L"&Go", 120, 120, 1500, 375, jj::kButton},
        {IDC_Edit, WC_EDITW, L"", 120, 600, 1500, 285, jj::kTextBox},
        {IDC_Other, WC_BUTTONW, L"&Other", 120, 1080, 1500, 375, jj::kButton},
        {IDC_Throws, WC_BUTTONW, L"&Throws", 120, 1560, 1500, 375, jj::kButton},
    };
    Create({.class_name = L"JJ2Recorder", .title = L"Recorder", .style = WS_OVERLAPPED | WS_CAPTION,
            .client_width = 3000, .client_height = 2400},
           controls);
  }
  std::vector<int> clicks;                    // ids, as OnClick got them
  std::vector<std::pair<int, int>> commands;  // id and code, as OnCommand got them
  std::vector<int> passed_on;                 // ids of commands that reached OnMessage
  int closes = 0;
  bool keep_open = true;
  test::ScriptedPrompter boxes;

 protected:
  // Takes only IDOK (Enter); every other click goes on to OnCommand.
  bool OnClick(int id) override {
    clicks.push_back(id);
    return id == IDOK;
  }
  bool OnCommand(int id, int code) override {
    commands.emplace_back(id, code);
    if (id == IDC_Throws) throw std::runtime_error("broken handler");
    return id != IDC_Other;
  }
  void OnClose() override {
    ++closes;
    if (!keep_open) Window::OnClose();
  }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COMMAND) passed_on.push_back(LOWORD(wp));
    return Default(msg, wp, lp);
  }
  jj::Prompter& Boxes() override { return boxes; }
};

}  // namespace

TEST(WindowBase, CommandsAreSplitOnceAndWhatIsNotTakenGoesOn) {
  Recorder w;
  SendMessageW(w.Item(Recorder::IDC_Button), BM_CLICK, 0, 0);
  SetWindowTextW(w.Item(Recorder::IDC_Edit), L"typed");
  using Command = std::pair<int, int>;
  ASSERT_GE(w.commands.size(), 2u);
  EXPECT_EQ(w.commands[0], (Command{Recorder::IDC_Button, BN_CLICKED}));
  EXPECT_NE(std::find(w.commands.begin(), w.commands.end(), Command{Recorder::IDC_Edit, EN_CHANGE}),
            w.commands.end());
  EXPECT_TRUE(w.passed_on.empty()) << "a handled command went on to the message handler";
  SendMessageW(w.Item(Recorder::IDC_Other), BM_CLICK, 0, 0);
  EXPECT_EQ(w.passed_on, std::vector<int>{Recorder::IDC_Other});
  // A handler that throws is stopped at the base and reported in the
  // window's own message boxes; the window lives on.
  SendMessageW(w.Item(Recorder::IDC_Throws), BM_CLICK, 0, 0);
  ASSERT_EQ(w.boxes.shown.size(), 1u);
  EXPECT_NE(w.boxes.shown[0].text.find(L"broken handler"), std::wstring::npos);
  EXPECT_EQ(w.boxes.shown[0].title, L"Recorder");
  EXPECT_EQ(w.boxes.shown[0].icon, jj::Icon::Exclamation);
  EXPECT_EQ(w.boxes.shown[0].owner, w.hwnd());
  EXPECT_TRUE(IsWindow(w.hwnd()));
}

TEST(WindowBase, ClicksGoToOnClickFirstWhatItLeavesGoesToOnCommand) {
  Recorder w;
  SendMessageW(w.Item(Recorder::IDC_Button), BM_CLICK, 0, 0);
  SetWindowTextW(w.Item(Recorder::IDC_Edit), L"typed");
  EXPECT_EQ(w.clicks, std::vector<int>{Recorder::IDC_Button}) << "a notification that is no click reached OnClick";
  ASSERT_FALSE(w.commands.empty());
  EXPECT_EQ(w.commands[0].first, Recorder::IDC_Button);  // not taken by OnClick
  // Enter as the dialog manager sends it: a click of IDOK, taken by OnClick.
  w.commands.clear();
  SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(w.clicks.back(), IDOK);
  EXPECT_TRUE(w.commands.empty()) << "a click OnClick took went on to OnCommand";
  EXPECT_TRUE(w.passed_on.empty());
  // Another notification of the same id is no click.
  SendMessageW(w.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_DOUBLECLICKED), 0);
  EXPECT_EQ(w.clicks.size(), 2u);
  EXPECT_EQ(w.commands, (std::vector<std::pair<int, int>>{{IDOK, BN_DOUBLECLICKED}}));
}

TEST(WindowBase, TheCloseRequestGoesToOnCloseWhichDecides) {
  Recorder w;
  HWND h = w.hwnd();
  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(w.closes, 1);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(w.commands.empty()) << "closing was turned into a command";
  w.keep_open = false;
  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(w.closes, 2);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(w.hwnd(), nullptr);
}
