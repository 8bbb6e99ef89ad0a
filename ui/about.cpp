#include "ui/about.h"

#include <algorithm>
#include <cmath>

#include "files/paths.h"
#include "ui/icons.h"
#include "ui/report.h"
#include "ui/system.h"

namespace jj {

namespace {

const ControlSpec kAboutControls[] = {
    {frmAbout::IDC_Picture1, WC_STATICW, L"", 4080, 120, 480, 480, SS_ICON | SS_CENTERIMAGE | WS_VISIBLE},
    {frmAbout::IDC_Label1, WC_STATICW, L"", 120, 120, 3840, 195, kValueLabel, kFontBold},  // the program's title
    {frmAbout::IDC_Label2, WC_STATICW, L"Version " JJ_VERSION, 120, 360, 885, 195, kLabel, kFontDefault, 0, {}, Fit::kGrow},
    {frmAbout::IDC_Label3, WC_STATICW, kCredits, 120, 720, 4455, 975, kLabel},
    {frmAbout::IDC_Command1, WC_BUTTONW, L"&OK", 1320, 2280, 2055, 375, kDefButton},
    {frmAbout::IDC_Label4, WC_BUTTONW, L"Contact me", 1845, 1920, 1005, 195,
     BS_OWNERDRAW | WS_TABSTOP | WS_VISIBLE, kFontBold | kFontUnderline, 0, {}, Fit::kGrow},
};

// A colour's relative luminance, 0 (black) to 1 (white), as screens show it.
double Luminance(COLORREF c) {
  auto channel = [](int v) {
    double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

}  // namespace

COLORREF LinkColour(COLORREF link, COLORREF background, COLORREF text) {
  double a = Luminance(link), b = Luminance(background);
  // Text of three times the background's contrast or more reads well.
  double contrast = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
  return contrast >= 3.0 ? link : text;
}

std::span<const ControlSpec> frmAbout::Controls() { return kAboutControls; }

void OpenHelp(Starter& starter, Prompter& prompter, HWND owner, const std::wstring& folder,
              const ProgramInfo& program) {
  std::wstring path = InFolder(folder, program.help_file);
  bool blank = path.find_first_of(L" \t") != std::wstring::npos;
  StartRequest request{SystemProgram(L"notepad.exe"),
                       L"notepad " + (blank ? L"\"" + path + L"\"" : path), folder,
                       SW_SHOWMAXIMIZED, owner};
  // notepad reads its command line in Unicode: any name reaches it as it is.
  std::wstring refusal = LengthRefusal(request, L"notepad");
  if (!refusal.empty()) {
    Warn(prompter, owner, program.title, refusal);
    return;
  }
  if (unsigned long error = starter.Start(request))
    ReportFailure(prompter, owner, program.title,
                  L"Could not start notepad to show the help file \"" + path + L"\".", error, request.program);
}

frmAbout::frmAbout(const ProgramInfo& program, HWND main, const std::wstring& folder, Starter& starter,
                   std::function<void()> on_close)
    : folder_(folder), starter_(starter), on_close_(std::move(on_close)) {
  UINT dpi = WindowDpi(main);
  Create({.class_name = L"JJ2frmAbout",
          .title = L"About " + program.title,
          .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
          .client_width = 4650,
          .client_height = 2790,
          .owner = main,
          .small_icon = SmallIcon(dpi)},
         kAboutControls, {{IDC_Label1, program.title.c_str()}});
}

void frmAbout::OnLayout() {
  picture_ = ProgramIcon(Dpi());
  SendDlgItemMessageW(hwnd_, IDC_Picture1, STM_SETICON, reinterpret_cast<WPARAM>(picture_), 0);
  RECT r;
  GetWindowRect(Item(IDC_Picture1), &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(Item(IDC_Picture1), nullptr, r.left, r.top, Twips(480, Dpi()), Twips(480, Dpi()),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::Command1_Click() {
  if (on_close_) on_close_();
  DestroyWindow(hwnd_);
}

void frmAbout::Label4_Click() { starter_.Open(hwnd_, kContactUrl, folder_); }

void frmAbout::DrawLink(const DRAWITEMSTRUCT* item) {
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(item->hDC, Font(kFontBold | kFontUnderline));
  SetBkMode(item->hDC, TRANSPARENT);
  SetTextColor(item->hDC,
               LinkColour(GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)));
  RECT r = item->rcItem;
  DrawTextW(item->hDC, L"Contact me", -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) {
    RECT text = item->rcItem;
    DrawTextW(item->hDC, L"Contact me", -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    DrawFocusRect(item->hDC, &text);
  }
  SelectObject(item->hDC, old);
}

bool frmAbout::OnClick(int id) {
  return RunClick(this, id,
                  {{IDC_Command1, &frmAbout::Command1_Click}, {IDCANCEL, &frmAbout::Command1_Click},
                   {IDC_Label4, &frmAbout::Label4_Click}});
}

LRESULT frmAbout::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DRAWITEM:
      if (wp == IDC_Label4) {
        DrawLink(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == Item(IDC_Label4)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace jj
