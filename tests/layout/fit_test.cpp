// Every window keeps the rules of a sound sheet of controls (inside the
// window, apart, access keys that lead, buttons in a grid), and every text
// of every window stays inside its control, with the longest
// values a user meets, at whatever resolution and with whatever fonts the
// prefix this runs in has; bold stays bold; all windows of a program share
// one face and one text height, 8 points at the DPI or smaller only where a
// text needs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "episodes/quenbywindow.h"
#include "episodes/catalogue.h"
#include "launch/launchers.h"
#include "tests/support/fixtures.h"
#include "tests/support/support.h"

namespace {

std::string Describe(const jj::Window& window, HWND control) {
  return test::Narrow(test::Text(window.hwnd()) + L", control " + std::to_wstring(GetDlgCtrlID(control)) + L" \"" +
                      test::Text(control) + L"\" at " + std::to_wstring(window.Dpi()) + L" DPI in " +
                      window.Choice().face + L" " + std::to_wstring(window.Choice().height) + L" px");
}

bool Described(UINT dpi) { return dpi == 96 && jj::Fonts::Kind(jj::kDescribedFace) != jj::FaceKind::kMissing; }

// The face a font is drawn in and its text height, as the system reports them.
std::pair<std::wstring, int> Drawn(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, face);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {face, tm.tmHeight};
}

// The windows of one program, checked one by one while each is open.
class Program {
 public:
  explicit Program(const char* name) : name_(name) {}

  // The rules that every window's controls keep (test::ExpectSoundSheet),
  // and each visible control's text, drawn with the control's own font as the
  // control draws it, inside the control; bold shows; the face and height it
  // is drawn in. The text that kept the font below 8 points does not fit one
  // pixel higher.
  void Check(const jj::Window& window, const std::wstring& shared_keys = L"") {
    ASSERT_NE(window.hwnd(), nullptr);
    test::ExpectSoundSheet(window.hwnd(), shared_keys);
    choices_.push_back(window.Choice());
    dpi_ = window.Dpi();
    // The tables were drawn for the described face at 96 DPI: there a descender
    // on the second line of a two-line value label loses its last pixel row.
    bool described = Described(dpi_);
    if (described) {
      EXPECT_EQ(window.Choice(), (jj::FontChoice{L"MS Sans Serif", 13, L""}));  // nothing changes there
    }
    int checked = 0;
    for (HWND c = GetWindow(window.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (!IsWindowVisible(c)) continue;
      if (test::Text(c).empty()) continue;
      auto font = reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0));
      ASSERT_NE(font, nullptr) << Describe(window, c);
      EXPECT_TRUE(jj::TextFits(c, test::Text(c), font, described ? 1 : 0)) << Describe(window, c);
      LOGFONTW lf{};
      GetObjectW(font, sizeof lf, &lf);
      bool bold = lf.lfWeight >= FW_BOLD;
      if (bold) {
        EXPECT_TRUE(jj::BoldShows(font)) << Describe(window, c);
      }
      auto [face, height] = Drawn(font);
      faces_.insert(face);
      heights_.insert(height);
      if (test::Text(c) == window.Choice().limit) {
        lf.lfHeight = window.Choice().height + 1;
        HFONT larger = CreateFontIndirectW(&lf);
        EXPECT_TRUE(!jj::TextFits(c, test::Text(c), larger) || (bold && !jj::BoldShows(larger)))
            << Describe(window, c);
        DeleteObject(larger);
        limit_seen_ = true;
      }
      ++checked;
    }
    EXPECT_GT(checked, 3);
  }

  // One choice, face and height over all windows; 8 points within a tenth,
  // or smaller with the text that needs it named.
  void ExpectOneFont() const {
    ASSERT_FALSE(choices_.empty());
    const jj::FontChoice& choice = choices_.front();
    for (const jj::FontChoice& other : choices_) EXPECT_EQ(other, choice) << name_;
    EXPECT_EQ(faces_.size(), 1u) << name_;
    EXPECT_EQ(heights_.size(), 1u) << name_;
    int nominal = MulDiv(13, static_cast<int>(dpi_), 96), height = *heights_.begin();
    std::printf("%s at %u DPI: %s, text %d px high (8 points: %d px)", name_, dpi_,
                test::Narrow(*faces_.begin()).c_str(), height, nominal);
    if (!choice.limit.empty())
      std::printf("; one pixel higher \"%s\" does not fit its box or its bold does not show%s",
                  test::Narrow(choice.limit).c_str(), limit_seen_ ? " (seen)" : "");
    std::printf("\n");
    EXPECT_LE(height * 10, nominal * 11) << name_;
    if (height * 10 < nominal * 9) {
      EXPECT_FALSE(choice.limit.empty()) << name_ << ": smaller than 8 points with no text that needs it";
    }
  }

 private:
  const char* name_;
  UINT dpi_ = 96;
  std::vector<jj::FontChoice> choices_;
  std::set<std::wstring> faces_;
  std::set<int> heights_;
  bool limit_seen_ = false;
};

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
  explicit Sheet(std::span<const jj::ControlSpec> controls, std::initializer_list<jj::Caption> captions = {},
                 HWND owner = nullptr, std::vector<std::span<const jj::ControlSpec>> opens = {}) {
    Create({L"JJ2LayoutSheet", L"Sheet", WS_OVERLAPPED | WS_CAPTION, 0, 4500, 3000, owner, nullptr, nullptr, opens},
           controls, captions);
  }
};

const wchar_t* const kLongValue[] = {L"A value that is much too long for the label it is shown in, by far"};

}  // namespace

void OpenAbout(jj::MainWindow& w, int button, Program& program) {
  SendMessageW(w.Item(button), BM_CLICK, 0, 0);
  test::Pump();
  ASSERT_NE(w.Secondary(), nullptr);
  program.Check(*w.Secondary());
}

TEST(Fit, QuenbyWithEveryKnownTitleAndATenDigitSize) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  for (const episodes::CatalogueRow& row : episodes::Catalogue())
    MakeHuge(dir, std::wstring(row.stem) + episodes::kInactiveExtension);
  auto w = std::make_unique<episodes::frmGlavni>(test::ListingOf(dir.path()), prompter, starter);
  w->Show(SW_SHOW, episodes::frmGlavni::IDC_File1);
  test::Pump();
  Program quenby("Quenby");
  quenby.Check(*w);
  for (const episodes::CatalogueRow& row : episodes::Catalogue()) {
    Select(w->File1(), std::wstring(row.stem) + episodes::kInactiveExtension);
    ASSERT_EQ(test::Text(w->Item(episodes::frmGlavni::IDC_Label4)), row.title);
    quenby.Check(*w);
  }
  OpenAbout(*w, episodes::frmGlavni::IDC_Command1, quenby);
  quenby.ExpectOneFont();
}

TEST(Fit, HalvickWithTheLongestSizeAndDateItsAboutBoxAndLaunchDialog) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  MakeHuge(dir, L"mylevel.j2l");
  SetLongestDate(dir, L"mylevel.j2l");
  auto w = std::make_unique<launch::HalvickWindow>(test::ListingOf(dir.path()), prompter, starter);
  w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
  test::Pump();
  Program halvick("Halvick");
  halvick.Check(*w);
  Select(w->File1(), L"mylevel.j2l");
  ASSERT_NE(test::Text(w->Item(levels::frmGlavni::IDC_Label6)).find(L"2024"), std::wstring::npos);
  halvick.Check(*w);
  SendMessageW(w->Item(levels::frmGlavni::IDC_Command1), BM_CLICK, 0, 0);  // the launch dialog
  test::Pump();
  ASSERT_NE(w->Dialog(), nullptr);
  halvick.Check(*w->Dialog(), L"LS");  // two pairs of its captions share L and S, as players know them
  SendMessageW(w->Dialog()->Item(IDCANCEL), BM_CLICK, 0, 0);
  test::Pump();
  OpenAbout(*w, levels::frmGlavni::IDC_Command2, halvick);
  halvick.ExpectOneFont();
}

TEST(Fit, OstrellAndItsAboutBox) {
  test::TempFolder dir;
  test::ScriptedPrompter prompter;
  test::RecordingStarter starter;
  auto w = std::make_unique<launch::OstrellWindow>(test::ListingOf(dir.path()), prompter, starter);
  w->Show(SW_SHOW, levels::frmGlavni::IDC_Text1);
  test::Pump();
  Program ostrell("Ostrell");
  ostrell.Check(*w);
  OpenAbout(*w, levels::frmGlavni::IDC_Command2, ostrell);
  ostrell.ExpectOneFont();
}

TEST(Fit, TheTableStaysAndTheFontGivesWayUntilEveryTextFits) {
  static const jj::ControlSpec fitting[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel},
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
  if (Described(dpi)) {
    EXPECT_EQ(hard.Choice(), easy.Choice());  // the table was drawn for this
    return;
  }
  // The font is smaller where the texts need it, and then they fit, also the
  // longest value the label will show; bold still shows.
  EXPECT_EQ(easy.Choice().height, jj::Fonts::NominalHeight(dpi));
  EXPECT_TRUE(jj::TextFits(hard.Item(101), test::Text(hard.Item(101)), hard.Font(jj::kFontDefault)));
  EXPECT_TRUE(jj::TextFits(hard.Item(102), kLongValue[0], hard.Font(jj::kFontDefault)));
  EXPECT_TRUE(jj::BoldShows(hard.Font(jj::kFontBold)));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(hard.Item(100), WM_GETFONT, 0, 0)), hard.Font(jj::kFontBold));
}

TEST(Fit, TheRowSaysWhetherItsTextIsFittedAndCaptionsGivenAtCreationOrOpenedCount) {
  static const jj::ControlSpec unmeasured[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel},
      {101, WC_STATICW, kLongValue[0], 120, 480, 600, 255, jj::kLabel, jj::kFontDefault, 0, {}, jj::Fit::kNone},
  };
  static const jj::ControlSpec captioned[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel, jj::kFontBold},
      {101, WC_BUTTONW, L"", 120, 480, 2100, 375, jj::kButton},
  };
  Sheet plain(unmeasured), probe(captioned);
  if (Described(plain.Dpi())) return;  // the table's own font
  // A text the row does not ask to fit leaves the font alone, however long.
  EXPECT_EQ(plain.Choice().height, jj::Fonts::NominalHeight(plain.Dpi()));
  // A caption one word too wide for the button in the table's font, given at creation, is fitted.
  std::wstring caption = L"Wide";
  while (jj::TextFits(probe.Item(101), caption, probe.Font(jj::kFontDefault))) caption += L" wide";
  Sheet given(captioned, {{101, caption.c_str()}});
  EXPECT_EQ(test::Text(given.Item(101)), caption);
  EXPECT_TRUE(jj::TextFits(given.Item(101), caption, given.Font(jj::kFontDefault)));
  // So is one in the table of a window that this one opens; that window,
  // owned by this one, takes its font though its own texts fit a larger one.
  const jj::ControlSpec opened[] = {{101, WC_BUTTONW, caption.c_str(), 120, 480, 2100, 375, jj::kButton}};
  Sheet opener(captioned, {}, nullptr, {opened});
  Sheet dialog(captioned, {}, opener.hwnd());
  EXPECT_EQ(opener.Choice(), given.Choice());
  EXPECT_EQ(dialog.Choice(), opener.Choice());
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dialog.Item(100), WM_GETFONT, 0, 0)), opener.Font(jj::kFontBold));
}

// The face is a function of what the system says of its faces: their kinds as
// EnumFontFamiliesEx reports them (Wine's MS Sans Serif and Windows' own are
// bitmaps of a few sizes; Wine's Tahoma draws its bold like its regular weight
// from 16 pixels up), the faces its message font and a plain sans-serif
// request resolve to.
TEST(Fit, TheFaceFollowsWhatTheSystemSaysOfItsFaces) {
  using K = jj::FaceKind;
  EXPECT_EQ(jj::EntryKind(RASTER_FONTTYPE, FF_SWISS | TMPF_FIXED_PITCH), K::kBitmap);
  EXPECT_EQ(jj::EntryKind(TRUETYPE_FONTTYPE, FF_SWISS | TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE), K::kScalable);
  EXPECT_EQ(jj::EntryKind(0, FF_MODERN | TMPF_VECTOR), K::kScalable);  // a plotter face
  struct System {
    const char* name;
    std::map<std::wstring, K> kinds;
    std::set<std::wstring> bold_like_regular;
    std::wstring message, sans;
    std::wstring at96, above;
  };
  const System systems[] = {
      {"Windows 7", {{L"MS Sans Serif", K::kBitmap}, {L"Microsoft Sans Serif", K::kScalable},
                     {L"Tahoma", K::kScalable}, {L"Segoe UI", K::kScalable}, {L"Arial", K::kScalable}},
       {}, L"Segoe UI", L"Arial", L"MS Sans Serif", L"Microsoft Sans Serif"},
      {"Wine with its fonts", {{L"MS Sans Serif", K::kBitmap}, {L"Tahoma", K::kScalable},
                               {L"DejaVu Sans", K::kScalable}},
       {L"Tahoma"}, L"Tahoma", L"DejaVu Sans", L"MS Sans Serif", L"DejaVu Sans"},
      {"Wine that scales MS Sans Serif", {{L"MS Sans Serif", K::kScalable}, {L"Tahoma", K::kScalable}},
       {L"Tahoma"}, L"Tahoma", L"Tahoma", L"MS Sans Serif", L"MS Sans Serif"},
      {"Wine without its fonts", {{L"DejaVu Sans", K::kScalable}}, {}, L"DejaVu Sans", L"DejaVu Sans",
       L"DejaVu Sans", L"DejaVu Sans"},
      {"Tahoma, bold", {{L"MS Sans Serif", K::kBitmap}, {L"Tahoma", K::kScalable}, {L"DejaVu Sans", K::kScalable}},
       {}, L"Tahoma", L"DejaVu Sans", L"MS Sans Serif", L"Tahoma"},
      {"no bold anywhere", {{L"MS Sans Serif", K::kBitmap}, {L"Tahoma", K::kScalable}}, {L"Tahoma"}, L"Tahoma", L"",
       L"MS Sans Serif", L"Tahoma"},
  };
  for (const System& system : systems) {
    jj::FaceAnswers answers{
        [&](const std::wstring& face) {
          auto it = system.kinds.find(face);
          return it == system.kinds.end() ? K::kMissing : it->second;
        },
        [&](const std::wstring& face) { return system.bold_like_regular.count(face) == 0; },
        [&] { return system.message; }, [&] { return system.sans; }};
    EXPECT_EQ(jj::ChooseFace(96, answers), system.at96) << system.name;
    for (UINT dpi : {120u, 144u, 192u}) EXPECT_EQ(jj::ChooseFace(dpi, answers), system.above) << system.name;
  }
}
