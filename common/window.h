// Window plumbing: twips, fonts, control tables, the window base class and
// the message loop.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <span>
#include <string>

namespace jj {

// Twips to pixels at a DPI: 15 twips are one pixel at 96 DPI.
int Twips(int twips, UINT dpi);

enum FontStyle : unsigned {
  kFontDefault = 0,
  kFontBold = 1,
  kFontUnderline = 2,
  kFontCentralEurope = 4,  // character set 238
  kFontBlue = 8,           // drawn in pure blue (the colour is the window's business)
};

// The program's fonts, made once per style and DPI and owned here, not by controls.
class Fonts {
 public:
  ~Fonts();
  HFONT Get(unsigned style, UINT dpi);
  // The face for a DPI and character set; null when none of ours has it.
  static const wchar_t* Face(UINT dpi, BYTE charset);

 private:
  std::map<std::pair<unsigned, UINT>, HFONT> cache_;
};
Fonts& ProgramFonts();

// One control of a window's layout sheet: created in table order, which is
// the tab order.
struct ControlSpec {
  int id;
  const wchar_t* cls;   // WC_STATICW, WC_BUTTONW, WC_EDITW, WC_LISTVIEWW, ...
  const wchar_t* text;
  int left, top, width, height;  // twips in the client area
  DWORD style;                   // besides WS_CHILD
  unsigned font = kFontDefault;
  DWORD ex_style = 0;
};

// Styles of the usual kinds.
inline constexpr DWORD kLabel = SS_LEFT | WS_VISIBLE;
inline constexpr DWORD kValueLabel = SS_LEFT | SS_NOPREFIX | WS_VISIBLE;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kDefButton = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kFileListStyle = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_TABSTOP |
                                        WS_VISIBLE | WS_VSCROLL;

// Base of every window: `this` is kept from WM_NCCREATE, every message goes to
// one virtual handler, and no C++ exception crosses the system's code. The
// window class gets the dialog manager (DefDlgProc), so Tab, access keys, the
// default button and Esc behave as in any dialog.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  UINT Dpi() const;
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const;

 protected:
  struct Frame {
    const wchar_t* class_name;
    std::wstring title;
    DWORD style;
    DWORD ex_style;
    int client_width, client_height;  // twips
    HWND owner;
    HICON big_icon, small_icon;
  };
  // Creates the window (not yet shown), centred on the screen, then its controls.
  void Create(const Frame& frame, std::span<const ControlSpec> controls);
  // Places the window's controls and sets their fonts for the window's DPI.
  void LayOut();

  // Runs after each layout, for what the table does not hold (icons by DPI).
  virtual void OnLayout() {}
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
  // Reports an unexpected failure inside a handler.
  virtual void OnUnexpected(const char* what);

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  void SizeFrame(bool centre);
  void FitCaption(HWND item, const ControlSpec& c, UINT dpi);

  std::span<const ControlSpec> controls_;
  int client_width_ = 0, client_height_ = 0;
};

// Passes a message to the dialog manager of the active window; true when it
// was taken there.
bool DialogMessage(MSG& msg);

// The message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();

// Handles every message already queued (tests, and message boxes' callers).
void PumpPending();

}  // namespace jj
