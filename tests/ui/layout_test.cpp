// Measuring a control's text against its rectangle, as the control draws it.
#include <gtest/gtest.h>

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
