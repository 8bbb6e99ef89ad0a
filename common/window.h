// Window plumbing: twips, fonts, control tables, the window base class and
// the message loop.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <span>
#include <string>
#include <tuple>
#include <vector>

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

// A face and a character height in pixels, shared by every text of a window.
struct FontChoice {
  std::wstring face;
  int height = 0;
  bool operator==(const FontChoice&) const = default;
};

// The program's fonts, made once per style, face and size and owned here, not
// by controls.
class Fonts {
 public:
  ~Fonts();
  // The first installed of our faces at the described size (8.25 points);
  // windows use their own choice (Window::Font).
  HFONT Get(unsigned style, UINT dpi);
  HFONT Get(unsigned style, const FontChoice& choice);
  // Whether a face is installed in a character set.
  static bool HasCharset(const std::wstring& face, BYTE charset);
  // The described size at a DPI, as a character height in pixels.
  static int NominalHeight(UINT dpi);
  // The faces to try, best first, that are installed: the described face,
  // its usual stand-ins, then narrower ones.
  static std::vector<std::wstring> InstalledFaces();

 private:
  std::map<std::tuple<unsigned, std::wstring, int>, HFONT> cache_;
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
  // The longest texts that the program puts into the control (value labels);
  // the font is chosen so that these fit as well as the caption.
  std::span<const wchar_t* const> longest = {};
  // Sized to its text in the window's font (the table's size is that of the
  // text in the described face).
  bool sized_to_text = false;
};

// Whether `text`, drawn with `font` as `control` draws its caption (the same
// box and format flags), stays inside the control: no part cut off at an
// edge, no line wrapped below the bottom. Measured by drawing it.
// `spare_rows` lets ink reach that many pixel rows below the bottom.
bool TextFits(HWND control, const std::wstring& text, HFONT font, int spare_rows = 0);

// Whether a bold font draws visibly bolder than the same font at regular
// weight (some faces draw both alike at some sizes or character sets).
bool BoldShows(HFONT bold);

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
  // The font of a style in the face and size chosen for this window.
  HFONT Font(unsigned style) const;
  const FontChoice& Choice() const { return choice_; }
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
  FontChoice ChooseFont(UINT dpi) const;
  void SizeToText(HWND item, const ControlSpec& c);
  bool AllFit(const FontChoice& choice) const;

  std::span<const ControlSpec> controls_;
  int client_width_ = 0, client_height_ = 0;
  FontChoice choice_;
};

// Passes a message to the dialog manager of the active window; true when it
// was taken there.
bool DialogMessage(MSG& msg);

// The message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();

// Handles every message already queued (tests, and message boxes' callers).
void PumpPending();

}  // namespace jj
