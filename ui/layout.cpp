#include "ui/layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/system.h"

namespace jj {

int Twips(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

namespace {

// A white 32-bit picture to draw text into and look for ink.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (!dc_ || !bitmap_ || !bits_) throw std::runtime_error("could not make a picture to measure text in");
    old_ = SelectObject(dc_, bitmap_);
    std::fill(bits_, bits_ + static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFFFFFFu);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  // Darkness of a pixel, 0 (white) to 765 (black).
  int Ink(int x, int y) const {
    std::uint32_t p = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return 765 - static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
  }
  long long TotalInk() const {
    long long n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += Ink(x, y);
    return n;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Fainter than this is the fringe of smoothing, not a visible part of a letter.
constexpr int kVisibleInk = 200;

bool CaptionBox(const wchar_t* cls, LONG style, UINT dpi, HDC dc, RECT& area, UINT& format);

// Where a control draws its caption and with which DrawText flags; false for
// controls that show no caption (lists, edit boxes, pictures, lines).
bool CaptionBox(HWND control, HDC dc, RECT& area, UINT& format) {
  wchar_t cls[32] = L"";
  GetClassNameW(control, cls, 32);
  LONG style = GetWindowLongW(control, GWL_STYLE);
  UINT dpi = WindowDpi(control);
  GetClientRect(control, &area);
  return CaptionBox(cls, style, dpi, dc, area, format);
}

// The same for a control of that class and style at a DPI, `area` its client
// area on the way in.
bool CaptionBox(const wchar_t* cls, LONG style, UINT dpi, HDC dc, RECT& area, UINT& format) {
  if (_wcsicmp(cls, WC_STATICW) == 0) {
    switch (style & SS_TYPEMASK) {
      case SS_LEFT: format = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS; break;
      case SS_CENTER: format = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS; break;
      case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS; break;
      case SS_LEFTNOWORDWRAP: case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE | DT_EXPANDTABS; break;
      default: return false;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    return true;
  }
  if (_wcsicmp(cls, WC_BUTTONW) != 0) return false;
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: {
      // The box, then half a digit's width of space, then the text; the
      // focus rectangle takes one more pixel round the text.
      int digit = 0;
      GetCharWidth32W(dc, L'0', L'0', &digit);
      area.left += ScaleToDpi(12, dpi) + 1 + digit / 2;
      area.right -= 1;
      format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
      return true;
    }
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: {
      int edge = ScaleToDpi(3, dpi);
      InflateRect(&area, -edge, -edge);
      format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
      return true;
    }
    case BS_OWNERDRAW:  // drawn by its window, as one line from the left
      format = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;
      return true;
  }
  return false;
}

// Whether `text` drawn with `font` stays inside the caption box that `box`
// finds (with the font selected into the DC it is given).
bool Fits(const std::function<bool(HDC, RECT&, UINT&)>& box, const std::wstring& text, HFONT font,
          int spare_rows) {
  if (text.empty() || !font) return true;
  Canvas probe(1, 1);
  HGDIOBJ old = SelectObject(probe.dc(), font);
  RECT area;
  UINT format = 0;
  bool has_caption = box(probe.dc(), area, format);
  RECT need = area;
  if (has_caption) DrawTextW(probe.dc(), text.c_str(), -1, &need, format | DT_CALCRECT);
  SelectObject(probe.dc(), old);
  if (!has_caption) return true;
  int width = area.right - area.left, height = area.bottom - area.top;
  int need_w = need.right - need.left, need_h = need.bottom - need.top;
  if (need_w <= width && need_h <= height + spare_rows) return true;
  // The lines take more room than the box; what counts is whether any of
  // their ink lies outside it (the last line's empty bottom rows may).
  int pad_x = 16 + need_w, pad_y = 16 + need_h;
  Canvas canvas(width + 2 * pad_x, height + 2 * pad_y);
  old = SelectObject(canvas.dc(), font);
  RECT at{pad_x, pad_y, pad_x + width, pad_y + height};
  DrawTextW(canvas.dc(), text.c_str(), -1, &at, format | DT_NOCLIP);
  SelectObject(canvas.dc(), old);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      bool inside = x >= at.left && x < at.right && y >= at.top && y < at.bottom + spare_rows;
      if (!inside && canvas.Ink(x, y) >= kVisibleInk) return false;
    }
  return true;
}

}  // namespace

bool TextFits(HWND control, const std::wstring& text, HFONT font, int spare_rows) {
  return Fits([control](HDC dc, RECT& area, UINT& format) { return CaptionBox(control, dc, area, format); }, text,
              font, spare_rows);
}

bool BoldShows(HFONT bold) {
  static const wchar_t kSample[] = L"Level Information:";
  LOGFONTW lf{};
  if (!GetObjectW(bold, sizeof lf, &lf)) return false;
  lf.lfWeight = FW_NORMAL;
  HFONT regular = CreateFontIndirectW(&lf);
  if (!regular) return false;
  long long ink[2];
  int h = std::abs(lf.lfHeight) * 3 + 8;
  for (int i = 0; i < 2; ++i) {
    Canvas canvas(h * 20, h);
    HGDIOBJ old = SelectObject(canvas.dc(), i ? bold : regular);
    RECT r{4, 4, canvas.width(), canvas.height()};
    DrawTextW(canvas.dc(), kSample, -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(canvas.dc(), old);
    ink[i] = canvas.TotalInk();
  }
  DeleteObject(regular);
  // Bold strokes are about half as thick again as regular ones, or more.
  return ink[1] * 10 >= ink[0] * 12;
}

std::wstring TextOf(HWND item) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

namespace {

void Resize(HWND item, int width, int height) {
  SetWindowPos(item, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Grows a control that is sized to its text until the text fits, never
// shrinking it below the table's size: wider first, up to twice the table's
// width, then taller.
void SizeToText(HWND item, const ControlSpec& c, HFONT font, UINT dpi) {
  int width = Twips(c.width, dpi), height = Twips(c.height, dpi);
  std::wstring text = TextOf(item);
  for (int i = 0; i < 400 && !TextFits(item, text, font); ++i) {
    if (width < 2 * Twips(c.width, dpi))
      ++width;
    else
      ++height;
    Resize(item, width, height);
  }
}

// The right edge of a table's controls, in twips.
int RightEdge(std::span<const ControlSpec> controls) {
  int right = 0;
  for (const ControlSpec& c : controls) right = std::max(right, c.left + c.width);
  return right;
}

// The width in twips that a control may take for its text.
int WidthFor(const ControlSpec& c, std::span<const ControlSpec> controls) {
  return c.fit == Fit::kWiden ? std::max(c.width, RightEdge(controls) - c.left) : c.width;
}

// Widens a control that may widen to its text, no further than the text needs.
void WidenToText(HWND item, const ControlSpec& c, std::span<const ControlSpec> controls, HFONT font, UINT dpi) {
  std::wstring text = TextOf(item);
  if (TextFits(item, text, font)) return;
  int fits = Twips(WidthFor(c, controls), dpi), height = Twips(c.height, dpi);
  for (int cut = Twips(c.width, dpi) - 1; fits - cut > 1;) {  // the narrowest width that fits lies in (cut, fits]
    int width = (cut + fits) / 2;
    Resize(item, width, height);
    (TextFits(item, text, font) ? fits : cut) = width;
  }
  Resize(item, fits, height);
}

// The first text of the tables that does not fit its box with the choice,
// or a bold caption whose bold does not show; empty when all is well.
std::wstring FirstMisfit(const std::vector<Sheet>& sheets, const FontChoice& choice, UINT dpi) {
  std::map<HFONT, bool> bold;  // whether it shows, by font
  for (const Sheet& sheet : sheets)
    for (const ControlSpec& c : sheet.controls) {
      if (c.fit != Fit::kFont && c.fit != Fit::kWiden) continue;
      std::wstring caption = c.text;
      for (const auto& [id, text] : sheet.captions)
        if (id == c.id) caption = text;
      HFONT font = ProgramFonts().Get(c.font, choice);
      if ((c.font & kFontBold) && !caption.empty()) {
        auto [at, added] = bold.try_emplace(font, false);
        if (added) at->second = BoldShows(font);
        if (!at->second) return caption;
      }
      auto box = [&c, &sheet, dpi](HDC dc, RECT& area, UINT& format) {
        area = RECT{0, 0, Twips(WidthFor(c, sheet.controls), dpi), Twips(c.height, dpi)};
        return CaptionBox(c.cls, static_cast<LONG>(c.style), dpi, dc, area, format);
      };
      if (!Fits(box, caption, font, 0)) return caption;
      for (const wchar_t* text : c.longest)
        if (!Fits(box, text, font, 0)) return text;
    }
  return L"";
}

}  // namespace

const std::wstring& FaceAt(UINT dpi) {
  static std::map<UINT, std::wstring> faces;
  auto it = faces.find(dpi);
  if (it != faces.end()) return it->second;
  // Bold that shows at the nominal size or a little below it (Wine's Tahoma
  // draws its bold like its regular weight from 16 pixels up).
  auto bold_shows = [dpi](const std::wstring& face) {
    int nominal = Fonts::NominalHeight(dpi);
    for (int height = nominal; height * 10 >= nominal * 9; --height)
      if (BoldShows(ProgramFonts().Get(kFontBold, {face, height, {}}))) return true;
    return false;
  };
  FaceAnswers answers{Fonts::Kind, bold_shows, Fonts::MessageFace, Fonts::SansFace};
  return faces.emplace(dpi, ChooseFace(dpi, answers)).first->second;
}

// The layout stays that of the table; the size is what gives way, pixel by
// pixel down to two thirds of the nominal one. At 96 DPI in the described
// face the tables' own size: they were drawn for it (its two-line value
// labels lose at most the last pixel row of a descender there).
const FontChoice& FontPlan::At(UINT dpi) {
  auto it = chosen_.find(dpi);
  if (it != chosen_.end()) return it->second;
  FontChoice choice{FaceAt(dpi), Fonts::NominalHeight(dpi), {}};
  if (dpi != kBaseDpi || choice.face != kDescribedFace) {
    int lowest = std::max(6, choice.height * 2 / 3);
    for (std::wstring misfit; choice.height > lowest; --choice.height) {
      misfit = FirstMisfit(sheets_, choice, dpi);
      if (misfit.empty()) break;
      choice.limit = misfit;
    }
  }
  return chosen_.emplace(dpi, choice).first->second;
}

void CreateControls(HWND window, std::span<const ControlSpec> controls, std::initializer_list<Caption> captions) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlSpec& c : controls) {
    const wchar_t* text = c.text;
    for (const Caption& caption : captions)
      if (caption.id == c.id) text = caption.text;
    CreateWindowExW(c.ex_style, c.cls, text, WS_CHILD | c.style, 0, 0, 0, 0, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
  }
}

POINT CentredIn(const RECT& work, int width, int height) {
  // A window larger than the area keeps its title bar inside it, where it
  // can be taken and moved.
  return {std::max(work.left, work.left + ((work.right - work.left) - width) / 2),
          std::max(work.top, work.top + ((work.bottom - work.top) - height) / 2)};
}

void SizeFrame(HWND window, int client_width, int client_height, bool centre) {
  UINT dpi = WindowDpi(window);
  RECT r{0, 0, Twips(client_width, dpi), Twips(client_height, dpi)};
  DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  DWORD ex = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  AdjustWindowRectForDpi(&r, style, ex, dpi);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (!centre) {
    Resize(window, w, h);
    return;
  }
  // An owned window (the About box, a dialog) on its owner's screen, where
  // the user looks; a main window on the screen the system put it on.
  HWND owner = GetWindow(window, GW_OWNER);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTONEAREST), &mi);
  POINT at = CentredIn(mi.rcWork, w, h);
  SetWindowPos(window, nullptr, at.x, at.y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOutControls(HWND window, std::span<const ControlSpec> controls, UINT dpi, const FontChoice& choice) {
  for (const ControlSpec& c : controls)
    SetWindowPos(GetDlgItem(window, c.id), nullptr, Twips(c.left, dpi), Twips(c.top, dpi), Twips(c.width, dpi),
                 Twips(c.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  for (const ControlSpec& c : controls) {
    HWND item = GetDlgItem(window, c.id);
    HFONT font = ProgramFonts().Get(c.font, choice);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c.fit == Fit::kGrow) SizeToText(item, c, font, dpi);
    if (c.fit == Fit::kWiden) WidenToText(item, c, controls, font, dpi);
    if (c.cls == std::wstring_view(WC_LISTVIEWW)) {
      // One column as wide as the list without its scroll bar.
      RECT client;
      GetClientRect(item, &client);
      int width = client.right - client.left - SystemMetricForDpi(SM_CXVSCROLL, dpi);
      LVCOLUMNW col{};
      col.mask = LVCF_WIDTH;
      col.cx = width > 0 ? width : 0;
      if (SendMessageW(item, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(col.cx, 0)) == FALSE)
        SendMessageW(item, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    }
  }
}

}  // namespace jj
