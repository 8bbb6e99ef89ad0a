// Window layout from a table: twips, one row per control of a window,
// placing the controls at a DPI, and the one font of a program's windows that
// lets every text fit its control.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/fonts.h"

namespace jj {

// Twips to pixels at a DPI: 15 twips are one pixel at 96 DPI.
int Twips(int twips, UINT dpi);

// What the layout does with a control's text.
enum class Fit {
  kFont,  // the program's font is chosen so that the text (and `longest`) fits
  kGrow,  // the control grows to its text (its rectangle is that of the text in the described face)
  kWiden,  // the control widens to its text as far as the table's right edge (a check box alone on its
           // row); the font is chosen so that the text fits that far
  kNone,  // not measured (a hidden control)
};

// One control of a window: created in table order, which is
// the tab order.
struct ControlSpec {
  int id;
  const wchar_t* cls;   // WC_STATICW, WC_BUTTONW, WC_EDITW, WC_LISTVIEWW, ...
  const wchar_t* text;  // empty where the window sets it at creation (Caption)
  int left, top, width, height;  // twips in the client area
  DWORD style;                   // besides WS_CHILD
  unsigned font = kFontDefault;
  DWORD ex_style = 0;
  // The longest texts that the program puts into the control (value labels);
  // the font is chosen so that these fit as well as the caption.
  std::span<const wchar_t* const> longest = {};
  Fit fit = Fit::kFont;
};

// A text that a window gives one of its controls at creation instead of the
// table's (a caption that depends on the program).
struct Caption {
  int id;
  const wchar_t* text;
};

// Styles of the usual kinds.
inline constexpr DWORD kLabel = SS_LEFT | WS_VISIBLE;
inline constexpr DWORD kValueLabel = SS_LEFT | SS_NOPREFIX | WS_VISIBLE;
inline constexpr DWORD kSeparator = SS_ETCHEDHORZ | WS_VISIBLE;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kDefButton = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
inline constexpr DWORD kFileListStyle = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_TABSTOP |
                                        WS_VISIBLE | WS_VSCROLL;

// Creates the table's controls in `window`, in table order.
void CreateControls(HWND window, std::span<const ControlSpec> controls, std::initializer_list<Caption> captions);

// Gives the window a client area of the size in twips at its DPI; when asked,
// centred in the work area of its owner's screen (its own for a window
// without owner).
void SizeFrame(HWND window, int client_width, int client_height, bool centre);

// Where a window of that size goes to be centred in a screen's work area: its
// top left corner, never above or left of the area's.
POINT CentredIn(const RECT& work, int width, int height);

// The table of one of a program's windows, with the captions its window
// gives at creation.
struct Sheet {
  std::span<const ControlSpec> controls;
  std::vector<std::pair<int, std::wstring>> captions = {};
};

// The windows of one program share one font: the main window's, chosen for
// its own table and the tables of the windows it opens (About box, dialogs),
// once per DPI. The face is the same for every program (ChooseFace); the
// size is the nominal one, stepped down only as far as a text of one of the
// tables needs to fit its box, or a bold to show. At 96 DPI in the described
// face nothing is measured: the tables were drawn for it.
class FontPlan {
 public:
  explicit FontPlan(std::vector<Sheet> sheets) : sheets_(std::move(sheets)) {}
  const FontChoice& At(UINT dpi);

 private:
  std::vector<Sheet> sheets_;
  std::map<UINT, FontChoice> chosen_;
};

// The face of every window at a DPI, from the system's answers; decided once.
const std::wstring& FaceAt(UINT dpi);

// Places the controls at the DPI as the table has them and sets the fonts of
// the choice on them.
void LayOutControls(HWND window, std::span<const ControlSpec> controls, UINT dpi, const FontChoice& choice);

// The text (caption) of a window or control.
std::wstring TextOf(HWND item);

// Whether `text`, drawn with `font` as `control` draws its caption (the same
// box and format flags), stays inside the control: no part cut off at an
// edge, no line wrapped below the bottom. Measured by drawing it.
// `spare_rows` lets ink reach that many pixel rows below the bottom.
bool TextFits(HWND control, const std::wstring& text, HFONT font, int spare_rows = 0);

// Whether a bold font draws visibly bolder than the same font at regular
// weight (some faces draw both alike at some sizes or character sets).
bool BoldShows(HFONT bold);

}  // namespace jj
