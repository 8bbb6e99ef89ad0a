#include "frmglavni.h"

#include "fileops.h"
#include "levelfile.h"
#include "paths.h"
#include "search.h"
#include "texts.h"
#include "text.h"

namespace levels {

using jj::ControlSpec;

frmGlavni::frmGlavni(Variant variant, std::wstring folder, jj::Prompter& prompter, jj::Starter& starter)
    : MainWindow({variant.title, variant.help_file}, std::move(folder), prompter, starter),
      variant_(std::move(variant)) {
  // The layout sheet, in tab order.
  table_ = {{
      {IDC_Label7, WC_STATICW, L"&Search for a level:", 4800, 1920, 2535, 255, jj::kLabel, jj::kFontBold},
      {IDC_Text1, WC_EDITW, L"", 4800, 2280, 2535, 285, jj::kTextBox},
      {IDC_Label1, WC_STATICW, L"&Level List/Search Results:", 120, 120, 2295, 255, jj::kLabel, jj::kFontBold},
      {IDC_File1, WC_LISTVIEWW, L"", 120, 480, 4575, 4185, jj::kFileListStyle, jj::kFontDefault, WS_EX_CLIENTEDGE},
      {IDC_Command1, WC_BUTTONW, variant_.launch_caption.c_str(), 4800, 2880, 2535, 375, jj::kButton},
      {IDC_Command2, WC_BUTTONW, L"&About This Utility", 4800, 3360, 2535, 375, jj::kButton},
      {IDC_Command3, WC_BUTTONW, L"&Help", 4800, 3840, 2535, 375, jj::kButton},
      {IDC_Command4, WC_BUTTONW, L"&Delete", 4800, 4320, 2535, 375, jj::kButton},
      {IDC_Label2, WC_STATICW, L"Level Information:", 4800, 120, 1575, 255, jj::kLabel, jj::kFontBold},
      {IDC_Label3, WC_STATICW, L"Size:", 4800, 480, 2535, 255, jj::kLabel, jj::kFontUnderline},
      {IDC_Label4, WC_STATICW, kNoLevelSelected, 4800, 720, 2535, 375, jj::kValueLabel},
      {IDC_Label5, WC_STATICW, L"Date and time of last change:", 4800, 1200, 2535, 255, jj::kLabel,
       jj::kFontUnderline},
      {IDC_Label6, WC_STATICW, kNoLevelSelected, 4800, 1440, 2535, 375, jj::kValueLabel},
  }};
  Create({L"JJ2LevelBrowser", variant_.title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 7470,
          4815, nullptr, nullptr, nullptr},
         table_);
  file1_.Attach(Item(IDC_File1));
  file1_.Model().SetPattern(kInitialPattern);
}

void frmGlavni::ReRead() {
  if (unsigned long error = file1_.Refresh())
    Report(L"Could not read the levels in the folder \"" + file1_.Model().Folder() + L"\".", error);
}

void frmGlavni::Form_Activate() {
  file1_.Model().SetFolder(Folder());
  ReRead();
}

void frmGlavni::Text1_Change() {
  file1_.Model().SetPattern(SearchPattern(ItemText(IDC_Text1)));
  // Before the first activation the list has no folder yet; that activation reads it.
  if (!file1_.Model().Folder().empty()) ReRead();
}

void frmGlavni::File1_Click() {
  std::wstring level = SelectedLevel();
  if (level.empty()) return;
  std::wstring path = jj::InFolder(file1_.Model().Folder(), level);
  std::wstring refused;
  LevelInfo info = ReadLevelInfo(file1_.Model().Folder(), level, &refused);
  SetItemText(IDC_Label4, info.size);
  SetItemText(IDC_Label6, info.date);
  // Not the listed plain file: the placeholders tell, and every action on
  // it says why when it is tried.
  if (info.error && refused.empty()) {
    // The list view is in the middle of its selection: report once it is done.
    ReportLater(L"Could not read the size and date of the level \"" + path + L"\".", info.error);
  }
}

void frmGlavni::NothingSelected(const std::wstring& first_line) {
  Ask(first_line + jj::CR + kSelectLevel, kNoLevelTitle, jj::Icon::Information, jj::Buttons::Ok);
}

void frmGlavni::Warn(const std::wstring& text) {
  Ask(text, Program().title, jj::Icon::Exclamation, jj::Buttons::Ok);
}

void frmGlavni::Command1_Click() {
  std::wstring level = SelectedLevel();
  if (level.empty()) {
    NothingSelected(variant_.no_level_text);
    return;
  }
  if (wchar_t c = jj::ForbiddenChar(level)) {
    // The started program would open another file than the listed one.
    Warn(L"Could not start the level \"" + jj::InFolder(file1_.Model().Folder(), level) + L"\"." + jj::CR + jj::CR +
         jj::ForbiddenNameText(c));
    return;
  }
  Launch(level);
}

void frmGlavni::Command2_Click() { ShowAbout(); }

void frmGlavni::Command3_Click() { ShowHelp(); }

void frmGlavni::Command4_Click() {
  std::wstring level = SelectedLevel();
  if (level.empty()) {
    NothingSelected(kNoLevelToDelete);
  } else if (Ask(kConfirmDelete, kConfirmTitle, jj::Icon::Exclamation, jj::Buttons::YesNo) == jj::Answer::Yes) {
    const std::wstring& folder = file1_.Model().Folder();
    jj::FileOutcome outcome = jj::DeleteInFolder(folder, level);
    if (!outcome.done()) Report(L"Could not delete the level \"" + jj::InFolder(folder, level) + L"\".", outcome);
  }
  ReRead();
}

LRESULT frmGlavni::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_Text1:
          if (HIWORD(wp) == EN_CHANGE) Text1_Change();
          return 0;
        case IDC_Command1: if (HIWORD(wp) == BN_CLICKED) Command1_Click(); return 0;
        case IDC_Command2: if (HIWORD(wp) == BN_CLICKED) Command2_Click(); return 0;
        case IDC_Command3: if (HIWORD(wp) == BN_CLICKED) Command3_Click(); return 0;
        case IDC_Command4: if (HIWORD(wp) == BN_CLICKED) Command4_Click(); return 0;
      }
      break;
  }
  return MainWindow::OnMessage(msg, wp, lp);
}

}  // namespace levels
