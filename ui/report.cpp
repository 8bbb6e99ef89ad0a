#include "ui/report.h"

#include "files/text.h"

namespace jj {

std::wstring SystemMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n && buffer) text.assign(buffer, n);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) text = L"error " + std::to_wstring(code);
  return text;
}

std::wstring ReasonText(const FileOutcome& outcome) {
  return outcome.refused.empty() ? SystemMessage(outcome.error) : outcome.refused;
}

std::wstring FailureText(const std::wstring& what, unsigned long error) {
  return what + CR + CR + L"The system says: " + SystemMessage(error);
}

std::wstring OutcomeText(const std::wstring& what, const FileOutcome& outcome) {
  if (!outcome.refused.empty()) return what + CR + CR + outcome.refused;
  if (!outcome.clash.empty())
    return FailureText(what + CR + L"The game folder already holds \"" + outcome.clash +
                           L"\", which would be replaced; both files are left as they are.",
                       outcome.error);
  return FailureText(what, outcome.error);
}

std::wstring UnexpectedText(const char* what) {
  std::wstring text = L"An unexpected error stopped this command:";
  text += CR;
  for (const char* p = what; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return text;
}

void Warn(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& text) {
  prompter.Show(owner, text, title, Icon::Exclamation, Buttons::Ok);
}

void ReportFailure(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   unsigned long error) {
  Warn(prompter, owner, title, FailureText(what, error));
}

void ReportOutcome(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   const FileOutcome& outcome) {
  Warn(prompter, owner, title, OutcomeText(what, outcome));
}

}  // namespace jj
