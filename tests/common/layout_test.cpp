// Laying a window out from its table: twips to pixels, and one-line captions
// that a wider face cannot hold.
#include <gtest/gtest.h>

#include "support.h"
#include "window.h"

namespace {

class Sheet : public jj::Window {
 public:
  Sheet() {
    static const jj::ControlSpec controls[] = {
        {100, WC_STATICW, L"A caption far wider than its label", 120, 120, 600, 255, jj::kLabel},
        {101, WC_STATICW, L"A caption beside a box that is far too long", 120, 480, 600, 255, jj::kLabel},
        {102, WC_EDITW, L"", 1200, 480, 1000, 285, jj::kTextBox},
        {103, WC_STATICW, L"A paragraph that wraps over several lines of its label.", 120, 960, 600, 975, jj::kLabel},
        {104, WC_BUTTONW, L"A check box with a long caption", 120, 2040, 600, 255, jj::kCheck},
        {105, WC_STATICW, L"Fits", 120, 2400, 1500, 255, jj::kLabel},
    };
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

TEST(Layout, OneLineCaptionsWidenToTheirTextButNeverOverTheirNeighbour) {
  Sheet sheet;
  UINT dpi = sheet.Dpi();
  RECT client;
  GetClientRect(sheet.hwnd(), &client);
  // Widened, up to the window's edge at most.
  RECT wide = sheet.Rect(100);
  EXPECT_GT(wide.right - wide.left, jj::Twips(600, dpi));
  EXPECT_LE(wide.right, client.right);
  EXPECT_EQ(wide.bottom - wide.top, jj::Twips(255, dpi));
  // Stopped short of the box on its row, ending in an ellipsis.
  RECT beside = sheet.Rect(101);
  EXPECT_LT(beside.right, jj::Twips(1200, dpi));
  EXPECT_TRUE(GetWindowLongW(sheet.Item(101), GWL_STYLE) & SS_ENDELLIPSIS);
  // A paragraph keeps its size and wraps; a caption that fits keeps its size.
  RECT para = sheet.Rect(103);
  EXPECT_EQ(para.right - para.left, jj::Twips(600, dpi));
  EXPECT_FALSE(GetWindowLongW(sheet.Item(103), GWL_STYLE) & SS_ENDELLIPSIS);
  RECT fits = sheet.Rect(105);
  EXPECT_EQ(fits.right - fits.left, jj::Twips(1500, dpi));
  // Check boxes widen too.
  RECT check = sheet.Rect(104);
  EXPECT_GT(check.right - check.left, jj::Twips(600, dpi));
}
