#include "episodes/quenbywindow.h"

#include "episodes/catalogue.h"
#include "episodes/texts.h"
#include "files/paths.h"
#include "ui/report.h"
#include "files/sizetext.h"

#include <vector>

namespace episodes {

namespace {

using jj::kFontBold;
using jj::kFontCentralEurope;
using jj::kFontUnderline;

constexpr unsigned kHeading = kFontBold | kFontCentralEurope;
constexpr unsigned kCaption = kFontUnderline | kFontCentralEurope;

// The longest texts of the value labels (the size label's: jj::SizeSamples):
// every title and the text for an unknown one; the two answers.
std::span<const wchar_t* const> TitleSamples() {
  static const std::vector<const wchar_t*> samples = [] {
    std::vector<const wchar_t*> v{kUnknownTitle};
    for (const CatalogueRow& row : Catalogue()) v.push_back(row.title);
    return v;
  }();
  return samples;
}
const wchar_t* const kAnswerSamples[] = {kYes, kNo};

// The window's controls, in tab order (the active list and the count routine need none).
const jj::ControlSpec kControls[] = {
    {frmGlavni::IDC_Label1, WC_STATICW, L"Episode &List:", 120, 120, 1215, 255, jj::kLabel, kHeading},
    {frmGlavni::IDC_File1, WC_LISTVIEWW, L"", 120, 480, 3135, 3405, jj::kFileListStyle, jj::kFontDefault,
     WS_EX_CLIENTEDGE},
    {frmGlavni::IDC_Command5, WC_BUTTONW, L"Activate", 3360, 2880, 975, 375, jj::kButton},
    {frmGlavni::IDC_Command4, WC_BUTTONW, L"Deactivate", 4440, 2880, 975, 375, jj::kButton},
    {frmGlavni::IDC_Command1, WC_BUTTONW, L"A&bout This Utility", 3360, 3360, 2055, 375, jj::kButton},
    {frmGlavni::IDC_Command2, WC_BUTTONW, L"&Help", 3360, 3840, 975, 375, jj::kButton},
    {frmGlavni::IDC_Command3, WC_BUTTONW, L"D&elete", 4440, 3840, 975, 375, jj::kButton},
    {frmGlavni::IDC_Label2, WC_STATICW, L"Episode Information:", 3360, 120, 1815, 255, jj::kLabel, kHeading},
    {frmGlavni::IDC_Label3, WC_STATICW, L"Episode title:", 3360, 480, 975, 255, jj::kLabel, kCaption},
    {frmGlavni::IDC_Label4, WC_STATICW, kNoEpisode, 3360, 720, 2055, 615, jj::kValueLabel, jj::kFontDefault, 0,
     TitleSamples()},
    {frmGlavni::IDC_Label5, WC_STATICW, L"Size:", 3360, 1440, 375, 255, jj::kLabel, kCaption},
    {frmGlavni::IDC_Label6, WC_STATICW, kNoEpisode, 3360, 1680, 2055, 495, jj::kValueLabel, jj::kFontDefault, 0,
     jj::SizeSamples()},
    {frmGlavni::IDC_Label7, WC_STATICW, L"You need to deactivate # more episodes.", 120, 3960, 3135, 255,
     jj::kValueLabel, kCaption},
    {frmGlavni::IDC_Label8, WC_STATICW, L"Activated?", 3360, 2280, 855, 255, jj::kLabel, kCaption},
    {frmGlavni::IDC_Label9, WC_STATICW, kNoEpisode, 3360, 2520, 2055, 255, jj::kValueLabel, jj::kFontDefault, 0,
     kAnswerSamples},
};

// The one message that names every companion file that exists but could not
// be deleted, each with the reason.
std::wstring CompanionFailureText(const std::wstring& folder, const std::vector<CompanionFailure>& failures) {
  std::wstring text = jj::Filled(failures.size() == 1 ? kCompanionFileFailed : kCompanionFilesFailed, {folder});
  unsigned long access = 0;
  for (const CompanionFailure& f : failures) {
    text += jj::CR;
    text += f.name + L": ";
    text += jj::ReasonText(f.why, jj::InFolder(folder, f.name));
    if (f.why.error == ERROR_ACCESS_DENIED) access = f.why.error;
  }
  return text + jj::ProtectedFolderAdvice(folder, access, L"Quenby");
}

}  // namespace

frmGlavni::frmGlavni(std::shared_ptr<jj::FolderListing> listing, jj::Prompter& prompter, jj::Starter& starter)
    : MainWindow({L"Quenby", L"HlpQuenby.qxh"},
                 {kNoFileTitle, kSelectFile, kNoFileToDelete, kConfirmTitle, kConfirmDelete, kCannotDelete},
                 std::move(listing), prompter, starter) {
  Create({.class_name = L"JJ2QuenbyMain",
          .title = L"Quenby",
          .style = jj::kMainFrameStyle,
          .client_width = 5535,
          .client_height = 4335,
          .opens = {jj::frmAbout::Controls()}},
         kControls);
  file1_.Attach(Item(IDC_File1));
  file1_.Model().SetListing(Listing());
  file1_.Model().SetPattern(EpisodePattern());
  file2_.SetListing(Listing());
  file2_.SetPattern(ActivePattern());
}

void frmGlavni::ReRead(bool file1, bool later) {
  // Both lists over the game folder are re-read in one pass over it.
  unsigned long error = file1 ? file1_.Refresh(file2_) : file2_.Refresh();
  if (!error) return;
  std::wstring what = jj::Filled(kCannotRead, {Folder()});
  if (!later) {
    Report(what, error, Folder());
  } else {
    ReportLater(what, error, Folder());
  }
}

void frmGlavni::Form_Activate() {
  ReRead(true);
  Command6_Click();
}

void frmGlavni::Command6_Click() { SetItemText(IDC_Label7, CountMessage(file2_.Count())); }

void frmGlavni::File1_Click() {
  std::wstring name = SelectedName();
  if (name.empty()) return;
  SetItemText(IDC_Label4, EpisodeTitle(name));
  jj::FileFacts facts;
  SetItemText(IDC_Label6, jj::ReadFacts(Folder(), name, &facts).done() ? jj::SizeText(facts.bytes) : jj::kSizeUnknown);
  bool active = IsActiveName(name);
  EnableWindow(Item(active ? IDC_Command5 : IDC_Command4), FALSE);
  EnableWindow(Item(active ? IDC_Command4 : IDC_Command5), TRUE);
  SetItemText(IDC_Label9, active ? kYes : kNo);
  ReRead(false, true);
  Command6_Click();
}

void frmGlavni::RenameSelected(const wchar_t* first_line, const wchar_t* extension, const wchar_t* failed) {
  std::wstring name = SelectedName();
  if (name.empty()) {
    NothingSelected(first_line);
  } else {
    std::wstring to = RenamedName(name, extension);
    jj::FileOutcome outcome = jj::RenameInFolder(Folder(), name, to);
    std::wstring path = jj::InFolder(Folder(), name);
    if (!outcome.done())
      Report(jj::Filled(failed, {path, to}), outcome, path);
  }
  ReRead(!name.empty());
  Command6_Click();
}

void frmGlavni::Command5_Click() { RenameSelected(kNoFileToActivate, kActiveExtension, kCannotActivate); }

void frmGlavni::Command4_Click() { RenameSelected(kNoFileToDeactivate, kInactiveExtension, kCannotDeactivate); }

void frmGlavni::Command3_Click() {
  // Only once the episode is gone: the question about its other files.
  std::wstring name = DeleteSelected();
  if (!name.empty() &&
      Ask(kCompanionQuestion, kCompanionTitle, jj::Icon::Question, jj::Buttons::YesNo) == jj::Answer::Yes) {
    if (const CatalogueRow* row = CompanionsOf(name)) {
      std::vector<CompanionFailure> failures = DeleteCompanions(Folder(), *row);
      if (!failures.empty()) Warn(CompanionFailureText(Folder(), failures));
    }
  }
  ReRead(true);
  Command6_Click();
}

void frmGlavni::Command1_Click() { ShowAbout(); }

void frmGlavni::Command2_Click() { ShowHelp(); }

bool frmGlavni::OnClick(int id) {
  return RunClick(this, id,
                  {{IDC_Command1, &frmGlavni::Command1_Click}, {IDC_Command2, &frmGlavni::Command2_Click},
                   {IDC_Command3, &frmGlavni::Command3_Click}, {IDC_Command4, &frmGlavni::Command4_Click},
                   {IDC_Command5, &frmGlavni::Command5_Click}});
}

}  // namespace episodes
