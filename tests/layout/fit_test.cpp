// Every text of every window stays inside its control, with the longest
// values a user meets, at whatever resolution and with whatever fonts the
// prefix this runs in has; bold stays bold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "episodes/frmglavni.h"  // Quenby's; "frmglavni.h" alone is the level browser's
#include "episodes/catalogue.h"
#include "launch/launchers.h"
#include "tests/support/support.h"

namespace {

std::string Describe(const jj::Window& window, HWND control) {
  return test::Narrow(test::Text(window.hwnd()) + L", control " + std::to_wstring(GetDlgCtrlID(control)) + L" \"" +
                      test::Text(control) + L"\" at " + std::to_wstring(window.Dpi()) + L" DPI in " +
                      window.Choice().face + L" " + std::to_wstring(window.Choice().height) + L" px");
}

// Each visible control's text, drawn with the control's own font as the
// control draws it, against the control's rectangle; and the window's font.
void ExpectAllFit(const jj::Window& window) {
  ASSERT_NE(window.hwnd(), nullptr);
  // The table was drawn for the described face at 96 DPI: there a descender on
  // the second line of a two-line value label loses its last pixel row.
  std::vector<std::wstring> faces = jj::Fonts::InstalledFaces();
  bool described = window.Dpi() == 96 && !faces.empty() && faces.front() == L"MS Sans Serif";
  if (described) {
    EXPECT_EQ(window.Choice(), (jj::FontChoice{L"MS Sans Serif", 11}));  // nothing changes there
  }
  int checked = 0;
  for (HWND c = GetWindow(window.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c) || test::Text(c).empty()) continue;
    auto font = reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr) << Describe(window, c);
    EXPECT_TRUE(jj::TextFits(c, test::Text(c), font, described ? 1 : 0)) << Describe(window, c);
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    if (lf.lfWeight >= FW_BOLD) {
      EXPECT_TRUE(jj::BoldShows(font)) << Describe(window, c);
    }
    ++checked;
  }
  EXPECT_GT(checked, 3);
}

// A file of ten digits' size; only its length is set, nothing is written.
void MakeHuge(const test::TempFolder& dir, const std::wstring& name) {
  HANDLE h = CreateFileW((dir / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 9'999'999'999;
  EXPECT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
  CloseHandle(h);
}

// Dated on the day with the longest English date, in local time.
void SetLongestDate(const test::TempFolder& dir, const std::wstring& name) {
  SYSTEMTIME local{2024, 9, 3, 25, 22, 48, 58, 0}, utc;
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &ft));
  HANDLE h = CreateFileW((dir / name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
  CloseHandle(h);
}

void Select(jj::FileListBox& list, const std::wstring& name) {
  const auto& names = list.Model().Names();
  auto at = std::find(names.begin(), names.end(), name);
  ASSERT_NE(at, names.end()) << test::Narrow(name);
  list.Select(static_cast<int>(at - names.begin()));
  test::Pump();
}

class Sheet : public jj::Window {
 public:
  explicit Sheet(std::span<const jj::ControlSpec> controls, std::initializer_list<jj::Caption> captions = {}) {
    Create({L"JJ2LayoutSheet", L"Sheet", WS_OVERLAPPED | WS_CAPTION, 0, 4500, 3000, nullptr, nullptr, nullptr},
           controls, captions);
  }
};

const wchar_t* const kLongValue[] = {L"A value that is much too long for the label it is shown in, by far"};

}  // namespace

TEST(Fit, QuenbyWithEveryKnownTitleAndATenDigitSize) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  for (const episodes::CatalogueRow& row : episodes::Catalogue())
    MakeHuge(dir, episodes::EpisodeName(row, episodes::kInactiveExtension));
  auto w = std::make_unique<episodes::frmGlavni>(dir.path(), prompter, starter);
  w->Show(SW_SHOW, episodes::frmGlavni::IDC_File1);
  test::Pump();
  ExpectAllFit(*w);
  for (const episodes::CatalogueRow& row : episodes::Catalogue()) {
    Select(w->File1(), episodes::EpisodeName(row, episodes::kInactiveExtension));
    ASSERT_EQ(test::Text(w->Item(episodes::frmGlavni::IDC_Label4)), row.title);
    ExpectAllFit(*w);
  }
  SendMessageW(w->Item(episodes::frmGlavni::IDC_Command1), BM_CLICK, 0, 0);  // About
  test::Pump();
  ASSERT_NE(w->Secondary(), nullptr);
  ExpectAllFit(*w->Secondary());
}

TEST(Fit, HalvickWithTheLongestSizeAndDateItsAboutBoxAndLaunchDialog) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  MakeHuge(dir, L"mylevel.j2l");
  SetLongestDate(dir, L"mylevel.j2l");
  auto w = std::make_unique<launch::HalvickWindow>(dir.path(), prompter, starter);
  w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
  test::Pump();
  ExpectAllFit(*w);
  Select(w->File1(), L"mylevel.j2l");
  ASSERT_NE(test::Text(w->Item(levels::frmGlavni::IDC_Label6)).find(L"2024"), std::wstring::npos);
  ExpectAllFit(*w);
  SendMessageW(w->Item(levels::frmGlavni::IDC_Command1), BM_CLICK, 0, 0);  // the launch dialog
  test::Pump();
  ASSERT_NE(w->Dialog(), nullptr);
  ExpectAllFit(*w->Dialog());
  SendMessageW(w->Dialog()->Item(IDCANCEL), BM_CLICK, 0, 0);
  test::Pump();
  SendMessageW(w->Item(levels::frmGlavni::IDC_Command2), BM_CLICK, 0, 0);  // About
  test::Pump();
  ASSERT_NE(w->Secondary(), nullptr);
  ExpectAllFit(*w->Secondary());
}

TEST(Fit, Ostrell) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  auto w = std::make_unique<launch::OstrellWindow>(dir.path(), prompter, starter);
  w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
  test::Pump();
  ExpectAllFit(*w);
  std::printf("%u DPI: %s, %d px\n", w->Dpi(), test::Narrow(w->Choice().face).c_str(), w->Choice().height);
}

TEST(Fit, TheTableStaysAndTheFontGivesWayUntilEveryTextFits) {
  static const jj::ControlSpec fitting[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel, jj::kFontBold},
  };
  static const jj::ControlSpec tight[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel, jj::kFontBold},
      {101, WC_STATICW, L"A caption a little too wide for its box", 120, 480, 2100, 255, jj::kLabel},
      {102, WC_STATICW, L"", 120, 840, 3000, 495, jj::kValueLabel, jj::kFontDefault, 0, kLongValue},
  };
  Sheet easy(fitting), hard(tight);
  UINT dpi = hard.Dpi();
  // Nothing moves: every control keeps the table's rectangle.
  RECT r;
  GetWindowRect(hard.Item(101), &r);
  MapWindowPoints(nullptr, hard.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, jj::Twips(120, dpi));
  EXPECT_EQ(r.right - r.left, jj::Twips(2100, dpi));
  EXPECT_EQ(r.bottom - r.top, jj::Twips(255, dpi));
  std::vector<std::wstring> faces = jj::Fonts::InstalledFaces();
  if (dpi == 96 && !faces.empty() && faces.front() == L"MS Sans Serif") {
    EXPECT_EQ(hard.Choice(), easy.Choice());  // the table was drawn for this
    return;
  }
  // The font is smaller or narrower where the texts need it, and then they fit,
  // also the longest value the label will show; bold still shows.
  EXPECT_EQ(easy.Choice().height, jj::Fonts::NominalHeight(dpi));
  EXPECT_TRUE(jj::TextFits(hard.Item(101), test::Text(hard.Item(101)), hard.Font(jj::kFontDefault)));
  EXPECT_TRUE(jj::TextFits(hard.Item(102), kLongValue[0], hard.Font(jj::kFontDefault)));
  EXPECT_TRUE(jj::BoldShows(hard.Font(jj::kFontBold)));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(hard.Item(100), WM_GETFONT, 0, 0)), hard.Font(jj::kFontBold));
}

TEST(Fit, TheRowSaysWhetherItsTextIsFittedAndACaptionGivenAtCreationCounts) {
  static const jj::ControlSpec unmeasured[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel, jj::kFontBold},
      {101, WC_STATICW, kLongValue[0], 120, 480, 600, 255, jj::kLabel, jj::kFontDefault, 0, {}, jj::Fit::kNone},
  };
  static const jj::ControlSpec captioned[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel, jj::kFontBold},
      {101, WC_BUTTONW, L"", 120, 480, 2100, 375, jj::kButton},
  };
  Sheet plain(unmeasured), probe(captioned);
  std::vector<std::wstring> faces = jj::Fonts::InstalledFaces();
  if (plain.Dpi() == 96 && !faces.empty() && faces.front() == L"MS Sans Serif") return;  // the table's own font
  // A text the row does not ask to fit leaves the font alone, however long.
  EXPECT_EQ(plain.Choice().height, jj::Fonts::NominalHeight(plain.Dpi()));
  // A caption one word too wide for the button in the table's font, given at creation, is fitted.
  std::wstring caption = L"Wide";
  while (jj::TextFits(probe.Item(101), caption, probe.Font(jj::kFontDefault))) caption += L" wide";
  Sheet given(captioned, {{101, caption.c_str()}});
  EXPECT_EQ(test::Text(given.Item(101)), caption);
  EXPECT_TRUE(jj::TextFits(given.Item(101), caption, given.Font(jj::kFontDefault)));
}
