#include "window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
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

}  // namespace

// "MS Sans Serif" where it exists in the character set. Above 96 DPI a bitmap
// face would be scaled and blurred, so only a scalable face serves there, and
// the nearest scalable sans-serif takes its place.
const wchar_t* Fonts::Face(UINT dpi, BYTE charset) {
  static std::map<BYTE, std::array<DWORD, 4>> kinds;
  auto it = kinds.find(charset);
  if (it == kinds.end()) {
    std::array<DWORD, 4> k{};
    for (int i = 0; i < 4; ++i) k[i] = FaceKinds(kFaces[i], charset);
    it = kinds.emplace(charset, k).first;
  }
  for (int i = 0; i < 4; ++i)
    if (it->second[i] & (dpi <= 96 ? 3 : 2)) return kFaces[i];
  return nullptr;
}

Fonts::~Fonts() {
  for (auto& [key, font] : cache_) DeleteObject(font);
}

HFONT Fonts::Get(unsigned style, UINT dpi) {
  style &= kFontBold | kFontUnderline | kFontCentralEurope;
  auto key = std::make_pair(style, dpi);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(825, static_cast<int>(dpi), 7200);  // 8.25 points
  lf.lfWeight = (style & kFontBold) ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = (style & kFontUnderline) ? TRUE : FALSE;
  // Central European where our face has it; otherwise the same face in its
  // own character set rather than a wider stand-in.
  const wchar_t* face = Face(dpi, DEFAULT_CHARSET);
  bool central = (style & kFontCentralEurope) && face && face == Face(dpi, EASTEUROPE_CHARSET);
  lf.lfCharSet = central ? EASTEUROPE_CHARSET : DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, face ? face : L"MS Shell Dlg", LF_FACESIZE - 1);
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

// Labels up to this height (twips) hold one line of text.
constexpr int kOneLine = 300;

// A one-line caption (a label or a check box) whose text the face at hand
// draws wider than the layout sheet allows (a stand-in face at a high DPI) is
// widened to its text, as far as the next control on its row or the
// window's edge; a label that still does not fit ends in an ellipsis rather
// than wrapping onto a hidden second line.
void Window::FitCaption(HWND item, const ControlSpec& c, UINT dpi) {
  bool label = c.style == kLabel;
  if (label) SetWindowLongPtrW(item, GWL_STYLE, WS_CHILD | c.style);
  HDC dc = GetDC(item);
  HGDIOBJ old = SelectObject(dc, ProgramFonts().Get(c.font, dpi));
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, c.text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(item, dc);
  int need = r.right + (label ? 0 : GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + Twips(90, dpi));
  int width = Twips(c.width, dpi);
  if (need <= width) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  int limit = client.right - Twips(60, dpi);
  for (const ControlSpec& d : controls_) {
    bool same_row = d.top < c.top + c.height && c.top < d.top + d.height;
    if (&d != &c && (d.style & WS_VISIBLE) && same_row && d.left >= c.left + c.width)
      limit = std::min(limit, Twips(d.left, dpi) - Twips(60, dpi));
  }
  int fitted = std::max(width, std::min(need, limit - Twips(c.left, dpi)));
  SetWindowPos(item, nullptr, 0, 0, fitted, Twips(c.height, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (label && fitted < need)
    SetWindowLongPtrW(item, GWL_STYLE, WS_CHILD | (c.style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS);
}

void Window::LayOut() {
  UINT dpi = Dpi();
  for (const ControlSpec& c : controls_) {
    HWND item = Item(c.id);
    SetWindowPos(item, nullptr, Twips(c.left, dpi), Twips(c.top, dpi), Twips(c.width, dpi),
                 Twips(c.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFonts().Get(c.font, dpi)), FALSE);
    if ((c.style == kLabel && c.height <= kOneLine) || c.style == kCheck) FitCaption(item, c, dpi);
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

bool DialogMessage(MSG& msg) {
  HWND active = GetActiveWindow();
  if (!active) return false;
  // The dialog manager belongs to the top-level window that holds the message's target.
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : active;
  return IsDialogMessageW(top ? top : active, &msg) != FALSE;
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
