#include "ui/accesskeys.h"

#include <commctrl.h>

#include <vector>

namespace jj {

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

}  // namespace jj
