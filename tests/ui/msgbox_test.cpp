// One real message box, inspected from a second thread and answered there;
// the text a box is given.
#include <gtest/gtest.h>

#include <thread>

#include "ui/prompter.h"
#include "tests/support/support.h"

namespace {

struct Seen {
  std::wstring title, text;
  bool yes = false, no = false, ok = false;
  LRESULT def_id = 0;
  HICON icon = nullptr;
  HWND owner = nullptr;
};

BOOL CALLBACK Child(HWND child, LPARAM lp) {
  auto* seen = reinterpret_cast<Seen*>(lp);
  wchar_t cls[32];
  GetClassNameW(child, cls, 32);
  if (std::wstring(cls) != L"Static") return TRUE;
  if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
    seen->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  else if (seen->text.empty())
    seen->text = test::Text(child);
  return TRUE;
}

// Waits for the box titled `title`, records what it shows, then presses `answer`.
void Answer(const std::wstring& title, int answer, Seen* seen) {
  HWND box = nullptr;
  for (int i = 0; i < 400 && !box; ++i) {
    box = FindWindowW(L"#32770", title.c_str());
    if (!box) Sleep(10);
  }
  if (!box) return;
  seen->title = test::Text(box);
  seen->yes = GetDlgItem(box, IDYES) != nullptr;
  seen->no = GetDlgItem(box, IDNO) != nullptr;
  seen->ok = GetDlgItem(box, IDOK) != nullptr;
  for (int id : {IDYES, IDNO, IDOK})
    if (HWND b = GetDlgItem(box, id); b && (GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      seen->def_id = id;
  seen->owner = GetWindow(box, GW_OWNER);
  EnumChildWindows(box, Child, reinterpret_cast<LPARAM>(seen));
  PostMessageW(box, WM_COMMAND, answer, 0);
}

}  // namespace

TEST(RealMessageBox, ShowsIconButtonsDefaultTitleAndLineBreaks) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  Seen seen;
  std::thread answerer(Answer, L"Are you sure?", IDNO, &seen);
  jj::Answer a = jj::SystemPrompter().Show(owner, L"First line.\rSecond line.\r\rAfter a blank line.",
                                           L"Are you sure?", jj::Icon::Exclamation, jj::Buttons::YesNo);
  answerer.join();
  EXPECT_EQ(a, jj::Answer::No);
  EXPECT_EQ(seen.title, L"Are you sure?");
  EXPECT_EQ(seen.text, L"First line.\r\nSecond line.\r\n\r\nAfter a blank line.");
  EXPECT_TRUE(seen.yes);
  EXPECT_TRUE(seen.no);
  EXPECT_FALSE(seen.ok);
  EXPECT_EQ(seen.def_id, IDYES);
  EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_EXCLAMATION));
  EXPECT_EQ(seen.owner, owner);

  Seen info;
  std::thread second(Answer, L"No level selected!", IDOK, &info);
  a = jj::SystemPrompter().Show(owner, L"x", L"No level selected!", jj::Icon::Information, jj::Buttons::Ok);
  second.join();
  EXPECT_EQ(a, jj::Answer::Ok);
  EXPECT_TRUE(info.ok);
  EXPECT_FALSE(info.yes);
  EXPECT_EQ(info.icon, LoadIconW(nullptr, IDI_INFORMATION));
  DestroyWindow(owner);
}

TEST(BoxText, LoneCarriageReturnsBecomeLineBreaks) {
  EXPECT_EQ(jj::BoxText(L"a\rb\r\rc"), L"a\r\nb\r\n\r\nc");
  EXPECT_EQ(jj::BoxText(L"a\r\nb\r"), L"a\r\nb\r\n");
}
