// Measuring a control's text against its rectangle, as the control draws it;
// where a window is centred.
#include <gtest/gtest.h>

#include <utility>

#include "tests/support/support.h"
#include "ui/window.h"

namespace {

class Sheet : public jj::Window {
 public:
  explicit Sheet(std::span<const jj::ControlSpec> controls) {
    Create({L"JJ2LayoutSheet", L"Sheet", WS_OVERLAPPED | WS_CAPTION, 0, 4500, 3000, nullptr, nullptr, nullptr},
           controls);
  }
  RECT Rect(int id) const {
    RECT r;
    GetWindowRect(Item(id), &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

}  // namespace

TEST(Layout, TextFitsMeasuresAsTheControlDrawsAndCatchesCutAndHiddenLines) {
  static const jj::ControlSpec controls[] = {
      {100, WC_STATICW, L"Fits", 120, 120, 1500, 255, jj::kLabel},
      {101, WC_STATICW, L"", 120, 480, 1500, 255, jj::kLabel},
      {102, WC_BUTTONW, L"", 120, 840, 1500, 255, jj::kCheck},
      {103, WC_BUTTONW, L"", 120, 1200, 1500, 375, jj::kButton},
  };
  Sheet sheet(controls);
  HFONT font = sheet.Font(jj::kFontDefault);
  // One line: a short text fits, a long one is cut at the right edge.
  EXPECT_TRUE(jj::TextFits(sheet.Item(101), L"Short", font));
  EXPECT_FALSE(jj::TextFits(sheet.Item(101), L"A caption far wider than its label can show", font));
  // Words that wrap onto a second line that the label cannot show.
  EXPECT_FALSE(jj::TextFits(sheet.Item(101), L"Several short words that wrap onto a second line", font));
  EXPECT_FALSE(jj::TextFits(sheet.Item(101), L"One\rTwo", font));
  // The same text that fits a label of that width does not fit beside a check box.
  std::wstring text = L"W";
  while (jj::TextFits(sheet.Item(101), text + L"W", font)) text += L"W";
  EXPECT_TRUE(jj::TextFits(sheet.Item(101), text, font));
  EXPECT_FALSE(jj::TextFits(sheet.Item(102), text, font));
  EXPECT_FALSE(jj::TextFits(sheet.Item(103), text, font));  // nor between a button's edges
  EXPECT_TRUE(jj::TextFits(sheet.Item(102), L"&Short", font));
}

TEST(Layout, AWindowIsCentredInTheWorkAreaOfItsScreenWithItsTitleBarInside) {
  auto at = [](RECT work, int width, int height) {
    POINT p = jj::CentredIn(work, width, height);
    return std::make_pair(p.x, p.y);
  };
  using Point = std::pair<long, long>;
  // A second screen left of the main one, its task bar at the bottom.
  EXPECT_EQ(at({-1920, 0, 0, 1040}, 400, 300), (Point{-1160, 370}));
  // One to the right, its task bar at the top; and one above the main one.
  EXPECT_EQ(at({1920, 40, 3840, 1080}, 400, 300), (Point{2680, 410}));
  EXPECT_EQ(at({0, -1440, 2560, 0}, 1000, 701), (Point{780, -1071}));
  // Larger than the area: from its top left corner, as far as it goes.
  EXPECT_EQ(at({-1024, -768, 0, 0}, 2000, 700), (Point{-1024, -734}));
  EXPECT_EQ(at({0, 0, 800, 600}, 1000, 700), (Point{0, 0}));
}
