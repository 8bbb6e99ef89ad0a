#include "levels/browserwindow.h"

#include "files/fileops.h"
#include "levels/levelinfo.h"
#include "files/paths.h"
#include "levels/search.h"
#include "levels/texts.h"
#include "ui/report.h"

namespace levels {

using jj::ControlSpec;

namespace {

// The longest texts of the date label: the longest date of the year with
// its time, the text for a file that cannot be read.
std::span<const wchar_t* const> DateSamples() {
  static const std::wstring longest = [] {
    SYSTEMTIME t{2024, 9, 3, 25, 22, 48, 58, 0};  // Wednesday, September 25
    return DateText(t);
  }();
  static const wchar_t* const samples[] = {longest.c_str(), kDateUnknown};
  return samples;
}

// The window's controls, in tab order. The launch button's caption is the program's.
const ControlSpec kControls[] = {
    {frmGlavni::IDC_Label7, WC_STATICW, L"&Search for a level:", 4800, 1920, 2535, 255, jj::kLabel, jj::kFontBold},
    {frmGlavni::IDC_Text1, WC_EDITW, L"", 4800, 2280, 2535, 285, jj::kTextBox},
    {frmGlavni::IDC_Label1, WC_STATICW, L"&Level List/Search Results:", 120, 120, 2295, 255, jj::kLabel,
     jj::kFontBold},
    {frmGlavni::IDC_File1, WC_LISTVIEWW, L"", 120, 480, 4575, 4185, jj::kFileListStyle, jj::kFontDefault,
     WS_EX_CLIENTEDGE},
    {frmGlavni::IDC_Command1, WC_BUTTONW, L"", 4800, 2880, 2535, 375, jj::kButton},
    {frmGlavni::IDC_Command2, WC_BUTTONW, L"&About This Utility", 4800, 3360, 2535, 375, jj::kButton},
    {frmGlavni::IDC_Command3, WC_BUTTONW, L"&Help", 4800, 3840, 2535, 375, jj::kButton},
    {frmGlavni::IDC_Command4, WC_BUTTONW, L"&Delete", 4800, 4320, 2535, 375, jj::kButton},
    {frmGlavni::IDC_Label2, WC_STATICW, L"Level Information:", 4800, 120, 1575, 255, jj::kLabel, jj::kFontBold},
    {frmGlavni::IDC_Label3, WC_STATICW, L"Size:", 4800, 480, 2535, 255, jj::kLabel, jj::kFontUnderline},
    {frmGlavni::IDC_Label4, WC_STATICW, kNoLevelSelected, 4800, 720, 2535, 375, jj::kValueLabel, jj::kFontDefault, 0,
     jj::SizeSamples()},
    {frmGlavni::IDC_Label5, WC_STATICW, L"Date and time of last change:", 4800, 1200, 2535, 255, jj::kLabel,
     jj::kFontUnderline},
    {frmGlavni::IDC_Label6, WC_STATICW, kNoLevelSelected, 4800, 1440, 2535, 375, jj::kValueLabel, jj::kFontDefault, 0,
     DateSamples()},
};

}  // namespace

frmGlavni::frmGlavni(Variant variant, std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter,
                     jj::Starter& starter)
    : MainWindow({variant.title, variant.help_file},
                 {kNoLevelTitle, kSelectLevel, kNoLevelToDelete, kConfirmTitle, kConfirmDelete, kCannotDelete},
                 std::move(listing), prompter, starter),
      variant_(std::move(variant)) {
  Create({.class_name = L"JJ2LevelBrowser",
          .title = variant_.title,
          .style = jj::kMainFrameStyle,
          .client_width = 7470,
          .client_height = 4815,
          .opens = {jj::frmAbout::Controls(), variant_.dialog}},
         kControls, {{IDC_Command1, variant_.launch_caption.c_str()}});
  file1_.Attach(Item(IDC_File1));
  file1_.Model().SetListing(Listing());
  file1_.Model().SetPattern(kInitialPattern);
}

void frmGlavni::ReRead() {
  if (unsigned long error = file1_.Refresh())
    Report(jj::Filled(kCannotRead, {Folder()}), error, Folder());
}

void frmGlavni::Form_Activate() {
  ReRead();
}

void frmGlavni::Text1_Change() {
  file1_.Model().SetPattern(SearchPattern(ItemText(IDC_Text1)));
  // Before the first activation nothing is read yet; that activation reads it.
  if (Activated()) ReRead();
}

void frmGlavni::File1_Click() {
  std::wstring level = SelectedLevel();
  if (level.empty()) return;
  std::wstring path = jj::InFolder(Folder(), level);
  jj::Refusal refused = jj::Refusal::kNone;
  LevelInfo info = ReadLevelInfo(Folder(), level, &refused);
  SetItemText(IDC_Label4, info.size);
  SetItemText(IDC_Label6, info.date);
  // Not the listed plain file: the placeholders tell, and every action on
  // it says why when it is tried.
  if (info.error && refused == jj::Refusal::kNone) {
    // The list view is in the middle of its selection: report once it is done.
    ReportLater(jj::Filled(kCannotReadFacts, {path}), info.error, path);
  }
}

void frmGlavni::Command1_Click() {
  std::wstring level = SelectedLevel();
  if (level.empty()) {
    NothingSelected(variant_.no_level_text);
    return;
  }
  if (wchar_t c = jj::ForbiddenChar(level)) {
    // The started program would open another file than the listed one.
    Warn(jj::Filled(kCannotStart, {jj::InFolder(Folder(), level)}) + jj::CR + jj::CR +
         jj::ForbiddenNameText(c));
    return;
  }
  Launch(level);
}

void frmGlavni::Command2_Click() { ShowAbout(); }

void frmGlavni::Command3_Click() { ShowHelp(); }

void frmGlavni::Command4_Click() {
  DeleteSelected();
  ReRead();
}

bool frmGlavni::OnCommand(int id, int code) {
  if (id == IDC_Text1 && code == EN_CHANGE) {
    Text1_Change();
    return true;
  }
  return MainWindow::OnCommand(id, code);
}

bool frmGlavni::OnClick(int id) {
  return RunClick(this, id,
                  {{IDC_Command1, &frmGlavni::Command1_Click}, {IDC_Command2, &frmGlavni::Command2_Click},
                   {IDC_Command3, &frmGlavni::Command3_Click}, {IDC_Command4, &frmGlavni::Command4_Click}});
}

}  // namespace levels
