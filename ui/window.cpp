#include "ui/window.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "ui/accesskeys.h"
#include "ui/report.h"
#include "ui/system.h"

namespace jj {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

UINT Window::Dpi() const { return hwnd_ ? WindowDpi(hwnd_) : kBaseDpi; }

HFONT Window::Font(unsigned style) const { return ProgramFonts().Get(style, choice_); }

std::wstring Window::ItemText(int id) const { return TextOf(Item(id)); }

void Window::SetItemText(int id, const std::wstring& text) const { SetWindowTextW(Item(id), text.c_str()); }

void Window::Create(const Frame& frame, std::span<const ControlSpec> controls,
                    std::initializer_list<Caption> captions) {
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
  // An owned window is made on its owner's screen, so that it has that
  // screen's DPI from the start; it is centred there below.
  POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
  if (frame.owner) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromWindow(frame.owner, MONITOR_DEFAULTTONEAREST), &mi))
      at = {mi.rcWork.left, mi.rcWork.top};
  }
  HWND hwnd = CreateWindowExW(frame.ex_style | WS_EX_CONTROLPARENT, frame.class_name, frame.title.c_str(),
                              frame.style, at.x, at.y, 100, 100, frame.owner, nullptr, instance, this);
  if (!hwnd) throw std::runtime_error("CreateWindowExW failed");
  if (frame.big_icon) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(frame.big_icon));
  if (frame.small_icon) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(frame.small_icon));
  // The fonts of the window that owns this one, if it is one of ours;
  // otherwise those chosen for this window's table and the tables it opens.
  if (frame.owner && GetWindowLongPtrW(frame.owner, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(Proc))
    if (auto* owner = reinterpret_cast<Window*>(GetWindowLongPtrW(frame.owner, GWLP_USERDATA))) fonts_ = owner->fonts_;
  if (!fonts_) {
    std::vector<Sheet> sheets{{controls, {}}};
    for (const Caption& caption : captions) sheets.front().captions.emplace_back(caption.id, caption.text);
    for (std::span<const ControlSpec> opened : frame.opens) sheets.push_back({opened});
    fonts_ = std::make_shared<FontPlan>(std::move(sheets));
  }
  CreateControls(hwnd, controls, captions);
  SizeFrame(hwnd, client_width_, client_height_, true);
  LayOut();
}

void Window::LayOut() {
  choice_ = fonts_->At(Dpi());
  LayOutControls(hwnd_, controls_, Dpi(), choice_);
  OnLayout();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) { return DefDlgProcW(hwnd_, msg, wp, lp); }

bool Window::OnClick(int) { return false; }

bool Window::OnCommand(int, int) { return false; }

void Window::OnClose() { DestroyWindow(hwnd_); }

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

std::wstring Window::BoxTitle() const { return TextOf(hwnd_); }

void Window::OnUnexpected(const char* what) { Warn(Boxes(), hwnd_, BoxTitle(), UnexpectedText(what)); }

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if ((HIWORD(wp) == BN_CLICKED && OnClick(LOWORD(wp))) || OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DPICHANGED: {
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      SizeFrame(hwnd_, client_width_, client_height_, false);
      LayOut();
      return 0;
    }
  }
  return OnMessage(msg, wp, lp);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ScaleFrameWithDpi(hwnd);
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

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (DialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace jj
