#include "window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace jj {

int Twips(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  *reinterpret_cast<DWORD*>(found) |= (type & TRUETYPE_FONTTYPE) ? 2 : 1;
  return 1;
}

// 0: no such face in that character set; bit 1: a raster (bitmap) face; bit 2: a scalable one.
DWORD FaceKinds(const wchar_t* face, BYTE charset) {
  LOGFONTW lf{};
  lf.lfCharSet = charset;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  DWORD found = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

const wchar_t* const kFaces[] = {L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma", L"Arial"};
// Stand-ins where none of the above is installed (a Wine prefix without
// Wine's own fonts has only the system's), then narrower faces.
const wchar_t* const kMoreFaces[] = {L"Liberation Sans", L"DejaVu Sans", L"Arial Narrow", L"Liberation Sans Narrow",
                                     L"DejaVu Sans Condensed"};

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

// Where a control draws its caption and with which DrawText flags; false for
// controls that show no caption (lists, edit boxes, pictures, lines).
bool CaptionBox(HWND control, HDC dc, RECT& area, UINT& format) {
  wchar_t cls[32] = L"";
  GetClassNameW(control, cls, 32);
  LONG style = GetWindowLongW(control, GWL_STYLE);
  UINT dpi = GetDpiForWindow(control);
  if (!dpi) dpi = 96;
  GetClientRect(control, &area);
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
      area.left += MulDiv(12, static_cast<int>(dpi), 96) + 1 + digit / 2;
      area.right -= 1;
      format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
      return true;
    }
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: {
      int edge = MulDiv(3, static_cast<int>(dpi), 96);
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

}  // namespace

bool TextFits(HWND control, const std::wstring& text, HFONT font, int spare_rows) {
  if (text.empty() || !font) return true;
  Canvas probe(1, 1);
  HGDIOBJ old = SelectObject(probe.dc(), font);
  RECT area;
  UINT format = 0;
  bool has_caption = CaptionBox(control, probe.dc(), area, format);
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

bool Fonts::HasCharset(const std::wstring& face, BYTE charset) { return FaceKinds(face.c_str(), charset) != 0; }

int Fonts::NominalHeight(UINT dpi) { return MulDiv(825, static_cast<int>(dpi), 7200); }  // 8.25 points

std::vector<std::wstring> Fonts::InstalledFaces() {
  static const std::vector<std::wstring> faces = [] {
    std::vector<std::wstring> found;
    for (const wchar_t* face : kFaces)
      if (FaceKinds(face, DEFAULT_CHARSET)) found.emplace_back(face);
    for (const wchar_t* face : kMoreFaces)
      if (FaceKinds(face, DEFAULT_CHARSET)) found.emplace_back(face);
    return found;
  }();
  return faces;
}

Fonts::~Fonts() {
  for (auto& [key, font] : cache_) DeleteObject(font);
}

HFONT Fonts::Get(unsigned style, UINT dpi) {
  std::vector<std::wstring> faces = InstalledFaces();
  return Get(style, FontChoice{faces.empty() ? L"MS Shell Dlg" : faces.front(), NominalHeight(dpi)});
}

HFONT Fonts::Get(unsigned style, const FontChoice& choice) {
  style &= kFontBold | kFontUnderline | kFontCentralEurope;
  auto key = std::make_tuple(style, choice.face, choice.height);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -choice.height;
  lf.lfWeight = (style & kFontBold) ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = (style & kFontUnderline) ? TRUE : FALSE;
  // Central European where the face has it; otherwise the same face in its
  // own character set rather than a wider stand-in.
  bool central = (style & kFontCentralEurope) && HasCharset(choice.face, EASTEUROPE_CHARSET);
  lf.lfCharSet = central ? EASTEUROPE_CHARSET : DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, choice.face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  cache_.emplace(key, font);
  return font;
}

Fonts& ProgramFonts() {
  static Fonts fonts;
  return fonts;
}

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

UINT Window::Dpi() const {
  UINT dpi = hwnd_ ? GetDpiForWindow(hwnd_) : 0;
  return dpi ? dpi : 96;
}

std::wstring Window::ItemText(int id) const {
  HWND item = Item(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Window::SetItemText(int id, const std::wstring& text) const { SetWindowTextW(Item(id), text.c_str()); }

void Window::Create(const Frame& frame, std::span<const ControlSpec> controls) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance, frame.class_name, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = frame.class_name;
    RegisterClassExW(&wc);
  }
  controls_ = controls;
  client_width_ = frame.client_width;
  client_height_ = frame.client_height;
  HWND hwnd = CreateWindowExW(frame.ex_style | WS_EX_CONTROLPARENT, frame.class_name, frame.title.c_str(),
                              frame.style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, frame.owner,
                              nullptr, instance, this);
  if (!hwnd) throw std::runtime_error("CreateWindowExW failed");
  if (frame.big_icon) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(frame.big_icon));
  if (frame.small_icon) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(frame.small_icon));
  for (const ControlSpec& c : controls) {
    CreateWindowExW(c.ex_style, c.cls, c.text, WS_CHILD | c.style, 0, 0, 0, 0, hwnd,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
  }
  SizeFrame(true);
  LayOut();
}

void Window::SizeFrame(bool centre) {
  UINT dpi = Dpi();
  RECT r{0, 0, Twips(client_width_, dpi), Twips(client_height_, dpi)};
  DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  DWORD ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
  AdjustWindowRectExForDpi(&r, style, FALSE, ex, dpi);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (!centre) {
    SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &mi);
  const RECT& work = mi.rcWork;
  int x = work.left + ((work.right - work.left) - w) / 2;
  int y = work.top + ((work.bottom - work.top) - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Window::Font(unsigned style) const { return ProgramFonts().Get(style, choice_); }

// Grows a control that is sized to its text until the text fits, never
// shrinking it below the table's size.
void Window::SizeToText(HWND item, const ControlSpec& c) {
  UINT dpi = Dpi();
  int width = Twips(c.width, dpi), height = Twips(c.height, dpi);
  std::wstring text = c.text;
  HFONT font = Font(c.font);
  // Wider first, up to twice the table's width, then taller.
  for (int i = 0; i < 400 && !TextFits(item, text, font); ++i) {
    if (width < 2 * Twips(c.width, dpi))
      ++width;
    else
      ++height;
    SetWindowPos(item, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool Window::AllFit(const FontChoice& choice) const {
  for (const ControlSpec& c : controls_) {
    if (!(c.style & WS_VISIBLE) || c.sized_to_text) continue;
    HWND item = Item(c.id);
    HFONT font = ProgramFonts().Get(c.font, choice);
    if ((c.font & kFontBold) && !BoldShows(font)) return false;
    if (c.text && !TextFits(item, c.text, font)) return false;
    for (const wchar_t* text : c.longest)
      if (!TextFits(item, text, font)) return false;
  }
  return true;
}

// The layout stays that of the table; the font is what gives way. At 96 DPI
// the described face at its size, as the table was drawn for it (its two-line
// value labels lose at most the last pixel row of a descender there);
// otherwise the largest size, from the described one down by pixels, at
// which some installed face, the described one first and narrower ones
// later, fits every text and still draws its bold visibly bold.
FontChoice Window::ChooseFont(UINT dpi) const {
  std::vector<std::wstring> faces = Fonts::InstalledFaces();
  int nominal = Fonts::NominalHeight(dpi);
  if (faces.empty()) return {L"MS Shell Dlg", nominal};
  if (dpi == 96 && faces.front() == kFaces[0]) return {faces.front(), nominal};
  FontChoice last{faces.front(), nominal};
  for (int height = nominal; height >= std::max(6, nominal * 2 / 3); --height) {
    for (const std::wstring& face : faces) {
      FontChoice choice{face, height};
      if (AllFit(choice)) return choice;
      last = choice;
    }
  }
  return last;  // nothing fits: the smallest we tried
}

void Window::LayOut() {
  UINT dpi = Dpi();
  for (const ControlSpec& c : controls_)
    SetWindowPos(Item(c.id), nullptr, Twips(c.left, dpi), Twips(c.top, dpi), Twips(c.width, dpi),
                 Twips(c.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  choice_ = ChooseFont(dpi);
  for (const ControlSpec& c : controls_) {
    HWND item = Item(c.id);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(Font(c.font)), FALSE);
    if (c.sized_to_text) SizeToText(item, c);
    if (c.cls == std::wstring_view(WC_LISTVIEWW)) {
      RECT client;
      GetClientRect(item, &client);
      int width = client.right - client.left - GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
      LVCOLUMNW col{};
      col.mask = LVCF_WIDTH;
      col.cx = width > 0 ? width : 0;
      if (SendMessageW(item, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(col.cx, 0)) == FALSE)
        SendMessageW(item, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    }
  }
  OnLayout();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) { return DefDlgProcW(hwnd_, msg, wp, lp); }

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

void Window::OnUnexpected(const char* what) {
  std::wstring text = L"An unexpected error stopped this command:\r\n";
  for (const char* p = what; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  MessageBoxW(hwnd_, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DPICHANGED) {
    const RECT* r = reinterpret_cast<const RECT*>(lp);
    SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SizeFrame(false);
    LayOut();
    return 0;
  }
  return OnMessage(msg, wp, lp);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefDlgProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefDlgProcW(hwnd, msg, wp, lp);
  }
  try {
    return self->Dispatch(msg, wp, lp);
  } catch (const std::exception& e) {
    self->OnUnexpected(e.what());
  } catch (...) {
    self->OnUnexpected("unknown error");
  }
  return 0;
}

namespace {

// The access key of a control's caption (the letter after a lone "&"), upper
// case; 0 when it has none.
wchar_t AccessKey(HWND control) {
  wchar_t cls[32] = L"";
  GetClassNameW(control, cls, 32);
  LONG style = GetWindowLongW(control, GWL_STYLE);
  if (_wcsicmp(cls, WC_STATICW) == 0) {
    if (style & SS_NOPREFIX) return 0;
  } else if (_wcsicmp(cls, WC_BUTTONW) != 0 || (style & BS_TYPEMASK) == BS_OWNERDRAW) {
    return 0;
  }
  wchar_t text[256] = L"";
  GetWindowTextW(control, text, 256);
  for (const wchar_t* p = text; *p; ++p) {
    if (*p != L'&') continue;
    if (p[1] != L'&') return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(
                           reinterpret_cast<wchar_t*>(static_cast<UINT_PTR>(p[1])))));
    ++p;  // "&&" shows one "&"
  }
  return 0;
}

// An access key that two or more controls of the window share only moves the
// focus, to the next of them after the focused control (a label hands it on
// to the control after it): it never presses a button or ticks a box. The
// system's dialog manager does not keep to that everywhere, so we do it here.
bool SharedAccessKey(HWND dialog, const MSG& msg) {
  if (msg.message != WM_SYSCHAR && msg.message != WM_CHAR) return false;
  if (msg.message == WM_CHAR) {
    // A plain letter is an access key only where the focused control takes no
    // typing (a button or a check box).
    LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
  }
  if (msg.wParam == 0 || msg.wParam > 0xFFFF) return false;
  wchar_t key = static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<wchar_t*>(static_cast<UINT_PTR>(msg.wParam)))));
  HWND focus = GetFocus();
  std::vector<HWND> sharing;  // in tab order
  std::size_t after_focus = 0;  // how many of them come before the focused control
  bool focus_seen = false;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c == focus || IsChild(c, focus)) {
      focus_seen = true;
      after_focus = sharing.size();
    }
    if (!IsWindowVisible(c) || !IsWindowEnabled(c) || AccessKey(c) != key) continue;
    sharing.push_back(c);
  }
  if (sharing.size() < 2) return false;
  if (!focus_seen) after_focus = 0;
  // The next sharing control after the focused one, round to the first.
  std::size_t next = after_focus;
  if (next < sharing.size() && (sharing[next] == focus || IsChild(sharing[next], focus))) ++next;
  HWND to = sharing[next % sharing.size()];
  wchar_t cls[32] = L"";
  GetClassNameW(to, cls, 32);
  if (_wcsicmp(cls, WC_STATICW) == 0) to = GetNextDlgTabItem(dialog, to, FALSE);
  if (to) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(to), TRUE);
  return true;
}

}  // namespace

bool DialogMessage(MSG& msg) {
  HWND active = GetActiveWindow();
  if (!active) return false;
  // The dialog manager belongs to the top-level window that holds the message's target.
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : active;
  if (!top) top = active;
  if (SharedAccessKey(top, msg)) return true;
  return IsDialogMessageW(top, &msg) != FALSE;
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (DialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (DialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace jj
